// LIKE over a fixed-width field, run on MariaDB and PostgreSQL: FoxPro matches the field without its
// trailing blanks, so a pattern that ends in neither % nor a blank still finds a short value.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"tl", "K I, C C(10)", "INSERT INTO tl (K, C) VALUES (1, 'A100'), (2, 'A200'), (3, 'A1000'), (4, ''), (5, 'B1')"},
};

constexpr engine::Case cases[] = {
    {"SELECT k FROM tl WHERE c LIKE 'A_00' ORDER BY k", "1 2"},
    {"SELECT k FROM tl x WHERE x.c LIKE \"A1_00\" ORDER BY k", "3"},
    {"SELECT k FROM tl WHERE c LIKE 'A%0' ORDER BY k", "1 2 3"},
    {"SELECT k FROM tl WHERE c NOT LIKE 'A_00' ORDER BY k", "3 4 5"},
    {"SELECT k FROM tl WHERE NOT c LIKE 'B_' ORDER BY k", "1 2 3 4"},
    {"SELECT k FROM tl WHERE c LIKE '' ORDER BY k", "4"},
    {"SELECT k FROM tl WHERE UPPER(c) LIKE 'B_' OR c + 'x' LIKE 'A100%x' ORDER BY k", "1 3 5"},
    {"SELECT IIF(c LIKE 'A_00', 'y', 'n') FROM tl ORDER BY k", "y y n n n"},
    {"SELECT k FROM tl WHERE k IN (SELECT k FROM tl WHERE c LIKE 'B1') ORDER BY k", "5"},
};

template <class Server> using LikeTrimmed = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(LikeTrimmed, engine::Servers, engine::ServerName);

TYPED_TEST(LikeTrimmed, MatchesTheFieldWithoutItsTrailingBlanks) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
