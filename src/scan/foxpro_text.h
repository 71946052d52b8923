// Reading FoxPro code as FoxPro reads it: names, words and their abbreviations, string literals,
// "&&" comments and macro substitution.
#pragma once

#include "residue/text.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::scan {

inline constexpr std::size_t npos = std::string_view::npos;

// Names and FoxPro's abbreviations are read as the residue check reads them.
using residue::abbreviates;
using residue::name_char;

// A blank within a line.
inline bool blank(char c) { return c == ' ' || c == '\t'; }

// The word (a run of name characters) at or after the blanks from 'pos'; empty at the end or
// where something else stands.
struct Word {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string_view text;
};
Word word_at(std::string_view text, std::size_t pos);

// True when the character at 'pos' opens a string literal: ' and " always, [ unless it follows a
// name, ")" or "]" (then it subscripts an array). FoxPro program rules, which lex's cursor lacks.
bool opens_literal(std::string_view text, std::size_t pos);
// One past the delimiter that closes the literal opened at 'pos'; npos when it does not close.
std::size_t literal_end(std::string_view text, std::size_t pos);

// The line without its "&&" comment (outside string literals), trailing blanks included.
std::string_view without_comment(std::string_view line);

// Calls 'visit(pos)' for every character outside string literals; an unclosed literal runs to the end.
template <typename Visit>
void each_code_char(std::string_view text, Visit visit) {
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (opens_literal(text, pos)) {
            const std::size_t end = literal_end(text, pos);
            if (end == npos) return;
            pos = end - 1;
            continue;
        }
        if (!visit(pos)) return;
    }
}

// True when 'keyword' stands as a word of its own outside literals.
bool has_word(std::string_view text, std::string_view keyword);

// The macro substitutions (&name, &name.) outside string literals, as written.
std::vector<std::string> macros(std::string_view text);

}  // namespace tarnvel::scan
