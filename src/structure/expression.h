// The FoxPro expressions of a field list (a DEFAULT value, a CHECK condition) in a target
// dialect, converted by the SELECT converter's expression conversion.
#pragma once

#include "host/text.h"
#include "structure/dialect.h"

#include <string_view>

namespace tarnvel::structure {

// Appends the default value in the dialect and returns true; returns false, with nothing
// appended, when the expression calls a function the target does not have (a FoxPro UDF).
bool write_default(Text &out, std::string_view expression, const Dialect &dialect);

// Appends the condition in the dialect, as a WHERE condition is converted; false as above.
bool write_condition(Text &out, std::string_view condition, const Dialect &dialect);

}  // namespace tarnvel::structure
