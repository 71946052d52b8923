#include "source_tree.hpp"

#include <algorithm>
#include <set>

namespace tarnvel::cli::scan {
namespace {

namespace fs = std::filesystem;
using tarnvel::scan::SourceKind;

class Walk {
public:
    SourceTree tree;

    // A file met in a folder: only FoxPro sources count, and a memo file only without its table.
    void found(const fs::path &path) {
        const auto kind = tarnvel::scan::source_kind(path);
        if (!kind) return;
        if (*kind != SourceKind::memo_file) add(path, *kind);
        else if (!tarnvel::scan::table_of(path)) problem(path, "a memo file without its table beside it: not read");
    }

    // A file the user named.
    void named(const fs::path &path) {
        const auto kind = tarnvel::scan::source_kind(path);
        if (!kind) {
            problem(path, "not a FoxPro source file (by its extension): not read");
        } else if (*kind != SourceKind::memo_file) {
            add(path, *kind);
        } else if (const auto table = tarnvel::scan::table_of(path)) {
            add(*table, SourceKind::form_table);
        } else {
            problem(path, "a memo file without its table beside it: not read");
        }
    }

    // Every FoxPro source under the folder, in name order; folders behind symbolic links are not
    // entered (they may lead back).
    void folder(const fs::path &path) {
        std::vector<fs::path> files;
        gather(path, files);
        std::sort(files.begin(), files.end());
        for (const fs::path &file : files) found(file);
    }

    void problem(const fs::path &path, std::string message) { tree.problems.push_back({path, std::move(message)}); }

private:
    void gather(const fs::path &path, std::vector<fs::path> &files) {
        std::error_code error;
        std::vector<fs::path> folders;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
            std::error_code ignored;
            if (!it->is_symlink(ignored) && it->is_directory(ignored)) folders.push_back(it->path());
            else if (it->is_regular_file(ignored)) files.push_back(it->path());
        }
        if (error) problem(path, "cannot read the folder: " + error.message());
        for (const fs::path &folder : folders) gather(folder, files);
    }

    void add(const fs::path &path, SourceKind kind) {
        if (seen_.insert(path.lexically_normal().generic_string()).second) tree.sources.push_back({path, kind});
    }

    std::set<std::string> seen_;
};

}  // namespace

SourceTree find_sources(const std::vector<std::string> &paths) {
    Walk walk;
    for (const std::string &name : paths) {
        const fs::path path(name);
        std::error_code error;
        const fs::file_status status = fs::status(path, error);
        if (error || !fs::exists(status)) {
            walk.problem(path, error && error != std::errc::no_such_file_or_directory ? error.message()
                                                                                    : "no such file or folder");
        } else if (fs::is_directory(status)) {
            walk.folder(path);
        } else {
            walk.named(path);
        }
    }
    return std::move(walk.tree);
}

}  // namespace tarnvel::cli::scan
