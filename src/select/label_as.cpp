#include "select/label_as.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/item_alias.h"
#include "select/literals.h"

#include <span>
#include <string_view>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool among(const lex::Alphabet &letters, std::string_view word, std::span<const std::string_view> words) {
    for (std::string_view w : words) {
        if (letters.is_upper_word(word, w)) return true;
    }
    return false;
}

// Where, in the item, the alias that needs AS starts; npos when there is none.
std::size_t label_at(const Session &session, std::string_view item) {
    item = lex::trimmed(item);
    std::size_t start = item.size();
    while (start > 0 && lex::is_name_char(session.letters, item[start - 1])) --start;
    if (start < 2 || start == item.size() || !lex::is_blank(item[start - 1])) return npos;
    if (!among(session.letters, item.substr(start), session.dialect.label_as_words)) return npos;
    return operand_ends(lex::trimmed(item.substr(0, start)), session.dialect, session.letters) ? start : npos;
}

}  // namespace

void label_as_pass(Session &session, Clauses &clauses) {
    Text &select = clauses.select();
    if (!select) return;
    select.set_message("Insufficient memory for SELECT");
    const lex::LiteralRules rules = clause_literals(session.dialect);
    for (std::size_t start = 0;;) {
        lex::Cursor cursor(select.view(), start, rules);
        const std::size_t comma = cursor.find(lex::comma);
        const std::string_view item = select.view().substr(start, comma == npos ? npos : comma - start);
        std::size_t lead = 0;
        while (lead < item.size() && lex::is_blank(item[lead])) ++lead;
        std::size_t next = comma;
        if (const std::size_t at = label_at(session, item); at != npos) {
            select.insert(start + lead + at, "AS ");
            if (next != npos) next += 3;
        }
        if (next == npos) break;
        start = next + 1;
    }
}

}  // namespace tarnvel::select
