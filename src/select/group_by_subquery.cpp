#include "select/group_by_subquery.h"

#include "lex/classes.h"
#include "lex/scan.h"

#include <algorithm>
#include <array>

namespace tarnvel::select {
namespace {

// The words that end FROM's first table where a join follows it.
constexpr std::string_view join_words[] = {"INNER", "LEFT", "RIGHT", "FULL", "CROSS", "NATURAL", "JOIN"};

// The words of "t [AS] a" at the head of FROM (each of name characters only) and where they end: at
// the end of FROM, a comma or the word that begins a join; no words where FROM begins otherwise.
struct Table {
    std::array<std::string_view, 3> words{};
    std::size_t count = 0;
    std::size_t end = 0;
};

bool same_word(const lex::Alphabet &letters, std::string_view a, std::string_view b) { return letters.same_letters(a, b); }

bool joins_here(const lex::Alphabet &letters, std::string_view word) {
    return std::any_of(std::begin(join_words), std::end(join_words),
                       [&](std::string_view join) { return same_word(letters, word, join); });
}

Table words_of(const lex::Alphabet &letters, std::string_view text) {
    Table table;
    std::size_t at = 0;
    while (at < text.size() && text[at] != ',') {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && lex::is_name_char(letters, text[end])) ++end;
        if (end == at || (end < text.size() && text[end] != ' ' && text[end] != ',')) return {};
        const std::string_view word = text.substr(at, end - at);
        if (table.count > 0 && joins_here(letters, word)) break;
        if (table.count == table.words.size()) return {};
        table.words[table.count++] = word;
        at = end;
    }
    table.end = at;
    return table;
}

bool is_as(const lex::Alphabet &letters, std::string_view word) {
    return word.size() == 2 && letters.upper(word[0]) == 'A' && letters.upper(word[1]) == 'S';
}

// Whether 'text' holds 'word' as a word of its own, in any letter case.
bool holds_word(const lex::Alphabet &letters, std::string_view text, std::string_view word) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && lex::is_name_char(letters, text[end])) ++end;
        if (end > at && same_word(letters, text.substr(at, end - at), word)) return true;
        at = end == at ? at + 1 : end;
    }
    return false;
}

// The joins after FROM's first table keep its every row, each once or more: no RIGHT or FULL join, after
// which the first table's columns may be .NULL. where FoxPro's subquery would still give its value
// (a COUNT(*) of no rows is 0), and the derived table's column would be .NULL. too.
bool keeps_first_rows(const lex::Alphabet &letters, std::string_view rest) {
    return !holds_word(letters, rest, "RIGHT") && !holds_word(letters, rest, "FULL");
}

}  // namespace

std::string subquery_key_in_from(const lex::Alphabet &letters, const Dialect &dialect, Text &from,
                                 std::string_view subquery, std::string_view column, std::string_view hint) {
    std::string_view text = from.view();
    if (text.size() < 5 || letters.upper(text[0]) != 'F' || text.substr(4, 1) != " ") return {};
    const std::string_view written = lex::trimmed(text.substr(5));
    const Table table = words_of(letters, written);
    if (table.count == 0 || (table.count == 3 && !is_as(letters, table.words[1]))) return {};
    if (table.count == 2 && is_as(letters, table.words[1])) return {};
    const std::string_view name = table.words[table.count - 1];
    const std::string_view rest = written.substr(table.end);
    if (!keeps_first_rows(letters, rest)) return {};
    std::string rewritten = "FROM (SELECT ";
    rewritten.append(name).append(".*, ").append(subquery).append(" AS ").append(column).append(" FROM ");
    rewritten.append(lex::trimmed(written.substr(0, table.end))).append(hint);
    rewritten.append(dialect.table_alias_as ? ") AS " : ") ").append(name);
    rewritten.append(rest.empty() || rest.front() != ',' ? " " : "").append(rest);
    if (!rest.empty()) rewritten.push_back(' ');
    // the column's name first: 'name' points into the FROM text that the rewritten one replaces
    std::string key = std::string(name).append(".").append(column);
    Text replaced = Text::obtain(rewritten.size() + 1, "Insufficient memory for FROM");
    replaced.append(rewritten);
    from = std::move(replaced);
    return key;
}

}  // namespace tarnvel::select
