// A name compared with a date by <, <=, <>, # or != (or the date with the name by >, >=, <>, # or !=)
// where the dialect stores FoxPro's empty date as NULL: FoxPro's empty date is a value below every
// date, so the comparison holds for it; the server's NULL holds for none. The rows are the map's
// op.empty_date_below and op.empty_date_above; d NOT BETWEEN and d NOT IN over dates, which hold for
// the empty date too, op.empty_date_outside.
#include "select/fox/scan.h"

namespace tarnvel::select::fox {
namespace {

// The operator as written for the comparison the empty date satisfies against any date (<, <=, and
// FoxPro's three forms of "not equal" as <>, which every target reads); empty for any other.
std::string_view below_or_unequal(std::string_view op) {
    if (op == "<" || op == "<=") return op;
    return op == "<>" || op == "#" || op == "!=" ? "<>" : "";
}

// As below_or_unequal, for the date on the left: >, >= and the three forms of "not equal".
std::string_view above_or_unequal(std::string_view op) {
    if (op == ">" || op == ">=") return op;
    return op == "<" || op == "<=" ? "" : below_or_unequal(op);
}

// A date literal {^...} or {01/31/95} (the form SET DATE reads) that is not the empty one, from 'at'
// to its brace, within 'end'; npos when none stands there.
std::size_t filled_date_close(std::string_view text, std::size_t at, std::size_t end) {
    if (at + 2 >= end || text[at] != '{' || (text[at + 1] != '^' && !is_digit(text[at + 1]))) {
        return std::string_view::npos;
    }
    const std::size_t close = text.find('}', at);
    if (close == std::string_view::npos || close >= end ||
        text.substr(at + 2, close - at - 2).find_first_not_of(" /:") == std::string_view::npos) {
        return std::string_view::npos;
    }
    return close;
}

// A parameter or memory variable FoxPro's naming makes a date or a datetime (?ldTo, m.dFrom, m.tStamp)
// from 'at', not called, within 'end': one past it; npos when none stands there. Such a variable holds
// a date the application filled in, where the field beside it may hold the empty one.
std::size_t date_variable_end(std::string_view text, std::size_t at, std::size_t end) {
    const bool parameter = text[at] == '?';
    if (!parameter && (upper(text[at]) != 'M' || text[at + 1] != '.')) return std::string_view::npos;
    const std::size_t after = name_chain_end(text, at + (parameter ? 1 : 0), end);
    if (after == at + 1 || (after < end && text[after] == '(')) return std::string_view::npos;
    return named_date(text.substr(at + (parameter ? 1 : 0), after - at - (parameter ? 1 : 0))) != 0 ? after
                                                                                                 : std::string_view::npos;
}

}  // namespace

// The ")" of DATE(2000, 1, 1) or DATETIME(2020, 5, 1, 8, 0, 0) from 'from' (past the "("): arguments
// that are whole numbers written out, the first three none of them 0, so that the call is a filled
// date; or the ")" of DATE() itself (today). 'end' when the arguments are anything else.
std::size_t Scan::filled_date_call_close(std::size_t from) const {
    std::size_t at = skip_blanks(from);
    for (int argument = 0; at < end_ && src_[at] != ')'; ++argument) {
        const std::size_t first = at;
        while (at < end_ && is_digit(src_[at])) ++at;
        if (at == first || (argument < 3 && src_.substr(first, at - first).find_first_not_of('0') == std::string_view::npos)) {
            return end_;
        }
        at = skip_blanks(at);
        if (at < end_ && src_[at] == ',') at = skip_blanks(at + 1);
        else if (at < end_ && src_[at] != ')') return end_;
    }
    return at;
}

// DATE() or DATETIME() from 'at', alone or with days or seconds added or taken off (DATE() - 30,
// DATE() - m.nDays, DATETIME() + 60 * 5), or a filled date written as a call (DATE(2000, 1, 1)): one
// past it; npos when none stands there. Today, a date the server fills in. What is added must be a
// number: DATE() - d of a date d is a number of days.
std::size_t Scan::today_sum_end(std::size_t at) const {
    constexpr std::size_t npos = std::string_view::npos;
    if (!word_at(src_, at, end_, "DATE") && !word_at(src_, at, end_, "DATETIME")) return npos;
    std::size_t open = at;
    while (open < end_ && name_char(src_[open])) ++open;
    open = skip_blanks(open);
    const std::size_t close = open < end_ && src_[open] == '(' ? filled_date_call_close(open + 1) : end_;
    if (close >= end_ || src_[close] != ')') return npos;
    const std::size_t sign = skip_blanks(close + 1);
    if (sign >= end_ || (src_[sign] != '+' && src_[sign] != '-')) return close + 1;
    const std::size_t term = skip_blanks(sign + 1);
    const std::size_t end = term < end_ ? operand_end(term, "*/%^") : term;
    if (end == term || end == none || operator_follows(end, false)) return npos;
    const bool number = is_digit(src_[term]) || (variable_end(term) == end && named_number(src_.substr(term, end - term)));
    return number ? end : npos;
}

// The source before 'at' ends with a parameter or memory variable FoxPro's naming makes a date or a
// datetime (m.dTo, ?ldTo): the cheap test before the written operand is looked at. Not where the
// dialect keeps such a comparison as written.
bool Scan::date_variable_before(std::size_t at) const {
    const std::size_t last = blanks_before(src_, at);
    if (last != variable_.end || last == 0 || named().op_empty_date_above.target[pass_.column].empty()) return false;
    return date_variable_end(src_, variable_.start, last) == last;
}

// d < {^2020-01-01} as (d < {^2020-01-01} OR d IS NULL): the left operand a name alone, the right
// one a date literal (not the empty one), a date variable (m.dTo, ?ldTo) or today (DATE() - 30) that
// ends the comparison; two dates compared with each other, shown_date_compare.cpp.
bool Scan::empty_date_below(std::size_t length) {
    const std::size_t right = skip_blanks(pos_ + length);
    if (right < end_ && name_start(src_[right]) && shown_dates_compared(length, right)) return true;  // d1 < d2
    if (right + 2 >= end_ || (src_[right] != '{' && src_[right] != '?' && src_[right + 1] != '.' && upper(src_[right]) != 'D')) {
        return false;  // the cheap test first: a literal, a parameter, m.x or DATE()
    }
    const std::string_view form = named().op_empty_date_below.target[pass_.column];
    const std::string_view op = below_or_unequal(src_.substr(pos_, length));
    if (form.empty() || op.empty()) return false;
    const std::size_t close = src_[right] == '{' ? filled_date_close(src_, right, end_) : std::string_view::npos;
    std::size_t after = close != std::string_view::npos ? close + 1 : date_variable_end(src_, right, end_);
    if (after == std::string_view::npos) after = today_sum_end(right);
    if (after == std::string_view::npos) return false;
    if (operator_follows(after) || (after < end_ && name_char(src_[after]))) return false;
    const std::string_view name = name_with_days();
    if (name.empty() || pass_.depth >= deepest_call) return false;
    const std::size_t operand = top().operand;
    Args args;
    args.add(name);
    args.add(op);
    if (close != std::string_view::npos && src_[right + 1] == '^') args.add(src_.substr(right, after - right));
    else convert_into(args, right, after, false);  // {01/31/95} as SET DATE reads it, ?M.DTO a parameter
    return comparison_filled(form, args, operand, after);
}

// The operand before the comparison being read: a name alone (d, t.d, ?p), or one with a count of
// days written out added or taken off (d + 30, d - 7). Compared with a date, the name is a date, and
// FoxPro's empty date plus days stays empty, below every date, where the server's NULL plus days
// stays NULL. Empty when the operand is anything else.
std::string_view Scan::name_with_days() {
    const std::string_view name = lone_name_operand();
    if (!name.empty() || prev_ != Prev::operand || top().operand_open) return name;
    const std::string_view written = out_.text(pos_);
    if (top().operand >= written.size()) return {};
    const std::string_view operand = trimmed(written.substr(top().operand));
    return name_with_days_end(operand, 0, operand.size()) != std::string_view::npos ? operand : std::string_view{};
}

// The name from 'from' to 'to' is a field (d, t.d): no keyword (NULL, ALL), no variable or object
// reference (m.d, THISFORM.x.Value, goApp.dFrom), which the scan writes as a parameter when it reads
// the name itself.
bool Scan::field_name(std::size_t from, std::size_t to) const {
    std::size_t first = from;
    while (first < to && name_char(src_[first])) ++first;
    const std::string_view word = src_.substr(from, first - from);
    if (first == to) return keyword_of(word) == Kw::none;
    return keyword_of(word) == Kw::none && !object_word(word) && !pass_.host_qualifier(word);
}

// {^2020-01-01} > d as ({^2020-01-01} > d OR d IS NULL): the left operand a date literal alone (not
// the empty one) or a date variable (m.dFrom, ?ldFrom), the right one a name alone that ends the
// comparison. The caller has seen the literal's } or a name's end before the operator.
bool Scan::empty_date_above(std::size_t length) {
    const Level &t = top();
    if (prev_ != Prev::operand || t.operand_open) return false;
    const std::string_view written = out_.text(pos_);
    if (t.operand >= written.size()) return false;
    const std::string_view literal = trimmed(written.substr(t.operand));
    if (literal.size() < 3 || (literal[0] != '{' && literal[0] != '?')) return false;
    const std::string_view form = named().op_empty_date_above.target[pass_.column];
    const std::string_view op = above_or_unequal(src_.substr(pos_, length));
    if (form.empty() || op.empty()) return false;
    const bool whole = literal[0] == '{' ? filled_date_close(literal, 0, literal.size()) == literal.size() - 1
                                         : literal.find_first_of(" \t()[]") == std::string_view::npos;  // ?M.DTO
    if (!whole) return false;
    const std::size_t name = skip_blanks(pos_ + length);
    if (name >= end_ || !name_start(src_[name])) return false;
    const std::size_t after = name_chain_end(src_, name, end_);
    if (!field_name(name, after)) return false;
    if (operator_follows(after) || (after < end_ && (name_char(src_[after]) || src_[after] == '(' || src_[after] == '.'))) return false;
    if (pass_.depth >= deepest_call) return false;
    Args args;
    args.add(src_.substr(name, after - name));
    args.add(op);
    args.add(literal);
    const std::size_t operand = t.operand;
    return comparison_filled(form, args, operand, after);
}

// One past the dates from 'at' that NOT BETWEEN or NOT IN compares with: {^a} AND {^b} after BETWEEN,
// ({^a}, {^b}, ...) after IN, each one filled; 'at' when the range holds anything else.
std::size_t Scan::date_range_end(std::size_t at) const {
    const bool between = word_at(src_, at, end_, "BETWEEN");
    if (!between && !word_at(src_, at, end_, "IN")) return at;
    std::size_t next = skip_blanks(at + (between ? 7 : 2));
    if (!between && (next >= end_ || src_[next++] != '(')) return at;
    for (std::size_t count = 0;; ++count) {
        const std::size_t open = skip_blanks(next), close = filled_date_close(src_, open, end_);
        if (close == std::string_view::npos || src_[open + 1] != '^') return at;  // the range is copied as written
        next = skip_blanks(close + 1);
        if (between && count == 0 && word_at(src_, next, end_, "AND")) {
            next += 3;
        } else if (between) {
            return count == 1 ? close + 1 : at;
        } else if (next < end_ && src_[next] == ')') {
            return next + 1;
        } else if (next >= end_ || src_[next++] != ',') {
            return at;
        }
    }
}

// d NOT BETWEEN {^a} AND {^b}, d NOT IN ({^a}, {^b}) as (... OR d IS NULL): a name alone before the
// NOT at w0 (which ends at w1), the range of dates ending the condition.
bool Scan::empty_date_outside(std::size_t w0, std::size_t w1) {
    if (w1 - w0 != 3 || !same_word(src_.substr(w0, 3), "NOT")) return false;
    const std::string_view form = named().op_empty_date_outside.target[pass_.column];
    if (form.empty()) return false;
    const std::size_t range = skip_blanks(w1), after = date_range_end(range);
    if (after == range || operator_follows(after) || (after < end_ && name_char(src_[after]))) return false;
    const std::string_view name = lone_name_operand();
    if (name.empty() || name[0] == '?' || pass_.depth >= deepest_call) return false;
    Args args;
    args.add(name);
    args.add(src_.substr(w0, after - w0));
    const std::size_t operand = top().operand;
    return comparison_filled(form, args, operand, after);
}

}  // namespace tarnvel::select::fox
