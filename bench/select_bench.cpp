// SELECT conversion speed, through the substitute host as FoxPro calls it: typical statements, and
// one family of large pretty-printed statements (blank runs, tabs, line breaks, long IN lists,
// nested IIFs) at about 100 KB, 1 MB and 10 MB, for the four dialects. Reports bytes per second.
#include "statements.h"

#include <tarnvel/host.hpp>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using bench::functions;
using bench::large_statement;
using bench::typical;
using bench::typical_bytes;

void typical_statements(benchmark::State &state) {
    tarnvel::Host host;
    const std::string_view function = functions[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        for (const std::string &s : typical) benchmark::DoNotOptimize(host.call(function, {s}));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * typical_bytes()));
    state.SetLabel(std::string(function));
}

void large_statements(benchmark::State &state) {
    tarnvel::Host host;
    const std::string_view function = functions[static_cast<std::size_t>(state.range(0))];
    std::string statement = large_statement(static_cast<std::size_t>(state.range(1)));
    for (auto _ : state) benchmark::DoNotOptimize(host.call(function, {statement}));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * statement.size()));
    state.SetLabel(std::string(function));
}

// The cost of one call through the substitute host with nothing to convert.
void empty_call(benchmark::State &state) {
    tarnvel::Host host;
    for (auto _ : state) benchmark::DoNotOptimize(host.call(functions[0], {std::string()}));
}

// Every dialect's place in the registry.
std::vector<std::int64_t> dialect_indexes() {
    std::vector<std::int64_t> out;
    for (std::size_t i = 0; i < functions.size(); ++i) out.push_back(static_cast<std::int64_t>(i));
    return out;
}

BENCHMARK(empty_call);
BENCHMARK(typical_statements)->DenseRange(0, static_cast<int>(functions.size()) - 1);
BENCHMARK(large_statements)
    ->ArgsProduct({dialect_indexes(), {100'000, 1'000'000, 10'000'000}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

}  // namespace
