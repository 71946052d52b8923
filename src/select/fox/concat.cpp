// String concatenation. FoxPro joins strings with "+", which MySQL reads as a sum of numbers ('%' +
// name is 0) and Oracle refuses for text. A chain of "+" of which one term is known to be text (a
// string literal, or a call of a function that gives text) becomes the dialect's concatenation, a
// pair at a time (the map's row op.concat). The types of names are not known: a chain of names
// alone is joined only where the statement shows one of them to be text (read by a function that
// takes text only, compared with a string), else left as written, and so is a chain beside "*", "/",
// "%" or "^", whose reading would depend on the types too. FoxPro's "-" of text joins too, the left
// side's trailing blanks moved to the end ('ab  ' - 'cd' is 'abcd  '): the chain so far trimmed, then
// padded to the length of the whole (the map's row op.text_minus).
#include "select/fox/scan.h"

#include <vector>

namespace tarnvel::select::fox {
namespace {

// Functions that give text, in FoxPro or in a target (the pass may have written the latter).
constexpr std::string_view text_functions[] = {
    "ADDBS",   "DEFAULTEXT", "DMY",  "FORCEEXT", "FORCEPATH", "JUSTDRIVE", "JUSTEXT", "JUSTFNAME", "JUSTPATH",
    "JUSTSTEM", "INSERT",  "MDY",     "BTRIM",  "SPLIT_PART", "REVERSE", "REGEXP_REPLACE", "REGEXP_SUBSTR", "SUBSTRING_INDEX",
    "ALLTRIM", "ALLT",    "CDOW",    "CHAR",      "CHR",     "CHRTRAN",  "CMONTH",      "CONCAT", "DATENAME",
    "DATE_FORMAT", "DAYNAME", "DTOC",  "DTOS",     "FORMAT",  "INITCAP",  "LEFT",        "LOWER",  "LPAD",
    "LTRIM",   "MONTHNAME", "PADC",  "PADL",      "PADR",    "PROPER",   "REPEAT",      "REPLACE", "REPLICATE",
    "RIGHT",   "RPAD",    "RTRIM",   "SPACE",     "STR",     "STRTRAN",  "SUBSTR",      "SUBSTRING", "TIME",
    "TO_CHAR", "TO_CLOB", "TRANSFORM", "TRANSLATE", "TRIM",  "TTOC",    "UPPER",
};

// Types of text, FoxPro's and the targets', that CAST may name.
constexpr std::string_view text_types[] = {
    "C", "CHAR", "CHARACTER", "V", "VARCHAR", "VARCHAR2", "NCHAR", "NVARCHAR", "NVARCHAR2", "M", "MEMO", "TEXT", "CLOB",
};

// Functions whose first arguments (one or two) take text only: a chain of + there joins text, even
// of names alone (UPPER(name + city)). The searches are FoxPro's and those the pass writes for $.
struct TextArguments {
    std::string_view name;
    std::uint8_t count;
};
constexpr TextArguments text_arguments[] = {
    {"ALLTRIM", 1},     {"ALLT", 1},        {"LOWER", 1},      {"LTRIM", 1},       {"PROPER", 1},
    {"RTRIM", 1},       {"TRIM", 1},        {"UPPER", 1},      {"LEN", 1},         {"CHAR_LENGTH", 1},
    {"LENGTH", 1},      {"LEFT", 1},        {"RIGHT", 1},      {"SUBSTR", 1},      {"SUBSTRING", 1},
    {"AT", 2},          {"ATC", 2},         {"RAT", 2},        {"OCCURS", 2},      {"LOCATE", 2},
    {"INSTR", 2},       {"CHARINDEX", 2},   {"STRPOS", 2},     {"SUBSTRING_INDEX", 2}, {"STRING_TO_ARRAY", 2},
    {"ADDBS", 1},       {"JUSTFNAME", 1},   {"JUSTEXT", 1},    {"JUSTSTEM", 1},    {"JUSTPATH", 1},
    {"JUSTDRIVE", 1},   {"FORCEEXT", 2},    {"FORCEPATH", 2},  {"DEFAULTEXT", 2},
    {"STRTRAN", 3},     {"REPLACE", 3},     {"CHRTRAN", 3},    {"TRANSLATE", 3},   {"ARRAY_TO_STRING", 2},
};

// How many of the call's first arguments take text only (0 for most functions).
std::uint8_t text_argument_count(std::string_view name) {
    for (const TextArguments &f : text_arguments) {
        if (same_word(name, f.name)) return f.count;
    }
    return 0;
}

bool gives_text(std::string_view name) {
    for (std::string_view f : text_functions) {
        if (same_word(name, f)) return true;
    }
    return false;
}

struct Term {
    std::size_t from, to;
    std::size_t open = 0;  // the "(" of a call or group, 0 for none
    bool text = false, number = false;
    bool case_ = false;  // CASE ... END, whose inside is joined as a level of its own
    bool minus = false;  // "-" stands before it
    std::uint8_t text_arguments = 0;  // a call whose first arguments are text (text_argument_count)
};

class Joiner {
public:
    // 'form' joins two texts (empty where the dialect's + does), 'minus_form' pads the trimmed chain
    // to the length of the whole.
    Joiner(const Pass &pass, std::string_view source, std::string_view form, std::string_view minus_form)
        : pass_(pass), src_(source), form_(form), minus_form_(minus_form) {}

    // The text of [from, to) with its chains joined, appended to 'out'; the first 'text_segments'
    // segments (a call's arguments) are text whatever their terms. A chain compared with text
    // (a + b = c + 'x', a + b = PADR(c, 10), a + b LIKE 'x%') joins text too, on either side.
    void level(std::size_t from, std::size_t to, Text &out, std::uint8_t text_segments = 0) {
        std::size_t at = from;
        bool text_before = false;  // the segment before is text, and this one is compared with it
        for (std::size_t index = 0; at < to; ++index) {
            Segment segment = read_segment(at, to);
            const bool own_text = segment.text;  // a term itself is text
            // a group alone is read inside where it is compared: a number written there makes it a
            // sum ((n + 0E0) = '')
            const bool group_only = segment.count == 1 && segment.terms[0].open == segment.terms[0].from;
            if (group_only && (index < text_segments || text_before || compares(segment.end, to))) {
                segment.number = inside(segment).number;
            }
            segment.text = segment.text || ((index < text_segments || (text_before && segment.count > 0)) && !segment.number);
            if (!segment.text && !segment.number && !segment.other_operator && segment.operators() > 0 && !segment.broken) {
                segment.text = names_shown_text(segment);
            }
            if (!segment.text && !segment.number && (segment.operators() > 0 || group_only) && compares(segment.end, to)) {
                segment.text = likes(segment.end, to) || compared_with_text(segment.next, to);
            }
            if (segment.count > 0) text_before = (segment.text && compares(segment.end, to)) || likes(segment.end, to);
            if (segment.joins() && (segment.minuses > 0 ? minus_text(segment, own_text) : !form_.empty())) {
                join(segment, out);
            } else {
                copy(segment, out);
            }
            out.append(src_.substr(segment.end, segment.next - segment.end));  // the delimiter
            at = segment.next;
        }
    }

private:
    // A comparison (or LIKE, IN, BETWEEN) stands at 'at', where a segment ended.
    bool compares(std::size_t at, std::size_t to) const {
        if (at >= to) return false;
        const char c = src_[at];
        if (c == '=' || c == '<' || c == '>' || c == '#' || (c == '!' && at + 1 < to && src_[at + 1] == '=')) {
            return true;
        }
        switch (c) {
            case 'L': case 'l': case 'I': case 'i': case 'B': case 'b': case 'N': case 'n':
                return comparing_word(at, to, false);
            default:
                return false;
        }
    }

    // LIKE, IN and BETWEEN compare their sides, and so do they after NOT.
    bool comparing_word(std::size_t at, std::size_t to, bool after_not) const {
        const std::size_t end = name_chain_end(src_, at, to);
        const std::string_view word = src_.substr(at, end - at);
        if (same_word(word, "LIKE") || same_word(word, "IN") || same_word(word, "BETWEEN")) return true;
        if (after_not || !same_word(word, "NOT")) return false;
        const std::size_t next = skip(end, to);
        return next < to && name_start(src_[next]) && comparing_word(next, to, true);
    }

    // LIKE stands at 'at': both its sides are text in FoxPro.
    bool likes(std::size_t at, std::size_t to) const {
        return at + 4 <= to && (src_[at] == 'L' || src_[at] == 'l') && name_chain_end(src_, at, to) == at + 4 &&
               same_word(src_.substr(at, 4), "LIKE");
    }

    // The segment that follows from 'at' (past the rest of a two-character operator) is text.
    bool compared_with_text(std::size_t at, std::size_t to) {
        for (int operators = 0; at < to && operators < 2; ++operators) {
            const Segment next = read_segment(at, to);
            if (next.count > 0) return (next.text || group_text(next)) && !next.broken;
            if (!compares(next.end, to)) return false;
            at = next.next;
        }
        return false;
    }

    static constexpr std::size_t most_terms = 32;
    struct Segment {
        std::size_t begin = 0, end = 0, next = 0;  // next: after the delimiter
        std::array<Term, most_terms> terms{};
        std::size_t count = 0, pluses = 0, minuses = 0;
        bool other_operator = false, text = false, broken = false;
        bool number = false;  // a number written out is a term: the chain is a sum unless a term is text
        std::size_t operators() const { return pluses + minuses; }
        bool joins() const { return !broken && !other_operator && text && count >= 2 && operators() == count - 1; }
    };

    // What a segment reads next.
    enum class Step { term, plus, minus, other_operator, end, open_group };

    // The first segment inside the segment's first term, a group.
    Segment inside(const Segment &s) { return read_segment(s.terms[0].open + 1, s.terms[0].to - 1); }

    // The segment is a group alone whose (first) text is text ((c + 'd'), ('ab', 'cd')).
    bool group_text(const Segment &s) {
        if (s.count != 1 || s.terms[0].open != s.terms[0].from) return false;
        const Segment inner = inside(s);
        return inner.text && !inner.broken;
    }

    // The terms and operators up to the next delimiter (a comma, a comparison, a keyword, the end).
    Segment read_segment(std::size_t at, std::size_t to) {
        Segment s;
        s.begin = at;
        bool operand_next = true, minus = false;
        while (at < to) {
            if (is_blank(src_[at])) {
                ++at;
                continue;
            }
            Term term{at, at};
            const Step step = next_step(at, to, operand_next, term);
            if (step == Step::end) break;
            if (step == Step::open_group) return broken(s, to);
            if (step != Step::term) {
                if (step == Step::plus) ++s.pluses;
                else if (step == Step::minus) ++s.minuses;
                else s.other_operator = true;
                minus = step == Step::minus;
                operand_next = true;
                ++at;
                continue;
            }
            // a name after a term is an item's alias written without AS (a + 'x' total): the
            // segment ends before it
            if (!operand_next && term.open == 0 && name_start(src_[term.from])) break;
            if (!operand_next || s.count == most_terms) s.broken = true;  // two terms side by side
            term.minus = minus;
            if (s.count < most_terms) s.terms[s.count++] = term;
            s.text = s.text || term.text;
            s.number = s.number || term.number;
            operand_next = false;
            at = term.to;
        }
        s.end = at;
        s.next = at < to ? delimiter_end(at, to) : to;
        return s;
    }

    // What begins at 'at' (no blank): a term, read into 'term', an operator, or the segment's end
    // (a comma, a comparison, a keyword or any other character).
    Step next_step(std::size_t at, std::size_t to, bool operand_next, Term &term) const {
        const char c = src_[at];
        if (name_start(c)) return name_term(at, to, operand_next, term);
        if (c == '(') return group_term(at, to, term);
        if (const std::size_t end = literal_end(src_, at, to, pass_.rules); end != at) {
            term.to = end;
            term.text = c == '\'' || c == '"' || c == '[';
        } else if (is_digit(c)) {
            term.to = number_end(src_, at, to);
            term.number = true;
        } else if (c == '?') {
            term.to = parameter_end(src_, at, to, pass_.rules);
            term.text = named_type(src_.substr(at, term.to - at)) == 'c';  // ?m.cName, ?lcCity
        } else if (c == '~') {
            term.to = reference_end(src_, at, to, pass_.rules);
        } else if (c == '+' && !operand_next) {
            return Step::plus;
        } else if (c == '-' && !operand_next && (at + 1 == to || src_[at + 1] != '>')) {
            return Step::minus;  // not alias->field
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '^') {
            return Step::other_operator;
        } else {
            return Step::end;
        }
        return Step::term;
    }

    // A name, a call (text when the function gives text), or a keyword that ends the segment. LIKE
    // after an operand is the comparison even with a "(" after it (x LIKE ('%' + y)), not FoxPro's
    // LIKE() function.
    Step name_term(std::size_t at, std::size_t to, bool operand_next, Term &term) const {
        const std::size_t end = name_chain_end(src_, at, to);
        if (!operand_next && end == at + 4 && same_word(src_.substr(at, 4), "LIKE")) return Step::end;
        const std::size_t after = skip(end, to);
        const Kw kw = keyword_of(src_.substr(at, end - at));
        if (after < to && src_[after] == '(' && (kw == Kw::none || kw == Kw::callable)) {
            const std::string_view name = src_.substr(at, end - at);
            const Step step = group_term(after, to, term);
            term.text = gives_text(name) ||
                        (step == Step::term && (text_choice(name, after, term.to - 1) || text_cast(name, after, term.to - 1)));
            term.text_arguments = text_argument_count(name);
            return step;
        }
        if (kw == Kw::case_) return case_term(at, to, term);
        if (kw != Kw::none && kw != Kw::value) return Step::end;
        term.to = end;
        term.text = named_type(src_.substr(at, end - at)) == 'c';  // a variable named as text (lcCity)
        return Step::term;
    }

    // CASE ... END (the pass writes ICASE and EVL so) is one term, text when a result after THEN or
    // ELSE is a string literal; without its END it ends the segment.
    Step case_term(std::size_t at, std::size_t to, Term &term) const {
        std::size_t depth = 0;
        for (std::size_t p = at; p < to;) {
            const char c = src_[p];
            if (const std::size_t end = literal_end(src_, p, to, pass_.rules); end != p) {
                p = end;
            } else if (c == '(') {
                const std::size_t close = close_paren(src_, p, to, pass_.rules);
                if (close == none) return Step::end;
                p = close + 1;
            } else if (name_start(c)) {
                const std::size_t end = name_chain_end(src_, p, to);
                const Kw kw = keyword_of(src_.substr(p, end - p));
                if (kw == Kw::case_) {
                    ++depth;
                } else if (kw == Kw::end && --depth == 0) {
                    term.to = end;
                    term.case_ = true;
                    return Step::term;
                } else if ((kw == Kw::then || kw == Kw::else_) && depth == 1) {
                    term.text = term.text || text_begins(skip(end, to), to);
                }
                p = end;
            } else {
                ++p;
            }
        }
        return Step::end;
    }

    // CAST(x AS type) to a type of text (CAST(n AS C(10)) + 'x', and the targets' spellings of it).
    bool text_cast(std::string_view name, std::size_t open, std::size_t close) const {
        if (!same_word(name, "CAST")) return false;
        std::size_t type = none;
        for (std::size_t p = open + 1; p < close;) {
            const char c = src_[p];
            if (const std::size_t end = literal_end(src_, p, close, pass_.rules); end != p) {
                p = end;
            } else if (c == '(') {
                const std::size_t end = close_paren(src_, p, close, pass_.rules);
                if (end == none) return false;
                p = end + 1;
            } else if (name_start(c)) {
                const std::size_t end = name_chain_end(src_, p, close);
                if (same_word(src_.substr(p, end - p), "AS")) type = skip(end, close);
                p = end;
            } else {
                ++p;
            }
        }
        if (type == none || type >= close) return false;
        const std::string_view word = src_.substr(type, name_chain_end(src_, type, close) - type);
        for (std::string_view t : text_types) {
            if (same_word(word, t)) return true;
        }
        return false;
    }

    // A string literal, or a call of a function that gives text, begins at 'at' (a result of CASE: the
    // forms the pass writes for STRTRAN, CHRTRAN... are CASE WHEN found THEN REGEXP_REPLACE(...) ...).
    bool text_begins(std::size_t at, std::size_t to) const { return text_value_end(at, to) != at; }

    // The end of the string literal or the call of a function that gives text at 'at' ('at' for none).
    std::size_t text_value_end(std::size_t at, std::size_t to) const {
        if (at >= to) return at;
        const char c = src_[at];
        if (c == '\'' || c == '"' || c == '[') return literal_end(src_, at, to, pass_.rules);
        if (!name_start(c)) return at;
        const std::size_t end = name_chain_end(src_, at, to), open = skip(end, to);
        if (open == to || src_[open] != '(' || !gives_text(src_.substr(at, end - at))) return at;
        const std::size_t close = close_paren(src_, open, to, pass_.rules);
        return close == none ? at : close + 1;
    }

    // IIF(c, a, b) or MySQL's IF(c, a, b) whose a or b, or NVL(a, b) or COALESCE(a, b) whose a or b is a
    // string literal or a call that gives text, gives text (IIF(lActive, 'A', 'I') + city, NVL(city, '') +
    // country, DTOS(d) + code and STRTRAN(s, a, b, 1, 1) + code as the pass writes them).
    bool text_choice(std::string_view name, std::size_t open, std::size_t close) const {
        const bool iif = same_word(name, "IIF") || same_word(name, "IF");
        if (!iif && !same_word(name, "NVL") && !same_word(name, "COALESCE")) return false;
        bool text = false;
        std::size_t index = 0;
        for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
            if (index++ == 0 && iif) return;  // the condition
            from = skip(from, to);
            to = blanks_before(src_, to, from);
            text = text || (from < to && text_value_end(from, to) == to);
        });
        return text;
    }

    // A call or group whose "(" is at 'open'.
    Step group_term(std::size_t open, std::size_t to, Term &term) const {
        term.open = open;
        term.to = close_paren(src_, open, to, pass_.rules);
        if (term.to == none) return Step::open_group;
        ++term.to;
        return Step::term;
    }

    Segment broken(Segment &s, std::size_t to) {
        s.broken = true;
        s.end = s.next = to;
        return s;
    }

    // A keyword is passed whole, TOP with its number (and PERCENT), which would read as a term
    // followed by an alias (TOP 5 name + 'x'); a character alone.
    std::size_t delimiter_end(std::size_t at, std::size_t to) const {
        if (!name_start(src_[at])) return at + 1;
        const std::size_t end = name_chain_end(src_, at, to);
        if (end - at != 3 || !same_word(src_.substr(at, 3), "TOP")) return end;
        std::size_t p = skip(end, to);
        if (p == to || !is_digit(src_[p])) return end;
        p = skip(number_end(src_, p, to), to);
        const std::size_t word = p < to && name_start(src_[p]) ? name_chain_end(src_, p, to) : p;
        return word - p == 7 && same_word(src_.substr(p, 7), "PERCENT") ? word : p;
    }

    std::size_t skip(std::size_t at, std::size_t to) const { return skip_in(src_, at, to); }

    // A term with the chains inside its parentheses joined; a group in a segment that is text is
    // text inside too (x LIKE (a + b)).
    // Parentheses or CASEs deeper than this are copied as written: each level of the joining holds a
    // segment on the stack, and a statement may nest without bound.
    static constexpr int deepest_level = 64;

    void term(const Term &t, Text &out, bool text = false) {
        if ((t.case_ || t.open != 0) && depth_ >= deepest_level) {
            out.append(src_.substr(t.from, t.to - t.from));
            return;
        }
        if (t.case_) {
            const std::size_t inner = name_chain_end(src_, t.from, t.to), end = t.to - 3;
            out.append(src_.substr(t.from, inner - t.from));
            ++depth_;
            level(inner, end, out);
            --depth_;
            out.append(src_.substr(end, 3));
            return;
        }
        if (t.open == 0) {
            out.append(src_.substr(t.from, t.to - t.from));
            return;
        }
        out.append(src_.substr(t.from, t.open + 1 - t.from));
        ++depth_;
        level(t.open + 1, t.to - 1, out, text && t.open == t.from ? 1 : t.text_arguments);
        --depth_;
        out.append(")");
    }

    void copy(const Segment &s, Text &out) {
        if (s.broken) {
            out.append(src_.substr(s.begin, s.end - s.begin));
            return;
        }
        std::size_t at = s.begin;
        for (std::size_t i = 0; i < s.count; ++i) {
            out.append(src_.substr(at, s.terms[i].from - at));
            term(s.terms[i], out, s.text);
            at = s.terms[i].to;
        }
        out.append(src_.substr(at, s.end - at));
    }

    // A form with {1+} takes every term at once (CONCAT(a, b, c)); any other is filled a pair at a
    // time, the pair so far first (a || b || c).
    void join(const Segment &s, Text &out) {
        Text joined;
        if (s.minuses > 0 && !trimmed_chain(s, joined)) {
            copy(s, out);
            return;
        }
        out.append(src_.substr(s.begin, s.terms[0].from - s.begin));
        if (s.minuses == 0) chain(s, joined);
        // SELECT'a' + b: the keyword glued to the chain's literal stays a word of its own
        const std::string_view written = out.view(), made = joined.view();
        if (!written.empty() && !made.empty() && name_char(written.back()) && name_char(made.front())) out.append(" ");
        out.append(joined.view());
        out.append(src_.substr(s.terms[s.count - 1].to, s.end - s.terms[s.count - 1].to));
    }

    // The dialect's form that joins two texts.
    std::string_view pair_form() const { return form_.empty() ? std::string_view("{1} + {2}") : form_; }

    // The chain with a - b as FoxPro reads it: at each "-" the value so far trimmed before the term,
    // and before a "+" or at the end, after one or more "-", padded to the length of all the terms
    // so far. False where a value is too long to be written twice.
    bool trimmed_chain(const Segment &s, Text &out) {
        Text value, whole;
        term(s.terms[0], value);
        whole.append(value.view());
        bool pending = false;  // a "-" since the value was last padded
        for (std::size_t i = 1; i < s.count; ++i) {
            if (pending && !s.terms[i].minus && !pad(value, whole)) return false;
            pending = s.terms[i].minus;
            Text next;
            term(s.terms[i], next);
            append_pair(value, next.view(), s.terms[i].minus);
            append_pair(whole, next.view(), false);
        }
        if (pending && !pad(value, whole)) return false;
        out.append(value.view());
        return true;
    }

    // 'joined' becomes itself (trimmed) joined with 'next'.
    void append_pair(Text &joined, std::string_view next, bool trimmed) const {
        Text left;
        if (trimmed) left.append("RTRIM(");
        left.append(joined.view());
        if (trimmed) left.append(")");
        Args pair;
        pair.add(left.view());
        pair.add(next);
        joined.clear();
        fill(joined, pair_form(), pair);
    }

    // 'value' padded with blanks to the length of 'whole'.
    bool pad(Text &value, const Text &whole) const {
        Args both;
        both.add(value.view());
        both.add(whole.view());
        if (whole.size() > longest_repeated_argument || repeats_long_argument(minus_form_, both)) return false;
        Text padded;
        fill(padded, minus_form_, both);
        value.clear();
        value.append(padded.view());
        return true;
    }

    // The terms joined, each once.
    void chain(const Segment &s, Text &joined) {
        if (form_.find("{1+}") != std::string_view::npos) {
            Args all;
            for (std::size_t i = 0; i < s.count; ++i) {
                Text one;
                term(s.terms[i], one);
                all.add(one.view());
            }
            fill(joined, form_, all);
        } else {
            term(s.terms[0], joined);
            for (std::size_t i = 1; i < s.count; ++i) {
                Text next;
                term(s.terms[i], next);
                Args pair;
                pair.add(joined.view());
                pair.add(next.view());
                joined.clear();
                fill(joined, pair_form(), pair);
            }
        }
    }

    // A chain with "-" joins text only where a term is text itself or a name the statement as written
    // shows to be text: the pass writes tests of empty values as comparisons with '' and TRIM calls
    // (EMPTY(n - m)), whose numbers its context would make text.
    bool minus_text(const Segment &s, bool own_text) { return own_text || (!s.number && names_shown_text(s)); }

    // A term of the segment is a name the statement shows to be text (gathered when first asked).
    bool names_shown_text(const Segment &s) {
        if (!texts_read_) {
            texts_read_ = true;
            gather_texts();
        }
        for (std::size_t i = 0; i < s.count && !texts_.empty(); ++i) {
            const Term &t = s.terms[i];
            if (t.open != 0 || t.case_ || !name_start(src_[t.from])) continue;
            if (shown_text(src_.substr(t.from, t.to - t.from))) return true;
        }
        return false;
    }

    bool shown_text(std::string_view name) const {
        for (std::string_view text : texts_) {
            if (same_name(text, name)) return true;
        }
        return false;
    }

    // The names the statement as written reads as text (not the pass's output, whose dates and EMPTY
    // tests may be strings and comparisons with them): the arguments of the functions that take text
    // only (UPPER(city), LEFT(code, 2), AT('x', notes)), and the names compared with a string or
    // matched by LIKE (city = 'Berlin', "" # code, name LIKE 'A%').
    void gather_texts() {
        const std::string_view text = pass_.statement;
        const std::size_t to = text.size();
        std::size_t literal = none;  // the end of the string just passed, for 'x' = name
        for (std::size_t p = 0; p < to;) {
            const char c = text[p];
            if (const std::size_t end = literal_end(text, p, to, pass_.rules); end != p) {
                literal = c == '\'' || c == '"' || c == '[' ? end : none;
                p = end;
                continue;
            }
            if (!name_start(c)) {
                if (!is_blank(c) && !comparison_char(c)) literal = none;
                ++p;
                continue;
            }
            const std::size_t end = name_chain_end(text, p, to);
            const std::string_view name = text.substr(p, end - p);
            const std::size_t after = skip_in(text, end, to);
            if (after < to && text[after] == '(') {
                if (const std::uint8_t count = text_argument_count(name); count > 0) note_arguments(text, after, count);
            } else if (keyword_of(name) == Kw::none &&
                       ((literal != none && compared_between(text, literal, p)) || compared_with_string(text, end))) {
                note_text(name);
            }
            literal = none;
            p = end;
        }
    }

    static bool comparison_char(char c) { return c == '=' || c == '<' || c == '>' || c == '#' || c == '!'; }

    static std::size_t skip_in(std::string_view text, std::size_t at, std::size_t to) {
        while (at < to && is_blank(text[at])) ++at;
        return at;
    }

    // Between a string's end and a name stand a comparison and blanks only ('x' = name).
    static bool compared_between(std::string_view text, std::size_t from, std::size_t to) {
        bool compared = false;
        for (std::size_t p = from; p < to; ++p) {
            if (comparison_char(text[p])) compared = true;
            else if (!is_blank(text[p])) return false;
        }
        return compared;
    }

    // After the name stand a comparison (or LIKE) and a string (name = 'x', name LIKE 'A%').
    bool compared_with_string(std::string_view text, std::size_t at) const {
        const std::size_t to = text.size();
        std::size_t p = skip_in(text, at, to);
        const std::size_t operators = p;
        while (p < to && comparison_char(text[p])) ++p;
        if (p == operators) {
            if (p + 4 > to || name_chain_end(text, p, to) != p + 4 || !same_word(text.substr(p, 4), "LIKE")) return false;
            p += 4;
        }
        p = skip_in(text, p, to);
        return p < to && (text[p] == '\'' || text[p] == '"' || text[p] == '[') && literal_end(text, p, to, pass_.rules) != p;
    }

    // The call's first 'count' arguments, those that take text only: each that is a name alone.
    void note_arguments(std::string_view text, std::size_t open, std::uint8_t count) {
        const std::size_t close = close_paren(text, open, text.size(), pass_.rules);
        if (close == none) return;
        std::size_t index = 0;
        for_each_argument(text, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
            if (++index > count) return;
            from = skip_in(text, from, to);
            to = blanks_before(text, to, from);
            if (from < to && name_start(text[from]) && name_chain_end(text, from, to) == to &&
                keyword_of(text.substr(from, to - from)) == Kw::none) {
                note_text(text.substr(from, to - from));
            }
        });
    }

    void note_text(std::string_view name) {
        if (!shown_text(name)) texts_.push_back(name);
    }

    const Pass &pass_;
    std::string_view src_;
    std::string_view form_, minus_form_;
    int depth_ = 0;  // the levels of parentheses and CASE being joined
    bool texts_read_ = false;
    std::vector<std::string_view> texts_;  // the names the statement shows to be text
};

// A "-" stands after an operand and before no number written out (name - city, 'x' - y; not d - 30,
// -qty, alias->field nor the digits of a date in a literal): a - b of text may be there. Literals are
// not read here (the joining reads them), so that a statement without such a "-" costs a search.
bool text_minus_possible(std::string_view text) {
    const std::size_t to = text.size();
    for (std::size_t p = text.find('-'); p != std::string_view::npos; p = text.find('-', p + 1)) {
        std::size_t before = p, next = p + 1;
        while (before > 0 && is_blank(text[before - 1])) --before;
        while (next < to && is_blank(text[next])) ++next;
        if (before == 0 || next == to) continue;
        const char left = text[before - 1], right = text[next];
        const bool operand = name_char(left) || left == ')' || left == ']' || left == '\'' || left == '"';
        if (operand && !is_digit(right) && right != '-' && right != '>' && right != '.') return true;
    }
    return false;
}

}  // namespace

tarnvel::Text join_strings(const Pass &pass, std::string_view statement) {
    const std::string_view form = named().op_concat.target[pass.column],
                           minus_form = named().op_text_minus.target[pass.column];
    const bool pluses = !form.empty() && statement.find('+') != std::string_view::npos;
    if (!pluses && (minus_form.empty() || !text_minus_possible(statement))) return tarnvel::Text();
    Text joined;
    Joiner(pass, statement, form, minus_form).level(0, statement.size(), joined);
    if (joined.view() == statement) return tarnvel::Text();
    tarnvel::Text out = tarnvel::Text::obtain(joined.size(), grow_message);
    out.append(joined.view());
    return out;
}

}  // namespace tarnvel::select::fox
