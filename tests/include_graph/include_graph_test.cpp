// The include-graph check on small made-up graphs and trees: cycles and arrows from a floor folder
// upward are found, a graph whose arrows all point down passes.
#include "graph.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace ig = tarnvel::include_graph;

TEST(IncludeGraph, ReadsOnlyQuotedIncludeLines) {
    struct Case {
        const char *line;
        const char *included;
    };
    const Case cases[] = {
        {"#include \"host/api.h\"", "host/api.h"},
        {"  #  include\t\"select/fox/scan.h\"  // the pass", "select/fox/scan.h"},
        {"#include \"scan.h\"", "scan.h"},
        {"#include <tarnvel/wire.h>", ""},
        {"// #include \"host/api.h\"", ""},
        {"#pragma once", ""},
        {"#include \"unclosed.h", ""},
        {"#included \"x.h\"", ""},
        {"", ""},
    };
    for (const Case &c : cases) EXPECT_EQ(ig::quoted_include(c.line), c.included) << c.line;
}

TEST(IncludeGraph, FolderIsThePathUpToTheFile) {
    EXPECT_EQ(ig::folder_of("select/fox/scan.h"), "select/fox");
    EXPECT_EQ(ig::folder_of("host/api.h"), "host");
    EXPECT_EQ(ig::folder_of("x.h"), "");
    EXPECT_EQ(ig::top_of("select/fox"), "select");
    EXPECT_EQ(ig::top_of("host"), "host");
}

TEST(IncludeGraph, FindsCyclesAndForbiddenArrows) {
    struct Case {
        const char *name;
        ig::Graph graph;
        std::vector<std::string> cycle;
        std::vector<std::string> forbidden;
    };
    const Case cases[] = {
        {"floors",
         {{"host", {}}, {"lex", {"host"}}, {"select", {"host", "lex"}}, {"select/fox", {"select", "lex"}},
          {"library", {"select", "select/fox", "host"}}},
         {},
         {}},
        {"two folders",
         {{"host", {"lex"}}, {"lex", {"host"}}},
         {"host", "lex", "host"},
         {}},
        {"three folders",
         {{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}, {"d", {"a"}}},
         {"a", "b", "c", "a"},
         {}},
        {"cycle behind a folder without one",
         {{"a", {"b"}}, {"b", {"c"}}, {"c", {"b"}}},
         {"b", "c", "b"},
         {}},
        {"host includes a worker",
         {{"host", {"library"}}, {"library", {"host"}}},
         {"host", "library", "host"},
         {"host -> library"}},
        {"lex includes a worker's subfolder",
         {{"lex", {"select/fox"}}, {"select/fox", {}}},
         {},
         {"lex -> select/fox"}},
        {"a floor's subfolder is held to the floor's rule",
         {{"host/windows", {"strings"}}, {"strings", {}}},
         {},
         {"host/windows -> strings"}},
        {"workers may include each other downward",
         {{"utilities", {"variables", "select"}}, {"structure", {"select"}}, {"select", {}}, {"variables", {}}},
         {},
         {}},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ig::find_cycle(c.graph), c.cycle) << c.name;
        EXPECT_EQ(ig::violations(c.graph, ig::floor_rules()), c.forbidden) << c.name;
        bool ok = false;
        const std::string text = ig::report(c.graph, ig::floor_rules(), ok);
        EXPECT_EQ(ok, c.cycle.empty() && c.forbidden.empty()) << c.name << '\n' << text;
    }
}

TEST(IncludeGraph, FloorsPutEachFolderAboveWhatItIncludes) {
    const ig::Graph graph = {{"host", {}}, {"lex", {"host"}}, {"select", {"host", "lex"}},
                             {"strings", {"host", "lex"}}, {"library", {"select", "strings"}}};
    const std::vector<std::vector<std::string>> expected = {{"host"}, {"lex"}, {"select", "strings"}, {"library"}};
    EXPECT_EQ(ig::floors(graph), expected);
    bool ok = false;
    EXPECT_NE(ig::report(graph, ig::floor_rules(), ok).find("  3: library\n  2: select strings\n"), std::string::npos);
    EXPECT_TRUE(ok);
}

// A tree of files, each given by its path and its lines.
class Tree {
public:
    explicit Tree(const std::vector<std::pair<std::string, std::string>> &files)
        : root_(std::filesystem::temp_directory_path() /
                ("include_graph_test_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)))) {
        for (const auto &[path, text] : files) {
            std::filesystem::create_directories((root_ / path).parent_path());
            std::ofstream(root_ / path) << text;
        }
    }
    ~Tree() { std::filesystem::remove_all(root_); }
    const std::filesystem::path &root() const { return root_; }

private:
    std::filesystem::path root_;
};

TEST(IncludeGraph, ReadsATreeOfSources) {
    Tree tree({
        {"host/api.h", "#pragma once\n#include <cstddef>\n"},
        {"host/api.cpp", "#include \"host/api.h\"\n"},
        {"lex/scan.h", "#include \"host/api.h\"\n#include \"tarnvel/wire.h\"\n"},  // a public header: no arrow
        {"select/fox/scan.cpp", "#include \"scan.h\"\n#include \"../rows.h\"\n"},   // beside it, then relative
        {"select/fox/scan.h", "#include \"lex/scan.h\"\n"},
        {"select/rows.h", "// #include \"library/functions.h\"\n"},
        {"select/notes.txt", "#include \"library/functions.h\"\n"},  // not a source
    });
    const ig::Graph expected = {
        {"host", {}}, {"lex", {"host"}}, {"select", {}}, {"select/fox", {"lex", "select"}}};
    EXPECT_EQ(ig::read_tree(tree.root()), expected);
}

}  // namespace
