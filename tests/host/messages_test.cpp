// Every user error the library can raise, with its exact text and a short input that raises it.
// A memory message is raised by a growth that fails, so its call is made under every count of
// obtains and growths that may succeed, from none up to the count the call needs; the handle table
// is balanced after every failed call. The messages are also read from the library's sources, so a
// new message without a row here fails the test.
#include "utilities/library_calls.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using tarnvel::Arg;
using tarnvel::HostValue;

using testcalls::repeat;

struct Row {
    std::string message;
    std::string function;
    std::vector<Arg> args;
    std::vector<std::pair<std::string, HostValue>> variables = {};
    bool foxpro_syntax = true;  // the library-wide switch, as loaded unless the row turns it off
};

std::string group_by_numbers(int count) {
    std::string list, numbers;
    for (int i = 1; i <= count; ++i) {
        list += "TTOD(x),";
        numbers += std::to_string(i) + ",";
    }
    return "SELECT " + list + "1 FROM t GROUP BY " + numbers + "0";
}

std::vector<Row> rows() {
    const std::string sql = "ZQ_SQL_SELECT_CONVERT", oracle = "ZQ_ORACLE_SELECT_CONVERT",
                      mysql = "ZQ_MYSQL_SELECT_CONVERT", access = "ZQ_ACCESS_SELECT_CONVERT",
                      pgsql = "ZQ_PGSQL_SELECT_CONVERT";
    const std::pair<std::string, HostValue> nolock{"SETLOCSYS_SQL_Server_Select_NoLock", HostValue::boolean(true)};
    auto text = [](std::size_t length, char c) { return HostValue::character(std::string(length, c)); };
    return {
        {"SQL syntax error (subquery ')' missing) ", sql, {"SELECT a FROM t WHERE x IN (SELECT b"}},
        {"SQL syntax error (subqueries nested too deeply) ", sql,
         {"SELECT a FROM t WHERE a IN " + repeat("(SELECT a FROM t WHERE a IN ", 300) + "(1)" + repeat(")", 300)}},
        // (the select list is written in the output's buffer: once it has outgrown it, a long WHERE
        // leaves it no room, and a new output gets the list)
        {"Insufficient memory for SELECT", sql,
         {"SELECT " + repeat("TTOD(x),", 15) + "TTOD(x) FROM t WHERE " + repeat("TTOD(x)=1 AND ", 10) + "1=1"}},
        {"Insufficient memory for TTOD", sql, {"SELECT TTOD(a) FROM t"}},
        {"Insufficient memory for CASE", sql, {"SELECT IIF(a,b,c) FROM t"}},
        {"Insufficient memory for OPTION (FORCE ORDER)", sql, {"SELECT a FROM FORCE t"}},
        {"Insufficient memory for subquery inserting", sql, {"SELECT a FROM t WHERE x IN (SELECT b FROM u)"}},
        {"Insufficient memory for subquery converted", sql,
         {"SELECT a FROM t WHERE x IN (SELECT b FROM u) AND y IN (SELECT " + repeat("c, ", 28) + "d FROM v)"}},
        {"Insufficient memory for SELECT MAX()", sql, {"SELECT a, b FROM t GROUP BY a"}},
        {"Insufficient memory for HAVING", sql, {"SELECT a, SUM(b) AS s FROM t GROUP BY a HAVING s > 1"}},
        {"Insufficient memory for ORDER BY", sql, {"SELECT t.a, t.b FROM t GROUP BY t.a ORDER BY t.b"}},
        {"Insufficient memory for GROUP BY", sql, {group_by_numbers(8)}},
        {"Insufficient memory for clause", sql, {"SELECT " + repeat("TTOD(x),", 8) + "1 FROM t"}},
        {"Insufficient memory for INTO", sql, {"SELECT a FROM t WHERE TTOD(x)=1 AND TTOD(x)=1 AND b=1"}},
        {"Insufficient memory for DTOC", sql, {"SELECT DTOC(x),DTOC(x),DTOC(x),1 FROM t"}},
        {"Insufficient memory for ALLTRIM", sql, {"SELECT " + repeat("DTOC(x),", 10) + repeat("ALLT(a),", 5) + "1 FROM t"}, {}, false},
        {"Insufficient memory for HOUR", sql, {"SELECT TTOD(x),TTOD(x)," + repeat("HOUR(x),", 8) + "1 FROM t"}},
        {"Insufficient memory for HOURS", sql, {"SELECT TTOD(x),TTOD(x)," + repeat("HOURS(x,y),", 5) + "1 FROM t"}},
        {"Insufficient memory for MINUTE", sql, {"SELECT TTOD(x),TTOD(x)," + repeat("MINUTE(x),", 5) + "1 FROM t"}},
        {"Insufficient memory for SEC", sql, {"SELECT TTOD(x)," + repeat("SEC(x),", 5) + "1 FROM t"}},
        {"Insufficient memory for WITH (NOLOCK)", sql, {"SELECT a FROM t,t"}, {nolock}},
        {"Insufficient memory for word", sql, {"SELECT a FROM t " + repeat("a", 65)}, {nolock}},
        {"Insufficient memory for TOP", oracle, {"SELECT TOP 1 TOP " + repeat("2", 30) + " a FROM t"}},
        {"Insufficient memory for WHERE", oracle, {"SELECT TOP 1 a FROM t WHERE " + repeat("RTOD(RTOD(x))=1 AND ", 9)}},
        {"Insufficient memory for AT", oracle, {"SELECT AT(" + repeat("a", 70) + ",b) FROM t"}},
        {"Insufficient memory for DTOR", oracle, {"SELECT " + repeat("DTOC(x),", 6) + repeat("DTOR(a),", 8) + "1 FROM t"}},
        {"Insufficient memory for RTOD", oracle, {"SELECT " + repeat("DTOC(x),", 6) + repeat("RTOD(a),", 8) + "1 FROM t"}},
        {"Insufficient memory for Order By", mysql, {"SELECT TOP 1 a FROM t ORDER BY " + repeat("VAL(a),", 12) + "xxxx"}},
        {"Insufficient memory for VAL", mysql, {"SELECT VAL(x),VAL(x),1 FROM t"}},
        // (with FoxPro syntax, STR is rebuilt by the FoxPro-syntax pass instead)
        {"Insufficient memory for STR", mysql, {"SELECT STR(" + repeat("x", 36) + ") FROM t"}, {}, false},
        {"Insufficient memory for DTOC", oracle, {"SELECT DTOC(x),DTOC(x),DTOC(x),1 FROM t"}},
        {"Insufficient memory for LEN", oracle, {"SELECT " + repeat("DTOC(x),", 2) + repeat("LEN(x),", 8) + "1 FROM t"}},
        {"Insufficient memory for ASC", oracle, {"SELECT " + repeat("DTOC(x),", 2) + repeat("ASC(x),", 8) + "1 FROM t"}},
        {"Insufficient memory for time", oracle, {"SELECT HOUR(x),HOUR(x),HOUR(x),1 FROM t"}},
        {"Insufficient memory for a date part", pgsql, {"SELECT YEAR(x),YEAR(x),YEAR(x),1 FROM t"}},
        {"Insufficient memory for PADR", access, {"SELECT PADL(n,1),1 FROM t"}},
        {"Insufficient memory for HOURS", access, {"SELECT " + repeat("PADR(n,1),", 19) + repeat("HOURS(a,b),", 40) + "1 FROM t"}},
        {"Insufficient memory for DTOC", access, {"SELECT " + repeat("PADR(n,1),", 8) + repeat("DTOC(a),", 40) + "1 FROM t"}},
        {"Insufficient memory for MOD", access, {"SELECT MOD(a,b),MOD(a,b),1 FROM t"}},
        {"Insufficient memory for STRTRAN", access, {"SELECT STRTRAN(n,'a','b'),1 FROM t"}},
        {"Insufficient memory for column list", "ZQ_SQL_CREATE_STRU_CONVERT", {"a D"}},
        {"Insufficient memory for table name", "ZQ_SQL_FIND_TABLES", {".." + repeat("t", 128), "DBF_TABLES", "AUTOMATION"}},
        {"Variable not found: x", "ZQ_SQL_FIND_VARIABLES", {"~x"}},
        {"Insufficient memory for next operation", "ZQ_SQL_FIND_VARIABLES", {"~x", true}, {{"x", text(1, 'y')}}},
        {"Insufficient memory for next str", "ZQ_SQL_FIND_VARIABLES", {"~x", true}, {{"x", text(300, 'y')}}},
        {"Insufficient memory for next value", "ZQ_SQL_FIND_VARIABLES", {"~x", true}, {{"x", text(340, 'y')}}},
        {"Insufficient memory for next '", "ZQ_SQL_FIND_VARIABLES", {"~x", true}, {{"x", text(150, '\'')}}},
        {"Insufficient memory for next zero character", "ZQ_SQL_FIND_VARIABLES", {"~x", true}, {{"x", text(40, '\0')}}},
        {"Insufficient memory for ZQV_StrTran", "ZQV_STRTRAN", {"a", "a", "bb"}},
    };
}

// Messages in the sources that no input can raise, and why.
const std::set<std::string> unreachable = {
    "Insufficient memory for quoting",     // twice the text's length always holds its quoted words
    "Insufficient memory for directives",  // directive removal only blanks characters and adds one
    "Insufficient memory for FULL JOIN",   // its clauses are made at their final size; nothing writes to them later
    "Insufficient memory for FROM",        // the nested table list is made at its final size likewise
    "Insufficient memory for a derived table's names",  // the renamed statement is made at its final size
    "Insufficient memory for ",            // every function row that rebuilds its arguments names its own
    "Internal error in the library",       // only a C++ exception the library never throws on purpose
};

// The user errors 'row' raises: without a budget, or else under every budget until the call succeeds.
std::set<std::string> raised(tarnvel::Host &host, const Row &row) {
    host.clear_variables();
    for (const auto &[name, value] : row.variables) host.set_variable(name, value);
    host.call("ZQV_SETFROMFOX", {row.foxpro_syntax});
    struct Restore {
        tarnvel::Host &host;
        ~Restore() { host.call("ZQV_SETFROMFOX", {true}); }
    } restore{host};
    std::set<std::string> seen;
    try {
        host.call(row.function, row.args);
    } catch (const tarnvel::Error &e) {
        EXPECT_FALSE(e.number().has_value()) << e.message();
        seen.insert(e.message());
        return seen;
    }
    for (std::size_t operations = 0; operations < 1000; ++operations) {
        host.set_budget(std::nullopt, operations);
        try {
            host.call(row.function, row.args);
            break;
        } catch (const tarnvel::Error &e) {
            if (!e.number()) seen.insert(e.message());
            else EXPECT_EQ(*e.number(), 182) << e.message();
        }
        EXPECT_EQ(host.handles_in_use(), 0u) << row.message << ", budget " << operations;
    }
    host.set_budget(std::nullopt);
    return seen;
}

TEST(Messages, EveryUserErrorIsReachedWithItsText) {
    tarnvel::Host host;
    for (const Row &row : rows()) {
        std::set<std::string> seen = raised(host, row);
        std::string all;
        for (const std::string &m : seen) all += "\n  " + m;
        EXPECT_EQ(seen.count(row.message), 1u) << row.function << " for \"" << row.message << "\" raised instead:" << all;
    }
}

// The message texts the library's sources hold: literals that begin "Insufficient memory for",
// literals handed straight to the user-error request, and the start of a message built from parts.
std::set<std::string> messages_in_sources() {
    const std::regex pattern(
        R"re("(Insufficient memory for[^"]*)"|user_error\("([^"]*)"|std::string message = "([^"]*)"|TV_HOST_USER_ERROR, reinterpret_cast<tv_word>\("([^"]*)")re");
    std::set<std::string> found;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(TARNVEL_SOURCE_DIR)) {
        const std::string path = entry.path().string();
        if (!entry.is_regular_file() || path.find("/embed/") != std::string::npos) continue;
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            if (line.find_first_not_of(" ") != std::string::npos && line.substr(line.find_first_not_of(" ")).starts_with("//"))
                continue;
            for (std::sregex_iterator m(line.begin(), line.end(), pattern), end; m != end; ++m) {
                for (std::size_t g = 1; g < m->size(); ++g)
                    if ((*m)[g].matched) found.insert((*m)[g].str());
            }
        }
    }
    return found;
}

TEST(Messages, EveryMessageOfTheSourcesHasARow) {
    std::set<std::string> found = messages_in_sources();
    EXPECT_GT(found.size(), 30u);
    const std::vector<Row> all = rows();
    for (const std::string &message : found) {
        if (unreachable.count(message)) continue;
        bool covered = false;
        for (const Row &row : all) covered = covered || row.message == message || (message.ends_with(": ") && row.message.starts_with(message));
        EXPECT_TRUE(covered) << "no row raises \"" << message << "\"";
    }
    for (const std::string &message : unreachable) EXPECT_EQ(found.count(message), 1u) << message << " is gone from the sources";
}

}  // namespace
