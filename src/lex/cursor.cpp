#include "lex/cursor.h"

namespace tarnvel::lex {
namespace {

// The characters a search for a text must look at besides the text's first one: those that may open
// a quoted run, and the parentheses when levels are counted.
constexpr Stops run_or_level("");

}  // namespace

std::size_t Cursor::find(std::string_view what) {
    const std::size_t n = text_.size();
    // Most characters open no run, change no depth and differ from the first one of 'what': the
    // inner loop passes them at the cost of one look-up and one comparison each.
    const std::array<unsigned char, 256> &marks = run_or_level.marks(levels_);
    const bool any_start = what.empty();
    const char first = any_start ? '\0' : what[0];
    while (at_ < n) {
        if (!any_start) {
            while (at_ < n && marks[static_cast<unsigned char>(text_[at_])] == 0 && text_[at_] != first) ++at_;
            if (at_ == n) break;
        }
        const char c = text_[at_];
        if (pass_run()) continue;
        if (count(c)) {
            ++at_;
            continue;
        }
        // the first character compared before the rest: most positions differ there
        if (depth_ <= 0 && (any_start || c == first) && text_.substr(at_).starts_with(what)) return at_;
        ++at_;
    }
    return npos;
}

}  // namespace tarnvel::lex
