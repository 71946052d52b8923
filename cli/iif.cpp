// tarnvel iif [COMMAND|-]: turns every IIF(condition, value1, value2) of a command into a
// CASE WHEN ... THEN ... ELSE ... END expression.
#include "command.hpp"

namespace {

using namespace tarnvel;

cli::Action setup(CLI::App &app) {
    auto command = std::make_shared<std::string>();
    app.add_option("COMMAND", *command, "The command; - or none reads standard input");
    return [command](cli::Context &context) {
        auto host = context.make_host();
        return cli::print_result(*host, host->call("ZQ_SQL_IIF", {cli::text_argument(*command)}));
    };
}

const cli::Registration registration("iif", "Turn IIF() calls into CASE expressions", setup);

}  // namespace
