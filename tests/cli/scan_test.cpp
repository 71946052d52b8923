// tarnvel scan over a small FoxPro source tree written here: a program, a text export, a form
// kept as a table and its memo file, a broken form and a file that is no source. Every planted
// statement is found in its file, line and method, and the HTML report opens in a browser.
#include "cli/run_cli.h"
#include "scan/form_files.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char *const app_prg =
    "* Orders: the statements a migration meets\r\n"                                     // 1
    "LOCAL lcId\r\n"                                                                     // 2
    "SELECT o.id, o.amount ;\r\n"                                                        // 3
    "   FROM orders o ;\r\n"                                                             // 4
    "   WHERE o.amount > 100 ;  && big ones\r\n"                                         // 5
    "   INTO CURSOR curBig READWRITE\r\n"                                                // 6
    "SELECT orders\r\n"                                                                  // 7
    "* SELECT id FROM commented\r\n"                                                     // 8
    "TEXT TO lcSql NOSHOW\r\n"                                                           // 9
    "SELECT id FROM in_text\r\n"                                                         // 10
    "ENDTEXT\r\n"                                                                        // 11
    "SELE name FROM customer WHERE NetPrice(price) > 5 AND id == m.lcId INTO ARRAY laX\r\n"  // 12
    "SELECT &lcFields FROM orders\r\n"                                                   // 13
    "CREATE CURSOR curTotals (id I, total N(12,2), note M)\r\n"                          // 14
    "PROCEDURE Reload\r\n"                                                               // 15
    "  SELECT '<b>' + name AS t FROM (lcTable) WHERE RECNO() > 1\r\n"                    // 16
    "  SELECT * FROM d:\\data\\orders.dbf WHERE .T.\r\n"                              // 17
    "ENDPROC\r\n";

const char *const helpers_prg =
    "FUNCTION NetPrice(tnPrice)\n"
    "  RETURN tnPrice * 0.8\n"
    "ENDFUNC\n";

const char *const orders_sc2 =
    "*< FileMetadata: Type=\"S\" Cpid=\"1252\" />\n"                                     // 1
    "DEFINE CLASS frmorders AS form\n"                                                   // 2
    "\tCaption = \"SELECT x FROM not_code\"\n"                                           // 3
    "\tADD OBJECT 'cmdLoad' AS commandbutton WITH ;\n"                                   // 4
    "\t\tCaption = \"Load\"\n"                                                           // 5
    "\n"                                                                                 // 6
    "\tPROCEDURE cmdLoad.Click\n"                                                        // 7
    "\t\tSELECT * FROM orders WHERE cust = thisform.txtCust.Value ;\n"                   // 8
    "\t\t\tORDER BY 1 INTO CURSOR curOrders\n"                                           // 9
    "\tENDPROC\n"                                                                        // 10
    "\n"                                                                                 // 11
    "\tPROCEDURE Init\n"                                                                 // 12
    "\t\tCREATE CURSOR curPick (sel L, code C(5))\n"                                     // 13
    "\tENDPROC\n"                                                                        // 14
    "ENDDEFINE\n";

// "file[#record]:line kind object/method status diagnostic..." for every statement of the JSON lines.
std::vector<std::string> statements_of(const std::string &jsonl, std::vector<std::string> &problems) {
    std::vector<std::string> out;
    std::istringstream lines(jsonl);
    for (std::string line; std::getline(lines, line);) {
        const auto o = nlohmann::json::parse(line);
        std::string file = fs::path(o["file"].get<std::string>()).filename().string();
        if (o.contains("problem")) {
            problems.push_back(file + ": " + o["problem"].get<std::string>());
            continue;
        }
        if (!o["record"].is_null()) file += "#" + std::to_string(o["record"].get<int>());
        std::string d = file + ":" + std::to_string(o["line"].get<int>()) + " " + o["kind"].get<std::string>() + " " +
                        o["object"].get<std::string>() + "/" + o["method"].get<std::string>() + " " +
                        o["status"].get<std::string>();
        for (const auto &diagnostic : o["diagnostics"]) d += " " + diagnostic["id"].get<std::string>();
        out.push_back(d);
    }
    return out;
}

class Scan : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path("/tmp") / ("tarnvel_scan_test_" + std::to_string(getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "tree" / "forms");
        write("tree/app.prg", app_prg);
        write("tree/helpers.PRG", helpers_prg);
        write("tree/forms/orders.sc2", orders_sc2);
        write("tree/notes.txt", "SELECT a FROM not_a_source_file");
        write("tree/forms/broken.scx", "not a table");
        const scantest::FormFiles form = scantest::build_form({
            {"Form1", "", "PROCEDURE Load\r\nSELECT * FROM customer ;\r\n  WHERE country = 'Norway' INTO CURSOR curNorway\r\nENDPROC\r\n"},
            {"grdList", "Form1", "PROCEDURE AfterRowColChange\r\nLPARAMETERS nColIndex\r\n"
                                 "SELECT SUM(amount) FROM orders WHERE cust = curNorway.id INTO ARRAY laSum\r\nENDPROC\r\n"},
        });
        write("tree/forms/customer.scx", form.table);
        write("tree/forms/customer.SCT", form.memo);
    }
    void TearDown() override { fs::remove_all(root); }

    void write(const std::string &name, const std::string &bytes) const {
        std::ofstream(root / name, std::ios::binary) << bytes;
    }
    std::string path(const std::string &name) const { return (root / name).string(); }

    fs::path root;
};

TEST_F(Scan, FindsEveryPlantedStatementInItsFileLineAndMethod) {
    const auto r = clitest::run("scan --to mysql --no-progress --jsonl '" + path("report.jsonl") + "' '" + path("tree") + "'");
    EXPECT_EQ(r.status, 1) << "a file could not be read";
    EXPECT_NE(r.err.find("broken.scx: not a table: "), std::string::npos) << r.err;
    std::vector<std::string> problems;
    EXPECT_EQ(statements_of(clitest::read_file(path("report.jsonl")), problems),
              (std::vector<std::string>{
                  "app.prg:3 select / clean",
                  "app.prg:12 select / residue user-function",
                  "app.prg:13 select / macro macro",
                  "app.prg:14 create-cursor / clean",
                  "app.prg:16 select /Reload residue name-expression function",
                  "app.prg:17 select /Reload residue file-path",
                  "customer.scx#1:1 select Form1/Load clean",
                  "customer.scx#2:2 select Form1.grdList/AfterRowColChange clean",
                  "orders.sc2:8 select frmorders/cmdLoad.Click residue object-reference",
                  "orders.sc2:13 create-cursor frmorders/Init clean",
              }))
        << r.out;
    EXPECT_EQ(problems, (std::vector<std::string>{"broken.scx: not a table: shorter than a table's header"}));
    EXPECT_NE(r.out.find("Scanned 5 files for MySQL: 10 statements (8 SELECT commands, 2 field lists)."), std::string::npos) << r.out;
}

TEST_F(Scan, BadPathsAreReportedAndTheScanGoesOn) {
    write("tree/forms/orphan.vct", std::string(600, '\0'));
    const auto r = clitest::run("scan --to sqlserver --no-progress --jsonl '" + path("report.jsonl") + "' '" +
                                path("missing") + "' '" + path("tree/notes.txt") + "' '" + path("tree/forms/customer.SCT") +
                                "' '" + path("tree/forms/orphan.vct") + "' '" + path("tree/app.prg") + "'");
    EXPECT_EQ(r.status, 1);
    for (const char *said : {"missing: no such file or folder", "notes.txt: not a FoxPro source file (by its extension): not read",
                             "orphan.vct: a memo file without its table beside it: not read"})
        EXPECT_NE(r.err.find(said), std::string::npos) << said << "\n" << r.err;
    std::vector<std::string> problems;
    const auto found = statements_of(clitest::read_file(path("report.jsonl")), problems);
    EXPECT_EQ(problems.size(), 3u);
    // a memo file named alone is read with its table
    EXPECT_EQ(found.size(), 8u);
    EXPECT_NE(r.out.find("Scanned 5 files for SQL Server: 8 statements"), std::string::npos) << r.out;
}

TEST_F(Scan, SourcesInACodePageAreShownAsUnicode) {
    // "SELECT * FROM дом WHERE имя = 'Пётр'" in CP1251
    write("cp1251.prg", "SELECT * FROM \xE4\xEE\xEC WHERE \xE8\xEC\xFF = '\xCF\xB8\xF2\xF0'\r\n");
    const auto r = clitest::run("scan --to mysql --encoding CP1251 --no-progress --jsonl '" + path("report.jsonl") + "' '" +
                                path("cp1251.prg") + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    const auto o = nlohmann::json::parse(clitest::read_file(path("report.jsonl")));
    EXPECT_EQ(o["foxpro"], "SELECT * FROM дом WHERE имя = 'Пётр'");
    EXPECT_NE(o["converted"].get<std::string>().find("'Пётр'"), std::string::npos) << o.dump();
}

// The counts of the summary's total row, by name, as the browser's document holds them.
std::map<std::string, int> total_counts(const std::string &dom) {
    std::map<std::string, int> counts;
    const std::regex cell(R"re(<td data-count="([a-z]+)"[^>]*>([0-9]+)</td>)re");
    for (std::sregex_iterator it(dom.begin(), dom.end(), cell), end; it != end; ++it)
        counts[(*it)[1].str()] = std::stoi((*it)[2].str());
    return counts;
}

std::size_t occurrences(const std::string &text, const std::string &what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

TEST_F(Scan, HtmlReportOpensInABrowserWithTheSummaryCounts) {
    if (std::system("command -v chromium >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "chromium is not installed (scripts/install-deps installs it)";
    const auto r = clitest::run("scan --to mysql --no-progress --html '" + path("report.html") + "' '" + path("tree") + "'");
    ASSERT_EQ(r.status, 1) << r.err;
    const std::string command = "timeout 180 chromium --headless --no-sandbox --disable-gpu --user-data-dir='" +
                                path("profile") + "' --dump-dom 'file://" + path("report.html") + "' >'" + path("dom.html") +
                                "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const std::string dom = clitest::read_file(path("dom.html"));
    EXPECT_EQ(total_counts(dom), (std::map<std::string, int>{
                                     {"statements", 10}, {"clean", 5}, {"residue", 4}, {"macro", 1}, {"error", 0}}))
        << dom;
    // every statement is an element of its own, and FoxPro's text is text, never markup
    EXPECT_EQ(occurrences(dom, "<article"), 10u);
    EXPECT_EQ(occurrences(dom, "<tr data-diagnostic="), 6u);
    EXPECT_NE(dom.find("&lt;b&gt;"), std::string::npos);
    EXPECT_EQ(dom.find("<b>"), std::string::npos);
    EXPECT_NE(dom.find("<mark title=\"thisform.txtCust.Value is a FoxPro object reference"), std::string::npos);
}

}  // namespace
