#include "select/fox/derived_names.h"

#include "lex/cursor.h"
#include "select/fox/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tarnvel::select::fox {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view memory = "Insufficient memory for a derived table's names";

std::string_view first_word(std::string_view s) {
    std::size_t end = 0;
    while (end < s.size() && name_char(s[end])) ++end;
    return s.substr(0, end);
}

// The end of SELECT, SELEC or SELE after the blanks from 'at'; npos when none stands there.
std::size_t sele_end(std::string_view text, std::size_t at) {
    at = blanks_after(text, at);
    std::size_t j = 0;
    while (j < 6 && at + j < text.size() && upper(text[at + j]) == "SELECT"[j]) ++j;
    if (j < 4 || (at + j < text.size() && name_char(text[at + j]))) return npos;
    return at + j;
}

// The "(" at 'open' starts a subquery in a table list: SELECT follows, FROM, JOIN or a comma stands
// before it.
bool opens_derived(std::string_view text, std::size_t open) {
    if (sele_end(text, open + 1) == npos) return false;
    const std::size_t end = blanks_before(text, open);
    if (end > 0 && text[end - 1] == ',') return true;
    const std::string_view word = word_before(text, end);
    return same_word(word, "FROM") || same_word(word, "JOIN");
}

// The words before the first item: DISTINCT (or its abbreviations), ALL, TOP n [PERCENT].
std::string_view without_lead(std::string_view item) {
    for (;;) {
        const std::string_view word = first_word(item);
        const bool distinct = word.size() >= 4 && word.size() <= 8 && same_word(word, std::string_view("DISTINCT").substr(0, word.size()));
        if (distinct || same_word(word, "ALL") || same_word(word, "PERCENT")) {
            item = trimmed(item.substr(word.size()));
        } else if (same_word(word, "TOP")) {
            item = trimmed(item.substr(word.size()));
            item = trimmed(item.substr(std::min(item.size(), item.find_first_of(" \t\r\n"))));
        } else {
            return item;
        }
    }
}

// One item of a derived table's field list: where it ends in the statement and the name of its
// column; 'plain' for a column alone (id, t.id), whose name may be given.
struct Item {
    std::size_t end = 0;
    std::string_view name;
    bool plain = false;
};

// The last name of a chain of names joined by dots (id, t.id); empty for anything else.
std::string_view chain_last(std::string_view item) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= item.size(); ++i) {
        if (i < item.size() && name_char(item[i])) continue;
        if (i == start) return {};
        if (i == item.size()) return item.substr(start);
        if (item[i] != '.') return {};
        start = i + 1;
    }
    return {};
}

bool add_item(std::string_view statement, std::string_view text, std::vector<Item> &items) {
    std::string_view item = trimmed(text);
    if (items.empty()) item = without_lead(item);
    if (item.empty() || item.back() == '*') return false;
    Item read{static_cast<std::size_t>(item.data() - statement.data()) + item.size(), chain_last(item), true};
    if (read.name.empty()) {  // an expression: its alias, with AS or without, is a name taken
        read.plain = false;
        std::size_t start = item.size();
        while (start > 0 && name_char(item[start - 1])) --start;
        if (start > 0 && start < item.size() && is_blank(item[start - 1])) read.name = item.substr(start);
    }
    items.push_back(read);
    return true;
}

// The items of the field list from 'from' up to the FROM of the subquery that ends at 'close'.
// False when there is no FROM or an item is * or t.*.
bool read_items(std::string_view text, std::size_t from, std::size_t close, const lex::LiteralRules &rules,
                std::vector<Item> &items) {
    long depth = 0;
    std::size_t start = from;
    for (std::size_t i = from; i < close;) {
        const auto run = static_cast<std::size_t>(lex::run_end(text, static_cast<lex::Pos>(i), rules));
        if (run != i) {
            i = run + 1;
            continue;
        }
        const char c = text[i];
        if (c == '(' || c == ')') depth += c == '(' ? 1 : -1;
        if (depth == 0 && c == ',') {
            if (!add_item(text, text.substr(start, i - start), items)) return false;
            start = i + 1;
        } else if (depth == 0 && name_char(c) && (i == 0 || !name_char(text[i - 1]))) {
            const std::string_view word = first_word(text.substr(i, close - i));
            if (same_word(word, "FROM") && text[i - 1] != '.') return add_item(text, text.substr(start, i - start), items);
            i += word.size();
            continue;
        }
        ++i;
    }
    return false;
}

struct Edit {
    std::size_t at;
    std::string text;
};

bool taken(const std::vector<Item> &items, const std::string &name) {
    return std::any_of(items.begin(), items.end(), [&](const Item &item) { return same_name(item.name, name); });
}

// The plain columns that share a name get the name, "_" and a letter each in turn (ID_A, ID_B).
void name_twins(const std::vector<Item> &items, std::vector<Edit> &edits) {
    std::vector<bool> done(items.size(), false);
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (done[i] || !items[i].plain) continue;
        std::vector<std::size_t> twins{i};
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (items[j].plain && same_name(items[j].name, items[i].name)) twins.push_back(j);
        }
        if (twins.size() < 2 || twins.size() > 26) continue;
        for (std::size_t twin : twins) done[twin] = true;
        std::vector<Edit> named;
        for (std::size_t k = 0; k < twins.size(); ++k) {
            std::string name = std::string(items[twins[k]].name) + "_" + static_cast<char>('A' + k);
            if (taken(items, name)) break;
            named.push_back({items[twins[k]].end, " AS " + name});
        }
        if (named.size() == twins.size()) edits.insert(edits.end(), named.begin(), named.end());
    }
}

}  // namespace

tarnvel::Text name_derived_twins(std::string_view statement, const lex::LiteralRules &rules) {
    bool candidate = false;  // first a look that minds no literals: most statements have no such subquery
    for (std::size_t i = statement.find('('); i != npos && !candidate; i = statement.find('(', i + 1)) {
        candidate = opens_derived(statement, i);
    }
    if (!candidate) return {};
    static constexpr lex::Stops opens("(");
    std::vector<Edit> edits;
    lex::Cursor cursor(statement, 0, rules, lex::Levels::ignored);
    for (std::size_t i; (i = cursor.find(opens)) != lex::Cursor::npos; cursor.step()) {
        if (!opens_derived(statement, i)) continue;
        const lex::Pos close = lex::find_close_paren(statement, static_cast<lex::Pos>(i), rules);
        if (close < 0 || static_cast<std::size_t>(close) >= statement.size()) continue;
        std::vector<Item> items;
        if (read_items(statement, sele_end(statement, i + 1), static_cast<std::size_t>(close), rules, items)) {
            name_twins(items, edits);
        }
    }
    if (edits.empty()) return {};
    std::stable_sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.at < b.at; });
    std::size_t extra = 0;
    for (const Edit &edit : edits) extra += edit.text.size();
    tarnvel::Text out = tarnvel::Text::obtain(statement.size() + extra, memory);
    std::size_t done = 0;
    for (const Edit &edit : edits) {
        out.append(statement.substr(done, edit.at - done));
        out.append(edit.text);
        done = edit.at;
    }
    out.append(statement.substr(done));
    return out;
}

}  // namespace tarnvel::select::fox
