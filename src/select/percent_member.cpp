#include "select/percent_member.h"

#include "lex/classes.h"
#include "lex/scan.h"
#include "select/item_alias.h"
#include "select/literals.h"
#include "select/template.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view memory = "Insufficient memory for TOP";
// The columns the form adds in its derived tables: an item may not take their names.
constexpr std::string_view own_columns[] = {"PERCENT_ROW", "PERCENT_COUNT", "PERCENT_KEY1", "PERCENT_KEY2"};

// One item of the field list: its text and expression as written and the name of its column.
// 'given' is the name this pass gives an expression that has none (FoxPro's own, EXP_n).
struct Item {
    std::string_view text, expression, name;
    std::string given;
};

struct Reader {
    const Session &session;
    lex::LiteralRules rules;
};

std::string_view unquoted(std::string_view name, const Dialect &dialect) {
    if (name.size() >= 2 && name.front() == dialect.quote_open && name.back() == dialect.quote_close) {
        return name.substr(1, name.size() - 2);
    }
    return name;
}

bool same_text(const Reader &reader, std::string_view a, std::string_view b) {
    return reader.session.letters.same_letters(a, b);
}

bool same_name(const Reader &reader, std::string_view a, std::string_view b) {
    return same_text(reader, unquoted(a, reader.session.dialect), unquoted(b, reader.session.dialect));
}

// The end of the name at i, a word or a quoted name; i when none starts there.
std::size_t name_end(const Reader &reader, std::string_view text, std::size_t i) {
    if (i >= text.size()) return i;
    if (text[i] == reader.session.dialect.quote_open) {
        const lex::Pos close = lex::run_end(text, static_cast<lex::Pos>(i), reader.rules);
        return static_cast<std::size_t>(close) >= text.size() ? i : static_cast<std::size_t>(close) + 1;
    }
    const lex::Alphabet &letters = reader.session.letters;
    if (!letters.letter(text[i]) && text[i] != '_') return i;
    while (i < text.size() && lex::is_name_char(letters, text[i])) ++i;
    return i;
}

// The last name of the names joined by dots that make the whole text (c, t.c, db.t.c); empty when
// the text is no such chain (a call, an expression, t.*).
std::string_view chain_last(const Reader &reader, std::string_view text) {
    for (std::size_t i = 0;;) {
        const std::size_t stop = name_end(reader, text, i);
        if (stop == i) return {};
        if (stop == text.size()) return text.substr(i);
        if (text[stop] != '.') return {};
        i = stop + 1;
    }
}

// The items of a comma list at parenthesis depth zero, trimmed.
std::vector<std::string_view> list_items(const Reader &reader, std::string_view list) {
    std::vector<std::string_view> items;
    for (std::size_t from = 0;;) {
        const std::size_t comma = lex::find_at_level(list, from, ",", reader.rules);
        items.push_back(lex::trimmed(list.substr(from, comma == npos ? npos : comma - from)));
        if (comma == npos) return items;
        from = comma + 1;
    }
}

std::size_t items_start(std::string_view select) {
    return select.starts_with("SELECT DISTINCT ") ? 16 : select.starts_with("SELECT ALL ") ? 11 : 7;
}

// Columns of the same name (stock, product.stock) take FoxPro's names for them: the name, "_" and
// a letter for each in turn (STOCK_A, STOCK_B). False for a quoted name or more than 26 of one name.
bool name_twins(const Reader &reader, std::vector<Item> &items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i].given.empty()) continue;
        char letter = 'A';
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (!items[j].given.empty() || !same_name(reader, items[i].name, items[j].name)) continue;
            if (letter == 'A') items[i].given = std::string(items[i].name) + "_" + letter++;
            if (letter > 'Z' || items[j].name.front() == reader.session.dialect.quote_open) return false;
            items[j].given = std::string(items[j].name) + "_" + letter++;
        }
        if (letter != 'A' && items[i].name.front() == reader.session.dialect.quote_open) return false;
    }
    for (Item &item : items) {
        if (!item.given.empty()) item.name = item.given;
    }
    return true;
}

// Every column named once, and none by a name the form's own columns take.
bool names_unique(const Reader &reader, const std::vector<Item> &items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::string_view own : own_columns) {
            if (same_name(reader, items[i].name, own)) return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (same_name(reader, items[i].name, items[j].name)) return false;
        }
    }
    return true;
}

// Each item with the name of its column: its alias (with AS or without), the column a bare name
// reads, or for another expression the name FoxPro gives its column, EXP_ and the item's position;
// columns of one name take FoxPro's names for them too. False when a name is unknown (*, t.*) or
// cannot be given, since the derived table needs every column named once.
bool read_items(const Reader &reader, std::string_view list, std::vector<Item> &items) {
    for (std::string_view item : list_items(reader, list)) {
        const std::size_t as = lex::find_at_level(item, 0, " AS ", reader.rules);
        std::string_view expression = item, alias, name;
        if (as != npos) {
            expression = lex::trimmed(item.substr(0, as));
            alias = name = lex::trimmed(item.substr(as + 4));
        } else if (alias = bare_alias(item, reader.session.dialect, reader.session.letters); !alias.empty()) {
            expression = lex::trimmed(item.substr(0, item.size() - alias.size()));  // 'x' total
            name = alias;
        } else {
            name = chain_last(reader, item);
        }
        std::string given;
        if (name.empty() && alias.empty() && !item.empty() && item.back() != '*') {
            given = "EXP_" + std::to_string(items.size() + 1);
        }
        if ((name.empty() && given.empty()) || (!alias.empty() && chain_last(reader, alias) != alias)) return false;
        items.push_back({item, expression, name, std::move(given)});
    }
    // the names given live in the items, which move no more from here on
    for (Item &item : items) {
        if (!item.given.empty()) item.name = item.given;
    }
    return !items.empty() && name_twins(reader, items) && names_unique(reader, items);
}

// The column an ORDER BY item sorts on: a position in the field list, an item's expression or its
// name; empty when it is none of them.
std::string_view ordered_column(const Reader &reader, std::string_view key, const std::vector<Item> &items) {
    if (!key.empty() && key.find_first_not_of("0123456789") == npos) {
        const std::size_t position = key.size() > 4 ? 0 : std::stoul(std::string(key));
        return position >= 1 && position <= items.size() ? items[position - 1].name : std::string_view{};
    }
    for (const Item &item : items) {
        if (same_text(reader, key, item.expression) || same_name(reader, key, item.name)) return item.name;
    }
    return {};
}

// ORDER BY's items (the text after ORDER BY) as the result's column names, each with its direction.
// A key that is no item's (a column the list does not show, an expression) is carried by the member
// as a column of its own, PERCENT_KEY and its position in 'hidden', unless the member is DISTINCT,
// whose rows such a column would change.
bool order_over_names(const Reader &reader, std::string_view order, const std::vector<Item> &items, bool distinct,
                      std::vector<std::string_view> &hidden, std::string &out) {
    for (std::string_view key : list_items(reader, order)) {
        std::string_view direction;
        for (std::string_view d : {std::string_view(" ASC"), std::string_view(" DESC")}) {
            if (key.size() > d.size() && same_text(reader, key.substr(key.size() - d.size()), d)) {
                direction = d;
                key = lex::trimmed(key.substr(0, key.size() - d.size()));
            }
        }
        const std::string_view column = ordered_column(reader, key, items);
        const bool position = !key.empty() && key.find_first_not_of("0123456789") == npos;
        if (column.empty() && (distinct || key.empty() || position)) return false;
        if (!out.empty()) out += ", ";
        if (column.empty()) {
            hidden.push_back(key);
            out.append("PERCENT_KEY").append(std::to_string(hidden.size()));
        } else {
            out.append(column);
        }
        out.append(direction);
    }
    return !out.empty();
}

// The member without its ORDER BY: the field list (each expression without a name of its own given
// one), FROM, WHERE, GROUP BY and HAVING.
std::string member_text(Clauses &clauses, const std::vector<Item> &items, const std::vector<std::string_view> &hidden = {}) {
    const std::string_view select = lex::trimmed(clauses.select().view());
    std::string member(select);
    if (!hidden.empty() || std::any_of(items.begin(), items.end(), [](const Item &item) { return !item.given.empty(); })) {
        member.resize(items_start(select));
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0) member += ", ";
            if (items[i].given.empty()) member += items[i].text;
            else member.append(items[i].expression).append(" AS ").append(items[i].given);
        }
        for (std::size_t i = 0; i < hidden.size(); ++i) {
            member.append(", ").append(hidden[i]).append(" AS PERCENT_KEY").append(std::to_string(i + 1));
        }
    }
    for (int i = 2; i < 5; ++i) {
        if (clauses.buffers[i] && !clauses.buffers[i].empty()) member.append(" ").append(lex::trimmed(clauses.buffers[i].view()));
    }
    return member;
}

Text filled(std::string_view form, const std::vector<Item> &items, std::string_view ordering, std::string_view member, int n) {
    Text out = Text::obtain(form.size() + member.size() + 2 * ordering.size() + 64, memory);
    templates::for_each_piece(
        form, [&](std::string_view plain) { out.append(plain); },
        [&](char slot) {
            if (slot == 'm') out.append(member);
            if (slot == 'r') out.append(ordering);
            if (slot == 'n') out.append(std::to_string(n));
            for (std::size_t i = 0; slot == 'o' && i < items.size(); ++i) {
                if (i > 0) out.append(", ");
                out.append(items[i].name);
            }
        });
    return out;
}

// The member that selects * (whose columns cannot be named again without the form's own): the rows
// that fewer than n percent of the rows sort before (%b: a row of PERCENT_BEFORE sorts before the row
// of PERCENT_ROWS), so that ties at the cut are kept as FoxPro keeps them; %r ORDER BY over the
// columns. Plain SQL, for every dialect with a percent_member form.
constexpr std::string_view percent_all_form =
    "SELECT * FROM (%m) AS PERCENT_ROWS WHERE (SELECT COUNT(*) FROM (%m) AS PERCENT_BEFORE WHERE %b) < "
    "(SELECT CEIL(COUNT(*) * %n / 100.0) FROM (%m) AS PERCENT_ALL) ORDER BY %r";

// How a row of PERCENT_BEFORE compares with the row of PERCENT_ROWS on one ORDER BY key (%k its
// column): before it ascending, before it descending, or equal. .NULL. sorts first, as in FoxPro.
constexpr std::string_view key_forms[] = {
    "(PERCENT_BEFORE.%k < PERCENT_ROWS.%k OR PERCENT_BEFORE.%k IS NULL AND PERCENT_ROWS.%k IS NOT NULL)",
    "(PERCENT_BEFORE.%k > PERCENT_ROWS.%k OR PERCENT_ROWS.%k IS NULL AND PERCENT_BEFORE.%k IS NOT NULL)",
    "(PERCENT_BEFORE.%k = PERCENT_ROWS.%k OR PERCENT_BEFORE.%k IS NULL AND PERCENT_ROWS.%k IS NULL)",
};

void append_key(std::string &out, std::string_view form, std::string_view column) {
    templates::for_each_piece(
        form, [&](std::string_view plain) { out.append(plain); }, [&](char) { out.append(column); });
}

// ORDER BY's keys, each a column's name (t.c is the member's column c), as the outer query's ORDER
// BY in 'ordering' and as the condition that a row sorts before another in 'before': before on the
// first key, or equal on it and before on the rest. False when a key is no name.
bool keys_over_star(const Reader &reader, std::string_view order, std::string &ordering, std::string &before) {
    std::string_view previous;
    std::size_t nested = 0;
    for (std::string_view key : list_items(reader, order)) {
        bool descending = false;
        for (std::string_view d : {std::string_view(" ASC"), std::string_view(" DESC")}) {
            if (key.size() > d.size() && same_text(reader, key.substr(key.size() - d.size()), d)) {
                descending = d.size() == 5;
                key = lex::trimmed(key.substr(0, key.size() - d.size()));
            }
        }
        const std::string_view column = chain_last(reader, key);
        if (column.empty()) return false;
        if (!previous.empty()) {
            ordering += ", ";
            before += " OR (";
            append_key(before, key_forms[2], previous);
            before += " AND ";
            ++nested;
        }
        ordering.append(column).append(descending ? " DESC" : "");
        append_key(before, key_forms[descending ? 1 : 0], column);
        previous = column;
    }
    before.append(nested, ')');
    return !previous.empty();
}

// The member that selects * (or t.*) for TOP n PERCENT in the form for it; an empty text when
// ORDER BY's keys are not all names.
Text percent_all(const Reader &reader, Clauses &clauses, std::string_view order) {
    const std::string_view form = percent_all_form;
    std::string ordering, before;
    if (!keys_over_star(reader, order, ordering, before)) return {};
    const std::string member = member_text(clauses, {});
    Text out = Text::obtain(form.size() + 3 * member.size() + ordering.size() + before.size() + 16, memory);
    templates::for_each_piece(
        form, [&](std::string_view plain) { out.append(plain); },
        [&](char slot) {
            if (slot == 'm') out.append(member);
            if (slot == 'r') out.append(ordering);
            if (slot == 'b') out.append(before);
            if (slot == 'n') out.append(std::to_string(clauses.percent));
        });
    return out;
}

// The select list is * or t.* alone.
bool selects_star(const Reader &reader, std::string_view list) {
    if (list == "*") return true;
    return list.size() > 2 && list.ends_with(".*") && !chain_last(reader, list.substr(0, list.size() - 2)).empty();
}

// An item of the list is * or t.*, beside others (t.*, c AS x), whose columns cannot all be named.
bool has_star(const Reader &reader, std::string_view list) {
    const std::vector<std::string_view> items = list_items(reader, list);
    return std::any_of(items.begin(), items.end(), [&](std::string_view item) { return selects_star(reader, item); });
}

// Beside other items, a t.* leaves the derived table t's columns and the items': each ORDER BY key is
// read there, so one qualified by another table (o.total where li.* is selected) is refused, since
// a column of t of that name would be sorted on instead.
bool keys_of_star_tables(const Reader &reader, std::string_view list, std::string_view order) {
    const std::vector<std::string_view> items = list_items(reader, list);
    for (std::string_view key : list_items(reader, order)) {
        const std::size_t blank = key.find(' ');
        const std::string_view name = key.substr(0, blank);
        const std::size_t dot = name.rfind('.');
        if (dot == npos) continue;
        const std::string_view table = name.substr(0, dot);
        const bool starred = std::any_of(items.begin(), items.end(), [&](std::string_view item) {
            return item.size() == table.size() + 2 && item.ends_with(".*") && same_name(reader, item.substr(0, table.size()), table);
        });
        if (!starred) return false;
    }
    return true;
}

// The member rewritten by the dialect's form for its select list: its columns named again, or *.
Text rewritten_member(const Reader &reader, Clauses &clauses, std::string_view order) {
    const std::string_view select = clauses.select().view();
    const std::string_view list = lex::trimmed(select.substr(items_start(select)));
    if (selects_star(reader, list)) return percent_all(reader, clauses, order);
    std::vector<Item> items;
    std::vector<std::string_view> hidden;
    std::string ordering;
    if (!read_items(reader, list, items)) {
        const bool star = has_star(reader, list) && keys_of_star_tables(reader, list, order);
        return star ? percent_all(reader, clauses, order) : Text{};
    }
    if (!order_over_names(reader, order, items, select.starts_with("SELECT DISTINCT "), hidden, ordering)) return {};
    return filled(reader.session.dialect.percent_member, items, ordering, member_text(clauses, items, hidden),
                  clauses.percent);
}

}  // namespace

bool percent_member_pass(Session &session, Clauses &clauses) {
    const Reader reader{session, clause_literals(session.dialect)};
    if (!clauses.select().view().starts_with("SELECT ")) return false;
    // ORDER BY up to a FoxPro destination written after it (INTO, TO), which stays at the end
    std::string_view order = clauses.order().view();
    if (!order.starts_with("ORDER BY ")) return false;
    std::size_t end = lex::find_at_level(order, 0, " INTO ", reader.rules);
    end = std::min(end, lex::find_at_level(order, 0, " TO ", reader.rules));
    const std::string_view destination = end == npos ? std::string_view{} : lex::trimmed(order.substr(end));
    Text rewritten = rewritten_member(reader, clauses, lex::trimmed(order.substr(9, end == npos ? npos : end - 9)));
    if (!rewritten) return false;
    std::string kept(destination);
    for (int i = 2; i < 6; ++i) clauses.buffers[i].release();
    clauses.select() = std::move(rewritten);
    if (!kept.empty()) {
        clauses.order() = Text::obtain(kept.size() + 1, memory);
        clauses.order().append(kept);
    }
    return true;
}

void keep_top_percent(Clauses &clauses) {
    Text &select = clauses.select();
    const std::string_view text = select.view();
    const std::size_t at = items_start(text);
    select.set_message(memory);
    const bool blank = at < text.size() && text[at] == ' ';
    select.insert(at, "TOP " + std::to_string(clauses.percent) + (blank ? " PERCENT" : " PERCENT "));
}

}  // namespace tarnvel::select
