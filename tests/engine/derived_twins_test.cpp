// Derived tables whose field lists name two columns of one name, run on MariaDB and PostgreSQL:
// FoxPro names them k_a, k_b, ... and the outer query reads them by those names; MariaDB refuses
// a derived table with two columns of one name, PostgreSQL cannot tell them apart.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"dt_a", "K I, V C(5)", "INSERT INTO dt_a (K, V) VALUES (1, 'x'), (2, 'y'), (3, 'z')"},
    {"dt_b", "K I, V C(5)", "INSERT INTO dt_b (K, V) VALUES (2, 'p'), (3, 'q'), (4, 'r')"},
};

constexpr engine::Case cases[] = {
    // the first column of the name is k_a, the second k_b
    {"SELECT t.k_b FROM (SELECT a.k, b.k FROM dt_a a JOIN dt_b b ON b.k = a.k + 1) t ORDER BY 1", "2 3 4"},
    {"SELECT t.k_a FROM (SELECT a.k, b.k FROM dt_a a JOIN dt_b b ON b.k = a.k + 1) t ORDER BY t.k_b DESC", "3 2 1"},
    {"select count(*) from (select a.k, b.k, a.v, b.v from dt_a a, dt_b b where a.k = b.k) x", "2"},
    {"SELECT COUNT(*) FROM (SELECT DISTINCT a.v, b.v FROM dt_a a JOIN dt_b b ON b.k = a.k) x WHERE x.v_b = 'q'", "1"},
    // three of one name, and an item of its own name beside them
    {"SELECT d.k_c FROM (SELECT a.k, b.k, c.k, a.v AS v FROM dt_a a JOIN dt_b b ON b.k = a.k JOIN dt_a c ON c.k = b.k) d "
     "ORDER BY 1",
     "2 3"},
    // a derived table inside a derived table, and one joined to a table
    {"SELECT o.k_a FROM (SELECT i.k_a, i.k_b FROM (SELECT a.k, b.k FROM dt_a a, dt_b b WHERE b.k = a.k) i) o ORDER BY 1",
     "2 3"},
    {"SELECT b.k FROM dt_b b JOIN (SELECT a.k, b2.k FROM dt_a a JOIN dt_b b2 ON b2.k = a.k) t ON t.k_b = b.k ORDER BY 1", "2 3"},
};

template <class Server> using DerivedTwins = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(DerivedTwins, engine::Servers, engine::ServerName);

TYPED_TEST(DerivedTwins, ReadFoxProsNames) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
