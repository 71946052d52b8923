// FoxPro's meaning, checked on the server: a table made with our MySQL structure conversion holds
// an empty and non-empty value of each type (the column defaults stand for FoxPro's empty values),
// and FoxPro conditions and expressions (fox_meaning_cases.h), converted for MySQL, must give the
// rows and values FoxPro gives on the same data.
#include "fox_meaning_cases.h"
#include "mariadb_client.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using engine::Case;

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

TEST_F(FoxMeaning, ConditionsSelectTheRowsFoxProSelects) {
    for (const Case &c : engine::conditions) {
        EXPECT_EQ(run(std::string("SELECT k FROM fm WHERE ") + c.foxpro + " ORDER BY k"), c.expected) << c.foxpro;
    }
}

TEST_F(FoxMeaning, ExpressionsGiveTheValuesFoxProGives) {
    for (const Case &c : engine::values) {
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
