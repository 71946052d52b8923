// A host binds each parameter with its variable's type; the PostgreSQL client's prepare takes those
// types, so that the server resolves a statement as it would for the host: a number in SUM is no
// ambiguous unknown, and a date minus a NUMERIC is refused as it is at run time.
#include "postgres_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned numeric = 1700, date = 1082, timestamp = 1114, boolean = 16, unknown = 0;

struct TypedCase {
    const char *sql;
    std::vector<unsigned> types;
    bool accepted;
};

const TypedCase typed_cases[] = {
    {"SELECT SUM($1)", {}, false},  // sum(unknown) is not unique
    {"SELECT SUM($1)", {numeric}, true},
    {"SELECT TRUNC($1)", {numeric}, true},
    {"SELECT AVG(-$1)", {numeric}, true},
    {"SELECT TO_CHAR($1, 'Day')", {date}, true},
    {"SELECT $1 - $2", {timestamp, timestamp}, true},
    {"SELECT NOT $1", {boolean}, true},
    {"SELECT DATE '2020-01-01' - $1", {unknown}, true},  // the server takes it for an integer
    {"SELECT DATE '2020-01-01' - $1", {numeric}, false},  // no date minus a NUMERIC
    {"SELECT $1 + 1.5", {date}, false},
    {"SELECT $1 || 'x'", {unknown}, true},
};

TEST(PostgresServer, PrepareBindsTheParametersTypes) {
    engine::Postgres db;
    for (const TypedCase &c : typed_cases) {
        const engine::Answer answer = db.prepare(c.sql, c.types);
        EXPECT_EQ(answer.ok(), c.accepted) << c.sql << ": " << answer.message;
    }
}

}  // namespace
