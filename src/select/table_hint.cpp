#include "select/table_hint.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/keywords.h"
#include "select/host_variables.h"
#include "select/literals.h"

namespace tarnvel::select {
namespace {

constexpr std::string_view hint = " WITH (NOLOCK) ";
constexpr std::size_t npos = std::string_view::npos;

// The bracketed parts of names, each run to its first "]".
constexpr lex::LiteralRules bracketed_parts{.brackets = lex::BracketRuns::first, .single_quotes = false};
constexpr lex::Stops name_ends(" ,");

// The end of the table name at 'at', with its bracketed parts.
std::size_t name_end(std::string_view text, std::size_t at) {
    std::size_t end = lex::Cursor(text, at, bracketed_parts, lex::Levels::ignored).find(name_ends);
    return end == npos ? text.size() : end;
}

// The end of the word at 'at' that may be the table's alias; a bracketed alias, blanks and all: [y z].
std::size_t word_end(const lex::Alphabet &letters, std::string_view text, std::size_t at) {
    lex::Cursor cursor(text, at, bracketed_parts, lex::Levels::ignored);
    if (text[at] == '[') cursor.step();
    std::size_t end = cursor.at();
    while (end < text.size() && (lex::is_word_char(letters, text[end]) || text[end] == '[' || text[end] == ']')) ++end;
    return end;
}

// The word is a keyword of the clause (JOIN, WHERE, ON...) or another one the conversion kept bare
// (CROSS of CROSS JOIN: a reserved word as a name is bracketed), in any letter case.
bool clause_keyword(Session &session, std::string_view word) {
    Text &area = session.word_area();
    area.clear();
    area.append(word);
    session.letters.upper_in_place(area.data(), area.size());
    return lex::keyword_in_list(lex::KeywordList::sqlserver_clause, area.view()) ||
           lex::keyword_in_list(lex::KeywordList::sqlserver_reserved, area.view());
}

// Where the hint goes after the table at 'at'.
struct Place {
    std::size_t insert = npos;  // npos: nowhere (no table, or a derived table)
    std::size_t next = 0;       // where the search for the next table starts
    bool ended = false;         // FROM ends with this table
};

Place hint_place(Session &session, std::string_view text, std::size_t at) {
    Place place{npos, at, at >= text.size()};
    if (place.ended || text[at] == '(') return place;
    const std::size_t end = name_end(text, at);
    std::size_t after = end;
    while (after < text.size() && text[after] == ' ') ++after;
    if (after >= text.size()) return Place{end, at, true};
    place.next = place.insert = after;
    const char c = text[after];
    if (session.letters.letter(c) || c == '_' || c == '[') {  // after the alias, when a word there is one
        const std::size_t alias_end = word_end(session.letters, text, after);
        if (!clause_keyword(session, text.substr(after, alias_end - after))) place.insert = alias_end;
    }
    return place;
}

// Where the next table begins: after the next JOIN, else after the next comma; npos when none.
std::size_t next_table(std::string_view text, const Place &place, const lex::LiteralRules &rules) {
    // The hint ends with a blank: a JOIN right after a hint at the search start is found there.
    if (place.insert == place.next && text.substr(place.next).starts_with("JOIN ")) return place.next + 5;
    std::size_t join = lex::find_at_level(text, place.next, " JOIN ", rules);
    if (join != npos) return join + 6;
    std::size_t comma = lex::find_at_level(text, place.next, ",", rules);
    return comma == npos ? npos : comma + 1;
}

}  // namespace

void nolock_pass(Session &session, Clauses &clauses) {
    Text &from = clauses.from();
    if (!from) return;
    if (session.nolock < 0) session.nolock = table_hint_switched_on() ? 1 : 0;  // the host cannot change it during the call
    if (!session.nolock) return;
    const std::string_view text = from.view();
    std::size_t keyword = text.find("FROM");
    if (keyword == npos) return;
    const lex::LiteralRules rules = clause_literals(session.dialect);
    Text out = Text::grown(text.size() + 2 * hint.size(), "Insufficient memory for WITH (NOLOCK)");
    std::size_t copied = 0;
    for (std::size_t at = keyword + 5; at <= text.size();) {
        while (at < text.size() && text[at] == ' ') ++at;
        const Place place = hint_place(session, text, at);
        if (place.insert != npos) {
            out.append(text.substr(copied, place.insert - copied));
            out.append(hint);
            copied = place.insert;
        }
        if (place.ended) break;
        at = next_table(text, place, rules);
    }
    out.append(text.substr(copied));
    from = std::move(out);
    from.set_message("Insufficient memory for clause");
}

}  // namespace tarnvel::select
