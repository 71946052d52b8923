// FoxPro's literals written in hexadecimal, run on MariaDB and PostgreSQL: a binary literal 0h...
// converted holds the bytes FoxPro means (read back in hexadecimal, with their count), and a number
// 0x... is the number FoxPro reads.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char *foxpro;    // a select-list expression
    const char *expected;  // the bytes in hexadecimal, a "|" and their count
};

constexpr Case binaries[] = {
    {"0h0A0B", "0A0B|2"},
    {"0hff", "FF|1"},
    {"0h", "|0"},               // the empty binary value
    {"0hA", "0A|1"},            // an odd count of digits: a 0 leads them
    {"0h6ABCDEF", "06ABCDEF|4"},
    {"0H4142", "4142|2"},
    {"IIF(k = 1, 0h01, 0h00)", "01|1"},
};

constexpr Case numbers[] = {
    {"0x1F + k", "32"},
    {"0xff * 2", "510"},
    {"0x41", "65"},  // a number, not the text 'A'
    {"0xFFFFFFFF", "4294967295"},
};

template <class Server> class BinaryLiterals : public ::testing::Test {
protected:
    void SetUp() override {
        engine::make_table<Server>(db, "bl", "K I", {"INSERT INTO bl (K) VALUES (1)"});
    }

    // The bytes of the converted expression, read by the server's own functions.
    std::string bytes(const std::string &foxpro) {
        const std::string inner = engine::select_sql<Server>("SELECT " + foxpro + " AS v FROM bl");
        const std::string hex = Server::target == tarnvel::Target::pgsql ? "UPPER(ENCODE(v, 'hex'))" : "HEX(v)";
        const std::string sql = "SELECT " + hex + ", LENGTH(v) FROM (" + inner + ") q";
        engine::Answer answer;
        std::vector<engine::Row> rows = db.rows(sql, &answer);
        EXPECT_TRUE(answer.ok()) << answer.message << "\n" << sql;
        if (rows.size() != 1 || rows[0].size() != 2) return "?";
        return rows[0][0].value_or("NULL") + "|" + rows[0][1].value_or("NULL");
    }

    typename Server::Client db;
};
TYPED_TEST_SUITE(BinaryLiterals, engine::Servers, engine::ServerName);

TYPED_TEST(BinaryLiterals, HoldTheBytesFoxProMeans) {
    for (const Case &c : binaries) EXPECT_EQ(this->bytes(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(BinaryLiterals, CompareAsFoxProCompares) {
    EXPECT_EQ(engine::first_values<TypeParam>(this->db, "SELECT k FROM bl WHERE 0h01 = 0h01 AND 0h0A0B # 0h0A0C"), "1");
    EXPECT_EQ(engine::first_values<TypeParam>(this->db, "SELECT k FROM bl WHERE 0h = 0h01"), "");
}

TYPED_TEST(BinaryLiterals, HexadecimalNumbersAreFoxProsNumbers) {
    for (const Case &c : numbers) {
        EXPECT_EQ(engine::first_values<TypeParam>(this->db, std::string("SELECT ") + c.foxpro + " AS v FROM bl"), c.expected)
            << c.foxpro;
    }
}

}  // namespace
