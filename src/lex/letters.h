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
    void upper_in_place(char *text, std::size_t length) const {
        for (std::size_t i = 0; i < length; ++i) text[i] = upper(text[i]);
    }
    // The two texts are the same but for the case of their letters.
    bool same_letters(std::string_view a, std::string_view b) const {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (upper(a[i]) != upper(b[i])) return false;
        }
        return true;
    }
    // The text, upper-cased, is the word (written in upper case).
    bool is_upper_word(std::string_view text, std::string_view upper_word) const {
        if (text.size() != upper_word.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (upper(text[i]) != upper_word[i]) return false;
        }
        return true;
    }

private:
    friend struct AlphabetCache;
    bool letter_[256] = {};
    unsigned char upper_[256] = {};
};

// True when the locale name marks the extended alphabet (contains ".1251").
bool extended_alphabet(std::string_view locale_name);

}  // namespace tarnvel::lex
