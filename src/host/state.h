// What the library keeps between calls: the FoxPro-syntax switch and the clause in which the last
// SELECT conversion ended. Everything else of a call lives in that call's own context.
#pragma once

#include <atomic>

namespace tarnvel::state {

// On while commands come in FoxPro syntax; on when the library is loaded.
bool from_fox();
void set_from_fox(bool on);

// 's', 'i', 'f', 'w', 'g', 'o', or 0 before the first SELECT conversion.
char last_clause();
void set_last_clause(char clause);

}  // namespace tarnvel::state
