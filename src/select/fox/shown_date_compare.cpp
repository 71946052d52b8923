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

// Calls that give a date (1) or a datetime (2), empty where their argument is: TTOD(t), GOMONTH(d, n),
// CTOD(s), DATE(y, m, d); DTOT(d). Not CTOT(s): the text of a datetime is often joined from parts
// (DTOS(d) + ' ' + TTOC(t, 2)) of which the server's NULL makes the whole NULL where FoxPro's is a
// datetime.
struct DateCall {
    std::string_view name;
    int kind;
};
constexpr DateCall date_calls[] = {{"TTOD", 1}, {"GOMONTH", 1}, {"CTOD", 1}, {"DATE", 1}, {"DTOT", 2}};

const DateCall *date_call_named(std::string_view name) {
    for (const DateCall &call : date_calls) {
        if (same_word(name, call.name)) return &call;
    }
    return nullptr;
}

// The call on the right as written out: not a literal (CTOD('01/31/2020') has the literal's own rows)
// nor one of a parameter (CTOD(m.cFrom)), whose written form the server types by its own reading.
bool compared_call(std::string_view written) {
    return !written.empty() && written[0] != '{' && written.find('?') == std::string_view::npos;
}

}  // namespace

bool compared_date_call_word(std::string_view word) { return date_call_named(word) != nullptr; }

// At a call's name: a call that gives a date is noted, so that a comparison after it can find it the
// operand it compares (DATE() is today, which is never empty, and is read before this).
void Scan::note_date_call(std::string_view name, std::size_t w0, std::size_t open) {
    if (name.size() < 4 || name.size() > 7 || named().op_shown_dates_equal.target[pass_.column].empty()) return;
    const DateCall *call = date_call_named(name);
    if (call == nullptr) return;
    const std::size_t close = call_extent(open).close;
    if (close == none || trimmed(src_.substr(open + 1, close - open - 1)).empty()) return;
    date_call_ = {out_.offset(w0), close + 1, call->kind};
}

// One past such a call that begins at 'at' (order_date > TTOD(shipped)), its kind to 'kind'; 'none'
// where none does.
std::size_t Scan::date_call_end(std::size_t at, int &kind) const {
    std::size_t w1 = at;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::size_t open = skip_blanks(w1);
    if (open >= end_ || src_[open] != '(') return none;
    const std::string_view name = src_.substr(at, w1 - at);
    const DateCall *call = date_call_named(name);
    if (call == nullptr) return none;
    const std::size_t close = call_extent(open).close;
    if (close == none) return none;
    const std::string_view inside = src_.substr(open + 1, close - open - 1);
    if (inside.find_first_not_of("0123456789, ") == std::string_view::npos) return none;  // DATE(1000, 1, 1): judged
    kind = call->kind;
    return close + 1;
}

// One past a count of days written out added to or taken from the name that ends at 'end' (d2 + 1:
// FoxPro's empty date plus days stays empty, as the server's NULL stays NULL); 'end' when none is.
std::size_t Scan::days_after(std::size_t end) const {
    const std::size_t sign = skip_blanks(end);
    if (sign >= end_ || (src_[sign] != '+' && src_[sign] != '-')) return end;
    const std::size_t count = skip_blanks(sign + 1);
    std::size_t last = count;
    while (last < end_ && is_digit(src_[last])) ++last;
    return last > count && last - count <= 6 && (last >= end_ || (!name_char(src_[last]) && src_[last] != '.')) ? last : end;
}

// The operand before the operator at pos_ when it is the call last noted, as written out; else empty.
std::string_view Scan::date_call_operand() {
    const Level &t = top();
    if (date_call_.end == 0 || prev_ != Prev::operand || t.operand_open) return {};
    if (blanks_before(src_, pos_) != date_call_.end) return {};
    const std::string_view written = out_.text(pos_);
    if (t.operand > date_call_.out || date_call_.out >= written.size()) return {};
    if (!trimmed(written.substr(t.operand, date_call_.out - t.operand)).empty()) return {};
    const std::string_view call = trimmed(written.substr(date_call_.out));
    return call.starts_with('{') ? std::string_view{} : call;  // CTOD of a literal: the literal's own rows
}

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
    const std::size_t name_end = name_chain_end(src_, right, end_);
    int call_kind = 0;
    const std::size_t call_end = date_call_end(right, call_kind);  // order_date > TTOD(shipped): the call on the right
    const bool right_call = call_end != none && today_sum_end(right) == std::string_view::npos;  // DATE(2000, 1, 1): a literal's rows
    if (form.empty() || (!right_call && (name_end == right || !field_name(right, name_end)))) return false;
    const std::size_t after = right_call ? call_end : days_after(name_end);
    if (operator_follows(after) || (after < end_ && (name_char(src_[after]) || src_[after] == '.'))) return false;
    if (const std::size_t next = skip_blanks(after); !right_call && next < end_ && src_[next] == '(') return false;  // DATE ()
    std::string_view name = name_with_days();  // d1, or d1 + 30, whose empty date stays empty
    const bool call = name.empty();  // TTOD(stamp) < since: a call that gives a date, empty where its argument is
    if (call) name = right_call ? std::string_view{} : date_call_operand();
    if (name.empty() || name[0] == '?' || (name.size() > 2 && upper(name[0]) == 'M' && name[1] == '.')) return false;
    const int kind = right_call ? call_kind : pass_.shown_date(src_.substr(right, name_end - right));
    const int left = call ? date_call_.kind : pass_.shown_date(name.substr(0, name_chain_end(name, 0, name.size())));
    if (kind == 0 || left != kind || pass_.depth >= deepest_call || outer_join(pass_.statement)) return false;
    Args args;
    if (op->swapped) convert_into(args, right, after, false);
    args.add(name);
    if (!op->swapped) convert_into(args, right, after, false);
    if (right_call && !compared_call(args[op->swapped ? 0 : 1])) return false;
    const std::size_t operand = top().operand;
    return comparison_filled(form, args, operand, after);
}

}  // namespace tarnvel::select::fox
