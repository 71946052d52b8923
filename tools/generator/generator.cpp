#include "generator.h"

#include "functions.h"
#include "random.h"
#include "render.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

namespace foxgen {
namespace {

using enum Type;

struct SourceColumn {
    std::string name;
    Type type;
};

// A table, or a derived table, of a FROM clause: the name that qualifies its fields and its fields.
struct Source {
    std::string name;
    std::string table;  // the schema table, empty for a derived table
    std::vector<SourceColumn> columns;
};

struct Scope {
    std::vector<Source> sources;
    const Scope *outer = nullptr;  // the query a subquery stands in
};

// Where an expression stands.
struct Env {
    const Scope *scope = nullptr;
    const std::vector<Node> *keys = nullptr;  // grouped: the grouped columns a value may name
    bool aggregates = false;                  // aggregates may stand here (grouped list, HAVING)
    int depth = 0;                            // how deep in subqueries
};

bool fits(Type want, Type have) { return want == number ? numeric(have) : want == have; }

// The random draws must come in one order whatever the compiler, or a seed would name other
// statements elsewhere. A call's arguments are evaluated in no fixed order, the parts of a braced
// list from left to right: so the parts of a node that each draw are written as braced lists -
// Args{...}, call({...}), binary({...}) - or drawn one statement at a time.
struct Args : std::vector<Node> {
    template <typename... Nodes>
    Args(Nodes &&...nodes) {  // NOLINT: converts a braced list
        (push_back(std::forward<Nodes>(nodes)), ...);
    }
};

struct Call {
    std::string name;
    Type type;
    std::vector<Node> args;
};

struct Binary {
    Node left;
    std::string op;
    Node right;
    Type type;
};

int precedence(const Node &n) {
    switch (n.kind) {
    case NodeKind::binary:
        if (n.word == "OR" || n.word == ".OR.") return 1;
        if (n.word == "AND" || n.word == ".AND.") return 2;
        if (n.word == "+" || n.word == "-") return 5;
        if (n.word == "*" || n.word == "/") return 6;
        if (n.word == "^" || n.word == "**") return 8;
        return 4;  // comparisons and $
    case NodeKind::unary: return n.word == "-" ? 7 : 3;
    case NodeKind::exists: return n.negated ? 3 : 8;
    case NodeKind::is_null:
    case NodeKind::between:
    case NodeKind::in_list:
    case NodeKind::like:
    case NodeKind::in_query:
    case NodeKind::compare_query: return 4;
    default: return 8;
    }
}

// String contents: plain words, and the characters and words a converter must not read as syntax
// when they stand inside a literal.
constexpr std::string_view texts[] = {
    "abc", "A", "X", "Mary", "New York", "Smith", "P", "S", "0001", "it's", "say \"hi\"", "a,b", "(", "x)",
    "((", "SELECT", "from t", " AND ", "or", "WHERE 1=1", "GROUP BY", "ORDER BY x", "UNION", "--", "/* c */",
    "#1", "$5", "!", "==", ".T.", "{^2020-01-01}", "m.x", "?p", "100%", "a;b", "x^2", "\xC3\xBC",
    "Z\xC3\xBCrich", "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "\xE6\x97\xA5\xE6\x9C\x9F",
    "c:\\data\\", "", " ", "  x  ", "tab\there", "[x]", "INTO CURSOR c", "IS NULL", "a.b", "O'Neil \"Jr\"",
};
constexpr std::string_view patterns[] = {"A%", "%a%", "_b%", "%x", "S%", "%", "1__", "%it's%", "New%"};
constexpr std::string_view numbers[] = {"0",    "1",     "2",      "5",       "10",        "100",
                                        "1.5",  "0.25",  "12.50",  "1000",    "3.14159",   "000000.00",
                                        "99999", "0.001", "7",     "250.75",  "1000000"};
constexpr std::string_view integers[] = {"0", "1", "2", "3", "5", "10", "42", "100"};
constexpr std::string_view dates[] = {"{^2024-01-31}", "{^1999-12-31}", "{^2016-02-29}", "{^2000-01-01}",
                                      "{^2010-08-16}", "{^2024-12-01}"};
constexpr std::string_view rare_dates[] = {"{^1700-01-01}", "{^2024-1-5}", "{^2024/03/15}", "{01/31/2024}",
                                           "{12/25/1999}"};
constexpr std::string_view empty_dates[] = {"{}", "{//}", "{  /  /  }"};
constexpr std::string_view datetimes[] = {"{^2024-01-31 13:45:00}", "{^2016-02-29 00:00:01}", "{^2024-01-31 13:45}",
                                          "{^2010-08-16 08:05:30}"};
constexpr std::string_view logicals[] = {".T.", ".F.", ".t.", ".f."};
constexpr std::string_view column_aliases[] = {
    "amt", "n_count", "c_label", "d_first", "t_last", "flag", "ratio", "city_up", "code2", "cname2", "nsum",
    "navg", "nmax", "nmin", "first_day", "descr2", "k1", "k2", "k3", "lbl", "x_val", "y_val",
    "\xD0\xB8\xD1\x82\xD0\xBE\xD0\xB3",  // итог
    "\xE5\x90\x8D\xE7\xA7\xB0",          // 名称
    "gr\xC3\xB6\xC3\x9F" "e",            // größe
    "a\xC3\xB1o", "wert",
};
constexpr std::string_view cursor_names[] = {"curs1", "c_result", "qtemp", "crsdata", "tmp_x"};

// Table aliases by table; a derived table takes one of the last row.
struct AliasRow {
    std::string_view table;
    std::string_view aliases[4];
};
constexpr AliasRow alias_rows[] = {
    {"customer", {"c", "cu", "cst", "cl"}}, {"orders", {"o", "od", "ord", "oo"}},
    {"product", {"p", "pr", "prd", "pp"}},  {"item", {"li", "it", "ln", "lines_"}},
    {"", {"x", "dt", "sq", "agg"}},
};

std::string quoted(std::string_view content, Random &r) {
    const bool single = content.find('\'') == std::string_view::npos;
    const bool dbl = content.find('"') == std::string_view::npos;
    const bool bracket = content.find(']') == std::string_view::npos && content.find('[') == std::string_view::npos;
    for (;;) {
        switch (r.weighted({60, 25, 15})) {
        case 0:
            if (single) return "'" + std::string(content) + "'";
            break;
        case 1:
            if (dbl) return "\"" + std::string(content) + "\"";
            break;
        default:
            if (bracket) return "[" + std::string(content) + "]";
        }
        if (!single && !dbl && !bracket) return "'x'";  // no content of the table is like that
    }
}

class Builder {
public:
    Builder(std::uint64_t seed, Family family) : r_(seed), wide_(family == Family::wide) {}

    Query statement() {
        Query q;
        q.style = style();
        Habits &h = q.habits;
        h.letter_case = static_cast<int>(r_.weighted({35, 25, 15, 10, 10, 5}));
        h.blanks = static_cast<int>(r_.weighted({50, 35, 15}));
        h.tight = r_.chance(25);
        h.abbreviates = r_.chance(25);
        Scope none;
        const int members = r_.chance(8) ? r_.between(2, 3) : 1;
        build_query(q, members, 0, &none, {}, true);
        return q;
    }

private:
    std::uint64_t style() { return r_.next() | 1; }

    Node make(NodeKind kind, Type type, std::string word = {}) {
        Node n;
        n.kind = kind;
        n.type = type;
        n.word = std::move(word);
        n.style = style();
        return n;
    }
    Node number_literal(std::string text) { return make(NodeKind::literal, number, std::move(text)); }
    Node string_literal(std::string_view content) { return make(NodeKind::literal, character, quoted(content, r_)); }

    Node call(Call c) {
        Node n = make(NodeKind::call, c.type, std::move(c.name));
        n.args = std::move(c.args);
        return n;
    }
    // The node as an operand of an operator that binds at 'at' or tighter.
    Node operand(Node n, int at) {
        if (precedence(n) >= at && !r_.chance(4)) return n;
        if (precedence(n) >= at && n.kind != NodeKind::binary) return n;
        Node p = make(NodeKind::paren, n.type);
        p.args.push_back(std::move(n));
        return p;
    }
    Node binary(Binary b) {
        const std::string &op = b.op;
        int at = 5, right_at = 5;
        if (op == "OR" || op == ".OR.") at = 1, right_at = 2;
        else if (op == "AND" || op == ".AND.") at = 2, right_at = 3;
        else if (op == "+" || op == "-") at = 5, right_at = 6;
        else if (op == "*" || op == "/") at = 6, right_at = 7;
        else if (op == "^" || op == "**") at = 8, right_at = 9;  // FoxPro's power: left to right
        Node n = make(NodeKind::binary, b.type, b.op);
        n.args.push_back(operand(std::move(b.left), at));
        n.args.push_back(operand(std::move(b.right), right_at));
        return n;
    }
    // A simpler stand-in of the same type for the reduction: a field, or a literal.
    void add_simple(Node &n, Type t, const Env &env) {
        if (n.kind == NodeKind::column || n.kind == NodeKind::literal || env.aggregates) return;
        Env plain = env;
        std::optional<Node> c = column(t, plain, false);
        Node s = c ? std::move(*c) : literal(t);
        s.style = 0;
        n.simple.push_back(std::move(s));
    }

    // --- aliases ---

    std::string table_alias(std::string_view table) {
        const AliasRow *row = &alias_rows[std::size(alias_rows) - 1];
        for (const AliasRow &a : alias_rows) {
            if (a.table == table) row = &a;
        }
        std::vector<std::string> free;
        for (std::string_view a : row->aliases) {
            if (!aliases_.count(std::string(a))) free.emplace_back(a);
        }
        std::string alias = free.empty() ? std::string(row->aliases[0]) + std::to_string(aliases_.size())
                                         : free[r_.below(free.size())];
        aliases_.insert(alias);
        return alias;
    }

    // --- leaves ---

    // Every field of the scope that fits, each with whether its name alone is unambiguous.
    std::vector<std::pair<const Source *, const SourceColumn *>> fields(Type t, const Scope &scope) {
        std::vector<std::pair<const Source *, const SourceColumn *>> out;
        for (const Source &s : scope.sources) {
            for (const SourceColumn &c : s.columns) {
                if (fits(t, c.type)) out.emplace_back(&s, &c);
            }
        }
        return out;
    }
    bool unique_name(const std::string &name, const Scope &scope) {
        int seen = 0;
        for (const Scope *s = &scope; s; s = s->outer) {
            for (const Source &src : s->sources) {
                for (const SourceColumn &c : src.columns) seen += c.name == name ? 1 : 0;
            }
        }
        return seen == 1;
    }
    Node field(const Source &s, const SourceColumn &c, const Scope &scope, bool force_qualified) {
        Node n = make(NodeKind::column, c.type, c.name);
        n.owner = s.name;
        n.qualified = force_qualified || scope.sources.size() > 1 || !unique_name(c.name, scope) || r_.chance(40);
        return n;
    }
    // A field of the type, from the place's own tables (or, now and then, the outer query's).
    std::optional<Node> column(Type t, const Env &env, bool outer) {
        if (env.keys) {
            std::vector<const Node *> keys;
            for (const Node &k : *env.keys) {
                if (fits(t, k.type)) keys.push_back(&k);
            }
            if (keys.empty()) return std::nullopt;
            Node n = *keys[r_.below(keys.size())];
            n.style = style();
            n.item = -1;
            return n;
        }
        if (!env.scope) return std::nullopt;
        if (outer && env.scope->outer && !env.scope->outer->sources.empty() && r_.chance(40)) {
            auto found = fields(t, *env.scope->outer);
            if (!found.empty()) {
                auto [s, c] = found[r_.below(found.size())];
                return field(*s, *c, *env.scope->outer, true);
            }
        }
        auto found = fields(t, *env.scope);
        if (found.empty()) return std::nullopt;
        auto [s, c] = found[r_.below(found.size())];
        return field(*s, *c, *env.scope, false);
    }

    // A field of any type but memo.
    Node any_field(const Env &env) {
        for (int tries = 0; tries < 8; ++tries) {
            if (std::optional<Node> c = column(comparable_type(), env, false)) return std::move(*c);
        }
        for (Type t : {character, number, date, datetime, logical}) {
            if (std::optional<Node> c = column(t, env, false)) return std::move(*c);
        }
        return literal(number);
    }

    Node literal(Type t) {
        switch (t) {
        case character: return make(NodeKind::literal, t, quoted(r_.pick(texts), r_));
        case integer: return make(NodeKind::literal, t, std::string(r_.pick(integers)));
        case number:
        case currency: return number_literal(std::string(r_.pick(numbers)));
        case date: {
            if (wide_ && r_.chance(10)) return make(NodeKind::literal, t, std::string(r_.pick(wide_dates())));
            const std::size_t kind = r_.weighted({80, 12, 8});
            if (kind == 1) return make(NodeKind::literal, t, std::string(r_.pick(empty_dates)));
            if (kind == 2) return make(NodeKind::literal, t, std::string(r_.pick(rare_dates)));
            return make(NodeKind::literal, t, std::string(r_.pick(dates)));
        }
        case datetime:
            return make(NodeKind::literal, t, r_.chance(2) ? std::string("{/:}") : std::string(r_.pick(datetimes)));
        case logical:
            return make(NodeKind::literal, t, r_.chance(5) ? std::string(r_.chance(50) ? ".Y." : ".N.")
                                                           : std::string(r_.pick(logicals)));
        case memo: break;
        }
        return make(NodeKind::literal, character, "'m'");
    }

    std::optional<Node> variable(Type t) {
        std::vector<const Variable *> found;
        for (const Variable &v : variables()) {
            if (fits(t, v.type) && v.name != "cpattern") found.push_back(&v);
        }
        if (found.empty()) return std::nullopt;
        const Variable &v = *found[r_.below(found.size())];
        if (v.property || r_.chance(70)) return make(NodeKind::variable, v.type, std::string(v.name));
        return make(NodeKind::parameter, v.type, (r_.chance(40) ? "m." : "") + std::string(v.name));
    }

    Node leaf(Type t, const Env &env) {
        if (t == memo) t = character;
        const std::size_t kind = r_.weighted({66, 25, 9});
        if (kind == 0 || (kind == 1 && env.keys)) {
            if (std::optional<Node> c = column(t, env, env.depth > 0)) return std::move(*c);
        }
        if (kind == 2 && !env.keys) {
            if (wide_ && r_.chance(30)) {
                if (std::optional<Node> v = wide_variable(t)) return std::move(*v);
            }
            if (std::optional<Node> v = variable(t)) return std::move(*v);
        }
        return literal(t);
    }

    // --- expressions by type ---

    Node expr(Type t, int budget, const Env &env) {
        if (budget <= 0 || r_.chance(35)) return leaf(t, env);
        Node n;
        if (wide_ && t != logical && r_.chance(35)) {
            n = wide_call(t, budget - 1, env, value);
            add_simple(n, t == memo ? character : t, env);
            return n;
        }
        switch (t) {
        case character: n = character_expr(budget, env); break;
        case number:
        case integer:
        case currency: n = number_expr(budget, env); break;
        case date: n = date_expr(budget, env); break;
        case datetime: n = datetime_expr(budget, env); break;
        case logical: n = condition(budget, env); break;
        case memo: n = character_expr(budget, env); break;
        }
        add_simple(n, t == memo ? character : t, env);
        return n;
    }

    Node small_number() { return number_literal(std::to_string(r_.between(1, 12))); }

    Node character_expr(int b, const Env &env) {
        const int d = b - 1;
        switch (r_.weighted({8, 5, 5, 5, 4, 4, 4, 2, 2, 2, 4, 2, 3, 6, 2, 1, 1, 1})) {
        case 0: return call({std::string(r_.pick(std::array{"ALLTRIM", "TRIM", "RTRIM", "LTRIM"})), character,
                            Args{expr(character, d, env)}});
        case 1: return call({r_.chance(50) ? "UPPER" : "LOWER", character, Args{expr(character, d, env)}});
        case 2:
            return call({r_.chance(60) ? "LEFT" : "RIGHT", character, Args{expr(character, d, env), small_number()}});
        case 3: {
            std::vector<Node> a = Args{expr(character, d, env), small_number()};
            if (r_.chance(70)) a.push_back(small_number());
            return call({"SUBSTR", character, std::move(a)});
        }
        case 4: {
            std::vector<Node> a = Args{expr(character, d, env), number_literal(std::to_string(r_.between(1, 40)))};
            if (r_.chance(30)) a.push_back(string_literal(r_.chance(50) ? "0" : "*"));
            const int pad = static_cast<int>(r_.below(100));  // PADR below 60, as chance(60) drew it
            return call({pad < 60 ? "PADR" : pad < 90 ? "PADL" : "PADC", character, std::move(a)});
        }
        case 5: {
            std::vector<Node> a = Args{expr(number, d, env)};
            if (r_.chance(70)) a.push_back(number_literal(std::to_string(r_.between(1, 15))));
            if (a.size() == 2 && r_.chance(50)) a.push_back(number_literal(std::to_string(r_.between(0, 4))));
            return call({"STR", character, std::move(a)});
        }
        case 6:
            if (r_.chance(50)) return call({"DTOS", character, Args{expr(date, d, env)}});
            return r_.chance(50) ? call({"DTOC", character, Args{expr(date, d, env)}})
                                 : call({"DTOC", character, Args{expr(date, d, env), number_literal("1")}});
        case 7:
            if (r_.chance(40))
                return call({"TRANSFORM", character,
                            Args{expr(number, d, env), string_literal("@L 999999")}});
            return call({"TRANSFORM", character, Args{expr(r_.chance(70) ? number : date, d, env)}});
        case 8:
            if (r_.chance(50)) return call({"SPACE", character, Args{small_number()}});
            return call({"REPLICATE", character, Args{string_literal(r_.chance(50) ? "-" : "0"), small_number()}});
        case 9:
            return call({"STRTRAN", character,
                        Args{expr(character, d, env), string_literal(r_.pick(texts)),
                             string_literal(r_.pick(texts))}});
        case 10:
            return call({"IIF", character, Args{condition(d, env), expr(character, d, env), expr(character, d, env)}});
        case 11: return icase(character, d, env);
        case 12:
            return call(
                {r_.chance(60) ? "NVL" : "EVL", character, Args{expr(character, d, env), expr(character, d, env)}});
        case 13: return binary({expr(character, d, env), "+", expr(character, d, env), character});
        case 14: return cast(character, d, env);
        case 15:
            if (env.depth < 2 && !env.aggregates) return scalar_query(character, env);
            return leaf(character, env);
        case 16:
            if (std::optional<Node> memo_field = column(memo, env, false))
                return call({"LEFT", character, Args{std::move(*memo_field), small_number()}});
            return leaf(character, env);
        default:  // a function no server has a counterpart of (rare, so that the rest is measured)
            if (r_.chance(15)) return call({"TTOC", character, Args{expr(datetime, d, env)}});
            return leaf(character, env);
        }
    }

    Node number_expr(int b, const Env &env) {
        const int d = b - 1;
        switch (r_.weighted({4, 3, 2, 3, 3, 2, 4, 8, 3, 4, 2, 3, 2, 3, 2, 2, 1, 1})) {
        case 0:
            return call(
                {"ROUND", number, Args{expr(number, d, env), number_literal(std::to_string(r_.between(0, 3)))}});
        case 1: {
            const int f = static_cast<int>(r_.below(100));  // INT below 70, as chance(70) drew it
            if (f >= 97) return call({"RAND", number, {}});
            return call({f < 70 ? "INT" : "ABS", number, Args{expr(number, d, env)}});
        }
        case 2: return call({"LEN", number, Args{expr(character, d, env)}});
        case 3:
            return call({"AT", number,
                         Args{string_literal(r_.pick(std::array{"a", ",", " ", "x)"})), expr(character, d, env)}});
        case 4: return call({"VAL", number, Args{expr(character, d, env)}});
        case 5:
            // twelve slots read as the three names did (a draw modulo 12 is the same modulo 3), one DAY
            // given to WEEK
            return call({std::string(r_.pick(std::array{"YEAR", "MONTH", "DAY", "YEAR", "MONTH", "DAY", "YEAR",
                                                        "MONTH", "DAY", "YEAR", "MONTH", "WEEK"})),
                         number,
                         Args{expr(r_.chance(75) ? date : datetime, d, env)}});
        case 6: return call({r_.chance(50) ? "HOUR" : "MINUTE", number, Args{expr(datetime, d, env)}});
        case 7: {
            const char *op = r_.chance(10) ? r_.pick(std::array{"^", "**"}) : r_.pick(std::array{"+", "-", "*", "/"});
            const bool literal = std::string_view(op) == "/" || std::string_view(op).size() == 2 || *op == '^';
            Node right = literal ? number_literal(std::string(r_.pick(std::array{"2", "100", "1.5", "12"})))
                                 : expr(number, d, env);
            return binary({expr(number, d, env), op, std::move(right), number});
        }
        case 8: {
            Node neg = make(NodeKind::unary, number, "-");
            neg.args.push_back(operand(expr(number, d, env), 8));
            return neg;
        }
        case 9: return call({"IIF", number, Args{condition(d, env), expr(number, d, env), expr(number, d, env)}});
        case 10: return icase(number, d, env);
        case 11: return call({r_.chance(60) ? "NVL" : "EVL", number, Args{expr(number, d, env), expr(number, d, env)}});
        case 12:
            return call({"MOD", number,
                         Args{expr(number, d, env), number_literal(std::string(r_.pick(std::array{"2", "7", "10"})))}});
        case 13: return cast(number, d, env);
        case 14: {
            const int m = static_cast<int>(r_.below(100));  // MAX below 50, as chance(50) drew it
            std::vector<Node> a = Args{expr(number, d, env), expr(number, d, env)};
            if (m % 50 >= 35) a.push_back(expr(number, d, env));  // of three values
            return call({m < 50 ? "MAX" : "MIN", number, std::move(a)});
        }
        case 15: return binary({expr(date, d, env), "-", expr(date, d, env), number});
        case 16:
            if (env.depth < 2 && !env.aggregates) return scalar_query(number, env);
            return leaf(number, env);
        default:  // no counterpart on the servers (rare)
            if (r_.chance(15)) return call({"RECNO", number, {}});
            return leaf(number, env);
        }
    }

    Node date_expr(int b, const Env &env) {
        const int d = b - 1;
        switch (r_.weighted({4, 4, 4, 5, 3, 3, 2, 2, 2, 1})) {
        case 0: return call({"DATE", date, {}});
        case 1: return call({"TTOD", date, Args{expr(datetime, d, env)}});
        case 2: {
            const std::size_t kind = r_.weighted({40, 30, 30});
            if (kind == 0)
                return call({"CTOD", date,
                             Args{string_literal(r_.pick(std::array{"01/31/2024", "12/25/1999", "", "  /  /    "}))}});
            if (kind == 1) return call({"CTOD", date, Args{call({"DTOC", character, Args{expr(date, d, env)}})}});
            return call({"CTOD", date, Args{call({"SPACE", character, Args{number_literal("8")}})}});
        }
        case 3: return binary({expr(date, d, env), r_.chance(60) ? "+" : "-", expr(number, d, env), date});
        case 4: return call({"IIF", date, Args{condition(d, env), expr(date, d, env), expr(date, d, env)}});
        case 5: return call({r_.chance(60) ? "NVL" : "EVL", date, Args{expr(date, d, env), expr(date, d, env)}});
        case 6: return cast(date, d, env);
        case 7: return icase(date, d, env);
        case 8: return call({r_.chance(50) ? "MAX" : "MIN", date, Args{expr(date, d, env), expr(date, d, env)}});
        default:
            if (env.depth < 2 && !env.aggregates) return scalar_query(date, env);
            return leaf(date, env);
        }
    }

    Node datetime_expr(int b, const Env &env) {
        const int d = b - 1;
        switch (r_.weighted({4, 4, 4, 3, 3, 2})) {
        case 0: return call({"DATETIME", datetime, {}});
        case 1: return call({"DTOT", datetime, Args{expr(date, d, env)}});
        case 2: return binary({expr(datetime, d, env), r_.chance(60) ? "+" : "-", expr(number, d, env), datetime});
        case 3: return call({"IIF", datetime, Args{condition(d, env), expr(datetime, d, env), expr(datetime, d, env)}});
        case 4: return call({"NVL", datetime, Args{expr(datetime, d, env), expr(datetime, d, env)}});
        default: return cast(datetime, d, env);
        }
    }

    Node icase(Type t, int d, const Env &env) {
        std::vector<Node> a;
        const int pairs = r_.between(1, 3);
        for (int i = 0; i < pairs; ++i) {
            a.push_back(condition(d, env));
            a.push_back(expr(t, d, env));
        }
        if (r_.chance(70)) a.push_back(expr(t, d, env));
        return call({"ICASE", t, std::move(a)});
    }

    // CAST of a value of a type FoxPro converts from to the type wanted.
    Node cast(Type t, int d, const Env &env) {
        Type from = t;
        std::string to;
        switch (t) {
        case character:
            from = r_.chance(60) ? character : number;
            to = r_.pick(std::array{"C", "V", "Char", "Varchar"});
            to += "(" + std::to_string(r_.between(1, 30)) + ")";
            break;
        case number:
        case integer:
        case currency:
            from = number;
            to = r_.pick(std::array{"N(12,2)", "N(5)", "Numeric(10,2)", "I", "Integer", "Int", "Y", "B", "F(10,3)"});
            break;
        case date:
            from = datetime;
            to = r_.chance(70) ? "D" : "Date";
            break;
        case datetime:
            from = date;
            to = r_.chance(70) ? "T" : "DateTime";
            break;
        default:
            from = logical;
            to = "L";
        }
        Node n = make(NodeKind::cast, t, to);
        n.args.push_back(expr(from, d, env));
        return n;
    }

    // --- conditions ---

    Type comparable_type() {
        return std::array{character, number, date, datetime, character, number}[r_.below(6)];
    }

    Node comparison(int b, const Env &env) {
        const Type t = comparable_type();
        const int d = b - 1;
        Node left = expr(t, d, env);
        Node right = expr(t, d, env);
        std::string op;
        if (t == character) op = r_.pick(std::array{"=", "=", "==", "#", "!=", "<>", "<", ">=", "=="});
        else op = r_.pick(std::array{"=", "#", "!=", "<>", "<", ">", "<=", ">="});
        return binary({std::move(left), op, std::move(right), logical});
    }

    Node predicate(int b, const Env &env) {
        const int d = b - 1;
        if (wide_ && r_.chance(12)) return wide_call(logical, d, env, condition_place);
        switch (r_.weighted({30, 6, 6, 6, 5, 4, 5, 5, 5, 5, 4, 2, 3, 3, 2, 1, 1, 1})) {
        case 0: return comparison(b, env);
        case 1: {  // a logical field, variable or literal, or a comparison with one
            Node l = leaf(logical, env);
            if (l.kind == NodeKind::literal || r_.chance(50))
                return binary({std::move(l), r_.chance(70) ? "=" : "#", literal(logical), logical});
            return l;
        }
        case 2: {
            const Type t = r_.chance(15) ? memo : comparable_type();
            Node arg = t == memo ? column(memo, env, false).value_or(leaf(character, env)) : expr(t, d, env);
            return call({"EMPTY", logical, Args{std::move(arg)}});
        }
        case 3: {
            const Type t = comparable_type();
            std::vector<Node> a = Args{expr(t, d, env)};
            const int n = r_.between(1, 4);
            for (int i = 0; i < n; ++i) a.push_back(leaf_value(t, env));
            return call({"INLIST", logical, std::move(a)});
        }
        case 4: {
            const Type t = comparable_type();
            return call({"BETWEEN", logical, Args{expr(t, d, env), leaf_value(t, env), leaf_value(t, env)}});
        }
        case 5: return call({"ISNULL", logical, Args{expr(comparable_type(), d, env)}});
        case 6: {
            const Type t = comparable_type();
            Node n = make(NodeKind::between, logical);
            n.negated = r_.chance(15);
            n.args = Args{operand(expr(t, d, env), 5), operand(leaf_value(t, env), 5), operand(leaf_value(t, env), 5)};
            return n;
        }
        case 7: {
            const Type t = comparable_type();
            Node n = make(NodeKind::in_list, logical);
            n.negated = r_.chance(20);
            n.args.push_back(operand(expr(t, d, env), 5));
            const int count = r_.between(1, 4);
            for (int i = 0; i < count; ++i) n.args.push_back(leaf_value(t, env));
            return n;
        }
        case 8: {
            Node n = make(NodeKind::like, logical);
            n.negated = r_.chance(15);
            n.args.push_back(operand(expr(character, d, env), 5));
            n.args.push_back(operand(pattern(env), 5));
            return n;
        }
        case 9: {  // a $ b
            Node needle = r_.chance(60) ? string_literal(r_.pick(texts)) : leaf(character, env);
            Node hay =
                r_.chance(15) ? column(memo, env, false).value_or(expr(character, d, env)) : expr(character, d, env);
            return binary({std::move(needle), "$", std::move(hay), logical});
        }
        case 10: {
            Node n = make(NodeKind::is_null, logical);
            n.negated = r_.chance(40);
            n.args.push_back(operand(expr(comparable_type(), d, env), 5));
            return n;
        }
        case 11: return call({"DELETED", logical, {}});
        case 12:
            if (env.depth < 2 && !env.aggregates) return in_query(env);
            return comparison(b, env);
        case 13:
            if (env.depth < 2 && !env.aggregates) return exists(env);
            return comparison(b, env);
        case 14:
            if (env.depth < 2 && !env.aggregates) return compare_query(env);
            return comparison(b, env);
        case 15: {
            const Type t = comparable_type();
            Node right = env.depth < 2 && !env.aggregates ? scalar_query(t, env) : expr(t, d, env);
            return binary({expr(t, d, env), r_.pick(std::array{"=", ">", "<", ">=", "#"}), std::move(right), logical});
        }
        case 16: return call({r_.chance(50) ? "ISUPPER" : "ISLOWER", logical, Args{expr(character, d, env)}});
        default:
            if (r_.chance(50))
                return call({"IIF", logical, Args{condition(d, env), condition(d, env), condition(d, env)}});
            return call({"NVL", logical, Args{condition(d, env), condition(d, env)}});
        }
    }

    // A value for a list, a bound or a pattern: a literal, a variable or a field.
    Node leaf_value(Type t, const Env &env) {
        if (r_.chance(2)) return make(NodeKind::literal, t, r_.chance(70) ? ".NULL." : ".null.");
        if (r_.chance(70)) return literal(t == number ? number : t);
        return leaf(t, env);
    }

    Node pattern(const Env &env) {
        switch (r_.weighted({60, 12, 12, 16})) {
        case 1: return make(NodeKind::variable, character, "cpattern");
        case 2: return make(NodeKind::parameter, character, r_.chance(50) ? "cpattern" : "m.cpattern");
        case 3:
            return binary({call({"ALLTRIM", character, Args{leaf(character, env)}}), "+",
                          string_literal("%"), character});
        default: return string_literal(r_.pick(patterns));
        }
    }

    Node condition(int b, const Env &env) {
        if (b <= 0) return predicate(1, env);
        switch (r_.weighted({45, 18, 10, 7, 4, 4, 6, 6})) {
        case 1: return binary({condition(b - 1, env), and_word(), condition(b - 1, env), logical});
        case 2: return binary({condition(b - 1, env), or_word(), condition(b - 1, env), logical});
        case 3: {
            Node n = make(NodeKind::unary, logical, "!");
            n.args.push_back(operand(predicate(b, env), 8));
            return n;
        }
        case 4: {
            Node n = make(NodeKind::unary, logical, "NOT");
            n.args.push_back(operand(predicate(b, env), 5));
            return n;
        }
        case 5: {
            Node n = make(NodeKind::unary, logical, ".NOT.");
            n.args.push_back(operand(predicate(b, env), 5));
            return n;
        }
        case 6: {
            Node p = make(NodeKind::paren, logical);
            p.args.push_back(condition(b - 1, env));
            return p;
        }
        case 7: {  // !EMPTY(x), the most common negation in real code
            Node n = make(NodeKind::unary, logical, "!");
            n.args.push_back(call({"EMPTY", logical, Args{expr(comparable_type(), b - 1, env)}}));
            return n;
        }
        default: return predicate(b, env);
        }
    }
    std::string and_word() { return r_.chance(25) ? ".AND." : "AND"; }
    std::string or_word() { return r_.chance(25) ? ".OR." : "OR"; }

    // --- subqueries ---

    // A one-table (or now and then two-table) FROM for a subquery, with a table that has a field
    // of the wanted type (memo: any table).
    void sub_from(Select &s, Scope &scope, Type want_column) {
        std::vector<const Table *> candidates;
        for (const Table &t : tables()) {
            if (want_column == memo || std::any_of(t.columns.begin(), t.columns.end(),
                                                   [&](const Column &c) { return fits(want_column, c.type); }))
                candidates.push_back(&t);
        }
        const Table &t = *candidates[r_.below(candidates.size())];
        s.from = table_ref(t, scope, true);
        if (r_.chance(15)) add_join(s, scope);
    }

    Node sub_where(const Scope &scope, const Env &outer, bool correlate) {
        Env inner{&scope, nullptr, false, outer.depth + 1};
        Node c;
        if (correlate && outer.scope && !outer.scope->sources.empty()) {
            const Type t = r_.chance(60) ? number : character;
            std::optional<Node> mine = column(t, inner, false);
            auto theirs = fields(t, *outer.scope);
            if (mine && !theirs.empty()) {
                auto [src, col] = theirs[r_.below(theirs.size())];
                c = binary({std::move(*mine), "=", field(*src, *col, *outer.scope, true), logical});
                if (r_.chance(30)) c = binary({std::move(c), and_word(), condition(1, inner), logical});
                return c;
            }
        }
        return condition(1, inner);
    }

    // A subquery of one member whose tables see the outer query's; 'fill' gives it its items and
    // WHERE.
    template <typename Fill>
    Query subquery(const Env &outer, Type want_column, Fill fill) {
        Query q;
        q.style = style();
        Select s;
        s.style = style();
        auto scope = std::make_unique<Scope>();
        scope->outer = outer.scope;
        sub_from(s, *scope, want_column);
        Item item;
        item.style = style();
        fill(s, item, *scope, Env{scope.get(), nullptr, false, outer.depth + 1});
        s.items.insert(s.items.begin(), std::move(item));
        if (!s.where.empty()) s.clauses.push_back(Clause::where);
        q.members.push_back(std::move(s));
        scopes_.push_back(std::move(scope));
        return q;
    }

    Query one_column_query(Type t, const Env &outer, bool aggregate, bool correlate) {
        return subquery(outer, aggregate && t == number ? memo : t,
                        [&](Select &s, Item &item, Scope &scope, const Env &inner) {
                            if (aggregate) {
                                item.expr.push_back(aggregate_of(t, inner));
                            } else {
                                std::optional<Node> c = column(t, inner, false);
                                item.expr.push_back(c ? std::move(*c) : expr(t, 1, inner));
                                s.distinct = r_.chance(10);
                            }
                            if (correlate || r_.chance(50)) s.where.push_back(sub_where(scope, outer, correlate));
                        });
    }

    Node in_query(const Env &env) {
        const Type t = r_.chance(50) ? number : r_.chance(70) ? character : date;
        Node n = make(NodeKind::in_query, logical);
        n.negated = r_.chance(25);
        n.args.push_back(operand(expr(t, 1, env), 5));
        n.query.push_back(one_column_query(t, env, false, r_.chance(25)));
        return n;
    }

    Node exists(const Env &env) {
        Node n = make(NodeKind::exists, logical);
        n.negated = r_.chance(35);
        n.query.push_back(subquery(env, memo, [&](Select &s, Item &item, Scope &scope, const Env &inner) {
            switch (r_.weighted({50, 30, 20})) {
            case 1: item.expr.push_back(number_literal("1")); break;
            case 2: item.expr.push_back(column(character, inner, false).value_or(number_literal("1"))); break;
            default: break;  // *
            }
            s.where.push_back(sub_where(scope, env, r_.chance(85)));
        }));
        return n;
    }

    Node compare_query(const Env &env) {
        const Type t = r_.chance(60) ? number : character;
        Node n = make(NodeKind::compare_query, logical, r_.pick(std::array{"=", ">", "<", ">=", "<>"}));
        n.quantifier = r_.pick(std::array{"ANY", "ALL", "SOME"});
        n.args.push_back(operand(expr(t, 1, env), 5));
        n.query.push_back(one_column_query(t, env, false, r_.chance(20)));
        return n;
    }

    Node scalar_query(Type t, const Env &env) {
        Node n = make(NodeKind::scalar_query, t);
        n.query.push_back(one_column_query(t, env, true, r_.chance(60)));
        return n;
    }

    // --- aggregates ---

    // An aggregate of the type over the rows of 'rows' (a place without aggregates).
    Node aggregate_of(Type t, const Env &rows) {
        Env row_env = rows;
        row_env.keys = nullptr;
        row_env.aggregates = false;
        row_env.depth = 2;  // no subquery inside an aggregate
        if (numeric(t) || t == number) {
            switch (r_.weighted({20, 10, 5, 20, 8, 10, 2})) {
            case 0: {
                Node n = call({"COUNT", number, {}});
                n.star = true;
                n.aggregate = true;
                return n;
            }
            case 1:
            case 2: {  // COUNT([DISTINCT] field)
                Node n = call({"COUNT", number, Args{any_field(row_env)}});
                n.aggregate = true;
                n.distinct = r_.chance(35);
                return n;
            }
            case 3:
            case 4: {
                Node n = call({r_.chance(70) ? "SUM" : "AVG", number, Args{expr(number, 1, row_env)}});
                n.aggregate = true;
                return n;
            }
            case 6: {
                Node n = call({"CNT", number, {}});
                n.star = true;
                n.aggregate = true;
                return n;
            }
            default: break;
            }
        }
        Node n = call({r_.chance(60) ? "MAX" : "MIN", t == memo ? character : t,
                      Args{expr(t == memo ? character : t, 1, row_env)}});
        n.aggregate = true;
        return n;
    }

    // A value of a grouped member: an aggregate, a grouped field, or an expression of them.
    Node grouped_value(Type t, const Env &env, const Env &rows) {
        if (!numeric(t) && t != number) {
            if (r_.chance(50)) {
                if (std::optional<Node> k = column(t, env, false)) return std::move(*k);
            }
            return aggregate_of(t, rows);
        }
        switch (r_.weighted({60, 10, 10, 10, 10})) {
        case 1: return call({"ROUND", number, Args{aggregate_of(number, rows), number_literal("2")}});
        case 2:
            return binary({aggregate_of(number, rows), r_.chance(50) ? "+" : "-", aggregate_of(number, rows), number});
        case 3: return call({"NVL", number, Args{aggregate_of(number, rows), number_literal("0")}});
        case 4:
            if (std::optional<Node> k = column(number, env, false)) return std::move(*k);
            [[fallthrough]];
        default: return aggregate_of(number, rows);
        }
    }

    Node having_condition(const Select &s, const Env &env, const Env &rows, int b) {
        if (b > 0 && r_.chance(25))
            return binary({having_condition(s, env, rows, b - 1), r_.chance(60) ? and_word() : or_word(),
                          having_condition(s, env, rows, b - 1), logical});
        // by the name of an aggregate item
        std::vector<int> named;
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            const Item &it = s.items[i];
            if (!it.star() && !it.alias.empty() && numeric(it.expr[0].type) && it.expr[0].kind != NodeKind::column)
                named.push_back(static_cast<int>(i));
        }
        Node left;
        if (!named.empty() && r_.chance(35)) {
            left = make(NodeKind::item_name, number);
            left.item = named[r_.below(named.size())];
        } else if (r_.chance(20)) {
            if (std::optional<Node> k = column(character, env, false))
                return binary({std::move(*k), r_.pick(std::array{"=", "#", "<>", ">"}), literal(character), logical});
            left = aggregate_of(number, rows);
        } else {
            left = grouped_value(number, env, rows);
        }
        return binary({std::move(left), r_.pick(std::array{">", ">=", "<", "#", "="}), literal(number), logical});
    }

    // --- tables ---

    TableRef table_ref(const Table &t, Scope &scope, bool alias) {
        TableRef ref;
        ref.style = style();
        ref.table = std::string(t.name);
        ref.database = r_.chance(10);
        const bool taken = std::any_of(scope.sources.begin(), scope.sources.end(),
                                       [&](const Source &s) { return s.name == t.name; });
        const bool named_elsewhere = aliases_.count(ref.table) > 0;
        if (alias || taken || named_elsewhere || r_.chance(60)) {
            ref.alias = table_alias(t.name);
            ref.as_word = r_.chance(30);
        } else {
            aliases_.insert(ref.table);
        }
        ref.buffering = r_.chance(2);
        Source src{ref.name(), ref.table, {}};
        for (const Column &c : t.columns) src.columns.push_back({std::string(c.name), c.type});
        scope.sources.push_back(std::move(src));
        return ref;
    }

    // A derived table: a grouped or plain query whose items all have names of their own.
    TableRef derived_ref(Scope &scope, int depth) {
        TableRef ref;
        ref.style = style();
        Query q;
        q.style = style();
        Scope outer_none;
        build_query(q, 1, depth + 1, &outer_none, {}, false);
        Select &s = q.members[0];
        Source src;
        std::set<std::string> names;
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            Item &it = s.items[i];
            if (it.star()) continue;
            std::string name = it.alias;
            if (name.empty() && it.expr[0].kind == NodeKind::column) name = it.expr[0].word;
            if (name.empty() || names.count(name)) {
                name = "col" + std::to_string(i + 1);
                it.alias = name;
            }
            names.insert(name);
            src.columns.push_back({name, it.expr[0].type});
        }
        s.items.erase(std::remove_if(s.items.begin(), s.items.end(), [](const Item &it) { return it.star(); }),
                      s.items.end());
        ref.derived.push_back(std::move(q));
        ref.alias = table_alias("");
        ref.as_word = r_.chance(50);
        src.name = ref.alias;
        scope.sources.push_back(std::move(src));
        return ref;
    }

    // The condition that joins the newest source of the scope to one of the others.
    Node join_condition(const Scope &scope) {
        const Source &added = scope.sources.back();
        std::vector<std::pair<Node, Node>> pairs;
        Scope view = scope;
        view.outer = nullptr;
        auto add_pair = [&](const Source &other, const SourceColumn &theirs, const SourceColumn &mine) {
            Node left = field(other, theirs, view, true);
            Node right = field(added, mine, view, true);
            pairs.emplace_back(std::move(left), std::move(right));
        };
        for (std::size_t i = 0; i + 1 < scope.sources.size(); ++i) {
            const Source &other = scope.sources[i];
            for (const JoinKey &k : join_keys()) {
                const bool forward = k.left_table == other.table && k.right_table == added.table;
                const bool backward = k.right_table == other.table && k.left_table == added.table;
                if (!forward && !backward) continue;
                const std::string_view mine = forward ? k.right_column : k.left_column;
                const std::string_view theirs = forward ? k.left_column : k.right_column;
                for (const SourceColumn &a : added.columns) {
                    for (const SourceColumn &o : other.columns) {
                        if (a.name == mine && o.name == theirs)
                            add_pair(other, o, a);
                    }
                }
            }
            for (const SourceColumn &a : added.columns) {
                for (const SourceColumn &o : other.columns) {
                    if (a.name == o.name && a.type == o.type && a.type != memo &&
                        (added.table.empty() || other.table.empty()))
                        add_pair(other, o, a);
                }
            }
        }
        if (pairs.empty()) {  // any two fields of one type
            for (std::size_t i = 0; i + 1 < scope.sources.size() && pairs.empty(); ++i) {
                for (const SourceColumn &a : added.columns) {
                    for (const SourceColumn &o : scope.sources[i].columns) {
                        if (a.type == o.type && a.type != memo && a.type != logical)
                            add_pair(scope.sources[i], o, a);
                    }
                }
            }
        }
        if (pairs.empty()) {  // nothing to compare: FoxPro joins on any condition
            return binary({number_literal("1"), "=", number_literal("1"), logical});
        }
        auto &[left, right] = pairs[r_.below(pairs.size())];
        Node on = r_.chance(50) ? binary({std::move(left), r_.chance(90) ? "=" : "==", std::move(right), logical})
                                : binary({std::move(right), "=", std::move(left), logical});
        if (on.args[0].type != character && on.word == "==") on.word = "=";
        if (r_.chance(20)) {
            Env env{&view, nullptr, false, 2};  // no subquery in a join condition
            on = binary({std::move(on), and_word(), predicate(1, env), logical});
        }
        if (r_.chance(10)) {
            Node p = make(NodeKind::paren, logical);
            p.args.push_back(std::move(on));
            on = std::move(p);
        }
        return on;
    }

    void add_join(Select &s, Scope &scope, bool comma = false) {
        Join j;
        j.style = style();
        // a table that some key joins to one already there
        std::vector<const Table *> candidates;
        for (const Table &t : tables()) {
            for (const JoinKey &k : join_keys()) {
                for (const Source &src : scope.sources) {
                    if ((k.left_table == src.table && k.right_table == t.name) ||
                        (k.right_table == src.table && k.left_table == t.name))
                        candidates.push_back(&t);
                }
            }
        }
        if (candidates.empty()) candidates.push_back(&tables()[0]);
        const Table &t = *candidates[r_.below(candidates.size())];
        j.table = table_ref(t, scope, true);
        if (comma) {
            j.kind = JoinKind::comma;
        } else {
            // MySQL has no FULL JOIN: rare, so that the rest of the statements is measured
            j.kind = static_cast<JoinKind>(1 + r_.weighted({150, 400, 300, 100, 5}));
            j.outer_word =
                (j.kind == JoinKind::left || j.kind == JoinKind::right || j.kind == JoinKind::full) && r_.chance(30);
            j.on.push_back(join_condition(scope));
        }
        s.joins.push_back(std::move(j));
    }

    // --- members and queries ---

    std::string item_alias(std::set<std::string> &taken, const Scope &scope) {
        for (int tries = 0; tries < 50; ++tries) {
            std::string a(r_.pick(column_aliases));
            bool clash = taken.count(a) > 0;
            for (const Source &s : scope.sources) {
                for (const SourceColumn &c : s.columns) clash = clash || c.name == a;
            }
            if (!clash) {
                taken.insert(a);
                return a;
            }
        }
        std::string a = "v" + std::to_string(taken.size());
        taken.insert(a);
        return a;
    }

    // Builds the query's members. 'signature' holds the types of a UNION's columns once the first
    // member has set them; 'outermost' is the statement itself (destination, ORDER BY, TOP).
    void build_query(Query &q, int members, int depth, const Scope *outer, std::vector<Type> signature,
                     bool outermost) {
        const bool union_query = members > 1;
        for (int m = 0; m < members; ++m) {
            Select s;
            s.style = style();
            auto scope = std::make_unique<Scope>();
            scope->outer = outer;
            // FROM
            if (depth == 0 && !union_query && r_.chance(6)) s.from = derived_ref(*scope, depth);
            else s.from = table_ref(tables()[r_.below(tables().size())], *scope, false);
            const int extra = static_cast<int>(r_.weighted({50, 30, 15, 5}));
            const bool commas = r_.chance(30);
            for (int i = 0; i < extra; ++i) add_join(s, *scope, commas);
            s.force = extra > 0 && r_.chance(3);
            Env env{scope.get(), nullptr, false, depth};

            // WHERE, with the conditions of a comma join
            std::vector<Node> conditions;
            if (commas) {
                Scope partial;
                for (const Source &src : scope->sources) {
                    partial.sources.push_back(src);
                    if (partial.sources.size() > 1 && !r_.chance(5)) conditions.push_back(join_condition(partial));
                }
            }
            if (r_.chance(75)) conditions.push_back(condition(r_.between(0, 2), env));
            if (!conditions.empty()) {
                Node where = std::move(conditions[0]);
                for (std::size_t i = 1; i < conditions.size(); ++i)
                    where = binary({std::move(where), and_word(), std::move(conditions[i]), logical});
                s.where.push_back(std::move(where));
            }

            // the select list
            // a grouped member of a UNION gives no logical column
            const bool grouped =
                r_.chance(22) && std::find(signature.begin(), signature.end(), logical) == signature.end();
            const int wanted = signature.empty() ? r_.between(1, 5) : static_cast<int>(signature.size());
            std::set<std::string> taken;
            if (grouped) {
                grouped_list(s, *scope, env, wanted, signature, taken, depth, union_query);
            } else {
                plain_list(s, *scope, env, wanted, signature, taken, union_query || !outermost, union_query);
            }
            if (signature.empty() && union_query) {
                for (const Item &it : s.items) signature.push_back(it.expr[0].type);
            }
            s.distinct = r_.chance(10) && !has_memo(s);
            s.all_word = !s.distinct && r_.chance(2);

            s.clauses = {Clause::where, Clause::group_by, Clause::having};
            q.members.push_back(std::move(s));
            if (m > 0) q.union_all.push_back(r_.chance(50));
            scopes_.push_back(std::move(scope));
        }
        if (!outermost) return;
        Select &last = q.members.back();
        // ORDER BY, TOP and the destination belong to the statement
        if (r_.chance(union_query ? 50 : 40)) order_by(q);
        if (!q.order_by.empty() && !union_query && r_.chance(12)) {
            last.top = r_.chance(80) ? r_.between(1, 20) : 100;
            last.top_percent = r_.chance(3);
        }
        if (r_.chance(70)) destination(q);
        std::vector<Clause> &c = last.clauses;
        c.push_back(Clause::order_by);
        c.push_back(Clause::into);
        if (!union_query && r_.chance(15)) {
            // FoxPro reads the clauses after FROM in any order (HAVING after GROUP BY, as real code has it)
            for (std::size_t i = c.size(); i > 1; --i) std::swap(c[i - 1], c[r_.below(i)]);
            auto group = std::find(c.begin(), c.end(), Clause::group_by);
            auto having = std::find(c.begin(), c.end(), Clause::having);
            if (having < group) std::iter_swap(group, having);
        } else if (r_.chance(10)) {
            std::swap(c[c.size() - 1], c[c.size() - 2]);
        }
        if (last.top > 0 && r_.chance(5))  // TOP written after ORDER BY
            c.insert(std::find(c.begin(), c.end(), Clause::order_by) + 1, Clause::top);
        last.where_first = !union_query && !last.where.empty() && r_.chance(1);
    }

    static bool has_memo(const Select &s) {
        return std::any_of(s.items.begin(), s.items.end(),
                           [](const Item &it) { return it.star() || it.expr[0].type == memo; });
    }

    void plain_list(Select &s, const Scope &scope, const Env &env, int wanted, const std::vector<Type> &signature,
                    std::set<std::string> &taken, bool names_needed, bool union_member) {
        if (signature.empty() && !names_needed && r_.chance(10)) {
            Item star;
            star.style = style();
            s.items.push_back(std::move(star));
            if (r_.chance(60)) return;
        }
        for (int i = 0; i < wanted; ++i) {
            Item it;
            it.style = style();
            if (signature.empty() && !names_needed && scope.sources.size() > 1 && r_.chance(6)) {
                it.star_owner = scope.sources[r_.below(scope.sources.size())].name;
                s.items.push_back(std::move(it));
                continue;
            }
            Type t = signature.empty() ? std::array{character, character, number, number, date, datetime, logical,
                                                    memo}[r_.below(8)]
                                       : signature[static_cast<std::size_t>(i)];
            if (t == memo && (names_needed || !signature.empty())) t = character;
            const bool plain_field = r_.chance(45) || t == memo;
            if (plain_field) {
                if (std::optional<Node> c = column(t, env, false)) {
                    it.expr.push_back(std::move(*c));
                    if (union_member && numeric(t)) wrap_union_number(it);
                    if (r_.chance(15)) it.alias = item_alias(taken, scope);
                    s.items.push_back(std::move(it));
                    continue;
                }
            }
            it.expr.push_back(expr(t == memo ? character : t, r_.between(1, 3), env));
            if (union_member && numeric(t)) wrap_union_number(it);
            if (names_needed || r_.chance(90)) {
                it.alias = item_alias(taken, scope);
                it.as_word = r_.chance(85);
            }
            s.items.push_back(std::move(it));
        }
    }

    // Every member of a UNION writes a number column as one FoxPro type.
    void wrap_union_number(Item &it) {
        Node c = make(NodeKind::cast, number, "N(12,2)");
        c.pinned = true;
        c.args.push_back(std::move(it.expr[0]));
        it.expr[0] = std::move(c);
    }

    void grouped_list(Select &s, const Scope &scope, const Env &env, int wanted, const std::vector<Type> &signature,
                      std::set<std::string> &taken, int depth, bool union_member) {
        // the grouped fields
        std::vector<Node> keys;
        const int key_count = r_.between(1, 3);
        for (int i = 0; i < key_count; ++i) {
            const Type t = std::array{character, character, number, date, logical}[r_.below(5)];
            if (std::optional<Node> c = column(t, env, false)) {
                const bool dup = std::any_of(keys.begin(), keys.end(), [&](const Node &k) {
                    return k.word == c->word && k.owner == c->owner;
                });
                if (!dup) keys.push_back(std::move(*c));
            }
        }
        Env values{env.scope, &keys, true, depth};
        std::vector<bool> numbered(keys.size(), false);
        for (int i = 0; i < wanted; ++i) {
            Item it;
            it.style = style();
            const Type t = signature.empty() ? std::array{character, number, number, date, number}[r_.below(5)]
                                             : signature[static_cast<std::size_t>(i)];  // never logical
            if (signature.empty() && r_.chance(10) && !keys.empty() && keys[0].type == character) {
                // an expression of a grouped field, grouped by its number
                it.expr.push_back(call({r_.chance(50) ? "UPPER" : "ALLTRIM", character, Args{keys[0]}}));
                it.alias = item_alias(taken, scope);
                s.group_by.push_back(make(NodeKind::item_number, number));
                s.group_by.back().item = static_cast<int>(s.items.size());
                s.items.push_back(std::move(it));
                continue;
            }
            it.expr.push_back(grouped_value(t, values, env));
            if (union_member && numeric(t)) wrap_union_number(it);
            if (it.expr[0].kind != NodeKind::column || r_.chance(15)) {
                it.alias = item_alias(taken, scope);
                it.as_word = r_.chance(80);
            }
            s.items.push_back(std::move(it));
        }
        // GROUP BY every grouped field: by name, or by its item's number
        for (const Node &k : keys) {
            int index = -1;
            for (std::size_t i = 0; i < s.items.size(); ++i) {
                const Item &it = s.items[i];
                if (!it.star() && it.expr[0].kind == NodeKind::column && it.expr[0].word == k.word &&
                    it.expr[0].owner == k.owner)
                    index = static_cast<int>(i);
            }
            if (index >= 0 && r_.chance(30)) {
                Node n = make(NodeKind::item_number, number);
                n.item = index;
                s.group_by.push_back(std::move(n));
            } else {
                Node n = k;
                n.style = style();
                s.group_by.push_back(std::move(n));
            }
        }
        if (s.group_by.empty()) return;  // only aggregates: no GROUP BY
        if (r_.chance(30)) s.having.push_back(having_condition(s, values, env, 1));
    }

    void order_by(Query &q) {
        const Select &first = q.members.front();
        const bool union_query = q.members.size() > 1;
        std::vector<int> usable;
        for (std::size_t i = 0; i < first.items.size(); ++i) {
            const Item &it = first.items[i];
            if (!it.star() && it.expr[0].type != memo) usable.push_back(static_cast<int>(i));
        }
        if (usable.empty()) return;
        const int count = r_.between(1, std::min(3, static_cast<int>(usable.size())));
        std::set<int> used;
        for (int k = 0; k < count; ++k) {
            const int index = usable[r_.below(usable.size())];
            if (!used.insert(index).second) continue;
            const Item &it = first.items[static_cast<std::size_t>(index)];
            OrderKey key;
            key.style = style();
            key.direction = static_cast<int>(r_.weighted({60, 10, 30}));
            const std::size_t how = r_.weighted({40, 35, 25});
            if (how == 1 && !it.alias.empty()) {
                key.key = make(NodeKind::item_name, it.expr[0].type);
            } else if (how == 2 && it.alias.empty() && it.expr[0].kind == NodeKind::column && !union_query) {
                key.key = it.expr[0];
                key.key.style = style();
            } else {
                key.key = make(NodeKind::item_number, number);
            }
            key.key.item = index;
            q.order_by.push_back(std::move(key));
        }
    }

    void destination(Query &q) {
        Destination &d = q.into;
        d.style = style();
        d.kind = static_cast<Destination::Kind>(1 + r_.weighted({60, 10, 5, 15, 5, 5}));
        switch (d.kind) {
        case Destination::cursor:
            d.name = r_.pick(cursor_names);
            if (r_.chance(25)) d.options.push_back("READWRITE");
            else if (r_.chance(10)) d.options.push_back("NOFILTER");
            break;
        case Destination::table:
        case Destination::dbf: d.name = r_.chance(70) ? "tmpout" : "c:\\temp\\out"; break;
        case Destination::array: d.name = "laresult"; break;
        case Destination::file:
            d.name = "report.txt";
            if (r_.chance(30)) d.options.push_back("ADDITIVE");
            if (r_.chance(50)) d.options.push_back("NOCONSOLE");
            break;
        case Destination::screen:
            if (r_.chance(40)) d.options.push_back("NOCONSOLE");
            break;
        default: break;
        }
        if (d.kind == Destination::cursor && r_.chance(5)) d.options.push_back("NOCONSOLE");
        if ((d.kind == Destination::file || d.kind == Destination::screen) && r_.chance(30))
            d.options.push_back("PLAIN");
    }

    // --- the wider function set ---

    // A call of a function of the wider set whose result fits 't', standing at 'place'.
    Node wide_call(Type t, int d, const Env &env, Place place) {
        const Type want = t == memo ? character : numeric(t) ? number : t;
        std::vector<const FunctionRow *> found;
        for (const FunctionRow &row : wide_functions()) {
            if ((row.place & place) && fits(want, row.result)) found.push_back(&row);
        }
        int total = 0;
        for (const FunctionRow *row : found) total += row->weight;
        int roll = static_cast<int>(r_.below(static_cast<std::size_t>(total)));
        const FunctionRow *row = found.front();
        for (const FunctionRow *f : found) {
            if (roll < f->weight) {
                row = f;
                break;
            }
            roll -= f->weight;
        }
        std::size_t written = 0;
        while (written < row->args.size() && row->args[written] != Arg::none) ++written;
        written -= static_cast<std::size_t>(r_.between(0, row->optional));
        std::vector<Node> args;
        for (std::size_t i = 0; i < written; ++i) args.push_back(wide_arg(row->args[i], d, env));
        return call({std::string(row->name), row->result == logical ? logical : want, std::move(args)});
    }

    Node wide_arg(Arg a, int d, const Env &env) {
        if (const ArgValues *v = arg_values(a)) {
            if (v->texts[0].empty() && v->texts[1].empty())
                return number_literal(std::to_string(r_.between(v->low, v->high)));
            std::size_t count = 0;
            while (count < v->texts.size() && (count == 0 || !v->texts[count].empty())) ++count;
            const std::string_view chosen = v->texts[r_.below(count)];
            return v->quoted ? string_literal(chosen) : number_literal(std::string(chosen));
        }
        switch (a) {
        case Arg::text: return expr(character, d, env);
        case Arg::number: return expr(number, d, env);
        case Arg::date: return expr(date, d, env);
        case Arg::datetime: return expr(datetime, d, env);
        case Arg::condition: return condition(d, env);
        case Arg::whole:
            return column(integer, env, false).value_or(number_literal(std::to_string(r_.between(0, 255))));
        case Arg::positive: return call({"ABS", number, Args{expr(number, d, env)}});
        case Arg::text_literal: return string_literal(r_.pick(texts));
        default: return literal(number);
        }
    }

    std::optional<Node> wide_variable(Type t) {
        std::vector<const WideVariable *> found;
        for (const WideVariable &v : wide_variables()) {
            if (fits(t, v.type)) found.push_back(&v);
        }
        if (found.empty()) return std::nullopt;
        const WideVariable &v = *found[r_.below(found.size())];
        return make(NodeKind::variable, v.type, std::string(v.name));
    }

    Random r_;
    bool wide_ = false;
    std::set<std::string> aliases_;                  // table aliases given in the statement
    std::vector<std::unique_ptr<Scope>> scopes_;      // the scopes the subqueries look out to
};

}  // namespace

Query generate(std::uint64_t seed, Family family) {
    for (std::uint64_t attempt = 0;; ++attempt) {
        Builder builder(mix(seed, attempt), family);
        Query q = builder.statement();
        if (render(q).size() <= 1400 || attempt >= 20) return q;
    }
}

std::string statement(std::uint64_t run_seed, std::uint64_t number, Family family) {
    return render(generate(mix(run_seed, number), family));
}

}  // namespace foxgen
