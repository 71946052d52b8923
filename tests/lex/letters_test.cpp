#include "lex/letters.h"

#include "lex/cp1251_locale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

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

// Names compare without regard to case beyond ASCII: UTF-8's letters of two bytes fold with their
// partners while the locale reads no code page; other bytes compare as they are.
TEST(Letters, SameLettersFoldsTwoByteUtf8Letters) {
    LocaleScope scope("C");
    ASSERT_TRUE(scope.ok());
    struct Case {
        const char *a, *b;
        bool same;
    };
    const Case cases[] = {
        {"Працівники", "працівники", true},  {"ПРАЦІВНИКИ", "працівники", true}, {"Ёлки", "ёлки", true},
        {"Їжак", "їжак", true},              {"Ґанок", "ґанок", true},          {"Łódź", "ŁÓDŹ", true},
        {"Księgi", "KSIĘGI", true},          {"Zaměstnanci", "ZAMĚSTNANCI", true}, {"Žádosti", "žádosti", true},
        {"Müşteri", "MÜŞTERI", true},        {"ÖĞRENCİ", "öğrencİ", true},     {"σύνολο", "ΣΎΝΟΛΟ", true},
        {"πελάτες", "ΠΕΛΆΤΕΣ", true},        {"Niños", "NIÑOS", true},          {"ÿ", "Ÿ", true},
        {"Ǆ", "ǆ", true},                    {"Ș", "ș", true},                  {"Բարև", "բԱՐև", true},
        {"σ", "ς", true},                    // both Σ in upper case
        {"ÖĞRENCİ", "öğrenci", false},       // İ is no partner of ASCII i
        {"ı", "I", false},                   {"πελάτες", "ΠΕΛΑΤΕΣ", false},     // Ά is no Α
        {"Straße", "STRASSE", false},        {"Працівник", "Працівники", false}, {"Київ", "Кийв", false},
        {"а", "б", false},                   {"abc", "ABC", true},              {"", "", true},
    };
    const Alphabet &names = Alphabet::names();
    for (const Case &c : cases) {
        EXPECT_EQ(names.same_letters(c.a, c.b), c.same) << c.a << " " << c.b;
        EXPECT_EQ(names.same_letters(c.b, c.a), c.same) << c.b << " " << c.a;
        EXPECT_EQ(!names.letters_before(c.a, c.b) && !names.letters_before(c.b, c.a), c.same) << c.a << " " << c.b;
    }
}

// Upper-casing in place keeps the length and leaves bytes that are no letter of two bytes alone,
// so UTF-8 stays UTF-8, even cut in the middle of a letter.
TEST(Letters, UpperInPlaceKeepsUtf8Whole) {
    LocaleScope scope("C");
    ASSERT_TRUE(scope.ok());
    struct Case {
        std::string text, upper;
    };
    const Case cases[] = {
        {"прізвище_1", "ПРІЗВИЩЕ_1"}, {"łódź", "ŁÓDŹ"},         {"straße", "STRAßE"},       {"πελάτες", "ΠΕΛΆΤΕΣ"},
        {"ı i", "ı I"},               {"日本abc", "日本ABC"},    {"\xD0", "\xD0"},           {"a\xD0", "A\xD0"},
        {"\xD0\xD0\xB1", "\xD0\xD0\x91"}, {"\xBF" "a\xC3", "\xBF" "A\xC3"}, {"ÿ", "Ÿ"},
    };
    for (const Case &c : cases) {
        std::string text = c.text;
        Alphabet::names().upper_in_place(text.data(), text.size());
        EXPECT_EQ(text, c.upper) << c.text;
        EXPECT_TRUE(Alphabet::names().same_letters(c.text, c.upper)) << c.text;
        EXPECT_TRUE(Alphabet::names().is_upper_word(c.text, c.upper)) << c.text;
    }
}

// A locale of a single-byte code page upper-cases its letters byte by byte: no byte is read as UTF-8.
TEST(Letters, CodePageLocaleComparesByteByByte) {
    const auto &name = Cp1251Locale::available();
    if (!name) GTEST_SKIP() << "no locale with a .1251 name can be made here";
    LocaleScope scope(*name);
    ASSERT_TRUE(scope.ok());
    const Alphabet &names = Alphabet::names();
    EXPECT_FALSE(names.reads_utf8());
    EXPECT_TRUE(names.same_letters("\xCF\xF0\xE0", "\xEF\xD0\xC0"));      // Пра, пРА
    EXPECT_FALSE(names.same_letters("\xD0\xBF", "\xD0\x9F"));               // Рї, РЏ: two letters each
    std::string text = "\xEF\xF0\xE0";
    names.upper_in_place(text.data(), text.size());
    EXPECT_EQ(text, "\xCF\xD0\xC0");
}

}  // namespace
