// The rewrite of a function row's call, as text with slots. A "%" and one character make a slot:
//   %1 %2 %3  the first, second, third argument of the call
//   %*        the arguments as they stand: the text before it goes right after the "(", the text
//             after it at the closing parenthesis, and the arguments are not copied
//   %s        the date style the host sets for DTOC (three characters, read once a statement)
// Any other "%" is an error the dialect's table is refused for when it is compiled.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tarnvel::select {

struct Template {
    std::string_view text{};        // the new argument list
    std::string_view with_third{};  // instead of text when the call has a third argument
    std::array<std::string_view, 3> defaults{};  // the text of a missing argument; none: the call stays as written
};

namespace templates {

// Calls plain(part) for each run of text between slots and slot(c) for each slot, in order.
template <typename Plain, typename Slot>
constexpr void for_each_piece(std::string_view text, Plain &&plain, Slot &&slot) {
    std::size_t from = 0;
    for (std::size_t at = text.find('%'); at != std::string_view::npos && at + 1 < text.size(); at = text.find('%', from)) {
        if (at > from) plain(text.substr(from, at - from));
        slot(text[at + 1]);
        from = at + 2;
    }
    if (from < text.size()) plain(text.substr(from));
}

constexpr int count_of(std::string_view text, char wanted) {
    int count = 0;
    for_each_piece(text, [](std::string_view) {}, [&](char c) { count += c == wanted; });
    return count;
}

constexpr bool reads(std::string_view text, char slot) { return count_of(text, slot) > 0; }

// Every "%" opens one of the slots 'allowed'.
constexpr bool only_slots(std::string_view text, std::string_view allowed) {
    std::size_t known = 0;
    for_each_piece(text, [](std::string_view) {}, [&](char c) { known += allowed.find(c) != std::string_view::npos; });
    std::size_t percents = 0;
    for (char c : text) percents += c == '%';
    return known == percents;
}

// The highest argument slot (1 to 3) the template reads; 0 when it reads none.
constexpr int last_argument(const Template &rewrite) {
    for (int n = 3; n > 0; --n) {
        const char slot = static_cast<char>('0' + n);
        if (reads(rewrite.text, slot) || reads(rewrite.with_third, slot)) return n;
    }
    return 0;
}

// The text before and after the "%*" of an in-place template.
struct Around {
    std::string_view before, after;
};
constexpr Around around(std::string_view text) {
    const std::size_t at = text.find("%*");
    if (at == std::string_view::npos) return {text, {}};
    return {text.substr(0, at), text.substr(at + 2)};
}

}  // namespace templates
}  // namespace tarnvel::select
