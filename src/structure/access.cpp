// Access column types. Access columns get no default of their own, and the numeric type follows
// the width: up to 7 digits SINGLE, 8 to 15 DOUBLE, wider NUMERIC.
#include "structure/characters.h"
#include "structure/dialect.h"

#include <array>
#include <cstdint>

namespace tarnvel::structure {

namespace {

using enum WidthRule;

constexpr std::size_t most_width_digits = 10;

// The width is the first number of the width part: N(7,2) counts as 7. A width part that is not
// numbers counts by the digits it opens with after blanks and "(" (N(X) is NUMERIC). NUMERIC
// alone has no decimals, so decimals the user wrote go with it.
TypeChoice number_by_width(const Size &size) {
    if (!size.given()) return {};
    std::string_view digits = size.width;
    if (!size.raw.empty()) {
        std::size_t i = 0;
        while (i < size.raw.size() && (blank(size.raw[i]) || size.raw[i] == '(')) ++i;
        digits = size.raw.substr(i);
    }
    if (digits.empty() || !digit(digits.front())) return {" NUMERIC", none};
    std::uint64_t width = 0;
    for (std::size_t n = 0; n < most_width_digits && n < digits.size() && digit(digits[n]); ++n)
        width = width * 10 + static_cast<std::uint64_t>(digits[n] - '0');
    if (width < 8) return {" SINGLE", none};
    if (width < 16) return {" DOUBLE", none};
    bool decimals = size.decimals.find_first_not_of('0') != std::string_view::npos;
    return {" NUMERIC", decimals ? as_written : none};
}

// REAL is a four-byte float in Access, too small for a host Double; FLOAT takes no width.
constexpr std::array<TypeRow, 14> types{{
    {'B', " DOUBLE", none, {}},
    {'C', " CHAR", width, {}},
    {'D', " DATETIME", none, {}},
    {'F', " FLOAT", none, {}},
    {'G', " IMAGE", none, {}},
    {'I', " INTEGER", none, {}},
    {'L', " BIT", none, {}},
    {'M', " MEMO", none, {}},
    {'N', "", none, {}, number_by_width},
    {'Q', " VARBINARY", width, {}},
    {'T', " DATETIME", none, {}},
    {'V', " VARCHAR", width, {}},
    {'W', " IMAGE", none, {}},
    {'Y', " MONEY", none, {}},
}};

constexpr Dialect dialect{
    .id = Target::access,
    .quote_open = '[',
    .quote_close = ']',
    .quote_upper = false,
    .clause_list = lex::KeywordList::access_clause,
    .reserved_list = lex::KeywordList::access_reserved,
    .types = types,
    .not_null_with_default = false,
    .null_first = false,
    .writes_null = false,
    .identity = Identity::counter,
    .references = true,
    .named_table_constraints = true,
    .backslash_escapes = false,
    .hash_dates = true,
    .true_value = "True",
    .false_value = "False",
    .today = "Date()",
    .now = "Now()",
    .expressions = select::access,
    .shared_functions = ",ABS,ROUND,LTRIM,RTRIM,LEFT,RIGHT,EXP,SPACE,YEAR,MONTH,DAY,LEN,IIF,",
    .more_reserved = lex::access_more_quoted,
    .letter_first = false,
    .clock_in_check = true,
    .hex_open = {},
    .hex_close = {},
};

}  // namespace

const Dialect &access() { return dialect; }

}  // namespace tarnvel::structure
