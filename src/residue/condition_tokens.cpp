#include "residue/condition_tokens.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {
namespace {

// The operators of two characters; any other character not read otherwise is one of one.
constexpr std::array<std::string_view, 8> pairs = {"<>", "!=", "<=", ">=", "!<", "!>", "||", "^="};

// The end of the comment at pos, or pos when none starts there.
std::size_t comment_end(std::string_view m, std::size_t pos) {
    if (m.substr(pos, 2) == "--") {
        const std::size_t line = m.find('\n', pos);
        return line == npos ? m.size() : line + 1;
    }
    if (m.substr(pos, 2) == "/*") {
        const std::size_t close = m.find("*/", pos + 2);
        return close == npos ? m.size() : close + 2;
    }
    return pos;
}

// The end of the span in 'spans' that starts at pos, or npos.
std::size_t span_at(const std::vector<Span> &spans, std::size_t pos) {
    const auto it = std::find_if(spans.begin(), spans.end(), [&](const Span &s) { return s.begin == pos; });
    return it == spans.end() ? npos : it->end;
}

std::size_t number_end(std::string_view m, std::size_t pos) {
    while (pos < m.size() && (digit(m[pos]) || m[pos] == '.')) ++pos;
    if (pos < m.size() && (m[pos] == 'e' || m[pos] == 'E') && pos + 1 < m.size() &&
        (digit(m[pos + 1]) || ((m[pos + 1] == '-' || m[pos + 1] == '+') && pos + 2 < m.size() && digit(m[pos + 2]))))
        pos += 2;
    while (pos < m.size() && digit(m[pos])) ++pos;
    return pos;
}

// The token at pos (not blank, not a comment).
Token token_at(const TargetText &t, std::size_t pos) {
    const std::string_view m(t.masked);
    const char c = m[pos];
    auto make = [&](TokenKind kind, std::size_t end) { return Token{kind, pos, end, m.substr(pos, end - pos)}; };
    if (const std::size_t lit = span_at(t.literals, pos); lit != npos) return make(TokenKind::literal, lit);
    if (c == '\'') {  // an Access date, read as a literal
        const std::size_t close = m.find('\'', pos + 1);
        return make(TokenKind::literal, close == npos ? m.size() : close + 1);
    }
    if (c == '"' || c == '[' || c == '`') {
        const std::size_t close = m.find(c == '[' ? ']' : c, pos + 1);
        return make(TokenKind::quoted, close == npos ? m.size() : close + 1);
    }
    if (name_start(c)) return make(TokenKind::word, word_end(m, pos));
    if (digit(c) || (c == '.' && pos + 1 < m.size() && digit(m[pos + 1]))) return make(TokenKind::number, number_end(m, pos));
    if ((c == '?' || c == ':' || c == '@') && pos + 1 < m.size() && (name_char(m[pos + 1]) || m[pos + 1] == '@')) {
        std::size_t end = pos + 1;
        while (end < m.size() && (name_char(m[end]) || m[end] == '.' || m[end] == '@')) ++end;
        return make(TokenKind::parameter, end);
    }
    if (c == '?') return make(TokenKind::parameter, pos + 1);
    if (c == '(') return make(TokenKind::open, pos + 1);
    if (c == ')') return make(TokenKind::close, pos + 1);
    if (c == ',') return make(TokenKind::comma, pos + 1);
    if (c == '.') return make(TokenKind::dot, pos + 1);
    const std::string_view two = m.substr(pos, 2);
    if (std::find(pairs.begin(), pairs.end(), two) != pairs.end()) return make(TokenKind::symbol, pos + 2);
    return make(TokenKind::symbol, pos + 1);
}

}  // namespace

std::vector<Token> condition_tokens(const TargetText &text) {
    const std::string_view m(text.masked);
    std::vector<Token> out;
    std::size_t pos = 0;
    while (pos < m.size()) {
        if (blank(m[pos])) {
            ++pos;
        } else if (const std::size_t end = comment_end(m, pos); end != pos) {
            pos = end;
        } else {
            out.push_back(token_at(text, pos));
            pos = out.back().end;
        }
    }
    out.push_back(Token{TokenKind::end, m.size(), m.size(), {}});
    return out;
}

}  // namespace tarnvel::residue
