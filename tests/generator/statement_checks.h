// An independent reading of a generated statement: the rules a valid FoxPro SELECT over the
// generator's database keeps (every field named through a table in its scope with the type the
// schema gives, operands of the types their operators take, GROUP BY covering what is not
// aggregated, UNION members alike, ORDER BY and GROUP BY numbers within the list, TOP with ORDER
// BY), and of its text (literals closed, parentheses balanced). problems() lists what a statement
// breaks; a valid one breaks nothing.
#pragma once

#include "functions.h"
#include "schema.h"
#include "tree.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

namespace statement_checks {

using foxgen::Node;
using foxgen::NodeKind;
using foxgen::Query;
using foxgen::Select;
using foxgen::Type;

// The types as FoxPro compares them: C (memo too), N (any number), D, T, L.
inline char kind_of(Type t) {
    switch (t) {
    case Type::character:
    case Type::memo: return 'C';
    case Type::number:
    case Type::integer:
    case Type::currency: return 'N';
    case Type::date: return 'D';
    case Type::datetime: return 'T';
    case Type::logical: return 'L';
    }
    return '?';
}

struct Field {
    std::string name;
    char kind;
};
struct Source {
    std::string name;
    std::vector<Field> fields;
};

class Checker {
public:
    std::vector<std::string> problems;

    void statement(const Query &q) { query(q, {}, true); }

private:
    using Scopes = std::vector<std::vector<Source>>;  // innermost last

    void fail(const std::string &what) { problems.push_back(what); }

    static char literal_kind(const std::string &text) {
        if (text.empty()) return '?';
        const char c = text.front();
        if (c == '\'' || c == '"' || c == '[') return 'C';
        if (c == '{') return text == "{/:}" || text.find(':') != std::string::npos ? 'T' : 'D';
        if (text == ".NULL." || text == ".null.") return '*';  // of any type
        if (c == '.') return 'L';
        return 'N';
    }

    static char cast_kind(std::string word) {
        std::transform(word.begin(), word.end(), word.begin(),
                       [](char ch) { return static_cast<char>(std::toupper(ch)); });
        word = word.substr(0, word.find('('));
        if (word == "C" || word == "V" || word == "CHAR" || word == "VARCHAR") return 'C';
        if (word == "D" || word == "DATE") return 'D';
        if (word == "T" || word == "DATETIME") return 'T';
        if (word == "L") return 'L';
        return 'N';
    }

    static bool same(char a, char b) { return a == b || a == '*' || b == '*'; }
    static char either(char a, char b) { return a == '*' ? b : a; }

    // Each function: its result and the kinds of its arguments (one string per accepted count);
    // '*' any kind, 'S' the result's kind.
    struct Signature {
        std::string_view name;
        char result;
        std::vector<std::string_view> args;
    };
    static const Signature *signature(const std::string &name) {
        static const std::vector<Signature> table = {
            {"ALLTRIM", 'C', {"C", "CC", "CCC", "CNC"}}, {"TRIM", 'C', {"C", "CNC"}}, {"RTRIM", 'C', {"C", "CC"}},
            {"LTRIM", 'C', {"C", "CC"}},
            {"UPPER", 'C', {"C"}}, {"LOWER", 'C', {"C"}}, {"LEFT", 'C', {"CN"}}, {"RIGHT", 'C', {"CN"}},
            {"SUBSTR", 'C', {"CN", "CNN"}}, {"PADR", 'C', {"CN", "CNC"}}, {"PADL", 'C', {"CN", "CNC"}},
            {"PADC", 'C', {"CN", "CNC"}},
            {"STR", 'C', {"N", "NN", "NNN"}}, {"DTOS", 'C', {"D"}}, {"DTOC", 'C', {"D", "DN"}},
            {"TRANSFORM", 'C', {"*", "NC"}}, {"SPACE", 'C', {"N"}}, {"REPLICATE", 'C', {"CN"}},
            {"STRTRAN", 'C', {"CC", "CCC", "CCCN", "CCCNN", "CCCNNN"}}, {"TTOC", 'C', {"T", "TN"}}, {"ROUND", 'N', {"NN"}}, {"INT", 'N', {"N"}},
            {"ABS", 'N', {"N"}}, {"LEN", 'N', {"C"}}, {"AT", 'N', {"CC", "CCN"}}, {"VAL", 'N', {"C"}},
            {"YEAR", 'N', {"D", "T"}}, {"MONTH", 'N', {"D", "T"}}, {"DAY", 'N', {"D", "T"}},
            {"WEEK", 'N', {"D", "T", "DN", "DNN"}}, {"HOUR", 'N', {"T"}},
            {"MINUTE", 'N', {"T"}}, {"MOD", 'N', {"NN"}}, {"RECNO", 'N', {""}}, {"RAND", 'N', {""}}, {"DATE", 'D', {"", "NNN"}},
            {"TTOD", 'D', {"T"}}, {"CTOD", 'D', {"C"}}, {"DATETIME", 'T', {"", "NNN", "NNNN", "NNNNN", "NNNNNN"}}, {"DTOT", 'T', {"D"}},
            {"DELETED", 'L', {""}}, {"EMPTY", 'L', {"*"}}, {"ISNULL", 'L', {"*"}},
            {"ISUPPER", 'L', {"C"}}, {"ISLOWER", 'L', {"C"}},
            // the wider set
            {"CHRTRAN", 'C', {"CCC"}}, {"CHRTRANC", 'C', {"CCC"}}, {"PROPER", 'C', {"C"}},
            {"GETWORDNUM", 'C', {"CN", "CNC"}}, {"STUFF", 'C', {"CNNC"}}, {"STUFFC", 'C', {"CNNC"}},
            {"STREXTRACT", 'C', {"CCC", "CCCN", "CCCNN"}}, {"CDOW", 'C', {"D", "T"}}, {"CMONTH", 'C', {"D", "T"}},
            {"DMY", 'C', {"D", "T"}}, {"MDY", 'C', {"D", "T"}}, {"CHR", 'C', {"N"}}, {"LEFTC", 'C', {"CN"}},
            {"RIGHTC", 'C', {"CN"}}, {"SUBSTRC", 'C', {"CN", "CNN"}}, {"JUSTFNAME", 'C', {"C"}},
            {"JUSTEXT", 'C', {"C"}}, {"JUSTSTEM", 'C', {"C"}}, {"ADDBS", 'C', {"C"}}, {"FORCEEXT", 'C', {"CC"}},
            {"SOUNDEX", 'C', {"C"}}, {"OCCURS", 'N', {"CC"}}, {"GETWORDCOUNT", 'N', {"C", "CC"}},
            {"ATC", 'N', {"CC", "CCN"}}, {"RAT", 'N', {"CC", "CCN"}}, {"ATCC", 'N', {"CC"}},
            {"AT_C", 'N', {"CC", "CCN"}}, {"RATC", 'N', {"CC"}}, {"SIGN", 'N', {"N"}}, {"CEILING", 'N', {"N"}},
            {"FLOOR", 'N', {"N"}}, {"SQRT", 'N', {"N"}}, {"PI", 'N', {""}}, {"ASC", 'N', {"C"}}, {"LENC", 'N', {"C"}},
            {"DOW", 'N', {"D", "T", "DN", "TN"}}, {"QUARTER", 'N', {"D", "T", "DN", "TN"}},
            {"BITAND", 'N', {"NN"}}, {"BITOR", 'N', {"NN"}}, {"BITXOR", 'N', {"NN"}}, {"BITNOT", 'N', {"N"}},
            {"BITLSHIFT", 'N', {"NN"}}, {"BITRSHIFT", 'N', {"NN"}}, {"RGB", 'N', {"NNN"}}, {"NTOM", 'N', {"N"}},
            {"MTON", 'N', {"N"}}, {"FV", 'N', {"NNN"}}, {"PV", 'N', {"NNN"}}, {"PAYMENT", 'N', {"NNN"}},
            {"GOMONTH", 'D', {"DN"}}, {"CTOT", 'T', {"C"}}, {"ISDIGIT", 'L', {"C"}}, {"ISALPHA", 'L', {"C"}},
            {"ISBLANK", 'L', {"*"}}, {"LIKE", 'L', {"CC"}}, {"LIKEC", 'L', {"CC"}}, {"BITTEST", 'L', {"NN"}},
        };
        for (const Signature &s : table) {
            if (s.name == name) return &s;
        }
        return nullptr;
    }

    const Source *find(const Scopes &scopes, const std::string &name) {
        for (auto s = scopes.rbegin(); s != scopes.rend(); ++s) {
            for (const Source &src : *s) {
                if (src.name == name) return &src;
            }
        }
        return nullptr;
    }

    // The node's kind as its parts give it; checks the parts on the way.
    char kind(const Node &n, const Scopes &scopes, bool aggregates_allowed, const Select *owner) {
        switch (n.kind) {
        case NodeKind::column: {
            const Source *src = find(scopes, n.owner);
            if (!src) return fail("field of an unknown table: " + n.owner + "." + n.word), '?';
            for (const Field &f : src->fields) {
                if (f.name == n.word) return f.kind;
            }
            return fail("no field " + n.word + " in " + n.owner), '?';
        }
        case NodeKind::item_name:
        case NodeKind::item_number:
            if (!owner || n.item < 0 || static_cast<std::size_t>(n.item) >= owner->items.size())
                return fail("an item number or name out of the list"), '?';
            if (n.kind == NodeKind::item_name && owner->items[static_cast<std::size_t>(n.item)].alias.empty())
                fail("an item named that has no name");
            return n.kind == NodeKind::item_number ? 'N' : kind_of(n.type);
        case NodeKind::literal: return literal_kind(n.word);
        case NodeKind::variable:
        case NodeKind::parameter: {
            std::string name = n.word;
            if (name.rfind("m.", 0) == 0) name = name.substr(2);
            for (const foxgen::Variable &v : foxgen::variables()) {
                if (v.name == name) return kind_of(v.type);
            }
            for (const foxgen::WideVariable &v : foxgen::wide_variables()) {
                if (v.name == name) return kind_of(v.type);
            }
            return fail("unknown variable " + n.word), '?';
        }
        case NodeKind::call: return call(n, scopes, aggregates_allowed, owner);
        case NodeKind::cast:
            kind(n.args[0], scopes, aggregates_allowed, owner);
            return cast_kind(n.word);
        case NodeKind::unary: {
            const char k = kind(n.args[0], scopes, aggregates_allowed, owner);
            const char want = n.word == "-" ? 'N' : 'L';
            if (k != want) fail("operand of " + n.word + " is " + k);
            return want;
        }
        case NodeKind::binary: return binary(n, scopes, aggregates_allowed, owner);
        case NodeKind::is_null: kind(n.args[0], scopes, aggregates_allowed, owner); return 'L';
        case NodeKind::between:
        case NodeKind::in_list: {
            const char first = kind(n.args[0], scopes, aggregates_allowed, owner);
            for (std::size_t i = 1; i < n.args.size(); ++i) {
                if (!same(kind(n.args[i], scopes, aggregates_allowed, owner), first))
                    fail("list or bounds of another type");
            }
            return 'L';
        }
        case NodeKind::like:
            if (kind(n.args[0], scopes, aggregates_allowed, owner) != 'C' ||
                kind(n.args[1], scopes, aggregates_allowed, owner) != 'C')
                fail("LIKE on other than text");
            return 'L';
        case NodeKind::in_query:
        case NodeKind::compare_query: {
            const char left = kind(n.args[0], scopes, aggregates_allowed, owner);
            if (subquery(n.query[0], scopes) != left) fail("subquery of another type than its operand");
            return 'L';
        }
        case NodeKind::exists: subquery(n.query[0], scopes, true); return 'L';
        case NodeKind::scalar_query: return subquery(n.query[0], scopes);
        case NodeKind::paren: return kind(n.args[0], scopes, aggregates_allowed, owner);
        }
        return '?';
    }

    static bool has_subquery(const Node &n) {
        return !n.query.empty() || std::any_of(n.args.begin(), n.args.end(), has_subquery);
    }

    char call(const Node &n, const Scopes &scopes, bool aggregates_allowed, const Select *owner) {
        std::string kinds;
        if (n.aggregate && !aggregates_allowed) fail("aggregate " + n.word + " where none may stand");
        if (n.aggregate && has_subquery(n)) fail("a subquery inside " + n.word);
        for (const Node &a : n.args) kinds += kind(a, scopes, aggregates_allowed && !n.aggregate, owner);
        if (n.aggregate) {
            if (n.word == "SUM" || n.word == "AVG") {
                if (kinds != "N") fail(n.word + " of " + kinds);
                return 'N';
            }
            if (n.word == "COUNT" || n.word == "CNT") return 'N';
            if (kinds.size() != 1 || kinds == "L") fail(n.word + " of " + kinds);
            return kinds.empty() ? '?' : kinds[0];
        }
        if (n.word == "IIF") {
            if (kinds.size() != 3 || kinds[0] != 'L' || !same(kinds[1], kinds[2])) fail("IIF(" + kinds + ")");
            return kinds.size() == 3 ? either(kinds[1], kinds[2]) : '?';
        }
        if (n.word == "ICASE") {
            const char result = kinds.size() >= 2 ? kinds[1] : '?';
            for (std::size_t i = 0; i + 1 < kinds.size(); i += 2) {
                if (kinds[i] != 'L' || kinds[i + 1] != result) fail("ICASE(" + kinds + ")");
            }
            if (kinds.size() % 2 == 1 && kinds.back() != result) fail("ICASE(" + kinds + ")");
            return result;
        }
        if (n.word == "NVL" || n.word == "EVL") {
            if (kinds.size() != 2 || !same(kinds[0], kinds[1])) fail(n.word + "(" + kinds + ")");
            return kinds.size() == 2 ? either(kinds[0], kinds[1]) : '?';
        }
        if (n.word == "MAX" || n.word == "MIN") {  // of two values or more, all of one kind
            char common = kinds.empty() ? '?' : kinds[0];
            for (char k : kinds) {
                if (!same(k, common)) fail(n.word + "(" + kinds + ")");
                common = either(common, k);
            }
            if (kinds.size() < 2) fail(n.word + "(" + kinds + ")");
            return common;
        }
        if (n.word == "INLIST" || n.word == "BETWEEN") {
            if (kinds.size() < 2 || std::any_of(kinds.begin(), kinds.end(), [&](char k) { return !same(k, kinds[0]); }))
                fail(n.word + "(" + kinds + ")");
            if (n.word == "BETWEEN" && kinds.size() != 3) fail("BETWEEN(" + kinds + ")");
            return 'L';
        }
        const Signature *s = signature(n.word);
        if (!s) return fail("unknown function " + n.word), '?';
        const bool fits = std::any_of(s->args.begin(), s->args.end(), [&](std::string_view want) {
            if (want.size() != kinds.size()) return false;
            for (std::size_t i = 0; i < want.size(); ++i) {
                if (want[i] != '*' && want[i] != kinds[i]) return false;
            }
            return true;
        });
        if (!fits) fail(n.word + "(" + kinds + ")");
        return s->result;
    }

    char binary(const Node &n, const Scopes &scopes, bool aggregates_allowed, const Select *owner) {
        const char a = kind(n.args[0], scopes, aggregates_allowed, owner);
        const char b = kind(n.args[1], scopes, aggregates_allowed, owner);
        const std::string &op = n.word;
        const std::string pair{a, b};
        if (op == "AND" || op == "OR" || op == ".AND." || op == ".OR.") {
            if (pair != "LL") fail(op + " of " + pair);
            return 'L';
        }
        if (op == "$") {
            if (pair != "CC") fail("$ of " + pair);
            return 'L';
        }
        if (op == "+" || op == "-" || op == "*" || op == "/" || op == "^" || op == "**") {
            if (pair == "NN") return 'N';
            if ((op == "+" || op == "-") && (pair == "CC" || pair == "DN" || pair == "TN")) return a;
            if (op == "-" && pair == "DD") return 'N';
            return fail("arithmetic " + op + " of " + pair), '?';
        }
        // a comparison
        if (!same(a, b) || a == '?' || b == '?') fail("comparison " + op + " of " + pair);
        if (a == 'L' && op != "=" && op != "#") fail("logical compared with " + op);
        if (op == "==" && a != 'C') fail("== of " + pair);
        return 'L';
    }

    std::vector<Source> sources(const Select &s, const Scopes &outer) {
        std::vector<Source> out;
        auto add = [&](const foxgen::TableRef &t) {
            Source src{t.name(), {}};
            if (!t.derived.empty()) {
                query(t.derived[0], {}, false);
                for (const foxgen::Item &it : t.derived[0].members[0].items) {
                    if (it.star()) fail("a star in a derived table");
                    const std::string name = it.alias.empty() ? it.expr[0].word : it.alias;
                    for (const Field &f : src.fields) {
                        if (f.name == name) fail("two columns " + name + " in a derived table");
                    }
                    src.fields.push_back({name, kind_of(it.expr[0].type)});
                }
            } else if (const foxgen::Table *table = foxgen::table_named(t.table)) {
                for (const foxgen::Column &c : table->columns)
                    src.fields.push_back({std::string(c.name), kind_of(c.type)});
            } else {
                fail("unknown table " + t.table);
            }
            for (const Source &o : out) {
                if (o.name == src.name) fail("two tables named " + src.name);
            }
            out.push_back(std::move(src));
        };
        add(s.from);
        Scopes scopes = outer;
        for (const foxgen::Join &j : s.joins) {
            add(j.table);
            if (j.outer_word && j.kind != foxgen::JoinKind::left && j.kind != foxgen::JoinKind::right &&
                j.kind != foxgen::JoinKind::full)
                fail("OUTER with a join that is not LEFT, RIGHT or FULL");
            if (j.kind == foxgen::JoinKind::comma) continue;
            scopes.push_back(out);
            if (j.on.size() != 1 || kind(j.on[0], scopes, false, nullptr) != 'L')
                fail("a join condition that is not one");
            scopes.pop_back();
        }
        return out;
    }

    // A subquery's one column's kind.
    char subquery(const Query &q, const Scopes &outer, bool any_list = false) {
        query(q, outer, false);
        const Select &s = q.members[0];
        if (any_list) return 'L';
        if (s.items.size() != 1 || s.items[0].star()) return fail("a subquery of more than one column"), '?';
        return kind_of(s.items[0].expr[0].type);
    }

    static bool has_aggregate(const Node &n) {
        return n.aggregate || std::any_of(n.args.begin(), n.args.end(), has_aggregate);
    }
    // Fields named outside any aggregate.
    static void bare_fields(const Node &n, std::vector<const Node *> &out) {
        if (n.aggregate || !n.query.empty()) return;
        if (n.kind == NodeKind::column) out.push_back(&n);
        for (const Node &a : n.args) bare_fields(a, out);
    }

    void grouping(const Select &s, std::size_t index) {
        const bool grouped =
            !s.group_by.empty() || std::any_of(s.items.begin(), s.items.end(), [](const foxgen::Item &it) {
                return !it.star() && has_aggregate(it.expr[0]);
            });
        if (!grouped) return;
        // GROUP BY a field, or the number of an item that is that field
        auto grouped_field = [&](const Node &c) {
            return std::any_of(s.group_by.begin(), s.group_by.end(), [&](const Node &g) {
                const Node *named = &g;
                if (g.kind == NodeKind::item_number && g.item >= 0 &&
                    static_cast<std::size_t>(g.item) < s.items.size() &&
                    !s.items[static_cast<std::size_t>(g.item)].star())
                    named = &s.items[static_cast<std::size_t>(g.item)].expr[0];
                return named->kind == NodeKind::column && named->word == c.word && named->owner == c.owner;
            });
        };
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            const foxgen::Item &it = s.items[i];
            if (it.star()) {
                fail("a star in a grouped member");
                continue;
            }
            const bool by_number = std::any_of(s.group_by.begin(), s.group_by.end(), [&](const Node &g) {
                return g.kind == NodeKind::item_number && g.item == static_cast<int>(i);
            });
            std::vector<const Node *> bare;
            bare_fields(it.expr[0], bare);
            for (const Node *c : bare) {
                if (!by_number && !grouped_field(*c))
                    fail("item " + std::to_string(i + 1) + " names " + c->word + " ungrouped");
            }
        }
        for (const Node &h : s.having) {
            std::vector<const Node *> bare;
            bare_fields(h, bare);
            for (const Node *c : bare) {
                if (!grouped_field(*c)) fail("HAVING names " + c->word + " ungrouped");
            }
        }
        (void)index;
    }

    void query(const Query &q, const Scopes &outer, bool outermost) {
        if (q.members.empty()) return fail("a query without members");
        if (q.union_all.size() + 1 != q.members.size()) fail("UNION words do not match the members");
        const Select &first = q.members.front();
        for (std::size_t m = 0; m < q.members.size(); ++m) {
            const Select &s = q.members[m];
            Scopes scopes = outer;
            scopes.push_back(sources(s, outer));
            for (const foxgen::Item &it : s.items) {
                if (it.star()) {
                    if (!it.star_owner.empty() && !find(scopes, it.star_owner)) fail("star of an unknown table");
                    continue;
                }
                kind(it.expr[0], scopes, true, &s);
            }
            for (const Node &w : s.where) {
                if (kind(w, scopes, false, &s) != 'L') fail("WHERE that is not a condition");
            }
            for (const Node &g : s.group_by) kind(g, scopes, false, &s);
            for (const Node &h : s.having) {
                if (kind(h, scopes, true, &s) != 'L') fail("HAVING that is not a condition");
            }
            grouping(s, m);
            if (s.top > 0 && q.order_by.empty()) fail("TOP without ORDER BY");
            if (m > 0) {
                if (s.items.size() != first.items.size()) fail("UNION members of different widths");
                for (std::size_t i = 0; i < s.items.size() && i < first.items.size(); ++i) {
                    if (s.items[i].star() || first.items[i].star()) fail("a star in a UNION");
                    else if (s.items[i].expr[0].type != first.items[i].expr[0].type)
                        fail("UNION columns of different types");
                }
            }
        }
        if (!outermost && (!q.order_by.empty() || q.into.kind != foxgen::Destination::none))
            fail("ORDER BY or a destination in a subquery");
        for (const foxgen::OrderKey &k : q.order_by) {
            if (k.key.item < 0 || static_cast<std::size_t>(k.key.item) >= first.items.size()) {
                fail("ORDER BY out of the list");
                continue;
            }
            if (k.key.kind == NodeKind::item_name && first.items[static_cast<std::size_t>(k.key.item)].alias.empty())
                fail("ORDER BY a name the item does not have");
        }
    }
};

inline std::vector<std::string> problems(const Query &q) {
    Checker c;
    c.statement(q);
    return c.problems;
}

// The text as FoxPro reads it: each literal closed ('...', "...", and [...] where "[" does not
// follow a name or ")"), parentheses balanced outside literals, no line break inside a literal.
inline std::vector<std::string> text_problems(const std::string &text) {
    std::vector<std::string> out;
    int depth = 0;
    auto name_char = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return std::isalnum(u) || u == '_' || u >= 0x80;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        char close = 0;
        if (c == '\'' || c == '"') close = c;
        else if (c == '[' && !(i > 0 && (name_char(text[i - 1]) || text[i - 1] == ')'))) close = ']';
        else if (c == '[') out.push_back("a subscript at " + std::to_string(i));
        if (close) {
            const std::size_t end = text.find(close, i + 1);
            if (end == std::string::npos) {
                out.push_back("a literal left open at " + std::to_string(i));
                break;
            }
            if (text.find_first_of("\r\n", i) < end) out.push_back("a line break in a literal at " + std::to_string(i));
            i = end;
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')' && --depth < 0) out.push_back("a ) without ( at " + std::to_string(i));
    }
    if (depth > 0) out.push_back("a ( left open");
    return out;
}

// The problems found, as one text ("" when none), for a test's message.
inline std::string joined(const std::vector<std::string> &items) {
    std::string out;
    for (const std::string &i : items) out += i + "; ";
    return out;
}

}  // namespace statement_checks
