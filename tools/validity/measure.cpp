#include "measure.h"

#include "mariadb_client.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <variant>

namespace validity {
namespace {

using tarnvel::ConvertedText;
using tarnvel::Target;

std::string_view converter(ConvertedText kind, Target target) {
    const tarnvel::DialectRow &row = tarnvel::dialect(target);
    return kind == ConvertedText::select ? row.select_function : row.structure_function;
}

// The table the field lists are tried on; temporary, so it lives in this session only.
constexpr const char *trial_table = "tarnvel_validity_fields";

}  // namespace

std::string target_names() {
    std::string out;
    for (Target target : targets) out += " " + std::string(tarnvel::target_name(target));
    return out;
}

bool name_error(unsigned code) {
    // 1049 unknown database, 1051 and 1109 unknown table, 1054 unknown column, 1146 no such table,
    // 1305 and 1630 no such function.
    static constexpr unsigned codes[] = {1049, 1051, 1054, 1109, 1146, 1305, 1630};
    return std::find(std::begin(codes), std::end(codes), code) != std::end(codes);
}

Measure::Measure(engine::MariaDb *server) : server_(server) { host_.call("ZQV_SETFROMFOX", {true}); }

EngineVerdict Measure::ask_select(const std::string &mysql) {
    EngineVerdict verdict;
    verdict.asked = true;
    verdict.sent = tarnvel::bind_parameters(Target::mysql, mysql).text;
    const engine::Answer answer = server_->prepare(verdict.sent);
    verdict.code = answer.code;
    verdict.message = answer.message;
    verdict.accepted = answer.ok() || name_error(answer.code);
    return verdict;
}

EngineVerdict Measure::ask_structure(const std::string &mysql) {
    EngineVerdict verdict;
    verdict.asked = true;
    verdict.sent = std::string("CREATE TEMPORARY TABLE ") + trial_table + " (" + mysql + ")";
    const engine::Answer answer = server_->execute(verdict.sent);
    verdict.code = answer.code;
    verdict.message = answer.message;
    verdict.accepted = answer.ok();
    if (answer.ok()) server_->execute(std::string("DROP TEMPORARY TABLE ") + trial_table);
    return verdict;
}

void Measure::create_tables(const std::vector<TrialTable> &tables) {
    if (!server_) return;
    for (const TrialTable &table : tables) {
        if (std::find(created_.begin(), created_.end(), table.name) != created_.end()) continue;
        tarnvel::Result columns = host_.call(converter(ConvertedText::structure, Target::mysql), {table.fields});
        const auto *text = std::get_if<std::string>(&columns);
        const std::string sql = "CREATE TEMPORARY TABLE " + table.name + " (" + (text ? *text : std::string()) + ")";
        const engine::Answer answer = server_->execute(sql);
        if (!text || !answer.ok())
            throw std::runtime_error("cannot create the table " + table.name + ": " + answer.message + "\n" + sql);
        created_.push_back(table.name);
    }
}

Outcome Measure::measure(Statement statement, ConvertedText kind) {
    Outcome outcome;
    outcome.statement = std::move(statement);
    if (kind == ConvertedText::select) {
        tarnvel::ServerStatement prepared = tarnvel::strip_destinations(outcome.statement.text);
        outcome.prepared = std::move(prepared.text);
        outcome.removed = std::move(prepared.removed);
    } else {
        outcome.prepared = outcome.statement.text;
    }
    for (std::size_t i = 0; i < targets.size(); ++i) {
        TargetOutcome &result = outcome.targets[i];
        try {
            tarnvel::Result converted = host_.call(converter(kind, targets[i]), {outcome.prepared});
            if (const auto *text = std::get_if<std::string>(&converted)) result.output = *text;
            else result.error = "the converter returned no text";
        } catch (const tarnvel::Error &error) {
            result.error = error.message();
        }
        if (result.output) result.residue = tarnvel::find_residue(targets[i], kind, *result.output);
    }
    const TargetOutcome &mysql = outcome.targets[static_cast<std::size_t>(Target::mysql)];
    if (server_ && mysql.output)
        outcome.engine = kind == ConvertedText::select ? ask_select(*mysql.output) : ask_structure(*mysql.output);
    return outcome;
}

std::vector<Outcome> Measure::run(StatementSource &source) {
    create_tables(source.tables());
    std::vector<Outcome> outcomes;
    while (std::optional<Statement> statement = source.next())
        outcomes.push_back(measure(std::move(*statement), source.kind()));
    return outcomes;
}

}  // namespace validity
