#include "residue/text.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {

char upper_ascii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = upper_ascii(c);
    return out;
}

bool same_word(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper_ascii(x) == upper_ascii(y); });
}

bool listed(std::string_view list, std::string_view word) {
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        if (same_word(list.substr(0, comma), word)) return true;
        if (comma == npos) break;
        list.remove_prefix(comma + 1);
    }
    return false;
}

bool abbreviates(std::string_view word, std::string_view full, std::size_t shortest) {
    if (word.size() > full.size()) return false;
    if (word.size() < full.size() && word.size() < shortest) return false;
    return same_word(word, full.substr(0, word.size()));
}

std::size_t word_end(std::string_view text, std::size_t pos) {
    while (pos < text.size() && name_char(text[pos])) ++pos;
    return pos;
}

std::size_t word_start(std::string_view text, std::size_t pos) {
    while (pos > 0 && name_char(text[pos - 1])) --pos;
    return pos;
}

std::size_t skip_blanks(std::string_view text, std::size_t pos) {
    while (pos < text.size() && blank(text[pos])) ++pos;
    return pos;
}

std::size_t last_nonblank(std::string_view text, std::size_t pos) {
    while (pos > 0) {
        if (!blank(text[--pos])) return pos;
    }
    return npos;
}

std::size_t closing_paren(std::string_view text, std::size_t pos) {
    int depth = 0;
    for (std::size_t i = pos; i < text.size(); ++i) {
        if (text[i] == '(') ++depth;
        else if (text[i] == ')' && --depth == 0) return i;
    }
    return npos;
}

int argument_count(std::string_view text, std::size_t open) {
    std::size_t close = closing_paren(text, open);
    if (close == npos) close = text.size();
    if (skip_blanks(text, open + 1) >= close) return 0;
    int depth = 0;
    int count = 1;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (text[i] == '(') ++depth;
        else if (text[i] == ')') --depth;
        else if (text[i] == ',' && depth == 0) ++count;
    }
    return count;
}

bool expression_keyword(std::string_view word) {
    static constexpr std::array<std::string_view, 36> words = {
        "SELECT", "DISTINCT", "ALL", "TOP", "PERCENT", "FROM", "JOIN", "ON", "WHERE", "AND", "OR", "NOT",
        "BY", "HAVING", "AS", "IN", "LIKE", "BETWEEN", "IS", "UNION", "WHEN", "THEN", "ELSE", "CASE",
        "INTO", "TO", "WITH", "EXISTS", "ANY", "SOME", "ESCAPE", "DEFAULT", "CHECK", "LIMIT", "ORDER", "GROUP",
    };
    return std::any_of(words.begin(), words.end(), [&](std::string_view w) { return same_word(word, w); });
}

bool after_operand(std::string_view text, std::size_t pos) {
    const std::size_t last = last_nonblank(text, pos);
    if (last == npos) return false;
    const char c = text[last];
    if (c == ')' || c == '\'' || c == '"' || c == ']' || c == '`') return true;
    if (!name_char(c)) return false;
    const std::string_view word = text.substr(word_start(text, last + 1), last + 1 - word_start(text, last + 1));
    return !expression_keyword(word);
}

namespace {

// The end (one past the closing delimiter) of a quoted run opening at pos whose delimiter is
// doubled inside it; the text's end, and 'closed' false, when it is not closed. The server's rules,
// not lex's cursor: a doubled delimiter stays inside, and the target decides what a run is.
std::size_t quoted_end(std::string_view text, std::size_t pos, char close, bool &closed) {
    closed = true;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (text[i] != close) continue;
        if (i + 1 < text.size() && text[i + 1] == close) {
            ++i;
            continue;
        }
        return i + 1;
    }
    closed = false;
    return text.size();
}

// An Access date literal #...# at pos: digits, separators, blanks and AM/PM, with a digit in it.
std::size_t access_date_end(std::string_view text, std::size_t pos) {
    static constexpr std::string_view allowed = "0123456789/-:. APMapm";
    bool has_digit = false;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        if (text[i] == '#') return has_digit ? i + 1 : npos;
        if (allowed.find(text[i]) == npos) return npos;
        has_digit = has_digit || digit(text[i]);
    }
    return npos;
}

// Blanks what stands between the delimiters of the run [begin, end); all after the opening one
// when the run is not closed.
void blank_inside(std::string &text, std::size_t begin, std::size_t end, bool closed) {
    for (std::size_t i = begin + 1; i < (closed ? end - 1 : end); ++i) text[i] = ' ';
}

}  // namespace

TargetText read_target_text(Target target, std::string_view text) {
    TargetText out{text, std::string(text), std::string(text), {}, {}};
    const bool brackets_quote_names = target == Target::sqlserver || target == Target::access;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        std::size_t end = npos;
        bool closed = true;
        enum { literal, name, foreign } kind = literal;
        if (c == '\'') {
            end = quoted_end(text, i, '\'', closed);
        } else if (c == '"') {
            end = quoted_end(text, i, '"', closed);
            kind = target == Target::oracle || target == Target::pgsql ? name : target == Target::sqlserver ? foreign : literal;
        } else if (c == '[') {
            end = quoted_end(text, i, ']', closed);
            kind = brackets_quote_names ? name : foreign;
        } else if (c == '`' && target == Target::mysql) {
            end = quoted_end(text, i, '`', closed);
            kind = name;
        } else if (c == '#' && target == Target::access) {
            end = access_date_end(text, i);
            if (end != npos) {  // read as a literal from here on
                out.masked[i] = out.names[i] = '\'';
                out.masked[end - 1] = out.names[end - 1] = '\'';
            }
        }
        if (end == npos) {
            ++i;
            continue;
        }
        blank_inside(out.masked, i, end, closed);
        if (kind == name) {
            out.names[i] = ' ';
            if (closed) out.names[end - 1] = ' ';
        } else {
            blank_inside(out.names, i, end, closed);
            (kind == literal ? out.literals : out.foreign_quotes).push_back({i, end});
        }
        i = end;
    }
    return out;
}

}  // namespace tarnvel::residue
