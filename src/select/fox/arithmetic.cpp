// The operators the token loop meets seldom (^, %, /), kept out of its file so that the loop over
// the common ones stays small; and the divisions with a whole number on a side, which SQL Server and
// PostgreSQL make whole.
#include "select/fox/scan.h"

#include <algorithm>

namespace tarnvel::select::fox {

bool whole_call(std::string_view text, std::size_t at) {
    if ((facts_at(text, at) & Fact::gives_whole) == 0) return false;
    std::size_t w1 = at;
    while (w1 < text.size() && name_char(text[w1])) ++w1;
    w1 = blanks_after(text, w1);
    return w1 < text.size() && text[w1] == '(';
}

namespace {
// A whole number written out (7, (1 + 2) * 3): digits, blanks, parentheses and the operators that
// keep whole numbers whole, with a digit and no point, name or quotient.
bool whole_literal(std::string_view text) {
    text = trimmed(text);
    return !text.empty() && text.find_first_of("0123456789") != std::string_view::npos &&
           text.find_first_not_of("0123456789+-* \t()") == std::string_view::npos;
}
}  // namespace

bool whole_division_at(std::string_view text, std::size_t slash) {
    std::size_t after = blanks_after(text, slash + 1);
    if (whole_call(text, after)) return true;
    const std::size_t before = primary_start(text.substr(0, slash), 0);
    if (before == none) return false;
    if (whole_call(text, before)) return true;
    // a whole number written out on both sides (7 / 2, (1 + 2) / -4): the divisor begins so
    const bool divisor = after < text.size() && std::string_view("0123456789+-(").find(text[after]) != std::string_view::npos;
    return divisor && whole_literal(text.substr(before, slash - before));
}

void Scan::seldom_operator(char c) {
    switch (c) {
    case '^':
        if (!power(1)) arithmetic(1);
        break;
    case '%':
        if (!modulo()) arithmetic(1);
        break;
    default:
        if (!divide() && !whole_division()) arithmetic(1);
        break;
    }
}

// The innermost call this scan reads the arguments of is one whose arguments take a decimal; false in
// a scan of a rewritten call's arguments, whose function this scan does not see.
bool Scan::in_decimal_call() const {
    if (pass_.depth > 0) return false;
    for (std::size_t d = depth_; d-- > 0;) {
        const Level &l = levels_[d];
        if (l.kind != Level::call) continue;
        return (facts_at(src_, l.name_at) & Fact::takes_decimal) != 0;
    }
    return false;
}

// Every call this scan reads the arguments of takes a decimal (CEILING(k / 2), not
// LEFT(s, MAX(k / 2, 1))); in a scan of a rewritten call's argument, only where that argument takes
// one too (decimal_argument).
bool Scan::only_decimal_calls() const {
    if (pass_.depth > 0 && pass_.decimal_depth != pass_.depth) return false;
    for (std::size_t d = 0; d < depth_; ++d) {
        const Level &l = levels_[d];
        if (l.kind == Level::call && (facts_at(src_, l.name_at) & Fact::takes_decimal) == 0) return false;
    }
    return true;
}

// The first argument of a rewritten call that takes a decimal (ROUND's number, MOD's dividend), converted: its
// quotients are decimal ones where every call around the call takes a decimal too. False for others.
bool Scan::decimal_argument(const Construct &row, Args &args, std::size_t from, std::size_t to) {
    if (&row != &named().fn_round && &row != &named().fn_mod) return false;
    const int outer = pass_.decimal_depth;
    pass_.decimal_depth = only_decimal_calls() ? pass_.depth + 1 : -1;
    convert_into(args, from, to, false);
    pass_.decimal_depth = outer;
    return true;
}

// a / b with a whole number on one side (COUNT(*) / 12, MONTH(d) / 3, SUM(x) / COUNT(*)), or on both
// written out (7 / 2, (1 + 2) / 2), where the dialect divides whole numbers as whole numbers: the row's
// form, the dividend made a decimal.
bool Scan::whole_division() {
    const Construct &row = named().op_whole_division;
    if (row.target[pass_.column].empty() || prev_ != Prev::operand || top().operand_open || pass_.depth >= deepest_call) {
        return false;
    }
    // where the dialect's own quotient is written outside calls (op.divide), only a call that takes a
    // decimal gets one
    if (!named().op_divide.target[pass_.column].empty() && !in_decimal_call()) return false;
    const std::string_view written = out_.text(pos_);
    const std::size_t last = primary_start(written, top().operand);
    const std::size_t right_from = skip_blanks(pos_ + 1), right_to = operand_end(pos_ + 1, "^");
    if (right_to == pos_ + 1) return false;
    const bool literals = last != none && whole_literal(written.substr(last)) &&
                          whole_literal(src_.substr(right_from, right_to - right_from));
    if (!literals && (last == none || !whole_call(written, last)) && !whole_call(src_, right_from)) return false;
    fold(row, 0, 1, right_to);
    return true;
}

}  // namespace tarnvel::select::fox
