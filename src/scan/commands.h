// The FoxPro commands a migration converts: SQL SELECT, and CREATE TABLE, CREATE DBF and CREATE
// CURSOR with a field list.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::scan {

enum class StatementKind { select, create_table, create_dbf, create_cursor };
// "select", "create-table", "create-dbf", "create-cursor".
std::string_view kind_name(StatementKind kind);

struct Command {
    StatementKind kind = StatementKind::select;
    std::string_view convertible;     // the SELECT command itself, or the field list inside the parentheses
    std::string_view table;           // CREATE: the table's or cursor's name as written
    std::vector<std::string> macros;  // macro substitutions in 'convertible': it is known only at run time
    std::string problem;              // what keeps the command from being read (an unclosed field list)
};

// The command a FoxPro command line (continuation lines joined, comments removed) holds, when it
// is one of those. SELECT, SELEC or SELE starts a SQL SELECT only with a FROM clause (else it is
// the work-area command SELECT alias); CREATE ... FROM ARRAY has no field list.
std::optional<Command> recognise(std::string_view line);

}  // namespace tarnvel::scan
