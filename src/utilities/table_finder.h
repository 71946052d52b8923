// The table finder: every ".." table reference outside single-quoted strings becomes the name under
// which the current data source knows the table.
#pragma once

#include "host/text.h"

#include <string_view>

namespace tarnvel::utilities {

// Rewrites 'command' in place (growing it as the names need). 'source' is the data-source kind
// ("DBF_TABLES", "MS_SQL" or another), 'mode' the access mode ("DIRECT", "AUTOMATION" or another);
// both are compared whole and exactly.
void find_tables(Text &command, std::string_view source, std::string_view mode);

}  // namespace tarnvel::utilities
