// The parenthesis pairs of a statement, found in one reading, answer as close_paren does from each
// "(" and for each end: the converter switches from one to the other after a few questions.
#include "select/fox/paren_pairs.h"
#include "select/fox/text.h"

#include <gtest/gtest.h>

namespace {

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

TEST(ParenPairs, AnswerAsCloseParen) {
    tarnvel::lex::LiteralRules bracket_rules;
    bracket_rules.double_quotes = true;
    bracket_rules.brackets = tarnvel::lex::BracketRuns::first;
    bracket_rules.backticks = true;
    const tarnvel::lex::LiteralRules rule_sets[] = {tarnvel::lex::single_quotes_only, bracket_rules};
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

}  // namespace
