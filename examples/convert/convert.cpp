// Converts a FoxPro SELECT command for SQL Server with the installed tarnvel package:
//   convert "sele a, b from t wher x = 1"              the library linked into the program
//   convert "sele a, b from t wher x = 1" libtarnvel.so  a library file, loaded as FoxPro loads it
#include <tarnvel/host.hpp>

#include <iostream>
#include <string>
#include <variant>

int main(int argc, char **argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: convert SELECT-COMMAND [LIBRARY-FILE]\n";
        return 2;
    }
    try {
        tarnvel::Host host(argc == 3 ? tarnvel::Library::load(argv[2]) : tarnvel::Library::linked());
        tarnvel::Result result = host.call("ZQ_SQL_SELECT_CONVERT", {std::string(argv[1])});
        std::cout << std::get<std::string>(result) << "\n";
    } catch (const tarnvel::Error &e) {
        std::cerr << "convert: " << e.message() << "\n";
        return 1;
    }
    return 0;
}
