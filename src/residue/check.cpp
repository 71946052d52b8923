#include "residue/check.h"

#include <algorithm>
#include <array>

namespace tarnvel::residue {

Check::Check(Target target_, ConvertedText kind_, std::string_view converted, std::optional<Target> reading)
    : target(target_), kind(kind_), text(read_target_text(reading.value_or(target_), converted)) {
    if (kind == ConvertedText::select) {
        name_expressions = residue::name_expressions(text.masked);
        parameters = residue::parameter_expressions(text.masked);
    }
    if (kind != ConvertedText::structure) return;
    items = column_items(target, text.masked);
    for (const ColumnItem &item : items) {
        names_and_types.push_back(item.name);
        names_and_types.push_back(item.type);
    }
}

void Check::add(const ConstructRow &row, std::size_t begin, std::size_t end, std::string message) {
    findings.push_back({row.construct.id, begin, std::string(original(begin, end)), std::move(message)});
}

void Check::report(const ConstructRow &row, std::size_t begin, std::size_t end) {
    report(row, begin, end, say(row, original(begin, end)));
}

void Check::report(const ConstructRow &row, std::size_t begin, std::size_t end, std::string message) {
    const auto holds = [begin](const Span &s) { return begin >= s.begin && begin < s.end; };
    // FoxPro inside a host expression ?(...) is the application's, which works it out
    const bool host = std::any_of(parameters.begin(), parameters.end(), holds);
    const bool name_or_type = std::any_of(names_and_types.begin(), names_and_types.end(), holds);
    if (!name_or_type && !host) add(row, begin, end, std::move(message));
}

std::string Check::say(const ConstructRow &row, std::string_view found) const {
    std::string out;
    std::string_view rest = row.message;
    while (!rest.empty()) {
        const std::size_t open = rest.find('{');
        out.append(rest.substr(0, open));
        if (open == npos) break;
        rest.remove_prefix(open);
        if (rest.starts_with("{target}")) {
            out.append(target_title(target));
            rest.remove_prefix(8);
        } else if (rest.starts_with("{text}")) {
            out.append(found);
            rest.remove_prefix(6);
        } else {
            out.push_back('{');
            rest.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace tarnvel::residue

namespace tarnvel {
namespace {

// The constructs of a FoxPro text that its conversion passes on as they are or turns into something
// the target runs, but that still tie the statement to the running FoxPro application.
constexpr std::array<std::string_view, 3> application_ties{"object-reference", "file-path", "user-function"};

// Runs the rows that apply to the check's target and text and that 'wanted' takes; in text order.
template <typename Wanted>
std::vector<ResidueFinding> findings_of(residue::Check &check, Wanted wanted) {
    for (const residue::ConstructRow &row : residue::construct_rows()) {
        const bool applies = (row.targets & residue::bit(check.target)) &&
                             (check.kind == ConvertedText::select ? row.in_select : row.in_structure);
        if (applies && wanted(row)) row.match(check, row);
    }
    std::stable_sort(check.findings.begin(), check.findings.end(),
                     [](const ResidueFinding &a, const ResidueFinding &b) { return a.offset < b.offset; });
    return std::move(check.findings);
}

}  // namespace

std::span<const ResidueConstruct> residue_constructs() {
    static const std::vector<ResidueConstruct> constructs = [] {
        std::vector<ResidueConstruct> out;
        for (const residue::ConstructRow &row : residue::construct_rows()) out.push_back(row.construct);
        return out;
    }();
    return constructs;
}

std::vector<ResidueFinding> find_residue(Target target, ConvertedText kind, std::string_view converted) {
    residue::Check check(target, kind, converted);
    return findings_of(check, [](const residue::ConstructRow &) { return true; });
}

std::vector<ResidueFinding> find_application_ties(Target target, ConvertedText kind, std::string_view foxpro_text,
                                                  std::span<const std::string> user_functions) {
    // Access reads '...' and "..." as strings and [...] as names: FoxPro's three literals, all passed over
    residue::Check check(target, kind, foxpro_text, Target::access);
    check.user_functions = user_functions;
    return findings_of(check, [](const residue::ConstructRow &row) {
        return std::find(application_ties.begin(), application_ties.end(), row.construct.id) != application_ties.end();
    });
}

BoundStatement bind_parameters(Target target, std::string_view converted) {
    const residue::TargetText text = residue::read_target_text(target, converted);
    const std::string &m = text.masked;
    BoundStatement out;
    std::size_t kept = 0;
    for (std::size_t pos = m.find('?'); pos != residue::npos; pos = m.find('?', pos + 1)) {
        std::size_t end = 0;
        if (pos + 1 < m.size() && m[pos + 1] == '(') {  // ?(expression)
            const std::size_t close = residue::closing_paren(m, pos + 1);
            if (close == residue::npos) continue;
            end = close + 1;
        } else {
            if (pos + 1 >= m.size() || !residue::name_start(m[pos + 1])) continue;
            end = residue::word_end(m, pos + 1);
            while (end + 1 < m.size() && m[end] == '.' && residue::name_start(m[end + 1])) end = residue::word_end(m, end + 1);
        }
        out.text.append(converted.substr(kept, pos - kept));
        if (dialect(target).numbered_parameters) {
            out.text.push_back('$');
            out.text.append(std::to_string(out.parameters.size() + 1));
        } else {
            out.text.push_back('?');
        }
        out.parameters.emplace_back(converted.substr(pos + 1, end - pos - 1));
        kept = end;
        pos = end - 1;
    }
    out.text.append(converted.substr(kept));
    return out;
}

}  // namespace tarnvel
