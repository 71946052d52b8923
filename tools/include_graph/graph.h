// The folder graph of the library's sources, read from their #include "..." lines, and the checks it
// must pass: no cycle, and no arrow from a floor folder (host, lex) up to a folder that builds on it.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::include_graph {

// Each folder under src/ ("select/fox") and the folders it includes from, itself left out.
using Graph = std::map<std::string, std::set<std::string>>;

// The path a line's #include "..." names, or empty for any other line (<...> includes too).
std::string quoted_include(std::string_view line);

// The folder part of a path under src/: "select/fox/scan.h" is in "select/fox"; "x.h" in "".
std::string folder_of(std::string_view path);

// The first part of a folder: "select/fox" belongs to "select".
std::string top_of(std::string_view folder);

// The graph of every .h and .cpp file under 'root'. An include is read relative to the including
// file's folder when such a file is there, else relative to 'root'; one that names no file under
// 'root' (a system or public header) draws no arrow. Every folder holding a source is a node.
Graph read_tree(const std::filesystem::path &root);

// One cycle of the graph, its first folder repeated at the end ("a", "b", "a"); empty when none.
std::vector<std::string> find_cycle(const Graph &graph);

// A folder whose first part is 'from' never includes from a folder whose first part is in 'never'.
struct Rule {
    std::string from;
    std::set<std::string> never;
};

// The rules of this code base: host/ and lex/ include from no folder that builds on them.
const std::vector<Rule> &floor_rules();

// Every arrow a rule forbids, as "from -> to".
std::vector<std::string> violations(const Graph &graph, const std::vector<Rule> &rules);

// The floors of an acyclic graph, lowest first: a folder that includes from none is on floor 0,
// any other one floor above the highest it includes from.
std::vector<std::vector<std::string>> floors(const Graph &graph);

// The whole report: the arrows, then the floors or the cycle, then the forbidden arrows. 'ok' is
// false when there is a cycle or a forbidden arrow.
std::string report(const Graph &graph, const std::vector<Rule> &rules, bool &ok);

}  // namespace tarnvel::include_graph
