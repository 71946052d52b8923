// The variable finder through DispatchAPI and the substitute host: what the case files cannot show
// (the host's requests, the memory budget, values too long for a case line, long rewrites).
#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <map>
#include <string>

namespace {

using tarnvel::Host;
using tarnvel::HostValue;

constexpr const char *memo_box = "MessageBox([Memo field size too large ! Data was lost !],55,[!],70000)";

struct Outcome {
    std::optional<std::string> result;
    std::optional<std::string> error;
};

Outcome literals(Host &host, const std::string &command, double dialect = 0) {
    Outcome outcome;
    try {
        auto r = host.call("ZQ_SQL_FIND_VARIABLES", {command, true, dialect});
        if (auto *text = std::get_if<std::string>(&r)) outcome.result = *text;
    } catch (const tarnvel::Error &e) {
        outcome.error = e.message();
    }
    EXPECT_EQ(host.handles_in_use(), 0u) << command;
    return outcome;
}

bool executed(const Host &host, const std::string &command) {
    for (const auto &action : host.actions())
        if (action.kind == "execute" && action.detail == command) return true;
    return false;
}

bool switched(const Host &host) {
    for (const auto &action : host.actions())
        if (action.kind == "switch") return true;
    return false;
}

TEST(VariableFinder, ValueOverLimitShowsTheHostMessageAndWritesEmptyString) {
    Host host;
    host.set_variable("cBig", HostValue::character(std::string(64001, 'x')));
    host.set_variable("cMax", HostValue::character(std::string(64000, 'y')));
    EXPECT_EQ(literals(host, "a = ~cBig AND b = 1").result, "a = '' AND b = 1");
    EXPECT_TRUE(executed(host, memo_box));
    EXPECT_EQ(literals(host, "a = ~cMax").result, "a = '" + std::string(64000, 'y') + "'");
    EXPECT_FALSE(executed(host, memo_box));
}

TEST(VariableFinder, SwitchRequestOnlyBeforeEvaluatingAKnownName) {
    Host host;
    host.set_variable("nA", HostValue::numeric(4, 0));
    struct Row {
        const char *command;
        const char *result;
        bool switch_sent;
    } rows[] = {
        {"a = ~%|%nA%|%", "a = 4", true},       // delimited: evaluated, and the host knows the name
        {"a = ~%|%nA + 1%|%", "a = 5", false},  // no name: evaluated without the switch
        {"a = ~nA", "a = 4", false},            // a plain name is loaded, not evaluated
        {"a = ~(nA)", "a = 4", false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(literals(host, row.command).result, row.result) << row.command;
        EXPECT_EQ(switched(host), row.switch_sent) << row.command;
    }
}

TEST(VariableFinder, ErrorsOfTheHostAndOfTheFinderLeaveNothingBehind) {
    Host host;
    host.set_variable("cName", HostValue::character("abc"));
    struct Row {
        const char *command;
        double dialect;
    } rows[] = {
        {"a = ~cName AND b = ~nMissing", 0},  // the first value was loaded and released
        {"a = ~cName AND b = ~(1 +", 3},      // the host cannot evaluate
        {"a = ~cName AND b = ~%|%)%|%", 4},
    };
    for (const Row &row : rows) EXPECT_TRUE(literals(host, row.command, row.dialect).error) << row.command;
    EXPECT_EQ(literals(host, "a = ~cName AND b = ~nMissing").error, "Variable not found: nMissing");
}

TEST(VariableFinder, ParameterModeReleasesTheValuesItFetched) {
    Host host;
    host.set_variable("cName", HostValue::character("abc"));
    auto r = host.call("ZQ_MYSQL_FIND_VARIABLES", {std::string("a = ~cName AND b = ~(cName + 'x')")});
    EXPECT_EQ(std::get<std::string>(r), "a = ?cName AND b = ?(cName + 'x')");
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// Many references whose literals are longer and shorter than themselves: the command is rewritten
// in its own buffer, which moves its unread part only now and then.
TEST(VariableFinder, LongCommandsWithGrowingAndShrinkingLiterals) {
    Host host;
    host.set_variable("s", HostValue::character(std::string(37, 's')));
    host.set_variable("n", HostValue::numeric(7, 0));
    std::string command, expected;
    for (int i = 0; i < 3000; ++i) {
        command += i % 3 == 0 ? "~s," : "~m.n ,";
        expected += i % 3 == 0 ? "'" + std::string(37, 's') + "'," : "7 ,";
    }
    EXPECT_EQ(literals(host, command).result, expected);
}

// Every obtain and growth of the call made to fail in turn: each failure gives its own message (or
// the host's error 182), never a crash, and the handle table is balanced after each.
TEST(VariableFinder, EveryMemoryMessageIsReachedAndNothingLeaks) {
    Host host;
    std::string value = std::string(200, 'x') + std::string(150, '\'') + std::string(50, '\0');
    host.set_variable("c", HostValue::character(value));
    std::string expected = "a = '" + std::string(200, 'x') + std::string(300, '\'');
    for (int i = 0; i < 50; ++i) expected += "'+Char(0)+'";
    expected += "'";

    std::set<std::string> messages;
    bool succeeded = false;
    for (std::size_t operations = 0; operations < 40 && !succeeded; ++operations) {
        host.set_budget(std::nullopt, operations);
        Outcome outcome = literals(host, "a = ~c");
        host.set_budget(std::nullopt, std::nullopt);
        if (outcome.error) messages.insert(*outcome.error);
        if (outcome.result) {
            EXPECT_EQ(*outcome.result, expected);
            succeeded = true;
        }
    }
    EXPECT_TRUE(succeeded);
    for (const char *message : {"Insufficient memory for next operation", "Insufficient memory for next str",
                                "Insufficient memory for next '", "Insufficient memory for next zero character",
                                "Insufficient memory for next value"})
        EXPECT_TRUE(messages.count(message)) << message;
}

// The time of day is rounded half away from zero to the second; a value in the last half second
// of a day is the next day's midnight (never 24:00:00), which can also lift a date over a limit.
TEST(VariableFinder, DatetimesRoundToTheSecond) {
    Host host;
    const double day = static_cast<double>(tarnvel::julian_day(2010, 8, 16));
    const double before_1753 = static_cast<double>(tarnvel::julian_day(1752, 12, 31));
    struct Row {
        double value;
        double dialect;
        const char *result;
    } rows[] = {
        {day + (13 * 3600 + 45 * 60 + 7.5) / 86400.0, 3, "'2010-08-16 13:45:08'"},
        {day + (13 * 3600 + 45 * 60 + 7.4) / 86400.0, 3, "'2010-08-16 13:45:07'"},
        {day + 86399.6 / 86400.0, 2, "'2010-08-17 00:00:00'"},
        {day + 86399.6 / 86400.0, 0, "'20100817 00:00:00'"},
        {day + 86399.6 / 86400.0, 4, "#2010-08-17 00:00:00#"},
        {before_1753 + 86399.6 / 86400.0, 0, "'17530101 00:00:00'"},
        {before_1753 + 86399.4 / 86400.0, 0, "''"},
    };
    for (const Row &row : rows) {
        HostValue value;
        value.type = 'T';
        value.number = row.value;
        host.set_variable("t", value);
        EXPECT_EQ(literals(host, "~t", row.dialect).result, row.result) << row.value << " " << row.dialect;
    }
}

}  // namespace

namespace {

// A number or a date the host holds as infinity or NaN has no literal: NULL, or the empty date.
TEST(VariableFinder, ValuesThatAreNoNumbersBecomeNullOrTheEmptyDate) {
    Host host;
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    HostValue day = HostValue::date(2010, 8, 16), stamp = HostValue::datetime(2010, 8, 16, 1, 2, 3);
    day.number = nan;
    stamp.number = inf;
    host.set_variable("a", HostValue::numeric(nan, 2));
    host.set_variable("b", HostValue::numeric(-inf, 0));
    host.set_variable("d", day);
    host.set_variable("t", stamp);
    EXPECT_EQ(literals(host, "~a, ~b, ~d, ~t").result, "NULL, NULL, '', ''");
}

// Text in every type the host hands over as a handle: a string literal.
TEST(VariableFinder, TextOfEveryHandleType) {
    Host host;
    struct Row {
        char type;
        HostValue value;
        const char *result;
    } rows[] = {
        {'G', HostValue::character("it's"), "a = 'it''s'"},
        {'Q', HostValue::character("ab"), "a = 'ab'"},
        {'W', HostValue::character(std::string("a\0b", 3)), "a = 'a'+Char(0)+'b'"},
    };
    for (Row &row : rows) {
        row.value.type = row.type;
        host.set_variable("x", row.value);
        EXPECT_EQ(literals(host, "a = ~x").result, row.result) << row.type;
    }
}

// Numbers that name no integer pick no dialect: SQL Server, as for any other unknown number.
TEST(VariableFinder, DialectNumbersThatAreNoIntegersPickSqlServer) {
    Host host;
    host.set_variable("d", HostValue::date(2010, 8, 16));
    for (double code : {std::nan(""), std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(literals(host, "a = ~d", code).result, "a = '20100816'") << code;
    }
}

// The registry's code of each dialect picks that dialect's own finder: the answer of the dialect's
// own function where it has one, and a date and an empty date written as no other dialect writes them.
TEST(VariableFinder, RegistryCodesPickEachDialectsOwnFinder) {
    Host host;
    host.set_variable("d", HostValue::date(2010, 8, 16));
    host.set_variable("e", HostValue::empty_date());
    const std::string command = "a = ~d OR a = ~e";
    std::set<std::string> answers;
    for (const tarnvel::DialectRow &row : tarnvel::dialects()) {
        const Outcome by_code = literals(host, command, row.variables_code);
        ASSERT_TRUE(by_code.result) << row.name << ": " << by_code.error.value_or("");
        answers.insert(*by_code.result);
        if (row.variables_function.empty()) continue;
        for (bool literal_mode : {true, false}) {
            const auto own = host.call(row.variables_function, {command, literal_mode});
            const auto coded = host.call("ZQ_SQL_FIND_VARIABLES", {command, literal_mode, static_cast<double>(row.variables_code)});
            EXPECT_EQ(own, coded) << row.name << " literals " << literal_mode;
        }
    }
    EXPECT_EQ(answers.size(), tarnvel::dialect_count);
}

}  // namespace
