// The arithmetic of dates in the FoxPro-syntax pass: DATE() and DATETIME() with the counts added to
// them, a date or datetime plus or minus days or seconds, and the difference of two dates (days) or
// datetimes (seconds), written as the dialect counts them where FoxPro's meaning shows the operands
// to be dates (calls that give one, literals, FoxPro's naming of variables, the place of the
// difference); the rows are the map's op.date_* and op.datetime_* rows.
#include "select/fox/scan.h"

#include <algorithm>
#include <cstdio>

namespace tarnvel::select::fox {

// A call that gives a date (GOMONTH, CTOD, DATE(y, m, d)) or a datetime (DTOT, CTOT, DATETIME(y, m,
// d, ...)) plus or minus a number: days or seconds, written as the dialect adds them where it reads
// the sum otherwise (SQL Server's DATE plus a number, MySQL's number). One past the count, with the
// sum in 'built'; 'after' when no count follows or the dialect's own sum is right.
std::size_t Scan::date_sum(const Construct &row, std::size_t after, Text &built) {
    const NamedRows &n = named();
    const bool date = &row == &n.fn_gomonth || &row == &n.fn_date_of || &row == &n.fn_ctod;
    if (!date && &row != &n.fn_dtot && &row != &n.fn_ctot && &row != &n.fn_datetime_of) return after;
    // CTOD and CTOT of a literal are a FoxPro date literal ({^2020-01-31}), summed as one; of blanks the
    // empty date, which stays empty whatever number is added or taken off
    const bool literal = built.view().starts_with('{');
    if (literal && built.view() == "{}") return empty_date_sum_end(after);
    Text sum;
    std::size_t end = sum_of(date, literal, built.view(), after, sum);
    if (end != 0) end = more_counts(date, end, sum);
    if (end == 0) end = call_difference(date, built.view(), after, sum);
    if (end == 0) return after;
    built = std::move(sum);
    return end;
}

// The empty date ({}, CTOD('')) plus or minus days stays the empty date in FoxPro, as the empty
// datetime plus seconds stays empty, where a server adds the number to its stand-in for the empty date
// (NULL, '', '0000-00-00') and gives a number, or refuses the sum: the terms added from 'after' (any
// operand: a date takes only a number) and taken off (a value that surely is a number; {} - d is a
// count of days) are dropped, so that the literal alone is written, typed where it needs a type. One
// past the last term dropped; 'after' when none follows or the literal is an operand of an operator
// before it (x - {} + 1).
std::size_t Scan::empty_date_sum_end(std::size_t after) const {
    if (prev_ == Prev::arithmetic) return after;
    std::size_t end = after;
    for (std::size_t sign = skip_blanks(end); sign < end_ && (src_[sign] == '+' || src_[sign] == '-');
         sign = skip_blanks(end)) {
        const std::size_t term = skip_blanks(sign + 1), term_end = operand_end(term, "*/%^");
        if (term_end == term || (src_[sign] == '-' && !number_source(term, term_end, 0))) break;
        end = term_end;
    }
    return end;
}

// 'base', the call that begins a term, minus a call of the same kind (CTOD(s) - CTOD(e), CTOT(s) -
// DTOT(d)): the difference of two dates (days) or datetimes (seconds), as for a name minus such a
// call. One past the second call, with the difference in 'difference'; 0 when it is none.
std::size_t Scan::call_difference(bool date, std::string_view base, std::size_t after, Text &difference) {
    const std::size_t sign = skip_blanks(after);
    if (sign >= end_ || src_[sign] != '-' || prev_ == Prev::arithmetic) return 0;
    const std::size_t t0 = skip_blanks(sign + 1);
    if (date_call_at(t0) != (date ? 1 : 2)) return 0;
    return date_difference(base, t0, difference);
}

// 'base', a date (days) or a datetime (seconds), FoxPro's literal or a value, plus or minus the count
// at 'after' (a number, or a value: value_count), as the dialect adds them: one past the count, with
// the sum in 'sum'; 0 when no count follows or the dialect's own sum is right.
std::size_t Scan::sum_of(bool date, bool literal, std::string_view base, std::size_t after, Text &sum, bool days,
                         const Construct *days_row) {
    const NamedRows &n = named();
    const Construct &row = days_row != nullptr ? *days_row
                           : literal           ? (date ? n.op_literal_days : n.op_literal_seconds)
                                               : (date ? n.op_date_value_days : n.op_datetime_value_seconds);
    std::string_view form = row.target[pass_.column];
    Text count;
    std::size_t end = counted_number(date, after, count, form);
    if (end == 0) {
        if (const std::string_view value = date ? n.op_days_value.target[pass_.column] : std::string_view{};
            !value.empty()) {
            form = value;
        }
        if (!form.empty()) end = value_count(after, count, days, date);
    }
    if (end == 0 && date && !form.empty()) {
        // Counts written as numbers (+ 1, - 2) that the dialect adds to a date itself, before a value
        // (DATE '2020-01-01' + 1 + qty): the date and the numbers as written, so that the value is then
        // added as the dialect adds one (PostgreSQL adds only an INTEGER to a date).
        std::size_t last = after;
        for (Text number; const std::size_t next = signed_count(last, number); number = Text{}) last = next;
        const std::size_t sign = skip_blanks(last), first = sign < end_ ? skip_blanks(sign + 1) : end_;
        if (last == after || first >= end_ || (src_[sign] != '+' && src_[sign] != '-') || is_digit(src_[first])) return 0;
        sum.push('(');
        sum.append(base);
        if (!is_blank(src_[after])) sum.push(' ');
        sum.append(src_.substr(after, last - after));
        sum.push(')');
        return last;
    }
    if (end == 0) return 0;
    Args args;
    args.add(base);
    args.add(count.view());
    fill(sum, form, args);
    return end;
}

// A sum of days or seconds that more counts follow (DATE() - DOW(DATE()) + 1): each added to the sum
// before it as the first was, since MySQL reads a date plus a number as a number. One past the last
// count, with the whole sum in 'sum'.
std::size_t Scan::more_counts(bool date, std::size_t end, Text &sum, const Construct *row) {
    for (;;) {
        Text next;
        const std::size_t more = sum_of(date, false, sum.view(), end, next, false, row);
        if (more == 0) return end;
        sum = std::move(next);
        end = more;
    }
}

// + n or - n at 'after' (blanks before it passed over), n a number or a product of numbers (86400 * 30,
// which binds more strongly than the sign: it is the count whole) that nothing but + or - follows:
// one past n, with the signed count in 'number'; 0 when none stands there or the operand before
// belongs to an arithmetic of its own (x - DATE() + 1).
std::size_t Scan::signed_count(std::size_t after, Text &number) {
    const std::size_t sign = skip_blanks(after);
    if (sign >= end_ || (src_[sign] != '+' && src_[sign] != '-') || prev_ == Prev::arithmetic) return 0;
    std::size_t first = skip_blanks(sign + 1);
    bool negative = src_[sign] == '-';
    if (first + 1 < end_ && (src_[first] == '-' || src_[first] == '+') && is_digit(src_[first + 1])) {  // d - -5
        negative = negative != (src_[first] == '-');
        ++first;
    }
    std::size_t end = first < end_ && is_digit(src_[first]) ? number_end(src_, first, end_) : first;
    for (std::size_t op = skip_blanks(end); end > first && op < end_ && (src_[op] == '*' || src_[op] == '/');
         op = skip_blanks(end)) {
        const std::size_t factor = skip_blanks(op + 1);
        if (factor >= end_ || !is_digit(src_[factor])) break;
        end = number_end(src_, factor, end_);
    }
    if (end == first || (end < end_ && (name_char(src_[end]) || src_[end] == '.')) || binds_tighter(end)) return 0;
    if (negative) number.append("-");
    number.append(src_.substr(first, end - first));
    return end;
}


// A call of a function that gives a number (or a part of a date too, with 'date_parts') begins at
// 'at' (an empty date, NULL in some dialects, gives NULL for its parts there, where FoxPro gives 0).
bool Scan::number_call(std::size_t at, bool date_parts) const {
    std::size_t w1 = at;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::size_t open = skip_blanks(w1);
    if (w1 == at || open >= end_ || src_[open] != '(') return false;
    return (facts_of(src_.substr(at, w1 - at)) & (Fact::gives_number | (date_parts ? Fact::date_part : 0u))) != 0;
}

// + x or - x at 'after', with x a value that is not written as a number (signed_count reads those),
// added to a date or a datetime: after +, any operand but a string, date or logical literal (FoxPro
// adds no two dates); after -, one that surely gives a number (a product or quotient, a
// call of a function that gives a number, or a variable named as a number), since d - x of a name x may be a difference
// of dates. One past x, with the
// signed count (x converted) in 'count'; 0 when none stands there.
std::size_t Scan::value_count(std::size_t after, Text &count, bool days, bool whole) {
    const std::size_t sign = skip_blanks(after);
    if (sign >= end_ || (src_[sign] != '+' && src_[sign] != '-') || prev_ == Prev::arithmetic) return 0;
    const std::size_t first = skip_blanks(sign + 1);
    // a value with a sign of its own (d - -x) is a number: FoxPro negates no date
    const bool negated = first < end_ && (src_[first] == '+' || src_[first] == '-');
    if (first >= end_ || is_digit(src_[first]) || quote_at(first) || std::string_view("{.").find(src_[first]) != std::string_view::npos ||
        (negated && (first + 1 >= end_ || is_digit(src_[skip_blanks(first + 1)])))) {
        return 0;  // a number is signed_count's
    }
    const std::size_t end = operand_end(first, "*/%^");
    if (end == first || end > end_ || (src_[first] == '(' && close_paren(first) == none)) return 0;
    if (src_[sign] == '-' && !days && !negated && primary_end(first) == end && !number_call(first) &&
        !(variable_end(first) == end && named_number(src_.substr(first, end - first))) && !number_source(first, end, 0) &&
        !pass_.shown_number(src_.substr(first, end - first))) {
        return 0;  // a name, unless FoxPro's naming makes it a number (m.nDays, lnDays, ?pnDays)
    }
    const Piece piece = convert(first, end, false);
    // A parameter (?x, or m.x made one) is negated as 0 - ?x: PostgreSQL finds no type for -$1 and
    // refuses it.
    Text value;
    if (src_[sign] == '-') value.append(piece.text.starts_with("?") ? "(0 - " : "-(");
    value.append(piece.text);
    if (src_[sign] == '-') value.push(')');
    // A date's days with a fraction (d + total / 100): FoxPro shows the whole days of the sum, where
    // the dialect would round the count or keep the fraction as a time of day.
    const std::string_view whole_form = named().op_days_value_fraction.target[pass_.column];
    if (whole && !whole_form.empty() && fraction_source(first, end)) {
        Args args;
        args.add(value.view());
        fill(count, whole_form, args);
    } else {
        count.append(value.view());
    }
    return end;
}

// The source from 'from' to 'to' may give a number with a fraction: a quotient or a number written
// with one (total / 100, qty * 1.5), outside the arguments of a call (whose value its function gives).
bool Scan::fraction_source(std::size_t from, std::size_t to) const {
    for (std::size_t at = from; at < to;) {
        if (const std::size_t past = literal_end(at); past != at) {
            at = past;
        } else if (src_[at] == '/') {
            return true;
        } else if (is_digit(src_[at])) {
            const std::size_t past_number = number_end(src_, at, to);
            const std::size_t dot = src_.substr(at, past_number - at).find('.');
            if (dot != std::string_view::npos && at + dot + 1 < past_number && is_digit(src_[at + dot + 1])) return true;
            at = std::max(past_number, at + 1);
        } else if (name_char(src_[at])) {
            while (at < to && (name_char(src_[at]) || is_digit(src_[at]))) ++at;  // digits of a name are none
            // a call's arguments are its own (INT(qty / 2) gives whole days)
            if (const std::size_t open = skip_blanks(at); open < to && src_[open] == '(') {
                const std::size_t close = close_paren(open);
                if (close == none || close >= to) return false;
                at = close + 1;
            }
        } else {
            ++at;
        }
    }
    return false;
}

// DATE() and DATETIME(), and DATE() + n and DATETIME() - n with n written as a number or a product of
// numbers (86400 * 7): today, and n days or seconds later or earlier, in the dialect's own way (MySQL
// reads a date plus a number as a number, the servers add days to a datetime). The sum is not taken
// after an operator, whose operand DATE() is, nor before one that binds more strongly than the "+" or "-".
bool Scan::today(std::string_view name, std::size_t w0, std::size_t open) {
    const bool date = same_word(name, "DATE");
    if (!date && !same_word(name, "DATETIME")) return false;
    const std::size_t close = skip_blanks(open + 1);
    if (close >= end_ || src_[close] != ')') return false;
    std::size_t last = close + 1;
    std::string_view form;
    Text number;
    if (const std::size_t end = date ? today_fraction(close + 1, number, form) : 0; end != 0) {
        last = end;  // DATE() + 1.5: the whole days
    } else if (const std::size_t end = signed_count(close + 1, number); end != 0) {
        form = (date ? named().op_date_days : named().op_datetime_seconds).target[pass_.column];
        if (!form.empty()) last = end;
    }
    if (form.empty()) {
        Text built;
        if (const std::size_t end = today_and_operand(date, w0, close + 1, built); end != 0) {
            begin_token(w0);
            out_.replace(w0, end, built.view());
            pos_ = end;
            prev_ = Prev::operand;
            return true;
        }
        form = (date ? named().fn_date : named().fn_datetime).target[pass_.column];
    }
    if (form.empty()) return false;  // DATE() alone where the dialect's own row converts it
    Args args;
    args.add(number.view());
    Text built;
    fill(built, form, args);
    if (last != close + 1) last = more_counts(date, last, built);  // DATE() - 30 + 1
    begin_token(w0);
    out_.replace(w0, last, built.view());
    if (last < end_ && name_char(src_[last])) out_.replace(last, last, " ");  // DATE()AS x: AS stays a word
    pos_ = last;
    prev_ = Prev::operand;
    return true;
}

// DATE() + n or DATE() - n at 'after' with n written with a fraction (DATE() + 1.5): FoxPro shows and
// keeps the whole days of the sum, so n becomes its whole days below (1, or -1 for - 0.5), added by the
// dialect's row for today's sum or, where the dialect would add the number itself, by the fraction's
// row. One past n, with the count (or the whole sum, whose form is then "{1}") in 'count'; 0 when
// no such number stands there.
std::size_t Scan::today_fraction(std::size_t after, Text &count, std::string_view &form) {
    Text whole;
    const std::size_t end = whole_days(after, whole);
    if (end == 0) return 0;
    form = named().op_date_days.target[pass_.column];
    if (form.empty()) {
        Args args;
        args.add(today_form(true));
        args.add(whole.view());
        fill(count, named().op_date_fraction_days.target[pass_.column], args);
        form = "{1}";
    } else {
        count = std::move(whole);
    }
    return end;
}

// The number added at 'after' to a date or datetime whose sum 'form' writes: a date's days with a
// fraction (+ 1.5) as the whole days FoxPro shows, by the fraction's own form where 'form' has none (the
// dialect's own sum would keep the fraction), else a signed number where 'form' has a form. One past
// the number, with it in 'count'; 0 when none stands there or nothing would write it.
std::size_t Scan::counted_number(bool date, std::size_t after, Text &count, std::string_view &form) {
    std::size_t end = date ? whole_days(after, count) : 0;
    if (end != 0 && form.empty()) form = named().op_date_fraction_days.target[pass_.column];
    if (end == 0 && !form.empty()) end = signed_count(after, count);
    return end;
}

// The number written at 'after' (+ 1.5, - 0.25) with a fraction, as the whole days FoxPro shows of a
// date plus it: the day number's whole part, so 1.5 gives 1 and -0.5 gives -1. One past the number,
// with the whole days signed in 'count'; 0 when no number with a fraction stands there (or one too
// long to be days).
std::size_t Scan::whole_days(std::size_t after, Text &count) {
    Text number;
    const std::size_t end = signed_count(after, number);
    std::string_view text = number.view();
    const std::size_t dot = text.find('.');
    if (end == 0 || dot == std::string_view::npos || text.find_first_of("*/eE") != std::string_view::npos) return 0;
    const bool negative = text.starts_with('-');
    const std::string_view digits = text.substr(negative ? 1 : 0, dot - (negative ? 1 : 0));
    const bool fraction = text.find_first_not_of('0', dot + 1) != std::string_view::npos;
    if (digits.size() > 9) return 0;
    long long days = 0;
    for (const char c : digits) days = days * 10 + (c - '0');
    if (negative) days = fraction ? -days - 1 : -days;
    char buffer[24];
    const int written = std::snprintf(buffer, sizeof buffer, "%lld", days);
    count.append(std::string_view(buffer, static_cast<std::size_t>(written)));
    return end;
}

// DATE() or DATETIME() and the operand after "+" or "-" at 'after' that is no number: a count of days
// or seconds (value_count), or, after "-", an operand that may be a date (the difference is a number
// of days or seconds) or a count: the difference where the operand gives a date, the difference is
// used as a number, or the same operand was read as a date before. One past the operand, with the
// dialect's form in 'built'; 0 when the form is the dialect's own or none of these holds.
std::size_t Scan::today_and_operand(bool date, std::size_t w0, std::size_t after, Text &built) {
    const std::size_t sign = skip_blanks(after);
    if (sign >= end_ || (src_[sign] != '+' && src_[sign] != '-') || prev_ == Prev::arithmetic) return 0;
    const std::size_t first = skip_blanks(sign + 1);
    const NamedRows &n = named();
    if (date && first < end_ && is_digit(src_[first]) && !n.op_days_value.target[pass_.column].empty()) {  // DATE() + 1 + qty
        const std::size_t end = sum_of(true, false, today_form(true), after, built);
        return end == 0 ? 0 : more_counts(true, end, built);
    }
    if (first >= end_ || is_digit(src_[first])) return 0;
    Args args;
    if (Text count; const std::size_t end = value_count(after, count, false, date)) {  // days or seconds
        std::string_view form = date ? n.op_days_value.target[pass_.column] : std::string_view{};
        if (!form.empty()) args.add(today_form(date));
        else form = (date ? n.op_date_days : n.op_datetime_seconds).target[pass_.column];
        if (form.empty()) return 0;
        args.add(count.view());
        fill(built, form, args);
        return more_counts(date, end, built);
    }
    return src_[sign] == '-' ? difference_from(date, today_form(date), w0, first, true, built) : 0;
}

// 'base' (today, or a date literal, that begins at 'w0') minus the operand at 'first' that is no
// number: the difference where the operand gives a date, the difference is used as a number, the
// same operand was read as a date before, or ('whole_item') it is a select item alone. One past the
// operand, with the dialect's form in 'built'; 0 when the form is the dialect's own or none of these
// holds.
std::size_t Scan::difference_from(bool date, std::string_view base, std::size_t w0, std::size_t first, bool whole_item,
                                  Text &built) {
    if (src_[first] == '+' || src_[first] == '-' || quote_at(first)) return 0;
    const std::size_t end = primary_end(first);
    if (end == none || end > end_ || (src_[first] == '(' && close_paren(first) == none) || binds_tighter(end)) return 0;
    const std::string_view operand = src_.substr(first, end - first);
    const int kind = date ? 1 : 2;
    if (!pass_.subtracted_date(operand) && !gives_date(date, first, end) && named_date(operand) != kind &&
        pass_.shown_date(operand) != kind && !shown_with_days(kind, first, end) &&
        !used_as_number(w0, end) && !(whole_item && whole_item_difference(first, end))) {
        return 0;
    }
    pass_.note_subtracted_date(operand);
    const std::string_view form = (date ? named().op_date_difference : named().op_datetime_difference).target[pass_.column];
    if (form.empty()) return 0;
    Args args;
    args.add(base);
    convert_into(args, first, end, false);
    fill(built, form, args);
    return end;
}

// {^2020-03-01} - d, at 'after' the literal that begins at 'w0': as DATE() - d, but not for being a
// select item alone ({^2000-01-01} - nDays AS dFrom is a date).
std::size_t Scan::literal_difference(bool date, std::string_view literal, std::size_t w0, std::size_t after, Text &built) {
    const std::size_t sign = skip_blanks(after);
    if (sign >= end_ || src_[sign] != '-' || prev_ == Prev::arithmetic) return 0;
    const std::size_t first = skip_blanks(sign + 1);
    if (first >= end_ || is_digit(src_[first])) return 0;
    return difference_from(date, literal, w0, first, false, built);
}

namespace {

constexpr std::string_view date_calls[] = {"CTOD", "GOMONTH", "DATE", "TTOD"};
constexpr std::string_view datetime_calls[] = {"CTOT", "DTOT", "DATETIME"};

}  // namespace

int gives_date_word(std::string_view word) {
    if (word.size() < 4) return 0;
    if (const std::string_view full = full_function_name(word); !full.empty()) word = full;
    const auto named_here = [&](std::string_view name) { return same_word(word, name); };
    if (std::any_of(std::begin(date_calls), std::end(date_calls), named_here)) return 1;
    return std::any_of(std::begin(datetime_calls), std::end(datetime_calls), named_here) ? 2 : 0;
}

// The operand from 'from' to 'to' gives a date (a datetime): a call of a function that does, or a
// date literal that is not the empty date.
bool Scan::gives_date(bool date, std::size_t from, std::size_t to) const {
    if (src_[from] == '{') {
        return std::any_of(src_.begin() + static_cast<std::ptrdiff_t>(from), src_.begin() + static_cast<std::ptrdiff_t>(to),
                           [](char c) { return is_digit(c); });
    }
    return date_call_at(from) == (date ? 1 : 2);
}

// (d + 30), (d - 7) from 'from' to 'to', d a name the statement shows to be of 'kind' (1 a date, 2 a
// datetime): a date or a datetime again.
bool Scan::shown_with_days(int kind, std::size_t from, std::size_t to) const {
    if (src_[from] != '(' || src_[to - 1] != ')') return false;
    const std::size_t name = skip_blanks(from + 1), name_end = name_with_days_end(src_, name, to - 1);
    return name_end != std::string_view::npos && pass_.shown_date(src_.substr(name, name_end - name)) == kind;
}

// What gives_date_word says of the call that begins at 'at' (a name, then "(" after blanks, whose
// position goes to 'open'); 0 when no call begins there.
int Scan::date_call_at(std::size_t at, std::size_t *open) const {
    if (at >= end_ || !name_start(src_[at])) return 0;
    std::size_t w1 = at + 1;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::size_t paren = skip_blanks(w1);
    if (paren >= end_ || src_[paren] != '(') return 0;
    if (open != nullptr) *open = paren;
    return gives_date_word(src_.substr(at, w1 - at));
}

// A "*", "/", "%" or "^" follows 'at' (blanks passed over): an operator that binds more strongly
// than "+" and "-".
bool Scan::binds_tighter(std::size_t at) const {
    at = skip_blanks(at);
    return at < end_ && std::string_view("*/%^").find(src_[at]) != std::string_view::npos;
}

// The difference that begins at 'w0' and ends at 'end' is used as a number: divided or multiplied,
// alone in parentheses ((DATE() - d) / 365), or compared with a number (DATE() - d > 30).
bool Scan::used_as_number(std::size_t w0, std::size_t end) const {
    std::size_t at = skip_blanks(end);
    if (at >= end_) return false;
    if (src_[at] == ')') {
        std::size_t before = blanks_before(src_, w0);
        if (before == 0 || src_[before - 1] != '(') return false;
        at = skip_blanks(at + 1);
        return at < end_ && (src_[at] == '/' || src_[at] == '*');
    }
    const std::size_t compare = at;
    at = comparison_end(at);
    if (at == compare) return false;
    at = skip_blanks(at);
    if (at < end_ && src_[at] == '-') at = skip_blanks(at + 1);
    if (at >= end_) return false;
    if (is_digit(src_[at])) return true;
    // a variable FoxPro's naming makes a number (DATE() - d > m.nDays, lnMax, ?m.nTop)
    const std::size_t name_end = variable_end(at);
    return name_end != at && named_number(src_.substr(at, name_end - at));
}

// DATE() - d standing alone as a select item (DATE() - since AS days, with a number added or not),
// d a field (not a host parameter nor m.x, where a count of days is the likelier): the days since
// d. FoxPro code subtracts a field from today for the time elapsed; a count of days kept in a field
// is added to a date.
bool Scan::whole_item_difference(std::size_t first, std::size_t end) {
    if (!in_select_item() || (prev_ != Prev::keyword && prev_ != Prev::comma)) return false;
    std::size_t name = first, name_end = first;
    if (src_[first] == '(') {  // (SELECT MAX(d) FROM ...): the latest date of a subquery
        if (!extreme_subquery(first, end, name, name_end)) return false;
    } else {
        if (!name_start(src_[first])) return false;
        name_end = name_chain_end(src_, first, end_);
        if (name_end != end && !extreme_of_name(first, name_end, end, name, name_end)) return false;  // a call or more
    }
    std::size_t w1 = name;
    while (w1 < name_end && name_char(src_[w1])) ++w1;
    if (w1 < name_end && object_word(src_.substr(name, w1 - name))) return false;  // m.x, THIS.x
    std::size_t next = skip_blanks(end);
    if (next < end_ && (src_[next] == '+' || src_[next] == '-')) {  // DATE() - since + 1 AS days
        const std::size_t number = skip_blanks(next + 1);
        if (number >= end_ || !is_digit(src_[number])) return false;
        next = number_end(src_, number, end_);
    }
    return whole_item(next);
}

// The select item being read ends at 'end' (blanks passed over): the statement's or the member's end,
// a comma, AS, an alias, or the next clause.
bool Scan::whole_item(std::size_t end) {
    const std::size_t next = skip_blanks(end);
    if (next >= end_ || src_[next] == ',') return true;
    if (!name_start(src_[next])) return false;
    std::size_t n1 = next;
    while (n1 < end_ && name_char(src_[n1])) ++n1;
    const std::string_view word = src_.substr(next, n1 - next);
    switch (keyword_of(word)) {
    case Kw::none: case Kw::from: case Kw::into: case Kw::union_: return true;  // an alias, the next clause
    default: return same_word(word, "AS");
    }
}

// The operand from 'first' (whose first word ends at 'word_end') to 'end' is MAX(name) or MIN(name),
// DATE() - MAX(d) the days since the latest d of a group: the name's bounds go to 'name' and
// 'name_end'.
bool Scan::extreme_of_name(std::size_t first, std::size_t word_end, std::size_t end, std::size_t &name,
                           std::size_t &name_end) const {
    const std::string_view word = src_.substr(first, word_end - first);
    if (!same_word(word, "MAX") && !same_word(word, "MIN")) return false;
    const std::size_t open = skip_blanks(word_end);
    if (open >= end || src_[open] != '(' || close_paren(open) != end - 1) return false;
    const std::size_t arg = skip_blanks(open + 1);
    if (arg >= end || !name_start(src_[arg])) return false;
    const std::size_t arg_end = name_chain_end(src_, arg, end);
    if (skip_blanks(arg_end) != end - 1) return false;
    name = arg;
    name_end = arg_end;
    return true;
}

// The group from 'first' to 'end' is a subquery of the MAX or MIN of one name ((SELECT MAX(o.d) FROM
// orders o WHERE ...)), whose name it gives in 'name' and 'name_end'.
bool Scan::extreme_subquery(std::size_t first, std::size_t end, std::size_t &name, std::size_t &name_end) const {
    const auto word_end = [&](std::size_t at) {
        while (at < end && name_char(src_[at])) ++at;
        return at;
    };
    const std::size_t s0 = skip_blanks(first + 1), s1 = word_end(s0);
    if (s1 == s0 || keyword_of(src_.substr(s0, s1 - s0)) != Kw::select) return false;
    const std::size_t c0 = skip_blanks(s1), c1 = word_end(c0);
    const std::size_t open = skip_blanks(c1);
    if (c1 == c0 || open >= end || src_[open] != '(') return false;
    const std::size_t close = close_paren(open);
    if (close == none || close >= end || !extreme_of_name(c0, c1, close + 1, name, name_end)) return false;
    const std::size_t f0 = skip_blanks(close + 1), f1 = word_end(f0);
    return f1 > f0 && keyword_of(src_.substr(f0, f1 - f0)) == Kw::from;
}

// One past the comparison operator at 'at' (=, ==, <, <=, >, >=, <>, #, !=), or 'at' when none
// stands there.
std::size_t Scan::comparison_end(std::size_t at) const {
    const std::size_t from = at;
    while (at < end_ && std::string_view("<>=#!").find(src_[at]) != std::string_view::npos) ++at;
    return at == from + 1 && src_[from] == '!' ? from : at;
}

// The name the output of the operand being read holds, alone (t.d, ?m.d, not a + b); empty when it
// holds anything else.
std::string_view Scan::lone_name_operand() {
    const Level &t = top();
    if (prev_ != Prev::operand || t.operand_open) return {};
    const std::string_view written = out_.text(pos_);
    if (t.operand >= written.size()) return {};
    const std::string_view operand = trimmed(written.substr(t.operand));
    const std::size_t first = !operand.empty() && operand[0] == '?' ? 1 : 0;  // a host parameter
    if (operand.size() <= first || !name_start(operand[first]) || name_chain_end(operand, first, operand.size()) != operand.size()) {
        return {};
    }
    return operand;
}

// At a "+" or "-" after a name d (t.d): the arithmetic of dates it begins, where FoxPro's meaning
// shows d to be a date or a datetime, written as the dialect counts days or seconds.
// - d - DATE(), d - CTOD(s), t - DTOT(e): the difference of two dates (days) or datetimes (seconds),
//   since FoxPro subtracts no date from a number.
// - d + n, d - n with n a number, compared with a date or a datetime (d + 30 < DATE()): n days or
//   seconds added (MySQL reads a date plus a number as a number).
bool Scan::date_arithmetic() {
    const char sign = src_[pos_];
    const std::size_t t0 = skip_blanks(pos_ + 1);
    if (t0 >= end_) return false;
    // d - -2: a number with a sign of its own
    const bool number = is_digit(src_[t0]) || ((src_[t0] == '-' || src_[t0] == '+') && t0 + 1 < end_ && is_digit(src_[t0 + 1]));
    if (!name_start(src_[t0]) && !number && src_[t0] != '?' && src_[t0] != '{') {
        // x + (n + m), x - -n: a count for an operand that gives a date
        return std::string_view("(+-").find(src_[t0]) != std::string_view::npos && signed_value_sum(sign, t0);
    }
    const std::string_view name = lone_name_operand();
    if (name.empty()) {
        return extreme_arithmetic(sign, t0) || (sign == '-' && name_start(src_[t0]) && call_minus_name(t0)) ||
               operand_arithmetic(sign, t0);
    }
    Text built;
    std::size_t end = 0;
    const int kind = named_date(name), shown = kind != 0 ? 0 : pass_.shown_date(name);
    if (number) {
        if (kind != 0) end = date_sum(name, kind == 1, built);
        if (end != 0) end = more_counts(kind == 1, end, built);
        if (shown != 0) end = shown_sum(name, shown, built);
        if (end == 0 && kind == 0) end = date_sum_compared(name, built);
    } else {
        if (sign == '-') end = date_difference(name, t0, built);
        if (end == 0 && (kind == 1 || (sign == '-' && part_of_itself(name, t0)))) {  // m.dTo - DAY(m.dTo) + 1
            end = sum_of(true, false, name, pos_, built);
            if (end != 0) end = more_counts(true, end, built);
        }
        if (end == 0 && shown != 0) end = shown_sum(name, shown, built);
        if (end == 0 && src_[t0] != '{') end = date_sum_compared(name, built);
    }
    return end != 0 && place_date_arithmetic(name, end, built);
}

// d + (n + m), d - -n: the count a value in parentheses or with a sign of its own, after a name that
// FoxPro's naming or the statement shows to be a date or a datetime, or after another operand that
// gives one (operand_arithmetic).
bool Scan::signed_value_sum(char sign, std::size_t t0) {
    const std::string_view name = lone_name_operand();
    if (name.empty()) return operand_arithmetic(sign, t0);
    const int named = named_date(name);
    const int kind = named != 0 ? named : pass_.shown_date(name);
    Text built;
    const std::size_t end = kind == 0 ? 0 : shown_sum(name, kind, built);
    return end != 0 && place_date_arithmetic(name, end, built);
}

// The operand 'name', as written, and the source up to 'end' replaced by 'built'.
bool Scan::place_date_arithmetic(std::string_view name, std::size_t end, const Text &built) {
    Text taken;
    out_.take(static_cast<std::size_t>(name.data() - out_.text(pos_).data()), pos_, taken);
    out_.replace(pos_, end, built.view());
    pos_ = end;
    prev_ = Prev::operand;
    return true;
}

// The name in MAX(d) or MIN(d) written whole in 'text'; empty when 'text' is anything else.
static std::string_view extreme_name(std::string_view text) {
    text = trimmed(text);
    std::size_t w = 0;
    while (w < text.size() && name_char(text[w])) ++w;
    const std::string_view word = text.substr(0, w);
    if ((!same_word(word, "MAX") && !same_word(word, "MIN")) || text.back() != ')') return {};
    w = blanks_after(text, w);
    if (w >= text.size() || text[w] != '(') return {};
    const std::string_view inner = trimmed(text.substr(w + 1, text.size() - w - 2));
    if (inner.empty() || !name_start(inner[0]) || name_chain_end(inner, 0, inner.size()) != inner.size()) return {};
    return inner;
}

// The kind (1 a date, 2 a datetime) of MAX(d) or MIN(d) written whole in 'text', d a name the
// statement shows to be one: the greatest or least of dates is a date; 0 for anything else.
int Scan::extreme_kind(std::string_view text) {
    const std::string_view inner = extreme_name(text);
    return inner.empty() ? 0 : pass_.shown_date(inner);
}

// At a "+" or "-" after MAX(d) or MIN(d), d shown to be a date or a datetime (MAX(fecha) -
// MIN(fecha), MAX(fecha) + 30): days or seconds added, or the difference, as for d itself.
bool Scan::extreme_arithmetic(char sign, std::size_t t0) {
    const Level &t = top();
    if (prev_ != Prev::operand || t.operand_open) return false;
    const std::string_view written = out_.text(pos_);
    if (t.operand >= written.size()) return false;
    const std::string_view operand = trimmed(written.substr(t.operand));
    const int kind = extreme_kind(operand);
    if (kind == 0) return false;
    Text built;
    std::size_t end = 0;
    if (is_digit(src_[t0])) end = shown_sum(operand, kind, built);
    else if (sign == '-') end = date_difference(operand, t0, built);
    return end != 0 && place_date_arithmetic(operand, end, built);
}

// One past MAX(d) or MIN(d) at 't0' when d is shown to be a date or a datetime, whose kind it gives
// in 'kind'; 0 when no such call stands there.
std::size_t Scan::extreme_end(std::size_t t0, int &kind) {
    std::size_t w = t0;
    while (w < end_ && name_char(src_[w])) ++w;
    const std::size_t open = skip_blanks(w);
    if (w == t0 || open >= end_ || src_[open] != '(') return 0;
    const std::size_t close = close_paren(open);
    if (close == none) return 0;
    kind = extreme_kind(src_.substr(t0, close + 1 - t0));
    return kind == 0 ? 0 : close + 1;
}

// d + n, d - n with d a name the statement shows to be a date (days, op.shown_date_days) or a datetime
// (seconds), n a number or a value as sum_of reads them: one past the last count, with the sum in
// 'built'; 0 when none follows or the dialect's own sum is right.
std::size_t Scan::shown_sum(std::string_view name, int kind, Text &built) {
    const Construct *row = kind == 1 ? &named().op_shown_date_days : nullptr;
    const std::size_t end = sum_of(kind == 1, false, name, pos_, built, false, row);
    return end == 0 ? 0 : more_counts(kind == 1, end, built, row);
}

// TTOD(t) - d, the call as the dialect's own row writes it and d a name at 't0' (TTOD(shipped) -
// order_date): the days between the two, where the difference is compared with a number (TTOD(t) -
// d > 3) or stands alone as a select item; elsewhere d may be a count of days.
bool Scan::call_minus_name(std::size_t t0) {
    const Level &t = top();
    if (prev_ != Prev::operand || t.operand_open) return false;
    const std::string_view written = out_.text(pos_);
    const std::size_t start = primary_start(written, t.operand);
    if (start == none || trimmed(written.substr(t.operand)).size() != trimmed(written.substr(start)).size()) return false;
    std::size_t w1 = start;
    while (w1 < written.size() && name_char(written[w1])) ++w1;
    if (w1 == written.size() || written[w1] != '(' || !same_word(written.substr(start, w1 - start), "TTOD")) return false;
    const std::size_t end = name_chain_end(src_, t0, end_);
    if (end == t0 || (end < end_ && src_[end] == '(') || binds_tighter(end) || named_type(src_.substr(t0, end - t0)) != 0) {
        return false;
    }
    std::size_t w2 = t0;
    while (w2 < end && name_char(src_[w2])) ++w2;
    const bool field = w2 == end || !object_word(src_.substr(t0, w2 - t0));  // not m.x, THIS.x
    const bool alone = field && in_select_item() && t.item == t.operand && whole_item(end);
    if (!alone && !used_as_number(pos_, end)) return false;
    const std::string_view form = named().op_date_difference.target[pass_.column];
    if (form.empty()) return false;
    Args args;
    args.add(trimmed(written.substr(start)));
    convert_into(args, t0, end, false);
    Text built;
    fill(built, form, args);
    Text taken;
    out_.take(start, pos_, taken);
    out_.replace(pos_, end, built.view());
    pos_ = end;
    prev_ = Prev::operand;
    return true;
}

// DAY(d) or DOW(d) at 't0', of the name d written before the "-" (d - DAY(d) + 1, the first of the
// month; d - DOW(d) + 1, d - DOW(d, 2) + 1, the first of the week): these take a date, so d is one,
// whatever its name.
bool Scan::part_of_itself(std::string_view name, std::size_t t0) const {
    std::size_t w1 = t0;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::string_view word = src_.substr(t0, w1 - t0);
    const std::size_t open = skip_blanks(w1);
    if ((!same_word(word, "DAY") && !same_word(word, "DOW")) || open >= end_ || src_[open] != '(') return false;
    const std::size_t close = close_paren(open);
    if (close == none) return false;
    std::string_view arg = src_.substr(open + 1, close - open - 1);
    arg = trimmed(arg.substr(0, arg.find(',')));  // DOW(d, 2): the first day of the week after d
    if (arg.size() != name.size()) return false;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (upper(arg[i]) != upper(name[i])) return false;
    }
    return true;
}

// d - f(...) with f a function that gives a date or a datetime, or d - {^2016-01-05}: one past the
// call or literal, with the difference in 'built'; 0 when it is none.
std::size_t Scan::date_difference(std::string_view name, std::size_t t0, Text &built) {
    std::size_t open = 0;
    int kind = 0;
    std::size_t end = 0;
    bool today = false, shown = false;
    if (src_[t0] == '{') {  // a date or datetime literal: FoxPro takes no date from a number
        end = std::min(end_, primary_end(t0));
        if (src_[end - 1] != '}' || !gives_date(true, t0, end)) return 0;  // an open brace: left as written
        kind = src_.substr(t0, end - t0).find(':') == std::string_view::npos ? 1 : 2;
    } else if ((kind = date_call_at(t0, &open)) != 0) {  // a call that gives a date
        const std::size_t close = close_paren(open);
        if (close == none) return 0;
        end = close + 1;
        today = skip_blanks(open + 1) == close;  // DATE(), DATETIME()
    } else if ((end = extreme_end(t0, kind)) != 0) {  // MAX(d), MIN(d) of a name shown to be a date
        shown = kind == 1;
    } else {  // a variable that FoxPro's naming makes a date (m.dFrom, ldStart), or a name the statement shows to be one
        end = name_chain_end(src_, t0 + (src_[t0] == '?' ? 1 : 0), end_);
        const std::string_view operand = src_.substr(t0, end - t0);
        kind = named_date(operand);
        shown = kind == 0 && (kind = pass_.shown_date(operand)) == 1;
        if (kind == 0 || (end < end_ && src_[end] == '(')) return 0;
    }
    if (binds_tighter(end)) return 0;
    const bool date = kind == 1;
    const Construct &row = shown ? named().op_shown_date_difference
                                 : date ? named().op_date_difference : named().op_datetime_difference;
    const std::string_view form = row.target[pass_.column];
    if (form.empty()) return 0;
    Args args;
    args.add(name);
    if (today) args.add(today_form(date));
    else convert_into(args, t0, end, false);
    fill(built, form, args);
    return end;
}

// d + n, d - n with d a variable FoxPro's naming makes a date (m.dTo + 1) or a datetime: one past
// n, with the sum in 'built'; 0 when no number follows or the dialect's own sum is right.
std::size_t Scan::date_sum(std::string_view name, bool date, Text &built) {
    const NamedRows &n = named();
    std::string_view form = (date ? n.op_date_value_days : n.op_datetime_value_seconds).target[pass_.column];
    if (named_date(name) != 0) {  // a variable: its own row where the dialect needs its type written
        const std::string_view own = (date ? n.op_variable_date_days : n.op_variable_datetime_seconds).target[pass_.column];
        if (!own.empty()) form = own;
    }
    Text count;
    const std::size_t end = counted_number(date, pos_, count, form);
    if (end == 0 || form.empty()) return 0;
    Args args;
    args.add(name);
    args.add(count.view());
    fill(built, form, args);
    return end;
}

// The type letter FoxPro's naming convention gives a memory variable or parameter (m.dFrom, ?m.tStamp,
// m.cName, ?nDays, ldStart, tdDate, lcCity: a scope letter l, p, g or t, then the type letter, then a
// capital; after m. or ?, which name a variable, the scope letter may be left out), 0 for none. A
// field's name, all one case once upper-cased, is never read so.
char named_type(std::string_view name) {
    const bool parameter = !name.empty() && name[0] == '?';
    if (parameter) name.remove_prefix(1);
    const bool qualified = name.size() > 2 && (name[0] == 'm' || name[0] == 'M') && name[1] == '.';
    if (qualified) name.remove_prefix(2);
    const bool variable = qualified || parameter;
    if (name.find('.') != std::string_view::npos) return 0;  // an object's member
    const auto capital = [](char c) { return c >= 'A' && c <= 'Z'; };
    constexpr std::string_view types = "cdtnlyib";
    std::size_t at = 0;
    if (name.size() >= 3 && std::string_view("lpgt").find(name[0]) != std::string_view::npos &&
        types.find(name[1]) != std::string_view::npos && capital(name[2])) {
        at = 1;
    } else if (!variable) {
        return 0;
    }
    if (name.size() < at + 2 || !capital(name[at + 1]) || types.find(name[at]) == std::string_view::npos) return 0;
    return name[at];
}

bool named_number(std::string_view name) {
    const char type = named_type(name);
    return type == 'n' || type == 'i' || type == 'y' || type == 'b';
}

std::size_t Scan::variable_end(std::size_t at) const {
    if (src_[at] == '?') return parameter_end(src_, at, end_, pass_.rules);
    return name_start(src_[at]) ? name_chain_end(src_, at, end_) : at;
}

// 1 when the naming makes the name a date, 2 a datetime, 0 otherwise.
int named_date(std::string_view name) {
    const char type = named_type(name);
    return type == 'd' ? 1 : type == 't' ? 2 : 0;
}

// d + n, d - n compared with a date or a datetime: one past n, with the sum in 'built'; 0 when it
// is none. n is a number or a name (d + nDays = {^2020-03-02}): compared with a date, d - n takes no
// date from d, whose difference would be a number.
std::size_t Scan::date_sum_compared(std::string_view name, Text &built) {
    const std::size_t t0 = skip_blanks(pos_ + 1);
    const bool number = is_digit(src_[t0]);
    std::size_t end = 0;
    if (number) {
        Text count;
        end = signed_count(pos_, count);
    } else if (name_start(src_[t0]) || src_[t0] == '?') {
        end = primary_end(t0);
        if (end == none || end > end_ || binds_tighter(end) || src_[end - 1] == ')') return 0;
    }
    if (end == 0) return 0;
    const std::size_t compare = skip_blanks(end);
    std::size_t at = comparison_end(compare);
    int kind = 0;
    if (at == compare) {
        // no comparison after the sum: the date may stand before it (DATE() > d + 5, TTOD(t) >= d + 1)
        if (!comparison_side_ends(end)) return 0;
        std::size_t name_at = blanks_before(src_, pos_);
        while (name_at > 0 && (name_char(src_[name_at - 1]) || src_[name_at - 1] == '.')) --name_at;
        if (name_at > 0 && src_[name_at - 1] == '?') --name_at;
        kind = date_compared_before(name_at);
    } else if (at = skip_blanks(at); at < end_ && src_[at] == '{') {  // a date literal, or a datetime one (with a time)
        const std::size_t close = std::min(end_, primary_end(at));
        if (gives_date(true, at, close)) kind = src_.substr(at, close - at).find(':') == std::string_view::npos ? 1 : 2;
    } else if (at < end_ && src_[at] == '(') {  // a group or subquery that gives one: = (SELECT MAX(t) ...)
        const std::size_t close = primary_end(at);
        kind = close == none ? 0 : std::max(0, source_date_kind(at, close, 0));
    } else if ((kind = date_call_at(at)) == 0 && at < end_) {
        // a variable FoxPro's naming makes a date or a datetime (d + 30 < ?ldToday, m.tStamp)
        const std::size_t name_end = variable_end(at);
        if (name_end > at && (name_end >= end_ || src_[name_end] != '(')) kind = named_date(src_.substr(at, name_end - at));
    }
    if (kind == 0) return 0;
    return number ? date_sum(name, kind == 1, built) : sum_of(kind == 1, false, name, pos_, built, true);
}

// Nothing but the end of the condition follows 'at': the end, a ")" or ",", or a word (AND, OR,
// ORDER BY, .AND.).
bool Scan::comparison_side_ends(std::size_t at) const {
    at = skip_blanks(at);
    return at >= end_ || src_[at] == ')' || src_[at] == ',' || name_start(src_[at]) || src_[at] == '.';
}

// 1 (2) when a comparison stands before the name at 'name_at' and its other side is one operand that
// gives a date (a datetime): a call of a function that does, a date literal, a variable FoxPro's
// naming makes one (DATE() > d + 5, {^2020-03-01} <= d + n); 0 otherwise. The operand stands alone
// on its side: no operator joins it to what comes before (x - DATE() is a number of days).
int Scan::date_compared_before(std::size_t name_at) const {
    constexpr std::size_t npos = std::string_view::npos;
    std::size_t at = blanks_before(src_, name_at);
    const std::size_t compare_end = at;
    while (at > 0 && std::string_view("<>=#!").find(src_[at - 1]) != npos) --at;
    if (at == compare_end || comparison_end(at) != compare_end) return 0;
    at = blanks_before(src_, at);
    if (at == 0) return 0;
    const std::size_t close = at;  // one past the operand
    const std::size_t from = primary_start(src_.substr(0, close), 0);
    if (from == none) return 0;
    int kind = 0;
    if (src_[close - 1] == '}') {
        if (!gives_date(true, from, close)) return 0;
        kind = src_.substr(from, close - from).find(':') == npos ? 1 : 2;
    } else if (src_[close - 1] == ')') {
        std::size_t paren = npos;
        kind = date_call_at(from, &paren);
        if (paren == npos || close_paren(paren) != close - 1) return 0;
    } else if (variable_end(from) == close) {
        kind = named_date(src_.substr(from, close - from));
    }
    if (kind == 0) return 0;
    std::size_t before = blanks_before(src_, from);
    return before > 0 && std::string_view("+-*/%^$").find(src_[before - 1]) != npos ? 0 : kind;
}

}  // namespace tarnvel::select::fox
