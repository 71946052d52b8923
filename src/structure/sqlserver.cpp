// SQL Server column types and defaults.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

constexpr std::string_view zero = " DEFAULT 0 NOT NULL";
constexpr std::string_view empty = " DEFAULT '' NOT NULL";

constexpr std::array<TypeRow, 14> types{{
    {'B', " FLOAT", zero},
    {'C', " CHAR", empty},
    {'D', " DATETIME", empty},
    {'F', " FLOAT", zero},
    {'G', " IMAGE", empty},
    {'I', " INT", zero},
    {'L', " BIT", zero},
    {'M', " TEXT", empty},
    {'N', " NUMERIC", zero},
    {'Q', " VARBINARY", ""},
    {'T', " DATETIME", empty},
    {'V', " VARCHAR", ""},
    {'W', " IMAGE", empty},
    {'Y', " MONEY", zero},
}};

constexpr Dialect dialect{"sqlserver", '[', ']', lex::KeywordList::sqlserver_clause,
                          lex::KeywordList::sqlserver_reserved, types};

}  // namespace

const Dialect &sqlserver() { return dialect; }

}  // namespace tarnvel::structure
