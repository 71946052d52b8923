#include "select/full_join.h"

#include "select/full_join_derived.h"
#include "select/full_join_nested.h"
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

bool same_text(std::string_view a, std::string_view b, const lex::Alphabet &letters) { return letters.same_letters(a, b); }

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

// A FULL [OUTER] JOIN in FROM, in its parts, and a second one after it.
struct FullJoin {
    std::string_view listed;     // the tables listed before it with commas, commas included
    std::string_view left;       // the table it binds on its left
    std::string_view rest;       // from the table on its right to the end of FROM
    std::string_view condition;  // of its ON
    std::string_view middle;            // with a second: from the table on its right to the second
    std::string_view second_rest;       // from the table on the second's right to the end of FROM
    std::string_view second_condition;  // the second's ON; empty: there is no second
};

// The end of the words FULL [OUTER|INNER] JOIN at 'full'; npos when JOIN does not follow.
std::size_t after_full_join(std::string_view from, std::size_t full, std::string_view full_word) {
    std::size_t join = full + full_word.size();
    if (from.substr(join).starts_with("OUTER ") || from.substr(join).starts_with("INNER ")) join += 6;
    return from.substr(join).starts_with("JOIN ") ? join + 5 : npos;
}

// The condition of the join's own ON from 'right' (in FoxPro's nested form, a FULL JOIN b JOIN c
// ON y ON x, the joins of its right operand claim theirs first), up to the next join, comma or ON
// (the ON of a join whose right operand it stands in: 'end' then starts with it).
bool condition_of(std::string_view from, std::size_t right, std::string_view full_word, const lex::LiteralRules &rules,
                  std::string_view &condition, std::size_t &end) {
    const std::size_t on = own_on(from, right, rules);
    if (on == npos) return false;
    end = first_of(from, on + 4, {" JOIN ", " INNER ", " LEFT ", " RIGHT ", " CROSS ", " ON ", ",", full_word}, rules);
    condition = trimmed(from.substr(on + 4, end == npos ? npos : end - on - 4));
    return !condition.empty();
}

// The FULL JOIN standing as the right operand of an inner or a RIGHT JOIN in the nested form, a JOIN
// b FULL JOIN c ON y ON x: as either join keeps each row of that operand apart, the union's halves
// are that join over each half's rows. Its left operand becomes b alone, the text before it listed;
// false for a LEFT or FULL JOIN before it, or a deeper nesting.
bool nested_in_join(std::string_view from, std::size_t end, std::string_view full_word, const lex::LiteralRules &rules,
                    FullJoin &parts) {
    const LastJoin join = last_join(parts.left, rules);
    if (join.at == npos || join.before.ends_with(" LEFT") || join.before.ends_with(" FULL")) return false;
    const std::string_view b = trimmed(parts.left.substr(join.at + 6));
    if (b.empty() || lex::find_at_level(b, 0, " ON ", rules) != npos) return false;
    // the outer ON's condition ends the nesting
    const std::size_t outer_end = first_of(from, end + 4, {" JOIN ", " INNER ", " LEFT ", " RIGHT ", " CROSS ", " ON ", ",", full_word}, rules);
    if (outer_end != npos && from.substr(outer_end).starts_with(" ON ")) return false;
    parts.listed = from.substr(5, static_cast<std::size_t>(b.data() - from.data()) - 5);
    parts.left = b;
    return true;
}

// The FULL JOIN of FROM (and a second one after it), after tables joined without commas; false when
// there is none such, or a third.
bool full_join_of(std::string_view from, std::string_view full_word, const lex::LiteralRules &rules, FullJoin &parts) {
    std::size_t full = lex::find_at_level(from, 0, full_word, rules);
    if (full == npos || !from.starts_with("FROM ")) return false;
    const std::size_t right = after_full_join(from, full, full_word);
    if (right == npos) return false;
    // the tables listed before it with commas stand beside the join: FULL JOIN binds the last one
    std::string_view left = trimmed(from.substr(5, full - 5));
    std::string_view listed;
    for (std::size_t comma = lex::find_at_level(left, 0, ",", rules); comma != npos;
         comma = lex::find_at_level(left, comma + 1, ",", rules)) {
        listed = left.substr(0, comma + 1);
    }
    left = trimmed(left.substr(listed.size()));
    if (left.empty()) return false;
    parts = {listed, left, from.substr(right), {}, {}, {}, {}};
    std::size_t end = npos;
    if (!condition_of(from, right, full_word, rules, parts.condition, end)) return false;
    const bool nested = end != npos && from.substr(end).starts_with(" ON ");
    if (nested && !nested_in_join(from, end, full_word, rules, parts)) return false;
    // a RIGHT JOIN after it would add its unmatched rows once for each half of the union
    if (lex::find_at_level(from, right, " RIGHT ", rules) != npos) return false;
    const std::size_t second = lex::find_at_level(from, right, full_word, rules);
    if (second == npos) return true;
    if (nested) return false;
    const std::size_t second_right = after_full_join(from, second, full_word);
    if (second_right == npos || lex::find_at_level(from, second_right, full_word, rules) != npos) return false;
    if (lex::find_at_level(from.substr(0, second), right, " ON ", rules) == npos) return false;  // b FULL JOIN c ON .. ON ..
    parts.middle = trimmed(from.substr(right, second - right));
    parts.second_rest = from.substr(second_right);
    return condition_of(from, second_right, full_word, rules, parts.second_condition, end) &&
           !(end != npos && from.substr(end).starts_with(" ON "));
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

std::string nested_from(const Session &session, std::string from) {
    std::string nested;
    if (session.dialect.nested_joins && nest_joins(session, from, nested)) return nested;
    return from;
}

// The members of the union that stands for the join: the LEFT OUTER JOIN's rows, and the RIGHT
// OUTER JOIN's that no row of the left side matches. With a second FULL JOIN, (a FULL JOIN b ON x)
// FULL JOIN c ON y: the rows of the first join LEFT JOIN c (its two halves), and the c rows that
// no row of the first join matches, NOT EXISTS over each of its halves.
std::vector<JoinHalf> halves_of(const Session &session, const FullJoin &join) {
    const bool two = !join.second_condition.empty();
    std::vector<JoinHalf> halves(two ? 3 : 2);
    const std::string left_from = nested_from(session, std::string("FROM ").append(join.left));
    const std::string left_unmatched =
        std::string("NOT EXISTS (SELECT 1 ").append(left_from).append(" WHERE ").append(join.condition).append(")");
    if (!two) {
        append_all(halves[0].from, {"FROM ", join.listed, join.left, " LEFT OUTER JOIN ", join.rest});
        append_all(halves[1].from, {"FROM ", join.listed, join.left, " RIGHT OUTER JOIN ", join.rest});
        halves[1].unmatched = left_unmatched;
        return halves;
    }
    const std::string_view first[] = {" LEFT OUTER JOIN ", " RIGHT OUTER JOIN ", " RIGHT OUTER JOIN "};
    const std::string_view second[] = {" LEFT OUTER JOIN ", " LEFT OUTER JOIN ", " RIGHT OUTER JOIN "};
    for (int h = 0; h < 3; ++h) {
        append_all(halves[h].from, {"FROM ", join.listed, join.left, first[h], join.middle, second[h], join.second_rest});
    }
    halves[1].unmatched = left_unmatched;
    std::string with_left = nested_from(session, std::string("FROM ").append(join.left).append(" LEFT OUTER JOIN ").append(join.middle));
    std::string with_right = nested_from(session, std::string("FROM ").append(join.left).append(" RIGHT OUTER JOIN ").append(join.middle));
    append_all(halves[2].unmatched, {"NOT EXISTS (SELECT 1 ", with_left, " WHERE ", join.second_condition, ") AND NOT EXISTS (SELECT 1 ",
                                     with_right, " WHERE ", left_unmatched, " AND (", join.second_condition, "))"});
    return halves;
}

// The member as the union of the halves. The members but the last and the union stand in the
// select clause, the last member's FROM and WHERE in theirs.
void write_union(const Session &session, Clauses &clauses, std::string_view select, const std::vector<JoinHalf> &halves,
                 std::string_view where_body) {
    // a dialect that reads one join at a time has the joins of the members but the last nested
    // here, and those of the last by the join nesting pass that comes after this one
    std::string first;
    for (std::size_t h = 0; h + 1 < halves.size(); ++h) {
        append_all(first, {select, " ", nested_from(session, halves[h].from)});
        if (!where_body.empty() && !halves[h].unmatched.empty()) {
            append_all(first, {" WHERE (", where_body, ") AND ", halves[h].unmatched});
        } else if (!where_body.empty() || !halves[h].unmatched.empty()) {
            append_all(first, {" WHERE ", where_body, halves[h].unmatched});
        }
        append_all(first, {select.starts_with("SELECT DISTINCT ") ? " UNION " : " UNION ALL "});
    }
    first += select;
    std::string last_where = "WHERE ";
    if (!where_body.empty()) append_all(last_where, {"(", where_body, ") AND "});
    last_where += halves.back().unmatched;
    clauses.select() = sink_of(first);
    clauses.from() = sink_of(halves.back().from);
    clauses.where() = sink_of(last_where);
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
    std::string_view from = clauses.from().view();
    constexpr std::string_view full_word = " FULL ";
    if (from.find(full_word) == npos) return;  // most members: no FULL at all
    const lex::LiteralRules rules = clause_literals(session.dialect);
    // a FoxPro INTO written after FROM or WHERE: kept for the caller once, at the end
    std::string destination;
    if (const std::size_t into = lex::find_at_level(from, 0, " INTO ", rules); into != npos) {
        destination = from.substr(into);
        from = from.substr(0, into);
    }
    // FoxPro's nested form with FULL JOIN in an operand: a form with the same rows read below
    std::string unnested;
    if (unnest_full_join(from, session.letters, rules, unnested)) {
        if (unnested.find(full_word) == npos) {
            clauses.from() = sink_of(unnested.append(destination));
            return;
        }
        from = unnested;
    }
    FullJoin join;
    if (!full_join_of(from, full_word, rules, join)) return;
    const std::string_view select = clauses.select().view();
    if (clauses.buffers[1]) return;
    // a member the union keeps as it is, ordered by what the union's result holds; else the join's
    // rows as a derived table under the member's clauses
    bool derived = !plain_member(clauses, select) || clauses.percent >= 0;  // TOP n PERCENT numbers one query's rows
    std::string order;
    if (!derived && clauses.order() && !clauses.order().empty()) {
        derived = !union_order(clauses.order().view(), select_items(select), session.letters, rules, order);
    }
    std::string where_body;
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
