// A small client of the private PostgreSQL server that the engine tests and the validity tool run
// against (scripts/postgres, started by ctest's "postgres" fixture). It reaches the server through
// the socket directory named by TARNVEL_POSTGRES_SOCKET and works in the database "tarnvel". Its
// answers and rows are those of the MariaDB client, so a test runs the same way on either server.
#pragma once

#include "mariadb_client.h"

#include <string>
#include <vector>

struct pg_conn;

namespace engine {

class Postgres {
public:
    Postgres();  // connects; throws std::runtime_error with the reason when it cannot
    ~Postgres();
    Postgres(const Postgres &) = delete;
    Postgres &operator=(const Postgres &) = delete;

    Answer execute(const std::string &sql);  // runs statements, discarding any rows
    // Asks the server to parse and resolve a statement only; 'types' gives the type (its number in
    // pg_type) of each parameter $1, $2..., as a host binds them; 0 or none leaves one to the server.
    Answer prepare(const std::string &sql, const std::vector<unsigned> &types = {});
    // Runs a query and returns its rows as text; on failure the answer says why and no rows come back.
    std::vector<Row> rows(const std::string &sql, Answer *answer = nullptr);

private:
    pg_conn *connection_ = nullptr;
};

}  // namespace engine
