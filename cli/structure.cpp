// tarnvel structure --to DIALECT [--no-defaults] [FIELDS|-]: converts a FoxPro field list into
// the column list of a CREATE TABLE command.
#include "command.hpp"

namespace {

using namespace tarnvel;

struct StructureOptions {
    std::string dialect;
    bool no_defaults = false;
    std::string fields;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<StructureOptions>();
    cli::add_dialect_option(app, options->dialect);
    app.add_flag("--no-defaults", options->no_defaults, "No DEFAULT clauses (SQL Server and PostgreSQL)");
    app.add_option("FIELDS", options->fields, "Field list, e.g. \"NAME C(20), PRICE N(10,2)\"; - or none reads standard input");

    return [options](cli::Context &context) {
        const DialectRow &dialect = cli::dialect_of(options->dialect);
        if (options->no_defaults && !dialect.no_defaults) {
            std::string names;
            for (const DialectRow &row : dialects()) {
                if (row.no_defaults) names += (names.empty() ? "--to " : " or --to ") + std::string(row.name);
            }
            throw cli::UsageError("--no-defaults is only for " + names);
        }
        std::vector<Arg> args{cli::text_argument(options->fields)};
        if (dialect.no_defaults) args.emplace_back(options->no_defaults);
        auto host = context.make_host();
        Result result = host->call(std::string(dialect.structure_function), args);
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("structure", "Convert a FoxPro field list into CREATE TABLE columns", setup);

}  // namespace
