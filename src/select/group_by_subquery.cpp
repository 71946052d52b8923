#include "select/group_by_subquery.h"

#include "lex/classes.h"
#include "lex/scan.h"

#include <array>

namespace tarnvel::select {
namespace {

// The words of "t [AS] a" (each of name characters only), or fewer than one where FROM holds more.
struct Table {
    std::array<std::string_view, 3> words{};
    std::size_t count = 0;
};

Table words_of(const lex::Alphabet &letters, std::string_view text) {
    Table table;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && lex::is_name_char(letters, text[end])) ++end;
        if (end == at || (end < text.size() && text[end] != ' ') || table.count == table.words.size()) return {};
        table.words[table.count++] = text.substr(at, end - at);
        at = end;
    }
    return table;
}

bool is_as(const lex::Alphabet &letters, std::string_view word) {
    return word.size() == 2 && letters.upper(word[0]) == 'A' && letters.upper(word[1]) == 'S';
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
    std::string rewritten = "FROM (SELECT ";
    rewritten.append(name).append(".*, ").append(subquery).append(" AS ").append(column).append(" FROM ");
    rewritten.append(written).append(hint).append(dialect.table_alias_as ? ") AS " : ") ").append(name).append(" ");
    // the column's name first: 'name' points into the FROM text that the rewritten one replaces
    std::string key = std::string(name).append(".").append(column);
    Text replaced = Text::obtain(rewritten.size() + 1, "Insufficient memory for FROM");
    replaced.append(rewritten);
    from = std::move(replaced);
    return key;
}

}  // namespace tarnvel::select
