// The column and table clauses of a field list do on the server what they do in FoxPro: a
// default fills a row, NULL and NOT NULL hold, CHECK refuses, AUTOINC numbers, keys stay unique.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Statement {
    const char *sql;
    unsigned code;  // 0: accepted, else the server's error number
};

struct ClauseCase {
    const char *fields;
    std::vector<Statement> statements;  // run in turn on the table "clauses"
    const char *query;                  // then this reads the table
    std::vector<const char *> rows;     // each row's columns joined by "|", NULL as "-"
};

constexpr unsigned not_null = 1048;   // a NULL into a NOT NULL column
constexpr unsigned duplicate = 1062;  // a second equal key
constexpr unsigned check = 4025;      // a CHECK refused the row

const ClauseCase cases[] = {
    {"id I, stamp T DEFAULT DATETIME(), day D Default Date(), paid L DEFA .T., rate N(6,2) defaul 1.5, name C(10) DEFAULT [x]",
     {{"INSERT INTO clauses (id) VALUES (1)", 0}},
     "SELECT stamp > '2020-01-01', day = CURRENT_DATE, paid, rate, name FROM clauses",
     {"1|1|1|1.50|x"}},
    {"id I, a C(10) NULL, b N(5) NOT NULL, c c(10)Null, d D null",
     {{"INSERT INTO clauses (id) VALUES (1)", 0}, {"INSERT INTO clauses (id, b) VALUES (2, NULL)", not_null}},
     "SELECT a, b, c, d FROM clauses",
     {"-|0|-|-"}},
    {"qty N(5) CHECK qty > 0 ERROR 'positive', price N(10,2) check price >= qty DEFAULT 1",
     {{"INSERT INTO clauses (qty, price) VALUES (1, 5)", 0},
      {"INSERT INTO clauses (qty, price) VALUES (0, 5)", check},
      {"INSERT INTO clauses (qty, price) VALUES (6, 5)", check}},
     "SELECT qty, price FROM clauses",
     {"1|5.00"}},
    {"id I AUTOINC, name C(10)",
     {{"INSERT INTO clauses (name) VALUES ('a')", 0}, {"INSERT INTO clauses (name) VALUES ('b')", 0}},
     "SELECT id, name FROM clauses ORDER BY id",
     {"1|a", "2|b"}},
    {"id Int Autoinc Primary Key, code C(5) UNIQUE",
     {{"INSERT INTO clauses (code) VALUES ('a')", 0},
      {"INSERT INTO clauses (code) VALUES ('a')", duplicate},
      {"INSERT INTO clauses (id, code) VALUES (1, 'b')", duplicate}},
     "SELECT id, code FROM clauses",
     {"1|a"}},
    {"a I, b C(5), PRIMARY KEY a TAG pk, UNIQUE b+a TAG ub, CHECK a > 0 ERROR 'x'",
     {{"INSERT INTO clauses (a, b) VALUES (1, 'x')", 0},
      {"INSERT INTO clauses (a, b) VALUES (1, 'y')", duplicate},
      {"INSERT INTO clauses (a, b) VALUES (-1, 'y')", check}},
     "SELECT a, b FROM clauses",
     {"1|x"}},
    {"filedat m NOCPTRANS, q N(5) CHECK myrule(q) ERROR 'bad'",
     {{"INSERT INTO clauses (q) VALUES (-1)", 0}},
     "SELECT filedat, q FROM clauses",
     {"|-1"}},
    // a name reserved by MySQL alone, a binary default, a default the host reads from a variable
    // (left out: the empty value), a CHECK that reads the clock (left out: MySQL refuses it)
    {"by C(5), bin Q(2) DEFAULT 0h00FF, who C(10) DEFAULT m.gcUser, born D NULL CHECK born < DATE() OR ISNULL(born)",
     {{"INSERT INTO clauses (`by`) VALUES ('x')", 0}, {"INSERT INTO clauses (`by`, born) VALUES ('y', '2999-01-01')", 0}},
     "SELECT `by`, HEX(bin), who, born FROM clauses ORDER BY `by`",
     {"x|00FF||-", "y|00FF||2999-01-01"}},
};

std::string joined(const engine::Row &row) {
    std::string text;
    for (std::size_t i = 0; i < row.size(); ++i) {
        if (i) text += '|';
        text += row[i] ? *row[i] : std::string("-");
    }
    return text;
}

TEST(StructureClauses, MariaDb) {
    engine::MariaDb db;
    for (const ClauseCase &c : cases) {
        SCOPED_TRACE(c.fields);
        ASSERT_TRUE(db.execute("DROP TEMPORARY TABLE IF EXISTS clauses").ok());
        const std::string columns = engine::columns<engine::OnMariaDb>(c.fields);
        engine::Answer created = db.execute("CREATE TEMPORARY TABLE clauses (" + columns + ")");
        ASSERT_TRUE(created.ok()) << created.message << "\n" << columns;
        for (const Statement &s : c.statements) {
            engine::Answer answer = db.execute(s.sql);
            EXPECT_EQ(answer.code, s.code) << s.sql << ": " << answer.message << "\n" << columns;
        }
        engine::Answer answer;
        std::vector<engine::Row> rows = db.rows(c.query, &answer);
        ASSERT_TRUE(answer.ok()) << answer.message;
        std::vector<std::string> got;
        for (const engine::Row &row : rows) got.push_back(joined(row));
        EXPECT_EQ(got, std::vector<std::string>(c.rows.begin(), c.rows.end())) << columns;
    }
}

// On PostgreSQL: an AUTOINC column numbers the rows from NEXTVALUE by STEP; a reserved name is
// quoted and found by the SELECT conversion's quoting; DEFAULT and CHECK work as in FoxPro.
TEST(StructureClauses, Postgres) {
    engine::Postgres db;
    ASSERT_TRUE(db.execute("DROP TABLE IF EXISTS clauses").ok());
    const std::string columns = engine::columns<engine::OnPostgres>(
        "ID I AUTOINC NEXTVALUE 10 STEP 5, USER C(8) DEFAULT 'nobody', OK L DEFAULT .T., "
        "MADE D DEFAULT DATE(), AMOUNT N(8,2) CHECK AMOUNT >= 0");
    engine::Answer answer = db.execute("CREATE TEMPORARY TABLE clauses (" + columns + ")");
    ASSERT_TRUE(answer.ok()) << answer.message << "\n" << columns;
    EXPECT_TRUE(db.execute("INSERT INTO clauses (AMOUNT) VALUES (1), (2)").ok());
    EXPECT_FALSE(db.execute("INSERT INTO clauses (AMOUNT) VALUES (-1)").ok());  // the CHECK
    const std::string sql =
        engine::select_sql<engine::OnPostgres>("SELECT id, user FROM clauses WHERE ok AND made = DATE() ORDER BY id");
    std::vector<engine::Row> rows = db.rows(sql, &answer);
    ASSERT_TRUE(answer.ok()) << answer.message << "\n" << sql;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "10");
    EXPECT_EQ(rows[1][0], "15");
    EXPECT_EQ(rows[0][1], "nobody  ");
}

}  // namespace
