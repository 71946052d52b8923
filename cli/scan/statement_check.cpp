#include "statement_check.hpp"

#include <algorithm>

namespace tarnvel::cli::scan {
namespace {

using tarnvel::scan::StatementKind;

}  // namespace

StatementCheck::StatementCheck(Host &host, Target target, const Encoding &encoding, std::vector<std::string> user_functions)
    : host_(host), target_(target), encoding_(encoding), user_functions_(std::move(user_functions)) {
    host_.call("ZQV_SETFROMFOX", {true});  // the statements are FoxPro's
}

StatementReport StatementCheck::check(const std::string &file, const tarnvel::scan::Statement &statement) {
    StatementReport report;
    report.file = file;
    report.line = statement.line;
    report.record = statement.record;
    report.object = text(statement.object);
    report.method = text(statement.method);
    report.kind = statement.kind;
    report.foxpro = text(statement.command);
    if (!statement.problem.empty()) {
        report.converted_part = text(statement.convertible);
        report.diagnostics.push_back({"conversion-error", "", Where::nowhere, 0, statement.problem});
        report.status = Status::error;
    } else if (!statement.macros.empty()) {
        report.converted_part = text(statement.convertible);
        std::size_t from = 0;
        for (const std::string &macro : statement.macros) {
            const std::string shown = text(macro);
            const std::size_t at = report.converted_part.find(shown, from);
            from = at == std::string::npos ? from : at + shown.size();
            report.diagnostics.push_back({"macro", shown, at == std::string::npos ? Where::nowhere : Where::input,
                                          at == std::string::npos ? 0 : at,
                                          shown + " is FoxPro macro substitution: the statement is known only when "
                                                  "the program runs, and is not converted"});
        }
        report.status = Status::macro;
    } else {
        convert(report, statement);
    }
    return report;
}

void StatementCheck::convert(StatementReport &report, const tarnvel::scan::Statement &statement) {
    const DialectRow &row = dialect(target_);
    const bool select = statement.kind == StatementKind::select;
    std::string input = statement.convertible;
    if (select) {
        ServerStatement stripped = strip_destinations(input);
        input = std::move(stripped.text);
        for (const std::string &removed : stripped.removed) report.removed.push_back(text(removed));
    }
    report.converted_part = text(input);
    Result result;
    try {
        result = host_.call(select ? row.select_function : row.structure_function, {input});
    } catch (const Error &error) {
        std::string message = text(error.message());
        if (error.number()) message = "error " + std::to_string(*error.number()) + ": " + message;
        report.diagnostics.push_back({"conversion-error", "", Where::nowhere, 0, std::move(message)});
        report.status = Status::error;
        return;
    }
    const auto *converted = std::get_if<std::string>(&result);
    if (converted == nullptr) {
        report.diagnostics.push_back({"conversion-error", "", Where::nowhere, 0, "the library returned no text"});
        report.status = Status::error;
        return;
    }
    report.converted = text(*converted);
    const ConvertedText kind = select ? ConvertedText::select : ConvertedText::structure;
    for (const ResidueFinding &finding : find_residue(target_, kind, *converted))
        add(report, finding, Where::converted, *converted);
    // what the conversion passed on or dropped that still ties the statement to the application,
    // unless the converted text shows it already
    const std::size_t left = report.diagnostics.size();
    for (const ResidueFinding &finding : find_application_ties(target_, kind, input, user_functions_)) {
        const auto same = [&](const Diagnostic &d) { return d.id == finding.construct; };
        if (std::none_of(report.diagnostics.begin(), report.diagnostics.begin() + static_cast<std::ptrdiff_t>(left), same))
            add(report, finding, Where::input, input);
    }
    report.status = report.diagnostics.empty() ? Status::clean : Status::residue;
}

void StatementCheck::add(StatementReport &report, const ResidueFinding &finding, Where where, std::string_view in) const {
    // the place in the text as shown (UTF-8), not in the code page's bytes
    const std::size_t offset = text(in.substr(0, finding.offset)).size();
    report.diagnostics.push_back({std::string(finding.construct), text(finding.text), where, offset, text(finding.message)});
}

}  // namespace tarnvel::cli::scan
