// Generated FoxPro SELECTs (tools/generator) through every SELECT converter, for a bounded time,
// checked for meaning (see fuzz/properties.h): nothing of the statement lost, the same answer after
// another request and on another thread, and the right error with a balanced handle table when any
// obtain or growth fails. The seed is printed; TARNVEL_MEANING_SEED=N repeats a run,
// TARNVEL_MEANING_SECONDS=N runs longer.
#include "generator.h"
#include "properties.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::uint64_t seed_of_run() {
    if (const char *s = std::getenv("TARNVEL_MEANING_SEED")) return std::strtoull(s, nullptr, 10);
    return std::random_device{}();
}

double seconds_of_run() {
    if (const char *s = std::getenv("TARNVEL_MEANING_SECONDS")) return std::strtod(s, nullptr);
    return 5;
}

TEST(Meaning, GeneratedStatementsKeepTheirMeaning) {
    const std::uint64_t seed = seed_of_run();
    std::printf("seed %llu (TARNVEL_MEANING_SEED=%llu repeats this run)\n", static_cast<unsigned long long>(seed),
                static_cast<unsigned long long>(seed));
    tarnvel::Host host;
    tarnvel::fuzz::OtherThread other([](tarnvel::Host &) {});
    const auto stop = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds_of_run());
    std::string previous = "SELECT x FROM y";
    std::uint64_t count = 0;
    int failures = 0;
    for (; std::chrono::steady_clock::now() < stop && failures < 10; ++count) {
        const std::string sql = foxgen::statement(seed, count);
        for (const tarnvel::fuzz::Target &target : tarnvel::fuzz::targets) {
            const std::vector<tarnvel::Arg> args{sql};
            const std::string answer = tarnvel::fuzz::settled_outcome(host, target.function, args);
            std::string wrong;
            if (answer.starts_with("text:")) wrong = tarnvel::fuzz::lost(target, sql, std::string_view(answer).substr(5));
            if (wrong.empty()) {
                wrong = tarnvel::fuzz::deterministic(host, other, target.function, args, answer, [&](tarnvel::Host &h) {
                    tarnvel::fuzz::outcome(h, "ZQ_MYSQL_SELECT_CONVERT", {previous});
                });
            }
            if (wrong.empty() && count % 8 == 0) wrong = tarnvel::fuzz::within_budgets(host, target.function, args, answer);
            if (!wrong.empty()) {
                ++failures;
                ADD_FAILURE() << target.function << "(generated:" << seed << "#" << count << " \"" << sql << "\"): " << wrong
                              << "\n  answer: " << answer;
            }
        }
        previous = sql;
    }
    std::printf("%llu statements, each through %zu converters\n", static_cast<unsigned long long>(count),
                tarnvel::fuzz::targets.size());
    EXPECT_GT(count, 0u);
}

}  // namespace
