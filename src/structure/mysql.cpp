// MySQL column types and defaults.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

using enum WidthRule;

constexpr std::string_view zero = "0";
constexpr std::string_view empty = "''";

// Currency has four decimals and up to 15 digits before the point; FLOAT would keep only about
// seven digits of a host Float, DOUBLE keeps what the host keeps; TEXT and BLOB stop at 64 KB,
// where a memo or a general field goes much further.
constexpr std::array<TypeRow, 14> types{{
    {'B', " DOUBLE", none, zero},
    {'C', " CHAR", width, empty},
    {'D', " DATE", none, "'0000-00-00'"},
    {'F', " DOUBLE", with_scale, zero},
    {'G', " LONGBLOB", none, empty},
    {'I', " INT", none, zero},
    {'L', " BOOLEAN", none, zero},
    {'M', " LONGTEXT", none, empty},
    {'N', " DECIMAL", as_written, zero},
    {'Q', " VARBINARY", width, empty},
    {'T', " DATETIME", none, "'0000-00-00 00:00:00'"},
    {'V', " VARCHAR", width, empty},
    {'W', " LONGBLOB", none, empty},
    {'Y', " DECIMAL(19,4)", none, zero},
}};

constexpr Dialect dialect{
    .id = Target::mysql,
    .quote_open = '`',
    .quote_close = '`',
    .quote_upper = false,
    .clause_list = lex::KeywordList::mysql_clause,
    .reserved_list = lex::KeywordList::mysql_reserved,
    .types = types,
    .not_null_with_default = true,
    .null_first = true,
    .writes_null = true,
    .identity = Identity::auto_increment,
    .references = false,
    .named_table_constraints = false,
    .backslash_escapes = true,
    .hash_dates = false,
    .true_value = "1",
    .false_value = "0",
    .today = "(CURRENT_DATE)",
    .now = "CURRENT_TIMESTAMP",
    .expressions = select::mysql,
    .shared_functions = ",ABS,ROUND,UPPER,LOWER,LTRIM,RTRIM,LEFT,RIGHT,SIGN,SQRT,EXP,SPACE,MOD,",
    .more_reserved = lex::mysql_more_quoted,
    .letter_first = false,
    .clock_in_check = false,
    .hex_open = "X'",
    .hex_close = "'",
};

}  // namespace

const Dialect &mysql() { return dialect; }

}  // namespace tarnvel::structure
