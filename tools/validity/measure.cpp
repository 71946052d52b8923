#include "measure.h"

#include "engine_compare.h"
#include "rejections.h"

#include "mariadb_client.h"
#include "postgres_client.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <stdexcept>
#include <type_traits>
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

bool pg_name_error(const std::string &state) {
    // 42P01 undefined table, 42703 undefined column, 42883 undefined function, 3F000 unknown schema,
    // 42P18 a parameter of undetermined type.
    static constexpr std::string_view states[] = {"42P01", "42703", "42883", "3F000", "42P18"};
    return std::find(std::begin(states), std::end(states), state) != std::end(states);
}

Measure::Measure(engine::MariaDb *server, engine::Postgres *postgres) : server_(server), postgres_(postgres) {
    host_.call("ZQV_SETFROMFOX", {true});
}

namespace {

// A table named by an expression, FROM (cAlias), is the application's to resolve before it sends
// the statement, as it binds the parameters: MariaDB reads (cAlias) as the table cAlias, PostgreSQL
// refuses the parentheses, so for PostgreSQL the measure writes the name alone, as MariaDB reads it.
// The residue check still reports the construct in the converted text.
std::string resolve_name_expressions(Target target, std::string text) {
    if (target != Target::pgsql) return text;
    const std::vector<tarnvel::ResidueFinding> found = tarnvel::find_residue(target, ConvertedText::select, text);
    for (auto f = found.rbegin(); f != found.rend(); ++f) {
        const std::string &t = f->text;
        if (f->construct != "name-expression" || t.size() < 2 || t.front() != '(' || t.back() != ')') continue;
        if (text.compare(f->offset, t.size(), t) != 0) continue;
        // FROM(m.main) keeps its words apart: the name alone would glue to FROM
        const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
        const bool before = f->offset > 0 && word(text[f->offset - 1]);
        const bool after = f->offset + t.size() < text.size() && word(text[f->offset + t.size()]);
        text.replace(f->offset, t.size(), (before ? " " : "") + t.substr(1, t.size() - 2) + (after ? " " : ""));
    }
    return text;
}

// The error names a table that the column list's REFERENCES names (PostgreSQL 42P01, MariaDB 1146
// and 1824): the parent table, which the application's database holds.
bool unknown_parent(const engine::Answer &answer, const std::string &converted) {
    const bool unknown_table = answer.state == "42P01" || answer.code == 1146 || answer.code == 1824;
    if (!unknown_table) return false;
    std::string upper = converted;
    for (char &c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper.find("REFERENCES") != std::string::npos;
}

// A SELECT is prepared (only its names may be unknown); a column list makes a temporary table,
// where any error is a rejection but a parent table that REFERENCES names and the trial server does
// not have.
template <typename Server>
EngineVerdict ask(Server &server, Target target, ConvertedText kind, const std::string &converted,
                  bool (*known)(const engine::Answer &, const std::vector<std::string> &),
                  const std::vector<std::string> &columns) {
    EngineVerdict verdict;
    verdict.asked = true;
    engine::Answer answer;
    if (kind == ConvertedText::select) {
        const tarnvel::BoundStatement bound = tarnvel::bind_parameters(target, converted);
        verdict.sent = resolve_name_expressions(target, bound.text);
        if constexpr (std::is_same_v<Server, engine::Postgres>) {
            std::vector<unsigned> types;  // as the host binds them: a numeric variable is no unknown
            for (const std::string &p : bound.parameters) types.push_back(parameter_pg_type(p));
            answer = server.prepare(verdict.sent, types);
        } else {
            answer = server.prepare(verdict.sent);
        }
    } else {
        verdict.sent = std::string("CREATE TEMPORARY TABLE ") + trial_table + " (" + converted + ")";
        answer = server.execute(verdict.sent);
    }
    verdict.code = answer.code;
    verdict.state = answer.state;
    verdict.message = answer.message;
    verdict.accepted = answer.ok() || (kind == ConvertedText::select && known(answer, columns)) ||
                       (kind == ConvertedText::structure && unknown_parent(answer, converted));
    if (kind == ConvertedText::structure && answer.ok()) server.execute(std::string("DROP TABLE ") + trial_table);
    return verdict;
}

// An unknown name the trial tables have as a column (rejections.h) is no unknown name.
bool mysql_names(const engine::Answer &answer, const std::vector<std::string> &columns) {
    return name_error(answer.code) && !refuses_known_column(answer.code, answer.state, answer.message, columns);
}
// 42883 also stands for an operator without a form for its operands' types (a timestamp minus an
// integer): a fault of the conversion, not an unknown name; so does 42P01 for a qualifier the
// statement reads where it does not define it.
bool pgsql_names(const engine::Answer &answer, const std::vector<std::string> &columns) {
    return pg_name_error(answer.state) && answer.message.find("operator does not exist") == std::string::npos &&
           !undefined_qualifier(answer.state, answer.message) &&
           !refuses_known_column(answer.code, answer.state, answer.message, columns);
}

}  // namespace

template <typename Server>
void Measure::create_tables(Server &server, Target target, const std::vector<TrialTable> &tables,
                            std::vector<std::string> &created) {
    for (const TrialTable &table : tables) {
        if (std::find(created.begin(), created.end(), table.name) != created.end()) continue;
        tarnvel::Result columns = host_.call(converter(ConvertedText::structure, target), {table.fields});
        const auto *text = std::get_if<std::string>(&columns);
        const std::string sql = "CREATE TEMPORARY TABLE " + table.name + " (" + (text ? *text : std::string()) + ")";
        const engine::Answer answer = server.execute(sql);
        if (!text || !answer.ok())
            throw std::runtime_error("cannot create the table " + table.name + " on " +
                                     std::string(tarnvel::target_title(target)) + ": " + answer.message + "\n" + sql);
        created.push_back(table.name);
        for (std::string &column : field_names(table.fields)) {
            if (std::find(columns_.begin(), columns_.end(), column) == columns_.end()) columns_.push_back(std::move(column));
        }
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
        if (result.output && kind == ConvertedText::select && !tarnvel::conditions_are_values(targets[i]))
            result.conditions = tarnvel::find_condition_misuse(targets[i], *result.output);
    }
    // the trial tables' columns are known names only to statements written over those tables
    const std::vector<std::string> none;
    const std::vector<std::string> &columns = over_trial_ ? columns_ : none;
    const TargetOutcome &mysql = outcome.targets[static_cast<std::size_t>(Target::mysql)];
    if (server_ && mysql.output) outcome.engine = ask(*server_, Target::mysql, kind, *mysql.output, mysql_names, columns);
    const TargetOutcome &pgsql = outcome.targets[static_cast<std::size_t>(Target::pgsql)];
    if (postgres_ && pgsql.output) outcome.pg_engine = ask(*postgres_, Target::pgsql, kind, *pgsql.output, pgsql_names, columns);
    return outcome;
}

void Measure::create_trial_tables(const std::vector<TrialTable> &tables) {
    every_source_over_trial_ = over_trial_ = true;
    if (server_) create_tables(*server_, Target::mysql, tables, created_);
    if (postgres_) create_tables(*postgres_, Target::pgsql, tables, pg_created_);
}

std::vector<Outcome> Measure::run(StatementSource &source) {
    over_trial_ = every_source_over_trial_ || !source.tables().empty();
    if (server_) create_tables(*server_, Target::mysql, source.tables(), created_);
    if (postgres_) create_tables(*postgres_, Target::pgsql, source.tables(), pg_created_);
    std::vector<Outcome> outcomes;
    while (std::optional<Statement> statement = source.next())
        outcomes.push_back(measure(std::move(*statement), source.kind()));
    return outcomes;
}

}  // namespace validity
