// Measuring one source: each text is prepared as an application prepares it for a server,
// converted for the four targets, the MySQL output is put to MariaDB, and every output is checked
// for FoxPro residue.
#pragma once

#include "sources.h"

#include <tarnvel/host.hpp>
#include <tarnvel/residue.hpp>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace engine {
class MariaDb;
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
    bool residue_free() const { return output && residue.empty(); }
};

// What MariaDB said to the MySQL output.
struct EngineVerdict {
    bool asked = false;     // false without a server, or when the converter failed
    bool accepted = false;
    unsigned code = 0;      // the server's error number, 0 when it raised none
    std::string message;
    std::string sent;       // the text the server got
};

struct Outcome {
    Statement statement;
    std::string prepared;               // the text the converters got (destinations removed)
    std::vector<std::string> removed;   // what was removed
    std::array<TargetOutcome, tarnvel::dialect_count> targets;  // in the order of 'targets'
    EngineVerdict engine;
    bool accepted() const { return engine.asked && engine.accepted; }
};

class Measure {
public:
    explicit Measure(engine::MariaDb *server);  // nullptr: residue only, no server
    // Every text of the source; the source's tables are created on the server first.
    std::vector<Outcome> run(StatementSource &source);
    // One text.
    Outcome measure(Statement statement, tarnvel::ConvertedText kind);

private:
    EngineVerdict ask_select(const std::string &mysql);
    EngineVerdict ask_structure(const std::string &mysql);
    void create_tables(const std::vector<TrialTable> &tables);

    tarnvel::Host host_;
    engine::MariaDb *server_;
    std::vector<std::string> created_;  // the trial tables made in this session
};

// True when the server's error only says that a name (table, column, function, database) is
// unknown: the statement was understood, and it runs where the names exist.
bool name_error(unsigned code);

}  // namespace validity
