// Measuring one source: each text is prepared as an application prepares it for a server,
// converted for every target, the MySQL output is put to MariaDB and the PostgreSQL output to
// PostgreSQL, and every output is checked for FoxPro residue.
#pragma once

#include "sources.h"

#include <tarnvel/conditions.hpp>
#include <tarnvel/host.hpp>
#include <tarnvel/residue.hpp>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace engine {
class MariaDb;
class Postgres;
}

namespace validity {

// Every dialect of the registry, in its order.
inline constexpr std::array<tarnvel::Target, tarnvel::dialect_count> targets = [] {
    std::array<tarnvel::Target, tarnvel::dialect_count> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = tarnvel::dialects()[i].id;
    return out;
}();

// The targets' names, each with a blank before it: " sqlserver oracle mysql access".
std::string target_names();

struct TargetOutcome {
    std::optional<std::string> output;  // nullopt when the converter raised an error
    std::string error;                  // the converter's message then
    std::vector<tarnvel::ResidueFinding> residue;
    // Conditions and values out of place (SELECT texts for SQL Server and Oracle only).
    std::optional<tarnvel::ConditionCheck> conditions;
    bool conditions_sound() const { return output && (!conditions || conditions->findings.empty()); }
    bool residue_free() const { return output && residue.empty(); }
};

// What a server said to its dialect's output (MariaDB to MySQL's, PostgreSQL to PostgreSQL's).
struct EngineVerdict {
    bool asked = false;     // false without a server, or when the converter failed
    bool accepted = false;
    unsigned code = 0;      // the server's error number, 0 when it raised none
    std::string state;      // PostgreSQL's SQLSTATE
    std::string message;
    std::string sent;       // the text the server got
};

struct Outcome {
    Statement statement;
    std::string prepared;               // the text the converters got (destinations removed)
    std::vector<std::string> removed;   // what was removed
    std::array<TargetOutcome, tarnvel::dialect_count> targets;  // in the order of 'targets'
    EngineVerdict engine;     // MariaDB
    EngineVerdict pg_engine;  // PostgreSQL
    bool accepted() const { return engine.asked && engine.accepted; }
    bool pg_accepted() const { return pg_engine.asked && pg_engine.accepted; }
};

class Measure {
public:
    // nullptr: no such server (without both, the residue only)
    explicit Measure(engine::MariaDb *server, engine::Postgres *postgres = nullptr);
    // Every text of the source; the source's tables are created on the server first.
    std::vector<Outcome> run(StatementSource &source);
    // One text.
    Outcome measure(Statement statement, tarnvel::ConvertedText kind);
    // Tables created on the servers before any source's.
    void create_trial_tables(const std::vector<TrialTable> &tables);

private:
    template <typename Server>
    void create_tables(Server &server, tarnvel::Target target, const std::vector<TrialTable> &tables,
                       std::vector<std::string> &created);

    tarnvel::Host host_;
    engine::MariaDb *server_;
    engine::Postgres *postgres_;
    std::vector<std::string> created_, pg_created_;  // the trial tables made in this session
    std::vector<std::string> columns_;               // their columns' names, upper case
    // The statements measured now read the trial tables (the source's own, or every source's after
    // create_trial_tables): an unknown name that is one of their columns is then a fault.
    bool over_trial_ = false;
    bool every_source_over_trial_ = false;
};

// True when the server's error only says that a name (table, column, function, database) is
// unknown: the statement was understood, and it runs where the names exist.
bool name_error(unsigned code);
// The same for PostgreSQL's SQLSTATE; a parameter whose type only the bound value gives counts too.
bool pg_name_error(const std::string &state);

}  // namespace validity
