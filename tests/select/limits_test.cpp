// Inputs past every fixed size of the original design: they convert whole, nothing overflows or is
// cut short.
#include "select/harness.h"
#include "utilities/library_calls.h"

#include <tarnvel/dialects.hpp>

#include <chrono>
#include <string>

namespace {

using selecttest::convert;
const char *const sql = "ZQ_SQL_SELECT_CONVERT";

using testcalls::repeat;

TEST(SelectLimits, InputsPastEveryFixedSizeConvertWhole) {
    std::string subqueries = "SELECT a FROM t WHERE x IN (1", subqueries_out = "SELECT A  FROM T  WHERE X IN (1";
    for (int i = 0; i < 250; ++i) {
        subqueries += std::string(", (SELECT b").append(std::to_string(i)) + " FROM u)";
        subqueries_out += std::string(", (SELECT B").append(std::to_string(i)) + "  FROM U )";
    }
    const std::string name(1000, 'n'), name_out(1000, 'N'), alias(150, 'a'), alias_out(150, 'A');
    const std::string sum = repeat("price + ", 100) + "1", sum_out = repeat("PRICE + ", 100) + "1";
    const struct {
        const char *what;
        std::string input, expected;
    } cases[] = {
        {"more than a hundred subqueries at one level", subqueries + ")", subqueries_out + ") "},
        {"tiny subqueries that need more room than the work buffer",
         "SELECT a FROM t WHERE x IN (" + repeat("(SELE),", 60) + "1)",
         "SELECT A  FROM T  WHERE X IN (" + repeat("(SELECT ),", 60) + "1) "},
        {"words longer than the word area", "SELECT " + name + " FROM t WHERE " + name,
         "SELECT " + name_out + "  FROM T  WHERE " + name_out + "=1 "},
        {"a parameter longer than the word area", "SELECT a FROM t WHERE ?" + name + " = 1",
         "SELECT A  FROM T  WHERE ?" + name_out + " = 1 "},
        {"CASE nested deeper than a hundred", "SELECT " + repeat("IIF(c, ", 150) + "1" + repeat(", 0)", 150) + " FROM t",
         "SELECT " + repeat("CASE WHEN C=1 THEN ", 150) + "1" + repeat(" ELSE 0 END", 150) + "  FROM T "},
        {"long GROUP BY items and aliases",
         "SELECT k, " + sum + " AS " + alias + ", SUM(x) AS " + alias + "2 FROM t GROUP BY k HAVING " + alias + "2 > 1",
         "SELECT K, MAX(" + sum_out + ") AS " + alias_out + ", SUM(X) AS " + alias_out +
             "2  FROM T  GROUP BY K HAVING SUM(X) > 1 "},
        {"many UNION members", "SELECT a FROM t" + repeat(" UNION SELECT a FROM t", 500),
         "SELECT A  FROM T" + repeat("  UNION  SELECT A  FROM T", 500) + " "},
    };
    for (const auto &c : cases) {
        const selecttest::Outcome r = convert(sql, c.input);
        EXPECT_FALSE(r.error) << c.what << ": " << r.text;
        EXPECT_EQ(r.text, c.expected) << c.what;
    }
}

TEST(SelectLimits, EmptyAndBlankStatements) {
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.select_function);
        EXPECT_EQ(convert(function, "").text, "");
        EXPECT_EQ(convert(function, "   ").text, "");
        EXPECT_EQ(convert(function, "(").text, "( ") << function;  // text that opens no clause is kept
    }
}

}  // namespace

// Nesting without bound: parentheses and CASE as deep as a statement may hold them join their text
// and convert without taking the stack; subqueries nested past any FoxPro statement's are a clear
// error in every dialect, at any depth.
TEST(SelectLimits, NestingWithoutBoundNeitherCrashesNorLosesText) {
    const int deep = 20000;
    const std::string groups = "SELECT " + repeat("(", deep) + "a + 'b'" + repeat(")", deep) + " AS x FROM t";
    const std::string cases = "SELECT " + repeat("CASE WHEN x = 1 THEN ", deep) + "'a'" + repeat(" END", deep) + " + c AS y FROM t";
    const std::string subqueries = "SELECT a FROM t WHERE a IN " + repeat("(SELECT a FROM t WHERE a IN ", deep) + "(1)" +
                                   repeat(")", deep);
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.select_function);
        for (const std::string *text : {&groups, &cases}) {
            const selecttest::Outcome r = convert(function, *text);
            EXPECT_FALSE(r.error) << function << ": " << r.text.substr(0, 200);
            EXPECT_GT(r.text.size(), text->size()) << function;  // nothing left out
        }
        // the host's handles may run out first (its insufficient-memory error), a clean error too
        const selecttest::Outcome r = convert(function, subqueries);
        EXPECT_TRUE(r.error) << function;
        EXPECT_TRUE(r.text == "SQL syntax error (subqueries nested too deeply) " || (r.text.empty() && r.number == 182))
            << function << ": " << r.text << " " << r.number;
        const std::string within = "SELECT a FROM t WHERE a IN " + repeat("(SELECT a FROM t WHERE a IN ", 30) + "(1)" +
                                   repeat(")", 30);
        EXPECT_FALSE(convert(function, within).error) << function;
    }
}

// Deep parentheses cost time in proportion to their length: each group looked for its closing
// parenthesis to see whether it is compared, which made 60,000 levels take most of a minute.
TEST(SelectLimits, DeepParenthesesConvertInLinearTime) {
    const int deep = 60000;
    const std::string groups = "SELECT " + repeat("(", deep) + "a" + repeat(")", deep) + " FROM t WHERE " + repeat("(", deep) +
                               "b > 1" + repeat(")", deep) + " = .T.";
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(convert(std::string(dialect.select_function), groups).error) << dialect.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8)) << dialect.name;
    }
}

// A UNION member in parentheses of its own, doubled or not, is a member, not a subquery to cut out:
// the first member was lost.
TEST(SelectLimits, UnionMembersInParenthesesAreKept) {
    const struct {
        const char *input, *expected;
    } cases[] = {
        {"((SELECT a FROM t)) UNION SELECT b FROM u", "SELECT A  FROM T  UNION  SELECT B  FROM U "},
        {"(((SELECT a FROM t))) UNION (SELECT b FROM u)", "SELECT A  FROM T  UNION  SELECT B  FROM U "},
        {"SELECT a FROM t UNION ((SELECT b FROM u)) ORDER BY 1", "SELECT A  FROM T  UNION  SELECT B  FROM U  ORDER BY 1 "},
        {"SELECT a FROM t WHERE x IN ((SELECT b FROM u))", "SELECT A  FROM T  WHERE X IN ((SELECT B  FROM U )) "},
    };
    for (const auto &c : cases) EXPECT_EQ(convert(sql, c.input).text, c.expected) << c.input;
}
