#include "select/pair_index.h"

#include "lex/cursor.h"

namespace tarnvel::select {

namespace {

constexpr lex::Stops parentheses("()");

}  // namespace

// The walk stops where a counted walk would count: at every "(" and ")" outside literals.
void PairIndex::build(std::string_view text, std::size_t from, const lex::LiteralRules &rules) {
    pairs_.clear();
    first_ = 0;
    std::vector<std::size_t> open;  // the pairs still open, innermost last
    lex::Cursor cursor(text, from, rules, lex::Levels::ignored);
    for (std::size_t at = cursor.find(parentheses); at != lex::Cursor::npos; at = cursor.find(parentheses)) {
        if (text[at] == '(') {
            open.push_back(pairs_.size());
            pairs_.push_back({text.size() - at, none});
        } else if (!open.empty()) {
            pairs_[open.back()].close = text.size() - at;
            open.pop_back();
        }
        cursor.skip_to(at + 1);
    }
    moves_.assign(pairs_.size() + 1, 0);
}

std::ptrdiff_t PairIndex::moved(std::size_t pair) const {
    std::ptrdiff_t sum = 0;
    for (std::size_t i = pair + 1; i > 0; i -= i & (~i + 1)) sum += moves_[i];
    return sum;
}

void PairIndex::move_from(std::size_t pair, std::ptrdiff_t delta) {
    for (std::size_t i = pair + 1; i < moves_.size(); i += i & (~i + 1)) moves_[i] += delta;
}

std::size_t PairIndex::first_within(std::size_t from, std::size_t distance) const {
    std::size_t low = from, high = pairs_.size();
    while (low < high) {
        const std::size_t mid = low + (high - low) / 2;
        if (open_distance(mid) > distance) low = mid + 1;
        else high = mid;
    }
    return low;
}

std::size_t PairIndex::find(std::size_t open, std::size_t length, std::size_t reach) {
    if (first_ >= pairs_.size() || open >= length) return none;
    if (reach < length) first_ = first_within(first_, reach);
    const std::size_t pair = first_within(first_, length - open);
    return pair < pairs_.size() && open_distance(pair) == length - open ? pair : none;
}

std::size_t PairIndex::find_nested(std::size_t pair, std::size_t open, std::size_t length) const {
    if (open >= length) return none;
    const std::size_t nested = first_within(pair + 1 > first_ ? pair + 1 : first_, length - open);
    return nested < pairs_.size() && open_distance(nested) == length - open ? nested : none;
}

std::ptrdiff_t PairIndex::close(std::size_t pair, std::size_t length) const {
    if (pairs_[pair].close == none) return -1;
    const std::ptrdiff_t distance = static_cast<std::ptrdiff_t>(pairs_[pair].close) + moved(pair);
    return static_cast<std::ptrdiff_t>(length) - distance;
}

bool PairIndex::shift_before(std::size_t pair, std::size_t at, std::size_t length, std::ptrdiff_t delta) {
    const std::ptrdiff_t close = this->close(pair, length);
    if (close >= 0 && static_cast<std::ptrdiff_t>(at) > close) return false;
    const std::size_t end = first_within(pair + 1, length - at);
    if (end == pair + 1) return true;
    move_from(pair + 1, delta);
    if (end < pairs_.size()) move_from(end, -delta);
    return true;
}

}  // namespace tarnvel::select
