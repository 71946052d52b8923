// FoxPro source files by kind, and the statements found in one.
//
//   program       .prg .spr .mpr .qpr .h   FoxPro code
//   text export   .sc2 .vc2                forms and class libraries as code (DEFINE CLASS ...)
//   record export .sca .vca                forms and class libraries record by record, code
//                                          between [START METHODS] and [END METHODS]
//   form table    .scx .vcx                forms and class libraries as tables; the code is in
//                                          the METHODS memo, in the memo file beside (.sct .vct)
//   memo file     .sct .vct                read with its table, never alone
#pragma once

#include "scan/code_scan.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::scan {

enum class SourceKind { program, text_export, record_export, form_table, memo_file };

// The kind of a file by its extension (letter case aside); nullopt for no FoxPro source file.
std::optional<SourceKind> source_kind(const std::filesystem::path &path);

struct SourceFile {
    std::filesystem::path path;
    std::vector<Statement> statements;
    std::vector<std::string> problems;   // what could not be read; the rest of the file was
    std::vector<std::string> functions;  // the routines it defines that a SELECT can call
};

// Reads 'path' and finds its statements. A file that cannot be read, or a table or memo file that
// is malformed, gives problems, never an exception (but std::bad_alloc).
SourceFile scan_file(const std::filesystem::path &path, SourceKind kind);

// The same on bytes in memory: a program or an export, or a form's table and its memo file
// (nullopt when there is none beside it). 'path' names the file in problems and gives a
// program's name.
SourceFile scan_bytes(const std::filesystem::path &path, SourceKind kind, std::string_view bytes,
                      std::optional<std::string_view> memo = std::nullopt);

// The memo file of a form's table: the same name with .sct or .vct, in whatever letter case the
// folder holds it; nullopt when there is none.
std::optional<std::filesystem::path> memo_file_of(const std::filesystem::path &table);
// The table of a memo file (.sct to .scx, .vct to .vcx), when it exists.
std::optional<std::filesystem::path> table_of(const std::filesystem::path &memo);

}  // namespace tarnvel::scan
