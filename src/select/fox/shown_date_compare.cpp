// Two fields the statement shows to be dates (or both datetimes) compared with each other, where the
// dialect stores FoxPro's empty date as NULL: the empty date is a value below every date, equal to
// itself, where the server's NULL compares with nothing. The rows are the map's op.shown_dates_*.
#include "select/fox/scan.h"

namespace tarnvel::select::fox {
namespace {

enum class Relation : std::uint8_t { none, equal, unequal, below, below_or_equal };

struct Operator {
    std::string_view written;
    Relation relation;
    bool swapped;  // d1 > d2 is written as d2 < d1
};

constexpr Operator operators[] = {
    {"=", Relation::equal, false},          {"==", Relation::equal, false},
    {"<>", Relation::unequal, false},       {"#", Relation::unequal, false},
    {"!=", Relation::unequal, false},       {"<", Relation::below, false},
    {"<=", Relation::below_or_equal, false}, {">", Relation::below, true},
    {">=", Relation::below_or_equal, true},
};

const Operator *operator_of(std::string_view written) {
    for (const Operator &op : operators) {
        if (op.written[0] == written[0] && op.written == written) return &op;
    }
    return nullptr;
}

const Construct &row_of(Relation relation) {
    switch (relation) {
    case Relation::equal:
        return named().op_shown_dates_equal;
    case Relation::unequal:
        return named().op_shown_dates_unequal;
    case Relation::below:
        return named().op_shown_dates_below;
    default:
        return named().op_shown_dates_below_or_equal;
    }
}

}  // namespace

// LEFT, RIGHT or FULL before JOIN or OUTER (FoxPro's OUTE too) somewhere in the text.
bool outer_join(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        if (!name_start(text[at]) || (at > 0 && name_char(text[at - 1]))) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && name_char(text[end])) ++end;
        const std::string_view word = text.substr(at, end - at);
        if (same_word(word, "LEFT") || same_word(word, "RIGHT") || same_word(word, "FULL")) {
            const std::size_t next = blanks_after(text, end);
            if (word_at(text, next, text.size(), "JOIN") || word_at(text, next, text.size(), "OUTER") ||
                word_at(text, next, text.size(), "OUTE")) {
                return true;
            }
        }
        at = end;
    }
    return false;
}

// d1 op d2 with the operator at pos_ ('length' long) and d2 at 'right' in the source: both names
// alone, fields, and shown to be of one kind, in a statement without an outer join.
bool Scan::shown_dates_compared(std::size_t length, std::size_t right) {
    if (named().op_shown_dates_equal.target[pass_.column].empty()) return false;  // the cheap test first
    const Operator *op = operator_of(src_.substr(pos_, length));
    if (op == nullptr) return false;
    const std::string_view form = row_of(op->relation).target[pass_.column];
    const std::size_t after = name_chain_end(src_, right, end_);
    if (form.empty() || after == right || !field_name(right, after)) return false;
    if (operator_follows(after) || (after < end_ && (name_char(src_[after]) || src_[after] == '.'))) return false;
    if (const std::size_t next = skip_blanks(after); next < end_ && src_[next] == '(') return false;  // DATE ()
    const std::string_view name = lone_name_operand();
    if (name.empty() || name[0] == '?' || (name.size() > 2 && upper(name[0]) == 'M' && name[1] == '.')) return false;
    const int kind = pass_.shown_date(src_.substr(right, after - right));
    if (kind == 0 || pass_.shown_date(name) != kind || pass_.depth >= deepest_call || outer_join(pass_.statement)) {
        return false;
    }
    Args args;
    if (op->swapped) convert_into(args, right, after, false);
    args.add(name);
    if (!op->swapped) convert_into(args, right, after, false);
    const std::size_t operand = top().operand;
    return comparison_filled(form, args, operand, after);
}

}  // namespace tarnvel::select::fox
