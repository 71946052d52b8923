// The streaming subcommands (select --each-line, batch): lines in, lines out, in order, with
// errors in place; answers written before more input is waited for; text in the user's code page.
#include "cli/run_cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <poll.h>

namespace {

using clitest::answers;
using nlohmann::json;

TEST(EachLine, OneConvertedLinePerInputLine) {
    struct Case {
        const char *name;
        std::string arguments;
        std::string input;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"lines", "", "sele a from t\nsele b from u\n", 0, "SELECT A  FROM T \nSELECT B  FROM U \n", ""},
        {"CR LF and no last break", "", "sele a from t\r\nsele b from u", 0, "SELECT A  FROM T \nSELECT B  FROM U \n", ""},
        {"empty lines stay", "", "\nsele a from t\n\n", 0, "\nSELECT A  FROM T \n\n", ""},
        {"no input", "", "", 0, "", ""},
        {"an error keeps its place", "", "sele a from t\nsele (sele a from t\nsele b from u\n", 1,
         "SELECT A  FROM T \n\nSELECT B  FROM U \n", "tarnvel: line 2: SQL syntax error (subquery ')' missing) \n"},
        {"from the argument", " 'sele a from t\nsele b from u'", "", 0, "SELECT A  FROM T \nSELECT B  FROM U \n", ""},
        {"Cyrillic through CP1251", " --encoding CP1251", "sele имя, b from t wher ы = 'Ёлка'\n", 0,
         "SELECT имя, B  FROM T  WHERE ы = 'Ёлка' \n", ""},
        {"a character the code page lacks", " --encoding CP1251", "sele 日 from t\nsele a from t\n", 1,
         "\nSELECT A  FROM T \n", "tarnvel: line 1: argument 1, character 6: '日' (U+65E5) has no byte in CP1251\n"},
    };
    for (const Case &c : cases) {
        auto r = clitest::run("select --to sqlserver --each-line" + c.arguments, c.input);
        EXPECT_EQ(r.status, c.status) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.name;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.name << ": " << r.err;
        if (c.err.empty()) {
            EXPECT_EQ(r.err, "") << c.name;
        }
    }
}

TEST(EachLine, LongLinesAndManyLinesConvertAsOneAtATime) {
    std::string wide = "sele a";
    while (wide.size() < 300'000) wide += std::string(", column").append(std::to_string(wide.size()));
    wide += " from t";
    std::string input;
    for (int i = 0; i < 2000; ++i) input += std::string("sele a").append(std::to_string(i)) + " from t\n";
    input += wide + "\n";
    auto each = clitest::run("select --to mysql --each-line", input);
    ASSERT_EQ(each.status, 0) << each.err;
    auto one = clitest::run("select --to mysql -", wide);
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(each.out.substr(each.out.size() - one.out.size()), one.out);
    EXPECT_EQ(std::count(each.out.begin(), each.out.end(), '\n'), 2001);
    EXPECT_EQ(each.out.substr(0, 19), "SELECT A0  FROM T \n");
}

// The command on pipes, as a program drives it: one request, then wait for its answer.
class CoProcess {
public:
    explicit CoProcess(const std::string &arguments) {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            // through the emulator where a cross build needs one, as every other command test
            const std::string command = std::string("exec ") + TARNVEL_CLI_LAUNCHER + "'" + TARNVEL_CLI_FILE + "' " + arguments;
            execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        to_ = in[1];
        from_ = out[0];
    }
    ~CoProcess() {
        if (to_ >= 0) close(to_);
        close(from_);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    void send(const std::string &line) { ASSERT_EQ(write(to_, line.data(), line.size()), static_cast<ssize_t>(line.size())); }
    void close_input() {
        close(to_);
        to_ = -1;
    }
    // The next line the command writes, waiting at most 'seconds'; "(timeout)" when none comes.
    std::string receive(int seconds = 20) {
        while (pending_.find('\n') == std::string::npos) {
            pollfd p{from_, POLLIN, 0};
            if (poll(&p, 1, seconds * 1000) <= 0) return "(timeout)";
            char chunk[4096];
            ssize_t n = read(from_, chunk, sizeof chunk);
            if (n <= 0) return "(end)";
            pending_.append(chunk, static_cast<std::size_t>(n));
        }
        std::size_t at = pending_.find('\n');
        std::string line = pending_.substr(0, at);
        pending_.erase(0, at + 1);
        return line;
    }

private:
    pid_t pid_ = -1;
    int to_ = -1, from_ = -1;
    std::string pending_;
};

TEST(Streaming, EachAnswerComesBeforeTheNextRequestIsSent) {
    CoProcess batch("batch");
    batch.send(R"({"fn": "ZQ_SQL_SELECT_CONVERT", "args": ["sele a from t"]})" "\n");
    EXPECT_EQ(batch.receive(), R"({"result":"SELECT A  FROM T "})");
    batch.send(R"({"fn": "ZQV_AT", "args": ["b", "abc"]})" "\n");
    EXPECT_EQ(batch.receive(), R"({"result":2})");
    batch.close_input();
    EXPECT_EQ(batch.receive(), "(end)");

    CoProcess select("select --to oracle --each-line");
    select.send("sele a from t\n");
    EXPECT_EQ(select.receive(), "SELECT A  FROM T ");
    select.send("sele b from u\n");
    EXPECT_EQ(select.receive(), "SELECT B  FROM U ");
}

// The library sees the code page's bytes: ZQV_AT counts them, and the SELECT conversion keeps
// text in the code page as it is.
TEST(Streaming, BatchRoundTripsCyrillicAndChineseThroughTheirCodePages) {
    struct Case {
        const char *encoding;
        json request;
        json result;
    } cases[] = {
        {"CP1251", {{"fn", "ZQ_SQL_SELECT_CONVERT"}, {"args", {"sele имя, цена, n from товары wher город = 'Москва'"}}},
         "SELECT имя, цена, N  FROM товары  WHERE город = 'Москва' "},
        {"CP1251", {{"fn", "ZQV_AT"}, {"args", {"б", "абв"}}}, 2},
        {"CP1251", {{"fn", "ZQ_SQL_FIND_VARIABLES"}, {"args", {"name = ~cName", true}}, {"vars", {{"cName", "Дом"}}}},
         "name = 'Дом'"},
        {"BIG5", {{"fn", "ZQ_MYSQL_SELECT_CONVERT"}, {"args", {"sele 名稱, n from t wher city = '台北' and n like '中%'"}}},
         "SELECT 名稱, N  FROM T  WHERE  CITY = '台北' AND N LIKE '中%' "},
        {"BIG5", {{"fn", "ZQV_AT"}, {"args", {"文", "中文"}}}, 3},
        {"BIG5", {{"fn", "ZQV_STRTRAN"}, {"args", {"x = '中' AND 中 = 1", "中", "文"}}}, "x = '中' AND 文 = 1"},
        {"UTF-8", {{"fn", "ZQV_AT"}, {"args", {"文", "中文"}}}, 4},
    };
    for (const Case &c : cases) {
        auto r = clitest::run(std::string("batch --encoding ") + c.encoding, c.request.dump() + "\n");
        ASSERT_EQ(r.status, 0) << c.encoding << ": " << r.err;
        auto got = answers(r.out);
        ASSERT_EQ(got.size(), 1u) << r.out;
        EXPECT_EQ(got[0], json({{"result", c.result}})) << c.encoding << " " << c.request.dump();
    }
}

TEST(Streaming, TextOutsideTheCodePageIsARequestErrorAndTheBatchGoesOn) {
    std::string input = R"({"fn": "ZQ_SQL_SELECT_CONVERT", "args": ["sele a from t wher b = '日本'"]})" "\n"
                        R"({"fn": "ZQ_SQL_FIND_VARIABLES", "args": ["~x", true], "vars": {"x": {"type": "array", "value": ["a", "Ω"]}}})" "\n"
                        R"({"fn": "ZQ_SQL_SELECT_CONVERT", "args": ["sele a from t wher b = 'Київ'"]})" "\n";
    auto r = clitest::run("batch --encoding CP1251", input);
    ASSERT_EQ(r.status, 0) << r.err;
    auto got = answers(r.out);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0]["error"]["message"], "request error: args[0], character 25: '日' (U+65E5) has no byte in CP1251");
    EXPECT_EQ(got[1]["error"]["message"], "request error: vars.x[2], character 1: 'Ω' (U+03A9) has no byte in CP1251");
    EXPECT_EQ(got[2]["result"], "SELECT A  FROM T  WHERE B = 'Київ' ");
}

TEST(Streaming, UnknownEncodingsAreBadUsage) {
    for (const char *arguments : {"--encoding NO-SUCH batch", "batch --encoding UTF-16", "--encoding '' select --to mysql x"}) {
        auto r = clitest::run(arguments, "");
        EXPECT_EQ(r.status, 2) << arguments;
        EXPECT_EQ(r.err.rfind("tarnvel: --encoding: ", 0), 0u) << arguments << ": " << r.err;
    }
}

}  // namespace
