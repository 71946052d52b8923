// FoxPro's meaning, checked on the server: a table made with our MySQL structure conversion holds
// an empty and non-empty value of each type (the column defaults stand for FoxPro's empty values),
// and FoxPro conditions and expressions, converted for MySQL, must give the rows and values FoxPro
// gives on the same data.
#include "mariadb_client.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

std::string convert(tarnvel::Host &host, const char *function, const std::string &text) {
    tarnvel::Result result = host.call(function, {text});
    const auto *converted = std::get_if<std::string>(&result);
    EXPECT_NE(converted, nullptr) << function << " failed on " << text;
    return converted ? *converted : std::string();
}

// k  c         n      d            t                      l  m
// 1  (empty)   0      (empty)      (empty)                .F. (empty)
// 2  abc       12.50  2020-02-29   2020-02-29 10:30:00    .T. memo text
// 3  blanks    0.00   (empty)      2016-01-05 13:45:00    .F. blanks
// 4  0         0.01   1999-12-31   (empty)                .T. 0
// 5  x,y       -3     2016-01-05   2016-01-05 00:00:00    .F. x
// In FoxPro a field of blanks is empty, as the empty field is.
const char *const rows[] = {
    "INSERT INTO fm (K) VALUES (1)",
    "INSERT INTO fm (K, C, N, D, T, L, M) "
    "VALUES (2, 'abc', 12.50, '2020-02-29', '2020-02-29 10:30:00', 1, 'memo text')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (3, '   ', 0.00, '0000-00-00', '2016-01-05 13:45:00', 0, '  ')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (4, '0', 0.01, '1999-12-31', '0000-00-00 00:00:00', 1, '0')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (5, 'x,y', -3, '2016-01-05', '2016-01-05 00:00:00', 0, 'x')",
};

class FoxMeaning : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.execute("DROP TEMPORARY TABLE IF EXISTS fm").ok());
        ASSERT_TRUE(db.execute("DROP TEMPORARY TABLE IF EXISTS fk").ok());
        const std::string columns =
            convert(host, "ZQ_MYSQL_CREATE_STRU_CONVERT", "K I, C C(10), N N(10,2), D D, T T, L L, M M");
        engine::Answer created = db.execute("CREATE TEMPORARY TABLE fm (" + columns + ")");
        ASSERT_TRUE(created.ok()) << created.message << "\n" << columns;
        for (const char *row : rows) ASSERT_TRUE(db.execute(row).ok()) << row;
        // fk: the keys 1 and 9, for an outer join whose row 9 finds no fm row (NULL everywhere)
        const std::string key = convert(host, "ZQ_MYSQL_CREATE_STRU_CONVERT", "K I");
        ASSERT_TRUE(db.execute("CREATE TEMPORARY TABLE fk (" + key + ")").ok());
        ASSERT_TRUE(db.execute("INSERT INTO fk (K) VALUES (1), (9)").ok());
    }

    // The first column of every row the converted FoxPro statement returns, joined by blanks.
    std::string run(const std::string &foxpro) {
        const std::string sql = convert(host, "ZQ_MYSQL_SELECT_CONVERT", foxpro);
        engine::Answer answer;
        std::vector<engine::Row> result = db.rows(sql, &answer);
        EXPECT_TRUE(answer.ok()) << answer.message << "\n" << foxpro << "\n" << sql;
        std::string values;
        for (std::size_t i = 0; i < result.size(); ++i) {
            if (i > 0) values += ' ';
            values += result[i].empty() ? "?" : result[i][0].value_or("NULL");
        }
        return values;
    }

    tarnvel::Host host;
    engine::MariaDb db;
};

struct Case {
    const char *foxpro;    // a WHERE condition (rows: the keys), or a select-list expression (values)
    const char *expected;  // what FoxPro gives on the table above
};

// Conditions: the keys of the rows FoxPro returns.
const Case conditions[] = {
    {"EMPTY(c)", "1 3"},
    {"!EMPTY(c)", "2 4 5"},
    {"EMPTY(n)", "1 3"},
    {"EMPTY(d)", "1 3"},
    {"EMPTY(t)", "1 4"},
    {"EMPTY(l)", "1 3 5"},
    {"EMPTY(m)", "1 3"},
    {"NOT EMPTY(d) AND EMPTY(t)", "4"},
    {"INLIST(c, 'abc', '0')", "2 4"},
    {"INLIST(n, 12.5, 0.01, 7)", "2 4"},
    {"INLIST(d, {^2020-02-29}, {})", "1 2 3"},
    {"!INLIST(k, 1, 2)", "3 4 5"},
    {"BETWEEN(n, 0, 1)", "1 3 4"},
    {"BETWEEN(d, {^2000-01-01}, {^2020-12-31})", "2 5"},
    {"BETWEEN(c, 'a', 'b')", "2"},
    {"'b' $ c", "2"},
    {"c $ 'abc,0'", "2 4"},
    {"!'y' $ c", "1 2 3 4"},
    {"'x' $ c .OR. 'x' $ m", "2 5"},
    {"c == 'abc'", "2"},
    {"c # 'abc'", "1 3 4 5"},
    {"n != 0", "2 4 5"},
    {"l", "2 4"},
    {"!l", "1 3 5"},
    {"l = .T.", "2 4"},
    {"l == .F.", "1 3 5"},
    {".T.", "1 2 3 4 5"},
    {".F.", ""},
    {"l .AND. .T.", "2 4"},
    {"!(n > 0)", "1 3 5"},
    {"d = {}", "1 3"},
    {"t = {}", "1 4"},
    {"d = CTOD('')", "1 3"},
    {"d = CTOD(\"  /  /    \")", "1 3"},
    {"d > {12/31/1999}", "2 5"},
    {"d = {02/29/2020}", "2"},
    {"t >= {^2016-01-05 13:45}", "2 3"},
    {"DTOS(d) = '20200229'", "2"},
    {"DTOS(d) < '2000'", "1 3 4"},
    {"DTOC(d, 1) > '2016'", "2 5"},
    {"ISNULL(c)", ""},
    {"!ISNULL(c)", "1 2 3 4 5"},
    {"!DELETED()", "1 2 3 4 5"},
    {"DOW(d) = 7 OR DOW(d) = 3", "2 5"},
    {"GOMONTH(d, 1) = {^2020-03-29} OR GOMONTH(d, 2) = {^2000-02-29}", "2 4"},
    {"QUARTER(d) = 1", "2 5"},
    {"OCCURS(',', c) = 1", "5"},
    {"ISDIGIT(c)", "4"},
    {"m LIKE '%' + 'emo' + '%' OR ALLTRIM(c) + 'z' == 'x,yz'", "2 5"},
    {"DTOS(DATE() - 30) < DTOS(DATE()) AND d > DATE() - 36500", "2 4 5"},
    {"t > DATETIME() - 3153600000", "2 3 5"},
    {"TTOC(t, 1) = '20200229103000' OR TTOC(t, 3) = '2016-01-05T13:45:00'", "2 3"},
    {"STRCONV(c, 11) == 'abc'", "2"},
    {"ISALPHA(c) AND !ISDIGIT(c)", "2 5"},
    {"DELETED()", ""},
    {"n < 0 AND!l", "5"},
    {"ICASE(n > 10, .T., n < 0, .T., .F.)", "2 5"},
    {"EVL(c, 'none') = 'none'", "1 3"},
    {"TRIM(c) == 'abc'", "2"},
    {"MAX(n, 1) = 1", "1 3 4 5"},
    {"MIN(k, 3) = 3", "3 4 5"},
    {"CDOW(d) = 'Saturday' .AND. CMONTH(d) = 'February'", "2"},
    {"STUFF(c, 2, 1, 'X') == 'aXc'", "2"},
    {"LIKE('a*', c) .OR. LIKE('?,?', c)", "2 5"},
    {"!LIKE('*b*', c)", "1 3 4 5"},
    {"d = DATE(2020, 2, 29)", "2"},
    {"STR(n, 8, 2) == '   12.50' .OR. STR(n, 6, 1) == '  -3.0'", "2 5"},
    {"STR(n) == '        13' .OR. STR(k, 3) == '  4'", "2 4"},
};

TEST_F(FoxMeaning, ConditionsSelectTheRowsFoxProSelects) {
    for (const Case &c : conditions) {
        EXPECT_EQ(run(std::string("SELECT k FROM fm WHERE ") + c.foxpro + " ORDER BY k"), c.expected) << c.foxpro;
    }
}

// Expressions in the select list: their value in rows 1 to 5 (logical values as 1 and 0).
const Case values[] = {
    {"EMPTY(c)", "1 0 1 0 0"},
    {"EMPTY(d)", "1 0 1 0 0"},
    {"INLIST(k, 2, 4)", "0 1 0 1 0"},
    {"'a' $ c", "0 1 0 0 0"},
    {"ICASE(n > 10, 'big', n > 0, 'small', 'none')", "none big none small none"},
    {"ICASE(k = 1, 'one')", "one NULL NULL NULL NULL"},
    {"EVL(c, 'none')", "none abc none 0 x,y"},
    {"EVL(n, -1)", "-1.00 12.50 -1.00 0.01 -3.00"},
    {"IIF(EMPTY(m), 'no memo', m)", "no memo memo text no memo 0 x"},
    {"TRANSFORM(k, '@L 999')", "001 002 003 004 005"},
    {"DTOS(d)", "00000000 20200229 00000000 19991231 20160105"},
    {"CAST(n AS N(5,1))", "0.0 12.5 0.0 0.0 -3.0"},
    {"MAX(n, 1)", "1.00 12.50 1.00 1.00 1.00"},
    {".T.", "1 1 1 1 1"},
    {"INT(n * 1.5)", "0 18 0 0 -4"},
    {"RGB(k, 0, 1)", "65537 65538 65539 65540 65541"},
    {"NTOM(n)", "0.0000 12.5000 0.0000 0.0100 -3.0000"},
};

TEST_F(FoxMeaning, ExpressionsGiveTheValuesFoxProGives) {
    for (const Case &c : values) {
        EXPECT_EQ(run(std::string("SELECT ") + c.foxpro + " AS v FROM fm ORDER BY k"), c.expected) << c.foxpro;
    }
}

// * beside other items, which MySQL takes only as the table's own t.*.
TEST_F(FoxMeaning, StarBesideOtherItems) {
    EXPECT_EQ(run("SELECT k * 10 AS x, * FROM fm WHERE k = 2"), "20");
    EXPECT_EQ(run("SELECT f.k, * FROM fk x JOIN fm f ON f.k = x.k"), "1");
}

// An outer join's missing row: NULL is not empty in FoxPro, so !EMPTY() holds for it.
TEST_F(FoxMeaning, NullIsNotEmpty) {
    EXPECT_EQ(run("SELECT x.k FROM fk x LEFT JOIN fm f ON f.k = x.k WHERE EMPTY(f.c) ORDER BY x.k"), "1");
    EXPECT_EQ(run("SELECT x.k FROM fk x LEFT JOIN fm f ON f.k = x.k WHERE !EMPTY(f.c) ORDER BY x.k"), "9");
    EXPECT_EQ(run("SELECT x.k FROM fk x LEFT JOIN fm f ON f.k = x.k WHERE ISNULL(f.c) ORDER BY x.k"), "9");
    EXPECT_EQ(run("SELECT NVL(f.c, 'none') FROM fk x LEFT JOIN fm f ON f.k = x.k ORDER BY x.k"), " none");
}

// FULL JOIN, which MySQL lacks: every row of both sides once, matched where the condition holds
// (fm has the keys 1 to 5, fk the keys 1 and 9); WHERE filters the joined rows, DISTINCT the result.
TEST_F(FoxMeaning, FullJoinKeepsTheRowsOfBothSides) {
    EXPECT_EQ(run("SELECT NVL(f.k, x.k) AS kk FROM fm f FULL JOIN fk x ON f.k = x.k ORDER BY kk"), "1 2 3 4 5 9");
    EXPECT_EQ(run("SELECT NVL(f.k, x.k) AS kk FROM fm f FULL OUTER JOIN fk x ON f.k = x.k "
                  "WHERE ISNULL(x.k) .OR. x.k > 5 ORDER BY 1"),
              "2 3 4 5 9");
    EXPECT_EQ(run("SELECT fm.k, fk.k FROM fm FULL JOIN fk ON fm.k = fk.k AND fm.k > 1 ORDER BY fk.k, fm.k"),
              "1 2 3 4 5 NULL NULL");
    EXPECT_EQ(run("SELECT DISTINCT fk.k FROM fm FULL JOIN fk ON fm.k = fk.k ORDER BY fk.k"), "NULL 1 9");
    EXPECT_EQ(run("SELECT NVL(f.k, x.k) AS kk, f.* FROM fm f FULL JOIN fk x ON f.k = x.k ORDER BY f.k"), "9 1 2 3 4 5");
    EXPECT_EQ(run("SELECT y.k FROM fk y, fm f FULL JOIN fk x ON f.k = x.k WHERE y.k = 9 AND ISNULL(x.k) ORDER BY y.k"),
              "9 9 9 9");
}

// Names the server cannot resolve become what it can: a file or database table as its own name,
// memory variables as parameters, FoxPro's cursor options dropped.
TEST_F(FoxMeaning, TablesAndParametersReachTheServer) {
    EXPECT_EQ(run("SELECT k FROM d:\\data\\fm.dbf WHERE k < 3 ORDER BY k"), "1 2");
    EXPECT_EQ(run("SELECT k FROM mydata!fm WITH (BUFFERING = .T.) WHERE k > 3 ORDER BY k"), "4 5");
    std::string sql =
        convert(host, "ZQ_MYSQL_SELECT_CONVERT", "SELECT k FROM fm WHERE c = m.cName AND n > thisform.txtMin.Value");
    for (const std::string parameter : {"?M.CNAME", "?THISFORM.TXTMIN.VALUE"}) {  // the host binds them as ?
        std::size_t at = sql.find(parameter);
        ASSERT_NE(at, std::string::npos) << sql;
        sql.replace(at, parameter.size(), "?");
    }
    engine::Answer prepared = db.prepare(sql);
    EXPECT_TRUE(prepared.ok()) << prepared.message << "\n" << sql;
}

}  // namespace
