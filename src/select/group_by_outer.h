// An aggregate of a subquery whose argument reads only the outer query's columns, as in
// (SELECT MAX(o.total) FROM item i WHERE i.order_id = o.id): FoxPro works it out over the subquery's
// rows, once per outer row. A dialect that reads such an aggregate as one of the outer query
// (Dialect::outer_aggregates: the outer query then becomes one group, or the server refuses it in
// WHERE) gets the same value from the subquery's COUNT(*): MAX(o.total) is the outer value where the
// subquery has a row, SUM(o.total) that value times the rows, COUNT(o.total) the rows or 0.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member's aggregates whose argument qualifies columns only by names its FROM does not
// declare (an enclosing query's tables); leaves every other aggregate as it is.
void outer_aggregate_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
