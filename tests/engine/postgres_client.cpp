#include "postgres_client.h"

#include <libpq-fe.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace engine {
namespace {

struct ClearResult {
    void operator()(PGresult *result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ClearResult>;

// The answer to a finished command: accepted, or 1 with the server's SQLSTATE and message.
Answer answer_of(PGconn *connection, const PGresult *result) {
    const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_EMPTY_QUERY) return {};
    Answer answer;
    answer.code = 1;
    const char *state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char *message = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    answer.state = state ? state : "";
    answer.message = message ? message : PQerrorMessage(connection);
    return answer;
}

}  // namespace

Postgres::Postgres() {
    const char *socket = std::getenv("TARNVEL_POSTGRES_SOCKET");
#ifdef TARNVEL_POSTGRES_SOCKET_DEFAULT
    if (!socket || !*socket) socket = TARNVEL_POSTGRES_SOCKET_DEFAULT;
#endif
    if (!socket || !*socket)
        throw std::runtime_error("TARNVEL_POSTGRES_SOCKET is not set: run the engine tests through ctest, "
                                 "which starts the server with scripts/postgres");
    const char *keys[] = {"host", "dbname", "client_encoding", nullptr};
    const char *values[] = {socket, "tarnvel", "UTF8", nullptr};
    connection_ = PQconnectdbParams(keys, values, 0);
    if (!connection_ || PQstatus(connection_) != CONNECTION_OK) {
        std::string why = connection_ ? PQerrorMessage(connection_) : "out of memory";
        PQfinish(connection_);
        throw std::runtime_error("cannot connect to PostgreSQL at " + std::string(socket) + ": " + why);
    }
    // Notices (a table that IF EXISTS did not find) are of no interest here.
    PQsetNoticeProcessor(connection_, [](void *, const char *) {}, nullptr);
}

Postgres::~Postgres() { PQfinish(connection_); }

Answer Postgres::execute(const std::string &sql) {
    const Result result(PQexec(connection_, sql.c_str()));
    return answer_of(connection_, result.get());
}

Answer Postgres::prepare(const std::string &sql, const std::vector<unsigned> &types) {
    static_assert(std::is_same_v<Oid, unsigned>);
    const Result result(PQprepare(connection_, "", sql.c_str(), static_cast<int>(types.size()),
                                  types.empty() ? nullptr : types.data()));
    return answer_of(connection_, result.get());
}

std::vector<Row> Postgres::rows(const std::string &sql, Answer *answer) {
    std::vector<Row> out;
    const Result result(PQexec(connection_, sql.c_str()));
    const Answer said = answer_of(connection_, result.get());
    if (answer) *answer = said;
    if (!said.ok()) return out;
    const int count = PQntuples(result.get());
    const int columns = PQnfields(result.get());
    for (int r = 0; r < count; ++r) {
        Row values;
        for (int c = 0; c < columns; ++c) {
            if (PQgetisnull(result.get(), r, c)) values.emplace_back(std::nullopt);
            else values.emplace_back(std::string(PQgetvalue(result.get(), r, c),
                                                 static_cast<std::size_t>(PQgetlength(result.get(), r, c))));
        }
        out.push_back(std::move(values));
    }
    return out;
}

}  // namespace engine
