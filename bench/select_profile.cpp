// A fixed workload of the SELECT conversion for instruction-count profilers (callgrind, perf),
// whose counts do not depend on how loaded the machine is:
//   select_profile typical N [D,D...]  each typical statement N times, every dialect (or those named,
//                                      as on the command line: sqlserver,oracle,mysql,access)
//   select_profile large BYTES N   the large statement of about BYTES bytes N times, every dialect
//   select_profile empty N         N calls with nothing to convert
// Prints the total length of the results and a hash of them, so that a change of output shows.
#include "statements.h"

#include <tarnvel/host.hpp>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

int main(int argc, char **argv) {
    std::string_view what = argc > 1 ? argv[1] : "typical";
    long count = 0;
    std::size_t size = 0;
    if (what == "large") {
        size = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1'000'000;
        count = argc > 3 ? std::strtol(argv[3], nullptr, 10) : 1;
    } else {
        count = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 1000;
    }
    // the dialects named by the typical run's third argument (all when there is none)
    const std::string_view only = what == "typical" && argc > 3 ? argv[3] : "";
    auto chosen = [only](std::size_t i) {
        if (only.empty()) return true;
        const std::string_view name = tarnvel::dialects()[i].name;
        for (std::size_t at = 0; at <= only.size();) {
            std::size_t comma = only.find(',', at);
            if (comma == std::string_view::npos) comma = only.size();
            if (only.substr(at, comma - at) == name) return true;
            at = comma + 1;
        }
        return false;
    };
    tarnvel::Host host;
    std::size_t total = 0;
    std::uint64_t hash = 14695981039346656037ull;
    auto run = [&](std::string_view function, const std::string &statement) {
        tarnvel::Result result = host.call(function, {statement});
        if (const auto *text = std::get_if<std::string>(&result)) {
            total += text->size();
            for (char c : *text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        }
    };
    if (what == "empty") {
        for (long i = 0; i < count; ++i) run(bench::functions[0], std::string());
    } else if (what == "large") {
        std::string statement = bench::large_statement(size);
        for (std::string_view function : bench::functions)
            for (long i = 0; i < count; ++i) run(function, statement);
    } else {
        for (std::size_t d = 0; d < bench::functions.size(); ++d) {
            if (!chosen(d)) continue;
            for (long i = 0; i < count; ++i)
                for (const std::string &s : bench::typical) run(bench::functions[d], s);
        }
    }
    std::printf("%zu %016llx\n", total, static_cast<unsigned long long>(hash));
    return 0;
}
