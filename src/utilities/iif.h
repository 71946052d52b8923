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
// Each call's places are found in one walk of the command when every call is whole (its ")" and
// two commas at its level); otherwise the calls are converted one at a time, as below.
bool convert_iif(Text &command, Text &out);

// The calls converted one at a time, each edit made in both copies before the next search: any
// command, whole calls or not. 'command' must already be upper case and 'out' hold the command.
bool convert_iif_one_at_a_time(Text &command, Text &out);

}  // namespace tarnvel::utilities
