// The letter test and upper-casing, following the C runtime's character-type locale.
#include "lex/letters.h"

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
        }
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
