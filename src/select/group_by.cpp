#include "select/group_by.h"

#include "lex/keywords.h"
#include "lex/scan.h"

#include <string>

namespace tarnvel::select {
namespace {

// The SQL Server reserved and clause words, compared as written.
const Lexicon &sqlserver_keywords() {
    static const Lexicon words = [] {
        Lexicon lexicon;
        for (lex::KeywordList list : {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause}) {
            std::string_view text = lex::keyword_list_text(list);
            while (!text.empty()) {
                std::size_t comma = text.find(',');
                std::string_view word = text.substr(0, comma);
                text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
                if (!word.empty()) lexicon[word];
            }
        }
        return lexicon;
    }();
    return words;
}

struct Pass {
    const lex::Alphabet &letters;
    const Dialect &dialect;

    bool ident(char c) const {
        return letters.letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '~' || c == '#';
    }

    // Every occurrence of w that is a whole word (never at the very start of the text).
    std::size_t find_word(std::string_view text, std::string_view w, std::size_t from = 0) const {
        if (w.empty()) return std::string_view::npos;
        for (std::size_t at = text.find(w, from); at != std::string_view::npos; at = text.find(w, at + 1)) {
            if (at == 0 || ident(text[at - 1])) continue;
            std::size_t end = at + w.size();
            if (end < text.size() && ident(text[end])) continue;
            return at;
        }
        return std::string_view::npos;
    }

    // The end of the item that starts at 'from': the first comma outside quotes and parentheses.
    static std::size_t item_end(std::string_view select, std::size_t from) {
        bool quoted = false;
        int depth = 0;
        for (std::size_t i = from; i < select.size(); ++i) {
            char c = select[i];
            if (c == '\'') quoted = !quoted;
            else if (quoted) continue;
            else if (c == '(') ++depth;
            else if (c == ')') --depth;
            else if (c == ',' && depth <= 0) return i;
        }
        return std::string_view::npos;
    }

    // The index of the last ")" that closed a group opened in the item (0 when none).
    static std::size_t last_close(std::string_view item) {
        int depth = 0;
        std::size_t last = 0;
        for (std::size_t i = 0; i < item.size(); ++i) {
            if (item[i] == '(') ++depth;
            else if (item[i] == ')' && --depth == 0) last = i;
        }
        return last;
    }

    bool aggregate(std::string_view expr) const {
        static constexpr std::string_view names[] = {"AVG", "COUNT", "MAX", "MIN", "SUM", "IDENTITY"};
        for (std::string_view name : names) {
            if (expr.size() <= name.size()) continue;
            bool same = true;
            for (std::size_t i = 0; i < name.size() && same; ++i) same = letters.upper(expr[i]) == name[i];
            if (!same) continue;
            std::string_view rest = expr.substr(name.size());
            if (rest.starts_with("(") || rest.starts_with(" (")) return true;
        }
        return false;
    }

    // True when a word of the item names a column.
    bool names_column(std::string_view item) const {
        std::size_t i = 0;
        while (i < item.size()) {
            if (!letters.letter(item[i]) && item[i] != '_') {
                ++i;
                continue;
            }
            std::size_t start = i;
            while (i < item.size() && ident(item[i])) ++i;
            std::string_view word = item.substr(start, i - start);
            if (lex::followed_by_open_paren(item, static_cast<lex::Pos>(i))) continue;
            if (sqlserver_keywords().find(word)) continue;
            if (word.size() == 3 && start >= 11) {
                std::string_view cast = item.substr(start - 11, 14);
                if (cast == "CAST (0 AS BIT" || cast == "CAST (1 AS BIT") continue;
            }
            return true;
        }
        return false;
    }

    // The trailing run of identifier characters and identifier quotes: t.price gives price.
    std::string_view trailing_name(std::string_view expr) const {
        std::size_t start = expr.size();
        while (start > 0) {
            char c = expr[start - 1];
            if (!ident(c) && c != dialect.quote_open && c != dialect.quote_close) break;
            --start;
        }
        return expr.substr(start);
    }

    // Every whole-word occurrence of the alias in HAVING becomes the expression.
    void replace_alias(Sink &having, std::string_view alias, std::string_view expr) const {
        if (find_word(having.view(), alias) == std::string_view::npos) return;
        Sink rebuilt = Sink::grown(having.size() + expr.size() + 2, "Insufficient memory for HAVING");
        std::string_view text = having.view();
        std::size_t done = 0;
        for (std::size_t at = find_word(text, alias); at != std::string_view::npos; at = find_word(text, alias, done)) {
            rebuilt.append(text.substr(done, at - done));
            rebuilt.append(expr);
            done = at + alias.size();
        }
        rebuilt.append(text.substr(done));
        having = std::move(rebuilt);
    }
};

bool skip(std::string_view text, std::size_t &at, std::string_view prefix) {
    if (text.substr(at).starts_with(prefix)) {
        at += prefix.size();
        return true;
    }
    return false;
}

}  // namespace

void group_by_pass(Session &session, Clauses &clauses) {
    Pass pass{session.letters, session.dialect};
    Sink &group = clauses.group();
    Sink &select = clauses.select();

    Sink group_copy = Sink::obtain(group.size() + 1, "Insufficient memory for GROUP BY");
    group_copy.append(group.view());
    std::size_t having_at = group_copy.view().find(" HAVING ");
    Sink having;
    if (having_at != std::string_view::npos) {
        having = Sink::obtain(2 * (group_copy.size() - having_at) + 1, "Insufficient memory for HAVING");
        having.append(group_copy.view().substr(having_at));
    }
    const std::string_view grouping = group_copy.view().substr(0, having_at);  // never the HAVING part

    group.set_message("Insufficient memory for GROUP BY");
    group.clear();
    group.append("GROUP BY ");
    bool first_entry = true;

    const std::string_view list = select.view();
    Sink rebuilt = Sink::grown(list.size() + 64, "Insufficient memory for SELECT MAX()");
    std::size_t at = list.size() < 7 ? list.size() : 7;
    rebuilt.append(list.substr(0, at));
    for (int number = 1;; ++number) {
        std::size_t start = at;
        if (number == 1) {
            skip(list, at, "DISTINCT ");
            skip(list, at, "ALL ");
            if (skip(list, at, "TOP ")) {
                while (at < list.size() && list[at] >= '0' && list[at] <= '9') ++at;
            }
        }
        while (at < list.size() && (list[at] == ' ' || list[at] == '\t')) ++at;
        rebuilt.append(list.substr(start, at - start));
        std::size_t end = Pass::item_end(list, at);
        const bool last = end == std::string_view::npos;
        std::string_view raw = list.substr(at, (last ? list.size() : end) - at);
        std::string_view item = raw;
        while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);

        std::string_view expr = item, alias;
        std::size_t as = item.find(" AS ", Pass::last_close(item));
        if (as != std::string_view::npos) {
            alias = item.substr(as + 4);
            expr = item.substr(0, as);
        }
        std::string number_text = std::to_string(number);
        bool grouped = (!alias.empty() && pass.find_word(grouping, alias) != std::string_view::npos) ||
                       pass.find_word(grouping, expr) != std::string_view::npos ||
                       pass.find_word(grouping, number_text) != std::string_view::npos;
        if (!alias.empty() && having) pass.replace_alias(having, alias, expr);

        bool unchanged = pass.aggregate(expr) || expr.find(".*") != std::string_view::npos || expr == "*" ||
                         !pass.names_column(expr);
        if (unchanged || grouped) {
            if (!unchanged) {
                group.reserve(expr.size() + 2);
                if (!first_entry) group.push(',');
                group.append(expr);
                first_entry = false;
            }
            rebuilt.append(raw);
        } else if (!alias.empty()) {
            rebuilt.append("MAX(");
            rebuilt.append(expr);
            rebuilt.push(')');
            rebuilt.append(raw.substr(as));
        } else {
            std::string_view name = pass.trailing_name(expr);
            std::string_view inside = raw;
            if (last && !inside.empty() && inside.back() == ' ') inside.remove_suffix(1);  // over the closing blank
            rebuilt.append("MAX(");
            rebuilt.append(inside);
            rebuilt.push(')');
            if (!name.empty()) {
                rebuilt.append(" AS ");
                rebuilt.append(name);
            }
        }
        if (last) break;
        rebuilt.push(',');
        at = end + 1;
    }
    select = std::move(rebuilt);
    select.set_message("Insufficient memory for clause");
    if (having) {
        group.reserve(having.size() + 2);
        group.append(having.view());
    }
}

}  // namespace tarnvel::select
