// Small services for FoxPro code: the runtime locale and the host's editor window.
#pragma once

#include <cstdint>
#include <string>

namespace tarnvel::strings {

// Sets the runtime locale for all categories; a name the runtime does not know changes nothing.
void set_locale(const char *name);
// The name of the current character-type locale.
std::string locale_name();

// Sends an editor command (0 copy, 2 paste) to the window on top; nothing when there is none.
void editor_command_on_top(int command);
// The number the host gives the window on top (asked even when there is none).
std::int32_t window_on_top_number();

}  // namespace tarnvel::strings
