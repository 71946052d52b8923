#include "lex/cursor.h"

namespace tarnvel::lex {

std::size_t Cursor::find(std::string_view what) {
    while (at_ < text_.size()) {
        if (pass_run()) continue;
        if (count(text_[at_])) {
            ++at_;
            continue;
        }
        if (depth_ <= 0 && text_.substr(at_).starts_with(what)) return at_;
        ++at_;
    }
    return npos;
}

}  // namespace tarnvel::lex
