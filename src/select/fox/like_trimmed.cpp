// x LIKE 'pattern' where the dialect keeps a fixed-width field's trailing blanks in LIKE (Oracle's CHAR,
// PostgreSQL's CHAR(n)): FoxPro matches the field without them, so the left side is trimmed at the
// right. Only for a pattern written as one literal whose last character is neither % (which takes the
// blanks anyway) nor a blank (which asks for them).
#include "select/fox/forms.h"
#include "select/fox/scan.h"

namespace tarnvel::select::fox {

namespace {

// The literal from 'open' to 'end' (past its closing quote) ends in a character that a trailing blank
// of the matched text cannot meet.
bool pattern_ends_closed(std::string_view text, std::size_t open, std::size_t end) {
    if (end < open + 2) return false;
    if (end == open + 2) return true;  // '': a blank field matches it without its blanks
    const char last = text[end - 2];
    return last != '%' && last != ' ';
}

}  // namespace

bool like_pattern_closed(std::string_view text, std::size_t open, std::size_t end) {
    return pattern_ends_closed(text, open, end);
}

// Where the operand before NOT (x NOT LIKE) ends in the source; none when NOT stands elsewhere (WHERE
// NOT x LIKE, AND NOT) or is written .NOT.
std::size_t Scan::operand_before_not(std::size_t w0) const {
    const std::size_t b = blanks_before(src_, w0);
    if (b < 4 || !same_word(src_.substr(b - 3, 3), "NOT") || name_char(src_[b - 4]) || src_[b - 4] == '.') return none;
    const std::size_t end = blanks_before(src_, b - 3);
    if (end == 0 || end == b - 3) return none;
    const char c = src_[end - 1];
    if (c == ')' || c == '\'' || c == '"' || c == ']') return end;
    if (!name_char(c)) return none;
    std::size_t start = end;
    while (start > 0 && name_char(src_[start - 1])) --start;
    return keyword_of(src_.substr(start, end - start)) == Kw::none ? end : none;
}

// LIKE at 'w0' to 'w1' after its left operand (or after NOT after it): the operand written trimmed.
void Scan::like_trimmed(std::size_t w0, std::size_t w1) {
    const std::string_view form = named().op_like_trimmed.target[pass_.column];
    if (form.empty() || !same_word(src_.substr(w0, w1 - w0), "LIKE")) return;
    const std::size_t open = skip_blanks(w1);
    if (open >= end_ || (src_[open] != '\'' && src_[open] != '"' && src_[open] != '[')) return;
    const std::size_t close = literal_end(open);
    if (close == open || !pattern_ends_closed(src_, open, close) || operator_follows(close)) return;
    const Level &t = top();
    std::size_t end = none;
    if (prev_ == Prev::operand && !t.operand_open) end = blanks_before(src_, w0);
    else if (prev_ == Prev::connector) end = operand_before_not(w0);
    if (end == none || out_.pending() > end || t.operand > out_.offset(end)) return;
    Text left;
    out_.take(t.operand, end, left);
    Args args;
    args.add(trimmed(left.view()));
    Text built;
    fill(built, form, args);
    out_.replace(end, end, built.view());
}

}  // namespace tarnvel::select::fox
