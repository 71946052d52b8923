// STR of a quotient of whole numbers, run on MariaDB and PostgreSQL: FoxPro divides as decimals and
// STR rounds the quotient, where PostgreSQL would divide integers as integers.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char *foxpro;    // a select-list expression over tq
    const char *expected;  // its values, row by row, as FoxPro gives them
};

// k: 1, 2
constexpr Case cases[] = {
    {"STR(k / 2, 4, 1)", " 0.5  1.0"},
    {"ALLTRIM(STR(k * 5 / 2))", "3 5"},
    {"ALLTRIM(STR(CEILING(k * 4 / 3)))", "2 3"},
    {"'Q' + ALLTRIM(STR(CEILING((k + 3) / 3)))", "Q2 Q2"},
};

template <class Server> class StrQuotients : public ::testing::Test {
protected:
    void SetUp() override { engine::make_table<Server>(db, "tq", "K I", {"INSERT INTO tq (K) VALUES (1), (2)"}); }

    typename Server::Client db;
};
TYPED_TEST_SUITE(StrQuotients, engine::Servers, engine::ServerName);

TYPED_TEST(StrQuotients, DivideAsDecimals) {
    for (const Case &c : cases) {
        EXPECT_EQ(engine::first_values<TypeParam>(this->db, std::string("SELECT ") + c.foxpro + " AS v FROM tq ORDER BY k"),
                  c.expected)
            << c.foxpro;
    }
}

}  // namespace
