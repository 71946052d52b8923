// A code page converter: latin1 of its own (codec_latin1.cpp), any other code page through the
// platform, the C library's iconv on POSIX (codec_posix.cpp), the code page functions of Windows on
// Windows (codec_windows.cpp). Encoding builds on it.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvel::cli {

// Where and why a conversion stopped.
struct Stop {
    std::size_t at = 0;       // byte offset in the input
    bool incomplete = false;  // the input ends in the middle of a character
};

class Codec {
public:
    // The converter between UTF-8 and the code page 'name'; nullptr when the platform knows no
    // such code page.
    static std::unique_ptr<Codec> open(const std::string &name);
    // The command's own converter for 'name' (latin1 under any of its iconv names); nullptr for a
    // code page left to the platform. Tried before open().
    static std::unique_ptr<Codec> open_builtin(const std::string &name);
    virtual ~Codec() = default;

    // Convert all of 'in' into 'out'; on a character or byte that cannot be converted, answer its
    // place ('out' then holds what was converted before it).
    virtual std::optional<Stop> encode(std::string_view utf8, std::string &out) = 0;
    virtual std::optional<Stop> decode(std::string_view bytes, std::string &out) = 0;
};

// A code page's name as names are compared: upper case, without '-' and '_' ("utf-8" -> "UTF8").
std::string code_page_key(std::string name);

// The character of well-formed UTF-8 at 'at' and its length in bytes; length 0 when no
// well-formed character starts there.
char32_t utf8_character_at(std::string_view utf8, std::size_t at, std::size_t &length);

}  // namespace tarnvel::cli
