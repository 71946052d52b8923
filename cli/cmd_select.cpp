// tarnvel select --to DIALECT [--plain-sql] [--each-line] [--var NAME=VALUE ...] [SQL|-]: converts a
// FoxPro SELECT command for SQL Server, Oracle, MySQL or Access.
#include "command.hpp"
#include "host_options.hpp"
#include "line_io.hpp"

#include <iostream>
#include <optional>

namespace {

using namespace tarnvel;

// One statement per line of the argument or of standard input, one converted statement per line
// out; a statement that cannot be converted gets an empty line and its error on stderr.
int convert_lines(cli::Session &host, const std::string &function, const std::string &argument) {
    cli::LineOutput out(1);
    auto flush = [&out] { out.flush(); };
    std::optional<cli::LineReader> reader;
    if (argument.empty() || argument == "-") reader.emplace(0, flush);
    else reader.emplace(std::string_view(argument));
    int status = 0;
    for (std::string_view line; reader->next(line);) {
        try {
            if (line.find('\0') != std::string_view::npos) throw Error(std::nullopt, "the line holds a NUL byte");
            Result result = host.call(function, {std::string(line)});
            if (const auto *text = std::get_if<std::string>(&result)) out.write(*text);
            else out.write(cli::format_result(result));
        } catch (const Error &error) {
            out.flush();
            cli::print_error(error, "line " + std::to_string(reader->number()) + ": ");
            status = 1;
        } catch (const cli::EncodingError &error) {
            out.flush();
            cli::print_error(Error(std::nullopt, error.what()), "line " + std::to_string(reader->number()) + ": ");
            status = 1;
        }
        out.put('\n');
    }
    cli::warn_actions(host);
    if (out.flush()) return status;
    std::cerr << "tarnvel: cannot write standard output\n";
    return 1;
}

struct SelectOptions {
    std::string dialect;
    bool plain_sql = false;
    bool each_line = false;
    std::string statement;
    cli::HostOptions host;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<SelectOptions>();
    cli::add_dialect_option(app, options->dialect);
    app.add_flag("--plain-sql", options->plain_sql, "The command is not in FoxPro syntax (the FoxPro-syntax switch off)");
    app.add_flag("--each-line", options->each_line, "Convert each input line as a statement of its own");
    cli::add_variable_options(app, options->host);
    app.add_option("SQL", options->statement, "The SELECT command; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        cli::apply_host_options(*host, options->host);
        if (options->plain_sql) host->call("ZQV_SETFROMFOX", {false});
        const std::string function(cli::dialect_of(options->dialect).select_function);
        if (!options->each_line) return cli::print_result(*host, host->call(function, {cli::text_argument(options->statement)}));
        return convert_lines(*host, function, options->statement);
    };
}

const cli::Registration registration("select", "Convert a FoxPro SELECT command for a target dialect", setup);

}  // namespace
