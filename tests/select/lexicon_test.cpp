// The dialect lexicon finds every word it holds, in any letter case when asked to upper-case, and
// no other: words of every length the hash reads differently, and words that share the length and
// every character the hash reads. Looked up upper-cased, it also gives the word as it holds it.
#include "select/dialect.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <string_view>

namespace {

using tarnvel::select::Lexicon;

TEST(Lexicon, FindsItsWordsAndNoOthers) {
    // the words held, each with the row its set starts with
    const std::pair<std::string_view, std::uint8_t> held[] = {
        {"A", 1},    {"AS", 2},     {"AND", 3},      {"FROM", 4},      {"WHERE", 5},
        {"ABCDXE", 6}, {"ABCDYE", 7}, {"ABCDXXE", 8}, {"_X1", 9},        {"SUBSTRING", 10},
    };
    Lexicon lexicon;
    for (const auto &[word, row] : held) {
        tarnvel::select::RowSet &set = lexicon[word];
        set.rows[set.count++] = row;
    }
    struct Case {
        std::string_view asked;
        bool upper_cased;      // looked up upper-cased on the fly
        std::uint8_t expected;  // the first row of the set found; 0: not found
    };
    const Case cases[] = {
        {"A", false, 1},         {"a", true, 1},          {"a", false, 0},
        {"AS", false, 2},        {"As", true, 2},         {"AT", false, 0},
        {"and", true, 3},        {"ANY", true, 0},        {"FROM", false, 4},
        {"from", true, 4},       {"FROMX", false, 0},     {"FRO", false, 0},
        {"Where", true, 5},      {"WHERF", false, 0},
        {"abcdxe", true, 6},     {"ABCDYE", false, 7},    {"ABCDZE", false, 0},  // hashed alike
        {"ABCDXXE", false, 8},   {"ABCDYXE", false, 0},   {"_x1", true, 9},
        {"SubString", true, 10}, {"SUBSTRINGS", false, 0}, {"", false, 0},
    };
    for (const Case &c : cases) {
        const tarnvel::select::RowSet *set = c.upper_cased ? lexicon.find_upper(c.asked, tarnvel::lex::Alphabet::names())
                                                           : lexicon.find(c.asked);
        EXPECT_EQ(set ? set->rows[0] : 0, c.expected) << c.asked;
        if (!c.upper_cased) continue;
        // the entry gives the same rows and the word as held, in upper case
        const Lexicon::Entry entry = lexicon.entry_upper(c.asked, tarnvel::lex::Alphabet::names());
        EXPECT_EQ(entry.rows, set) << c.asked;
        if (!entry.rows) continue;
        std::string upper(c.asked);
        for (char &ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(entry.word, upper) << c.asked;
    }
}

}  // namespace
