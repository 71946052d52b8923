// tarnvel call FUNCTION [ARG...]: calls any library function.
//
// Arguments are typed as FoxPro writes them: .T. and .F. are logicals, numbers (5, -3, 12.50) are
// numeric, everything else is character text as written. "-s TEXT" (or --char TEXT) passes TEXT
// as a character argument at its place whatever it looks like: tarnvel call ZQV_AT -s 5 -s 12345.
// Put "--" before arguments that begin with "-" and are not numbers.
#include "command.hpp"
#include "host_options.hpp"

namespace {

using namespace tarnvel;

Arg typed_argument(const std::string &text) {
    std::optional<HostValue> literal;
    try {
        literal = parse_literal(text);
    } catch (const Error &) {
        // a malformed date literal is just text here
    }
    if (literal && literal->type == 'L') return literal->logical;
    if (literal && literal->type == 'N') return literal->number;
    return text;
}

struct CallOptions {
    std::string function;
    std::vector<std::string> arguments;
    std::vector<std::string> characters;
    cli::HostOptions host;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<CallOptions>();
    app.add_option("FUNCTION", options->function, "Library function name (any case)")->required();
    app.add_option("ARG", options->arguments, "Arguments: .T./.F. logical, numbers numeric, anything else character");
    CLI::Option *characters = app.add_option("-s,--char", options->characters, "A character argument, whatever it looks like (repeatable, kept in place)")
                                  ->type_size(1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    cli::add_variable_options(app, options->host);
    cli::add_session_option(app, options->host);
    cli::add_window_option(app, options->host);
    app.footer("Arguments keep their order, -s ones included: tarnvel call ZQV_AT -s 5 -s 12345 1");

    return [options, &app, characters](cli::Context &context) {
        // rebuild the argument list in command-line order
        std::vector<Arg> args;
        std::size_t next_plain = 0, next_char = 0;
        for (CLI::Option *option : app.parse_order()) {
            if (option == characters && next_char < options->characters.size()) {
                args.emplace_back(options->characters[next_char++]);
            } else if (option->get_name() == "ARG" && next_plain < options->arguments.size()) {
                args.push_back(typed_argument(options->arguments[next_plain++]));
            }
        }
        auto host = context.make_host();
        cli::apply_host_options(*host, options->host);
        Result result = host->call(options->function, args);
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("call", "Call any library function with FoxPro-typed arguments", setup);

}  // namespace
