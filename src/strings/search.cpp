#include "strings/search.h"

#include "lex/cursor.h"
#include "lex/letters.h"

#include <cstddef>

namespace tarnvel::strings {
namespace {

// The literals of program text: '...', "..." and [...], each closed by the first character that
// closes its kind (so '' and [] are empty literals).
constexpr lex::LiteralRules literals{.double_quotes = true, .brackets = lex::BracketRuns::first};

// The literals of those kinds whose opening character the needle does not hold.
lex::LiteralRules literals_without(std::string_view needle) {
    auto holds = [needle](char c) { return needle.find(c) != std::string_view::npos; };
    lex::LiteralRules rules;
    rules.single_quotes = !holds('\'');
    rules.double_quotes = !holds('"');
    rules.brackets = holds('[') ? lex::BracketRuns::none : lex::BracketRuns::first;
    return rules;
}

lex::Levels levels(bool top_level) { return top_level ? lex::Levels::counted : lex::Levels::ignored; }

// True when the characters of 'text' at 'pos' equal the upper-case 'needle', compared upper-cased.
bool matches_at(std::string_view text, std::size_t pos, std::string_view needle, const lex::Alphabet &abc) {
    for (std::size_t k = 0; k < needle.size(); ++k)
        if (abc.upper(text[pos + k]) != abc.upper(needle[k])) return false;
    return true;
}

}  // namespace

std::int32_t find_occurrence(std::string_view needle, std::string_view text, std::int32_t occurrence, bool top_level) {
    const lex::Alphabet &abc = lex::Alphabet::current();
    const std::size_t length = needle.size();
    if (length > text.size()) return 0;
    const std::int32_t wanted = occurrence < 1 ? 1 : occurrence;
    std::int32_t count = 0;
    lex::Cursor cursor(text, 0, literals, levels(top_level));
    while (cursor.runs_closed() && cursor.at() + length <= text.size()) {
        // A match is tested before the character at its start is looked at: a needle that begins
        // with a quote can be found, and occurrences may overlap.
        const std::size_t p = cursor.at();
        if (cursor.depth() == 0 && matches_at(text, p, needle, abc)) {
            if (++count == wanted) return static_cast<std::int32_t>(p + 1);
            cursor.skip_to(p + 1);
            continue;
        }
        cursor.step();
    }
    return 0;
}

void replace_all(std::string_view text, std::string_view needle, std::string_view replacement, bool top_level, Text &out) {
    const lex::Alphabet &abc = lex::Alphabet::current();
    out.set_message(strtran_memory_message);
    const std::size_t length = needle.size();

    std::size_t run = 0;     // start of the characters scanned since the last literal, bracket or replacement
    std::size_t copied = 0;  // the text before this index is in 'out'
    lex::Cursor cursor(text, 0, literals_without(needle), levels(top_level));
    auto replace_before = [&](std::size_t p) {
        if (cursor.depth() > 0 || p - run < length || !matches_at(text, p - length, needle, abc)) return;
        out.append(text.substr(copied, p - length - copied));
        out.append(replacement);
        copied = p;
        run = p;  // a replacement is never searched again
    };
    while (!cursor.done()) {
        replace_before(cursor.at());
        if (cursor.step()) run = cursor.at();  // past a literal or a bracket
    }
    replace_before(text.size());
    out.append(text.substr(copied));
}

}  // namespace tarnvel::strings
