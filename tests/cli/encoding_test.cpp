// The code pages between the user's UTF-8 text and the library's bytes.
#include "codec.hpp"
#include "encoding.hpp"

#include <gtest/gtest.h>

namespace {

using tarnvel::cli::Encoding;
using tarnvel::cli::EncodingError;

// The message of the EncodingError 'call' raises; "(no error)" when it raises none.
template <typename Call>
std::string refusal(Call &&call) {
    try {
        call();
    } catch (const EncodingError &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(Encoding, TextAndBytesBothWays) {
    struct Case {
        const char *encoding;
        std::string text;   // UTF-8
        std::string bytes;  // in the code page
    } cases[] = {
        {"CP1251", "SELECT * FROM Дом WHERE ы = 'Ё'", "SELECT * FROM \xC4\xEE\xEC WHERE \xFB = '\xA8'"},
        {"cp1251", "€", "\x88"},
        {"CP1252", "café €", "caf\xE9 \x80"},
        {"CP1250", "Łódź", "\xA3\xF3\x64\x9F"},
        {"BIG5", "中文 a", "\xA4\xA4\xA4\xE5 a"},
        {"GBK", "中文", "\xD6\xD0\xCE\xC4"},
        {"latin1", "\xC2\x80\xC3\xBF", "\x80\xFF"},
        {"ISO-8859-1", "café ÿ", "caf\xE9 \xFF"},
        {"l1", std::string("\0é", 3), std::string("\0\xE9", 2)},
        {"UTF-8", "Дом", "Дом"},
        {"utf8", std::string("a\0b", 3), std::string("a\0b", 3)},
        {"CP1251", std::string("\0Д", 3), std::string("\0\xC4", 2)},
    };
    for (const Case &c : cases) {
        Encoding encoding(c.encoding);
        EXPECT_EQ(encoding.to_library(c.text, "x"), c.bytes) << c.encoding << " " << c.text;
        EXPECT_EQ(encoding.from_library(c.bytes, "x"), c.text) << c.encoding << " " << c.text;
    }
}

TEST(Encoding, Latin1CarriesEveryByte) {
    Encoding latin1("latin1");
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    std::string text = latin1.from_library(all, "x");
    EXPECT_EQ(text.size(), 128u + 2 * 128u);
    EXPECT_EQ(latin1.to_library(text, "x"), all);
}

// The command converts latin1 itself; the platform's converter (iconv on POSIX) knows the same
// names and gives the same bytes and the same stops.
TEST(Encoding, OwnLatin1AnswersAsThePlatformDoes) {
    using tarnvel::cli::Codec;
    std::string every_byte;
    for (int b = 0; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
    const std::string texts[] = {"plain", "caf\xC3\xA9 \xC3\xBF", "a\xC4\x80" "b", "\xE2\x82\xAC", "\xF0\x9F\x98\x80x",
                                 "ab\xC3", "a\x80" "b", "\xC0\x80", "\xED\xA0\x80", std::string("\0\xC3\xA9", 3)};
    for (const char *name : {"latin1", "LATIN1", "ISO-8859-1", "iso_8859-1", "ISO8859-1", "ISO88591", "L1", "IBM819",
                             "CP819", "ISO-IR-100", "CSISOLATIN1", "8859_1", "ISO_8859-1:1987", "OSF00010001"}) {
        auto own = Codec::open_builtin(name);
        auto platform = Codec::open(name);
        ASSERT_TRUE(own) << name;
        ASSERT_TRUE(platform) << name;
        std::string a, b;
        EXPECT_EQ(own->decode(every_byte, a).has_value(), platform->decode(every_byte, b).has_value()) << name;
        EXPECT_EQ(a, b) << name;
        for (const std::string &text : texts) {
            auto own_stop = own->encode(text, a);
            auto platform_stop = platform->encode(text, b);
            ASSERT_EQ(own_stop.has_value(), platform_stop.has_value()) << name << " " << text;
            if (own_stop) EXPECT_EQ(own_stop->at, platform_stop->at) << name << " " << text;
            else EXPECT_EQ(a, b) << name << " " << text;
        }
    }
    for (const char *name : {"CP1252", "LATIN2", "LATIN-1", "UTF-8", ""}) EXPECT_FALSE(Codec::open_builtin(name)) << name;
}

TEST(Encoding, TextThatDoesNotFitNamesTheCharacterAndItsPlace) {
    struct Case {
        const char *encoding;
        std::string text;
        const char *message;
    } cases[] = {
        {"CP1251", "ab日c", "args[0], character 3: '日' (U+65E5) has no byte in CP1251"},
        {"CP1252", "Жx", "args[0], character 1: 'Ж' (U+0416) has no byte in CP1252"},
        {"latin1", "aĀ", "args[0], character 2: 'Ā' (U+0100) has no byte in latin1"},
        {"ISO_8859-1", "é€", "args[0], character 2: '€' (U+20AC) has no byte in ISO_8859-1"},
        {"latin1", "é\xC3", "args[0], character 2: the byte 0xC3 is not UTF-8 text"},
        {"latin1", "\xED\xA0\x80", "args[0], character 1: the byte 0xED is not UTF-8 text"},
        {"BIG5", "中😀", "args[0], character 2: '😀' (U+1F600) has no byte in BIG5"},
        {"CP1251", "Д\xFF", "args[0], character 2: the byte 0xFF is not UTF-8 text"},
    };
    for (const Case &c : cases) {
        Encoding encoding(c.encoding);
        EXPECT_EQ(refusal([&] { encoding.to_library(c.text, "args[0]"); }), c.message) << c.encoding << " " << c.text;
    }
}

TEST(Encoding, BytesThatAreNoTextAreAnErrorOrShownAsHex) {
    struct Case {
        const char *encoding;
        std::string bytes;
        const char *message;
        const char *readable;
    } cases[] = {
        {"CP1251", "ab\x98", "the result, byte 3: 0x98 is not CP1251 text", "ab\\x98"},
        {"BIG5", "a\xA4", "the result, byte 2: ends in the middle of a BIG5 character", "a\\xA4"},
        {"UTF-8", "\xD0\x94\xC3(", "the result, byte 3: 0xC3 is not UTF-8 text", "Д\\xC3("},
        {"UTF-8", "\xED\xA0\x80", "the result, byte 1: 0xED is not UTF-8 text", "\\xED\\xA0\\x80"},
    };
    for (const Case &c : cases) {
        Encoding encoding(c.encoding);
        EXPECT_EQ(refusal([&] { encoding.from_library(c.bytes, "the result"); }), c.message) << c.encoding;
        EXPECT_EQ(encoding.readable(c.bytes), c.readable) << c.encoding;
    }
}

TEST(Encoding, UnknownOrNotAsciiBasedCodePagesAreRefused) {
    struct Case {
        const char *name;
        const char *says;
    } cases[] = {
        {"NO-SUCH-PAGE", "unknown encoding 'NO-SUCH-PAGE'"},
        {"", "unknown encoding ''"},
        {"UTF-16", "does not keep ASCII"},
        {"EBCDIC-US", "does not keep ASCII"},
    };
    for (const Case &c : cases) {
        const std::string message = refusal([&] { Encoding encoding(c.name); });
        EXPECT_NE(message.find(c.says), std::string::npos) << c.name << ": " << message;
    }
}

}  // namespace
