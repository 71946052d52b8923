// tarnvel variables and tarnvel tables as a person runs them.
#ifdef TARNVEL_CLI_FILE
#include "cli/run_cli.h"

#include <gtest/gtest.h>

namespace {

TEST(VariablesCommand, RunsAsWritten) {
    struct Case {
        const char *arguments;
        const char *input;
        int status;
        const char *out;
        const char *err;
    } cases[] = {
        {"variables --to mysql --literals --var nId=5 --var cName=\"O'Neil\" "
         "\"SELECT * FROM t WHERE id = ~nId AND name = ~cName\"",
         "", 0, "SELECT * FROM t WHERE id = 5 AND name = 'O''Neil'\n", ""},
        {"variables --to sqlserver --var nId=5 'WHERE id = ~nId'", "", 0, "WHERE id = ?nId\n", ""},
        {"variables --to oracle 'WHERE id = ~nId'", "", 0, "WHERE id = ?nId\n", ""},
        {"variables --to access --literals --var 'd={^2010-08-16}' --var 'y=$1.05' -", "SELECT ~d, ~y\n", 0,
         "SELECT #2010-08-16#, 1.0500\n", ""},
        {"variables --to sqlserver --literals --var 'y=$1.05' --var 'l=.T.' 'SELECT ~y, ~l AS ok'", "", 0,
         "SELECT $1.0500, cast (1 as bit) AS ok\n", ""},
        {"variables --to sqlserver 'WHERE id = ~nId'", "", 1, "", "tarnvel: Variable not found: nId\n"},
        {"tables --source MS_SQL --mode DIRECT --array \"A__orders_1=['dbo.Orders']\" 'SELECT * FROM ..orders, ..items'",
         "", 0, "SELECT * FROM dbo.Orders, items\n", ""},
        {"tables --source MS_SQL --mode DIRECT --session 2 --array 'A__orders_2=[dbo.O2]' -", "SELECT * FROM ..orders\n", 0,
         "SELECT * FROM dbo.O2\n", ""},
        {"tables --source DBF_TABLES --mode DIRECT 'SELECT * FROM ..#tmp'", "", 0, "SELECT * FROM tmp\n", ""},
    };
    for (const Case &c : cases) {
        auto r = clitest::run(c.arguments, c.input);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out, c.out) << c.arguments;
        EXPECT_EQ(r.err, c.err) << c.arguments;
    }
}

TEST(VariablesCommand, MemoFieldMessageIsAWarning) {
    std::string value(64001, 'x');
    auto r = clitest::run("variables --to sqlserver --literals --var \"c='" + value + "'\" 'a = ~c'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "a = ''\n");
    EXPECT_NE(r.err.find("warning"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("MessageBox([Memo field size too large ! Data was lost !],55,[!],70000)"), std::string::npos);
}

}  // namespace
#endif
