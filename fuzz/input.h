// The fuzz target's input, shared by the target and the seed maker.
//
// Byte 0 picks the function, byte 1 holds switches (bit 0: FoxPro syntax on, bit 1: the call is also
// made with each of its obtains and growths failing in turn), byte 2 is not read, then the arguments
// in order, separated by the byte 0x1F. A C argument is its bytes, an N argument the first byte's
// value less 64, an L argument whether its first byte is odd.
#pragma once

#include <tarnvel/host.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnvel::fuzz {

constexpr char separator = '\x1F';

struct Function {
    std::string name;
    std::vector<std::pair<char, bool>> params;  // type letter, optional
};

// The functions the target calls: every one that takes arguments, except the two whose effect
// would carry over from input to input (the locale and the FoxPro-syntax switch, which each input
// sets itself).
inline std::vector<Function> functions(Host &host) {
    std::vector<Function> list;
    for (const auto &[name, types] : host.functions()) {
        if (name == "ZQV_SETLOC" || name == "ZQV_SETFROMFOX" || types.empty()) continue;
        Function f{name, {}};
        std::string_view t = types;
        for (std::size_t pos = 0; pos <= t.size();) {
            std::size_t comma = t.find(',', pos);
            std::string_view p = t.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
            bool optional = !p.empty() && p[0] == '.';
            if (optional) p.remove_prefix(1);
            if (!p.empty()) f.params.emplace_back(p[0], optional);
            if (comma == std::string_view::npos) break;
            pos = comma + 1;
        }
        list.push_back(std::move(f));
    }
    return list;
}

}  // namespace tarnvel::fuzz
