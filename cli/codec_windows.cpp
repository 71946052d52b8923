// Code pages through the code page functions of Windows: the single-byte and double-byte code
// pages (CP1251, CP1252, CP1250, BIG5 = 950, GBK = 936, latin1 = 28591, ...), one character at
// a time, so that a stop is known to the byte.
#include "codec.hpp"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace tarnvel::cli {
namespace {

struct Named {
    const char *name;  // upper case, without '-' and '_'
    unsigned page;
};
const Named named_pages[] = {
    {"LATIN1", 28591}, {"ISO88591", 28591}, {"L1", 28591},      {"LATIN2", 28592}, {"ISO88592", 28592},
    {"ISO88595", 28595}, {"KOI8R", 20866}, {"KOI8U", 21866},    {"BIG5", 950},     {"GBK", 936},
    {"GB2312", 936},   {"SHIFTJIS", 932}, {"SJIS", 932},        {"EUCKR", 949},    {"UHC", 949},
};

unsigned page_of(const std::string &given) {
    std::string name = code_page_key(given);
    for (const Named &n : named_pages)
        if (name == n.name) return n.page;
    for (const char *prefix : {"CP", "WINDOWS", "IBM", ""}) {
        std::size_t length = std::strlen(prefix);
        if (name.compare(0, length, prefix) != 0 || name.size() == length || name.size() > length + 5) continue;
        std::string digits = name.substr(length);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::stoul(digits);
    }
    return 0;
}

void append_utf8(std::string &out, char32_t point) {
    if (point < 0x80) {
        out.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (point >> 6)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (point >> 12)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (point >> 18)));
        out.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
}

class WindowsCodec : public Codec {
public:
    explicit WindowsCodec(unsigned page) : page_(page) {}

    std::optional<Stop> encode(std::string_view utf8, std::string &out) override {
        out.clear();
        for (std::size_t at = 0; at < utf8.size();) {
            std::size_t length = 0;
            char32_t point = utf8_character_at(utf8, at, length);
            if (length == 0) return Stop{at, false};
            if (point < 0x80) {
                out.push_back(static_cast<char>(point));
                at += length;
                continue;
            }
            wchar_t wide[2];
            int count = 1;
            if (point >= 0x10000) {
                wide[0] = static_cast<wchar_t>(0xD800 + ((point - 0x10000) >> 10));
                wide[1] = static_cast<wchar_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
                count = 2;
            } else {
                wide[0] = static_cast<wchar_t>(point);
            }
            char bytes[8];
            BOOL defaulted = FALSE;
            int written = WideCharToMultiByte(page_, WC_NO_BEST_FIT_CHARS, wide, count, bytes, sizeof bytes, nullptr, &defaulted);
            // the bytes must read back as the same character: not every system reports a default
            // character or a best fit ('?' for 'Д' in CP1252)
            wchar_t back[4];
            int read = written > 0 ? MultiByteToWideChar(page_, 0, bytes, written, back, 4) : 0;
            if (written <= 0 || defaulted || read != count || back[0] != wide[0] || (count == 2 && back[1] != wide[1]))
                return Stop{at, false};
            out.append(bytes, static_cast<std::size_t>(written));
            at += length;
        }
        return std::nullopt;
    }

    std::optional<Stop> decode(std::string_view bytes, std::string &out) override {
        out.clear();
        for (std::size_t at = 0; at < bytes.size();) {
            auto b = static_cast<unsigned char>(bytes[at]);
            if (b < 0x80) {
                out.push_back(static_cast<char>(b));
                ++at;
                continue;
            }
            std::size_t length = IsDBCSLeadByteEx(page_, b) ? 2 : 1;
            if (at + length > bytes.size()) return Stop{at, true};
            wchar_t wide[2];
            int count = MultiByteToWideChar(page_, MB_ERR_INVALID_CHARS, bytes.data() + at, static_cast<int>(length), wide, 2);
            if (count <= 0) return Stop{at, false};
            char32_t point = wide[0];
            if (count == 2 && wide[0] >= 0xD800 && wide[0] < 0xDC00)
                point = 0x10000 + ((static_cast<char32_t>(wide[0]) - 0xD800) << 10) + (static_cast<char32_t>(wide[1]) - 0xDC00);
            append_utf8(out, point);
            at += length;
        }
        return std::nullopt;
    }

private:
    unsigned page_;
};

}  // namespace

std::unique_ptr<Codec> Codec::open(const std::string &name) {
    unsigned page = page_of(name);
    if (page == 0 || page == CP_UTF8 || !IsValidCodePage(page)) return nullptr;
    return std::make_unique<WindowsCodec>(page);
}

}  // namespace tarnvel::cli
