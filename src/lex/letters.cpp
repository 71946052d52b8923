// The letter test and upper-casing, following the C runtime's character-type locale.
#include "lex/letters.h"

#include <cctype>
#include <clocale>
#include <string>

namespace tarnvel::lex {

namespace {

constexpr std::string_view code_page_marker = ".1251";
constexpr unsigned char first_extended_letter = 0xC0;

bool ascii_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view locale_name() {
    const char *name = std::setlocale(LC_CTYPE, nullptr);
    return name ? std::string_view(name) : std::string_view("C");
}

}  // namespace

bool extended_alphabet(std::string_view locale_name) { return locale_name.find(code_page_marker) != std::string_view::npos; }

bool is_letter(unsigned char c) {
    bool extended = extended_alphabet(locale_name());
    return ascii_letter(c) || (extended && c >= first_extended_letter);
}

// One per thread: the tables of the locale seen last, rebuilt when its name changes.
struct AlphabetCache {
    std::string name;
    bool built = false;
    Alphabet alphabet;

    const Alphabet &refresh() {
        std::string_view now = locale_name();
        if (!built || now != name) rebuild(now);
        return alphabet;
    }

    void rebuild(std::string_view now) {
        bool extended = extended_alphabet(now);
        for (int c = 0; c < 256; ++c) {
            auto byte = static_cast<unsigned char>(c);
            alphabet.letter_[c] = ascii_letter(byte) || (extended && byte >= first_extended_letter);
            alphabet.upper_[c] = static_cast<unsigned char>(std::toupper(c));
        }
        name.assign(now);
        built = true;
    }
};

const Alphabet &Alphabet::current() {
    thread_local AlphabetCache cache;
    return cache.refresh();
}

void Alphabet::upper_in_place(char *text, std::size_t length) const {
    for (std::size_t i = 0; i < length; ++i) text[i] = upper(text[i]);
}

}  // namespace tarnvel::lex
