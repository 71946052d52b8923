// The options that set up the host before a call, shared by every subcommand that needs them:
//   --var NAME=VALUE     a host variable; VALUE in FoxPro's literal syntax ('text' "text" [text],
//                        12.50, 5, .T./.F., .NULL., {^2010-08-16}, {^2010-08-16 13:45:00}, {},
//                        $1.05), anything else is character text as written
//   --array NAME=[elem, elem, ...]   a host array, each element in the same syntax
//   --session N          what Set('DataSession') answers (default 1)
//   --window N           the window on top (default 0, none)
#pragma once

#include "command.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnvel::cli {

struct HostOptions {
    std::vector<std::string> variables;
    std::vector<std::string> arrays;
    int session = 1;
    std::uint64_t window = 0;
};

void add_variable_options(CLI::App &app, HostOptions &options);  // --var and --array
void add_session_option(CLI::App &app, HostOptions &options);
void add_window_option(CLI::App &app, HostOptions &options);

// Defines the variables and arrays and sets the session and window; a malformed --var or --array
// is a UsageError.
void apply_host_options(Session &host, const HostOptions &options);

}  // namespace tarnvel::cli
