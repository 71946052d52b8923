#include "lex/scan.h"

#include "lex/cp1251_locale.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>

namespace {

using namespace tarnvel::lex;
using tarnvel::testing::Cp1251Locale;
using tarnvel::testing::LocaleScope;

// A case names its word by its first occurrence in the text; pos is the index after the word.
struct Case {
    std::string_view text;
    std::string_view word;
    bool expected;
    const EdgeQuotes *q = &sqlserver_edges;
    bool dot = false;
    Star star = Star::product;
};

using WordTest = std::function<bool(std::string_view text, Pos pos, Pos len, const Case &c)>;

void run(const WordTest &test, std::initializer_list<Case> cases) {
    for (const Case &c : cases) {
        auto found = c.text.find(c.word);
        ASSERT_NE(found, std::string_view::npos) << c.word << " in " << c.text;
        Pos len = static_cast<Pos>(c.word.size());
        Pos pos = static_cast<Pos>(found) + len;
        EXPECT_EQ(test(c.text, pos, len, c), c.expected)
            << "word " << c.word << " in \"" << c.text << "\" dot " << c.dot << " star " << (c.star == Star::operand);
    }
}

const EdgeQuotes *const sqlserver = &sqlserver_edges;
const EdgeQuotes *const oracle = &oracle_edges;
const EdgeQuotes *const mysql = &mysql_edges;
const EdgeQuotes *const access = &access_edges;

TEST(PrecededByOperand, LooksTwoCharactersBack) {
    run([](auto t, Pos p, Pos l, const Case &c) { return preceded_by_operand(t, p, l, *c.q, c.dot, c.star); },
        {
            {"a AND b", "AND", true},
            {"a .AND. b", "AND", false, sqlserver, true},  // a blank stands before the dot
            {"a.AND.b", "AND", false}, {"a.AND.b", "AND", true, sqlserver, true},
            {"SELECT * FROM t", "FROM", true, sqlserver, false, Star::operand},
            {"SELECT * FROM t", "FROM", false, sqlserver, false, Star::product}, {"f(x) AND y", "AND", true},
            {"'x' AND y", "AND", true}, {"\"x\" AND y", "AND", true}, {"x_ AND y", "AND", true},
            {"x# AND y", "AND", true}, {"9 AND y", "AND", true}, {"[x] AND y", "AND", true},
            {"[x] AND y", "AND", true, access}, {"[x] AND y", "AND", false, oracle},
            {"[x] AND y", "AND", false, mysql}, {"`x` AND y", "AND", true, mysql},
            {"`x` AND y", "AND", false, sqlserver}, {"\"x\" AND y", "AND", true, oracle}, {"= AND y", "AND", false},
            {"( AND y", "AND", false}, {"x  AND y", "AND", false},
            {" AND y", "AND", false},  // only one character before the word
            {"\xC0 AND y", "AND", false},
        });
}

TEST(PrecededByName, AcceptsNamesAndClosingQuotes) {
    run([](auto t, Pos p, Pos l, const Case &c) { return preceded_by_name(t, p, l, *c.q); },
        {
            {"t ON x", "ON", true}, {"t1 ON x", "ON", true}, {"t_ ON x", "ON", true}, {"[t] ON x", "ON", true},
            {"[t] ON x", "ON", false, oracle}, {"\"t\" ON x", "ON", true, oracle},
            {"\"t\" ON x", "ON", false, sqlserver}, {"`t` ON x", "ON", true, mysql}, {") ON x", "ON", false},
            {"' ON x", "ON", false}, {"t# ON x", "ON", false}, {"tON x", "ON", false},
        });
}

TEST(PrecededByLiteral, AcceptsQuotesAndDigits) {
    run([](auto t, Pos p, Pos l, const Case &) { return preceded_by_literal(t, p, l); },
        {
            {"'a' AS b", "AS", true}, {"12 AS b", "AS", true}, {"a AS b", "AS", false}, {"'a'AS b", "AS", false},
            {"\"a\" AS b", "AS", false},
        });
}

TEST(PrecededByPunctuation, EqualsAndParentheses) {
    run([](auto t, Pos p, Pos l, const Case &c) { return preceded_by_equals(t, p, l, c.dot); },
        {
            {"x =NULL", "NULL", true}, {"x = NULL", "NULL", true}, {"x =.NULL.", "NULL", false},
            {"x =.NULL.", "NULL", true, sqlserver, true}, {"x=  NULL", "NULL", false},
            {"=NULL", "NULL", false},  // the character before is "=", but two must exist
            {"x <NULL", "NULL", false},
        });
    run([](auto t, Pos p, Pos l, const Case &) { return preceded_by_open_paren(t, p, l); },
        {
            {"f(a)", "a", true}, {"f( a)", "a", true}, {"f(  a)", "a", false}, {"(a)", "a", false},
            {"f(.a)", "a", false},
        });
    run([](auto t, Pos p, Pos l, const Case &) { return preceded_by_close_paren(t, p, l); },
        {
            {"(x) ON", "ON", true}, {"(x)ON", "ON", true}, {"(x)  ON", "ON", false}, {"(x ON", "ON", false},
        });
}

TEST(PrecededByOperator, ExtendsTheWordOverItemCharacters) {
    run([](auto t, Pos p, Pos l, const Case &c) { return preceded_by_operator(t, p, l, *c.q); },
        {
            {"x = a.b", "b", true}, {"x=a.b", "b", true}, {"x = ~cVar", "cVar", true}, {"x * ?y", "y", true},
            {"-a", "a", true}, {"x >= a", "a", true}, {"x, a.b", "b", false}, {"a.b", "b", false},
            {"x =  a", "a", false}, {"x || a", "a", true, oracle}, {"x||a", "a", true, oracle},
            {"x | a", "a", true, sqlserver}, {"x & a", "a", true, mysql}, {"x ! a", "a", false},
        });
}

TEST(FollowedByOperand, NeedsTwoCharactersAfterTheBlank) {
    run([](auto t, Pos p, Pos, const Case &c) { return followed_by_operand(t, p, *c.q, c.dot); },
        {
            {"a AND b ", "AND", true},
            {"a AND b", "AND", false},  // pos + 2 must lie inside the text
            {"a AND (b) ", "AND", true}, {"a AND 'x' ", "AND", true}, {"a AND \"x\" ", "AND", true},
            {"a AND ~x ", "AND", true}, {"a AND #x ", "AND", true}, {"a AND .T. ", "AND", true},
            {"a AND -1 ", "AND", true}, {"a AND _x ", "AND", true},
            {"a AND ?lFlag ", "AND", true},  // a host parameter marker starts an operand
            {"a AND [x] ", "AND", true}, {"a AND [x] ", "AND", true, access}, {"a AND [x] ", "AND", false, oracle},
            {"a AND `x` ", "AND", true, mysql}, {"a AND `x` ", "AND", false, sqlserver}, {"a AND = ", "AND", false},
            {"a AND ) ", "AND", false}, {"a AND  b ", "AND", false}, {"a.AND.b ", "AND", true, sqlserver, true},
            {"a.AND.b ", "AND", false},
        });
}

TEST(FollowedByName, LettersAndOpeningQuotes) {
    run([](auto t, Pos p, Pos, const Case &c) { return followed_by_name(t, p, *c.q); },
        {
            {"x AS b ", "AS", true}, {"x AS [b] ", "AS", true}, {"x AS [b] ", "AS", false, oracle},
            {"x AS \"b\" ", "AS", true, oracle}, {"x AS `b` ", "AS", true, mysql}, {"x AS _b ", "AS", false},
            {"x AS 1 ", "AS", false}, {"x AS b", "AS", false},
        });
    run([](auto t, Pos p, Pos, const Case &c) { return followed_by_name_start(t, p, *c.q); },
        {
            {"t ON b.x ", "ON", true}, {"t ON _b ", "ON", true}, {"t ON #t ", "ON", true}, {"t ON [b] ", "ON", true},
            {"t ON (a ", "ON", false}, {"t ON 1 ", "ON", false},
            {"t ON _", "ON", false},  // pos + 2 must lie inside the text
        });
}

TEST(FollowedByPunctuation, ParenthesisEqualsAndAs) {
    run([](auto t, Pos p, Pos, const Case &) { return followed_by_open_paren(t, p); },
        {
            {"f(a)", "f", true}, {"f (a)", "f", true}, {"f  (a)", "f", false},
            {"f(", "f", false},  // pos + 2 must lie inside the text
            {"f.(a)", "f", false},
        });
    run([](auto t, Pos p, Pos, const Case &c) { return followed_by_equals(t, p, c.dot); },
        {
            {"x= 1", "x", true}, {"x = 1", "x", true}, {"x.=1", "x", false}, {"x.=1", "x", true, sqlserver, true},
            {"x=", "x", false},
        });
    run([](auto t, Pos p, Pos, const Case &c) { return followed_by_as(t, p, c.dot); },
        {
            {"x AS y", "x", true}, {"x as y", "x", true},
            {"x aS", "x", false},  // pos + 3 must lie inside the text
            {"x ASC ", "x", true},  // what follows AS is not examined
            {"x.AS y", "x", true, sqlserver, true}, {"x.AS y", "x", false}, {"x AT y", "x", false},
        });
}

TEST(FollowedByOperator, OneCharacterOrBlanksAndOne) {
    run([](auto t, Pos p, Pos, const Case &) { return followed_by_operator(t, p); },
        {
            {"x=1", "x", true},  {"x>1", "x", true},  {"x<1", "x", true},  {"x*2", "x", true},
            {"x/2", "x", true},  {"x-1", "x", true},  {"x+1", "x", true},  {"x!=1", "x", true},
            {"x.y", "x", true},  {"x(1", "x", true},  {"x =1", "x", true}, {"x >1", "x", true},
            {"x <1", "x", true}, {"x !1", "x", true}, {"x +1", "x", true}, {"x -1", "x", true},
            {"x *1", "x", true}, {"x (1", "x", true}, {"x /1", "x", true}, {"x .y", "x", false},
            {"x,y", "x", false}, {"x", "x", false},   {"x ", "x", false},  {"x  =", "x", true},
            {"x|y", "x", true},  {"x |y", "x", true},  {"x & 4", "x", true}, {"x&4", "x", true},
            {"x\t< y", "x", true}, {"x \t >= y", "x", true}, {"x\t", "x", false}, {"x \t,", "x", false},
        });
}

TEST(FollowedByPredicate, WordsInAnyCaseWithTheirFollowers) {
    run([](auto t, Pos p, Pos, const Case &) { return followed_by_predicate(t, p); },
        {
            {"x IN (1)", "x", true}, {"x in(1)", "x", true}, {"x IN\t(1)", "x", true}, {"x INTO", "x", false},
            {"x IN", "x", false},  // four characters from pos are needed
            {"x NOT y", "x", true}, {"x not\ty", "x", true}, {"x NOT(", "x", false}, {"x LIKE 'a'", "x", true},
            {"x LiKe\t'a'", "x", true}, {"x LIKES", "x", false}, {"x IS NULL ", "x", true}, {"x Is nUlL ", "x", true},
            {"x is\tnull\t", "x", true},
            {"x IS NULL", "x", false},  // nine characters from pos are needed
            {"x IS NOT NULL ", "x", false}, {"x BETW(1)", "x", true}, {"x betwe 1", "x", true},
            {"x BETWEE\t1", "x", true}, {"x BETWEEN 1", "x", true}, {"x BETWEENX", "x", false},
            {"x BET 1", "x", false}, {"xIN (1)", "x", false},
        });
}

TEST(ListItem, StandsAloneBetweenSeparators) {
    run([](auto t, Pos p, Pos l, const Case &c) { return list_item(t, p, l, *c.q); },
        {
            {"f(a, b)", "b", true}, {"SELECT a, b AS c", "b", true}, {"SELECT a, b as c", "b", true},
            {"(b)", "b", true}, {"a + b, c", "b", false}, {"f(a,b )", "b", true},
            {"f(x.b)", "b", true},  // the qualifier belongs to the item
            {"f(~b, c)", "b", true}, {"f(a, b c)", "b", false}, {"f(a, b ASC)", "b", false},
            {"(b as", "b", false},  // four characters from pos are needed for an alias
            {"b, c", "b", false},
        });
}

// The operand tests of the SELECT converters' keywords.
constexpr EdgeQuotes sqlserver_names = with_high_names(sqlserver_edges);
const EdgeQuotes *const names = &sqlserver_names;

TEST(OperandBefore, EndsOfNamesLiteralsGroupsAndFoxProLiterals) {
    run([](auto t, Pos p, Pos l, const Case &c) { return operand_before(t, p, l, *c.q, c.dot, c.star); },
        {
            {"a IN (1)", "IN", true}, {"f(b) IN (1)", "IN", true}, {"'x' IN (1)", "IN", true},
            {"9 IN (1)", "IN", true}, {"x# IN (1)", "IN", true}, {"[x] AND y", "AND", true},
            {"`x` AND y", "AND", true, mysql}, {"\"x\" AND y", "AND", true, oracle},
            {".T. END", "END", true}, {".f. END", "END", true}, {".NULL. AS x", "AS", true},
            {".Y. AND z", "AND", true}, {"x. AND z", "AND", false},  // a dot alone ends no operand
            {"{^2016-01-05} AND z", "AND", true},
            {")as b", "as", true}, {"'x'AS b", "AS", true}, {"]AS b", "AS", true}, {"\"x\"AS b", "AS", true},
            {"x(AS b", "AS", false}, {"= AND y", "AND", false}, {"( AND y", "AND", false}, {"x  AND y", "AND", false},
            {"SELECT * FROM t", "FROM", true, sqlserver, false, Star::operand},
            {"SELECT * FROM t", "FROM", false, sqlserver, false, Star::product},
            {"a.AND.b", "AND", true, sqlserver, true}, {"a.AND.b", "AND", false},
            {"\xC3\xA9 AS b", "AS", true, names}, {"\xC3\xA9 AS b", "AS", false},  // UTF-8 names
            {" AND y", "AND", false},
        });
}

TEST(OperandAfter, StartsOfOperandsSignsAndParameters) {
    run([](auto t, Pos p, Pos, const Case &c) { return operand_after(t, p, *c.q, c.dot); },
        {
            {"x LIKE 'a%' ", "LIKE", true}, {"x LIKE ALLTRIM(y) ", "LIKE", true}, {"x LIKE ?cPat ", "LIKE", true},
            {"x LIKE @p ", "LIKE", true}, {"x LIKE :p ", "LIKE", true}, {"x LIKE \"a\" ", "LIKE", true},
            {"x LIKE [a] ", "LIKE", true}, {"x LIKE'a' ", "LIKE", true}, {"x IN(1) ", "IN", true},
            {"BETWEEN {^2016-01-05} ", "BETWEEN", true}, {"AND -1 ", "AND", true}, {"AND +1 ", "AND", true},
            {"AND !x ", "AND", true}, {"AND .T. ", "AND", true}, {"AND ~x ", "AND", true}, {"AND 5 ", "AND", true},
            {"AND `x` ", "AND", true, mysql}, {"AND \xC3\xA9 ", "AND", true, names},
            {"AND \xC3\xA9 ", "AND", false},
            {"AND = 1", "AND", false}, {"AND ) ", "AND", false}, {"AND  x", "AND", false}, {"AND,x", "AND", false},
            {"a.AND.b ", "AND", true, sqlserver, true}, {"a.AND.b ", "AND", false},
            {"x AND", "AND", false},  // nothing follows
        });
}

TEST(HighNames, BytesAboveTheAsciiRangeBelongToNamesWhenTheMemberSaysSo) {
    EXPECT_TRUE(is_item_char('\x80', sqlserver_names));
    EXPECT_FALSE(is_item_char('\x80', sqlserver_edges));
    EXPECT_TRUE(is_operand_char('\xA8', sqlserver_names));
    EXPECT_TRUE(is_operand_start('\xE6', sqlserver_names));
    EXPECT_TRUE(followed_by_name("AS \xE5\x90\x8D", 2, sqlserver_names));
    EXPECT_FALSE(followed_by_name("AS \xE5\x90\x8D", 2, sqlserver_edges));
    EXPECT_TRUE(preceded_by_name("\xE5\x90\x8D ON x", 6, 2, sqlserver_names));
    // the qualifier of a word written in UTF-8 is part of the item
    EXPECT_TRUE(preceded_by_operator("= \xE8\xA1\xA8.x", 7, 1, sqlserver_names));
    EXPECT_FALSE(preceded_by_operator("= \xE8\xA1\xA8.x", 7, 1, sqlserver_edges));
}

TEST(Searches, RunEndFollowsTheLiteralRules) {
    constexpr LiteralRules all{true, BracketRuns::nested, true};
    constexpr LiteralRules flat{true, BracketRuns::flat, false};
    constexpr LiteralRules first{.brackets = BracketRuns::first};
    struct RunCase {
        std::string_view text;
        Pos at;
        const LiteralRules *rules;
        Pos expected;
    };
    const RunCase cases[] = {
        {"'a,b' x", 0, &single_quotes_only, 4},
        {"\"a\" x", 0, &single_quotes_only, 0},  // not a run under these rules
        {"\"a\" x", 0, &all, 2},
        {"`a` x", 0, &all, 2},
        {"`a` x", 0, &flat, 0},
        {"[a[b]c] x", 0, &all, 6},   // nesting counted
        {"[a[b]c] x", 0, &flat, 4},  // the first "]" closes
        {"[a]]b] x", 0, &flat, 3},   // "]]": the first does not close, the second does
        {"[a]]b] x", 0, &first, 2},
        {"'a' x", 0, &no_quoted_runs, 0},
        {"[a x", 0, &all, 4},        // never closed: the length
        {"x [a]", 0, &all, 0},       // no run opens at a name
        {"'abc", 0, &single_quotes_only, 4},
        // a subscript (after a name, a "]" or a ")") ends at its own "]", not at one in its strings
        {"laX[AT(']', s)] = 1", 3, &first, 14},
        {"laX[AT(']', s)] = 1", 3, &flat, 14},
        {"laX[AT(']', s)] = 1", 3, &all, 8},       // nesting rules: names in brackets, not FoxPro
        {"o.aList[AT(\"]\", s)]", 7, &first, 18},
        {"laX[1][AT(']', s)]", 6, &first, 17},     // after a "]"
        {"f(x)[AT(']', s)]", 4, &first, 15},       // after a ")"
        {"laX[AT('x, s)] + 'y'", 3, &first, 13},   // a string left open: the first "]" closes
        {"AND[O'Neil] = 'z'", 3, &first, 10},     // after a keyword: a string, its first "]" closes
        {"sele[a']' x", 4, &first, 7},
        {"laX [a']' x", 4, &first, 7},           // after a blank: a string
    };
    for (const auto &c : cases) EXPECT_EQ(run_end(c.text, c.at, *c.rules), c.expected) << c.text << " at " << c.at;
}

TEST(Searches, CommasParenthesesAndArgumentsInsideEveryQuotedRun) {
    constexpr LiteralRules fox{true, BracketRuns::flat, false};
    EXPECT_EQ(find_next_comma("IIF(x = \"a,b\", 1, 0)", 3, fox), 13);
    EXPECT_EQ(find_next_comma("IIF(x = \"a,b\", 1, 0)", 3), 10);  // the "..." run is not known
    EXPECT_EQ(find_next_comma("IIF(x = [a,b], 1, 0)", 3, fox), 13);
    EXPECT_EQ(find_close_paren("(SELECT b FROM u WHERE c = \"(\")", 0, fox), 30);
    EXPECT_EQ(find_close_paren("(SELECT b FROM u WHERE c = \"(\")", 0), 31);  // none: the "(" counted
    EXPECT_EQ(find_close_paren("f(\"x)\") AND y", 1, fox), 6);
    EXPECT_EQ(find_close_paren("f(\"x)\") AND y", 1), 4);
    EXPECT_EQ(find_close_paren("f(\"it's\", 'a')", 1, fox), 13);  // an apostrophe inside "..."
    EXPECT_EQ(find_close_paren("f((`a)`), b)", 1, LiteralRules{false, BracketRuns::none, true}), 11);
    EXPECT_EQ(find_at_level("f(a, b), [c, d], e", 0, ",", fox), 7u);
    EXPECT_EQ(find_at_level("[c, d], e", 0, ",", fox), 6u);
    EXPECT_EQ(find_at_level("a 'x JOIN y' JOIN b", 0, " JOIN ", fox), 12u);
    EXPECT_EQ(find_at_level("(a JOIN b)", 0, " JOIN ", fox), std::string_view::npos);
    EXPECT_EQ(find_at_level("a) , b", 0, ",", fox), 3u);  // below the level it started at
}

TEST(Searches, FindCloseParenPassesOverStringsAndNesting) {
    struct SearchCase {
        std::string_view text;
        Pos pos;
        Pos expected;
    };
    const SearchCase cases[] = {
        {"F(a, (b), 'x)')", 1, 14},
        {"f()", 1, 2},
        {"f(a", 1, 3},           // no closing parenthesis: the end of the text
        {"f('abc", 1, 6},        // a string runs to the end
        {"f(a, (b", 1, -1},      // a nested group is not closed
        {"f(a, (')'", 1, -1},
        {"f(", 1, 2},
        {"(a) (b)", 4, 6},
        {std::string_view("f(a\0b)", 6), 1, 5},  // a NUL is a character like any other
    };
    for (const auto &c : cases) EXPECT_EQ(find_close_paren(c.text, c.pos), c.expected) << c.text;
}

TEST(Searches, FindNextCommaAtLevelZeroOrBelow) {
    struct SearchCase {
        std::string_view text;
        Pos pos;
        Pos expected;
    };
    const SearchCase cases[] = {
        {"IIF(a, b, c)", 3, 5},
        {"IIF(f(a, b), c, d)", 3, 11},
        {"f(a) , b", 1, 5},  // after the group that holds pos
        {"f(',', x)", 1, 5},
        {"f(a)", 1, -1},
        {"f('a, b", 1, -1},
        {"f(a", 10, -1},
    };
    for (const auto &c : cases) EXPECT_EQ(find_next_comma(c.text, c.pos), c.expected) << c.text;
}

// The tests read the alphabet in force: with the code page 1251 locale, 0xC0 counts as a letter.
TEST(ScanAlphabet, ExtendedLettersAreOperandsUnderTheirLocale) {
    const auto &name = Cp1251Locale::available();
    if (!name) GTEST_SKIP() << "no locale with a .1251 name can be made here";
    EXPECT_FALSE(is_operand_char('\xC0', sqlserver_edges));
    LocaleScope scope(*name);
    ASSERT_TRUE(scope.ok());
    EXPECT_TRUE(is_operand_char('\xC0', sqlserver_edges));
    EXPECT_TRUE(is_operand_start('\xFF', oracle_edges));
    EXPECT_TRUE(is_item_char('\xE0'));
    EXPECT_FALSE(is_item_char('\xA8'));
    EXPECT_TRUE(preceded_by_operand("\xC0 AND y", 5, 3, sqlserver_edges, false, Star::product));
}

TEST(MemberWord, AfterANamesDotUnlessAnOperatorOrANumber) {
    run([](auto t, Pos p, Pos l, const Case &c) { return member_word(t, p, l, *c.q); },
        {
            {"t.not, x", "not", true}, {"t.and x", "and", true}, {"SELECT t.or", "or", true},
            {"a.b.desc", "desc", true}, {"[t].key", "key", true}, {"`t`.key", "key", true, mysql},
            {"\"t\".key", "key", true, oracle}, {"\xC3\xA9.key", "key", true, names},
            {"a.AND.b", "AND", false},     // FoxPro's operator, dots on both sides
            {"x.OR.key", "key", false},    // the member after an operator's closing dot
            {"x.and.not y", "not", false}, // in any case
            {"1.AND x", "AND", false},     // a number before the dot
            {"f(x).key", "key", false},    // no name before the dot
            {".not x", "not", false},      // nothing before the dot
            {"t.key.x", "key", false},     // a dot after it
            {"x = .F.OR y", "OR", false}, {"(.NULL.AND y", "AND", false},  // a literal's closing dot
            {".NOT.t.key", "key", true},   // a member after an operator
            {"t.xor y", "xor", true},      // a name that ends like an operator
        });
}

}  // namespace
