// The tests around a word and the bracket-aware searches.
//
// Every read goes through at(), which gives 0 outside the text; 0 is in none of the character
// classes below, so no test can look past either end whatever its caller passes. The explicit
// bounds of each test come on top of that: they decide when a test is false near the edges.
#include "lex/scan.h"

#include "lex/letters.h"

#include <array>
#include <cstring>

namespace tarnvel::lex {

namespace {

constexpr char blank = ' ';

Pos length_of(std::string_view text) { return static_cast<Pos>(text.size()); }

char at(std::string_view text, Pos i) { return i >= 0 && i < length_of(text) ? text[static_cast<std::size_t>(i)] : '\0'; }

// The fixed character classes as one table; the dialect's quotes and the letters from 0xC0 on
// (which depend on the locale) are tested apart.
enum Class : unsigned char {
    ascii_letter = 1,
    decimal_digit = 2,
    operand_end = 4,    // besides letters and digits
    operand_begin = 8,  // besides letters and digits
    item = 16,          // besides letters and digits
};

constexpr std::array<unsigned char, 256> make_classes() {
    std::array<unsigned char, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c) table[c] |= ascii_letter;
    for (int c = 'a'; c <= 'z'; ++c) table[c] |= ascii_letter;
    for (int c = '0'; c <= '9'; ++c) table[c] |= decimal_digit;
    for (char c : std::string_view(")'\"_#")) table[static_cast<unsigned char>(c)] |= operand_end;
    for (char c : std::string_view("('\"_~#.-?")) table[static_cast<unsigned char>(c)] |= operand_begin;
    for (char c : std::string_view("._~?#")) table[static_cast<unsigned char>(c)] |= item;
    return table;
}
constexpr std::array<unsigned char, 256> classes = make_classes();

bool has(char c, unsigned char mask) { return (classes[static_cast<unsigned char>(c)] & mask) != 0; }

bool digit(char c) { return has(c, decimal_digit); }

// The letter test without a locale query for the bytes whose answer does not depend on it.
bool letter(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0xC0) return has(c, ascii_letter);
    return Alphabet::current().letter(byte);
}

// The same, with every byte above 0x7F a letter when the member says so.
bool letter(char c, const EdgeQuotes &q) {
    if (q.high_names && static_cast<unsigned char>(c) >= 0x80) return true;
    return letter(c);
}

// Letter, digit or one of the characters of 'mask'.
bool letter_digit_or(char c, unsigned char mask, const EdgeQuotes *q = nullptr) {
    if (has(c, static_cast<unsigned char>(ascii_letter | decimal_digit | mask))) return true;
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) return false;
    return q ? letter(c, *q) : byte >= 0xC0 && letter(c);
}

bool one_of(char c, std::string_view set) { return c != '\0' && set.find(c) != std::string_view::npos; }

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

bool operator_char(char c, const EdgeQuotes &q) { return one_of(c, "=><*-+/") || (q.bar_operator && c == '|'); }

// The two bounds shared by the tests of what precedes a word: two characters before it exist.
bool two_before(std::string_view text, Pos pos, Pos len) { return pos - len - 2 >= 0 && pos - len - 1 < length_of(text); }

// Where the argument scan stopped.
enum class Stop { none, comma, close };

// The first 'close' after i, or the length.
Pos next_of(std::string_view text, Pos i, char close) {
    std::size_t at = text.find(close, static_cast<std::size_t>(i) + 1);
    return at == std::string_view::npos ? length_of(text) : static_cast<Pos>(at);
}

}  // namespace

Pos quoted_run_end(std::string_view text, Pos i, const LiteralRules &rules) {
    const Pos n = length_of(text);
    if (i < 0 || i >= n) return i;
    switch (text[static_cast<std::size_t>(i)]) {
    case '\'':
        return next_of(text, i, '\'');
    case '"':
        return rules.double_quotes ? next_of(text, i, '"') : i;
    case '`':
        return rules.backticks ? next_of(text, i, '`') : i;
    case '[':
        break;
    default:
        return i;
    }
    if (rules.brackets == BracketRuns::none) return i;
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

// --- Character classes ---

bool is_operand_char(char c, const EdgeQuotes &q) { return letter_digit_or(c, operand_end, &q) || quote_char(c, q.operand_close); }

bool is_operand_start(char c, const EdgeQuotes &q) { return letter_digit_or(c, operand_begin, &q) || quote_char(c, q.operand_open); }

bool is_item_char(char c) { return letter_digit_or(c, item); }

bool is_item_char(char c, const EdgeQuotes &q) { return letter_digit_or(c, item, &q); }

// --- What precedes a word ---

bool preceded_by_operand(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, char clause) {
    if (!two_before(text, pos, len) || !blank_or_dot(at(text, pos - len - 1), dot)) return false;
    char second = at(text, pos - len - 2);
    return is_operand_char(second, q) || (second == '*' && clause == 's');
}

bool preceded_by_name(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q) {
    if (!two_before(text, pos, len) || at(text, pos - len - 1) != blank) return false;
    char second = at(text, pos - len - 2);
    return letter(second, q) || digit(second) || second == '_' || quote_char(second, q.name_close);
}

bool preceded_by_literal(std::string_view text, Pos pos, Pos len) {
    if (!two_before(text, pos, len) || at(text, pos - len - 1) != blank) return false;
    char second = at(text, pos - len - 2);
    return second == '\'' || digit(second);
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
    if (start >= 2 && at(text, start - 1) == blank && operator_char(at(text, start - 2), q)) return true;
    return start >= 1 && operator_char(at(text, start - 1), q);
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

bool followed_by_operator(std::string_view text, Pos pos, const EdgeQuotes &q) {
    if (pos < 0 || pos >= length_of(text)) return false;
    char first = at(text, pos);
    if (one_of(first, "=><*/-+!.(") || (q.bar_operator && first == '|')) return true;
    char second = at(text, pos + 1);
    return first == blank && (one_of(second, "=><!+-*(/") || (q.bar_operator && second == '|'));
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
    char before = at(text, start - 1);
    bool left = one_of(before, ",(") || (before == blank && one_of(at(text, start - 2), ",("));
    if (!left || pos < 0 || pos >= n) return false;
    char first = at(text, pos);
    if (one_of(first, ",)")) return true;
    if (first != blank) return false;
    if (one_of(at(text, pos + 1), ",)")) return true;
    return pos + 4 <= n && spells(text, pos + 1, "as") && at(text, pos + 3) == blank;
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

// text[i], before a blank, ends an operand.
bool ends_operand(std::string_view text, Pos i, const EdgeQuotes &q, char clause) {
    char c = at(text, i);
    // (a "^" closes a caret region, whose text is copied as it stands: an operand)
    if (is_operand_char(c, q) || c == '}' || c == '^') return true;
    return (c == '*' && clause == 's') || fox_literal_ends(text, i);
}

// c, right after a blank, starts an operand.
bool starts_operand(char c, const EdgeQuotes &q) { return is_operand_start(c, q) || one_of(c, "+{[`!@:^"); }

}  // namespace

bool operand_before(std::string_view text, Pos pos, Pos len, const EdgeQuotes &q, bool dot, char clause) {
    const Pos start = pos - len;
    if (start < 1 || start > length_of(text)) return false;
    char first = at(text, start - 1);
    if (blank_or_dot(first, dot)) return start >= 2 && ends_operand(text, start - 2, q, clause);
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
    Pos i = pos + 1;
    if (i >= n) return i;
    for (;;) {
        char c = text[static_cast<std::size_t>(i)];
        if (c == ')') return i;
        if (Pos end = run_end(text, i, rules); end != i) {
            i = end;
            if (i >= n) return n;
        } else if (c == '(') {
            int depth = 1;
            while (depth > 0) {
                if (++i >= n) return -1;
                c = text[static_cast<std::size_t>(i)];
                if (Pos close = run_end(text, i, rules); close != i) {
                    i = close;
                    if (i >= n) return -1;
                } else if (c == '(') {
                    ++depth;
                } else if (c == ')') {
                    --depth;
                }
            }
        }
        if (++i >= n) return n;
    }
}

Pos find_next_comma(std::string_view text, Pos pos, const LiteralRules &rules) {
    const Pos n = length_of(text);
    if (pos < 0) return -1;
    long depth = 0;
    for (Pos i = pos + 1; i < n; ++i) {
        char c = text[static_cast<std::size_t>(i)];
        if (Pos end = run_end(text, i, rules); end != i) {
            i = end;  // the loop steps past the closing quote
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (c == ',' && depth <= 0) {
            return i;
        }
    }
    return -1;
}

std::size_t find_at_level(std::string_view text, std::size_t from, std::string_view what, const LiteralRules &rules) {
    long depth = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        auto end = static_cast<std::size_t>(run_end(text, static_cast<Pos>(i), rules));
        if (end != i) {
            i = end;
            continue;
        }
        char c = text[i];
        if (c == '(') ++depth;
        else if (c == ')') --depth;
        else if (depth <= 0 && text.substr(i).starts_with(what)) return i;
    }
    return std::string_view::npos;
}

Buffer nth_argument(std::string_view text, Pos pos, int n, const LiteralRules &rules) {
    const Pos length = length_of(text);
    if (pos < 0 || pos >= length) return {};
    int counter = 1;
    long depth = 0;
    Pos start = pos;
    Pos i = pos;
    Stop stop = Stop::none;
    for (; i < length && stop == Stop::none; ++i) {
        char c = text[static_cast<std::size_t>(i)];
        if (Pos end = run_end(text, i, rules); end != i) {
            i = end;
            if (i >= length) return {};
        } else if (c == '(') {
            if (i == pos)
                start = pos + 1;
            else
                ++depth;
        } else if (c == ')') {
            if (depth > 0)
                --depth;
            else
                stop = Stop::close;
        } else if (c == ',' && depth == 0) {
            if (counter == n)
                stop = Stop::comma;
            else {
                ++counter;
                start = i + 1;
            }
        }
    }
    if (stop == Stop::none || (stop == Stop::close && counter != n)) return {};
    Pos end = i - 1;  // the comma or the closing parenthesis
    if (end <= start) return {};
    auto size = static_cast<std::size_t>(end - start);
    Buffer argument = Buffer::obtain(size + 1);
    std::memcpy(argument.data(), text.data() + start, size);
    argument.data()[size] = '\0';
    return argument;
}

}  // namespace tarnvel::lex
