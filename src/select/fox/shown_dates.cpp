// The names a statement shows to be dates or datetimes by what it does with them: compared with a
// date, read by a function that reads one. The same name plus or minus days, or taken from a date,
// is then written as the dialect counts days (dates.cpp), in the whole statement.
#include "select/fox/scan.h"

#include <cstring>
#include <iterator>

namespace tarnvel::select::fox {
namespace {

// A side of a comparison that is a number (qty > 0): the name on the other side is one.
constexpr int number_kind = 3;

// How strongly a use shows the kind of a name: a function that reads dates and datetimes alike, one
// that reads only one of them, a comparison with a date or a datetime.
enum Strength : std::uint8_t { reads_either = 1, reads_one = 2, compared = 3 };

struct Reader {
    std::string_view name;
    std::uint8_t kind;  // 1 a date, 2 a datetime
    std::uint8_t strength;
};

constexpr Reader readers[] = {
    {"DTOS", 1, reads_either},    {"DTOC", 1, reads_either},   {"YEAR", 1, reads_either},
    {"MONTH", 1, reads_either},   {"DAY", 1, reads_either},    {"CDOW", 1, reads_either},
    {"CMONTH", 1, reads_either},  {"DOW", 1, reads_either},    {"GOMONTH", 1, reads_either},
    {"QUARTER", 1, reads_either}, {"WEEK", 1, reads_either},   {"DMY", 1, reads_either},
    {"MDY", 1, reads_either},     {"DTOT", 1, reads_one},      {"TTOD", 2, reads_one},
    {"TTOC", 2, reads_one},       {"HOUR", 2, reads_one},      {"MINUTE", 2, reads_one},
    {"SEC", 2, reads_one},
};

constexpr auto reader_table() {
    WordTable<64> table;
    for (std::size_t i = 0; i < std::size(readers); ++i) table.add(readers[i].name, static_cast<std::uint8_t>(i));
    return table;
}
constexpr auto reader_names = reader_table();

const Reader *reader_of(std::string_view word) {
    int i = reader_names.find(word);
    if (i < 0 && word.size() >= 4) {
        const std::string_view full = full_function_name(word);
        if (!full.empty()) i = reader_names.find(full);
    }
    return i < 0 ? nullptr : &readers[i];
}

bool between_word(std::string_view word) {
    return word.size() >= 4 && upper(word[0]) == 'B' && keyword_of(word) == Kw::callable;
}

}  // namespace

bool sum_beside_name_at(std::string_view text, std::size_t at) {
    const std::size_t before = blanks_before(text, at);
    std::size_t from = before;
    while (from > 0 && (name_char(text[from - 1]) || text[from - 1] == '.')) --from;
    if (from < before && name_start(text[from])) return true;
    // MAX(d) + 30, IIF(c, d1, d2) + 30, (SELECT MAX(d) ...) - 7, {^2020-01-31} - nDays: a call, group or
    // literal whose source may show it to give a date
    if (before > 0 && (text[before - 1] == ')' || text[before - 1] == '}')) return true;
    const std::size_t after = blanks_after(text, at + 1);
    return after < text.size() && (name_start(text[after]) || text[after] == '?');
}

bool sum_beside_name(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((text[at] == '+' || text[at] == '-') && sum_beside_name_at(text, at)) return true;
    }
    return false;
}

// A memory variable m.x that FoxPro's naming makes a date or a datetime (m.dFrom, m.ldTo).
bool named_date_variable(std::string_view text) {
    for (std::size_t at = text.find('.'); at != std::string_view::npos; at = text.find('.', at + 1)) {
        if (at == 0 || upper(text[at - 1]) != 'M' || (at >= 2 && name_char(text[at - 2]))) continue;
        if (named_date(text.substr(at - 1, name_chain_end(text, at - 1, text.size()) - (at - 1))) != 0) return true;
    }
    return false;
}

namespace {
// A variable FoxPro's naming makes a date or a datetime beside a + or a -, written with no m.
// (ldTo + 1, 30 - tdFrom): the pass reads it as the date it names.
bool named_date_summed(std::string_view text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '+' && text[at] != '-') continue;  // a loop of its own: find_first_of asks memchr per character
        const std::size_t before = blanks_before(text, at);
        std::size_t from = before;
        while (from > 0 && name_char(text[from - 1])) --from;
        if (from < before && named_date(text.substr(from, before - from)) != 0) return true;
        const std::size_t after = blanks_after(text, at + 1);
        if (after < text.size() && name_start(text[after]) &&
            named_date(text.substr(after, name_chain_end(text, after, text.size()) - after)) != 0) {
            return true;
        }
    }
    return false;
}
}  // namespace

// A date literal, a call of a function that gives or reads a date or a datetime, or a parameter or
// variable FoxPro's naming makes one (?ldFrom, m.dTo, ldTo + 1).
bool date_call_in(std::string_view text) {
    for (std::size_t at = text.find('('); at != std::string_view::npos; at = text.find('(', at + 1)) {
        const std::string_view word = word_before(text, at);
        if (!word.empty() && (reader_of(word) != nullptr || gives_date_word(word) != 0 || between_word(word))) return true;
    }
    return false;
}

bool date_clue(std::string_view text) {
    if (text.find('{') != std::string_view::npos || date_call_in(text)) return true;
    for (std::size_t at = text.find('?'); at != std::string_view::npos; at = text.find('?', at + 1)) {
        const std::size_t from = blanks_after(text, at + 1);
        if (from < text.size() && name_start(text[from]) &&
            named_date(text.substr(from, name_chain_end(text, from, text.size()) - from)) != 0) {
            return true;
        }
    }
    return named_date_variable(text) || named_date_summed(text);
}

namespace {

// One walk over the statement, outside literals, that notes what each use shows.
class Gatherer {
public:
    Gatherer(const Pass &pass, std::string_view text) : pass_(pass), text_(text), n_(text.size()) {}

    void run() {
        for (std::size_t i = 0; i < n_;) i = step(i);
        for (std::size_t k = 0; k < subtracted_count_; ++k) {  // unless the statement shows it a number
            if (!noted_number(subtracted_[k].name)) note(subtracted_[k].name, subtracted_[k].kind, reads_either);
        }
        for (int round = 0; round < 2; ++round) {  // a name compared with a name known by now
            for (std::size_t k = 0; k < pairs_; ++k) {
                const int a = known(compared_[k][0]), b = known(compared_[k][1]);
                if (a != 0 && b == 0) note(compared_[k][1], a, compared);
                if (b != 0 && a == 0) note(compared_[k][0], b, compared);
            }
        }
    }

private:
    // What a side of a comparison is: a lone name (or parameter), or something that gives a date (1)
    // or a datetime (2) ending at 'end'.
    struct Side {
        std::string_view name;
        int kind = 0;
        std::size_t end = none;
    };

    std::size_t step(std::size_t i) {
        const char c = text_[i];
        if (std::strchr("=<>#!", c) != nullptr && c != '\0') return comparison(i);
        if (c == '{') {
            const std::size_t close = text_.find('}', i);
            return close == std::string_view::npos ? n_ : close + 1;
        }
        if (c == '?') return parameter_end(text_, i, n_, pass_.rules);
        if (c == '-') {
            difference(i);
            return i + 1;
        }
        if (c == '~') return reference_end(text_, i, n_, pass_.rules);
        if (const std::size_t end = literal_end(text_, i, n_, pass_.rules); end != i) return end;
        return name_start(c) ? word(i) : i + 1;
    }

    std::size_t word(std::size_t i) {
        std::size_t w1 = i;
        while (w1 < n_ && name_char(text_[w1])) ++w1;
        const std::string_view w = text_.substr(i, w1 - i);
        const std::size_t open = blanks_after(text_, w1);
        if (open < n_ && text_[open] == '(') {
            if (const Reader *reader = reader_of(w)) first_argument(open, reader->kind, reader->strength);
            else if (between_word(w)) between_call(open);
            return open + 1;
        }
        if (between_word(w)) between_keyword(i, w1);
        return w1;
    }

    // The argument of a function that reads a date or a datetime.
    void first_argument(std::size_t open, int kind, std::uint8_t strength) {
        const std::size_t close = close_paren(text_, open, n_, pass_.rules);
        if (close == none) return;
        const std::string_view name = lone_name(open + 1, next_comma(text_, open + 1, close, pass_.rules));
        if (!name.empty()) note(name, kind, strength);
    }

    // x op y, the operator at 'i': a lone name on one side, a date or another lone name on the other.
    std::size_t comparison(std::size_t i) {
        std::size_t c1 = i;
        while (c1 < n_ && std::strchr("=<>#!", text_[c1]) != nullptr && text_[c1] != '\0') ++c1;
        if (c1 == i + 1 && text_[i] == '!') return c1;  // FoxPro's NOT
        const std::size_t left = primary_start(text_.substr(0, i), 0);
        if (left == none) return c1;
        if (alone_before(left)) relate(side(left, blanks_before(text_, i)), side_after(c1));
        else relate(name_with_days(left), side_after(c1));
        return c1;
    }

    // x - y, the "-" at 'i'. d - DATE(), d - {^2020-01-31}: FoxPro takes no date from a number, so d is
    // a date (a datetime). DATE() - d, DATE() - (d + 30) standing as a value of its own or compared
    // with a number: the days between two dates, as the difference is written (dates.cpp), so d is a
    // date there too.
    void difference(std::size_t i) {
        const std::size_t right = blanks_after(text_, i + 1), right_end = primary_end_at(right);
        if (right_end == none || right >= n_) return;
        const std::size_t next = blanks_after(text_, right_end);
        if (next < n_ && std::strchr("*/%^", text_[next]) != nullptr && text_[next] != '\0') return;
        const Side b = text_[right] == '(' ? grouped_name_with_days(right, right_end) : side(right, right_end);
        if (b.kind == 0 && b.name.empty()) return;
        const std::size_t left = primary_start(text_.substr(0, i), 0);
        if (left == none || !alone_before(left)) return;
        const std::size_t left_end = blanks_before(text_, i);
        const Side a = side(left, left_end);
        if (!a.name.empty() && a.kind == 0 && (b.kind == 1 || b.kind == 2) && text_[right] != '(') {
            note(a.name, b.kind, compared);
        } else if (today_call(left, left_end) != 0 && !b.name.empty() && b.kind == 0 && text_[right] != '?' &&
                   !named_number(b.name) && !object_word(b.name.substr(0, name_end_of(b.name))) &&
                   (stands_alone(left, days_after(next)) || compared_with_number(next)) &&
                   subtracted_count_ < subtracted_.size()) {
            subtracted_[subtracted_count_++] = {b.name, static_cast<std::uint8_t>(today_call(left, left_end)), 0};
        }
    }

    // Past + n or - n at 'at' (DATE() - d + 1: days added to the difference), else 'at'.
    std::size_t days_after(std::size_t at) const {
        if (at >= n_ || (text_[at] != '+' && text_[at] != '-')) return at;
        const std::size_t number = blanks_after(text_, at + 1);
        return number < n_ && is_digit(text_[number]) ? blanks_after(text_, number_end(text_, number, n_)) : at;
    }

    // A comparison with a number follows at 'at' (DATE() - d > 30).
    bool compared_with_number(std::size_t at) const {
        std::size_t c1 = at;
        while (c1 < n_ && std::strchr("=<>#!", text_[c1]) != nullptr && text_[c1] != '\0') ++c1;
        const std::size_t number = blanks_after(text_, c1);
        return c1 > at && number < n_ && is_digit(text_[number]);
    }

    // DATE() (1) or DATETIME() (2) from 'from' to 'to'; 0 for anything else.
    int today_call(std::size_t from, std::size_t to) const {
        std::size_t w1 = from;
        while (w1 < to && name_char(text_[w1])) ++w1;
        const std::size_t open = blanks_after(text_, w1);
        if (open >= to || text_[open] != '(' || blanks_after(text_, open + 1) != to - 1) return 0;
        const std::string_view word = text_.substr(from, w1 - from);
        return same_word(word, "DATE") ? 1 : same_word(word, "DATETIME") ? 2 : 0;
    }

    static std::size_t name_end_of(std::string_view name) {
        std::size_t w = 0;
        while (w < name.size() && name_char(name[w])) ++w;
        return w;
    }

    // The operation from 'from' to 'next' is a value of its own: after a comma, an opening
    // parenthesis or a key word (SELECT, DISTINCT), and before the end, a comma, a closing
    // parenthesis or a word (AS, a label, FROM).
    bool stands_alone(std::size_t from, std::size_t next) const {
        const std::size_t before = blanks_before(text_, from);
        if (before > 0 && text_[before - 1] != ',' && text_[before - 1] != '(') {
            std::size_t w0 = before;
            while (w0 > 0 && name_char(text_[w0 - 1])) --w0;
            if (w0 == before || keyword_of(text_.substr(w0, before - w0)) == Kw::none) return false;
        }
        return next >= n_ || text_[next] == ',' || text_[next] == ')' || name_start(text_[next]);
    }

    // (d + 30), (d - 7) from 'open' to 'end' (one past its ")"): the name d, else nothing.
    Side grouped_name_with_days(std::size_t open, std::size_t end) const {
        const std::size_t from = blanks_after(text_, open + 1), name_end = name_with_days_end(text_, from, end - 1);
        if (name_end == std::string_view::npos) return {};
        Side s;
        s.name = lone_name(from, name_end);
        return s;
    }

    bool noted_number(std::string_view name) const {
        for (std::size_t k = 0; k < pass_.numbers_count; ++k) {
            if (same_name(pass_.shown_numbers[k], name)) return true;
        }
        return false;
    }

    // d + 30 or d - 7 before a comparison, 'number' where the days begin: the name d, which FoxPro
    // compares with a date only when it is one (a number plus days would be a number); else nothing.
    Side name_with_days(std::size_t number) const {
        const std::size_t op = blanks_before(text_, number);
        if (!is_digit(text_[number]) || op == 0 || (text_[op - 1] != '+' && text_[op - 1] != '-')) return {};
        const std::size_t name_end = blanks_before(text_, op - 1);
        const std::size_t from = primary_start(text_.substr(0, name_end), 0);
        if (from == none || !alone_before(from)) return {};
        Side s;
        s.name = lone_name(from, name_end);
        if (!s.name.empty()) s.kind = named_date(s.name);
        return s;
    }

    // x BETWEEN lo AND hi, the word from 'w0' to 'w1'.
    void between_keyword(std::size_t w0, std::size_t w1) {
        const std::size_t left = primary_start(text_.substr(0, w0), 0);
        if (left == none || !alone_before(left)) return;
        const Side x = side(left, blanks_before(text_, w0));
        const Side low = side_after(w1);
        relate(x, low);
        if (low.end == none) return;
        const std::size_t and_at = blanks_after(text_, low.end);
        if (word_at(text_, and_at, n_, "AND")) relate(x, side_after(and_at + 3));
    }

    // BETWEEN(x, lo, hi)
    void between_call(std::size_t open) {
        const std::size_t close = close_paren(text_, open, n_, pass_.rules);
        if (close == none) return;
        std::size_t from = open + 1;
        Side x;
        for (int arg = 0; arg < 3 && from <= close; ++arg) {
            const std::size_t to = next_comma(text_, from, close, pass_.rules);
            if (arg == 0) {
                x.name = lone_name(from, to);
            } else {
                const Side bound = side_after(from);
                if (bound.end != none && blanks_after(text_, bound.end) == to) relate(x, bound);
            }
            from = to + 1;
        }
    }

    void relate(const Side &a, const Side &b) {
        if (a.kind == number_kind || b.kind == number_kind) {
            const std::string_view name = a.kind == number_kind ? b.name : a.name;
            if (!name.empty()) note_number(name);
            return;
        }
        if (!a.name.empty() && b.kind != 0) note(a.name, b.kind, compared);
        else if (!b.name.empty() && a.kind != 0) note(b.name, a.kind, compared);
        else if (!a.name.empty() && !b.name.empty() && pairs_ < compared_.size()) compared_[pairs_++] = {a.name, b.name};
    }

    // Nothing joins the operand at 'from' to what stands before it by arithmetic.
    bool alone_before(std::size_t from) const {
        const std::size_t before = blanks_before(text_, from);
        return before == 0 || std::strchr("+-*/%^$", text_[before - 1]) == nullptr;
    }

    // The side that begins after 'at' and stands alone up to the next operator that is no
    // arithmetic: a date or a name may have days added (DATE() - 30, d + 30), written as a number.
    Side side_after(std::size_t at) {
        at = blanks_after(text_, at);
        std::size_t end = primary_end_at(at);
        if (end == none) return {};
        Side s = side(at, end);
        std::size_t next = blanks_after(text_, end);
        if ((s.kind != 0 || !s.name.empty()) && next < n_ && (text_[next] == '+' || text_[next] == '-')) {
            const std::size_t number = blanks_after(text_, next + 1);
            if (number >= n_ || !is_digit(text_[number])) return {};
            s.end = end = number_end(text_, number, n_);
            next = blanks_after(text_, end);
        }
        if (next < n_ && std::strchr("+-*/%^$", text_[next]) != nullptr && text_[next] != '\0') return {};
        return s;
    }

    // What the operand from 'from' to 'to' is.
    Side side(std::size_t from, std::size_t to) const {
        Side s;
        s.end = to;
        if (from >= to) return s;
        if (is_digit(text_[from])) {
            s.kind = number_kind;
            return s;
        }
        if (text_[from] == '{') {
            const std::string_view literal = text_.substr(from, to - from);
            if (literal.find_first_of("0123456789") != std::string_view::npos) {
                s.kind = literal.find(':') == std::string_view::npos ? 1 : 2;
            }
            return s;
        }
        if (name_start(text_[from])) {
            const std::size_t w1 = name_chain_end(text_, from, to);
            const std::size_t open = blanks_after(text_, w1);
            if (open < to && text_[open] == '(') {
                std::size_t word_end = from;
                while (word_end < w1 && name_char(text_[word_end])) ++word_end;
                s.kind = gives_date_word(text_.substr(from, word_end - from));
                return s;
            }
        }
        s.name = lone_name(from, to);
        if (!s.name.empty()) s.kind = named_date(s.name);  // m.dFrom, ldTo: a date by FoxPro's naming
        return s;
    }

    // The name (a field, alias.field, m.x, a parameter ?x without its ?) that stands alone from
    // 'from' to 'to' (blanks around it aside); empty when anything else stands there.
    std::string_view lone_name(std::size_t from, std::size_t to) const {
        from = blanks_after(text_, from);
        to = blanks_before(text_, to, from);
        if (from < to && text_[from] == '?') from = blanks_after(text_, from + 1);
        if (from >= to || !name_start(text_[from]) || name_chain_end(text_, from, to) != to) return {};
        std::size_t w1 = from;
        while (w1 < to && name_char(text_[w1])) ++w1;
        if (keyword_of(text_.substr(from, w1 - from)) != Kw::none) return {};
        return text_.substr(from, to - from);
    }

    // One past the primary at 'at' (a literal, a group, a name or call, a number, a parameter, a
    // date), or none.
    std::size_t primary_end_at(std::size_t at) const {
        if (at >= n_) return none;
        const char c = text_[at];
        if (c == '{') {
            const std::size_t close = text_.find('}', at);
            return close == std::string_view::npos ? none : close + 1;
        }
        if (c == '(') {
            const std::size_t close = close_paren(text_, at, n_, pass_.rules);
            return close == none ? none : close + 1;
        }
        if (c == '?') return parameter_end(text_, at, n_, pass_.rules);
        if (is_digit(c)) return number_end(text_, at, n_);
        if (name_start(c)) {
            const std::size_t w1 = name_chain_end(text_, at, n_);
            const std::size_t open = blanks_after(text_, w1);
            if (open >= n_ || text_[open] != '(') return w1;
            const std::size_t close = close_paren(text_, open, n_, pass_.rules);
            return close == none ? none : close + 1;
        }
        const std::size_t end = literal_end(text_, at, n_, pass_.rules);
        return end == at ? none : end;
    }

    int known(std::string_view name) const {
        const int kind = named_date(name);
        return kind != 0 ? kind : pass_.shown_kind(name);
    }

    // The name shows its kind so strongly: a stronger use wins, uses as strong of both kinds leave it unknown.
    void note(std::string_view name, int kind, std::uint8_t strength) {
        for (std::size_t k = 0; k < pass_.shown_count; ++k) {
            Pass::ShownName &s = pass_.shown[k];
            if (!same_name(s.name, name)) continue;
            if (strength > s.strength) s = {name, static_cast<std::uint8_t>(kind), strength};
            else if (strength == s.strength && s.kind != kind) s.kind = 0;
            return;
        }
        if (pass_.shown_count < pass_.shown.size()) {
            pass_.shown[pass_.shown_count++] = {name, static_cast<std::uint8_t>(kind), strength};
        }
    }

    void note_number(std::string_view name) {
        for (std::size_t k = 0; k < pass_.numbers_count; ++k) {
            if (same_name(pass_.shown_numbers[k], name)) return;
        }
        if (pass_.numbers_count < pass_.shown_numbers.size()) pass_.shown_numbers[pass_.numbers_count++] = name;
    }

    const Pass &pass_;
    std::string_view text_;
    std::size_t n_;
    std::array<std::array<std::string_view, 2>, 8> compared_{};
    std::size_t pairs_ = 0;
    std::array<Pass::ShownName, 4> subtracted_{};  // DATE() - d: noted once the walk knows the numbers
    std::size_t subtracted_count_ = 0;
};

}  // namespace

// The first question reads the statement: only one that holds a clue of a date can show one. Asked
// at a sum beside a bare name (dates.cpp) or at two names compared (shown_date_compare.cpp).
void Pass::gather_shown_dates() const {
    shown_state = 0;
    if (!date_clue(statement)) return;
    Gatherer(*this, statement).run();
    for (std::size_t k = 0; k < shown_count; ++k) {
        if (shown[k].kind != 0) shown_state = 1;
    }
}

}  // namespace tarnvel::select::fox
