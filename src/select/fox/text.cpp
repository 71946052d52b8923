#include "select/fox/text.h"

#include "lex/cursor.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarnvel::select::fox {
namespace {


bool has_extension(std::string_view name, std::string_view extension) {
    if (name.size() <= extension.size()) return false;
    std::string_view tail = name.substr(name.size() - extension.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (upper(tail[i]) != extension[i]) return false;
    }
    return true;
}

}  // namespace

std::size_t literal_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules) {
    const lex::Pos close = lex::run_end(text.substr(0, end), static_cast<lex::Pos>(at), rules);
    if (static_cast<std::size_t>(close) == at) return at;
    return static_cast<std::size_t>(close) >= end ? end : static_cast<std::size_t>(close) + 1;
}

std::size_t close_paren(std::string_view text, std::size_t open, std::size_t end, const lex::LiteralRules &rules) {
    std::size_t depth = 0;
    for (std::size_t i = open; i < end; ++i) {
        const char c = text[i];
        if (const std::size_t run = literal_end(text, i, end, rules); run != i) {
            i = run - 1;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i;
        }
    }
    return none;
}

std::size_t next_comma(std::string_view text, std::size_t from, std::size_t close, const lex::LiteralRules &rules) {
    const std::size_t at = lex::comma_at_level(text.substr(0, close), from, rules);
    return at == lex::Cursor::npos ? close : at;
}

CallExtent call_extent(std::string_view text, std::size_t open, std::size_t end, const lex::LiteralRules &rules) {
    std::size_t depth = 0, commas = 0;
    bool filled = false;  // something other than blanks stands between the parentheses
    for (std::size_t i = open; i < end; ++i) {
        const char c = text[i];
        if (const std::size_t run = literal_end(text, i, end, rules); run != i) {
            filled = true;
            i = run - 1;
        } else if (c == '(') {
            filled = filled || depth > 0;
            ++depth;
        } else if (c == ')') {
            if (--depth == 0) return {i, filled ? commas + 1 : 0};
            filled = true;
        } else if (depth > 0 && !is_blank(c)) {
            filled = true;
            if (c == ',' && depth == 1) ++commas;
            // a date literal's own comma ({^2024-01-15,}) separates no arguments
            if (c != '{') continue;
            if (const std::size_t brace = lex::date_literal_close(text, i); brace < end) i = brace;
        }
    }
    return {};
}

std::size_t number_end(std::string_view text, std::size_t at, std::size_t end) {
    if (hex_prefix(text, at, end) != '\0') {
        at += 2;
        while (at < end && lex::is_hex_digit(text[at])) ++at;
        return at;
    }
    while (at < end && is_digit(text[at])) ++at;
    if (at + 1 < end && text[at] == '.' && is_digit(text[at + 1])) {
        ++at;
        while (at < end && is_digit(text[at])) ++at;
    }
    if (at + 1 < end && (text[at] == 'E' || text[at] == 'e')) {
        std::size_t e = at + 1;
        if (e < end && (text[e] == '+' || text[e] == '-')) ++e;
        if (e < end && is_digit(text[e])) {
            at = e;
            while (at < end && is_digit(text[at])) ++at;
        }
    }
    return at;
}

std::size_t parameter_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules) {
    ++at;
    while (at < end && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (at < end && text[at] == '(') {
        std::size_t close = close_paren(text, at, end, rules);
        return close == none ? end : close + 1;
    }
    while (at < end && (name_char(text[at]) || text[at] == '.')) ++at;
    return at;
}

std::size_t macro_end(std::string_view text, std::size_t at, std::size_t end) {
    ++at;
    while (at < end && name_char(text[at])) ++at;
    return at < end && text[at] == '.' ? at + 1 : at;
}

std::size_t reference_end(std::string_view text, std::size_t at, std::size_t end, const lex::LiteralRules &rules) {
    std::size_t open = at + 1;
    if (open < end && text[open] != '(' && open + 1 < end && text[open + 1] == '(') ++open;
    if (open < end && text[open] == '(') {
        std::size_t close = close_paren(text, open, end, rules);
        return close == none ? end : close + 1;
    }
    ++at;
    while (at < end && (name_char(text[at]) || text[at] == '.' || text[at] == '~')) ++at;
    return at;
}

std::size_t subscript_end(std::string_view text, std::size_t open) {
    const lex::Pos close = lex::subscript_end(text, static_cast<lex::Pos>(open));
    return static_cast<std::size_t>(close) < text.size() ? static_cast<std::size_t>(close) : std::string_view::npos;
}

std::size_t name_chain_end(std::string_view text, std::size_t at, std::size_t end) {
    while (at < end) {
        if (name_char(text[at])) {
            ++at;
            continue;
        }
        if (text[at] != '.' || at + 1 >= end || !name_start(text[at + 1]) || dotted_operator(text, at, end, true)) break;
        ++at;
    }
    return at;
}

std::size_t name_with_days_end(std::string_view text, std::size_t at, std::size_t end) {
    constexpr std::size_t npos = std::string_view::npos;
    if (at >= end || !name_start(text[at])) return npos;
    const std::size_t name_end = name_chain_end(text, at, end);
    const auto blanks = [&](std::size_t i) {
        while (i < end && is_blank(text[i])) ++i;
        return i;
    };
    const std::size_t sign = blanks(name_end);
    if (sign >= end || (text[sign] != '+' && text[sign] != '-')) return npos;
    const std::size_t number = blanks(sign + 1);
    if (number >= end || !is_digit(text[number])) return npos;
    return blanks(number_end(text, number, end)) == end ? name_end : npos;
}

bool dotted_operator(std::string_view text, std::size_t dot, std::size_t end, bool with_not) {
    if (dot + 1 >= end) return false;
    const char first = upper(text[dot + 1]);
    if (first != 'A' && first != 'O' && first != 'N') return false;  // most dots join a name's members
    for (std::string_view op : {std::string_view("AND"), std::string_view("OR"), std::string_view("NOT")}) {
        if (op[0] == 'N' && !with_not) continue;
        const std::size_t after = dot + 1 + op.size();
        if (word_at(text, dot + 1, end, op) && after < end && text[after] == '.') return true;
    }
    return false;
}

bool names_alias_m(std::string_view text, const lex::LiteralRules &rules) {
    bool after_from = false;  // before the first FROM, M names a select item (MONTH(d) AS m), no table
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (const std::size_t run = literal_end(text, i, text.size(), rules); run != i) {
            i = run - 1;
        } else if (name_char(c)) {
            std::size_t end = i;
            while (end < text.size() && name_char(text[end])) ++end;
            const bool qualified = (i > 0 && (text[i - 1] == '.' || text[i - 1] == '?' || text[i - 1] == '~')) ||
                                   (end < text.size() && text[end] == '.');
            if (end == i + 1 && upper(c) == 'M' && !qualified && after_from) return true;
            after_from = after_from || (end == i + 4 && !qualified && word_at(text, i, end, "FROM"));
            i = end - 1;
        }
    }
    return false;
}

namespace {
// The characters names_no_table stops at: the four that open a literal and, when the word begins with a
// name's character, that character in either letter case; every other character is passed over.
struct NameStops {
    std::array<std::uint8_t, 256> at{};  // 1 where it stops (bytes, so that four are or-ed at once)
    explicit NameStops(std::string_view word) {
        for (char q : {'\'', '"', '[', '`'}) at[static_cast<unsigned char>(q)] = 1;
        if (word.empty() || !name_char(word[0])) return;
        const char first = upper(word[0]);
        at[static_cast<unsigned char>(first)] = 1;
        if (first >= 'A' && first <= 'Z') at[static_cast<unsigned char>(first - 'A' + 'a')] = 1;
        // a letter beyond ASCII may begin with another byte in the other case (UTF-8's Cyrillic, a code page's)
        if (static_cast<unsigned char>(first) >= 0x80) std::fill(at.begin() + 0x80, at.end(), std::uint8_t{1});
    }
    unsigned operator()(char c) const { return at[static_cast<unsigned char>(c)]; }
};

}  // namespace

// Only the words that begin with the word's first letter and the literals are read: a character
// between them is never the start of either (a name's run is told by the character before it).
bool names_no_table(std::string_view text, std::string_view word, const lex::LiteralRules &rules, std::string_view literal) {
    const NameStops stops(word);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        while (n - i >= 4 && !(stops(text[i]) | stops(text[i + 1]) | stops(text[i + 2]) | stops(text[i + 3]))) i += 4;
        while (i < n && !stops(text[i])) ++i;
        if (i == n) break;
        const char c = text[i];
        if (name_char(c)) {  // no literal starts with a name's character: the word first
            if (i > 0 && name_char(text[i - 1])) continue;  // within a name
            std::size_t end = i;
            while (end < n && name_char(text[end])) ++end;
            if (end - i == word.size()) {
                const char before = i > 0 ? text[i - 1] : ' ';
                const bool member = before == '.' || before == '?' || before == '~';
                const bool qualifies = end < n && text[end] == '.' && !word_at(text, end + 1, n, "DBF") && before != '!' &&
                                       before != '\\' && before != ':';
                if (!member && !qualifies && same_name(text.substr(i, end - i), word)) return false;
            }
            i = end - 1;
        } else {  // a quote: only these open a literal
            const std::size_t run = literal_end(text, i, n, rules);
            if (run == i) continue;
            const std::string_view quoted = text.substr(i, run - i);
            if ((literal.empty() || quoted != literal) && same_name(literal_file(quoted), word)) return false;
            i = run - 1;
        }
    }
    return true;
}

std::string_view literal_file(std::string_view run) {
    std::string_view file = run.size() >= 2 ? run.substr(1, run.size() - 2) : std::string_view{};
    if (const std::size_t slash = file.find_last_of("\\/:!"); slash != std::string_view::npos) file.remove_prefix(slash + 1);
    if (const std::size_t dot = file.rfind('.'); dot != std::string_view::npos) file = file.substr(0, dot);
    return file;
}

bool sele_follows(std::string_view text, std::size_t open, std::size_t end) {
    std::size_t at = open + 1;
    while (at < end && (text[at] == ' ' || text[at] == '\t')) ++at;
    if (end - at < 4 || at > end) return false;
    return upper(text[at]) == 'S' && upper(text[at + 1]) == 'E' && upper(text[at + 2]) == 'L' &&
           upper(text[at + 3]) == 'E';
}

bool word_at(std::string_view text, std::size_t at, std::size_t end, std::string_view word) {
    if (at > end || end - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(text[at + i]) != word[i]) return false;
    }
    return at + word.size() >= end || !name_char(text[at + word.size()]);
}

std::size_t last_top_level_word(std::string_view text, std::size_t from, std::size_t to, std::string_view word,
                                const lex::LiteralRules &rules) {
    std::size_t found = none;
    lex::Cursor cursor(text.substr(0, to), from, rules);
    while (!cursor.done()) {
        const std::size_t i = cursor.at();
        if (cursor.step() || cursor.depth() != 0 || !name_start(text[i]) || (i != from && name_char(text[i - 1]))) {
            continue;
        }
        if (word_at(text, i, to, word)) found = i;
        std::size_t end = i + 1;
        while (end < to && name_char(text[end])) ++end;
        cursor.skip_to(end);
    }
    return found;
}

std::string_view table_name(std::string_view item) {
    std::string_view name = item;
    const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'' || name.front() == '[') &&
                        name.back() == (name.front() == '[' ? ']' : name.front());
    if (quoted) {
        name = name.substr(1, name.size() - 2);
    }
    std::size_t bang = name.rfind('!');
    if (name.size() + 2 == item.size() && bang == std::string_view::npos && !name.empty() &&
        std::all_of(name.begin(), name.end(), name_char)) {
        return name;  // a table named in quotes: the name (any other text keeps its quotes)
    }
    const bool path = name.find_first_of("\\/:") != std::string_view::npos || has_extension(name, ".DBF");
    if (bang == std::string_view::npos && !path) return item;  // quotes and all
    if (bang != std::string_view::npos) name = name.substr(bang + 1);
    std::size_t slash = name.find_last_of("\\/:");
    if (slash != std::string_view::npos) name = name.substr(slash + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return name.empty() ? item : name;
}

}  // namespace tarnvel::select::fox

namespace tarnvel::select::fox {

namespace {

// The opening quote of the literal whose closing quote is at text[close] ('' inside a '...' string
// reads as two literals side by side, which lands on the same opening quote); none when it has none.
std::size_t literal_start(std::string_view text, std::size_t close, std::size_t floor) {
    const char closing = text[close];
    const char opening = closing == ']' ? '[' : closing;
    std::size_t at = close;
    while (at > floor) {
        --at;
        if (text[at] != opening) continue;
        if (opening == '\'' && at > floor && text[at - 1] == '\'') {
            --at;  // a doubled quote inside the string
            continue;
        }
        return at;
    }
    return none;
}

// Walks back from 'at' (exclusive) down to 'floor', passing over literals; 'stop' sees every other
// position and answers whether the walk ends there. That position, or none.
template <class Stop> std::size_t walk_back(std::string_view text, std::size_t at, std::size_t floor, Stop stop) {
    while (at > floor) {
        --at;
        const char c = text[at];
        if (c == '\'' || c == '"' || c == ']') {
            const std::size_t open = literal_start(text, at, floor);
            if (open == none) return none;
            at = open;
            continue;
        }
        if (stop(at)) return at;
    }
    return none;
}

// The CASE that the END at 'end' closes (nested CASE ... END passed over), or none.
std::size_t case_start(std::string_view text, std::size_t end, std::size_t floor) {
    int depth = 0;
    return walk_back(text, end + 3, floor, [&](std::size_t at) {
        if (!name_char(text[at]) || (at > floor && name_char(text[at - 1]))) return false;  // not a word's first letter
        if (word_at(text, at, text.size(), "END")) ++depth;
        return word_at(text, at, text.size(), "CASE") && --depth == 0;
    });
}

}  // namespace

std::size_t primary_start(std::string_view text, std::size_t floor) {
    std::size_t at = blanks_before(text, text.size(), floor);
    if (at <= floor) return none;
    const char last = text[at - 1];
    if (last == '\'' || last == '"' || last == ']' || last == '#') return literal_start(text, at - 1, floor);
    if (last == '}') {
        const std::size_t open = text.rfind('{', at - 1);
        return open == std::string_view::npos || open < floor ? none : open;
    }
    if (last == ')') {  // a group, or a call with its name
        int depth = 0;
        at = walk_back(text, at, floor, [&](std::size_t i) {
            if (text[i] == ')') ++depth;
            return text[i] == '(' && --depth == 0;
        });
        if (at == none) return none;
    } else if (!name_char(last)) {
        return none;
    }
    // the name (a call's, a qualified one, a number with its decimals, a parameter's)
    while (at > floor && (name_char(text[at - 1]) || (text[at - 1] == '.' && at - 1 > floor && name_char(text[at - 2])))) {
        --at;
    }
    if (at > floor && text[at - 1] == '?') --at;
    if (word_at(text, at, text.size(), "END")) return case_start(text, at, floor);  // a rewritten ICASE or IIF
    return at;
}

}  // namespace tarnvel::select::fox
