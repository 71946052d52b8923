// The handle and pointer tables the host supplies at initialisation, read and written where they lie:
// packed host memory, reached through memcpy.
#pragma once

#include "host/platform.h"

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnvel::dispatch {

inline std::uint16_t read16(const unsigned char *at) {
    std::uint16_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
inline void write16(unsigned char *at, std::uint16_t v) { std::memcpy(at, &v, sizeof v); }
inline tv_word read_word(const unsigned char *at) {
    tv_word v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
inline void write_word(unsigned char *at, tv_word v) { std::memcpy(at, &v, sizeof v); }

// A 16-bit next-free index, a 16-bit capacity, then one slot per handle holding its block.
struct HandleTable {
    unsigned char *base;
    std::uint16_t next_free() const { return read16(base); }
    void set_next_free(std::uint16_t i) { write16(base, i); }
    std::uint16_t capacity() const { return read16(base + 2); }
    unsigned char *slot_at(std::size_t i) const { return base + TV_HANDLE_TABLE_HEADER + i * sizeof(tv_word); }
    platform::Block slot(std::size_t i) const { return reinterpret_cast<platform::Block>(read_word(slot_at(i))); }
    void set_slot(std::size_t i, platform::Block b) { write_word(slot_at(i), reinterpret_cast<tv_word>(b)); }
};

// A 16-bit next-free index, a 16-bit count of slots in use, a 16-bit capacity, then the slots.
struct PointerTable {
    unsigned char *base;
    std::uint16_t next_free() const { return read16(base); }
    void set_next_free(std::uint16_t i) { write16(base, i); }
    std::uint16_t used() const { return read16(base + 2); }
    void set_used(std::uint16_t n) { write16(base + 2, n); }
    std::uint16_t capacity() const { return read16(base + 4); }
    unsigned char *slot_at(std::size_t i) const { return base + TV_POINTER_TABLE_HEADER + i * sizeof(tv_word); }
    tv_word slot(std::size_t i) const { return read_word(slot_at(i)); }
    void set_slot(std::size_t i, tv_word v) { write_word(slot_at(i), v); }
};

}  // namespace tarnvel::dispatch
