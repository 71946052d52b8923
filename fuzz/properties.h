// What a call must do beyond not crashing, checked by the fuzz target and by the randomised test
// (tests/generator/meaning_test.cpp, on the statement generator's statements):
//   - nothing lost: every string literal of a SELECT comes out with its characters in the target's
//     quoting, and every word outside literals that is not a keyword or function name of the target
//     comes out too (words and literals of the FoxPro-only constructs listed in exemptions are let go);
//   - deterministic: the same request gives the same bytes on another thread and after any earlier
//     request;
//   - budgets: when the k-th obtain or growth fails, for every k up to the call's count, the call
//     ends with host error 182 or an "Insufficient memory for ..." message (or the error it raises
//     anyway), or succeeds with its usual answer; the handle table is balanced after each.
// Each check answers what went wrong, or an empty string.
#pragma once

#include "library/dialects.h"
#include "select/dialect.h"
#include "select/fox/map.h"

#include <tarnvel/host.hpp>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace tarnvel::fuzz {

// A call's outcome as bytes that compare: the result, or the error with its number.
inline std::string outcome(Host &host, std::string_view function, const std::vector<Arg> &args) {
    try {
        Result r = host.call(function, args);
        if (const auto *s = std::get_if<std::string>(&r)) return "text:" + *s;
        if (const auto *d = std::get_if<double>(&r)) return "number:" + std::to_string(*d);
        if (const auto *b = std::get_if<bool>(&r)) return *b ? "logical:.T." : "logical:.F.";
        return "none";
    } catch (const Error &e) {
        return "error " + (e.number() ? std::to_string(*e.number()) : std::string("-")) + ": " + e.message();
    }
}

// ---------------------------------------------------------------------------------------------
// Nothing lost.

// How a target writes a FoxPro string literal given with each delimiter (under FoxPro syntax).
struct Quoting {
    char open, close;
    bool doubles_apostrophes;  // a ' inside becomes ''
};

struct Target {
    std::string_view function;
    const select::Dialect &(*dialect)();
    Quoting apostrophes, double_quotes, brackets;
};

inline constexpr Quoting apostrophe_string{'\'', '\'', false}, converted_string{'\'', '\'', true};

// Every dialect's SELECT converter; each writes '...' as it is and "..." and [...] as '...'.
inline const std::array<Target, dialect_count> targets = [] {
    std::array<Target, dialect_count> out{};
    for (const DialectRow &row : dialects())
        out[static_cast<std::size_t>(row.id)] = {row.select_function, library::tables(row.id).select, apostrophe_string,
                                                 converted_string, converted_string};
    return out;
}();

inline const Target *target_of(std::string_view function) {
    for (const Target &t : targets) {
        if (t.function == function) return &t;
    }
    return nullptr;
}

inline bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
inline bool word_start(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
inline bool word_char(char c) { return word_start(c) || (c >= '0' && c <= '9'); }

// The word that ends at 'at' is a keyword after which "[" opens a string (SELECT[x], AND[y]).
inline bool keyword_before(std::string_view sql, std::size_t at) {
    std::size_t from = at;
    while (from > 0 && word_char(sql[from - 1])) --from;
    std::string word(sql.substr(from, at - from));
    for (char &ch : word) ch = (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
    for (std::string_view k : {"SELECT", "SELEC", "SELE", "AND", "OR", "NOT", "WHERE", "WHER", "IN", "LIKE", "WHEN",
                               "THEN", "ELSE", "AS", "ON", "HAVING", "HAVI", "ORDER", "ORDE", "GROUP", "GROU", "BY",
                               "FROM", "FRO"}) {
        if (word == k) return true;
    }
    return false;
}
// The end of the word that starts at text[i]: a "]" outside a bracketed run belongs to it.
inline std::size_t word_end(std::string_view text, std::size_t i) {
    while (i < text.size() && (word_char(text[i]) || text[i] == ']')) ++i;
    return i;
}
inline std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
    return out;
}

// A literal or a word of a statement: where its text (a literal's without delimiters) lies.
struct Piece {
    char delimiter;  // ' " [ for a literal, 0 for a word
    std::size_t begin, end;
};

// Reads a FoxPro SELECT as the converters do under FoxPro syntax. nullopt for what the reading
// leaves to the converters alone: markers (^ ~ ` ? &), control characters, bytes above 127 (letters
// in some locales), an unclosed literal or subscript, a "[" inside [...] or a "]]", quotes inside {...},
// parentheses that do not pair.
inline std::optional<std::vector<Piece>> read_select(std::string_view sql) {
    for (char c : sql) {  // (a NUL ends a command: what follows is not read)
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80 || (u < 0x20 && c != '\t' && c != '\r' && c != '\n')) return std::nullopt;
        if (c == '^' || c == '~' || c == '`' || c == '?' || c == '&') return std::nullopt;
    }
    std::vector<Piece> pieces;
    int depth = 0;
    for (std::size_t i = 0; i < sql.size();) {
        const char c = sql[i];
        if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
            if (depth < 0) return std::nullopt;
            ++i;
        } else if (c == '[' && i > 0 && word_char(sql[i - 1]) && !keyword_before(sql, i)) {
            // name[i]: an element of an array, its subscript read as code; one never closed runs to
            // the end, all of it kept for the host to read
            if (sql.find(']', i) == std::string_view::npos) return std::nullopt;
            ++i;
        } else if (c == '\'' || c == '"' || c == '[') {
            const char close = c == '[' ? ']' : c;
            std::size_t end = sql.find(close, i + 1);
            if (end == std::string_view::npos) return std::nullopt;
            if (c == '[' && (sql.substr(i + 1, end - i - 1).find('[') != std::string_view::npos ||
                             (end + 1 < sql.size() && sql[end + 1] == ']'))) {
                return std::nullopt;
            }
            pieces.push_back({c, i + 1, end});
            i = end + 1;
        } else if (c == '{') {
            std::size_t end = sql.find('}', i + 1);
            if (end == std::string_view::npos) return std::nullopt;
            if (sql.substr(i, end - i).find_first_of("'\"[") != std::string_view::npos) return std::nullopt;
            i = end + 1;
        } else if (word_start(c)) {
            std::size_t end = word_end(sql, i);
            pieces.push_back({0, i, end});
            i = end;
        } else {
            ++i;
        }
    }
    if (depth != 0) return std::nullopt;
    return pieces;
}

// FoxPro-only constructs that the converters may write in the target's own way, so that a word or
// literal in them need not come out: the piece at sql[begin, end) is let go when a row applies.
struct Exemption {
    std::string_view construct;
    bool (*applies)(std::string_view sql, std::size_t begin, std::size_t end);
};

namespace exempt {
// Whether a "(" that encloses sql[begin] follows one of the names (",NAME,"; a shortened function
// name counts as its full name). The text is read from its start, so that a parenthesis inside a
// literal closes nothing.
template <class Named>
inline bool inside_parens_where(std::string_view sql, std::size_t begin, Named named) {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < begin; ++i) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || (c == '[' && (i == 0 || !word_char(sql[i - 1])))) {
            const std::size_t close = sql.find(c == '[' ? ']' : c, i + 1);
            if (close == std::string_view::npos || close >= begin) break;  // begin lies inside it
            i = close;
        } else if (c == '(') {
            open.push_back(i);
        } else if (c == ')' && !open.empty()) {
            open.pop_back();
        }
    }
    for (std::size_t e : open) {
        while (e > 0 && blank(sql[e - 1])) --e;
        std::size_t s = e;
        while (s > 0 && word_char(sql[s - 1])) --s;
        const std::string word = upper(sql.substr(s, e - s));
        const std::string_view full = select::fox::full_function_name(word);  // TRAN( is TRANSFORM(
        if (named(full.empty() ? word : std::string(full))) return true;
    }
    return false;
}
inline bool inside_parens_after(std::string_view sql, std::size_t begin, std::string_view names) {
    return inside_parens_where(sql, begin, [names](const std::string &name) {
        return names.find("," + name + ",") != std::string_view::npos;
    });
}
// A literal of a call the application works out (GETENV("USER")), handed to it as the host
// expression ?(...) and so kept in FoxPro's own quoting.
inline bool host_expression_literal(std::string_view sql, const Piece &p, std::string_view output) {
    return p.delimiter && output.find(sql.substr(p.begin - 1, p.end - p.begin + 2)) != std::string_view::npos &&
           inside_parens_where(sql, p.begin, [](const std::string &name) { return select::fox::host_function(name) != nullptr; });
}
inline bool dotted(std::string_view sql, std::size_t begin, std::size_t end) {
    return begin > 0 && sql[begin - 1] == '.' &&
           (begin < 2 || !word_char(sql[begin - 2]) || keyword_before(sql, begin - 1)) && end < sql.size() &&
           sql[end] == '.';  // (after a keyword too: SELECT.T., OR.F.)
}
inline bool deleted_argument(std::string_view sql, std::size_t begin, std::size_t) {
    return inside_parens_after(sql, begin, ",DELETED,DELETE,DELET,DELE,");
}
inline bool table_hint(std::string_view sql, std::size_t begin, std::size_t) {
    return inside_parens_after(sql, begin, ",WITH,");
}
// The words before 'begin' back to the previous keyword-like word, upper-cased, nearest first.
inline std::vector<std::string> words_before(std::string_view sql, std::size_t begin, std::size_t count) {
    std::vector<std::string> words;
    std::size_t i = begin;
    while (words.size() < count) {
        while (i > 0 && !word_char(sql[i - 1])) {
            if (!blank(sql[i - 1])) return words;
            --i;
        }
        std::size_t end = i;
        while (i > 0 && word_char(sql[i - 1])) --i;
        if (i == end) return words;
        words.push_back(upper(sql.substr(i, end - i)));
    }
    return words;
}
// Whether the piece lies where no clause takes text: in a member (of the statement, of a UNION, of
// a subquery) before its SELECT, or inside a subquery of such text.
inline bool before_select(std::string_view sql, std::size_t begin, std::size_t) {
    std::vector<bool> open{false};  // per parenthesis level: text there goes into a clause
    for (std::size_t i = 0; i < begin;) {
        const char c = sql[i];
        if (c == '\'' || c == '"' || c == '[') {
            std::size_t close = sql.find(c == '[' ? ']' : c, i + 1);
            i = close == std::string_view::npos ? begin : close + 1;
        } else if (c == '(') {
            open.push_back(open.back());
            ++i;
        } else if (c == ')') {
            if (open.size() > 1) open.pop_back();
            ++i;
        } else if (word_start(c) && (i == 0 || !word_char(sql[i - 1]))) {
            const std::size_t end = word_end(sql, i);
            const std::string word = upper(sql.substr(i, end - i));
            const bool outer = open.size() < 2 || open[open.size() - 2];
            if (word == "SELECT" || word == "SELEC" || word == "SELE") open.back() = outer;
            if (word == "UNION" || word == "UNIO") open.back() = false;
            i = end;
        } else {
            ++i;
        }
    }
    return !open.back();
}
// The arguments of a FoxPro function the FoxPro-syntax pass rebuilds from their meaning: a date
// written out (CTOD), a picture (TRANSFORM), a pattern with FoxPro's wildcards (LIKE), a FoxPro type
// (CAST), the parse strings of a trim (joined into one set or pattern), the delimiters of
// GETWORDNUM and GETWORDCOUNT (a character class of a pattern).
inline bool rebuilt_argument(std::string_view sql, std::size_t begin, std::size_t) {
    static const std::string names = [] {
        std::string list = ",";
        for (const select::fox::Construct &row : select::fox::constructs()) {
            using select::fox::Form;
            if (row.kind != select::fox::Kind::function ||
                (row.form != Form::ctod && row.form != Form::ctot && row.form != Form::transform &&
                 row.form != Form::like && row.form != Form::cast && row.form != Form::chrtran &&
                 row.form != Form::trim && row.form != Form::delimiters))
                continue;
            list += std::string(row.words) + ",";
        }
        return list + "LIKEC,";  // LIKEC reads as LIKE
    }();
    return inside_parens_after(sql, begin, names);
}
// A literal in the table list where a table stands (after FROM, JOIN or a comma there, or in
// parentheses, or added to a name there: m.cPath + 'orders'): it names a file, written as the table's name.
inline bool table_file(std::string_view sql, std::size_t begin, std::size_t) {
    std::size_t i = begin - 1;  // the literal's opening delimiter
    while (i > 0 && (sql[i - 1] == ' ' || sql[i - 1] == '\t' || sql[i - 1] == '(')) --i;
    if (i > 0 && sql[i - 1] == '+') {  // the folder before it
        for (--i; i > 0 && (sql[i - 1] == ' ' || sql[i - 1] == '\t');) --i;
        while (i > 0 && (word_char(sql[i - 1]) || sql[i - 1] == '.')) --i;
        while (i > 0 && (sql[i - 1] == ' ' || sql[i - 1] == '\t' || sql[i - 1] == '(')) --i;
    }
    if (i > 0 && sql[i - 1] != ',' && !word_char(sql[i - 1])) return false;
    static const std::string_view opens = ",FROM,FRO,JOIN,";
    static const std::string_view stops =
        ",SELECT,SELEC,SELE,WHERE,WHER,GROUP,GROU,ORDER,ORDE,HAVING,HAVIN,HAVI,UNION,UNIO,INTO,";
    for (std::size_t at = i; at > 0;) {
        while (at > 0 && !word_char(sql[at - 1])) --at;
        std::size_t end = at;
        while (at > 0 && word_char(sql[at - 1])) --at;
        const std::string word = "," + upper(sql.substr(at, end - at)) + ",";
        if (opens.find(word) != std::string_view::npos) return true;
        if (stops.find(word) != std::string_view::npos) return false;
    }
    return false;
}
inline bool database_name(std::string_view sql, std::size_t, std::size_t end) {  // db!table
    return end + 1 < sql.size() && sql[end] == '!' && word_start(sql[end + 1]);
}
inline bool file_path(std::string_view sql, std::size_t begin, std::size_t end) {  // d:\data\orders.dbf
    auto boundary = [](char c) { return c == ' ' || c == '\t' || c == ',' || c == '(' || c == ')' || c == '\n' || c == '\r'; };
    std::size_t from = begin, to = end;
    while (from > 0 && !boundary(sql[from - 1])) --from;
    while (to < sql.size() && !boundary(sql[to])) ++to;
    return sql.substr(from, to - from).find_first_of(":\\") != std::string_view::npos;
}
inline bool destination(std::string_view sql, std::size_t begin, std::size_t) {
    std::vector<std::string> before = words_before(sql, begin, 2);
    if (before.size() < 2) return false;
    static const std::string_view kinds = ",CURSOR,CURSO,CURS,TABLE,TABL,DBF,ARRAY,ARRA,";
    return before[1] == "INTO" && kinds.find("," + before[0] + ",") != std::string_view::npos;
}
// FULL of FULL [OUTER] JOIN, which a target without it writes as a LEFT and a RIGHT join.
inline bool full_join(std::string_view sql, std::size_t begin, std::size_t end) {
    if (upper(sql.substr(begin, end - begin)) != "FULL") return false;
    while (end < sql.size() && blank(sql[end])) ++end;
    const std::string next = upper(sql.substr(end, word_end(sql, end) - end));
    return next == "JOIN" || next == "OUTER" || next == "OUTE";
}
// PERCENT of TOP n PERCENT, which a target writes as its own limit (or none for every row).
inline bool top_percent(std::string_view sql, std::size_t begin, std::size_t end) {
    const std::vector<std::string> before = words_before(sql, begin, 2);
    return upper(sql.substr(begin, end - begin)) == "PERCENT" && before.size() == 2 && before[1] == "TOP";
}
// A string right after the word AS: the name of a select item, which a target without string
// aliases (PostgreSQL) writes in its name quotes.
inline bool alias_string(std::string_view sql, std::size_t begin, std::size_t) {
    if (begin < 2) return false;
    std::size_t i = begin - 1;  // the literal's opening delimiter
    while (i > 0 && (sql[i - 1] == ' ' || sql[i - 1] == '\t')) --i;
    if (i < 3) return false;
    const char s = sql[i - 1], a = sql[i - 2], b = sql[i - 3];
    return (s == 's' || s == 'S') && (a == 'a' || a == 'A') && (b == ' ' || b == '\t' || b == ')');  // SUM(x)AS 'n'
}
// The empty text after =, <>, # or != (blanks and line ends between), or among INLIST's values: where
// the empty text is NULL (Oracle) the comparison is the test of blank text, with no literal.
inline bool compared_empty_text(std::string_view sql, std::size_t begin, std::size_t end) {
    if (begin != end || begin < 2) return false;
    std::size_t i = begin - 1;  // the literal's opening delimiter
    while (i > 0 && blank(sql[i - 1])) --i;
    return (i > 0 && (sql[i - 1] == '=' || sql[i - 1] == '>' || sql[i - 1] == '#')) ||
           (i > 0 && sql[i - 1] == ',' && inside_parens_after(sql, begin, ",INLIST,"));
}
// The pattern right after the LIKE operator (blanks between or none, LIKE'a%'), in which a target
// whose LIKE has more wildcards than FoxPro's escapes them (SQL Server's [ as [[]).
inline bool like_pattern(std::string_view sql, std::size_t begin, std::size_t) {
    if (begin < 5) return false;
    std::size_t i = begin - 1;  // the literal's opening delimiter
    while (i > 0 && blank(sql[i - 1])) --i;
    return i >= 4 && upper(sql.substr(i - 4, 4)) == "LIKE" && (i == 4 || !word_char(sql[i - 5]));
}
// The digits of a number or binary literal written in hexadecimal (0x1F, 0h0A0B), which a target
// writes in decimal or in its own binary form.
inline bool hex_literal(std::string_view sql, std::size_t begin, std::size_t end) {
    if (begin < 1 || sql[begin - 1] != '0' || (begin >= 2 && (word_char(sql[begin - 2]) || sql[begin - 2] == '.')))
        return false;
    const char prefix = static_cast<char>(sql[begin] | 0x20);
    if ((prefix != 'x' && prefix != 'h') || (prefix == 'x' && end - begin < 2)) return false;  // 0h: no bytes
    return std::all_of(sql.begin() + static_cast<std::ptrdiff_t>(begin + 1), sql.begin() + static_cast<std::ptrdiff_t>(end),
                       [](char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); });
}
// The name of an aggregate called inside a subquery ((SELECT SUM(o.total) FROM item i ...)): where its
// argument reads only the enclosing query's columns, a target that would make it the enclosing
// query's aggregate gets the subquery's own COUNT(*) in its place (CASE WHEN COUNT(*) > 0 ...).
inline bool subquery_aggregate(std::string_view sql, std::size_t begin, std::size_t end) {
    const std::string word = upper(sql.substr(begin, end - begin));
    if (word != "SUM" && word != "MAX" && word != "MIN" && word != "AVG" && word != "COUNT") return false;
    std::size_t open = end;
    while (open < sql.size() && blank(sql[open])) ++open;
    if (open >= sql.size() || sql[open] != '(') return false;
    int depth = 0;
    for (std::size_t i = begin; i-- > 0;) {  // the nearest "(" left open before the word
        if (sql[i] == ')') ++depth;
        else if (sql[i] == '(' && depth-- == 0) {
            std::size_t at = i + 1;
            while (at < sql.size() && blank(sql[at])) ++at;
            return upper(sql.substr(at, 4)) == "SELE";
        }
    }
    return false;
}
// Whether the empty date, as {}, {//}, {/:} or CTOD('') / CTOT('') of blanks, stands before 'at' in the
// text from 'from', outside the parentheses there, followed by + or - (blanks between), with no comma
// after it there (NVL({} + 1, x): x is another argument).
inline bool empty_date_then_sign(std::string_view sql, std::size_t from, std::size_t at) {
    int depth = 0;
    bool found = false;
    for (std::size_t i = from; i < at; ++i) {
        if (depth == 0 && sql[i] == ',') found = false;
        std::size_t end = std::string_view::npos;
        if (sql[i] == ')') --depth;
        if (depth > 0 || sql[i] == ')') {
            depth += sql[i] == '(';
            continue;
        }
        if (sql[i] == '(') ++depth;
        if (sql[i] == '{') {
            const std::size_t close = sql.find('}', i);
            if (close < at && sql.substr(i + 1, close - i - 1).find_first_not_of(" /:") == std::string_view::npos) end = close + 1;
        } else if (const std::string call = upper(sql.substr(i, 5));
                   i + 5 < at && (call == "CTOD(" || call == "CTOT(" || call == "DTOT(" || call == "TTOD(") &&
                   (i == 0 || !word_char(sql[i - 1]))) {
            std::size_t close = i + 5;
            for (int open = 1; close < at && (open += (sql[close] == '(') - (sql[close] == ')')) > 0;) ++close;
            std::string_view inside = close < at ? sql.substr(i + 5, close - i - 5) : std::string_view{};
            while (!inside.empty() && blank(inside.front())) inside.remove_prefix(1);
            while (!inside.empty() && blank(inside.back())) inside.remove_suffix(1);
            const bool blanks = inside.size() >= 2 && inside.substr(1, inside.size() - 2).find_first_not_of(" /.-:") == std::string_view::npos;
            const bool empty = inside.size() >= 2 && inside.front() == '{' && inside.back() == '}' &&
                               inside.substr(1, inside.size() - 2).find_first_not_of(" /:") == std::string_view::npos;
            if (blanks || empty || upper(inside).starts_with("SPAC")) end = close + 1;
        }
        if (end == std::string_view::npos) continue;
        while (end < at && blank(sql[end])) ++end;
        if (end < at && (sql[end] == '+' || sql[end] == '-')) found = true;
    }
    return found;
}
// A term added to or taken off the empty date ({} + n, CTOD('') - m.nDays + LEN(s)): the empty date
// plus or minus a number stays the empty date, written alone.
inline bool empty_date_term(std::string_view sql, std::size_t begin, std::size_t) {
    int depth = 0;
    for (std::size_t from = begin; from > 0; --from) {  // out through the groups and calls around the piece
        const char c = sql[from - 1];
        if (c == ')') ++depth;
        else if (c == '(' && depth > 0) --depth;
        else if (c == '(' && empty_date_then_sign(sql, from, begin)) return true;
    }
    return empty_date_then_sign(sql, 0, begin);
}
}  // namespace exempt

inline const Exemption exemptions[] = {
    {"a term added to or taken off the empty date, which stays the empty date", exempt::empty_date_term},
    {"a string alias after AS, written as a quoted name where the target has no string aliases", exempt::alias_string},
    {"text of a statement or UNION member before its SELECT, which no clause takes", exempt::before_select},
    {"the argument of DELETED(), which becomes (1=1)", exempt::deleted_argument},
    {"a FoxPro constant or operator between dots (.T. .NULL. .AND.)", exempt::dotted},
    {"a table hint WITH (...)", exempt::table_hint},
    {"an argument of CTOD, CTOT, TRANSFORM, LIKE, CAST, CHRTRAN, a trim or the delimiters of GETWORDNUM or "
     "GETWORDCOUNT, written out as the target reads it",
     exempt::rebuilt_argument},
    {"the destination of INTO CURSOR, TABLE, DBF or ARRAY", exempt::destination},
    {"a literal naming the file of a table in the table list", exempt::table_file},
    {"the database before ! in database!table", exempt::database_name},
    {"a file path standing for a table (d:\\data\\orders.dbf)", exempt::file_path},
    {"the empty text compared, where the target tests blank text instead", exempt::compared_empty_text},
    {"FULL of a FULL JOIN, written as a LEFT and a RIGHT join where the target has none", exempt::full_join},
    {"PERCENT of TOP n PERCENT, written as the target's own limit", exempt::top_percent},
    {"the pattern after LIKE, its characters that are wildcards of the target escaped", exempt::like_pattern},
    {"the digits of a hexadecimal number or binary literal (0x1F, 0h0A0B), written as the target reads it",
     exempt::hex_literal},
    {"an aggregate of a subquery reading only the enclosing query's columns, written with the subquery's COUNT(*)",
     exempt::subquery_aggregate},
};

// Faults of the converters that are known and not mended yet: a piece they apply to is not checked
// (and for a statement-wide fault, nothing of the statement). Each row goes when its fault is mended.
struct KnownFault {
    std::string_view fault;
    bool whole_statement;
    bool (*applies)(const Target &target, std::string_view sql, const Piece &piece);
};

namespace known {
inline bool code_characters_in_literal(const Target &, std::string_view sql, const Piece &p) {
    return (p.delimiter == '"' || p.delimiter == '[') &&
           sql.substr(p.begin, p.end - p.begin).find_first_of("(),'\"") != std::string_view::npos;
}
inline bool mysql_str_argument(const Target &target, std::string_view sql, const Piece &p) {
    return target.function == "ZQ_MYSQL_SELECT_CONVERT" && p.delimiter && p.delimiter != '\'' &&
           exempt::inside_parens_after(sql, p.begin, ",STR,");
}
// Whether a SELECT, SELEC or SELE of the statement runs into a "~" reference (SELECT~x): the
// clause converter reads SELECT~X as one word and drops the field list.
inline bool glued_select(const Target &, std::string_view sql, const Piece &p) {
    if (p.delimiter) return false;
    const std::string word = upper(sql.substr(p.begin, p.end - p.begin));
    if (word != "SELECT" && word != "SELEC" && word != "SELE") return false;
    return p.end < sql.size() && sql[p.end] == '~';
}
}  // namespace known

inline const KnownFault known_faults[] = {
    {"a ( ) , or quote inside a \"...\" or [...] literal is read as code by the searches for a call's commas "
     "and closing parenthesis and by the GROUP BY pass's field-list items",
     true, known::code_characters_in_literal},
    {"a SELECT keyword run into a ~ reference (SELECT~x) is not read as SELECT, and its field list is dropped",
     true, known::glued_select},
    {"MySQL STR() is rebuilt whole, and a \"...\" or [...] literal in its arguments stays unconverted", false,
     known::mysql_str_argument},
};

// A word of the target's lexicon, a keyword (abbreviations included) or a function name, a FoxPro
// function that the FoxPro-syntax pass writes in the target's own way or a shortened function name
// it writes in full (UPPE), or a word the statement driver reads itself.
inline bool keyword_or_function(const Target &target, std::string_view word) {
    const std::string w = upper(word);
    return target.dialect().lexicon.find(w) != nullptr || select::fox::function_named(w) != nullptr ||
           !select::fox::full_function_name(w).empty() || w == "UNION" || w == "UNIO";
}

inline std::string quoted(const Quoting &q, std::string_view text) {
    std::string out(1, q.open);
    for (char c : text) {
        out += c;
        if (c == '\'' && q.doubles_apostrophes) out += '\'';
    }
    out += q.close;
    return out;
}

inline bool has_word(std::string_view text, std::string_view word) {
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        bool before = at == 0 || !word_start(text[at - 1]);  // a digit may run into it, as in 1ROD
        bool after = at + word.size() >= text.size() || !word_char(text[at + word.size()]);
        if (before && after) return true;
    }
    return false;
}

// A word with a "]" in it (Textmns]1) whose parts come out in order with something between them:
// a reference that ends at the "]" may be enclosed, ?(frm.Textmns)]1.
inline bool has_parts(std::string_view output_upper, std::string_view word) {
    if (word.find(']') == std::string_view::npos) return false;
    const std::string w = upper(word);
    std::size_t at = 0;
    for (std::size_t from = 0; from <= w.size();) {
        std::size_t end = std::min(w.find(']', from), w.size());
        at = output_upper.find(std::string_view(w).substr(from, end - from), at);
        if (at == std::string_view::npos) return false;
        at += end - from;
        from = end + 1;
    }
    return true;
}

// What of 'sql' is missing from 'output', converted under FoxPro syntax by 'target'.
inline std::string lost(const Target &target, std::string_view sql, std::string_view output) {
    std::optional<std::vector<Piece>> pieces = read_select(sql);
    if (!pieces) return {};
    auto known_fault = [&](const Piece &p, bool whole_statement) {
        for (const KnownFault &k : known_faults) {
            if (k.whole_statement == whole_statement && k.applies(target, sql, p)) return true;
        }
        return false;
    };
    for (const Piece &p : *pieces) {
        if (known_fault(p, true)) return {};
    }
    const std::string output_upper = upper(output);
    for (const Piece &p : *pieces) {
        if (known_fault(p, false)) continue;
        bool exempted = false;
        for (const Exemption &e : exemptions) exempted = exempted || e.applies(sql, p.begin, p.end);
        if (exempted) continue;
        std::string_view text = sql.substr(p.begin, p.end - p.begin);
        if (p.delimiter) {
            const Quoting &q = p.delimiter == '\'' ? target.apostrophes : p.delimiter == '"' ? target.double_quotes : target.brackets;
            std::string form = quoted(q, text);
            if (output.find(form) == std::string_view::npos && !exempt::host_expression_literal(sql, p, output)) return "the literal " + form + " is lost";
            continue;
        }
        if (!keyword_or_function(target, text) && !has_word(output_upper, upper(text)) && !has_parts(output_upper, text))
            return "the word " + std::string(text) + " is lost";
    }
    return {};
}

// ---------------------------------------------------------------------------------------------
// Budgets.

inline bool memory_message(std::string_view message) { return message.starts_with("Insufficient memory for"); }

// Calls under every count of obtains and growths from 0 up to the one the call needs (the first
// that gives the unlimited answer).
inline std::string within_budgets(Host &host, std::string_view function, const std::vector<Arg> &args,
                                  const std::string &unlimited) {
    std::string wrong;
    for (std::size_t k = 0; k < 100000; ++k) {
        host.set_budget(std::nullopt, k);
        const std::string got = outcome(host, function, args);
        const std::size_t held = host.handles_in_use();
        if (held != 0) {
            wrong = std::to_string(held) + " handles in use when obtain " + std::to_string(k) + " failed";
        } else if (got == unlimited) {
            break;
        } else if (!got.starts_with("error 182: ") && !(got.starts_with("error -: ") && memory_message(got.substr(9)))) {
            wrong = "obtain " + std::to_string(k) + " failing gives " + got + " instead of " + unlimited;
        }
        if (!wrong.empty()) break;
    }
    host.set_budget(std::nullopt);
    return wrong;
}

// ---------------------------------------------------------------------------------------------
// Determinism.

// A thread of its own with a host of its own, on which requests run one at a time.
class OtherThread {
public:
    explicit OtherThread(std::function<void(Host &)> setup) : thread_([this, setup] { run(setup); }) {}
    ~OtherThread() {
        {
            std::lock_guard<std::mutex> guard(lock_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    OtherThread(const OtherThread &) = delete;
    OtherThread &operator=(const OtherThread &) = delete;

    // Runs 'job' there and waits for it.
    std::string call(std::function<std::string(Host &)> job) {
        std::unique_lock<std::mutex> guard(lock_);
        job_ = std::move(job);
        done_ = false;
        wake_.notify_all();
        wake_.wait(guard, [this] { return done_; });
        return answer_;
    }

private:
    void run(const std::function<void(Host &)> &setup) {
        Host host;
        setup(host);
        std::unique_lock<std::mutex> guard(lock_);
        for (;;) {
            wake_.wait(guard, [this] { return stop_ || job_; });
            if (stop_) return;
            answer_ = job_(host);
            job_ = nullptr;
            done_ = true;
            wake_.notify_all();
        }
    }

    std::mutex lock_;
    std::condition_variable wake_;
    std::function<std::string(Host &)> job_;
    std::string answer_;
    bool done_ = false, stop_ = false;
    std::thread thread_;
};

// The answer with the clause in which the last SELECT conversion ended set first (reserved-word
// quoting reads it; it belongs to the whole library).
inline std::string settled_outcome(Host &host, std::string_view function, const std::vector<Arg> &args) {
    host.call("ZQ_SQL_SELECT_CONVERT", {std::string("SELECT a FROM t")});
    return outcome(host, function, args);
}

// The same answer after 'earlier' ran and on the other thread.
inline std::string deterministic(Host &host, OtherThread &other, std::string_view function, const std::vector<Arg> &args,
                                 const std::string &answer, const std::function<void(Host &)> &earlier) {
    earlier(host);
    std::string again = settled_outcome(host, function, args);
    if (again != answer) return "after an earlier request: " + again + " instead of " + answer;
    std::string there = other.call([&](Host &h) { return settled_outcome(h, function, args); });
    if (there != answer) return "on another thread: " + there + " instead of " + answer;
    return {};
}

}  // namespace tarnvel::fuzz
