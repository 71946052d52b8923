#include "lex/cursor.h"

namespace tarnvel::lex {

std::size_t Cursor::find(std::string_view what) {
    const std::size_t n = text_.size();
    while (at_ < n) {
        const char c = text_[at_];
        if (pass_run()) continue;
        if (count(c)) {
            ++at_;
            continue;
        }
        // the first character compared before the rest: most positions differ there
        if (depth_ <= 0 && (what.empty() || c == what[0]) && text_.substr(at_).starts_with(what)) return at_;
        ++at_;
    }
    return npos;
}

}  // namespace tarnvel::lex
