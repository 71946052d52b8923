// The "(" ... ")" pairs of the work copy from one point on, found in one reading and kept through
// the edits that follow, so that a nest of thousands of calls asks a lookup for each closing
// parenthesis rather than a reading of the rest of the nest.
//
// A position is held as its distance from the end of the text, which an edit before it leaves as
// it is. The ")" that closes a "(" depends on the text after the "(" alone, so a pair stays true
// while every edit lies before its "(": an edit further right makes the pairs that open before it
// unknown (find forgets them). The one owner that edits inside a pair it asked about, the IIF
// rewrite, reports its edits (shift_before): they put words without parentheses or quotes in the
// place of a comma at the pair's own level, or of its ")", which leaves the pairs nested in it as
// they were, moved.
#pragma once

#include "lex/scan.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarnvel::select {

class PairIndex {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    bool built() const { return !pairs_.empty(); }
    // Reads 'text' (which runs to the end of the work copy) from 'from' on, as lex::find_close_paren
    // reads it: the literals under 'rules' are passed over.
    void build(std::string_view text, std::size_t from, const lex::LiteralRules &rules);
    // The pair whose "(" is at 'open' of a text of 'length' characters; none when unknown. 'reach'
    // is WorkText::take_reach() since the last question: the pairs that open before it are forgotten.
    std::size_t find(std::size_t open, std::size_t length, std::size_t reach);
    // The pair nested in 'pair' (one that find gave) whose "(" is at 'open'; none when unknown.
    // Unlike find it stays true between the edits told to shift_before, which leave 'pair' itself
    // where it was read.
    std::size_t find_nested(std::size_t pair, std::size_t open, std::size_t length) const;
    // The ")" of a pair that find gave, -1 when the text never closes it.
    std::ptrdiff_t close(std::size_t pair, std::size_t length) const;
    // An edit at 'at' (of a text of 'length' characters, before the edit) changes the length by
    // 'delta': inside 'pair', at a comma of its own level or at its ")", the pairs nested in it
    // before 'at' move with it. False, and nothing moved, when 'at' lies beyond the pair's ")" (a
    // comma that a ")" too many left outside the call): the caller leaves the edit to find's reach.
    bool shift_before(std::size_t pair, std::size_t at, std::size_t length, std::ptrdiff_t delta);
    // The pair is no more (its parentheses were edited away), nor any that opens before it.
    void forget_through(std::size_t pair) { first_ = pair + 1; }

private:
    struct Pair {
        std::size_t open, close;  // distances from the end of the text when read; close none when never closed
    };
    std::vector<Pair> pairs_;            // in the order of the "(": the distances fall
    std::vector<std::ptrdiff_t> moves_;  // what each pair moved by since: a Fenwick tree of range additions
    std::size_t first_ = 0;              // the pairs before it are unknown

    std::ptrdiff_t moved(std::size_t pair) const;
    void move_from(std::size_t pair, std::ptrdiff_t delta);
    std::size_t open_distance(std::size_t pair) const {
        return static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pairs_[pair].open) + moved(pair));
    }
    // The first pair from 'from' whose "(" lies no further from the end than 'distance'.
    std::size_t first_within(std::size_t from, std::size_t distance) const;
};

}  // namespace tarnvel::select
