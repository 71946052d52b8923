// The substitute host and its facade, end to end through DispatchAPI: results of every kind,
// errors, variables loaded by nested entry, evaluation, host actions, the byte budget, threads.
// The functions called here are the test's own; they use the library's host services exactly as
// the library's workers do.
#include <tarnvel/host.hpp>

#include "host/api.h"
#include "host/buffer.h"
#include "host/dispatch.h"
#include "library/entry.h"
#include "utilities/library_calls.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

using tarnvel::Arg;
using tarnvel::Error;
using tarnvel::Host;
using tarnvel::HostValue;
using tarnvel::Result;
namespace api = tarnvel::host;

// --- functions of the test's own ---

void TV_FASTCALL echo_text(ParamBlk *params) { api::ret_char(tarnvel::entry::Params(params).bytes(1)); }
void TV_FASTCALL echo_number(ParamBlk *params) {
    Value value = tarnvel::entry::Params(params).value(1);
    api::ret_val(value);  // type N, real and decimals as the host sent them
}
void TV_FASTCALL integer_of(ParamBlk *params) { api::ret_int(tarnvel::entry::Params(params).integer(1, -1)); }
void TV_FASTCALL negate_logical(ParamBlk *params) { api::ret_logical(!tarnvel::entry::Params(params).logical(1, false)); }
void TV_FASTCALL returns_nothing(ParamBlk *) {}
void TV_FASTCALL describe_params(ParamBlk *params) {
    tarnvel::entry::Params p(params);
    std::string out;
    for (int i = 1; i <= p.count(); ++i) {
        const Value &v = p.value(i);
        out += v.type;
        out += std::to_string(v.length) + ";";
    }
    api::ret_char(out);
}

void TV_FASTCALL raises_182_holding_a_buffer(ParamBlk *) {
    tarnvel::Buffer held = tarnvel::Buffer::obtain(1000);
    api::error(182);
}
void TV_FASTCALL raises_user_error_after_returning(ParamBlk *) {
    tarnvel::Buffer held = tarnvel::Buffer::obtain(10);
    api::ret_char("a value that must not leak");
    api::user_error("the worker gave up");
}
void TV_FASTCALL obtains_a_buffer(ParamBlk *params) {
    tarnvel::Buffer buffer = tarnvel::Buffer::obtain(static_cast<std::size_t>(tarnvel::entry::Params(params).integer(1, 100)));
    api::ret_logical(true);
}

// Describes a value the host gave: type, then its content.
std::string describe(const Value &v) {
    std::string out(1, v.type);
    switch (v.type) {
    case 'C': case 'G': case 'Q': case 'V': case 'W': out += ":" + api::value_text(v, true); break;
    case 'N': out += std::string(":").append(std::to_string(v.real)) + "/" + std::to_string(v.length); break;
    case 'I': out += std::string(":").append(std::to_string(v.integer)); break;
    case 'L': out += std::string(":").append(std::to_string(v.length)); break;
    case 'D': case 'T': out += std::string(":").append(std::to_string(v.real)); break;
    case 'Y': out += std::string(":").append(std::to_string(v.currency)); break;
    default: break;
    }
    return out;
}

// Loads the variable named by parameter 1, element parameter 2 when given (0: no subscript).
void TV_FASTCALL load_variable(ParamBlk *params) {
    tarnvel::entry::Params p(params);
    std::string name = p.bytes(1);
    int index = api::name_table_index(name.c_str());
    Locator locator{};
    if (index < 0 || !api::find_var(index, -1, locator)) api::user_error("Variable not found: " + name);
    int element = p.integer(2, 0);
    if (element != 0) {
        locator.subscripts = 1;
        locator.subscript1 = static_cast<std::int16_t>(element);
    }
    Value value{};
    api::load(locator, value);
    api::ret_char(describe(value));
}

void TV_FASTCALL evaluate_text(ParamBlk *params) {
    std::string expression = tarnvel::entry::Params(params).bytes(1);
    Value value{};
    api::evaluate(value, expression.c_str());
    api::ret_char(describe(value));
}

void TV_FASTCALL executes_and_switches(ParamBlk *) {
    api::switch_request(1);
    api::execute("MessageBox([hello],55,[!],70000)");
    api::editor_command(api::top_window(), 0);
}

// Calls 'function', which must end in the error 'number' with 'message' (any message when none is
// given) and leave no handle in use.
void expect_error(Host &host, FoxFunction function, const std::vector<Arg> &args, std::optional<int> number,
                  const std::optional<std::string> &message = std::nullopt) {
    const std::optional<Error> e = testcalls::error_of([&] { host.call_function(function, args); });
    ASSERT_TRUE(e) << "no error, expected " << message.value_or("one");
    EXPECT_EQ(e->number(), number) << e->message();
    if (message) {
        EXPECT_EQ(e->message(), *message);
    }
    EXPECT_EQ(host.handles_in_use(), 0u) << e->message();
}

// --- results ---

TEST(HostProtocol, CharacterResultsCarryEveryByteValue) {
    Host host;
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    for (const std::string &text : {std::string(), std::string("a"), all, std::string(70000, 'x')}) {
        EXPECT_EQ(host.call_function(echo_text, {text}), Result(text));
        EXPECT_EQ(host.handles_in_use(), 0u);
    }
}

TEST(HostProtocol, NumericLogicalAndEmptyResults) {
    Host host;
    EXPECT_EQ(host.call_function(echo_number, {12.5}), Result(12.5));
    EXPECT_EQ(host.call_function(integer_of, {-2.9}), Result(-2.0));  // truncation toward zero
    EXPECT_EQ(host.call_function(negate_logical, {false}), Result(true));
    EXPECT_EQ(host.call_function(negate_logical, {true}), Result(false));
    EXPECT_EQ(host.call_function(returns_nothing), Result());
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST(HostProtocol, ArgumentsArriveAsFoxProTypesThem) {
    Host host;
    // character: its byte count; numeric: decimals of the shortest form; logical: 0 or 1
    EXPECT_EQ(host.call_function(describe_params, {std::string("abcd"), 12.5, 3.0, 0.25, true, false}),
              Result(std::string("C4;N1;N0;N2;L1;L0;")));
    EXPECT_EQ(host.handles_in_use(), 0u);
    // more arguments than the request block holds on the stack, more texts than handles kept inline
    const std::vector<Arg> many = {std::string("a"), std::string("bb"), std::string("ccc"), std::string("dddd"),
                                   std::string("e"), std::string("f"),  std::string("g"),   std::string("h"),
                                   std::string("i"), std::string(""),   1.5,                true};
    EXPECT_EQ(host.call_function(describe_params, many), Result(std::string("C1;C2;C3;C4;C1;C1;C1;C1;C1;C0;N1;L1;")));
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// --- errors ---

TEST(HostProtocol, ErrorsCarryNumberOrMessageAndReleaseEverything) {
    Host host;
    expect_error(host, raises_182_holding_a_buffer, {}, 182, "Insufficient memory");
    expect_error(host, raises_user_error_after_returning, {std::string("argument")}, std::nullopt, "the worker gave up");
    // the host goes on working after an error
    EXPECT_EQ(host.call_function(echo_text, {std::string("again")}), Result(std::string("again")));
}

// --- variables through nested entry ---

TEST(HostProtocol, VariablesOfEveryTypeLoadThroughTheirLocator) {
    Host host;
    host.set_variable("cName", HostValue::character("O'Neil"));
    host.set_variable("m.nPrice", HostValue::numeric(12.5, 2));
    host.set_variable("iCount", HostValue::whole(-7));
    host.set_variable("lFlag", HostValue::boolean(true));
    host.set_variable("dDay", HostValue::date(2000, 1, 1));
    host.set_variable("yCost", HostValue::money(10500));
    host.set_variable("xNull", HostValue::null());
    host.set_variable("mBlob", HostValue::character(std::string("a\0b", 3), 'W'));
    host.set_array("aNames", {HostValue::character("first"), HostValue::numeric(2, 0), HostValue::character("third")});
    struct Case {
        const char *name;
        double element;
        std::string expected;
    } cases[] = {
        {"CNAME", 0, "C:O'Neil"},          {"m.cname", 0, "C:O'Neil"},
        {"nPrice", 0, "N:12.500000/2"},    {"iCount", 0, "I:-7"},
        {"lFlag", 0, "L:1"},               {"dDay", 0, "D:2451545.000000"},
        {"yCost", 0, "Y:10500"},           {"xNull", 0, "0"},
        {"mBlob", 0, std::string("W:a\0b", 5)},
        {"aNames", 3, "C:third"},          {"aNames", 2, "N:2.000000/0"},
        {"aNames", 0, "C:first"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(host.call_function(load_variable, {std::string(c.name), c.element}), Result(c.expected)) << c.name;
        EXPECT_EQ(host.handles_in_use(), 0u) << c.name;
    }
}

TEST(HostProtocol, UnknownVariablesAndBadSubscriptsAreErrors) {
    Host host;
    host.set_array("aList", {HostValue::character("x")});
    host.set_variable("cScalar", HostValue::character("y"));
    struct Case {
        const char *name;
        double element;
        std::optional<int> number;
    } cases[] = {{"nMissing", 0, std::nullopt}, {"aList", 2, 31}, {"aList", -1, 31}, {"cScalar", 1, 232}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expect_error(host, load_variable, {std::string(c.name), c.element}, c.number);
    }
    host.remove_variable("cScalar");
    expect_error(host, load_variable, {std::string("cScalar"), 0.0}, std::nullopt, "Variable not found: cScalar");
}

TEST(HostProtocol, EvaluationAnswersValuesOrTheHostsOwnError) {
    Host host;
    host.set_variable("nA", HostValue::numeric(1.5, 1));
    host.set_variable("nB", HostValue::numeric(2, 0));
    host.set_session(3);
    EXPECT_EQ(host.call_function(evaluate_text, {std::string("nA + m.nB")}), Result(std::string("N:3.500000/1")));
    EXPECT_EQ(host.call_function(evaluate_text, {std::string("Set('DataSession')")}), Result(std::string("N:3.000000/0")));
    EXPECT_EQ(host.call_function(evaluate_text, {std::string("'a' + [b]")}), Result(std::string("C:ab")));
    expect_error(host, evaluate_text, {std::string("nA / 0")}, 1307, "Division by zero");
}

TEST(HostProtocol, HostActionsAreRecordedPerCall) {
    Host host;
    host.set_window(9);
    host.call_function(executes_and_switches);
    std::vector<tarnvel::HostAction> expected = {
        {"switch", "1", 0}, {"execute", "MessageBox([hello],55,[!],70000)", 0}, {"editor", "copy", 9}};
    EXPECT_EQ(host.actions(), expected);
    host.call_function(returns_nothing);
    EXPECT_TRUE(host.actions().empty());
}

// --- the byte budget ---

TEST(HostProtocol, BudgetMakesEachAllocationFailInTurnWithoutLeaks) {
    Host host;
    host.set_variable("cName", HostValue::character("a text to load"));
    // load_variable obtains: the loaded text (nested entry), then the result; the host's own
    // argument handles are outside the budget.
    int failures = 0;
    for (std::size_t allowed = 0; allowed < 3; ++allowed) {
        host.set_budget(std::nullopt, allowed);
        try {
            Result r = host.call_function(load_variable, {std::string("cName"), 0.0});
            EXPECT_EQ(allowed, 2u);
            EXPECT_EQ(r, Result(std::string("C:a text to load")));
        } catch (const Error &e) {
            ++failures;
            EXPECT_EQ(e.number(), 182);
        }
        EXPECT_EQ(host.handles_in_use(), 0u) << allowed;
    }
    EXPECT_EQ(failures, 2);  // the nested obtain of the loaded text, then the result's handle
    host.set_budget(std::nullopt);
    EXPECT_EQ(host.call_function(load_variable, {std::string("cName"), 0.0}), Result(std::string("C:a text to load")));
}

TEST(HostProtocol, ByteBudgetRefusesLargeBuffers) {
    Host host;
    host.set_budget(std::size_t{500});
    EXPECT_EQ(host.call_function(obtains_a_buffer, {100.0}), Result(true));
    expect_error(host, obtains_a_buffer, {1000.0}, 182, "Insufficient memory");
    // the count of obtains starts at the library's call: the host's argument handles come first
    host.set_budget(std::nullopt, 1);
    EXPECT_EQ(host.call_function(describe_params, {std::string("x"), std::string("y")}), Result(std::string("C1;C1;")));
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// --- threads ---

TEST(HostProtocol, TwoThreadsCallAtOnceEachWithItsOwnHost) {
    std::atomic<int> wrong{0};
    auto worker = [&wrong](const std::string &mine) {
        Host host;
        host.set_variable("cMine", HostValue::character(mine));
        for (int i = 0; i < 300; ++i) {
            if (host.call_function(load_variable, {std::string("cMine"), 0.0}) != Result("C:" + mine)) ++wrong;
            try {
                host.call_function(raises_user_error_after_returning);
                ++wrong;
            } catch (const Error &e) {
                if (e.message() != "the worker gave up") ++wrong;
            }
            if (host.handles_in_use() != 0) ++wrong;
        }
    };
    std::thread a(worker, "alpha"), b(worker, std::string(5000, 'b'));
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

// --- loading a built library file ---

TEST(HostProtocol, ABuiltLibraryFileIsReachedThroughDispatchAPI) {
    Host host(tarnvel::Library::load(TARNVEL_LIBRARY_FILE));
    host.set_window(7);
    EXPECT_EQ(host.call("ZQ_WONTOP"), Result(7.0));
    EXPECT_EQ(host.functions().size(), 31u);
    try {
        host.call("ZQ_SQL_SELECT_CONVERT", {std::string("SELECT 1")});
    } catch (const Error &e) {
        EXPECT_FALSE(e.message().empty());
    }
    EXPECT_EQ(host.handles_in_use(), 0u);
    EXPECT_THROW(tarnvel::Library::load("/nonexistent/libtarnvel.so"), Error);
}

// Every function of the table is reachable by name with arguments of its type string, and every
// call, whatever it answers, leaves the handle table as it found it.
TEST(HostProtocol, EveryLibraryFunctionIsReachedByName) {
    Host host;
    auto functions = host.functions();
    ASSERT_EQ(functions.size(), 31u);
    for (const auto &[name, types] : functions) {
        std::vector<Arg> args;
        for (std::size_t pos = 0; pos < types.size(); pos = types.find(',', pos) == std::string::npos ? types.size() : types.find(',', pos) + 1) {
            if (types[pos] == '.') break;  // optional parameters are left out
            char type = types[pos];
            if (type == 'C') args.emplace_back(std::string("SELECT a FROM t"));
            if (type == 'N') args.emplace_back(1.0);
            if (type == 'L') args.emplace_back(true);
        }
        try {
            host.call(name, args);
        } catch (const Error &e) {
            EXPECT_FALSE(e.message().empty()) << name;
            EXPECT_NE(e.number(), std::optional<int>(11)) << name << ": the host's own argument check refused";
        }
        EXPECT_EQ(host.handles_in_use(), 0u) << name;
    }
    host.call("ZQV_SETLOC", {std::string("C")});
    host.call("ZQV_SETFROMFOX", {true});
}

// What a faulty library might do to its host: the host answers each with a clear error (or keeps
// the last of two results), and nothing it handed out is left behind.
void TV_FASTCALL returns_twice(ParamBlk *) {
    api::ret_char("first");
    api::ret_char("second");
}
void TV_FASTCALL returns_unknown_type(ParamBlk *) {
    Value v{};
    v.type = 'X';
    api::ret_val(v);
}
void TV_FASTCALL returns_empty_string_handle(ParamBlk *) {
    Value v{};
    v.type = 'H';
    v.length = 3;
    api::ret_val(v);
}
void TV_FASTCALL loads_unknown_name_index(ParamBlk *) {
    Locator locator{};
    locator.name_index = 999;
    Value v{};
    api::load(locator, v);
    api::ret_logical(true);
}
void TV_FASTCALL user_error_without_text(ParamBlk *) { tarnvel::dispatch::send(TV_HOST_USER_ERROR, 0); }
void TV_FASTCALL evaluates_no_expression(ParamBlk *) {
    Value v{};
    tv_word status = 0;
    tarnvel::dispatch::send(TV_HOST_EVALUATE, reinterpret_cast<tv_word>(&v), 0, 0, &status);
    api::ret_int(status != 0 ? 1 : 0);
}

TEST(HostProtocol, WhatAFaultyLibraryDoesIsAnsweredClearly) {
    Host host;
    EXPECT_EQ(host.call_function(returns_twice), Result(std::string("second")));
    EXPECT_EQ(host.handles_in_use(), 0u);
    struct Case {
        FoxFunction function;
        std::optional<int> number;
        std::string message;
    } cases[] = {
        {returns_unknown_type, {}, "the library returned a value of type 'X'"},
        {returns_empty_string_handle, {}, "the library returned a string in handle 0, which holds nothing"},
        {loads_unknown_name_index, 12, "Variable is not found"},
        {user_error_without_text, {}, ""},
        {evaluates_no_expression, 10, "Syntax error: the expression is empty in ''"},
    };
    for (const Case &c : cases) expect_error(host, c.function, {}, c.number, c.message);
}

}  // namespace
