#include "engine_compare.h"

#include "engine_rows.h"
#include "order_keys.h"
#include "mariadb_client.h"
#include "postgres_client.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <regex>
#include <string_view>

namespace validity {
namespace {

using tarnvel::Target;

// The database (MariaDB) and schema (PostgreSQL) the comparison works in. Its collation is binary,
// as FoxPro's machine collation is: with MariaDB's default one 'berlin' = 'Berlin'.
constexpr const char *own_database = "tarnvel_engines";

enum class ParameterType { none, text, number, date, datetime, logical };

// FoxPro's naming habit: a type letter first (cName, nId, dFrom), or after a scope letter (lcName,
// pnRate, tdFrom, gl...).
struct TypeLetter {
    char letter;
    ParameterType type;
};
constexpr TypeLetter type_letters[] = {
    {'c', ParameterType::text},     {'n', ParameterType::number}, {'i', ParameterType::number},
    {'y', ParameterType::number},   {'d', ParameterType::date},   {'t', ParameterType::datetime},
    {'l', ParameterType::logical}, {'m', ParameterType::text},
};
constexpr char scope_letters[] = {'l', 'p', 't', 'g'};

// Names whose type letter is not there, by the word they are made of; and the value each takes
// (a range's two ends differ).
struct NamedValue {
    std::string_view word;
    ParameterType type;
    std::string_view value;  // empty: the type's usual value
};
constexpr NamedValue named_values[] = {
    {"desde", ParameterType::date, "2020-01-01"}, {"from", ParameterType::date, "2020-01-01"},
    {"hasta", ParameterType::date, "2020-12-31"}, {"dto", ParameterType::date, "2020-12-31"},
    {"monto", ParameterType::number, "100"},      {"minimo", ParameterType::number, "100"},      {"rate", ParameterType::number, "0.5"},
    {"limit", ParameterType::number, "100"},      {"id", ParameterType::number, "4"},
    {"ciudad", ParameterType::text, "Berlin"},    {"city", ParameterType::text, "Berlin"},
    {"cliente", ParameterType::text, "Anna"},     {"descr", ParameterType::text, "Apple"},
    {"pattern", ParameterType::text, "B%"},       {"buscar", ParameterType::text, "an"},
    {"status", ParameterType::text, "A"},
    {"max", ParameterType::number, "100"},  // txtMax.Value: a bound typed into a text box
};

// A form control's prefix gives the type of its Value.
struct ControlPrefix {
    std::string_view prefix;
    ParameterType type;
};
constexpr ControlPrefix control_prefixes[] = {
    {"txt", ParameterType::text}, {"edt", ParameterType::text},   {"cbo", ParameterType::text},
    {"cmb", ParameterType::text}, {"lst", ParameterType::text},   {"spn", ParameterType::number},
    {"dtp", ParameterType::date}, {"chk", ParameterType::logical}, {"opg", ParameterType::number},
};

struct TypeValue {
    ParameterType type;
    std::string_view value;
};
constexpr TypeValue usual_values[] = {
    {ParameterType::text, "Berlin"},           {ParameterType::number, "2"},
    {ParameterType::date, "2020-02-29"},       {ParameterType::datetime, "2020-02-29 10:30:00"},
    {ParameterType::logical, "TRUE"},
};

// Statements whose answer depends on the moment they run.
constexpr std::string_view moment_calls[] = {"DATETIME(", "TIME(", "SECONDS(", "RAND(", "SYS("};

std::string lower(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool simple_name(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    });
}

ParameterType letter_type(char c) {
    for (const TypeLetter &t : type_letters) {
        if (t.letter == c) return t.type;
    }
    return ParameterType::none;
}

// The type FoxPro's naming gives a lower-cased name: its first letter, or its second after a scope letter.
ParameterType letter_named_type(const std::string &name) {
    const bool scoped = name.size() > 2 && std::find(std::begin(scope_letters), std::end(scope_letters), name[0]) !=
                                               std::end(scope_letters) && letter_type(name[1]) != ParameterType::none;
    if (scoped) return letter_type(name[1]);
    return name.size() > 1 ? letter_type(name[0]) : ParameterType::none;
}

std::pair<ParameterType, std::string_view> parameter_type(std::string name) {
    name = lower(name);
    if (name.size() > 2 && name.front() == '(' && name.back() == ')') name = name.substr(1, name.size() - 2);
    if (!simple_name(name)) return {ParameterType::none, {}};
    if (name.rfind("m.", 0) == 0) name.erase(0, 2);
    if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) {  // thisform.txtCity.Value
        const std::string owner = name.substr(0, dot);
        const std::string control = owner.substr(owner.rfind('.') == std::string::npos ? 0 : owner.rfind('.') + 1);
        if (name.substr(dot + 1) != "value") return {ParameterType::none, {}};  // ListIndex, DisplayValue...
        for (const NamedValue &named : named_values) {  // txtDesde, txtMinimo: the word says more than the prefix
            if (control.size() > named.word.size() &&
                control.compare(control.size() - named.word.size(), named.word.size(), named.word) == 0)
                return {named.type, named.value};
        }
        for (const ControlPrefix &c : control_prefixes) {
            if (control.rfind(c.prefix, 0) == 0) return {c.type, {}};
        }
        return {ParameterType::none, {}};
    }
    const ParameterType lettered = letter_named_type(name);
    for (const NamedValue &named : named_values) {
        if (name.size() < named.word.size() ||
            name.compare(name.size() - named.word.size(), named.word.size(), named.word) != 0)
            continue;
        // nCliente, lnId: the type letter in front of the word says more than the word
        const std::size_t before = name.size() - named.word.size();
        const bool letters_only = before <= 2 && letter_named_type(name.substr(0, before) + "x") == lettered;
        if (before > 0 && letters_only && lettered != ParameterType::none && lettered != named.type) return {lettered, {}};
        return {named.type, named.value};
    }
    return {lettered, {}};
}

bool is_number(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::size_t digits = 0, dots = 0;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i]))) ++digits;
        else if (text[i] == '.' && ++dots == 1) continue;
        else return false;
    }
    if (digits == 0) return false;
    if (i == text.size()) return true;
    // a float's exponent, as both servers write a large one (2.8e24, 1e+25)
    if (++i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    }
    return true;
}

// Replaces the parameter markers of the bound text ("?" for MariaDB, $1... for PostgreSQL) outside
// quotes by the literals.
std::string with_literals(Target target, const std::string &bound, const std::vector<std::string> &literals) {
    std::string out;
    char quote = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < bound.size(); ++i) {
        const char c = bound[i];
        if (quote) {
            out += c;
            if (c == '\\' && target == Target::mysql && quote != '`' && i + 1 < bound.size()) out += bound[++i];
            else if (c == quote) quote = 0;
            continue;
        }
        if (c == '\'' || c == '"' || (c == '`' && target == Target::mysql)) {
            quote = c;
            out += c;
        } else if (target == Target::mysql && c == '?' && next < literals.size()) {
            out += literals[next++];
        } else if (target == Target::pgsql && c == '$' && i + 1 < bound.size() &&
                   std::isdigit(static_cast<unsigned char>(bound[i + 1]))) {
            std::size_t end = i + 1;
            while (end < bound.size() && std::isdigit(static_cast<unsigned char>(bound[end]))) ++end;
            const std::size_t number = std::stoul(bound.substr(i + 1, end - i - 1));
            out += number >= 1 && number <= literals.size() ? literals[number - 1] : bound.substr(i, end - i);
            i = end - 1;
        } else {
            out += c;
        }
    }
    return out;
}

// PostgreSQL writes a BYTEA value as \x and hex digits, MariaDB a BINARY one as its bytes.
std::string from_bytea(const std::string &value) {
    if (value.size() < 2 || value.compare(0, 2, "\\x") != 0 || value.size() % 2 != 0) return value;
    std::string out;
    for (std::size_t i = 2; i < value.size(); i += 2) {
        const std::string pair = value.substr(i, 2);
        if (!std::isxdigit(static_cast<unsigned char>(pair[0])) || !std::isxdigit(static_cast<unsigned char>(pair[1])))
            return value;
        out += static_cast<char>(std::stoi(pair, nullptr, 16));
    }
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

// In the server's order.
Rows normalised(const std::vector<engine::Row> &rows, bool from_postgres) {
    Rows out;
    for (const engine::Row &row : rows) {
        std::vector<std::string> values;
        for (const auto &value : row) values.push_back(normalised_value(value, from_postgres));
        out.push_back(std::move(values));
    }
    return out;
}

Rows sorted(Rows rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Equal, or numbers within the rounding of averages and quotients.
bool same_value(const std::string &a, const std::string &b) {
    if (a == b) return true;
    if (!is_number(a) || !is_number(b)) return false;
    const double x = std::strtod(a.c_str(), nullptr), y = std::strtod(b.c_str(), nullptr);
    return std::fabs(x - y) <= 0.00011 + 1e-9 * std::fabs(x);
}

bool same_rows(const Rows &a, const Rows &b) {
    if (a.size() != b.size()) return false;
    for (std::size_t r = 0; r < a.size(); ++r) {
        if (a[r].size() != b[r].size()) return false;
        for (std::size_t c = 0; c < a[r].size(); ++c) {
            if (!same_value(a[r][c], b[r][c])) return false;
        }
    }
    return true;
}

// The order keys' values of each row, in the server's order; empty rows where a position lies
// beyond the columns.
Rows key_values(const Rows &rows, const std::vector<std::size_t> &positions) {
    Rows out;
    for (const auto &row : rows) {
        std::vector<std::string> keys;
        for (const std::size_t p : positions) {
            if (p >= row.size()) return {};
            keys.push_back(row[p]);
        }
        out.push_back(std::move(keys));
    }
    return out;
}

// Cuts both sequences of keys after the first pair that differs, for the listing.
void cut_after_difference(Rows &a, Rows &b) {
    std::size_t r = 0;
    while (r < a.size() && r < b.size() && same_rows({a[r]}, {b[r]})) ++r;
    a.resize(std::min(a.size(), r + 1));
    b.resize(std::min(b.size(), r + 1));
}

bool lacks_a_name(const engine::Answer &answer, bool postgres) {
    return postgres ? pg_name_error(answer.state) : name_error(answer.code);
}

std::string row_text(const std::vector<std::string> &row) {
    std::string out = "(";
    for (std::size_t i = 0; i < row.size(); ++i) out += (i ? ", " : "") + row[i];
    return out + ")";
}

// The rows of 'a' that 'b' lacks (as multisets), at most 'limit'.
Rows missing_from(const Rows &a, const Rows &b, std::size_t limit) {
    Rows out;
    std::vector<bool> used(b.size(), false);
    for (const auto &row : a) {
        bool found = false;
        for (std::size_t j = 0; j < b.size() && !found; ++j) {
            if (used[j] || row.size() != b[j].size()) continue;
            bool equal = true;
            for (std::size_t c = 0; c < row.size() && equal; ++c) equal = same_value(row[c], b[j][c]);
            if (equal) used[j] = found = true;
        }
        if (!found && out.size() < limit) out.push_back(row);
    }
    return out;
}

}  // namespace

std::string parameter_literal(Target target, const std::string &parameter) {
    const auto [type, named] = parameter_type(parameter);
    if (type == ParameterType::none) return {};
    std::string_view value = named;
    for (const TypeValue &usual : usual_values) {
        if (usual.type == type && value.empty()) value = usual.value;
    }
    switch (type) {
    case ParameterType::text: return "'" + std::string(value) + "'";
    case ParameterType::date: return (target == Target::pgsql ? "DATE '" : "'") + std::string(value) + "'";
    case ParameterType::datetime: return (target == Target::pgsql ? "TIMESTAMP '" : "'") + std::string(value) + "'";
    default: return std::string(value);
    }
}

unsigned parameter_pg_type(const std::string &parameter) {
    struct TypeNumber {
        ParameterType type;
        unsigned number;
    };
    static constexpr TypeNumber numbers[] = {
        {ParameterType::number, 1700}, {ParameterType::date, 1082}, {ParameterType::datetime, 1114},
    };
    const ParameterType type = parameter_type(parameter).first;
    for (const TypeNumber &t : numbers) {
        if (t.type == type) return t.number;
    }
    return 0;
}

std::string normalised_value(const std::optional<std::string> &value, bool from_postgres) {
    if (!value) return "NULL";
    std::string text = from_postgres ? from_bytea(*value) : *value;
    text.erase(text.find_last_not_of(std::string_view(" \0", 2)) + 1);  // a BINARY(n) is padded with zero bytes
    if (text == "0000-00-00" || text == "0000-00-00 00:00:00") return "NULL";  // MariaDB's empty date
    if (from_postgres && (text == "t" || text == "f")) return text == "t" ? "1" : "0";
    if (is_number(text)) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.4f", std::strtod(text.c_str(), nullptr));
        text = buffer;
        return text == "-0.0000" ? "0.0000" : text;
    }
    // A fraction of a second without its trailing zeros: MariaDB writes as many digits as the
    // column's scale (08:05:29.50), PostgreSQL only those it needs (08:05:29.5).
    static const std::regex zero_fraction(R"(^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)\.0+$)");
    static const std::regex trailing_zeros(R"(^(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d*[1-9])0+$)");
    return std::regex_replace(std::regex_replace(text, zero_fraction, "$1"), trailing_zeros, "$1");
}

EngineCompare::EngineCompare(engine::MariaDb &mariadb, engine::Postgres &postgres)
    : mariadb_(mariadb), postgres_(postgres) {
    const std::string db = own_database;
    // The connection's collation too: a literal, or a CAST to CHAR, takes it, not the column's ('a;b' >= 'P').
    for (const std::string &sql : {"CREATE DATABASE IF NOT EXISTS " + db + " CHARACTER SET utf8mb4 COLLATE utf8mb4_bin",
                                   "USE " + db, std::string("SET NAMES utf8mb4 COLLATE utf8mb4_bin"),
                                   std::string("SET SESSION max_statement_time = 10")}) {
        const engine::Answer answer = mariadb_.execute(sql);
        if (!answer.ok()) throw std::runtime_error("MariaDB: " + answer.message + "\n" + sql);
    }
    postgres_.execute("CREATE SCHEMA IF NOT EXISTS " + db);  // a run at the same time may make it first
    for (const std::string &sql : {"SET search_path = " + db + ", public", std::string("SET statement_timeout = 10000")}) {
        const engine::Answer answer = postgres_.execute(sql);
        if (!answer.ok()) throw std::runtime_error("PostgreSQL: " + answer.message + "\n" + sql);
    }
}

void EngineCompare::fill() {
    for (const std::string &sql : trial_rows("'0000-00-00'", "'0000-00-00 00:00:00'")) {
        const engine::Answer answer = mariadb_.execute(sql);
        if (!answer.ok()) throw std::runtime_error("cannot fill a trial table on MariaDB: " + answer.message + "\n" + sql);
    }
    for (const std::string &sql : trial_rows("NULL", "NULL")) {
        const engine::Answer answer = postgres_.execute(sql);
        if (!answer.ok()) throw std::runtime_error("cannot fill a trial table on PostgreSQL: " + answer.message + "\n" + sql);
    }
}

EngineComparison EngineCompare::compare(const std::string &source, const std::vector<Outcome> &outcomes) {
    static const std::regex top(R"(\bTOP\s+[0-9(])");
    EngineComparison result;
    result.source = source;
    for (const Outcome &o : outcomes) {
        if (!o.accepted() || !o.pg_accepted()) {
            ++result.not_accepted;
            continue;
        }
        const std::string foxpro = upper(o.prepared);
        if (std::any_of(std::begin(moment_calls), std::end(moment_calls),
                        [&](std::string_view call) { return foxpro.find(call) != std::string::npos; })) {
            ++result.time_of_day;
            continue;
        }
        if (std::regex_search(foxpro, top)) {
            ++result.row_order;
            continue;
        }
        EngineDifference run;
        run.outcome = &o;
        bool typed = true;
        for (const Target target : {Target::mysql, Target::pgsql}) {
            const auto &converted = *o.targets[static_cast<std::size_t>(target)].output;
            const std::vector<std::string> parameters = tarnvel::bind_parameters(target, converted).parameters;
            std::vector<std::string> literals;
            for (const std::string &p : parameters) {
                literals.push_back(parameter_literal(target, p));
                typed = typed && !literals.back().empty();
            }
            const EngineVerdict &verdict = target == Target::mysql ? o.engine : o.pg_engine;
            (target == Target::mysql ? run.mysql_sql : run.pgsql_sql) = with_literals(target, verdict.sent, literals);
        }
        if (!typed) {
            ++result.untyped_parameters;
            continue;
        }
        engine::Answer my_answer, pg_answer;
        const Rows mysql_order = normalised(mariadb_.rows(run.mysql_sql, &my_answer), false);
        const Rows pgsql_order = normalised(postgres_.rows(run.pgsql_sql, &pg_answer), true);
        run.mysql_rows = sorted(mysql_order);
        run.pgsql_rows = sorted(pgsql_order);
        run.mysql_error = my_answer.message;
        run.pgsql_error = pg_answer.message;
        if (!my_answer.ok() && !pg_answer.ok()) {
            ++result.other_tables;
            continue;
        }
        if ((!my_answer.ok() && lacks_a_name(my_answer, false)) || (!pg_answer.ok() && lacks_a_name(pg_answer, true))) {
            ++result.one_lacks_a_name;
            continue;
        }
        ++result.compared;
        if (!my_answer.ok() || !pg_answer.ok() || !same_rows(run.mysql_rows, run.pgsql_rows)) {
            result.differences.push_back(std::move(run));
            continue;
        }
        ++result.same;
        const std::vector<std::size_t> positions = order_positions(o.prepared);
        run.mysql_keys = key_values(mysql_order, positions);
        run.pgsql_keys = key_values(pgsql_order, positions);
        if (positions.empty() || run.mysql_keys.empty() || run.pgsql_keys.empty()) continue;
        ++result.ordered;
        if (same_rows(run.mysql_keys, run.pgsql_keys)) {
            ++result.same_order;
        } else {
            cut_after_difference(run.mysql_keys, run.pgsql_keys);
            result.order_differences.push_back(std::move(run));
        }
    }
    return result;
}

Figure engine_figure(const EngineComparison &comparison) {
    return {"engines " + comparison.source + " same rows", comparison.same, comparison.compared};
}

Figure engine_order_figure(const EngineComparison &comparison) {
    return {"engines " + comparison.source + " same order", comparison.same_order, comparison.ordered};
}

void print_engine_comparison(std::ostream &out, const EngineComparison &c, bool listing) {
    out << "engines " << c.source << ": " << c.compared << " compared; not compared: " << c.not_accepted
        << " refused by a server, " << c.other_tables << " failing on both (other tables), " << c.one_lacks_a_name
        << " with a name one server lacks, " << c.untyped_parameters << " with untyped parameters, " << c.time_of_day
        << " depending on the moment, " << c.row_order << " with TOP\n";
    if (!listing) return;
    for (const EngineDifference &d : c.differences) {
        out << "\n" << d.outcome->statement.origin << ": the engines differ\n  foxpro: " << d.outcome->prepared
            << "\n  mysql:  " << d.mysql_sql << "\n  pgsql:  " << d.pgsql_sql << "\n";
        auto show = [&](const char *name, const std::string &error, const Rows &own, const Rows &other) {
            out << "  " << name << " ";
            if (!error.empty()) {
                out << "error: " << error << "\n";
                return;
            }
            out << own.size() << " rows";
            const Rows extra = missing_from(own, other, 3);
            if (!extra.empty()) out << ", not in the other:";
            for (const auto &row : extra) out << " " << row_text(row);
            out << "\n";
        };
        show("mariadb", d.mysql_error, d.mysql_rows, d.pgsql_rows);
        show("postgres", d.pgsql_error, d.pgsql_rows, d.mysql_rows);
    }
    for (const EngineDifference &d : c.order_differences) {
        out << "\n" << d.outcome->statement.origin << ": the same rows in another order\n  foxpro: "
            << d.outcome->prepared << "\n  mysql:  " << d.mysql_sql << "\n  pgsql:  " << d.pgsql_sql << "\n";
        for (const auto &[name, keys] : {std::pair{"mariadb", &d.mysql_keys}, std::pair{"postgres", &d.pgsql_keys}}) {
            out << "  " << name << " keys up to the first that differs:";
            for (const auto &row : *keys) out << " " << row_text(row);
            out << "\n";
        }
    }
}

}  // namespace validity
