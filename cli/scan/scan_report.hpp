// What tarnvel scan found: every statement with its FoxPro text, its converted text and what is
// left that the target will reject or that ties it to the running application, and every file
// that could not be read. All text is UTF-8.
#pragma once

#include "scan/commands.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::cli::scan {

// Which text a diagnostic's offset is in: the text that went to the library (the FoxPro
// statement without its destinations), or the converted text.
enum class Where { nowhere, input, converted };

// One thing that keeps a statement from running on the target as it is: a residue construct (its
// id), "macro" or "conversion-error".
struct Diagnostic {
    std::string id;
    std::string text;  // the offending text as it stands
    Where where = Where::nowhere;
    std::size_t offset = 0;  // its place in that text
    std::string message;
};

// clean: converted with nothing left; residue: converted, something left (FoxPro the target
// rejects, or a tie to the running FoxPro application); macro: known only at
// run time, not converted; error: the library could not convert it.
enum class Status { clean, residue, macro, error };
inline constexpr std::size_t status_count = 4;
std::string_view status_name(Status status);  // "clean", "residue", "macro", "error"

struct StatementReport {
    std::string file;
    std::size_t line = 0;
    std::size_t record = 0;  // forms' and class libraries' tables: the record, from 1; 0 otherwise
    std::string object;
    std::string method;
    tarnvel::scan::StatementKind kind = tarnvel::scan::StatementKind::select;
    std::string foxpro;                // the command as found
    std::string converted_part;        // what went to the library: the SELECT without destinations, or the field list
    std::vector<std::string> removed;  // the destinations taken out before
    std::optional<std::string> converted;
    std::vector<Diagnostic> diagnostics;
    Status status = Status::clean;
};

struct FileReport {
    std::string file;
    std::vector<std::string> problems;  // what could not be read
    std::size_t first = 0;              // its statements in Report::statements
    std::size_t count = 0;
};

struct Report {
    std::string target;  // "MySQL", ...
    std::vector<FileReport> files;
    std::vector<StatementReport> statements;
};

// Counts of statements by status.
struct StatusCounts {
    std::size_t by_status[status_count] = {};
    std::size_t total() const;
    std::size_t operator[](Status status) const { return by_status[static_cast<std::size_t>(status)]; }
};

struct DiagnosticCount {
    std::size_t statements = 0;  // statements that have it
    std::size_t places = 0;      // how often it occurs
    std::string what;            // what it is
};

struct Tally {
    StatusCounts all;
    std::vector<StatusCounts> per_file;  // as Report::files
    std::size_t selects = 0, field_lists = 0;
    std::size_t problems = 0;  // file problems
    std::map<std::string, DiagnosticCount> per_diagnostic;
};
Tally tally(const Report &report);

// Where a statement stands, for a person: "line 12", "record 3, line 2".
std::string place(const StatementReport &statement);

}  // namespace tarnvel::cli::scan
