// A quotient of whole numbers cast to a type with decimals, run on MariaDB and PostgreSQL: FoxPro
// divides as decimals, where PostgreSQL would divide integers as integers before the cast. And casts
// to a type that takes a width written without one, which the servers take too.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr engine::Table tables[] = {{"tc", "K I, S C(6)", "INSERT INTO tc (K, S) VALUES (1, 'ab'), (3, 'abcdef')"}};

// select-list expressions over tc
constexpr engine::Case cases[] = {
    {"ALLTRIM(STR(CAST(k / 2 AS N(6,2)), 6, 2))", "0.50 1.50"},
    {"ALLTRIM(STR(CAST(LEN(s) / 4 AS N(6,2)), 6, 2))", "0.50 1.50"},
    {"ALLTRIM(STR(CAST(k * 10 / 4 AS B(2)), 6, 2))", "2.50 7.50"},
    {"ALLTRIM(CAST(LEFT(s, LEN(s) / 2) AS C(3)))", "a abc"},
};

template <class Server> using CastQuotients = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(CastQuotients, engine::Servers, engine::ServerName);

// types written without their width: a number without decimals, the text and bytes whole
constexpr engine::Case widthless[] = {
    {"ALLTRIM(STR(CAST(k * 1.5 AS N), 6, 2))", "2.00 5.00"},
    {"ALLTRIM(STR(NVL(CAST(NULL AS N), k), 6, 2))", "1.00 3.00"},
    {"ALLTRIM(CAST(s AS C))", "ab abcdef"},
    {"CAST(RTRIM(s) AS V) + '|'", "ab| abcdef|"},
    {"LEN(CAST(RTRIM(s) AS Q))", "2 6"},
};

TYPED_TEST(CastQuotients, DivideAsDecimals) {
    engine::expect_cases<TypeParam>(this->db, cases, "SELECT ", " AS v FROM tc ORDER BY k");
}

TYPED_TEST(CastQuotients, TypesWithoutAWidth) {
    engine::expect_cases<TypeParam>(this->db, widthless, "SELECT ", " AS v FROM tc ORDER BY k");
}

}  // namespace
