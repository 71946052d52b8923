#include "library/dialects.h"

#include <array>
#include <cstddef>

namespace tarnvel::library {
namespace {

// One row per dialect, in the registry's order.
constexpr std::array<DialectTables, dialect_count> dialect_tables{{
    {Target::sqlserver, &select::sqlserver, &structure::sqlserver, variables::sqlserver},
    {Target::oracle, &select::oracle, &structure::oracle, variables::oracle},
    {Target::mysql, &select::mysql, &structure::mysql, variables::mysql},
    {Target::access, &select::access, &structure::access, variables::access},
    {Target::pgsql, &select::pgsql, &structure::pgsql, variables::pgsql},
}};

constexpr bool rows_in_id_order() {
    for (std::size_t i = 0; i < dialect_tables.size(); ++i) {
        if (static_cast<std::size_t>(dialect_tables[i].id) != i) return false;
    }
    return true;
}
static_assert(rows_in_id_order(), "a dialect's tables stand at its id");

}  // namespace

const DialectTables &tables(Target id) {
    return dialect_tables[static_cast<std::size_t>(id)];
}

const variables::Dialect &variables_by_code(int code) {
    for (const DialectRow &row : dialects()) {
        if (row.variables_code == code) return tables(row.id).variables;
    }
    return tables(Target::sqlserver).variables;
}

}  // namespace tarnvel::library
