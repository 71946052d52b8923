// The side-effect-free tests that every converter applies around a word and the bracket-aware
// searches.
//
// Position convention: a word occupies text[pos - len, pos - 1]; pos is the first character after
// it (its delimiter). The text's length is text.size(). A test whose bound is not met is false.
#pragma once

#include "host/buffer.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnvel::lex {

using Pos = std::ptrdiff_t;

// The dialect member of a family of tests: the identifier quotes the name tests accept and the extra
// characters the operand tests accept.
struct EdgeQuotes {
    char name_open;      // followed_by_name(_start): the opening identifier quote
    char name_close;     // preceded_by_name: the closing identifier quote
    char operand_open;   // followed_by_operand: an extra operand-start character, 0 for none
    char operand_close;  // preceded_by_operand: an extra operand character, 0 for none
    bool high_names = false;  // every byte above 0x7F is a name character, whatever the locale
};

inline constexpr EdgeQuotes sqlserver_edges{'[', ']', '[', ']'};
inline constexpr EdgeQuotes access_edges{'[', ']', '[', ']'};
inline constexpr EdgeQuotes oracle_edges{'"', '"', 0, 0};
inline constexpr EdgeQuotes mysql_edges{'`', '`', '`', '`'};
inline constexpr EdgeQuotes pgsql_edges{'"', '"', 0, 0};

// The member as the SELECT converters read names: bytes above 0x7F (UTF-8, double-byte code pages)
// belong to names.
constexpr EdgeQuotes with_high_names(EdgeQuotes q) {
    q.high_names = true;
    return q;
}

// The quoted runs a search steps over, as the text's reader says (for the SELECT converters: the
// dialect and the FoxPro-syntax switch; '...' strings are runs for all of them). Nothing inside a
// run is a parenthesis, a comma or a word.
enum class BracketRuns : std::uint8_t {
    none,    // "[" is an ordinary character
    flat,    // [...] runs to the first "]" that no second "]" follows
    nested,  // [...] counts the "[" and "]" inside it
    first,   // [...] runs to the first "]" (FoxPro program text)
};
struct LiteralRules {
    bool double_quotes = false;
    BracketRuns brackets = BracketRuns::none;
    bool backticks = false;
    bool single_quotes = true;
};
inline constexpr LiteralRules single_quotes_only{};
inline constexpr LiteralRules no_quoted_runs{.single_quotes = false};

// The index of the character that closes the run opening at text[i], or the length of the text
// when the run never closes; i itself when text[i] opens no run under the rules.
Pos quoted_run_end(std::string_view text, Pos i, const LiteralRules &rules);
// The "]" that closes the FoxPro array subscript opened by the "[" at i: a string in it may hold one
// (laX[AT(']', s)]); a string left open leaves the first "]" closing it. The text's length when none.
Pos subscript_end(std::string_view text, Pos i);
inline Pos run_end(std::string_view text, Pos i, const LiteralRules &rules) {
    if (i < 0 || static_cast<std::size_t>(i) >= text.size()) return i;
    char c = text[static_cast<std::size_t>(i)];
    if (c != '\'' && c != '"' && c != '[' && c != '`') return i;
    return quoted_run_end(text, i, rules);
}

// Character classes.
bool is_operand_char(char c, const EdgeQuotes &q);        // can end an operand
bool is_operand_start(char c, const EdgeQuotes &q);       // can start an operand ("?" included)
bool is_item_char(char c);                                // . _ ~ ? # letter digit
bool is_item_char(char c, const EdgeQuotes &q);           // the same, high bytes as q says

// How a "*" before a word reads: the select list's operand (SELECT * FROM), or a product elsewhere.
enum class Star : bool { product, operand };

// Tests of what precedes a word.
bool preceded_by_operand(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, Star star);
bool preceded_by_name(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q);
bool preceded_by_literal(std::string_view text, Pos pos, Pos len);
bool preceded_by_equals(std::string_view text, Pos pos, Pos len, bool dot);
bool preceded_by_open_paren(std::string_view text, Pos pos, Pos len);
bool preceded_by_close_paren(std::string_view text, Pos pos, Pos len);
bool preceded_by_operator(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q);

// Tests of what follows a word.
bool followed_by_operand(std::string_view text, Pos pos, const EdgeQuotes &q, bool dot);
bool followed_by_name(std::string_view text, Pos pos, const EdgeQuotes &q);
bool followed_by_name_start(std::string_view text, Pos pos, const EdgeQuotes &q);
bool followed_by_open_paren(std::string_view text, Pos pos);
bool followed_by_equals(std::string_view text, Pos pos, bool dot);
bool followed_by_as(std::string_view text, Pos pos, bool dot);
bool followed_by_operator(std::string_view text, Pos pos);
bool followed_by_predicate(std::string_view text, Pos pos);
bool list_item(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q);
// The word is the member of a qualified name (t.not, o.key, [t].order): a "." right before it ends
// a name or a quoted name, and no "." follows it. A number (1.AND x) or FoxPro's operator written
// with dots (a.AND.b, x.OR.not y) or a FoxPro literal (.F.OR x) before the "." makes it no member: a
// keyword there is a keyword.
bool member_word(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q);

// The operand tests of the SELECT converters' keywords. An operand ends right before the word, or
// before the one blank (or, with the dot option, the dot) in front of it, when there stands the end
// of a name, a quoted name or string, a number, a parenthesised group, a date, a FoxPro logical or
// null literal (.T., .F., .Y., .N., .NULL.) or a parameter; "*" too where it reads as an operand.
// Without a blank only a character that cannot belong to the word counts (")as b").
bool operand_before(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, Star star);
// An operand starts after the word, right at the delimiter or after the one blank (or dot) there:
// a name or function call (CASE, NOT and the like included), a quoted name or string, a number, an
// opening parenthesis, a date, a sign, FoxPro's "!" and logical literals, a "~" reference or a
// parameter (?, @, :).
bool operand_after(std::string_view text, Pos pos, const EdgeQuotes &q, bool dot);

// Searches, pos normally at an opening parenthesis; they step over the runs the rules name.
Pos find_close_paren(std::string_view text, Pos pos,
                     const LiteralRules &rules = single_quotes_only);  // -1, or >= size when there is none
// The first comma at 'from' or after it, outside parentheses and literals (a FoxPro date literal,
// {^2024-01-15,}, is passed over whole); npos when none.
std::size_t comma_at_level(std::string_view text, std::size_t from, const LiteralRules &rules);
// The "}" that closes the FoxPro date or datetime literal whose "{" is at 'open', or npos. A literal is
// short ({^2024-01-15 10:30:00 PM} and its blanks fit in 64 bytes with room to spare), so the "}" is
// looked for only that far: a text of many "{" and no "}" is still read once.
std::size_t date_literal_close(std::string_view text, std::size_t open);
Pos find_next_comma(std::string_view text, Pos pos,
                    const LiteralRules &rules = single_quotes_only);  // -1 when there is none
// The first index from 'from' where 'what' starts outside quoted runs and at parenthesis depth zero
// or below (counted from 'from'); npos when there is none.
std::size_t find_at_level(std::string_view text, std::size_t from, std::string_view what, const LiteralRules &rules);
// The n-th argument (from 1) of the call whose "(" is at pos, in a new buffer; an empty Buffer
// when there is none. Host error 182 when the copy cannot be had.
Buffer nth_argument(std::string_view text, Pos pos, int n, const LiteralRules &rules = single_quotes_only);

}  // namespace tarnvel::lex
