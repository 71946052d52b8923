#include "graph.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

namespace tarnvel::include_graph {
namespace {

namespace fs = std::filesystem;

bool blank(char c) { return c == ' ' || c == '\t'; }

std::size_t skip_blanks(std::string_view line, std::size_t at) {
    while (at < line.size() && blank(line[at])) ++at;
    return at;
}

bool is_source(const fs::path &path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".hpp" || extension == ".cpp";
}

// The file an include names, relative to 'root', or empty when it names none there.
std::string resolve(const fs::path &root, const std::string &folder, const std::string &included) {
    if (!folder.empty()) {
        fs::path beside = (fs::path(folder) / included).lexically_normal();
        if (fs::is_regular_file(root / beside)) return beside.generic_string();
    }
    fs::path from_root = fs::path(included).lexically_normal();
    if (fs::is_regular_file(root / from_root)) return from_root.generic_string();
    return {};
}

void read_file(const fs::path &root, const fs::path &file, Graph &graph) {
    const std::string folder = folder_of(file.lexically_relative(root).generic_string());
    std::set<std::string> &arrows = graph[folder];
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        const std::string included = quoted_include(line);
        if (included.empty()) continue;
        const std::string target = resolve(root, folder, included);
        if (target.empty()) continue;
        std::string target_folder = folder_of(target);
        if (target_folder != folder) arrows.insert(std::move(target_folder));
    }
}

std::string arrow(const std::string &from, const std::string &to) { return from + " -> " + to; }

std::string shown(const std::string &folder) { return folder.empty() ? "(src)" : folder; }

}  // namespace

std::string quoted_include(std::string_view line) {
    std::size_t at = skip_blanks(line, 0);
    if (at >= line.size() || line[at] != '#') return {};
    at = skip_blanks(line, at + 1);
    constexpr std::string_view directive = "include";
    if (line.substr(at, directive.size()) != directive) return {};
    at = skip_blanks(line, at + directive.size());
    if (at >= line.size() || line[at] != '"') return {};
    const std::size_t close = line.find('"', at + 1);
    if (close == std::string_view::npos) return {};
    return std::string(line.substr(at + 1, close - at - 1));
}

std::string folder_of(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string top_of(std::string_view folder) { return std::string(folder.substr(0, folder.find('/'))); }

Graph read_tree(const fs::path &root) {
    Graph graph;
    std::vector<fs::path> files;
    for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file() && is_source(entry.path())) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path &file : files) read_file(root, file, graph);
    return graph;
}

std::vector<std::string> find_cycle(const Graph &graph) {
    enum class Mark { unseen, open, done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::vector<std::string> cycle;
    std::function<bool(const std::string &)> visit = [&](const std::string &folder) {
        Mark &mark = marks[folder];
        if (mark == Mark::done) return false;
        if (mark == Mark::open) {
            cycle.assign(std::find(path.begin(), path.end(), folder), path.end());
            cycle.push_back(folder);
            return true;
        }
        mark = Mark::open;
        path.push_back(folder);
        auto found = graph.find(folder);
        if (found != graph.end()) {
            for (const std::string &next : found->second) {
                if (visit(next)) return true;
            }
        }
        path.pop_back();
        marks[folder] = Mark::done;
        return false;
    };
    for (const auto &[folder, arrows] : graph) {
        if (visit(folder)) return cycle;
    }
    return {};
}

const std::vector<Rule> &floor_rules() {
    static const std::set<std::string> workers = {"select",    "structure", "utilities", "strings",
                                                  "variables", "library",   "residue"};
    static const std::vector<Rule> rules = {{"host", workers}, {"lex", workers}};
    return rules;
}

std::vector<std::string> violations(const Graph &graph, const std::vector<Rule> &rules) {
    std::vector<std::string> found;
    for (const auto &[folder, arrows] : graph) {
        for (const Rule &rule : rules) {
            if (top_of(folder) != rule.from) continue;
            for (const std::string &to : arrows) {
                if (rule.never.count(top_of(to))) found.push_back(arrow(folder, to));
            }
        }
    }
    return found;
}

std::vector<std::vector<std::string>> floors(const Graph &graph) {
    std::map<std::string, std::size_t> floor_of;
    std::function<std::size_t(const std::string &)> floor = [&](const std::string &folder) -> std::size_t {
        auto known = floor_of.find(folder);
        if (known != floor_of.end()) return known->second;
        std::size_t level = 0;
        auto found = graph.find(folder);
        if (found != graph.end()) {
            for (const std::string &below : found->second) level = std::max(level, floor(below) + 1);
        }
        floor_of[folder] = level;
        return level;
    };
    std::vector<std::vector<std::string>> result;
    for (const auto &[folder, arrows] : graph) {
        const std::size_t level = floor(folder);
        if (result.size() <= level) result.resize(level + 1);
    }
    for (const auto &[folder, level] : floor_of) result[level].push_back(folder);
    return result;
}

std::string report(const Graph &graph, const std::vector<Rule> &rules, bool &ok) {
    std::ostringstream out;
    out << "Folders of src/ and the folders they include from:\n";
    for (const auto &[folder, arrows] : graph) {
        out << "  " << shown(folder) << " ->";
        for (const std::string &to : arrows) out << ' ' << shown(to);
        out << '\n';
    }
    const std::vector<std::string> cycle = find_cycle(graph);
    const std::vector<std::string> forbidden = violations(graph, rules);
    ok = cycle.empty() && forbidden.empty();
    if (cycle.empty()) {
        out << "Floors, top first (a folder includes only from floors below its own):\n";
        const auto levels = floors(graph);
        for (std::size_t level = levels.size(); level-- > 0;) {
            out << "  " << level << ':';
            for (const std::string &folder : levels[level]) out << ' ' << shown(folder);
            out << '\n';
        }
    } else {
        out << "CYCLE:";
        for (std::size_t i = 0; i < cycle.size(); ++i) out << (i ? " -> " : " ") << shown(cycle[i]);
        out << '\n';
    }
    for (const std::string &found : forbidden) out << "FORBIDDEN: " << found << " (a floor folder includes from above)\n";
    return out.str();
}

}  // namespace tarnvel::include_graph
