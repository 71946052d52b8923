#include "scan_report.hpp"

#include <tarnvel/residue.hpp>

#include <array>
#include <set>

namespace tarnvel::cli::scan {
namespace {

constexpr std::array<std::string_view, status_count> status_names{"clean", "residue", "macro", "error"};

// What the diagnostics that are no residue construct are.
std::string what_is(const std::string &id) {
    for (const ResidueConstruct &construct : residue_constructs())
        if (construct.id == id) return std::string(construct.what);
    if (id == "conversion-error") return "the library could not convert the statement";
    return id;
}

}  // namespace

std::string_view status_name(Status status) { return status_names[static_cast<std::size_t>(status)]; }

std::size_t StatusCounts::total() const {
    std::size_t sum = 0;
    for (std::size_t n : by_status) sum += n;
    return sum;
}

Tally tally(const Report &report) {
    Tally t;
    for (const FileReport &file : report.files) {
        StatusCounts counts;
        t.problems += file.problems.size();
        for (std::size_t i = file.first; i < file.first + file.count; ++i) {
            const StatementReport &s = report.statements[i];
            ++counts.by_status[static_cast<std::size_t>(s.status)];
            ++t.all.by_status[static_cast<std::size_t>(s.status)];
            ++(s.kind == tarnvel::scan::StatementKind::select ? t.selects : t.field_lists);
            std::set<std::string> seen;
            for (const Diagnostic &d : s.diagnostics) {
                DiagnosticCount &count = t.per_diagnostic[d.id];
                if (count.what.empty()) count.what = what_is(d.id);
                ++count.places;
                if (seen.insert(d.id).second) ++count.statements;
            }
        }
        t.per_file.push_back(counts);
    }
    return t;
}

std::string place(const StatementReport &statement) {
    std::string out;
    if (statement.record) out = "record " + std::to_string(statement.record) + ", ";
    return out + "line " + std::to_string(statement.line);
}

}  // namespace tarnvel::cli::scan
