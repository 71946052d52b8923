// The library function table: 31 functions, in the order the host sees them (the PostgreSQL ones last).
#pragma once

#include <tarnvel/wire.h>

// X(name, parameter types, parameter count)
#define TARNVEL_FUNCTIONS(X)                          \
    X(ZQ_SQL_CREATE_STRU_CONVERT, "C,.L", 2)          \
    X(ZQ_ORACLE_CREATE_STRU_CONVERT, "C", 1)          \
    X(ZQ_MYSQL_CREATE_STRU_CONVERT, "C", 1)           \
    X(ZQ_ACCESS_CREATE_STRU_CONVERT, "C", 1)          \
    X(ZQ_SQL_SELECT_CONVERT, "C", 1)                  \
    X(ZQ_ORACLE_SELECT_CONVERT, "C", 1)               \
    X(ZQ_MYSQL_SELECT_CONVERT, "C", 1)                \
    X(ZQ_ACCESS_SELECT_CONVERT, "C", 1)               \
    X(ZQ_SQL_RESERVED, "C", 1)                        \
    X(ZQ_ORACLE_RESERVED, "C", 1)                     \
    X(ZQ_MYSQL_RESERVED, "C", 1)                      \
    X(ZQ_ACCESS_RESERVED, "C", 1)                     \
    X(ZQ_SQL_FIND_TABLES, "C,C,C", 3)                 \
    X(ZQ_SQL_FIND_VARIABLES, "C,.L,.N", 3)            \
    X(ZQ_ORACLE_FIND_VARIABLES, "C,.L", 2)            \
    X(ZQ_MYSQL_FIND_VARIABLES, "C,.L", 2)             \
    X(ZQ_SQL_REMOVE_DIRECTIVES, "C", 1)               \
    X(ZQ_SQL_IIF, "C", 1)                             \
    X(ZQ_EDITOR_COPY, "", 0)                          \
    X(ZQ_EDITOR_PASTE, "", 0)                         \
    X(ZQ_WONTOP, "", 0)                               \
    X(ZQV_SETLOC, "C", 1)                             \
    X(ZQV_GETLOC, "", 0)                              \
    X(ZQV_ISALPHA, "C", 1)                            \
    X(ZQV_AT, "C,C,.N,.L,.L", 5)                      \
    X(ZQV_STRTRAN, "C,C,C,.L,.L,.L", 6)               \
    X(ZQV_SETFROMFOX, "L", 1)                         \
    X(ZQ_PGSQL_SELECT_CONVERT, "C", 1)                \
    X(ZQ_PGSQL_CREATE_STRU_CONVERT, "C,.L", 2)        \
    X(ZQ_PGSQL_RESERVED, "C", 1)                      \
    X(ZQ_PGSQL_FIND_VARIABLES, "C,.L", 2)

// The wrapper ZQ_<word>_<name> of a function every dialect has, for TARNVEL_DIALECTS: it calls
// worker(params, Target::<id>).
#define TARNVEL_DIALECT_ENTRY(id, word, name, worker) \
    void TV_FASTCALL ZQ_##word##_##name(ParamBlk *params) { worker(params, Target::id); }

namespace tarnvel::entries {
#define TARNVEL_DECLARE_ENTRY(name, types, count) void TV_FASTCALL name(ParamBlk *params);
TARNVEL_FUNCTIONS(TARNVEL_DECLARE_ENTRY)
#undef TARNVEL_DECLARE_ENTRY
}  // namespace tarnvel::entries
