// The character tests and small text helpers that reading a field list and its expressions share.
#pragma once

#include "lex/classes.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::structure {

// Line breaks count as blanks here, unlike in SELECT text, so a list written over several lines
// reads like one on one line.
inline bool blank(char c) { return lex::is_blank(c) || c == '\r' || c == '\n'; }
inline bool digit(char c) { return lex::is_digit(c); }
// What names and keywords are made of: letters, digits, "_", and every byte above 0x7F whatever the
// locale (a field list names its columns in any alphabet).
inline bool word_char(char c) {
    return lex::has_class(c, lex::CharClass::ascii_letter | lex::CharClass::digit | lex::CharClass::word) ||
           static_cast<unsigned char>(c) >= 0x80;
}
// A letter of any alphabet: ASCII or any byte above 0x7F.
inline bool letter(char c) {
    return lex::has_class(c, lex::CharClass::ascii_letter) || static_cast<unsigned char>(c) >= 0x80;
}
inline char ascii_upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether a word, upper-cased, is the upper-case text given.
inline bool same_upper(std::string_view word, std::string_view upper) {
    if (word.size() != upper.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (ascii_upper(word[i]) != upper[i]) return false;
    return true;
}

inline std::string_view trim_end(std::string_view text) {
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}
inline std::string_view trim(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    return trim_end(text);
}

// The end (one past the closing delimiter) of the FoxPro literal that opens at text[at]: '...',
// "...", [...] or {...}; 'at' itself when nothing opens there, npos when nothing closes it. Not
// lex's cursor: a field list's {...} dates are literals too, and an open one is a fault here.
inline std::size_t literal_end(std::string_view text, std::size_t at) {
    char open = text[at];
    char close = open == '\'' ? '\'' : open == '"' ? '"' : open == '[' ? ']' : open == '{' ? '}' : '\0';
    if (!close) return at;
    std::size_t end = text.find(close, at + 1);
    return end == std::string_view::npos ? end : end + 1;
}

}  // namespace tarnvel::structure
