// nth_argument needs the host: it runs here as the body of a library call made through DispatchAPI
// by the bare test host.
#include "lex/scan.h"

#include "host/raw_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace {

using namespace tarnvel::lex;

using rawhost::inside_call;

// The n-th argument as a string, or nullopt for an empty Buffer; the Buffer is released in the call.
std::optional<std::string> argument(rawhost::Host &host, std::string_view text, Pos pos, int n,
                                    const LiteralRules &rules = single_quotes_only) {
    std::optional<std::string> result;
    inside_call(host, [&] {
        tarnvel::Buffer buffer = nth_argument(text, pos, n, rules);
        if (buffer) result = std::string(buffer.data());
    });
    return result;
}

TEST(NthArgument, CopiesTheArgumentOfTheCall) {
    struct Case {
        std::string_view text;
        Pos pos;
        int n;
        std::optional<std::string> expected;
        const LiteralRules *rules = &single_quotes_only;
    };
    constexpr LiteralRules fox{true, BracketRuns::nested, true};
    const Case cases[] = {
        {"STR(x, 10, 2)", 3, 1, "x"}, {"STR(x, 10, 2)", 3, 2, " 10"}, {"STR(x, 10, 2)", 3, 3, " 2"},
        {"STR(x, 10, 2)", 3, 4, std::nullopt},            // fewer arguments than asked for
        {"STR(f(a, b), 'x,)', c)", 3, 1, "f(a, b)"},      // nesting passed over
        {"STR(f(a, b), 'x,)', c)", 3, 2, " 'x,)'"},       // and strings too
        {"STR(f(a, b), 'x,)', c)", 3, 3, " c"},
        {"STR(x,,y)", 3, 2, std::nullopt},                // an empty argument
        {"STR()", 3, 1, std::nullopt},
        {"STR(x, 10", 3, 1, "x"},                         // stops at the comma
        {"STR(x, 10", 3, 2, std::nullopt},                // the text ends inside the call
        {"STR(x, 'ab", 3, 2, std::nullopt},               // the text ends inside a string
        {"STR(x)", 6, 1, std::nullopt},                   // pos at the end of the text
        {"STR(x)", 9, 1, std::nullopt}, {"STR(x)", 3, 0, std::nullopt},
        {"a, b)", 0, 1, "a"},                             // no "(" at pos: the argument starts there
        {"STR(\"1,2\", 5)", 3, 1, "\"1,2\"", &fox},          // the quoted runs the rules name
        {"STR(\"1,2\", 5)", 3, 2, " 5", &fox},
        {"STR([a,(b], 5)", 3, 2, " 5", &fox},
        {"STR(`a,b`)", 3, 1, "`a,b`", &fox},
        {"STR(\"1,2\", 5)", 3, 2, "2\""},                    // without the rules the comma counts
    };
    rawhost::Host host;
    for (const Case &c : cases) {
        EXPECT_EQ(argument(host, c.text, c.pos, c.n, *c.rules), c.expected) << c.text << " #" << c.n;
        EXPECT_TRUE(host.requests.errors.empty());
        EXPECT_EQ(host.handles_in_use(), 0u);
    }
}

TEST(NthArgument, TakesTheViewsLengthNotItsFirstNul) {
    rawhost::Host host;
    inside_call(host, [&] {
        tarnvel::Buffer buffer = nth_argument(std::string_view("F(a\0b, c)", 9), 1, 1);
        ASSERT_TRUE(buffer);
        EXPECT_EQ(std::memcmp(buffer.data(), "a\0b\0", 4), 0);
    });
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST(NthArgument, RaisesInsufficientMemoryWhenNoCopyCanBeHad) {
    rawhost::Host host;
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0);  // no more obtains
    const bool returned = inside_call(host, [] { nth_argument("STR(x, 10)", 3, 1); });
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
    EXPECT_FALSE(returned);
    EXPECT_EQ(host.requests.errors, std::vector<int>{182});
    EXPECT_EQ(host.handles_in_use(), 0u);
}

}  // namespace
