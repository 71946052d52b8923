// The text functions that count occurrences, run on MariaDB and PostgreSQL. STRTRAN with nStart and
// nCount: the occurrences from the n-th on, or the n-th and the next, replaced in texts with fewer, as
// many and more occurrences, each compared with FoxPro's rule worked out here; flags that change nothing
// for a searched text without letters give the same text as no flags. GETWORDNUM and GETWORDCOUNT with
// a dash among the delimiters; STREXTRACT of a later occurrence, with and without its end.
#include "servers.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

// FoxPro's STRTRAN(s, a, b, start, count): the occurrences of a, counted from the left without
// overlapping, from the start-th on, 'count' of them (-1: all).
std::string strtran(const std::string &s, const std::string &a, const std::string &b, int start, int count) {
    std::string out;
    std::size_t at = 0;
    int seen = 0, replaced = 0;
    for (std::size_t found; !a.empty() && (found = s.find(a, at)) != std::string::npos; at = found + a.size()) {
        out += s.substr(at, found - at);
        ++seen;
        const bool replace = seen >= start && (count < 0 || replaced < count);
        if (replace) ++replaced;
        out += replace ? b : a;
    }
    return out + s.substr(at);
}

std::string folded(std::string text, int flags) {
    if ((flags & 1) != 0) {
        for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// FoxPro's STREXTRACT(s, begin, end, n, flags) for flags 0 to 3 (1 blind to case, 2 no end needed): the text after the n-th begin (each
// found after the one before) up to the first end after it; where none follows, nothing, or with
// flags 2 the rest of the text.
std::string strextract(const std::string &written, const std::string &begin, const std::string &end, int n, int flags) {
    const std::string s = folded(written, flags);
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) {
        const std::size_t found = s.find(folded(begin, flags), at);
        if (found == std::string::npos) return "";
        at = found + begin.size();
    }
    const std::size_t stop = s.find(folded(end, flags), at);
    if (stop == std::string::npos) return (flags & 2) != 0 ? written.substr(at) : "";
    return written.substr(at, stop - at);
}

// the texts of the rows, k from 0: the letters of the last in both cases
constexpr const char *texts[] = {"", "x", "a,b", "a,b,c", ",,,", "a,b,c,d,e", ",a,,b,", "aB,bC,Cb,Ab"};

struct Call {
    const char *arguments;  // after the text
    const char *a, *b;
    int start, count;
};
constexpr Call calls[] = {
    {"',', '-', 3", ",", "-", 3, -1},      {"',', '-', 3, -1", ",", "-", 3, -1},
    {"',', '[]', 3, 1", ",", "[]", 3, 1},  {"',', '', 3, 2", ",", "", 3, 2},
    {"',', ';;', 2, 2", ",", ";;", 2, 2},  {"',', '-', 2, 2, 3", ",", "-", 2, 2},
    {"',', '\\', 3, 1, 2", ",", "\\", 3, 1}, {"',,', 'x', 2, 1, 1", ",,", "x", 2, 1},
    {"',', 'ab', -1, 2, 1", ",", "ab", 1, 2},
};

template <class Server> class TextOccurrences : public ::testing::Test {
protected:
    void SetUp() override {
        std::string insert = "INSERT INTO so (K, C) VALUES ";
        for (std::size_t i = 0; i < std::size(texts); ++i) {
            insert += (i > 0 ? ", (" : "(") + std::to_string(i) + ", '" + texts[i] + "')";
        }
        engine::make_table<Server>(db, "so", "K I, C V(20)", {insert});
    }

    typename Server::Client db;
};
TYPED_TEST_SUITE(TextOccurrences, engine::Servers, engine::ServerName);

TYPED_TEST(TextOccurrences, ReplaceFoxProsOccurrences) {
    for (const Call &call : calls) {
        std::string expected;
        for (const char *text : texts) expected += (expected.empty() ? "" : " ") + strtran(text, call.a, call.b, call.start, call.count) + "|";
        const std::string foxpro = std::string("SELECT STRTRAN(c, ") + call.arguments + ") + '|' FROM so ORDER BY k";
        EXPECT_EQ(engine::first_values<TypeParam>(this->db, foxpro), expected) << foxpro;
    }
}

struct Extract {
    const char *arguments;  // after the text
    const char *begin, *end;
    int n, flags;
};
constexpr Extract extracts[] = {
    {"',', ',', 2", ",", ",", 2, 0},       {"',', ',', 3, 0", ",", ",", 3, 0},
    {"',', ';', 2, 2", ",", ";", 2, 2},    {"',', ',', 3, 3", ",", ",", 3, 2},
    {"'C', ',', 2, 2", "C", ",", 2, 2},    {"',', ',', 1, 2", ",", ",", 1, 2},
    {"',,', ',', 2, 1", ",,", ",", 2, 0},   {"'A', ',', 1, 1", "A", ",", 1, 1},
    {"'B', 'C', 2, 3", "B", "C", 2, 3},    {"',', 'B', 1, 3", ",", "B", 1, 3},
    {"',', 'c', 3, 1", ",", "c", 3, 1},
};

TYPED_TEST(TextOccurrences, ExtractFoxProsOccurrence) {
    for (const Extract &call : extracts) {
        std::string expected;
        for (const char *text : texts) expected += (expected.empty() ? "" : " ") + strextract(text, call.begin, call.end, call.n, call.flags) + "|";
        const std::string foxpro = std::string("SELECT STREXTRACT(c, ") + call.arguments + ") + '|' FROM so ORDER BY k";
        EXPECT_EQ(engine::first_values<TypeParam>(this->db, foxpro), expected) << foxpro;
    }
}

// Written out: FoxPro's values of the rows k = 0 to 6, in order.
constexpr engine::Case cases[] = {
    {"GETWORDNUM(c, 2, '-,') + '|' + GETWORDNUM('x-y/z', 3, '/-')", "|z |z b|z b|z |z b|z b|z bC|z"},
    {"GETWORDCOUNT(c, ',-') * 10 + GETWORDCOUNT('a--b', '-')", "2 12 22 32 2 52 22 42"},
};

TYPED_TEST(TextOccurrences, CountFoxProsWords) {
    engine::expect_cases<TypeParam>(this->db, cases, "SELECT ", " FROM so ORDER BY k");
}

}  // namespace
