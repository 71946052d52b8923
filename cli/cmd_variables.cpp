// tarnvel variables --to DIALECT [--literals] --var NAME=VALUE ... [COMMAND|-]: replaces the "~"
// references of a command by parameter markers, or by literals holding the variables' values.
#include "command.hpp"
#include "host_options.hpp"

namespace {

using namespace tarnvel;

struct VariablesOptions {
    std::string dialect;
    bool literals = false;
    std::string command;
    cli::HostOptions host;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<VariablesOptions>();
    cli::add_dialect_option(app, options->dialect);
    app.add_flag("--literals", options->literals, "Write the values as literals instead of parameter markers");
    cli::add_variable_options(app, options->host);
    cli::add_session_option(app, options->host);
    app.add_option("COMMAND", options->command, "The command with ~ references; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        cli::apply_host_options(*host, options->host);
        std::vector<Arg> args{cli::text_argument(options->command), options->literals,
                              static_cast<double>(cli::dialect_of(options->dialect).variables_code)};
        Result result = host->call("ZQ_SQL_FIND_VARIABLES", args);  // the finder that takes the code
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("variables", "Replace ~ references by parameter markers or literals", setup);

}  // namespace
