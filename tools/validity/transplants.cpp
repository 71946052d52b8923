#include "transplants.h"

#include "variant_grammar.h"

#include <tarnvel/residue.hpp>

#include <algorithm>

namespace validity {
namespace {

constexpr std::string_view prefix = "transplants:";

// The words that start a clause of a SELECT (FoxPro takes the clauses in any order).
bool clause_word(const Tokens &t, std::size_t i) {
    if (keyword(t, i, {"ORDER", "GROUP"})) return keyword(t, following(t, i), {"BY"});
    return keyword(t, i, {"FROM", "WHERE", "HAVING", "UNION", "INTO", "TO", "TOP", "NOCONSOLE", "PLAIN", "NOWAIT",
                          "PREFERENCE", "NOFILTER", "READWRITE"});
}

// The words that end an ON condition inside a FROM clause (LEFT( and RIGHT( are functions).
bool join_word(const Tokens &t, std::size_t i) {
    if (keyword(t, i, {"LEFT", "RIGHT"})) return !is_op(t, following(t, i), "(");
    return keyword(t, i, {"JOIN", "INNER", "FULL", "CROSS", "ON"});
}

// The text of tokens [from, to) without the blanks at either end.
std::string text_of(const Tokens &t, std::size_t from, std::size_t to) {
    while (from < to && t[from].kind == Piece::blank) ++from;
    while (to > from && t[to - 1].kind == Piece::blank) --to;
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += t[i].text;
    return out;
}

// Where the group that opens at i (a "(", or a SELECT inside one) ends: at its ")".
std::size_t group_end(const Tokens &t, std::size_t i) {
    const int depth = is_op(t, i, "(") ? t[i].depth + 1 : t[i].depth;
    std::size_t j = i + 1;
    while (j < t.size() && t[j].depth >= depth) ++j;
    return j;
}

// The clauses of one SELECT: where each starts (its keyword) and where the SELECT ends.
struct Clause {
    std::size_t word, start, end;
};

std::vector<Clause> clauses(const Tokens &t, std::size_t select) {
    const int depth = t[select].depth;
    std::vector<std::size_t> starts;
    std::size_t i = select + 1;
    for (; i < t.size() && t[i].depth >= depth; ++i) {
        if (t[i].depth != depth || !clause_word(t, i)) continue;
        if (keyword(t, i, {"UNION"})) break;
        starts.push_back(i);
    }
    std::vector<Clause> out;
    for (std::size_t c = 0; c < starts.size(); ++c) {
        std::size_t start = following(t, starts[c]);
        if (keyword(t, starts[c], {"ORDER", "GROUP"})) start = following(t, start);
        out.push_back({starts[c], start == none ? i : std::min(start, i), c + 1 < starts.size() ? starts[c + 1] : i});
    }
    return out;
}

const Clause *clause(const std::vector<Clause> &all, const Tokens &t, std::string_view word) {
    for (const Clause &c : all) {
        if (keyword(t, c.word, {word})) return &c;
    }
    return nullptr;
}

// The FROM clause as the templates write it again: none with a macro or a name expression.
void read_from(const Tokens &t, const Clause &from, Fragment &f) {
    const int depth = t[from.word].depth;
    for (std::size_t i = from.start; i < from.end; ++i) {
        if (is_macro(t[i])) return;
        const std::size_t before = previous(t, i);  // a "(" where a table stands: FROM (cAlias)
        const bool table_place = keyword(t, before, {"FROM", "JOIN", "FORCE"}) || is_op(t, before, ",");
        if (t[i].depth == depth && is_op(t, i, "(") && table_place && !keyword(t, following(t, i), {"SELECT"})) return;
        if (t[i].depth == depth && is_op(t, i, ",")) f.comma_from = true;
    }
    f.from = text_of(t, from.start, from.end);
    std::size_t i = from.start;
    if (keyword(t, i, {"FORCE"})) i = following(t, i);
    if (i >= from.end || t[i].kind != Piece::word) return;
    std::size_t last = i;
    while (last + 2 < from.end && (is_op(t, last + 1, "!") || is_op(t, last + 1, ".")) && t[last + 2].kind == Piece::word)
        last += 2;
    // a file named by a sum (m.cPath + 'orders'): the whole sum is the table
    for (std::size_t plus = following(t, last); plus < from.end && is_op(t, plus, "+");) {
        const std::size_t term = following(t, plus);
        if (term >= from.end || (t[term].kind != Piece::literal && t[term].kind != Piece::word)) break;
        last = term;
        while (last + 2 < from.end && is_op(t, last + 1, ".") && t[last + 2].kind == Piece::word) last += 2;
        plus = following(t, last);
    }
    f.first_table = text_of(t, i, last + 1);
}

// The conditions of [from, to): the whole, then each term between the AND and OR of its top level
// (inside the parentheses that hold it all).
void read_condition(const Tokens &t, std::size_t from, std::size_t to, std::vector<std::string> &out) {
    while (from < to && t[from].kind == Piece::blank) ++from;
    while (to > from && t[to - 1].kind == Piece::blank) --to;
    if (from >= to) return;
    out.push_back(text_of(t, from, to));
    while (is_op(t, from, "(") && group_end(t, from) == to - 1) {
        from = following(t, from);
        to = previous(t, to - 1) + 1;
    }
    const int depth = t[from].depth;
    std::vector<std::string> terms;
    std::size_t start = from;
    for (std::size_t i = from; i <= to; ++i) {
        if (i < to && (t[i].depth != depth || !(conjunction(t, i) || dotted(t, i, "AND") || dotted(t, i, "OR")))) continue;
        terms.push_back(text_of(t, start, i));
        start = i + 1;
    }
    if (terms.size() > 1) out.insert(out.end(), terms.begin(), terms.end());
}

// The item [from, to) without its alias (expr AS name, expr name, expr AS "name").
std::string item_text(const Tokens &t, std::size_t from, std::size_t to) {
    std::size_t last = previous(t, to);
    if (last == none || last < from) return {};
    const std::size_t before = previous(t, last);
    if (t[last].kind == Piece::literal && before != none && before > from && keyword(t, before, {"AS"}))
        return text_of(t, from, before);
    if (t[last].kind == Piece::word && !in_name(t, last) && before != none && before >= from &&
        t[before].depth == t[last].depth) {
        if (keyword(t, before, {"AS"})) return text_of(t, from, before);
        const bool ends_expression =
            (t[before].kind == Piece::word &&
             !keyword(t, before, {"AND", "OR", "NOT", "IS", "LIKE", "IN", "BETWEEN", "DISTINCT", "ALL", "TOP", "PERCENT",
                                  "SELECT", "NULL", "ESCAPE", "EXISTS", "ANY", "SOME"})) ||
            t[before].kind == Piece::number || t[before].kind == Piece::literal || t[before].kind == Piece::dotted ||
            (t[before].kind == Piece::fixed && t[before].text[0] == '{') || is_op(t, before, ")") || is_op(t, before, "]");
        if (ends_expression && !keyword(t, last, {"NULL", "AND", "OR", "NOT"})) return text_of(t, from, last);
    }
    return text_of(t, from, to);
}

// The select list of one SELECT: its items' ranges (as select_items() cuts them).
using Items = std::vector<std::pair<std::size_t, std::size_t>>;

std::string list_text(const Tokens &t, const Items &items) {
    return items.empty() ? std::string() : text_of(t, items.front().first, items.back().second);
}

// Whether every term of the ORDER BY list [from, to) is a column number or one of the items (its
// expression or its alias; any name where the list holds a *), as SELECT DISTINCT needs it.
bool order_in_list(const Tokens &t, std::size_t from, std::size_t to, const Items &items) {
    std::vector<std::string> names;
    bool star = false;
    for (auto [start, end] : items) {
        const std::string whole = text_of(t, start, end);
        const std::string expression = item_text(t, start, end);
        names.push_back(upper(expression));
        if (expression != whole) names.push_back(upper(t[previous(t, end)].text));
        star = star || whole == "*" || (whole.size() > 2 && whole.compare(whole.size() - 2, 2, ".*") == 0);
    }
    const int depth = from < to ? t[from].depth : 0;
    std::size_t start = from;
    for (std::size_t i = from; i <= to; ++i) {
        if (i < to && !(t[i].depth == depth && is_op(t, i, ","))) continue;
        std::size_t end = i;
        const std::size_t last = previous(t, end);
        if (last != none && last >= start && keyword(t, last, {"ASC", "DESC"})) end = last;
        const Tokens term(t.begin() + static_cast<std::ptrdiff_t>(start), t.begin() + static_cast<std::ptrdiff_t>(end));
        const std::string text = upper(text_of(t, start, end));
        start = i + 1;
        std::size_t words = 0, others = 0;
        for (const Token &k : term) {
            if (k.kind == Piece::word) ++words;
            else if (k.kind != Piece::blank && k.text != ".") ++others;
        }
        const bool number = text.find_first_not_of("0123456789") == std::string::npos && !text.empty();
        const bool name = others == 0 && words > 0 && words <= 2;
        if (!number && std::find(names.begin(), names.end(), text) == names.end() && !(star && name)) return false;
    }
    return true;
}

bool aggregate_call(const Tokens &t, std::size_t i, std::size_t paren) {
    if (!keyword(t, i, {"COUNT", "SUM", "AVG", "CNT", "STD", "MIN", "MAX"})) return false;
    if (!keyword(t, i, {"MIN", "MAX"})) return true;
    const std::size_t end = group_end(t, paren);  // MAX(a, b) is the greater of the two
    for (std::size_t j = paren + 1; j < end; ++j) {
        if (t[j].depth == t[paren].depth + 1 && is_op(t, j, ",")) return false;
    }
    return true;
}

// What the templates ask of a fragment: aggregates, names outside them, subqueries, qualifiers.
void classify(Fragment &f) {
    const Tokens t = tokenize(f.text);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (is_macro(t[i])) f.subquery = f.bare_names = true;
        if (t[i].kind != Piece::word) continue;
        if (keyword(t, i, {"SELECT"})) {
            f.subquery = true;
            i = group_end(t, i) - 1;
            continue;
        }
        const std::size_t next = following(t, i);
        if (is_op(t, next, "(")) {
            if (!in_name(t, i) && aggregate_call(t, i, next)) {
                f.aggregate = true;
                i = group_end(t, next) - 1;
            }
            continue;
        }
        const bool variable = upper(t[i].text) == "M" && is_op(t, i + 1, ".");
        if (variable) {
            i += 2;  // m.name
            continue;
        }
        if (is_op(t, i + 1, ".") && i + 2 < t.size() && t[i + 2].kind == Piece::word) {
            f.qualified = true;
            // alias.field: two parts; THISFORM.txtCity.Value and the like name no table
            const bool chained = (i > 0 && is_op(t, i - 1, ".")) || is_op(t, i + 3, ".");
            if (!chained) f.qualifiers.push_back(upper(t[i].text));
        }
        if (i > 0 && is_op(t, i - 1, "?")) continue;  // ?parameter
        if (!keyword(t, i, {"AND", "OR", "NOT", "IS", "NULL", "LIKE", "IN", "BETWEEN", "ESCAPE", "AS", "EXISTS", "ANY",
                            "SOME", "ALL", "DISTINCT"}))
            f.bare_names = true;
    }
}

// ---- templates

bool plain_condition(const Fragment &f) { return !f.aggregate; }
bool simple_condition(const Fragment &f) { return !f.aggregate && !f.subquery; }
bool join_condition(const Fragment &f) { return simple_condition(f) && !f.comma_from; }
// HAVING without GROUP BY takes aggregates and constants only
bool group_condition(const Fragment &f) { return f.aggregate && !f.bare_names && !f.subquery; }
// an aggregate item stands without GROUP BY only where no name is outside its aggregates
bool any_item(const Fragment &f) { return !f.aggregate || !f.bare_names; }
bool row_item(const Fragment &f) { return !f.aggregate && !f.subquery; }
bool scalar_item(const Fragment &f) { return any_item(f) && !f.subquery; }
bool any(const Fragment &) { return true; }
bool with_items(const Fragment &f) { return !f.items.empty(); }
bool distinct_order(const Fragment &f) { return with_items(f) && f.listed_order; }
// FoxPro takes no UNION in a subquery, and no ORDER BY (which TOP needs) in a UNION member
bool subquery_statement(const Fragment &f) { return !f.union_; }
bool union_statement(const Fragment &f) { return !f.top; }
bool in_statement(const Fragment &f) { return !f.union_ && !f.item.empty(); }

constexpr auto condition = Fragment::Kind::condition;
constexpr auto item = Fragment::Kind::item;
constexpr auto from = Fragment::Kind::from;
constexpr auto grouping = Fragment::Kind::grouping;
constexpr auto ordering = Fragment::Kind::ordering;
constexpr auto statement = Fragment::Kind::statement;

}  // namespace

const std::vector<Template> &transplant_templates() {
    static const std::vector<Template> templates = {
        {"where", condition, plain_condition, "SELECT * FROM <from> WHERE <x>"},
        {"having", condition, group_condition, "SELECT COUNT(*) AS n FROM <from> HAVING <x>"},
        {"having-sum", condition, simple_condition, "SELECT COUNT(*) AS n FROM <from> HAVING SUM(IIF(<x>, 1, 0)) > 0"},
        // a table of one column of its own: the fragment's names stay unambiguous
        {"join", condition, join_condition, "SELECT * FROM <from> JOIN (SELECT 1 AS zk FROM <table>) zj ON zj.zk = 1 AND <x>"},
        {"iif", condition, simple_condition, "SELECT IIF(<x>, 1, 0) AS f FROM <from>"},
        {"icase", condition, simple_condition, "SELECT ICASE(<x>, 1, 0) AS f FROM <from>"},
        {"exists", condition, simple_condition, "SELECT * FROM <from> WHERE EXISTS (SELECT * FROM <from> WHERE <x>)"},
        {"not", condition, plain_condition, "SELECT * FROM <from> WHERE NOT (<x>)"},
        {"union", condition, plain_condition, "SELECT * FROM <from> WHERE <x> UNION SELECT * FROM <from> WHERE <x>"},
        {"item", item, any_item, "SELECT <x> AS x FROM <from>"},
        {"group", item, row_item, "SELECT <x> AS x, COUNT(*) AS n FROM <from> GROUP BY 1"},
        {"order", item, any_item, "SELECT <x> AS x FROM <from> ORDER BY x"},
        {"max", item, row_item, "SELECT MAX(<x>) AS x FROM <from>"},
        {"scalar", item, scalar_item, "SELECT (SELECT <x> FROM <from>) AS x FROM <table> zs"},
        {"distinct", item, any_item, "SELECT DISTINCT <x> AS x FROM <from>"},
        {"union-all", item, any_item, "SELECT <x> AS x FROM <from> UNION ALL SELECT <x> FROM <from>"},
        {"derived", item, any_item, "SELECT * FROM (SELECT <x> AS x FROM <from>) d"},
        {"from-count", from, any, "SELECT COUNT(*) AS n FROM <x>"},
        {"from-top", from, any, "SELECT TOP 5 * FROM <x> ORDER BY 1"},
        {"from-distinct", from, any, "SELECT DISTINCT * FROM <x>"},
        {"from-union", from, any, "SELECT * FROM <x> WHERE 1 = 0 UNION ALL SELECT * FROM <x>"},
        {"from-exists", from, any, "SELECT * FROM <x> WHERE EXISTS (SELECT * FROM <x>)"},
        {"from-derived", from, any, "SELECT COUNT(*) AS n FROM (SELECT * FROM <x>) d"},
        {"group-having", grouping, with_items, "SELECT <items> FROM <from> GROUP BY <x> HAVING COUNT(*) > 1"},
        {"group-desc", grouping, with_items, "SELECT <items> FROM <from> GROUP BY <x> ORDER BY 1 DESC"},
        {"group-top", grouping, with_items, "SELECT TOP 5 <items> FROM <from> GROUP BY <x> ORDER BY 1"},
        {"order-top", ordering, with_items, "SELECT TOP 5 <items> FROM <from><group> ORDER BY <x>"},
        {"order-distinct", ordering, distinct_order, "SELECT DISTINCT <items> FROM <from><group> ORDER BY <x>"},
        {"stmt-derived", statement, subquery_statement, "SELECT * FROM (<x>) q"},
        {"stmt-union", statement, union_statement, "<x> UNION ALL <x>"},
        {"stmt-in", statement, in_statement, "SELECT * FROM <from> WHERE <item> IN (<x>)"},
        {"stmt-exists", statement, subquery_statement, "SELECT * FROM <from> WHERE EXISTS (<x>)"},
    };
    return templates;
}

const Template *transplant_template(std::string_view name) {
    for (const Template &place : transplant_templates()) {
        if (place.name == name) return &place;
    }
    return nullptr;
}

namespace {

// The items of the SELECT at s, out of every SELECT's items.
Items own_items(const Tokens &t, const Items &items, std::size_t s) {
    Items out;
    for (auto [start, end] : items) {
        std::size_t owner = start;
        while (owner-- > 0 && !(t[owner].depth == t[start].depth && keyword(t, owner, {"SELECT"}))) {
        }
        if (owner == s) out.emplace_back(start, end);
    }
    return out;
}

// The whole command as the statement templates take it: without its destinations, and without an
// ORDER BY that has no TOP (a subquery may not have one); nothing for a command with a macro.
std::optional<Fragment> whole_statement(std::string_view statement) {
    const std::string text = tarnvel::strip_destinations(statement).text;
    const Tokens t = tokenize(text);
    std::size_t first = none, last = none;
    Fragment f;
    f.kind = Fragment::Kind::statement;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (is_macro(t[i])) return std::nullopt;
        if (t[i].depth != 0) continue;
        if (keyword(t, i, {"SELECT"})) {
            if (first == none) first = i;
            last = i;
        }
        if (keyword(t, i, {"UNION"})) f.union_ = true;
    }
    if (first == none) return std::nullopt;
    std::size_t head = following(t, first);
    while (keyword(t, head, {"ALL", "DISTINCT"})) head = following(t, head);
    f.top = keyword(t, head, {"TOP"});
    const std::vector<Clause> all = clauses(t, first);
    if (const Clause *from = clause(all, t, "FROM")) read_from(t, *from, f);
    const std::vector<Clause> tail = clauses(t, last);
    const Clause *order = clause(tail, t, "ORDER");
    f.text = order && !f.top ? text_of(t, 0, order->word) + (order->end < t.size() ? " " + text_of(t, order->end, t.size()) : "")
                             : text_of(t, 0, t.size());
    const Items items = own_items(t, select_items(t), first);
    if (items.size() == 1 && !f.from.empty()) {
        Fragment one;
        one.text = item_text(t, items[0].first, items[0].second);
        classify(one);
        const bool star = one.text == "*" || one.text.ends_with(".*");
        if (!star && !one.aggregate && !one.subquery && !one.text.empty()) f.item = one.text;
    }
    return f;
}

// The words a FROM clause holds other than as qualifiers: its aliases, the tables that have none
// (a table with an alias answers to the alias only), and keywords.
std::vector<std::string> defined_names(std::string_view from) {
    const Tokens t = tokenize(from);
    std::vector<std::string> out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Piece::word || is_op(t, i + 1, ".")) continue;
        const std::size_t next = following(t, i);
        const bool aliased = next < t.size() && t[next].kind == Piece::word &&
                             !keyword(t, next, {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "ON", "WITH",
                                                "NOFILTER", "AND", "OR", "NOT", "WHERE", "GROUP", "ORDER", "HAVING"});
        if (!aliased) out.push_back(upper(t[i].text));
    }
    return out;
}

// The tables and aliases of every FROM clause of the statement.
std::vector<std::string> names_of_statement(const Tokens &t) {
    std::vector<std::string> out;
    for (std::size_t s = 0; s < t.size(); ++s) {
        if (!keyword(t, s, {"SELECT"})) continue;
        const std::vector<Clause> all = clauses(t, s);
        if (const Clause *from = clause(all, t, "FROM")) {
            for (std::string &name : defined_names(text_of(t, from->start, from->end))) out.push_back(std::move(name));
        }
    }
    return out;
}

// A qualifier the fragment reads that its own FROM clause does not define but another SELECT of
// the statement does (a correlated subquery's reference to its outer query): over its FROM alone
// the fragment is no statement FoxPro runs. A qualifier no FROM defines may be an object
// (goApp.nBranch) and stays.
bool reads_outer_names(const Fragment &f, const std::vector<std::string> &statement_names) {
    if (!f.qualified || f.from.empty()) return false;
    const std::vector<std::string> own = defined_names(f.from);
    const auto holds = [](const std::vector<std::string> &names, const std::string &q) {
        return std::find(names.begin(), names.end(), q) != names.end();
    };
    return std::any_of(f.qualifiers.begin(), f.qualifiers.end(),
                       [&](const std::string &q) { return !holds(own, q) && holds(statement_names, q); });
}

}  // namespace

std::vector<Fragment> fragments(std::string_view written) {
    const std::string statement = joined_lines(written);
    const Tokens t = tokenize(statement);
    std::vector<Fragment> out, whole;  // the clauses and the whole command after the expressions
    const std::vector<std::string> statement_names = names_of_statement(t);
    auto add = [&](Fragment::Kind kind, std::string text, const Fragment &place) {
        if (text.empty() || text == "*" || (text.size() > 2 && text.compare(text.size() - 2, 2, ".*") == 0)) return;
        std::vector<Fragment> &list = kind == Fragment::Kind::condition || kind == Fragment::Kind::item ? out : whole;
        const bool seen = std::any_of(list.begin(), list.end(), [&](const Fragment &f) {
            return f.kind == kind && f.text == text && f.from == place.from && f.items == place.items;
        });
        if (seen) return;
        Fragment f = place;
        f.kind = kind;
        f.text = std::move(text);
        classify(f);
        // a fragment that names tables needs them: without the FROM clause it is left out
        if (f.text.find('&') != std::string::npos || (f.from.empty() && f.qualified) || reads_outer_names(f, statement_names))
            return;
        list.push_back(std::move(f));
    };
    const auto items = select_items(t);
    for (std::size_t s = 0; s < t.size(); ++s) {
        if (!keyword(t, s, {"SELECT"})) continue;
        const std::vector<Clause> all = clauses(t, s);
        Fragment place;
        const Clause *from = clause(all, t, "FROM");
        if (from) read_from(t, *from, place);
        const Items mine = own_items(t, items, s);
        for (auto [start, end] : mine) add(Fragment::Kind::item, item_text(t, start, end), place);
        std::vector<std::string> conditions;
        if (from) {
            const int depth = t[from->word].depth;
            for (std::size_t i = from->start; i < from->end; ++i) {
                if (t[i].depth != depth || !keyword(t, i, {"ON"})) continue;
                std::size_t end = i + 1;
                while (end < from->end && !(t[end].depth == depth && (join_word(t, end) || is_op(t, end, ",")))) ++end;
                read_condition(t, i + 1, end, conditions);
            }
        }
        for (std::string_view word : {"WHERE", "HAVING"}) {
            if (const Clause *c = clause(all, t, word)) read_condition(t, c->start, c->end, conditions);
        }
        for (std::string &c : conditions) add(Fragment::Kind::condition, std::move(c), place);
        // the clauses need the FROM clause written again, and a select list without a macro
        if (place.from.empty()) continue;
        add(Fragment::Kind::from, place.from, place);
        place.items = list_text(t, mine);
        if (place.items.find('&') != std::string::npos) continue;
        const Clause *group = clause(all, t, "GROUP");
        const Clause *having = clause(all, t, "HAVING");
        if (group) add(Fragment::Kind::grouping, text_of(t, group->start, group->end), place);
        if (group) place.group = " GROUP BY " + text_of(t, group->start, group->end);
        if (having) place.group += " HAVING " + text_of(t, having->start, having->end);
        if (const Clause *order = clause(all, t, "ORDER")) {
            place.listed_order = order_in_list(t, order->start, order->end, mine);
            add(Fragment::Kind::ordering, text_of(t, order->start, order->end), place);
        }
    }
    if (std::optional<Fragment> f = whole_statement(statement)) whole.push_back(std::move(*f));
    out.insert(out.end(), whole.begin(), whole.end());
    return out;
}

std::optional<std::string> transplant(const Template &place, const Fragment &fragment) {
    if (place.kind != fragment.kind || !place.fits(fragment)) return std::nullopt;
    // a column named dist or top right after SELECT would be read as DISTINCT or TOP
    const Tokens t = tokenize(fragment.text);
    if (place.text.find("SELECT <x>") != std::string_view::npos && keyword(t, 0, {"DISTINCT", "ALL", "TOP"}))
        return std::nullopt;
    const Tokens list = tokenize(fragment.items);
    if (place.text.find("SELECT <items>") != std::string_view::npos && keyword(list, 0, {"DISTINCT", "ALL", "TOP"}))
        return std::nullopt;
    const std::string from = fragment.from.empty() ? "t" : fragment.from;
    const std::string table = fragment.from.empty() ? "t" : fragment.first_table;
    // the template's placeholders and what fills each; an empty filling (but <group>'s) leaves no transplant
    const struct {
        std::string_view name;
        const std::string &filling;
        bool may_be_empty;
    } placeholders[] = {
        {"<x>", fragment.text, true},         {"<from>", from, true},   {"<items>", fragment.items, false},
        {"<group>", fragment.group, true},    {"<item>", fragment.item, false}, {"<table>", table, false},
    };
    std::string out;
    for (std::size_t i = 0; i < place.text.size();) {
        const std::string_view rest = place.text.substr(i);
        const auto *hit = std::find_if(std::begin(placeholders), std::end(placeholders),
                                       [rest](const auto &p) { return rest.starts_with(p.name); });
        if (hit == std::end(placeholders)) {
            out += place.text[i++];
            continue;
        }
        if (hit->filling.empty() && !hit->may_be_empty) return std::nullopt;
        out += hit->filling;
        i += hit->name.size();
    }
    return out;
}

TransplantsSource::TransplantsSource(const std::string &selects)
    : originals_("selects", tarnvel::ConvertedText::select, selects, "sql") {}

std::optional<Statement> TransplantsSource::next() {
    const std::vector<Template> &templates = transplant_templates();
    while (true) {
        if (fragment_ >= fragments_.size()) {
            std::optional<Statement> original = originals_.next();
            if (!original) return std::nullopt;
            origin_ = original->origin;
            fragments_ = fragments(original->text);
            fragment_ = template_ = 0;
            continue;
        }
        if (template_ >= templates.size()) {
            ++fragment_;
            template_ = 0;
            continue;
        }
        const Template &place = templates[template_++];
        if (std::optional<std::string> text = transplant(place, fragments_[fragment_]))
            return Statement{std::string(prefix) + origin_ + "/" + std::string(place.name) + "/" +
                                 std::to_string(fragment_ + 1),
                             std::move(*text)};
    }
}

std::optional<std::string> transplant_original(const std::string &origin) {
    if (origin.rfind(prefix, 0) != 0) return std::nullopt;
    const std::size_t number = origin.rfind('/');
    const std::size_t name = number == std::string::npos ? number : origin.rfind('/', number - 1);
    if (name == std::string::npos || name <= prefix.size()) return std::nullopt;
    return origin.substr(prefix.size(), name - prefix.size());
}

}  // namespace validity
