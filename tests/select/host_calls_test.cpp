// Which calls of FoxPro functions the servers lack become a host expression ?(...): only those whose
// every argument is the application's own value, never one that reads a field, a row or a table the
// statement reads.
#include "select/harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HostCase {
    const char *function;  // the SELECT converter
    const char *sql;
    const char *host;      // a host expression the output holds, or "" for none at all
    const char *kept;      // text the output keeps as the server's (or as written), or ""
};

constexpr HostCase cases[] = {
    // the application's values: literals, m.x, object references with calls, memory arrays
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE a = GETENV('USER')", "?(GETENV('USER'))", ""},
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE a = JUSTSTEM(THISFORM.g.Columns(2).Value) + 'x'",
     "?(JUSTSTEM(THISFORM.G.COLUMNS(2).VALUE))", ""},
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE a = ADDBS(CURDIR()) + ALLTRIM(m.f)", "?(ADDBS(CURDIR()))", ""},
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE n <= ALEN(laX, 1) AND a = laX[2]", "?(ALEN(LAX, 1))", ""},
    // a name alone may be a field; so may a memory array's search value
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE a = VARTYPE(b)", "", "VARTYPE(B)"},
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE 0 < ASCAN(laX, b)", "", "ASCAN(LAX, B)"},
    // a row's value or an aggregate inside, even of host values, is the server's
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT JUSTFNAME(MAX(m.c)) FROM t", "", "MAX(?M.C)"},
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT * FROM t WHERE a = SYS(2015) + STR(RECNO())", "?(SYS(2015))", "RECNO()"},
    // a table the statement reads is the server's; another cursor is the host's
    {"ZQ_SQL_SELECT_CONVERT", "SELECT RECCOUNT('t') AS n FROM t", "", "RECCOUNT('t')"},
    {"ZQ_SQL_SELECT_CONVERT", "SELECT RECCOUNT('curX') AS n FROM t", "?(RECCOUNT('curX'))", ""},
    // the text of EVALUATE and TYPE may name a field of the row
    {"ZQ_SQL_SELECT_CONVERT", "SELECT EVALUATE('a') AS v, TYPE('m.b') AS w FROM t", "", "EVALUATE('a')"},
    // only where the target lacks the function
    {"ZQ_SQL_SELECT_CONVERT", "SELECT PROPER(m.c) AS p FROM t", "?(PROPER(M.C))", ""},
    {"ZQ_ORACLE_SELECT_CONVERT", "SELECT PROPER(m.c) AS p FROM t", "", "INITCAP(?M.C)"},
    // an expression keeps its strings as FoxPro compares them
    {"ZQ_ORACLE_SELECT_CONVERT", "SELECT * FROM t WHERE a = ?(m.x + 'abc') OR b = [dE]", "?(M.X + 'abc')", "'dE'"},
    // a table named by a folder plus a literal file; a prefix plus a literal stays the application's
    {"ZQ_MYSQL_SELECT_CONVERT", "SELECT o.id FROM ADDBS(m.cDir) + 'data\\orders' o", "", "FROM ORDERS O"},
    {"ZQ_PGSQL_SELECT_CONVERT", "SELECT h.id FROM (gcPath + 'dbf/hist.dbf') h, (m.p + '_x') x", "",
     "FROM HIST H, (M.P || '_x') X"},
};

TEST(HostCalls, OnlyCallsOfTheApplicationsOwnValuesBecomeHostExpressions) {
    for (const HostCase &c : cases) {
        const selecttest::Outcome out = selecttest::convert(c.function, c.sql);
        ASSERT_FALSE(out.error) << c.sql << ": " << out.text;
        if (*c.host != '\0') {
            EXPECT_NE(out.text.find(c.host), std::string::npos) << c.sql << "\n  gave " << out.text;
        } else {
            EXPECT_EQ(out.text.find("?("), std::string::npos) << c.sql << "\n  gave " << out.text;
        }
        if (*c.kept != '\0') {
            EXPECT_NE(out.text.find(c.kept), std::string::npos) << c.sql << "\n  gave " << out.text;
        }
    }
}

}  // namespace
