// The pair index answers as a search for the closing parenthesis on the text as it is now, through
// the edits of a nest of IIF rewrites and through stray edits ahead of the scan, which make it
// forget rather than answer wrong.
#include "select/pair_index.h"
#include "select/work_text.h"

#include "host/raw_host.h"
#include "lex/scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using tarnvel::select::PairIndex;
using tarnvel::select::WorkText;
namespace lex = tarnvel::lex;

lex::LiteralRules bracket_rules() {
    lex::LiteralRules rules;
    rules.double_quotes = true;
    rules.brackets = lex::BracketRuns::first;
    rules.backticks = true;
    return rules;
}

// The search the index stands in for: the ")" of the "(" at 'open', -1 when none closes it.
std::ptrdiff_t searched_close(const WorkText &work, std::size_t open, const lex::LiteralRules &rules) {
    const lex::Pos rel = static_cast<lex::Pos>(open - work.base());
    const lex::Pos close = lex::find_close_paren(work.view(), rel, rules);
    if (close < 0 || static_cast<std::size_t>(close) >= work.view().size()) return -1;
    return static_cast<std::ptrdiff_t>(work.base() + static_cast<std::size_t>(close));
}

constexpr std::string_view texts[] = {
    "IIF(a > 1, IIF(b, 'x', 'y'), (c + d))",
    "f(a)) + (g(b)",                // a ")" without "(" and a "(" without ")"
    "((( ",                         // never closed
    "f(')', \"(\", [)]) + g(`)`)",  // parentheses inside literals
    "f('unclosed ) + g(x)",         // an unclosed literal hides the rest
    "()()(())",
    "(",
    "",
};

TEST(PairIndex, AnswersAsTheSearchFromEveryParenthesis) {
    rawhost::Host host;
    rawhost::inside_call(host, [] {
        for (const lex::LiteralRules &rules : {lex::single_quotes_only, bracket_rules()}) {
            for (std::string_view text : texts) {
                WorkText work = WorkText::copy_of(text, 2 * text.size() + 2);
                PairIndex pairs;
                pairs.build(work.view(), 0, rules);
                for (std::size_t at = 0; at < work.length(); ++at) {
                    const std::size_t pair = pairs.find(at, work.length(), WorkText::npos);
                    if (work.at(at) != '(') {
                        EXPECT_EQ(pair, PairIndex::none) << text << " at " << at;
                    } else if (pair != PairIndex::none) {
                        EXPECT_EQ(pairs.close(pair, work.length()), searched_close(work, at, rules)) << text << " at " << at;
                    }
                }
            }
        }
    });
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A nest of IIFs, nested in any of the three arguments, among other calls, groups and literals that
// hold parentheses and commas.
std::string nest(std::mt19937 &random, int depth) {
    static constexpr std::string_view leaves[] = {"a", "'x)'", "f(b, (c))", "'(,'", "[y)]", "g()"};
    if (depth == 0 || random() % 5 == 0) return std::string(leaves[random() % std::size(leaves)]);
    const unsigned inner = random() % 3;
    std::string args[3];
    for (unsigned i = 0; i < 3; ++i) args[i] = i == inner ? nest(random, depth - 1) : nest(random, 0);
    return "IIF(" + args[0] + " > 1, " + args[1] + ", (" + args[2] + "))";
}

// Between the edits of the IIF whose pair is 'pair' (its "(" at 'open'), every pair nested in it
// that the index names closes where the search finds; 'answered' counts them.
void expect_nested(const WorkText &work, const PairIndex &pairs, std::size_t pair, std::size_t open,
                   const lex::LiteralRules &rules, int &answered) {
    const std::ptrdiff_t close = searched_close(work, open, rules);
    const std::size_t end = close < 0 ? work.length() : static_cast<std::size_t>(close);
    for (std::size_t at = open + 1; at < end; ++at) {
        const std::size_t nested = pairs.find_nested(pair, at, work.length());
        if (nested == PairIndex::none) continue;
        ASSERT_EQ(work.at(at), '(') << work.view() << " at " << at;
        ASSERT_EQ(pairs.close(nested, work.length()), searched_close(work, at, rules)) << work.view() << " at " << at;
        ++answered;
    }
}

// The IIF rewrite of the call whose "(" is at 'open': its commas and ")" become words, the pairs told.
// With 'answered', the pairs nested in it are asked for between the edits.
void rewrite(WorkText &work, PairIndex &pairs, std::size_t pair, std::size_t open, const lex::LiteralRules &rules,
             int *answered = nullptr) {
    const auto word = [&](std::ptrdiff_t at, std::string_view text) {
        const auto delta = static_cast<std::ptrdiff_t>(text.size()) - 1;
        if (pair != PairIndex::none && !pairs.shift_before(pair, static_cast<std::size_t>(at), work.length(), delta))
            pair = PairIndex::none;
        work.replace(static_cast<std::size_t>(at), 1, text, "grow");
        if (answered != nullptr && pair != PairIndex::none) expect_nested(work, pairs, pair, open, rules, *answered);
    };
    const auto comma = [&] {
        const lex::Pos at = lex::find_next_comma(work.view(), static_cast<lex::Pos>(open - work.base()), rules);
        return at < 0 ? std::ptrdiff_t{-1} : static_cast<std::ptrdiff_t>(work.base()) + at;
    };
    if (const std::ptrdiff_t first = comma(); first >= 0) word(first, " THEN ");
    if (const std::ptrdiff_t second = comma(); second >= 0) word(second, " ELSE ");
    if (const std::ptrdiff_t close = searched_close(work, open, rules); close >= 0) word(close, " END ");
    work.set(open, ' ');
    if (pair != PairIndex::none) {
        pairs.forget_through(pair);
        work.take_reach();
    }
}

// An edit ahead of the scan that no one tells the index of, parentheses and quotes among its text.
void stray_edit(WorkText &work, std::mt19937 &random, std::size_t scan) {
    static constexpr std::string_view parts[] = {"(", ")", "'", "x", " "};
    const std::size_t at = scan + random() % (work.length() - scan);
    if (random() % 2 == 0) work.insert(at, parts[random() % std::size(parts)], "grow");
    else work.erase(at, 1 + random() % 3);
}

TEST(PairIndex, FollowsANestOfRewritesAndForgetsPastStrayEdits) {
    rawhost::Host host;
    rawhost::inside_call(host, [] {
        std::mt19937 random(33);
        int answered = 0;  // nested pairs named between an IIF's edits
        for (int round = 0; round < 300; ++round) {
            // under quotes alone "[y)]" holds a ")" too many, which leaves commas outside their call
            const bool balanced = round % 2 == 1;
            const lex::LiteralRules rules = balanced ? bracket_rules() : lex::single_quotes_only;
            const bool strays = round % 3 == 0;
            const std::string text = nest(random, 1 + round % 40);
            WorkText work = WorkText::copy_of(text, 2 * text.size() + 2);
            PairIndex pairs;
            pairs.build(work.view(), 0, rules);
            std::size_t scan = 0;
            for (std::size_t found = text.find("IIF("); found != std::string::npos;) {
                const std::size_t open = found + 3;
                if (random() % 4 == 0) work.settle(found);
                const std::size_t pair = pairs.find(open, work.length(), work.take_reach());
                if (pair != PairIndex::none)
                    ASSERT_EQ(pairs.close(pair, work.length()), searched_close(work, open, rules)) << text;
                else
                    ASSERT_TRUE(strays || !balanced) << "unanswered: " << text;
                rewrite(work, pairs, pair, open, rules, round % 4 == 0 ? &answered : nullptr);
                scan = open + 1;
                if (strays && random() % 3 == 0) stray_edit(work, random, scan);
                const std::string_view rest = work.view().substr(scan - work.base());
                const std::size_t next = rest.find("IIF(");
                found = next == std::string_view::npos ? next : scan + next;
            }
        }
        EXPECT_GT(answered, 1000) << "the nested pairs were never named";
    });
    EXPECT_EQ(host.handles_in_use(), 0u);
}

}  // namespace
