#include "lex/letters.h"

#include "lex/cp1251_locale.h"

#include <gtest/gtest.h>

#include <clocale>

namespace {

using tarnvel::lex::Alphabet;
using tarnvel::lex::extended_alphabet;
using tarnvel::lex::is_letter;
using tarnvel::testing::Cp1251Locale;
using tarnvel::testing::LocaleScope;

TEST(LocaleName, MarksTheExtendedAlphabetWherever125Appears) {
    struct Case {
        const char *name;
        bool extended;
    };
    const Case cases[] = {
        {".1251", true},          {"Russian_Russia.1251", true}, {"ru_RU.CP1251@x.1251", true},
        {"ru_RU.CP1251", false},  {"1251", false},               {".125", false},
        {"C", false},             {"", false},                   {"C.UTF-8", false},
    };
    for (const Case &c : cases) EXPECT_EQ(extended_alphabet(c.name), c.extended) << c.name;
}

// In the plain alphabet exactly the 52 ASCII letters are letters, and the tables agree with
// is_letter byte for byte.
TEST(Letters, PlainAlphabetHasOnlyTheAsciiLetters) {
    LocaleScope scope("C");
    ASSERT_TRUE(scope.ok());
    const Alphabet &alphabet = Alphabet::current();
    for (int c = 0; c < 256; ++c) {
        bool ascii = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        EXPECT_EQ(is_letter(static_cast<unsigned char>(c)), ascii) << c;
        EXPECT_EQ(alphabet.letter(static_cast<unsigned char>(c)), ascii) << c;
    }
    EXPECT_EQ(alphabet.upper('a'), 'A');
    EXPECT_EQ(alphabet.upper('_'), '_');
    EXPECT_EQ(alphabet.upper('\xE0'), '\xE0');
}

TEST(Letters, UpperInPlaceChangesOnlyTheGivenLength) {
    LocaleScope scope("C");
    char text[] = "sele a_1, b";
    Alphabet::current().upper_in_place(text, 8);
    EXPECT_STREQ(text, "SELE A_1, b");
}

// The extended alphabet follows the locale at once: the same thread sees the change on its next
// query, and the change back.
TEST(Letters, ExtendedAlphabetFollowsTheLocale) {
    const auto &name = Cp1251Locale::available();
    if (!name) GTEST_SKIP() << "no locale with a .1251 name can be made here";
    {
        LocaleScope scope(*name);
        ASSERT_TRUE(scope.ok());
        const Alphabet &alphabet = Alphabet::current();
        for (int c = 1; c < 256; ++c) {
            bool expected = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0;
            EXPECT_EQ(is_letter(static_cast<unsigned char>(c)), expected) << c;
            EXPECT_EQ(alphabet.letter(static_cast<unsigned char>(c)), expected) << c;
        }
        EXPECT_FALSE(is_letter(0));
        EXPECT_FALSE(is_letter(0xA8));  // a letter of the code page, but below 0xC0
        EXPECT_EQ(alphabet.upper('\xE0'), '\xC0');  // the runtime's upper-casing of the locale
        EXPECT_EQ(alphabet.upper('\xFF'), '\xDF');
        EXPECT_EQ(alphabet.upper('z'), 'Z');
    }
    EXPECT_FALSE(is_letter(0xC0));
    EXPECT_FALSE(Alphabet::current().letter('\xC0'));
    EXPECT_EQ(Alphabet::current().upper('\xE0'), '\xE0');
}

}  // namespace
