// Oracle column types and defaults. The L word keeps its trailing blank, so a default follows it
// after two blanks. Oracle stores '' as NULL, so its defaults come without NOT NULL.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

using enum WidthRule;

constexpr std::string_view zero = "0";
constexpr std::string_view empty = "''";

constexpr std::array<TypeRow, 14> types{{
    {'B', " NUMBER", none, zero},
    {'C', " CHAR", width, empty},
    {'D', " DATE", none, empty},
    {'F', " NUMBER", as_written, zero},
    {'G', " BLOB", none, empty},
    {'I', " INT", none, zero},
    {'L', " NUMBER(1) ", none, zero},
    {'M', " CLOB", none, {}},
    {'N', " NUMBER", as_written, zero},
    {'Q', " RAW", width, empty},
    {'T', " DATE", none, empty},
    {'V', " VARCHAR2", width, empty},
    {'W', " BLOB", none, empty},
    {'Y', " NUMBER", none, zero},
}};

constexpr Dialect dialect{
    .id = Target::oracle,
    .quote_open = '"',
    .quote_close = '"',
    .quote_upper = true,
    .clause_list = lex::KeywordList::oracle_clause,
    .reserved_list = lex::KeywordList::oracle_reserved,
    .types = types,
    .not_null_with_default = false,
    .null_first = false,
    .writes_null = true,
    .identity = Identity::generated,
    .references = true,
    .named_table_constraints = false,
    .backslash_escapes = false,
    .hash_dates = false,
    .true_value = "1",
    .false_value = "0",
    .today = "TRUNC(SYSDATE)",
    .now = "SYSDATE",
    .expressions = select::oracle,
    .shared_functions = ",ABS,ROUND,UPPER,LOWER,LTRIM,RTRIM,SIGN,SQRT,EXP,MOD,",
    .more_reserved = lex::oracle_more_quoted,
    .letter_first = true,
    .clock_in_check = false,
    .hex_open = "HEXTORAW('",
    .hex_close = "')",
};

}  // namespace

const Dialect &oracle() { return dialect; }

}  // namespace tarnvel::structure
