// The letter test and upper-casing. Both follow the C runtime's character-type locale: while its
// name contains ".1251" the bytes 0xC0 to 0xFF are letters too.
#pragma once

#include <cstddef>
#include <string_view>

namespace tarnvel::lex {

// True when the byte is a letter of the alphabet in force now (the locale is asked on every call).
bool is_letter(unsigned char c);

// The letter test and the runtime's upper-casing as tables, for the length of one call. current()
// asks the locale for its name and builds the tables of a locale only the first time it is seen;
// the reference stays valid until the library is unloaded (the tables are freed then).
class Alphabet {
public:
    static const Alphabet &current();
    // The same, with every byte above 0x7F a letter: how the SELECT converters read names written
    // in UTF-8 or a double-byte code page. Upper-casing stays the locale's.
    static const Alphabet &names();

    bool letter(unsigned char c) const { return letter_[c]; }
    bool letter(char c) const { return letter_[static_cast<unsigned char>(c)]; }
    char upper(char c) const { return static_cast<char>(upper_[static_cast<unsigned char>(c)]); }
    // Names are read in UTF-8 while the locale upper-cases no byte above 0x7F; a locale of a
    // single-byte code page upper-cases its own letters byte by byte instead.
    bool reads_utf8() const { return reads_utf8_; }

    // Upper-cases the text where it stands: every byte as upper() does and, in UTF-8, the letters of two
    // bytes (Latin, Greek, Cyrillic, Armenian) whose upper case is two bytes too. The length never changes.
    void upper_in_place(char *text, std::size_t length) const {
        for (std::size_t i = 0; i < length; ++i) {
            if (reads_utf8_ && static_cast<unsigned char>(text[i]) >= 0xC2) {
                i += upper_utf8_letter(text, length, i);
            } else {
                text[i] = upper(text[i]);
            }
        }
    }
    // The two texts are the same but for the case of their letters (in UTF-8, of their two-byte
    // letters too). Names that are the same have the same length.
    bool same_letters(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (upper(a[i]) != upper(b[i])) return reads_utf8_ && beyond_ascii(a[i], b[i]) && same_utf8_letters(a, b, i);
        }
        return true;
    }
    // The text, upper-cased, is the word (written in upper case).
    bool is_upper_word(std::string_view text, std::string_view upper_word) const {
        if (text.size() != upper_word.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (upper(text[i]) != upper_word[i]) {
                return reads_utf8_ && beyond_ascii(text[i], upper_word[i]) && same_utf8_letters(text, upper_word, i);
            }
        }
        return true;
    }
    // An order of names in which the names same_letters() finds the same are neighbours (equivalent).
    bool letters_before(std::string_view a, std::string_view b) const;

private:
    friend struct AlphabetCache;
    // One of the two bytes lies beyond ASCII (two ASCII bytes that differ differ in UTF-8 too).
    static bool beyond_ascii(char a, char b) { return ((static_cast<unsigned char>(a) | static_cast<unsigned char>(b)) & 0x80) != 0; }
    // Upper-cases the UTF-8 letter at 'at' (its lead byte); how many bytes more than one it took.
    static std::size_t upper_utf8_letter(char *text, std::size_t length, std::size_t at);
    // same_letters() from the first difference at 'at' on, reading UTF-8.
    bool same_utf8_letters(std::string_view a, std::string_view b, std::size_t at) const;

    bool letter_[256] = {};
    unsigned char upper_[256] = {};
    bool reads_utf8_ = true;
};

// True when the locale name marks the extended alphabet (contains ".1251").
bool extended_alphabet(std::string_view locale_name);

}  // namespace tarnvel::lex
