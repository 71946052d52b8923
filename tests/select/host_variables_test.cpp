// The conversions that read host variables: the NOLOCK table hint and the DTOC date style.
#include "select/harness.h"

#include <tarnvel/dialects.hpp>

namespace {

using selecttest::convert;
using selecttest::logical;
using selecttest::numeric;

const char *const sql = "ZQ_SQL_SELECT_CONVERT";
const std::string nolock = "SETLOCSYS_SQL_Server_Select_NoLock";

struct HintCase {
    const char *input;
    const char *from;  // the FROM part of the output, up to the end
};

TEST(TableHint, FollowsEveryTableOfFromAndItsJoins) {
    const HintCase cases[] = {
        {"SELECT a FROM orders", "FROM ORDERS WITH (NOLOCK)  "},
        {"SELECT a FROM orders o JOIN items i ON o.id = i.oid",
         "FROM ORDERS O WITH (NOLOCK)  JOIN ITEMS I WITH (NOLOCK)  ON O.ID = I.OID "},
        {"SELECT a FROM orders LEFT JOIN items ON orders.id = items.oid",
         "FROM ORDERS  WITH (NOLOCK) LEFT JOIN ITEMS  WITH (NOLOCK) ON ORDERS.ID = ITEMS.OID "},
        {"SELECT a FROM a, b", "FROM A WITH (NOLOCK) , B WITH (NOLOCK)  "},
        {"SELECT a FROM orders AS o", "FROM ORDERS  WITH (NOLOCK) AS O "},
        {"SELECT a FROM a JOIN b ON CONCAT(a.x, b.y) = a.z",  // commas inside a call are no table separators
         "FROM A  WITH (NOLOCK) JOIN B  WITH (NOLOCK) ON CONCAT(A.X, B.Y) = A.Z "},
        {"SELECT a FROM (SELECT b FROM u) x", "FROM (SELECT B  FROM U WITH (NOLOCK)  ) X "},
    };
    for (const HintCase &c : cases) {
        auto r = convert(sql, c.input, true, ~tv_word(0), {{nolock, logical(true)}});
        ASSERT_FALSE(r.error) << c.input << ": " << r.text;
        EXPECT_EQ(r.text.substr(r.text.find("FROM")), c.from) << c.input;
    }
}

TEST(TableHint, BracketedNamesKeepTheirBlanksWithFoxSyntaxOff) {
    auto r = convert(sql, "SELECT a FROM [order details] d", false, ~tv_word(0), {{nolock, logical(true)}});
    EXPECT_EQ(r.text, "SELECT a  FROM [order details] d WITH (NOLOCK)  ");
}

TEST(TableHint, AbsentFalseOrOtherDialectsLeaveFromAlone) {
    EXPECT_EQ(convert(sql, "SELECT a FROM t").text, "SELECT A  FROM T ");
    EXPECT_EQ(convert(sql, "SELECT a FROM t", true, ~tv_word(0), {{nolock, logical(false)}}).text, "SELECT A  FROM T ");
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        if (dialect.id == tarnvel::Target::sqlserver) continue;
        EXPECT_EQ(convert(std::string(dialect.select_function), "SELECT a FROM t", true, ~tv_word(0), {{nolock, logical(true)}}).text, "SELECT A  FROM T ");
    }
}

TEST(TableHint, LongWordsAfterATableNameAreAliases) {
    std::string alias(300, 'q');
    std::string upper(300, 'Q');
    auto r = convert(sql, "SELECT a FROM t " + alias + " JOIN u ON t.k = u.k", true, ~tv_word(0), {{nolock, logical(true)}});
    EXPECT_EQ(r.text, "SELECT A  FROM T " + upper + " WITH (NOLOCK)  JOIN U  WITH (NOLOCK) ON T.K = U.K ");
}

TEST(TableHint, GrowthFailureRaisesItsMessage) {
    bool seen = false;
    for (tv_word operations = 1; operations < 60 && !seen; ++operations) {
        auto r = convert(sql, "SELECT a FROM t1, t2, t3", true, operations, {{nolock, logical(true)}});
        seen = r.text == "Insufficient memory for WITH (NOLOCK)";
        if (!r.error) break;
    }
    EXPECT_TRUE(seen);
}

TEST(DtocStyle, ComesFromTheHostVariableOnceAMember) {
    const std::string style = "___TARNVEL_Set_DToC_Style";
    EXPECT_EQ(convert(sql, "SELECT DTOC(d) FROM t").text, "SELECT CONVERT(CHAR(10),D,102)  FROM T ");
    // The style is inserted ahead of the scan, so its blank padding collapses like any blank run.
    EXPECT_EQ(convert(sql, "SELECT DTOC(d), DTOC(e) FROM t", true, ~tv_word(0), {{style, numeric(1)}}).text,
              "SELECT CONVERT(CHAR(10),D,1 ), CONVERT(CHAR(10),E,1 )  FROM T ");
    EXPECT_EQ(convert(sql, "SELECT DTOC(d) FROM t", false, ~tv_word(0), {{style, numeric(12)}}).text,
              "SELECT CONVERT(char(10),d,12 )  FROM t ");
}

}  // namespace
