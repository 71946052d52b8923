// SQL Server column types and defaults.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

using enum WidthRule;

constexpr std::string_view zero = "0";
constexpr std::string_view empty = "''";

// FLOAT(n) counts bits of the mantissa, so a host width is no FLOAT width: FLOAT holds any.
constexpr std::array<TypeRow, 14> types{{
    {'B', " FLOAT", none, zero},
    {'C', " CHAR", width, empty},
    {'D', " DATETIME", none, empty},
    {'F', " FLOAT", none, zero},
    {'G', " IMAGE", none, empty},
    {'I', " INT", none, zero},
    {'L', " BIT", none, zero},
    {'M', " TEXT", none, empty},
    {'N', " NUMERIC", as_written, zero},
    {'Q', " VARBINARY", width, {}},
    {'T', " DATETIME", none, empty},
    {'V', " VARCHAR", width, {}},
    {'W', " IMAGE", none, empty},
    {'Y', " MONEY", none, zero},
}};

constexpr Dialect dialect{
    .id = Target::sqlserver,
    .quote_open = '[',
    .quote_close = ']',
    .quote_upper = false,
    .clause_list = lex::KeywordList::sqlserver_clause,
    .reserved_list = lex::KeywordList::sqlserver_reserved,
    .types = types,
    .not_null_with_default = true,
    .null_first = false,
    .writes_null = true,
    .identity = Identity::identity,
    .references = true,
    .named_table_constraints = false,
    .backslash_escapes = false,
    .hash_dates = false,
    .true_value = "1",
    .false_value = "0",
    .today = "CAST(GETDATE() AS DATE)",
    .now = "GETDATE()",
    .expressions = select::sqlserver,
    .shared_functions = ",ABS,ROUND,UPPER,LOWER,LTRIM,RTRIM,LEFT,RIGHT,SIGN,SQRT,EXP,SPACE,REPLICATE,YEAR,MONTH,DAY,LEN,",
    .more_reserved = lex::sqlserver_more_quoted,
    .letter_first = false,
    .clock_in_check = true,
    .hex_open = "0x",
    .hex_close = {},
};

}  // namespace

const Dialect &sqlserver() { return dialect; }

}  // namespace tarnvel::structure
