// Reserved-word quoting beyond the case files: the clause left by the last SELECT conversion,
// words of any length, results twice as long as the text, and the keyword lengths it relies on.
#include "host/state.h"
#include "lex/keywords.h"
#include "utilities/library_calls.h"
#include "utilities/reserved.h"

#include <string>

namespace {

std::string quote(const std::string &text) {
    tarnvel::Host host;
    return testcalls::text(host, "ZQ_SQL_RESERVED", {text});
}

TEST(ReservedQuoting, AsteriskCountsAsOperandAfterASelectList) {
    const char before = tarnvel::state::last_clause();
    tarnvel::state::set_last_clause('s');
    EXPECT_EQ(quote("* AND x"), "* AND x");
    tarnvel::state::set_last_clause('w');
    EXPECT_EQ(quote("* AND x"), "* [AND] x");
    tarnvel::state::set_last_clause(before);
}

TEST(ReservedQuoting, WordsOfAnyLengthAndResultsTwiceAsLong) {
    const std::string long_word(5000, 'o');
    EXPECT_EQ(quote(long_word + "rder order"), long_word + "rder [order]");
    std::string text, expected;
    for (int i = 0; i < 2000; ++i) {
        text += "to,";
        expected += "[to],";
    }
    EXPECT_EQ(quote(text), expected);
}

TEST(ReservedQuoting, NoKeywordIsLongerThanTheWordsLookedUp) {
    using tarnvel::lex::KeywordList;
    for (KeywordList list : {KeywordList::sqlserver_reserved, KeywordList::sqlserver_clause, KeywordList::oracle_reserved,
                             KeywordList::oracle_clause, KeywordList::mysql_reserved, KeywordList::mysql_clause,
                             KeywordList::access_reserved, KeywordList::access_clause}) {
        for (int part = 0; part < 2; ++part) {
            std::string_view text = tarnvel::lex::keyword_list_text(list, part);
            std::size_t start = 0;
            for (std::size_t comma; (comma = text.find(',', start)) != std::string_view::npos; start = comma + 1)
                EXPECT_LE(comma - start, tarnvel::utilities::longest_keyword) << text.substr(start, comma - start);
        }
    }
}

}  // namespace
