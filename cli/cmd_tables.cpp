// tarnvel tables --source KIND --mode MODE [--session N] --var/--array ... [COMMAND|-]: replaces
// the ".." table references of a command by the names recorded in the table-name arrays.
#include "command.hpp"
#include "host_options.hpp"

namespace {

using namespace tarnvel;

struct TablesOptions {
    std::string source;
    std::string mode;
    std::string command;
    cli::HostOptions host;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<TablesOptions>();
    app.add_option("--source", options->source, "Data-source kind: DBF_TABLES, MS_SQL or another")->required();
    app.add_option("--mode", options->mode, "Access mode: DIRECT, AUTOMATION or another")->required();
    cli::add_variable_options(app, options->host);
    cli::add_session_option(app, options->host);
    app.add_option("COMMAND", options->command, "The command with .. references; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        cli::apply_host_options(*host, options->host);
        Result result = host->call("ZQ_SQL_FIND_TABLES", {cli::text_argument(options->command), options->source, options->mode});
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("tables", "Replace .. table references by their recorded names", setup);

}  // namespace
