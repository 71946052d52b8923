// Directive removal: the library's own command markers ("~", "?", "%|%", "..", "..#" and the
// ">>" directive) are blanked out of a command, outside its strings, keeping its length and layout.
#pragma once

#include "host/text.h"

namespace tarnvel::utilities {

// Appends one blank to 'command', then replaces every marker outside '...', "..." and [...] by as
// many blanks as it covers (">>" covers itself and the three characters after it).
void remove_directives(Text &command);

}  // namespace tarnvel::utilities
