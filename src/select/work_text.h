// The clause converter's work copy of a member, kept with a gap at the scan: the settled text
// before the gap will not be read again, the live text after it is the rest of the member. Edits
// at or near the scan (blank collapsing, the rows' inserts and removals) move only the bytes
// between the gap and the edit, never the whole tail, so a large statement converts in linear time
// while the text read by every test is exactly the text of an in-place edit.
//
// Positions are logical indexes into the whole text. view() is the live text as one contiguous
// string that begins at logical index base(); the scanning tests run on it with positions
// relative to base(), so the caller keeps base() at least two characters before anything a test
// may look at (settle() only ever moves it forward).
#pragma once

#include "host/buffer.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace tarnvel::select {

class WorkText {
public:
    // A copy of 'text' and one blank, with room for 'capacity' bytes (host error 182 when none).
    static WorkText copy_of(std::string_view text, std::size_t capacity);
    WorkText() = default;
    WorkText(WorkText &&other) noexcept;
    WorkText &operator=(WorkText &&) = delete;

    std::size_t length() const { return length_; }
    std::size_t base() const { return settled_; }
    std::string_view view() const { return {data_ + live_, capacity_ - 1 - live_}; }
    // The character at logical index i, which must not be before base().
    char at(std::size_t i) const { return origin_[i]; }
    void set(std::size_t i, char c) {
        origin_[i] = c;
        note_edit(i + 1);
    }
    std::string_view slice(std::size_t from, std::size_t count) const { return {origin_ + from, count}; }
    // The settled text, before base().
    std::string_view settled() const { return {data_, settled_}; }

    // Moves the gap forward to logical index 'to' (nothing before it will be read again).
    void settle(std::size_t to);
    // The row growth rule: when the size is at most the length plus 'threshold', grow; 'message'
    // is raised when that fails.
    void grow_for(std::size_t threshold, std::string_view message);

    void erase(std::size_t at, std::size_t count);
    void insert(std::size_t at, std::string_view part, std::string_view message);
    void replace(std::size_t at, std::size_t count, std::string_view part, std::string_view message);

    // How far right the edits since the last call reached, as the distance of that point from the
    // end of the text (npos when there was none): the text from that point on is as it was, and a
    // later edit before it leaves the distance as it is.
    std::size_t take_reach() {
        const std::size_t reach = reach_;
        reach_ = npos;
        return reach;
    }
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    // A member of a usual statement's length is worked on here, in the scanner's own frame: no handle
    // is obtained for it until an edit needs more room than this holds.
    static constexpr std::size_t local_capacity = 1024;
    bool is_local() const { return data_ == local_.data(); }
    void make_room(std::size_t extra, std::string_view message);
    void move_to_buffer(std::size_t need, std::string_view message);
    Buffer buffer_;
    std::array<char, local_capacity> local_;
    char *data_ = nullptr;
    std::size_t capacity_ = 0;  // bytes of the buffer; the NUL sits at capacity_ - 1
    std::size_t settled_ = 0;   // bytes before the gap
    std::size_t live_ = 0;      // index of the first live byte
    // Kept from the four above by refresh() after every change of them, for the scan's reads (a few
    // of them for each character): the byte of logical index 0 if the gap were not there, which
    // lies inside the buffer (the gap is never negative), and the logical length.
    char *origin_ = nullptr;
    std::size_t length_ = 0;
    std::size_t reach_ = npos;
    // The edit ended at logical index 'end' of the edited text.
    void note_edit(std::size_t end) {
        if (length_ - end < reach_) reach_ = length_ - end;
    }
    void refresh() {
        origin_ = data_ + (live_ - settled_);
        length_ = settled_ + (capacity_ - 1 - live_);
    }
};

}  // namespace tarnvel::select
