#include "select/fox/paren_pairs.h"

#include "select/fox/text.h"

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

}  // namespace tarnvel::select::fox
