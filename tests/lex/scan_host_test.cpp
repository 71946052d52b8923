// nth_argument and read_dtoc_style need the host: they run here as the body of a library call made
// through DispatchAPI by the bare test host, which answers the variable requests itself.
#include "lex/scan.h"

#include "host/raw_host.h"

#include <gtest/gtest.h>

#include <cmath>
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
    };
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
    };
    rawhost::Host host;
    for (const Case &c : cases) {
        EXPECT_EQ(argument(host, c.text, c.pos, c.n), c.expected) << c.text << " #" << c.n;
        EXPECT_TRUE(host.requests.errors.empty());
        EXPECT_EQ(host.handles_in_use(), 0u);
    }
}

TEST(NthArgument, StepsOverTheQuotedRunsTheRulesName) {
    constexpr LiteralRules fox{true, BracketRuns::nested, true};
    rawhost::Host host;
    EXPECT_EQ(argument(host, "STR(\"1,2\", 5)", 3, 1, fox), "\"1,2\"");
    EXPECT_EQ(argument(host, "STR(\"1,2\", 5)", 3, 2, fox), " 5");
    EXPECT_EQ(argument(host, "STR([a,(b], 5)", 3, 2, fox), " 5");
    EXPECT_EQ(argument(host, "STR(`a,b`)", 3, 1, fox), "`a,b`");
    EXPECT_EQ(argument(host, "STR(\"1,2\", 5)", 3, 2), "2\"");  // without the rules the comma counts
    EXPECT_EQ(host.handles_in_use(), 0u);
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
    bool returned = false;
    inside_call(host, [&] {
        nth_argument("STR(x, 10)", 3, 1);
        returned = true;
    });
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
    EXPECT_FALSE(returned);
    EXPECT_EQ(host.requests.errors, std::vector<int>{182});
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A host with one variable, "___TARNVEL_Set_DToC_Style", answering the name-table, find and load
// requests; a character value is handed over in a handle of the host's table.
struct StyleHost {
    rawhost::Host host;
    std::optional<Value> variable;
    bool findable = true;
    std::vector<std::string> names_asked;

    StyleHost() {
        host.requests.extra = [this](CallbackBlock *block) {
            switch (block->code) {
            case TV_HOST_NAME_TABLE_INDEX:
                names_asked.emplace_back(reinterpret_cast<const char *>(block->arg0));
                block->arg0 = variable ? 7 : static_cast<tv_word>(-1);
                break;
            case TV_HOST_FIND_VAR:
                block->arg0 = findable && block->arg0 == 7 && static_cast<int>(block->arg1) == -1 ? 1 : 0;
                break;
            case TV_HOST_LOAD: std::memcpy(reinterpret_cast<void *>(block->arg1), &*variable, sizeof(Value)); break;
            default: break;
            }
        };
    }

    std::string style(int default_style) {
        std::string result;
        inside_call(host, [&] {
            std::array<char, 4> style = read_dtoc_style(default_style);
            EXPECT_EQ(style[3], '\0');
            result.assign(style.data(), 3);
        });
        return result;
    }
};

Value numeric(double number) {
    Value v{};
    v.type = 'N';
    v.real = number;
    return v;
}

TEST(DtocStyle, ReadsTheNumericVariableAsThreeCharacters) {
    struct Case {
        std::optional<double> value;  // nullopt: no such variable
        int default_style;
        std::string expected;
    };
    const Case cases[] = {
        {std::nullopt, 102, "102"}, {std::nullopt, 5, "5  "}, {1, 102, "1  "}, {12, 102, "12 "}, {102, 1, "102"},
        {0, 102, "0  "},
        {12.9, 102, "12 "},  // truncated toward zero
        {-1.5, 102, "-1 "}, {-99, 102, "-99"}, {999, 102, "999"},
        {1000, 102, "102"},  // four characters do not fit: the default
        {-100, 102, "102"}, {1e300, 102, "102"}, {std::nan(""), 102, "102"}, {INFINITY, 102, "102"},
    };
    for (const Case &c : cases) {
        StyleHost h;
        if (c.value) h.variable = numeric(*c.value);
        EXPECT_EQ(h.style(c.default_style), c.expected) << (c.value ? *c.value : -12345);
        ASSERT_EQ(h.names_asked.size(), 1u);
        EXPECT_EQ(h.names_asked[0], "___TARNVEL_Set_DToC_Style");
        EXPECT_TRUE(h.host.requests.errors.empty());
        EXPECT_EQ(h.host.handles_in_use(), 0u);
    }
}

TEST(DtocStyle, OtherTypesAndUnfindableVariablesGiveTheDefault) {
    {
        StyleHost h;
        Value text{};
        text.type = 'C';
        text.length = 1;
        text.handle = h.host.alloc(2);
        h.variable = text;
        EXPECT_EQ(h.style(102), "102");
        EXPECT_EQ(h.host.handles_in_use(), 0u);  // the character value's handle was released
    }
    {
        StyleHost h;
        Value logical{};
        logical.type = 'L';
        logical.length = 1;
        h.variable = logical;
        EXPECT_EQ(h.style(102), "102");
    }
    {
        StyleHost h;
        h.variable = numeric(1);
        h.findable = false;
        EXPECT_EQ(h.style(102), "102");
    }
}

}  // namespace
