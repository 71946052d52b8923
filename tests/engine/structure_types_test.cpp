// Every host field type, in each of its spellings, as a MySQL column on the server: the table made
// from our column list takes FoxPro's empty value (from the column's default, and written out) and
// a typical value, and gives both back unchanged.
#include "mariadb_client.h"
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
    const char *empty_back;    // what the empty value reads back as
    const char *typical_back;  // what the typical value reads back as
};

// The long memo and general values (100,000 characters and bytes) are more than TEXT and BLOB hold.
const TypeCase cases[] = {
    {"C(10)", "''", "'pear'", "v", "", "pear"},
    {"Character(10)", "''", "'pear'", "v", "", "pear"},
    {"Char (10)", "''", "'pear'", "v", "", "pear"},
    {"V(10)", "''", "'pear'", "v", "", "pear"},
    {"Varchar( 10 )", "''", "'pear'", "v", "", "pear"},
    {"N(10,2)", "0", "12345678.91", "v", "0.00", "12345678.91"},
    {"N( 12, 2 )", "0", "-1234567890.12", "v", "0.00", "-1234567890.12"},
    {"Numeric(10,2)", "0", "12345678.91", "v", "0.00", "12345678.91"},
    {"Num (10, 2)", "0", "12345678.91", "v", "0.00", "12345678.91"},
    {"Number(20)", "0", "12345678901234567890", "v", "0", "12345678901234567890"},
    {"Decimal(16,5)", "0", "12345678901.12345", "v", "0.00000", "12345678901.12345"},
    {"F(10,2)", "0", "1234567.89", "v", "0.00", "1234567.89"},
    {"Float(20,4)", "0", "123456789.1234", "v", "0.0000", "123456789.1234"},
    {"I", "0", "2147483647", "v", "0", "2147483647"},
    {"I(4)", "0", "-2147483648", "v", "0", "-2147483648"},
    {"Integer", "0", "2147483647", "v", "0", "2147483647"},
    {"Int", "0", "2147483647", "v", "0", "2147483647"},
    {"B", "0", "1234567890.123456", "v", "0", "1234567890.123456"},
    {"B(5)", "0", "1234567890.123456", "v", "0", "1234567890.123456"},
    {"Double", "0", "1234567890.123456", "v", "0", "1234567890.123456"},
    {"Y", "0", "922337203685477.5807", "v", "0.0000", "922337203685477.5807"},
    {"Y(8,2)", "0", "12.3456", "v", "0.0000", "12.3456"},
    {"Currency", "0", "-922337203685477.5807", "v", "0.0000", "-922337203685477.5807"},
    {"Money", "0", "19.99", "v", "0.0000", "19.9900"},
    {"D", "'0000-00-00'", "'2024-02-29'", "v", "0000-00-00", "2024-02-29"},
    {"D(8)", "'0000-00-00'", "'2024-02-29'", "v", "0000-00-00", "2024-02-29"},
    {"Date", "'0000-00-00'", "'1900-01-01'", "v", "0000-00-00", "1900-01-01"},
    {"T", "'0000-00-00 00:00:00'", "'2024-02-29 13:45:59'", "v", "0000-00-00 00:00:00", "2024-02-29 13:45:59"},
    {"T(8)", "'0000-00-00 00:00:00'", "'2024-02-29 13:45:59'", "v", "0000-00-00 00:00:00", "2024-02-29 13:45:59"},
    {"DateTime", "'0000-00-00 00:00:00'", "'1999-12-31 23:59:59'", "v", "0000-00-00 00:00:00", "1999-12-31 23:59:59"},
    {"L", "0", "1", "v", "0", "1"},
    {"L(1)", "0", "1", "v", "0", "1"},
    {"Logical", "0", "TRUE", "v", "0", "1"},
    {"Boolean", "0", "TRUE", "v", "0", "1"},
    {"bit", "0", "TRUE", "v", "0", "1"},
    {"M", "''", "REPEAT('memo ', 20000)", "LENGTH(v)", "0", "100000"},
    {"M(10)", "''", "'a note'", "v", "", "a note"},
    {"Memo", "''", "'a note'", "v", "", "a note"},
    {"G", "''", "REPEAT(x'00FF', 50000)", "LENGTH(v)", "0", "100000"},
    {"General", "''", "x'00FF10'", "HEX(v)", "", "00FF10"},
    {"W", "''", "REPEAT(x'00FF', 50000)", "LENGTH(v)", "0", "100000"},
    {"Blob", "''", "x'00FF10'", "HEX(v)", "", "00FF10"},
    {"Q(8)", "''", "x'00FF'", "HEX(v)", "", "00FF"},
    {"Varbinary(8)", "''", "x'00FF10'", "HEX(v)", "", "00FF10"},
};

TEST(MariaDbStructure, EveryTypeTakesItsEmptyAndATypicalValueBackUnchanged) {
    engine::MariaDb db;
    for (const TypeCase &c : cases) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(db.execute("DROP TEMPORARY TABLE IF EXISTS types").ok());
        const std::string columns = engine::mysql_columns(std::string("k I, v ") + c.type);
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
        EXPECT_EQ(rows[0][0], c.empty_back) << "default of " << columns;
        EXPECT_EQ(rows[1][0], c.empty_back) << columns;
        EXPECT_EQ(rows[2][0], c.typical_back) << columns;
    }
}

}  // namespace
