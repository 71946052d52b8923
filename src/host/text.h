// A growing NUL-terminated text in a host memory handle. The clause buffers, the statement's output,
// the commands the utilities edit in place: all are Texts. The buffer's address and size are kept at
// hand, so that appending one character costs a comparison and a store. Every growth follows the
// growth rule of Buffer::ensure, and one that fails raises the text's user error ("Insufficient
// memory for ..."), named when the text is made.
//
// A part given to append, insert or replace may be a slice of the text itself. Keep positions as
// offsets, never as pointers across a growth: a growth may move the bytes.
#pragma once

#include "host/buffer.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace tarnvel {

// Copies 'n' bytes between buffers that do not overlap. Most pieces of a statement are a few bytes
// long, and moves of a fixed size cost less than a call of memcpy for them.
inline void copy_bytes(char *to, const char *from, std::size_t n) {
    if (n > 8) {
        std::memcpy(to, from, n);
    } else if (n >= 4) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n >= 2) {
        std::memcpy(to, from, 2);
        std::memcpy(to + n - 2, from + n - 2, 2);
    } else if (n == 1) {
        *to = *from;
    }
}

class Text {
public:
    Text() = default;
    // Takes the NUL-terminated text in 'buffer'.
    explicit Text(Buffer buffer, std::string_view grow_message = "Insufficient memory")
        : Text(std::move(buffer), grow_message, 0) {
        length_ = data_ ? std::strlen(data_) : 0;
    }
    Text(Text &&other) noexcept { take(other); }
    Text &operator=(Text &&other) noexcept {
        if (this != &other) take(other);
        return *this;
    }

    // A new empty text with room for 'capacity' bytes and the NUL (host error 182 when none).
    static Text obtain(std::size_t capacity, std::string_view grow_message) {
        return fresh(Buffer::obtain(capacity + 1, false), grow_message);
    }
    // A new text that takes the place of one that had to grow: when it cannot be had, the growth
    // message is raised (not host error 182).
    static Text grown(std::size_t capacity, std::string_view grow_message) {
        Buffer buffer = Buffer::try_obtain(capacity + 1, false);
        if (!buffer) host::user_error(grow_message);
        return fresh(std::move(buffer), grow_message);
    }

    explicit operator bool() const { return static_cast<bool>(buffer_); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    char *data() { return data_; }
    const char *data() const { return data_; }
    const char *c_str() const { return data_; }
    std::string_view view() const { return {data_, length_}; }
    char operator[](std::size_t i) const { return data_[i]; }
    char back() const { return length_ ? data_[length_ - 1] : '\0'; }
    bool contains(std::string_view part) const { return view().find(part) != std::string_view::npos; }
    const Buffer &buffer() const { return buffer_; }
    void set_message(std::string_view message) { message_ = message; }
    // Gives the handle up, unlocked, for the host to take over as a value of size() bytes: the text
    // is absent again. Much room the text left unused is given back first.
    MHANDLE hand_over();
    // Frees the handle; the text is absent again.
    void release() {
        buffer_.reset();
        refresh();
        length_ = 0;
    }

    // Room for 'extra' more bytes and the NUL.
    void reserve(std::size_t extra) {
        if (length_ + extra >= capacity_) grow(extra);
    }
    // For code that writes through data(): Buffer::ensure and Buffer::resize on the buffer (false when
    // the host refuses). The length stays; set_length tells the new one.
    bool ensure_buffer(std::size_t need) {
        const bool ok = buffer_.ensure(need);
        refresh();
        return ok;
    }
    bool resize_buffer(std::size_t size) {
        const bool ok = buffer_.resize(size);
        refresh();
        return ok;
    }

    void push(char c) {
        if (length_ + 1 >= capacity_) grow(1);
        data_[length_++] = c;
        data_[length_] = '\0';
    }
    void append(std::string_view part) {
        if (part.empty()) return;
        if (length_ + part.size() >= capacity_) part = grow_for(part);
        copy_bytes(data_ + length_, part.data(), part.size());
        length_ += part.size();
        data_[length_] = '\0';
    }
    // Appends 'part' with every byte mapped through 'map' (upper-casing, for one).
    template <typename Map>
    void append_mapped(std::string_view part, Map map) {
        if (length_ + part.size() >= capacity_) part = grow_for(part);
        char *to = data_ + length_;
        for (char c : part) *to++ = map(c);
        length_ += part.size();
        data_[length_] = '\0';
    }
    void insert(std::size_t pos, std::string_view part) { replace(pos, 0, part); }
    // Replaces 'count' bytes at 'pos' (both kept within the text) by 'part'.
    void replace(std::size_t pos, std::size_t count, std::string_view part) {
        if (pos > length_) pos = length_;
        if (count > length_ - pos) count = length_ - pos;
        if (overlaps(part)) {  // moving the tail or a growth may change the bytes 'part' points at
            const std::string copy(part);
            replace(pos, count, std::string_view(copy));
            return;
        }
        if (part.size() > count) reserve(part.size() - count);
        if (part.size() != count) std::memmove(data_ + pos + part.size(), data_ + pos + count, length_ - pos - count + 1);
        if (!part.empty()) std::memcpy(data_ + pos, part.data(), part.size());
        length_ = length_ - count + part.size();
    }
    void erase(std::size_t pos, std::size_t count) {
        if (pos >= length_) return;
        if (count > length_ - pos) count = length_ - pos;
        std::memmove(data_ + pos, data_ + pos + count, length_ - pos - count + 1);
        length_ -= count;
    }
    void set(std::size_t i, char c) { data_[i] = c; }
    void truncate(std::size_t length) {
        if (length < length_) set_length(length);
    }
    void clear() { truncate(0); }
    // After bytes were written through data(): the text is now 'length' bytes long.
    void set_length(std::size_t length) {
        length_ = length;
        data_[length_] = '\0';
    }

private:
    Text(Buffer buffer, std::string_view grow_message, std::size_t length)
        : buffer_(std::move(buffer)), length_(length), message_(grow_message) {
        refresh();
    }
    // An empty text in a new buffer whose bytes were not cleared: its NUL is written.
    static Text fresh(Buffer buffer, std::string_view grow_message) {
        Text text(std::move(buffer), grow_message, 0);
        text.data_[0] = '\0';
        return text;
    }
    // The growths stay out of line (text.cpp), so that the appends stay small enough to inline.
    void grow(std::size_t extra);
    // Grows for 'part' and tells where its bytes are now: a slice of the text moves with it.
    std::string_view grow_for(std::string_view part);
    bool overlaps(std::string_view part) const {
        return data_ && part.data() >= data_ && part.data() < data_ + capacity_;
    }
    void refresh() {
        data_ = buffer_.data();
        capacity_ = buffer_.size();
    }
    void take(Text &other) {
        buffer_ = std::move(other.buffer_);
        data_ = std::exchange(other.data_, nullptr);
        length_ = std::exchange(other.length_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        message_ = other.message_;
    }

    Buffer buffer_;
    char *data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;  // the buffer's size, the NUL's byte included
    std::string_view message_ = "Insufficient memory";
};

}  // namespace tarnvel
