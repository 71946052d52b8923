// The parenthesis pairs of a statement, found in one reading, answer as close_paren and call_extent
// do from each "(" and for each end: the converter switches from one to the other after a few
// questions.
#include "select/fox/paren_pairs.h"
#include "select/fox/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using tarnvel::select::fox::call_extent;
using tarnvel::select::fox::close_paren;
using tarnvel::select::fox::ParenPairs;

struct ParenText {
    std::string_view text;
    int opens[2];  // the "(" outside literals: quotes alone, then quotes, brackets and backquotes
};

constexpr ParenText paren_texts[] = {
    {"IIF(a > 1, IIF(b, 'x', 'y'), (c + d))", {3, 3}},
    {"f(a)) + (g(b)", {3, 3}},                 // a ")" without "(" and a "(" without ")"
    {"((( ", {3, 3}},                          // never closed
    {"f(')', \"(\", [)]) + g(`)`)", {3, 2}},   // parentheses inside literals
    {"f('unclosed ) + g(x)", {1, 1}},          // an unclosed literal hides the rest
    {"()()(())", {4, 4}},
    {"", {0, 0}},
};

tarnvel::lex::LiteralRules bracket_rules() {
    tarnvel::lex::LiteralRules rules;
    rules.double_quotes = true;
    rules.brackets = tarnvel::lex::BracketRuns::first;
    rules.backticks = true;
    return rules;
}

TEST(ParenPairs, AnswerAsCloseParen) {
    const tarnvel::lex::LiteralRules rule_sets[] = {tarnvel::lex::single_quotes_only, bracket_rules()};
    for (int r = 0; r < 2; ++r) {
        const tarnvel::lex::LiteralRules &rules = rule_sets[r];
        for (const ParenText &c : paren_texts) {
            const std::string_view text = c.text;
            const ParenPairs pairs(text, rules);
            int opens = 0;
            for (std::size_t open = 0; open < text.size(); ++open) {
                std::size_t close = 0;
                opens += pairs.find(open, text.size(), close) ? 1 : 0;
                for (std::size_t end = 0; end <= text.size(); ++end) {
                    if (!pairs.find(open, end, close)) continue;  // no "(" there: the caller reads the text
                    EXPECT_EQ(close, close_paren(text, open, end, rules)) << text << " @" << open << " end " << end;
                }
            }
            EXPECT_EQ(opens, c.opens[r]) << text;
        }
    }
}

// Calls whose extent a walk over their own level must count as a reading of all of it does:
// arguments that are nested calls, empty or blank lists, literals holding commas and parentheses,
// and date literals, whose braces the reading passes over whole (with whatever they hold).
constexpr std::string_view extent_texts[] = {
    "IIF(IIF(IIF(a > 1, 'x', 'y') = 'x', 'v', 'y') = 'v', 1, 2)",
    "f(g(a, b), (c, d), h())",
    "f() + g( ) + h(())+k( (a) )",
    "f(',', \"(,\", [,)], `)`, x)",
    "f(a, {^2024-01-15,}, g({^2024-01-15,}))",
    "f(a, g({ ( }), b)",    // a brace before a "(" hides it from the reading
    "f(a, g(b, { ) }, c))",  // and before a ")"
    "f(a, { , ( , }) + g(b)",
    "f(a, g(b, c)",          // never closed
    "f(a)) + (g(b, c)",
    "f('unclosed, g(x, y)",
    "f(a, (b), 'c' 'd', \"e\")",
};

void expect_extents(std::string_view text, const tarnvel::lex::LiteralRules &rules, bool every_end) {
    const ParenPairs pairs(text, rules);
    for (std::size_t open = 0; open < text.size(); ++open) {
        if (text[open] != '(') continue;
        for (std::size_t end = every_end ? open : text.size(); end <= text.size(); ++end) {
            const auto [close, count] = pairs.call_extent(text, open, end, rules);
            const auto [read_close, read_count] = call_extent(text, open, end, rules);
            ASSERT_EQ(close, read_close) << text << " @" << open << " end " << end;
            ASSERT_EQ(count, read_count) << text << " @" << open << " end " << end;
        }
    }
}

TEST(ParenPairs, ExtentsAnswerAsCallExtent) {
    for (const tarnvel::lex::LiteralRules &rules : {tarnvel::lex::single_quotes_only, bracket_rules()}) {
        for (std::string_view text : extent_texts) expect_extents(text, rules, true);
    }
}

// A nest of calls in any argument, the deepest level hundreds of calls down, among leaves that hold
// parentheses, commas and braces in and out of literals.
std::string call_nest(std::mt19937 &random, int depth) {
    static constexpr std::string_view leaves[] = {"a", "'x)'", "f(b, (c))", "'(,'", "[y),]", "{^2024-01-15,}",
                                                  "g()", "( )", "{ ) }", "`,`"};
    if (depth == 0) return std::string(leaves[random() % std::size(leaves)]);
    static constexpr std::string_view names[] = {"IIF(", "ICASE(", "INLIST(", "EMPTY(", "("};
    std::string out(names[random() % std::size(names)]);
    const unsigned count = random() % 4, inner = count == 0 ? 0 : random() % count;
    for (unsigned i = 0; i < count; ++i) {
        if (i) out += random() % 2 ? ", " : ",";
        out += i == inner ? call_nest(random, depth - 1) + " = 'x'" : call_nest(random, 0);
    }
    if (count == 0) out += call_nest(random, depth - 1);
    return out + ")";
}

TEST(ParenPairs, ExtentsOfGeneratedNestsAnswerAsCallExtent) {
    std::mt19937 random(34);
    for (int round = 0; round < 200; ++round) {
        const std::string text = call_nest(random, 1 + round % 30);
        for (const tarnvel::lex::LiteralRules &rules : {tarnvel::lex::single_quotes_only, bracket_rules()})
            expect_extents(text, rules, round % 10 == 0);
    }
    const std::string deep = call_nest(random, 600);
    expect_extents(deep, bracket_rules(), false);
}

}  // namespace
