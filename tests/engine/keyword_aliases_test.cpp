// Keywords written as names without AS (x year, FROM t day), run on MariaDB and PostgreSQL: each
// converted statement must be taken and give the rows FoxPro gives, the alias still naming its item
// in GROUP BY, HAVING and ORDER BY.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"ka", "K I, C C(5), D D",
     "INSERT INTO ka (K, C, D) VALUES (1, 'c', '2019-03-04'), (2, 'a', '2020-05-06'), (3, 'b', '2020-07-08')"},
};

constexpr engine::Case cases[] = {
    {"SELECT k second, YEAR(d) year, c month FROM ka ORDER BY month", "2 3 1"},
    {"SELECT YEAR(d) year, COUNT(*) day FROM ka GROUP BY year ORDER BY year", "2019 2020"},
    {"SELECT COUNT(*) hour, YEAR(d) year FROM ka GROUP BY year HAVING hour > 1", "2"},
    {"SELECT k char, c over FROM ka year WHERE year.k > 1 ORDER BY over DESC", "3 2"},
    {"SELECT day.k minute, MONTH(day.d) month FROM ka day JOIN ka minute ON day.k = minute.k ORDER BY month", "1 2 3"},
    {"SELECT k precision, c varying, k * 2 within FROM ka WHERE k < 3 ORDER BY within", "1 2"},
    {"SELECT IIF(k > 1, 'x', 'y') filter, 0 without FROM ka ORDER BY filter, without", "x x y"},
};

template <class Server> using KeywordAliases = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(KeywordAliases, engine::Servers, engine::ServerName);

TYPED_TEST(KeywordAliases, GiveFoxProsRows) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
