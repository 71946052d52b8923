// PADR, PADL or PADC of a width written as a number, alone on one side of a comparison: where the
// dialect compares a fixed-width field with the padded text as text (PostgreSQL, whose RPAD gives
// TEXT and whose CHAR value drops its trailing blanks there), the padded text becomes a value of
// the field's kind, so that trailing blanks count on neither side, as FoxPro compares them.
#include "select/fox/forms.h"
#include "select/fox/scan.h"

namespace tarnvel::select::fox {

namespace {

constexpr std::string_view comparison_chars = "<>=#!";
constexpr std::size_t widest_digits = 7;  // CHAR(n) takes up to 10485760

// A whole number of at least 1, written with digits only.
bool width_written(std::string_view text) {
    if (text.empty() || text.size() > widest_digits || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return false;
    }
    return text.find_first_not_of('0') != std::string_view::npos;
}

}  // namespace

// The call from 'w0' to 'close' is one side of a comparison: a comparison operator before it and the
// side's end after it, or the side's start before it and a comparison operator after it.
bool Scan::compared_alone(std::size_t w0, std::size_t close) const {
    std::size_t before = blanks_before(src_, w0);
    std::size_t run = before;
    while (run > 0 && comparison_chars.find(src_[run - 1]) != std::string_view::npos) --run;
    if (run < before) return comparison_end(run) == before && comparison_side_ends(close + 1) && !operator_follows(close + 1);
    const std::size_t after = skip_blanks(close + 1);
    if (after >= end_ || comparison_end(after) == after) return false;
    return before == 0 || src_[before - 1] == '(' || src_[before - 1] == ',' || src_[before - 1] == '.' ||
           name_char(src_[before - 1]);
}

bool Scan::pad_compared(std::string_view word, std::size_t w0, std::size_t open) {
    const std::string_view form = named().op_pad_compared.target[pass_.column];
    if (form.empty() || word.size() != 4 || !pad_name(word)) return false;
    const auto [close, count] = call_extent(open);
    if (close == none || count < 2 || count > 3 || !compared_alone(w0, close)) return false;
    Args raw;
    raw.add(src_.substr(w0, close + 1 - w0));
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ == 1) raw.add(trimmed(src_.substr(from, to - from)));
    });
    if (!width_written(raw[1])) return false;
    Text text;
    fill(text, form, raw);
    Text built;
    scan_foxpro(text.view(), close, built);
    call_replaced(w0, close, built.view());
    return true;
}

}  // namespace tarnvel::select::fox
