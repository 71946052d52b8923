// Reading converted SQL and FoxPro text for the residue check: character classes, words compared
// without regard to letter case, and the converted text with its literals blanked out.
#pragma once

#include <tarnvel/residue.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::residue {

inline constexpr std::size_t npos = std::string_view::npos;

// A set of targets, one bit each.
using Targets = unsigned;
constexpr Targets bit(Target target) { return 1u << static_cast<unsigned>(target); }
inline constexpr Targets sqlserver = bit(Target::sqlserver);
inline constexpr Targets oracle = bit(Target::oracle);
inline constexpr Targets mysql = bit(Target::mysql);
inline constexpr Targets access = bit(Target::access);
inline constexpr Targets pgsql = bit(Target::pgsql);
inline constexpr Targets no_target = 0;
inline constexpr Targets every_target = (1u << dialect_count) - 1;

// Letters, digits and "_" in ASCII, and every byte above 0x7F (names written in a code page or
// in UTF-8) make up names.
inline bool name_char(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}
inline bool name_start(char c) { return name_char(c) && !(c >= '0' && c <= '9'); }
inline bool digit(char c) { return c >= '0' && c <= '9'; }
inline bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

char upper_ascii(char c);
std::string upper(std::string_view text);
bool same_word(std::string_view a, std::string_view b);  // ASCII letters compared without case

// True when 'word' is one of the comma-separated words of 'list' (letter case aside).
bool listed(std::string_view list, std::string_view word);

// True when 'word' is 'full' or FoxPro's abbreviation of it: at least 'shortest' leading characters.
bool abbreviates(std::string_view word, std::string_view full, std::size_t shortest = 4);

// The end of the word starting at pos (pos itself when no name character stands there).
std::size_t word_end(std::string_view text, std::size_t pos);
// The start of the word ending just before pos.
std::size_t word_start(std::string_view text, std::size_t pos);
// The first non-blank position at or after pos (text.size() when none), and the last non-blank
// position before pos (npos when none).
std::size_t skip_blanks(std::string_view text, std::size_t pos);
std::size_t last_nonblank(std::string_view text, std::size_t pos);
// The position of the ")" that closes the "(" at pos, or npos; 'text' has its literals blanked.
std::size_t closing_paren(std::string_view text, std::size_t pos);
// The number of arguments of the call whose "(" is at pos: 0 for "()", else top-level commas + 1.
int argument_count(std::string_view text, std::size_t open);

// Words that are followed by an expression: an operand never ends in one of them.
bool expression_keyword(std::string_view word);

// True when the character or word ending just before pos ends an operand: a name that is not an
// expression keyword, a number, a literal, a quoted name or ")". 'text' has its literals blanked.
bool after_operand(std::string_view text, std::size_t pos);

// The converted text seen three ways, all of the original's length: 'masked' has the contents of
// string literals and quoted names blanked (the delimiters stay); 'names' has only the contents of
// string literals blanked and the quotes of quoted names turned into blanks, so keywords that a
// converter quoted read as words again. 'literals' are the spans of the string literals.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past the closing delimiter
};
struct TargetText {
    std::string_view original;
    std::string masked;
    std::string names;
    std::vector<Span> literals;         // string literals of the target ('...', and "..." where it is one)
    std::vector<Span> foreign_quotes;   // "..." in SQL Server, [...] in Oracle and MySQL
};
TargetText read_target_text(Target target, std::string_view text);

}  // namespace tarnvel::residue
