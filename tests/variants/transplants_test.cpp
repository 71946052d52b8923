// The transplants of the validity measure (tools/validity/transplants.h): which expressions a
// statement gives (items without their alias, conditions whole and by their top-level terms, those
// of subqueries and ON clauses), and which templates take them over which FROM clause.
#include "transplants.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Kind = validity::Fragment::Kind;

// "c:" a condition, "i:" an item, then the fragment's text; with clauses, "f:" a FROM clause, "g:" a
// GROUP BY list, "o:" an ORDER BY list, "s:" the whole statement instead
std::vector<std::string> read(const char *statement, bool clauses = false) {
    std::vector<std::string> out;
    for (const validity::Fragment &f : validity::fragments(statement)) {
        static constexpr const char *labels[] = {"c:", "i:", "f:", "g:", "o:", "s:"};
        if ((f.kind == Kind::condition || f.kind == Kind::item) == clauses) continue;
        out.push_back(labels[static_cast<int>(f.kind)] + f.text);
    }
    return out;
}

TEST(Transplants, Fragments) {
    struct Case {
        const char *statement;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        {"SELECT a.x AS nx, SUM(b) total, c FROM t a WHERE a.k = 1 AND (b > 2 OR c < 3) INTO CURSOR q",
         {"i:a.x", "i:SUM(b)", "i:c", "c:a.k = 1 AND (b > 2 OR c < 3)", "c:a.k = 1", "c:(b > 2 OR c < 3)"}},
        // the parentheses around a whole condition hold its terms; BETWEEN's AND joins none
        {"SELECT * FROM t WHERE (x BETWEEN 1 AND 5 .OR. !EMPTY(y)) ORDER BY 1",
         {"c:(x BETWEEN 1 AND 5 .OR. !EMPTY(y))", "c:x BETWEEN 1 AND 5", "c:!EMPTY(y)"}},
        {"SELECT * FROM t WHERE d BETWEEN laD[1, 1] AND laD[1, 2] AND ok", {"c:d BETWEEN laD[1, 1] AND laD[1, 2] AND ok",
                                                                          "c:d BETWEEN laD[1, 1] AND laD[1, 2]", "c:ok"}},
        // ON conditions end at the next join; nested ON ... ON too
        {"SELECT o.id FROM orders o LEFT JOIN customer c ON c.id = o.cust AND c.ok JOIN item i ON i.ord = o.id "
         "JOIN (SELECT k FROM u) s ON s.k = LEFT(o.id, 2) WHERE o.total > 0",
         {"i:o.id", "c:c.id = o.cust AND c.ok", "c:c.id = o.cust", "c:c.ok", "c:i.ord = o.id", "c:s.k = LEFT(o.id, 2)",
          "c:o.total > 0", "i:k"}},
        // a subquery's own items and conditions, over its own FROM clause
        {"SELECT name FROM c WHERE id IN (SELECT cust FROM o WHERE LEFT(code, 2) = 'AB') GROUP BY name HAVING COUNT(*) > 1",
         {"i:name", "c:id IN (SELECT cust FROM o WHERE LEFT(code, 2) = 'AB')", "c:COUNT(*) > 1", "i:cust",
          "c:LEFT(code, 2) = 'AB'"}},
        // a correlated subquery's terms that read the outer query's alias have no FROM to stand over;
        // a table named without an alias defines its own name
        {"SELECT a.id FROM orders a WHERE a.id IN (SELECT TOP 2 b.id FROM orders b WHERE b.cust = a.cust AND b.ok "
         "ORDER BY b.total)",
         {"i:a.id", "c:a.id IN (SELECT TOP 2 b.id FROM orders b WHERE b.cust = a.cust AND b.ok ORDER BY b.total)", "i:b.id",
          "c:b.ok"}},
        {"SELECT x FROM orders WHERE EXISTS (SELECT * FROM item i WHERE i.ord = orders.id AND i.qty > 0)",
         {"i:x", "c:EXISTS (SELECT * FROM item i WHERE i.ord = orders.id AND i.qty > 0)", "c:i.qty > 0"}},
        // an aliased table answers to its alias only: its name reads the outer query's table
        {"SELECT a FROM customer WHERE b >= ALL (SELECT b FROM customer c2 WHERE c2.k = customer.k)",
         {"i:a", "c:b >= ALL (SELECT b FROM customer c2 WHERE c2.k = customer.k)", "i:b"}},
        // INTO before WHERE, abbreviated keywords, * and t.* are no expressions
        {"sele t.*, IIF(x, 'a', 'b') flag, n as \"名\" into cursor q from t wher x = .T.",
         {"i:IIF(x, 'a', 'b')", "i:n", "c:x = .T."}},
        // a FROM clause with a name expression cannot be written again: unqualified fragments go over t
        {"SELECT t.a, b FROM (lcTable) t WHERE b = 1", {"i:b", "c:b = 1"}},
        {"SELECT a FROM t WHERE &lcWhere", {"i:a"}},
        // a ; that ends a line joins the lines: no fragment keeps it; elsewhere it stays
        {"SELE a, b ;\r\n  FROM t ; \n  WHER a = 1 ;\t\n  AND b # 2", {"i:a", "i:b", "c:a = 1  \t\n  AND b # 2", "c:a = 1", "c:b # 2"}},
        {"SELECT a FROM t WHERE b = ';' AND c = 2", {"i:a", "c:b = ';' AND c = 2", "c:b = ';'", "c:c = 2"}},
    };
    for (const Case &c : cases) EXPECT_EQ(read(c.statement), c.fragments) << c.statement;
}

TEST(Transplants, ClauseFragments) {
    struct Case {
        const char *statement;
        std::vector<std::string> fragments;
    };
    const Case cases[] = {
        // the whole statement without its destinations, and without an ORDER BY that has no TOP
        {"SELECT a, SUM(b) AS s FROM t x JOIN u y ON x.k = y.k WHERE a > 1 GROUP BY a HAVING SUM(b) > 2 ORDER BY s DESC "
         "INTO CURSOR q",
         {"f:t x JOIN u y ON x.k = y.k", "g:a", "o:s DESC",
          "s:SELECT a, SUM(b) AS s FROM t x JOIN u y ON x.k = y.k WHERE a > 1 GROUP BY a HAVING SUM(b) > 2"}},
        // a subquery's FROM clause too; clauses in any order
        {"sele a from t into cursor q wher k IN (SELECT k FROM u) order by 1",
         {"f:t", "o:1", "f:u", "s:sele a from t  wher k IN (SELECT k FROM u)"}},
        {"SELECT TOP 3 a FROM t ORDER BY a", {"f:t", "o:a", "s:SELECT TOP 3 a FROM t ORDER BY a"}},
        // the ORDER BY of a UNION is the last member's
        {"SELECT a FROM t UNION SELECT b FROM u ORDER BY 1", {"f:t", "f:u", "o:1", "s:SELECT a FROM t UNION SELECT b FROM u"}},
        // a name expression: no FROM clause to write again; a macro: nothing
        {"SELECT a FROM (lcTable) ORDER BY a", {"s:SELECT a FROM (lcTable)"}},
        {"SELECT a FROM &lcTable ORDER BY a", {}},
        {"SELECT &lcList FROM t GROUP BY a", {"f:t"}},
        // a ! glued to WHERE or AND is NOT, not the mark of a database's table (db!table stays one name)
        {"SELECT a FROM t WHERE!EMPTY(b) AND!c", {"f:t", "s:SELECT a FROM t WHERE!EMPTY(b) AND!c"}},
        {"SELECT a FROM db!t x WHERE!x.b", {"f:db!t x", "s:SELECT a FROM db!t x WHERE!x.b"}},
    };
    for (const Case &c : cases) EXPECT_EQ(read(c.statement, true), c.fragments) << c.statement;
}

TEST(Transplants, Templates) {
    struct Case {
        const char *statement;
        const char *fragment;
        const char *place;
        const char *out;  // nullptr: the template does not fit
    };
    const Case cases[] = {
        {"SELECT a FROM t x JOIN u y ON x.k = y.k WHERE x.b > 1", "x.b > 1", "join",
         "SELECT * FROM t x JOIN u y ON x.k = y.k JOIN (SELECT 1 AS zk FROM t) zj ON zj.zk = 1 AND x.b > 1"},
        {"SELECT a FROM db!t x, u WHERE x.b > 1", "x.b > 1", "join", nullptr},  // no JOIN after a comma list
        {"SELECT a FROM db!t x, u WHERE x.b > 1", "x.b > 1", "exists",
         "SELECT * FROM db!t x, u WHERE EXISTS (SELECT * FROM db!t x, u WHERE x.b > 1)"},
        {"SELECT a FROM t WHERE b = 1", "b = 1", "iif", "SELECT IIF(b = 1, 1, 0) AS f FROM t"},
        {"SELECT a FROM t WHERE b = 1", "b = 1", "having", nullptr},
        {"SELECT a FROM t GROUP BY a HAVING SUM(b) > m.nMin", "SUM(b) > m.nMin", "having",
         "SELECT COUNT(*) AS n FROM t HAVING SUM(b) > m.nMin"},
        {"SELECT a FROM t GROUP BY a HAVING SUM(b) > a", "SUM(b) > a", "having", nullptr},  // a is not grouped
        {"SELECT a FROM t WHERE b = ?p", "b = ?p", "having-sum", "SELECT COUNT(*) AS n FROM t HAVING SUM(IIF(b = ?p, 1, 0)) > 0"},
        {"SELECT a FROM t GROUP BY a HAVING SUM(b) > 1", "SUM(b) > 1", "where", nullptr},
        {"SELECT a FROM t WHERE b IN (SELECT b FROM u)", "b IN (SELECT b FROM u)", "not",
         "SELECT * FROM t WHERE NOT (b IN (SELECT b FROM u))"},
        {"SELECT a FROM t WHERE b IN (SELECT b FROM u)", "b IN (SELECT b FROM u)", "iif", nullptr},
        {"SELECT MAX(a, b) AS m FROM t", "MAX(a, b)", "max", "SELECT MAX(MAX(a, b)) AS x FROM t"},  // the greater of two
        {"SELECT MAX(a) AS m FROM t", "MAX(a)", "max", nullptr},
        {"SELECT ROUND(STD(a), 2) AS m FROM t", "ROUND(STD(a), 2)", "max", nullptr},
        {"SELECT SUM(a) + b AS m FROM t GROUP BY b", "SUM(a) + b", "item", nullptr},  // b needs its GROUP BY
        {"SELECT SUM(a) * 2 AS m FROM t", "SUM(a) * 2", "scalar", "SELECT (SELECT SUM(a) * 2 FROM t) AS x FROM t zs"},
        {"SELECT ALLTRIM(c.n) FROM (SELECT n FROM u) c", "ALLTRIM(c.n)", "scalar", nullptr},  // no first table
        {"SELECT ALLTRIM(c.n) FROM (SELECT n FROM u) c", "ALLTRIM(c.n)", "derived",
         "SELECT * FROM (SELECT ALLTRIM(c.n) AS x FROM (SELECT n FROM u) c) d"},
        {"SELECT DTOS(d) FROM (lcTable)", "DTOS(d)", "group", "SELECT DTOS(d) AS x, COUNT(*) AS n FROM t GROUP BY 1"},
        {"SELECT a FROM t", "a", "union-all", "SELECT a AS x FROM t UNION ALL SELECT a FROM t"},
        {"SELECT a, dist FROM t", "dist", "item", nullptr},  // SELECT dist would be SELECT DISTINCT
        {"SELECT a, dist FROM t", "dist", "max", "SELECT MAX(dist) AS x FROM t"},
        {"SELECT a FROM t WHERE b = 1", "b = 1", "item", nullptr},  // a condition is no item
        {"SELECT a FROM db!t x, u WHERE x.b > 1", "db!t x, u", "from-union",
         "SELECT * FROM db!t x, u WHERE 1 = 0 UNION ALL SELECT * FROM db!t x, u"},
        {"SELECT a FROM t x JOIN u y ON x.k = y.k", "t x JOIN u y ON x.k = y.k", "from-exists",
         "SELECT * FROM t x JOIN u y ON x.k = y.k WHERE EXISTS (SELECT * FROM t x JOIN u y ON x.k = y.k)"},
        // the select list without its DISTINCT and TOP, the tail of the template's own
        {"SELECT DISTINCT a, SUM(b) AS s FROM t WHERE c = 1 GROUP BY a HAVING SUM(b) > 0", "a", "group-having",
         "SELECT a, SUM(b) AS s FROM t GROUP BY a HAVING COUNT(*) > 1"},
        {"SELECT a, SUM(b) AS s FROM t GROUP BY a", "a", "group-top", "SELECT TOP 5 a, SUM(b) AS s FROM t GROUP BY a ORDER BY 1"},
        // an ORDER BY keeps the grouping it orders
        {"SELECT TOP 2 a, SUM(b) AS s FROM t GROUP BY a HAVING SUM(b) > 1 ORDER BY s DESC", "s DESC", "order-top",
         "SELECT TOP 5 a, SUM(b) AS s FROM t GROUP BY a HAVING SUM(b) > 1 ORDER BY s DESC"},
        // DISTINCT takes an ORDER BY of the select list only: a column number, an item, an alias, a name under *
        {"SELECT a AS x, UPPER(b) FROM t ORDER BY x, 2 DESC, UPPER(b)", "x, 2 DESC, UPPER(b)", "order-distinct",
         "SELECT DISTINCT a AS x, UPPER(b) FROM t ORDER BY x, 2 DESC, UPPER(b)"},
        {"SELECT t.* FROM t ORDER BY t.b", "t.b", "order-distinct", "SELECT DISTINCT t.* FROM t ORDER BY t.b"},
        {"SELECT a FROM t ORDER BY b", "b", "order-distinct", nullptr},
        {"SELECT a FROM t ORDER BY a INTO CURSOR q", "SELECT a FROM t", "stmt-derived", "SELECT * FROM (SELECT a FROM t) q"},
        {"SELECT a FROM t ORDER BY a INTO CURSOR q", "SELECT a FROM t", "stmt-in",
         "SELECT * FROM t WHERE a IN (SELECT a FROM t)"},
        {"SELECT COUNT(*) FROM t", "SELECT COUNT(*) FROM t", "stmt-in", nullptr},  // no row value to compare
        {"SELECT COUNT(*) FROM t", "SELECT COUNT(*) FROM t", "stmt-exists",
         "SELECT * FROM t WHERE EXISTS (SELECT COUNT(*) FROM t)"},
        // TOP keeps its ORDER BY, which no UNION member may have; a UNION is no subquery
        {"SELECT TOP 1 a FROM t ORDER BY a", "SELECT TOP 1 a FROM t ORDER BY a", "stmt-union", nullptr},
        {"SELECT TOP 1 a FROM t ORDER BY a", "SELECT TOP 1 a FROM t ORDER BY a", "stmt-derived",
         "SELECT * FROM (SELECT TOP 1 a FROM t ORDER BY a) q"},
        {"SELECT a FROM t UNION SELECT b FROM u", "SELECT a FROM t UNION SELECT b FROM u", "stmt-derived", nullptr},
        {"SELECT a FROM t UNION SELECT b FROM u", "SELECT a FROM t UNION SELECT b FROM u", "stmt-union",
         "SELECT a FROM t UNION SELECT b FROM u UNION ALL SELECT a FROM t UNION SELECT b FROM u"},
    };
    for (const Case &c : cases) {
        const validity::Template *place = validity::transplant_template(c.place);
        ASSERT_NE(place, nullptr) << c.place;
        bool found = false;
        for (const validity::Fragment &f : validity::fragments(c.statement)) {
            if (f.text != c.fragment || (c.out && f.kind != place->kind)) continue;
            found = true;
            const std::optional<std::string> out = validity::transplant(*place, f);
            if (!c.out) {
                EXPECT_FALSE(out) << c.place << ": " << c.statement << "\n  gave " << out.value_or("");
            } else {
                EXPECT_EQ(out.value_or("(none)"), c.out) << c.place << ": " << c.statement;
            }
        }
        EXPECT_TRUE(found) << c.fragment << " in " << c.statement;
    }
}

TEST(Transplants, OriginNamesTheStatement) {
    EXPECT_EQ(validity::transplant_original("transplants:selects.jsonl:12/union-all/3").value_or(""), "selects.jsonl:12");
    EXPECT_FALSE(validity::transplant_original("variants:selects.jsonl:12/lower"));
    EXPECT_FALSE(validity::transplant_original("transplants:iif/3"));
}

}  // namespace
