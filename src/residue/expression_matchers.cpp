// The matchers of FoxPro operators, literals, names and functions. Each reads the converted text
// with its literals blanked (Check::text.masked), so nothing inside a literal or a quoted name is
// seen.
#include "residue/check.h"
#include "residue/destinations.h"
#include "residue/function_rows.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace tarnvel::residue {
namespace {

// Calls f(begin, end) for every word that starts with a letter (not a number, not the tail of
// another word).
void each_word(const std::string &m, const std::function<void(std::size_t, std::size_t)> &f) {
    std::size_t i = 0;
    while (i < m.size()) {
        if (!name_char(m[i])) {
            ++i;
            continue;
        }
        const std::size_t end = word_end(m, i);
        if (name_start(m[i])) f(i, end);
        i = end;
    }
}

void each_char(const std::string &m, char c, const std::function<void(std::size_t)> &f) {
    for (std::size_t pos = m.find(c); pos != npos; pos = m.find(c, pos + 1)) f(pos);
}

// The end of a dotted chain of names whose first dot is at pos (m.name, thisform.txt.value).
std::size_t chain_end(const std::string &m, std::size_t pos) {
    while (pos + 1 < m.size() && m[pos] == '.' && name_start(m[pos + 1])) pos = word_end(m, pos + 1);
    return pos;
}

// A name written right after one of these belongs to something else: a qualified name, a host
// parameter, a variable reference of the library, a server variable.
bool attached(const std::string &m, std::size_t begin) {
    return begin > 0 && std::string_view(".?~@:").find(m[begin - 1]) != npos;
}

bool previous_word_is(const std::string &m, std::size_t pos, std::string_view word) {
    const std::size_t last = last_nonblank(m, pos);
    if (last == npos || !name_char(m[last])) return false;
    const std::size_t start = word_start(m, last + 1);
    return same_word(std::string_view(m).substr(start, last + 1 - start), word);
}

// Calls f(begin, end, open) for every name followed by "(" that is called as a function: not a
// qualified name, a parameter or a type after AS.
void each_call(const std::string &m, const std::function<void(std::size_t, std::size_t, std::size_t)> &f) {
    each_word(m, [&](std::size_t begin, std::size_t end) {
        const std::size_t open = skip_blanks(m, end);
        if (open < m.size() && m[open] == '(' && !attached(m, begin) && !previous_word_is(m, begin, "AS"))
            f(begin, end, open);
    });
}

// "!" between two names with no blank: database!table (not AND!x, where ! is NOT).
bool joins_names(const std::string &m, std::size_t pos) {
    if (pos == 0 || pos + 1 >= m.size() || !name_char(m[pos - 1]) || !name_start(m[pos + 1])) return false;
    const std::size_t start = word_start(m, pos);
    return !expression_keyword(std::string_view(m).substr(start, pos - start));
}

// Reports every 'ch' outside literals that 'excused' does not explain, adding 'mysql_note' for MySQL.
void each_operator(Check &c, const ConstructRow &row, char ch, const std::function<bool(std::size_t)> &excused,
                   std::string_view mysql_note) {
    each_char(c.text.masked, ch, [&](std::size_t pos) {
        if (excused(pos)) return;
        std::string message = c.say(row, std::string(1, ch));
        if (c.target == Target::mysql) message.append(mysql_note);
        c.report(row, pos, pos + 1, std::move(message));
    });
}

bool inside(const std::vector<Span> &spans, std::size_t pos) {
    for (const Span &span : spans) {
        if (pos >= span.begin && pos < span.end) return true;
    }
    return false;
}

// The parenthesis at 'open' names a table by an expression unless it holds a subquery or a join.
bool names_by_expression(std::string_view m, std::size_t open, std::size_t end) {
    std::size_t first = open + 1;
    while (first < end && (blank(m[first]) || m[first] == '(')) ++first;
    if (abbreviates(m.substr(first, word_end(m, first) - first), "SELECT")) return false;
    bool join = false;
    for (std::size_t i = open + 1; i < end && !join; i = std::max(i + 1, word_end(m, i)))
        join = name_start(m[i]) && !name_char(m[i - 1]) && same_word(m.substr(i, word_end(m, i) - i), "JOIN");
    return !join;
}

// From pos, the position after the next comma of a FROM list at this level; npos when a clause, a
// join or the end of the level comes first.
std::size_t next_table(std::string_view m, std::size_t pos) {
    int depth = 0;
    for (std::size_t i = pos; i < m.size(); ++i) {
        if (m[i] == '(') ++depth;
        else if (m[i] == ')' && --depth < 0) return npos;
        else if (depth == 0 && m[i] == ',') return i + 1;
        else if (depth == 0 && name_start(m[i]) && (i == 0 || !name_char(m[i - 1]))) {
            const std::size_t end = word_end(m, i);
            if (listed("WHERE,GROUP,ORDER,HAVING,UNION,JOIN,INNER,LEFT,RIGHT,FULL,CROSS,ON,INTO,WITH,LIMIT",
                       m.substr(i, end - i)))
                return npos;
            i = end - 1;
        }
    }
    return npos;
}

}  // namespace

std::vector<Span> parameter_expressions(std::string_view m) {
    std::vector<Span> spans;
    for (std::size_t pos = m.find_first_of("?~"); pos != npos; pos = m.find_first_of("?~", pos + 1)) {
        // ?(x), and the variable finder's references ~(x) and ~c(x) with a type letter
        std::size_t open = pos + 1;
        if (m[pos] == '~' && open + 1 < m.size() && name_start(m[open]) && m[open + 1] == '(') ++open;
        if (open >= m.size() || m[open] != '(') continue;
        const std::size_t close = closing_paren(m, open);
        spans.push_back({pos, close == npos ? m.size() : close + 1});
        if (close == npos) break;
        pos = close;
    }
    return spans;
}

// The FROM at 'at' stands in a call's parentheses (EXTRACT(DAY FROM x), SUBSTRING(s FROM 2)), not in
// a statement or subquery, whose group starts with SELECT.
bool call_from(std::string_view m, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at; i-- > 0;) {
        if (m[i] == ')') {
            ++depth;
        } else if (m[i] == '(' && depth-- == 0) {
            const std::size_t first = skip_blanks(m, i + 1);
            const std::string_view word = m.substr(first, word_end(m, first) - first);
            return !same_word(word, "SELECT") && !same_word(word, "SELEC") && !same_word(word, "SELE");
        }
    }
    return false;
}

std::vector<Span> name_expressions(std::string_view m) {
    std::vector<Span> spans;
    for (std::size_t i = 0; i < m.size(); i = std::max(i + 1, word_end(m, i))) {
        if (!name_start(m[i]) || (i > 0 && name_char(m[i - 1]))) continue;
        const std::string_view word = m.substr(i, word_end(m, i) - i);
        const bool from = same_word(word, "FROM");
        if (!from && !same_word(word, "JOIN")) continue;
        if (from && call_from(m, i)) continue;
        std::size_t pos = skip_blanks(m, i + word.size());
        while (pos < m.size()) {
            if (m[pos] == '(') {
                const std::size_t close = closing_paren(m, pos);
                const std::size_t end = close == npos ? m.size() : close + 1;
                if (names_by_expression(m, pos, end)) spans.push_back({pos, end});
            }
            if (!from) break;
            pos = next_table(m, pos + (m[pos] == '(' ? 0 : 1));
            if (pos == npos) break;
            pos = skip_blanks(m, pos);
        }
    }
    return spans;
}

namespace match {

void sequence(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (std::size_t pos = m.find(row.parameter); pos != npos; pos = m.find(row.parameter, pos + row.parameter.size()))
        c.report(row, pos, pos + row.parameter.size());
}

void hash(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    auto temporary_table = [&](std::size_t pos) {
        return c.target == Target::sqlserver && !after_operand(m, pos) && pos + 1 < m.size() &&
               (name_start(m[pos + 1]) || m[pos + 1] == '#');
    };
    each_operator(c, row, '#', temporary_table, " (MySQL reads # as the start of a comment and drops the rest of the line)");
}

void bang(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    auto not_equal_or_name = [&](std::size_t pos) {
        return (pos + 1 < m.size() && m[pos + 1] == '=') || joins_names(m, pos);
    };
    each_operator(c, row, '!', not_equal_or_name, " (MySQL's ! binds tighter: !a = b is (NOT a) = b)");
}

void database_table(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '!', [&](std::size_t pos) {
        if (joins_names(m, pos)) c.report(row, word_start(m, pos), word_end(m, pos + 1));
    });
}

void dollar(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '$', [&](std::size_t pos) {
        std::size_t next = pos + 1;
        if (next < m.size() && (m[next] == '-' || m[next] == '+' || m[next] == '.')) ++next;
        const bool money = c.target == Target::sqlserver && next < m.size() && digit(m[next]) && !after_operand(m, pos);
        if (!money) c.report(row, pos, pos + 1);
    });
}

void dotted(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '.', [&](std::size_t pos) {
        const std::size_t end = word_end(m, pos + 1);
        if (end == pos + 1 || end >= m.size() || m[end] != '.') return;
        const std::string_view word = std::string_view(m).substr(pos + 1, end - pos - 1);
        if (!listed(row.parameter, word)) return;
        const bool operator_word = listed("AND,OR,NOT", word);
        const bool three_part_name = pos > 0 && name_char(m[pos - 1]) && end + 1 < m.size() && name_start(m[end + 1]);
        if (operator_word || !three_part_name) c.report(row, pos, end + 1);
    });
}

void braces(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '{', [&](std::size_t pos) {
        const std::size_t close = m.find('}', pos);
        const std::size_t content_end = close == npos ? m.size() : close;
        const std::string_view content = std::string_view(m).substr(pos + 1, content_end - pos - 1);
        const std::size_t first = skip_blanks(content, 0);
        const std::size_t first_end = word_end(content, first);
        const bool odbc_escape = first_end > first && first_end < content.size() &&
                                 (blank(content[first_end]) || content[first_end] == '\'') &&
                                 listed("D,T,TS,FN,OJ,CALL,ESCAPE", content.substr(first, first_end - first));
        if (odbc_escape) return;
        std::string_view kind = "0";
        if (first < content.size() && content[first] == '^') kind = "^";
        else if (content.find_first_not_of(" \t/:.-") == npos) kind = "";
        if (kind == row.parameter) c.report(row, pos, close == npos ? m.size() : close + 1);
    });
}

void name_expression(Check &c, const ConstructRow &row) {
    for (const Span &span : c.name_expressions) c.report(row, span.begin, span.end);
}

void memory_variable(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    // A statement that names a table (or a column) M means that M by M.name.
    bool alias_m = false;
    each_word(m, [&](std::size_t begin, std::size_t end) {
        const bool m_alone = end == begin + 1 && same_word(std::string_view(m).substr(begin, 1), "M") &&
                             (end >= m.size() || m[end] != '.');
        if (m_alone && (after_operand(m, begin) || previous_word_is(m, begin, "AS"))) alias_m = true;
    });
    if (alias_m) return;
    each_word(m, [&](std::size_t begin, std::size_t end) {
        if (end != begin + 1 || upper_ascii(m[begin]) != 'M' || attached(m, begin) || inside(c.name_expressions, begin) ||
            inside(c.parameters, begin))
            return;
        if (end + 1 < m.size() && m[end] == '.' && name_start(m[end + 1])) {
            const std::size_t stop = chain_end(m, end);
            c.report(row, begin, stop, c.say(row, c.original(begin, stop)));
        }
    });
}

void object_reference(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_word(m, [&](std::size_t begin, std::size_t end) {
        const std::string_view word = std::string_view(m).substr(begin, end - begin);
        if (attached(m, begin) || inside(c.name_expressions, begin) || inside(c.parameters, begin) ||
            !listed("THIS,THISFORM,THISFORMSET,_SCREEN,_VFP", word))
            return;
        if (end + 1 < m.size() && m[end] == '.' && name_start(m[end + 1])) c.report(row, begin, chain_end(m, end));
    });
}

void file_path(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    auto path_char = [](char ch) { return name_char(ch) || std::string_view(".:\\/-~$!").find(ch) != npos; };
    std::size_t reported_to = 0;
    auto report_token = [&](std::size_t pos) {
        if (pos < reported_to) return;
        std::size_t begin = pos;
        std::size_t end = pos;
        while (begin > 0 && path_char(m[begin - 1])) --begin;
        while (end < m.size() && path_char(m[end])) ++end;
        c.report(row, begin, end);
        reported_to = end;
    };
    // a backslash between blanks is Access's whole-number division (MOD 12 \ 3), no path's separator
    each_char(m, '\\', [&](std::size_t pos) {
        const bool blank_before = pos > 0 && (m[pos - 1] == ' ' || m[pos - 1] == '\t');
        const bool blank_after = pos + 1 < m.size() && (m[pos + 1] == ' ' || m[pos + 1] == '\t');
        if (!(blank_before && blank_after)) report_token(pos);
    });
    reported_to = 0;
    each_char(m, '.', [&](std::size_t pos) {
        const std::size_t end = word_end(m, pos + 1);
        const bool dbf = pos > 0 && name_char(m[pos - 1]) && same_word(std::string_view(m).substr(pos + 1, end - pos - 1), "DBF");
        const bool has_backslash = [&] {
            std::size_t b = pos;
            while (b > 0 && path_char(m[b - 1])) --b;
            return std::string_view(m).substr(b, pos - b).find('\\') != npos;
        }();
        if (dbf && !has_backslash) report_token(pos);
    });
}

void buffering(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_word(m, [&](std::size_t begin, std::size_t end) {
        if (!same_word(std::string_view(m).substr(begin, end - begin), "WITH")) return;
        const std::size_t open = skip_blanks(m, end);
        if (open >= m.size() || m[open] != '(') return;
        const std::size_t word = skip_blanks(m, open + 1);
        if (!abbreviates(std::string_view(m).substr(word, word_end(m, word) - word), "BUFFERING")) return;
        const std::size_t close = closing_paren(m, open);
        c.report(row, begin, close == npos ? m.size() : close + 1);
    });
}

void destination(Check &c, const ConstructRow &row) {
    for (const Span &span : destination_spans(c.text.names)) c.report(row, span.begin, span.end);
}

namespace {
// A quoted name called as a function, [ORDER]() or "SELECT"(0): no function of the target's own, but
// a FoxPro function whose name is a keyword, quoted by a converter that took it for a name. Not after
// a dot (dbo.[fn]()).
void quoted_calls(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (std::size_t close = 0; close < m.size(); ++close) {
        const char q = m[close];
        if ((q != ']' && q != '"' && q != '`') || c.text.names[close] != ' ') continue;
        const std::size_t open = m.rfind(q == ']' ? '[' : q, close - 1);
        const std::size_t paren = skip_blanks(m, close + 1);
        if (open == npos || paren >= m.size() || m[paren] != '(' || attached(m, open)) continue;
        c.report(row, open, close + 1, c.say(row, c.original(open + 1, close)));
    }
}
}  // namespace

void function(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    if (c.kind == ConvertedText::select) quoted_calls(c, row);
    each_call(m, [&](std::size_t begin, std::size_t end, std::size_t open) {
        const std::string_view name = std::string_view(m).substr(begin, end - begin);
        const FunctionMatch call = foxpro_function(c.target, name, argument_count(m, open));
        if (!call.row) return;
        const std::string full(call.row->name);
        std::string message;
        if (!(call.row->have & bit(c.target))) {
            message = c.say(row, c.original(begin, end));
            if (call.abbreviated) message += " (FoxPro's abbreviation of " + full + "())";
            if (!call.row->note.empty()) message += "; " + std::string(call.row->note);
        } else {
            message = std::string(c.original(begin, end)) + "() is FoxPro's abbreviation of " + full + "(), which " +
                      std::string(target_title(c.target)) + " reads only in full";
        }
        c.report(row, begin, end, std::move(message));
    });
}

void user_function(Check &c, const ConstructRow &row) {
    if (c.user_functions.empty()) return;
    const std::string &m = c.text.masked;
    const auto rows = function_rows();
    each_call(m, [&](std::size_t begin, std::size_t end, std::size_t) {
        const std::string_view name = std::string_view(m).substr(begin, end - begin);
        const auto named = [&](std::string_view other) { return same_word(other, name); };
        if (std::any_of(c.user_functions.begin(), c.user_functions.end(), named) &&
            std::none_of(rows.begin(), rows.end(), [&](const FunctionRow &r) { return named(r.name); }))
            c.report(row, begin, end);
    });
}

void macro(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '&', [&](std::size_t pos) {
        const bool doubled = (pos > 0 && m[pos - 1] == '&') || (pos + 1 < m.size() && m[pos + 1] == '&');
        if (!doubled && pos + 1 < m.size() && name_start(m[pos + 1]) && !after_operand(m, pos))
            c.report(row, pos, word_end(m, pos + 1));
    });
}

// alias->field: a name, "->" and a name; MySQL's and PostgreSQL's JSON operator -> takes a literal or
// a number on its right.
void arrow(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (std::size_t pos = m.find("->"); pos != npos; pos = m.find("->", pos + 2)) {
        const std::size_t last = last_nonblank(m, pos);
        const std::size_t next = skip_blanks(m, pos + 2);
        if (last == npos || !name_char(m[last]) || next >= m.size() || !name_start(m[next])) continue;
        c.report(row, word_start(m, last + 1), word_end(m, next));
    }
}

// 0h0A0B: a number's start (no name or number before it), 0h and its hexadecimal digits.
void binary_literal(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (std::size_t pos = m.find('0'); pos != npos; pos = m.find('0', pos + 1)) {
        if ((pos > 0 && (name_char(m[pos - 1]) || m[pos - 1] == '.')) || pos + 1 >= m.size() ||
            upper_ascii(m[pos + 1]) != 'H')
            continue;
        std::size_t end = pos + 2;
        while (end < m.size() && std::isxdigit(static_cast<unsigned char>(m[end]))) ++end;
        if (end < m.size() && name_char(m[end])) continue;
        c.report(row, pos, end);
        pos = end - 1;
    }
}

void system_variable(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_word(m, [&](std::size_t begin, std::size_t end) {
        if (m[begin] == '_' && !attached(m, begin) && listed(row.parameter, std::string_view(m).substr(begin, end - begin)))
            c.report(row, begin, end);
    });
}

// name[i] where brackets quote names: the target reads the element as the name and an alias.
void subscript(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    each_char(m, '[', [&](std::size_t pos) {
        if (pos == 0 || !name_char(m[pos - 1]) || inside(c.parameters, pos)) return;
        const std::size_t close = m.find(']', pos);
        c.report(row, word_start(m, pos), close == npos ? m.size() : close + 1);
    });
}

void foreign_quotes(Check &c, const ConstructRow &row) {
    for (const Span &span : c.text.foreign_quotes) {
        if (c.text.original[span.begin] == row.parameter[0] && !inside(c.parameters, span.begin)) {
            c.report(row, span.begin, span.end);
        }
    }
}

// A backslash the target reads as an escape: one that is not itself escaped by a second.
void backslash_escape(Check &c, const ConstructRow &row) {
    for (const Span &span : c.text.literals) {
        const std::string_view literal = c.original(span.begin, span.end);
        for (std::size_t i = 0; i < literal.size(); ++i) {
            if (literal[i] != '\\') continue;
            if (i + 1 < literal.size() && literal[i + 1] == '\\') {
                ++i;
                continue;
            }
            c.report(row, span.begin, span.end);
            break;
        }
    }
}

// Sequences of words, alternatives split by "|", words by blanks; "#" stands for a number. Read in
// the text with quoted names unquoted, so that a keyword a converter quoted ([FULL] JOIN) is seen.
void words(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.names;
    std::string_view alternatives = row.parameter;
    while (!alternatives.empty()) {
        const std::size_t bar = alternatives.find('|');
        const std::string_view sequence = alternatives.substr(0, bar);
        alternatives = bar == npos ? std::string_view{} : alternatives.substr(bar + 1);
        const std::size_t first_end = sequence.find(' ');
        const std::string_view first = sequence.substr(0, first_end);
        for (std::size_t i = 0; i < m.size(); i = std::max(i + 1, word_end(m, i))) {
            if (!name_start(m[i]) || (i > 0 && name_char(m[i - 1]))) continue;
            if (!same_word(std::string_view(m).substr(i, word_end(m, i) - i), first)) continue;
            std::size_t at = word_end(m, i);
            bool matched = true;
            std::string_view rest = first_end == npos ? std::string_view{} : sequence.substr(first_end + 1);
            while (matched && !rest.empty()) {
                const std::size_t blank_at = rest.find(' ');
                const std::string_view word = rest.substr(0, blank_at);
                rest = blank_at == npos ? std::string_view{} : rest.substr(blank_at + 1);
                const std::size_t from = skip_blanks(m, at);
                matched = from > at && from < m.size();
                if (!matched) break;
                if (word == "#") {
                    at = from;
                    while (at < m.size() && (digit(m[at]) || m[at] == '.')) ++at;
                    matched = at > from && (at == m.size() || !name_char(m[at]));
                } else {
                    at = word_end(m, from);
                    matched = same_word(std::string_view(m).substr(from, at - from), word);
                }
            }
            if (!matched) continue;
            const bool quoted = i > 0 && std::string_view("[\"`").find(c.text.original[i - 1]) != npos;
            c.report(row, quoted ? i - 1 : i, at);
        }
    }
}

// AS between a table (a name, a dotted name or a parenthesised group) and its alias, in FROM lists
// and after JOIN.
void table_alias_as(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (std::size_t i = 0; i < m.size(); i = std::max(i + 1, word_end(m, i))) {
        if (!name_start(m[i]) || (i > 0 && name_char(m[i - 1]))) continue;
        const std::string_view word = std::string_view(m).substr(i, word_end(m, i) - i);
        const bool from = same_word(word, "FROM");
        if (!from && !same_word(word, "JOIN")) continue;
        std::size_t pos = skip_blanks(m, i + word.size());
        while (pos < m.size()) {
            std::size_t end = pos;
            if (m[pos] == '(') {
                const std::size_t close = closing_paren(m, pos);
                end = close == npos ? m.size() : close + 1;
            } else {
                while (end < m.size() && (name_char(m[end]) || m[end] == '.' || m[end] == '"' || m[end] == '`')) ++end;
            }
            const std::size_t as = skip_blanks(m, end);
            const std::size_t alias = as + 2 < m.size() ? skip_blanks(m, as + 2) : m.size();
            if (end > pos && as > end && same_word(std::string_view(m).substr(as, word_end(m, as) - as), "AS") &&
                alias > as + 2 && alias < m.size() && (name_start(m[alias]) || m[alias] == '"')) {
                c.report(row, as, as + 2);
            }
            if (!from || end == pos) break;
            pos = next_table(m, end);
            if (pos == npos) break;
            pos = skip_blanks(m, pos);
        }
    }
}

// A comparison standing as a select item, outside parentheses and CASE ... END: a condition where
// a value is wanted. SQL Server's name = expression names the item and is none.
void condition_item(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    const std::string_view text(m);
    for (std::size_t i = 0; i < m.size(); i = std::max(i + 1, word_end(m, i))) {
        if (!name_start(m[i]) || (i > 0 && name_char(m[i - 1]))) continue;
        if (!same_word(text.substr(i, word_end(m, i) - i), "SELECT")) continue;
        std::size_t item = i + 6;
        int depth = 0, cases = 0;
        for (std::size_t j = item; j < m.size(); ++j) {
            const char ch = m[j];
            if (ch == '(') {
                ++depth;
            } else if (ch == ')') {
                if (depth-- == 0) break;
            } else if (depth > 0) {
                continue;
            } else if (ch == ',') {
                item = j + 1;
            } else if (name_start(ch) && !name_char(m[j - 1])) {
                const std::size_t end = word_end(m, j);
                const std::string_view word = text.substr(j, end - j);
                if (listed("FROM,INTO,UNION", word)) break;
                if (same_word(word, "CASE")) ++cases;
                else if (same_word(word, "END") && cases > 0) --cases;
                else if (cases == 0 && listed("LIKE,BETWEEN,IS,IN,EXISTS", word)) c.report(row, j, end);
                j = end - 1;
            } else if (cases == 0 && (ch == '<' || ch == '>' || ch == '=' ||
                                      (ch == '!' && j + 1 < m.size() && m[j + 1] == '='))) {
                std::size_t length = 1;
                if (j + 1 < m.size() && (m[j + 1] == '=' || (ch == '<' && m[j + 1] == '>'))) length = 2;
                const std::string_view before = text.substr(item, j - item);
                std::size_t from = skip_blanks(text, item);
                const bool one_name = from < j && word_end(m, from) == last_nonblank(text, j) + 1 && name_start(m[from]);
                if (!(c.target == Target::sqlserver && ch == '=' && length == 1 && one_name) && !before.empty())
                    c.report(row, j, j + length);
                j += length - 1;
            }
        }
    }
}

// The END that closes the CASE whose word ends at 'from' (npos when none does).
static std::size_t case_end(std::string_view m, std::size_t from) {
    int open = 1;
    for (std::size_t j = from; j < m.size(); j = std::max(j + 1, word_end(m, j))) {
        if (!name_start(m[j]) || name_char(m[j - 1])) continue;
        const std::string_view word = m.substr(j, word_end(m, j) - j);
        if (same_word(word, "CASE")) ++open;
        else if (same_word(word, "END") && --open == 0) return j;
    }
    return npos;
}

// Whether the AND whose word starts at 'at' is the second half of a BETWEEN (x BETWEEN a AND CASE ... END):
// walking back over the operand, its parentheses and CASE ... END whole, BETWEEN comes before any other word
// that starts or joins a condition.
static bool between_and(std::string_view m, std::size_t at) {
    int depth = 0;
    int ends = 0;
    for (std::size_t j = at; j-- > 0;) {
        const char ch = m[j];
        if (ch == ')') ++depth;
        else if (ch == '(' && depth-- == 0) return false;
        if (depth > 0 || !name_start(ch) || (j > 0 && name_char(m[j - 1]))) continue;
        const std::string_view word = m.substr(j, word_end(m, j) - j);
        if (same_word(word, "END")) ++ends;
        else if (ends > 0) ends -= same_word(word, "CASE") ? 1 : 0;
        else if (same_word(word, "BETWEEN")) return true;
        else if (listed("AND,OR,NOT,WHERE,HAVING,ON,WHEN,THEN,ELSE,CASE,SELECT", word)) return false;
    }
    return false;
}

void case_condition(Check &c, const ConstructRow &row) {
    const std::string_view m(c.text.masked);
    for (std::size_t i = 1; i < m.size(); i = std::max(i + 1, word_end(m, i))) {
        if (!name_start(m[i]) || name_char(m[i - 1]) || !same_word(m.substr(i, word_end(m, i) - i), "CASE")) continue;
        std::size_t before = i;
        while (before > 0 && (blank(m[before - 1]) || m[before - 1] == '(')) --before;
        std::size_t word = before;
        while (word > 0 && name_char(m[word - 1])) --word;
        const std::string_view joiner = m.substr(word, before - word);
        if (word == before || !listed("WHERE,HAVING,ON,WHEN,AND,OR,NOT", joiner)) continue;
        if (same_word(joiner, "AND") && between_and(m, word)) continue;
        const std::size_t end = case_end(m, i + 4);
        if (end == npos) continue;
        std::size_t after = end + 3;
        while (after < m.size() && (blank(m[after]) || m[after] == ')')) ++after;
        const bool compared = after < m.size() && (std::string_view("=<>!+-*/%|").find(m[after]) != npos ||
                                                   listed("IN,IS,LIKE,BETWEEN,NOT", m.substr(after, word_end(m, after) - after)));
        if (!compared) c.report(row, i, end + 3);
    }
}

}  // namespace match
}  // namespace tarnvel::residue
