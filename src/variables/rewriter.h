// Rewrites a command in its own buffer, front to back, in linear time.
//
// The buffer holds two parts: the rewritten text at the front ([0, out)) and the part not read yet
// ([in, end), NUL at end). Text that stays is moved forward only while a replacement has made the
// command shorter; when a replacement needs more room than the gap between the two parts, the unread
// part moves to the far end of the buffer (grown geometrically first), so the tail is moved a few
// times in all, not once per replacement. At finish() the buffer holds the whole rewritten command.
//
// The unread part is always contiguous, so look-ahead (a closing parenthesis, a following AS) works
// on rest() as on the original text. Views into the buffer are valid only until the next emit().
#pragma once

#include "host/text.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::variables {

class Rewriter {
public:
    // 'grow_message' is the user error raised when the buffer cannot grow.
    Rewriter(Text &command, std::string_view grow_message);
    Rewriter(const Rewriter &) = delete;
    Rewriter &operator=(const Rewriter &) = delete;

    // The part not read yet.
    std::string_view rest() const { return {base() + in_, end_ - in_}; }
    bool at_end() const { return in_ == end_; }
    // How many characters of the original command have been read (kept or dropped).
    std::size_t consumed() const { return consumed_; }
    // The last character of the rewritten part, 0 when there is none.
    char last_written() const { return out_ > 0 ? base()[out_ - 1] : '\0'; }

    // Moves 'count' characters of the unread part to the rewritten part unchanged.
    void keep(std::size_t count);
    // Drops 'count' characters of the unread part.
    void drop(std::size_t count);
    // Appends 'text' to the rewritten part. 'text' must not lie in the command's buffer.
    void emit(std::string_view text);

    // Keeps the rest and leaves the rewritten command (NUL-terminated) in the Text.
    void finish();

private:
    char *base() const { return command_.data(); }
    void make_room(std::size_t count);

    Text &command_;
    std::string_view message_;
    std::size_t out_ = 0;
    std::size_t in_ = 0;
    std::size_t end_ = 0;
    std::size_t consumed_ = 0;
};

}  // namespace tarnvel::variables
