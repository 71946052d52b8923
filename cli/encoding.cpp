#include "encoding.hpp"

#include "codec.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace tarnvel::cli {
namespace {

// The length of the run of ASCII bytes at 'at', eight at a time.
std::size_t ascii_run(std::string_view text, std::size_t at) {
    std::size_t from = at;
    for (std::uint64_t eight; at + 8 <= text.size(); at += 8) {
        std::memcpy(&eight, text.data() + at, 8);
        if (eight & 0x8080808080808080u) break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) ++at;
    return at - from;
}

bool all_ascii(std::string_view text) { return ascii_run(text, 0) == text.size(); }

// Where 'text' stops being well-formed UTF-8; nullopt when it does not.
std::optional<Stop> check_utf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        at += ascii_run(text, at);
        if (at == text.size()) break;
        std::size_t length = 0;
        utf8_character_at(text, at, length);
        if (length == 0) return Stop{at, false};
        at += length;
    }
    return std::nullopt;
}

std::string hex_byte(unsigned char b) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b);
    return text;
}

std::string text_error(std::string_view utf8, std::size_t at, std::string_view what, const std::string &code_page) {
    // the text before 'at' converted, so it is well-formed: its characters are its non-continuation bytes
    auto before = static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.begin() + static_cast<std::ptrdiff_t>(at),
                                                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    std::string where = std::string(what) + ", character " + std::to_string(before + 1) + ": ";
    std::size_t length = 0;
    char32_t point = utf8_character_at(utf8, at, length);
    if (length == 0) return where + "the byte " + hex_byte(static_cast<unsigned char>(utf8[at])) + " is not UTF-8 text";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(point));
    return where + "'" + std::string(utf8.substr(at, length)) + "' (" + code + ") has no byte in " + code_page;
}

std::string bytes_error(std::string_view bytes, const Stop &stop, std::string_view what, const std::string &code_page) {
    std::string where = std::string(what) + ", byte " + std::to_string(stop.at + 1) + ": ";
    if (stop.incomplete) return where + "ends in the middle of a " + code_page + " character";
    return where + hex_byte(static_cast<unsigned char>(bytes[stop.at])) + " is not " + code_page + " text";
}

}  // namespace

std::string code_page_key(std::string name) {
    name.erase(std::remove_if(name.begin(), name.end(), [](char c) { return c == '-' || c == '_'; }), name.end());
    std::transform(name.begin(), name.end(), name.begin(), [](char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; });
    return name;
}

char32_t utf8_character_at(std::string_view utf8, std::size_t at, std::size_t &length) {
    auto byte = [&](std::size_t i) { return i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : 0u; };
    unsigned lead = byte(at);
    length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
    if (length == 0) return 0;
    char32_t point = length == 1 ? lead : lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(at + k) & 0xC0) != 0x80) {
            length = 0;
            return 0;
        }
        point = (point << 6) | (byte(at + k) & 0x3F);
    }
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < least[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) length = 0;
    return point;
}

Encoding::Encoding(const std::string &name) : name_(name) {
    if (code_page_key(name) == "UTF8") return;
    // iconv reads "" as the locale's code page and "//" as conversion options
    if (!name.empty() && name.find('/') == std::string::npos) {
        codec_ = Codec::open_builtin(name);
        if (!codec_) codec_ = Codec::open(name);
    }
    if (!codec_) throw EncodingError("unknown encoding '" + name + "': give the name of a code page, such as CP1251 or BIG5");
    std::string ascii;
    for (int c = 1; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
    std::string there, back;
    if (codec_->encode(ascii, there) || there != ascii || codec_->decode(there, back) || back != ascii)
        throw EncodingError("the encoding '" + name + "' does not keep ASCII characters as they are; the library needs a code page that does");
}

Encoding::~Encoding() = default;

std::string Encoding::to_library(std::string_view utf8, std::string_view what) const {
    if (passes_bytes() || all_ascii(utf8)) return std::string(utf8);
    std::string out;
    if (auto stop = codec_->encode(utf8, out)) throw EncodingError(text_error(utf8, stop->at, what, name_));
    return out;
}

std::string Encoding::from_library(std::string_view bytes, std::string_view what) const {
    if (passes_bytes() || all_ascii(bytes)) return std::string(checked(bytes, what));
    std::string out;
    if (auto stop = codec_->decode(bytes, out)) throw EncodingError(bytes_error(bytes, *stop, what, name_));
    return out;
}

std::string_view Encoding::checked(std::string_view bytes, std::string_view what) const {
    if (auto stop = check_utf8(bytes)) throw EncodingError(bytes_error(bytes, *stop, what, name_));
    return bytes;
}

std::string Encoding::readable(std::string_view bytes) const {
    std::string text;
    while (!bytes.empty()) {
        std::string part;
        auto stop = passes_bytes() ? check_utf8(bytes) : codec_->decode(bytes, part);
        if (passes_bytes()) part = bytes.substr(0, stop ? stop->at : bytes.size());
        text += part;
        if (!stop) break;
        text += "\\x" + hex_byte(static_cast<unsigned char>(bytes[stop->at])).substr(2);
        bytes.remove_prefix(stop->at + 1);
    }
    return text;
}

}  // namespace tarnvel::cli
