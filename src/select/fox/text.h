// Reading FoxPro text for the FoxPro-syntax pass: character classes, the extent of literals,
// parenthesised groups, numbers, parameters and references, arguments of a call, and the names
// of the table list. Every search steps over the quoted runs the clause converter reads as
// literals (lex::run_end with the dialect's rules, select/literals.h).
#pragma once

#include "lex/classes.h"
#include "lex/scan.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnvel::select::fox {

// Character classes as one table: blanks (line breaks included), name starts (letters, "_" and
// every byte above 0x7F: names written in a code page of their own or in UTF-8), digits.
enum CharClass : std::uint8_t { other_char = 0, blank_char = 1, name_start_char = 2, digit_char = 4 };
struct CharClasses {
    std::uint8_t of[256] = {};
    constexpr CharClasses() {
        for (int c = 0; c < 256; ++c) {
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') of[c] = blank_char;
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80) of[c] = name_start_char;
            if (c >= '0' && c <= '9') of[c] = digit_char;
        }
    }
};
inline constexpr CharClasses char_classes;
inline std::uint8_t char_class(char c) { return char_classes.of[static_cast<unsigned char>(c)]; }
inline bool is_blank(char c) { return char_class(c) == blank_char; }
inline bool is_digit(char c) { return char_class(c) == digit_char; }
inline bool name_start(char c) { return char_class(c) == name_start_char; }
inline bool name_char(char c) { return (char_class(c) & (name_start_char | digit_char)) != 0; }
// Where the blanks that end right before 'at' begin (not before 'floor'), and where those that begin
// at 'at' end.
inline std::size_t blanks_before(std::string_view text, std::size_t at, std::size_t floor = 0) {
    while (at > floor && is_blank(text[at - 1])) --at;
    return at;
}
inline std::size_t blanks_after(std::string_view text, std::size_t at) {
    while (at < text.size() && is_blank(text[at])) ++at;
    return at;
}
// The text without the blanks (line breaks included) at its ends.
inline std::string_view trimmed(std::string_view t) {
    while (!t.empty() && is_blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && is_blank(t.back())) t.remove_suffix(1);
    return t;
}
// The word that ends right before 'at' (blanks between allowed), or an empty view.
inline std::string_view word_before(std::string_view text, std::size_t at) {
    at = blanks_before(text, at);
    std::size_t from = at;
    while (from > 0 && name_char(text[from - 1])) --from;
    return text.substr(from, at - from);
}
struct UpperTable {
    char of[256] = {};
    constexpr UpperTable() {
        for (int c = 0; c < 256; ++c) of[c] = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    }
};
inline constexpr UpperTable upper_table;
constexpr char upper(char c) { return upper_table.of[static_cast<unsigned char>(c)]; }

// A word upper-cased (ASCII) for the keyword and function tables; a word longer than any of them
// reads as empty.
class UpperWord {
public:
    explicit UpperWord(std::string_view word) {
        if (word.size() >= chars_.size()) return;
        for (std::size_t i = 0; i < word.size(); ++i) chars_[i] = upper(word[i]);
        length_ = word.size();
    }
    std::string_view view() const { return {chars_.data(), length_}; }

private:
    std::array<char, 16> chars_{};
    std::size_t length_ = 0;
};

// Two names in any letter case: ASCII letters here, the others as the alphabet of names reads them
// (UTF-8's letters of two bytes, or a code page's).
inline bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (upper(a[i]) != upper(b[i])) {
            return ((static_cast<unsigned char>(a[i]) | static_cast<unsigned char>(b[i])) & 0x80) != 0 &&
                   lex::Alphabet::names().same_letters(a, b);
        }
    }
    return true;
}

// The word, compared with an upper-case word without regard to ASCII letter case.
constexpr bool same_word(std::string_view word, std::string_view upper_word) {
    if (word.size() != upper_word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(word[i]) != upper_word[i]) return false;
    }
    return true;
}

// PADR, PADL or PADC, in any letter case.
constexpr bool pad_name(std::string_view word) {
    return same_word(word, "PADR") || same_word(word, "PADL") || same_word(word, "PADC");
}

// A constant table from upper-case words to small values, looked up by a word in any letter case:
// one hash of the length and the first and last letters, then a byte per slot probed (its tag:
// the length and three bits of the hash), and the letters compared only where a tag matches. Most words of a
// statement are names that the table does not hold, and they are told apart at the cost of the hash.
template <std::size_t Slots>
class WordTable {
public:
    static_assert((Slots & (Slots - 1)) == 0 && Slots >= 2, "a power of two");
    // (a word longer than 'longest' is never found, so it is not kept)
    constexpr void add(std::string_view word, std::uint8_t value) {
        if (word.empty() || word.size() > longest) return;
        const std::uint32_t h = hash(word);
        std::size_t i = slot(h);
        while (tags_[i] != 0) i = (i + 1) & (Slots - 1);
        tags_[i] = tag(word.size(), h);
        words_[i] = word.data();
        values_[i] = value;
    }
    // The value of the word, or -1.
    constexpr int find(std::string_view word) const {
        if (word.empty() || word.size() > longest) return -1;
        const std::uint32_t h = hash(word);
        const std::uint8_t wanted = tag(word.size(), h);
        for (std::size_t i = slot(h);; i = (i + 1) & (Slots - 1)) {
            const std::uint8_t t = tags_[i];
            if (t == 0) return -1;
            if (t == wanted && same_word(word, std::string_view(words_[i], word.size()))) return values_[i];
        }
    }

private:
    static constexpr std::size_t longest = 15;
    static constexpr int slot_bits = std::countr_zero(Slots);
    // The length and the first and last letters, each letter as (c | 0x20), the same for both cases of a
    // letter as upper() is: a word and its upper-case form hash alike. The slot is the
    // product's top bits, the tag's three the bits below them.
    static constexpr std::uint32_t hash(std::string_view w) {
        const std::uint32_t key = (static_cast<std::uint32_t>(w.size()) << 16) | (static_cast<unsigned char>(w[w.size() - 1]) << 8) |
                                  static_cast<unsigned char>(w[0]) | 0x2020u;
        return key * 0x9E3779B1u;
    }
    static constexpr std::size_t slot(std::uint32_t h) { return h >> (32 - slot_bits); }
    // Never 0, the mark of an empty slot: the length (up to 15) and three bits of the hash.
    static constexpr std::uint8_t tag(std::size_t length, std::uint32_t h) {
        return static_cast<std::uint8_t>(0x80u | ((h >> (25 - slot_bits)) & 0x70u) | length);
    }
    std::array<std::uint8_t, Slots> tags_{};
    std::array<const char *, Slots> words_{};
    std::array<std::uint8_t, Slots> values_{};
};

constexpr std::size_t none = std::string_view::npos;

// One past the quoted run that opens at text[at], or 'end' when it is not closed; at itself when
// text[at] opens no run under the rules.
std::size_t literal_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules);
// The ")" that closes the "(" at 'open', passing over literals and nested groups; none if missing.
std::size_t close_paren(std::string_view text, std::size_t open, std::size_t end, const lex::LiteralRules &rules);
// One past a number (digits, a decimal part, an exponent) that begins at 'at'; 0h0A0B (a binary
// literal, 0h alone the empty one) and 0x1F (a number in hexadecimal) are one run with their digits.
std::size_t number_end(std::string_view text, std::size_t at, std::size_t end);
// The letter of 0h or 0x, upper case, when a hexadecimal run opens at 'at' (else '\0').
inline char hex_prefix(std::string_view text, std::size_t at, std::size_t end) {
    if (at + 1 >= end || text[at] != '0') return '\0';
    const char letter = upper(text[at + 1]);
    if (letter == 'H' || (letter == 'X' && at + 2 < end && lex::is_hex_digit(text[at + 2]))) return letter;
    return '\0';
}
// One past the ?parameter or ?(expression) at 'at'.
std::size_t parameter_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules);
// One past the macro substitution &name (and the dot that may end it) at 'at'.
std::size_t macro_end(std::string_view text, std::size_t at, std::size_t end);
// One past the ~reference or ~(expression) at 'at'.
std::size_t reference_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules);
// One past a name with its qualifiers (alias.field, thisform.grid.value), which stops before a
// FoxPro operator written with dots (.AND., .OR., .NOT.).
std::size_t name_chain_end(std::string_view text, std::size_t at, std::size_t end);
// A name with a count of days written out added or taken off (d + 30, t.d - 7) from 'at' to 'end',
// blanks around the sign and after the count: one past the name; npos when the text is anything else.
std::size_t name_with_days_end(std::string_view text, std::size_t at, std::size_t end);
// The "]" that closes the subscript opened at 'open' (laX[...], THISFORM.aList[...]): a string in
// the subscript may hold one (laX[AT(']', s)]), and one left open leaves the first "]" closing it;
// none when there is no "]".
std::size_t subscript_end(std::string_view text, std::size_t open);
// Where the primary that ends the text (blanks after it aside) begins, not before 'floor': a name
// with its qualifiers, a call with its name, a group, a number, a literal, a parameter ?x; none
// when no primary ends it.
std::size_t primary_start(std::string_view text, std::size_t floor);
// The statement names something M (a table alias): a word M, in any letter case, that is no
// qualifier (m.x), stands outside literals and comes after a FROM (a select item's alias M is no table).
bool names_alias_m(std::string_view text, const lex::LiteralRules &rules);
// The statement never names 'word' alone (a table, an alias, a field), only as the qualifier of
// members (word.x): then word.x is no field of the statement's tables but the host's, an object's
// property (goApp.cUser) or the field of a cursor the statement does not read (curHead.id). A
// literal is read as a table's file, FROM ("c:\data\orders.dbf"), unless it is 'literal'.
bool names_no_table(std::string_view text, std::string_view word, const lex::LiteralRules &rules,
                    std::string_view literal = {});

// A literal's file name, FROM ("c:\data\orders.dbf"): its base name.
std::string_view literal_file(std::string_view run);
// The "(" at 'open' begins a subquery: blanks, then SELE in any letter case.
bool sele_follows(std::string_view text, std::size_t open, std::size_t end);
// The word (upper case) stands at 'at', in any letter case, and no name character follows it.
bool word_at(std::string_view text, std::size_t at, std::size_t end, std::string_view word);
// FoxPro's dotted operator .AND. or .OR. (and .NOT. with 'with_not') stands at the dot 'dot'.
bool dotted_operator(std::string_view text, std::size_t dot, std::size_t end, bool with_not = false);

// The arguments of the call whose parentheses are at 'open' and 'close': each is the text between
// commas at the call's own level. A call whose parentheses hold only blanks has none.
template <typename Each>
void for_each_argument(std::string_view text, std::size_t open, std::size_t close, const lex::LiteralRules &rules,
                       Each each);
// The ")" that closes the call's "(" at 'open' (none if missing) and the number of arguments
// for_each_argument finds between the two, read in one pass.
struct CallExtent {
    std::size_t close = none;
    std::size_t count = 0;
};
CallExtent call_extent(std::string_view text, std::size_t open, std::size_t end, const lex::LiteralRules &rules);
// The last 'word' (upper case) standing at the group's own level between 'from' and 'to', or none.
std::size_t last_top_level_word(std::string_view text, std::size_t from, std::size_t to, std::string_view word,
                                const lex::LiteralRules &rules);

// An item of the table list as the server knows it: database!table as table, a file path (with
// \, / or :, or ending in .dbf) as the file's base name; any other item as it stands.
std::string_view table_name(std::string_view item);

// --- template

// The next argument boundary (a comma at the level of 'from', or 'close') after 'from'.
std::size_t next_comma(std::string_view text, std::size_t from, std::size_t close, const lex::LiteralRules &rules);

template <typename Each>
void for_each_argument(std::string_view text, std::size_t open, std::size_t close, const lex::LiteralRules &rules,
                       Each each) {
    std::size_t from = open + 1;
    if (text.substr(from, close - from).find_first_not_of(" \t\r\n") == std::string_view::npos) return;
    while (true) {
        std::size_t to = next_comma(text, from, close, rules);
        each(from, to);
        if (to >= close) return;
        from = to + 1;
    }
}

}  // namespace tarnvel::select::fox
