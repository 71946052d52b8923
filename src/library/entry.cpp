#include "library/entry.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace tarnvel::entry {

const Value &Params::value(int i) const {
    // The slots follow each other from offset 2 of the block.
    const auto *slots = reinterpret_cast<const unsigned char *>(block_) + offsetof(ParamBlk, params);
    return reinterpret_cast<const Parameter *>(slots + sizeof(Parameter) * static_cast<std::size_t>(i - 1))->value;
}

bool Params::logical(int i, bool fallback) const { return has(i) ? value(i).length != 0 : fallback; }

std::int32_t Params::integer(int i, std::int32_t fallback) const {
    if (!has(i)) return fallback;
    double real = value(i).real;
    if (std::isnan(real)) return 0;
    real = std::trunc(real);
    if (real >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    if (real <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(real);
}

std::size_t Params::length(int i) const {
    if (!has(i)) return 0;
    const Value &v = value(i);
    if (v.handle == 0) return 0;
    std::size_t size = host::get_hand_size(v.handle);
    return v.length < size ? v.length : size;  // never read past the host's handle
}

Buffer Params::work_buffer(int i, std::size_t size) const {
    std::size_t n = length(i);
    if (size < n + 1) size = n + 1;
    Buffer buffer = Buffer::obtain(size);
    if (n > 0) {
        MHANDLE source = value(i).handle;
        host::hlock(source);
        std::memcpy(buffer.data(), host::hand_to_ptr(source), n);
        host::hunlock(source);
    }
    buffer.data()[n] = '\0';
    return buffer;
}

int Params::first_byte(int i) const {
    if (length(i) == 0) return -1;
    MHANDLE source = value(i).handle;
    host::hlock(source);
    int first = static_cast<unsigned char>(host::hand_to_ptr(source)[0]);
    host::hunlock(source);
    return first;
}

std::string Params::bytes(int i) const {
    std::size_t n = length(i);
    std::string text;
    if (n > 0) {
        MHANDLE source = value(i).handle;
        host::hlock(source);
        text.assign(host::hand_to_ptr(source), n);
        host::hunlock(source);
    }
    return text;
}

void not_available(std::string_view function_name) {
    std::string message(function_name);
    message += " is not available yet";
    host::user_error(message);
}

}  // namespace tarnvel::entry
