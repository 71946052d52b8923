// Every word a server reserves (its documented list, and the words its grammar refuses or reads as
// something else where they stand as names: tests/validity/reserved-names/<target>.txt) as the
// name of a field: the table made from the converted field list, then each statement shape below run
// on it, must be taken and give FoxPro's rows. A word missing from a dialect's keyword list shows here
// as a statement the server refuses.
#include "servers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A statement shape: '@' stands for the word (lower case, as FoxPro code writes it); 'bare' shapes
// use the word as a name of its own, which FoxPro's own SELECT syntax words cannot be.
struct Shape {
    const char *foxpro;
    const char *expected;
    bool bare;
};

constexpr Shape shapes[] = {
    {"SELECT rw.@, rw.n FROM rw ORDER BY rw.@", "a b", false},
    {"SELECT rw.@ FROM rw WHERE rw.@ = 'b' AND rw.n > 0", "b", false},
    {"SELECT @ FROM rw WHERE @ = 'a' ORDER BY @", "a", true},
    {"SELECT @, COUNT(*) FROM rw GROUP BY @ HAVING COUNT(*) > 0 ORDER BY @ DESC", "b a", true},
    {"SELECT n AS @ FROM rw ORDER BY @", "1 2", true},
    {"SELECT n @ FROM rw ORDER BY 1 DESC", "2 1", true},
    {"SELECT x.@ FROM (SELECT n AS @ FROM rw) x ORDER BY x.@", "1 2", true},
    {"SELECT MAX(rw.@) FROM rw", "b", false},
    // the FoxPro pass rewrites these (== and .T., IIF): the word it meets is still the user's name
    {"SELECT @ FROM rw WHERE @ == 'b' AND rw.n > 0 AND .T.", "b", true},
    {"SELECT IIF(@ = 'a', n, 0) AS v FROM rw ORDER BY 1", "0 1", true},
    {"SELECT IIF(n = 1, @, 'z') AS v FROM rw ORDER BY 1", "a z", true},
    {"SELECT SUM(IIF(@ = 'b', n, 0)) AS v FROM rw", "2", true},
    {"SELECT IIF(IIF(@ = 'a', .T., .F.), @, 'z') AS v FROM rw WHERE IIF(@ > 'a', 1, 0) = 1 OR n = 1 ORDER BY 1", "a z", true},
    {"SELECT ICASE(@ = 'a', n, @ = 'b', 5, 0) AS v FROM rw ORDER BY 1", "1 5", true},
    {"SELECT EVL(@, 'z') AS v, n FROM rw WHERE EVL(n, 0) = 1 OR EVL(@, 'z') = 'b' ORDER BY 1", "a b", true},
    {"SELECT n FROM rw WHERE INLIST(@, 'b', 'c') OR EMPTY(@)", "2", true},
    {"SELECT MAX(@, 'a') AS v, BETWEEN(@, 'a', 'a') AS w FROM rw WHERE BETWEEN(@, 'a', 'a') OR n = 2 ORDER BY 1", "a b", true},
    {"SELECT n FROM rw WHERE n = 0 OR @ BETWEEN 'b' AND 'c' OR @ IN ('x')", "2", true},
    // a CASE the user wrote: a word of its own where an operand stands is a name
    {"SELECT CASE WHEN @ = 'a' THEN n ELSE 0 END AS v FROM rw ORDER BY 1", "0 1", true},
    {"SELECT CASE WHEN n = 1 THEN @ ELSE 'z' END AS v FROM rw WHERE CASE WHEN n > 1 THEN 'q' ELSE @ END <> 'q' OR n = 2 ORDER BY 1", "a z", true},
    {"SELECT CASE rw.@ WHEN 'a' THEN n ELSE 0 END AS v FROM rw ORDER BY 1", "0 1", false},
};

// The words of FoxPro's SELECT syntax: FoxPro takes them after a name's dot only.
const std::vector<std::string> fox_syntax = {
    "ALL", "AND", "ANY", "AS", "ASC", "BETWEEN", "BY", "DESC", "DISTINCT", "EXISTS", "FROM", "FULL",
    "GROUP", "HAVING", "IN", "INNER", "INTO", "IS", "JOIN", "LEFT", "LIKE", "NOT", "NULL", "ON", "OR",
    "ORDER", "OUTER", "RIGHT", "SELECT", "SOME", "TOP", "UNION", "WHERE"};

std::vector<std::string> reserved_words(const std::string &target) {
    std::ifstream file(std::string(TARNVEL_RESERVED_NAMES_DIR) + "/" + target + ".txt");
    EXPECT_TRUE(file.good()) << "no word list for " << target;
    std::vector<std::string> words;
    for (std::string word; std::getline(file, word);)
        if (!word.empty()) words.push_back(word);
    return words;
}

std::string lower(std::string word) {
    for (char &c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
}

std::string with_word(std::string text, const std::string &word) {
    for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at + word.size()))
        text.replace(at, 1, word);
    return text;
}

template <class Server> const char *list_name() {
    return Server::target == tarnvel::Target::mysql ? "mysql" : "pgsql";
}

// What goes wrong with the word on the server, one line a refused or wrong statement; empty when none.
template <class Server> std::string faults_of(typename Server::Client &db, const std::string &word) {
    const std::string name = lower(word);
    const std::string made = engine::columns<Server>(name + " C(1), n I");
    db.execute(std::string(Server::drop) + "rw");
    engine::Answer created = db.execute("CREATE TEMPORARY TABLE rw (" + made + ")");
    if (!created.ok()) return "  field list: " + made + ": " + created.message + "\n";
    db.execute("INSERT INTO rw VALUES ('a', 1), ('b', 2)");
    const bool fox_word = std::ranges::find(fox_syntax, word) != fox_syntax.end();
    std::string faults;
    for (const Shape &shape : shapes) {
        if (shape.bare && fox_word) continue;
        const std::string foxpro = with_word(shape.foxpro, name);
        const std::string sql = engine::select_sql<Server>(foxpro);
        engine::Answer answer;
        std::vector<engine::Row> rows = db.rows(sql, &answer);
        std::string values;
        for (const engine::Row &row : rows) values += (values.empty() ? "" : " ") + row.at(0).value_or("NULL");
        if (!answer.ok()) faults += "  " + foxpro + " -> " + sql + ": " + answer.message + "\n";
        else if (values != shape.expected) faults += "  " + foxpro + " -> " + sql + ": gave " + values + "\n";
    }
    return faults;
}

template <class Server> class ReservedNames : public ::testing::Test {
protected:
    typename Server::Client db;
};
TYPED_TEST_SUITE(ReservedNames, engine::Servers, engine::ServerName);

TYPED_TEST(ReservedNames, AreTakenAsFieldNames) {
    std::string faults;
    for (const std::string &word : reserved_words(list_name<TypeParam>())) {
        std::string of_word = faults_of<TypeParam>(this->db, word);
        if (!of_word.empty()) faults += word + ":\n" + of_word;
    }
    EXPECT_EQ(faults, "");
}

// Names quoted by the reserved-word quoting function, in a statement on a table made by the field-list
// converter: the two must write a name alike (on PostgreSQL a quoted name is case-sensitive).
struct QuotedText {
    const char *fields;
    const char *select_list;  // given to the quoting function
    const char *expected;
};

constexpr QuotedText quoted_texts[] = {
    {"user C(1), x C(1), n I", "user, rw.User, x", "a a b"},
    {"Case C(1), x C(1), n I", "Case", "a"},
    {"escape C(1), by C(1), n I", "escape, by, rw.By", "a b b"},
    {"top C(1), cursor C(1), n I", "rw.top, cursor", "a b"},
    {"convert C(1), exists C(1), n I", "exists, Convert", "b a"},
    {"limit C(1), current_user C(1), n I", "limit, current_user", "a b"},
};

TYPED_TEST(ReservedNames, QuotedByTheFunctionMatchTheFieldList) {
    const auto &dialect = tarnvel::dialect(TypeParam::target);
    for (const QuotedText &row : quoted_texts) {
        engine::make_table<TypeParam>(this->db, "rw", row.fields, {"INSERT INTO rw VALUES ('a', 'b', 1)"});
        const std::string list = engine::convert(dialect.reserved_function, row.select_list);
        const std::string sql = "SELECT " + list + " FROM rw";
        engine::Answer answer;
        std::vector<engine::Row> rows = this->db.rows(sql, &answer);
        ASSERT_TRUE(answer.ok()) << sql << ": " << answer.message;
        std::string values;
        for (const std::optional<std::string> &value : rows.at(0)) values += (values.empty() ? "" : " ") + value.value_or("NULL");
        EXPECT_EQ(values, row.expected) << sql;
    }
}

}  // namespace
