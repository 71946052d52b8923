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

// Text that gives the library nothing to work on, or that it would read only in part, is bad usage
// with a message, never an empty answer and success.
TEST(Call, EmptyOrCutTextIsBadUsage) {
    const struct {
        const char *arguments;
        std::string input;
        const char *message;
    } cases[] = {
        {"select --to mysql ''", "", "no text to work on"},
        {"select --to mysql -", "", "no text to work on"},
        {"select --to oracle", "\n", "no text to work on"},
        {"iif -", "", "no text to work on"},
        {"strip-directives", "", "no text to work on"},
        {"structure --to mysql -", "", "no text to work on"},
        {"select --to mysql -", std::string("SELECT a\0b FROM t", 17), "NUL byte at offset 8"},
        {"reserved --to pgsql -", std::string("\0", 1), "NUL byte at offset 0"},
    };
    for (const auto &c : cases) {
        auto r = clitest::run(c.arguments, c.input);
        EXPECT_EQ(r.status, 2) << c.arguments;
        EXPECT_EQ(r.out, "") << c.arguments;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.arguments << ": " << r.err;
    }
    // with --each-line a line holding a NUL is that line's error, and the others convert
    auto each = clitest::run("select --to mysql --each-line", std::string("sele a from t\nsele \0b\nsele c from u\n", 36));
    EXPECT_EQ(each.status, 1);
    EXPECT_EQ(each.out, "SELECT A  FROM T \n\nSELECT C  FROM U \n");
    EXPECT_EQ(each.err, "tarnvel: line 2: the line holds a NUL byte\n");
}

TEST(Call, StandardInputOrOutputThatFailsIsAnError) {
    const std::string err = clitest::write_temp("closed.err", "");
    const std::string command = std::string(TARNVEL_CLI_LAUNCHER) + "'" + TARNVEL_CLI_FILE + "' select --to mysql - <&- 2>'" + err + "' >/dev/null";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << raw;
    EXPECT_EQ(clitest::read_file(err), "tarnvel: cannot read standard input\n");
    // an answer that cannot be written is an error too, with or without --each-line
    for (const char *arguments : {" select --to mysql 'sele a from t'", " select --to mysql --each-line 'sele a from t'"}) {
        const std::string full = std::string(TARNVEL_CLI_LAUNCHER) + "'" + TARNVEL_CLI_FILE + "'" + arguments + " >/dev/full 2>'" + err + "'";
        const int status = std::system(full.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << arguments;
        EXPECT_EQ(clitest::read_file(err), "tarnvel: cannot write standard output\n") << arguments;
    }
    std::remove(err.c_str());
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
