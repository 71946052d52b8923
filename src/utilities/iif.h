// IIF to CASE: every IIF(condition, value1, value2) call of a command becomes
// " CASE WHEN condition THEN value1 ELSE value2 END ", nested calls included; the rest of the
// command is kept as written.
#pragma once

#include "host/text.h"

namespace tarnvel::utilities {

// The message raised when either copy of the command cannot grow.
inline constexpr std::string_view case_memory_message = "Insufficient memory for CASE";

// 'command' is the work buffer; it becomes the search copy (upper case). 'out' is an output buffer
// of the statement driver's kind that the caller obtained: it receives the command as given and
// then every edit, at the same offsets as the search copy. Both grow as needed ("Insufficient
// memory for CASE" when they cannot). True when 'out' holds the result.
bool convert_iif(Text &command, Text &out);

}  // namespace tarnvel::utilities
