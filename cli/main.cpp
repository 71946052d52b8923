// tarnvel: calls the library's functions from the shell, one at a time or as a batch of JSON lines.
#include "arguments.hpp"
#include "command.hpp"

#include <iostream>

int main(int argc, char **argv) {
    using namespace tarnvel::cli;

    CLI::App app{"Rewrites FoxPro-dialect SQL for SQL Server, Oracle, MySQL, Access and PostgreSQL through the tarnvel library."};
    app.name("tarnvel");
    app.require_subcommand(1);
    Context context;
    app.add_option("--library", context.library_path,
                   "Load this built library file (reached only through DispatchAPI) instead of the linked-in library");
    app.add_option("--encoding", context.encoding_name,
                   "The code page of the library's text (CP1251, CP1252, BIG5, GBK, ... as iconv names them): "
                   "arguments, input and JSON strings are UTF-8 text converted to it and back. UTF-8, the default, "
                   "passes bytes as they come; latin1 reads each byte as one code point")
        ->capture_default_str();
    app.fallthrough();  // the global options may also follow the subcommand

    std::vector<std::pair<CLI::App *, Action>> actions;
    for (const Subcommand &sub : subcommands()) {
        CLI::App *app_sub = app.add_subcommand(sub.name, sub.description);
        actions.emplace_back(app_sub, sub.setup(*app_sub));
    }

    std::vector<std::string> arguments = utf8_arguments(argc, argv);
    std::vector<const char *> pointers;
    for (const std::string &argument : arguments) pointers.push_back(argument.c_str());
    try {
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError &e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help
        std::cerr << "tarnvel: " << e.what() << "\n(run tarnvel --help for usage)\n";
        return 2;
    }

    try {
        context.open_encoding();
    } catch (const EncodingError &e) {
        std::cerr << "tarnvel: --encoding: " << e.what() << "\n";
        return 2;
    }

    for (auto &[sub, action] : actions) {
        if (!sub->parsed()) continue;
        try {
            return action(context);
        } catch (const UsageError &e) {
            std::cerr << "tarnvel: " << e.what() << "\n";
            return 2;
        } catch (const tarnvel::Error &e) {
            print_error(e);
            return 1;
        } catch (const std::exception &e) {
            std::cerr << "tarnvel: " << e.what() << "\n";
            return 1;
        }
    }
    return 2;
}
