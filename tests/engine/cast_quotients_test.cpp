// A quotient of whole numbers cast to a type with decimals, run on MariaDB and PostgreSQL: FoxPro
// divides as decimals, where PostgreSQL would divide integers as integers before the cast.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char *foxpro;    // a select-list expression over tc
    const char *expected;  // its values, row by row, as FoxPro gives them
};

// k: 1, 3; s: 'ab', 'abcdef'
constexpr Case cases[] = {
    {"ALLTRIM(STR(CAST(k / 2 AS N(6,2)), 6, 2))", "0.50 1.50"},
    {"ALLTRIM(STR(CAST(LEN(s) / 4 AS N(6,2)), 6, 2))", "0.50 1.50"},
    {"ALLTRIM(STR(CAST(k * 10 / 4 AS B(2)), 6, 2))", "2.50 7.50"},
    {"ALLTRIM(CAST(LEFT(s, LEN(s) / 2) AS C(3)))", "a abc"},
};

template <class Server> class CastQuotients : public ::testing::Test {
protected:
    void SetUp() override {
        engine::make_table<Server>(db, "tc", "K I, S C(6)", {"INSERT INTO tc (K, S) VALUES (1, 'ab'), (3, 'abcdef')"});
    }

    typename Server::Client db;
};
TYPED_TEST_SUITE(CastQuotients, engine::Servers, engine::ServerName);

TYPED_TEST(CastQuotients, DivideAsDecimals) {
    for (const Case &c : cases) {
        EXPECT_EQ(engine::first_values<TypeParam>(this->db, std::string("SELECT ") + c.foxpro + " AS v FROM tc ORDER BY k"),
                  c.expected)
            << c.foxpro;
    }
}

}  // namespace
