// The spellings of the host's field types: the type letter, the type written out, its usual
// abbreviations and the SQL spellings real field lists use, then the type names cut short as the host
// reads them. Read without regard to case.
#pragma once

#include <cstddef>
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

// A type name and the fewest of its first letters that still stand for it.
struct TypeAbbreviation {
    std::string_view name;  // upper case
    std::size_t shortest;
    char letter;
};
extern const TypeAbbreviation type_abbreviations[];
extern const std::size_t type_abbreviation_count;

}  // namespace tarnvel::structure
