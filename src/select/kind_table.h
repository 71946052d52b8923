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
        std::array<bool, Count> given{};  // by kind, not by handler: a function's address is no constant to compare
        for (const Entry &entry : entries) {
            const auto kind = static_cast<std::size_t>(entry.kind);
            complete_ = complete_ && !given[kind];
            given[kind] = true;
            handlers_[kind] = entry.handler;
        }
        for (bool kind_given : given) complete_ = complete_ && kind_given;
    }

    constexpr Handler operator[](Kind kind) const { return handlers_[static_cast<std::size_t>(kind)]; }
    constexpr bool complete() const { return complete_; }  // every kind has exactly one handler

private:
    std::array<Handler, Count> handlers_{};
    bool complete_ = true;
};

}  // namespace tarnvel::select
