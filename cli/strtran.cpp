// tarnvel strtran [--top-level] SEARCH REPLACEMENT [TEXT|-]: replaces every occurrence of SEARCH,
// case ignored, outside quoted literals.
#include "command.hpp"

namespace {

using namespace tarnvel;

struct StrTranOptions {
    std::string search;
    std::string replacement;
    std::string text;
    bool top_level = false;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<StrTranOptions>();
    app.add_option("SEARCH", options->search, "The text to look for")->required();
    app.add_option("REPLACEMENT", options->replacement, "What replaces it (may be empty)")->required();
    app.add_option("TEXT", options->text, "The text to change; - or none reads standard input");
    app.add_flag("-t,--top-level", options->top_level, "Only outside round brackets");
    return [options](cli::Context &context) {
        auto host = context.make_host();
        Result result = host->call("ZQV_STRTRAN", {cli::text_argument(options->text), options->search,
                                                   options->replacement, options->top_level});
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("strtran", "Replace every occurrence outside quoted literals", setup);

}  // namespace
