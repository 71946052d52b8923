// Finding the statements of FoxPro code: which lines are commands, how they are joined, and
// where each statement stands (line, routine, class).
#include "scan/code_scan.h"
#include "scan/source_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using tarnvel::scan::CodePlace;

// "kind line [object/method] | what is converted" per statement, plus "!macro" and "!problem".
std::vector<std::string> found(const std::string &code, const CodePlace &place = {}) {
    std::vector<std::string> out;
    for (const auto &s : tarnvel::scan::scan_code(code, place).statements) {
        std::string d = std::string(tarnvel::scan::kind_name(s.kind)) + " " + std::to_string(s.line);
        if (!s.object.empty() || !s.method.empty()) d += " " + s.object + "/" + s.method;
        if (!s.table.empty()) d += " " + s.table;
        d += " | " + s.convertible;
        for (const std::string &m : s.macros) d += " !" + m;
        if (!s.problem.empty()) d += " !" + s.problem;
        out.push_back(d);
    }
    return out;
}

struct Case {
    const char *code;
    std::vector<std::string> expected;
};

void run(const std::vector<Case> &cases) {
    for (const Case &c : cases) EXPECT_EQ(found(c.code), c.expected) << c.code;
}

TEST(ScanCode, SelectCommandsAndTheirLines) {
    run({
        {"SELECT a FROM t INTO CURSOR c", {"select 1 | SELECT a FROM t INTO CURSOR c"}},
        {"x = 1\n  sele a from t\nSELEC b FROM u", {"select 2 | sele a from t", "select 3 | SELEC b FROM u"}},
        // the work-area command, assignments, and SQL in strings are no SELECT commands
        {"SELECT customers\nSELECT 0\nSELECT (lcAlias)\nselect = 5\nSEL a FROM t\n"
         "lcSql = \"SELECT a FROM t\"\n=SQLEXEC(h, 'SELECT a FROM t')\nSELECT curFrom",
         {}},
        // continuation lines: the ";" and the break become one blank, the next line's indentation goes
        {"SELE a, ;\n   b ;\n FROM t && comment\nSELECT 1", {"select 1 | SELE a,  b  FROM t"}},
        {"SELECT a;\n\t\tFROM t;\n\t\tWHERE x = 1  ;  \n\t\tORDER BY a", {"select 1 | SELECT a FROM t WHERE x = 1   ORDER BY a"}},
        // a continuation at the very end of the code
        {"SELECT a FROM t ;", {"select 1 | SELECT a FROM t"}},
    });
}

TEST(ScanCode, CommentsAndTextBlocksHoldNoStatements) {
    run({
        {"* SELECT a FROM t\nNOTE SELECT a FROM t\n&& SELECT a FROM t\n  *SELECT a FROM t\nSELECT b FROM u",
         {"select 5 | SELECT b FROM u"}},
        // a comment line ending in ";" continues the comment
        {"* old code ;\nSELECT a FROM t\nSELECT b FROM u", {"select 3 | SELECT b FROM u"}},
        {"&& not continued ;\nSELECT a FROM t", {"select 2 | SELECT a FROM t"}},
        // && inside string literals is text; [ after a name is a subscript, not a string
        {"SELECT * FROM t WHERE a = 'x && y' AND b = [&& z] && the comment", {"select 1 | SELECT * FROM t WHERE a = 'x && y' AND b = [&& z]"}},
        {"SELECT * FROM t WHERE a = laX[1] && ]", {"select 1 | SELECT * FROM t WHERE a = laX[1]"}},
        {"TEXT TO lcSql NOSHOW\nSELECT a FROM t\n  ENDTEXT\nSELECT b FROM u", {"select 4 | SELECT b FROM u"}},
        {"text\nSELECT a FROM t ;\nendt\nSELECT b FROM u", {"select 4 | SELECT b FROM u"}},
        // ENDTEXT never comes: the rest is text
        {"TEXT\nSELECT a FROM t", {}},
        // a variable or an object called text opens no block
        {"text = 'x'\nText.Value = 1\ntext[2] = 3\nSELECT a FROM t", {"select 4 | SELECT a FROM t"}},
    });
}

TEST(ScanCode, MacroSubstitutionIsReported) {
    run({
        {"SELECT &lcFields FROM t", {"select 1 | SELECT &lcFields FROM t !&lcFields"}},
        {"SELECT * FROM &lcTable. WHERE &lcWhere", {"select 1 | SELECT * FROM &lcTable. WHERE &lcWhere !&lcTable. !&lcWhere"}},
        {"SELECT * FROM t WHERE a = 'x&y' OR b = \"&z\"", {"select 1 | SELECT * FROM t WHERE a = 'x&y' OR b = \"&z\""}},
        {"CREATE CURSOR &lcName (a C(10))", {"create-cursor 1 &lcName | a C(10)"}},
        {"CREATE CURSOR x (a C(&lnLen))", {"create-cursor 1 x | a C(&lnLen) !&lnLen"}},
    });
}

TEST(ScanCode, CreateCommandsGiveTheirFieldLists) {
    run({
        {"CREATE CURSOR curX (a C(10), b N(5,2))", {"create-cursor 1 curX | a C(10), b N(5,2)"}},
        {"crea tabl (lcPath) NAME long_name FREE ( id I, n C(3) )", {"create-table 1 (lcPath) | id I, n C(3)"}},
        {"CREATE DBF c:\\tmp\\x.dbf CODEPAGE=1252 (a D)", {"create-dbf 1 c:\\tmp\\x.dbf | a D"}},
        {"CREATE TABLE \"my file.dbf\"(a D)", {"create-table 1 \"my file.dbf\" | a D"}},
        {"CREATE CURSOR c ;\n  (a C(1), ;\n   b L)", {"create-cursor 1 c | a C(1),  b L"}},
        {"CREATE CURSOR c (a C(1), b C(2) DEFAULT ')')", {"create-cursor 1 c | a C(1), b C(2) DEFAULT ')'"}},
        {"CREATE CURSOR y (a C(10)", {"create-cursor 1 y | a C(10) !the field list has no closing parenthesis"}},
        {"CREATE TABLE x FROM ARRAY laStru\nCREATE CURSOR y FROM ARRAY laS\nCREATE FORM f\nCREATE TABLE\ncreate = 1", {}},
    });
}

TEST(ScanCode, RoutinesAndClassesNameWhereAStatementStands) {
    const std::string program =
        "SELECT a FROM t\n"
        "PROCEDURE GetOrders\n"
        "  SELECT b FROM u\n"
        "ENDPROC\n"
        "FUNCTION NetPrice(tnPrice)\n"
        "  RETURN tnPrice\n"
        "ENDFUNC\n"
        "SELECT c FROM v\n"
        "DEFINE CLASS frmOrders AS Form\n"
        "  PROTECTED PROCEDURE cmdLoad.Click\n"
        "    SELECT d FROM w\n"
        "  ENDPROC\n"
        "ENDDEFINE\n"
        "proc Last\n"
        "SELECT e FROM x\n";
    EXPECT_EQ(found(program), (std::vector<std::string>{"select 1 | SELECT a FROM t", "select 3 /GetOrders | SELECT b FROM u",
                                                        "select 8 | SELECT c FROM v",
                                                        "select 11 frmOrders/cmdLoad.Click | SELECT d FROM w",
                                                        "select 15 /Last | SELECT e FROM x"}));
    // the routines a SELECT can call: not the methods of a class
    EXPECT_EQ(tarnvel::scan::scan_code(program).functions, (std::vector<std::string>{"GetOrders", "NetPrice", "Last"}));
}

TEST(ScanCode, LinesAreCountedWithinMethodsOrFromTheFirstLine) {
    const std::string memo = "PROCEDURE Click\r\n  x = 1\r\n  SELECT a FROM t\r\nENDPROC\r\nPROCEDURE Init\r\nSELECT b FROM u\r\n";
    CodePlace in_method;
    in_method.object = "Form1.cmdOk";
    in_method.lines_in_method = true;
    EXPECT_EQ(found(memo, in_method), (std::vector<std::string>{"select 2 Form1.cmdOk/Click | SELECT a FROM t",
                                                                "select 1 Form1.cmdOk/Init | SELECT b FROM u"}));
    CodePlace later;
    later.first_line = 40;
    EXPECT_EQ(found("x\rSELECT a FROM t\r\n\nSELECT b FROM u\x1a", later),
              (std::vector<std::string>{"select 41 | SELECT a FROM t", "select 43 | SELECT b FROM u"}));
}

TEST(ScanCode, RecordExportsGiveTheCodeOfEachRecord) {
    const std::string export_text =
        "SCCTEXT Version 4.0.0.2\n"
        "[ RECORD]\n"
        "[OBJNAME] Form1\n"
        "[PARENT] \n"
        "[START PROPERTIES]\n"
        "SELECT a FROM properties_are_no_code\n"
        "[END PROPERTIES]\n"
        "[START METHODS]\n"
        "PROCEDURE Init\n"
        "SELECT a FROM t\n"
        "ENDPROC\n"
        "[END METHODS]\n"
        "[ RECORD]\n"
        "[OBJNAME] cmdOk\n"
        "[PARENT] Form1\n"
        "[START METHODS]\n"
        "PROCEDURE Click\n"
        "SELECT b FROM u\n";
    const auto file = tarnvel::scan::scan_bytes("f.sca", tarnvel::scan::SourceKind::record_export, export_text);
    ASSERT_EQ(file.statements.size(), 2u);
    EXPECT_EQ(file.statements[0].line, 10u);
    EXPECT_EQ(file.statements[0].object + "/" + file.statements[0].method, "Form1/Init");
    EXPECT_EQ(file.statements[1].line, 18u);
    EXPECT_EQ(file.statements[1].object + "/" + file.statements[1].method, "Form1.cmdOk/Click");
    EXPECT_EQ(file.problems, (std::vector<std::string>{"line 16: [START METHODS] without [END METHODS]"}));

    // [RECORD] without its blank, tags indented, a parent in blanks, a record without methods
    const auto second = tarnvel::scan::scan_bytes("g.sca", tarnvel::scan::SourceKind::record_export,
                                                   "  [RECORD]\n[OBJNAME] Grid1\n[PARENT]  Form1 \n[START METHODS]\n"
                                                   "[END METHODS]\n[RECORD]\n\t[OBJNAME] Col1\n[PARENT] Form1.Grid1\n"
                                                   "[START METHODS]\nSELECT c FROM v\n[END METHODS]\n");
    ASSERT_EQ(second.statements.size(), 1u);
    EXPECT_EQ(second.statements[0].line, 10u);
    EXPECT_EQ(second.statements[0].object, "Form1.Grid1.Col1");
    EXPECT_TRUE(second.problems.empty());
}

TEST(ScanCode, KindsOfSourceFilesByExtension) {
    using tarnvel::scan::SourceKind;
    const std::vector<std::pair<const char *, std::optional<SourceKind>>> cases = {
        {"a.prg", SourceKind::program},        {"B.SPR", SourceKind::program},       {"m.mpr", SourceKind::program},
        {"q.qpr", SourceKind::program},        {"x.h", SourceKind::program},         {"f.sc2", SourceKind::text_export},
        {"c.VC2", SourceKind::text_export},    {"f.sca", SourceKind::record_export}, {"f.scx", SourceKind::form_table},
        {"l.vcx", SourceKind::form_table},     {"f.sct", SourceKind::memo_file},     {"l.vct", SourceKind::memo_file},
        {"readme.txt", std::nullopt},          {"prg", std::nullopt},                {"t.dbf", std::nullopt},
    };
    for (const auto &[name, kind] : cases) EXPECT_EQ(tarnvel::scan::source_kind(name), kind) << name;
}

// Files on disk: what cannot be read is a problem of its file, a memo file alone is one too, a
// table and its memo file find each other in any letter case, and a program names its routine.
TEST(ScanCode, FilesOnDiskAndTheirPartners) {
    namespace fs = std::filesystem;
    using tarnvel::scan::SourceKind;
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path dir = fs::path(::testing::TempDir()) / (std::string("tarnvel_") + test->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    auto write = [&](const char *name, const char *bytes) { std::ofstream(dir / name, std::ios::binary) << bytes; };
    write("FORM.SCX", "");
    write("form.sct", "");
    write("calc.prg", "SELECT a FROM t WHERE b = 1\n");

    const auto missing = tarnvel::scan::scan_file(dir / "none.prg", SourceKind::program);
    ASSERT_EQ(missing.problems.size(), 1u);
    EXPECT_EQ(missing.problems[0].rfind("cannot open it: ", 0), 0u) << missing.problems[0];
    const auto folder = tarnvel::scan::scan_file(dir, SourceKind::program);
    ASSERT_EQ(folder.problems.size(), 1u);
    EXPECT_EQ(folder.problems[0].rfind("cannot ", 0), 0u) << folder.problems[0];
    EXPECT_EQ(tarnvel::scan::scan_file(dir / "form.sct", SourceKind::memo_file).problems,
              (std::vector<std::string>{"a memo file is read with its table, and there is none beside it"}));

    EXPECT_EQ(tarnvel::scan::memo_file_of(dir / "FORM.SCX"), dir / "form.sct");
    EXPECT_EQ(tarnvel::scan::table_of(dir / "form.sct"), dir / "FORM.SCX");
    EXPECT_EQ(tarnvel::scan::memo_file_of(dir / "other.scx"), std::nullopt);
    EXPECT_EQ(tarnvel::scan::memo_file_of(dir / "calc.prg"), std::nullopt);  // a program has no memo file

    const auto program = tarnvel::scan::scan_file(dir / "calc.prg", SourceKind::program);
    EXPECT_TRUE(program.problems.empty());
    EXPECT_EQ(program.statements.size(), 1u);
    EXPECT_EQ(program.functions, (std::vector<std::string>{"calc"}));
    fs::remove_all(dir);
}

}  // namespace
