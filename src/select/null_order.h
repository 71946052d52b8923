// The place of NULL in ORDER BY. FoxPro sorts .NULL. before every value, and the empty date is
// the least date; a dialect that stores the empty date (and, on Oracle, the empty text) as NULL and
// sorts NULL after every value in ascending order gets each key's NULLS FIRST (NULLS LAST after DESC),
// so that the rows come in FoxPro's order, as they do on SQL Server, MySQL and Access.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Writes the NULLS option after every key of the member's ORDER BY that has none; the keys end at
// a comma, or where a word follows a key (ASC and DESC are read; LIMIT, FETCH, a FoxPro destination
// end the list).
void null_order_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
