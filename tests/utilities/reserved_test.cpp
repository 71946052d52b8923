// Reserved-word quoting in the four dialects: what is quoted, what is left alone.
#include "host/state.h"
#include "lex/keywords.h"
#include "utilities/library_calls.h"
#include "utilities/reserved.h"

#include <string>

namespace {

struct Case {
    const char *fn;
    std::string text;
    std::string expected;
};

void check(const std::vector<Case> &cases) {
    tarnvel::Host host;
    for (const Case &c : cases) EXPECT_EQ(testcalls::text(host, c.fn, {c.text}), c.expected) << c.fn << ": " << c.text;
}

constexpr const char *sql = "ZQ_SQL_RESERVED";
constexpr const char *oracle = "ZQ_ORACLE_RESERVED";
constexpr const char *mysql = "ZQ_MYSQL_RESERVED";
constexpr const char *access = "ZQ_ACCESS_RESERVED";

TEST(ReservedQuoting, KeywordsAsNamesGetTheDialectsQuotes) {
    check({
        {sql, "ORDER, NAME, DATE", "[ORDER], NAME, DATE"},
        {sql, "t.order", "t.[order]"},
        {sql, "sum(order)", "sum([order])"},
        {sql, "Select", "[Select]"},
        {oracle, "DATE, NAME", "\"DATE\", NAME"},
        {mysql, "key, val", "`key`, val"},
        {access, "password", "[password]"},
        {access, "OLEOBJECT+UPDATEOWNER", "[OLEOBJECT]+[UPDATEOWNER]"},  // both stored strings are searched
        {sql, "", ""},
    });
}

TEST(ReservedQuoting, StringsQuotedNamesAndMarkedWordsAreLeftAlone) {
    check({
        {sql, "'order' = [order]", "'order' = [order]"},
        {sql, "\"order\"", "\"order\""},
        {oracle, "\"order\" + 'date'", "\"order\" + 'date'"},
        {access, "\"order\"", "\"order\""},
        {sql, "#order, ~order, order#", "#order, ~order, order#"},
        {mysql, "`order` + order", "`order` + `order`"},  // backquoted names are not quoted twice
        {sql, "`order`", "`[order]`"},                    // the backquote quotes only for MySQL
        {sql, "'it''s' order", "'it''s' [order]"},
        {sql, "x]order", "x]order"},  // "]" outside brackets neither ends nor continues a word
    });
}

TEST(ReservedQuoting, LogicalOperatorsBetweenOperandsStayBare) {
    check({
        {sql, "qty > 0 AND price > 0", "qty > 0 AND price > 0"},
        {sql, "a AND b", "a AND b"},  // a one-character operand at the very end
        {oracle, "a OR b", "a OR b"},
        {sql, "qty.AND.price", "qty.AND.price"},
        {sql, "a .OR. b", "a .OR. b"},
        {sql, "a .AND. .NOT. b", "a .AND. .NOT. b"},
        {sql, "NOT x", "NOT x"},
        {sql, "(a) AND NOT (b)", "(a) AND NOT (b)"},
        {sql, "AND, OR", "[AND], [OR]"},
        {sql, "NOT, x", "[NOT], x"},
    });
}

TEST(ReservedQuoting, PredicateWordsStayBareWhereTheyArePredicates) {
    check({
        {sql, "plan IN (1, 2)", "[plan] IN (1, 2)"},
        {sql, "x NOT IN(1)", "x NOT IN(1)"},
        {oracle, "uid IS NULL", "\"uid\" IS NULL"},
        {sql, "x IS NOT NULL", "x IS NOT NULL"},
        {sql, "x = NULL OR y <> NULL", "x = NULL OR y <> NULL"},
        {mysql, "NOT EXISTS (q)", "NOT EXISTS (q)"},
        {sql, "name LIKE 'a%'", "name LIKE 'a%'"},
        {access, "name LIKE 'a%'", "[name] LIKE 'a%'"},
        {sql, "a BETWEEN 1 AND 2", "a BETWEEN 1 AND 2"},
        {sql, "like, in, is, null, exists, between", "[like], [in], [is], [null], [exists], [between]"},
        {sql, "IN (1)", "[IN] (1)"},  // no operand before it
        {sql, "x IS y", "x [IS] y"},
    });
}

TEST(ReservedQuoting, WordsOfAnyLength) {
    std::string long_word(300, 'x');
    check({
        {sql, long_word + " order", long_word + " [order]"},
        {sql, std::string(5000, 'o') + "rder", std::string(5000, 'o') + "rder"},
    });
}

TEST(ReservedQuoting, ResultMayBeTwiceAsLongAsTheText) {
    std::string text, expected;
    for (int i = 0; i < 2000; ++i) {
        text += "to,";
        expected += "[to],";
    }
    check({{sql, text, expected}});
}

TEST(ReservedQuoting, AsteriskCountsAsOperandAfterASelectList) {
    const char before = tarnvel::state::last_clause();
    tarnvel::state::set_last_clause('s');
    check({{sql, "* AND x", "* AND x"}});
    tarnvel::state::set_last_clause('w');
    check({{sql, "* AND x", "* [AND] x"}});
    tarnvel::state::set_last_clause(before);
}

TEST(ReservedQuoting, NoKeywordIsLongerThanTheWordsLookedUp) {
    using tarnvel::lex::KeywordList;
    for (KeywordList list : {KeywordList::sqlserver_reserved, KeywordList::sqlserver_clause, KeywordList::oracle_reserved,
                             KeywordList::oracle_clause, KeywordList::mysql_reserved, KeywordList::mysql_clause,
                             KeywordList::access_reserved, KeywordList::access_clause}) {
        for (int part = 0; part < 2; ++part) {
            std::string_view text = tarnvel::lex::keyword_list_text(list, part);
            std::size_t start = 0;
            for (std::size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1)
                EXPECT_LE(comma - start, tarnvel::utilities::longest_keyword) << text.substr(start, comma - start);
        }
    }
}

TEST(ReservedQuoting, AWorkBufferThatCannotBeHadIsError182) {
    tarnvel::Host host;
    EXPECT_EQ(testcalls::under_budgets(host, sql, {std::string("order")}, "[order]", "no such message"), 0);
}

}  // namespace
