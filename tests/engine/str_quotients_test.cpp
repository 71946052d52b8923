// STR of a quotient of whole numbers, run on MariaDB and PostgreSQL: FoxPro divides as decimals and
// STR rounds the quotient, where PostgreSQL would divide integers as integers.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// select-list expressions over tq (k: 1, 2)
constexpr engine::Case cases[] = {
    {"STR(k / 2, 4, 1)", " 0.5  1.0"},
    {"ALLTRIM(STR(k * 5 / 2))", "3 5"},
    {"ALLTRIM(STR(CEILING(k * 4 / 3)))", "2 3"},
    {"'Q' + ALLTRIM(STR(CEILING((k + 3) / 3)))", "Q2 Q2"},
};

constexpr engine::Table tables[] = {{"tq", "K I", "INSERT INTO tq (K) VALUES (1), (2)"}};
template <class Server> using StrQuotients = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(StrQuotients, engine::Servers, engine::ServerName);

TYPED_TEST(StrQuotients, DivideAsDecimals) {
    engine::expect_cases<TypeParam>(this->db, cases, "SELECT ", " AS v FROM tq ORDER BY k");
}

}  // namespace
