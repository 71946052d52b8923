// PostgreSQL column types and defaults. The empty date has no value of its own there (it is NULL),
// so dates and datetimes get no default; logical fields are BOOLEAN with TRUE and FALSE.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

using enum WidthRule;

constexpr std::string_view zero = "0";
constexpr std::string_view empty = "''";

// DOUBLE PRECISION keeps what a host Float or Double keeps, so no width goes with it; TEXT and
// BYTEA have no length limit short of a gigabyte, as memo and general fields have none.
constexpr std::array<TypeRow, 14> types{{
    {'B', " DOUBLE PRECISION", none, zero},
    {'C', " CHAR", width, empty},
    {'D', " DATE", none, {}},
    {'F', " DOUBLE PRECISION", none, zero},
    {'G', " BYTEA", none, empty},
    {'I', " INTEGER", none, zero},
    {'L', " BOOLEAN", none, "FALSE"},
    {'M', " TEXT", none, empty},
    {'N', " NUMERIC", as_written, zero},
    {'Q', " BYTEA", none, empty},
    {'T', " TIMESTAMP", none, {}},
    {'V', " VARCHAR", width, empty},
    {'W', " BYTEA", none, empty},
    {'Y', " NUMERIC(19,4)", none, zero},
}};

constexpr Dialect dialect{
    .id = Target::pgsql,
    .quote_open = '"',
    .quote_close = '"',
    .quote_upper = true,
    .clause_list = lex::KeywordList::pgsql_clause,
    .reserved_list = lex::KeywordList::pgsql_reserved,
    .types = types,
    .not_null_with_default = true,
    .null_first = true,
    .writes_null = true,
    .identity = Identity::generated,
    .references = true,
    .named_table_constraints = false,
    .backslash_escapes = false,
    .hash_dates = false,
    .true_value = "TRUE",
    .false_value = "FALSE",
    .today = "CURRENT_DATE",
    .now = "LOCALTIMESTAMP",
    .expressions = select::pgsql,
    .shared_functions = ",ABS,ROUND,UPPER,LOWER,LTRIM,RTRIM,LEFT,RIGHT,SIGN,SQRT,EXP,MOD,",
    .more_reserved = lex::pgsql_more_quoted,
    .letter_first = false,
    .clock_in_check = true,
    .hex_open = "'\\x",
    .hex_close = "'",
};

}  // namespace

const Dialect &pgsql() { return dialect; }

}  // namespace tarnvel::structure
