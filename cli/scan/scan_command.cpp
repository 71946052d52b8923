// tarnvel scan --to DIALECT [--jsonl FILE] [--html FILE] [--no-progress] PATH...: a migration
// report. Finds the SELECT commands and CREATE TABLE/DBF/CURSOR field lists in a tree of FoxPro
// sources, converts each for the target, and reports what the target will still reject.
#include "command.hpp"
#include "progress.hpp"
#include "report_writers.hpp"
#include "source_tree.hpp"
#include "statement_check.hpp"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace {

using namespace tarnvel;
using namespace tarnvel::cli::scan;

struct ScanOptions {
    std::string dialect;
    std::string jsonl;
    std::string html;
    bool no_progress = false;
    std::vector<std::string> paths;
};

// A report file, opened before the scan so that a path that cannot be written stops nothing late.
class ReportFile {
public:
    ReportFile(const std::string &path, const char *option) : path_(path) {
        if (path.empty()) return;
        out_.open(path, std::ios::binary | std::ios::trunc);
        if (!out_) throw cli::UsageError(std::string(option) + ": cannot write " + path);
    }
    // False when the file could not be written in full (said on stderr).
    bool write(const std::string &text) {
        if (path_.empty()) return true;
        out_ << text;
        out_.close();
        if (out_) return true;
        std::cerr << "tarnvel: cannot write " << path_ << "\n";
        return false;
    }

private:
    std::string path_;
    std::ofstream out_;
};

std::vector<std::string> unique_names(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

int run(const ScanOptions &options, cli::Context &context) {
    const Target target = cli::dialect_of(options.dialect).id;
    ReportFile jsonl(options.jsonl, "--jsonl");
    ReportFile html(options.html, "--html");
    const cli::Encoding names;  // file names are shown as UTF-8, whatever code page the code is in
    Progress progress(!options.no_progress);
    Report report;
    report.target = std::string(target_title(target));

    auto say_problem = [&](const std::string &file, const std::string &problem) {
        progress.clear();
        std::cerr << "tarnvel: " << file << ": " << problem << "\n";
    };
    const SourceTree tree = find_sources(options.paths);
    for (const PathProblem &p : tree.problems) {
        report.files.push_back({names.readable(p.path.generic_string()), {p.message}, 0, 0});
        say_problem(report.files.back().file, p.message);
    }

    // first the statements and the routines of every file, so that each statement is checked
    // against every routine of the application
    std::vector<tarnvel::scan::SourceFile> sources;
    std::vector<std::string> functions;
    for (const SourceEntry &entry : tree.sources) {
        const std::string shown = names.readable(entry.path.generic_string());
        progress.show("reading", sources.size(), tree.sources.size(), shown);
        tarnvel::scan::SourceFile file = tarnvel::scan::scan_file(entry.path, entry.kind);
        for (const std::string &problem : file.problems) say_problem(shown, problem);
        functions.insert(functions.end(), file.functions.begin(), file.functions.end());
        sources.push_back(std::move(file));
    }

    auto host = context.make_host();
    StatementCheck check(host->host(), target, context.encoding(), unique_names(std::move(functions)));
    for (std::size_t i = 0; i < sources.size(); ++i) {
        FileReport file{names.readable(sources[i].path.generic_string()), std::move(sources[i].problems),
                        report.statements.size(), sources[i].statements.size()};
        progress.show("converting", i, sources.size(), file.file);
        for (const tarnvel::scan::Statement &statement : sources[i].statements)
            report.statements.push_back(check.check(file.file, statement));
        sources[i].statements.clear();
        report.files.push_back(std::move(file));
    }
    progress.clear();

    const Tally counts = tally(report);
    const std::string summary = summary_text(report, counts);
    std::fwrite(summary.data(), 1, summary.size(), stdout);
    bool written = std::fflush(stdout) == 0;
    written = jsonl.write(options.jsonl.empty() ? std::string() : jsonl_text(report)) && written;
    written = html.write(options.html.empty() ? std::string() : html_text(report, counts)) && written;
    return written && counts.problems == 0 ? 0 : 1;
}

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<ScanOptions>();
    cli::add_dialect_option(app, options->dialect);
    app.add_option("--jsonl", options->jsonl, "Write one JSON object per statement (and per file problem) to FILE");
    app.add_option("--html", options->html, "Write the report as one self-contained HTML page to FILE");
    app.add_flag("--no-progress", options->no_progress, "No progress bar, even on a terminal");
    app.add_option("PATH", options->paths,
                   "FoxPro source files and folders: .prg .spr .mpr .qpr .h, .sc2 .vc2 .sca .vca, .scx/.sct .vcx/.vct")
        ->required();
    return [options](cli::Context &context) { return run(*options, context); };
}

const cli::Registration registration("scan", "Migration report: convert every SELECT and field list of a FoxPro source tree",
                                     setup);

}  // namespace
