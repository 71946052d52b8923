// The tarnvel command against the library it carries: the typical statements converted in this
// process through the facade (as tarnvel_bench does), then through `tarnvel select --each-line`
// and `tarnvel batch` reading the same statements from a file, in each dialect, several times in
// turn. Prints the throughputs and the command/library ratios, each as the median and the spread
// (lowest to highest) over the rounds, measured in CPU time (the machine may be shared) and in
// wall-clock time.
//
//   tarnvel_command_bench [--rounds N] [--megabytes M] [--command PATH]
//
// On a busy machine the times spread widely; instruction counts do not. For them,
//   tarnvel_command_bench --library DIALECT FILE
// converts the lines of FILE in this process (the library side alone, in run_library), so that
//   valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*run_library*'
//            tarnvel_command_bench --library sqlserver FILE
//   valgrind --tool=callgrind tarnvel select --to sqlserver --each-line < FILE
// count the same conversions in the library and in the whole command.
#include "statements.h"

#include <tarnvel/host.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Times {
    double cpu = 0;   // seconds
    double wall = 0;  // seconds
};

double seconds(const timeval &t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

double process_cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double now() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

// The statements of one round, as the library gets them.
std::vector<std::string> round_statements(std::size_t bytes) {
    std::vector<std::string> all;
    for (std::size_t total = 0; total < bytes;)
        for (const std::string &s : bench::typical) {
            all.push_back(s);
            total += s.size();
        }
    return all;
}

// A JSON string of a statement (the typical statements hold no character that needs escaping
// beyond the quote and the backslash).
std::string json_string(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

[[gnu::noinline]] Times run_library(std::string_view function, const std::vector<std::string> &statements) {
    tarnvel::Host host;
    double cpu = process_cpu(), wall = now();
    for (const std::string &s : statements) {
        tarnvel::Result result = host.call(function, {s});
        if (!std::holds_alternative<std::string>(result)) std::abort();
    }
    return {process_cpu() - cpu, now() - wall};
}

// Runs the command with 'input' as standard input and its output thrown away; exits on failure.
Times run_command(const std::vector<std::string> &arguments, const std::string &input) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    std::vector<char *> argv;
    for (const std::string &a : arguments) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    double wall = now();
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot run %s\n", argv[0]);
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    wall = now() - wall;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s %s failed\n", argv[0], argv[1]);
        std::exit(1);
    }
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime), wall};
}

struct Spread {
    double median, low, high;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

void print(const char *what, const Spread &s, const char *unit) {
    std::printf("  %-26s %8.2f %s  (%.2f to %.2f)\n", what, s.median, unit, s.low, s.high);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc == 4 && std::string_view(argv[1]) == "--library") {
        const tarnvel::DialectRow *dialect = tarnvel::dialect_named(argv[2]);
        std::ifstream in(argv[3], std::ios::binary);
        if (!dialect || !in) {
            std::string names;
            for (const tarnvel::DialectRow &row : tarnvel::dialects()) names += (names.empty() ? "" : "|") + std::string(row.name);
            std::fprintf(stderr, "usage: tarnvel_command_bench --library %s FILE\n", names.c_str());
            return 2;
        }
        std::vector<std::string> statements;
        for (std::string line; std::getline(in, line);) statements.push_back(line);
        Times t = run_library(dialect->select_function, statements);
        std::printf("%zu statements in %.3f s\n", statements.size(), t.cpu);
        return 0;
    }
    int rounds = 5;
    double megabytes = 8;
    std::string command = TARNVEL_CLI_FILE;
    for (int i = 1; i + 1 < argc; i += 2) {
        std::string_view option = argv[i];
        if (option == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
        else if (option == "--megabytes") megabytes = std::max(0.1, std::atof(argv[i + 1]));
        else if (option == "--command") command = argv[i + 1];
    }
    std::vector<std::string> statements = round_statements(static_cast<std::size_t>(megabytes * 1e6));
    double bytes = 0;
    for (const std::string &s : statements) bytes += static_cast<double>(s.size());

    std::string folder = "/tmp/tarnvel_command_bench_" + std::to_string(getpid());
    std::string lines_file = folder + ".lines", requests_file = folder + ".jsonl";
    {
        std::ofstream lines(lines_file, std::ios::binary);
        for (const std::string &s : statements) lines << s << '\n';
    }
    std::printf("%zu statements, %.1f MB per round, %d rounds, command %s\n", statements.size(), bytes / 1e6, rounds,
                command.c_str());

    std::vector<double> select_ratio_all, batch_ratio_all;
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.select_function);
        const std::string name(dialect.name);
        {
            std::ofstream requests(requests_file, std::ios::binary);
            for (const std::string &s : statements)
                requests << "{\"fn\": \"" << function << "\", \"args\": [" << json_string(s) << "]}\n";
        }
        std::vector<double> library_rate, select_rate, batch_rate, select_ratio, batch_ratio, select_wall, batch_wall;
        for (int r = 0; r < rounds; ++r) {
            Times library = run_library(function, statements);
            Times select = run_command({command, "select", "--to", name, "--each-line"}, lines_file);
            Times batch = run_command({command, "batch"}, requests_file);
            library_rate.push_back(bytes / library.cpu / 1e6);
            select_rate.push_back(bytes / select.cpu / 1e6);
            batch_rate.push_back(bytes / batch.cpu / 1e6);
            select_ratio.push_back(library.cpu / select.cpu);
            batch_ratio.push_back(library.cpu / batch.cpu);
            select_wall.push_back(library.wall / select.wall);
            batch_wall.push_back(library.wall / batch.wall);
        }
        select_ratio_all.insert(select_ratio_all.end(), select_ratio.begin(), select_ratio.end());
        batch_ratio_all.insert(batch_ratio_all.end(), batch_ratio.begin(), batch_ratio.end());
        std::printf("%s (%s), CPU time:\n", name.c_str(), function.c_str());
        print("library in process", spread(library_rate), "MB/s");
        print("select --each-line", spread(select_rate), "MB/s");
        print("batch", spread(batch_rate), "MB/s");
        print("select/library", spread(select_ratio), "");
        print("batch/library", spread(batch_ratio), "");
        print("select/library, wall clock", spread(select_wall), "");
        print("batch/library, wall clock", spread(batch_wall), "");
    }
    std::remove(lines_file.c_str());
    std::remove(requests_file.c_str());
    Spread select = spread(select_ratio_all), batch = spread(batch_ratio_all);
    std::printf("command/library throughput (CPU time, all dialects): select --each-line %.2f (%.2f to %.2f), "
                "batch %.2f (%.2f to %.2f)\n",
                select.median, select.low, select.high, batch.median, batch.low, batch.high);
    return 0;
}
