#include "select/table_hint.h"

#include "lex/keywords.h"
#include "select/host_variables.h"
#include "select/literals.h"

namespace tarnvel::select {
namespace {

constexpr std::string_view hint = " WITH (NOLOCK) ";

}  // namespace

void nolock_pass(Session &session, Clauses &clauses) {
    Sink &from = clauses.from();
    if (!from) return;
    if (session.nolock < 0) session.nolock = table_hint_switched_on() ? 1 : 0;  // the host cannot change it during the call
    if (!session.nolock) return;
    const std::string_view text = from.view();
    std::size_t keyword = text.find("FROM");
    if (keyword == std::string_view::npos) return;
    const lex::Alphabet &letters = session.letters;
    const lex::LiteralRules rules = clause_literals(session.dialect);
    Sink out = Sink::grown(text.size() + 2 * hint.size(), "Insufficient memory for WITH (NOLOCK)");
    std::size_t copied = 0;
    std::size_t at = keyword + 5;
    while (at <= text.size()) {
        while (at < text.size() && text[at] == ' ') ++at;
        bool ended = at >= text.size();
        std::size_t next_from = at;  // where the search for the next table starts
        std::size_t insert = std::string_view::npos;
        if (!ended && text[at] != '(') {
            std::size_t end = at;  // the table name, with bracketed parts
            while (end < text.size() && text[end] != ' ' && text[end] != ',') {
                if (text[end] == '[') {
                    std::size_t close = text.find(']', end + 1);
                    end = close == std::string_view::npos ? text.size() : close + 1;
                } else {
                    ++end;
                }
            }
            std::size_t p2 = end;
            while (p2 < text.size() && text[p2] == ' ') ++p2;
            if (p2 >= text.size()) {
                insert = end;
                ended = true;
            } else {
                next_from = p2;
                insert = p2;
                char c = text[p2];
                if (letters.letter(c) || c == '_' || c == '[') {
                    std::size_t word_end = p2;
                    if (c == '[') {  // a bracketed alias, blanks and all: [y z]
                        std::size_t close = text.find(']', p2 + 1);
                        word_end = close == std::string_view::npos ? text.size() : close + 1;
                    }
                    while (word_end < text.size() &&
                           (letters.letter(text[word_end]) || (text[word_end] >= '0' && text[word_end] <= '9') ||
                            text[word_end] == '_' || text[word_end] == '[' || text[word_end] == ']')) {
                        ++word_end;
                    }
                    Sink &word = session.word_area();
                    word.clear();
                    word.append(text.substr(p2, word_end - p2));
                    letters.upper_in_place(word.data(), word.size());
                    if (!lex::keyword_in_list(lex::KeywordList::sqlserver_clause, word.view())) insert = word_end;
                }
            }
        }
        if (insert != std::string_view::npos) {
            out.append(text.substr(copied, insert - copied));
            out.append(hint);
            copied = insert;
        }
        if (ended) break;
        // The hint ends with a blank: a JOIN right after a hint at the search start is found there.
        if (insert == next_from && text.substr(next_from).starts_with("JOIN ")) {
            at = next_from + 5;
            continue;
        }
        std::size_t join = lex::find_at_level(text, next_from, " JOIN ", rules);
        if (join != std::string_view::npos) {
            at = join + 6;
            continue;
        }
        std::size_t comma = lex::find_at_level(text, next_from, ",", rules);
        if (comma == std::string_view::npos) break;
        at = comma + 1;
    }
    out.append(text.substr(copied));
    from = std::move(out);
    from.set_message("Insufficient memory for clause");
}

}  // namespace tarnvel::select
