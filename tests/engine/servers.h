// The two servers the engine tests run on, for typed tests over both: the client, the dialect whose
// converters make the SQL, and what the statements written by hand spell differently on each.
#pragma once

#include "mariadb_client.h"
#include "postgres_client.h"

#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace engine {

// What a converter of the dialect makes of the text; empty, with a failure, when it gives no text.
inline std::string convert(std::string_view function, const std::string &text) {
    tarnvel::Host host;
    tarnvel::Result result = host.call(function, {text});
    const auto *converted = std::get_if<std::string>(&result);
    EXPECT_NE(converted, nullptr) << function << " failed on " << text;
    return converted ? *converted : std::string();
}

struct OnMariaDb {
    using Client = MariaDb;
    static constexpr tarnvel::Target target = tarnvel::Target::mysql;
    static constexpr const char *drop = "DROP TEMPORARY TABLE IF EXISTS ";
    static constexpr const char *empty_date = "'0000-00-00'";
    static constexpr const char *empty_datetime = "'0000-00-00 00:00:00'";
};

struct OnPostgres {
    using Client = Postgres;
    static constexpr tarnvel::Target target = tarnvel::Target::pgsql;
    static constexpr const char *drop = "DROP TABLE IF EXISTS ";
    static constexpr const char *empty_date = "NULL";  // no zero date there: the empty date is NULL
    static constexpr const char *empty_datetime = "NULL";
};

template <class Server> std::string select_sql(const std::string &foxpro) {
    return convert(tarnvel::dialect(Server::target).select_function, foxpro);
}
template <class Server> std::string columns(const std::string &fields) {
    return convert(tarnvel::dialect(Server::target).structure_function, fields);
}

// A temporary table 'name' with the columns the structure converter makes of the FoxPro field list
// and the rows of 'inserts' (INSERT statements written for the server); a failure when it refuses one.
template <class Server>
void make_table(typename Server::Client &db, const std::string &name, const std::string &fields,
                const std::vector<std::string> &inserts) {
    ASSERT_TRUE(db.execute(std::string(Server::drop) + name).ok());
    const std::string made = columns<Server>(fields);
    Answer created = db.execute("CREATE TEMPORARY TABLE " + name + " (" + made + ")");
    ASSERT_TRUE(created.ok()) << created.message << "\n" << made;
    for (const std::string &row : inserts) ASSERT_TRUE(db.execute(row).ok()) << row;
}

// The first column of every row the converted FoxPro statement returns on the server, joined by
// 'between' (NULL as "NULL", a row without columns as "?"); a failure when the server refuses it.
template <class Server>
std::string first_values(typename Server::Client &db, const std::string &foxpro, const char *between = " ") {
    const std::string sql = select_sql<Server>(foxpro);
    Answer answer;
    std::vector<Row> result = db.rows(sql, &answer);
    EXPECT_TRUE(answer.ok()) << answer.state << " " << answer.message << "\n" << foxpro << "\n" << sql;
    std::string values;
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (i > 0) values += between;
        values += result[i].empty() ? "?" : result[i][0].value_or("NULL");
    }
    return values;
}

// A FoxPro statement, or an expression that a frame makes one, and the first column of its rows as
// FoxPro gives them (first_values' form).
struct Case {
    const char *foxpro;
    const char *expected;
};

// Each case run on the server as before + foxpro + after, its first column compared with FoxPro's.
template <class Server>
void expect_cases(typename Server::Client &db, std::span<const Case> cases, std::string_view before = "",
                  std::string_view after = "") {
    for (const Case &c : cases) {
        const std::string foxpro = std::string(before) + c.foxpro + std::string(after);
        EXPECT_EQ(first_values<Server>(db, foxpro), c.expected) << foxpro;
    }
}

// A table of the test: its FoxPro field list and the INSERT statement of its rows.
struct Table {
    const char *name;
    const char *fields;
    const char *insert;
};

// The fixture of tests over tables of their own: a client of the server, and 'tables' (an array of
// Table) made afresh before each test.
template <class Server, const auto &tables> class OverTables : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Table &table : tables) {
            make_table<Server>(db, table.name, table.fields, {table.insert});
            if (HasFatalFailure()) return;
        }
    }

    typename Server::Client db;
};

using Servers = ::testing::Types<OnMariaDb, OnPostgres>;
struct ServerName {  // the test names say the server: FoxMeaning/MariaDb.Conditions...
    template <class Server> static std::string GetName(int) {
        return Server::target == tarnvel::Target::mysql ? "MariaDb" : "Postgres";
    }
};

}  // namespace engine
