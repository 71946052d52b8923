// The variable finder: every "~" reference of a command becomes the host's parameter marker "?"
// (parameter mode) or a literal of the target dialect holding the reference's current value
// (literal mode).
#pragma once

#include "host/text.h"
#include "variables/dialect.h"

namespace tarnvel::variables {

// Rewrites 'command' (the work buffer, grown as the literals need) in place. Every failure raises a
// user error or the host's own error and does not come back.
void find_variables(Text &command, bool literals, const Dialect &dialect);

}  // namespace tarnvel::variables
