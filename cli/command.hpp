// The frame of the tarnvel command: subcommands register themselves, each from a file of its
// own, and get the global options and a host to call through.
//
// Adding a subcommand is adding one file cli/<name>.cpp:
//
//     namespace {
//     tarnvel::cli::Action setup(CLI::App &app) {
//         auto text = std::make_shared<std::string>();
//         app.add_option("TEXT", *text, "what to convert");
//         return [text](tarnvel::cli::Context &context) {
//             auto host = context.make_host();
//             ...
//             return 0;
//         };
//     }
//     const tarnvel::cli::Registration registration("name", "one line of help", setup);
//     }  // namespace
#pragma once

#include "encoding.hpp"
#include "session.hpp"

#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnvel::cli {

// What the global options chose.
class Context {
public:
    std::string library_path;  // --library; empty for the library linked into the command
    std::string encoding_name = "UTF-8";  // --encoding

    // Opens the encoding; throws EncodingError for a name iconv does not know.
    void open_encoding() { encoding_ = std::make_unique<Encoding>(encoding_name); }
    const Encoding &encoding() const { return *encoding_; }
    Library library() const;
    std::unique_ptr<Session> make_host() const;

private:
    std::unique_ptr<Encoding> encoding_;
};

// Bad usage found after parsing: printed as "tarnvel: <message>", exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs a parsed subcommand; answers the exit status. May throw UsageError or tarnvel::Error.
using Action = std::function<int(Context &)>;
// Declares a subcommand's options and positionals on 'app' and answers its action.
using Setup = Action (*)(CLI::App &app);

struct Registration {
    Registration(const char *name, const char *description, Setup setup);
};

struct Subcommand {
    std::string name;
    std::string description;
    Setup setup;
};
// Every registered subcommand, by name.
std::vector<Subcommand> subcommands();

// --- helpers shared by the subcommands ---

// "tarnvel: error N: message" or "tarnvel: message" on stderr, 'place' ("line 3: ") before the error.
void print_error(const Error &error, const std::string &place = "");
// What the library asked the host to do, as warnings on stderr (the one-shot subcommands).
void warn_actions(const Session &host);
// The text argument, or standard input for "-" or no argument (one trailing line break dropped).
// Throws UsageError for empty text or text holding a NUL byte, std::runtime_error when standard
// input cannot be read.
std::string text_argument(const std::string &argument);
// A result as the command prints it: bytes as they are, numbers in their shortest form, .T./.F.;
// nothing for no result.
std::string format_result(const Result &result);
// Prints a result with a line break (nothing for no result) and the host actions as warnings.
int print_result(const Session &host, const Result &result);
// The required --to option: the command-line name of one of the dialects, into 'name'.
CLI::Option *add_dialect_option(CLI::App &app, std::string &name);
// The row of a name that add_dialect_option accepted.
const DialectRow &dialect_of(const std::string &name);

}  // namespace tarnvel::cli
