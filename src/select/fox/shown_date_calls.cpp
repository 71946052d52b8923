// MIN and COUNT of a field the statement shows to be a date (or a datetime), where the dialect stores
// FoxPro's empty date as NULL: FoxPro's MIN finds the empty date below every other and its COUNT counts
// it, where the server passes its NULL by. The rows are the map's fn.min_shown_date,
// fn.count_shown_date and fn.count_distinct_shown_date. Not in a statement with an outer join, whose
// NULLs are FoxPro's .NULL.
#include "select/fox/scan.h"

#include <array>

namespace tarnvel::select::fox {
namespace {

enum class Row : std::uint8_t { min, count, count_distinct };

struct Use {
    std::string_view word;
    bool distinct;  // COUNT(DISTINCT d)
    bool date;      // it gives a date: left as written beside an operator (MAX(d) - MIN(d), MIN(d) < {^2020-01-01})
    Row row;        // the map's row
};

constexpr Use uses[] = {
    {"MIN", false, true, Row::min},
    {"COUNT", false, false, Row::count},
    {"CNT", false, false, Row::count},
    {"COUNT", true, false, Row::count_distinct},
    {"CNT", true, false, Row::count_distinct},
};

const Construct &row_of(Row row) {
    static const std::array<const Construct *, 3> rows = {
        &construct("fn.min_shown_date"), &construct("fn.count_shown_date"), &construct("fn.count_distinct_shown_date")};
    return *rows[static_cast<std::size_t>(row)];
}

const Use *use_of(std::string_view word, bool distinct) {
    const char first = upper(word[0]);
    if (first != 'M' && first != 'C') return nullptr;  // the cheap test first
    for (const Use &use : uses) {
        if (use.distinct == distinct && same_word(word, use.word)) return &use;
    }
    return nullptr;
}

// DISTINCT, or FoxPro's shortening of it to four letters or more, from 'at' in 'text': one past it;
// 'at' when it stands not there.
std::size_t distinct_end(std::string_view text, std::size_t at, std::size_t end) {
    constexpr std::string_view word = "DISTINCT";
    std::size_t length = 0;
    while (at + length < end && length < word.size() && upper(text[at + length]) == word[length]) ++length;
    if (length < 4 || (at + length < end && name_char(text[at + length]))) return at;
    return at + length;
}

// An operator of arithmetic or comparison at 'at': MIN(d) beside one is a date the dates' arithmetic
// reads, or compared where the server's NULL would not compare as FoxPro's empty date.
bool operator_at(std::string_view text, std::size_t at) {
    constexpr std::string_view operators = "+-<>=#!";
    return at < text.size() && operators.find(text[at]) != std::string_view::npos;
}

}  // namespace

bool shown_date_call_word(std::string_view word) { return use_of(word, false) != nullptr; }

// MIN(d), COUNT(d), CNT(d), COUNT(DISTINCT d) with the word at pos_ and its "(" at 'open': d a field
// alone the statement shows to be a date or a datetime, in a statement without an outer join.
bool Scan::shown_date_call(std::string_view word, std::size_t open) {
    if (named().fn_count_shown_date.target[pass_.column].empty() || !shown_date_call_word(word)) return false;
    std::size_t from = skip_blanks(open + 1);
    const std::size_t past_distinct = distinct_end(src_, from, end_);
    const bool distinct = past_distinct != from && past_distinct < end_ && is_blank(src_[past_distinct]);
    if (distinct) from = skip_blanks(past_distinct);
    const Use *use = use_of(word, distinct);
    if (use == nullptr || from >= end_ || !name_start(src_[from])) return false;
    const Construct &row = row_of(use->row);
    const std::size_t after = name_chain_end(src_, from, end_), close = skip_blanks(after);
    if (row.target[pass_.column].empty() || close >= end_ || src_[close] != ')' || !field_name(from, after)) {
        return false;
    }
    const std::size_t before = blanks_before(src_, pos_);
    if (use->date && (operator_at(src_, skip_blanks(close + 1)) || (before > 0 && operator_at(src_, before - 1)))) {
        return false;  // MAX(d) - MIN(d), MIN(d) + 30, MIN(d) < {^2020-01-01}: as written
    }
    if (pass_.depth >= deepest_call || pass_.shown_date(src_.substr(from, after - from)) == 0 ||
        outer_join(pass_.statement)) {
        return false;
    }
    return aggregate_written(row, from, after, close);
}

// The aggregate from pos_ to its ")" at 'close' as the row writes it, of the field from 'from' to 'after'.
bool Scan::aggregate_written(const Construct &row, std::size_t from, std::size_t after, std::size_t close) {
    Args args;
    convert_into(args, from, after, false);
    Text built;
    fill(built, row.target[pass_.column], args);
    const std::size_t w0 = pos_;
    begin_token(w0);
    out_.replace(w0, close + 1, built.view());
    pos_ = close + 1;
    prev_ = Prev::operand;
    return true;
}

}  // namespace tarnvel::select::fox
