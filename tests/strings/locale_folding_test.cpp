// The runtime locale decides what a letter is and how text is upper-cased: with a code page 1251
// locale set through ZQV_SETLOC, Cyrillic letters fold and count as letters in the search and the
// utilities; back in the "C" locale they do neither.
#include "utilities/library_calls.h"

#include <string>

namespace {

using namespace std::string_literals;

// A locale whose name holds ".1251"; scripts/make-locales generates it.
constexpr const char *cyrillic_locale = "ru_RU.1251";

class LocaleFolding : public ::testing::Test {
protected:
    void SetUp() override {
        host.call("ZQV_SETLOC", {std::string(cyrillic_locale)});
        auto name = std::get<std::string>(host.call("ZQV_GETLOC"));
        if (name.find(".1251") == std::string::npos) {
            host.call("ZQV_SETLOC", {"C"s});
            GTEST_SKIP() << "the locale " << cyrillic_locale
                         << " cannot be set on this machine (scripts/make-locales generates it); nothing was tested";
        }
    }
    void TearDown() override {
        host.call("ZQV_SETLOC", {"C"s});
        EXPECT_EQ(std::get<std::string>(host.call("ZQV_GETLOC")), "C");
    }
    tarnvel::Host host;
};

// 0xE0 and 0xC0 are the small and capital first letter of the alphabet in code page 1251.
TEST_F(LocaleFolding, UpperCasingFollowsTheLocale) {
    EXPECT_EQ(testcalls::number(host, "ZQV_AT", {"\xE0"s, "x\xC0"s}), 2);
    EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", {"\xC0\xE0"s, "\xE0"s, "y"s}), "yy");
    host.call("ZQV_SETLOC", {"C"s});
    EXPECT_EQ(testcalls::number(host, "ZQV_AT", {"\xE0"s, "x\xC0"s}), 0);
    EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", {"\xC0\xE0"s, "\xE0"s, "y"s}), "\xC0y"s);
}

TEST_F(LocaleFolding, LettersFollowTheLocale) {
    // A Cyrillic letter joins the word: \xE0order is one word, no keyword; and \xE0iif( is no call.
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_RESERVED", {"\xE0order"s}), "\xE0order"s);
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_IIF", {"\xE0iif(a,b,c)"s}), "\xE0iif(a,b,c)"s);
    host.call("ZQV_SETLOC", {"C"s});
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_RESERVED", {"\xE0order"s}), "\xE0[order]"s);
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_IIF", {"\xE0iif(a,b,c)"s}), "\xE0 CASE WHEN a THEN b ELSE c END "s);
}

}  // namespace
