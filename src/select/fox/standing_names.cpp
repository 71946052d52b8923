#include "select/fox/standing_names.h"

#include "select/fox/text.h"

#include <algorithm>

namespace tarnvel::select::fox {
namespace {

bool before_in_any_case(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return upper(x) < upper(y); });
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
            names_.push_back(literal_file(text.substr(i, run - i)));
            i = run - 1;
        }
    }
    std::sort(names_.begin(), names_.end(), before_in_any_case);
}

bool StandingNames::has(std::string_view word) const {
    return std::binary_search(names_.begin(), names_.end(), word, before_in_any_case);
}

}  // namespace tarnvel::select::fox
