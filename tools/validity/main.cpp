// tarnvel_validity: how much of the converters' output a server accepts and how much is free of
// FoxPro, measured on real FoxPro SELECT commands and field lists.
//
// Each SELECT has its FoxPro destinations removed (as an application does before sending it to a
// server) and is converted for the four targets with FoxPro syntax on; the MySQL output is
// PREPAREd on MariaDB (host parameters ?name as "?"), where a syntax error, or any error that is
// not an unknown table, column, function or database, is a rejection. Each field list is converted
// for the four targets and the MySQL columns make a CREATE TEMPORARY TABLE on MariaDB, where any
// error is a rejection. Every output of every target is checked for FoxPro residue.
//
// Beyond the corpus, generated SELECT commands (tools/generator) over a small database, whose tables
// are created on the server first, are measured the same way ("generated" figures); --findings
// sorts their failures by cause and reduces one statement of each cause to a short one.
//
// The corpus statements written the other ways FoxPro reads the same (variants.h) are measured as
// well ("variants" figures); each variant that fares worse than its original is listed. So are their
// expressions put into other clauses (transplants.h, "transplants" figures).
//
// --compare-engines fills the generator's tables with the same rows on both servers and runs each
// statement both accept, the MySQL output on MariaDB and the PostgreSQL output on PostgreSQL: both
// must give FoxPro's rows ("engines" figures, engine_compare.h).
#include "engine_compare.h"
#include "findings.h"
#include "generated.h"
#include "mariadb_client.h"
#include "postgres_client.h"
#include "measure.h"
#include "report.h"
#include "sources.h"
#include "transplants.h"
#include "variants.h"

#include <CLI/CLI.hpp>
#include <mysql.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <list>
#include <map>
#include <memory>
#include <random>

namespace {

constexpr std::size_t default_generated = 5000;
constexpr std::size_t default_generated2 = 3000;  // the second family: the wide set of functions

bool generated_figure(const validity::Figure &f) {
    return f.name.rfind("generated ", 0) == 0 || f.name.rfind("generated2 ", 0) == 0;
}

// The figures of the texts made from others ("variants ...", "transplants ..."), which --sample thins.
bool made_figure(const validity::Figure &f) {
    for (const char *made : {"variants ", "fieldvariants ", "transplants "}) {
        if (f.name.rfind(made, 0) == 0) return true;
    }
    return false;
}

// The sources of texts made from others' and the sources of their originals.
constexpr validity::VariantsOf variant_sources[] = {
    {"variants", "selects", false, validity::variant_original, "variant "},
    {"fieldvariants", "fieldlists", true, validity::variant_original, "variant "},
    {"transplants", "selects", false, validity::transplant_original, "transplant"},
};

const validity::VariantsOf *variants_of(std::string_view source) {
    for (const validity::VariantsOf &pair : variant_sources) {
        if (source == pair.variants) return &pair;
    }
    return nullptr;
}

struct Options {
    std::string corpus = TARNVEL_CORPUS_DIR;
    std::size_t generated = default_generated;
    std::size_t generated2 = default_generated2;
    std::vector<std::uint64_t> seeds;
    bool random_seed = false;
    std::vector<std::string> statements;
    std::vector<std::string> only;
    bool list_generated = false;
    bool findings = false;
    std::string socket;
    std::string pg_socket;
    bool no_server = false;
    std::string floors;
    bool raise = false;
    bool quiet = false;
    bool details = false;
    bool categories = false;
    bool trial_tables = false;
    bool compare_engines = false;
    std::size_t sample = 1;  // every Nth variant and transplant
    std::string json;
};

int run(const Options &options) {
    // The generated statements: the fixed seeds unless others are asked for.
    std::vector<std::uint64_t> seeds = options.seeds.empty() ? validity::fixed_seeds() : options.seeds;
    if (options.random_seed) {
        std::random_device device;
        seeds = {(static_cast<std::uint64_t>(device()) << 32) | device()};
    }
    if (options.list_generated) {  // the first family, or the second when --only names it alone
        const bool second = std::find(options.only.begin(), options.only.end(), "generated2") != options.only.end() &&
                            std::find(options.only.begin(), options.only.end(), "generated") == options.only.end();
        validity::GeneratedSource listed(seeds, second ? options.generated2 : options.generated,
                                         second ? foxgen::Family::wide : foxgen::Family::first);
        while (std::optional<validity::Statement> s = listed.next()) std::cout << s->origin << "\t" << s->text << "\n";
        return 0;
    }

    std::unique_ptr<engine::MariaDb> server;
    if (!options.no_server) {
        if (!options.socket.empty()) ::setenv("TARNVEL_MARIADB_SOCKET", options.socket.c_str(), 1);
        server = std::make_unique<engine::MariaDb>();
    }
    std::unique_ptr<engine::Postgres> postgres;
    const char *pg_env = std::getenv("TARNVEL_POSTGRES_SOCKET");
    if (!options.no_server && (!options.pg_socket.empty() || (pg_env && *pg_env))) {
        if (!options.pg_socket.empty()) ::setenv("TARNVEL_POSTGRES_SOCKET", options.pg_socket.c_str(), 1);
        postgres = std::make_unique<engine::Postgres>();
    }
    validity::Measure measure(server.get(), postgres.get());
    const bool fixed_run = seeds == validity::fixed_seeds() && options.generated == default_generated &&
                           options.generated2 == default_generated2 && options.statements.empty();
    std::vector<validity::GeneratedPlace> places;
    for (const std::string &text : options.statements) {
        std::optional<validity::GeneratedPlace> place = validity::generated_place(text);
        if (!place) throw std::runtime_error("not a generated statement (seed#number): " + text);
        places.push_back(*place);
    }

    std::vector<std::unique_ptr<validity::StatementSource>> sources;
    auto wanted = [&](const std::string &name) {
        if (!places.empty()) return false;
        return options.only.empty() || std::find(options.only.begin(), options.only.end(), name) != options.only.end();
    };
    if (wanted("selects"))
        sources.push_back(std::make_unique<validity::JsonLinesSource>("selects", tarnvel::ConvertedText::select,
                                                                      options.corpus + "/selects.jsonl", "sql"));
    if (wanted("fieldlists"))
        sources.push_back(std::make_unique<validity::JsonLinesSource>(
            "fieldlists", tarnvel::ConvertedText::structure, options.corpus + "/fieldlists.jsonl", "fields"));
    auto made = [&](std::unique_ptr<validity::StatementSource> all) -> std::unique_ptr<validity::StatementSource> {
        if (options.sample <= 1) return all;
        return std::make_unique<validity::SampledSource>(std::move(all), options.sample);
    };
    if (wanted("variants")) sources.push_back(made(std::make_unique<validity::VariantsSource>(options.corpus + "/selects.jsonl")));
    if (wanted("fieldvariants"))
        sources.push_back(made(std::make_unique<validity::VariantsSource>(options.corpus + "/fieldlists.jsonl",
                                                                          tarnvel::ConvertedText::structure)));
    if (wanted("transplants"))
        sources.push_back(made(std::make_unique<validity::TransplantsSource>(options.corpus + "/selects.jsonl")));
    if (!places.empty()) {
        sources.push_back(std::make_unique<validity::GeneratedSource>(places));
    } else if (wanted("generated") && options.generated > 0) {
        sources.push_back(std::make_unique<validity::GeneratedSource>(seeds, options.generated));
    }
    if (places.empty() && wanted("generated2") && options.generated2 > 0)
        sources.push_back(std::make_unique<validity::GeneratedSource>(seeds, options.generated2, foxgen::Family::wide));

    std::unique_ptr<validity::EngineCompare> engines;
    if (options.compare_engines) {
        if (!server || !postgres)
            throw std::runtime_error("--compare-engines needs both servers (TARNVEL_MARIADB_SOCKET, TARNVEL_POSTGRES_SOCKET)");
        engines = std::make_unique<validity::EngineCompare>(*server, *postgres);
    }
    // the generator's tables first, for statements of a corpus folder written over them
    if (options.trial_tables || engines) measure.create_trial_tables(validity::GeneratedSource(seeds, 0).tables());
    if (engines) engines->fill();
    std::vector<validity::Figure> all_figures;
    std::vector<std::pair<std::string, std::vector<validity::Outcome>>> measured;
    std::vector<validity::EngineComparison> comparisons;
    for (auto &source : sources) {
        std::vector<validity::Outcome> outcomes = measure.run(*source);
        for (validity::Figure &figure : validity::figures(source->name(), outcomes, server != nullptr))
            all_figures.push_back(std::move(figure));
        measured.emplace_back(source->name(), std::move(outcomes));
        if (engines) {
            comparisons.push_back(engines->compare(source->name(), measured.back().second));
            all_figures.push_back(validity::engine_figure(comparisons.back()));
            all_figures.push_back(validity::engine_order_figure(comparisons.back()));
        }
    }

    // The variants against their originals: those of this run, or measured now (not counted).
    std::map<std::string, std::vector<validity::WorseVariant>> worse;
    std::list<std::vector<validity::Outcome>> originals;  // kept while 'worse' points into them
    for (const validity::VariantsOf &pair : variant_sources) {
        auto variants = std::find_if(measured.begin(), measured.end(), [&](const auto &m) { return m.first == pair.variants; });
        if (variants == measured.end()) continue;
        auto own = std::find_if(measured.begin(), measured.end(), [&](const auto &m) { return m.first == pair.originals; });
        if (own == measured.end()) {
            const bool selects = pair.originals == std::string_view("selects");
            validity::JsonLinesSource source(pair.originals,
                                             selects ? tarnvel::ConvertedText::select : tarnvel::ConvertedText::structure,
                                             options.corpus + (selects ? "/selects.jsonl" : "/fieldlists.jsonl"),
                                             selects ? "sql" : "fields");
            originals.push_back(measure.run(source));
        }
        std::vector<validity::WorseVariant> &lost = worse[pair.variants] =
            validity::worse_variants(variants->second, own == measured.end() ? originals.back() : own->second,
                                     pair.clauses, pair.original_of);
        const std::string prefix = std::string(pair.variants) + " ";
        auto last = std::find_if(all_figures.rbegin(), all_figures.rend(),
                                 [&](const validity::Figure &f) { return f.name.rfind(prefix, 0) == 0; });
        all_figures.insert(last.base(), validity::as_good_figure(pair.variants, variants->second, lost));
    }

    const bool json_to_stdout = options.json == "-";
    std::ostream &out = json_to_stdout ? std::cerr : std::cout;
    for (const validity::Figure &figure : all_figures) out << figure.line() << "\n";
    const bool generated_run = std::any_of(sources.begin(), sources.end(),
                                           [](const auto &s) { return s->name().rfind("generated", 0) == 0; });
    if (generated_run && places.empty()) {
        out << "generated statements: seed";
        for (std::uint64_t seed : seeds) out << " " << seed;
        if (!fixed_run) out << " (not the fixed run: the generated figures are not held to their floors)";
        out << "\n";
    }
    if (!options.quiet) {
        for (const auto &[name, outcomes] : measured) {
            if (const auto *pair = variants_of(name)) validity::print_worse(out, worse.at(name), options.details, pair->label);
            else validity::print_listing(out, outcomes, options.details || !places.empty());
        }
    }
    for (const validity::EngineComparison &comparison : comparisons)
        validity::print_engine_comparison(out, comparison, !options.quiet);
    if (options.categories) {
        for (const auto &[name, outcomes] : measured) validity::print_categories(out, name, outcomes);
    }
    if (options.findings) {
        for (const auto &[name, outcomes] : measured) {
            if (name.rfind("generated", 0) == 0) validity::print_findings(out, measure, outcomes);
        }
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

    if (options.floors.empty() || !places.empty()) return 0;
    if (!fixed_run) {  // only the fixed run's generated figures are comparable with their floors
        all_figures.erase(std::remove_if(all_figures.begin(), all_figures.end(), generated_figure), all_figures.end());
    }
    if (options.sample > 1) {  // nor are a sample's shares those of every variant and transplant
        all_figures.erase(std::remove_if(all_figures.begin(), all_figures.end(), made_figure), all_figures.end());
    }
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
                 "MySQL output, PostgreSQL's of the PostgreSQL output, and the FoxPro residue in the output of every "
                 "target."};
    app.name("tarnvel_validity");
    app.add_option("--corpus", options.corpus, "Folder holding selects.jsonl and fieldlists.jsonl");
    app.add_option("--socket", options.socket,
                   "Socket of the MariaDB server (default: TARNVEL_MARIADB_SOCKET; scripts/mariadb starts one)");
    app.add_option("--pg-socket", options.pg_socket,
                   "Socket folder of the PostgreSQL server (default: TARNVEL_POSTGRES_SOCKET; scripts/postgres starts "
                   "one); without either, PostgreSQL is not asked");
    app.add_flag("--no-server", options.no_server, "Measure the residue only, without a server");
    app.add_option("--floors", options.floors, "Exit with status 1 when a figure is below its floor in this file");
    app.add_flag("--raise-floors", options.raise, "Raise the floors in the --floors file to today's figures");
    app.add_flag("--quiet", options.quiet, "Print the figures only");
    app.add_flag("--details", options.details, "Print the FoxPro and converted texts after each listed statement");
    app.add_flag("--categories", options.categories, "Count the residue by construct and the rejections by error");
    app.add_option("--sample", options.sample,
                   "Measure only every Nth variant, field variant and transplant (1: all); their figures are then "
                   "not held to the floors, the others' are")
        ->check(CLI::PositiveNumber);
    app.add_option("--json", options.json, "Write every text's outcome as JSON to this file (- for standard output)");
    app.add_option("--generated", options.generated, "How many generated statements to measure (0: none)")
        ->capture_default_str();
    app.add_option("--generated2", options.generated2,
                   "How many statements of the second generated family to measure (0: none): the generator's wide "
                   "set of functions (CHRTRAN, GETWORDNUM, GOMONTH, DOW, STRTRAN with nStart..., each with its "
                   "optional arguments and special forms), object references and other date literals, named "
                   "generated2:SEED#N")
        ->capture_default_str();
    app.add_option("--seed", options.seeds, "Generate from these seeds instead of the fixed ones");
    app.add_flag("--random-seed", options.random_seed, "Generate from a random seed, which is printed");
    app.add_option("--statement", options.statements,
                   "Measure only these generated statements (seed#number, as the listing names them), with details");
    app.add_option("--only", options.only,
                   "Measure only these sources (selects, fieldlists, generated, generated2, variants, fieldvariants, "
                   "transplants)");
    app.add_flag("--list-generated", options.list_generated,
                 "Print the generated statements and stop (those of the second family with --only generated2)");
    app.add_flag("--trial-tables", options.trial_tables,
                 "Create the generator's tables before measuring, so that statements written over them (customer, "
                 "orders, product, item) are checked against real columns and types");
    app.add_flag("--compare-engines", options.compare_engines,
                 "Fill the generator's tables with the same rows on both servers (implies --trial-tables) and run "
                 "every statement both accept: the MySQL output on MariaDB and the PostgreSQL output on PostgreSQL "
                 "must give the same rows");
    app.add_flag("--findings", options.findings,
                 "Sort the generated statements' failures by cause, each with a statement reduced to a short one");
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
