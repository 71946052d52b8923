// How conversion time grows with the size of the statement: every shape of scaling_shapes.h at about
// 10, 20, 40 and 80 KB, for every dialect, through the substitute host as FoxPro calls it. After
// the runs, a table gives each shape's growth factor per doubling of its size: about 2 is linear,
// about 4 quadratic. --benchmark_filter=joins narrows the runs as usual.
#include "scaling_shapes.h"

#include <tarnvel/host.hpp>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using bench::Shape;
using bench::Through;

constexpr std::size_t base_bytes = 10'000;
constexpr int doublings = 4;

std::vector<tarnvel::Arg> arguments(const Shape &shape, const tarnvel::DialectRow &row, const std::string &text) {
    if (shape.through == Through::variables) return {text, false, static_cast<double>(row.variables_code)};
    return {text};
}

std::string_view function_of(const Shape &shape, const tarnvel::DialectRow &row) {
    switch (shape.through) {
    case Through::select: return row.select_function;
    case Through::iif: return "ZQ_SQL_IIF";
    case Through::variables: return "ZQ_SQL_FIND_VARIABLES";
    case Through::structure: return row.structure_function;
    }
    return {};
}

void convert(benchmark::State &state, const Shape *shape, const tarnvel::DialectRow *row) {
    tarnvel::Host host;
    host.set_variable("nValue", tarnvel::HostValue::numeric(5, 0));
    const std::size_t bytes = base_bytes << state.range(0);
    const std::string text = shape->build(bench::items_for(*shape, bytes));
    const std::vector<tarnvel::Arg> args = arguments(*shape, *row, text);
    const std::string_view function = function_of(*shape, *row);
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(host.call(function, args));
        } catch (const tarnvel::Error &e) {
            state.SkipWithError(e.what());
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// The console's lines, then each shape's time per size and its growth per doubling.
class GrowthReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.error_occurred || run.iterations == 0) continue;
            const std::string name = run.run_name.function_name;
            times_[name].push_back(run.GetAdjustedRealTime());  // in the runs' unit, ms
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-36s %10s %10s %10s %10s   growth per doubling\n", "shape/dialect", "10KB ms", "20KB ms",
                    "40KB ms", "80KB ms");
        for (const auto &[name, times] : times_) {
            std::printf("%-36s", name.c_str());
            for (double t : times) std::printf(" %10.3f", t);
            for (std::size_t i = times.size(); i < doublings; ++i) std::printf(" %10s", "-");
            std::printf("  ");
            for (std::size_t i = 1; i < times.size(); ++i)
                std::printf(" %5.2f", times[i - 1] > 0 ? times[i] / times[i - 1] : 0.0);
            std::printf("\n");
        }
    }

private:
    std::map<std::string, std::vector<double>> times_;
};

void register_all() {
    for (const Shape &shape : bench::scaling_shapes) {
        for (const tarnvel::DialectRow &row : tarnvel::dialects()) {
            const std::string name = std::string(shape.name) + "/" + std::string(row.name);
            benchmark::RegisterBenchmark(name.c_str(), convert, &shape, &row)
                ->DenseRange(0, doublings - 1)
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.2);
            if (shape.through == Through::iif) break;  // one function serves every dialect
        }
    }
}

}  // namespace

int main(int argc, char **argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    register_all();
    GrowthReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
