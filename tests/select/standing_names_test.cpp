// The names a statement names alone, gathered in one reading, answer as the reading per question
// does (names_no_table): the converter switches from one to the other after a few questions, and a
// statement must convert the same whichever answered.
#include "select/fox/standing_names.h"
#include "select/fox/text.h"

#include "lex/cp1251_locale.h"

#include <gtest/gtest.h>

#include <iterator>

#include <string>
#include <vector>

namespace {

using tarnvel::select::fox::names_no_table;
using tarnvel::select::fox::StandingNames;

struct StandingCase {
    const char *text;
    std::vector<const char *> words;  // asked besides every name-like run of the text
};

const StandingCase standing_cases[] = {
    // members and qualifiers are not names alone; a table and its alias are
    {"SELECT a.x, m.y, ?p.z, ~v FROM t1 a JOIN goApp g ON g.id = a.id", {"a", "A", "g", "goApp", "m", "p", "v", "t2"}},
    // any letter case, whole runs only
    {"select Abc.x from ABCD abcd, abc_1", {"abc", "ABCD", "abc_1", "ab", "bcd"}},
    // a file's name is named alone (orders.DBF), a literal's file base name too
    {"SELECT o.a FROM orders.DBF o, 'c:\\data\\items.dbf' i, \"x/y/parts.dbf\"", {"orders", "items", "parts", "c", "data"}},
    // a run behind !, \ or : that ends in a dot is a name alone
    {"SELECT * FROM db!cust.x, c:tab.y, d\\u.z", {"cust", "tab", "u", "db", "d"}},
    // names inside literals are not read, nor an unclosed literal's
    {"SELECT 'w.x y' AS s, [q r] AS t FROM z WHERE 'abc", {"w", "y", "q", "r", "z", "abc", "s", "t"}},
    {"SELECT `k` FROM n WHERE a = 'it''s' AND b = \"u\"", {"k", "n", "it", "s", "u", "a", "b"}},
    // digits start no name of their own but belong to one
    {"SELECT 1a, a1, _x FROM t9 WHERE 2 = 3", {"a", "1a", "a1", "_x", "t9", "2"}},
    // letters of two bytes in UTF-8, in either case (their lead bytes may differ: п D0 BF, П D0 9F, р D1 80)
    {"SELECT Працівники.x FROM працівники, ŁÓDŹ ł, Σύνολο WHERE рік = 1", {"ПРАЦІВНИКИ", "Працівник", "łódź", "Ł", "ΣΎΝΟΛΟ", "ΡІК", "Рік"}},
    {"", {"a"}},
};

std::vector<tarnvel::lex::LiteralRules> rule_sets();

struct NamedCase {
    const char *text, *word;
    bool named;
};

// A name in another case than the statement's is the statement's; a name of other letters is not.
TEST(StandingNames, NamesBeyondAsciiInAnyCase) {
    const NamedCase cases[] = {
        {"SELECT Працівники.x FROM працівники", "Працівники", true},
        {"SELECT a FROM ПРАЦІВНИКИ", "працівники", true},
        {"SELECT a FROM ёлки", "Ёлки", true},
        {"SELECT a FROM łódź", "ŁÓDŹ", true},
        {"SELECT a FROM ΣΎΝΟΛΟ", "σύνολο", true},
        {"SELECT a FROM klienci k", "K", true},
        {"SELECT a FROM працівники", "працівник", false},
        {"SELECT a FROM GRÖSSE", "größe", false},
        {"SELECT a FROM öğrenci", "ÖĞRENCİ", false},
    };
    for (const tarnvel::lex::LiteralRules &rules : rule_sets()) {
        for (const NamedCase &c : cases) {
            EXPECT_EQ(!names_no_table(c.text, c.word, rules), c.named) << c.text << " / " << c.word;
            EXPECT_EQ(StandingNames(c.text, rules).has(c.word), c.named) << c.text << " / " << c.word;
        }
    }
}

// Under a locale of the Cyrillic code page its letters fold byte by byte: Кл (CA EB) and кЛ (EA CB) are
// one name, and no pair of bytes is read as UTF-8.
TEST(StandingNames, CodePageNamesInAnyCase) {
    const auto &name = tarnvel::testing::Cp1251Locale::available();
    if (!name) GTEST_SKIP() << "no locale with a .1251 name can be made here";
    tarnvel::testing::LocaleScope scope(*name);
    ASSERT_TRUE(scope.ok());
    const NamedCase cases[] = {
        {"SELECT \xCA\xEB.x FROM \xEA\xCB", "\xCA\xEB", true},
        {"SELECT a FROM \xE0\xE1", "\xC0\xC1", true},
        {"SELECT a FROM \xD0\xBF", "\xD0\x9F", false},  // Рї and РЏ
    };
    for (const tarnvel::lex::LiteralRules &rules : rule_sets()) {
        for (const NamedCase &c : cases) {
            EXPECT_EQ(!names_no_table(c.text, c.word, rules), c.named) << c.word;
            EXPECT_EQ(StandingNames(c.text, rules).has(c.word), c.named) << c.word;
        }
    }
}

// Every maximal run of name characters and every quoted run's content, so that each standing name
// and each near miss is asked.
std::vector<std::string> runs_of(const std::string &text) {
    std::vector<std::string> out;
    std::string run;
    for (char c : text + " ") {
        if (tarnvel::select::fox::name_char(c)) {
            run += c;
        } else if (!run.empty()) {
            out.push_back(run);
            run.clear();
        }
    }
    return out;
}

// FoxPro's literals as the converter reads them, and single quotes alone.
std::vector<tarnvel::lex::LiteralRules> rule_sets() {
    tarnvel::lex::LiteralRules bracket_rules;
    bracket_rules.double_quotes = true;
    bracket_rules.brackets = tarnvel::lex::BracketRuns::first;
    bracket_rules.backticks = true;
    return {tarnvel::lex::single_quotes_only, bracket_rules};
}

TEST(StandingNames, AnswersAsTheReadingPerQuestion) {
    for (const tarnvel::lex::LiteralRules &rules : rule_sets()) {
        for (const StandingCase &c : standing_cases) {
            const StandingNames names(c.text, rules);
            std::vector<std::string> words = runs_of(c.text);
            words.insert(words.end(), c.words.begin(), c.words.end());
            for (const std::string &word : words) {
                EXPECT_EQ(names.has(word), !names_no_table(c.text, word, rules)) << c.text << " / " << word;
            }
        }
    }
}

// Every quoted run of the text as written (' and " only, as the cases write them), and one that the
// text lacks: the literals a work area's argument may be.
std::vector<std::string> literals_of(const std::string &text) {
    std::vector<std::string> out{"'zz'"};
    for (std::size_t at = text.find_first_of("'\""); at != std::string::npos; at = text.find_first_of("'\"", at)) {
        const std::size_t close = text.find(text[at], at + 1);
        if (close == std::string::npos) break;
        out.push_back(text.substr(at, close + 1 - at));
        at = close + 1;
    }
    return out;
}

// A work area's literal argument asks whether the statement reads the name besides that literal:
// other literals of the same text count as the literal itself, other spellings of the same file do not.
const StandingCase besides_cases[] = {
    {"SELECT RECCOUNT('cust') AS a, RECCOUNT('cust') AS b FROM t", {"cust", "t"}},
    {"SELECT RECCOUNT('cust') AS a, USED(\"cust\") AS b, RECCOUNT('CUST') FROM t", {"cust", "CUST"}},
    {"SELECT RECCOUNT('cust') AS a FROM Cust", {"cust"}},
    {"SELECT RECCOUNT('cust') AS a, RECCOUNT('c:\\d\\cust.dbf') AS b, RECCOUNT('x/cust') FROM t", {"cust", "d", "c"}},
    {"SELECT RECCOUNT('a.b') AS a, RECCOUNT('b') AS b, RECCOUNT('') AS c, RECCOUNT('.x') FROM t", {"a", "b", ""}},
};

TEST(StandingNames, AnswersBesidesALiteralAsTheReadingPerQuestion) {
    std::vector<StandingCase> all(std::begin(standing_cases), std::end(standing_cases));
    all.insert(all.end(), std::begin(besides_cases), std::end(besides_cases));
    for (const tarnvel::lex::LiteralRules &rules : rule_sets()) {
        for (const StandingCase &c : all) {
            const StandingNames names(c.text, rules);
            std::vector<std::string> words = runs_of(c.text);
            words.insert(words.end(), c.words.begin(), c.words.end());
            for (const std::string &literal : literals_of(c.text)) {
                for (const std::string &word : words) {
                    EXPECT_EQ(names.has_besides(word, literal), !names_no_table(c.text, word, rules, literal))
                        << c.text << " / " << word << " / " << literal;
                }
            }
        }
    }
}

}  // namespace
