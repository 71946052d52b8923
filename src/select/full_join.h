// The FULL JOIN pass for dialects that have no FULL [OUTER] JOIN: a member with one becomes the
// LEFT JOIN of its tables UNION ALL the RIGHT JOIN rows that no row of the left side matches.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member's clauses when it holds one FULL JOIN and nothing the union would change
// (grouping, aggregates, a row limit in the field list, an ordering by a name the union's result
// does not have); else leaves them as they are.
void full_join_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
