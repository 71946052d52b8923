#include "command.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <stdexcept>

namespace tarnvel::cli {
namespace {

std::vector<Subcommand> &registry() {
    static std::vector<Subcommand> all;
    return all;
}

}  // namespace

Registration::Registration(const char *name, const char *description, Setup setup) {
    registry().push_back({name, description, setup});
}

std::vector<Subcommand> subcommands() {
    std::vector<Subcommand> all = registry();
    std::sort(all.begin(), all.end(), [](const Subcommand &a, const Subcommand &b) { return a.name < b.name; });
    return all;
}

Library Context::library() const {
#if defined(_WIN32)
    // On Windows the command reaches the library file beside it, as FoxPro does.
    return Library::load(library_path.empty() ? "tarnvel.fll" : library_path);
#else
    return library_path.empty() ? Library::linked() : Library::load(library_path);
#endif
}

std::unique_ptr<Session> Context::make_host() const { return std::make_unique<Session>(library(), encoding()); }

void print_error(const Error &error, const std::string &place) {
    std::cerr << "tarnvel: " << place;
    if (error.number()) std::cerr << "error " << *error.number() << ": ";
    std::cerr << error.message() << "\n";
}

void warn_actions(const Session &host) {
    for (const HostAction &action : host.actions()) {
        if (action.kind == "execute") {
            std::cerr << "tarnvel: warning: the library asked the host to execute: " << host.encoding().readable(action.detail)
                      << "\n";
        } else if (action.kind == "editor") {
            std::cerr << "tarnvel: warning: the library sent the editor command " << action.detail << " to window "
                      << action.window << "\n";
        }
        // the switch (request 28) only announces an evaluation; nothing to show
    }
}

// The library reads its text up to a NUL, so text holding one would be cut short without a word;
// and an empty text (nothing given, or standard input closed or empty) has nothing to convert.
std::string checked_text(std::string text) {
    if (text.empty()) throw UsageError("no text to work on: give it as the argument or on standard input");
    if (const std::size_t nul = text.find('\0'); nul != std::string::npos) {
        throw UsageError("the text holds a NUL byte at offset " + std::to_string(nul) +
                         ": the library would read only the text before it");
    }
    return text;
}

std::string text_argument(const std::string &argument) {
    if (!argument.empty() && argument != "-") return checked_text(argument);
    std::string text((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (std::cin.bad() || std::ferror(stdin)) throw std::runtime_error("cannot read standard input");
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return checked_text(std::move(text));
}

std::string format_result(const Result &result) {
    if (const auto *text = std::get_if<std::string>(&result)) return *text;
    if (const auto *truth = std::get_if<bool>(&result)) return *truth ? ".T." : ".F.";
    if (const auto *number = std::get_if<double>(&result)) {
        if (std::trunc(*number) == *number && std::fabs(*number) < 1e15)
            return std::to_string(static_cast<long long>(*number));
        char text[64];
        auto [end, ec] = std::to_chars(text, text + sizeof text, *number);
        return ec == std::errc() ? std::string(text, end) : std::string("?");
    }
    return {};
}

int print_result(const Session &host, const Result &result) {
    warn_actions(host);
    if (!std::holds_alternative<std::monostate>(result)) {
        std::string text = format_result(result);
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
    std::cerr << "tarnvel: cannot write standard output\n";
    return 1;
}

CLI::Option *add_dialect_option(CLI::App &app, std::string &name) {
    std::vector<std::string> names;
    for (const DialectRow &row : dialects()) names.emplace_back(row.name);
    return app.add_option("--to", name, "Target dialect")->required()->check(CLI::IsMember(names));
}

const DialectRow &dialect_of(const std::string &name) {
    const DialectRow *row = dialect_named(name);
    if (!row) throw UsageError("unknown dialect: " + name);
    return *row;
}

}  // namespace tarnvel::cli
