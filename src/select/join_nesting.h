// The join nesting pass for dialects that read one join at a time (Access): with two or more joins
// in one item of the table list, every join but the outermost stands in parentheses of its own,
// ((a JOIN b ON x) JOIN c ON y), as such a server asks.
// Before that, in a flat chain of INNER and LEFT joins, a LEFT JOIN whose right table a later
// inner join's condition compares (no OR, no NOT) is written INNER JOIN: the same rows, where Access
// refuses the inner join on an outer join's right table.
#pragma once

#include "select/clauses.h"

#include <string>
#include <string_view>

namespace tarnvel::select {

// Rewrites the member's FROM clause where an item holds two joins or more at parenthesis depth
// zero; leaves it as it is when it holds none such or a join it cannot read (a join with no ON).
void join_nesting_pass(Session &session, Clauses &clauses);

// The same for the text of a FROM clause made elsewhere (the FULL JOIN pass's members): true with
// the nested text in 'out', false when nothing is to be nested.
bool nest_joins(const Session &session, std::string_view from, std::string &out);

}  // namespace tarnvel::select
