// Forms FoxPro code writes seldom, run on MariaDB and PostgreSQL: each converted statement must give
// the rows FoxPro gives (a number text with its exponent, the trimming picture, a HAVING of an
// aggregate with no GROUP BY, which makes the whole table one group).
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr engine::Table tables[] = {
    {"rf", "K I, C C(12)", "INSERT INTO rf (K, C) VALUES (1, '1.5E3'), (2, ' 2e-1 kg'), (3, '7E'), (4, '  ab')"},
};

constexpr engine::Case cases[] = {
    {"SELECT k FROM rf WHERE VAL(c) = 1500", "1"},
    {"SELECT k FROM rf WHERE VAL(c) = 0.2", "2"},
    {"SELECT k FROM rf WHERE VAL(c) = 7", "3"},
    {"SELECT k FROM rf WHERE VAL(c) = 0 ORDER BY k", "4"},
    {"SELECT k FROM rf WHERE LEFT(TRANSFORM(c, '@T'), 2) = 'ab'", "4"},
    {"SELECT k FROM rf WHERE LEFT(TRANSFORM(k * 10, '@T'), 2) = '40'", "4"},
    {"SELECT COUNT(*) FROM rf WHERE k > 1 HAVING COUNT(*) > 2", "3"},
    {"SELECT COUNT(*) FROM rf WHERE k > 1 HAVING COUNT(*) > 3", ""},
    {"SELECT k FROM rf WHERE EXISTS (SELECT k FROM rf r2 WHERE r2.k <= rf.k HAVING COUNT(*) >= 3) ORDER BY k",
     "3 4"},
};

template <class Server> using RareForms = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(RareForms, engine::Servers, engine::ServerName);

TYPED_TEST(RareForms, GiveFoxProsRows) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
