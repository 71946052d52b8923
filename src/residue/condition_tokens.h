// The tokens of converted SQL as the condition check reads them: words, numbers, literals, quoted
// names, parameters, operators and punctuation, with comments passed over.
#pragma once

#include "residue/text.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarnvel::residue {

enum class TokenKind { word, number, literal, quoted, parameter, symbol, open, close, comma, dot, end };

struct Token {
    TokenKind kind = TokenKind::end;
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string_view text;  // as masked: a literal's contents are blanks
    bool is(std::string_view word) const { return kind == TokenKind::word && same_word(text, word); }
    bool symbol(std::string_view op) const { return kind == TokenKind::symbol && text == op; }
};

// The tokens of 'masked' (the target's text with its literals and quoted names blanked), ending
// with one of kind 'end'; 'access' reads #...# (already masked as '...') as a literal.
std::vector<Token> condition_tokens(const TargetText &text);

}  // namespace tarnvel::residue
