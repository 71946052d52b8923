// The three forms of a scan's report: a summary for the terminal, JSON lines for programs, and a
// self-contained HTML page for people.
#pragma once

#include "scan_report.hpp"

#include <string>

namespace tarnvel::cli::scan {

// Counts per file and per diagnostic, and the totals.
std::string summary_text(const Report &report, const Tally &tally);

// One JSON object per statement, {"file", "line", "record", "object", "method", "kind", "status",
// "foxpro", "input", "removed", "converted", "diagnostics": [{"id", "text", "in", "offset", "message"}]}
// ("in": "input" or "converted", the text the offset counts in; null with the offset where there is none),
// and one per file problem, {"file", "problem"}; each on a line of its own.
std::string jsonl_text(const Report &report);

// One HTML page with its style inside: the summary tables, then a section per file with each
// statement's FoxPro and converted text side by side and its diagnostics marked.
std::string html_text(const Report &report, const Tally &tally);

}  // namespace tarnvel::cli::scan
