// A growing NUL-terminated text in a host memory handle, with its length and capacity kept at
// hand so that appending one character costs a comparison and a store. The clause buffers and the
// statement's output buffer are Sinks; a growth that fails raises the Sink's message.
#pragma once

#include "host/buffer.h"

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tarnvel::select {

class Sink {
public:
    Sink() = default;
    // A new empty sink with room for 'capacity' bytes and the NUL (host error 182 when none).
    static Sink obtain(std::size_t capacity, std::string_view grow_message) {
        Sink sink;
        sink.buffer_ = Buffer::obtain(capacity + 1);
        sink.message_ = grow_message;
        sink.refresh();
        return sink;
    }

    // A new sink that takes the place of one that had to grow: when it cannot be had, the growth
    // message is raised (not host error 182).
    static Sink grown(std::size_t capacity, std::string_view grow_message) {
        Sink sink;
        sink.buffer_ = Buffer::try_obtain(capacity + 1);
        if (!sink.buffer_) host::user_error(grow_message);
        sink.message_ = grow_message;
        sink.refresh();
        return sink;
    }

    explicit operator bool() const { return static_cast<bool>(buffer_); }
    std::size_t size() const { return length_; }
    bool empty() const { return length_ == 0; }
    const char *data() const { return data_; }
    char *data() { return data_; }
    std::string_view view() const { return {data_, length_}; }
    char operator[](std::size_t i) const { return data_[i]; }
    char back() const { return length_ ? data_[length_ - 1] : '\0'; }
    bool contains(std::string_view part) const { return view().find(part) != std::string_view::npos; }
    void set_message(std::string_view message) { message_ = message; }
    Buffer &buffer() { return buffer_; }
    void release() { buffer_.reset(); refresh(); length_ = 0; }

    // Room for 'extra' more bytes and the NUL.
    void reserve(std::size_t extra) {
        if (length_ + extra >= capacity_) grow(extra);
    }
    void push(char c) {
        if (length_ + 1 >= capacity_) grow(1);
        data_[length_++] = c;
        data_[length_] = '\0';
    }
    void append(std::string_view part) {
        if (part.empty()) return;
        reserve(part.size());
        std::memcpy(data_ + length_, part.data(), part.size());
        length_ += part.size();
        data_[length_] = '\0';
    }
    // Appends 'part' with every byte mapped through 'map' (upper-casing, for one).
    template <typename Map>
    void append_mapped(std::string_view part, Map map) {
        reserve(part.size());
        char *to = data_ + length_;
        for (char c : part) *to++ = map(c);
        length_ += part.size();
        data_[length_] = '\0';
    }
    void insert(std::size_t pos, std::string_view part) {
        if (pos > length_) pos = length_;
        reserve(part.size());
        std::memmove(data_ + pos + part.size(), data_ + pos, length_ - pos + 1);
        std::memcpy(data_ + pos, part.data(), part.size());
        length_ += part.size();
    }
    // Replaces 'count' bytes at 'pos' (both kept within the text) by 'part', which must not point
    // into the sink.
    void replace(std::size_t pos, std::size_t count, std::string_view part) {
        if (pos > length_) pos = length_;
        if (count > length_ - pos) count = length_ - pos;
        if (part.size() > count) reserve(part.size() - count);
        std::memmove(data_ + pos + part.size(), data_ + pos + count, length_ - pos - count + 1);
        if (!part.empty()) std::memcpy(data_ + pos, part.data(), part.size());
        length_ = length_ - count + part.size();
    }
    void set(std::size_t i, char c) { data_[i] = c; }
    void truncate(std::size_t length) {
        if (length < length_) {
            length_ = length;
            data_[length_] = '\0';
        }
    }
    void clear() { truncate(0); }

private:
    void grow(std::size_t extra) {
        buffer_.ensure(length_ + extra, message_);
        refresh();
    }
    void refresh() {
        data_ = buffer_.data();
        capacity_ = buffer_.size();
    }
    Buffer buffer_;
    char *data_ = nullptr;
    std::size_t length_ = 0;
    std::size_t capacity_ = 0;
    std::string_view message_;
};

}  // namespace tarnvel::select
