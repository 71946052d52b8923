// The call frame of a library function: reading its parameters with their defaults and copying a
// character parameter into a work buffer of its own.
#pragma once

#include "host/buffer.h"

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvel::entry {

class Params {
public:
    explicit Params(const ParamBlk *block) : block_(block) {}

    int count() const { return block_ ? block_->count : 0; }
    bool has(int i) const { return i >= 1 && i <= count(); }
    // Parameter i, counted from 1. Only for i <= count().
    const Value &value(int i) const;

    // A logical parameter: non-zero length means true; 'fallback' when it was not passed.
    bool logical(int i, bool fallback) const;
    // A numeric parameter truncated toward zero to 32 bits (saturating); 'fallback' when absent.
    std::int32_t integer(int i, std::int32_t fallback) const;
    // The byte length of a character parameter (0 when absent).
    std::size_t length(int i) const;

    // A work buffer for character parameter i: 'size' bytes, never less than its length plus
    // one, holding its bytes and a NUL. Host error 182 when none can be had.
    Buffer work_buffer(int i, std::size_t size) const;
    // The first byte of character parameter i (its handle locked while reading), or -1 when empty.
    int first_byte(int i) const;
    // The bytes of character parameter i as a string (for short parameters read whole).
    std::string bytes(int i) const;

private:
    const ParamBlk *block_;
};

// For a function whose worker has not been built yet.
[[noreturn]] void not_available(std::string_view function_name);

}  // namespace tarnvel::entry
