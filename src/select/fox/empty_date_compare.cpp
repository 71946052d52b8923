// A name compared with a date by <, <=, <>, # or != where the dialect stores FoxPro's empty date as
// NULL: FoxPro's empty date is a value below every date, so the comparison holds for it; the
// server's NULL holds for none. The row is the map's op.empty_date_below.
#include "select/fox/scan.h"

namespace tarnvel::select::fox {
namespace {

// The operator as written for the comparison the empty date satisfies against any date (<, <=, and
// FoxPro's three forms of "not equal" as <>, which every target reads); empty for any other.
std::string_view below_or_unequal(std::string_view op) {
    if (op == "<" || op == "<=") return op;
    return op == "<>" || op == "#" || op == "!=" ? "<>" : "";
}

}  // namespace

// d < {^2020-01-01} as (d < {^2020-01-01} OR d IS NULL): the left operand a name alone, the right
// one a date literal (not the empty one) that ends the comparison.
bool Scan::empty_date_below(std::size_t length) {
    const std::size_t right = skip_blanks(pos_ + length);
    if (right + 2 >= end_ || src_[right] != '{' || src_[right + 1] != '^') return false;  // the cheap test first
    const std::string_view form = named().op_empty_date_below.target[pass_.column];
    const std::string_view op = below_or_unequal(src_.substr(pos_, length));
    if (form.empty() || op.empty()) return false;
    const std::size_t close = src_.find('}', right);
    if (close == std::string_view::npos || close >= end_ || src_.substr(right + 2, close - right - 2).find_first_not_of(" /:") == std::string_view::npos) {
        return false;
    }
    const std::size_t after = close + 1;
    if (operator_follows(after) || (after < end_ && name_char(src_[after]))) return false;
    const std::string_view name = lone_name_operand();
    if (name.empty() || pass_.depth >= deepest_call) return false;
    const std::size_t operand = top().operand;
    Args args;
    args.add(name);
    args.add(op);
    args.add(src_.substr(right, after - right));
    if (repeats_long_argument(form, args)) return false;
    Text built, left;
    fill(built, form, args);
    out_.take(operand, pos_, left);
    comparison_written(operand, after, built.view());
    return true;
}

}  // namespace tarnvel::select::fox
