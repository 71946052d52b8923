// The handle table and the pointer table the host hands the library at request 0, in their wire
// layouts. The library fills and empties the slots; the host only counts them. Next-free indexes
// start at 1, so slot 0 is never handed out and index 0 always means "none".
#pragma once

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnvel::embed {

class SlotTable {
public:
    // header: TV_HANDLE_TABLE_HEADER or TV_POINTER_TABLE_HEADER
    SlotTable(std::size_t header, std::uint16_t capacity);

    void *data() { return bytes_.data(); }
    std::uint16_t capacity() const { return capacity_; }
    tv_word slot(std::size_t index) const;
    // Slots that hold something.
    std::size_t used() const;

private:
    std::size_t header_;
    std::uint16_t capacity_;
    std::vector<unsigned char> bytes_;
};

// 16-bit capacities: 65535 handles, 4096 registered pointers.
constexpr std::uint16_t handle_capacity = 65535;
constexpr std::uint16_t pointer_capacity = 4096;

inline SlotTable make_handle_table() { return SlotTable(TV_HANDLE_TABLE_HEADER, handle_capacity); }
inline SlotTable make_pointer_table() { return SlotTable(TV_POINTER_TABLE_HEADER, pointer_capacity); }

}  // namespace tarnvel::embed
