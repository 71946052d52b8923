#include "order_keys.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace validity {
namespace {

bool name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80) != 0; }

bool word_at(std::string_view text, std::size_t i, std::string_view word) {
    if (i + word.size() > text.size() || (i > 0 && name_char(text[i - 1]))) return false;
    for (std::size_t k = 0; k < word.size(); ++k) {
        if (std::toupper(static_cast<unsigned char>(text[i + k])) != word[k]) return false;
    }
    return i + word.size() == text.size() || !name_char(text[i + word.size()]);
}

std::size_t skip_blanks(std::string_view text, std::size_t i) {
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    return i;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
    return out.substr(std::min(out.size(), out.find_first_not_of(" \t\r\n")));
}

// Calls 'at' with each position at depth 0 outside FoxPro's three kinds of string, until it returns
// false; false when a string or parenthesis is not closed.
template <typename At>
bool each_top_position(std::string_view text, At at) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'' || c == '"' || c == '[') {
            i = text.find(c == '[' ? ']' : c, i + 1);
            if (i == std::string_view::npos) return false;
        } else if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : -1;
        } else if (depth == 0 && !at(i)) {
            return true;
        }
    }
    return depth == 0;
}

// Where the keys of the last ORDER BY at depth 0 begin (npos: none).
std::size_t keys_start(std::string_view text) {
    std::size_t found = std::string_view::npos;
    const bool closed = each_top_position(text, [&](std::size_t i) {
        if (!word_at(text, i, "ORDER")) return true;
        const std::size_t by = skip_blanks(text, i + 5);
        if (by > i + 5 && word_at(text, by, "BY")) found = by + 2;
        return true;
    });
    return closed ? found : std::string_view::npos;
}

// The top-level pieces of a text between its commas.
std::vector<std::string_view> comma_pieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    each_top_position(text, [&](std::size_t i) {
        if (text[i] == ',') {
            pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
        return true;
    });
    pieces.push_back(text.substr(start));
    return pieces;
}

// The first member's select list: from after SELECT [DISTINCT|ALL] [TOP n [PERCENT]] to its FROM.
std::string_view select_list(std::string_view text) {
    std::size_t from = std::string_view::npos;
    each_top_position(text, [&](std::size_t i) {
        if (word_at(text, i, "FROM")) from = i;
        return from == std::string_view::npos;
    });
    std::size_t i = skip_blanks(text, 0);
    if (from == std::string_view::npos || !word_at(text, i, "SELECT")) return {};
    i = skip_blanks(text, i + 6);
    for (std::string_view word : {"DISTINCT", "ALL"}) {
        if (word_at(text, i, word)) i = skip_blanks(text, i + word.size());
    }
    if (word_at(text, i, "TOP")) return {};  // not compared anyway
    return i < from ? text.substr(i, from - i) : std::string_view();
}

// The name a select item gives its column: its alias (after AS, or after the expression with a blank
// between), or a field's own name; empty for an expression without an alias.
std::string item_name(std::string_view item) {
    const std::string text = upper(item);
    std::size_t start = text.size();
    while (start > 0 && name_char(text[start - 1])) --start;
    if (start == text.size()) return {};
    const std::string last = text.substr(start);
    if (start == 0) return last;
    if (text[start - 1] == '.') {  // alias.field alone
        std::size_t owner = start - 1;
        while (owner > 0 && name_char(text[owner - 1])) --owner;
        return owner == 0 ? last : std::string();
    }
    std::size_t before = start;
    while (before > 0 && std::isspace(static_cast<unsigned char>(text[before - 1]))) --before;
    if (before == start || before == 0) return {};
    const char c = text[before - 1];
    return name_char(c) || c == ')' || c == '\'' || c == '"' || c == ']' ? last : std::string();
}

// The position of the select item a key names (an alias or a field, also alias.field); npos when no
// item or more than one does.
std::size_t named_position(std::string_view list, std::string_view key) {
    const std::string wanted = upper(key);
    std::size_t found = std::string_view::npos;
    const std::vector<std::string_view> items = comma_pieces(list);
    for (std::size_t p = 0; p < items.size(); ++p) {
        const std::string whole = upper(items[p]);
        if (whole == "*" || whole.ends_with(".*")) return std::string_view::npos;
        if (whole != wanted && item_name(items[p]) != (wanted.find('.') == std::string::npos ? wanted : "")) continue;
        if (found != std::string_view::npos) return std::string_view::npos;
        found = p;
    }
    return found;
}

}  // namespace

std::vector<std::size_t> order_positions(std::string_view foxpro) {
    const std::size_t start = keys_start(foxpro);
    if (start == std::string_view::npos) return {};
    const std::string_view list = select_list(foxpro);
    std::vector<std::size_t> positions;
    for (std::string_view key : comma_pieces(foxpro.substr(start))) {
        std::string text = upper(key);
        for (std::string_view direction : {" ASC", " DESC"}) {
            if (text.ends_with(direction)) text = upper(text.substr(0, text.size() - direction.size()));
        }
        const bool digits = !text.empty() && text.size() <= 4 &&
                            std::all_of(text.begin(), text.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        const bool name = !text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])) &&
                          std::all_of(text.begin(), text.end(), [](char c) { return name_char(c) || c == '.'; });
        std::size_t position = std::string_view::npos;
        if (digits && std::stoul(text) > 0) position = std::stoul(text) - 1;
        else if (name && !list.empty()) position = named_position(list, text);
        if (position == std::string_view::npos) return {};  // an expression, a name of no item, a clause after the keys
        positions.push_back(position);
    }
    return positions;
}

}  // namespace validity
