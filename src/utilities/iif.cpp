#include "utilities/iif.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/letters.h"
#include "lex/scan.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::utilities {
namespace {

using Pos = std::ptrdiff_t;

// The searches skip strings in single and in double quotes: a comma or parenthesis inside a string
// never ends an argument or a call.
constexpr lex::LiteralRules strings{.double_quotes = true};

struct Call {
    Pos start = -1;  // the "I" of IIF
    Pos paren = -1;  // its "("
};

// The next IIF call at or after 'from', outside strings: IIF not preceded by a name character,
// then only blanks and tabs up to its "(".
Call next_call(std::string_view upper, Pos from, const lex::Alphabet &abc) {
    lex::Cursor cursor(upper, static_cast<std::size_t>(from), strings, lex::Levels::ignored);
    for (std::size_t i = cursor.find("IIF"); i != lex::Cursor::npos; i = cursor.find("IIF")) {
        cursor.skip_to(i + 1);
        if (i > 0 && (lex::is_name_char(abc, upper[i - 1]) || upper[i - 1] == '?')) continue;
        std::size_t p = i + 3;
        while (p < upper.size() && lex::is_blank(upper[p])) ++p;
        if (p < upper.size() && upper[p] == '(') return Call{static_cast<Pos>(i), static_cast<Pos>(p)};
    }
    return Call{};
}

// One edit, made at the same offset in both copies.
void edit(Text &search, Text &out, Pos pos, std::size_t count, std::string_view with) {
    search.replace(static_cast<std::size_t>(pos), count, with);
    out.replace(static_cast<std::size_t>(pos), count, with);
}

// A "(" outside strings, with the ")" that closes it and the first two commas at its own level
// (a date literal's are none).
struct Group {
    std::size_t open = 0, close = std::string_view::npos;
    std::size_t commas[2] = {std::string_view::npos, std::string_view::npos};
    int count = 0;
};

// Every group of the text, in the order of their "(", read in one walk.
std::vector<Group> groups_of(std::string_view text) {
    std::vector<Group> groups;
    std::vector<std::size_t> open;  // the groups not closed yet, innermost last
    for (lex::Cursor cursor(text, 0, strings); !cursor.done();) {
        const std::size_t i = cursor.at();
        const char c = text[i];
        const bool counted = cursor.step() && cursor.at() == i + 1;  // a parenthesis, not a string
        if (counted && c == '(') {
            open.push_back(groups.size());
            groups.push_back({i});
        } else if (counted && c == ')' && !open.empty()) {
            groups[open.back()].close = i;
            open.pop_back();
        } else if (!counted && c == '{') {  // a date literal's comma ({^2024-01-15,}) separates nothing
            const std::size_t close = lex::date_literal_close(text, i);
            if (close != std::string_view::npos) cursor.skip_to(close + 1);
        } else if (!counted && c == ',' && !open.empty()) {
            Group &group = groups[open.back()];
            if (group.count < 2) group.commas[group.count] = i;
            ++group.count;
        }
    }
    return groups;
}

struct Edit {
    std::size_t at, count;
    std::string_view with;
    bool operator<(const Edit &other) const { return at < other.at; }
};

// The edits of every call, at offsets of the text as given, when every call has its ")" and two
// commas at its level: then each call's edits fall in its own group, and the edits made one call
// at a time would find the same places. False, with no edit, for any other text.
bool plan_edits(std::string_view upper, const lex::Alphabet &abc, std::vector<Edit> &edits) {
    const std::vector<Group> groups = groups_of(upper);
    for (Call call = next_call(upper, 0, abc); call.start >= 0; call = next_call(upper, call.paren + 1, abc)) {
        const auto paren = static_cast<std::size_t>(call.paren);
        const auto group = std::lower_bound(groups.begin(), groups.end(), paren,
                                            [](const Group &g, std::size_t at) { return g.open < at; });
        if (group == groups.end() || group->open != paren || group->close == std::string_view::npos || group->count < 2)
            return false;
        const auto start = static_cast<std::size_t>(call.start);
        edits.push_back({start, paren - start + 1, " CASE WHEN "});
        edits.push_back({group->commas[0], 1, " THEN "});
        edits.push_back({group->commas[1], 1, " ELSE "});
        edits.push_back({group->close, 1, " END "});
    }
    std::sort(edits.begin(), edits.end());
    return true;
}

// The command with the planned edits, written out in one pass.
void apply_edits(Text &out, const std::vector<Edit> &edits) {
    const std::string given(out.view());
    std::size_t size = given.size();
    for (const Edit &edit : edits) size = size - edit.count + edit.with.size();
    out.clear();
    out.reserve(size);
    std::size_t done = 0;
    for (const Edit &edit : edits) {
        out.append(std::string_view(given).substr(done, edit.at - done));
        out.append(edit.with);
        done = edit.at + edit.count;
    }
    out.append(std::string_view(given).substr(done));
}

}  // namespace

bool convert_iif(Text &command, Text &out) {
    command.set_message(case_memory_message);
    out.set_message(case_memory_message);
    out.clear();
    out.append(command.view());
    const lex::Alphabet &abc = lex::Alphabet::current();
    abc.upper_in_place(command.data(), command.size());
    if (std::vector<Edit> edits; plan_edits(command.view(), abc, edits)) {
        apply_edits(out, edits);
        return true;
    }
    return convert_iif_one_at_a_time(command, out);
}

bool convert_iif_one_at_a_time(Text &command, Text &out) {
    const lex::Alphabet &abc = lex::Alphabet::current();
    Pos from = 0;
    for (;;) {
        const Call call = next_call(command.view(), from, abc);
        if (call.start < 0) break;
        const Pos at = call.start;
        edit(command, out, at, static_cast<std::size_t>(call.paren - at + 1), " CASE WHEN ");
        if (Pos comma = lex::find_next_comma(command.view(), at, strings); comma >= 0) {
            edit(command, out, comma, 1, " THEN ");
            if (comma = lex::find_next_comma(command.view(), at, strings); comma >= 0) {
                edit(command, out, comma, 1, " ELSE ");
                if (Pos close = lex::find_close_paren(command.view(), at, strings); close >= 0) edit(command, out, close, 1, " END ");
            }
        }
        from = at + 3;  // inside " CASE WHEN ", which holds no IIF and no quote
    }
    return true;
}

}  // namespace tarnvel::utilities
