// A UNION's ORDER BY, which sorts the union's rows, run on MariaDB and PostgreSQL: an entry written as
// a qualified column of the last member must sort by that column, after ASC or DESC too, beside
// positions and names; the first value of each row, in order.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"uo", "K I, NM C(10), GRP C(1)",
     "INSERT INTO uo (K, NM, GRP) VALUES (1, 'delta', 'a'), (2, 'alpha', 'b'), (3, 'charlie', 'a'), (4, 'bravo', 'b')"},
};

constexpr engine::Case cases[] = {
    {"SELECT u.k, u.nm FROM uo u WHERE u.grp = 'a' UNION SELECT u.k, u.nm FROM uo u WHERE u.grp = 'b' ORDER BY u.nm",
     "2 4 3 1"},
    {"SELECT u.k, u.nm FROM uo u WHERE u.grp = 'a' UNION ALL SELECT u.k, u.nm FROM uo u WHERE u.grp = 'b' ORDER BY u.nm DESC",
     "1 3 4 2"},
    {"SELECT u.grp, u.k FROM uo u WHERE u.k < 3 UNION SELECT u.grp, u.k FROM uo u WHERE u.k > 2 ORDER BY u.grp DESC, u.k",
     "b b a a"},
    {"SELECT uo.k, uo.nm FROM uo WHERE uo.k > 2 UNION SELECT uo.k, uo.nm FROM uo WHERE uo.k = 1 ORDER BY uo.k DESC", "4 3 1"},
    {"SELECT u.k, u.nm AS label FROM uo u WHERE u.k = 4 UNION SELECT u.k, u.nm FROM uo u WHERE u.k = 2 ORDER BY u.nm", "2 4"},
    {"SELECT a.k, a.nm FROM uo a WHERE a.k < 3 UNION SELECT b.k, b.grp FROM uo b WHERE b.k > 2 ORDER BY a.nm, 1", "3 2 4 1"},
};

template <class Server> using UnionOrder = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(UnionOrder, engine::Servers, engine::ServerName);

TYPED_TEST(UnionOrder, SortsByTheMembersColumns) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
