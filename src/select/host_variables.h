// What the application sets for the SELECT conversion in memory variables of its own: the date style
// of DTOC and the SQL Server table hint. Both are read through the host's variable service, when a
// conversion first needs them.
#pragma once

#include <array>

namespace tarnvel::select {

// The three-character date style: the numeric variable "___TARNVEL_Set_DToC_Style" truncated toward
// zero, in decimal, blank-padded and NUL-terminated; 'default_style' when the variable is absent, not
// numeric or does not fit three characters.
std::array<char, 4> read_dtoc_style(int default_style);

// True while "SETLOCSYS_SQL_Server_Select_NoLock" holds a true value.
bool table_hint_switched_on();

}  // namespace tarnvel::select
