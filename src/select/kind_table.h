// A table of handlers indexed by an enumeration of kinds, written as rows of kind and handler; a
// kind left without a handler, or given two, is found when the table is built at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>

namespace tarnvel::select {

template <typename Kind, typename Handler, std::size_t Count>
class KindTable {
public:
    struct Entry {
        Kind kind;
        Handler handler;
    };

    constexpr KindTable(std::initializer_list<Entry> entries) {
        for (const Entry &entry : entries) {
            Handler &slot = handlers_[static_cast<std::size_t>(entry.kind)];
            complete_ = complete_ && slot == nullptr;
            slot = entry.handler;
        }
        for (Handler handler : handlers_) complete_ = complete_ && handler != nullptr;
    }

    constexpr Handler operator[](Kind kind) const { return handlers_[static_cast<std::size_t>(kind)]; }
    constexpr bool complete() const { return complete_; }  // every kind has exactly one handler

private:
    std::array<Handler, Count> handlers_{};
    bool complete_ = true;
};

}  // namespace tarnvel::select
