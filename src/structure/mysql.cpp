// MySQL column types and defaults.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

constexpr std::string_view zero = " NOT NULL DEFAULT 0";
constexpr std::string_view empty = " NOT NULL DEFAULT ''";

constexpr std::array<TypeRow, 14> types{{
    {'B', " DOUBLE", zero},
    {'C', " CHAR", empty},
    {'D', " DATE", " NOT NULL DEFAULT '0000-00-00'"},
    {'F', " FLOAT", zero},
    {'G', " BLOB", empty},
    {'I', " INT", zero},
    {'L', " BOOLEAN", zero},
    {'M', " TEXT", empty},
    {'N', " DECIMAL", zero},
    {'Q', " VARBINARY", empty},
    {'T', " DATETIME", " NOT NULL DEFAULT '0000-00-00 00:00:00'"},
    {'V', " VARCHAR", empty},
    {'W', " BLOB", empty},
    {'Y', " DECIMAL", zero},
}};

constexpr Dialect dialect{"mysql", '`', '`', lex::KeywordList::mysql_clause, lex::KeywordList::mysql_reserved, types};

}  // namespace

const Dialect &mysql() { return dialect; }

}  // namespace tarnvel::structure
