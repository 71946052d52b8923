// tarnvel structure --to DIALECT [--no-defaults] [FIELDS|-]: converts a FoxPro field list into
// the column list of a CREATE TABLE command.
#include "command.hpp"

#include <map>

namespace {

using namespace tarnvel;

const std::map<std::string, std::string> functions = {
    {"sqlserver", "ZQ_SQL_CREATE_STRU_CONVERT"},
    {"oracle", "ZQ_ORACLE_CREATE_STRU_CONVERT"},
    {"mysql", "ZQ_MYSQL_CREATE_STRU_CONVERT"},
    {"access", "ZQ_ACCESS_CREATE_STRU_CONVERT"},
};

struct StructureOptions {
    std::string dialect;
    bool no_defaults = false;
    std::string fields;
};

cli::Action setup(CLI::App &app) {
    auto options = std::make_shared<StructureOptions>();
    app.add_option("--to", options->dialect, "Target dialect")
        ->required()
        ->check(CLI::IsMember({"sqlserver", "oracle", "mysql", "access"}));
    app.add_flag("--no-defaults", options->no_defaults, "No DEFAULT clauses (SQL Server only)");
    app.add_option("FIELDS", options->fields, "Field list, e.g. \"NAME C(20), PRICE N(10,2)\"; - or none reads standard input");

    return [options](cli::Context &context) {
        if (options->no_defaults && options->dialect != "sqlserver")
            throw cli::UsageError("--no-defaults is only for --to sqlserver");
        std::vector<Arg> args{cli::text_argument(options->fields)};
        if (options->dialect == "sqlserver") args.emplace_back(options->no_defaults);
        auto host = context.make_host();
        Result result = host->call(functions.at(options->dialect), args);
        return cli::print_result(*host, result);
    };
}

const cli::Registration registration("structure", "Convert a FoxPro field list into CREATE TABLE columns", setup);

}  // namespace
