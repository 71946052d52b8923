// The target dialects: one row each, naming the dialect once for every part of tarnvel and its
// clients. The command line's --to names, the titles in messages and reports, the library function
// names a client calls, and the codes some functions take all come from these rows. The library's
// own tables for a dialect (src/library/dialects.cpp) are found from the row's id.
//
// Standard library only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarnvel {

// X(id, word, ...): every dialect once, in id order, with the word of its library function names
// (ZQ_SQL_...) and any further arguments given. The ids, and the library's per-dialect
// declarations, tables and entry wrappers, follow this list.
#define TARNVEL_DIALECTS(X, ...)                                                                    \
    X(sqlserver, SQL, __VA_ARGS__) X(oracle, ORACLE, __VA_ARGS__) X(mysql, MYSQL, __VA_ARGS__)      \
    X(access, ACCESS, __VA_ARGS__) X(pgsql, PGSQL, __VA_ARGS__)

// The id of a dialect: its row's place in dialects().
#define TARNVEL_DIALECT_ID(id, word, ...) id,
enum class Target : std::uint8_t { TARNVEL_DIALECTS(TARNVEL_DIALECT_ID) };
#undef TARNVEL_DIALECT_ID

struct DialectRow {
    Target id;
    std::string_view name;                // on the command line: --to sqlserver
    std::string_view title;               // in messages and reports: "SQL Server"
    std::string_view word;                // in its library function names: ZQ_SQL_...
    std::string_view select_function;     // converts a FoxPro SELECT command
    std::string_view structure_function;  // converts a FoxPro field list into CREATE TABLE columns
    std::string_view reserved_function;   // quotes the dialect's keywords that stand as names
    std::string_view variables_function;  // replaces ~ references; empty when the dialect has none of its own
    int reserved_number;                  // the dialect's number in the reserved-word quoting routine
    int variables_code;                   // the third parameter of ZQ_SQL_FIND_VARIABLES for the dialect
    bool no_defaults = false;             // the structure function takes lNoDefaults as its second parameter
    bool numbered_parameters = false;     // the server's parameter markers are $1, $2, ... rather than ?
};

inline constexpr auto dialect_rows = std::to_array<DialectRow>({
    {Target::sqlserver, "sqlserver", "SQL Server", "SQL", "ZQ_SQL_SELECT_CONVERT", "ZQ_SQL_CREATE_STRU_CONVERT",
     "ZQ_SQL_RESERVED", "ZQ_SQL_FIND_VARIABLES", 0, 1, true},
    {Target::oracle, "oracle", "Oracle", "ORACLE", "ZQ_ORACLE_SELECT_CONVERT", "ZQ_ORACLE_CREATE_STRU_CONVERT",
     "ZQ_ORACLE_RESERVED", "ZQ_ORACLE_FIND_VARIABLES", 1, 2},
    {Target::mysql, "mysql", "MySQL", "MYSQL", "ZQ_MYSQL_SELECT_CONVERT", "ZQ_MYSQL_CREATE_STRU_CONVERT",
     "ZQ_MYSQL_RESERVED", "ZQ_MYSQL_FIND_VARIABLES", 2, 3},
    {Target::access, "access", "Access", "ACCESS", "ZQ_ACCESS_SELECT_CONVERT", "ZQ_ACCESS_CREATE_STRU_CONVERT",
     "ZQ_ACCESS_RESERVED", "", 3, 4},
    {Target::pgsql, "pgsql", "PostgreSQL", "PGSQL", "ZQ_PGSQL_SELECT_CONVERT", "ZQ_PGSQL_CREATE_STRU_CONVERT",
     "ZQ_PGSQL_RESERVED", "ZQ_PGSQL_FIND_VARIABLES", 4, 5, true, true},
});

inline constexpr std::size_t dialect_count = dialect_rows.size();

// Every row, in id order.
constexpr const std::array<DialectRow, dialect_count> &dialects() { return dialect_rows; }

// The row of an id.
constexpr const DialectRow &dialect(Target id) { return dialect_rows[static_cast<std::size_t>(id)]; }

// The row with the command-line name ("sqlserver", ...), or none.
constexpr const DialectRow *dialect_named(std::string_view name) {
    for (const DialectRow &row : dialect_rows) {
        if (row.name == name) return &row;
    }
    return nullptr;
}

// "sqlserver", "oracle", "mysql", "access", "pgsql", and back (nullopt for any other name).
constexpr std::string_view target_name(Target target) { return dialect(target).name; }
constexpr std::string_view target_title(Target target) { return dialect(target).title; }  // "SQL Server", ...
constexpr std::optional<Target> target_named(std::string_view name) {
    if (const DialectRow *row = dialect_named(name)) return row->id;
    return std::nullopt;
}

namespace detail {
constexpr bool rows_in_id_order() {
    for (std::size_t i = 0; i < dialect_count; ++i) {
        if (static_cast<std::size_t>(dialect_rows[i].id) != i) return false;
    }
    return true;
}
#define TARNVEL_DIALECT_WORD(id, word, ...) #word,
inline constexpr std::string_view listed_words[] = {TARNVEL_DIALECTS(TARNVEL_DIALECT_WORD)};
#undef TARNVEL_DIALECT_WORD
constexpr bool rows_follow_list() {
    for (std::size_t i = 0; i < dialect_count; ++i) {
        if (dialect_rows[i].word != listed_words[i]) return false;
    }
    return std::size(listed_words) == dialect_count;
}
}  // namespace detail
static_assert(detail::rows_in_id_order(), "a dialect's row stands at its id");
static_assert(detail::rows_follow_list(), "the rows name the dialects of TARNVEL_DIALECTS, with their words");

}  // namespace tarnvel
