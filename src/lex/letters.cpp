// The letter test and upper-casing, following the C runtime's character-type locale.
#include "lex/letters.h"

#include <array>
#include <atomic>
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

namespace {

// The lower-case letters of UTF-8's two-byte range whose upper case is two bytes too: from 'first' to
// 'last', every 'step'-th code point is a lower-case letter, its upper case 'shift' away. (The dotless
// i, the long s and the micro sign, whose upper cases are ASCII or Greek letters, are left out, and so
// the letters of one byte never meet those of two.)
struct CaseRange {
    char32_t first, last;
    int step, shift;
};
constexpr CaseRange case_ranges[] = {
    {0x00E0, 0x00F6, 1, -0x20},  {0x00F8, 0x00FE, 1, -0x20},  {0x00FF, 0x00FF, 1, 0x79},    // Latin-1
    {0x0101, 0x012F, 2, -1},     {0x0133, 0x0137, 2, -1},     {0x013A, 0x0148, 2, -1},     // Latin Extended-A
    {0x014B, 0x0177, 2, -1},     {0x017A, 0x017E, 2, -1},                                  //
    {0x0180, 0x0180, 1, 0xC3},   {0x0183, 0x0185, 2, -1},     {0x0188, 0x0188, 1, -1},     // Latin Extended-B
    {0x018C, 0x018C, 1, -1},     {0x0192, 0x0192, 1, -1},     {0x0199, 0x0199, 1, -1},     //
    {0x01A1, 0x01A5, 2, -1},     {0x01A8, 0x01A8, 1, -1},     {0x01AD, 0x01AD, 1, -1},     //
    {0x01B0, 0x01B0, 1, -1},     {0x01B4, 0x01B6, 2, -1},     {0x01B9, 0x01B9, 1, -1},     //
    {0x01BD, 0x01BD, 1, -1},     {0x01C5, 0x01C5, 1, -1},     {0x01C6, 0x01C6, 1, -2},     //
    {0x01C8, 0x01C8, 1, -1},     {0x01C9, 0x01C9, 1, -2},     {0x01CB, 0x01CB, 1, -1},     //
    {0x01CC, 0x01CC, 1, -2},     {0x01CE, 0x01DC, 2, -1},     {0x01DF, 0x01EF, 2, -1},     //
    {0x01F2, 0x01F2, 1, -1},     {0x01F3, 0x01F3, 1, -2},     {0x01F5, 0x01F5, 1, -1},     //
    {0x01F9, 0x021F, 2, -1},     {0x0223, 0x0233, 2, -1},     {0x023C, 0x023C, 1, -1},     //
    {0x0242, 0x0242, 1, -1},     {0x0247, 0x024F, 2, -1},                                  //
    {0x0371, 0x0373, 2, -1},     {0x0377, 0x0377, 1, -1},     {0x03AC, 0x03AC, 1, -0x26},  // Greek
    {0x03AD, 0x03AF, 1, -0x25},  {0x03B1, 0x03C1, 1, -0x20},  {0x03C2, 0x03C2, 1, -0x1F},  //
    {0x03C3, 0x03CB, 1, -0x20},  {0x03CC, 0x03CC, 1, -0x40},  {0x03CD, 0x03CE, 1, -0x3F},  //
    {0x03D9, 0x03EF, 2, -1},     {0x03F8, 0x03F8, 1, -1},     {0x03FB, 0x03FB, 1, -1},     //
    {0x0430, 0x044F, 1, -0x20},  {0x0450, 0x045F, 1, -0x50},  {0x0461, 0x0481, 2, -1},     // Cyrillic
    {0x048B, 0x04BF, 2, -1},     {0x04C2, 0x04CE, 2, -1},     {0x04CF, 0x04CF, 1, -0x0F},  //
    {0x04D1, 0x052F, 2, -1},                                                               //
    {0x0561, 0x0586, 1, -0x30},                                                            // Armenian
};

constexpr char32_t two_byte_end = 0x800;

constexpr std::array<char16_t, two_byte_end> make_utf8_upper() {
    std::array<char16_t, two_byte_end> table{};
    for (char32_t c = 0; c < two_byte_end; ++c) table[c] = static_cast<char16_t>(c);
    for (const CaseRange &r : case_ranges) {
        for (char32_t c = r.first; c <= r.last; c += static_cast<char32_t>(r.step)) {
            table[c] = static_cast<char16_t>(static_cast<int>(c) + r.shift);
        }
    }
    return table;
}
constexpr std::array<char16_t, two_byte_end> utf8_upper = make_utf8_upper();

bool continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The letter of two bytes at 'at', upper-cased, as a code point (0x80 to 0x7FF); 0 when no such
// sequence starts there.
char32_t two_byte_upper(const char *text, std::size_t length, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0xC2 || lead > 0xDF || at + 1 >= length || !continuation(text[at + 1])) return 0;
    return utf8_upper[((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu)];
}

// What one character of a name at 'at' compares as, and its length: ASCII and the other single
// bytes upper-cased by the alphabet (below 0x100), letters of two bytes by their upper case (above).
struct Unit {
    char32_t value;
    std::size_t length;
};
Unit unit_at(const Alphabet &letters, std::string_view s, std::size_t at) {
    if (const char32_t wide = two_byte_upper(s.data(), s.size(), at)) return {0x100 + wide, 2};
    return {static_cast<unsigned char>(letters.upper(s[at])), 1};
}

}  // namespace

std::size_t Alphabet::upper_utf8_letter(char *text, std::size_t length, std::size_t at) {
    const char32_t wide = two_byte_upper(text, length, at);
    if (wide == 0) return 0;
    text[at] = static_cast<char>(0xC0 | (wide >> 6));
    text[at + 1] = static_cast<char>(0x80 | (wide & 0x3F));
    return 1;
}

bool Alphabet::same_utf8_letters(std::string_view a, std::string_view b, std::size_t at) const {
    // the difference may lie in the second byte of a letter: start from its lead
    if (at > 0 && static_cast<unsigned char>(a[at - 1]) >= 0xC2 && static_cast<unsigned char>(a[at - 1]) <= 0xDF) --at;
    while (at < a.size()) {
        const Unit x = unit_at(*this, a, at), y = unit_at(*this, b, at);
        if (x.value != y.value || x.length != y.length) return false;
        at += x.length;
    }
    return true;
}

bool Alphabet::letters_before(std::string_view a, std::string_view b) const {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const Unit x = reads_utf8_ ? unit_at(*this, a, i) : Unit{static_cast<unsigned char>(upper(a[i])), 1};
        const Unit y = reads_utf8_ ? unit_at(*this, b, j) : Unit{static_cast<unsigned char>(upper(b[j])), 1};
        if (x.value != y.value) return x.value < y.value;
        i += x.length;
        j += y.length;
    }
    return i == a.size() && j < b.size();
}

// The tables of every locale seen so far, in a list that only grows while the library is loaded
// (a program uses few locales). No thread-local storage: in the Windows library file a
// thread-local object with a destructor pins the file in memory, so it could never be unloaded.
struct AlphabetCache {
    AlphabetCache *next;
    std::string name;
    Alphabet alphabet;
    Alphabet names;

    static void build(AlphabetCache &entry) {
        bool extended = extended_alphabet(entry.name);
        for (int c = 0; c < 256; ++c) {
            auto byte = static_cast<unsigned char>(c);
            entry.alphabet.letter_[c] = ascii_letter(byte) || (extended && byte >= first_extended_letter);
            entry.alphabet.upper_[c] = static_cast<unsigned char>(std::toupper(c));
            entry.names.letter_[c] = entry.alphabet.letter_[c] || byte >= 0x80;
            entry.names.upper_[c] = entry.alphabet.upper_[c];
            if (byte >= 0x80 && entry.alphabet.upper_[c] != byte) entry.alphabet.reads_utf8_ = false;
        }
        entry.names.reads_utf8_ = entry.alphabet.reads_utf8_;
    }
    static AlphabetCache &current();
};

namespace {
std::atomic<AlphabetCache *> cache_head{nullptr};
std::atomic<AlphabetCache *> cache_last{nullptr};  // the entry found last, tried first
}  // namespace

AlphabetCache &AlphabetCache::current() {
    std::string_view now = locale_name();
    AlphabetCache *last = cache_last.load(std::memory_order_acquire);
    if (last && last->name == now) return *last;
    for (AlphabetCache *entry = cache_head.load(std::memory_order_acquire); entry; entry = entry->next) {
        if (entry->name == now) {
            cache_last.store(entry, std::memory_order_release);
            return *entry;
        }
    }
    auto *fresh = new AlphabetCache{nullptr, std::string(now), Alphabet{}, Alphabet{}};
    AlphabetCache::build(*fresh);
    fresh->next = cache_head.load(std::memory_order_acquire);
    while (!cache_head.compare_exchange_weak(fresh->next, fresh, std::memory_order_acq_rel)) {
    }
    cache_last.store(fresh, std::memory_order_release);
    return *fresh;
}

const Alphabet &Alphabet::current() { return AlphabetCache::current().alphabet; }

const Alphabet &Alphabet::names() { return AlphabetCache::current().names; }

namespace {

// Frees the tables current() built; no call is running by then.
void release_alphabets() {
    cache_last.store(nullptr, std::memory_order_release);
    AlphabetCache *entry = cache_head.exchange(nullptr, std::memory_order_acq_rel);
    while (entry) {
        AlphabetCache *next = entry->next;
        delete entry;
        entry = next;
    }
}

// The tables live as long as the library: until the process ends, or until the host unloads the
// library file (static objects of a loadable file are destroyed then).
struct ReleasedAtUnload {
    ~ReleasedAtUnload() { release_alphabets(); }
} released_at_unload;

}  // namespace

}  // namespace tarnvel::lex
