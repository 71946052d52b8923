// tarnvel_validity: how much of the converters' output a server accepts and how much is free of
// FoxPro, measured on real FoxPro SELECT commands and field lists.
//
// Each SELECT has its FoxPro destinations removed (as an application does before sending it to a
// server) and is converted for the four targets with FoxPro syntax on; the MySQL output is
// PREPAREd on MariaDB (host parameters ?name as "?"), where a syntax error, or any error that is
// not an unknown table, column, function or database, is a rejection. Each field list is converted
// for the four targets and the MySQL columns make a CREATE TEMPORARY TABLE on MariaDB, where any
// error is a rejection. Every output of every target is checked for FoxPro residue.
#include "mariadb_client.h"
#include "measure.h"
#include "report.h"
#include "sources.h"

#include <CLI/CLI.hpp>
#include <mysql.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>

namespace {

struct Options {
    std::string corpus = TARNVEL_CORPUS_DIR;
    std::string socket;
    bool no_server = false;
    std::string floors;
    bool raise = false;
    bool quiet = false;
    bool details = false;
    bool categories = false;
    std::string json;
};

int run(const Options &options) {
    std::unique_ptr<engine::MariaDb> server;
    if (!options.no_server) {
        if (!options.socket.empty()) ::setenv("TARNVEL_MARIADB_SOCKET", options.socket.c_str(), 1);
        server = std::make_unique<engine::MariaDb>();
    }
    validity::Measure measure(server.get());

    std::vector<std::unique_ptr<validity::StatementSource>> sources;
    sources.push_back(std::make_unique<validity::JsonLinesSource>("selects", tarnvel::ConvertedText::select,
                                                                  options.corpus + "/selects.jsonl", "sql"));
    sources.push_back(std::make_unique<validity::JsonLinesSource>("fieldlists", tarnvel::ConvertedText::structure,
                                                                  options.corpus + "/fieldlists.jsonl", "fields"));

    std::vector<validity::Figure> all_figures;
    std::vector<std::pair<std::string, std::vector<validity::Outcome>>> measured;
    for (auto &source : sources) {
        std::vector<validity::Outcome> outcomes = measure.run(*source);
        for (validity::Figure &figure : validity::figures(source->name(), outcomes, server != nullptr))
            all_figures.push_back(std::move(figure));
        measured.emplace_back(source->name(), std::move(outcomes));
    }

    const bool json_to_stdout = options.json == "-";
    std::ostream &out = json_to_stdout ? std::cerr : std::cout;
    for (const validity::Figure &figure : all_figures) out << figure.line() << "\n";
    if (!options.quiet) {
        for (const auto &[name, outcomes] : measured) validity::print_listing(out, outcomes, options.details);
    }
    if (options.categories) {
        for (const auto &[name, outcomes] : measured) validity::print_categories(out, name, outcomes);
    }
    if (!options.json.empty()) {
        nlohmann::json all = nlohmann::json::array();
        for (const auto &[name, outcomes] : measured) {
            for (nlohmann::json &record : validity::to_json(name, outcomes)) all.push_back(std::move(record));
        }
        const std::string text = all.dump(1, ' ', false, nlohmann::json::error_handler_t::replace);
        if (json_to_stdout) {
            std::cout << text << "\n";
        } else {
            std::ofstream file(options.json);
            file << text << "\n";
            if (!file) throw std::runtime_error("cannot write " + options.json);
        }
    }

    if (options.floors.empty()) return 0;
    if (options.raise) {
        validity::raise_floors(options.floors, all_figures);
        out << "floors raised where the figures are higher: " << options.floors << "\n";
        return 0;
    }
    const int below = validity::below_floors(out, all_figures, validity::read_floors(options.floors));
    return below > 0 ? 1 : 0;
}

}  // namespace

int main(int argc, char **argv) {
    Options options;
    CLI::App app{"Measures the converters on real FoxPro statements and field lists: MariaDB's acceptance of the "
                 "MySQL output and the FoxPro residue in the output of every target."};
    app.name("tarnvel_validity");
    app.add_option("--corpus", options.corpus, "Folder holding selects.jsonl and fieldlists.jsonl");
    app.add_option("--socket", options.socket,
                   "Socket of the MariaDB server (default: TARNVEL_MARIADB_SOCKET; scripts/mariadb starts one)");
    app.add_flag("--no-server", options.no_server, "Measure the residue only, without a server");
    app.add_option("--floors", options.floors, "Exit with status 1 when a figure is below its floor in this file");
    app.add_flag("--raise-floors", options.raise, "Raise the floors in the --floors file to today's figures");
    app.add_flag("--quiet", options.quiet, "Print the figures only");
    app.add_flag("--details", options.details, "Print the FoxPro and converted texts after each listed statement");
    app.add_flag("--categories", options.categories, "Count the residue by construct and the rejections by error");
    app.add_option("--json", options.json, "Write every text's outcome as JSON to this file (- for standard output)");
    CLI11_PARSE(app, argc, argv);

    mysql_library_init(0, nullptr, nullptr);
    int status = 2;
    try {
        status = run(options);
    } catch (const std::exception &error) {
        std::cerr << "tarnvel_validity: " << error.what() << "\n";
    }
    mysql_library_end();
    return status;
}
