#include "select/count_distinct.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/literals.h"

#include <string_view>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view value_column = "DISTINCT_VALUE";  // the derived table's one column

std::size_t skip_blanks(std::string_view text, std::size_t at) {
    while (at < text.size() && lex::is_blank(text[at])) ++at;
    return at;
}

// One past the word 'upper_word' (in any letter case) written whole at 'at' (blanks before it
// passed over), else npos.
std::size_t word_at(const lex::Alphabet &letters, std::string_view text, std::size_t at, std::string_view upper_word) {
    if (at == npos) return npos;
    at = skip_blanks(text, at);
    const std::size_t end = at + upper_word.size();
    if (end > text.size() || !letters.is_upper_word(text.substr(at, upper_word.size()), upper_word)) return npos;
    if (end < text.size() && lex::is_item_char(letters, text[end])) return npos;
    return end;
}

// Whether INTO stands in the text as a word of its own (in name quotes too): FoxPro's destination,
// kept at the end of the member for the caller, which the derived table must not take in.
bool holds_into(const lex::Alphabet &letters, std::string_view text) {
    for (std::size_t at = 0; at + 4 <= text.size(); ++at) {
        if (letters.is_upper_word(text.substr(at, 4), "INTO") && (at == 0 || !lex::is_item_char(letters, text[at - 1])) &&
            (at + 4 == text.size() || !lex::is_item_char(letters, text[at + 4]))) {
            return true;
        }
    }
    return false;
}

}  // namespace

void count_distinct_pass(Session &session, Clauses &clauses) {
    Text &select = clauses.select();
    Text &from = clauses.from();
    if (!select || !from || clauses.group()) return;
    const std::string_view list = select.view();
    const std::size_t first = skip_blanks(list, 6);  // most lists start with no C after SELECT: one look
    if (first >= list.size() || (list[first] != 'C' && list[first] != 'c')) return;
    const lex::Alphabet &letters = session.letters;
    std::size_t at = word_at(letters, list, word_at(letters, list, 0, "SELECT"), "COUNT");
    if (at == npos) return;
    at = skip_blanks(list, at);
    if (at >= list.size() || list[at] != '(') return;
    const lex::LiteralRules rules = clause_literals(session.dialect);
    const std::size_t close = lex::Cursor(list, at + 1, rules).group_end();
    const std::size_t value_at = word_at(letters, list, at + 1, "DISTINCT");
    if (close == npos || value_at == npos || value_at > close) return;
    const std::string_view value = lex::trimmed(list.substr(value_at, close - value_at));
    const std::string_view alias = list.substr(close + 1);  // more items than the count: left as it is
    if (value.empty() || lex::Cursor(alias, 0, rules).find(lex::comma) != npos) return;
    const std::string_view table = lex::trimmed(from.view());
    Text &where = clauses.where();
    const std::string_view condition = where ? lex::trimmed(where.view()) : std::string_view{};
    if (holds_into(letters, condition) || holds_into(letters, table)) return;

    // COUNT(DISTINCT x) passes over NULL: the derived table's NULL row is not counted either.
    Text counted = Text::obtain(16 + value_column.size() + alias.size(), "Insufficient memory for SELECT");
    counted.append("SELECT COUNT(");
    counted.append(value_column);
    counted.push(')');
    counted.append(alias);
    Text derived = Text::obtain(32 + value.size() + value_column.size() + table.size() + condition.size(),
                                "Insufficient memory for SELECT");
    derived.append("FROM (SELECT DISTINCT ");
    derived.append(value);
    derived.append(" AS ");
    derived.append(value_column);
    derived.push(' ');
    derived.append(table);
    if (!condition.empty()) {
        derived.push(' ');
        derived.append(condition);
    }
    derived.push(')');
    select = std::move(counted);
    from = std::move(derived);
    where.release();
}

}  // namespace tarnvel::select
