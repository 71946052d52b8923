// Every spelling of every host field type, with and without blanks and tabs in its width part,
// through the four converters: a spelling must give exactly what its type letter gives, and a
// width or decimal count must reach the output wherever the target type takes one.
#include "utilities/library_calls.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace {

using tarnvel::Host;

struct Converter {
    const char *function;
    // The type letters whose target type keeps the width, and those that keep the decimals too.
    std::string_view widths, decimals;
};

constexpr Converter converters[] = {
    {"ZQ_SQL_CREATE_STRU_CONVERT", "CVNQ", "N"},
    {"ZQ_ORACLE_CREATE_STRU_CONVERT", "CVNFQ", "NF"},
    {"ZQ_MYSQL_CREATE_STRU_CONVERT", "CVNFQ", "NF"},
    {"ZQ_ACCESS_CREATE_STRU_CONVERT", "CVQ", ""},
};

struct Spelling {
    const char *word;
    char letter;
};

// The spellings a field list may use, as FoxPro and real programs write them.
constexpr Spelling spellings[] = {
    {"Character", 'C'}, {"Char", 'C'}, {"char", 'C'},
    {"Varchar", 'V'}, {"VARCHAR", 'V'},
    {"Numeric", 'N'}, {"Num", 'N'}, {"NUMBER", 'N'}, {"Decimal", 'N'}, {"dec", 'N'},
    {"Float", 'F'},
    {"Integer", 'I'}, {"Int", 'I'}, {"INT", 'I'},
    {"Double", 'B'},
    {"Currency", 'Y'}, {"money", 'Y'},
    {"Date", 'D'},
    {"DateTime", 'T'}, {"datetime", 'T'},
    {"Logical", 'L'}, {"Boolean", 'L'}, {"bool", 'L'}, {"bit", 'L'},
    {"Memo", 'M'},
    {"General", 'G'},
    {"Varbinary", 'Q'},
    {"Blob", 'W'},
    // cut short as FoxPro reads its keywords: four letters or more, five for a datetime
    {"Chara", 'C'}, {"Varc", 'V'}, {"NUME", 'N'}, {"Floa", 'F'}, {"inte", 'I'}, {"Doub", 'B'},
    {"Curr", 'Y'}, {"Datet", 'T'}, {"DateTim", 'T'}, {"Logi", 'L'}, {"Gene", 'G'}, {"Varbin", 'Q'},
};

// The same width part written several ways.
constexpr const char *widths_with_decimals[] = {"(12,3)", " (12,3)", "( 12 , 3 )", "(12, 3)", "\t(\t12\t,\t3\t)", "  (  12,  3)"};
constexpr const char *widths_alone[] = {"(12)", " (12)", "( 12 )", "\t( 12\t)"};

std::string convert(Host &host, const char *function, const std::string &fields) {
    tarnvel::Result result = host.call(function, {fields});
    const auto *text = std::get_if<std::string>(&result);
    EXPECT_NE(text, nullptr) << function << " gave no text for " << fields;
    return text ? *text : std::string();
}

std::vector<std::string> spellings_of(char letter) {
    std::vector<std::string> all{std::string(1, letter), std::string(1, static_cast<char>(letter - 'A' + 'a'))};
    for (const Spelling &s : spellings)
        if (s.letter == letter) all.emplace_back(s.word);
    return all;
}

TEST(StructureSpelling, EverySpellingAndWidthFormGivesWhatItsLetterGives) {
    Host host;
    for (const Converter &c : converters) {
        for (char letter : std::string_view("BCDFGILMNQTVWY")) {
            for (const char *width : widths_with_decimals) {
                const std::string canonical = convert(host, c.function, std::string("price ") + letter + "(12,3)");
                for (const std::string &word : spellings_of(letter)) {
                    EXPECT_EQ(convert(host, c.function, "price " + word + width), canonical)
                        << c.function << ": price " << word << width;
                    EXPECT_EQ(convert(host, c.function, "price\t" + word + width + ", b L"),
                              canonical + "," + convert(host, c.function, "b L"))
                        << c.function << ": " << word << width << " before another item";
                }
                bool keeps_width = c.widths.find(letter) != std::string_view::npos;
                bool keeps_decimals = c.decimals.find(letter) != std::string_view::npos;
                if (keeps_width) {
                    EXPECT_NE(canonical.find(keeps_decimals ? "(12,3)" : "(12)"), std::string::npos) << c.function << " " << canonical;
                } else {
                    EXPECT_EQ(canonical.find("12"), std::string::npos) << c.function << " " << canonical;
                }
            }
            for (const char *width : widths_alone) {
                const std::string canonical = convert(host, c.function, std::string("qty ") + letter + "(12)");
                for (const std::string &word : spellings_of(letter))
                    EXPECT_EQ(convert(host, c.function, "qty " + word + width), canonical) << c.function << ": qty " << word << width;
            }
        }
    }
}

TEST(StructureSpelling, UnknownTypeWordsAreRefusedByName) {
    Host host;
    for (const Converter &c : converters) {
        for (const char *fields : {"a C(1), amount Numerik(10,2)", "amount X(5)", "amount (10)"}) {
            const auto e = testcalls::error_of([&] { host.call(c.function, {std::string(fields)}); });
            const std::string message = e ? e->message() : "accepted";
            EXPECT_NE(message.find("for field amount"), std::string::npos) << c.function << ": " << message;
            EXPECT_EQ(message.rfind("Unknown field type ", 0), 0u) << c.function << ": " << message;
            EXPECT_EQ(host.handles_in_use(), 0u);
        }
    }
}

}  // namespace
