// Grouped columns of one name read in HAVING (GROUP BY a.code, b.code HAVING a.code ...), run on
// MariaDB and PostgreSQL: MariaDB looks such a column up by its name alone and refuses it as
// unknown, so the MySQL form reads the group's value through MAX(). Each group keeps its rows as
// FoxPro filters them, .NULL. keys and the groups of an outer join's missing rows included.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"hk_a", "CODE C(3) NULL, N I", "INSERT INTO hk_a (CODE, N) VALUES ('x', 1), ('y', 2), (NULL, 3), ('x', 4)"},
    {"hk_b", "CODE C(3) NULL, M I", "INSERT INTO hk_b (CODE, M) VALUES ('x', 10), ('z', 20)"},
};

constexpr engine::Case cases[] = {
    // the key of the left table, and of the right table's missing rows (.NULL. kept as a key)
    {"SELECT COUNT(*) AS k FROM hk_a a LEFT JOIN hk_b b ON a.code = b.code GROUP BY a.code, b.code "
     "HAVING a.code > 'w' ORDER BY 1",
     "1 2"},
    {"SELECT SUM(a.n) AS s FROM hk_a a LEFT JOIN hk_b b ON a.code = b.code GROUP BY a.code, b.code "
     "HAVING b.code IS NULL ORDER BY 1",
     "2 3"},
    // beside an aggregate, joined by OR (the term cannot move to WHERE)
    {"SELECT SUM(a.n) AS s FROM hk_a a LEFT JOIN hk_b b ON a.code = b.code GROUP BY a.code, b.code "
     "HAVING a.code = 'y' OR SUM(a.n) > 4 ORDER BY 1",
     "2 5"},
    // a table joined to itself, the key inside a call, and inside an aggregate already
    {"SELECT COUNT(*) AS k FROM hk_a a INNER JOIN hk_a c ON a.code = c.code GROUP BY a.code, c.code "
     "HAVING UPPER(a.code) > 'W' ORDER BY 1",
     "1 4"},
    {"SELECT COUNT(*) AS k FROM hk_a a, hk_b b GROUP BY a.code, b.code HAVING MAX(a.n) > 1 AND a.code <> b.code "
     "ORDER BY 1",
     "1 1 2"},
};

template <class Server> using HavingKeys = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(HavingKeys, engine::Servers, engine::ServerName);

TYPED_TEST(HavingKeys, FilterGroupsByTheirKeys) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
