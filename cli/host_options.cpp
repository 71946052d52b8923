#include "host_options.hpp"

namespace tarnvel::cli {

void add_variable_options(CLI::App &app, HostOptions &options) {
    app.add_option("--var", options.variables, "Host variable NAME=VALUE in FoxPro literal syntax (repeatable)")
        ->type_size(1)
        ->allow_extra_args(false)  // one value per occurrence: a positional may follow
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option("--array", options.arrays, "Host array NAME=[elem, elem, ...] (repeatable)")
        ->type_size(1)
        ->allow_extra_args(false)  // one value per occurrence: a positional may follow
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
}

void add_session_option(CLI::App &app, HostOptions &options) {
    app.add_option("--session", options.session, "What Set('DataSession') answers")->capture_default_str();
}

void add_window_option(CLI::App &app, HostOptions &options) {
    app.add_option("--window", options.window, "The window on top (0: none)")->capture_default_str();
}

void apply_host_options(Session &host, const HostOptions &options) {
    try {
        for (const std::string &assignment : options.variables) {
            auto [name, value] = parse_variable(assignment);
            host.set_variable(name, std::move(value));
        }
        for (const std::string &assignment : options.arrays) {
            auto [name, elements] = parse_array(assignment);
            host.set_array(name, std::move(elements));
        }
    } catch (const Error &e) {
        throw UsageError(e.message());
    }
    host.set_session(options.session);
    host.set_window(static_cast<tv_word>(options.window));
}

}  // namespace tarnvel::cli
