// The GROUP BY pass: rebuilds GROUP BY from the field list, wraps the other plain columns of the
// field list in MAX(), and replaces field aliases in HAVING by their expressions. All dialects.
// The ORDER BY alias pass reads the field list the same way.
#pragma once

#include "select/clauses.h"

#include <string_view>

namespace tarnvel::select {

void group_by_pass(Session &session, Clauses &clauses);

// For a dialect whose ORDER BY reads no item's alias (Access, which takes the name for a column
// of the tables or a parameter): an entry that is an item's alias becomes the item's position.
void order_alias_pass(Session &session, Clauses &clauses);

// For a dialect that refuses an ORDER BY name two items give their columns (MAX(CITY) AS CITY, CITY) as
// ambiguous: the entry becomes the position of the first of them, the column FoxPro sorts by (it names
// the second apart).
void order_twins_pass(Session &session, Clauses &clauses);

// In a UNION, whose ORDER BY sorts the union's rows by their columns: an entry that is a qualified name
// (C.CUST_NAME), which names no column of the union on the servers, becomes the position of the
// member's item it is, else of the first member's item ('first_list', its converted select list).
void union_order_pass(Session &session, Clauses &clauses, std::string_view first_list);

}  // namespace tarnvel::select
