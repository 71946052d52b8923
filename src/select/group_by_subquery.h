// A grouped subquery item ((SELECT c.country FROM customer c WHERE c.cust_id = o.cust_id) AS land ...
// GROUP BY 1) where the target takes no subquery in GROUP BY: FROM's one table becomes a derived
// table of the same name that adds the subquery as a column, and the item and GROUP BY name that
// column.
#pragma once

#include "host/text.h"
#include "lex/letters.h"
#include "select/dialect.h"

#include <string>
#include <string_view>

namespace tarnvel::select {

// Rewrites "FROM t [AS] a" into "FROM (SELECT a.*, <subquery> AS <column> FROM t [AS] a) [AS] a" and
// gives back "a.<column>" (a is t where FROM names no alias). Empty, with FROM as it was, where FROM is
// not one table named by plain words (a join, a list, a derived table, a quoted name).
// 'hint' follows the table inside the derived table (SQL Server's table hint, or empty).
std::string subquery_key_in_from(const lex::Alphabet &letters, const Dialect &dialect, Text &from,
                                 std::string_view subquery, std::string_view column, std::string_view hint);

}  // namespace tarnvel::select
