// Every "(" of a text with the ")" that closes it, found in one reading: a statement that asks for
// the closing parenthesis of thousands of nested groups asks a lookup each rather than a reading each.
#pragma once

#include "lex/scan.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarnvel::select::fox {

class ParenPairs {
public:
    static constexpr std::size_t none = std::string_view::npos;

    // Literals are passed over as close_paren passes over them.
    ParenPairs(std::string_view text, const lex::LiteralRules &rules);
    // Whether 'open' is a "(" of the text outside literals; then 'close' is its ")" when that comes
    // before 'end' (none otherwise), as close_paren(text, open, end, rules) finds it.
    bool find(std::size_t open, std::size_t end, std::size_t &close) const;

private:
    struct Pair {
        std::size_t open, close;
    };
    std::vector<Pair> pairs_;  // in the order of the "(": sorted by where they open
};

}  // namespace tarnvel::select::fox
