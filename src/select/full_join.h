// The FULL JOIN pass for dialects that have no FULL [OUTER] JOIN: a member with one becomes the
// LEFT JOIN of its tables UNION ALL the RIGHT JOIN rows that no row of the left side matches; a
// second FULL JOIN after it adds the rows of its right table that no row of the first matches.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member's clauses when it holds one or two FULL JOINs: as the union itself, or, when
// it groups, aggregates, has TOP or orders by a name the union's result lacks, as its clauses over
// a derived table of the union's rows (select/full_join_derived.h). Else leaves them as they are.
void full_join_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
