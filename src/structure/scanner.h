// The field-list scanner shared by every dialect: it walks a host field list (NAME C(20), PRICE
// N(10,2), ...) item by item and writes the column definitions of one dialect.
#pragma once

#include "host/text.h"
#include "structure/dialect.h"

#include <string_view>

namespace tarnvel::structure {

// Appends the column definitions of the whole list, separated by ",", then the constraints that
// a target keeps apart from the columns (CHECK conditions, the key of an AUTO_INCREMENT column).
// An item that cannot be read raises a user error that names the field.
void write_columns(Text &out, std::string_view list, const Dialect &dialect, bool defaults);

}  // namespace tarnvel::structure
