// The FoxPro-to-SQL map: its rows hang together, docs/foxpro-to-sql.md shows what the converters
// make of each row's example today (run with TARNVEL_UPDATE_DOCS=1 to rewrite that part of the
// document), and the FoxPro-syntax pass stays safe on hostile input.
#include "host/raw_host.h"
#include "library/dialects.h"
#include "select/dialect.h"
#include "select/fox/map.h"
#include "select/fox/rewrite.h"
#include "select/fox/text.h"
#include "select/harness.h"

#include <nlohmann/json.hpp>

#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace {

using tarnvel::select::fox::Construct;
using tarnvel::select::fox::Kind;
using tarnvel::select::fox::Place;
namespace fox = tarnvel::select::fox;

using tarnvel::DialectRow;
using tarnvel::Target;

// --- the rows

// The highest {n} a form names (0 for none).
std::size_t highest_slot(std::string_view form) {
    std::size_t highest = 0;
    for (std::size_t i = 0; i + 2 < form.size(); ++i) {
        if (form[i] == '{' && form[i + 1] >= '1' && form[i + 1] <= '9' && (form[i + 2] == '}' || form[i + 2] == '+')) {
            highest = std::max<std::size_t>(highest, static_cast<std::size_t>(form[i + 1] - '0'));
        }
    }
    return highest;
}

TEST(FoxMap, IdsAreUniqueAndNamesLeadBackToTheirRow) {
    std::set<std::string_view> ids;
    for (const Construct &row : fox::constructs()) {
        EXPECT_TRUE(ids.insert(row.id).second) << row.id;
        EXPECT_FALSE(row.example.empty()) << row.id;
        std::string_view words = row.words;
        while (!words.empty()) {
            std::size_t comma = words.find(',');
            std::string_view word = words.substr(0, comma);
            const Construct *first = fox::function_named(word);
            ASSERT_NE(first, nullptr) << word;
            EXPECT_EQ(fox::taking(*first, row.min_args), &row) << word;
            words = comma == std::string_view::npos ? std::string_view{} : words.substr(comma + 1);
        }
    }
}

TEST(FoxMap, TextFormsUseOnlyTheArgumentsACallHas) {
    for (const Construct &row : fox::constructs()) {
        if (row.kind != Kind::function || row.form != fox::Form::text) continue;
        for (std::string_view form : row.target) EXPECT_LE(highest_slot(form), row.max_args) << row.id << ": " << form;
    }
    for (const fox::CastType &type : fox::cast_types()) {
        for (std::string_view form : type.target) EXPECT_EQ(highest_slot(form), 1u) << type.letter << ": " << form;
        // a type that takes a width has a form for none written, which reads no width
        for (std::string_view form : type.widthless) {
            EXPECT_EQ(form.empty(), !type.sized) << type.letter;
            EXPECT_EQ(form.find("{w}"), std::string_view::npos) << type.letter << ": " << form;
            if (!form.empty()) {
                EXPECT_EQ(highest_slot(form), 1u) << type.letter << ": " << form;
            }
        }
    }
}

// --- the document

std::string collapse_blanks(std::string text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The row's example converted for one dialect, cut out of the statement around it.
std::string converted_example(tarnvel::Host &host, const Construct &row, const DialectRow &dialect) {
    std::string example(row.example);
    std::string statement = row.place == Place::select  ? "SELECT " + example + " FROM t"
                            : row.place == Place::where ? "SELECT * FROM t WHERE " + example
                            : row.place == Place::from  ? "SELECT * FROM " + example
                                                        : example;
    std::string out;
    try {
        out = std::get<std::string>(host.call(dialect.select_function, {statement}));
    } catch (const tarnvel::Error &e) {
        return "(error: " + e.message() + ")";
    }
    out = collapse_blanks(out);
    auto after = [&out](const std::string &word) {
        std::size_t at = out.find(word);
        return at == std::string::npos ? out : collapse_blanks(out.substr(at + word.size() + 1));
    };
    switch (row.place) {
    case Place::select: {
        std::string list = after("SELECT");
        std::size_t from = list.rfind(" FROM T");
        return from == std::string::npos ? list : list.substr(0, from);
    }
    case Place::where: {
        std::string condition = after("WHERE");
        if (dialect.id == Target::oracle && condition.size() > 4 && condition.starts_with("( ") && condition.ends_with(" )")) {
            condition = condition.substr(2, condition.size() - 4);  // Oracle's WHERE ( ... )
        }
        return condition;
    }
    case Place::from: return after("FROM");
    case Place::statement: return out;
    }
    return out;
}

std::string plain(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        if (c == '|') escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string code(std::string_view text) {
    const std::string escaped = plain(text);
    return escaped.find('`') != std::string::npos ? "`` " + escaped + " ``" : "`" + escaped + "`";
}

std::string rendered_map() {
    tarnvel::Host host;
    std::ostringstream doc;
    std::string titles, rules;
    for (const DialectRow &dialect : tarnvel::dialects()) {
        titles += " | " + std::string(dialect.title);
        rules += "---|";
    }
    doc << "| Construct | FoxPro example" << titles << " | Notes |\n";
    doc << "|---|---|" << rules << "---|\n";
    for (const Construct &row : fox::constructs()) {
        doc << "| " << code(row.id) << "<br>" << code(row.fox) << " | " << code(row.example);
        for (const DialectRow &dialect : tarnvel::dialects()) doc << " | " << code(converted_example(host, row, dialect));
        doc << " | " << plain(row.note) << " |\n";
    }
    doc << "\nThe FoxPro types of CAST(x AS type), and what each dialect writes for them ({1} is x, {w} the "
           "width, {d} the decimals):\n\n";
    doc << "| Type | Names" << titles << " |\n|---|---|" << rules << "\n";
    for (const fox::CastType &type : fox::cast_types()) {
        doc << "| " << type.letter << " | " << plain(type.names);
        for (std::size_t i = 0; i < type.target.size(); ++i) {
            doc << " | " << code(type.target[i]);
            if (!type.null_target[i].empty()) doc << "<br>a null: " << code(type.null_target[i]);
            if (!type.widthless[i].empty()) doc << "<br>no width written: " << code(type.widthless[i]);
        }
        doc << " |\n";
    }
    doc << "\nThe forms of the functions whose second argument is written as a number ({1} is the first "
           "argument, {s} the date style DTOC writes; a number without a form here takes the row's own "
           "form, and without that, too, the call stays as written):\n\n";
    doc << "| Row | Number" << titles << " |\n|---|---|" << rules << "\n";
    for (const fox::NumberedForm &form : fox::numbered_forms()) {
        doc << "| " << code(form.row) << " | " << (form.number.empty() ? "none written" : form.number);
        for (std::string_view target : form.target) doc << " | " << code(target);
        doc << " |\n";
    }
    return doc.str();
}

constexpr std::string_view begin_marker = "<!-- select-map:begin -->\n";
constexpr std::string_view end_marker = "<!-- select-map:end -->";

TEST(FoxMap, DocumentShowsWhatTheConvertersMakeOfEachRow) {
    const std::string path = std::string(TARNVEL_CASES_DIR) + "/../../docs/foxpro-to-sql.md";
    std::ifstream in(path);
    ASSERT_TRUE(in) << path;
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string doc = buffer.str();
    std::size_t begin = doc.find(begin_marker);
    std::size_t end = doc.find(end_marker);
    ASSERT_NE(begin, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    begin += begin_marker.size();
    const std::string expected = rendered_map();
    if (std::getenv("TARNVEL_UPDATE_DOCS")) {
        doc.replace(begin, end - begin, expected);
        std::ofstream(path) << doc;
        return;
    }
    std::istringstream have(doc.substr(begin, end - begin)), want(expected);
    std::string had, wanted;
    for (int line = 1; std::getline(want, wanted); ++line) {
        if (!std::getline(have, had) || had != wanted) {
            ADD_FAILURE() << "docs/foxpro-to-sql.md is out of date (run the test with TARNVEL_UPDATE_DOCS=1); line "
                          << line << " of the map should read\n" << wanted;
            return;
        }
    }
    EXPECT_FALSE(std::getline(have, had)) << "docs/foxpro-to-sql.md has more rows than the map: " << had;
}

// --- safety

TEST(FoxPass, DeepNestingStaysBoundedAndConverts) {
    for (const DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.select_function);
        std::string sql = "SELECT * FROM t WHERE ";
        for (int i = 0; i < 3000; ++i) sql += "EMPTY(INLIST(";
        sql += "x";
        for (int i = 0; i < 3000; ++i) sql += ", 1))";
        selecttest::Outcome r = selecttest::convert(function, sql);
        EXPECT_FALSE(r.error) << function << ": " << r.text.substr(0, 200);
        EXPECT_LT(r.text.size(), 2 * sql.size()) << function;  // no form doubles a long argument
        if (dialect.id != Target::access) {  // Access's EMPTY repeats its argument
            EXPECT_GT(r.text.find("EMPTY("), 150u) << function;  // the outer calls converted, the deepest left
        }

        std::string parens = "SELECT * FROM t WHERE " + std::string(20000, '(') + "a == 1" + std::string(20000, ')');
        r = selecttest::convert(function, parens);
        EXPECT_FALSE(r.error) << function;
        EXPECT_EQ(r.text.find("=="), std::string::npos) << function;
    }
}

// The quick look before the pass (and before the pass over each part of a statement) never passes
// over what the pass would change: the output is the same with the look and without it, on the
// corpus, every case row and those statements cut at every length, and every probe statement.
TEST(FoxPass, QuickLookMissesNothingThePassWouldChange) {
    std::vector<std::string> statements;
    std::size_t cut_statements = 0;  // the first ones, which are also cut
    auto read = [&statements](const std::string &path) {
        std::ifstream in(path);
        EXPECT_TRUE(in) << path;
        for (std::string line; std::getline(in, line);) {
            if (line.empty()) continue;
            nlohmann::json row = nlohmann::json::parse(line);
            if (row.contains("sql")) statements.push_back(row["sql"]);
            else if (row.contains("args") && !row["args"].empty() && row["args"][0].is_string())
                statements.push_back(row["args"][0]);
        }
    };
    for (const char *file : {"/../../corpus/selects.jsonl", "/select_foxpro.jsonl", "/select_sqlserver.jsonl",
                             "/select_mysql.jsonl", "/select_oracle.jsonl", "/select_access.jsonl"}) {
        read(std::string(TARNVEL_CASES_DIR) + file);
    }
    cut_statements = statements.size();
    for (const auto &entry : std::filesystem::directory_iterator(std::string(TARNVEL_CASES_DIR) + "/../validity")) {
        if (entry.path().filename().string().rfind("probes", 0) == 0) read((entry.path() / "selects.jsonl").string());
    }
    std::vector<const tarnvel::select::Dialect *> dialects;
    for (const DialectRow &row : tarnvel::dialects()) dialects.push_back(&tarnvel::library::tables(row.id).select());
    rawhost::Host host;
    rawhost::inside_call(host, [&] {
        std::size_t looked = 0, skipped = 0;
        for (std::size_t k = 0; k < statements.size(); ++k) {
            const std::string &whole = statements[k];
            const std::size_t step = k >= cut_statements ? whole.size() : whole.size() > 120 ? 20 : 1;
            for (std::size_t cut = step; cut <= whole.size() && cut > 0; cut += step) {
                const std::string_view text = std::string_view(whole).substr(0, cut);
                for (const auto *dialect : dialects) {
                    const tarnvel::Text full = tarnvel::select::fox::rewrite(*dialect, text, false);
                    const tarnvel::Text looked_at = tarnvel::select::fox::rewrite(*dialect, text, true);
                    ++looked;
                    if (!full) ++skipped;
                    EXPECT_EQ(looked_at ? looked_at.view() : text, full ? full.view() : text)
                        << tarnvel::target_name(dialect->id) << ": " << text;
                }
            }
        }
        EXPECT_GT(statements.size(), cut_statements + 4000);  // the probe sets were read
        EXPECT_GT(skipped, looked / 4);                       // the look spares the pass on many statements
    });
}

// The one-pass reading of a call's extent finds the ")" close_paren finds and as many arguments as
// for_each_argument walks, on random texts of parentheses, commas, blanks and quotes.
TEST(FoxPass, CallExtentAgreesWithTheParenthesisAndArgumentSearches) {
    const tarnvel::lex::LiteralRules rules[] = {
        {}, {true, tarnvel::lex::BracketRuns::flat, false}, {true, tarnvel::lex::BracketRuns::nested, true}};
    const std::string_view alphabet = "(((()))),,,   \t\n'\"[]`ab";
    std::mt19937 random(13);
    for (int round = 0; round < 4000; ++round) {
        std::string text(random() % 24, ' ');
        for (char &c : text) c = alphabet[random() % alphabet.size()];
        for (const auto &rule : rules) {
            for (std::size_t open = 0; open < text.size(); ++open) {
                if (text[open] != '(') continue;
                const std::size_t end = open + random() % (text.size() - open + 1);
                if (end <= open) continue;
                const std::size_t close = fox::close_paren(text, open, end, rule);
                std::size_t count = 0;
                if (close != fox::none) {
                    fox::for_each_argument(text, open, close, rule, [&count](std::size_t, std::size_t) { ++count; });
                }
                const fox::CallExtent extent = fox::call_extent(text, open, end, rule);
                EXPECT_EQ(extent.close, close) << text << " from " << open << " to " << end;
                EXPECT_EQ(extent.count, count) << text << " from " << open << " to " << end;
            }
        }
    }
}

TEST(FoxPass, EveryFailedObtainOrGrowthReleasesEverything) {
    const std::string sql =
        "SELECT ICASE(EMPTY(a), 'x', a $ 'abc', 'y', 'z') AS k, CAST(b AS N(10,2)), EVL(c, .T.), "
        "TRANSFORM(n, '@L 999') "
        "FROM data!orders o, d:\\x\\y.dbf WITH (BUFFERING = .T.) WHERE INLIST(m.k, 1, 2) AND BETWEEN(d, {01/02/2020}, "
        "DATE()) AND thisform.t.Value # 'x' AND !ISNULL(e) AND f == [c:\\y]";
    for (const DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.select_function);
        std::set<std::string> seen;
        for (tv_word operations = 1; operations < 200; ++operations) {
            selecttest::Outcome r = selecttest::convert(function, sql, true, operations);  // checks the handles
            if (!r.error) break;
            seen.insert(r.number ? std::to_string(r.number) : r.text);
        }
        EXPECT_FALSE(seen.empty()) << function;
        for (const std::string &message : seen) {
            EXPECT_TRUE(message == "182" || message.starts_with("Insufficient memory for "))
                << function << ": " << message;
        }
    }
}

}  // namespace
