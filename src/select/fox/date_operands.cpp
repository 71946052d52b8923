// Operands whose source shows them to give a date or a datetime though they are no lone name: IIF,
// ICASE, NVL, EVL, MAX and MIN of such values, a cast to D or T, a call that gives one, a group
// holding one, a subquery that selects one. Days or seconds added to them, or the difference with
// another date, are written as the dialect counts them (dates.cpp's sums and differences).
#include "select/fox/scan.h"

#include <algorithm>

namespace tarnvel::select::fox {
namespace {

constexpr int deepest_operand = 6;

// The type word of CAST(x AS type): 1 a date (D, DATE), 2 a datetime (T, DATETIME), 0 another.
int cast_kind(std::string_view word) {
    if (same_word(word, "D") || same_word(word, "DATE")) return 1;
    return same_word(word, "T") || same_word(word, "DATETIME") ? 2 : 0;
}

// What the values of a call give when all agree: 'kind' so far (-1 none yet) and the next one's
// (-1 for a value of no kind, .NULL. or the empty date, which takes the others').
int agreed(int kind, int next) {
    if (next < 0) return kind;
    if (kind < 0 || kind == next) return next;
    return 0;
}

// The calls whose value is one of their arguments, and which arguments those are.
enum class Values : std::uint8_t { all, after_condition, odd_or_last };
struct ValueCall {
    std::string_view name;
    Values values;
};
constexpr ValueCall value_calls[] = {
    {"IIF", Values::after_condition}, {"ICASE", Values::odd_or_last}, {"NVL", Values::all},
    {"EVL", Values::all},             {"MAX", Values::all},          {"MIN", Values::all},
};

const ValueCall *value_call(std::string_view name) {
    name = trimmed(name);
    if (name.size() >= 4) {
        if (const std::string_view full = full_function_name(name); !full.empty()) name = full;
    }
    for (const ValueCall &call : value_calls) {
        if (same_word(name, call.name)) return &call;
    }
    return nullptr;
}

// The argument 'at' of 'count' is one of the call's values: IIF(c, a, b), ICASE(c1, v1, c2, v2 [, v]).
bool value_argument(const ValueCall &call, std::size_t at, std::size_t count) {
    switch (call.values) {
    case Values::after_condition: return at > 0;
    case Values::odd_or_last: return at % 2 == 1 || (count % 2 == 1 && at + 1 == count);
    default: return true;
    }
}

}  // namespace

// The source from 'from' to 'to' (blanks around it aside) is one primary that gives a date (1) or a
// datetime (2); 0 when it may give anything else. -1 for .NULL., NULL or the empty date {}, which
// take the kind of the values beside them.
int Scan::source_date_kind(std::size_t from, std::size_t to, int depth) const {
    from = skip_blanks(from);
    to = blanks_before(src_, to, from);
    if (from >= to || depth > deepest_operand || primary_end(from) != to) return 0;
    const std::string_view text = src_.substr(from, to - from);
    if (text[0] == '{') {
        if (!gives_date(true, from, to)) return text.find_first_not_of("{}/:-. ") == std::string_view::npos ? -1 : 0;
        return text.find(':') == std::string_view::npos ? 1 : 2;
    }
    if (text[0] == '(') return group_date_kind(from, to, depth);
    if (same_word(text, ".NULL.") || same_word(text, "NULL")) return -1;
    if (!name_start(text[0]) && text[0] != '?') return 0;
    std::size_t w1 = text[0] == '?' ? 1 : 0;
    while (w1 < text.size() && (name_char(text[w1]) || text[w1] == '.')) ++w1;
    if (w1 == text.size()) {  // a name: FoxPro's naming of a variable, or the statement's use of it
        const int named = named_date(text);
        return named != 0 ? named : pass_.shown_date(text);
    }
    std::size_t open = 0;
    if (const int kind = date_call_at(from, &open); kind != 0) return kind;
    return call_date_kind(src_.substr(from, open - from), open, to - 1, depth);
}

// A call of IIF, ICASE, NVL, EVL, MAX, MIN or CAST whose values give dates (or datetimes) alike.
int Scan::call_date_kind(std::string_view name, std::size_t open, std::size_t close, int depth) const {
    if (same_word(trimmed(name), "CAST")) {
        const std::size_t as = last_top_level_word(src_, open + 1, close, "AS", pass_.rules);
        if (as == none) return 0;
        std::size_t w0 = skip_blanks(as + 2), w1 = w0;
        while (w1 < close && name_char(src_[w1])) ++w1;
        return cast_kind(src_.substr(w0, w1 - w0));
    }
    const ValueCall *call = value_call(name);
    if (call == nullptr) return 0;
    const std::size_t count = call_extent(open).count;
    int kind = -1;
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (!value_argument(*call, index++, count) || kind == 0) return;
        int next = source_date_kind(from, to, depth + 1);
        if (next == 0 && lone_name(from, to)) next = -1;  // a name of no known kind: the others' kind
        kind = agreed(kind, next);
    });
    return kind < 0 ? 0 : kind;
}

// The source from 'from' to 'to' (blanks around it aside) is one name, a field or a variable.
bool Scan::lone_name(std::size_t from, std::size_t to) const {
    from = skip_blanks(from);
    to = blanks_before(src_, to, from);
    return from < to && name_start(src_[from]) && name_chain_end(src_, from, end_) == to;
}

// A group: a subquery that selects one value that gives a date, or parentheses around one, or
// around such a value plus or minus a number (({^2020-01-01} + 1)).
int Scan::group_date_kind(std::size_t from, std::size_t to, int depth) const {
    const std::size_t close = to - 1;
    std::size_t inner = skip_blanks(from + 1);
    if (sele_follows(src_, from, close)) {
        std::size_t w1 = inner;
        while (w1 < close && name_char(src_[w1])) ++w1;
        std::size_t item = skip_blanks(w1);
        if (word_at(src_, item, close, "DISTINCT")) item = skip_blanks(item + 8);
        const std::size_t clause = last_top_level_word(src_, item, close, "FROM", pass_.rules);
        return clause == none ? 0 : std::max(0, source_date_kind(item, clause, depth + 1));
    }
    const std::size_t first = primary_end(inner);
    if (first == none || first > close) return 0;
    const int kind = source_date_kind(inner, first, depth + 1);
    const std::size_t next = skip_blanks(first);
    if (kind <= 0 || next >= close) return std::max(0, kind);
    if (src_[next] != '+' && src_[next] != '-') return 0;
    const std::size_t count = skip_blanks(next + 1);  // a date plus or minus a number is a date
    return count < close && is_digit(src_[count]) && skip_blanks(number_end(src_, count, end_)) == close ? kind : 0;
}

// The source from 'from' to 'to' is one primary that surely gives a number: a number, a call of a
// function that gives one, a variable FoxPro's naming makes one, or IIF, ICASE, NVL, EVL, MAX or MIN
// with such a value among its values (IIF(c, 0, n): FoxPro's IIF gives one type in practice).
bool Scan::number_source(std::size_t from, std::size_t to, int depth) const {
    from = skip_blanks(from);
    to = blanks_before(src_, to, from);
    if (from >= to || depth > deepest_operand || primary_end(from) != to) return false;
    if (is_digit(src_[from]) || number_call(from)) return true;
    if (variable_end(from) == to) return named_number(src_.substr(from, to - from));
    std::size_t w1 = from;
    while (w1 < to && name_char(src_[w1])) ++w1;
    const ValueCall *call = value_call(src_.substr(from, w1 - from));
    const std::size_t open = skip_blanks(w1);
    if (call == nullptr || open >= to || src_[open] != '(') return false;
    const std::size_t count = call_extent(open).count;
    bool number = false;
    std::size_t index = 0;
    for_each_argument(src_, open, to - 1, pass_.rules, [&](std::size_t a, std::size_t b) {
        if (value_argument(*call, index++, count) && !number) number = number_source(a, b, depth + 1);
    });
    return number;
}

// The call at 'from' gives a date and its own sums (not its differences) were decided where it was read: DATE() and
// DATETIME() (today's counts), GOMONTH, CTOD, DTOT... (dates.cpp's date_sum), whose sum the dialect
// makes itself where their rows leave it as written. TTOD's is read here.
bool Scan::decided_call(std::size_t from) const {
    if (date_call_at(from) == 0) return false;
    std::size_t w1 = from;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    return !same_word(src_.substr(from, w1 - from), "TTOD");
}

// At a "+" or "-" after an operand that is no lone name but whose source shows it to give a date or
// a datetime (IIF(paid, d1, d2) + 10, TTOD(t) - ROUND(x, 0), (SELECT MAX(d) FROM t) + 30): days or
// seconds added, or the difference with a date that follows, as for a name shown to be one.
bool Scan::operand_arithmetic(char sign, std::size_t t0) {
    const Level &t = top();
    if (prev_ != Prev::operand || t.operand_open) return false;
    const std::size_t to = blanks_before(src_, pos_);
    if (to == 0 || (src_[to - 1] != ')' && src_[to - 1] != '}')) return false;
    std::size_t from = primary_start(src_.substr(0, to), 0);
    if (from == none) return false;
    if (src_[from] == '(') {  // IIF (c, a, b): a call written with a blank before its "("
        const std::size_t w1 = blanks_before(src_, from);
        std::size_t w0 = w1;
        while (w0 > 0 && name_char(src_[w0 - 1])) --w0;
        if (w0 < w1 && w1 < from && name_start(src_[w0]) && keyword_of(src_.substr(w0, w1 - w0)) == Kw::none) from = w0;
    }
    // the primary is the whole operand: no operator joins it to what stands before (1 + IIF(...))
    if (const std::size_t before = blanks_before(src_, from);
        before > 0 && std::string_view("+-*/%^$").find(src_[before - 1]) != std::string_view::npos) {
        return false;
    }
    const bool decided = decided_call(from);  // its counts were read with it; a difference was not
    const int kind = source_date_kind(from, to, 0);
    if (kind <= 0) return false;
    const std::string_view written = out_.text(pos_);
    if (t.operand >= written.size()) return false;
    const std::string_view operand = trimmed(written.substr(t.operand));
    if (extreme_kind(operand) != 0) return false;  // MAX(d) of a shown name: extreme_arithmetic's
    Text built;
    std::size_t end = 0;
    if (sign == '-' && std::string_view("(+-").find(src_[t0]) == std::string_view::npos && !is_digit(src_[t0])) {
        end = date_difference(operand, t0, built);
    }
    if (end == 0 && !decided && (end = sum_of(kind == 1, false, operand, pos_, built)) != 0) {
        end = more_counts(kind == 1, end, built);
    }
    return end != 0 && place_date_arithmetic(operand, end, built);
}

}  // namespace tarnvel::select::fox
