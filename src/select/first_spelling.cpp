#include "select/first_spelling.h"

#include "lex/classes.h"
#include "lex/cursor.h"

#include <string>
#include <string_view>
#include <unordered_map>

namespace tarnvel::select {
namespace {

// Calls 'each(at, end)' for every word of the text that holds a byte above 0x7F, outside quoted runs
// and host parameters.
template <typename Each>
void each_word_beyond_ascii(std::string_view view, const lex::Alphabet &letters, const lex::LiteralRules &rules, Each each) {
    bool host = false;  // the words of a chain behind "?" name a host value
    lex::Cursor cursor(view, 0, rules, lex::Levels::ignored);
    while (!cursor.done()) {
        const std::size_t at = cursor.at();
        if (cursor.step()) continue;  // a quoted run
        if (!lex::is_name_char(letters, view[at])) {
            host = view[at] == '?' || (host && view[at] == '.');
            continue;
        }
        std::size_t end = at + 1;
        bool high = static_cast<unsigned char>(view[at]) >= 0x80;
        for (; end < view.size() && lex::is_name_char(letters, view[end]); ++end) high = high || static_cast<unsigned char>(view[end]) >= 0x80;
        cursor.skip_to(end);
        if (!host && high) each(at, end);
    }
}

struct Spelling {
    std::size_t at;
    bool named;  // written where the name stands for itself, not as a qualifier (k.x) of a table's name
};

}  // namespace

void first_spellings(Text &text, const lex::Alphabet &letters, const lex::LiteralRules &rules) {
    const std::string_view view = text.view();
    if (!beyond_ascii(view)) return;
    // Where each name upper-cased is spelled as it is to be written
    std::unordered_map<std::string, Spelling> spellings;
    std::string key;
    const auto key_of = [&](std::size_t at, std::size_t end) -> const std::string & {
        key.assign(view.substr(at, end - at));
        letters.upper_in_place(key.data(), key.size());
        return key;
    };
    each_word_beyond_ascii(view, letters, rules, [&](std::size_t at, std::size_t end) {
        const bool named = end >= view.size() || view[end] != '.';
        auto [found, added] = spellings.try_emplace(key_of(at, end), Spelling{at, named});
        if (!added && named && !found->second.named) found->second = Spelling{at, true};
    });
    each_word_beyond_ascii(view, letters, rules, [&](std::size_t at, std::size_t end) {
        const std::size_t from = spellings.find(key_of(at, end))->second.at;
        for (std::size_t i = at; i < end; ++i) text.data()[i] = view[from + i - at];
    });
}

}  // namespace tarnvel::select
