// tarnvel at [--occurrence N] [--top-level] SEARCH [TEXT|-]: the position of an occurrence of
// SEARCH in TEXT, case ignored and quoted literals stepped over (0 when there is none).
#include "command.hpp"

namespace {

using namespace tarnvel;

struct AtOptions {
    std::string search;
    std::string text;
    double occurrence = 1;
    bool top_level = false;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<AtOptions>();
    app.add_option("SEARCH", options->search, "The text to look for")->required();
    app.add_option("TEXT", options->text, "The text to search; - or none reads standard input");
    app.add_option("-n,--occurrence", options->occurrence, "Which occurrence (below 2: the first)");
    app.add_flag("-t,--top-level", options->top_level, "Only outside round brackets");
    return [options](cli::Context &context) {
        auto host = context.make_host();
        Result result = host->call("ZQV_AT", {options->search, cli::text_argument(options->text), options->occurrence,
                                              options->top_level});
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("at", "Find an occurrence outside quoted literals", setup);

}  // namespace
