// Aggregates of a subquery whose argument reads only the outer query's columns, run on MariaDB and
// PostgreSQL: FoxPro works them out over the subquery's rows, once per outer row, where both servers
// make them aggregates of the outer query (MariaDB then gives one row for all, PostgreSQL refuses).
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"oa_orders", "ID I, TOTAL I", "INSERT INTO oa_orders (ID, TOTAL) VALUES (1, 10), (2, 20), (3, 30)"},
    {"oa_items", "ORDER_ID I, QTY I", "INSERT INTO oa_items (ORDER_ID, QTY) VALUES (1, 5), (1, 6), (2, 7)"},
};

constexpr engine::Case cases[] = {
    // one value per outer row: the outer column over the subquery's rows, none where it has no row
    {"SELECT (SELECT MAX(o.total) FROM oa_items i WHERE i.order_id = o.id) AS m FROM oa_orders o ORDER BY o.id",
     "10 20 NULL"},
    {"SELECT (SELECT SUM(o.total) FROM oa_items i WHERE i.order_id = o.id) FROM oa_orders o ORDER BY o.id", "20 20 NULL"},
    {"SELECT (SELECT COUNT(o.total) FROM oa_items WHERE oa_items.order_id = o.id) FROM oa_orders o ORDER BY o.id",
     "2 1 0"},
    {"SELECT DISTINCT (SELECT MIN(o.total) FROM oa_items AS i WHERE i.order_id = o.id) AS m FROM oa_orders o ORDER BY 1",
     "NULL 10 20"},
    {"SELECT (SELECT COUNT(DISTINCT o.total) FROM oa_items i WHERE i.order_id = o.id) FROM oa_orders o ORDER BY o.id",
     "1 1 0"},
    {"SELECT (SELECT AVG(DISTINCT o.total) FROM oa_items i WHERE i.order_id = o.id) FROM oa_orders o ORDER BY o.id",
     "10 20 NULL"},
    // in WHERE, where the outer query has no aggregate of its own
    {"SELECT o.id FROM oa_orders o WHERE o.total < (SELECT SUM(o.total) FROM oa_items i WHERE i.order_id = o.id) ORDER BY 1",
     "1"},
    // beside an aggregate of the outer query's own rows
    {"SELECT COUNT(*) FROM oa_orders o WHERE o.total < (SELECT SUM(o.total) FROM oa_items i WHERE i.order_id = o.id)", "1"},
    // an argument that reads the subquery's columns too is the subquery's already
    {"SELECT (SELECT MAX(i.qty + o.total) FROM oa_items i WHERE i.order_id = o.id) FROM oa_orders o ORDER BY o.id",
     "16 27 NULL"},
    // a grouped subquery, and one over a join
    {"SELECT (SELECT MAX(o.total) FROM oa_items i WHERE i.order_id = o.id GROUP BY i.order_id) FROM oa_orders o "
     "ORDER BY o.id",
     "10 20 NULL"},
    {"SELECT (SELECT SUM(o.total) FROM oa_items i JOIN oa_orders p ON p.id = i.order_id WHERE p.id = o.id) FROM oa_orders o "
     "ORDER BY o.id",
     "20 20 NULL"},
};

template <class Server> using OuterAggregates = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(OuterAggregates, engine::Servers, engine::ServerName);

TYPED_TEST(OuterAggregates, CountTheSubquerysRows) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
