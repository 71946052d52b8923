// AS before a select-list alias that the target reads as part of the item when it stands bare
// (PostgreSQL's x YEAR reads YEAR as a keyword of the expression and refuses the statement).
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

// Writes "AS " before each alias of the member's select list that is one of the dialect's
// label_as_words and stands bare behind the end of an operand (a name, a call, a literal, a
// number, CASE's END, a value keyword); an alias that has AS already, or a column of that name, is
// left as it is.
void label_as_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
