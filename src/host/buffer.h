// Owning wrappers around memory handles. A Buffer holds one handle, locked for as long as it is
// owned, and releases it when it goes out of scope, so an error that unwinds the call releases every
// buffer on the way. A Text is a Buffer that keeps a NUL-terminated string and its length.
//
// Keep positions as offsets, never as pointers across a growth: a growth may move the bytes.
#pragma once

#include "host/api.h"

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace tarnvel {

class Buffer {
public:
    Buffer() = default;
    ~Buffer() { reset(); }
    Buffer(const Buffer &) = delete;
    Buffer &operator=(const Buffer &) = delete;
    Buffer(Buffer &&other) noexcept
        : handle_(std::exchange(other.handle_, 0)), data_(std::exchange(other.data_, nullptr)),
          size_(std::exchange(other.size_, 0)) {}
    Buffer &operator=(Buffer &&other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, 0);
            data_ = std::exchange(other.data_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }

    // A new zero-filled buffer of 'size' bytes; host error 182 when none can be had.
    static Buffer obtain(std::size_t size) {
        Buffer buffer = try_obtain(size);
        if (!buffer) host::no_memory();
        return buffer;
    }
    // The same, but an empty Buffer when none can be had.
    static Buffer try_obtain(std::size_t size) {
        Buffer buffer;
        if (size == 0) size = 1;
        buffer.handle_ = host::alloc_locked(size, buffer.data_);
        if (buffer.handle_ != 0) buffer.size_ = size;
        return buffer;
    }
    // Takes ownership of a handle obtained elsewhere (a value the host gave, for instance).
    static Buffer adopt_handle(MHANDLE handle) {
        Buffer buffer;
        if (handle != 0) buffer.adopt(handle);
        return buffer;
    }

    explicit operator bool() const { return handle_ != 0; }
    MHANDLE handle() const { return handle_; }
    char *data() { return data_; }
    const char *data() const { return data_; }
    // The usable size (kept at hand: the size asked for, or what the host reported).
    std::size_t size() const { return size_; }

    // Resizes to exactly 'size' bytes (new bytes zero); false when the host refuses.
    bool resize(std::size_t size) {
        host::hunlock(handle_);
        bool ok = host::set_hand_size(handle_, size);
        host::hlock(handle_);
        data_ = host::hand_to_ptr(handle_);
        size_ = ok ? size : host::get_hand_size(handle_);
        return ok;
    }
    // Makes the size exceed 'need' (the growth rule: when the size does not exceed the need, grow
    // to the need plus 100 or more). False when the buffer cannot grow.
    bool ensure(std::size_t need) {
        std::size_t have = size();
        if (have > need) return true;
        std::size_t target = need + 100;
        if (target < have + have / 2) target = have + have / 2;  // geometric, so appends stay linear
        return resize(target) || resize(need + 100);
    }
    // As ensure, raising the user error 'message' when the buffer cannot grow.
    void ensure(std::size_t need, std::string_view message) {
        if (!ensure(need)) host::user_error(message);
    }

    // Gives up ownership: the handle is unlocked and no longer released by this Buffer.
    MHANDLE release() {
        if (handle_) host::hunlock(handle_);
        data_ = nullptr;
        size_ = 0;
        return std::exchange(handle_, 0);
    }
    void reset() {
        if (handle_) host::unlock_free(handle_);
        handle_ = 0;
        data_ = nullptr;
        size_ = 0;
    }

private:
    void adopt(MHANDLE handle) {
        handle_ = handle;
        host::hlock(handle_);
        data_ = host::hand_to_ptr(handle_);
        size_ = host::get_hand_size(handle_);
    }
    MHANDLE handle_ = 0;
    char *data_ = nullptr;
    std::size_t size_ = 0;
};

// A NUL-terminated string in a Buffer, with its length. Every growth goes through ensure(), and
// a growth that fails raises the user error named at construction ("Insufficient memory for ...").
class Text {
public:
    Text() = default;
    explicit Text(Buffer buffer, std::string_view grow_message = "Insufficient memory")
        : buffer_(std::move(buffer)), message_(grow_message) {
        length_ = buffer_ ? std::strlen(buffer_.data()) : 0;
    }
    // A new empty text with room for 'capacity' bytes (182 when it cannot be had).
    static Text obtain(std::size_t capacity, std::string_view grow_message) {
        return Text(Buffer::obtain(capacity + 1), grow_message);
    }
    static Text copy_of(std::string_view text, std::size_t capacity, std::string_view grow_message) {
        Text result = obtain(capacity < text.size() ? text.size() : capacity, grow_message);
        result.append(text);
        return result;
    }

    explicit operator bool() const { return static_cast<bool>(buffer_); }
    std::size_t length() const { return length_; }
    bool empty() const { return length_ == 0; }
    const char *c_str() const { return buffer_.data(); }
    char *data() { return buffer_.data(); }
    std::string_view view() const { return {buffer_.data(), length_}; }
    char operator[](std::size_t i) const { return buffer_.data()[i]; }
    char &at(std::size_t i) { return buffer_.data()[i]; }
    Buffer &buffer() { return buffer_; }
    void set_message(std::string_view message) { message_ = message; }

    // Room for 'extra' more bytes and the NUL.
    void reserve_more(std::size_t extra) { buffer_.ensure(length_ + extra, message_); }
    void append(std::string_view part) { insert(length_, part); }
    void append(char c) { insert(length_, std::string_view(&c, 1)); }
    void insert(std::size_t pos, std::string_view part) { replace(pos, 0, part); }
    void erase(std::size_t pos, std::size_t count) {
        if (pos >= length_) return;
        if (count > length_ - pos) count = length_ - pos;
        char *base = buffer_.data();
        std::memmove(base + pos, base + pos + count, length_ - pos - count + 1);
        length_ -= count;
    }
    void replace(std::size_t pos, std::size_t count, std::string_view part) {
        if (pos > length_) pos = length_;
        if (count > length_ - pos) count = length_ - pos;
        if (overlaps(part)) {  // moving the tail or a growth may change the bytes 'part' points at
            std::string copy(part);
            replace(pos, count, std::string_view(copy));
            return;
        }
        if (part.size() > count) reserve_more(part.size() - count);
        char *base = buffer_.data();
        if (part.size() != count) std::memmove(base + pos + part.size(), base + pos + count, length_ - pos - count + 1);
        if (!part.empty()) std::memmove(base + pos, part.data(), part.size());
        length_ = length_ - count + part.size();
    }
    void truncate(std::size_t length) {
        if (length < length_) {
            length_ = length;
            buffer_.data()[length_] = '\0';
        }
    }
    void clear() { truncate(0); }
    // After the bytes were changed directly through data(): take the length from the NUL.
    void sync_length() { length_ = std::strlen(buffer_.data()); }
    void set_length(std::size_t length) {
        length_ = length;
        buffer_.data()[length_] = '\0';
    }

private:
    bool overlaps(std::string_view part) const {
        const char *base = buffer_.data();
        return base && part.data() >= base && part.data() < base + buffer_.size();
    }
    Buffer buffer_;
    std::string_view message_ = "Insufficient memory";
    std::size_t length_ = 0;
};

}  // namespace tarnvel
