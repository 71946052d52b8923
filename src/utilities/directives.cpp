#include "utilities/directives.h"

#include <array>
#include <cstring>
#include <string_view>

namespace tarnvel::utilities {
namespace {

// A marker, and how many characters it blanks. Tried in order: "..#" before "..". A marker is
// blanked only when all the characters it blanks are there (the appended blank counts).
struct Marker {
    std::string_view text;
    std::size_t blanks;
};

constexpr std::array<Marker, 6> markers{{
    {"~", 1},
    {"?", 1},
    {"..#", 3},
    {"..", 2},
    {"%|%", 3},
    {">>", 5},  // the directive and the three characters after it
}};

}  // namespace

void remove_directives(Text &command) {
    command.push(' ');
    char *text = command.data();
    const std::size_t n = command.size();
    bool single = false, dbl = false, bracket = false;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\'' && !dbl && !bracket) {
            single = !single;
        } else if (c == '"' && !single && !bracket) {
            dbl = !dbl;
        } else if (c == '[' && !single && !dbl && !bracket) {
            bracket = true;
        } else if (c == ']' && bracket) {
            bracket = false;
        } else if (!single && !dbl && !bracket) {
            std::string_view rest(text + i, n - i);
            for (const Marker &m : markers) {
                if (rest.size() >= m.blanks && rest.substr(0, m.text.size()) == m.text) {
                    std::memset(text + i, ' ', m.blanks);
                    break;
                }
            }
        }
    }
}

}  // namespace tarnvel::utilities
