// Runs the tarnvel command as a person would, with input, and collects its output.
#pragma once

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <unistd.h>

#ifndef TARNVEL_CLI_LAUNCHER
#define TARNVEL_CLI_LAUNCHER ""  // a cross build's emulator, with its options, when the command needs one
#endif

namespace clitest {

struct Run {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string read_file(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// 'arguments' is a shell fragment (quote it yourself); 'input' goes to standard input.
inline Run run(const std::string &arguments, const std::string &input = "") {
    static int serial = 0;
    std::string base = std::string("/tmp/tarnvel_cli_test_").append(std::to_string(getpid())) + "_" + std::to_string(serial++);
    {
        std::ofstream in(base + ".in", std::ios::binary);
        in << input;
    }
    std::string command = std::string(TARNVEL_CLI_LAUNCHER) + "'" + TARNVEL_CLI_FILE + "' " + arguments + " <'" + base + ".in' >'" + base +
                          ".out' 2>'" + base + ".err'";
    Run r;
    int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = read_file(base + ".out");
    r.err = read_file(base + ".err");
    for (const char *suffix : {".in", ".out", ".err"}) std::remove((base + suffix).c_str());
    return r;
}

// The JSON lines of the batch command's output.
inline std::vector<nlohmann::json> answers(const std::string &out) {
    std::vector<nlohmann::json> all;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) all.push_back(nlohmann::json::parse(line));
    return all;
}

inline std::string write_temp(const std::string &name, const std::string &content) {
    std::string path = std::string("/tmp/tarnvel_cli_test_").append(std::to_string(getpid())) + "_" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

}  // namespace clitest
