// Every host field type as a column on each server: the table made from our column list takes
// FoxPro's empty value (from the column's default, and written out) and a typical value, and gives
// both back unchanged. The spellings of each type are held to its letter by
// tests/structure/type_spellings_test.cpp; here the widths and values reach each type's limits.
#include "servers.h"

#include <gtest/gtest.h>

#include <span>
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

// The long memo and general values (100,000 characters and bytes) are more than TEXT and BLOB hold.
constexpr TypeCase mariadb_types[] = {
    {"C(10)", "''", "'pear'", "v", "", "pear"},
    {"V(10)", "''", "'pear'", "v", "", "pear"},
    {"N(10,2)", "0", "12345678.91", "v", "0.00", "12345678.91"},
    {"N(12,2)", "0", "-1234567890.12", "v", "0.00", "-1234567890.12"},
    {"N(20)", "0", "12345678901234567890", "v", "0", "12345678901234567890"},
    {"N(16,5)", "0", "12345678901.12345", "v", "0.00000", "12345678901.12345"},
    {"F(20,4)", "0", "123456789.1234", "v", "0.0000", "123456789.1234"},
    {"I", "0", "2147483647", "v", "0", "2147483647"},
    {"I(4)", "0", "-2147483648", "v", "0", "-2147483648"},
    {"B(5)", "0", "1234567890.123456", "v", "0", "1234567890.123456"},
    {"Y", "0", "922337203685477.5807", "v", "0.0000", "922337203685477.5807"},
    {"Y(8,2)", "0", "-922337203685477.5807", "v", "0.0000", "-922337203685477.5807"},
    {"D", "'0000-00-00'", "'2024-02-29'", "v", "0000-00-00", "2024-02-29"},
    {"T", "'0000-00-00 00:00:00'", "'2024-02-29 13:45:59'", "v", "0000-00-00 00:00:00", "2024-02-29 13:45:59"},
    {"L", "0", "TRUE", "v", "0", "1"},
    {"M", "''", "REPEAT('memo ', 20000)", "LENGTH(v)", "0", "100000"},
    {"G", "''", "REPEAT(x'00FF', 50000)", "LENGTH(v)", "0", "100000"},
    {"W", "''", "REPEAT(x'00FF', 50000)", "LENGTH(v)", "0", "100000"},
    {"W", "''", "x'00FF10'", "HEX(v)", "", "00FF10"},
    {"Q(8)", "''", "x'00FF'", "HEX(v)", "", "00FF"},
    {"Nume(12,2)", "0", "-1234567890.12", "v", "0.00", "-1234567890.12"},
    {"Datet", "'0000-00-00 00:00:00'", "'2024-02-29 13:45:59'", "v", "0000-00-00 00:00:00", "2024-02-29 13:45:59"},
};

// The empty date and datetime are NULL there; logical values read back as f and t, binary ones
// through their hexadecimal text.
constexpr TypeCase postgres_types[] = {
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

template <class Server> std::span<const TypeCase> types() {
    if constexpr (Server::target == tarnvel::Target::pgsql) return postgres_types;
    else return mariadb_types;
}

template <class Server> class StructureTypes : public ::testing::Test {};
TYPED_TEST_SUITE(StructureTypes, engine::Servers, engine::ServerName);

TYPED_TEST(StructureTypes, EveryTypeTakesItsEmptyAndATypicalValueBackUnchanged) {
    typename TypeParam::Client db;
    for (const TypeCase &c : types<TypeParam>()) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(db.execute(std::string(TypeParam::drop) + "types").ok());
        const std::string columns = engine::columns<TypeParam>(std::string("k I, v ") + c.type);
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

}  // namespace
