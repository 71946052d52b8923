#include "mariadb_client.h"

#include <mysql.h>

#include <cstdlib>
#include <stdexcept>

namespace engine {

MariaDb::MariaDb() {
    const char *socket = std::getenv("TARNVEL_MARIADB_SOCKET");
    if (!socket || !*socket)
        throw std::runtime_error("TARNVEL_MARIADB_SOCKET is not set: run the engine tests through ctest, "
                                 "which starts the server with scripts/mariadb");
    connection_ = mysql_init(nullptr);
    if (!connection_) throw std::runtime_error("mysql_init failed");
    if (!mysql_real_connect(connection_, nullptr, "root", nullptr, "tarnvel", 0, socket, 0)) {
        std::string why = mysql_error(connection_);
        mysql_close(connection_);
        throw std::runtime_error("cannot connect to MariaDB at " + std::string(socket) + ": " + why);
    }
    mysql_set_character_set(connection_, "utf8mb4");
}

MariaDb::~MariaDb() { mysql_close(connection_); }

Answer MariaDb::last_error() { return {mysql_errno(connection_), mysql_error(connection_), {}}; }

Answer MariaDb::execute(const std::string &sql) {
    if (mysql_real_query(connection_, sql.data(), sql.size()) != 0) return last_error();
    do {
        if (MYSQL_RES *result = mysql_store_result(connection_)) mysql_free_result(result);
    } while (mysql_next_result(connection_) == 0);
    return {};
}

Answer MariaDb::prepare(const std::string &sql) {
    MYSQL_STMT *statement = mysql_stmt_init(connection_);
    if (!statement) return last_error();
    Answer answer;
    if (mysql_stmt_prepare(statement, sql.data(), sql.size()) != 0)
        answer = {mysql_stmt_errno(statement), mysql_stmt_error(statement), {}};
    mysql_stmt_close(statement);
    return answer;
}

std::vector<Row> MariaDb::rows(const std::string &sql, Answer *answer) {
    std::vector<Row> out;
    if (mysql_real_query(connection_, sql.data(), sql.size()) != 0) {
        if (answer) *answer = last_error();
        return out;
    }
    MYSQL_RES *result = mysql_store_result(connection_);
    if (!result) {
        if (answer) *answer = last_error();
        return out;
    }
    const unsigned columns = mysql_num_fields(result);
    while (MYSQL_ROW row = mysql_fetch_row(result)) {
        unsigned long *lengths = mysql_fetch_lengths(result);
        Row values;
        for (unsigned i = 0; i < columns; ++i) {
            if (row[i]) values.emplace_back(std::string(row[i], lengths[i]));
            else values.emplace_back(std::nullopt);
        }
        out.push_back(std::move(values));
    }
    mysql_free_result(result);
    if (answer) *answer = {};
    return out;
}

}  // namespace engine
