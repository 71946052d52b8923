#include "lex/keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tarnvel::lex::keyword_in_list;
using tarnvel::lex::keyword_list_text;
using tarnvel::lex::KeywordList;

constexpr KeywordList all_lists[] = {
    KeywordList::sqlserver_reserved, KeywordList::sqlserver_clause, KeywordList::oracle_reserved,
    KeywordList::oracle_clause,      KeywordList::mysql_reserved,   KeywordList::mysql_clause,
    KeywordList::access_reserved,    KeywordList::access_clause,
};

std::vector<std::string> entries_of(std::string_view text) {
    std::vector<std::string> entries;
    if (text.empty()) return entries;
    std::size_t start = 1;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == ',') {
            entries.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return entries;
}

// The lookup as the lists are meant to be searched: a needle, then a plain substring search of
// each stored string.
bool reference_lookup(KeywordList list, const std::string &word) {
    std::string needle = (!word.empty() && word[0] == ',') || word.size() >= 97 ? word : "," + word + ",";
    for (int part = 0; part < 2; ++part) {
        std::string_view text = keyword_list_text(list, part);
        if (!text.empty() && text.find(needle) != std::string_view::npos) return true;
    }
    return false;
}

TEST(KeywordLookup, AnswersTheDocumentedCases) {
    struct Case {
        KeywordList list;
        const char *word;
        bool found;
    };
    const Case cases[] = {
        {KeywordList::sqlserver_clause, "SELECT", true}, {KeywordList::sqlserver_reserved, "SELECT", false},
        {KeywordList::sqlserver_clause, "IN", true}, {KeywordList::sqlserver_clause, ",IN,", true},
        {KeywordList::sqlserver_clause, "I", false}, {KeywordList::sqlserver_clause, "INDE", false},
        {KeywordList::sqlserver_reserved, "IN", false},  // ",IN," is not inside ",INDEX,"
        {KeywordList::sqlserver_reserved, "TABLE", true}, {KeywordList::sqlserver_reserved, "DELETE", true},
        {KeywordList::sqlserver_reserved, "CURSOR", false}, {KeywordList::access_reserved, "OLEOBJECT", true},
        {KeywordList::access_reserved, "OFOLEOBJECT", true}, {KeywordList::access_reserved, "UPDATEOWNER", true},
        {KeywordList::access_reserved, "END-EXEC", true}, {KeywordList::access_reserved, "NY", true},
        {KeywordList::access_reserved, "ININDEX", true}, {KeywordList::access_clause, "MOD", true},
        {KeywordList::access_clause, "IN", false}, {KeywordList::oracle_clause, "BY", true},
        {KeywordList::oracle_clause, "CURSOR", false}, {KeywordList::mysql_clause, "TOP", false},
        // A comma inside the word lets the needle span neighbouring entries.
        {KeywordList::sqlserver_clause, "ALL,AND", true}, {KeywordList::sqlserver_clause, "AND,ALL", false},
        {KeywordList::sqlserver_clause, "HAVING,", true},  // ",HAVING,," : the empty entry follows
        {KeywordList::sqlserver_clause, ",SELECT", true},  // searched as it stands
        {KeywordList::sqlserver_clause, ",", true}, {KeywordList::mysql_reserved, ",", true},
        {KeywordList::sqlserver_clause, ",,", true}, {KeywordList::mysql_reserved, ",,", false},
    };
    for (const Case &c : cases) EXPECT_EQ(keyword_in_list(c.list, c.word), c.found) << c.word;
    for (KeywordList list : all_lists) EXPECT_FALSE(keyword_in_list(list, "select"));
}

// Words of 97 characters or more are searched without added commas; 96 still get them.
TEST(KeywordLookup, LongWordsAreSearchedAsTheyStand) {
    std::string_view text = keyword_list_text(KeywordList::sqlserver_reserved);
    std::string slice(text.substr(0, 97));  // begins with a comma
    EXPECT_TRUE(keyword_in_list(KeywordList::sqlserver_reserved, slice));
    std::string inner(text.substr(1, 97));  // no leading comma, 97 characters: found as it stands
    EXPECT_TRUE(keyword_in_list(KeywordList::sqlserver_reserved, inner));
    std::string shorter(text.substr(1, 96));  // 96 characters: gets commas, ends inside an entry
    EXPECT_EQ(keyword_in_list(KeywordList::sqlserver_reserved, shorter),
              reference_lookup(KeywordList::sqlserver_reserved, shorter));
    EXPECT_FALSE(keyword_in_list(KeywordList::sqlserver_reserved, std::string(200, 'A')));
}

// For every entry of every list and a spread of near misses (the empty word, whose needle ",," is
// found where an entry is empty, among them), the lookup gives the answer of the plain substring
// search.
TEST(KeywordLookup, AgreesWithTheSubstringSearch) {
    std::vector<std::string> words = {"", ",", ",,", "A", "ZZZ", "SELECTX", "A_B", "END-", "-EXEC", "\xC0"};
    for (KeywordList list : all_lists)
        for (int part = 0; part < 2; ++part) {
            auto entries = entries_of(keyword_list_text(list, part));
            for (std::size_t i = 0; i < entries.size(); ++i) {
                const std::string &e = entries[i];
                words.push_back(e);
                words.push_back("," + e + ",");
                words.push_back("," + e);
                words.push_back(e + ",");
                words.push_back(e + "X");
                if (!e.empty()) words.push_back(e.substr(1));
                if (!e.empty()) words.push_back(e.substr(0, e.size() - 1));
                if (i + 1 < entries.size()) words.push_back(e + "," + entries[i + 1]);
            }
        }
    for (KeywordList list : all_lists)
        for (const std::string &word : words) ASSERT_EQ(keyword_in_list(list, word), reference_lookup(list, word)) << word;
}

}  // namespace
