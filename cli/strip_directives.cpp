// tarnvel strip-directives [COMMAND|-]: blanks the library's command markers (~ ? %|% .. ..# >>)
// outside strings; the command keeps its length, plus one appended blank.
#include "command.hpp"

namespace {

using namespace tarnvel;

cli::Action setup(CLI::App &app) {
    auto command = std::make_shared<std::string>();
    app.add_option("COMMAND", *command, "The command; - or none reads standard input");
    return [command](cli::Context &context) {
        auto host = context.make_host();
        return cli::print_result(*host, host->call("ZQ_SQL_REMOVE_DIRECTIVES", {cli::text_argument(*command)}));
    };
}

const cli::Registration registration("strip-directives", "Blank out the command markers and the >> directive", setup);

}  // namespace
