// The statements a migration converts, found in FoxPro code: a program, the code of a text export
// of a form, or the method code of one record of a form's table.
#pragma once

#include "scan/commands.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::scan {

struct Statement {
    StatementKind kind = StatementKind::select;
    std::size_t line = 0;             // the first line: in the file, or in its method for a form's table
    std::size_t record = 0;           // the record of a form's or class library's table (from 1); 0 otherwise
    std::string object;               // the class or object the code belongs to, when known
    std::string method;               // the PROCEDURE or FUNCTION it stands in, when any
    std::string command;              // the FoxPro command, continuation lines joined, comments removed
    std::string convertible;          // what is converted: the SELECT command, or the field list
    std::string table;                // CREATE: the name as written
    std::vector<std::string> macros;  // macro substitutions: such a statement is known only at run time
    std::string problem;              // what keeps it from being read, when anything does
};

struct CodeScan {
    std::vector<Statement> statements;
    // The routines the code defines outside classes (PROCEDURE and FUNCTION), which a SELECT can
    // call as functions.
    std::vector<std::string> functions;
};

// Where the code stands: the number of its first line in its file, and the object it belongs to.
struct CodePlace {
    std::size_t first_line = 1;
    std::string object;
    // Lines counted within each method (the line after PROCEDURE is 1), as the method editor counts
    // them, instead of within the file.
    bool lines_in_method = false;
};

CodeScan scan_code(std::string_view code, const CodePlace &place = {});

}  // namespace tarnvel::scan
