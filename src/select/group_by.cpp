#include "select/group_by.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/keywords.h"
#include "lex/scan.h"
#include "select/group_by_subquery.h"
#include "select/having_keys.h"
#include "select/host_variables.h"
#include "select/literals.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool all_digits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!lex::is_digit(c)) return false;
    }
    return true;
}

using lex::trimmed;

// One item of the field list.
struct Item {
    std::size_t start = 0;       // where it begins in the list (after the blanks before it)
    std::string_view raw;        // up to its ending comma, or to the end of the list
    std::string_view expr;       // without the alias and trailing blanks
    std::string_view alias;      // empty when none
    std::size_t alias_at = npos; // in raw: " AS ", or the blank before an alias written without AS
    bool last = false;
};

struct Pass {
    const lex::Alphabet &letters;
    const Dialect &dialect;
    lex::LiteralRules rules;  // the quoted runs of the converted clauses

    bool ident(char c) const { return lex::is_name_char(letters, c); }

    // Every occurrence of w that is a whole word (never at the very start of the text), in a quoted
    // name ("USER") too but not in a quoted text: a literal or a subquery's placeholder ('S$U$B$Q...')
    // holds no name.
    std::size_t find_word(std::string_view text, std::string_view w, std::size_t from = 0) const {
        if (w.empty()) return std::string_view::npos;
        for (std::size_t at = text.find(w, from); at != std::string_view::npos; at = text.find(w, at + 1)) {
            if (at == 0 || ident(text[at - 1])) continue;
            std::size_t end = at + w.size();
            if (end < text.size() && ident(text[end])) continue;
            if (in_quoted_text(text, at)) continue;
            return at;
        }
        return std::string_view::npos;
    }

    // Whether 'at' lies inside a run of the text that a single quote opens.
    bool in_quoted_text(std::string_view text, std::size_t at) const {
        if (text.find('\'') == std::string_view::npos) return false;
        for (lex::Cursor cursor(text, 0, rules, lex::Levels::ignored); cursor.at() < at;) {
            const std::size_t start = cursor.at();
            cursor.step();
            if (cursor.at() > at) return text[start] == '\'';
        }
        return false;
    }

    // The first occurrence of 'what' from 'from' outside quoted runs.
    std::size_t find_outside(std::string_view text, std::string_view what, std::size_t from = 0) const {
        if (text.find(what, from) == npos) return npos;  // most searches: not in the text at all
        return lex::Cursor(text, from, rules, lex::Levels::ignored).find(what);
    }

    // The end of the entry or item that starts at 'from': the first comma outside quoted runs and
    // parentheses, or npos.
    std::size_t comma_after(std::string_view text, std::size_t from) const { return lex::find_at_level(text, from, ",", rules); }

    // Calls 'each(k, from, to)' for the k-th comma-separated entry of text[from, end).
    template <typename Each>
    void for_each_entry(std::string_view text, std::size_t from, Each each) const {
        for (std::size_t k = 0; from < text.size(); ++k) {
            std::size_t end = comma_after(text, from);
            each(k, from, end == npos ? text.size() : end);
            if (end == npos) return;
            from = end + 1;
        }
    }

    // The comma that ends the item starting at 'at' (outside quoted runs and parentheses), or npos;
    // in 'last' the index in the item of the last ")" that closed a group opened in it (0 when none).
    // One walk finds both.
    std::size_t item_end(std::string_view list, std::size_t at, std::size_t &last) const {
        last = 0;
        for (lex::Cursor cursor(list, at, rules); !cursor.done();) {
            const std::size_t i = cursor.at();
            if (list[i] == ',' && cursor.depth() <= 0) return i;
            if (cursor.step() && list[i] == ')' && cursor.depth() == 0) last = i - at;
        }
        return npos;
    }

    bool keyword(std::string_view word) const { return dialect.group_by_lexicon.find_upper(word, letters) != nullptr; }

    // A keyword at the end of an item, at 'start', names the item where it stands one blank behind a
    // name that is no keyword or behind a closing parenthesis (o.status key, YEAR(d) year): nothing
    // else can follow an operand there but the END of a CASE. Behind a literal or another keyword it
    // ends the expression (INTERVAL '1' DAY, x IS NULL, DISTINCT year).
    bool keyword_alias(std::string_view item, std::size_t start) const {
        if (start < 2 || item[start - 1] != ' ' || letters.is_upper_word(item.substr(start), "END")) return false;
        const std::size_t before = start - 2;
        if (item[before] == ')') return true;
        if (!ident(item[before]) || lex::is_digit(item[before])) return false;
        std::size_t word = before + 1;
        while (word > 0 && ident(item[word - 1])) --word;
        return member(item, word) || !keyword(item.substr(word, before + 1 - word));
    }

    // The word at 'word' is the member of a qualified name (t.key, o.order): a name, no keyword.
    static bool member(std::string_view item, std::size_t word) { return word > 0 && item[word - 1] == '.'; }

    // The blank before an alias written without AS ("0000 t_week", "a.name nm"): a name, or a quoted
    // name, at the end of the item after one blank, behind the end of an operand; neither the name
    // nor the word before the blank is a keyword (x IS NULL, CASE ... END). npos when there is none.
    std::size_t bare_alias(std::string_view item) const {
        std::size_t start = item.size();
        char last = item.empty() ? '\0' : item.back();
        if (last != '\0' && (last == dialect.quote_close || last == '"' || last == '`')) {
            char open = last == ']' ? '[' : last;
            std::size_t opening = item.size() < 2 ? npos : item.rfind(open, item.size() - 2);
            if (opening == npos) return npos;
            start = opening;
        } else {
            while (start > 0 && ident(item[start - 1])) --start;
            if (start == item.size() || lex::is_digit(item[start])) return npos;
            if (keyword(item.substr(start)) && !keyword_alias(item, start)) return npos;
        }
        if (start < 2 || item[start - 1] != ' ') return npos;
        std::size_t before = start - 2;  // the end of the expression
        char c = item[before];
        if (ident(c)) {
            std::size_t word = before + 1;
            while (word > 0 && ident(item[word - 1])) --word;
            std::string_view last_word = item.substr(word, before + 1 - word);
            bool closes = last_word == "END" || last_word == "NULL";  // CASE ... END, NULL: values
            return keyword(last_word) && !closes && !member(item, word) ? npos : start - 1;
        }
        return c == ')' || c == '\'' || c == '"' || c == '}' || c == dialect.quote_close ? start - 1 : npos;
    }

    // The AS before an alias, from 'from': where its blank is (" AS b"), or the AS itself when it
    // stands right after a parenthesis or a quote (")AS b"); npos when there is none.
    std::size_t alias_keyword(std::string_view text, std::size_t from) const {
        for (std::size_t at = find_outside(text, "AS ", from); at != npos; at = find_outside(text, "AS ", at + 1)) {
            if (at == 0) continue;
            char before = text[at - 1];
            if (before == ' ') return at - 1;
            if (before == ')' || before == '\'' || before == '"' || before == dialect.quote_close) return at;
        }
        return npos;
    }

    // The item that starts at 'at' in the list (blanks before it skipped), with its alias.
    Item item_at(std::string_view list, std::size_t at) const {
        Item item;
        while (at < list.size() && lex::is_blank(list[at])) ++at;
        item.start = at;
        std::size_t last_close = 0;
        std::size_t end = item_end(list, at, last_close);
        item.last = end == npos;
        item.raw = list.substr(at, (item.last ? list.size() : end) - at);
        std::string_view text = item.raw;
        while (!text.empty() && lex::is_blank(text.back())) text.remove_suffix(1);
        item.expr = text;
        std::size_t as = alias_keyword(text, last_close);
        std::size_t name_at = as == npos ? npos : text.find("AS ", as) + 3;
        if (as == npos) {
            as = bare_alias(text);
            name_at = as == npos ? npos : as + 1;
        }
        if (as != npos) {
            item.alias = text.substr(name_at);
            item.expr = text.substr(0, as);
            item.alias_at = as;
        }
        return item;
    }

    // The expression calls an aggregate (SUM(x), ROUND(SUM(x), 2)): it is neither grouped nor wrapped.
    bool aggregate(std::string_view expr) const {
        // FoxPro's and the servers' own aggregates (an item of plain SQL may hold those too)
        static constexpr std::string_view names[] = {
            "AVG", "COUNT", "MAX", "MIN", "SUM", "IDENTITY", "COUNT_BIG", "STDEV", "STDEVP", "VAR", "VARP",
            "STRING_AGG", "CHECKSUM_AGG", "STDDEV", "VARIANCE", "LISTAGG", "MEDIAN", "GROUP_CONCAT", "STD",
            "STDDEV_POP", "STDDEV_SAMP", "VAR_POP", "VAR_SAMP", "BIT_AND", "BIT_OR", "BIT_XOR", "ARRAY_AGG",
            "BOOL_AND", "BOOL_OR", "EVERY", "FIRST", "LAST"};
        for (lex::Cursor cursor(expr, 0, rules, lex::Levels::ignored); !cursor.done();) {
            std::size_t i = cursor.at();
            if (!letters.letter(expr[i]) || (i > 0 && ident(expr[i - 1]))) {
                cursor.step();
                continue;
            }
            const std::size_t word = i;
            while (i < expr.size() && ident(expr[i])) ++i;
            cursor.skip_to(i + 1);  // the character after the word is passed unread
            std::string_view name = expr.substr(word, i - word);
            std::string_view rest = expr.substr(i);
            if (!rest.starts_with("(") && !rest.starts_with(" (")) continue;
            for (std::string_view aggregate : names) {
                if (name.size() != aggregate.size()) continue;
                bool same = true;
                for (std::size_t k = 0; k < name.size() && same; ++k) same = letters.upper(name[k]) == aggregate[k];
                if (same) return true;
            }
        }
        return false;
    }

    // The word is enclosed in identifier quotes ([KEY], "USER", `KEY`).
    bool quoted_word(std::string_view item, std::size_t start, std::size_t end) const {
        if (start == 0 || end >= item.size()) return false;
        const char open = item[start - 1], close = item[end];
        return (open == dialect.quote_open && close == dialect.quote_close) || (open == '"' && close == '"') ||
               (open == '`' && close == '`');
    }

    // A reserved word that the converter left as a name: enclosed in identifier quotes ([KEY],
    // "USER", `KEY`), or bare and alone in the item (KEY where the target does not reserve it),
    // unless it is one of the words that give a value by themselves (NULL, CURRENT_DATE).
    bool reserved_name(std::string_view item, std::size_t start, std::size_t end) const {
        if (start > 0 && end < item.size()) return quoted_word(item, start, end);
        if (start != 0 || end != item.size()) return false;
        static constexpr std::string_view values[] = {"NULL", "TRUE", "FALSE", "CURRENT_DATE", "CURRENT_TIME",
                                                      "CURRENT_TIMESTAMP", "CURRENT_USER", "SESSION_USER",
                                                      "SYSTEM_USER", "LOCALTIMESTAMP", "SYSDATE", "SYSTIMESTAMP"};
        const std::string_view word = item.substr(start, end - start);
        for (std::string_view value : values) {
            if (letters.is_upper_word(word, value)) return false;
        }
        return true;
    }

    // A word the dialect reads as a value (PostgreSQL's TRUE, FALSE, CURRENT_DATE).
    bool value_word(std::string_view word) const {
        const RowSet *rows = dialect.lexicon.find(word);
        if (rows == nullptr) return false;
        for (std::size_t k = 0; k < rows->count; ++k) {
            if (dialect.chain[rows->rows[k]].row == Row::value_word) return true;
        }
        return false;
    }

    // True when a word of the item names a column. 'strings': words inside '...' count too.
    bool names_column(std::string_view item, bool strings = true) const {
        lex::Cursor cursor(item, 0, strings ? lex::no_quoted_runs : lex::single_quotes_only, lex::Levels::ignored);
        while (!cursor.done()) {
            std::size_t i = cursor.at();
            if (!letters.letter(item[i]) && item[i] != '_') {
                cursor.step();
                continue;
            }
            const std::size_t start = i;
            while (i < item.size() && ident(item[i])) ++i;
            cursor.skip_to(i);
            std::string_view word = item.substr(start, i - start);
            if (lex::followed_by_open_paren(item, static_cast<lex::Pos>(i))) continue;
            if (dialect.group_by_lexicon.find(word) && !reserved_name(item, start, i)) continue;
            // TRUE, CURRENT_DATE where the dialect reads them as values ("TRUE" names a column)
            if (value_word(word) && !quoted_word(item, start, i)) continue;
            if (word.size() == 3 && start >= 11) {
                std::string_view cast = item.substr(start - 11, 14);
                if (cast == "CAST (0 AS BIT" || cast == "CAST (1 AS BIT") continue;
            }
            return true;
        }
        return false;
    }

    // The trailing run of identifier characters and identifier quotes: t.price gives price; none
    // when the run is no name.
    std::string_view trailing_name(std::string_view expr) const {
        std::size_t start = expr.size();
        while (start > 0) {
            char c = expr[start - 1];
            if (!ident(c) && c != dialect.quote_open && c != dialect.quote_close) break;
            --start;
        }
        // a number or a keyword ending the expression (b - 1, CASE ... END) names no column
        std::string_view name = expr.substr(start);
        if (name.empty() || lex::is_digit(name[0]) || keyword(name)) return {};
        return name;
    }

    // A name alone (t.x, `x`), which HAVING reads as the grouped column it is.
    bool plain_name(std::string_view expr) const {
        return !expr.empty() && std::all_of(expr.begin(), expr.end(), [&](char c) {
            return ident(c) || c == '.' || c == dialect.quote_open || c == dialect.quote_close;
        });
    }

    // Every whole-word occurrence of the alias in HAVING becomes the expression.
    // Every whole-word occurrence of 'word' in the text gives way to 'before' + 'replacement' +
    // 'after'; one after a qualifier's "." stays where 'qualified_too' is false.
    // One inside an aggregate's argument stays where 'aggregate_item' (an item's expression) calls
    // an aggregate itself, and gets 'replacement' alone where 'bare_in_aggregates' is set; one
    // before "(" is a function's name.
    void replace_word(Text &text, std::string_view word, std::string_view before, std::string_view replacement,
                      std::string_view after, bool qualified_too, std::string_view message,
                      std::string_view aggregate_item = {}, bool bare_in_aggregates = false) const {
        const std::string_view view = text.view();
        auto kept = [&](std::size_t at) {
            if (!qualified_too && view[at - 1] == '.') return true;
            if (lex::followed_by_open_paren(view, static_cast<lex::Pos>(at + word.size()))) return true;  // a call: COUNT(*)
            return !aggregate_item.empty() && view.rfind('(', at) != npos && aggregate(aggregate_item) &&
                   in_aggregate_call(view, at);
        };
        auto next = [&](std::size_t from) {
            std::size_t at = find_word(view, word, from);
            while (at != std::string_view::npos && kept(at)) at = find_word(view, word, at + 1);
            return at;
        };
        std::size_t at = next(0);
        if (at == std::string_view::npos) return;
        Text rebuilt = Text::grown(view.size() + before.size() + replacement.size() + after.size() + 2, message);
        std::size_t done = 0;
        for (; at != std::string_view::npos; at = next(done)) {
            const bool bare = bare_in_aggregates && view.rfind('(', at) != npos && in_aggregate_call(view, at);
            rebuilt.append(view.substr(done, at - done));
            rebuilt.append(bare ? std::string_view{} : before);
            rebuilt.append(replacement);
            rebuilt.append(bare ? std::string_view{} : after);
            done = at + word.size();
        }
        rebuilt.append(view.substr(done));
        text = std::move(rebuilt);
    }

    // Whether the text, which ends in "(", ends in an aggregate call's name and its "(" (SUM(, MAX ().
    bool opens_aggregate(std::string_view text) const {
        std::size_t word = text.size() - 1;
        if (word > 0 && text[word - 1] == ' ') --word;
        while (word > 0 && ident(text[word - 1])) --word;
        return aggregate(text.substr(word));
    }

    // Whether 'at' lies inside the parentheses of an aggregate call (SUM(x)) of the text.
    bool in_aggregate_call(std::string_view text, std::size_t at) const {
        long call_depth = 0;  // the depth inside the outermost aggregate call open here, 0 when none
        for (lex::Cursor cursor(text, 0, rules); cursor.at() < at;) {
            const std::size_t i = cursor.at();
            if (!cursor.step()) continue;
            if (text[i] == ')' && cursor.depth() < call_depth) call_depth = 0;
            if (text[i] != '(' || call_depth != 0) continue;
            if (opens_aggregate(text.substr(0, i + 1))) call_depth = cursor.depth();
        }
        return call_depth != 0;
    }

    // An alias in HAVING stands for its expression. A qualified name (o.total) is a column, and so
    // is the alias of an aggregate inside an aggregate's argument (SUM(total) AS total ... HAVING
    // SUM(total) > 0), as nesting takes none.
    void replace_alias(Text &having, std::string_view alias, std::string_view expr) const {
        replace_word(having, alias, {}, expr, {}, false, "Insufficient memory for HAVING", expr);
    }

    // The alias of an item wrapped in MAX() stands in HAVING for the same MAX(): the bare column is
    // neither grouped nor aggregated there, which every server refuses. Inside an aggregate's
    // argument (SUM(n)) it is the expression alone, as nesting takes none.
    void replace_wrapped_alias(Text &having, std::string_view alias, std::string_view expr) const {
        replace_word(having, alias, "MAX(", expr, ")", false, "Insufficient memory for HAVING", {}, true);
    }

    // ORDER BY naming a column that the field list now shows only in MAX(): the same MAX(), which
    // the targets take where they refuse the bare column (a name that is also the item's own alias
    // is read as the item and needs none).
    void order_by_max(Text &order, std::string_view expr) const {
        replace_word(order, expr, "MAX(", expr, ")", false, "Insufficient memory for ORDER BY");
    }

    // Where the first item starts: after "SELECT " and the first item's DISTINCT, ALL and TOP n [PERCENT].
    static std::size_t first_item(std::string_view list) {
        std::size_t at = list.size() < 7 ? list.size() : 7;
        for (std::string_view prefix : {"DISTINCT ", "ALL "}) {
            if (list.substr(at).starts_with(prefix)) at += prefix.size();
        }
        if (list.substr(at).starts_with("TOP ")) {
            at += 4;
            while (at < list.size() && lex::is_digit(list[at])) ++at;
            if (list.substr(at).starts_with(" PERCENT ")) at += 8;
        }
        return at;
    }

    bool any_aggregate(std::string_view list) const {
        for (std::size_t at = first_item(list);;) {
            Item item = item_at(list, at);
            if (aggregate(item.expr)) return true;
            if (item.last) return false;
            at = item.start + item.raw.size() + 1;
        }
    }
};

// The group clause as the clause converter left it, in its parts: "GROUP BY" and its entries, an
// INTO destination written after them (FoxPro's INTO CURSOR, kept for the caller), the HAVING part.
struct Parts {
    std::string_view grouping;     // empty when HAVING stands without GROUP BY
    std::string_view entries;      // the entries after "GROUP BY "
    std::string_view destination;  // from the blank before INTO
    std::string_view having;       // from the blank before HAVING, or from HAVING at the start
};

// The first " HAVING" outside quoted runs that no name character follows.
std::size_t having_keyword(const Pass &pass, std::string_view text) {
    constexpr std::string_view keyword = " HAVING";
    for (std::size_t at = pass.find_outside(text, keyword); at != npos; at = pass.find_outside(text, keyword, at + 1)) {
        std::size_t end = at + keyword.size();
        if (end >= text.size() || !pass.ident(text[end])) return at;
    }
    return npos;
}

// Where an INTO destination begins in the text (its blank before INTO, quoted or not), or npos.
std::size_t into_at(const Pass &pass, std::string_view text) {
    std::size_t into = pass.find_outside(text, " INTO ");
    const char quoted_into[] = {' ', pass.dialect.quote_open, 'I', 'N', 'T', 'O', pass.dialect.quote_close, ' '};
    std::size_t quoted = pass.find_outside(text, std::string_view(quoted_into, sizeof quoted_into));
    return quoted < into ? quoted : into;
}

Parts parts_of(const Pass &pass, std::string_view text) {
    Parts parts;
    std::size_t having_at = text.starts_with("HAVING") ? 0 : having_keyword(pass, text);
    std::string_view head = text.substr(0, having_at);
    if (having_at != npos) parts.having = text.substr(having_at);
    std::size_t into = into_at(pass, head);
    if (into != npos) parts.destination = head.substr(into);
    parts.grouping = head.substr(0, into);
    parts.entries = parts.grouping.substr(parts.grouping.size() < 9 ? parts.grouping.size() : 9);
    return parts;
}

// HAVING without GROUP BY and without an aggregate in the field list filters rows, as WHERE does:
// the condition, its aliases replaced, joins the WHERE clause.
void having_as_filter(const Pass &pass, Clauses &clauses, Text &having, std::string_view list) {
    for (std::size_t at = Pass::first_item(list);;) {
        Item item = pass.item_at(list, at);
        if (!item.alias.empty()) pass.replace_alias(having, item.alias, item.expr);
        if (item.last) break;
        at = item.start + item.raw.size() + 1;
    }
    std::string_view condition = trimmed(trimmed(having.view()).substr(6));
    Text &where = clauses.where();
    Text merged = Text::grown(where.size() + condition.size() + 16, "Insufficient memory for WHERE");
    merged.append("WHERE ");
    if (where) {
        merged.push('(');
        merged.append(trimmed(where.view().substr(where.size() < 5 ? where.size() : 5)));
        merged.append(") AND (");
        merged.append(condition);
        merged.push(')');
    } else {
        merged.append(condition);
    }
    where = std::move(merged);
}

// HAVING without GROUP BY and without an aggregate in the field list: the condition joins WHERE,
// and an INTO written after HAVING (no part of the condition) stays in the group clause alone.
void filter_rows(const Pass &pass, Clauses &clauses, const Parts &parts, Text &having, std::string_view list) {
    std::string_view destination = parts.destination;
    Text moved;
    std::size_t into = destination.empty() ? into_at(pass, having.view()) : npos;
    if (into != npos) {
        moved = Text::obtain(having.size() - into + 1, "Insufficient memory for GROUP BY");
        moved.append(having.view().substr(into));
        having.truncate(into);
        destination = moved.view();
    }
    having_as_filter(pass, clauses, having, list);
    clauses.group().append(trimmed(destination));
}

// The GROUP BY clause being rebuilt: the grouped items of the field list, then the entries that
// stand for no item of it (FoxPro groups by them too).
struct Grouping {
    const Pass &pass;
    std::string_view text;     // "GROUP BY" and its entries, as the converter left them
    std::size_t entries_from;  // where the entries begin in the text
    Text &group;
    Text used;                 // one flag per entry, '1' once an item was found in it
    bool none = true;          // no entry written yet
    Text *from = nullptr;      // FROM, where a grouped subquery item becomes a derived table's column
    Session *session = nullptr;
    int keys = 0;              // the columns so made

    // Each entry under the names an item may match it by: the entry itself and, for t.a, the a
    // after its qualifier. Sorted, so that an item finds its entries without walking them all.
    struct Key {
        std::string_view name;
        std::size_t entry;
        bool qualified;  // the name after the entry's qualifier
        bool operator<(const Key &other) const { return name < other.name; }
    };
    std::vector<Key> index;

    Grouping(const Pass &pass, const Parts &parts, Text &group)
        : pass(pass), text(parts.grouping), entries_from(text.size() - parts.entries.size()), group(group),
          used(Text::obtain(16, "Insufficient memory for GROUP BY")) {
        pass.for_each_entry(text, entries_from, [this](std::size_t k, std::size_t from, std::size_t to) {
            used.push('0');
            const std::string_view entry = trimmed(text.substr(from, to - from));
            if (entry.empty()) return;
            index.push_back({entry, k, false});
            std::size_t dot = 0;
            while (dot < entry.size() && this->pass.ident(entry[dot])) ++dot;
            if (dot > 0 && dot + 1 < entry.size() && entry[dot] == '.') index.push_back({entry.substr(dot + 1), k, true});
        });
        std::sort(index.begin(), index.end());
    }

    void add(std::string_view entry) {
        group.reserve(entry.size() + 2);
        if (!none) group.push(',');
        group.append(entry);
        none = false;
    }

    bool names(std::string_view word) const { return !word.empty() && pass.find_word(text, word) != npos; }

    // Whether the key stands in the text as a whole word outside a quoted text, as names() finds it.
    bool whole_word(std::string_view name) const {
        const std::size_t at = static_cast<std::size_t>(name.data() - text.data()), end = at + name.size();
        return name.front() != '\'' && at > 0 && !pass.ident(text[at - 1]) && (end == text.size() || !pass.ident(text[end]));
    }

    // Calls 'each(key)' for every entry that is the word w (qualified: t.w too, where 'qualified_too').
    template <typename Each>
    void entries_named(std::string_view w, bool qualified_too, Each each) const {
        if (w.empty()) return;
        auto key = std::lower_bound(index.begin(), index.end(), Key{w, 0, false});
        for (; key != index.end() && key->name == w; ++key) {
            if (!key->qualified || qualified_too) each(*key);
        }
    }

    // Whether an entry names the item (its alias, expression or position, or the expression
    // qualified: t.a for a); the entries that do are marked used. An entry that only holds one of
    // them among other text (UPPER(a), a + 1, a x) is an entry of its own, written as it stands.
    bool groups(const Item &item, std::string_view number) {
        bool found = false, named = false;
        auto look = [&](const Key &key) {
            found = true;
            named = named || whole_word(key.name);
        };
        entries_named(item.alias, true, look);
        entries_named(item.expr, true, look);
        entries_named(number, false, look);
        if (!found || (!named && !names(item.alias) && !names(item.expr) && !names(number))) return false;
        auto mark = [this](const Key &key) { used.set(key.entry, '1'); };
        entries_named(item.alias, true, mark);
        entries_named(item.expr, true, mark);
        entries_named(number, false, mark);
        return true;
    }

    void add_unused() {
        pass.for_each_entry(text, entries_from, [&](std::size_t k, std::size_t from, std::size_t to) {
            std::string_view entry = trimmed(text.substr(from, to - from));
            if (used[k] == '0' && !entry.empty() && !all_digits(entry)) add(entry);
        });
    }
};

// The expression is a subquery alone ((SELECT COUNT(*) FROM o WHERE o.c = t.c)), cut out behind its
// placeholder. Where the dialect takes no subquery inside MAX() (SQL Server) it stays as written,
// which the server takes when the subquery's outer names are grouped; the others take MAX() of it,
// whatever outer names it reads.
bool subquery(std::string_view expr) {
    while (!expr.empty() && expr.front() == '(' && expr.back() == ')') expr = trimmed(expr.substr(1, expr.size() - 2));
    return expr.starts_with("'S$U$B$Q") && expr.back() == '\'' && expr.find('\'', 1) == expr.size() - 1;
}

// An item neither grouped nor left as it stands: wrapped in MAX(), named by its alias or, without
// one, by its column.
void wrap_in_max(const Pass &pass, const Item &item, Text &rebuilt) {
    rebuilt.append("MAX(");
    if (!item.alias.empty()) {
        rebuilt.append(item.expr);
        rebuilt.push(')');
        rebuilt.append(item.raw.substr(item.alias_at));
        return;
    }
    std::string_view name = pass.trailing_name(item.expr);
    std::string_view inside = item.raw;
    if (item.last && !inside.empty() && inside.back() == ' ') inside.remove_suffix(1);  // over the closing blank
    rebuilt.append(inside);
    rebuilt.push(')');
    if (!name.empty()) {
        rebuilt.append(" AS ");
        rebuilt.append(name);
    }
}

// A grouped subquery item where the dialect takes no subquery in GROUP BY: a column of FROM made a
// derived table (select/group_by_subquery.h), named by the item, by GROUP BY and in HAVING.
bool grouped_subquery_column(const Pass &pass, const Item &item, Grouping &grouping, Text &having, Text &rebuilt) {
    if (!grouping.from || item.alias.empty() || item.alias_at == npos) return false;
    Session &session = *grouping.session;
    // the table inside the derived table gets the table hint, which the NOLOCK pass puts after tables only
    std::string_view hint;
    if (session.dialect.table_hint && session.nolock < 0) session.nolock = table_hint_switched_on() ? 1 : 0;
    if (session.dialect.table_hint && session.nolock) hint = " WITH (NOLOCK)";
    const std::string column = "GROUP_KEY" + std::to_string(grouping.keys + 1);
    const std::string key = subquery_key_in_from(pass.letters, pass.dialect, *grouping.from, item.expr,
                                                 column, hint);
    if (key.empty()) return false;
    ++grouping.keys;
    if (having) pass.replace_alias(having, item.alias, key);
    grouping.add(key);
    rebuilt.append(key);
    rebuilt.append(item.raw.substr(item.alias_at));
    return true;
}

// The item in the rebuilt field list: a grouped column goes into GROUP BY, an aggregate, a star, a
// constant stay as they are, any other column is wrapped in MAX(); its alias in HAVING becomes
// its expression.
void rebuild_item(const Pass &pass, const Item &item, int number, Grouping &grouping, Text &having, Text *order,
                  Text &rebuilt) {
    const std::string_view expr = item.expr;
    const bool grouped = grouping.groups(item, std::to_string(number));
    if (grouped && subquery(expr) && grouped_subquery_column(pass, item, grouping, having, rebuilt)) return;
    bool unchanged = pass.aggregate(expr) || expr.ends_with(".*") || expr == "*" ||
                     (!pass.dialect.aggregate_subquery && subquery(expr)) || !pass.names_column(expr);
    // A grouped constant ('abc') adds nothing to the grouping, and the targets refuse it there.
    if (grouped && !unchanged && !pass.names_column(expr, false)) unchanged = true;
    const bool wrapped = !unchanged && !grouped;
    // a grouped expression stays named by its alias where HAVING reads aliases (its columns are not grouped)
    const bool alias_kept = pass.dialect.having_reads_alias && grouped && !unchanged && !pass.plain_name(expr);
    if (!item.alias.empty() && having && !alias_kept) {
        if (wrapped) pass.replace_wrapped_alias(having, item.alias, expr);
        else pass.replace_alias(having, item.alias, expr);
    }
    if (wrapped) {
        if (order && expr != pass.trailing_name(item.alias.empty() ? expr : item.alias)) pass.order_by_max(*order, expr);
        return wrap_in_max(pass, item, rebuilt);
    }
    // A grouped subquery ((SELECT COUNT(*) FROM o WHERE o.c = t.c) AS n ... GROUP BY 1) differs from
    // row to row where it reads outer names: it stays in GROUP BY (a server that takes no subquery
    // there says so rather than give one row for all).
    if (grouped && subquery(expr)) unchanged = false;
    if (!unchanged) {
        if (pass.dialect.group_parameter_by_position && expr.find('?') != npos) grouping.add(std::to_string(number));
        else grouping.add(expr);
    }
    rebuilt.append(item.raw);
}

Text rebuilt_list(const Pass &pass, std::string_view list, Grouping &grouping, Text &having, Text *order) {
    Text rebuilt = Text::grown(list.size() + 64, "Insufficient memory for SELECT MAX()");
    std::size_t at = Pass::first_item(list);
    rebuilt.append(list.substr(0, at));
    for (int number = 1;; ++number) {
        Item item = pass.item_at(list, at);
        rebuilt.append(list.substr(at, item.start - at));
        rebuild_item(pass, item, number, grouping, having, order, rebuilt);
        if (item.last) return rebuilt;
        rebuilt.push(',');
        at = item.start + item.raw.size() + 1;
    }
}

// After the entries: the INTO destination and the HAVING part, trimmed where nothing precedes them.
void append_tail(Text &group, const Parts &parts, bool no_entry, const Text &having) {
    if (no_entry) group.clear();  // no entry: the destination or HAVING part stands alone
    if (!parts.destination.empty()) {
        std::string_view destination = no_entry ? trimmed(parts.destination) : parts.destination;
        group.reserve(destination.size() + 2);
        group.append(destination);
    }
    if (having) {
        std::string_view rest = group.empty() ? trimmed(having.view()) : having.view();
        group.reserve(rest.size() + 2);
        group.append(rest);
    }
}

// Where the first item's text begins (after its blanks).
std::size_t first_item_text(std::string_view list) {
    std::size_t first = Pass::first_item(list);
    while (first < list.size() && lex::is_blank(list[first])) ++first;
    return first;
}

// The whole word of 'size' bytes at 'at' stands after AS, or at the end of an item after a blank (an
// alias written without AS), but not in the first item's text, which begins at 'first'.
bool alias_at(std::string_view list, std::size_t first, std::size_t at, std::size_t size) {
    const std::size_t end = at + size;
    if (at <= first || list[at - 1] != ' ' || (end < list.size() && list[end] != ',' && !lex::is_blank(list[end]))) {
        return false;
    }
    const char before = list[at - 2];
    if (before != ',' && before != ' ') return true;        // x total, SUM(x) total
    return at >= 4 && list.substr(at - 4, 3) == "AS ";      // x AS total
}

// A quick look before the items are read: the name stands as alias_at says, outside quoted texts.
bool may_be_alias(const Pass &pass, std::string_view list, std::string_view name) {
    const std::size_t first = first_item_text(list);
    for (std::size_t at = pass.find_word(list, name); at != npos; at = pass.find_word(list, name, at + 1)) {
        if (alias_at(list, first, at, name.size())) return true;
    }
    return false;
}

// Where a FoxPro destination begins after ORDER BY's entries (its blank before INTO or TO, quoted
// or not), or npos.
std::size_t destination_at(const Pass &pass, std::string_view text) {
    if (text.find("TO") == npos) return npos;  // most ORDER BY clauses: neither INTO nor TO
    std::size_t at = into_at(pass, text);
    const char quoted_to[] = {' ', pass.dialect.quote_open, 'T', 'O', pass.dialect.quote_close, ' '};
    for (std::string_view to : {std::string_view(" TO "), std::string_view(quoted_to, sizeof quoted_to)}) {
        at = std::min(at, pass.find_outside(text, to));
    }
    return at;
}

// An item of the select list that has an alias of its own (not its expression), with its
// position and whether a * or t.* stands at or before it (whose columns are not counted).
struct AliasedItem {
    std::string_view alias, expr;
    int number = 0;
    bool star = false;
    bool operator<(const AliasedItem &other) const { return alias < other.alias; }
};

// The aliased items of a list, read once, found by alias.
struct AliasedItems {
    std::vector<AliasedItem> sorted;  // by alias, then by position
    std::string key;
    std::size_t first = 0;  // where the first item's text begins
    bool quotes = false;    // the list holds a quote: a name may lie in a quoted text

    // Whether the item's own alias is the entry as written and stands as may_be_alias looks for one:
    // then the list need not be searched for the entry.
    bool in_place(const Pass &pass, std::string_view list, const AliasedItem &item, std::string_view entry) const {
        const auto at = static_cast<std::size_t>(item.alias.data() - list.data());
        const std::size_t end = at + entry.size();
        if (quotes || item.alias != entry || at == 0 || pass.ident(list[at - 1]) || (end < list.size() && pass.ident(list[end])))
            return false;
        return alias_at(list, first, at, entry.size());
    }

    // The first item whose alias is the entry upper-cased as the clause scanner writes names (its
    // letters beyond ASCII too where the dialect upper-cases those), or null.
    const AliasedItem *named(std::string_view entry, const lex::Alphabet &letters, const Dialect &dialect) {
        key.assign(entry);
        if (dialect.upper_beyond_ascii) {
            letters.upper_in_place(key.data(), key.size());
        } else {
            for (char &c : key) c = letters.upper(c);
        }
        const auto found = std::lower_bound(sorted.begin(), sorted.end(), AliasedItem{key, {}});
        return found != sorted.end() && found->alias == key ? &*found : nullptr;
    }
};

// Calls 'each(item)' for the list's items that have an alias of their own, in order, until it returns
// true; whether one did.
template <typename Each>
bool each_aliased_item(const Pass &pass, std::string_view list, Each each) {
    bool star = false;
    for (std::size_t at = Pass::first_item(list), number = 1;; ++number) {
        const Item item = pass.item_at(list, at);
        star = star || item.expr == "*" || item.expr.ends_with(".*");
        if (!item.alias.empty() && item.expr != item.alias && each(AliasedItem{item.alias, item.expr, static_cast<int>(number), star}))
            return true;
        if (item.last) return false;
        at = item.start + item.raw.size() + 1;
    }
}

// The first item whose alias (not its expression) is the entry upper-cased, found by walking the
// list from its first item; false when none is.
bool walk_to_alias(const Pass &pass, std::string_view list, std::string_view entry, AliasedItem &found) {
    return each_aliased_item(pass, list, [&](const AliasedItem &item) {
        if (item.alias.size() != entry.size() || !pass.letters.is_upper_word(entry, item.alias)) return false;
        found = item;
        return true;
    });
}

AliasedItems aliased_items(const Pass &pass, std::string_view list) {
    AliasedItems out;
    out.first = first_item_text(list);
    out.quotes = list.find('\'') != npos;
    each_aliased_item(pass, list, [&](const AliasedItem &item) {
        out.sorted.push_back(item);
        return false;
    });
    std::stable_sort(out.sorted.begin(), out.sorted.end());
    return out;
}

// The entry without its ASC or DESC.
std::string_view without_direction(const lex::Alphabet &letters, std::string_view entry) {
    for (std::string_view direction : {" ASC", " DESC"}) {
        if (entry.size() > direction.size() && letters.is_upper_word(entry.substr(entry.size() - direction.size()), direction))
            entry = trimmed(entry.substr(0, entry.size() - direction.size()));
    }
    return entry;
}

// A qualified column name as the scanner writes one: name.name, nothing else.
bool qualified_name(const Pass &pass, std::string_view entry) {
    const std::size_t dot = entry.find('.');
    if (dot == npos || dot == 0 || dot + 1 == entry.size() || lex::is_digit(entry[0]) || lex::is_digit(entry[dot + 1]))
        return false;
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (i != dot && !pass.ident(entry[i])) return false;
    }
    return true;
}

// The position of the list's item whose expression is the entry, 0 when none is or a * or t.* stands
// before it (whose columns are not counted).
int item_position(const Pass &pass, std::string_view list, std::string_view entry) {
    for (std::size_t at = Pass::first_item(list), number = 1;; ++number) {
        const Item item = pass.item_at(list, at);
        if (item.expr == "*" || item.expr.ends_with(".*")) return 0;
        if (pass.letters.same_letters(item.expr, entry)) return static_cast<int>(number);
        if (item.last) return 0;
        at = item.start + item.raw.size() + 1;
    }
}

// ORDER BY written again with the entries 'replace' answers for (each entry without its ASC or DESC;
// an empty answer keeps the entry); untouched when it answers for none.
template <typename Replace>
void rewrite_order_entries(const Pass &pass, Text &order, Replace replace) {
    const std::string_view whole = order.view();
    const std::string_view entries = whole.substr(0, destination_at(pass, whole));  // INTO or TO after them
    Text rebuilt;
    std::size_t copied = 0;  // of the entries, up to where 'rebuilt' holds them
    pass.for_each_entry(entries, 9, [&](std::size_t, std::size_t from, std::size_t to) {
        const std::string_view entry = without_direction(pass.letters, trimmed(entries.substr(from, to - from)));
        const std::string replacement = replace(entry);
        if (replacement.empty()) return;
        if (!rebuilt) rebuilt = Text::grown(whole.size() + 8, "Insufficient memory for ORDER BY");
        const std::size_t entry_at = static_cast<std::size_t>(entry.data() - entries.data());
        rebuilt.append(entries.substr(copied, entry_at - copied));
        rebuilt.append(replacement);
        copied = entry_at + entry.size();
    });
    if (!rebuilt) return;
    rebuilt.append(whole.substr(copied));
    order = std::move(rebuilt);
}

// The name a column of the result takes from the item: its alias, else the field's own name (A.CITY:
// CITY); empty for any other expression.
std::string_view column_name(const Pass &pass, const Item &item) {
    if (!item.alias.empty()) return item.alias;
    const std::string_view name = item.expr.substr(item.expr.rfind('.') + 1);  // npos + 1: the whole
    if (name.empty() || lex::is_digit(name[0])) return {};
    for (const char c : name) {
        if (!pass.ident(c)) return {};
    }
    return name;
}

// The position of the first item whose column is named 'entry' where a later item's column has the
// same name and another expression (MAX(CITY) AS CITY, ..., CITY), 0 when no two items share it or a
// * or t.* stands before them (whose columns are not counted).
int first_twin(const Pass &pass, std::string_view list, std::string_view entry) {
    int first = 0;
    std::string_view first_expr;
    for (std::size_t at = Pass::first_item(list), number = 1;; ++number) {
        const Item item = pass.item_at(list, at);
        if (item.expr == "*" || item.expr.ends_with(".*")) return 0;
        if (pass.letters.same_letters(column_name(pass, item), entry)) {
            if (first == 0) first = static_cast<int>(number), first_expr = item.expr;
            else if (!pass.letters.same_letters(item.expr, first_expr)) return first;
        }
        if (item.last) return 0;
        at = item.start + item.raw.size() + 1;
    }
}

}  // namespace

void order_twins_pass(Session &session, Clauses &clauses) {
    Text &order = clauses.order();
    const Text &select = clauses.select();
    if (!order || !select || !order.view().starts_with("ORDER BY ")) return;
    const Pass pass{session.letters, session.dialect, clause_literals(session.dialect)};
    rewrite_order_entries(pass, order, [&](std::string_view entry) {
        if (entry.empty() || entry.find('.') != npos || lex::is_digit(entry[0])) return std::string();
        const std::size_t once = select.view().find(entry);  // most names stand once in the list
        if (once == npos || select.view().find(entry, once + entry.size()) == npos) return std::string();
        const int number = first_twin(pass, select.view(), entry);
        return number == 0 ? std::string() : std::to_string(number);
    });
}

void union_order_pass(Session &session, Clauses &clauses, std::string_view first_list) {
    Text &order = clauses.order();
    const Text &select = clauses.select();
    if (!order || !select || !order.view().starts_with("ORDER BY ") || order.view().find('.') == npos) return;
    const Pass pass{session.letters, session.dialect, clause_literals(session.dialect)};
    rewrite_order_entries(pass, order, [&](std::string_view entry) {
        if (!qualified_name(pass, entry)) return std::string();
        int number = item_position(pass, select.view(), entry);
        if (number == 0 && !first_list.empty()) number = item_position(pass, first_list, entry);
        return number == 0 ? std::string() : std::to_string(number);
    });
}

void order_alias_pass(Session &session, Clauses &clauses) {
    Text &order = clauses.order();
    const Text &select = clauses.select();
    if (!order || !select || !order.view().starts_with("ORDER BY ")) return;
    const Pass pass{session.letters, session.dialect, clause_literals(session.dialect)};
    const std::string_view list = select.view();
    std::optional<AliasedItems> items;  // read when more than a few entries ask
    int asked = 0;
    rewrite_order_entries(pass, order, [&](std::string_view entry) {
        if (entry.empty() || all_digits(entry)) return std::string();
        AliasedItem item;
        if (++asked <= 8) {  // a few entries: the list is walked for each
            if (!may_be_alias(pass, list, entry) || !walk_to_alias(pass, list, entry, item)) return std::string();
        } else {
            if (!items) items = aliased_items(pass, list);
            const AliasedItem *found = items->named(entry, session.letters, session.dialect);
            if (found == nullptr || !(items->in_place(pass, list, *found, entry) || may_be_alias(pass, list, entry)))
                return std::string();
            item = *found;
        }
        // after * or t.*, whose columns are not counted: the expression itself
        return item.star ? std::string(item.expr) : std::to_string(item.number);
    });
}

void group_by_pass(Session &session, Clauses &clauses) {
    Pass pass{session.letters, session.dialect, clause_literals(session.dialect)};
    Text &group = clauses.group();
    Text &select = clauses.select();

    Text group_copy = Text::obtain(group.size() + 1, "Insufficient memory for GROUP BY");
    group_copy.append(group.view());
    const Parts parts = parts_of(pass, group_copy.view());  // grouping: never the destination or HAVING
    Text having;
    if (!parts.having.empty()) {
        having = Text::obtain(2 * parts.having.size() + 1, "Insufficient memory for HAVING");
        having.append(parts.having);
    }
    const std::string_view list = select.view();

    group.set_message("Insufficient memory for GROUP BY");
    group.clear();
    // A HAVING that calls an aggregate itself stays HAVING: every server refuses an aggregate in WHERE.
    if (parts.grouping.empty() && having && !pass.any_aggregate(list) && !pass.aggregate(having.view()))
        return filter_rows(pass, clauses, parts, having, list);
    group.append("GROUP BY ");
    Grouping grouping(pass, parts, group);
    if (!session.dialect.group_subquery && clauses.from()) {
        grouping.from = &clauses.from();
        grouping.session = &session;
    }
    Text *order = clauses.order() && !clauses.order().empty() ? &clauses.order() : nullptr;
    Text rebuilt = rebuilt_list(pass, list, grouping, having, order);
    grouping.add_unused();
    select = std::move(rebuilt);
    select.set_message("Insufficient memory for clause");
    if (having && session.dialect.having_keys_by_name && !grouping.none) {
        wrap_shared_group_keys(session.letters, pass.rules, group.view().substr(9), having,
                               [&](std::string_view text) { return pass.opens_aggregate(text); });
    }
    append_tail(group, parts, grouping.none, having);
}

}  // namespace tarnvel::select
