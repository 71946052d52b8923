#include "select/full_join_nested.h"

#include "lex/classes.h"

#include <array>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

using lex::trimmed;

// The qualifier of a qualified column, q.name, both words of item characters; empty for any other
// operand (a literal, an expression, a bare name).
std::string_view qualifier_of(std::string_view side, const lex::Alphabet &letters) {
    const std::size_t dot = side.find('.');
    if (dot == npos || dot == 0 || dot + 1 == side.size() || side.find('.', dot + 1) != npos) return {};
    for (std::size_t i = 0; i < side.size(); ++i) {
        if (i != dot && !lex::is_item_char(letters, side[i])) return {};
    }
    return side.substr(0, dot);
}

// The qualifiers a condition names, when it is equalities of qualified columns joined by AND.
struct Equalities {
    static constexpr std::size_t most = 16;
    std::array<std::string_view, 2 * most> names{};
    std::size_t count = 0;

    bool names_any(std::string_view q, const lex::Alphabet &letters) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (letters.same_letters(names[i], q)) return true;
        }
        return false;
    }
    bool names_only(std::string_view q1, std::string_view q2, const lex::Alphabet &letters) const {
        for (std::size_t i = 0; i < count; ++i) {
            if (!letters.same_letters(names[i], q1) && !letters.same_letters(names[i], q2)) return false;
        }
        return true;
    }
};

bool read_equalities(std::string_view condition, const lex::Alphabet &letters, const lex::LiteralRules &rules,
                     Equalities &eq) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t and_at = lex::find_at_level(condition, from, " AND ", rules);
        const std::string_view term = trimmed(condition.substr(from, and_at == npos ? npos : and_at - from));
        const std::size_t equals = term.find(" = ");
        if (equals == npos || eq.count + 2 > eq.names.size()) return false;
        const std::string_view left = qualifier_of(trimmed(term.substr(0, equals)), letters);
        const std::string_view right = qualifier_of(trimmed(term.substr(equals + 3)), letters);
        if (left.empty() || right.empty()) return false;
        eq.names[eq.count++] = left;
        eq.names[eq.count++] = right;
        if (and_at == npos) return eq.count > 0;
        from = and_at + 5;
    }
}

// The name a table of the list goes by: its alias, or its name (ORDERS O, ORDERS AS O, ORDERS).
std::string_view table_name(std::string_view table, const lex::Alphabet &letters) {
    table = trimmed(table);
    const std::size_t blank = table.rfind(' ');
    const std::string_view name = blank == npos ? table : table.substr(blank + 1);
    if (name.empty()) return {};
    for (char c : name) {
        if (!lex::is_item_char(letters, c) || c == '.') return {};
    }
    return name;
}

// The text of the FROM clause around a FULL JOIN in the right operand of the join before it:
// from[0, full) ends with b, and the FULL JOIN's right operand c, its ON y, the outer ON x follow.
struct NestedFull {
    std::size_t full = 0, right = 0;  // FULL; c
    std::string_view b, c, y, x;
    std::size_t x_end = 0;
    bool under_full = false;  // else under LEFT
};

// The end of FULL [OUTER] JOIN at 'full'; npos when JOIN does not follow.
std::size_t after_full(std::string_view from, std::size_t full) {
    std::size_t join = full + 6;
    if (from.substr(join).starts_with("OUTER ")) join += 6;
    return from.substr(join).starts_with("JOIN ") ? join + 5 : npos;
}

// The join before b: false unless it is a LEFT or a FULL JOIN and b a table alone.
bool join_before(std::string_view before, const lex::LiteralRules &rules, NestedFull &n) {
    const LastJoin join = last_join(before, rules);
    if (join.at == npos) return false;
    n.b = trimmed(before.substr(join.at + 6));
    if (lex::find_at_level(n.b, 0, " ON ", rules) != npos || lex::find_at_level(n.b, 0, ",", rules) != npos) return false;
    n.under_full = join.before.ends_with(" FULL");
    return n.under_full || join.before.ends_with(" LEFT");
}

// Reads the nested FULL JOIN at 'full'; false for any other shape.
bool read_nested(std::string_view from, std::size_t full, const lex::LiteralRules &rules, NestedFull &n) {
    n.full = full;
    n.right = after_full(from, full);
    if (n.right == npos) return false;
    const std::size_t on = own_on(from, n.right, rules);
    if (on == npos) return false;
    n.c = trimmed(from.substr(n.right, on - n.right));
    const std::size_t outer = lex::find_at_level(from, on + 4, " ON ", rules);
    if (outer == npos) return false;
    n.y = trimmed(from.substr(on + 4, outer - on - 4));
    n.x_end = from.size();
    for (std::string_view word : {" JOIN ", " INNER ", " LEFT ", " RIGHT ", " CROSS ", " FULL ", " ON ", ","}) {
        n.x_end = std::min(n.x_end, lex::find_at_level(from, outer + 4, word, rules));
        if (word != " ON " && lex::find_at_level(n.y, 0, word, rules) != npos) return false;
    }
    if (lex::find_at_level(n.c, 0, " JOIN ", rules) != npos) return false;
    if (from.substr(n.x_end).starts_with(" ON ")) return false;  // nested deeper
    n.x = trimmed(from.substr(outer + 4, n.x_end - outer - 4));
    return join_before(from.substr(0, full), rules, n);
}

// The join word that gives the nested FULL JOIN's rows, or empty when the conditions do not show it.
std::string_view sound_join(const NestedFull &n, const lex::Alphabet &letters, const lex::LiteralRules &rules) {
    const std::string_view b = table_name(n.b, letters), c = table_name(n.c, letters);
    Equalities x, y;
    if (b.empty() || c.empty() || letters.same_letters(b, c) || !read_equalities(n.x, letters, rules, x)) return {};
    const bool x_b = x.names_any(b, letters), x_c = x.names_any(c, letters);
    if (!n.under_full) {
        if (x_b != x_c) return x_b ? " LEFT OUTER JOIN " : " RIGHT OUTER JOIN ";
        return {};
    }
    if (!x_b || x_c || !read_equalities(n.y, letters, rules, y)) return {};
    return y.names_any(b, letters) && y.names_only(b, c, letters) ? " FULL OUTER JOIN " : std::string_view{};
}

}  // namespace

LastJoin last_join(std::string_view text, const lex::LiteralRules &rules) {
    LastJoin join{npos, {}};
    for (std::size_t at = lex::find_at_level(text, 0, " JOIN ", rules); at != npos;
         at = lex::find_at_level(text, at + 1, " JOIN ", rules)) {
        join.at = at;
    }
    if (join.at == npos) return join;
    join.before = text.substr(0, join.at);
    if (join.before.ends_with(" OUTER")) join.before.remove_suffix(6);
    return join;
}

std::size_t own_on(std::string_view from, std::size_t right, const lex::LiteralRules &rules) {
    std::size_t at = right, joins = 0;
    for (;;) {
        const std::size_t on = lex::find_at_level(from, at, " ON ", rules);
        if (on == npos || lex::find_at_level(from.substr(0, on), at, ",", rules) != npos) return npos;
        for (std::size_t j = lex::find_at_level(from.substr(0, on), at, " JOIN ", rules); j != npos;
             j = lex::find_at_level(from.substr(0, on), j + 1, " JOIN ", rules)) {
            ++joins;
        }
        if (joins == 0) return on;
        --joins;
        at = on + 4;
    }
}

bool unnest_full_join(std::string_view from, const lex::Alphabet &letters, const lex::LiteralRules &rules,
                      std::string &out) {
    for (std::size_t full = lex::find_at_level(from, 0, " FULL ", rules); full != npos;
         full = lex::find_at_level(from, full + 1, " FULL ", rules)) {
        NestedFull n;
        if (!read_nested(from, full, rules, n)) continue;
        const std::string_view join = sound_join(n, letters, rules);
        if (join.empty()) return false;
        out.assign(from.substr(0, full));
        if (n.under_full) {
            // a FULL JOIN b ON x FULL JOIN c ON y
            out.append(" ON ").append(n.x).append(join).append(n.c).append(" ON ").append(n.y);
        } else {
            out.append(join).append(from.substr(n.right, n.x_end - n.right));
        }
        out.append(from.substr(n.x_end));
        return true;
    }
    return false;
}

}  // namespace tarnvel::select
