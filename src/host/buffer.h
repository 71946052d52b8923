// Owning wrappers around memory handles. A Buffer holds one handle, locked for as long as it is
// owned, and releases it when it goes out of scope, so an error that unwinds the call releases every
// buffer on the way. A growing string lives in a Text (host/text.h).
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

    // A new zero-filled buffer of 'size' bytes (its bytes left as they are when not 'cleared': a
    // Text, which reads none past its NUL); host error 182 when none can be had.
    static Buffer obtain(std::size_t size, bool cleared = true) {
        Buffer buffer = try_obtain(size, cleared);
        if (!buffer) host::no_memory();
        return buffer;
    }
    // The same, but an empty Buffer when none can be had.
    static Buffer try_obtain(std::size_t size, bool cleared = true) {
        Buffer buffer;
        if (size == 0) size = 1;
        buffer.handle_ = host::alloc_locked(size, buffer.data_, cleared);
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

}  // namespace tarnvel
