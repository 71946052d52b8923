// The code page of the library's bytes, for the command and the JSON-lines bridge.
//
// The user's side is Unicode text written in UTF-8 (command-line arguments, standard input, JSON
// strings); the library's side is bytes in a code page the platform knows (CP1251, CP1252,
// CP1250, BIG5, GBK, ...: the names of the C library's iconv; on Windows, its code pages). UTF-8
// itself, the default, passes the bytes as they come; "latin1" reads each byte as the code point
// U+0000 to U+00FF and back, so that any byte string can be written in JSON.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tarnvel::cli {

class Codec;

// Text that does not fit the code page, or bytes that are not text in it. The message names the
// place ('what'), the character or byte and its position.
struct EncodingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One thread at a time: the code page's converters keep state between calls.
class Encoding {
public:
    // Throws EncodingError for a code page the platform does not know, or a code page that does not keep ASCII
    // as it is (UTF-16, EBCDIC): the library reads its keywords and punctuation as ASCII bytes.
    explicit Encoding(const std::string &name = "UTF-8");
    ~Encoding();
    Encoding(const Encoding &) = delete;
    Encoding &operator=(const Encoding &) = delete;

    const std::string &name() const { return name_; }
    // True for UTF-8: the library gets the bytes as they come.
    bool passes_bytes() const { return codec_ == nullptr; }

    // UTF-8 text to the library's bytes; for UTF-8 the bytes as they are. 'what' names the text
    // in an error ("args[0]").
    std::string to_library(std::string_view utf8, std::string_view what) const;
    // The library's bytes to UTF-8 text; for UTF-8 the bytes are checked, not changed.
    std::string from_library(std::string_view bytes, std::string_view what) const;
    // The bytes as they are, once checked to be UTF-8 text (EncodingError): from_library for
    // UTF-8 without the copy.
    std::string_view checked(std::string_view bytes, std::string_view what) const;
    // As from_library, for text only shown to a person (messages, warnings): a byte that is not
    // text in the code page is written as \xNN instead of failing.
    std::string readable(std::string_view bytes) const;

private:
    std::string name_;
    std::unique_ptr<Codec> codec_;  // nullptr for UTF-8
};

}  // namespace tarnvel::cli
