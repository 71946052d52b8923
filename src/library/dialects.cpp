#include "library/dialects.h"

#include <array>
#include <cstddef>

namespace tarnvel::library {
namespace {

// One row per dialect, in the registry's order.
#define TARNVEL_DIALECT_TABLES(id, word, ...) {Target::id, &select::id, &structure::id, variables::id},
constexpr std::array<DialectTables, dialect_count> dialect_tables{{TARNVEL_DIALECTS(TARNVEL_DIALECT_TABLES)}};
#undef TARNVEL_DIALECT_TABLES

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
