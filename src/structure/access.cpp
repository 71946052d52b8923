// Access column types. Access columns get no default clause, and the numeric type follows the
// width: up to 7 digits SINGLE, 8 to 15 DOUBLE, wider NUMERIC.
#include "structure/dialect.h"

#include <array>
#include <cstdint>

namespace tarnvel::structure {

namespace {

constexpr std::size_t most_width_digits = 10;

bool digit(char c) { return c >= '0' && c <= '9'; }

// The width is the first number of the width part: N(7,2) counts as 7.
std::string_view number_by_width(std::string_view spec, const lex::Alphabet &alphabet) {
    if (spec.size() <= 1) return {};
    std::size_t i = 1;
    while (i < spec.size()) {
        char c = alphabet.upper(spec[i]);
        if (c != ' ' && c != '\t' && c != '(') break;
        ++i;
    }
    if (i == spec.size()) return {};
    if (!digit(alphabet.upper(spec[i]))) return " NUMERIC";
    std::uint64_t width = 0;
    for (std::size_t n = 0; n < most_width_digits && i < spec.size(); ++n, ++i) {
        char c = alphabet.upper(spec[i]);
        if (!digit(c)) break;
        width = width * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (width < 8) return " SINGLE";
    if (width < 16) return " DOUBLE";
    return " NUMERIC";
}

constexpr std::array<TypeRow, 14> types{{
    {'B', " REAL", ""},
    {'C', " CHAR", ""},
    {'D', " DATETIME", ""},
    {'F', " FLOAT", ""},
    {'G', " IMAGE", ""},
    {'I', " INTEGER", ""},
    {'L', " BIT", ""},
    {'M', " MEMO", ""},
    {'N', "", "", number_by_width},
    {'Q', " VARBINARY", ""},
    {'T', " DATETIME", ""},
    {'V', " VARCHAR", ""},
    {'W', " IMAGE", ""},
    {'Y', " MONEY", ""},
}};

constexpr Dialect dialect{"access", '[', ']', lex::KeywordList::access_clause, lex::KeywordList::access_reserved,
                          types};

}  // namespace

const Dialect &access() { return dialect; }

}  // namespace tarnvel::structure
