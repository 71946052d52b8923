// The SQL Server table hint: " WITH (NOLOCK) " after every table of FROM and its joins, while the
// host variable SETLOCSYS_SQL_Server_Select_NoLock is true.
#pragma once

#include "select/clauses.h"

namespace tarnvel::select {

void nolock_pass(Session &session, Clauses &clauses);

}  // namespace tarnvel::select
