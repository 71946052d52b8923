// Every host field type as a PostgreSQL column on the server: the table made from our column list
// takes FoxPro's empty value (from the column's default, and written out) and a typical value, and
// gives both back unchanged. The empty date and datetime are NULL there; logical values read back as
// f and t, binary ones through their hexadecimal text.
#include "postgres_client.h"
#include "structure_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TypeCase {
    const char *type;          // as written after the field name
    const char *empty;         // FoxPro's empty value of the type, as an SQL literal
    const char *typical;       // a typical value, as an SQL literal
    const char *read;          // how the value is read back
    const char *empty_back;    // what the empty value reads back as ("NULL" for NULL)
    const char *typical_back;  // what the typical value reads back as
};

const TypeCase cases[] = {
    {"C(10)", "''", "'pear'", "v", "          ", "pear      "},
    {"V(10)", "''", "'pear'", "v", "", "pear"},
    {"N(10,2)", "0", "12345678.91", "v", "0.00", "12345678.91"},
    {"Number(20)", "0", "12345678901234567890", "v", "0", "12345678901234567890"},
    {"F(10,2)", "0", "1234567.89", "v", "0", "1234567.89"},
    {"I", "0", "-2147483648", "v", "0", "-2147483648"},
    {"B(5)", "0", "1234567890.123456", "v", "0", "1234567890.123456"},
    {"Y", "0", "922337203685477.5807", "v", "0.0000", "922337203685477.5807"},
    {"D", "NULL", "'2024-02-29'", "v", "NULL", "2024-02-29"},
    {"Date", "NULL", "'0001-01-01'", "v", "NULL", "0001-01-01"},
    {"T", "NULL", "'2024-02-29 13:45:59'", "v", "NULL", "2024-02-29 13:45:59"},
    {"L", "FALSE", "TRUE", "v", "f", "t"},
    {"Logical", "FALSE", "TRUE", "v", "f", "t"},
    {"M", "''", "REPEAT('memo ', 200000)", "LENGTH(v)", "0", "1000000"},
    {"G", "''", "DECODE(REPEAT('00ff', 50000), 'hex')", "LENGTH(v)", "0", "100000"},
    {"W", "''", "'\\x00ff10'", "ENCODE(v, 'hex')", "", "00ff10"},
    {"Q(8)", "''", "'\\x00ff'", "ENCODE(v, 'hex')", "", "00ff"},
};

TEST(PgStructure, EveryTypeTakesItsEmptyAndATypicalValueBackUnchanged) {
    engine::Postgres db;
    for (const TypeCase &c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(db.execute("DROP TABLE IF EXISTS types").ok());
        const std::string columns = engine::pgsql_columns(std::string("k I, v ") + c.type);
        engine::Answer created = db.execute("CREATE TEMPORARY TABLE types (" + columns + ")");
        ASSERT_TRUE(created.ok()) << created.message << "\n" << columns;
        engine::Answer answer = db.execute("INSERT INTO types (k) VALUES (1)");  // the column's default
        EXPECT_TRUE(answer.ok()) << answer.message;
        answer = db.execute(std::string("INSERT INTO types (k, v) VALUES (2, ") + c.empty + ")");
        EXPECT_TRUE(answer.ok()) << answer.message;
        answer = db.execute(std::string("INSERT INTO types (k, v) VALUES (3, ") + c.typical + ")");
        EXPECT_TRUE(answer.ok()) << answer.message << "\n" << columns;
        std::vector<engine::Row> rows = db.rows(std::string("SELECT ") + c.read + " FROM types ORDER BY k", &answer);
        ASSERT_TRUE(answer.ok()) << answer.message;
        ASSERT_EQ(rows.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string expected = i < 2 ? c.empty_back : c.typical_back;
            EXPECT_EQ(rows[i][0].value_or("NULL"), expected) << "row " << i + 1 << " of " << columns;
        }
    }
}

// An AUTOINC column numbers the rows from NEXTVALUE by STEP; a reserved name is quoted and found by
// the SELECT conversion's quoting; DEFAULT and CHECK work as in FoxPro.
TEST(PgStructure, ClausesDoOnTheServerWhatTheyDoInFoxPro) {
    engine::Postgres db;
    ASSERT_TRUE(db.execute("DROP TABLE IF EXISTS clauses").ok());
    const std::string columns = engine::pgsql_columns(
        "ID I AUTOINC NEXTVALUE 10 STEP 5, USER C(8) DEFAULT 'nobody', OK L DEFAULT .T., "
        "MADE D DEFAULT DATE(), AMOUNT N(8,2) CHECK AMOUNT >= 0");
    engine::Answer answer = db.execute("CREATE TEMPORARY TABLE clauses (" + columns + ")");
    ASSERT_TRUE(answer.ok()) << answer.message << "\n" << columns;
    EXPECT_TRUE(db.execute("INSERT INTO clauses (AMOUNT) VALUES (1), (2)").ok());
    EXPECT_FALSE(db.execute("INSERT INTO clauses (AMOUNT) VALUES (-1)").ok());  // the CHECK
    tarnvel::Host host;
    tarnvel::Result sql = host.call("ZQ_PGSQL_SELECT_CONVERT",
                                    {std::string("SELECT id, user FROM clauses WHERE ok AND made = DATE() ORDER BY id")});
    const auto *text = std::get_if<std::string>(&sql);
    ASSERT_NE(text, nullptr);
    std::vector<engine::Row> rows = db.rows(*text, &answer);
    ASSERT_TRUE(answer.ok()) << answer.message << "\n" << *text;
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "10");
    EXPECT_EQ(rows[1][0], "15");
    EXPECT_EQ(rows[0][1], "nobody  ");
}

}  // namespace
