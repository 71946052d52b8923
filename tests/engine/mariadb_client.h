// A small client of the private MariaDB server that the engine tests run against (scripts/mariadb,
// started by ctest's "mariadb" fixture). It reaches the server through the Unix socket named by
// TARNVEL_MARIADB_SOCKET and works in the database "tarnvel".
#pragma once

#include <optional>
#include <string>
#include <vector>

struct st_mysql;

namespace engine {

// The server's answer to a statement: 0 when it was accepted, else its error number and message
// (PostgreSQL: 1, with the SQLSTATE).
struct Answer {
    unsigned code = 0;
    std::string message;
    std::string state;  // PostgreSQL's SQLSTATE ("42601"); empty from MariaDB
    bool ok() const { return code == 0; }
};

using Row = std::vector<std::optional<std::string>>;  // a NULL column is an empty optional

class MariaDb {
public:
    MariaDb();  // connects; throws std::runtime_error with the reason when it cannot
    ~MariaDb();
    MariaDb(const MariaDb &) = delete;
    MariaDb &operator=(const MariaDb &) = delete;

    Answer execute(const std::string &sql);  // runs a statement, discarding any rows
    Answer prepare(const std::string &sql);  // asks the server to parse and resolve a statement only
    // Runs a query and returns its rows as text; on failure the answer says why and no rows come back.
    std::vector<Row> rows(const std::string &sql, Answer *answer = nullptr);

private:
    Answer last_error();
    st_mysql *connection_ = nullptr;
};

}  // namespace engine
