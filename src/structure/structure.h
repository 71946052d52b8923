// Structure conversion: a host field list (NAME C(20), PRICE N(10,2), ...) becomes the column list
// of a CREATE TABLE command for one dialect.
#pragma once

#include "structure/dialect.h"

namespace tarnvel::structure {

// Converts the NUL-terminated field list (null: the empty list) and hands the column list to the
// host as a character value. 'defaults' asks for the dialect's default clauses. Host error 182
// when the output cannot be had; the user error "Insufficient memory for column list" when it
// cannot grow. Returns true once the result is with the host.
bool convert_structure(const char *fields, const Dialect &dialect, bool defaults);

}  // namespace tarnvel::structure
