// The rewritten calls of the FoxPro-syntax pass: a function row of the map with its arguments
// converted by scans of their own, and the rows with a form of their own (ICASE, CAST, CTOD,
// TRANSFORM, LIKE, STR).
#include "select/fox/scan.h"

#include <array>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace tarnvel::select::fox {


// The first row of the name decides whether the dialect has the function: a name's other rows
// (other counts of arguments) leave it where the first does.
bool Scan::call(const Construct &first, std::size_t w0, std::size_t open) {
    if (pass_.depth >= deepest_call) return false;
    if (left_to_dialect(first, pass_.column) && !has_siblings(first)) return false;
    if (first.form == Form::chrtran && first.target[pass_.column].empty() &&
        named().fn_chrtran_steps.target[pass_.column].empty()) {
        return false;
    }
    const auto [close, count] = call_extent(open);
    if (close == none) return false;
    const Construct *fit = taking(first, count);
    if (fit == nullptr || left_to_dialect(*fit, pass_.column)) return false;
    if (fit == &named().fn_at && filled_literal_first(open)) return false;  // AT('x', s): the dialect's own
    const Construct &row = between_dates(*fit, w0, open, close);
    const bool condition = (starts_condition() && !operator_follows(close + 1)) ||
                           (row.shape == Shape::predicate && condition_in_item(close + 1));
    if ((&row == &named().fn_max_logical || &row == &named().fn_min_logical) &&
        !(condition && lone_name_between(open + 1, close))) {
        return false;  // MAX(x) as a value: the dialect's aggregate
    }
    Text built;
    const Built outcome = build(row, w0, open, close, count, built);
    if (outcome == Built::none) return false;
    if (outcome == Built::rewritten && row.shape == Shape::predicate && !condition) wrap_as_value(built, pass_.column);
    std::size_t last = close + 1;
    if (outcome == Built::rewritten) last = date_sum(row, close + 1, built);
    if (const std::string_view b = built.view(); b.size() >= 2 && b.front() == '{' && b.back() == '}') {
        // CTOD('') or CTOT('') alone as a select item: the typed empty date or datetime, as for {}
        std::string_view inside = b.substr(1, b.size() - 2);
        if (&row == &named().fn_ctot && inside.find_first_not_of(" /:") == std::string_view::npos) inside = ":";
        if (const std::string_view typed = empty_date_item(inside, last); !typed.empty()) {
            built.clear();
            built.append(typed);
        }
    }
    begin_token(w0);
    out_.replace(w0, last, built.view());
    pos_ = last;
    prev_ = Prev::operand;
    return true;
}

// The row of a number of days added to the first argument of a call of 'row', which takes a date; none
// for a call of any other row.
const Construct *Scan::days_row(const Construct &row) const {
    if (&row == &named().fn_dtot || &row == &named().fn_gomonth) return &named().op_date_argument_days;
    const std::string_view name = row.words.substr(0, row.words.find(','));
    return (facts_of(name) & Fact::reads_date) != 0 ? &named().op_date_part_argument_days : nullptr;
}

// DTOC(d, m.nFlag), the flag no number written out: the server reads it.
constexpr std::string_view dtoc_flag_read = "IIF({2} = 1, DTOS({1}), DTOC({1}))";

Scan::Built Scan::build(const Construct &row, std::size_t w0, std::size_t open, std::size_t close, std::size_t count,
                        Text &built) {
    const std::string_view form = row.target[pass_.column];
    auto done = [](bool rewritten) { return rewritten ? Built::rewritten : Built::none; };
    switch (row.form) {
    case Form::text: {
        if (form.empty()) return Built::none;
        if (count_written(row, open, close)) return Built::none;
        if (&row == &named().fn_empty && empty_typed(open, close, built)) return Built::rewritten;
        if (&row == &named().fn_date_of) return done(date_of_parts(row, open, close, built));
        Args args;
        const Construct *days = days_row(row);
        std::size_t index = 0;
        for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
            if (index++ == 0 && (days != nullptr ? date_argument(*days, args, from, to) : decimal_argument(row, args, from, to))) return;
            convert_into(args, from, to, false);
        });
        for (std::size_t k = count; k < row.max_args && !row.left_out.empty(); ++k) args.add(row.left_out);
        if (repeats_long_argument(form, args)) {  // the call as written, with its arguments converted
            built.append(src_.substr(w0, open + 1 - w0));
            fill(built, "{1+})", args);
            return Built::kept;
        }
        fill(built, form, args);
        return Built::rewritten;
    }
    case Form::foxpro:
        if (&row == &named().fn_dtoc_ansi && !flag_one(open, close)) return done(foxpro(dtoc_flag_read, open, close, count, built));
        return done(foxpro(&row == &named().fn_evl && number_instead(open, close)  // EVL(total, 0.01)
                               ? named().fn_evl_number.target[pass_.column] : form,
                           open, close, count, built));
    case Form::icase:
        return done(icase(open, close, count, built));
    case Form::cast:
        return done(cast(open + 1, close, built));
    case Form::ctod:
        return done(ctod(open + 1, close, built) ||
                    date_expression(named().fn_ctod_expression, open + 1, close, built));
    case Form::ctot:
        return done(date_of_literal(open + 1, close, built) ||
                    date_expression(named().fn_ctot_expression, open + 1, close, built));
    case Form::transform:
        return done(transform(open, close, count, built));
    case Form::like:
        return done(like(row, open, close, built));
    case Form::inlist:
        return done(inlist(row, open, close, built));
    case Form::chrtran:
        return done(chrtran(row, open, close, built));
    case Form::str:
        return done(str(open, close, count, built));
    case Form::numbered: case Form::trim: case Form::weekday: case Form::mask: case Form::delimiters:
        return done(written_options(row, open, close, built));
    case Form::extreme:
        return done(extreme(form, open, close, count, built));
    case Form::recno:
        return done(record_number(form, w0, count, close, built));
    }
    return Built::none;
}

// RECNO() = 0 in a condition: the number 1, which no record has. RECNO() in the select list of a read of
// one whole table: the row number as it stands. Elsewhere it is left for the statement driver, which
// sees the clauses, with the form it needs.
bool Scan::record_number(std::string_view form, std::size_t w0, std::size_t count, std::size_t close, Text &built) {
    if (count != 0) return false;
    if (no_record_compared(w0, close)) {
        built.append("1");
        return true;
    }
    if (form.empty()) return false;
    if (!in_select_item() || !one_whole_table(close + 1)) {
        pass_.record_number = form;
        return false;
    }
    built.append(form);
    return true;
}

// RECNO() = 0 on its own between the keywords, commas or parentheses of a condition: FoxPro numbers records
// from 1, so no row has it (SELECT * FROM t WHERE RECNO() = 0 reads the table's columns and no row).
// The number is written 1, which every dialect takes whatever the statement reads.
bool Scan::no_record_compared(std::size_t w0, std::size_t close) const {
    std::size_t before = blanks_before(src_, w0);
    if (before > 0 && src_[before - 1] != '(' && src_[before - 1] != ',' && !name_char(src_[before - 1])) return false;
    std::size_t at = skip_blanks(close + 1);
    if (at >= end_ || src_[at] != '=') return false;
    at = skip_blanks(at + (at + 1 < end_ && src_[at + 1] == '=' ? 2 : 1));
    if (at >= end_ || src_[at] != '0') return false;
    if (++at < end_ && (name_char(src_[at]) || src_[at] == '.')) return false;
    at = skip_blanks(at);
    return at >= end_ || src_[at] == ')' || src_[at] == ',' || name_start(src_[at]);
}

Piece Scan::convert(std::size_t from, std::size_t to, bool condition, bool value) {
    std::string_view part = trimmed(src_.substr(from, to - from));
    // a condition in parentheses ((lPaid)) may hold a logical alone, which the quick look cannot tell
    const bool grouped_condition = condition && !part.empty() && part[0] == '(';
    if (!value && !grouped_condition && pass_.look_first && !worth_a_pass(pass_, part) && !(sum_beside_name(part) && pass_.shows_dates())) {
        return Piece{tarnvel::Text(), part};  // most arguments: nothing to rewrite
    }
    from = static_cast<std::size_t>(part.data() - src_.data());
    to = from + part.size();
    Level base;
    base.kind = Level::group;
    base.clause = top().clause;
    base.condition = condition;
    base.compared = value;  // a condition there is written as a value
    ++pass_.depth;
    Scan scan(pass_, src_, from, to, base);
    scan.run();
    --pass_.depth;
    Piece piece;
    if (scan.out().changed()) {
        piece.sink = scan.out().release(to);
        piece.text = piece.sink.view();
    } else {
        piece.text = part;
    }
    return piece;
}

void Scan::convert_into(Args &args, std::size_t from, std::size_t to, bool condition) {
    Piece piece = convert(from, to, condition);
    args.add(piece.text);
}

// The first argument [from, to) of a call that takes a date, written v + n or v - n (v a name or a
// parameter, n a number): n days added to v as the dialect adds them (the row 'sum').
bool Scan::date_argument(const Construct &sum_row, Args &args, std::size_t from, std::size_t to) {
    const std::string_view form = sum_row.target[pass_.column];
    if (form.empty()) return false;
    const auto skip = [&](std::size_t at) {
        while (at < to && is_blank(src_[at])) ++at;
        return at;
    };
    const std::size_t v0 = skip(from);
    const std::size_t name = v0 < to && src_[v0] == '?' ? v0 + 1 : v0;
    if (name >= to || !name_start(src_[name])) return false;
    const std::size_t v1 = name_chain_end(src_, name, to);
    if (named_date(src_.substr(v0, v1 - v0)) == 2) return false;  // GOMONTH(m.tStamp + 60, 1): seconds
    const std::size_t sign = skip(v1);
    if (sign >= to || (src_[sign] != '+' && src_[sign] != '-')) return false;
    const std::size_t first = skip(sign + 1);
    if (first >= to || !is_digit(src_[first])) return false;
    const std::size_t last = number_end(src_, first, to);
    if (skip(last) != to) return false;
    Piece value = convert(v0, v1, false);
    Text count;
    if (src_[sign] == '-') count.append("-");
    count.append(src_.substr(first, last - first));
    Args sum;
    sum.add(value.text);
    sum.add(count.view());
    Text built;
    fill(built, form, sum);
    args.add(built.view());
    return true;
}

// YEAR(v + 1), MONTH(d + 1), DAY(d - 1), DTOC(d + 30): a call the dialect writes itself, whose
// argument is a date; its first argument, a name or parameter plus a number, is written as days
// added (op.date_part_argument_days) and the scan goes on after it. False when it is not such a sum.
bool Scan::date_part_argument(std::string_view word, std::size_t open) {
    if (named().op_date_part_argument_days.target[pass_.column].empty() || (facts_of(word) & Fact::reads_date) == 0) {
        return false;
    }
    const std::size_t close = close_paren(open);
    if (close == none || close >= end_) return false;
    const std::size_t to = std::min(next_comma(src_, open + 1, close, pass_.rules), close);
    Args sum;
    if (!date_argument(named().op_date_part_argument_days, sum, open + 1, to)) return false;
    out_.replace(open + 1, to, sum[0]);
    pos_ = to;
    prev_ = Prev::operand;
    return true;
}

// A row written in FoxPro: its template filled with the arguments as written, then converted.
namespace {

// A number written out, with its sign or not (0.01, -1, 100).
bool number_literal(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text = trimmed(text.substr(1));
    if (text.empty() || !is_digit(text[0])) return false;
    return number_end(text, 0, text.size()) == text.size();
}

}  // namespace

// The call's second argument is a number written out (EVL(total, 0.01)).
bool Scan::number_instead(std::size_t open, std::size_t close) const {
    std::size_t index = 0;
    bool number = false;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ == 1) number = number_literal(trimmed(src_.substr(from, to - from)));
    });
    return number && index == 2;
}

// The second argument is the number 1 written out (DTOC(d, 1)): any other, an expression above all,
// is no flag the pass may read, and is never dropped (the server reads it).
bool Scan::flag_one(std::size_t open, std::size_t close) const {
    std::size_t index = 0;
    bool one = false;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ == 1) one = trimmed(src_.substr(from, to - from)) == "1";
    });
    return one;
}

// PostgreSQL's LEFT or RIGHT with a count written as a whole number, of no sign (LEFT(s, 3)): no guard
// is needed against a negative count, which would cut from the other end.
bool Scan::count_written(const Construct &row, std::size_t open, std::size_t close) const {
    if (pass_.column != pgsql || (&row != &named().fn_left && &row != &named().fn_right)) return false;
    std::size_t index = 0;
    bool digits = false;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ != 1) return;
        const std::string_view arg = trimmed(src_.substr(from, to - from));
        digits = !arg.empty() && arg.find_first_not_of("0123456789") == std::string_view::npos;
    });
    return digits && index == 2;
}

// EMPTY(x) where x shows its kind of value: a number, a condition, a field or a text of a text.
bool Scan::empty_typed(std::size_t open, std::size_t close, Text &built) {
    return empty_number(open, close, built) || empty_condition(open, close, built) || empty_text(open, close, built);
}

// EMPTY(v) of a variable or parameter that FoxPro's naming makes a number (m.nTotal, tnId), or of a call
// that gives a number (AT, LEN, VAL, ...; not a part of a date, NULL where the empty date is): v = 0.
bool Scan::empty_number(std::size_t open, std::size_t close, Text &built) {
    const std::string_view arg = trimmed(src_.substr(open + 1, close - open - 1));
    if (arg.empty() || (arg[0] != '?' && !name_start(arg[0]))) return false;
    const std::size_t first = static_cast<std::size_t>(arg.data() - src_.data());
    const std::size_t end = first + arg.size();
    if (variable_end(first) != end || !named_number(arg)) {  // EMPTY(AT(' ', s)): a call that gives a number
        if (!number_call(first, false)) return false;
        const std::size_t call_open = src_.find('(', first);
        if (close_paren(call_open) + 1 != end) return false;
    }
    Args args;
    convert_into(args, first, end, false);
    fill(built, named().fn_empty_number.target[pass_.column], args);
    return true;
}

// EMPTY(c) of a condition (EMPTY(a > b), and so EVL(a > b, x)): its negation, the argument read as a
// condition.
bool Scan::empty_condition(std::size_t open, std::size_t close, Text &built) {
    if (!holds_condition(open + 1, close)) return false;
    Args args;
    convert_into(args, open + 1, close, true);
    fill(built, named().fn_empty_condition.target[pass_.column], args);
    return true;
}

// EMPTY(x) where the dialect has a form of its own for a field (x one name: the test of every type that
// takes NULL for empty only where the field is a date) or for a call that gives a text of a text
// (SUBSTR, LEFT, UPPER, ALLTRIM, ...: the test of blank text). Either finds no NULL of a text, number or
// logical, as FoxPro's EMPTY(.NULL.); a field of the outer side of an outer join is NULL where no row
// was found. A variable, which the statement reads as a parameter, keeps the test of every type.
bool Scan::empty_text(std::size_t open, std::size_t close, Text &built) {
    const std::string_view arg = trimmed(src_.substr(open + 1, close - open - 1));
    if (arg.empty() || !name_start(arg[0])) return false;
    const std::size_t first = static_cast<std::size_t>(arg.data() - src_.data());
    const std::size_t end = first + arg.size();
    std::string_view form = named().fn_empty_name.target[pass_.column];
    if (!lone_name_between(first, end)) {
        form = named().fn_empty_text.target[pass_.column];
        if ((facts_at(src_, first) & Fact::gives_text) == 0) return false;
        std::size_t w1 = first;
        while (w1 < end && name_char(src_[w1])) ++w1;
        const std::size_t call_open = skip_blanks(w1);
        if (call_open >= end || src_[call_open] != '(' || close_paren(call_open) + 1 != end) return false;
    }
    if (form.empty()) return false;
    Args args;
    convert_into(args, first, end, false);
    const std::string_view converted = trimmed(args[0]);
    if (!converted.empty() && !name_start(converted[0]) && converted[0] != '"') {
        fill(built, named().fn_empty.target[pass_.column], args);  // a variable, made a parameter
        return true;
    }
    fill(built, form, args);
    return true;
}

// The text from 'from' to 'to' is one name (blanks around it allowed): t.l, l.
bool Scan::lone_name_between(std::size_t from, std::size_t to) const {
    from = skip_blanks(from);
    if (from >= to || !name_start(src_[from])) return false;
    const std::size_t end = name_chain_end(src_, from, to);
    return skip_blanks(end) >= to && keyword_of(src_.substr(from, end - from)) == Kw::none;
}

// The text from 'from' to 'to' is a condition: it begins with ! or NOT, or holds outside parentheses
// a comparison, a $ or a word that joins or makes conditions (AND, OR, LIKE, IN, IS, BETWEEN).
bool Scan::holds_condition(std::size_t from, std::size_t to) const {
    from = skip_blanks(from);
    if (from < to && src_[from] == '!' && (from + 1 >= to || src_[from + 1] != '=')) return true;
    int depth = 0;
    for (std::size_t at = from; at < to; ++at) {
        const char c = src_[at];
        if (const std::size_t end = fox::literal_end(src_, at, to, pass_.rules); end != at) {
            at = end - 1;
        } else if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
        } else if (depth == 0 && c != '\0' && std::strchr("=<>#$", c) != nullptr) {
            return true;
        } else if (depth == 0 && name_start(c) && (at == from || !name_char(src_[at - 1]))) {
            std::size_t w1 = at + 1;
            while (w1 < to && name_char(src_[w1])) ++w1;
            const std::string_view word = src_.substr(at, w1 - at);
            const Kw kw = keyword_of(word);
            if (kw == Kw::logic || same_word(word, "LIKE") || same_word(word, "IN") || same_word(word, "IS") ||
                same_word(word, "BETWEEN")) {
                return true;
            }
            at = w1 - 1;
        } else if (depth == 0 && c == '.' && dotted_operator(src_, at, to, true)) {
            return true;  // .AND., .OR., .NOT.
        }
    }
    return false;
}

bool Scan::foxpro(std::string_view form, std::size_t open, std::size_t close, std::size_t, Text &built) {
    Args raw;
    for_each_argument(src_, open, close, pass_.rules,
                      [&](std::size_t from, std::size_t to) { raw.add(trimmed(src_.substr(from, to - from))); });
    if (repeats_long_argument(form, raw)) return false;
    Text text;
    fill(text, form, raw);
    scan_foxpro(text.view(), close, built);
    return true;
}

// FoxPro text written for the call that ends at 'close', converted like the rest; a condition of its
// own where one starts and nothing compares it (not EVL(a, b) = 'x').
void Scan::scan_foxpro(std::string_view text, std::size_t close, Text &built) {
    Level base;
    base.kind = Level::group;
    base.clause = top().clause;
    base.condition = starts_condition() && !operator_follows(close + 1);
    ++pass_.depth;
    Scan scan(pass_, text, 0, text.size(), base);
    scan.run();
    --pass_.depth;
    built.append(scan.out().text(text.size()));
}

// ICASE(c1, v1, c2, v2, ..., [e]) where a condition stands, in a dialect whose CASE gives no
// condition: the IIFs it stands for, IIF(c1, v1, IIF(c2, v2, e)), each then a CASE compared with 1.
// Without e, .F.: FoxPro's NULL leaves the row out as well.
bool Scan::icase_condition(std::size_t w0, std::size_t open) {
    if (!starts_condition() || predicate_as_value(pass_.column) == "{1}" || pass_.depth >= deepest_call) return false;
    const auto [close, count] = call_extent(open);
    if (close == none || count < 2 || count > 32 || operator_follows(close + 1)) return false;
    Text built;
    icase_as_iifs(open, close, count, ".F.", built);
    call_replaced(w0, close, built.view());
    return true;
}

// ICASE(c1, v1, c2, v2, ..., [e]) written as IIF(c1, v1, IIF(c2, v2, e)) and converted; 'otherwise'
// where e is left out.
void Scan::icase_as_iifs(std::size_t open, std::size_t close, std::size_t count, std::string_view otherwise, Text &built) {
    Args raw;
    for_each_argument(src_, open, close, pass_.rules,
                      [&](std::size_t from, std::size_t to) { raw.add(trimmed(src_.substr(from, to - from))); });
    Text text;
    const std::size_t pairs = count / 2;
    for (std::size_t k = 0; k < pairs; ++k) {
        text.append("IIF(");
        text.append(raw[2 * k]);
        text.append(", ");
        text.append(raw[2 * k + 1]);
        text.append(", ");
    }
    text.append(count % 2 == 1 ? raw[count - 1] : otherwise);
    for (std::size_t k = 0; k < pairs; ++k) text.push(')');
    scan_foxpro(text.view(), close, built);
}

// A field called CASE, WHEN, THEN, ELSE or END: the clauses tell it from the words of a CASE the IIF
// rewrite opens, not from those of a CASE written whole (the row's column is not read).
constexpr ValueWords case_words{Column::sqlserver, ",CASE,WHEN,THEN,ELSE,END,"};

bool Scan::icase(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    const CaseForm &form = case_form(pass_.column);
    if (!form.per_pair && count >= 2 && count <= 32 && value_word_in(case_words, pass_.rules, src_.substr(open, close - open))) {
        icase_as_iifs(open, close, count, "NULL", built);
        return true;
    }
    const std::size_t pairs = count / 2;
    const bool otherwise = count % 2 == 1;
    std::size_t index = 0;
    built.append(form.open);
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const bool last_else = otherwise && index == count - 1;
        const bool condition = !last_else && index % 2 == 0;
        if (last_else) built.append(form.else_);
        else if (condition && index > 0) built.append(form.next);
        else if (!condition) built.append(form.then);
        // a condition as a value (ICASE(a = 1, b > 2, .F.)) where the dialect takes one only in CASE
        Piece piece = convert(from, to, condition, !condition && predicate_as_value(pass_.column) != "{1}");
        built.append(piece.text);
        ++index;
    });
    if (!otherwise) built.append(form.no_else);
    for (std::size_t i = 0; i < (form.per_pair ? pairs : 1); ++i) built.append(form.close);
    return true;
}

// CAST(x AS type) with a FoxPro type letter or long type name.
bool Scan::cast(std::size_t from, std::size_t to, Text &built) {
    const std::size_t as = last_top_level_word(src_, from, to, "AS", pass_.rules);
    if (as == std::string_view::npos) return false;
    CastSpec spec;
    if (!read_cast_type(trimmed(src_.substr(as + 2, to - as - 2)), spec)) return false;
    const std::string_view value = trimmed(src_.substr(from, as - from));
    const std::string_view null_form = named().lit_null_cast.target[pass_.column];
    const bool null_value = same_word(value, "NULL") || same_word(value, ".NULL.");
    const std::string_view typed_null = null_value ? spec.type->null_target[pass_.column] : std::string_view{};
    if (null_value && (!null_form.empty() || !typed_null.empty())) {
        built.append(null_form.empty() ? typed_null : null_form);
        return true;
    }
    // a cast to a type with decimals takes the quotient's fraction (CAST(LEN(s) / 12 AS N(12,2))),
    // whatever stands around the cast
    const int outer = pass_.decimal_depth;
    if (std::string_view("NFBY").find(spec.type->letter) != std::string_view::npos) pass_.decimal_depth = pass_.depth + 1;
    Args args;
    convert_into(args, from, as, false);
    pass_.decimal_depth = outer;
    fill(built, (spec.widthless ? spec.type->widthless : spec.type->target)[pass_.column], args, spec.width, spec.decimals);
    return true;
}

// &name (and &name.): FoxPro's macro substitution, the application's text, passed as an operand.
void Scan::macro() { operand_to(macro_end(src_, pos_, end_)); }

// FoxPro's "&&" note on a statement of one line: the rest of it (a note of an earlier line is blanked
// with the line breaks).
void Scan::note() {
    out_.replace(pos_, end_, {});
    pos_ = end_;
}

// alias->field, FoxPro's older way of naming a field: alias.field, the field read as the alias's
// member (blanks around the arrow dropped).
bool Scan::arrow() {
    std::size_t name_end = pos_;
    while (name_end > 0 && is_blank(src_[name_end - 1])) --name_end;
    const std::size_t field = skip_blanks(pos_ + 2);
    if (prev_ != Prev::operand || name_end == 0 || !name_char(src_[name_end - 1]) || field >= end_ ||
        !name_start(src_[field]))
        return false;
    out_.replace(name_end, field, ".");
    pos_ = name_chain_end(src_, field, end_);
    return true;
}

// CTOD or CTOT of a literal: the empty date for blanks (and / . - :), else the date (and time) it
// names, read as {mm/dd/yyyy hh:mm:ss} (day first as the date style says, or where only that order
// names a date: '31.12.2020'); after a ^ ('^2024-02-29 18:00'), year first whatever SET DATE
// says, as in {^...}.
bool Scan::date_of_literal(std::size_t from, std::size_t to, Text &built) {
    std::string_view arg = trimmed(src_.substr(from, to - from));
    if (arg.size() < 2) return false;
    const char q = arg.front();
    if ((q != '\'' && q != '"' && q != '[') || arg.back() != (q == '[' ? ']' : q)) return false;
    std::string_view inside = arg.substr(1, arg.size() - 2);
    const bool year_first = !inside.empty() && inside.front() == '^';
    if (year_first) inside.remove_prefix(1);
    else if (inside.find_first_not_of(" /.-:") == std::string_view::npos) {
        built.append("{}");
        return true;
    }
    LooseDate loose;
    StrictDate date;
    if (!read_loose_date(inside, loose) || (year_first && loose.first_digits != 4) ||
        !date.set_either(loose, pass_.day_first()))
        return false;
    built.append(date.text());
    return true;
}

bool Scan::ctod(std::size_t from, std::size_t to, Text &built) {
    if (date_of_literal(from, to, built)) return true;
    std::string_view arg = trimmed(src_.substr(from, to - from));
    if (arg.empty()) return false;
    const char q = arg.front();
    if (q == '\'' || q == '"' || q == '[') return false;
    std::size_t name_end = 0;
    while (name_end < arg.size() && name_char(arg[name_end])) ++name_end;
    const std::string_view name = arg.substr(0, name_end);
    std::size_t open = blanks_after(arg, name_end);
    if (open >= arg.size() || arg[open] != '(' || arg.back() != ')') return false;
    const std::size_t base = static_cast<std::size_t>(arg.data() - src_.data());
    if (close_paren(base + open) != base + arg.size() - 1) return false;  // one call, the whole argument
    if (same_word(name, "SPACE") || same_word(name, "SPAC")) {
        built.append("{}");
        return true;
    }
    if (same_word(name, "DTOC")) return foxpro("TTOD({1})", base + open, base + arg.size() - 1, 1, built);
    return false;
}

// CTOD of an expression: read in the order and with the separator of the application's date style.
bool Scan::date_expression(const Construct &row, std::size_t from, std::size_t to, Text &built) {
    const DateReading reading = date_reading(pass_.date_style());
    Args args;
    convert_into(args, from, to, false);
    fill_date_reading(built, row.target[pass_.column], args, reading);
    return true;
}

// LIKE(pattern, x): FoxPro's * and ? as SQL's % and _, in the literal itself when it is one. Jet, too,
// reads % and _ for a client of ODBC or OLE DB.
bool Scan::like(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    Args args;
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        std::string_view arg = trimmed(src_.substr(from, to - from));
        const char q = arg.empty() ? '\0' : arg.front();
        const std::size_t at = static_cast<std::size_t>(arg.data() - src_.data());
        const bool literal = (q == '\'' || q == '"' || q == '[') && literal_end(at) == at + arg.size();
        if (index++ > 0) {
            convert_into(args, from, to, false);
        } else if (literal) {
            Text pattern;
            for (char c : arg) pattern.push(c == '*' ? '%' : c == '?' ? '_' : c);
            args.add(pattern.view());
        } else {
            Piece piece = convert(from, to, false);
            Args held;
            held.add(piece.text);
            Text pattern;
            fill(pattern, like_pattern_form(pass_.column), held);
            args.add(pattern.view());
        }
    });
    fill(built, row.target[pass_.column], args);
    return true;
}

// INLIST(d, {^date}, ...) or BETWEEN(d, {^date}, {^date}): the first argument a field (alias.field)
// and every other one a date or datetime literal that is not the empty one, or a variable FoxPro's
// naming makes a date or a datetime (m.dTo, ?ldFrom), which holds the date the application filled in.
bool Scan::name_among_dates(std::size_t open, std::size_t close) const {
    std::size_t index = 0;
    bool all = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const std::string_view arg = trimmed(src_.substr(from, to - from));
        if (index++ == 0) {
            all = !arg.empty() && std::all_of(arg.begin(), arg.end(), [](char c) { return name_char(c) || c == '.'; }) &&
                  !(arg.size() > 2 && upper(arg[0]) == 'M' && arg[1] == '.');  // a field, not m.x
        } else {
            const std::string_view variable = arg.starts_with('?') ? arg.substr(1) : arg;
            const bool literal = arg.size() > 3 && arg.starts_with("{^") && arg.back() == '}' &&
                                 arg.find_first_not_of(" /:-", 2) < arg.size() - 1;
            all = all && (literal || (!variable.empty() && name_start(variable[0]) &&
                                      name_chain_end(variable, 0, variable.size()) == variable.size() &&
                                      named_date(variable) != 0));
        }
    });
    return all && index > 1;
}

// !BETWEEN(d, {^a}, {^b}) where the dialect finds the empty date outside the range in a way of its
// own: that row; the call's row otherwise.
const Construct &Scan::between_dates(const Construct &row, std::size_t w0, std::size_t open, std::size_t close) const {
    if (row.shape != Shape::predicate) return row;  // the cheap test first
    const Construct &dates = named().fn_between_dates;
    if (&row != &named().fn_between || dates.target[pass_.column].empty()) return row;
    return negated_call(w0) && name_among_dates(open, close) ? dates : row;
}

// NOT, .NOT. or ! stands right before the call whose name begins at 'w0'.
bool Scan::negated_call(std::size_t w0) const {
    std::size_t at = blanks_before(src_, w0);
    if (at > 0 && src_[at - 1] == '!') return true;
    if (at > 0 && src_[at - 1] == '.') at = blanks_before(src_, at - 1);  // .NOT.
    const std::string_view word = word_before(src_, at);
    return word.size() == 3 && same_word(word, "NOT") && word.data() + 3 == src_.data() + at;
}

// INLIST(x, a, ...): x IN (a, ...). Where the dialect stores the empty text as NULL, an empty text
// among the values equals nothing: it is dropped from the list, and x is tested as x = '' is.
bool Scan::inlist(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    const std::string_view blank_test = named().op_empty_text_equal.target[pass_.column];
    Args args, listed;
    bool blank = false;
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const std::string_view arg = trimmed(src_.substr(from, to - from));
        const char q = arg.empty() ? '\0' : arg.front();
        const std::size_t at = static_cast<std::size_t>(arg.data() - src_.data());
        const bool empty_text = index > 0 && !blank_test.empty() && arg.size() == 2 && (q == '\'' || q == '"' || q == '[') &&
                                literal_end(at) == at + 2;
        if (empty_text) blank = true;
        else convert_into(listed, from, to, false);
        if (index++ == 0) args.add(listed[0]);
    });
    if (!blank) {
        const std::string_view dates = named().fn_inlist_dates.target[pass_.column];
        fill(built, !dates.empty() && name_among_dates(open, close) ? dates : row.target[pass_.column], listed);
        return true;
    }
    if (repeats_long_argument("{1}{1}", args)) return false;
    built.push('(');
    if (listed.size() > 1) {
        fill(built, row.target[pass_.column], listed);
        built.append(" OR ");
    }
    fill(built, blank_test, args);
    built.push(')');
    return true;
}

// A character of CHRTRAN's lists as a string literal, a quote doubled.
static void append_string_literal(Text &out, std::string_view character) {
    out.push('\'');
    out.append(character);
    if (character == "'") out.push('\'');
    out.push('\'');
}

// CHRTRAN(s, from, to): the row's form where the dialect has one, else a REPLACE a character of
// literal lists (each character once: a later repeat has nothing left to replace).
bool Scan::chrtran(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    Args args;
    std::string_view lists[2];
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index > 0) lists[index - 1] = trimmed(src_.substr(from, to - from));
        convert_into(args, from, to, false);
        ++index;
    });
    const std::string_view whole = row.target[pass_.column];
    if (!whole.empty()) {
        fill(built, whole, args);
        return true;
    }
    std::string_view from_list, to_list;
    Characters from, to;
    ChrtranSteps order;
    if (!literal_inside(lists[0], from_list) || !literal_inside(lists[1], to_list) || !characters_of(from_list, from) ||
        !characters_of(to_list, to) || !chrtran_steps(from, to, order)) {
        return false;
    }
    // a REPLACE that follows the collation, by default blind to case, where CHRTRAN is not, finds
    // letters by a form of its own
    const std::string_view exact = named().fn_chrtran_exact.target[pass_.column];
    const std::string_view step = !exact.empty() && (holds_letters(from) || holds_letters(to))
                                      ? exact
                                      : named().fn_chrtran_steps.target[pass_.column];
    Text nest[2], one, other;
    nest[0].append(args[0]);
    std::size_t current = 0;
    for (std::size_t k = 0; k < order.count; ++k) {
        const std::size_t i = order.at[k];
        one.clear();
        append_string_literal(one, from.at[i]);
        other.clear();
        append_string_literal(other, i < to.count ? to.at[i] : std::string_view{});
        Args step_args;
        step_args.add(nest[current].view());
        step_args.add(one.view());
        step_args.add(other.view());
        nest[1 - current].clear();
        fill(nest[1 - current], step, step_args);
        current = 1 - current;
    }
    built.append(nest[current].view());
    return true;
}

// STR(n[, w[, d]]): the width defaults to 10; the decimals must be a number written as such.
// The call's first argument is a literal that is not empty ('x', "-").
bool Scan::filled_literal_first(std::size_t open) const {
    const std::size_t at = skip_blanks(open + 1);
    const std::size_t end = literal_end(at);
    return end > at + 2 && skip_blanks(end) < end_ && src_[skip_blanks(end)] == ',';
}

bool Scan::str(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    const Construct &row = count == 3 ? named().fn_str_decimals : named().fn_str;
    const std::string_view form = row.target[pass_.column];
    if (form.empty()) return false;
    Args args;
    std::size_t index = 0, decimals = 0;
    bool literal_decimals = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ < 2) {
            // the number takes a decimal whatever stands around the call, which gives text: its
            // quotients are decimal ones (STR(CEILING(MONTH(d) / 3)))
            const int outer = pass_.decimal_depth;
            if (index == 1) pass_.decimal_depth = pass_.depth + 1;
            convert_into(args, from, to, false);
            pass_.decimal_depth = outer;
            return;
        }
        const std::string_view d = trimmed(src_.substr(from, to - from));
        literal_decimals = !d.empty() && d.size() <= 2 && d.find_first_not_of("0123456789") == std::string_view::npos;
        for (char c : d) decimals = decimals * 10 + static_cast<std::size_t>(c - '0');
    });
    if (!literal_decimals) return false;
    if (count == 1) args.add("10");
    if (repeats_long_argument(form, args)) return false;
    if (count == 3 && decimals == 0) {
        fill(built, named().fn_str.target[pass_.column], args);
        return true;
    }
    fill(built, form, args, decimals, decimals);
    return true;
}

bool Scan::transform(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    std::size_t index = 0;
    std::size_t first_from = 0, first_to = 0, picture_from = 0, picture_to = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index == 0) first_from = from, first_to = to;
        else picture_from = from, picture_to = to;
        ++index;
    });
    Args args;
    if (count == 1) {
        convert_into(args, first_from, first_to, false);
        fill(built, named().fn_transform.target[pass_.column], args);
        return true;
    }
    const std::string_view picture_text = trimmed(src_.substr(picture_from, picture_to - picture_from));
    if (picture_function(picture_text, open, close, count, built)) return true;
    const Picture picture = read_picture(picture_text);
    switch (picture.kind) {
    case Picture::none: return false;
    case Picture::upper: return foxpro("UPPER({1})", open, close, count, built);
    case Picture::trimmed: return foxpro("ALLTRIM(TRANSFORM({1}))", open, close, count, built);
    case Picture::upper_trimmed: return foxpro("UPPER(ALLTRIM(TRANSFORM({1})))", open, close, count, built);
    case Picture::number: {
        char form[48];
        const int length = std::snprintf(form, sizeof form, "STR({1}, %zu, %zu)", picture.width, picture.decimals);
        return foxpro(std::string_view(form, static_cast<std::size_t>(length)), open, close, count, built);
    }
    case Picture::zeros:
        convert_into(args, first_from, first_to, false);
        fill(built, named().fn_transform_zeros.target[pass_.column], args, picture.width, 0);
        return true;
    case Picture::grouped:
    case Picture::spaced: return grouped_picture(picture, first_from, first_to, picture_text, built);
    }
    return false;
}

// Digits with the thousands set apart by commas or (spaced) blanks: the value with the target's own
// grouping, its commas then blanks where the picture has those.
bool Scan::grouped_picture(const Picture &picture, std::size_t from, std::size_t to, std::string_view picture_text,
                           Text &built) {
    const std::string_view spaced_form = named().fn_transform_spaced.target[pass_.column];
    if (picture.kind == Picture::spaced && spaced_form.empty()) return false;
    // {2}: the picture for TO_CHAR's fill mode, the last whole digit and the decimals 0 so that they
    // are written (999,990.00); {3}: the same as a format pattern (#,##0.00)
    std::string_view inside;
    literal_inside(picture_text, inside);
    char to_char[48], pattern[48] = "#,##0.";  // the picture has 40 characters at most
    const std::size_t whole = inside.size() - (picture.decimals > 0 ? picture.decimals + 1 : 0);
    if (whole == 0 || inside.size() > 40) return false;
    inside.copy(to_char, inside.size());
    std::replace(to_char, to_char + inside.size(), ' ', ',');
    to_char[whole - 1] = '0';
    for (std::size_t i = whole + 1; i < inside.size(); ++i) to_char[i] = '0';
    for (std::size_t i = 0; i < picture.decimals; ++i) pattern[6 + i] = '0';
    Args args;
    convert_into(args, from, to, false);
    args.add(std::string_view(to_char, inside.size()));
    args.add(std::string_view(pattern, picture.decimals > 0 ? 6 + picture.decimals : 5));
    const std::string_view form = named().fn_transform_grouped.target[pass_.column];
    if (picture.kind == Picture::grouped) {
        fill(built, form, args, picture.width, picture.decimals);
        return true;
    }
    Text grouped;  // written with commas, which then give way to blanks
    fill(grouped, form, args, picture.width, picture.decimals);
    Args spaced;
    spaced.add(grouped.view());
    fill(built, spaced_form, spaced);
    return true;
}

// TRANSFORM(n, "@Z 999.99"): blanks as wide as the picture where n is 0, else the picture of digits
// (with or without commas) that follows @Z, as FoxPro writes it; "@B 999.99": that picture's text
// moved to the left of its width.
bool Scan::picture_function(std::string_view picture_text, std::size_t open, std::size_t close, std::size_t count,
                           Text &built) {
    std::string_view inside;
    if (!literal_inside(picture_text, inside) || inside.size() < 4 || inside[0] != '@' || !is_blank(inside[2])) return false;
    if (upper(inside[1]) == 'R') return picture_template(trimmed(inside.substr(3)), open, close, count, built);
    if (upper(inside[1]) != 'Z' && upper(inside[1]) != 'B') return false;
    const bool left = upper(inside[1]) == 'B';
    const std::string_view digits = trimmed(inside.substr(3));
    char quoted[48];
    if (digits.size() + 2 > sizeof quoted) return false;
    quoted[0] = '\'';
    digits.copy(quoted + 1, digits.size());
    quoted[digits.size() + 1] = '\'';
    const std::string_view rest(quoted, digits.size() + 2);
    const Picture picture = read_picture(rest);
    if (picture.kind != Picture::number && picture.kind != Picture::grouped &&
        (picture.kind != Picture::spaced || named().fn_transform_spaced.target[pass_.column].empty()))
        return false;
    char form[128];
    const int shown = static_cast<int>(rest.size());
    const int length =
        left ? std::snprintf(form, sizeof form, "PADR(LTRIM(TRANSFORM({1}, %.*s)), %zu)", shown, rest.data(), picture.width)
             : std::snprintf(form, sizeof form, "IIF({1} = 0, SPACE(%zu), TRANSFORM({1}, %.*s))", picture.width, shown,
                             rest.data());
    return foxpro(std::string_view(form, static_cast<std::size_t>(length)), open, close, count, built);
}

// "@R 99-99999999-9": the value's characters in the picture's places (9 # X A N, ! in upper case),
// the picture's other characters between them, written as FoxPro text for the pass to convert. Its
// characters are taken from the left, as of a text; a number's own digits fill it as FoxPro's do only
// when they are as many as its places.
bool Scan::picture_template(std::string_view picture, std::size_t open, std::size_t close, std::size_t count,
                            Text &built) {
    auto place = [](char c) { return c != '\0' && std::strchr("9#XxAaNn!", c) != nullptr; };
    if (picture.empty() || picture.size() > 40 || picture.find_first_of("'\"[]") != std::string_view::npos) return false;
    Text form;
    std::size_t taken = 0;  // the value's characters placed so far
    for (std::size_t i = 0, j = 0; i < picture.size(); i = j) {
        if (form.size() > 0) form.append(" + ");
        j = i + 1;
        if (!place(picture[i])) {
            while (j < picture.size() && !place(picture[j])) ++j;
            form.append("'");
            form.append(picture.substr(i, j - i));
            form.append("'");
            continue;
        }
        const bool upper_case = picture[i] == '!';  // one character, in upper case
        while (!upper_case && j < picture.size() && place(picture[j]) && picture[j] != '!') ++j;
        char part[64];
        const int n = std::snprintf(part, sizeof part, upper_case ? "UPPER(SUBSTR(TRANSFORM({1}), %zu, %zu))"
                                                                  : "SUBSTR(TRANSFORM({1}), %zu, %zu)",
                                    taken + 1, j - i);
        form.append(std::string_view(part, static_cast<std::size_t>(n)));
        taken += j - i;
    }
    return taken > 0 && foxpro(form.view(), open, close, count, built);
}

namespace {

// Flags that change nothing where the texts they look at hold no letters, cleared there so that the
// call takes the form of the flags without them: STRTRAN's nFlags 1 (a found blind to case) and 2 (b
// in the case of the text found) where a holds none, its 2 where b holds none (no case to change),
// STREXTRACT's 1 (begin and end found blind to case).
struct LetterFlags {
    std::string_view row;
    std::uint8_t texts;     // the arguments looked at, one bit each (1: the first)
    std::uint8_t at;        // the argument of the flags
    std::uint8_t cleared;   // the flags' bits cleared
};
constexpr LetterFlags letter_flags[] = {
    {"fn.strtran_occurrences", 0b10, 6, 3},
    {"fn.strtran_occurrences", 0b100, 6, 2},
    {"fn.strextract_options", 0b110, 5, 1},
};

// The flags written as the argument at 'position' (1: the first) less the bits that change nothing
// for the row's texts, or the argument as written.
std::string_view flags_without_letters(const Construct &row, std::string_view src, const lex::LiteralRules &rules,
                                       std::size_t open, std::size_t close, std::size_t position,
                                       std::string_view written, char &digit) {
    if (written.size() != 1 || written[0] < '0' || written[0] > '7') return written;
    unsigned cleared = 0;
    for (const LetterFlags &f : letter_flags) {
        if (f.row != row.id || f.at != position) continue;
        bool letterless = true;
        std::size_t index = 0;
        for_each_argument(src, open, close, rules, [&](std::size_t from, std::size_t to) {
            if ((f.texts >> index++ & 1u) == 0) return;
            std::string_view inside;
            Characters characters;
            letterless = letterless && literal_inside(trimmed(src.substr(from, to - from)), inside) &&
                         characters_of(inside, characters) && !holds_letters(characters);
        });
        if (letterless) cleared |= f.cleared;
    }
    if (cleared == 0) return written;
    digit = static_cast<char>('0' + ((written[0] - '0') & ~cleared));
    return {&digit, 1};
}

// STRTRAN's nFlags 2 (b in the case of the text found) where a is a literal found in its own case:
// the text found is a itself, so b's case is known before the server runs. a of ASCII letters all in
// lower case gives b in lower case; all in upper case (two or more, which no proper case is) b in
// upper case; a first letter in lower case with another in upper case (no case FoxPro follows) b as
// written. A single capital and a proper case stay as written.
enum class FoundCase { unknown, lower, upper, kept };

FoundCase strtran_found_case(std::string_view src, const lex::LiteralRules &rules, std::size_t open,
                             std::size_t close) {
    std::string_view texts[6];
    std::size_t count = 0;
    for_each_argument(src, open, close, rules, [&](std::size_t from, std::size_t to) {
        if (count < 6) texts[count] = trimmed(src.substr(from, to - from));
        ++count;
    });
    std::string_view a;
    if (count != 6 || texts[5] != "2" || !literal_inside(texts[1], a)) return FoundCase::unknown;
    std::size_t lower = 0, upper = 0;
    bool first_lower = false;
    for (const char c : a) {
        if (static_cast<unsigned char>(c) >= 0x80) return FoundCase::unknown;
        const bool small = c >= 'a' && c <= 'z', capital = c >= 'A' && c <= 'Z';
        if (small && lower == 0 && upper == 0) first_lower = true;
        lower += small ? 1 : 0;
        upper += capital ? 1 : 0;
    }
    if (lower > 0 && upper == 0) return FoundCase::lower;
    if (upper > 1 && lower == 0) return FoundCase::upper;
    return first_lower && upper > 0 ? FoundCase::kept : FoundCase::unknown;
}

// b, a literal as FoxPro writes it ('', "" or []), as the quoted literal every dialect reads, with its
// ASCII letters in the case chosen; false for a text of other characters than printable ASCII and
// the tab, or with a backslash (an escape on MySQL), which stays as written.
bool cased_literal(std::string_view written, FoundCase found, Text &out) {
    std::string_view inside;
    if (!literal_inside(written, inside)) return false;
    out.push('\'');
    for (const char c : inside) {
        if ((c < ' ' && c != '\t') || c > '~' || c == '\\') return false;
        char cased = c;
        if (found == FoundCase::lower && c >= 'A' && c <= 'Z') cased = static_cast<char>(c - 'A' + 'a');
        if (found == FoundCase::upper && c >= 'a' && c <= 'z') cased = static_cast<char>(c - 'a' + 'A');
        out.push(cased);
        if (c == '\'') out.push('\'');
    }
    out.push('\'');
    return true;
}

}  // namespace

// f(x, n): the form of the number n is written as, else the row's own form of any n, if it has one;
// without either the call stays. A row of several values (STRTRAN(s, a, b, 1, 1)) takes the numbers
// after them, joined by commas.
bool Scan::numbered(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    Args args;
    std::array<char, 32> numbers;
    std::size_t length = 0, index = 0;
    bool fits = true;
    char digit = 0;
    const FoundCase found = row.id == "fn.strtran_occurrences" ? strtran_found_case(src_, pass_.rules, open, close)
                                                                : FoundCase::unknown;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index == 2 && (found == FoundCase::lower || found == FoundCase::upper)) {
            Text cased;
            fits = fits && cased_literal(trimmed(src_.substr(from, to - from)), found, cased);
            args.add(cased.view());
        } else {
            convert_into(args, from, to, false);  // the numbers too, for the row's own form
        }
        if (index++ < row.values) return;
        std::string_view number = trimmed(src_.substr(from, to - from));
        number = flags_without_letters(row, src_, pass_.rules, open, close, index, number, digit);
        if (found != FoundCase::unknown && index == 6) number = "0";  // b's case settled above
        fits = fits && length + number.size() + 1 <= numbers.size();
        if (!fits) return;
        if (index > row.values + 1u) numbers[length++] = ',';
        length += number.copy(numbers.data() + length, number.size());
    });
    std::string_view form = fits ? numbered_form(row.id, std::string_view(numbers.data(), length), pass_.column) : "";
    if (form.empty()) form = row.target[pass_.column];  // any number (GETWORDNUM(s, n) but on SQL Server)
    if (form.empty() || repeats_long_argument(form, args)) return false;
    if (form.find("{s}") != std::string_view::npos) {  // the style as DTOC writes it, not as CTOD reads it
        fill_date_reading(built, form, args, DateReading{pass_.date_style(), "ymd", '.'});
    } else {
        fill(built, form, args);
    }
    return true;
}

// MAX(a, b, c, ...), MIN(...): the dialect's function of the values, or a choice of the value that
// compares so with every other one. Every comparison is written out, so that a NULL among the
// values leaves every choice unknown and the value NULL, as in FoxPro; each value is written
// twice the count less one, so a call of many values, or of a long one, stays as written.
bool Scan::extreme(std::string_view form, std::size_t open, std::size_t close, std::size_t count, Text &built) {
    Args args;
    for_each_argument(src_, open, close, pass_.rules,
                      [&](std::size_t from, std::size_t to) { convert_into(args, from, to, false); });
    if (form.find("{1+}") != std::string_view::npos) {
        fill(built, form, args);
        return true;
    }
    if (count > longest_choice) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (args[i].size() > longest_repeated_argument) return false;
    }
    const CaseForm &choice = case_form(pass_.column);
    built.append(choice.open);
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) built.append(choice.next);
        bool first = true;
        for (std::size_t j = 0; j < count; ++j) {
            if (j == i) continue;
            if (!first) built.append(" AND ");
            first = false;
            Args pair;
            pair.add(args[i]);
            pair.add(args[j]);
            fill(built, form, pair);
        }
        built.append(choice.then);
        built.append(args[i]);
    }
    built.append(choice.no_else);
    for (std::size_t i = 0; i < (choice.per_pair ? count : 1); ++i) built.append(choice.close);
    return true;
}

namespace {

// FoxPro functions of logical values where a condition stands, in a dialect whose CASE gives no
// condition (SQL Server, Oracle): CASE of the conditions' values, compared with 1.
struct ConditionCall {
    std::string_view name;
    std::size_t arguments;
    bool values;  // the arguments are logical values (a condition among them is made one), not conditions
    std::string_view form;
};
constexpr ConditionCall condition_calls[] = {
    // A NULL c takes b, as FoxPro's IIF does; a NULL a or b leaves the row out, as FoxPro's WHERE does.
    {"IIF", 3, false,
     "(IIF({1}, IIF({2}, 1, 0), IIF({3}, 1, 0)) = 1)"},
    // NVL(lField, .F.): a logical field or variable with its value where it is NULL
    {"NVL", 2, true, "(COALESCE({1}, {2}) = 1)"},
};

// A logical value as written: a name (a field, m.x), a logical literal or a parameter.
bool logical_value(std::string_view src, std::size_t from, std::size_t to) {
    while (from < to && is_blank(src[from])) ++from;
    to = blanks_before(src, to, from);
    if (from == to) return false;
    const std::string_view text = src.substr(from, to - from);
    if (text.size() == 3 && text[0] == '.' && text[2] == '.') return std::string_view("TtFfYyNn").find(text[1]) != std::string_view::npos;
    if (text[0] == '?') ++from;
    return from < to && name_start(src[from]) && name_chain_end(src, from, to) == to;
}

const ConditionCall *condition_call(std::string_view name) {
    for (const ConditionCall &c : condition_calls) {
        if (same_word(name, c.name)) return &c;
    }
    return nullptr;
}

}  // namespace

// IIF(c, a, b), NVL(a, b) where a condition stands: a WHERE's, or before or after AND, OR or NOT in
// a select item or a call's value (which then is a condition itself).
bool Scan::condition_form(std::string_view name, std::size_t w0, std::size_t open) {
    const bool after_connector = prev_ == Prev::connector;
    // or an item's first operand, when AND or OR follows it
    const bool item_start = prev_ == Prev::start || prev_ == Prev::keyword || prev_ == Prev::comma;
    if (!(starts_condition() || after_connector || item_start) || predicate_as_value(pass_.column) == "{1}" ||
        pass_.depth >= deepest_call) {
        return false;
    }
    const ConditionCall *call = condition_call(name);
    if (call == nullptr) return false;
    if (!starts_condition() && !after_connector) {  // an item's first operand: AND or OR after the call
        const std::size_t end = close_paren(open);
        if (end == none || !connector_follows(end + 1)) return false;
    }
    const auto [close, count] = call_extent(open);
    if (close == none || count != call->arguments || operator_follows(close + 1)) return false;
    if (!starts_condition() && !condition_in_item(close + 1)) return false;  // a value's, after AND, OR or NOT
    Args args;
    bool fits = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (!call->values || logical_value(src_, from, to)) {
            convert_into(args, from, to, !call->values);
            return;
        }
        // a condition where a logical value is due: its value, NULL where the condition is unknown
        Piece piece = convert(from, to, true);
        Args condition;
        condition.add(piece.text);
        constexpr std::string_view value_of = "CASE WHEN {1} THEN 1 WHEN NOT ({1}) THEN 0 END";
        fits = fits && !repeats_long_argument(value_of, condition);
        Text value;
        fill(value, value_of, condition);
        args.add(value.view());
    });
    if (!fits) return false;
    Text built;
    fill(built, call->form, args);
    call_replaced(w0, close, built.view());
    return true;
}

}  // namespace tarnvel::select::fox
