// The FoxPro source files under the paths the user named: files as named, folders walked
// through (in name order). A memo file (.sct, .vct) is read with its table; paths that are
// missing, unreadable or no FoxPro source are reported, and the walk goes on.
#pragma once

#include "scan/source_file.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarnvel::cli::scan {

struct SourceEntry {
    std::filesystem::path path;
    tarnvel::scan::SourceKind kind;
};

struct PathProblem {
    std::filesystem::path path;
    std::string message;
};

struct SourceTree {
    std::vector<SourceEntry> sources;
    std::vector<PathProblem> problems;
};

SourceTree find_sources(const std::vector<std::string> &paths);

}  // namespace tarnvel::cli::scan
