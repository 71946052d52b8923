#include "embed/tables.hpp"

#include <cstring>

namespace tarnvel::embed {
namespace {
void put16(unsigned char *at, std::uint16_t value) { std::memcpy(at, &value, sizeof value); }
}  // namespace

SlotTable::SlotTable(std::size_t header, std::uint16_t capacity)
    : header_(header), capacity_(capacity), bytes_(header + std::size_t{capacity} * sizeof(tv_word), 0) {
    put16(bytes_.data(), 1);  // next free: slot 0 is never handed out
    // the capacity is the last 16-bit field of either header (the pointer table has its used
    // count between next free and capacity, and that count starts at 0)
    put16(bytes_.data() + header - 2, capacity);
}

tv_word SlotTable::slot(std::size_t index) const {
    tv_word value = 0;
    std::memcpy(&value, bytes_.data() + header_ + index * sizeof(tv_word), sizeof value);
    return value;
}

std::size_t SlotTable::used() const {
    std::size_t count = 0;
    for (std::size_t i = 0; i < capacity_; ++i)
        if (slot(i) != 0) ++count;
    return count;
}

}  // namespace tarnvel::embed
