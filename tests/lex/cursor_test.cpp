#include "lex/cursor.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using namespace tarnvel::lex;

constexpr std::size_t none = Cursor::npos;
constexpr LiteralRules fox{true, BracketRuns::flat, false};
constexpr LiteralRules program{.double_quotes = true, .brackets = BracketRuns::first};
constexpr Stops commas(",");
constexpr Stops opens("(");

TEST(Cursor, FindsStopsOutsideRunsAtDepthZeroOrBelow) {
    struct Case {
        std::string_view text;
        const Stops *stops;
        LiteralRules rules;
        Levels levels;
        std::size_t expected;
        long depth;  // where it stopped, or at the end
        bool closed;
    };
    const Case cases[] = {
        {"f(a, b), c", &commas, fox, Levels::counted, 7, 0, true},
        {"f(a, b), c", &commas, fox, Levels::ignored, 3, 0, true},
        {"a) , b", &commas, fox, Levels::counted, 3, -1, true},  // below the level it started at
        {"(a, b", &commas, fox, Levels::counted, none, 1, true},
        {"'a,b', c", &commas, single_quotes_only, Levels::counted, 5, 0, true},
        {"\"a,b\", c", &commas, single_quotes_only, Levels::counted, 2, 0, true},
        {"\"a,b\", c", &commas, fox, Levels::counted, 5, 0, true},
        {"[a[b],c], d", &commas, LiteralRules{true, BracketRuns::nested, false}, Levels::counted, 8, 0, true},
        {"[a[b],c], d", &commas, program, Levels::counted, 5, 0, true},  // the first "]" closes
        {"[a,b], c", &commas, no_quoted_runs, Levels::counted, 2, 0, true},
        {"'a,b', c", &commas, no_quoted_runs, Levels::counted, 2, 0, true},
        {"`a,b`, c", &commas, LiteralRules{.backticks = true}, Levels::counted, 5, 0, true},
        {"x 'a, b", &commas, fox, Levels::counted, none, 0, false},
        {"'(' (SELECT", &opens, fox, Levels::ignored, 4, 0, true},
        {"((SELECT", &opens, fox, Levels::ignored, 0, 0, true},
    };
    for (const Case &c : cases) {
        Cursor cursor(c.text, 0, c.rules, c.levels);
        EXPECT_EQ(cursor.find(*c.stops), c.expected) << c.text;
        EXPECT_EQ(cursor.depth(), c.depth) << c.text;
        EXPECT_EQ(cursor.runs_closed(), c.closed) << c.text;
    }
}

TEST(Cursor, FindsWordsAndGroupEnds) {
    struct Case {
        std::string_view text;
        std::string_view word;  // empty: the end of the group the text starts in
        Levels levels;
        std::size_t expected;
    };
    const Case cases[] = {
        {"a 'x JOIN y' JOIN b", " JOIN ", Levels::counted, 12},
        {"(a JOIN b) JOIN c", " JOIN ", Levels::counted, 10},
        {"(a JOIN b)", " JOIN ", Levels::ignored, 2},
        {"(a)(b)", "(b", Levels::counted, none},  // a counted parenthesis starts no word
        {"(a)(b)", "(b", Levels::ignored, 3},
        {"a `b JOIN c", " JOIN ", Levels::counted, 4},        // a backtick opens no run under these rules
        {"[x JOIN y] JOIN z", " JOIN ", Levels::counted, 10},
        {"ab JOINJOIN JOIN ", " JOIN ", Levels::counted, 11},  // a first character that starts no match
        {"a ) JOIN", "JOIN", Levels::ignored, 4},               // the last characters of the text
        {"a ) JOIN", "JOIN", Levels::counted, 4},               // below depth zero counts as outside
        {"a, (b)), c", "", Levels::counted, 6},
        {"a, ')'), c", "", Levels::counted, 6},
        {"a, (b", "", Levels::counted, none},
    };
    for (const Case &c : cases) {
        Cursor cursor(c.text, 0, fox, c.levels);
        EXPECT_EQ(c.word.empty() ? cursor.group_end() : cursor.find(c.word), c.expected) << c.text << " / " << c.word;
    }
}

TEST(Cursor, StepsOverOneRunOrCharacterAndSaysWhichItPassed) {
    struct Case {
        std::string_view text;
        Levels levels;
        std::size_t at;  // after one step
        bool passed;
        long depth;
    };
    const Case cases[] = {
        {"'ab' x", Levels::counted, 4, true, 0}, {"[ab", Levels::counted, 3, true, 0},
        {"(a", Levels::counted, 1, true, 1},     {")a", Levels::counted, 1, true, -1},
        {"(a", Levels::ignored, 1, false, 0},    {"ab", Levels::counted, 1, false, 0},
        {"", Levels::counted, 0, false, 0},
    };
    for (const Case &c : cases) {
        Cursor cursor(c.text, 0, fox, c.levels);
        EXPECT_EQ(cursor.step(), c.passed) << c.text;
        EXPECT_EQ(cursor.at(), c.at) << c.text;
        EXPECT_EQ(cursor.depth(), c.depth) << c.text;
    }
    Cursor past(std::string_view("ab"), 9, fox);  // a start beyond the text is its end
    EXPECT_TRUE(past.done());
    EXPECT_EQ(past.find(commas), none);
}

}  // namespace
