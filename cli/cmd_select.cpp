// tarnvel select --to DIALECT [--plain-sql] [--each-line] [--var NAME=VALUE ...] [SQL|-]: converts a
// FoxPro SELECT command for SQL Server, Oracle, MySQL or Access.
#include "command.hpp"
#include "host_options.hpp"

#include <iostream>
#include <map>
#include <sstream>

namespace {

using namespace tarnvel;

const std::map<std::string, std::string> functions = {
    {"sqlserver", "ZQ_SQL_SELECT_CONVERT"},
    {"oracle", "ZQ_ORACLE_SELECT_CONVERT"},
    {"mysql", "ZQ_MYSQL_SELECT_CONVERT"},
    {"access", "ZQ_ACCESS_SELECT_CONVERT"},
};

struct SelectOptions {
    std::string dialect;
    bool plain_sql = false;
    bool each_line = false;
    std::string statement;
    cli::HostOptions host;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<SelectOptions>();
    app.add_option("--to", options->dialect, "Target dialect")
        ->required()
        ->check(CLI::IsMember({"sqlserver", "oracle", "mysql", "access"}));
    app.add_flag("--plain-sql", options->plain_sql, "The command is not in FoxPro syntax (the FoxPro-syntax switch off)");
    app.add_flag("--each-line", options->each_line, "Convert each input line as a statement of its own");
    cli::add_variable_options(app, options->host);
    app.add_option("SQL", options->statement, "The SELECT command; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        cli::apply_host_options(*host, options->host);
        if (options->plain_sql) host->call("ZQV_SETFROMFOX", {false});
        const std::string &function = functions.at(options->dialect);
        std::string text = cli::text_argument(options->statement);
        if (!options->each_line) return cli::print_result(*host, host->call(function, {text}));
        std::istringstream lines(text);
        std::string line;
        int status = 0;
        while (std::getline(lines, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            try {
                std::cout << cli::format_result(host->call(function, {line})) << "\n";
            } catch (const Error &error) {
                cli::print_error(error);
                std::cout << "\n";
                status = 1;
            }
        }
        cli::warn_actions(*host);
        return status;
    };
}

const cli::Registration registration("select", "Convert a FoxPro SELECT command for a target dialect", setup);

}  // namespace
