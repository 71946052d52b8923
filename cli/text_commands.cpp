// The subcommands that hand one command text to one library function and print what it returns:
//   tarnvel iif [COMMAND|-]               every IIF(condition, value1, value2) becomes
//                                         CASE WHEN ... THEN ... ELSE ... END
//   tarnvel strip-directives [COMMAND|-]  blanks the library's command markers (~ ? %|% .. ..# >>)
//                                         outside strings; the command keeps its length, plus one
//                                         appended blank
#include "command.hpp"

namespace {

using namespace tarnvel;

cli::Action text_command(CLI::App &app, const char *function) {
    auto command = std::make_shared<std::string>();
    app.add_option("COMMAND", *command, "The command; - or none reads standard input");
    return [command, function](cli::Context &context) {
        auto host = context.make_host();
        return cli::print_result(*host, host->call(function, {cli::text_argument(*command)}));
    };
}

cli::Action setup_iif(CLI::App &app) { return text_command(app, "ZQ_SQL_IIF"); }
cli::Action setup_strip(CLI::App &app) { return text_command(app, "ZQ_SQL_REMOVE_DIRECTIVES"); }

const cli::Registration iif("iif", "Turn IIF() calls into CASE expressions", setup_iif);
const cli::Registration strip("strip-directives", "Blank out the command markers and the >> directive", setup_strip);

}  // namespace
