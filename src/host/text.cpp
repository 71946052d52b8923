#include "host/text.h"

namespace tarnvel {

void Text::grow(std::size_t extra) {
    buffer_.ensure(length_ + extra, message_);
    refresh();
}

std::string_view Text::grow_for(std::string_view part) {
    if (!overlaps(part)) {
        grow(part.size());
        return part;
    }
    const std::size_t offset = static_cast<std::size_t>(part.data() - data_);
    grow(part.size());
    return {data_ + offset, part.size()};
}

MHANDLE Text::hand_over() {
    // Shrunk while locked, the block stays where it is: nothing is copied.
    constexpr std::size_t kept_room = 4096;
    if (buffer_ && capacity_ - length_ > kept_room) host::set_hand_size(buffer_.handle(), length_ + 1);
    const MHANDLE handle = buffer_.release();
    refresh();
    length_ = 0;
    return handle;
}

}  // namespace tarnvel
