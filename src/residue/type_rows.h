// The column types of the four targets and FoxPro's spellings of its own types.
#pragma once

#include "residue/text.h"

#include <string_view>

namespace tarnvel::residue {

// How many numbers a type of the target takes in parentheses at most (0 for none); -1 when the
// word is no type of the target. 'next' is the word that follows it (DOUBLE PRECISION).
int type_widths(Target target, std::string_view word, std::string_view next);

// The same for the type of CAST(... AS type), which MySQL reads from a list of its own.
int cast_widths(Target target, std::string_view word, std::string_view next);

// True when the word is one of FoxPro's spellings of a type: a type letter (C, N, D, ...), a type
// name (Character, Numeric, DateTime, Currency, ...) or its abbreviation of four letters or more.
bool foxpro_type_word(std::string_view word);

}  // namespace tarnvel::residue
