// The converted SQL is run on the real server: a table made with the structure conversion takes
// rows, and a converted SELECT over it returns them.
#include "mariadb_client.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

std::string convert(const char *function, const std::string &text) {
    tarnvel::Host host;
    tarnvel::Result result = host.call(function, {text});
    const auto *converted = std::get_if<std::string>(&result);
    EXPECT_NE(converted, nullptr) << function << " failed on " << text;
    return converted ? *converted : std::string();
}

TEST(MariaDbServer, ConvertedTableAndSelectRunOnTheServer) {
    engine::MariaDb db;
    ASSERT_TRUE(db.execute("DROP TEMPORARY TABLE IF EXISTS smoke").ok());
    const std::string columns = convert("ZQ_MYSQL_CREATE_STRU_CONVERT", "NAME C(20), PRICE N(10,2), BORN D");
    engine::Answer created = db.execute("CREATE TEMPORARY TABLE smoke (" + columns + ")");
    ASSERT_TRUE(created.ok()) << created.message << "\n" << columns;
    ASSERT_TRUE(db.execute("INSERT INTO smoke (NAME, PRICE, BORN) VALUES ('pear', 2.50, '2020-02-29')").ok());
    const std::string select =
        convert("ZQ_MYSQL_SELECT_CONVERT", "sele name, price from smoke wher price > 1 orde by name");
    engine::Answer answer;
    std::vector<engine::Row> rows = db.rows(select, &answer);
    ASSERT_TRUE(answer.ok()) << answer.message << "\n" << select;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "pear");
    EXPECT_EQ(rows[0][1], "2.50");
}

TEST(MariaDbServer, PrepareTellsSyntaxErrorsFromNameErrors) {
    engine::MariaDb db;
    EXPECT_EQ(db.prepare("SELECT a FROM no_such_table").code, 1146u);
    EXPECT_EQ(db.prepare("SELECT a FRM no_such_table").code, 1064u);
    EXPECT_TRUE(db.prepare("SELECT 1 FROM DUAL WHERE 1 = ?").ok());
}

}  // namespace
