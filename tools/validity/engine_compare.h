// The same statement on two engines must give the same rows: the MySQL output run on MariaDB and the
// PostgreSQL output run on PostgreSQL, over the same rows in the generator's tables (engine_rows.h),
// are both FoxPro's answer, so where they differ at least one converter changed the meaning (or a
// server's own type rule shows through). The results are compared as sorted multisets of normalised
// values; where they are the same and the statement orders its rows by positions of its select list
// (order_keys.h), the keys' values must also come in the same order ("same order").
#pragma once

#include "measure.h"
#include "report.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace engine {
class MariaDb;
class Postgres;
}  // namespace engine

namespace validity {

// A statement whose results differ, or that fails on one server only.
struct EngineDifference {
    const Outcome *outcome = nullptr;
    std::string mysql_sql, pgsql_sql;  // as run, parameters bound
    std::string mysql_error, pgsql_error;
    std::vector<std::vector<std::string>> mysql_rows, pgsql_rows;  // normalised, sorted
    // where only the order differs: the keys' values in each server's order, up to the first that differs
    std::vector<std::vector<std::string>> mysql_keys, pgsql_keys;
};

struct EngineComparison {
    std::string source;
    std::size_t compared = 0, same = 0;
    // counted apart, not compared
    std::size_t not_accepted = 0;        // a server refused the statement when it was prepared
    std::size_t other_tables = 0;        // fails on both (names not of the trial tables)
    std::size_t one_lacks_a_name = 0;    // an unknown name (function, column) on one server only
    std::size_t untyped_parameters = 0;  // a host parameter whose type its name does not tell
    std::size_t time_of_day = 0;         // DATETIME(), TIME(), SECONDS(), RAND(), SYS()
    std::size_t row_order = 0;           // TOP n: FoxPro keeps the ties, LIMIT cuts them anywhere
    std::vector<EngineDifference> differences;
    // of the statements with the same rows, those ordered by positions, and those in the same order
    std::size_t ordered = 0, same_order = 0;
    std::vector<EngineDifference> order_differences;
};

class EngineCompare {
public:
    // Moves both sessions to a database (schema) of their own, before the trial tables are created.
    EngineCompare(engine::MariaDb &mariadb, engine::Postgres &postgres);
    // Fills the trial tables, once they exist, with the same rows on both servers.
    void fill();
    EngineComparison compare(const std::string &source, const std::vector<Outcome> &outcomes);

private:
    engine::MariaDb &mariadb_;
    engine::Postgres &postgres_;
};

// "engines selects same rows 431/470 (91.7%)"
Figure engine_figure(const EngineComparison &comparison);
// "engines selects same order 120/122 (98.4%)"
Figure engine_order_figure(const EngineComparison &comparison);
// What was compared and skipped; with 'listing', every difference with both conversions and the
// first rows that differ.
void print_engine_comparison(std::ostream &out, const EngineComparison &comparison, bool listing);

// A host parameter's value, typed by FoxPro's naming habit (lcName, ldFrom, m.nId, txtCity.Value),
// as a literal of the target; empty when the name does not tell the type.
std::string parameter_literal(tarnvel::Target target, const std::string &parameter);
// The PostgreSQL type (its number in pg_type) a host binds the parameter with, by the same naming:
// a FoxPro number as NUMERIC, a date as DATE, a datetime as TIMESTAMP. A character or logical
// value, or a name that does not tell, is 0: the server reads it as its place asks (m.letra is no
// logical, whatever its first letter says).
unsigned parameter_pg_type(const std::string &parameter);
// One value as the comparison sees it: NULL and the empty date alike, booleans as 1 and 0, numbers
// to four decimals, texts without trailing blanks (or zero bytes), fractions of zero seconds dropped. PostgreSQL
// writes booleans t and f, MariaDB 1 and 0; its BYTEA values (\x and hex digits) are read as their
// bytes, as MariaDB gives them.
std::string normalised_value(const std::optional<std::string> &value, bool from_postgres);

}  // namespace validity
