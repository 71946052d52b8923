// TOP n PERCENT where the target's row limit takes only a constant: the member becomes a derived
// table whose rows are numbered in the member's order and counted, and the outer query keeps the
// first n percent of them (rounded up), naming the member's columns again so that the result holds
// exactly the member's columns. A member that selects * keeps the rows that fewer than n percent of
// the rows sort before, comparing them on ORDER BY's columns (ties at the cut are kept).
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member with the dialect's percent_member form. False, with the clauses as they were,
// when the member's column names cannot all be known (t.* beside other items, a name given twice) or
// its ORDER BY names what the result lacks (with *, a key that is no column's name).
bool percent_member_pass(Session &session, Clauses &clauses);

// Writes TOP n PERCENT back at the head of the field list, where it stands for the residue check.
void keep_top_percent(Clauses &clauses);

}  // namespace tarnvel::select
