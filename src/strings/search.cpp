#include "strings/search.h"

#include "lex/letters.h"

#include <cstddef>

namespace tarnvel::strings {
namespace {

using Pos = std::ptrdiff_t;

// The character that closes a literal opened by 'c', or 0 when 'c' opens none.
char literal_close(char c) {
    switch (c) {
    case '\'': return '\'';
    case '"': return '"';
    case '[': return ']';
    default: return 0;
    }
}

// Index of the character that closes the literal opened at 'open', looked for from the character
// right after it (so '' and [] are empty literals); npos when the text ends first.
std::size_t literal_end(std::string_view text, std::size_t open) {
    return text.find(literal_close(text[open]), open + 1);
}

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
    long depth = 0;
    for (std::size_t p = 0; p + length <= text.size(); ++p) {
        // A match is tested before the character at its start is looked at: a needle that begins
        // with a quote can be found, and occurrences may overlap.
        if ((!top_level || depth == 0) && matches_at(text, p, needle, abc)) {
            if (++count == wanted) return static_cast<std::int32_t>(p + 1);
            continue;
        }
        const char c = text[p];
        if (literal_close(c) != 0) {
            std::size_t close = literal_end(text, p);
            if (close == std::string_view::npos) return 0;
            p = close;
        } else if (top_level && c == '(') {
            ++depth;
        } else if (top_level && c == ')') {
            --depth;
        }
    }
    return 0;
}

void replace_all(std::string_view text, std::string_view needle, std::string_view replacement, bool top_level, Text &out) {
    const lex::Alphabet &abc = lex::Alphabet::current();
    out.set_message(strtran_memory_message);
    // A kind of literal is stepped over only when the needle does not hold its opening character.
    auto stepped_over = [&](char c) { return literal_close(c) != 0 && needle.find(c) == std::string_view::npos; };
    const std::size_t length = needle.size();
    const std::size_t n = text.size();

    std::size_t run = 0;     // start of the characters scanned since the last literal, bracket or replacement
    std::size_t copied = 0;  // the text before this index is in 'out'
    long depth = 0;
    auto replace_before = [&](std::size_t p) {
        if (depth > 0 || p - run < length || !matches_at(text, p - length, needle, abc)) return;
        out.append(text.substr(copied, p - length - copied));
        out.append(replacement);
        copied = p;
        run = p;  // a replacement is never searched again
    };

    for (std::size_t p = 0; p < n; ++p) {
        replace_before(p);
        const char c = text[p];
        if (stepped_over(c)) {
            std::size_t close = literal_end(text, p);
            p = close == std::string_view::npos ? n : close;  // an open literal runs to the end
            run = p + 1 < n ? p + 1 : n;
        } else if (top_level && (c == '(' || c == ')')) {
            depth += c == '(' ? 1 : -1;
            run = p + 1;
        }
    }
    replace_before(n);
    out.append(text.substr(copied));
}

}  // namespace tarnvel::strings
