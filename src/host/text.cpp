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

}  // namespace tarnvel
