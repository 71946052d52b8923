// tarnvel_include_graph SRC: prints the folder graph of the library's sources and their floors; exits
// with 1 when the graph has a cycle or a floor folder includes from a folder above it, 2 on bad use.
#include "graph.h"

#include <filesystem>
#include <iostream>

int main(int argc, char **argv) {
    namespace ig = tarnvel::include_graph;
    if (argc != 2 || !std::filesystem::is_directory(argv[1])) {
        std::cerr << "usage: tarnvel_include_graph SOURCE_FOLDER\n";
        return 2;
    }
    bool ok = false;
    std::cout << ig::report(ig::read_tree(argv[1]), ig::floor_rules(), ok);
    return ok ? 0 : 1;
}
