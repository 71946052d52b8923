// Many threads at once. Eight threads, each with a host of its own, run the requests of every case
// file through DispatchAPI, each thread in an order of its own, twenty times over; every answer
// must be, byte for byte, the one a single thread gets. Built alone under ThreadSanitizer (preset
// tsan), this is the race check of the library.
//
// The FoxPro-syntax switch and the locale belong to the whole library, so the requests that set
// them are left out and every request runs with the switch as it was loaded. The clause in which
// the last SELECT conversion ended is library-wide too, and reserved-word quoting reads it: a
// request's answers are therefore taken once after a conversion that ends in the field list and
// once after one that ends elsewhere, and only reserved-word quoting may answer differently.
#include "batch_protocol.hpp"
#include "encoding.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using tarnvel::cli::BatchRequest;

struct CaseRequest {
    std::string where;  // file:line
    BatchRequest request;
    std::vector<std::string> answers;  // what a single thread may answer
};

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return text;
}

// Case files carry bytes: each byte is one code point U+0000 to U+00FF. One a thread: a code page's
// converter keeps state between calls.
const tarnvel::cli::Encoding &case_encoding() {
    thread_local const tarnvel::cli::Encoding encoding("latin1");
    return encoding;
}

std::vector<CaseRequest> case_requests() {
    std::vector<std::filesystem::path> files;
    for (const auto &entry : std::filesystem::directory_iterator(TARNVEL_CASES_DIR))
        if (entry.path().extension() == ".jsonl") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<CaseRequest> requests;
    for (const auto &file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
            BatchRequest request;
            try {
                request = tarnvel::cli::read_request(boost::json::parse(line), case_encoding());
            } catch (const std::exception &) {
                continue;  // a line that tests the batch protocol itself
            }
            const std::string function = upper(request.function);
            if (function == "ZQV_SETLOC" || function == "ZQV_SETFROMFOX") continue;
            request.from_fox.reset();
            requests.push_back({file.filename().string() + ":" + std::to_string(number), std::move(request), {}});
        }
    }
    return requests;
}

std::string answer(tarnvel::Host &host, const BatchRequest &request) {
    std::string out;
    tarnvel::cli::run_request(host, request, case_encoding(), out);
    return out;
}

TEST(Threads, EightThreadsGetTheSingleThreadAnswers) {
    std::vector<CaseRequest> requests = case_requests();
    ASSERT_GT(requests.size(), 300u);
    {
        tarnvel::Host host;
        for (CaseRequest &r : requests) {
            for (const char *before : {"SELECT a", "SELECT a FROM t"}) {
                host.call("ZQ_SQL_SELECT_CONVERT", {std::string(before)});
                std::string a = answer(host, r.request);
                if (std::find(r.answers.begin(), r.answers.end(), a) == r.answers.end()) r.answers.push_back(a);
            }
            if (r.answers.size() > 1) {
                EXPECT_NE(upper(r.request.function).find("_RESERVED"), std::string::npos)
                    << r.where << ": the answer depends on an earlier conversion";
            }
        }
    }

    constexpr int threads = 8, rounds = 20;
    std::mutex lock;
    std::vector<std::string> wrong;
    auto run = [&](int seed) {
        tarnvel::Host host;
        std::vector<std::size_t> order(requests.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::mt19937 random(static_cast<unsigned>(seed));
        for (int round = 0; round < rounds; ++round) {
            std::shuffle(order.begin(), order.end(), random);
            for (std::size_t i : order) {
                const CaseRequest &r = requests[i];
                std::string a = answer(host, r.request);
                if (std::find(r.answers.begin(), r.answers.end(), a) != r.answers.end()) continue;
                std::lock_guard<std::mutex> guard(lock);
                if (wrong.size() < 20)
                    wrong.push_back(r.where + " on thread " + std::to_string(seed) + ": " + a + "; alone: " + r.answers.front());
            }
            // (counting the handles scans the whole table: once a round is enough to see a leak)
            if (std::size_t leaked = host.handles_in_use()) {
                std::lock_guard<std::mutex> guard(lock);
                wrong.push_back(std::to_string(leaked) + " handles in use after round " + std::to_string(round) +
                                " on thread " + std::to_string(seed));
            }
        }
    };
    auto started = std::chrono::steady_clock::now();
    std::vector<std::thread> running;
    for (int t = 0; t < threads; ++t) running.emplace_back(run, t + 1);
    for (std::thread &t : running) t.join();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d threads x %d rounds x %zu requests in %.1f s\n", threads, rounds, requests.size(), seconds);
    for (const std::string &w : wrong) ADD_FAILURE() << w;
}

}  // namespace
