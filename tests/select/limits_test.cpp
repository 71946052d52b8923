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

TEST(SelectLimits, MoreThanAHundredSubqueriesAtOneLevel) {
    std::string input = "SELECT a FROM t WHERE x IN (1";
    std::string expected = "SELECT A  FROM T  WHERE X IN (1";
    for (int i = 0; i < 250; ++i) {
        input += std::string(", (SELECT b").append(std::to_string(i)) + " FROM u)";
        expected += std::string(", (SELECT B").append(std::to_string(i)) + "  FROM U )";
    }
    auto r = convert(sql, input + ")");
    ASSERT_FALSE(r.error) << r.text;
    EXPECT_EQ(r.text, expected + ") ");
}

TEST(SelectLimits, TinySubqueriesNeedMoreRoomThanTheWorkBuffer) {
    auto r = convert(sql, "SELECT a FROM t WHERE x IN (" + repeat("(SELE),", 60) + "1)");
    ASSERT_FALSE(r.error) << r.text;
    EXPECT_EQ(r.text, "SELECT A  FROM T  WHERE X IN (" + repeat("(SELECT ),", 60) + "1) ");
}

TEST(SelectLimits, WordsLongerThanTheWordArea) {
    std::string name(1000, 'n');
    std::string upper(1000, 'N');
    EXPECT_EQ(convert(sql, "SELECT " + name + " FROM t WHERE " + name).text,
              "SELECT " + upper + "  FROM T  WHERE " + upper + "=1 ");
    EXPECT_EQ(convert(sql, "SELECT a FROM t WHERE ?" + name + " = 1").text, "SELECT A  FROM T  WHERE ?" + upper + " = 1 ");
}

TEST(SelectLimits, CaseNestingDeeperThanAHundred) {
    std::string input = "SELECT " + repeat("IIF(c, ", 150) + "1" + repeat(", 0)", 150) + " FROM t";
    auto r = convert(sql, input);
    ASSERT_FALSE(r.error) << r.text;
    EXPECT_EQ(r.text, "SELECT " + repeat("CASE WHEN C=1 THEN ", 150) + "1" + repeat(" ELSE 0 END", 150) + "  FROM T ");
}

TEST(SelectLimits, LongGroupItemsAndAliases) {
    std::string expr = repeat("price + ", 100) + "1";
    std::string alias(150, 'a');
    std::string upper_expr = repeat("PRICE + ", 100) + "1";
    std::string upper_alias(150, 'A');
    auto r = convert(sql, "SELECT k, " + expr + " AS " + alias + ", SUM(x) AS " + alias + "2 FROM t GROUP BY k HAVING " +
                              alias + "2 > 1");
    EXPECT_EQ(r.text, "SELECT K, MAX(" + upper_expr + ") AS " + upper_alias + ", SUM(X) AS " + upper_alias +
                          "2  FROM T  GROUP BY K HAVING SUM(X) > 1 ");
}

TEST(SelectLimits, ManyMembers) {
    auto r = convert(sql, "SELECT a FROM t" + repeat(" UNION SELECT a FROM t", 500));
    ASSERT_FALSE(r.error);
    EXPECT_EQ(r.text, "SELECT A  FROM T" + repeat("  UNION  SELECT A  FROM T", 500) + " ");
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
