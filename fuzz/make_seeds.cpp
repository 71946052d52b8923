// Turns the requests of case files (tests/cases/*.jsonl) into fuzz inputs, one file each, so that
// fuzzing starts from statements the converters are known to take apart. A statement line of a
// collection of SELECTs ({"sql": "..."}, as the validity corpora hold them) becomes a FoxPro-syntax
// call of one dialect's SELECT converter, the dialects taken in turn line by line.
//   tarnvel_fuzz_seeds OUTPUT_DIR FILE...
// Requests for functions the target does not call, and lines that are neither, are passed over.
#include "batch_protocol.hpp"
#include "encoding.hpp"
#include "input.h"

#include <tarnvel/dialects.hpp>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <variant>

namespace {

// The request a statement line stands for, or none: its "sql" given to the next dialect's converter.
bool statement_request(const boost::json::value &line, const tarnvel::cli::Encoding &bytes, std::size_t &turn,
                       tarnvel::cli::BatchRequest &request) {
    const auto *object = line.if_object();
    const auto *sql = object ? object->if_contains("sql") : nullptr;
    if (!sql || !sql->is_string() || object->contains("fn")) return false;
    const std::string text = bytes.to_library(std::string_view(sql->get_string()), "sql");
    request = {};
    request.function = std::string(tarnvel::dialects()[turn++ % tarnvel::dialect_count].select_function);
    request.args.emplace_back(text);
    request.from_fox = true;
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 3) {
        std::cerr << "usage: tarnvel_fuzz_seeds OUTPUT_DIR CASE_FILE...\n";
        return 2;
    }
    tarnvel::Host host;
    const std::vector<tarnvel::fuzz::Function> functions = tarnvel::fuzz::functions(host);
    const std::string output = argv[1];
    int written = 0;
    std::size_t turn = 0;  // the dialect whose converter takes the next statement line
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
                const boost::json::value parsed = boost::json::parse(line);
                if (!statement_request(parsed, bytes, turn, request)) request = tarnvel::cli::read_request(parsed, bytes);
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
