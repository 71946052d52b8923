// One spelling for each name in a statement whose letters beyond ASCII were written in more than one
// case (к.name ... FROM customer К), for a target that folds only the ASCII letters of a name and so
// would read those as two names.
#pragma once

#include "host/text.h"
#include "lex/letters.h"
#include "lex/scan.h"

#include <string_view>

namespace tarnvel::select {

// Writes every spelling of such a name as the first one written where the name is no qualifier
// (FROM клієнт rules over a Клієнт.x before it), else as the first one, in place (the letters that
// fold together have the same length). Literals, quoted names and host parameters (?m.name) are left as
// they are; a text with no byte above 0x7F is not read.
void first_spellings(Text &text, const lex::Alphabet &letters, const lex::LiteralRules &rules);

// The text holds a byte above 0x7F.
inline bool beyond_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

}  // namespace tarnvel::select
