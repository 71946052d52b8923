// The constant word tables of the FoxPro-syntax pass: a word is found in any letter case and only
// as a whole, also where many words share a slot's chain.
#include "select/fox/text.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

namespace fox = tarnvel::select::fox;

// Few slots and words that hash alike (the same length, first and last letters), so that every
// lookup walks a chain; '@' and '`' differ only in the bit that letter case sets.
constexpr std::string_view table_words[] = {"ABCD", "AXYD", "AZZD", "@QQ", "PADR", "PADL", "X", "FIFTEENLETTERSX", "SIXTEENLETTERSXY"};

constexpr auto crowded_table() {
    fox::WordTable<16> table;
    for (std::size_t i = 0; i < std::size(table_words); ++i) table.add(table_words[i], static_cast<std::uint8_t>(i + 1));
    return table;
}
constexpr auto crowded = crowded_table();

struct Lookup {
    std::string_view word;
    int found;  // the word's value, or -1
};
constexpr Lookup lookups[] = {
    {"ABCD", 1}, {"abcd", 1}, {"aXyD", 2}, {"azzd", 3}, {"@QQ", 4}, {"@qq", 4},
    {"padr", 5}, {"PADL", 6}, {"x", 7}, {"FifteenLettersX", 8},
    {"AQQD", -1},             // the hash's letters of ABCD, the middle of none
    {"`QQ", -1},              // '`' is no lower-case '@'
    {"ABC", -1}, {"ABCDE", -1}, {"PAD", -1}, {"", -1}, {"Y", -1},
    {"SIXTEENLETTERSXY", -1}, // longer than any word a table keeps
    {"FIFTEENLETTERSY", -1},
};

TEST(WordTable, FindsAWordInAnyCaseAndOnlyAsAWhole) {
    for (const Lookup &l : lookups) EXPECT_EQ(crowded.find(l.word), l.found) << l.word;
}

// The same at compile time, where the tables of the pass are built and first read.
static_assert(crowded.find("aBcD") == 1 && crowded.find("AXXD") == -1);

}  // namespace
