// Oracle column types and defaults. The L word keeps its trailing blank, so a default follows it
// after two blanks.
#include "structure/dialect.h"

#include <array>

namespace tarnvel::structure {

namespace {

constexpr std::string_view zero = " DEFAULT 0";
constexpr std::string_view empty = " DEFAULT ''";

constexpr std::array<TypeRow, 14> types{{
    {'B', " NUMBER", zero},
    {'C', " CHAR", empty},
    {'D', " DATE", empty},
    {'F', " NUMBER", zero},
    {'G', " BFILE", empty},
    {'I', " INT", zero},
    {'L', " NUMBER(1) ", zero},
    {'M', " CLOB", ""},
    {'N', " NUMBER", zero},
    {'Q', " VARBINARY2", empty},
    {'T', " DATE", empty},
    {'V', " VARCHAR2", empty},
    {'W', " BLOB", empty},
    {'Y', " NUMBER", zero},
}};

constexpr Dialect dialect{"oracle", '"', '"', lex::KeywordList::oracle_clause, lex::KeywordList::oracle_reserved,
                          types};

}  // namespace

const Dialect &oracle() { return dialect; }

}  // namespace tarnvel::structure
