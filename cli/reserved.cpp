// tarnvel reserved --to DIALECT [TEXT|-]: puts the dialect's identifier quotes around the
// keywords of a piece of SQL that stand as names.
#include "command.hpp"

#include <map>

namespace {

using namespace tarnvel;

const std::map<std::string, std::string> functions = {
    {"sqlserver", "ZQ_SQL_RESERVED"},
    {"oracle", "ZQ_ORACLE_RESERVED"},
    {"mysql", "ZQ_MYSQL_RESERVED"},
    {"access", "ZQ_ACCESS_RESERVED"},
};

struct ReservedOptions {
    std::string dialect;
    std::string text;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<ReservedOptions>();
    app.add_option("--to", options->dialect, "Target dialect")
        ->required()
        ->check(CLI::IsMember({"sqlserver", "oracle", "mysql", "access"}));
    app.add_option("TEXT", options->text, "Names, an expression or a condition; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        Result result = host->call(functions.at(options->dialect), {cli::text_argument(options->text)});
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("reserved", "Quote the keywords of a dialect that stand as names", setup);

}  // namespace
