#include "select/work_text.h"

#include <cstring>
#include <string>

namespace tarnvel::select {

WorkText WorkText::copy_of(std::string_view text, std::size_t capacity) {
    WorkText work;
    if (capacity < text.size() + 2) capacity = text.size() + 2;
    if (capacity <= local_capacity) {
        work.data_ = work.local_.data();
        work.capacity_ = capacity;
    } else {
        work.buffer_ = Buffer::obtain(capacity);
        work.data_ = work.buffer_.data();
        work.capacity_ = work.buffer_.size();
    }
    work.live_ = work.capacity_ - 1 - (text.size() + 1);
    if (work.is_local()) std::memset(work.data_, 0, work.live_);  // as a new buffer's bytes are
    if (!text.empty()) std::memcpy(work.data_ + work.live_, text.data(), text.size());
    work.data_[work.capacity_ - 2] = ' ';
    work.data_[work.capacity_ - 1] = '\0';
    work.refresh();
    return work;
}

WorkText::WorkText(WorkText &&other) noexcept
    : buffer_(std::move(other.buffer_)), data_(other.data_), capacity_(other.capacity_), settled_(other.settled_),
      live_(other.live_) {
    reach_ = other.reach_;
    if (other.is_local()) {
        std::memcpy(local_.data(), other.local_.data(), capacity_);
        data_ = local_.data();
    }
    refresh();
    other.data_ = nullptr;
    other.capacity_ = other.settled_ = other.live_ = 0;
    other.refresh();
}

void WorkText::settle(std::size_t to) {
    if (to <= settled_) return;
    std::size_t count = to - settled_;
    std::memmove(data_ + settled_, data_ + live_, count);
    settled_ += count;
    live_ += count;
    refresh();
}

void WorkText::grow_for(std::size_t threshold, std::string_view message) {
    if (capacity_ <= length() + threshold) make_room(threshold, message);
}

// The local bytes go to a buffer of the size the growth rule gives (Buffer::ensure), zero past them.
void WorkText::move_to_buffer(std::size_t need, std::string_view message) {
    std::size_t target = need + 100;
    if (target < capacity_ + capacity_ / 2) target = capacity_ + capacity_ / 2;
    Buffer grown = Buffer::try_obtain(target);
    if (!grown) grown = Buffer::try_obtain(need + 100);
    if (!grown) host::user_error(message);
    std::memcpy(grown.data(), data_, capacity_);
    buffer_ = std::move(grown);
    data_ = buffer_.data();
}

void WorkText::make_room(std::size_t extra, std::string_view message) {
    std::size_t live_bytes = capacity_ - 1 - live_;
    if (is_local()) {
        if (capacity_ > length() + extra) return;
        move_to_buffer(length() + extra, message);
    } else if (!buffer_.ensure(length() + extra)) {
        host::user_error(message);
    }
    data_ = buffer_.data();
    std::size_t capacity = buffer_.size();
    std::size_t live = capacity - 1 - live_bytes;
    std::memmove(data_ + live, data_ + live_, live_bytes + 1);
    capacity_ = capacity;
    live_ = live;
    refresh();
}

void WorkText::erase(std::size_t at, std::size_t count) {
    std::size_t end = length();
    if (at >= end) return;
    if (count > end - at) count = end - at;
    std::size_t before = at - settled_;
    std::memmove(data_ + live_ + count, data_ + live_, before);
    live_ += count;
    refresh();
    note_edit(at);
}

void WorkText::insert(std::size_t at, std::string_view part, std::string_view message) {
    replace(at, 0, part, message);
}

void WorkText::replace(std::size_t at, std::size_t count, std::string_view part, std::string_view message) {
    if (part.data() >= data_ && part.data() < data_ + capacity_) {  // a piece of this text
        std::string copy(part);
        replace(at, count, std::string_view(copy), message);
        return;
    }
    std::size_t end = length();
    if (at > end) at = end;
    if (count > end - at) count = end - at;
    std::size_t before = at - settled_;
    if (part.size() > count) {
        std::size_t extra = part.size() - count;
        if (live_ - settled_ < extra) make_room(extra, message);
        std::memmove(data_ + live_ - extra, data_ + live_, before);
        live_ -= extra;
    } else if (part.size() < count) {
        std::size_t less = count - part.size();
        std::memmove(data_ + live_ + less, data_ + live_, before);
        live_ += less;
    }
    std::memcpy(data_ + live_ + before, part.data(), part.size());
    refresh();
    note_edit(at + part.size());
}

}  // namespace tarnvel::select
