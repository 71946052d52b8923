// Reserved-word quoting: every keyword of the target dialect that stands in a piece of SQL as a name
// is written between the dialect's identifier quotes. One routine serves the four dialects; the
// dialect is data.
#pragma once

#include "host/text.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::utilities {

// No entry of any keyword list is this long; a longer word is never a keyword and is not looked up.
inline constexpr std::size_t longest_keyword = 64;

// Appends 'text' to 'out' with the keywords of the dialect numbered 'code' quoted (the number is the
// registry row's reserved_number, include/tarnvel/dialects.hpp). Words inside '...', "..." and
// [...] (and MySQL's `...`) are left alone, and so are the logical operators and predicate words
// where they stand as such. A code that numbers no dialect quotes nothing.
void quote_reserved(const Text &text, int code, Text &out);

}  // namespace tarnvel::utilities
