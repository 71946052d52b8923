// The statement generator: the same seed gives the same statement; every statement (and every
// step of its reduction) is valid FoxPro by an independent reading of the rules; the writing
// keeps tokens apart where FoxPro would read them as one.
#include "generator.h"
#include "random.h"
#include "reduce.h"
#include "render.h"
#include "statement_checks.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using foxgen::Node;
using foxgen::NodeKind;
using foxgen::Query;
using foxgen::Type;

using statement_checks::joined;

TEST(Generator, ASeedNamesOneStatement) {
    for (std::uint64_t n = 0; n < 50; ++n) {
        EXPECT_EQ(foxgen::statement(7, n), foxgen::statement(7, n));
        EXPECT_EQ(foxgen::render(foxgen::generate(foxgen::mix(7, n))), foxgen::statement(7, n));
    }
    std::set<std::string> seen;
    for (std::uint64_t n = 0; n < 200; ++n) seen.insert(foxgen::statement(1, n));
    EXPECT_GT(seen.size(), 195u) << "statements repeat";
    EXPECT_NE(foxgen::statement(1, 0), foxgen::statement(2, 0));
}

// The random numbers themselves are fixed by the seed: a change here changes every generated
// statement, and with it the floors of the generated figures.
TEST(Generator, TheSequenceOfASeedIsFixed) {
    foxgen::Random r(1);
    EXPECT_EQ(r.next(), 0x910A2DEC89025CC1ULL);
    EXPECT_EQ(r.below(10), 9u);
    EXPECT_EQ(foxgen::mix(1, 0), foxgen::mix(1, 0));
    EXPECT_NE(foxgen::mix(1, 0), foxgen::mix(1, 1));
}

TEST(Generator, EveryStatementIsValidFoxPro) {
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        for (std::uint64_t n = 0; n < 500; ++n) {
            const Query q = foxgen::generate(foxgen::mix(seed, n));
            const std::string text = foxgen::render(q);
            EXPECT_EQ(joined(statement_checks::problems(q)), "") << seed << "#" << n << ": " << text;
            EXPECT_EQ(joined(statement_checks::text_problems(text)), "") << seed << "#" << n << ": " << text;
            EXPECT_LE(text.size(), 1500u) << text;
        }
    }
}

// Over many statements every kind of construct the generator knows shows up.
TEST(Generator, TheStatementsCoverFoxProsSyntax) {
    std::string all;
    for (std::uint64_t n = 0; n < 2000; ++n) all += foxgen::statement(3, n) + "\n";
    std::string upper = all;
    for (char &c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const char *expected[] = {
        "SELE ", "WHER ", "ORDE ", "GROU ", "DIST ", "INTO CURS", "INNER JOIN", "LEFT OUTER JOIN", "RIGHT JOIN",
        "FULL", " UNION ", "UNION ALL", "HAVING", "TOP ", "DISTINCT", "EXISTS", " IN (SELE", "FROM (SELE",
        "(SELECT MAX(", " ANY", "==", " # ", "!=", "<>", "!EMPTY(", ".AND.", ".OR.", ".NOT.", " $ ", "LIKE ",
        " BETWEEN ", "IS NULL", "IS NOT NULL", ".T.", ".F.", ".NULL.", "{^", "{}", "[", "\"", "M.", "?",
        "THISFORM.", "SALES!", "IIF(", "ICASE(", "INLIST(", "BETWEEN(", "NVL(", "EVL(", "ISNULL(", "ALLTRIM(",
        "PADR(", "SUBSTR(", "DTOS(", "DTOC(", "CTOD(", "TTOD(", "STR(", "VAL(", "TRANSFORM(", "LEFT(", "RIGHT(",
        "AT(", "UPPER(", "YEAR(", "DATE()", "DATETIME()", "CAST(", "ROUND(", "INT(", "SPACE(", "REPLICATE(",
        "STRTRAN(", "DELETED()", "COUNT(*)", "SUM(", "COUNT(DISTINCT", "ORDER BY 1", " DESC", "WITH (BUFFERING",
        "FROM FORCE", "PADC(", "WEEK(", "RAND()", "ISUPPER(", "ISLOWER(", "\t", "\n",
    };
    for (const char *construct : expected) EXPECT_NE(upper.find(construct), std::string::npos) << construct;
}

// Hand-made trees, written in the plain way: parentheses where precedence needs them, blanks
// where FoxPro would otherwise read two tokens as one.
Node leaf(NodeKind kind, Type type, std::string word = {}, std::string owner = {}) {
    Node n;
    n.kind = kind;
    n.type = type;
    n.word = std::move(word);
    n.owner = std::move(owner);
    n.qualified = !n.owner.empty();
    return n;
}
Node op(std::string word, Node a, Node b, Type type = Type::logical) {
    Node n = leaf(NodeKind::binary, type, std::move(word));
    n.args = {std::move(a), std::move(b)};
    return n;
}

Query simple_query(Node where) {
    Query q;
    foxgen::Select s;
    s.from.table = "item";
    foxgen::Item it;
    it.expr.push_back(leaf(NodeKind::column, Type::character, "prod_code"));
    s.items.push_back(std::move(it));
    s.where.push_back(std::move(where));
    s.clauses = {foxgen::Clause::where};
    q.members.push_back(std::move(s));
    return q;
}

TEST(Generator, PlainWriting) {
    struct Case {
        Node where;
        const char *text;
    };
    const Node qty = leaf(NodeKind::column, Type::number, "line_qty");
    const Node code = leaf(NodeKind::column, Type::character, "prod_code", "li");
    Node minus = leaf(NodeKind::unary, Type::number, "-");
    minus.args.push_back(leaf(NodeKind::literal, Type::number, "5"));
    Node bang = leaf(NodeKind::unary, Type::logical, "!");
    bang.args.push_back(leaf(NodeKind::variable, Type::logical, "lactive"));
    Node in = leaf(NodeKind::in_list, Type::logical);
    in.negated = true;
    in.args = {code, leaf(NodeKind::literal, Type::character, "[a,b]"),
               leaf(NodeKind::parameter, Type::character, "m.cname")};
    const Case cases[] = {
        {op("=", code, leaf(NodeKind::literal, Type::character, "[x]")), "li.prod_code = [x]"},
        {op(".AND.", op("=", qty, leaf(NodeKind::literal, Type::number, "1")), bang), "line_qty = 1 .AND. !m.lactive"},
        {op(">", op("-", qty, minus, Type::number), leaf(NodeKind::literal, Type::number, "0")), "line_qty - -5 > 0"},
        {in, "li.prod_code NOT IN ([a,b], ?m.cname)"},
        {op("$", leaf(NodeKind::literal, Type::character, "'a'"),
            leaf(NodeKind::variable, Type::character, "thisform.txtcity.value")),
         "'a' $ thisform.txtcity.value"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(foxgen::render(simple_query(c.where)), std::string("SELECT prod_code FROM item WHERE ") + c.text);
}

// The text with the contents of its literals blanked.
std::string outside_literals(std::string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool after_name = i > 0 && (std::isalnum(static_cast<unsigned char>(text[i - 1])) || text[i - 1] == ')');
        const bool opens = c == '\'' || c == '"' || (c == '[' && !after_name);
        if (!opens) continue;
        const std::size_t end = text.find(c == '[' ? ']' : c, i + 1);
        if (end == std::string::npos) break;
        for (std::size_t j = i + 1; j < end; ++j) text[j] = ' ';
        i = end;
    }
    return text;
}

// With no blanks around operators, FoxPro must still read the same tokens.
TEST(Generator, TokensStayApart) {
    for (std::uint64_t n = 0; n < 3000; ++n) {
        const std::string text = outside_literals(foxgen::statement(11, n));
        for (std::size_t i = 1; i < text.size(); ++i) {
            const char a = text[i - 1], b = text[i];
            EXPECT_FALSE(a == '-' && b == '-') << text;
            const bool digit = std::isdigit(static_cast<unsigned char>(a)) != 0;
            EXPECT_FALSE(digit && b == '.' && text.compare(i, 5, ".AND.") == 0) << text;
            // "!" after a name joins a database and its table, nothing else
            if ((std::isalnum(static_cast<unsigned char>(a)) || a == '_') && b == '!') {
                EXPECT_TRUE(i >= 5 && (text.compare(i - 5, 5, "sales") == 0 || text.compare(i - 5, 5, "SALES") == 0 ||
                                       std::tolower(static_cast<unsigned char>(text[i - 5])) == 's'))
                    << text;
            }
        }
    }
}

TEST(Reducer, EveryStepKeepsTheStatementValid) {
    for (std::uint64_t n = 0; n < 150; ++n) {
        const Query q = foxgen::generate(foxgen::mix(5, n));
        for (const Query &step : foxgen::reduction_steps(q)) {
            const std::string text = foxgen::render(step);
            EXPECT_EQ(joined(statement_checks::problems(step)), "") << "from 5#" << n << ": " << text;
            EXPECT_EQ(joined(statement_checks::text_problems(text)), "") << text;
        }
    }
}

TEST(Reducer, KeepsWhatIsAskedForAndDropsTheRest) {
    struct Case {
        const char *kept;   // the text the reduced statement must still hold
        std::size_t limit;  // its length at most
    };
    const Case cases[] = {{"$", 70}, {"INLIST(", 80}, {"JOIN", 110}, {"UNION", 110}, {"GROUP BY", 90}};
    for (const Case &c : cases) {
        auto keeps = [&](const std::string &text) { return text.find(c.kept) != std::string::npos; };
        for (std::uint64_t n = 0;; ++n) {
            ASSERT_LT(n, 2000u) << "no statement holds " << c.kept;
            const Query q = foxgen::generate(foxgen::mix(9, n));
            const std::string text = foxgen::render(q);
            if (!keeps(text)) continue;
            const std::string reduced = foxgen::render(foxgen::reduce(q, keeps));
            EXPECT_TRUE(keeps(reduced)) << reduced;
            EXPECT_LE(reduced.size(), c.limit) << reduced << "\nfrom " << text;
            EXPECT_EQ(reduced.find_first_of("\t\r\n"), std::string::npos) << reduced;
            break;
        }
    }
}

TEST(Reducer, StopsAtItsBudget) {
    const Query q = foxgen::generate(foxgen::mix(1, 3));
    int calls = 0;
    foxgen::reduce(q, [&](const std::string &) { return ++calls > 0; }, 5);
    EXPECT_EQ(calls, 5);
}

}  // namespace
