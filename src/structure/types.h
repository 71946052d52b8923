// The spellings of the host's field types: the type letter, the type written out, its usual
// abbreviations and the SQL spellings real field lists use. One table, read without regard to case.
#pragma once

#include <string_view>

namespace tarnvel::structure {

// The type letter ('B' to 'Y', upper case) that a spelling stands for, or 0 when nobody knows it.
char type_letter(std::string_view spelling);

// Every spelling and its letter, for the tests.
struct TypeSpelling {
    std::string_view spelling;  // upper case
    char letter;
};
extern const TypeSpelling type_spellings[];
extern const std::size_t type_spelling_count;

}  // namespace tarnvel::structure
