// The GROUP BY pass: rebuilds GROUP BY from the field list, wraps the other plain columns of the
// field list in MAX(), and replaces field aliases in HAVING by their expressions. All dialects.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

void group_by_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
