#include "report_writers.hpp"

#include <algorithm>
#include <vector>

namespace tarnvel::cli::scan {
namespace {

constexpr const char *style = R"(
body { font: 14px/1.45 system-ui, sans-serif; margin: 0 auto; max-width: 1400px; padding: 1em 2em; color: #1d2125; }
h1 { font-size: 1.5em; margin-bottom: .2em; } h2 { font-size: 1.2em; margin-top: 2em; }
table { border-collapse: collapse; margin: .6em 0; }
th, td { padding: .25em .7em; border-bottom: 1px solid #dde1e5; text-align: right; }
th { background: #f1f3f5; } td.text, th.text { text-align: left; }
tr.total td { font-weight: bold; border-top: 2px solid #aab; }
.clean { color: #1e7b34; } .residue { color: #a35200; } .macro { color: #6a3fb0; } .error { color: #b3261e; }
td.zero { color: #9aa; }
ul.problems li { color: #b3261e; }
article { border: 1px solid #dde1e5; border-left: 5px solid #1e7b34; border-radius: 4px; margin: .8em 0; padding: .5em .9em; }
article.residue { border-left-color: #d97706; } article.macro { border-left-color: #7c4dcc; }
article.error { border-left-color: #d93025; }
article > header { color: #555; font-size: .92em; }
article > header .status { font-weight: bold; text-transform: uppercase; font-size: .85em; margin-left: .6em; }
.pair { display: grid; grid-template-columns: 1fr 1fr; gap: 1em; }
.pair h3 { font-size: .8em; color: #777; margin: .5em 0 .2em; text-transform: uppercase; }
pre { white-space: pre-wrap; word-break: break-word; background: #f7f8fa; padding: .5em .7em; margin: 0;
      font: 13px/1.4 ui-monospace, monospace; border-radius: 3px; }
mark { background: #ffd54f; border-radius: 2px; }
ul.diagnostics { margin: .5em 0 .2em; padding-left: 1.2em; }
ul.diagnostics code { font-weight: bold; }
p.removed { color: #666; font-size: .9em; margin: .3em 0 0; }
label.filter { display: block; margin: 1.5em 0 0; }
body:has(#needs-work:checked) article.clean { display: none; }
)";

std::string escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

struct Marked {
    std::size_t begin, end;
    std::string title;
};

// The text with the marked spans (in text order, none inside another) highlighted.
std::string with_marks(std::string_view text, std::vector<Marked> marks) {
    std::stable_sort(marks.begin(), marks.end(), [](const Marked &a, const Marked &b) { return a.begin < b.begin; });
    std::string out;
    std::size_t at = 0;
    for (const Marked &m : marks) {
        if (m.begin < at || m.end > text.size() || m.end <= m.begin) continue;
        out += escape(text.substr(at, m.begin - at)) + "<mark title=\"" + escape(m.title) + "\">" +
               escape(text.substr(m.begin, m.end - m.begin)) + "</mark>";
        at = m.end;
    }
    return out + escape(text.substr(at));
}

// The places of the diagnostics that count in the converted text.
std::vector<Marked> converted_marks(const StatementReport &s) {
    std::vector<Marked> marks;
    for (const Diagnostic &d : s.diagnostics)
        if (d.where == Where::converted && !d.text.empty()) marks.push_back({d.offset, d.offset + d.text.size(), d.message});
    return marks;
}

// The diagnostics that count in the input, found in the FoxPro command (which has the input in
// it, destinations aside) in their order.
std::vector<Marked> foxpro_marks(const StatementReport &s) {
    std::vector<Marked> marks;
    std::size_t from = 0;
    for (const Diagnostic &d : s.diagnostics) {
        if (d.where != Where::input || d.text.empty()) continue;
        const std::size_t at = s.foxpro.find(d.text, from);
        if (at == std::string::npos) continue;
        marks.push_back({at, at + d.text.size(), d.message});
        from = at + d.text.size();
    }
    return marks;
}

std::string cell(std::size_t n, const char *name = nullptr) {
    std::string out = "<td";
    if (name) out += std::string(" data-count=\"") + name + "\"";
    if (n == 0) out += " class=\"zero\"";
    return out + ">" + std::to_string(n) + "</td>";
}

std::string count_cells(const StatusCounts &c, bool named) {
    return cell(c.total(), named ? "statements" : nullptr) + cell(c[Status::clean], named ? "clean" : nullptr) +
           cell(c[Status::residue], named ? "residue" : nullptr) + cell(c[Status::macro], named ? "macro" : nullptr) +
           cell(c[Status::error], named ? "error" : nullptr);
}

constexpr const char *count_heads =
    "<th>statements</th><th class=\"clean\">clean</th><th class=\"residue\">residue</th>"
    "<th class=\"macro\">macro</th><th class=\"error\">error</th>";

std::string summary(const Report &report, const Tally &tally) {
    std::string out = "<section id=\"summary\"><h2>Summary</h2>\n<table id=\"files\"><thead><tr>" +
                      std::string(count_heads) + "<th class=\"text\">file</th></tr></thead><tbody>\n";
    for (std::size_t i = 0; i < report.files.size(); ++i) {
        const FileReport &file = report.files[i];
        out += "<tr>" + count_cells(tally.per_file[i], false) + "<td class=\"text\"><a href=\"#file-" + std::to_string(i + 1) +
               "\">" + escape(file.file) + "</a>" + (file.problems.empty() ? "" : " <span class=\"error\">(not read in full)</span>") +
               "</td></tr>\n";
    }
    out += "<tr class=\"total\" id=\"totals\">" + count_cells(tally.all, true) + "<td class=\"text\">total: " +
           std::to_string(tally.selects) + " SELECT, " + std::to_string(tally.field_lists) + " field lists</td></tr>\n";
    out += "</tbody></table>\n";
    if (!tally.per_diagnostic.empty()) {
        out += "<table id=\"diagnostics\"><thead><tr><th>statements</th><th>places</th><th class=\"text\">diagnostic</th>"
               "<th class=\"text\">what it is</th></tr></thead><tbody>\n";
        for (const auto &[id, count] : tally.per_diagnostic) {
            out += "<tr data-diagnostic=\"" + escape(id) + "\">" + cell(count.statements) + cell(count.places) +
                   "<td class=\"text\"><code>" + escape(id) + "</code></td><td class=\"text\">" + escape(count.what) +
                   "</td></tr>\n";
        }
        out += "</tbody></table>\n";
    }
    return out + "</section>\n";
}

std::string statement_html(const StatementReport &s, const std::string &target, std::size_t number) {
    const std::string status(status_name(s.status));
    std::string out = "<article class=\"" + status + "\" id=\"s-" + std::to_string(number) + "\"><header>" +
                      escape(place(s)) + " &middot; " + escape(tarnvel::scan::kind_name(s.kind));
    if (!s.object.empty()) out += " &middot; object <code>" + escape(s.object) + "</code>";
    if (!s.method.empty()) out += " &middot; method <code>" + escape(s.method) + "</code>";
    out += "<span class=\"status " + status + "\">" + status + "</span></header>\n<div class=\"pair\"><div><h3>FoxPro</h3><pre>" +
           with_marks(s.foxpro, foxpro_marks(s)) + "</pre></div><div><h3>" + escape(target) + "</h3><pre>" +
           (s.converted ? with_marks(*s.converted, converted_marks(s)) : "<i>not converted</i>") + "</pre></div></div>\n";
    if (!s.removed.empty()) {
        out += "<p class=\"removed\">taken out before the conversion:";
        for (const std::string &r : s.removed) out += " <code>" + escape(r) + "</code>";
        out += "</p>\n";
    }
    if (!s.diagnostics.empty()) {
        out += "<ul class=\"diagnostics\">";
        for (const Diagnostic &d : s.diagnostics)
            out += "<li><code>" + escape(d.id) + "</code> " + escape(d.message) + "</li>";
        out += "</ul>\n";
    }
    return out + "</article>\n";
}

}  // namespace

std::string html_text(const Report &report, const Tally &tally) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">\n<title>Migration report for " +
                      escape(report.target) + "</title>\n<style>" + style + "</style></head>\n<body>\n";
    out += "<h1>Migration report for " + escape(report.target) + "</h1>\n<p id=\"overview\">" +
           std::to_string(report.files.size()) + " files, " + std::to_string(tally.all.total()) + " statements: " +
           std::to_string(tally.all[Status::clean]) + " clean, " + std::to_string(tally.all[Status::residue]) +
           " that need work before " + escape(report.target) + " runs them, " + std::to_string(tally.all[Status::macro]) +
           " with macro substitution, " + std::to_string(tally.all[Status::error]) + " not converted.</p>\n";
    out += summary(report, tally);
    out += "<label class=\"filter\"><input type=\"checkbox\" id=\"needs-work\"> show only the statements that need work</label>\n";
    for (std::size_t i = 0; i < report.files.size(); ++i) {
        const FileReport &file = report.files[i];
        out += "<section class=\"file\" id=\"file-" + std::to_string(i + 1) + "\"><h2>" + escape(file.file) + "</h2>\n";
        if (!file.problems.empty()) {
            out += "<ul class=\"problems\">";
            for (const std::string &p : file.problems) out += "<li>" + escape(p) + "</li>";
            out += "</ul>\n";
        }
        if (file.count == 0 && file.problems.empty()) out += "<p>No statement.</p>\n";
        for (std::size_t k = file.first; k < file.first + file.count; ++k)
            out += statement_html(report.statements[k], report.target, k + 1);
        out += "</section>\n";
    }
    return out + "</body></html>\n";
}

}  // namespace tarnvel::cli::scan
