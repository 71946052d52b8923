// Every "(" of a text with the ")" that closes it, found in one reading: a statement that asks for
// the closing parenthesis of thousands of nested groups asks a lookup each rather than a reading each.
#pragma once

#include "lex/scan.h"
#include "select/fox/text.h"

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
    // What call_extent(text, open, end, rules) gives for the text the pairs were read from: the
    // calls nested in the call are passed by whole, so a nest of calls, each asked about, is read
    // once rather than once a level.
    CallExtent call_extent(std::string_view text, std::size_t open, std::size_t end,
                           const lex::LiteralRules &rules) const;

private:
    struct Pair {
        std::size_t open, close;
    };
    std::vector<Pair> pairs_;          // in the order of the "(": sorted by where they open
    std::vector<std::size_t> braces_;  // every "{" outside literals, in order

    // The ")" of the pair that opens at 'open' before 'end', none when unknown or not closed there.
    std::size_t close_before(std::size_t open, std::size_t end) const;
    // Whether a "{" lies between 'from' and 'to': call_extent passes over a date literal's braces,
    // which a pair read without them may not match.
    bool braced(std::size_t from, std::size_t to) const;
};

}  // namespace tarnvel::select::fox
