// The fixed character classes as one table, and the character tests every reader of SQL text
// shares: blanks, digits and the characters of words, names and items. Letters are asked of an
// Alphabet (above 0x7F they depend on the locale, or on how names are read).
#pragma once

#include "lex/letters.h"

#include <array>
#include <string_view>

namespace tarnvel::lex {

struct CharClass {
    static constexpr unsigned char ascii_letter = 1;
    static constexpr unsigned char digit = 2;
    static constexpr unsigned char operand_end = 4;    // besides letters and digits
    static constexpr unsigned char operand_begin = 8;  // besides letters and digits
    static constexpr unsigned char item = 16;          // besides letters and digits
    static constexpr unsigned char blank = 32;         // a blank or a tab
    static constexpr unsigned char word = 64;          // besides letters and digits
    static constexpr unsigned char name = 128;         // besides letters and digits
};

constexpr std::array<unsigned char, 256> make_char_classes() {
    struct Row {
        std::string_view chars;
        unsigned char mask;
    };
    constexpr Row rows[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", CharClass::ascii_letter},
        {"0123456789", CharClass::digit},
        {")'\"_#", CharClass::operand_end},
        {"('\"_~#.-?", CharClass::operand_begin},
        {"._~?#", CharClass::item},
        {" \t", CharClass::blank},
        {"_", CharClass::word},
        {"_~#", CharClass::name},
    };
    std::array<unsigned char, 256> table{};
    for (const Row &row : rows) {
        for (char c : row.chars) table[static_cast<unsigned char>(c)] |= row.mask;
    }
    return table;
}
inline constexpr std::array<unsigned char, 256> char_classes = make_char_classes();

inline bool has_class(char c, unsigned char mask) { return (char_classes[static_cast<unsigned char>(c)] & mask) != 0; }

inline bool is_blank(char c) { return has_class(c, CharClass::blank); }  // a blank or a tab
// The text without the blanks and tabs around it.
inline std::string_view trimmed(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}
inline bool is_digit(char c) { return has_class(c, CharClass::digit); }
// A hexadecimal digit: 0 to 9, A to F in either case.
constexpr bool is_hex_digit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A character of a word as the converters collect them: a letter, a digit or "_".
inline bool is_word_char(const Alphabet &letters, char c) {
    return letters.letter(c) || has_class(c, CharClass::digit | CharClass::word);
}
// A character of a name: a letter, a digit, "_", "~" or "#".
inline bool is_name_char(const Alphabet &letters, char c) {
    return letters.letter(c) || has_class(c, CharClass::digit | CharClass::name);
}
// A character of an item (a qualified name, a parameter): a letter, a digit, ".", "_", "~", "?" or "#".
inline bool is_item_char(const Alphabet &letters, char c) {
    return letters.letter(c) || has_class(c, CharClass::digit | CharClass::item);
}

}  // namespace tarnvel::lex
