// A grouped subquery item ((SELECT c.country FROM customer c WHERE c.cust_id = o.cust_id) AS land ...
// GROUP BY 1) where the target takes no subquery in GROUP BY: FROM's first table becomes a derived
// table of the same name that adds the subquery as a column, and the item and GROUP BY name that
// column; joins after it stay (a subquery that reads one of their tables, which the derived table
// cannot see, is then refused by the server, as a subquery in GROUP BY was).
#pragma once

#include "host/text.h"
#include "lex/letters.h"
#include "select/dialect.h"

#include <string>
#include <string_view>

namespace tarnvel::select {

// Rewrites "FROM t [AS] a" into "FROM (SELECT a.*, <subquery> AS <column> FROM t [AS] a) [AS] a" and
// gives back "a.<column>" (a is t where FROM names no alias); joins or a list after "t [AS] a" follow
// the derived table. Empty, with FROM as it was, where FROM's first table is not named by plain words
// (a derived table, a quoted name, a join in parentheses) or a RIGHT or FULL join follows it (its
// rows may lack the first table's, for which FoxPro still works out the subquery).
// 'hint' follows the table inside the derived table (SQL Server's table hint, or empty).
std::string subquery_key_in_from(const lex::Alphabet &letters, const Dialect &dialect, Text &from,
                                 std::string_view subquery, std::string_view column, std::string_view hint);

}  // namespace tarnvel::select
