// The quick look before the FoxPro-syntax pass: most statements hold no FoxPro-only construct and
// cost only this look.
#include "select/fox/scan.h"

#include <array>
#include <cstring>

namespace tarnvel::select::fox {
namespace {

// The characters the quick look stops at; every other character (most letters, digits, blanks and
// punctuation) costs it a table lookup.
enum Clue : std::uint8_t {
    no_clue, quote_clue, bracket_clue, open_clue, close_clue, dot_clue, star_clue, equals_clue, always_clue,
    brace_clue, slash_clue, skip_clue, b_clue, percent_clue, sum_clue, underscore_clue, u_clue,
    zero_clue,
};
struct Clues {
    Clue of[256] = {};
    constexpr Clues() {
        of[static_cast<unsigned char>('\'')] = of[static_cast<unsigned char>('"')] = quote_clue;
        of[static_cast<unsigned char>('`')] = quote_clue;
        of[static_cast<unsigned char>('[')] = bracket_clue;
        of[static_cast<unsigned char>('(')] = open_clue;
        of[static_cast<unsigned char>(')')] = close_clue;
        of[static_cast<unsigned char>('.')] = dot_clue;
        of[static_cast<unsigned char>('*')] = star_clue;
        of[static_cast<unsigned char>('=')] = of[static_cast<unsigned char>('<')] = equals_clue;
        of[static_cast<unsigned char>('>')] = of[static_cast<unsigned char>('&')] = equals_clue;
        for (char c : std::string_view("#!$\\:^")) of[static_cast<unsigned char>(c)] = always_clue;
        of[static_cast<unsigned char>('%')] = percent_clue;
        of[static_cast<unsigned char>('+')] = of[static_cast<unsigned char>('-')] = sum_clue;
        of[static_cast<unsigned char>('{')] = brace_clue;
        of[static_cast<unsigned char>('/')] = slash_clue;
        of[static_cast<unsigned char>('~')] = of[static_cast<unsigned char>('?')] = skip_clue;
        of[static_cast<unsigned char>('B')] = of[static_cast<unsigned char>('b')] = b_clue;
        of[static_cast<unsigned char>('_')] = underscore_clue;
        of[static_cast<unsigned char>('U')] = of[static_cast<unsigned char>('u')] = u_clue;
        of[static_cast<unsigned char>('0')] = zero_clue;  // 0h0A0B, 0x1F (few statements hold a 0)
    }
};
constexpr Clues clues;

// AND, OR, NOT, WHERE, HAVING, ON, WHEN (a function's name, the usual word before "(", is none).
bool condition_word(std::string_view word) {
    if (word.size() < 2 || word.size() > 6) return false;
    switch (upper(word[0])) {
    case 'A': case 'O': case 'N': case 'W': case 'H': break;
    default: return false;
    }
    const Kw kw = keyword_of(word);
    return kw == Kw::logic || kw == Kw::where || kw == Kw::having || kw == Kw::on || kw == Kw::when;
}

// AT, PI, FV or PV: the function rows' names of two letters (IN, the usual word of two before "(", is none).
bool two_letter_function(std::string_view word) {
    const char first = upper(word[0]);
    switch (upper(word[1])) {
    case 'T': return first == 'A';
    case 'I': return first == 'P';
    case 'V': return first == 'F' || first == 'P';
    default: return false;
    }
}

// Whether the position stands in a table list: the nearest clause keyword before it, read backwards
// as plain words, is FROM or JOIN.
bool in_table_list(std::string_view text, std::size_t at) {
    while (at > 0) {
        std::string_view word = word_before(text, at);
        if (word.empty()) {
            --at;
            continue;
        }
        switch (keyword_of(word)) {
        case Kw::from: case Kw::join: case Kw::on: return true;  // a comma after a join condition: a table
        case Kw::select: case Kw::where: case Kw::group: case Kw::having: case Kw::order: case Kw::union_:
        case Kw::into:
            return false;
        default: break;
        }
        at = static_cast<std::size_t>(word.data() - text.data());
    }
    return false;
}

// The answer for the last comparison asked about: a later one that reaches it reading backwards
// (over plain words, no group around it skipped) has the same nearest clause keyword.
struct SelectListAnswer {
    std::size_t at = 0;
    bool known = false, value = false;
};

// Whether the position stands in a select list: the nearest clause keyword before it is SELECT.
bool in_select_list(std::string_view text, std::size_t at, SelectListAnswer &last) {
    const std::size_t asked = at;
    bool skipped_past = false;
    auto answer = [&](bool value) {
        last = {asked, true, value};
        return value;
    };
    while (at > 0) {
        if (last.known && !skipped_past && at <= last.at) return answer(last.value);
        if (text[at - 1] == ')') {  // a group before it (a subquery's clauses are its own)
            const std::size_t before = at;
            std::size_t depth = 0;
            do {
                --at;
                if (text[at] == ')') ++depth;
                else if (text[at] == '(') --depth;
            } while (at > 0 && depth > 0);
            skipped_past = skipped_past || (last.known && before > last.at && at <= last.at);
            continue;
        }
        std::string_view word = word_before(text, at);
        if (word.empty()) {
            const char q = text[at - 1];
            if ((q == '\'' || q == '"' || q == ']') && at > 1) {  // 'TO' < x: a literal's words are no keywords
                const std::size_t open = text.rfind(q == ']' ? '[' : q, at - 2);
                at = open == std::string_view::npos ? 0 : open;
            } else {
                --at;
            }
            continue;
        }
        switch (keyword_of(word)) {
        case Kw::select: return answer(true);
        case Kw::from: case Kw::join: case Kw::on: case Kw::where: case Kw::group: case Kw::having:
        case Kw::order: case Kw::union_: case Kw::into:
            return answer(false);
        default: break;
        }
        at = static_cast<std::size_t>(word.data() - text.data());
    }
    return answer(false);
}

// Whether the word, read in a select list, makes its item a condition: LIKE, BETWEEN (BETW...), IS,
// IN, EXISTS (EXIS...), AND, OR or NOT. 'first' is the word's first letter in upper case, 'kw' its
// keyword (none for a word in E).
bool predicate_word(std::string_view word, char first, Kw kw) {
    if (first == 'E') return word.size() >= 4 && same_word(word, std::string_view("EXISTS").substr(0, word.size()));
    if (kw == Kw::logic) return true;
    return kw == Kw::callable ? first == 'B' || same_word(word, "LIKE") : same_word(word, "IS") || same_word(word, "IN");
}

// Whether the select list that starts at 'i' (past its SELECT), up to its FROM, INTO or UNION or
// the ")" that closes its subquery, holds LIKE, BETWEEN, IS, IN, EXISTS, AND, OR or NOT, at its own
// depth or in parentheses or a call within it ((NOT l) AS x, MAX(s LIKE 'A%')): a condition as a
// select item.
bool list_predicate(std::string_view text, std::size_t i, const lex::LiteralRules &rules) {
    const std::size_t n = text.size();
    int depth = 0;
    while (i < n) {
        const char c = text[i];
        if (!name_start(c)) {
            if (c == '(') {
                ++depth;
            } else if (c == ')' && --depth < 0) {
                return false;  // the subquery's end
            }
            const std::size_t end = c == '\'' || c == '"' || c == '[' || c == '`' ? literal_end(text, i, n, rules) : i;
            i = end == i ? i + 1 : end;
            continue;
        }
        std::size_t w1 = i + 1;
        while (w1 < n && name_char(text[w1])) ++w1;
        const std::string_view word = text.substr(i, w1 - i);
        i = w1;
        if (word.size() > 7) continue;
        // only FROM, INTO, UNION (UNIO) and the predicates matter; in parentheses, only the predicates
        const char first = upper(word[0]);
        if (depth != 0) {
            if (word.size() <= 3 ? first == 'A' || first == 'O' || first == 'N' || first == 'I'
                                 : first == 'L' || first == 'B' || first == 'E') {
                if (predicate_word(word, first, first == 'E' ? Kw::none : keyword_of(word))) return true;
            }
            continue;
        }
        if (first != 'F' && first != 'I' && first != 'U' && first != 'L' && first != 'B' && first != 'A' &&
            first != 'O' && first != 'N' && first != 'E') {
            continue;
        }
        const Kw kw = first == 'E' ? Kw::none : keyword_of(word);
        if (kw == Kw::from || kw == Kw::into || kw == Kw::union_) return false;
        if (predicate_word(word, first, kw)) return true;
    }
    return false;
}

// One past the SELECT word (or its abbreviation) at 'at', or 0 when none stands there.
std::size_t select_word_end(std::string_view text, std::size_t at) {
    if (at >= text.size() || (text[at] != 'S' && text[at] != 's')) return 0;
    std::size_t end = at + 1;
    while (end < text.size() && name_char(text[end])) ++end;
    return end - at >= 4 && end - at <= 6 && keyword_of(text.substr(at, end - at)) == Kw::select ? end : 0;
}

// UNION at 'at' (any letter case), as a word.
bool union_at(std::string_view text, std::size_t at) {
    // (c | 0x20) is the lower-case letter for the two cases of a letter and no other character
    return at + 5 <= text.size() && (at == 0 || !name_char(text[at - 1])) && (text[at + 1] | 0x20) == 'n' &&
           (text[at + 2] | 0x20) == 'i' && (text[at + 3] | 0x20) == 'o' && (text[at + 4] | 0x20) == 'n' &&
           (at + 5 == text.size() || !name_char(text[at + 5]));
}

// The select lists of the members after a UNION [ALL], the first at 'at' (the statement's first
// list is the caller's). A UNION within a literal costs a look at what follows it, no more.
bool later_member_predicate(std::string_view text, std::size_t at, const lex::LiteralRules &rules) {
    const std::size_t n = text.size();
    for (; at < n; ++at) {
        if ((text[at] != 'U' && text[at] != 'u') || !union_at(text, at)) continue;
        std::size_t next = blanks_after(text, at + 5);
        if (next + 3 < n && word_at(text, next, n, "ALL") && !name_char(text[next + 3])) next = blanks_after(text, next + 3);
        const std::size_t list = select_word_end(text, next);
        if (list != 0 && list_predicate(text, list, rules)) return true;
    }
    return false;
}

// The look itself: what stands around each clue, read as far as it takes to tell whether the pass
// may change something there. Each step answers true when it may; a step that passes over a run
// (a literal, a reference) moves 'i' to the run's last character.
class QuickLook {
public:
    QuickLook(const Pass &pass, std::string_view text)
        : pass_(pass), text_(text), n_(text.size()), compared_items_(predicate_as_value(pass.column) != "{1}") {
    }

    [[gnu::noinline]] bool worth_a_pass() {
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text_.data());
        const std::size_t n = n_;
        for (std::size_t i = 0; i < n; ++i) {
            // the common case: on to the next clue, four characters at a time
            while (n - i >= 4 && (clues.of[bytes[i]] | clues.of[bytes[i + 1]] | clues.of[bytes[i + 2]] |
                                  clues.of[bytes[i + 3]]) == no_clue) {
                i += 4;
            }
            if (n - i >= 4) {  // one of the four is a clue: no end to test on the way to it
                while (clues.of[bytes[i]] == no_clue) ++i;
            } else {
                while (i < n && clues.of[bytes[i]] == no_clue) ++i;
                if (i == n) break;
            }
            if (at_clue(clues.of[bytes[i]], i)) return true;
        }
        if (compared_items_ && (list_predicate(text_, 0, pass_.rules) ||
                                (union_ != none && later_member_predicate(text_, union_, pass_.rules)))) {
            return true;  // a condition as a select item
        }
        if ((aggregated_ || names_compared()) && may_show_dates() && pass_.shows_dates()) {
            return true;  // d1 < d2, MIN(d), COUNT(d): shown dates
        }
        if (sum_beside_ && date_clue(text_)) return true;  // d + 30 where the statement may show d to be a date
        return holds_value_word(pass_, text_);  // SELECT true FROM t: a name, quoted
    }

private:
    bool at_clue(Clue clue, std::size_t &i) {
        switch (clue) {
        case bracket_clue:
            date_hint_ = true;
            if (i > 0 && name_char(text_[i - 1])) return true;  // an array element
            return quoted(i);
        case quote_clue:
            date_hint_ = true;  // a brace in a literal is a clue of a date to date_clue
            return quoted(i);
        case close_clue:
            if (depth_ > 0) --depth_;
            return false;
        case open_clue: return opened(i);
        case dot_clue:
            date_hint_ = date_hint_ || (i > 0 && upper(text_[i - 1]) == 'M');  // m.dFrom
            return dotted(i);
        case equals_clue:
            if (text_[i] == '=' && i + 1 < n_ && text_[i + 1] == '=') return true;
            if (text_[i] == '&' || (text_[i] == '>' && i > 0 && text_[i - 1] == '-')) {
                date_hint_ = true;  // a note passed over may hold one
                return note_or_arrow(i);
            }
            if (not_after(i)) return true;  // l = NOT l2
            if (compared_items_ && compared_group_beside(i)) return true;  // l <> (a > b)
            if (compared_at_ < compared_.size()) compared_[compared_at_++] = i;  // read at the end
            return compared_items_ && in_select_list(text_, i, select_list_);  // a condition as an item
        case always_clue: return true;
        case brace_clue:
            date_hint_ = true;
            return braced(i);
        case star_clue: return starred(i);
        case slash_clue: return slashed(i);
        case skip_clue: {
            date_hint_ = true;  // ?ldFrom
            const std::size_t from = i;
            i = (text_[i] == '~' ? reference_end(text_, i, n_, pass_.rules) : parameter_end(text_, i, n_, pass_.rules)) - 1;
            return text_[from] == '?' && date_parameter_compared(from, i + 1);
        }
        case b_clue: return between_word(i);
        case percent_clue: return !named().op_modulo.target[pass_.column].empty();
        case sum_clue:
            date_hint_ = true;  // ldTo + 1
            sum_beside_ = sum_beside_ || sum_beside_name_at(text_, i);
            return text_[i] == '+' && folder_sum(i);
        case underscore_clue: return word_start(i) && system_variable_at(i);
        case u_clue:
            if (union_ == none && word_start(i) && union_at(text_, i)) union_ = i;  // a later member's list is looked at last
            return false;
        case zero_clue: return zeroed(i);
        case no_clue: return false;
        }
        return false;
    }

    // A name, not called (but for a call that gives a date, d > TTOD(t)), follows the comparison operator at 'i', and a name that is no parameter
    // stands before it, where the dialect writes two dates compared in a way of its own
    // (shown_date_compare.cpp).
    bool name_compared_at(std::size_t i) const {
        if (text_[i] == '&') return false;
        std::size_t at = i + 1;
        while (at < n_ && (text_[at] == '=' || text_[at] == '>')) ++at;
        at = blanks_after(text_, at);
        if (at >= n_ || !name_start(text_[at])) return false;
        const std::size_t name = at, name_end = name_chain_end(text_, at, n_);
        at = blanks_after(text_, name_end);
        if (at < n_ && text_[at] == '(' && !compared_date_call_word(text_.substr(name, name_end - name))) return false;
        std::size_t from = blanks_before(text_, i);
        while (from > 0 && text_[from - 1] == '<') --from;
        from = blanks_before(text_, from);
        while (from > 0 && (name_char(text_[from - 1]) || text_[from - 1] == '.')) --from;
        return from == 0 || text_[from - 1] != '?';
    }

    // A comparison met holds two names (all of them when more were met than were kept).
    bool names_compared() const {
        if (compared_at_ == 0 || named().op_shown_dates_equal.target[pass_.column].empty()) return false;
        if (compared_at_ == compared_.size()) return true;
        for (std::size_t k = 0; k < compared_at_; ++k) {
            if (name_compared_at(compared_[k])) return true;
        }
        return false;
    }

    // The statement may show a name to be a date (date_clue): the walk met a clue of one, or a call of
    // a function that reads or gives one stands in it. A part is read by the statement's answer.
    bool may_show_dates() const {
        const bool whole = text_.data() == pass_.statement.data() && n_ == pass_.statement.size();
        return !whole || date_hint_ || date_call_in(text_);
    }

    // 0h0A0B or 0x1F; any other 0 passes with the digits after it (1000 is one stop)
    bool zeroed(std::size_t &i) const {
        if (i + 1 >= n_) return false;
        const char next = upper(text_[i + 1]);
        if (next == 'H' || next == 'X') return true;
        while (i + 1 < n_ && is_digit(text_[i + 1])) ++i;
        return false;
    }
    bool word_start(std::size_t i) const { return i == 0 || !name_char(text_[i - 1]); }
    // _TALLY and the other system variables: "_" is a clue, as it starts no name of a table's field
    // that the usual statement shows (and within a name, cust_id, it costs one test)
    [[gnu::noinline]] bool system_variable_at(std::size_t i) const {
        std::size_t end = i + 1;
        while (end < n_ && name_char(text_[end])) ++end;
        return system_variable(text_.substr(i, end - i));
    }

    // The parameter from 'from' to 'end' is one FoxPro's naming makes a date (?ldTo), compared with a
    // field where the dialect finds the empty date in a way of its own: d + 30 < ?ldToday, d < ?ldTo,
    // ?ldTo > d. Out of line: rare, and kept out of the walk over every clue.
    [[gnu::cold, gnu::noinline]] bool date_parameter_compared(std::size_t from, std::size_t end) const {
        if (named_date(text_.substr(from, end - from)) == 0) return false;
        return compared_date_sum_before(from) || below_or_unequal_before(blanks_before(text_, from)) ||
               above_or_unequal_at(blanks_after(text_, end));
    }

    // A "&&" note to the end of the line, or the ">" of alias->field; out of line, as they are seldom.
    [[gnu::noinline]] bool note_or_arrow(std::size_t i) const {
        return text_[i] == '>' || (i + 1 < n_ && text_[i + 1] == '&');
    }

    // FROM m.gcDataPath + 'orders': the + at 'i' adds a literal to a name that says it holds a folder.
    bool folder_sum(std::size_t i) const {
        std::size_t next = blanks_after(text_, i + 1);
        if (next >= n_ || (text_[next] != '\'' && text_[next] != '"' && text_[next] != '[')) return false;
        const std::string_view word = word_before(text_, i);
        return !word.empty() && folder_name(word);
    }

    // A group (not a call's arguments nor a subquery) on a side of the comparison operator at 'i': it
    // may hold a condition compared as a value, (a > b) = (c > d).
    bool compared_group_beside(std::size_t i) const {
        std::size_t before = blanks_before(text_, i);
        if (before > 0 && text_[before - 1] == ')' && depth_ < opens_.size()) {
            const std::string_view word = word_before(text_, opens_[depth_]);
            if (word.empty() || keyword_of(word) != Kw::none) return true;
        }
        std::size_t after = i + 1;
        while (after < n_ && (text_[after] == '=' || text_[after] == '>' || is_blank(text_[after]))) ++after;
        return after < n_ && text_[after] == '(' && !sele_follows(text_, after, n_);
    }

    // The word NOT right after the comparison operator at 'i'.
    bool not_after(std::size_t i) const {
        if (i + 1 < n_ && (text_[i + 1] == '=' || text_[i + 1] == '>')) ++i;
        do {
            ++i;
        } while (i < n_ && is_blank(text_[i]));
        return i + 3 < n_ && (text_[i] == 'N' || text_[i] == 'n') && word_at(text_, i, n_, "NOT") && !name_char(text_[i + 3]);
    }

    // Whether the open parenthesis innermost around the position is a call's: no table list stands in one.
    bool in_call() const {
        if (depth_ == 0 || depth_ > opens_.size()) return false;
        const std::string_view word = word_before(text_, opens_[depth_ - 1]);
        return !word.empty() && keyword_of(word) == Kw::none;
    }

    // A literal: one the dialect reads backslashes in, or a quoted table name.
    [[gnu::always_inline]] bool quoted(std::size_t &i) {
        const std::size_t end = literal_end(text_, i, n_, pass_.rules);
        if (end == i) return false;
        if (pass_.double_backslashes && text_.substr(i, end - i).find('\\') != std::string_view::npos) return true;
        if (quoted_table_name(i)) return true;
        if (end == i + 2 && compared_with_empty_text(i)) return true;
        if (like_pattern(i, end)) return true;
        i = end - 1;
        return false;
    }


    // FROM (gcPath + 'dbf\orders.dbf'): a table named by a sum with a path in a literal.
    bool file_sum_in(std::size_t open) const {
        if (sele_follows(text_, open, n_)) return false;
        const std::size_t close = close_paren(text_, open, n_, pass_.rules);
        if (close == none) return false;
        bool sum = false;
        for (std::size_t at = open + 1; at < close; ++at) {
            sum = sum || text_[at] == '+';
            const std::size_t end = literal_end(text_, at, close, pass_.rules);
            if (end == at) continue;
            if (sum && text_.substr(at, end - at).find_first_of("\\/") != std::string_view::npos) return true;
            at = end - 1;
        }
        return false;
    }

    // x = '' (or <>, #) where the dialect rewrites the comparison with the empty text.
    bool compared_with_empty_text(std::size_t i) const {
        if (named().op_empty_text_equal.target[pass_.column].empty()) return false;
        i = blanks_before(text_, i);
        return i > 0 && (text_[i - 1] == '=' || text_[i - 1] == '>' || text_[i - 1] == '#');
    }

    // A pattern after LIKE where the dialect trims the matched side (like_trimmed.cpp). Kept out of line:
    // inlined, it made the clue loop too large for the compiler to inline into worth_a_pass.
    [[gnu::noinline]] bool like_pattern(std::size_t i, std::size_t end) const {
        if (named().op_like_trimmed.target[pass_.column].empty() || !like_pattern_closed(text_, i, end)) return false;
        const std::string_view word = word_before(text_, i);
        return word.size() == 4 && same_word(word, "LIKE");
    }

    // After FROM or JOIN, or after a comma of the table list.
    bool quoted_table_name(std::size_t i) {
        std::size_t before = blanks_before(text_, i);
        if (before > 0 && text_[before - 1] == ',') {
            return !in_call() && (++table_checks_ > 16 || in_table_list(text_, before - 1));
        }
        if (before > 0 && text_[before - 1] == '(') {  // FROM ('file.dbf'), a, ('file.dbf')
            std::size_t open = blanks_before(text_, before - 1);
            if (open > 0 && text_[open - 1] == ',') return ++table_checks_ > 16 || in_table_list(text_, open - 1);
            return after_from_or_join(before - 1);
        }
        return after_from_or_join(i);
    }

    bool after_from_or_join(std::size_t at) const {
        const Kw kw = keyword_of(word_before(text_, at));
        return kw == Kw::from || kw == Kw::join;
    }

    // PADR, PADL or PADC in a dialect that compares its padding as a value of the field's kind.
    bool pad_call(std::string_view word) const {
        return pad_name(word) && !named().op_pad_compared.target[pass_.column].empty();
    }

    // An open parenthesis: WITH (...), a call with a blank before its "(", a call the pass rewrites.
    bool opened(std::size_t i) {
        if (depth_ < opens_.size()) opens_[depth_] = i;
        ++depth_;
        if (compared_items_ && i + 1 < n_ && ((text_[i + 1] | 0x20) == 's' || is_blank(text_[i + 1]))) {
            const std::size_t list = select_word_end(text_, blanks_after(text_, i + 1));  // a subquery's list
            if (list != 0 && list_predicate(text_, list, pass_.rules)) return true;
        }
        const std::string_view word = call_noted(i);
        if (compared_items_ && (word.empty() ? i > 0 && text_[i - 1] == '(' : condition_word(word)) && lone_name_in(i)) {
            return true;  // WHERE (lActive), NOT(lx), AND (lPaid): a logical field as a condition
        }
        if (word.empty()) return false;
        if (word.size() == 4 && ((upper(word[0]) == 'W' && keyword_of(word) == Kw::with) || pad_call(word))) return true;
        if (word.size() == 4 && (same_word(word, "FROM") || same_word(word, "JOIN"))) return file_sum_in(i);
        if (is_blank(text_[i - 1]) && !named().clause_call_blank.target[pass_.column].empty()) {
            const Kw kw = keyword_of(word);
            if (kw == Kw::none || kw == Kw::callable) return true;  // COUNT (*)
        }
        // the names of the function rows: AT, PI, FV and PV, then three letters to twelve
        if (word.size() == 2 ? !two_letter_function(word) : word.size() < 3 || word.size() > 12) {
            return false;
        }
        if (!full_function_name(word).empty()) return true;  // UPPE(x)
        if (word.size() <= 5 && !named().op_date_part_argument_days.target[pass_.column].empty() &&
            (facts_of(word) & Fact::reads_date) != 0 && days_added_in(i)) {
            return true;  // MONTH(d + 1)
        }
        if (array_in_parentheses(word, text_.substr(0, n_), i)) return true;  // laX(1)
        if (same_word(word, "DATE") &&
            (today_compared(word) || date_call(word, i, named().fn_date, named().op_date_days, named().op_date_difference) ||
             compared_sum_before(static_cast<std::size_t>(word.data() - text_.data()), named().op_date_value_days) ||
             compared_sum_after_call(i, named().op_date_value_days))) {
            return true;
        }
        if (same_word(word, "DATETIME") &&
            (today_compared(word) || date_call(word, i, named().fn_datetime, named().op_datetime_seconds, named().op_datetime_difference) ||
             compared_sum_before(static_cast<std::size_t>(word.data() - text_.data()), named().op_datetime_value_seconds) ||
             compared_sum_after_call(i, named().op_datetime_value_seconds))) {
            return true;
        }
        if (word.size() == 4 && same_word(word, "TTOD") &&
            ((!named().op_date_difference.target[pass_.column].empty() && minus_after(i)) ||
             compared_sum_after_call(i, named().op_date_value_days))) {
            return true;  // TTOD(t) - d: the days between two dates; TTOD(t) > d + 3
        }
        if (word.size() == 3 && (same_word(word, "DAY") || same_word(word, "DOW")) && minus_before(word) &&
            (!named().op_date_value_days.target[pass_.column].empty() || !named().op_days_value.target[pass_.column].empty())) {
            return true;  // d - DAY(d): a date less days
        }
        // IIF or NVL where a condition starts, in a dialect whose CASE gives no condition
        if (compared_items_ && (same_word(word, "IIF") || same_word(word, "NVL")) &&
            starts_condition(static_cast<std::size_t>(word.data() - text_.data()))) {
            return true;
        }
        if (const Construct *row = function_named(word)) {
            const Answer answer = row_call(*row, word, i);
            if (answer != Answer::unknown) return answer == Answer::yes;
        }
        return host_function_lacking(word, pass_.column);  // GETENV('USER'), PROPER(m.x)
    }

    enum class Answer : std::uint8_t { no, yes, unknown };
    // The call of a function the map has rows for, whose "(" is at 'i': one the pass rewrites (yes),
    // a name alone in a call that takes more (no: ALLTRIM(name)), or neither.
    Answer row_call(const Construct &row, std::string_view word, std::size_t i) const {
        // MAX or MIN: the names of the logical aggregate's rows, told by their letters before the rows are asked
        const bool extreme = word.size() == 3 && upper(word[0]) == 'M' && (upper(word[1]) == 'A' || upper(word[1]) == 'I');
        const bool aggregate = extreme && (&row == &named().fn_max_logical || &row == &named().fn_min_logical);
        if ((row.min_args > 1 || aggregate) && lone_name_in(i)) {
            const Construct *one = taking(row, 1);
            if (one == nullptr) return Answer::no;  // ALLTRIM(name)
            if (one == &named().fn_max_logical || one == &named().fn_min_logical) {  // HAVING MAX(l)
                const bool condition = !left_to_dialect(*one, pass_.column) &&
                                       starts_condition(static_cast<std::size_t>(word.data() - text_.data()));
                return condition ? Answer::yes : Answer::no;
            }
        }
        return rewritten_call(row, i, extreme) ? Answer::yes : Answer::unknown;
    }

    // The call of a function the map has rows for, whose "(" is at 'i', is one the pass rewrites.
    // (MAX(x) of one argument, a logical's aggregate only of a name alone, is none).
    bool rewritten_call(const Construct &row, std::size_t i, bool extreme) const {
        if (left_to_dialect(row, pass_.column) && !has_siblings(row)) return false;
        const auto [close, count] = call_extent(text_, i, n_, pass_.rules);
        const Construct *fit = close == none ? nullptr : taking(row, count);
        if (fit == nullptr || left_to_dialect(*fit, pass_.column)) return false;
        return !extreme || (fit != &named().fn_max_logical && fit != &named().fn_min_logical);
    }

    // After WHERE, HAVING, ON, WHEN, AND, OR, NOT, "(" or "!", or at the start of a text (an
    // argument that a rewrite reads as a condition).
    bool starts_condition(std::size_t at) const {
        at = blanks_before(text_, at);
        if (at == 0) return true;
        if (at > 0 && (text_[at - 1] == '(' || text_[at - 1] == '!')) return true;
        const std::string_view word = word_before(text_, at);
        if (word.empty()) return false;
        const Kw kw = keyword_of(word);
        return kw == Kw::where || kw == Kw::having || kw == Kw::on || kw == Kw::logic || kw == Kw::when;
    }

    // d < DATE(), d <> DATETIME(): where the dialect finds the empty date by such a comparison in a way
    // of its own.
    bool today_compared(std::string_view word) const {
        return below_or_unequal_before(blanks_before(text_, static_cast<std::size_t>(word.data() - text_.data())));
    }

    // DATE(), DATE() - 30, DATETIME(), DATETIME() + 60: the call alone, or with a sum
    // DATE() or DATETIME() where the dialect writes it, or a sum or difference of it where the
    // dialect writes that.
    bool date_call(std::string_view word, std::size_t open, const Construct &alone, const Construct &sum,
                   const Construct &difference) const {
        std::size_t at = blanks_after(text_, open + 1);
        if (at >= n_ || text_[at] != ')') return false;
        if (!alone.target[pass_.column].empty()) return true;
        do ++at;
        while (at < n_ && is_blank(text_[at]));
        if (at < n_ && (text_[at] == '+' || text_[at] == '-') &&
            (!sum.target[pass_.column].empty() || !named().op_days_value.target[pass_.column].empty())) {
            return true;
        }
        if (difference.target[pass_.column].empty()) return false;
        if (at < n_ && text_[at] == '-') return true;
        std::size_t before = blanks_before(text_, static_cast<std::size_t>(word.data() - text_.data()));
        return before > 0 && text_[before - 1] == '-';
    }

    // .T., .NULL., .DBF, m.x and the object references.
    bool dotted(std::size_t i) const {
        if (i + 1 >= n_) return false;
        const char after = upper(text_[i + 1]);
        const bool logical = after == 'T' || after == 'F' || after == 'Y' || after == 'N';
        if (logical && i + 2 < n_ && text_[i + 2] == '.') return true;
        if ((after == 'N' || after == 'D') && (word_at(text_, i + 1, n_, "NULL") || word_at(text_, i + 1, n_, "DBF"))) {
            return true;
        }
        // a name before .AND. or .OR.: a logical field, where SQL Server and Oracle take no name as a condition
        if (compared_items_ && (after == 'A' || after == 'O') && i > 0 && name_char(text_[i - 1]) &&
            dotted_operator(text_, i, n_)) {
            return true;
        }
        const char last = i > 0 ? upper(text_[i - 1]) : '\0';
        if (last == 'M' || last == 'S' || last == 'T' || last == 'N' || last == 'P') {  // m.x, this.x, thisform.x, thisformset.x, _screen.x, _vfp.x
            std::size_t from = i - 1;
            while (from > 0 && name_char(text_[from - 1])) --from;
            if (object_word(text_.substr(from, i - from)) && name_start(text_[i + 1])) return true;
        }
        return host_member(i);
    }

    // word.x at the "." 'i', where the statement names no table or alias word (goApp.cUser).
    bool host_member(std::size_t i) const {
        if (i == 0 || !name_char(text_[i - 1]) || !name_start(text_[i + 1])) return false;
        std::size_t from = i - 1;
        while (from > 0 && name_char(text_[from - 1])) --from;
        if (!name_start(text_[from]) || is_digit(text_[from])) return false;
        if (from > 0 && std::strchr(".!\\:?~", text_[from - 1]) != nullptr) return false;
        const std::string_view word = text_.substr(from, i - from);
        return pass_.host_qualifier(word) && !dotted_operator(text_, i, n_, true) && keyword_of(word) == Kw::none;
    }

    // The parenthesis opened at 'i' begins with a name (or a parameter) plus or minus a number: d + 1.
    bool days_added_in(std::size_t i) const {
        std::size_t at = blanks_after(text_, i + 1);
        if (at < n_ && text_[at] == '?') ++at;
        if (at >= n_ || !name_start(text_[at])) return false;
        at = name_chain_end(text_, at, n_);
        at = blanks_after(text_, at);
        if (at >= n_ || (text_[at] != '+' && text_[at] != '-')) return false;
        do ++at;
        while (at < n_ && is_blank(text_[at]));
        return at < n_ && is_digit(text_[at]);
    }

    // The word before the "(" at 'i', noted where it calls MIN, COUNT or CNT of a name, which the dialect
    // writes of a name the statement shows to be a date (read at the end).
    std::string_view call_noted(std::size_t i) {
        const std::string_view word = word_before(text_, i);
        if (word.size() >= 3 && word.size() <= 6 && !aggregated_ && name_after(i) && shown_date_call_word(word)) {
            aggregated_ = !named().fn_count_shown_date.target[pass_.column].empty();
        }
        return word;
    }

    // A name begins the first argument of the call whose "(" is at 'i' (COUNT(*) holds none).
    bool name_after(std::size_t i) const {
        const std::size_t at = blanks_after(text_, i + 1);
        return at < n_ && name_start(text_[at]);
    }

    // The parenthesis opened at 'i' holds one name (with its members, or a parameter ?name) and nothing else.
    bool lone_name_in(std::size_t i) const {
        std::size_t at = blanks_after(text_, i + 1);
        if (at < n_ && text_[at] == '?') {  // a parameter: ?lx, ? m.lx
            ++at;
            at = blanks_after(text_, at);
        }
        if (at >= n_ || !name_start(text_[at])) return false;
        while (at < n_ && (name_char(text_[at]) || text_[at] == '.')) ++at;
        at = blanks_after(text_, at);
        return at < n_ && text_[at] == ')';
    }

    // A date literal {mm/dd/yyyy}, or one of any kind with a number added or taken ({^2020-01-31} + 30);
    // any other brace run is passed over.
    bool braced(std::size_t &i) const {
        if (compared_date_sum_before(i)) {
            return true;  // d + 30 < {^2020-01-31}
        }
        std::size_t at = blanks_after(text_, i + 1);
        if (at < n_ && is_digit(text_[at])) return true;
        const std::size_t close = text_.find('}', i);
        if (close == std::string_view::npos) {
            i = n_ - 1;  // an open brace: the rest is passed over
            return false;
        }
        // an empty date not after a comparison may be a select item alone (SELECT {} AS d), typed there
        const bool empty = text_.substr(i + 1, close - i - 1).find_first_not_of(" /:") == std::string_view::npos;
        std::size_t before = blanks_before(text_, i);
        if (empty && before > 0 && std::string_view("=<>#").find(text_[before - 1]) == std::string_view::npos) return true;
        if (empty && before == 0 && close + 1 == n_ && !named().lit_empty_date_argument.target[pass_.column].empty()) {
            return true;  // EMPTY({}): a call's whole argument, typed where the dialect needs it
        }
        if (!empty && before > 0 && text_[before - 1] == '-' &&  // d - {^2016-01-05}: the days between
            (!named().op_date_difference.target[pass_.column].empty() ||
             !named().op_datetime_difference.target[pass_.column].empty())) {
            return true;
        }
        if (!empty && compared_date_sum_after(close + 1)) return true;  // {^2020-01-31} < d + 30
        if (!empty && below_or_unequal_before(before)) return true;     // d < {^2020-01-31}: the empty date too
        if (!empty && not_range_before(before)) return true;            // d NOT IN ({^2020-01-31}): the empty date too
        i = close;
        at = close + 1;
        at = blanks_after(text_, at);
        if (!empty && above_or_unequal_at(at)) return true;  // {^2020-01-31} > d: the empty date too
        return at < n_ && (text_[at] == '+' || text_[at] == '-');
    }

    // NOT BETWEEN or NOT IN ( ends at 'at', where the dialect finds the empty date outside a range of
    // dates in a way of its own.
    bool not_range_before(std::size_t at) const {
        if (named().op_empty_date_outside.target[pass_.column].empty()) return false;
        if (at > 0 && text_[at - 1] == '(') at = blanks_before(text_, at - 1);
        const std::size_t word = name_start_before(at);
        if (!word_at(text_, word, n_, "BETWEEN") && !word_at(text_, word, n_, "IN")) return false;
        const std::size_t before = blanks_before(text_, word);
        return before >= 3 && word_at(text_, before - 3, n_, "NOT");
    }
    std::size_t name_start_before(std::size_t at) const {
        while (at > 0 && name_char(text_[at - 1])) --at;
        return at;
    }

    // >, >=, <>, # or != begins at 'at', where the dialect finds the empty date by such a comparison in
    // a way of its own.
    bool above_or_unequal_at(std::size_t at) const {
        if (at >= n_ || named().op_empty_date_above.target[pass_.column].empty()) return false;
        const char first = text_[at], next = at + 1 < n_ ? text_[at + 1] : '\0';
        return first == '>' || first == '#' || (first == '!' && next == '=') || (first == '<' && next == '>');
    }

    // <, <=, <>, # or != ends at 'at', where the dialect finds the empty date by such a comparison in a
    // way of its own.
    bool below_or_unequal_before(std::size_t at) const {
        if (at == 0 || named().op_empty_date_below.target[pass_.column].empty()) return false;
        const char last = text_[at - 1], first = at > 1 ? text_[at - 2] : '\0';
        return last == '<' || last == '#' || (last == '=' && (first == '<' || first == '!')) || (last == '>' && first == '<');
    }

    // A sum of days or of seconds compared with what begins at 'at', where the dialect writes either.
    bool compared_date_sum_before(std::size_t at) const {
        return compared_sum_before(at, named().op_date_value_days) || compared_sum_before(at, named().op_datetime_value_seconds);
    }

    // A name plus or minus a number or a name compared with what begins at 'at' (d + 30 < DATE(),
    // d + nDays = {^2020-03-02}), where the dialect adds days or seconds to a date in a way of its own.
    bool compared_sum_before(std::size_t at, const Construct &sum) const {
        if (sum.target[pass_.column].empty()) return false;
        at = blanks_before(text_, at);
        const std::size_t compare = at;
        while (at > 0 && (text_[at - 1] == '<' || text_[at - 1] == '>' || text_[at - 1] == '=' || text_[at - 1] == '#')) --at;
        if (at == compare) return false;
        at = blanks_before(text_, at);
        const std::size_t digits = at;
        while (at > 0 && (name_char(text_[at - 1]) || text_[at - 1] == '.' || text_[at - 1] == '?')) --at;
        if (at == digits) return false;
        at = blanks_before(text_, at);
        return at > 0 && (text_[at - 1] == '+' || text_[at - 1] == '-');
    }

    // A "-" stands before the word (blanks between allowed).
    bool minus_before(std::string_view word) const {
        std::size_t at = blanks_before(text_, static_cast<std::size_t>(word.data() - text_.data()));
        return at > 0 && text_[at - 1] == '-';
    }

    // What ends at 'at' is compared with a name plus or minus something (DATE() > d + 5, {^2020-01-31} <
    // d + 30), where the dialect adds days or seconds to a date in a way of its own.
    bool compared_sum_after(std::size_t at, const Construct &sum) const {
        if (sum.target[pass_.column].empty()) return false;
        at = blanks_after(text_, at);
        const std::size_t compare = at;
        while (at < n_ && std::string_view("<>=#!").find(text_[at]) != std::string_view::npos) ++at;
        if (at == compare) return false;
        at = blanks_after(text_, at);
        const std::size_t name = at;
        while (at < n_ && (name_char(text_[at]) || text_[at] == '.' || text_[at] == '?')) ++at;
        if (at == name) return false;
        at = blanks_after(text_, at);
        return at < n_ && (text_[at] == '+' || text_[at] == '-');
    }
    bool compared_date_sum_after(std::size_t at) const {
        return compared_sum_after(at, named().op_date_value_days) || compared_sum_after(at, named().op_datetime_value_seconds);
    }
    // the same after the call whose parenthesis opens at 'open'
    bool compared_sum_after_call(std::size_t open, const Construct &sum) const {
        if (sum.target[pass_.column].empty()) return false;
        const std::size_t close = call_extent(text_, open, n_, pass_.rules).close;
        return close != none && compared_sum_after(close + 1, sum);
    }

    // A "-" follows the call whose parenthesis opens at 'open'.
    bool minus_after(std::size_t open) const {
        std::size_t at = call_extent(text_, open, n_, pass_.rules).close;
        if (at == none) return false;
        ++at;
        at = blanks_after(text_, at);
        return at < n_ && text_[at] == '-';
    }

    // a path (db/table), or a division with a whole number on a side (COUNT(*) / 12)
    bool slashed(std::size_t i) const {
        if (i > 0 && i + 1 < n_ && name_char(text_[i - 1]) && name_char(text_[i + 1])) return true;
        if (!named().op_divide.target[pass_.column].empty()) return true;  // every quotient there
        return !named().op_whole_division.target[pass_.column].empty() && whole_division_at(text_, i);
    }

    // * beside other items of a select list
    bool starred(std::size_t i) const {
        if (i + 1 < n_ && text_[i + 1] == '*') return true;  // a ** b
        if (named().clause_star.target[pass_.column].empty()) return false;
        std::size_t before = i, after = i + 1;
        before = blanks_before(text_, before);
        after = blanks_after(text_, after);
        return (before > 0 && text_[before - 1] == ',') || (after < n_ && text_[after] == ',');
    }

    // BETW, BETWE, BETWEE
    bool between_word(std::size_t &i) const {
        if (i > 0 && name_char(text_[i - 1])) return false;
        std::size_t w1 = i + 1;
        while (w1 < n_ && name_char(text_[w1])) ++w1;
        if (w1 - i >= 4 && w1 - i <= 6 && keyword_of(text_.substr(i, w1 - i)) == Kw::callable) return true;
        i = w1 - 1;
        return false;
    }

    const Pass &pass_;
    std::string_view text_;
    std::size_t n_;
    bool compared_items_;
    bool sum_beside_ = false;
    bool aggregated_ = false;  // MIN, COUNT or CNT called, where the dialect writes them of a shown date
    std::array<std::size_t, 8> compared_{};  // the comparison operators met (a.d = b.d), the last slot for more
    std::size_t compared_at_ = 0;
    bool date_hint_ = false;       // a brace, parameter, m.x, sum, literal or note met: date_clue may hold
    std::size_t union_ = none;  // the first UNION
    int table_checks_ = 0;
    // The open parentheses (up to 64 deep). A slot is read where no "(" was recorded: after a ")"
    // that closes nothing (depth 0) and after a reference that ends in one, ~(nA + 1) <> b.
    std::array<std::size_t, 64> opens_{};
    std::size_t depth_ = 0;
    SelectListAnswer select_list_;
};

}  // namespace

// Whether the statement may hold a construct the pass rewrites: a quick look for the characters and
// words that begin one (never false where the pass would change something; the tests hold it to
// that). Most statements have none, and they cost this look only.
bool worth_a_pass(const Pass &pass, std::string_view text) { return QuickLook(pass, text).worth_a_pass(); }

}  // namespace tarnvel::select::fox
