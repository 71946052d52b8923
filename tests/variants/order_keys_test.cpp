// The engine comparison's reading of which result columns give a statement's order.
#include "order_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct OrderCase {
    const char *statement;
    std::vector<std::size_t> columns;  // empty: not compared
};

const OrderCase order_cases[] = {
    {"SELECT a, b, c FROM t ORDER BY 1 DESC,3", {0, 2}},
    {"select a, b from t order by  2 asc, 1", {1, 0}},
    {"SELECT a FROM t", {}},
    {"SELECT a FROM t ORDER BY 0", {}},
    // names: an alias (with or without AS), a field by its own name or as written
    {"SELECT c.name AS n, COUNT(*) cnt FROM c GROUP BY 1 ORDER BY cnt DESC, n", {1, 0}},
    {"SELECT cl.since, cl.name FROM customer cl ORDER BY cl.since", {0}},
    {"SELECT cl.since, cl.name FROM customer cl ORDER BY name", {1}},
    {"SELECT UPPER(name) FROM t ORDER BY name", {}},            // no item is the field
    {"SELECT a AS x, b AS x FROM t ORDER BY x", {}},            // two items answer to it
    {"SELECT * FROM t ORDER BY a", {}},
    {"SELECT a, b FROM t ORDER BY a + b", {}},                  // an expression
    {"SELECT a FROM t ORDER BY a GROUP BY a", {}},              // a clause after the keys
    // the statement's own ORDER BY, not a subquery's or a string's
    {"SELECT a, (SELECT TOP 1 b FROM u ORDER BY 1) AS b FROM t", {}},
    {"SELECT a, b FROM t WHERE c = 'ORDER BY 2' ORDER BY 1", {0}},
    {"SELECT a FROM t UNION SELECT b FROM u ORDER BY 1", {0}},
    {"SELECT a FROM t WHERE b = [x", {}},                        // a string not closed
};

TEST(OrderKeys, ColumnsOfTheOrder) {
    for (const OrderCase &c : order_cases) {
        EXPECT_EQ(validity::order_positions(c.statement), c.columns) << c.statement;
    }
}

}  // namespace
