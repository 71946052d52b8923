#include "select/having_keys.h"

#include "lex/cursor.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The end of the chain of names joined by dots at i (c, t.c), and where its last name starts.
struct Chain {
    std::size_t end, last;
    bool qualified;
};

Chain chain_at(const lex::Alphabet &letters, std::string_view text, std::size_t i) {
    Chain chain{i, i, false};
    for (;;) {
        std::size_t stop = i;
        if (stop < text.size() && (letters.letter(text[stop]) || text[stop] == '_')) {
            while (stop < text.size() && lex::is_name_char(letters, text[stop])) ++stop;
        }
        if (stop == i) return chain;
        chain.last = i;
        chain.end = stop;
        if (stop + 1 >= text.size() || text[stop] != '.') return chain;
        chain.qualified = true;
        i = stop + 1;
    }
}

// The column names that two GROUP BY entries or more end in (A.CODE, B.CODE: CODE).
std::vector<std::string_view> shared_names(const lex::Alphabet &letters, const lex::LiteralRules &rules,
                                           std::string_view entries) {
    std::vector<std::string_view> names, shared;
    for (std::size_t from = 0;;) {
        const std::size_t comma = lex::find_at_level(entries, from, ",", rules);
        const std::string_view entry = lex::trimmed(entries.substr(from, comma == npos ? npos : comma - from));
        const Chain chain = chain_at(letters, entry, 0);
        if (chain.end == entry.size() && chain.end > 0) {
            const std::string_view name = entry.substr(chain.last);
            for (std::string_view seen : names) {
                if (letters.same_letters(seen, name)) shared.push_back(name);
            }
            names.push_back(name);
        }
        if (comma == npos) return shared;
        from = comma + 1;
    }
}

bool is_shared(const lex::Alphabet &letters, const std::vector<std::string_view> &shared, std::string_view name) {
    for (std::string_view s : shared) {
        if (letters.same_letters(s, name)) return true;
    }
    return false;
}

}  // namespace

void wrap_shared_group_keys(const lex::Alphabet &letters, const lex::LiteralRules &rules, std::string_view entries,
                            Text &having, const std::function<bool(std::string_view)> &aggregate_call) {
    const std::vector<std::string_view> shared = shared_names(letters, rules, entries);
    if (shared.empty()) return;
    const std::string_view view = having.view();
    std::vector<std::pair<std::size_t, std::size_t>> wrapped;  // the columns to wrap, start and end
    std::vector<bool> opened;  // for each open parenthesis: whether it opens an aggregate's argument
    std::size_t in_aggregate = 0;
    for (lex::Cursor cursor(view, 0, rules, lex::Levels::ignored); !cursor.done();) {
        const std::size_t i = cursor.at();
        const char c = view[i];
        if (c == '(' || c == ')') {
            const bool aggregate = c == '(' && aggregate_call(view.substr(0, i + 1));
            if (c == '(') opened.push_back(aggregate);
            else if (!opened.empty()) opened.pop_back();
            in_aggregate = static_cast<std::size_t>(std::count(opened.begin(), opened.end(), true));
            cursor.skip_to(i + 1);
            continue;
        }
        const bool starts = (letters.letter(c) || c == '_') && (i == 0 || (!lex::is_name_char(letters, view[i - 1]) && view[i - 1] != '.'));
        if (!starts) {
            cursor.step();
            continue;
        }
        const Chain chain = chain_at(letters, view, i);
        const bool call = lex::followed_by_open_paren(view, static_cast<lex::Pos>(chain.end));
        if (chain.qualified && in_aggregate == 0 && !call &&
            is_shared(letters, shared, view.substr(chain.last, chain.end - chain.last))) {
            wrapped.emplace_back(i, chain.end);
        }
        cursor.skip_to(chain.end);
    }
    if (wrapped.empty()) return;
    Text rebuilt = Text::grown(view.size() + 5 * wrapped.size() + 1, "Insufficient memory for HAVING");
    std::size_t done = 0;
    for (const auto &[start, end] : wrapped) {
        rebuilt.append(view.substr(done, start - done));
        rebuilt.append("MAX(");
        rebuilt.append(view.substr(start, end - start));
        rebuilt.push(')');
        done = end;
    }
    rebuilt.append(view.substr(done));
    having = std::move(rebuilt);
}

}  // namespace tarnvel::select
