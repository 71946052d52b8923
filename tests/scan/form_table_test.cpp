// The method code of forms and class libraries kept as tables: read record by record, and every
// malformed table or memo file reported without reading outside its bytes.
#include "scan/form_files.h"

#include "scan/source_file.h"
#include "scan/table_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using scantest::FormFiles;
using scantest::FormRecord;
using tarnvel::scan::SourceKind;

// Where the METHODS reference of a record (from 0) stands in the table build_form() writes.
std::size_t methods_of(std::size_t record) { return 32 + 5 * 32 + 1 + 263 + record * 31 + 27; }

const std::vector<FormRecord> records = {
    {"Form1", "", "PROCEDURE Init\r\nSELECT a FROM t INTO CURSOR c\r\nENDPROC\r\n"},
    {"cmdLoad", "Form1", "PROCEDURE Click\r\n* SELECT x FROM y\r\nlnX = 1\r\nSELECT b FROM u ;\r\n  WHERE k = 1\r\nENDPROC\r\n"},
    {"cmdOld", "Form1", "PROCEDURE Click\r\nSELECT gone FROM deleted_record\r\nENDPROC\r\n", true},
    {"lblName", "Form1", ""},
    {"txtName", "Form1.pgf.Page1", "PROCEDURE Valid\r\nCREATE CURSOR x (a C(1))\r\nENDPROC\r\n"},
};

tarnvel::scan::SourceFile scan(const FormFiles &files, bool with_memo = true) {
    return tarnvel::scan::scan_bytes("form.scx", SourceKind::form_table, files.table,
                                     with_memo ? std::optional<std::string_view>(files.memo) : std::nullopt);
}

std::vector<std::string> described(const tarnvel::scan::SourceFile &file) {
    std::vector<std::string> out;
    for (const auto &s : file.statements)
        out.push_back(std::to_string(s.record) + ":" + std::to_string(s.line) + " " + s.object + "/" + s.method + " " + s.command);
    return out;
}

const std::vector<std::string> all_found = {
    "1:1 Form1/Init SELECT a FROM t INTO CURSOR c",
    "2:3 Form1.cmdLoad/Click SELECT b FROM u  WHERE k = 1",
    "5:1 Form1.pgf.Page1.txtName/Valid CREATE CURSOR x (a C(1))",
};

TEST(FormTable, MethodsAreReadRecordByRecord) {
    for (bool digits : {false, true}) {
        const auto file = scan(scantest::build_form(records, digits));
        EXPECT_EQ(described(file), all_found) << "memo references as digits: " << digits;
        EXPECT_TRUE(file.problems.empty()) << file.problems.front();
        EXPECT_TRUE(file.functions.empty());  // methods are no functions a SELECT calls
    }
}

struct Damage {
    const char *what;
    std::function<void(FormFiles &)> damage;
    const char *problem;                  // the start of the one problem reported
    std::size_t statements;               // how many are still found
};

TEST(FormTable, MalformedFilesAreReportedAndTheRestIsRead) {
    const std::vector<Damage> damages = {
        {"table cut short", [](FormFiles &f) { f.table.resize(20); }, "not a table: shorter than a table's header", 0},
        {"header longer than the file", [](FormFiles &f) { scantest::put_low_first(f.table, 8, 60000, 2); },
         "not a table: the header length 60000 does not fit the file", 0},
        {"no field descriptors", [](FormFiles &f) { f.table[32] = '\r'; }, "not a table: the table has no fields", 0},
        {"fields longer than the record", [](FormFiles &f) { f.table[32 + 32 * 4 + 16] = 100; },
         "not a table: the field METHODS runs past the record length", 0},
        {"more records declared than held", [](FormFiles &f) { scantest::put_low_first(f.table, 4, 99, 4); },
         "the header says 99 records; the file holds 5", 3},
        {"records cut off", [](FormFiles &f) { f.table.resize(f.table.size() - 30); },
         "the header says 5 records; the file holds 4", 2},
        {"no METHODS field", [](FormFiles &f) { f.table.replace(32 + 32 * 4, 7, "METHODX"); },
         "no METHODS memo field", 0},
        {"memo file cut short", [](FormFiles &f) { f.memo.resize(100); }, "its memo file: shorter than a memo file's header", 0},
        {"memo beyond the memo file", [](FormFiles &f) { scantest::put_low_first(f.table, methods_of(1), 99999, 4); },
         "record 2: the memo in block 99999 lies outside the memo file", 2},
        {"memo inside the memo header", [](FormFiles &f) { scantest::put_low_first(f.table, methods_of(0), 3, 4); },
         "record 1: the memo in block 3 lies outside the memo file", 2},
        // the first memo is the first record's OBJNAME: its code is read all the same
        {"memo longer than the memo file", [](FormFiles &f) { scantest::put_high_first(f.memo, 512 + 4, 0xFFFFFFFFu, 4); },
         "record 1: OBJNAME: the memo in block 8 says it holds 4294967295 bytes", 3},
    };
    for (const Damage &d : damages) {
        FormFiles files = scantest::build_form(records);
        d.damage(files);
        const auto file = scan(files);
        ASSERT_EQ(file.problems.size(), 1u) << d.what;
        EXPECT_EQ(file.problems[0].rfind(d.problem, 0), 0u) << d.what << ": " << file.problems[0];
        EXPECT_EQ(file.statements.size(), d.statements) << d.what;
    }
    const auto alone = scan(scantest::build_form(records), false);
    EXPECT_EQ(alone.problems, (std::vector<std::string>{"no memo file form.sct beside it: its method code cannot be read"}));
}

// Every prefix of both files is read within its bounds (the sanitizer build checks this), and
// whatever is missing is reported: no statement is lost without a word.
TEST(FormTable, EveryPrefixIsReadWithinItsBounds) {
    const FormFiles files = scantest::build_form(records);
    for (int which = 0; which < 2; ++which) {
        const std::size_t size = which == 0 ? files.table.size() : files.memo.size();
        for (std::size_t n = 0; n <= size; ++n) {
            FormFiles cut = files;
            (which == 0 ? cut.table : cut.memo).resize(n);
            const auto file = scan(cut);
            EXPECT_TRUE(!file.problems.empty() || described(file) == all_found) << (which == 0 ? "table " : "memo ") << n;
        }
    }
}

TEST(FormTable, MemoReferences) {
    EXPECT_EQ(tarnvel::scan::memo_block(std::string("\x08\x00\x00\x00", 4)), 8u);
    EXPECT_EQ(tarnvel::scan::memo_block("        12"), 12u);
    EXPECT_EQ(tarnvel::scan::memo_block("          "), 0u);
    EXPECT_THROW(tarnvel::scan::memo_block("     1 2  "), tarnvel::scan::TableError);
    EXPECT_THROW(tarnvel::scan::memo_block("12345"), tarnvel::scan::TableError);
}

}  // namespace
