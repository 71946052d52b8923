// Every buffer of a SELECT conversion lives in a host handle: with the substitute host's budget
// each obtain and growth can be made to fail in turn. Each "Insufficient memory for ..." message is
// reached, and the handle table is balanced after every failed call (checked by convert()).
#include "select/harness.h"

#include <functional>
#include <set>
#include <string>

namespace {

using Generator = std::function<std::string(int)>;

std::string repeat(const std::string &part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

// The messages (and "182") met when the obtains and growths of one call fail one after another.
std::set<std::string> failures(const std::string &function, const std::string &sql) {
    std::set<std::string> seen;
    for (tv_word operations = 1; operations < 400; ++operations) {
        selecttest::Outcome r = selecttest::convert(function, sql, true, operations);
        if (!r.error || r.text.starts_with("(no result")) break;
        seen.insert(r.number ? std::to_string(r.number) : r.text);
    }
    return seen;
}

// True when some statement of the family reaches the message.
bool reached(const std::string &function, const std::string &message, const Generator &statement, int most = 120) {
    for (int k = 1; k <= most; ++k) {
        if (failures(function, statement(k)).count(message)) return true;
    }
    return false;
}

struct Reach {
    const char *function;
    const char *message;
    Generator statement;
};

const Reach reaches[] = {
    {"ZQ_SQL_SELECT_CONVERT", "182", [](int) { return std::string("SELECT a FROM t WHERE x IN (SELECT b FROM u)"); }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for clause",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for TTOD",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for SELECT",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for INTO",
     [](int k) { return "SELECT a FROM t WHERE " + repeat("TTOD(x)=1 AND ", k) + "b=1"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for CASE",
     [](int k) { return "SELECT " + repeat("IIF(a,b,c),", k) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for ALLTRIM",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + repeat("ALLT(x),", 50) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for HOUR",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + repeat("HOUR(x),", 12) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for HOURS",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + repeat("HOURS(x,y),", 12) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for MINUTE",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + repeat("MINUTE(x),", 12) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for SEC",
     [](int k) { return "SELECT " + repeat("TTOD(x),", k) + repeat("SEC(x),", 12) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for DTOC",
     [](int k) { return "SELECT " + repeat("DTOC(x),", k) + "1 FROM t"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for OPTION (FORCE ORDER)",
     [](int k) { return "SELECT a FROM FORCE t WHERE " + repeat("TTOD(x)=1 AND ", k) + "b=1"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for subquery converted",
     [](int k) { return "SELECT a FROM t WHERE x IN (SELECT b FROM u) AND y IN (SELECT " + repeat("c, ", k) + "d FROM v)"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for subquery inserting",
     [](int k) { return "SELECT a FROM t WHERE x IN (" + repeat("(SELE),", k) + "1)"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for SELECT MAX()",
     [](int k) { return "SELECT k, " + repeat("b, ", k) + "c FROM t GROUP BY k"; }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for GROUP BY",
     [](int k) {
         std::string list, numbers;
         for (int i = 1; i <= k; ++i) {
             list += std::string("TTOD(x").append(std::to_string(i)) + "),";
             numbers += std::to_string(i) + ",";
         }
         return "SELECT " + list + "1 FROM t GROUP BY " + numbers + "0";
     }},
    {"ZQ_SQL_SELECT_CONVERT", "Insufficient memory for HAVING",
     [](int k) { return "SELECT k, SUM(" + repeat("x+", k) + "x) AS t FROM u GROUP BY k HAVING t > 1"; }},
    {"ZQ_ORACLE_SELECT_CONVERT", "Insufficient memory for WHERE",
     [](int k) { return "SELECT TOP " + repeat("9", 2000) + " a FROM t WHERE " + repeat("RTOD(RTOD(x))=1 AND ", 250 + 10 * k) + "b=1"; }},
    {"ZQ_ORACLE_SELECT_CONVERT", "Insufficient memory for DTOC",
     [](int k) { return "SELECT " + repeat("DTOC(d),", k) + "1 FROM t"; }},
    {"ZQ_MYSQL_SELECT_CONVERT", "Insufficient memory for Order By",
     [](int k) { return "SELECT TOP " + repeat("9", 2000) + " a FROM t ORDER BY " + repeat("VAL(x),", 150 + 5 * k) + "a"; }},
    {"ZQ_MYSQL_SELECT_CONVERT", "Insufficient memory for VAL",
     [](int k) { return "SELECT " + repeat("VAL(x),", k) + "1 FROM t"; }},
    {"ZQ_MYSQL_SELECT_CONVERT", "Insufficient memory for STR",
     [](int k) { return "SELECT STR(" + repeat("x", k * 4) + ", 5, m.d) FROM t"; }},  // decimals not written as a number
    {"ZQ_ACCESS_SELECT_CONVERT", "Insufficient memory for PADR",
     [](int k) { return "SELECT " + repeat("PADL(n,1),", k) + "1 FROM t"; }},
    {"ZQ_ACCESS_SELECT_CONVERT", "Insufficient memory for MOD",
     [](int k) { return "SELECT " + repeat("MOD(a,b),", k) + "1 FROM t"; }},
    {"ZQ_ACCESS_SELECT_CONVERT", "Insufficient memory for HOURS",
     [](int k) { return "SELECT " + repeat("PADR(n,1),", k) + repeat("HOURS(a,b),", 40) + "1 FROM t"; }},
    {"ZQ_ACCESS_SELECT_CONVERT", "Insufficient memory for TTOD",
     [](int k) { return "SELECT " + repeat("PADR(n,1),", k) + repeat("TTOD(a),", 40) + "1 FROM t"; }},
};

TEST(SelectBudget, EveryMessageIsReached) {
    for (const Reach &reach : reaches) {
        EXPECT_TRUE(reached(reach.function, reach.message, reach.statement)) << reach.function << ": " << reach.message;
    }
}

TEST(SelectBudget, UnclosedSubqueryIsASyntaxError) {
    auto r = selecttest::convert("ZQ_SQL_SELECT_CONVERT", "SELECT a FROM t WHERE x IN (SELECT b FROM (SELECT c FROM u)");
    EXPECT_TRUE(r.error);
    EXPECT_EQ(r.text, "SQL syntax error (subquery ')' missing) ");
}

}  // namespace
