// The variable and table finders through the substitute host: what the case files cannot show
// (values too long for a case line, numbers no JSON holds, long rewrites, the registry's codes).
// Their memory messages are reached in tests/host/messages_test.cpp.
#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
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

TEST(VariableFinder, ValueOverLimitShowsTheHostMessageAndWritesEmptyString) {
    Host host;
    host.set_variable("cBig", HostValue::character(std::string(64001, 'x')));
    host.set_variable("cMax", HostValue::character(std::string(64000, 'y')));
    EXPECT_EQ(literals(host, "a = ~cBig AND b = 1").result, "a = '' AND b = 1");
    EXPECT_TRUE(executed(host, memo_box));
    EXPECT_EQ(literals(host, "a = ~cMax").result, "a = '" + std::string(64000, 'y') + "'");
    EXPECT_FALSE(executed(host, memo_box));
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
        {day + 86399.6 / 86400.0, 2, "TO_DATE('2010-08-17 00:00:00', 'YYYY-MM-DD HH24:MI:SS')"},
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

// References whose tables are longer and shorter than themselves; "..bbb" has no array: as written.
TEST(TableFinder, ManyReferencesGrowingAndShrinking) {
    Host host;
    host.set_array("A__a_1", {HostValue::character(std::string(40, 'L'))});
    host.set_array("A__b_1", {HostValue::character("s")});
    std::string command, expected;
    for (int i = 0; i < 2000; ++i) {
        command += i % 2 ? " ..a" : " ..bbb";
        expected += i % 2 ? " " + std::string(40, 'L') : " bbb";
    }
    EXPECT_EQ(std::get<std::string>(host.call("ZQ_SQL_FIND_TABLES", {command, std::string("MS_SQL"), std::string("DIRECT")})), expected);
    EXPECT_EQ(host.handles_in_use(), 0u);
}

}  // namespace
