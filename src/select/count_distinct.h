// The COUNT(DISTINCT x) pass for dialects without COUNT(DISTINCT ...) (Access): a member whose select
// list is that count alone, with no GROUP BY, counts the rows of a derived table of the distinct
// values instead: SELECT COUNT(DISTINCT_VALUE) FROM (SELECT DISTINCT x AS DISTINCT_VALUE FROM t
// WHERE w), which as COUNT(DISTINCT x) leaves NULL uncounted. Counts beside other aggregates in an
// ungrouped member over tables without joins read the one row of such a count, a derived table
// DISTINCT_COUNTSn added to FROM: IIF(COUNT(*) = 0, 0, MAX(DISTINCT_COUNTS1.DISTINCT_COUNT)).
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member's select list and FROM and drops its WHERE (now inside the derived table)
// when the member has that shape; leaves any other member as it is (a grouped count, or one over
// joins, stays as written).
void count_distinct_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
