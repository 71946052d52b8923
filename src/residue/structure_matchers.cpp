// The matchers of column definitions: type words, widths and FoxPro clauses of a structure text,
// and the type in CAST(... AS type) of a SELECT.
#include "residue/check.h"
#include "residue/type_rows.h"

#include <iterator>

namespace tarnvel::residue {
namespace {

std::string_view word_at(std::string_view m, std::size_t pos) { return m.substr(pos, word_end(m, pos) - pos); }

bool constraint_word(std::string_view word) {
    static constexpr std::string_view words[] = {"PRIMARY", "UNIQUE", "FOREIGN", "CHECK", "CONSTRAINT", "INDEX", "KEY"};
    for (std::string_view w : words) {
        if (same_word(word, w)) return true;
    }
    return false;
}

ColumnItem read_item(std::string_view m, Span whole) {
    ColumnItem item{whole, {}, {}, npos, whole.end, false};
    const std::size_t start = skip_blanks(m, whole.begin);
    if (start >= whole.end) return item;
    std::size_t name_end = word_end(m, start);
    if (m[start] == '[' || m[start] == '"' || m[start] == '`') {
        const std::size_t close = m.find(m[start] == '[' ? ']' : m[start], start + 1);
        name_end = close == npos || close >= whole.end ? whole.end : close + 1;
    } else if (constraint_word(word_at(m, start))) {
        item.constraint = true;
        item.clauses = start;
        return item;
    }
    item.name = {start, name_end};
    const std::size_t type = skip_blanks(m, name_end);
    const std::size_t type_end = std::min(word_end(m, type), whole.end);
    item.clauses = type;
    if (type_end == type) return item;
    item.type = {type, type_end};
    std::size_t after = skip_blanks(m, type_end);
    const std::string_view next = word_at(m, after);
    if (same_word(next, "PRECISION") || same_word(next, "VARYING")) after = skip_blanks(m, after + next.size());
    item.clauses = type_end;
    if (after < whole.end && m[after] == '(') {
        item.widths = after;
        const std::size_t close = closing_paren(m, after);
        item.clauses = close == npos || close >= whole.end ? whole.end : close + 1;
    }
    return item;
}

// The type of a column item and the word after it.
std::string_view type_word(const Check &c, const ColumnItem &item) {
    return std::string_view(c.text.masked).substr(item.type.begin, item.type.end - item.type.begin);
}
std::string_view word_after_type(const Check &c, const ColumnItem &item) {
    return word_at(c.text.masked, skip_blanks(c.text.masked, item.type.end));
}

// The text to show for a type: the word and the parentheses right after it.
std::size_t type_text_end(const std::string &m, std::size_t word_end_pos) {
    const std::size_t open = skip_blanks(m, word_end_pos);
    if (open >= m.size() || m[open] != '(') return word_end_pos;
    const std::size_t close = closing_paren(m, open);
    return close == npos ? m.size() : close + 1;
}

// Reports the type of each column that is no type of the target, FoxPro's ('foxpro') or not.
void column_types(Check &c, const ConstructRow &row, bool foxpro) {
    for (const ColumnItem &item : c.items) {
        if (item.constraint || item.name.end == item.name.begin) continue;
        if (item.type.end == item.type.begin) {
            if (!foxpro)
                c.add(row, item.name.begin, item.name.end,
                      "column " + std::string(c.original(item.name.begin, item.name.end)) + " has no type");
            continue;
        }
        const std::string_view word = type_word(c, item);
        if (type_widths(c.target, word, word_after_type(c, item)) >= 0 || foxpro_type_word(word) != foxpro) continue;
        c.add(row, item.type.begin, type_text_end(c.text.masked, item.type.end),
              c.say(row, c.original(item.type.begin, type_text_end(c.text.masked, item.type.end))));
    }
}

}  // namespace

std::vector<ColumnItem> column_items(Target, std::string_view masked) {
    std::vector<ColumnItem> items;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= masked.size(); ++i) {
        const char ch = i < masked.size() ? masked[i] : ',';
        if (ch == '(') ++depth;
        else if (ch == ')') --depth;
        else if (ch == ',' && (depth <= 0 || i == masked.size())) {
            if (skip_blanks(masked, start) < i) items.push_back(read_item(masked, {start, i}));
            start = i + 1;
            depth = 0;
        }
    }
    return items;
}

namespace match {

void foxpro_type(Check &c, const ConstructRow &row) {
    if (c.kind == ConvertedText::structure) return column_types(c, row, true);
    if (c.target == Target::access) return;  // no CAST at all: the function row reports it
    const std::string &m = c.text.masked;
    for (std::size_t pos = 0; pos < m.size();) {
        const std::size_t end = word_end(m, pos);
        if (end == pos) {
            ++pos;
            continue;
        }
        const bool cast = same_word(std::string_view(m).substr(pos, end - pos), "CAST") && (pos == 0 || m[pos - 1] != '.');
        const std::size_t open = skip_blanks(m, end);
        pos = end;
        if (!cast || open >= m.size() || m[open] != '(') continue;
        // The type follows the last AS at the call's own level.
        const std::size_t close = closing_paren(m, open);
        const std::size_t stop = close == npos ? m.size() : close;
        std::size_t type = npos;
        int depth = 0;
        for (std::size_t i = open + 1; i < stop; ++i) {
            if (m[i] == '(') ++depth;
            else if (m[i] == ')') --depth;
            else if (depth == 0 && name_start(m[i]) && !name_char(m[i - 1])) {
                const std::size_t w_end = word_end(m, i);
                if (same_word(std::string_view(m).substr(i, w_end - i), "AS")) type = skip_blanks(m, w_end);
                i = w_end - 1;
            }
        }
        if (type == npos || type >= stop) continue;
        const std::string_view word = word_at(m, type);
        const std::string_view next = word_at(m, skip_blanks(m, type + word.size()));
        if (word.empty() || cast_widths(c.target, word, next) >= 0 || !foxpro_type_word(word)) continue;
        const std::size_t shown = std::min(type_text_end(m, type + word.size()), stop);
        c.report(row, type, shown);
    }
}

void unknown_type(Check &c, const ConstructRow &row) { column_types(c, row, false); }

void type_width(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (const ColumnItem &item : c.items) {
        if (item.widths == npos) continue;
        const int allowed = type_widths(c.target, type_word(c, item), word_after_type(c, item));
        if (allowed < 0) continue;  // the type itself is reported
        const std::size_t close = closing_paren(m, item.widths);
        const std::size_t end = close == npos ? item.whole.end : close + 1;
        if (argument_count(m, item.widths) > allowed) {
            const std::string shown(c.original(item.type.begin, end));
            c.add(row, item.type.begin, end,
                  shown + ": " + std::string(target_title(c.target)) +
                      (allowed == 0 ? " takes no width for this type" : " takes fewer numbers for this type"));
        }
        const std::size_t second = skip_blanks(m, end);
        if (second < item.whole.end && m[second] == '(') {
            const std::size_t second_close = closing_paren(m, second);
            const std::size_t second_end = second_close == npos ? item.whole.end : second_close + 1;
            c.add(row, second, second_end,
                  std::string(c.original(item.type.begin, second_end)) + ": a second width after the type");
        }
    }
}

void column_clause(Check &c, const ConstructRow &row) {
    const std::string &m = c.text.masked;
    for (const ColumnItem &item : c.items) {
        int depth = 0;
        for (std::size_t i = item.clauses; i < item.whole.end; ++i) {
            if (m[i] == '(') ++depth;
            else if (m[i] == ')') --depth;
            if (depth != 0 || !name_start(m[i]) || (i > 0 && name_char(m[i - 1]))) continue;
            const std::size_t end = word_end(m, i);
            const std::string_view word = std::string_view(m).substr(i, end - i);
            if (listed(row.parameter, word)) c.add(row, i, end, c.say(row, c.original(i, end)));
            i = end - 1;
        }
    }
}

}  // namespace match
}  // namespace tarnvel::residue
