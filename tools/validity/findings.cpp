#include "findings.h"

#include "generated.h"
#include "generator.h"
#include "random.h"
#include "reduce.h"
#include "render.h"
#include "report.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <numeric>
#include <ostream>
#include <string_view>

namespace validity {
namespace {

std::string target_at(std::size_t i) { return std::string(tarnvel::target_name(targets[i])); }

bool name_byte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}

// Words of SQL that say where a statement went wrong; any other name is just "a name".
constexpr std::string_view telling_words[] = {
    "SELECT", "FROM", "WHERE", "AND", "OR", "NOT", "IN", "LIKE", "AS", "ON", "JOIN", "INNER", "LEFT", "RIGHT",
    "FULL", "OUTER", "GROUP", "ORDER", "BY", "HAVING", "UNION", "ALL", "DISTINCT", "TOP", "LIMIT", "CASE", "WHEN",
    "THEN", "ELSE", "END", "IS", "NULL", "BETWEEN", "EXISTS", "ANY", "SOME", "INTO", "WITH", "ASC", "DESC",
    "CAST", "CONVERT", "PERCENT", "FORCE", "TRUE", "FALSE",
};

// What the server stopped at, from its syntax message: a telling word (quoted or not), a
// function, "a name", "a number", "a string" or the sign.
std::string stopped_at(const EngineVerdict &engine) {
    const std::string message = compact_message(engine.code, engine.message);
    const std::size_t quote = message.find("near '");
    if (quote == std::string::npos) return {};
    std::string_view near(message);
    near.remove_prefix(quote + 6);
    while (!near.empty() && (near.front() == ' ' || near.front() == '\t' || near.front() == '\n'))
        near.remove_prefix(1);
    if (near.empty() || near.front() == '\'') return near.size() <= 1 ? "the end" : "a string";
    const bool quoted = near.front() == '`';
    std::size_t begin = quoted ? 1 : 0, end = begin;
    while (end < near.size() && name_byte(near[end])) ++end;
    if (end == begin) return std::string(1, near.front());
    std::string word(near.substr(begin, end - begin));
    std::transform(word.begin(), word.end(), word.begin(), [](char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    });
    if (word.front() >= '0' && word.front() <= '9') return "a number";
    const bool telling = std::find(std::begin(telling_words), std::end(telling_words), word) != std::end(telling_words);
    const std::size_t after = end + (quoted ? 1 : 0);
    if (telling) return quoted ? "`" + word + "`" : word;
    if (after < near.size() && near[after] == '(') return word + "(";
    return quoted ? "a quoted name" : "a name";
}

std::string json_text(const std::string &text) {
    return nlohmann::json(text).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

bool shows(const Outcome &o, const std::string &cause, std::size_t target) {
    const std::vector<Cause> causes = failure_causes(o);
    return std::any_of(causes.begin(), causes.end(),
                       [&](const Cause &c) { return c.name == cause && c.target == target; });
}

}  // namespace

std::size_t Finding::total() const { return std::accumulate(statements.begin(), statements.end(), std::size_t{0}); }

std::vector<Cause> failure_causes(const Outcome &o) {
    std::vector<Cause> causes;
    auto add = [&](std::string name, std::size_t target) {
        const bool seen = std::any_of(causes.begin(), causes.end(),
                                      [&](const Cause &c) { return c.name == name && c.target == target; });
        if (!seen) causes.push_back({std::move(name), target});
    };
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!o.targets[i].output) add("converter error: " + o.targets[i].error, i);
    }
    const auto mysql = static_cast<std::size_t>(tarnvel::Target::mysql);
    // A rejection of output with residue is the residue's doing; the rest is the converter's.
    if (o.engine.asked && !o.engine.accepted && o.targets[mysql].residue.empty()) {
        std::string name = "rejected " + std::to_string(o.engine.code);
        if (o.engine.code == 1064) name += " near " + stopped_at(o.engine);
        else name += " " + o.engine.message;
        add(std::move(name), mysql);
    }
    // The generated statements' tables and fields exist on the server: an unknown one in output
    // without residue is a name the converter made (it counts as accepted all the same).
    if (o.engine.asked && o.engine.accepted && (o.engine.code == 1054 || o.engine.code == 1146) &&
        o.targets[mysql].residue.empty()) {
        std::string message = o.engine.message;
        const std::size_t first = message.find('\'');
        const std::size_t second = first == std::string::npos ? first : message.find('\'', first + 1);
        if (second != std::string::npos) message.erase(first, second - first + 2);  // the name itself
        add("unknown name " + std::to_string(o.engine.code) + " " + message, mysql);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        for (const tarnvel::ResidueFinding &f : o.targets[i].residue) add("residue " + residue_category(f), i);
    }
    return causes;
}

std::vector<Finding> findings(Measure &measure, const std::vector<Outcome> &outcomes) {
    struct Seen {
        std::array<std::size_t, tarnvel::dialect_count> statements{};
        std::array<const Outcome *, tarnvel::dialect_count> shortest{};
    };
    std::map<std::string, Seen> seen;
    for (const Outcome &o : outcomes) {
        for (const Cause &cause : failure_causes(o)) {
            Seen &s = seen[cause.name];
            ++s.statements[cause.target];
            const Outcome *&best = s.shortest[cause.target];
            if (!best || o.statement.text.size() < best->statement.text.size()) best = &o;
        }
    }
    std::vector<Finding> out;
    for (const auto &[cause, s] : seen) {
        Finding f;
        f.cause = cause;
        f.statements = s.statements;
        // reduced where most statements show it
        const auto target = static_cast<std::size_t>(std::max_element(s.statements.begin(), s.statements.end()) -
                                                     s.statements.begin());
        const Outcome &example = *s.shortest[target];
        f.example = example.statement.origin;
        f.reduced = example;
        if (std::optional<GeneratedPlace> place = generated_place(f.example)) {
            foxgen::Query tree = foxgen::generate(foxgen::mix(place->seed, place->number), place->family);
            if (foxgen::render(tree) == example.statement.text) {  // the tree the statement came from
                auto keeps = [&, cause = cause](const std::string &text) {
                    return shows(measure.measure(Statement{"reduced", text}, tarnvel::ConvertedText::select), cause,
                                 target);
                };
                tree = foxgen::reduce(std::move(tree), keeps);
                f.reduced = measure.measure(Statement{f.example + " reduced", foxgen::render(tree)},
                                            tarnvel::ConvertedText::select);
            }
        }
        out.push_back(std::move(f));
    }
    std::stable_sort(out.begin(), out.end(), [](const Finding &a, const Finding &b) { return a.total() > b.total(); });
    return out;
}

void print_findings(std::ostream &out, Measure &measure, const std::vector<Outcome> &outcomes) {
    const std::vector<Finding> found = findings(measure, outcomes);
    out << "generated findings: " << found.size() << " causes in " << outcomes.size()
        << " statements (statements per target:" << target_names() << ")\n";
    for (const Finding &f : found) {
        out << "\n" << f.cause << ":";
        for (std::size_t n : f.statements) out << " " << n;
        out << " (reduced from " << f.example << ")\n";
        out << "    foxpro:    " << json_text(f.reduced.statement.text) << "\n";
        if (f.reduced.prepared != f.reduced.statement.text)
            out << "    prepared:  " << json_text(f.reduced.prepared) << "\n";
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const TargetOutcome &t = f.reduced.targets[i];
            out << "    " << target_at(i) << ": " << std::string(9 - std::min<std::size_t>(9, target_at(i).size()), ' ')
                << (t.output ? json_text(*t.output) : "error: " + t.error) << "\n";
        }
        if (f.reduced.engine.asked && !f.reduced.engine.accepted)
            out << "    server:    " << f.reduced.engine.code << " "
                << compact_message(f.reduced.engine.code, f.reduced.engine.message) << "\n";
    }
}

}  // namespace validity
