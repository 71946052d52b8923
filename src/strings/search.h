// Search and search-and-replace for program text: both ignore case (the runtime's upper-casing in
// its current locale), step over quoted literals ('...', "..." and [...]) and can be told to look
// only at text outside round brackets (top-level mode). There is no whole-word rule.
#pragma once

#include "host/text.h"

#include <cstdint>
#include <string_view>

namespace tarnvel::strings {

inline constexpr std::string_view strtran_memory_message = "Insufficient memory for ZQV_StrTran";

// The 1-based position of the 'occurrence'-th occurrence of 'needle' in 'text' (any value below 2
// means the first), or 0. Occurrences may overlap; an empty needle matches everywhere.
std::int32_t find_occurrence(std::string_view needle, std::string_view text, std::int32_t occurrence, bool top_level);

// Appends 'text' to 'out' with every occurrence of 'needle' replaced by 'replacement'. A kind of
// literal is stepped over only when the needle does not hold its opening character. An empty
// needle puts the replacement before every character and at the end. 'out' grows as needed
// ("Insufficient memory for ZQV_StrTran" when it cannot).
void replace_all(std::string_view text, std::string_view needle, std::string_view replacement, bool top_level, Text &out);

}  // namespace tarnvel::strings
