// The library's tables of each dialect of the registry (include/tarnvel/dialects.hpp): the SELECT
// conversion's description, the structure conversion's description, and the variable finder's row.
// Reserved-word quoting takes the registry row's number. The entry wrappers find a dialect's tables
// here by its id and nowhere else.
#pragma once

#include "select/dialect.h"
#include "structure/dialect.h"
#include "variables/dialect.h"

#include <tarnvel/dialects.hpp>

namespace tarnvel::library {

struct DialectTables {
    Target id;
    const select::Dialect &(*select)();
    const structure::Dialect &(*structure)();
    const variables::Dialect &variables;
};

// The tables of a dialect.
const DialectTables &tables(Target id);

// The variable finder's row for ZQ_SQL_FIND_VARIABLES's third parameter: the dialect whose
// registry code it is, SQL Server's for any other value.
const variables::Dialect &variables_by_code(int code);

}  // namespace tarnvel::library
