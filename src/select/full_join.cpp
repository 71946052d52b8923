#include "select/full_join.h"

#include "select/full_join_derived.h"
#include "lex/classes.h"
#include "lex/scan.h"
#include "select/join_nesting.h"
#include "select/literals.h"

#include <string>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

using lex::trimmed;

bool same_text(std::string_view a, std::string_view b, const lex::Alphabet &letters) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (letters.upper(a[i]) != letters.upper(b[i])) return false;
    }
    return true;
}

// The items of a comma list at parenthesis depth zero, trimmed.
std::vector<std::string_view> list_items(std::string_view list, const lex::LiteralRules &rules) {
    std::vector<std::string_view> items;
    std::size_t from = 0;
    for (;;) {
        std::size_t comma = lex::find_at_level(list, from, ",", rules);
        items.push_back(trimmed(list.substr(from, comma == npos ? npos : comma - from)));
        if (comma == npos) return items;
        from = comma + 1;
    }
}

// The first of the words at depth zero from 'from'.
std::size_t first_of(std::string_view text, std::size_t from, std::initializer_list<std::string_view> words,
                     const lex::LiteralRules &rules) {
    std::size_t first = npos;
    for (std::string_view w : words) first = std::min(first, lex::find_at_level(text, from, w, rules));
    return first;
}

// ORDER BY of the union: every item as a position in the field list or as a name its result has
// (an unqualified name); false when an item is neither.
bool union_order(std::string_view order, std::string_view fields, const lex::Alphabet &letters,
                 const lex::LiteralRules &rules, std::string &out) {
    std::string_view limit;
    std::size_t at = lex::find_at_level(order, 0, " LIMIT ", rules);
    if (at != npos) {
        limit = order.substr(at);
        order = order.substr(0, at);
    }
    const std::vector<std::string_view> columns = list_items(fields, rules);
    out = "ORDER BY ";
    bool first = true;
    for (std::string_view item : list_items(order.substr(9), rules)) {
        std::string_view direction;
        for (std::string_view d : {" ASC", " DESC"}) {
            if (item.size() > d.size() && same_text(item.substr(item.size() - d.size()), d, letters)) {
                direction = item.substr(item.size() - d.size());
                item = trimmed(item.substr(0, item.size() - d.size()));
            }
        }
        std::string written;
        for (std::size_t i = 0; i < columns.size() && written.empty(); ++i) {
            std::string_view column = columns[i];
            std::size_t as = lex::find_at_level(column, 0, " AS ", rules);
            std::string_view alias = as == npos ? std::string_view{} : trimmed(column.substr(as + 4));
            std::string_view expr = as == npos ? column : trimmed(column.substr(0, as));
            if (same_text(item, expr, letters) || same_text(item, alias, letters)) written = std::to_string(i + 1);
        }
        if (written.empty() && item.find_first_of("()'") == npos) {
            // a name of the result: unqualified, or a column of a table whose q.* the list holds
            const std::size_t dot = item.rfind('.');
            const std::string_view star = dot == npos ? std::string_view{} : item.substr(0, dot + 1);
            bool starred = false;
            for (std::string_view column : columns) {
                starred = starred || (column.size() == star.size() + 1 && column.back() == '*' &&
                                      same_text(column.substr(0, star.size()), star, letters));
            }
            if (dot == npos || starred) written = item.substr(dot == npos ? 0 : dot + 1);
        }
        if (written.empty()) return false;
        if (!first) out += ", ";
        first = false;
        out += written;
        out += direction;
    }
    out += limit;
    return true;
}

Text sink_of(std::string_view text) {
    Text sink = Text::obtain(text.size() + 1, "Insufficient memory for FULL JOIN");
    sink.append(text);
    return sink;
}

// A FULL [OUTER] JOIN in FROM, in its parts.
struct FullJoin {
    std::string_view listed;     // the tables listed before it with commas, commas included
    std::string_view left;       // the table it binds on its left
    std::string_view rest;       // from the table on its right to the end of FROM
    std::string_view condition;  // of its ON
};

// The one FULL JOIN of FROM, after tables joined without commas; false when there is none such.
// 'full_word': FULL as written, or quoted as a name where the dialect reads it so.
bool full_join_of(std::string_view from, std::string_view full_word, const lex::LiteralRules &rules,
                  const lex::LiteralRules &outside_names, FullJoin &parts) {
    std::size_t full = lex::find_at_level(from, 0, full_word, outside_names);
    if (full == npos || !from.starts_with("FROM ")) return false;
    std::size_t join = full + full_word.size();
    if (from.substr(join).starts_with("OUTER ") || from.substr(join).starts_with("INNER ")) join += 6;
    if (!from.substr(join).starts_with("JOIN ")) return false;
    const std::size_t right = join + 5;
    if (lex::find_at_level(from, right, full_word, outside_names) != npos) return false;
    // the tables listed before it with commas stand beside the join: FULL JOIN binds the last one
    std::string_view left = trimmed(from.substr(5, full - 5));
    std::string_view listed;
    for (std::size_t comma = lex::find_at_level(left, 0, ",", rules); comma != npos;
         comma = lex::find_at_level(left, comma + 1, ",", rules)) {
        listed = left.substr(0, comma + 1);
    }
    left = trimmed(left.substr(listed.size()));
    if (left.empty()) return false;
    const std::size_t on = lex::find_at_level(from, right, " ON ", rules);
    if (on == npos) return false;
    std::size_t cond_end = first_of(from, on + 4, {" JOIN ", " INNER ", " LEFT ", " RIGHT ", " CROSS ", ","}, rules);
    parts = {listed, left, from.substr(right), trimmed(from.substr(on + 4, cond_end == npos ? npos : cond_end - on - 4))};
    return true;
}

// A member the union can keep as it is: no GROUP BY, TOP or aggregate.
bool plain_member(Clauses &clauses, std::string_view select) {
    if (clauses.group() && !clauses.group().empty()) return false;
    if (!select.starts_with("SELECT ") || select.starts_with("SELECT TOP ")) return false;
    for (std::string_view aggregate : {"COUNT(", "SUM(", "AVG(", "MIN(", "MAX(", "COUNT (", "SUM (", "AVG (", "MIN (", "MAX ("}) {
        if (select.find(aggregate) != npos) return false;
    }
    return true;
}

void append_all(std::string &out, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) out += part;
}

// The members of the union that stands for the join: the LEFT OUTER JOIN's rows, and the RIGHT
// OUTER JOIN's that no row of the left side matches.
std::vector<JoinHalf> halves_of(const Session &session, const FullJoin &join) {
    std::vector<JoinHalf> halves(2);
    append_all(halves[0].from, {"FROM ", join.listed, join.left, " LEFT OUTER JOIN ", join.rest});
    append_all(halves[1].from, {"FROM ", join.listed, join.left, " RIGHT OUTER JOIN ", join.rest});
    std::string left_from = "FROM ";
    left_from += join.left;
    std::string nested;
    if (session.dialect.nested_joins && nest_joins(session, left_from, nested)) left_from = nested;
    append_all(halves[1].unmatched, {"NOT EXISTS (SELECT 1 ", left_from, " WHERE ", join.condition, ")"});
    return halves;
}

// The member as the union of the halves. The first member and the union stand in the select clause.
void write_union(const Session &session, Clauses &clauses, std::string_view select, const std::vector<JoinHalf> &halves,
                 std::string_view where_body) {
    // a dialect that reads one join at a time has the joins of the first member nested here, and
    // those of the second by the join nesting pass that comes after this one
    std::string first_from = halves[0].from, nested;
    if (session.dialect.nested_joins && nest_joins(session, first_from, nested)) first_from = nested;
    std::string first;
    append_all(first, {select, " ", first_from});
    if (!where_body.empty()) append_all(first, {" WHERE ", where_body});
    append_all(first, {select.starts_with("SELECT DISTINCT ") ? " UNION " : " UNION ALL ", select});
    std::string second_where = "WHERE ";
    if (!where_body.empty()) append_all(second_where, {"(", where_body, ") AND "});
    second_where += halves[1].unmatched;
    clauses.select() = sink_of(first);
    clauses.from() = sink_of(halves[1].from);
    clauses.where() = sink_of(second_where);
}

// The items of the select clause: after SELECT and DISTINCT or ALL.
std::string_view select_items(std::string_view select) {
    std::string_view items = select.substr(7);
    for (std::string_view word : {std::string_view("DISTINCT "), std::string_view("ALL ")}) {
        if (items.starts_with(word)) {
            items.remove_prefix(word.size());
            break;
        }
    }
    while (!items.empty() && items.front() == ' ') items.remove_prefix(1);
    return items;
}

}  // namespace

void full_join_pass(Session &session, Clauses &clauses) {
    const std::string_view from = clauses.from().view();
    const bool bracketed = session.dialect.quote_open == '[';  // [FULL] INNER JOIN: FULL read as a name
    const std::string_view full_word = bracketed ? " [FULL] " : " FULL ";
    if (from.find(full_word) == npos) return;  // most members: no FULL at all
    const lex::LiteralRules rules = clause_literals(session.dialect);
    lex::LiteralRules outside_names = rules;
    if (bracketed) outside_names.brackets = lex::BracketRuns::none;
    FullJoin join;
    if (!full_join_of(from, full_word, rules, outside_names, join)) return;
    const std::string_view select = clauses.select().view();
    if (clauses.buffers[1]) return;
    // a member the union keeps as it is, ordered by what the union's result holds; else the join's
    // rows as a derived table under the member's clauses
    bool derived = !plain_member(clauses, select);
    std::string order;
    if (!derived && clauses.order() && !clauses.order().empty()) {
        derived = !union_order(clauses.order().view(), select_items(select), session.letters, rules, order);
    }
    std::string where_body;
    std::string destination;  // a FoxPro INTO written after WHERE: kept for the caller once, at the end
    if (clauses.where() && !clauses.where().empty()) {
        std::string_view where = clauses.where().view().substr(5);
        const std::size_t into = lex::find_at_level(where, 0, " INTO ", rules);
        if (into != npos) {
            destination = where.substr(into);
            where = where.substr(0, into);
        }
        where_body = trimmed(where);
        if (where_body.empty()) return;
    }
    const std::vector<JoinHalf> halves = halves_of(session, join);
    if (derived) {
        write_derived(session, clauses, halves, where_body, destination);
        return;
    }
    write_union(session, clauses, select, halves, where_body);
    if (!destination.empty()) clauses.where() = sink_of(std::string(clauses.where().view()) + destination);
    if (!order.empty()) clauses.order() = sink_of(order);
}

}  // namespace tarnvel::select
