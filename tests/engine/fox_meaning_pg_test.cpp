// FoxPro's meaning on PostgreSQL: the table of fox_meaning_test.cpp made with our PostgreSQL
// structure conversion (the empty date is NULL there, logical values are BOOLEAN), and the same
// FoxPro conditions and expressions, converted for PostgreSQL, must give the rows and values FoxPro
// gives. PostgreSQL refuses what it cannot type (text compared with a number), so every statement
// also shows that the converter's literals and function forms fit its types. The few cases whose
// answer differs there are listed with the reason.
#include "fox_meaning_cases.h"
#include "postgres_client.h"

#include <tarnvel/host.hpp>
#include <tarnvel/residue.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

const char *const rows[] = {
    "INSERT INTO fm (K) VALUES (1)",
    "INSERT INTO fm (K, C, N, D, T, L, M) "
    "VALUES (2, 'abc', 12.50, '2020-02-29', '2020-02-29 10:30:00', TRUE, 'memo text')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (3, '   ', 0.00, NULL, '2016-01-05 13:45:00', FALSE, '  ')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (4, '0', 0.01, '1999-12-31', NULL, TRUE, '0')",
    "INSERT INTO fm (K, C, N, D, T, L, M) VALUES (5, 'x,y', -3, '2016-01-05', '2016-01-05 00:00:00', FALSE, 'x')",
};

// Where PostgreSQL's answer is not FoxPro's, and why (docs/foxpro-to-sql.md says the same).
struct Difference {
    std::string_view foxpro;
    std::string_view expected;  // what PostgreSQL gives
};
constexpr Difference condition_differences[] = {
    {"EMPTY(n)", ""},  // EMPTY is right for text and dates only: 0 is no empty number there,
    {"EMPTY(l)", ""},  // nor FALSE an empty logical
    {"INLIST(d, {^2020-02-29}, {})", "2"},         // the empty date is NULL, which IN finds not
    {"DTOS(d) < '2000'", "4"},                     // DTOS of NULL is NULL
    {"LIKE('a*', c) .OR. LIKE('?,?', c)", "2"},    // LIKE reads the trailing blanks of a CHAR column
};
constexpr Difference value_differences[] = {
    {"EMPTY(c)", "t f t f f"},  // logical values read back as t and f
    {"EMPTY(d)", "t f t f f"},
    {"INLIST(k, 2, 4)", "f t f t f"},
    {"'a' $ c", "f t f f f"},
    {".T.", "t t t t t"},
    {"EVL(c, 'none')", "none abc        none 0          x,y       "},  // a CHAR value keeps its blanks
    {"EVL(n, -1)", "0.00 12.50 0.00 0.01 -3.00"},
    {"DTOS(d)", "NULL 20200229 NULL 19991231 20160105"},
    {"MAX(n, 1)", "1 12.50 1 1 1"},  // the same numbers, written with the scale of each
};

template <std::size_t N>
std::string expected(const Difference (&differences)[N], const engine::Case &c) {
    auto it = std::find_if(std::begin(differences), std::end(differences),
                           [&](const Difference &d) { return d.foxpro == c.foxpro; });
    return std::string(it == std::end(differences) ? std::string_view(c.expected) : it->expected);
}

class PgFoxMeaning : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(db.execute("DROP TABLE IF EXISTS fm; DROP TABLE IF EXISTS fk").ok());
        const std::string columns = convert("ZQ_PGSQL_CREATE_STRU_CONVERT", "K I, C C(10), N N(10,2), D D, T T, L L, M M");
        engine::Answer created = db.execute("CREATE TEMPORARY TABLE fm (" + columns + ")");
        ASSERT_TRUE(created.ok()) << created.message << "\n" << columns;
        for (const char *row : rows) ASSERT_TRUE(db.execute(row).ok()) << row;
        const std::string key = convert("ZQ_PGSQL_CREATE_STRU_CONVERT", "K I");
        ASSERT_TRUE(db.execute("CREATE TEMPORARY TABLE fk (" + key + ")").ok());
        ASSERT_TRUE(db.execute("INSERT INTO fk (K) VALUES (1), (9)").ok());
    }

    std::string convert(const char *function, const std::string &text) {
        tarnvel::Result result = host.call(function, {text});
        const auto *converted = std::get_if<std::string>(&result);
        EXPECT_NE(converted, nullptr) << function << " failed on " << text;
        return converted ? *converted : std::string();
    }

    // The first column of every row the converted FoxPro statement returns, joined by blanks.
    std::string run(const std::string &foxpro) {
        const std::string sql = convert("ZQ_PGSQL_SELECT_CONVERT", foxpro);
        engine::Answer answer;
        std::vector<engine::Row> result = db.rows(sql, &answer);
        EXPECT_TRUE(answer.ok()) << answer.state << " " << answer.message << "\n" << foxpro << "\n" << sql;
        std::string values;
        for (std::size_t i = 0; i < result.size(); ++i) {
            if (i > 0) values += ' ';
            values += result[i].empty() ? "?" : result[i][0].value_or("NULL");
        }
        return values;
    }

    tarnvel::Host host;
    engine::Postgres db;
};

TEST_F(PgFoxMeaning, ConditionsSelectTheRowsFoxProSelects) {
    for (const engine::Case &c : engine::conditions) {
        EXPECT_EQ(run(std::string("SELECT k FROM fm WHERE ") + c.foxpro + " ORDER BY k"), expected(condition_differences, c)) << c.foxpro;
    }
}

TEST_F(PgFoxMeaning, ExpressionsGiveTheValuesFoxProGives) {
    for (const engine::Case &c : engine::values) {
        EXPECT_EQ(run(std::string("SELECT ") + c.foxpro + " AS v FROM fm ORDER BY k"), expected(value_differences, c)) << c.foxpro;
    }
}

TEST_F(PgFoxMeaning, JoinsAndNullsAsInFoxPro) {
    EXPECT_EQ(run("SELECT k * 10 AS x, * FROM fm WHERE k = 2"), "20");
    EXPECT_EQ(run("SELECT x.k FROM fk x LEFT JOIN fm f ON f.k = x.k WHERE ISNULL(f.c) ORDER BY x.k"), "9");
    EXPECT_EQ(run("SELECT NVL(f.c, 'none') FROM fk x LEFT JOIN fm f ON f.k = x.k ORDER BY x.k"), "           none");
    EXPECT_EQ(run("SELECT NVL(f.k, x.k) AS kk FROM fm f FULL JOIN fk x ON f.k = x.k ORDER BY kk"), "1 2 3 4 5 9");
    EXPECT_EQ(run("SELECT TOP 2 k FROM mydata!fm WITH (BUFFERING = .T.) WHERE k > 1 ORDER BY k DESC"), "5 4");
}

// Host parameters reach the server numbered, as libpq binds them.
TEST_F(PgFoxMeaning, ParametersArePrepared) {
    const std::string sql =
        convert("ZQ_PGSQL_SELECT_CONVERT", "SELECT k FROM fm WHERE c = m.cName AND n > thisform.txtMin.Value");
    const tarnvel::BoundStatement bound = tarnvel::bind_parameters(tarnvel::Target::pgsql, sql);
    engine::Answer prepared = db.prepare(bound.text);
    EXPECT_TRUE(prepared.ok()) << prepared.message << "\n" << bound.text;
    EXPECT_EQ(bound.parameters.size(), 2u);
}

}  // namespace
