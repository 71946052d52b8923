#include "variables/dialect.h"

namespace tarnvel::variables {
namespace {

constexpr std::int64_t day_1753_01_01 = 2361331;
constexpr std::int64_t day_1000_01_01 = 2086303;
constexpr std::int64_t day_9999_12_31 = 5373484;

constexpr SkippedString single_quotes{'\'', '\'', false};

}  // namespace

const Dialect sqlserver{
    Target::sqlserver,
    {single_quotes, {'[', ']', true}},
    2,
    true,
    day_1753_01_01,
    no_day_limit_high,
    {"'", "'", "'", "'", "", day_1753_01_01, "''", "''"},
    "$",
    true,
};

const Dialect oracle{
    Target::oracle,
    {{'"', '"', false}, single_quotes},
    2,
    false,
    no_day_limit_low,
    no_day_limit_high,
    // Typed literals: a quoted date is read by the session's NLS_DATE_FORMAT; a datetime stays a DATE.
    {"DATE '", "'", "TO_DATE('", "', 'YYYY-MM-DD HH24:MI:SS')", "-", 1, "DATE '0001-01-01'",
     "TO_DATE('0001-01-01 00:00:00', 'YYYY-MM-DD HH24:MI:SS')"},
    "",
    false,
};

const Dialect mysql{
    Target::mysql,
    {single_quotes, {'`', '`', false}},
    2,
    true,
    day_1000_01_01,
    day_9999_12_31,
    {"'", "'", "'", "'", "-", no_day_limit_low, "", ""},
    "",
    false,
};

// Access cannot hold the empty date: it becomes NULL.
const Dialect access{
    Target::access,
    {single_quotes, single_quotes},
    1,
    false,
    no_day_limit_low,
    no_day_limit_high,
    {"#", "#", "#", "#", "-", 1, "NULL", "NULL"},
    "",
    false,
};

// PostgreSQL reads a quoted date where a date is compared; the empty date is NULL there, and logical
// values are its own TRUE and FALSE.
const Dialect pgsql{
    Target::pgsql,
    {single_quotes, {'"', '"', false}},
    2,
    true,
    no_day_limit_low,
    no_day_limit_high,
    {"'", "'", "'", "'", "-", 1, "NULL", "NULL"},
    "",
    false,
    "TRUE",
    "FALSE",
};

}  // namespace tarnvel::variables
