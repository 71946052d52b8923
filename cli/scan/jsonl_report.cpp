#include "report_writers.hpp"

#include <boost/json.hpp>

namespace tarnvel::cli::scan {
namespace {

namespace json = boost::json;

json::object statement_object(const StatementReport &s) {
    json::array removed;
    for (const std::string &text : s.removed) removed.emplace_back(text);
    json::array diagnostics;
    for (const Diagnostic &d : s.diagnostics) {
        json::object o{{"id", d.id}, {"text", d.text}, {"message", d.message}};
        o["in"] = d.where == Where::nowhere ? json::value(nullptr) : json::value(d.where == Where::input ? "input" : "converted");
        o["offset"] = d.where == Where::nowhere ? json::value(nullptr) : json::value(d.offset);
        diagnostics.emplace_back(std::move(o));
    }
    json::object o;
    o["file"] = s.file;
    o["line"] = s.line;
    o["record"] = s.record ? json::value(s.record) : json::value(nullptr);
    o["object"] = s.object;
    o["method"] = s.method;
    o["kind"] = std::string(tarnvel::scan::kind_name(s.kind));
    o["status"] = std::string(status_name(s.status));
    o["foxpro"] = s.foxpro;
    o["input"] = s.converted_part;
    o["removed"] = std::move(removed);
    o["converted"] = s.converted ? json::value(*s.converted) : json::value(nullptr);
    o["diagnostics"] = std::move(diagnostics);
    return o;
}

}  // namespace

std::string jsonl_text(const Report &report) {
    std::string out;
    for (const FileReport &file : report.files) {
        for (const std::string &problem : file.problems)
            out += json::serialize(json::object{{"file", file.file}, {"problem", problem}}) + "\n";
        for (std::size_t i = file.first; i < file.first + file.count; ++i)
            out += json::serialize(statement_object(report.statements[i])) + "\n";
    }
    return out;
}

}  // namespace tarnvel::cli::scan
