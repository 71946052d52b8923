// Latin-1 (ISO-8859-1): each byte is the code point U+0000 to U+00FF. The command's own converter,
// the same on every platform and needing no iconv module: the case files are read through it.
#include "codec.hpp"

#include <algorithm>

namespace tarnvel::cli {
namespace {

// The names iconv gives ISO-8859-1, compared without regard to case.
constexpr const char *latin1_names[] = {"ISO-8859-1", "ISO_8859-1", "ISO8859-1", "ISO88591", "ISO_8859-1:1987",
                                        "ISO-IR-100", "LATIN1",     "L1",        "IBM819",   "CP819",
                                        "CSISOLATIN1", "8859_1",    "OSF00010001"};

bool is_latin1_name(const std::string &name) {
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
    return std::any_of(std::begin(latin1_names), std::end(latin1_names), [&](const char *n) { return upper == n; });
}

class Latin1Codec : public Codec {
public:
    std::optional<Stop> encode(std::string_view utf8, std::string &out) override {
        out.resize(utf8.size());  // never more bytes than the text has
        const auto *in = reinterpret_cast<const unsigned char *>(utf8.data());
        char *to = out.data();
        for (std::size_t at = 0; at < utf8.size();) {
            unsigned lead = in[at];
            if (lead < 0x80) {
                *to++ = static_cast<char>(lead);
                ++at;
            } else if ((lead == 0xC2 || lead == 0xC3) && at + 1 < utf8.size() && (in[at + 1] & 0xC0) == 0x80) {
                *to++ = static_cast<char>(((lead & 0x03) << 6) | (in[at + 1] & 0x3F));  // U+0080 to U+00FF
                at += 2;
            } else {
                out.resize(static_cast<std::size_t>(to - out.data()));
                return Stop{at, false};  // above U+00FF, or not UTF-8
            }
        }
        out.resize(static_cast<std::size_t>(to - out.data()));
        return std::nullopt;
    }

    std::optional<Stop> decode(std::string_view bytes, std::string &out) override {
        auto high = static_cast<std::size_t>(
            std::count_if(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }));
        out.resize(bytes.size() + high);
        char *to = out.data();
        for (char c : bytes) {
            auto b = static_cast<unsigned char>(c);
            if (b < 0x80) {
                *to++ = c;
            } else {
                *to++ = static_cast<char>(0xC0 | (b >> 6));
                *to++ = static_cast<char>(0x80 | (b & 0x3F));
            }
        }
        return std::nullopt;
    }
};

}  // namespace

std::unique_ptr<Codec> Codec::open_builtin(const std::string &name) {
    if (is_latin1_name(name)) return std::make_unique<Latin1Codec>();
    return nullptr;
}

}  // namespace tarnvel::cli
