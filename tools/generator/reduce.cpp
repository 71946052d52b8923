#include "reduce.h"

#include "render.h"

#include <algorithm>

namespace foxgen {
namespace {

// How often the name (an alias or a table) qualifies a field or a star in the part.
std::size_t uses(const Node &n, const std::string &name);
std::size_t uses(const Query &q, const std::string &name);

std::size_t uses(const Node &n, const std::string &name) {
    std::size_t count = n.kind == NodeKind::column && n.owner == name ? 1 : 0;
    for (const Node &a : n.args) count += uses(a, name);
    for (const Query &q : n.query) count += uses(q, name);
    return count;
}

std::size_t uses(const Query &q, const std::string &name) {
    std::size_t count = 0;
    for (const Select &s : q.members) {
        for (const Item &it : s.items) {
            count += it.star() ? (it.star_owner == name ? 1 : 0) : uses(it.expr[0], name);
        }
        for (const Query &d : s.from.derived) count += uses(d, name);
        for (const Join &j : s.joins) {
            for (const Query &d : j.table.derived) count += uses(d, name);
            for (const Node &on : j.on) count += uses(on, name);
        }
        for (const Node &n : s.where) count += uses(n, name);
        for (const Node &n : s.group_by) count += uses(n, name);
        for (const Node &n : s.having) count += uses(n, name);
    }
    for (const OrderKey &k : q.order_by) count += uses(k.key, name);
    return count;
}

bool refers_to_item(const Node &n, int item) {
    if ((n.kind == NodeKind::item_name || n.kind == NodeKind::item_number) && n.item == item) return true;
    return std::any_of(n.args.begin(), n.args.end(), [&](const Node &a) { return refers_to_item(a, item); });
}

void renumber(Node &n, int removed) {
    if (n.item > removed) --n.item;
    for (Node &a : n.args) renumber(a, removed);
}

bool has_aggregate(const Node &n) {
    return n.aggregate || std::any_of(n.args.begin(), n.args.end(), has_aggregate);
}

// The fields an expression names outside aggregates and subqueries.
void bare_fields(const Node &n, std::vector<const Node *> &out) {
    if (n.aggregate || !n.query.empty()) return;
    if (n.kind == NodeKind::column) out.push_back(&n);
    for (const Node &a : n.args) bare_fields(a, out);
}

// Whether a member that groups names, outside aggregates, only fields it groups by (by name, or
// by the number of an item that is the field, or in an item grouped by its number).
bool grouping_holds(const Select &s) {
    const bool grouped = !s.group_by.empty() || std::any_of(s.items.begin(), s.items.end(), [](const Item &it) {
                             return !it.star() && has_aggregate(it.expr[0]);
                         });
    if (!grouped) return true;
    auto grouped_field = [&](const Node &c) {
        return std::any_of(s.group_by.begin(), s.group_by.end(), [&](const Node &g) {
            const Node *named = &g;
            if (g.kind == NodeKind::item_number && !s.items[static_cast<std::size_t>(g.item)].star())
                named = &s.items[static_cast<std::size_t>(g.item)].expr[0];
            return named->kind == NodeKind::column && named->word == c.word && named->owner == c.owner;
        });
    };
    for (std::size_t i = 0; i < s.items.size(); ++i) {
        if (s.items[i].star()) return false;
        const bool by_number = std::any_of(s.group_by.begin(), s.group_by.end(), [&](const Node &g) {
            return g.kind == NodeKind::item_number && g.item == static_cast<int>(i);
        });
        std::vector<const Node *> bare;
        bare_fields(s.items[i].expr[0], bare);
        if (!by_number && !std::all_of(bare.begin(), bare.end(), [&](const Node *c) { return grouped_field(*c); }))
            return false;
    }
    for (const Node &h : s.having) {
        std::vector<const Node *> bare;
        bare_fields(h, bare);
        if (!std::all_of(bare.begin(), bare.end(), [&](const Node *c) { return grouped_field(*c); })) return false;
    }
    return true;
}

bool fits(Type want, Type have) {
    auto number = [](Type t) { return t == Type::number || t == Type::integer || t == Type::currency; };
    return want == have || (number(want) && number(have));
}

// Walks a statement and applies its k-th step; each place a step may be taken counts one.
class Editor {
public:
    Editor(Query &root, std::size_t k) : root_(root), k_(k) {}

    bool run() { return query(root_, true, false); }

private:
    bool take() {
        if (k_ == 0) return true;
        --k_;
        return false;
    }

    // 'outermost': the statement itself; 'fixed_items': the items are named from outside (a
    // derived table) or there must be one (a subquery).
    bool query(Query &q, bool outermost, bool fixed_items) {
        if (outermost) {
            if (!q.habits.plain() && take()) return q.habits = Habits{}, true;
            if (q.into.kind != Destination::none && take()) return q.into = Destination{}, true;
        }
        for (std::size_t m = 1; m < q.members.size(); ++m) {
            if (take()) {
                q.members.erase(q.members.begin() + static_cast<std::ptrdiff_t>(m));
                q.union_all.erase(q.union_all.begin() + static_cast<std::ptrdiff_t>(m - 1));
                if (m == q.members.size()) {  // the last member writes ORDER BY and INTO
                    q.members.back().clauses.push_back(Clause::order_by);
                    q.members.back().clauses.push_back(Clause::into);
                }
                return true;
            }
        }
        const bool top = q.members.back().top > 0;
        if (!q.order_by.empty() && !top && take()) return q.order_by.clear(), true;
        for (std::size_t i = 0; i < q.order_by.size(); ++i) {
            if (q.order_by.size() > 1 && take()) {
                q.order_by.erase(q.order_by.begin() + static_cast<std::ptrdiff_t>(i));
                return true;
            }
        }
        if (!fixed_items && drop_item(q)) return true;
        for (Select &s : q.members) {
            if (member(s)) return true;
        }
        for (OrderKey &k : q.order_by) {
            if (k.direction != 0 && take()) return k.direction = 0, true;
            if (k.style != 0 && take()) return k.style = 0, true;
            if (k.key.style != 0 && take()) return k.key.style = 0, true;
        }
        if (q.style != 0 && take()) return q.style = 0, true;
        return false;
    }

    bool drop_item(Query &q) {
        Select &first = q.members.front();
        if (first.items.size() < 2) return false;
        for (std::size_t i = 0; i < first.items.size(); ++i) {
            const int index = static_cast<int>(i);
            bool named = false;
            for (const Select &s : q.members) {
                for (const Node &g : s.group_by) named = named || refers_to_item(g, index);
                for (const Node &h : s.having) named = named || refers_to_item(h, index);
            }
            std::size_t keys_left = 0;
            for (const OrderKey &k : q.order_by) keys_left += k.key.item == index ? 0 : 1;
            if (named || (q.members.back().top > 0 && keys_left == 0)) continue;
            if (!take()) continue;
            for (Select &s : q.members) {
                if (i < s.items.size()) s.items.erase(s.items.begin() + static_cast<std::ptrdiff_t>(i));
                for (Node &g : s.group_by) renumber(g, index);
                for (Node &h : s.having) renumber(h, index);
            }
            q.order_by.erase(std::remove_if(q.order_by.begin(), q.order_by.end(),
                                            [&](const OrderKey &k) { return k.key.item == index; }),
                             q.order_by.end());
            for (OrderKey &k : q.order_by) renumber(k.key, index);
            return true;
        }
        return false;
    }

    bool member(Select &s) {
        if (s.style != 0 && take()) return s.style = 0, true;
        std::vector<Clause> plain;
        for (Clause c : {Clause::where, Clause::group_by, Clause::having, Clause::order_by, Clause::into}) {
            if (std::find(s.clauses.begin(), s.clauses.end(), c) != s.clauses.end()) plain.push_back(c);
        }
        if (s.clauses != plain && take()) return s.clauses = plain, true;
        if (s.where_first && take()) return s.where_first = false, true;
        if (!s.where.empty() && take()) return s.where.clear(), true;
        if (!s.having.empty() && take()) return s.having.clear(), true;
        if (s.distinct && take()) return s.distinct = false, true;
        if (s.all_word && take()) return s.all_word = false, true;
        if (s.top_percent && take()) return s.top_percent = false, true;
        if (s.top > 0 && take()) {
            s.top = 0;
            s.clauses.erase(std::remove(s.clauses.begin(), s.clauses.end(), Clause::top), s.clauses.end());
            return true;
        }
        if (s.force && take()) return s.force = false, true;
        for (std::size_t g = 0; g < s.group_by.size(); ++g) {
            Select without = s;
            without.group_by.erase(without.group_by.begin() + static_cast<std::ptrdiff_t>(g));
            if (grouping_holds(without) && take()) return s.group_by = std::move(without.group_by), true;
        }
        if (!s.joins.empty()) {  // the first table, when nothing names it: the next one takes its place
            const Join &next = s.joins.front();
            const std::string &name = s.from.name();
            std::size_t own = 0;
            for (const Node &on : next.on) own += uses(on, name);
            if (uses(root_, name) == own && take()) {
                s.from = next.table;
                s.joins.erase(s.joins.begin());
                return true;
            }
        }
        for (std::size_t j = 0; j < s.joins.size(); ++j) {
            const Join &join = s.joins[j];
            const std::string &name = join.table.name();
            std::size_t own = 0;
            for (const Node &on : join.on) own += uses(on, name);
            if (uses(root_, name) == own && take()) {
                s.joins.erase(s.joins.begin() + static_cast<std::ptrdiff_t>(j));
                return true;
            }
        }
        for (Join &j : s.joins) {
            if (j.kind != JoinKind::comma && j.kind != JoinKind::inner && take()) {
                j.kind = JoinKind::inner;
                j.outer_word = false;  // no INNER OUTER JOIN
                return true;
            }
            if (j.outer_word && take()) return j.outer_word = false, true;
            if (j.style != 0 && take()) return j.style = 0, true;
            if (table(j.table)) return true;
        }
        if (table(s.from)) return true;
        for (Item &it : s.items) {
            if (it.style != 0 && take()) return it.style = 0, true;
            if (!it.alias.empty() && !it.as_word && take()) return it.as_word = true, true;
            if (!it.star() && node(it.expr[0])) return true;
        }
        for (Node &n : s.where) {
            if (node(n)) return true;
        }
        for (Join &j : s.joins) {
            for (Node &n : j.on) {
                if (node(n)) return true;
            }
        }
        for (Node &n : s.having) {
            if (node(n)) return true;
        }
        for (Node &n : s.group_by) {
            if (n.style != 0 && take()) return n.style = 0, true;
        }
        return false;
    }

    bool table(TableRef &t) {
        if (t.database && take()) return t.database = false, true;
        if (t.buffering && take()) return t.buffering = false, true;
        if (t.as_word && take()) return t.as_word = false, true;
        if (t.style != 0 && take()) return t.style = 0, true;
        for (Query &d : t.derived) {
            if (query(d, false, true)) return true;
        }
        return false;
    }

    bool node(Node &n) {
        if (!n.simple.empty() && take()) {
            Node simple = std::move(n.simple[0]);
            n = std::move(simple);
            return true;
        }
        if (!n.aggregate && !n.pinned) {
            for (std::size_t i = 0; i < n.args.size(); ++i) {
                if (fits(n.type, n.args[i].type) && take()) {
                    Node child = std::move(n.args[i]);
                    n = std::move(child);
                    return true;
                }
            }
        }
        if (n.negated && take()) return n.negated = false, true;
        const bool list = n.kind == NodeKind::in_list || (n.kind == NodeKind::call && n.word == "INLIST");
        if (list && n.args.size() > 2) {  // a list element (the first argument is the value sought)
            for (std::size_t i = 1; i < n.args.size(); ++i) {
                if (take()) {
                    n.args.erase(n.args.begin() + static_cast<std::ptrdiff_t>(i));
                    return true;
                }
            }
        }
        if (n.style != 0 && take()) return n.style = 0, true;
        for (Node &a : n.args) {
            if (node(a)) return true;
        }
        for (Query &q : n.query) {
            if (query(q, false, true)) return true;
        }
        return false;
    }

    Query &root_;
    std::size_t k_;
};

}  // namespace

std::vector<Query> reduction_steps(const Query &query) {
    std::vector<Query> steps;
    for (std::size_t k = 0;; ++k) {
        Query candidate = query;
        if (!Editor(candidate, k).run()) return steps;
        steps.push_back(std::move(candidate));
    }
}

Query reduce(Query query, const Keeps &keeps, std::size_t tries) {
    for (bool changed = true; changed && tries > 0;) {
        changed = false;
        for (std::size_t k = 0; tries > 0;) {
            Query candidate = query;
            if (!Editor(candidate, k).run()) break;
            --tries;
            if (keeps(render(candidate))) {
                query = std::move(candidate);
                changed = true;
            } else {
                ++k;
            }
        }
    }
    return query;
}

}  // namespace foxgen
