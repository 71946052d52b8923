// Turns the requests of case files (tests/cases/*.jsonl) into fuzz inputs, one file each, so that
// fuzzing starts from statements the converters are known to take apart.
//   tarnvel_fuzz_seeds OUTPUT_DIR CASE_FILE...
// Requests for functions the target does not call, and lines that are not requests, are passed over.
#include "batch_protocol.hpp"
#include "encoding.hpp"
#include "input.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <variant>

int main(int argc, char **argv) {
    if (argc < 3) {
        std::cerr << "usage: tarnvel_fuzz_seeds OUTPUT_DIR CASE_FILE...\n";
        return 2;
    }
    tarnvel::Host host;
    const std::vector<tarnvel::fuzz::Function> functions = tarnvel::fuzz::functions(host);
    const std::string output = argv[1];
    int written = 0;
    const tarnvel::cli::Encoding bytes("latin1");  // case files carry bytes: one code point each
    for (int file = 2; file < argc; ++file) {
        std::ifstream in(argv[file]);
        if (!in) {
            std::cerr << "tarnvel_fuzz_seeds: cannot read " << argv[file] << "\n";
            return 1;
        }
        std::string line;
        while (std::getline(in, line)) {
            tarnvel::cli::BatchRequest request;
            try {
                request = tarnvel::cli::read_request(boost::json::parse(line), bytes);
            } catch (const std::exception &) {
                continue;
            }
            std::size_t index = 0;
            while (index < functions.size() && functions[index].name != request.function) ++index;
            if (index == functions.size()) continue;

            std::string input;
            input += static_cast<char>(index);
            input += static_cast<char>(request.from_fox.value_or(true) ? 1 : 0);
            input += '\0';
            for (std::size_t i = 0; i < request.args.size(); ++i) {
                if (i > 0) input += tarnvel::fuzz::separator;
                const tarnvel::Arg &arg = request.args[i];
                if (const auto *text = std::get_if<std::string>(&arg)) input += *text;
                else if (const auto *number = std::get_if<double>(&arg)) input += static_cast<char>(static_cast<int>(std::clamp(*number, -64.0, 191.0)) + 64);
                else input += static_cast<char>(std::get<bool>(arg) ? 1 : 0);
            }
            std::ofstream out(output + "/seed-" + std::to_string(++written), std::ios::binary);
            out.write(input.data(), static_cast<std::streamsize>(input.size()));
            if (!out) {
                std::cerr << "tarnvel_fuzz_seeds: cannot write into " << output << "\n";
                return 1;
            }
        }
    }
    std::printf("%d seeds\n", written);
    return 0;
}
