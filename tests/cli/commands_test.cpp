// tarnvel call, structure and the frame of the command: typing of arguments, errors, exit codes (those of
// variables and tables too).
#include "cli/run_cli.h"

#include <gtest/gtest.h>

namespace {

TEST(Call, ArgumentsAreTypedAsFoxProWritesThem) {
    struct Case {
        const char *arguments;
        int status;
        const char *out;
        const char *err;
    } cases[] = {
        {"call zq_wontop --window 12", 0, "12\n", ""},
        {"call ZQV_SETFROMFOX .T.", 0, "", ""},
        {"call ZQV_SETFROMFOX .f.", 0, "", ""},
        {"call ZQV_SETFROMFOX -s .T.", 1, "", "tarnvel: error 11: Function argument value, type, or count is invalid\n"},
        {"call ZQV_SETFROMFOX 5", 1, "", "tarnvel: error 11: Function argument value, type, or count is invalid\n"},
        {"call ZQV_SETFROMFOX .T. .T.", 1, "", "tarnvel: error 1230: Too many arguments\n"},
        {"call ZQV_SETLOC C", 0, "", ""},
        {"call ZQV_SETLOC 5", 1, "", "tarnvel: error 11: Function argument value, type, or count is invalid\n"},
        {"call ZQV_SETLOC -s 5", 0, "", ""},
        {"call ZQV_GETLOC", 0, "C\n", ""},
        {"call NO_SUCH", 1, "", "tarnvel: 'NO_SUCH' is not a function of the library\n"},
        {"call ZQ_EDITOR_PASTE --window 4", 0, "", "tarnvel: warning: the library sent the editor command paste to window 4\n"},
        {"call ZQ_EDITOR_PASTE", 0, "", ""},
    };
    for (const Case &c : cases) {
        auto r = clitest::run(c.arguments);
        EXPECT_EQ(r.status, c.status) << c.arguments;
        EXPECT_EQ(r.out, c.out) << c.arguments;
        EXPECT_EQ(r.err, c.err) << c.arguments;
    }
}

TEST(Call, BadUsageExitsWithTwo) {
    for (const char *arguments : {"", "call", "nosuchcommand", "call X --var noequals", "call X --array 'a=1'",
                                  "call X --session", "structure FIELDS", "structure --to db2 x",
                                  "structure --to oracle --no-defaults x", "variables 'x'", "variables --to db2 'x'",
                                  "tables --mode DIRECT x", "tables --source MS_SQL x",
                                  "variables --to mysql --var noequals x"}) {
        auto r = clitest::run(arguments);
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.err.rfind("tarnvel: ", 0), 0u) << arguments << ": " << r.err;
    }
}

TEST(Call, HelpIsEverywhere) {
    for (const char *arguments : {"--help", "call --help", "batch --help", "structure --help"}) {
        auto r = clitest::run(arguments);
        EXPECT_EQ(r.status, 0) << arguments;
        EXPECT_NE(r.out.find("Usage:"), std::string::npos) << arguments;
    }
}

TEST(Structure, ReadsItsFieldListFromTheArgumentOrStandardInput) {
    auto from_argument = clitest::run("structure --to mysql 'NAME C(20)'");
    auto from_input = clitest::run("structure --to mysql -", "NAME C(20)\n");
    EXPECT_EQ(from_argument.status, from_input.status);
    EXPECT_EQ(from_argument.out, from_input.out);
    EXPECT_EQ(from_argument.err, from_input.err);
}

}  // namespace
