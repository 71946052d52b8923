#include "select/fox/paren_pairs.h"

#include <algorithm>

namespace tarnvel::select::fox {

ParenPairs::ParenPairs(std::string_view text, const lex::LiteralRules &rules) {
    std::vector<std::size_t> open;  // the pairs still open, innermost last
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const std::size_t run = literal_end(text, i, text.size(), rules); run != i) {
            i = run - 1;
        } else if (text[i] == '(') {
            open.push_back(pairs_.size());
            pairs_.push_back({i, none});
        } else if (text[i] == ')' && !open.empty()) {
            pairs_[open.back()].close = i;
            open.pop_back();
        } else if (text[i] == '{') {
            braces_.push_back(i);
        }
    }
}

bool ParenPairs::find(std::size_t open, std::size_t end, std::size_t &close) const {
    const auto pair = std::lower_bound(pairs_.begin(), pairs_.end(), open,
                                       [](const Pair &p, std::size_t at) { return p.open < at; });
    if (pair == pairs_.end() || pair->open != open) return false;
    close = pair->close != none && pair->close < end ? pair->close : none;
    return true;
}

std::size_t ParenPairs::close_before(std::size_t open, std::size_t end) const {
    std::size_t close = none;
    return find(open, end, close) ? close : none;
}

bool ParenPairs::braced(std::size_t from, std::size_t to) const {
    const auto brace = std::upper_bound(braces_.begin(), braces_.end(), from);
    return brace != braces_.end() && *brace < to;
}

// Without a brace inside, call_extent's walk counts the parentheses as the pairs were read: the
// walk here reads the call's own level and steps over each nested pair.
CallExtent ParenPairs::call_extent(std::string_view text, std::size_t open, std::size_t end,
                                   const lex::LiteralRules &rules) const {
    const std::size_t close = close_before(open, end);
    if (close == none || braced(open, close)) return fox::call_extent(text, open, end, rules);
    std::size_t commas = 0;
    bool filled = false;  // something other than blanks stands between the parentheses
    for (std::size_t i = open + 1; i < close; ++i) {
        const char c = text[i];
        if (const std::size_t run = literal_end(text, i, end, rules); run != i) {
            filled = true;
            i = run - 1;
        } else if (c == '(') {
            filled = true;
            const std::size_t nested = close_before(i, end);  // before 'close', as the pairs nest
            if (nested == none || nested > close) return fox::call_extent(text, open, end, rules);
            i = nested;
        } else if (!is_blank(c)) {
            filled = true;
            if (c == ',') ++commas;
        }
    }
    return {close, filled ? commas + 1 : 0};
}

}  // namespace tarnvel::select::fox
