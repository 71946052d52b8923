#include "variables/rewriter.h"

#include <cstring>

namespace tarnvel::variables {

Rewriter::Rewriter(Text &command, std::string_view grow_message)
    : command_(command), message_(grow_message), end_(command.size()) {}

void Rewriter::keep(std::size_t count) {
    if (count > end_ - in_) count = end_ - in_;
    if (out_ != in_) std::memmove(base() + out_, base() + in_, count);
    out_ += count;
    in_ += count;
    consumed_ += count;
}

void Rewriter::drop(std::size_t count) {
    if (count > end_ - in_) count = end_ - in_;
    in_ += count;
    consumed_ += count;
}

void Rewriter::emit(std::string_view text) {
    if (text.empty()) return;
    make_room(text.size());
    std::memcpy(base() + out_, text.data(), text.size());
    out_ += text.size();
}

void Rewriter::make_room(std::size_t count) {
    if (in_ - out_ >= count) return;
    const std::size_t tail = end_ - in_;
    // The rewritten part, the new text, the unread part and its NUL must fit.
    if (!command_.ensure_buffer(out_ + count + tail)) host::user_error(message_);
    const std::size_t size = command_.buffer().size();
    const std::size_t new_in = size - 1 - tail;
    std::memmove(base() + new_in, base() + in_, tail + 1);
    in_ = new_in;
    end_ = size - 1;
}

void Rewriter::finish() {
    keep(end_ - in_);
    command_.set_length(out_);
}

}  // namespace tarnvel::variables
