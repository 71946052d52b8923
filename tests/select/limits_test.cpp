// Inputs past every fixed size of the original design: they convert whole, nothing overflows or is
// cut short.
#include "select/harness.h"
#include "utilities/library_calls.h"

#include <tarnvel/dialects.hpp>

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
        EXPECT_EQ(convert(function, "(").text, "") << function;  // text before SELECT is dropped
    }
}

}  // namespace
