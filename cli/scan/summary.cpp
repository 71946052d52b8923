#include "report_writers.hpp"

#include <algorithm>
#include <vector>

namespace tarnvel::cli::scan {
namespace {

// A table of right-aligned numbers with one text column at the end, for the terminal.
class Columns {
public:
    explicit Columns(std::vector<std::string> heads) : heads_(std::move(heads)) {}
    void row(std::vector<std::size_t> numbers, std::string text) { rows_.push_back({std::move(numbers), std::move(text)}); }

    std::string text() const {
        std::vector<std::size_t> widths;
        for (std::size_t i = 0; i + 1 < heads_.size(); ++i) {
            std::size_t width = heads_[i].size();
            for (const Row &r : rows_) width = std::max(width, std::to_string(r.numbers[i]).size());
            widths.push_back(width);
        }
        std::string out;
        for (std::size_t i = 0; i < heads_.size(); ++i) out += (i ? "  " : "") + pad(heads_[i], i < widths.size() ? widths[i] : 0);
        out += "\n";
        for (const Row &r : rows_) {
            for (std::size_t i = 0; i < widths.size(); ++i) out += (i ? "  " : "") + pad(std::to_string(r.numbers[i]), widths[i]);
            out += "  " + r.text + "\n";
        }
        return out;
    }

private:
    static std::string pad(const std::string &text, std::size_t width) {
        return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
    }
    struct Row {
        std::vector<std::size_t> numbers;
        std::string text;
    };
    std::vector<std::string> heads_;
    std::vector<Row> rows_;
};

std::vector<std::size_t> numbers(const StatusCounts &counts) {
    return {counts.total(), counts[Status::clean], counts[Status::residue], counts[Status::macro], counts[Status::error]};
}

std::string plural(std::size_t n, const std::string &one, const std::string &many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string summary_text(const Report &report, const Tally &tally) {
    std::string out = "Scanned " + plural(report.files.size(), "file", "files") + " for " + report.target + ": " +
                      plural(tally.all.total(), "statement", "statements") + " (" +
                      plural(tally.selects, "SELECT command", "SELECT commands") + ", " +
                      plural(tally.field_lists, "field list", "field lists") + ").\n";
    out += std::to_string(tally.all[Status::clean]) + " clean, " + std::to_string(tally.all[Status::residue]) +
           " that need work before " + report.target + " runs them, " + std::to_string(tally.all[Status::macro]) +
           " with macro substitution (not converted), " + std::to_string(tally.all[Status::error]) +
           " the library could not convert.\n";
    if (tally.all.total() > 0) {
        Columns files({"statements", "clean", "residue", "macro", "error", "file"});
        std::size_t without = 0;
        for (std::size_t i = 0; i < report.files.size(); ++i) {
            if (tally.per_file[i].total() == 0) ++without;
            else files.row(numbers(tally.per_file[i]), report.files[i].file);
        }
        files.row(numbers(tally.all), "total");
        out += '\n';
        out += files.text();
        if (without) out += plural(without, "file holds", "files hold") + " no statement.\n";
    }
    if (!tally.per_diagnostic.empty()) {
        std::vector<std::pair<std::string, DiagnosticCount>> rows(tally.per_diagnostic.begin(), tally.per_diagnostic.end());
        std::stable_sort(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.second.statements > b.second.statements; });
        Columns diagnostics({"statements", "places", "diagnostic"});
        for (const auto &[id, count] : rows) diagnostics.row({count.statements, count.places}, id + ": " + count.what);
        out += '\n';
        out += diagnostics.text();
    }
    if (tally.problems) {
        out += '\n';
        out += plural(tally.problems, "problem", "problems");
        out += " reading the files (on standard error and in the reports).\n";
    }
    return out;
}

}  // namespace tarnvel::cli::scan
