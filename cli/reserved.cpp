// tarnvel reserved --to DIALECT [TEXT|-]: puts the dialect's identifier quotes around the
// keywords of a piece of SQL that stand as names.
#include "command.hpp"

namespace {

using namespace tarnvel;

struct ReservedOptions {
    std::string dialect;
    std::string text;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<ReservedOptions>();
    cli::add_dialect_option(app, options->dialect);
    app.add_option("TEXT", options->text, "Names, an expression or a condition; - or none reads standard input");

    return [options](cli::Context &context) {
        auto host = context.make_host();
        Result result = host->call(std::string(cli::dialect_of(options->dialect).reserved_function), {cli::text_argument(options->text)});
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("reserved", "Quote the keywords of a dialect that stand as names", setup);

}  // namespace
