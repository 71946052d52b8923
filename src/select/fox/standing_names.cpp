#include "select/fox/standing_names.h"

#include "select/fox/text.h"

#include <algorithm>

namespace tarnvel::select::fox {
namespace {

// The order of same_name(): ASCII letters here; from a difference beyond ASCII on, the alphabet of
// names orders the two (its order agrees with this one wherever the two first differ in ASCII).
bool before_in_any_case(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(upper(a[i])), y = static_cast<unsigned char>(upper(b[i]));
        if (x == y) continue;
        if ((x | y) & 0x80) return lex::Alphabet::names().letters_before(a, b);
        return x < y;
    }
    return a.size() < b.size();
}

bool name_before(const StandingNames::File &a, const StandingNames::File &b) { return before_in_any_case(a.name, b.name); }

bool file_before(const StandingNames::File &a, const StandingNames::File &b) {
    return name_before(a, b) || (!name_before(b, a) && a.literal < b.literal);
}

}  // namespace

StandingNames::StandingNames(std::string_view text, const lex::LiteralRules &rules) {
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (name_char(c)) {
            std::size_t end = i;
            while (end < n && name_char(text[end])) ++end;
            const char before = i > 0 ? text[i - 1] : ' ';
            const bool member = before == '.' || before == '?' || before == '~';
            const bool qualifies = end < n && text[end] == '.' && !word_at(text, end + 1, n, "DBF") && before != '!' &&
                                   before != '\\' && before != ':';
            if (!member && !qualifies) names_.push_back(text.substr(i, end - i));
            i = end - 1;
        } else if (c == '\'' || c == '"' || c == '[' || c == '`') {
            const std::size_t run = literal_end(text, i, n, rules);
            if (run == i) continue;
            const std::string_view literal = text.substr(i, run - i);
            files_.push_back({literal_file(literal), literal});
            i = run - 1;
        }
    }
    std::sort(names_.begin(), names_.end(), before_in_any_case);
    std::sort(files_.begin(), files_.end(), file_before);
    const auto same = [](const File &a, const File &b) { return same_name(a.name, b.name) && a.literal == b.literal; };
    files_.erase(std::unique(files_.begin(), files_.end(), same), files_.end());
}

bool StandingNames::has(std::string_view word) const { return has_besides(word, {}); }

// The literals naming 'word' are each once in files_: one other than 'literal' is there when two
// are, or when the one is not 'literal' (an empty 'literal' excepts none).
bool StandingNames::has_besides(std::string_view word, std::string_view literal) const {
    if (std::binary_search(names_.begin(), names_.end(), word, before_in_any_case)) return true;
    const auto [first, last] = std::equal_range(files_.begin(), files_.end(), File{word, {}}, name_before);
    if (first == last) return false;
    return literal.empty() || last - first > 1 || first->literal != literal;
}

}  // namespace tarnvel::select::fox
