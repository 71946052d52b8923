// FoxPro's record number in a member that reads one table but not the whole of it (WHERE RECNO() = n,
// a filtered read that shows RECNO()): the table is read as a derived table of its rows numbered in
// the order the server reads them, which are the record numbers, and every RECNO() of the member is
// that number's column. The number of a read of the whole table is written by the FoxPro pass.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Rewrites the member's FROM and its RECNO() calls when it has that shape and the dialect numbers
// rows; leaves any other member as it is (a join, *, a dialect without row numbers).
void record_number_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
