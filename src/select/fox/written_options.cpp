// Calls whose further arguments, written out, choose the form: the parse strings of the trims
// (ALLTRIM(s, '-')) and the first day of the week of DOW and WEEK (DOW(d, 2)).
#include "select/fox/scan.h"

#include <algorithm>

namespace tarnvel::select::fox {
namespace {

// A whole number written out, with or without a minus sign (0, 2, -1), of a few digits.
bool written_number(std::string_view text, int &value) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative) text = trimmed(text.substr(1));
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string_view::npos) return false;
    value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    if (negative) value = -value;
    return true;
}

// A letter of A to Z, or a byte beyond ASCII (which may be one): what a trim blind to case would
// also find in the other case.
bool may_be_letter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || static_cast<unsigned char>(c) >= 0x80;
}


// The ends a trim row trims: ALLTRIM both, LTRIM the start, RTRIM and TRIM the end.
struct TrimEnds {
    std::string_view row;
    bool leading, trailing;
};
constexpr TrimEnds trim_ends[] = {
    {"fn.alltrim_chars", true, true},
    {"fn.ltrim_chars", true, false},
    {"fn.rtrim_chars", false, true},
    {"fn.trim_chars", false, true},
};

// What a pattern begins with to find its letters in their own case whatever the collation: MySQL's
// patterns follow the text's collation, which is often blind to case; (?-i) turns that off for the
// whole pattern. Empty where patterns are exact already (Oracle, PostgreSQL) or where there are none.
constexpr std::array<std::string_view, column_count> exact_case_flags = {"", "", "(?-i)", "", ""};

// The parse strings trimmed by a pattern anchored at the ends the row trims, for the dialect's
// replacement of a pattern (trim_pattern_form): '^(p)+|(p)+$', p the class of the one-character
// strings, or the strings one after the other, each character standing for itself; 'exact' where
// the strings hold letters to be found in their own case.
bool pattern_trimmed(const Construct &row, Column column, const Args &args, std::string_view run, bool exact,
                     Text &built) {
    const std::string_view form = trim_pattern_form(column);
    if (form.empty() || args.size() == 0) return false;
    const TrimEnds *ends = nullptr;
    for (const TrimEnds &e : trim_ends) {
        if (e.row == row.id) ends = &e;
    }
    if (ends == nullptr) return false;
    Text pattern;
    pattern.push('\'');
    if (exact) pattern.append(exact_case_flags[column]);
    if (ends->leading) {
        pattern.push('^');
        pattern.append(run);
    }
    if (ends->leading && ends->trailing) pattern.push('|');
    if (ends->trailing) {
        pattern.append(run);
        pattern.push('$');
    }
    pattern.push('\'');
    Args filled;
    filled.add(args[0]);
    filled.add(pattern.view());
    fill(built, form, filled);
    return true;
}

// A letter of A to Z as it is written, or in both cases where the trim is blind to case.
void append_cased(Text &out, char c, bool blind) {
    if (blind && ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
        out.push(static_cast<char>(c & ~0x20));
        out.push(static_cast<char>(c | 0x20));
    } else {
        out.push(c);
    }
}

// A parse string as a run of a pattern: each character a letter, digit or byte beyond ASCII as it
// stands, any other in a class of its own ([.], [''] for the quote), so that it stands for itself in
// every dialect's regular expressions; blind to case, a letter of A to Z is the class of both its
// cases ([Xx]). ], ^ and the backslash, and the empty string, do not fit.
bool append_literal_run(std::string_view inside, bool blind, Text &alternatives) {
    if (inside.empty() || inside.find_first_of("]^\\") != std::string_view::npos) return false;
    if (alternatives.size() > 0) alternatives.push('|');
    for (const char c : inside) {
        const bool ascii_letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        const bool plain = (c >= '0' && c <= '9') || (may_be_letter(c) && !(blind && ascii_letter));
        if (!plain) alternatives.push('[');
        append_cased(alternatives, c, blind);
        if (c == '\'') alternatives.push('\'');
        if (!plain) alternatives.push(']');
    }
    return true;
}

// CHR(n) of an ASCII code written as a number (CHR(13)): the character, as a string of one.
struct Ascii {
    char of[128] = {};
    constexpr Ascii() {
        for (int c = 0; c < 128; ++c) of[c] = static_cast<char>(c);
    }
};
inline constexpr Ascii ascii;
bool written_chr(std::string_view arg, std::string_view &one) {
    if (arg.size() < 6 || !same_word(arg.substr(0, 3), "CHR") || arg.back() != ')') return false;
    std::string_view inside = trimmed(arg.substr(3));
    if (inside.front() != '(') return false;
    inside = trimmed(inside.substr(1, inside.size() - 2));  // between the parentheses
    int code = 0;
    if (!written_number(inside, code) || code < 1 || code > 127) return false;
    one = std::string_view(&ascii.of[code], 1);
    return true;
}

// The class of a pattern of characters none of the parse strings is, for SQL Server's PATINDEX: each
// parse string a literal of one character other than ] and the quote (the dash last, where it is no
// range; ^ after the first place, [ % _ inside a class stand for themselves). Blind to case, a letter
// of A to Z stands in both cases and one beyond ASCII cannot be listed; otherwise letters are compared
// as the column's collation compares them, as REPLACE compares them for STRTRAN.
struct PatternClass {
    Text chars;
    bool dash = false, fits = true;

    void add(std::string_view inside, bool blind) {
        Characters one;
        if (!characters_of(inside, one) || one.count != 1 || inside == "]" || inside == "'") {
            fits = false;
            return;
        }
        const char c = inside[0];
        if (inside == "-") {
            dash = true;
        } else if (blind && static_cast<unsigned char>(c) >= 0x80) {
            fits = false;
        } else if (blind && may_be_letter(c)) {
            chars.push(static_cast<char>(c & ~0x20));
            chars.push(static_cast<char>(c | 0x20));
        } else {
            chars.append(inside);
        }
    }
    // The pattern literal, and a literal of a character outside the class.
    bool write(Text &pattern, Text &sentinel) const {
        pattern.append("'%[^");
        bool quoted = true;  // a control character (CHR(13)) is joined in by its code
        for (const char c : chars.view()) {
            const bool control = static_cast<unsigned char>(c) < ' ';
            if (control != !quoted) pattern.append(control ? "' + " : " + '");
            quoted = !control;
            if (!control) {
                pattern.push(c);
                continue;
            }
            if (pattern.view().back() == ')') pattern.append(" + ");
            pattern.append("CHAR(");
            if (c >= 10) pattern.push(static_cast<char>('0' + c / 10));
            pattern.push(static_cast<char>('0' + c % 10));
            pattern.push(')');
        }
        if (!quoted) pattern.append(" + '");
        if (dash) pattern.push('-');
        pattern.append("]%'");
        for (const char c : std::string_view("x~|#")) {
            const bool listed = chars.view().find(c) != std::string_view::npos ||
                                (c == 'x' && chars.view().find('X') != std::string_view::npos);
            if (listed) continue;
            sentinel.push('\'');
            sentinel.push(c);
            sentinel.push('\'');
            return true;
        }
        return false;
    }
};

// The delimiters of GETWORDNUM and GETWORDCOUNT as a class of a regular expression lists them: ASCII
// characters that stand for themselves there (no letter, which a server's regular expression may find
// in either case, no quote, bracket, backslash or caret; a dash is listed last, where it is no range).
// Replaced one by one (SQL Server), any ASCII character but the quote.
bool listable_delimiters(std::string_view inside, bool replaced) {
    return !inside.empty() && std::none_of(inside.begin(), inside.end(), [replaced](char c) {
        if (replaced) return c == '\'' || static_cast<unsigned char>(c) >= 0x80;
        return may_be_letter(c) || c < ' ' || std::string_view("'\"[]\\^").find(c) != std::string_view::npos;
    });
}

// A parse string the blank may stand for while the text is trimmed (trims_by_swap): none found across
// the end of a run of it. A quote is a character as any other there: the swap writes the parse string
// as the dialect's literal.
bool swappable(std::string_view inside) { return !inside.empty() && !bordered(inside); }

// A parse string holding blanks as the swap finds it in the text, whose blanks are CHR(1) by then:
// each blank CHR(1) (' .' as CHR(1) & '.'), joined by &.
void swapped_literal(std::string_view inside, Text &out) {
    bool quoted = false, first = true;
    for (const char c : inside) {
        const bool blank = c == ' ';
        if (quoted && blank) out.push('\'');
        if ((blank || !quoted) && !first) out.append(" & ");
        if (blank) out.append("CHR(1)");
        if (!blank && !quoted) out.push('\'');
        quoted = !blank;
        first = false;
        if (blank) continue;
        out.push(c);
        if (c == '\'') out.push('\'');
    }
    if (quoted) out.push('\'');
}

// The text with each delimiter replaced by the mark, for a dialect that marks them (delimiters_replaced).
void marked_delimiters(Column column, std::string_view text, std::string_view delimiters, Text &marked) {
    const DelimiterMarks marks = delimiter_marks(column);
    for (std::size_t i = 0; i < delimiters.size(); ++i) marked.append("REPLACE(");
    Args one;
    one.add(text);
    fill(marked, marks.text, one);
    for (const char c : delimiters) {
        marked.append(", '");
        marked.push(c);
        marked.append(marks.mark);
    }
}

// The parse strings of a trim (after the text and nFlags), read for the forms a dialect may take:
// the set of one-character literals (Oracle, PostgreSQL), the class of them (MySQL's pattern, the
// dash last, where it is no range), or the strings one after the other in a pattern.
struct ParseStrings {
    Text set, chars, alternatives;
    std::size_t count = 0;
    bool flags_fit = true, blind = false, letters = false, beyond_ascii = false, expression = false, dash = false;
    bool characters_only = true, runs_fit = true;
    std::string_view first;  // the first parse string's text, inside its quotes; empty for no literal
    std::string_view first_written;  // the first parse string as written
    bool same = true;  // every parse string written as the first: one string trimmed

    ParseStrings() {
        set.push('\'');
    }
    // nFlags written as a number: 0, or 1 (blind to case); any other number keeps the call.
    bool flags(std::string_view arg) {
        int value = 0;
        if (!written_number(arg, value)) return false;
        flags_fit = value == 0 || value == 1;
        blind = value == 1;
        return true;
    }
    void add(std::string_view arg) {
        ++count;
        std::string_view inside;
        const bool literal = literal_inside(arg, inside);
        expression = expression || !literal;
        if (count == 1 && literal) first = inside;
        if (count == 1) first_written = arg;
        same = same && arg == first_written;
        if (literal) {
            for (char c : inside) {
                letters = letters || may_be_letter(c);
                beyond_ascii = beyond_ascii || static_cast<unsigned char>(c) >= 0x80;
            }
        }
        Characters one;
        const bool character = literal && characters_of(inside, one) && one.count == 1 &&
                               inside.find_first_of("'\"[]\\^") == std::string_view::npos;
        characters_only = characters_only && character;
        runs_fit = runs_fit && literal && append_literal_run(inside, blind, alternatives);
        if (!character) return;
        if (inside.size() > 1) {  // a character of several bytes: no letter of A to Z
            set.append(inside);
            chars.append(inside);
        } else if (inside == "-") {
            set.push('-');
            dash = true;
        } else {
            append_cased(set, inside[0], blind);
            append_cased(chars, inside[0], blind);
        }
    }
    // The run of a pattern the strings trim: [chars]+ where each is one character and the dialect
    // trims no set, else (s1|s2)+.
    bool run(Text &out, bool by_set) const {
        if (characters_only && !by_set) {
            out.push('[');
            out.append(chars.view());
            if (dash) out.push('-');
            out.append("]+");
            return true;
        }
        if (!runs_fit) return false;
        out.push('(');
        out.append(alternatives.view());
        out.append(")+");
        return true;
    }
};

// The forms of a trim of several parse strings of one character each where the dialect swaps them
// with the blank (Access): {1} the text, {2} the text with its blanks made CHR(1) (unless the blank
// is a parse string) and every parse character a blank, as long as the text. The blanks of {2}
// trimmed tell how many characters to drop at each end of the text.
struct SwappedForm {
    std::string_view row, form;
};
constexpr SwappedForm swapped_forms[] = {
    {"fn.alltrim_chars", "IIF({1} IS NULL, NULL, MID({1} & '', LEN({2}) - LEN(LTRIM({2})) + 1, LEN(TRIM({2}))))"},
    {"fn.ltrim_chars", "IIF({1} IS NULL, NULL, MID({1} & '', LEN({2}) - LEN(LTRIM({2})) + 1))"},
    {"fn.rtrim_chars", "IIF({1} IS NULL, NULL, LEFT({1} & '', LEN(RTRIM({2}))))"},
    {"fn.trim_chars", "IIF({1} IS NULL, NULL, LEFT({1} & '', LEN(RTRIM({2}))))"},
};

// Several parse strings of one ASCII character each trimmed by the swap: each found by its code
// (REPLACE's compare 0) and made a blank, so that the runs of any of them at the ends are runs of
// blanks.
bool swapped_characters(std::string_view row, std::string_view text, std::string_view characters, Text &built) {
    const SwappedForm *chosen = nullptr;
    for (const SwappedForm &f : swapped_forms) {
        if (f.row == row) chosen = &f;
    }
    const bool blank = characters.find(' ') != std::string_view::npos;
    if (chosen == nullptr ||
        std::any_of(characters.begin(), characters.end(), [](char c) { return c < ' ' || c > '~'; })) {
        return false;
    }
    Text swapped;
    for (const char c : characters) {
        if (c != ' ') swapped.append("REPLACE(");
    }
    swapped.append(blank ? "{1} & ''" : "REPLACE({1} & '', ' ', CHR(1))");
    for (const char c : characters) {
        if (c == ' ') continue;
        swapped.append(", '");
        swapped.push(c);
        swapped.append("', ' ', 1, -1, 0)");
    }
    Args args, both;
    args.add(text);
    Text filled;
    fill(filled, swapped.view(), args);
    both.add(text);
    both.add(filled.view());
    if (repeats_long_argument(chosen->form, both)) return false;
    fill(built, chosen->form, both);
    return true;
}

}  // namespace

// The rows whose further arguments, written out, choose the form.
bool Scan::written_options(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    switch (row.form) {
    case Form::numbered: return numbered(row, open, close, built);
    case Form::trim: return trim(row, open, close, built);
    case Form::mask: return mask(row.target[pass_.column], open, close, built);
    case Form::delimiters: return word_delimiters(row, open, close, built);
    default: return weekday(row, open, close, built);
    }
}

// ALLTRIM(s[, nFlags], c1[, c2, ...]) and LTRIM, RTRIM, TRIM so: MySQL's TRIM of one parse string,
// any text; Oracle's and PostgreSQL's trims of a set, the parse strings literals of one character
// each; otherwise a pattern of the parse strings anchored at the ends (on MySQL, whose patterns follow
// the collation, told to find letters in their own case). nFlags written as 0, or as 1 (blind to
// case) where the letters the literals hold are of A to Z, each listed in both cases; any other call
// stays.
bool Scan::trim(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    const std::string_view form = row.target[pass_.column];
    if (form.empty()) return false;
    if (trims_by_pattern(pass_.column)) return pattern_trim(row, open, close, built);
    const bool set = trims_characters(pass_.column);
    Args args;
    ParseStrings strings;
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const std::string_view arg = trimmed(src_.substr(from, to - from));
        if (index++ == 0) {
            convert_into(args, from, to, false);
            return;
        }
        if (index == 2 && strings.flags(arg)) return;
        if (strings.count == 0 && !set) convert_into(args, from, to, false);  // MySQL's one parse string
        strings.add(arg);
    });
    const bool both_cases = strings.blind && strings.letters;  // letters listed in both their cases
    if (!strings.flags_fit || strings.count == 0 || (strings.blind && strings.expression) ||
        (both_cases && (strings.beyond_ascii || trims_by_swap(pass_.column)))) {
        return false;
    }
    if (trims_by_swap(pass_.column)) {
        if (!strings.same && strings.characters_only) {
            return swapped_characters(row.id, args[0], strings.set.view().substr(1), built);
        }
        if (!strings.same || !swappable(strings.first)) return false;
        if (strings.first.find(' ') != std::string_view::npos) {  // the parse string as the swap finds it
            Args swapped;
            swapped.add(args[0]);
            Text literal;
            swapped_literal(strings.first, literal);
            swapped.add(literal.view());
            if (repeats_long_argument(form, swapped)) return false;
            fill(built, form, swapped);
            return true;
        }
    }
    Text run;
    if (set && strings.characters_only) {
        strings.set.push('\'');
        args.add(strings.set.view());
    } else if (!set && strings.same && !both_cases) {
        // TRIM(BOTH s FROM x) of the one parse string, any text, found in its own case
    } else {
        if (!strings.run(run, set)) return false;
        return pattern_trimmed(row, pass_.column, args, run.view(), strings.letters && !strings.blind, built);
    }
    if (repeats_long_argument(form, args)) return false;
    fill(built, form, args);
    return true;
}

// GETWORDNUM(s, n, cDelimiters) and GETWORDCOUNT(s, cDelimiters): the row's form with the last argument
// the delimiters' characters, as a class of a regular expression lists them, or the text with the
// delimiters marked where the dialect has no regular expressions.
bool Scan::word_delimiters(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    const std::string_view form = row.target[pass_.column];
    if (form.empty()) return false;
    const bool replaced = delimiters_replaced(pass_.column);
    Args args;
    std::size_t index = 0;
    std::string_view inside;
    bool fits = false;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (++index < row.max_args) {
            convert_into(args, from, to, false);
            return;
        }
        fits = literal_inside(trimmed(src_.substr(from, to - from)), inside) && listable_delimiters(inside, replaced);
    });
    if (!fits || index != row.max_args || repeats_long_argument(form, args)) return false;
    if (replaced) {
        Text marked;
        marked_delimiters(pass_.column, args[0], inside, marked);
        args.add(marked.view());
    } else {
        Text listed;  // the characters but the dash, then one dash
        for (const char c : inside) {
            if (c != '-') listed.push(c);
        }
        if (inside.find('-') != std::string_view::npos) listed.push('-');
        args.add(listed.view());
    }
    fill(built, form, args);
    return true;
}

// DOW(d, nFirstDay) and WEEK(d, nFirstWeek[, nFirstDay]) with the numbers written out: the row's form
// with {d} the first day (1 Sunday to 7 Saturday) and, for WEEK's rules 2 and 3, {w} the rule.
bool Scan::weekday(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    Args args;
    int numbers[2] = {0, 1};  // DOW: the first day; WEEK: the rule, then the first day (Sunday)
    std::size_t index = 0;
    bool written = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ == 0) {
            convert_into(args, from, to, false);
            return;
        }
        written = written && written_number(trimmed(src_.substr(from, to - from)), numbers[index - 2]);
    });
    const bool week = &row != &named().fn_dow_first;
    const int day = week ? numbers[1] : numbers[0];
    const int rule = week ? numbers[0] : 0;
    if (!written || day < 1 || day > 7 || rule < 0 || rule > 3) return false;
    const Construct &chosen = rule >= 2 ? named().fn_week_rule : row;
    const std::string_view form = chosen.target[pass_.column];
    if (form.empty() || repeats_long_argument(form, args)) return false;
    fill(built, form, args, static_cast<std::size_t>(rule), static_cast<std::size_t>(day));
    return true;
}

// SQL Server: the row's form of PATINDEX with the class of the parse strings ({2}) and a character
// outside it ({3}). nFlags written as 0 or 1; the parse strings literals of one character each, or
// CHR of an ASCII code written as a number; other literals are marked in the text (marked_trim).
bool Scan::pattern_trim(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    const std::string_view form = row.target[pass_.column];
    Args args;
    std::size_t index = 0;
    bool blind = false;
    std::string_view literals[255];
    std::size_t strings = 0;
    bool fits = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const std::string_view arg = trimmed(src_.substr(from, to - from));
        if (index++ == 0) {
            convert_into(args, from, to, false);
            return;
        }
        int flags = 0;
        if (index == 2 && written_number(arg, flags)) {  // nFlags
            fits = fits && (flags == 0 || flags == 1);
            blind = flags == 1;
            return;
        }
        std::string_view inside;
        fits = fits && strings < 255 && (literal_inside(arg, inside) || written_chr(arg, inside));
        if (fits) literals[strings++] = inside;
    });
    if (!fits || strings == 0) return false;
    PatternClass parse;
    for (std::size_t i = 0; i < strings; ++i) parse.add(literals[i], blind);
    Text pattern, sentinel;
    if (!parse.fits || !parse.write(pattern, sentinel)) {
        return marked_trim(row.id, args[0], std::span(literals, strings), blind, built);
    }
    args.add(pattern.view());
    args.add(sentinel.view());
    if (repeats_long_argument(form, args)) return false;
    fill(built, form, args);
    return true;
}

}  // namespace tarnvel::select::fox
