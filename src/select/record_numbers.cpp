#include "select/record_numbers.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/literals.h"

#include <string>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;
// The derived table's column that holds the record number.
constexpr std::string_view number_column = "RECNO_N";
constexpr lex::Stops r_stops("Rr");

std::size_t skip_blanks(std::string_view text, std::size_t at) {
    while (at < text.size() && lex::is_blank(text[at])) ++at;
    return at;
}

// The end of the name at 'at' (a word, a quoted name, joined by dots: db.dbo.t); 'at' when none.
std::size_t name_end(const Session &session, std::string_view text, std::size_t at) {
    std::size_t i = at;
    for (;;) {
        if (i < text.size() && text[i] == session.dialect.quote_open) {
            const std::size_t close = text.find(session.dialect.quote_close, i + 1);
            if (close == npos) return at;
            i = close + 1;
        } else {
            const std::size_t start = i;
            while (i < text.size() && lex::is_name_char(session.letters, text[i])) ++i;
            if (i == start) return at;
        }
        if (i + 1 < text.size() && text[i] == '.') {
            ++i;
            continue;
        }
        return i;
    }
}

// FROM's one table and its alias (empty when none), as written; false when FROM holds anything else.
bool one_table(const Session &session, std::string_view from, std::string_view &table, std::string_view &alias) {
    const lex::Alphabet &letters = session.letters;
    if (from.size() < 5 || !letters.is_upper_word(from.substr(0, 4), "FROM")) return false;
    const std::size_t t0 = skip_blanks(from, 4);
    const std::size_t t1 = name_end(session, from, t0);
    if (t1 == t0) return false;
    table = from.substr(t0, t1 - t0);
    std::size_t a0 = skip_blanks(from, t1);
    std::size_t a1 = name_end(session, from, a0);
    if (a1 - a0 == 2 && letters.is_upper_word(from.substr(a0, 2), "AS")) {
        a0 = skip_blanks(from, a1);
        a1 = name_end(session, from, a0);
    }
    alias = from.substr(a0, a1 - a0);
    return alias.find('.') == npos && skip_blanks(from, a1) == from.size();
}

// The RECNO() and RECN() calls without arguments outside literals: where each starts and its length.
std::vector<std::pair<std::size_t, std::size_t>> calls_in(const Session &session, std::string_view text) {
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    const lex::Alphabet &letters = session.letters;
    lex::Cursor cursor(text, 0, clause_literals(session.dialect), lex::Levels::ignored);
    for (std::size_t i; (i = cursor.find(r_stops)) != lex::Cursor::npos; cursor.step()) {
        if (i > 0 && (lex::is_item_char(letters, text[i - 1]) || text[i - 1] == session.dialect.quote_close)) continue;
        std::size_t end = i;
        while (end < text.size() && lex::is_name_char(letters, text[end])) ++end;
        const std::string_view word = text.substr(i, end - i);
        if (!letters.is_upper_word(word, "RECNO") && !letters.is_upper_word(word, "RECN")) continue;
        const std::size_t open = skip_blanks(text, end);
        if (open >= text.size() || text[open] != '(') continue;
        const std::size_t close = skip_blanks(text, open + 1);
        if (close >= text.size() || text[close] != ')') continue;
        calls.emplace_back(i, close + 1 - i);
    }
    return calls;
}

// Whether a * stands in the select list outside parentheses and literals (SELECT *, t.*, a * b): the
// derived table's number would be one more column of the result.
bool star_in(const Session &session, std::string_view list) {
    return lex::find_at_level(list, 0, "*", clause_literals(session.dialect)) != npos;
}

void replace_calls(Text &clause, const std::vector<std::pair<std::size_t, std::size_t>> &calls) {
    std::string out;
    std::size_t copied = 0;
    const std::string_view text = clause.view();
    for (const auto &[at, length] : calls) {
        out.append(text.substr(copied, at - copied)).append(number_column);
        copied = at + length;
    }
    out.append(text.substr(copied));
    Text replaced = Text::obtain(out.size() + 1, "Insufficient memory for SELECT");
    replaced.append(out);
    clause = std::move(replaced);
}

}  // namespace

void record_number_pass(Session &session, Clauses &clauses) {
    const std::string_view form = session.record_number;
    if (!clauses.from() || star_in(session, clauses.select().view())) return;
    std::string_view table, alias;
    if (!one_table(session, clauses.from().view(), table, alias)) return;
    std::vector<std::pair<std::size_t, std::size_t>> calls[6];
    bool any = false;
    for (int i = 0; i < 6; ++i) {
        if (i == 2 || !clauses.buffers[i]) continue;
        calls[i] = calls_in(session, clauses.buffers[i].view());
        any = any || !calls[i].empty();
    }
    if (!any) return;
    // the table's own name qualifies its columns where it has no alias: db.dbo.t is t
    std::string_view name = alias.empty() ? table : alias;
    const std::size_t last = name.back() == session.dialect.quote_close ? name.rfind(session.dialect.quote_open)
                                                                         : name.rfind('.') + 1;  // npos + 1 is 0
    name.remove_prefix(last == npos ? 0 : last);
    std::string from = "FROM (SELECT ";
    from.append(name).append(".*, ").append(form).append(" AS ").append(number_column);
    from.append(" FROM ").append(lex::trimmed(clauses.from().view().substr(4)));
    from.append(session.dialect.table_alias_as ? ") AS " : ") ").append(name).append(" ");
    Text derived = Text::obtain(from.size() + 1, "Insufficient memory for SELECT");
    derived.append(from);
    clauses.from() = std::move(derived);
    for (int i = 0; i < 6; ++i) {
        if (!calls[i].empty()) replace_calls(clauses.buffers[i], calls[i]);
    }
}

}  // namespace tarnvel::select
