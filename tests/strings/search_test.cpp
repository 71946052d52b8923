// ZQV_AT and ZQV_STRTRAN: case folding, literals stepped over, top-level mode, occurrences.
#include "utilities/library_calls.h"

#include <string>

namespace {

using Args = std::vector<tarnvel::Arg>;
using namespace std::string_literals;

TEST(At, FindsTheWantedOccurrenceOutsideLiterals) {
    struct Case {
        Args args;
        double expected;
    };
    const Case cases[] = {
        {{"c"s, "ABC"s}, 3},
        {{"abc"s, "ABC"s}, 1},
        {{"b"s, "'b' b"s}, 5},
        {{"b"s, "\"b\" b"s}, 5},
        {{"b"s, "[b] b"s}, 5},
        {{"b"s, "(b) b"s}, 2},
        {{"b"s, "(b) b"s, 1.0, true}, 5},
        {{"aa"s, "aaa"s, 2.0}, 2},  // occurrences overlap
        {{"b"s, "b b"s, 0.0}, 1},
        {{"b"s, "b b"s, 1.0}, 1},
        {{"b"s, "b b"s, -3.0}, 1},
        {{"b"s, "b b b"s, 2.9}, 3},  // truncated toward zero
        {{"b"s, "b b"s, 3.0}, 0},
        {{"x"s, "'x"s}, 0},       // an open literal ends the search
        {{"x"s, "a 'b"s}, 0},
        {{"xy"s, "x"s}, 0},
        {{""s, "abc"s}, 1},       // an empty needle matches at once
        {{""s, "abc"s, 3.0}, 3},
        {{"'"s, "it's"s}, 3},     // a needle that begins with a quote is found
        {{"x"s, "'' x"s}, 4},     // '' is an empty literal
        {{"x"s, "[]x]"s}, 3},     // and so is []
        {{"b"s, "((b)) b"s, 1.0, true}, 7},
        {{"b"s, ") b"s, 1.0, true}, 0},  // below the top level after a stray ")"
        {{"b"s, "'(' b"s, 1.0, true}, 5},  // brackets in literals do not count
        {{"B"s, "abc"s, 1.0, false, true}, 2},  // parameter 5 has no effect
    };
    tarnvel::Host host;
    for (const Case &c : cases) EXPECT_EQ(testcalls::number(host, "ZQV_AT", c.args), c.expected) << std::get<std::string>(c.args[1]);
}

TEST(StrTran, ReplacesEveryOccurrenceOutsideLiterals) {
    struct Case {
        Args args;
        std::string expected;
    };
    const Case cases[] = {
        {{"AAA"s, "a"s, "b"s}, "bbb"},
        {{"name='name'"s, "name"s, "id"s}, "id='name'"},
        {{"x(x)x"s, "x"s, "y"s, true}, "y(x)y"},
        {{"x(x)x"s, "x"s, "y"s}, "y(y)y"},
        {{"it's"s, "'"s, "''"s}, "it''s"},  // the needle holds the quote: quotes are not stepped over
        {{"x = '' AND name = 'abc'"s, "name"s, "id"s}, "x = '' AND id = 'abc'"},
        {{"'' a ' a"s, "a"s, "b"s}, "'' b ' a"},  // an open literal leaves the rest unchanged
        {{"x = [] AND name = [abc]"s, "name"s, "id"s}, "x = [] AND id = [abc]"},
        {{"\"name\" name"s, "NAME"s, "id"s}, "\"name\" id"},
        {{"Name = 1"s, "name"s, "ID"s}, "ID = 1"},  // the replacement as given
        {{"aa"s, "a"s, "aa"s}, "aaaa"},             // a replacement is not searched again
        {{"aaa"s, "aa"s, "b"s}, "ba"},
        {{"ab"s, ""s, "-"s}, "-a-b-"},
        {{"'a'b"s, ""s, "-"s}, "-'a'-b-"},
        {{""s, ""s, "-"s}, "-"},
        {{""s, "a"s, "b"s}, ""},
        {{"[a] [a"s, "[a"s, "x"s}, "x] x"},  // the needle holds "[": brackets are not stepped over
        {{"f(a) + a"s, "a"s, ""s, true}, "f(a) + "},
        {{"ab)ab(ab(ab"s, "ab"s, "x"s, true}, "x)x(x(ab"},  // at or below zero counts as the top level
        {{"a'b'a"s, "a'b"s, "x"s}, "x'a"},
        {{"a b"s, "a"s, "b"s, false, true, true}, "b b"},  // parameters 5 and 6 have no effect
    };
    tarnvel::Host host;
    for (const Case &c : cases)
        EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", c.args), c.expected) << std::get<std::string>(c.args[0]);
}

TEST(StrTran, ZeroBytesStayPartOfTheText) {
    tarnvel::Host host;
    EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", {"a\0a"s, "a"s, "bc"s}), "bc\0bc"s);
    EXPECT_EQ(testcalls::number(host, "ZQV_AT", {"b"s, "a\0b"s}), 3);
}

TEST(StrTran, GrowsItsTextOrReportsInsufficientMemory) {
    std::string text(3000, 'a'), expected;
    for (int i = 0; i < 3000; ++i) expected += "xyz";
    tarnvel::Host host;
    EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", {text, "a"s, "xyz"s}), expected);
    EXPECT_GT(testcalls::under_budgets(host, "ZQV_STRTRAN", {text, "a"s, "xyz"s}, expected,
                                       "Insufficient memory for ZQV_StrTran"),
              0);
}

}  // namespace
