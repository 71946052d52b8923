// The tests around a word and the bracket-aware searches.
//
// Every read goes through at(), which gives 0 outside the text; 0 is in none of the character
// classes below, so no test can look past either end whatever its caller passes. The explicit
// bounds of each test come on top of that: they decide when a test is false near the edges.
#include "lex/scan.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/letters.h"

#include <cstring>

namespace tarnvel::lex {

namespace {

constexpr char blank = ' ';

Pos length_of(std::string_view text) { return static_cast<Pos>(text.size()); }

char at(std::string_view text, Pos i) { return i >= 0 && i < length_of(text) ? text[static_cast<std::size_t>(i)] : '\0'; }

// The letter test without a locale query for the bytes whose answer does not depend on it.
bool letter(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0xC0) return has_class(c, CharClass::ascii_letter);
    return Alphabet::current().letter(byte);
}

// The same, with every byte above 0x7F a letter when the member says so.
bool letter(char c, const EdgeQuotes &q) {
    if (q.high_names && static_cast<unsigned char>(c) >= 0x80) return true;
    return letter(c);
}

// Letter, digit or one of the characters of 'mask'.
bool letter_digit_or(char c, unsigned char mask, const EdgeQuotes *q = nullptr) {
    if (has_class(c, static_cast<unsigned char>(CharClass::ascii_letter | CharClass::digit | mask))) return true;
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) return false;
    return q ? letter(c, *q) : byte >= 0xC0 && letter(c);
}

// The operator test after every word (equals_one asks it of most names) in one look-up.
struct CharSet {
    bool in[256] = {};
    constexpr explicit CharSet(std::string_view set) {
        for (char s : set) in[static_cast<unsigned char>(s)] = true;
    }
    constexpr bool operator()(char c) const { return in[static_cast<unsigned char>(c)]; }
};
constexpr CharSet operator_right_after("=><*/-+!.(%^|&"), operator_after_blanks("=><!+-*(/%^|&");

// A plain loop: the sets are a few characters long, shorter than a library search's setup.
constexpr bool one_of(char c, std::string_view set) {
    if (c == '\0') return false;
    for (char s : set) {
        if (c == s) return true;
    }
    return false;
}

bool quote_char(char c, char quote) { return quote != '\0' && c == quote; }

bool blank_or_dot(char c, bool dot) { return c == blank || (dot && c == '.'); }

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// True when the characters from 'from' spell 'word' without regard to case ('word' lower case).
bool spells(std::string_view text, Pos from, std::string_view word) {
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(at(text, from + static_cast<Pos>(i))) != word[i]) return false;
    return true;
}

// The start of the word at [pos - len, pos) extended to the left over item characters.
Pos extend_over_items(std::string_view text, Pos start, const EdgeQuotes &q) {
    while (start > 0 && is_item_char(at(text, start - 1), q)) --start;
    return start;
}

// (| and & also: Oracle's and PostgreSQL's ||, the bit operators BITAND and BITOR become, the & of a
// FoxPro macro substitution)
bool operator_char(char c) { return one_of(c, "=><*-+/%^|&"); }

// The two bounds shared by the tests of what precedes a word: two characters before it exist.
bool two_before(std::string_view text, Pos pos, Pos len) { return pos - len - 2 >= 0 && pos - len - 1 < length_of(text); }

// The first 'close' after i, or the length.
Pos next_of(std::string_view text, Pos i, char close) {
    std::size_t at = text.find(close, static_cast<std::size_t>(i) + 1);
    return at == std::string_view::npos ? length_of(text) : static_cast<Pos>(at);
}

// FoxPro's words after which "[" opens a string even when it runs into them (SELECT[x], AND[y]):
// an operand follows them, where after any other name "[" opens a subscript.
constexpr std::string_view operand_keywords[] = {"select", "selec", "sele", "and", "or", "not", "where", "wher",
                                                 "in", "like", "when", "then", "else", "as", "on", "having",
                                                 "havin", "havi", "xor", "is"};

// Whether the "[" at i opens an array subscript in FoxPro program text: it follows a name (laX[1],
// THISFORM.aList[2]) or a closing bracket or parenthesis (laX[1][2]), not a keyword.
bool subscript_opens(std::string_view text, Pos i) {
    const char before = at(text, i - 1);
    if (before == ')' || before == ']') return true;
    auto word_char = [](char c) { return letter(c) || has_class(c, CharClass::digit | CharClass::word); };
    if (!word_char(before)) return false;
    Pos from = i - 1;
    while (from > 0 && word_char(at(text, from - 1))) --from;
    for (std::string_view word : operand_keywords) {
        if (static_cast<Pos>(word.size()) == i - from && spells(text, from, word)) return false;
    }
    return true;
}


// The "]" that closes the [...] run or subscript opening at i under the rules (i when none opens);
// kept out of line, so that the search over the far more common quotes stays short.
[[gnu::noinline]] Pos bracket_run_end(std::string_view text, Pos i, const LiteralRules &rules) {
    if (rules.brackets == BracketRuns::none) return i;
    // a FoxPro array's subscript, which the FoxPro-syntax pass leaves in the host's ?(...), may hold a
    // string with a "]" in it, as no [...] run does
    if (rules.brackets != BracketRuns::nested && subscript_opens(text, i)) return subscript_end(text, i);
    if (rules.brackets == BracketRuns::first) return next_of(text, i, ']');
    const Pos n = length_of(text);
    int depth = 0;
    for (Pos j = i + 1; j < n; ++j) {
        char c = text[static_cast<std::size_t>(j)];
        if (rules.brackets == BracketRuns::flat) {
            if (c == ']' && at(text, j + 1) != ']') return j;  // a "]" before another does not close
        } else if (c == '[') {
            ++depth;
        } else if (c == ']' && depth-- == 0) {
            return j;
        }
    }
    return n;
}

}  // namespace

Pos subscript_end(std::string_view text, Pos i) {
    const std::size_t open = static_cast<std::size_t>(i);
    for (std::size_t j = open + 1; j < text.size(); ++j) {
        const char c = text[j];
        if (c == ']') return static_cast<Pos>(j);
        if (c != '\'' && c != '"') continue;
        const std::size_t close = text.find(c, j + 1);
        if (close == std::string_view::npos) break;
        j = close;
    }
    return next_of(text, i, ']');
}

Pos quoted_run_end(std::string_view text, Pos i, const LiteralRules &rules) {
    if (i < 0 || i >= length_of(text)) return i;
    switch (text[static_cast<std::size_t>(i)]) {
    case '\'':
        return rules.single_quotes ? next_of(text, i, '\'') : i;
    case '"':
        return rules.double_quotes ? next_of(text, i, '"') : i;
    case '`':
        return rules.backticks ? next_of(text, i, '`') : i;
    case '[':
        return bracket_run_end(text, i, rules);
    default:
        return i;
    }
}

// --- Character classes ---

bool is_operand_char(char c, const EdgeQuotes &q) { return letter_digit_or(c, CharClass::operand_end, &q) || quote_char(c, q.operand_close); }

bool is_operand_start(char c, const EdgeQuotes &q) { return letter_digit_or(c, CharClass::operand_begin, &q) || quote_char(c, q.operand_open); }

bool is_item_char(char c) { return letter_digit_or(c, CharClass::item); }

bool is_item_char(char c, const EdgeQuotes &q) { return letter_digit_or(c, CharClass::item, &q); }

// --- What precedes a word ---

bool preceded_by_operand(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, Star star) {
    if (!two_before(text, pos, len) || !blank_or_dot(at(text, pos - len - 1), dot)) return false;
    char second = at(text, pos - len - 2);
    return is_operand_char(second, q) || (second == '*' && star == Star::operand);
}

bool preceded_by_name(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q) {
    if (!two_before(text, pos, len) || at(text, pos - len - 1) != blank) return false;
    char second = at(text, pos - len - 2);
    return letter(second, q) || is_digit(second) || second == '_' || quote_char(second, q.name_close);
}

bool preceded_by_literal(std::string_view text, Pos pos, Pos len) {
    if (!two_before(text, pos, len) || at(text, pos - len - 1) != blank) return false;
    char second = at(text, pos - len - 2);
    return second == '\'' || is_digit(second);
}

namespace {
// The character before is 'c', or it is a blank (or a dot when allowed) and the one before that is.
bool preceded_by_char(std::string_view text, Pos pos, Pos len, char c, bool dot) {
    if (!two_before(text, pos, len)) return false;
    char first = at(text, pos - len - 1);
    return first == c || (blank_or_dot(first, dot) && at(text, pos - len - 2) == c);
}
}  // namespace

bool preceded_by_equals(std::string_view text, Pos pos, Pos len, bool dot) { return preceded_by_char(text, pos, len, '=', dot); }
bool preceded_by_open_paren(std::string_view text, Pos pos, Pos len) { return preceded_by_char(text, pos, len, '(', false); }
bool preceded_by_close_paren(std::string_view text, Pos pos, Pos len) { return preceded_by_char(text, pos, len, ')', false); }

bool preceded_by_operator(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q) {
    Pos start = pos - len;
    if (start < 0 || start > length_of(text)) return false;
    start = extend_over_items(text, start, q);
    if (start >= 2 && at(text, start - 1) == blank && operator_char(at(text, start - 2))) return true;
    return start >= 1 && operator_char(at(text, start - 1));
}

// --- What follows a word ---

bool followed_by_operand(std::string_view text, Pos pos, const EdgeQuotes &q, bool dot) {
    if (pos < 0 || pos + 2 >= length_of(text)) return false;
    return blank_or_dot(at(text, pos), dot) && is_operand_start(at(text, pos + 1), q);
}

bool followed_by_name(std::string_view text, Pos pos, const EdgeQuotes &q) {
    if (pos < 0 || pos + 2 >= length_of(text) || at(text, pos) != blank) return false;
    char second = at(text, pos + 1);
    return letter(second, q) || quote_char(second, q.name_open);
}

bool followed_by_name_start(std::string_view text, Pos pos, const EdgeQuotes &q) {
    if (followed_by_name(text, pos, q)) return true;
    if (pos < 0 || pos + 2 >= length_of(text) || at(text, pos) != blank) return false;
    return one_of(at(text, pos + 1), "_#");
}

namespace {
// The character after is 'c', or it is a blank (or a dot when allowed) and the one after that is.
bool followed_by_char(std::string_view text, Pos pos, char c, bool dot) {
    if (pos < 0 || pos + 2 >= length_of(text)) return false;
    char first = at(text, pos);
    return first == c || (blank_or_dot(first, dot) && at(text, pos + 1) == c);
}
}  // namespace

bool followed_by_open_paren(std::string_view text, Pos pos) { return followed_by_char(text, pos, '(', false); }
bool followed_by_equals(std::string_view text, Pos pos, bool dot) { return followed_by_char(text, pos, '=', dot); }

bool followed_by_as(std::string_view text, Pos pos, bool dot) {
    if (pos < 0 || pos + 3 >= length_of(text)) return false;
    return blank_or_dot(at(text, pos), dot) && spells(text, pos + 1, "as");
}

bool followed_by_operator(std::string_view text, Pos pos) {
    if (pos < 0 || pos >= length_of(text)) return false;
    char first = at(text, pos);
    if (operator_right_after(first)) return true;
    if (!is_blank(first)) return false;
    // after blanks and tabs, however many (?m.x<TAB>< name)
    Pos next = pos + 1;
    while (next < length_of(text) && is_blank(at(text, next))) ++next;
    return next < length_of(text) && operator_after_blanks(at(text, next));
}

bool followed_by_predicate(std::string_view text, Pos pos) {
    struct Predicate {
        std::string_view word;  // lower case, the blank before it not included
        std::string_view then;  // what must follow it
    };
    static constexpr Predicate predicates[] = {
        {"in", " \t("},     {"not", " \t"},      {"like", " \t"},      {"betw", " \t("},
        {"betwe", " \t("},  {"betwee", " \t("},  {"between", " \t("},
    };
    const Pos n = length_of(text);
    if (pos < 0 || at(text, pos) != blank) return false;
    for (const Predicate &p : predicates) {
        Pos after = pos + 1 + static_cast<Pos>(p.word.size());
        if (after + 1 <= n && spells(text, pos + 1, p.word) && one_of(at(text, after), p.then)) return true;
    }
    // IS, a blank or tab, NULL, a blank or tab: nine characters from pos.
    return pos + 9 <= n && spells(text, pos + 1, "is") && one_of(at(text, pos + 3), " \t") && spells(text, pos + 4, "null") &&
           one_of(at(text, pos + 8), " \t");
}

bool list_item(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q) {
    const Pos n = length_of(text);
    Pos start = pos - len;
    if (start < 0 || start > n) return false;
    if (start >= 2) start = extend_over_items(text, start, q);
    // blanks and tabs on either side, however many (UPPER(?m.x<TAB>), f(  x  , y))
    Pos left_at = start - 1;
    while (left_at >= 0 && is_blank(at(text, left_at))) --left_at;
    if (!one_of(at(text, left_at), ",(") || pos < 0 || pos >= n) return false;
    Pos next = pos;
    while (next < n && is_blank(at(text, next))) ++next;
    if (one_of(at(text, next), ",)")) return true;
    // x AS type, the AS perhaps marked as a word a row inserted (CAST(%* \0AS \0DATE))
    const Pos as = next == pos + 1 && at(text, next) == '\0' ? next + 1 : next;
    return next == pos + 1 && at(text, pos) == blank && as + 3 <= n && spells(text, as, "as") && at(text, as + 2) == blank;
}

// --- The operand tests of the SELECT converters ---

namespace {

// A FoxPro logical or null literal (.T., .F., .Y., .N., .NULL.) has its closing dot at text[i].
bool fox_literal_ends(std::string_view text, Pos i) {
    if (at(text, i) != '.') return false;
    for (std::string_view word : {"t", "f", "y", "n", "null"}) {
        Pos first = i - static_cast<Pos>(word.size());
        if (at(text, first - 1) == '.' && spells(text, first, word)) return true;
    }
    return false;
}

// FoxPro's macro substitution &name. has its closing dot at text[i].
bool macro_ends(std::string_view text, Pos i) {
    if (at(text, i) != '.') return false;
    Pos first = i;
    while (first > 0 && letter_digit_or(at(text, first - 1), CharClass::item) && at(text, first - 1) != '.') --first;
    return first < i && at(text, first - 1) == '&';
}

// text[i], before a blank, ends an operand.
bool ends_operand(std::string_view text, Pos i, const EdgeQuotes &q, Star star) {
    char c = at(text, i);
    // (a "^" closes a caret region, whose text is copied as it stands: an operand)
    if (is_operand_char(c, q) || c == '}' || c == '^') return true;
    return (c == '*' && star == Star::operand) || fox_literal_ends(text, i) || macro_ends(text, i);
}

// c, right after a blank, starts an operand (& a FoxPro macro substitution).
bool starts_operand(char c, const EdgeQuotes &q) { return is_operand_start(c, q) || one_of(c, "+{[`!@:^&"); }

}  // namespace

bool member_word(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q) {
    const Pos start = pos - len;
    if (start < 2 || at(text, start - 1) != '.' || at(text, pos) == '.') return false;
    const char end = at(text, start - 2);
    if (quote_char(end, q.name_close) || end == '"' || end == '`') return true;
    Pos from = start - 1;
    while (from > 0 && letter_digit_or(at(text, from - 1), CharClass::word, &q)) --from;
    if (from == start - 1 || is_digit(at(text, from))) return false;
    if (at(text, from - 1) != '.') return true;
    const Pos run = start - 1 - from;  // .AND.x, .OR.x, .NOT.x
    if ((run == 3 && (spells(text, from, "and") || spells(text, from, "not"))) || (run == 2 && spells(text, from, "or"))) {
        return false;
    }
    // a.b.c, but no literal's closing dot (.F.OR x, .NULL.AND y): a name stands before the run's dot
    return letter_digit_or(at(text, from - 2), CharClass::word, &q);
}

bool operand_before(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, Star star) {
    const Pos start = pos - len;
    if (start < 1 || start > length_of(text)) return false;
    char first = at(text, start - 1);
    if (blank_or_dot(first, dot)) return start >= 2 && ends_operand(text, start - 2, q, star);
    // Right against the word: only what cannot belong to a name.
    // "*" right against it: SELECT*FROM, a.*FROM (a product runs into no keyword in valid SQL)
    return one_of(first, ")'\"}*") || quote_char(first, q.operand_close) || fox_literal_ends(text, start - 1);
}

bool operand_after(std::string_view text, Pos pos, const EdgeQuotes &q, bool dot) {
    if (pos < 0 || pos + 1 >= length_of(text)) return false;
    char first = at(text, pos);
    if (blank_or_dot(first, dot)) return starts_operand(at(text, pos + 1), q);
    return one_of(first, "('\"[{?@:!+-") || quote_char(first, q.operand_open);
}

// --- Searches ---

Pos find_close_paren(std::string_view text, Pos pos, const LiteralRules &rules) {
    const Pos n = length_of(text);
    if (pos < 0) return -1;
    if (pos + 1 >= n) return pos + 1;
    Cursor cursor(text, static_cast<std::size_t>(pos + 1), rules);
    std::size_t close = cursor.group_end();
    if (close != Cursor::npos) return static_cast<Pos>(close);
    return cursor.depth() > 0 ? -1 : n;  // the text ends inside a nested group, or inside this one
}

std::size_t date_literal_close(std::string_view text, std::size_t open) {
    constexpr std::size_t room = 64;
    return text.substr(0, open + room).find('}', open);
}

// A comma inside a FoxPro date or datetime literal ({^2024-01-15,}, a strict date with an empty time)
// separates nothing: a closed {...} is passed over whole.
std::size_t comma_at_level(std::string_view text, std::size_t from, const LiteralRules &rules) {
    Cursor cursor(text, from, rules);
    for (std::size_t at = cursor.find(comma_or_brace); at != Cursor::npos; at = cursor.find(comma_or_brace)) {
        if (text[at] == ',') return at;
        const std::size_t close = date_literal_close(text, at);
        cursor.skip_to(close == std::string_view::npos ? at + 1 : close + 1);
    }
    return Cursor::npos;
}

Pos find_next_comma(std::string_view text, Pos pos, const LiteralRules &rules) {
    if (pos < 0) return -1;
    const std::size_t at = comma_at_level(text, static_cast<std::size_t>(pos + 1), rules);
    return at == Cursor::npos ? -1 : static_cast<Pos>(at);
}

std::size_t find_at_level(std::string_view text, std::size_t from, std::string_view what, const LiteralRules &rules) {
    if (text.find(what, from) == std::string_view::npos) return Cursor::npos;  // nowhere, at any level
    return Cursor(text, from, rules).find(what);
}

Buffer nth_argument(std::string_view text, Pos pos, int n, const LiteralRules &rules) {
    if (n < 1 || pos < 0 || pos >= length_of(text)) return {};
    auto start = static_cast<std::size_t>(pos);
    if (text[start] == '(') ++start;  // the call's own parenthesis opens no level
    Cursor cursor(text, start, rules);
    std::size_t end = cursor.find(argument_end);
    for (int counter = 1; counter < n; ++counter) {
        if (end == Cursor::npos || text[end] == ')') return {};
        start = end + 1;
        cursor.step();
        end = cursor.find(argument_end);
    }
    if (end == Cursor::npos || end <= start) return {};
    std::size_t size = end - start;
    Buffer argument = Buffer::obtain(size + 1);
    std::memcpy(argument.data(), text.data() + start, size);
    argument.data()[size] = '\0';
    return argument;
}

}  // namespace tarnvel::lex
