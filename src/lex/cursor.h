// A left-to-right walk over SQL text that steps over the quoted runs its caller's rules name and
// keeps the parenthesis depth: the one loop behind every search for a comma, a closing
// parenthesis, a word or a stop character outside literals.
#pragma once

#include "lex/scan.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tarnvel::lex {

// Whether a walk counts parentheses. Not counted, they are characters like any other and every
// position is at depth zero.
enum class Levels : bool { ignored, counted };

// The characters a search stops at, as a table. The characters that may open a quoted run (and,
// for a walk that counts levels, the parentheses) are marked to be looked at as well, so that a
// search passes every other character at the cost of one look-up.
class Stops {
public:
    static constexpr unsigned char look = 1;  // may open a run or change the depth
    static constexpr unsigned char stop = 2;  // wanted

    constexpr explicit Stops(std::string_view wanted) {
        for (auto *marks : {&plain_, &counted_}) {
            for (char c : std::string_view("'\"[`")) mark(*marks, c, look);
            for (char c : wanted) mark(*marks, c, stop);
        }
        mark(counted_, '(', look);
        mark(counted_, ')', look);
    }
    const std::array<unsigned char, 256> &marks(Levels levels) const { return levels == Levels::counted ? counted_ : plain_; }

private:
    static constexpr void mark(std::array<unsigned char, 256> &marks, char c, unsigned char bit) {
        marks[static_cast<unsigned char>(c)] |= bit;
    }
    std::array<unsigned char, 256> plain_{};
    std::array<unsigned char, 256> counted_{};
};

inline constexpr Stops closing_paren(")");
inline constexpr Stops comma(",");
inline constexpr Stops comma_or_brace(",{");  // a comma, or the "{" of a date literal to pass over
inline constexpr Stops argument_end(",)");  // the comma after an argument, or the ")" after the last

class Cursor {
public:
    static constexpr std::size_t npos = std::string_view::npos;

    Cursor(std::string_view text, std::size_t at, const LiteralRules &rules, Levels levels = Levels::counted)
        : text_(text), at_(at < text.size() ? at : text.size()), rules_(rules), levels_(levels) {}

    std::size_t at() const { return at_; }
    long depth() const { return depth_; }
    bool done() const { return at_ >= text_.size(); }
    // False once the walk went into a quoted run that the text ends inside.
    bool runs_closed() const { return runs_closed_; }

    // Moves to 'at' without reading what lies between; the depth stays as it is.
    void skip_to(std::size_t at) { at_ = at < text_.size() ? at : text_.size(); }

    // One step: over the quoted run that opens here (past its closing character, or to the end of
    // the text), else over one character, a counted parenthesis changing the depth. True when it
    // passed a run or a counted parenthesis; false for any other character and at the end.
    bool step() {
        if (done()) return false;
        if (pass_run()) return true;
        return count(text_[at_++]);
    }

    // The first position from here, outside quoted runs and at depth zero or below, that holds a
    // character 'stops' wants; the cursor stands there. npos, the cursor at the end, when there is
    // none. A character that opens a run under the rules is never a stop.
    std::size_t find(const Stops &stops) {
        const std::array<unsigned char, 256> &marks = stops.marks(levels_);
        const std::size_t n = text_.size();
        while (at_ < n) {
            const unsigned char mark = marks[static_cast<unsigned char>(text_[at_])];
            if (mark == 0) {
                ++at_;
            } else if (!pass_run()) {
                if ((mark & Stops::stop) != 0 && depth_ <= 0) return at_;
                count(text_[at_++]);
            }
        }
        return npos;
    }

    // The first position from here, outside quoted runs and at depth zero or below, where 'what'
    // starts (never at a counted parenthesis); the cursor stands there. npos when there is none.
    std::size_t find(std::string_view what);

    // For a cursor right after a "(": the ")" that closes the group, or npos when the text ends
    // first (depth() then tells whether it ended inside a nested group).
    std::size_t group_end() { return find(closing_paren); }

private:
    // Past the quoted run that opens here; false when none opens here.
    bool pass_run() {
        const Pos end = run_end(text_, static_cast<Pos>(at_), rules_);
        if (static_cast<std::size_t>(end) == at_) return false;
        if (static_cast<std::size_t>(end) >= text_.size()) {
            at_ = text_.size();
            runs_closed_ = false;
        } else {
            at_ = static_cast<std::size_t>(end) + 1;
        }
        return true;
    }
    // The depth after the character c; true when it was a counted parenthesis.
    bool count(char c) {
        if (levels_ == Levels::ignored || (c != '(' && c != ')')) return false;
        depth_ += c == '(' ? 1 : -1;
        return true;
    }

    std::string_view text_;
    std::size_t at_;
    LiteralRules rules_;
    Levels levels_;
    long depth_ = 0;
    bool runs_closed_ = true;
};

}  // namespace tarnvel::lex
