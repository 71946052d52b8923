// FoxPro's nested join form (a JOIN b JOIN c ON y ON x: b JOIN c is the right operand) with a FULL
// JOIN in it, run on MariaDB, which has no FULL JOIN, and PostgreSQL, which reads the form as written:
// every statement must give the rows FoxPro gives.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"nf_a", "K I", "INSERT INTO nf_a (K) VALUES (1), (2), (3)"},
    {"nf_b", "K I", "INSERT INTO nf_b (K) VALUES (2), (3), (4)"},
    {"nf_c", "K I", "INSERT INTO nf_c (K) VALUES (3), (4), (5)"},
};

// statements over nf_a a, nf_b b and nf_c c; the first column a.k * 100 + b.k * 10 + c.k, a missing
// side as 0
#define NF_KEYS "SELECT NVL(a.k, 0) * 100 + NVL(b.k, 0) * 10 + NVL(c.k, 0) AS v FROM "

constexpr engine::Case cases[] = {
    // b FULL JOIN c gives (2, -), (3, 3), (4, 4), (-, 5)
    {NF_KEYS "nf_a a FULL JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k = b.k ORDER BY 1", "5 44 100 220 333"},
    {NF_KEYS "nf_a a FULL OUTER JOIN nf_b b FULL JOIN nf_c c ON c.k = b.k AND b.k = c.k ON b.k = a.k ORDER BY 1",
     "5 44 100 220 333"},
    {NF_KEYS "nf_a a LEFT JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k = b.k ORDER BY 1", "100 220 333"},
    {NF_KEYS "nf_a a LEFT OUTER JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k = c.k ORDER BY 1", "100 200 333"},
    // inner and RIGHT joins keep each row of the operand apart: any condition
    {NF_KEYS "nf_a a JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k + 2 = NVL(b.k, c.k) ORDER BY 1", "133 244 305"},
    {NF_KEYS "nf_a a RIGHT JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k = b.k ORDER BY 1", "5 44 220 333"},
    {"SELECT COUNT(*) FROM nf_a a INNER JOIN nf_b b FULL JOIN nf_c c ON b.k = c.k ON a.k + 2 = NVL(b.k, c.k)", "3"},
    // the FULL JOIN's right operand nested
    {NF_KEYS "nf_a a FULL JOIN nf_b b JOIN nf_c c ON b.k = c.k ON a.k = b.k ORDER BY 1", "44 100 200 333"},
    {NF_KEYS "nf_a a FULL JOIN nf_b b LEFT JOIN nf_c c ON b.k = c.k ON a.k = b.k WHERE NVL(b.k, 0) <> 3 ORDER BY 1",
     "44 100 220"},
};

template <class Server> using NestedFullJoin = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(NestedFullJoin, engine::Servers, engine::ServerName);

TYPED_TEST(NestedFullJoin, GivesFoxProsRows) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
