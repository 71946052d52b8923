#include "report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace validity {
namespace {

std::string target_at(std::size_t i) { return std::string(tarnvel::target_name(targets[i])); }

}  // namespace

std::string compact_message(unsigned code, const std::string &message) {
    static const std::string syntax = "You have an error in your SQL syntax; check the manual that corresponds to "
                                      "your MariaDB server version for the right syntax to use near ";
    if (code != 1064 || message.rfind(syntax, 0) != 0) return message;
    std::string near = message.substr(syntax.size());
    const std::size_t at_line = near.rfind(" at line ");
    if (at_line != std::string::npos) near.erase(at_line);
    if (near.size() > 62) near = near.substr(0, 58) + "...'";
    return "near " + near;
}

namespace {

std::string conditions_line(const std::vector<tarnvel::ConditionFinding> &findings) {
    std::string out;
    for (const tarnvel::ConditionFinding &f : findings)
        out += (out.empty() ? "" : ", ") + std::string(tarnvel::misuse_id(f.kind)) + " `" + f.text + "`";
    return out;
}

std::string findings_line(const std::vector<tarnvel::ResidueFinding> &findings) {
    std::string out;
    for (const tarnvel::ResidueFinding &f : findings) {
        if (!out.empty()) out += ", ";
        out += std::string(f.construct) + " " + f.text;
    }
    return out;
}

}  // namespace

std::string residue_category(const tarnvel::ResidueFinding &f) {
    const std::string construct(f.construct);
    if (construct == "function" || construct == "unknown-type" || construct == "foxpro-type") {
        std::string word = f.text.substr(0, f.text.find_first_of(" \t("));
        std::transform(word.begin(), word.end(), word.begin(), [](char c) {
            return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        });
        return construct + " " + word;
    }
    return construct;
}

namespace {

std::string format_percent(double percent) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", std::floor(percent * 10.0 + 1e-9) / 10.0);
    return buffer;
}

}  // namespace

std::string Figure::line() const {
    return name + " " + std::to_string(passed) + "/" + std::to_string(total) + " (" + format_percent(percent()) + "%)";
}

std::vector<Figure> figures(const std::string &source, const std::vector<Outcome> &outcomes, bool with_server) {
    std::vector<Figure> out;
    if (with_server) {
        Figure accepted{source + " mysql accepted", 0, outcomes.size()};
        for (const Outcome &o : outcomes) accepted.passed += o.accepted() ? 1 : 0;
        out.push_back(accepted);
    }
    if (std::any_of(outcomes.begin(), outcomes.end(), [](const Outcome &o) { return o.pg_engine.asked; })) {
        Figure accepted{source + " pgsql accepted", 0, outcomes.size()};
        for (const Outcome &o : outcomes) accepted.passed += o.pg_accepted() ? 1 : 0;
        out.push_back(accepted);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        Figure clean{source + " " + target_at(i) + " residue-free", 0, outcomes.size()};
        for (const Outcome &o : outcomes) clean.passed += o.targets[i].residue_free() ? 1 : 0;
        out.push_back(clean);
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (std::none_of(outcomes.begin(), outcomes.end(), [&](const Outcome &o) { return o.targets[i].conditions; }))
            continue;
        Figure sound{source + " " + target_at(i) + " conditions-sound", 0, outcomes.size()};
        for (const Outcome &o : outcomes) sound.passed += o.targets[i].conditions_sound() ? 1 : 0;
        out.push_back(sound);
    }
    return out;
}

void print_listing(std::ostream &out, const std::vector<Outcome> &outcomes, bool details) {
    for (const Outcome &o : outcomes) {
        std::vector<std::string> lines;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (!o.targets[i].output) lines.push_back(target_at(i) + " converter error: " + o.targets[i].error);
        }
        if (o.engine.asked && !o.engine.accepted)
            lines.push_back("mysql rejected " + std::to_string(o.engine.code) + ": " +
                            compact_message(o.engine.code, o.engine.message));
        if (o.pg_engine.asked && !o.pg_engine.accepted)
            lines.push_back("pgsql rejected " + o.pg_engine.state + ": " + o.pg_engine.message);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (!o.targets[i].residue.empty())
                lines.push_back(target_at(i) + " residue: " + findings_line(o.targets[i].residue));
            if (o.targets[i].conditions && !o.targets[i].conditions->findings.empty())
                lines.push_back(target_at(i) + " conditions: " + conditions_line(o.targets[i].conditions->findings));
        }
        for (const std::string &line : lines) out << o.statement.origin << " " << line << "\n";
        if (!details || lines.empty()) continue;
        out << "    foxpro:    " << o.statement.text << "\n";
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (o.targets[i].output) out << "    " << target_at(i) << ": " << *o.targets[i].output << "\n";
        }
    }
}

void print_categories(std::ostream &out, const std::string &source, const std::vector<Outcome> &outcomes) {
    struct Count {
        std::array<std::size_t, tarnvel::dialect_count> statements{};
        std::vector<std::string> places;
    };
    std::map<std::string, Count> counts;
    for (const Outcome &o : outcomes) {
        for (std::size_t i = 0; i < targets.size(); ++i) {
            std::map<std::string, std::string> seen;  // category -> text, once per statement
            for (const tarnvel::ResidueFinding &f : o.targets[i].residue) seen.emplace(residue_category(f), f.text);
            if (const auto &check = o.targets[i].conditions) {
                for (const tarnvel::ConditionFinding &f : check->findings)
                    seen.emplace("conditions " + std::string(tarnvel::misuse_id(f.kind)), f.text);
                if (!check->read && o.targets[i].output)
                    seen.emplace("conditions unread", o.targets[i].output->substr(check->unread_at, 30));
            }
            for (const auto &[name, text] : seen) {
                Count &count = counts[name];
                ++count.statements[i];
                const std::string place = o.statement.origin + " " + text;
                if (count.places.size() < 2 &&
                    std::none_of(count.places.begin(), count.places.end(),
                                 [&](const std::string &p) { return p.rfind(o.statement.origin + " ", 0) == 0; }))
                    count.places.push_back(place);
            }
        }
    }
    std::vector<std::pair<std::string, Count>> sorted(counts.begin(), counts.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto &a, const auto &b) {
        auto total = [](const Count &c) { return std::accumulate(c.statements.begin(), c.statements.end(), std::size_t{0}); };
        return total(a.second) > total(b.second);
    });
    out << source << " residue, statements per construct (" << target_names().substr(1) << "):\n";
    for (const auto &[name, count] : sorted) {
        out << "  " << name << ":";
        for (std::size_t n : count.statements) out << " " << n;
        for (const std::string &place : count.places) out << " | " << place;
        out << "\n";
    }
    std::map<std::string, std::size_t> rejections;
    for (const Outcome &o : outcomes) {
        if (o.engine.asked && !o.engine.accepted) ++rejections[std::to_string(o.engine.code)];
        if (o.pg_engine.asked && !o.pg_engine.accepted) ++rejections["pgsql " + o.pg_engine.state];
    }
    if (rejections.empty()) return;
    out << source << " rejections by server error:";
    for (const auto &[code, n] : rejections) out << " " << code << ": " << n;
    out << "\n";
}

nlohmann::json to_json(const std::string &source, const std::vector<Outcome> &outcomes) {
    nlohmann::json records = nlohmann::json::array();
    for (const Outcome &o : outcomes) {
        nlohmann::json record{{"source", source}, {"origin", o.statement.origin}, {"foxpro", o.statement.text},
                              {"prepared", o.prepared}, {"removed", o.removed}};
        if (o.engine.asked)
            record["engine"] = {{"accepted", o.engine.accepted}, {"code", o.engine.code},
                                {"message", o.engine.message}, {"sent", o.engine.sent}};
        if (o.pg_engine.asked)
            record["pgsql_engine"] = {{"accepted", o.pg_engine.accepted}, {"state", o.pg_engine.state},
                                      {"message", o.pg_engine.message}, {"sent", o.pg_engine.sent}};
        nlohmann::json per_target = nlohmann::json::object();
        for (std::size_t i = 0; i < targets.size(); ++i) {
            const TargetOutcome &t = o.targets[i];
            nlohmann::json entry = nlohmann::json::object();
            if (t.output) entry["output"] = *t.output;
            else entry["error"] = t.error;
            nlohmann::json residue = nlohmann::json::array();
            for (const tarnvel::ResidueFinding &f : t.residue)
                residue.push_back({{"construct", std::string(f.construct)}, {"offset", f.offset}, {"text", f.text},
                                   {"message", f.message}});
            entry["residue"] = std::move(residue);
            if (t.conditions) {
                nlohmann::json conditions = nlohmann::json::array();
                for (const tarnvel::ConditionFinding &f : t.conditions->findings)
                    conditions.push_back({{"kind", std::string(tarnvel::misuse_id(f.kind))}, {"offset", f.offset},
                                          {"text", f.text}, {"message", f.message}});
                entry["conditions"] = std::move(conditions);
                entry["conditions_read"] = t.conditions->read;
                if (!t.conditions->read) entry["conditions_unread_at"] = t.conditions->unread_at;
            }
            per_target[target_at(i)] = std::move(entry);
        }
        record["targets"] = std::move(per_target);
        records.push_back(std::move(record));
    }
    return records;
}

std::map<std::string, double> read_floors(const std::string &path) {
    std::ifstream in(path);
    if (!in) throw std::runtime_error("cannot read the floors file " + path);
    std::map<std::string, double> floors;
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string text = line.substr(0, line.find('#'));
        if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
        const std::size_t last_blank = text.find_last_of(" \t", text.find_last_not_of(" \t\r"));
        std::string name = last_blank == std::string::npos ? std::string() : text.substr(0, last_blank);
        name.erase(name.find_last_not_of(" \t") + 1);
        std::istringstream value(text.substr(last_blank == std::string::npos ? 0 : last_blank + 1));
        double percent = 0;
        if (name.empty() || !(value >> percent))
            throw std::runtime_error(path + ":" + std::to_string(number) + ": not \"figure name  percent\"");
        floors[name] = percent;
    }
    return floors;
}

int below_floors(std::ostream &out, const std::vector<Figure> &figures, const std::map<std::string, double> &floors) {
    int below = 0;
    int above = 0;
    for (const Figure &figure : figures) {
        auto floor = floors.find(figure.name);
        if (floor == floors.end()) continue;
        if (figure.percent() + 1e-9 >= floor->second) {
            above += format_percent(figure.percent()) != format_percent(floor->second) ? 1 : 0;
            continue;
        }
        out << "BELOW FLOOR: " << figure.line() << ", floor " << format_percent(floor->second) << "%\n";
        ++below;
    }
    if (below == 0 && above > 0)
        out << above << " figure(s) above their floors: raise them with scripts/validity --raise-floors\n";
    return below;
}

void raise_floors(const std::string &path, const std::vector<Figure> &figures) {
    std::vector<std::string> lines;
    {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
    }
    const std::map<std::string, double> floors = lines.empty() ? std::map<std::string, double>() : read_floors(path);
    std::vector<bool> done(figures.size(), false);
    for (std::string &line : lines) {
        for (std::size_t i = 0; i < figures.size(); ++i) {
            const Figure &figure = figures[i];
            if (line.rfind(figure.name + " ", 0) != 0 && line.rfind(figure.name + "\t", 0) != 0) continue;
            done[i] = true;
            if (figure.percent() > floors.at(figure.name)) line = figure.name + " " + format_percent(figure.percent());
        }
    }
    for (std::size_t i = 0; i < figures.size(); ++i) {
        if (!done[i]) lines.push_back(figures[i].name + " " + format_percent(figures[i].percent()));
    }
    std::ofstream out(path, std::ios::trunc);
    for (const std::string &line : lines) out << line << "\n";
    if (!out) throw std::runtime_error("cannot write the floors file " + path);
}

}  // namespace validity
