// Reading a "~" reference: the marker, optional blanks and tabs, then a name, a parenthesised
// expression or an expression between "%|%" delimiters.
#pragma once

#include "lex/letters.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::variables {

enum class Form { name, parenthesised, delimited };

struct Reference {
    Form form = Form::name;
    std::string_view text;  // what the host is given: the name (without "m."), or the expression
    std::size_t span = 0;   // characters from the marker to the end of the reference
};

// 'rest' starts at the marker. An expression without its closing ")" or "%|%" runs to the end of
// the command.
Reference read_reference(std::string_view rest, const lex::Alphabet &alphabet);

// Skipping the character right after the reference and then blanks and tabs, the text goes on
// with the word AS and a blank or tab.
bool followed_by_as_word(std::string_view rest, std::size_t span);

}  // namespace tarnvel::variables
