#include "render.h"

#include "random.h"

#include <algorithm>
#include <string_view>

namespace foxgen {
namespace {

enum class Kw {
    select, all, distinct, top, percent, from, force, as, join, inner, left, right, full, outer, on, where,
    group, by, having, order, asc, desc, union_, into, cursor, table, dbf, array, to, file, screen, and_, or_,
    not_, like, in, is, null, between, exists, with, buffering,
};

// Each keyword with the short forms FoxPro accepts for it.
struct Spelling {
    std::string_view full;
    std::string_view shortest;  // empty when it has none
};
constexpr Spelling spellings[] = {
    {"SELECT", "SELE"}, {"ALL", ""},      {"DISTINCT", "DIST"}, {"TOP", ""},     {"PERCENT", ""},
    {"FROM", ""},       {"FORCE", ""},    {"AS", ""},           {"JOIN", ""},    {"INNER", "INNE"},
    {"LEFT", ""},       {"RIGHT", "RIGH"}, {"FULL", ""},        {"OUTER", "OUTE"}, {"ON", ""},
    {"WHERE", "WHER"},  {"GROUP", "GROU"}, {"BY", ""},          {"HAVING", "HAVI"}, {"ORDER", "ORDE"},
    {"ASC", ""},        {"DESC", ""},     {"UNION", "UNIO"},    {"INTO", ""},    {"CURSOR", "CURS"},
    {"TABLE", "TABL"},  {"DBF", ""},      {"ARRAY", "ARRA"},    {"TO", ""},      {"FILE", ""},
    {"SCREEN", "SCRE"}, {"AND", ""},      {"OR", ""},           {"NOT", ""},     {"LIKE", ""},
    {"IN", ""},         {"IS", ""},       {"NULL", ""},         {"BETWEEN", "BETW"}, {"EXISTS", "EXIS"},
    {"WITH", ""},       {"BUFFERING", ""},
};

// FoxPro functions that real code writes shortened (FoxPro reads the first four letters or more).
constexpr std::string_view shortened_functions[] = {"ALLTRIM", "SUBSTR", "TRANSFORM", "UPPER", "LOWER",
                                                    "REPLICATE", "STRTRAN", "EMPTY", "INLIST", "ROUND",
                                                    "SPACE", "CHRTRAN", "GOMONTH", "CEILING", "OCCURS",
                                                    "PROPER", "QUARTER"};

bool name_char(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u >= 0x80;
}
char to_upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char to_lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The writing choices of one node, drawn from its style within the statement's habits.
class Styler {
public:
    Styler(const Habits &habits, std::uint64_t style) : habits_(habits), random_(style), plain_(style == 0) {}

    std::string keyword(Kw kw) {
        const Spelling &s = spellings[static_cast<std::size_t>(kw)];
        std::string word(s.full);
        if (!plain_ && habits_.abbreviates && !s.shortest.empty() && random_.chance(50))
            word = s.full.substr(0, static_cast<std::size_t>(
                                        random_.between(static_cast<int>(s.shortest.size()),
                                                        static_cast<int>(s.full.size()) - 1)));
        return cased(word, true);
    }
    std::string function(std::string_view name) {
        std::string word(name);
        if (!plain_ && habits_.abbreviates && random_.chance(15)) {
            for (std::string_view f : shortened_functions) {
                if (f == name)
                    word =
                        name.substr(0, static_cast<std::size_t>(random_.between(4, static_cast<int>(name.size()) - 1)));
            }
        }
        return cased(word, true);
    }
    std::string name(std::string_view word) { return cased(std::string(word), false); }
    std::string keyword_text(std::string_view word) { return cased(std::string(word), true); }  // .AND. .NOT.

    // The separation between two words.
    std::string gap() {
        if (plain_ || habits_.blanks == 0) return " ";
        if (habits_.blanks == 2) {
            switch (random_.weighted({70, 8, 7, 3, 7, 3, 2})) {
            case 1: return "  ";
            case 2: return "\t";
            case 3: return " \t";
            case 4: return "\r\n";
            case 5: return "\n";
            case 6: return "\r\n\t";
            default: return " ";
            }
        }
        switch (random_.weighted({75, 12, 9, 4})) {
        case 1: return "  ";
        case 2: return "\t";
        case 3: return " \t";
        default: return " ";
        }
    }
    // Around an operator: a blank, none, or any separation.
    std::string around() {
        if (plain_) return " ";
        const int none = habits_.tight ? 60 : 12;
        return random_.chance(none) ? "" : gap();
    }
    // After a comma.
    std::string after_comma() {
        if (plain_) return " ";
        return random_.chance(habits_.tight ? 60 : 25) ? "" : gap();
    }
    // Inside a parenthesis.
    std::string inside() {
        if (plain_) return "";
        return random_.chance(habits_.tight ? 95 : 85) ? "" : gap();
    }
    bool chance(int percent) { return !plain_ && random_.chance(percent); }

private:
    std::string cased(std::string word, bool keyword) {
        int mode = habits_.letter_case;
        if (mode == 4) mode = plain_ ? 2 : static_cast<int>(random_.below(4));
        if (mode == 5 && plain_) mode = 2;
        switch (mode) {
        case 0:
            for (char &c : word) c = keyword ? to_upper(c) : to_lower(c);
            break;
        case 1:
            for (char &c : word) c = to_lower(c);
            break;
        case 2:
            for (char &c : word) c = to_upper(c);
            break;
        case 3: {
            bool start = true;
            for (char &c : word) {
                c = start ? to_upper(c) : to_lower(c);
                start = !name_char(c) || c == '_';
            }
            break;
        }
        default:
            for (char &c : word) c = random_.chance(50) ? to_upper(c) : to_lower(c);
        }
        return word;
    }

    const Habits &habits_;
    Random random_;
    bool plain_;
};

// Would FoxPro read the two texts as one token, or as something else, if nothing stood between them?
bool needs_blank(char before, char after) {
    if (name_char(before) && (name_char(after) || after == '!' || after == '?' || after == '[')) return true;
    if (before == '.' && (name_char(after) || after == '.')) return true;
    if (name_char(before) && after == '.') return true;
    if ((before == ')' || before == ']') && after == '[') return true;
    if (before == '-' && after == '-') return true;
    if ((before == '=' || before == '<' || before == '>' || before == '!' || before == '#') &&
        (after == '=' || after == '>'))
        return true;
    return false;
}

class Writer {
public:
    explicit Writer(const Habits &habits) : habits_(habits) {}

    std::string text() && { return std::move(out_); }

    void query(const Query &q) {
        for (std::size_t m = 0; m < q.members.size(); ++m) {
            if (m > 0) {
                Styler s(habits_, q.members[m].style ^ 0x5A5A);
                put(s.gap());
                put(s.keyword(Kw::union_));
                if (q.union_all[m - 1]) {
                    put(s.gap());
                    put(s.keyword(Kw::all));
                }
                put(s.gap());
            }
            member(q, q.members[m], m + 1 == q.members.size());
        }
    }

private:
    void put(const std::string &text) {
        if (text.empty()) return;
        if (!out_.empty() && needs_blank(out_.back(), text.front())) out_ += ' ';
        out_ += text;
    }

    void member(const Query &q, const Select &s, bool last) {
        Styler st(habits_, s.style);
        put(st.keyword(Kw::select));
        if (s.all_word) {
            put(st.gap());
            put(st.keyword(Kw::all));
        }
        if (s.distinct) {
            put(st.gap());
            put(st.keyword(Kw::distinct));
        }
        const bool top_later = std::find(s.clauses.begin(), s.clauses.end(), Clause::top) != s.clauses.end();
        if (s.top > 0 && !top_later) top(st, s);
        put(st.gap());
        list(st, s.items.size(), [&](std::size_t i) { item(s.items[i]); });
        if (s.where_first) condition_clause(st, Kw::where, s.where, s);
        spaced(st, Kw::from);
        if (s.force) {
            word(st, Kw::force);
        }
        table_ref(s.from);
        for (const Join &j : s.joins) join(j, &s);
        for (Clause c : s.clauses) {
            switch (c) {
            case Clause::where:
                if (!s.where_first) condition_clause(st, Kw::where, s.where, s);
                break;
            case Clause::group_by:
                if (s.group_by.empty()) break;
                spaced(st, Kw::group);
                word(st, Kw::by);
                list(st, s.group_by.size(), [&](std::size_t i) { node(s.group_by[i], &s); });
                break;
            case Clause::having:
                condition_clause(st, Kw::having, s.having, s);
                break;
            case Clause::order_by:
                if (last) order_by(q);
                break;
            case Clause::into:
                if (last) destination(q.into);
                break;
            case Clause::top:
                if (s.top > 0) {
                    put(st.gap());
                    top(st, s);
                }
                break;
            }
        }
    }

    // WHERE or HAVING and its condition, when there is one.
    void condition_clause(Styler &st, Kw kw, const std::vector<Node> &condition, const Select &s) {
        if (condition.empty()) return;
        put(st.gap());
        put(st.keyword(kw));
        put(st.gap());
        node(condition[0], &s);
    }

    void top(Styler &st, const Select &s) {
        spaced(st, Kw::top);
        put(std::to_string(s.top));
        if (s.top_percent) {
            put(st.gap());
            put(st.keyword(Kw::percent));
        }
    }

    void item(const Item &it) {
        Styler st(habits_, it.style);
        if (it.star()) {
            if (!it.star_owner.empty()) put(st.name(it.star_owner) + ".");
            put("*");
            return;
        }
        node(it.expr[0], nullptr);
        if (it.alias.empty()) return;
        put(st.gap());
        if (it.as_word) {
            word(st, Kw::as);
        }
        put(st.name(it.alias));
    }

    void table_ref(const TableRef &t) {
        Styler st(habits_, t.style);
        if (!t.derived.empty()) {
            put("(");
            put(st.inside());
            Writer inner(habits_);
            inner.query(t.derived[0]);
            put(std::move(inner).text());
            put(st.inside());
            put(")");
        } else {
            if (t.database) put(st.name(database_name) + "!");
            put(st.name(t.table));
        }
        if (!t.alias.empty()) {
            put(st.gap());
            if (t.as_word) {
                word(st, Kw::as);
            }
            put(st.name(t.alias));
        }
        if (t.buffering) {
            spaced(st, Kw::with);
            put("(");
            put(st.keyword(Kw::buffering));
            put(st.around());
            put("=");
            put(st.around());
            put(st.chance(50) ? ".t." : ".T.");
            put(")");
        }
    }

    void join(const Join &j, const Select *s) {
        Styler st(habits_, j.style);
        if (j.kind == JoinKind::comma) {
            put(",");
            put(st.after_comma());
            table_ref(j.table);
            return;
        }
        put(st.gap());
        switch (j.kind) {
        case JoinKind::inner: put(st.keyword(Kw::inner)); put(st.gap()); break;
        case JoinKind::left: put(st.keyword(Kw::left)); put(st.gap()); break;
        case JoinKind::right: put(st.keyword(Kw::right)); put(st.gap()); break;
        case JoinKind::full: put(st.keyword(Kw::full)); put(st.gap()); break;
        default: break;
        }
        if (j.outer_word) {
            word(st, Kw::outer);
        }
        word(st, Kw::join);
        table_ref(j.table);
        spaced(st, Kw::on);
        node(j.on[0], s);
    }

    void order_by(const Query &q) {
        if (q.order_by.empty()) return;
        Styler st(habits_, q.style);
        spaced(st, Kw::order);
        word(st, Kw::by);
        for (std::size_t i = 0; i < q.order_by.size(); ++i) {
            const OrderKey &k = q.order_by[i];
            Styler ks(habits_, k.style);
            if (i > 0) {
                put(",");
                put(ks.after_comma());
            }
            node(k.key, &q.members.front());
            if (k.direction > 0) {
                put(ks.gap());
                put(ks.keyword(k.direction == 1 ? Kw::asc : Kw::desc));
            }
        }
    }

    void destination(const Destination &d) {
        if (d.kind == Destination::none) return;
        Styler st(habits_, d.style);
        put(st.gap());
        switch (d.kind) {
        case Destination::cursor:
        case Destination::table:
        case Destination::dbf:
        case Destination::array:
            word(st, Kw::into);
            put(st.keyword(d.kind == Destination::cursor  ? Kw::cursor
                           : d.kind == Destination::table ? Kw::table
                           : d.kind == Destination::dbf   ? Kw::dbf
                                                          : Kw::array));
            break;
        case Destination::file:
            word(st, Kw::to);
            put(st.keyword(Kw::file));
            break;
        case Destination::screen:
            word(st, Kw::to);
            put(st.keyword(Kw::screen));
            break;
        default: break;
        }
        if (!d.name.empty()) {
            put(st.gap());
            put(st.name(d.name));
        }
        for (const std::string &option : d.options) {
            put(st.gap());
            put(st.name(option));
        }
    }

    void open_paren(Styler &st) {
        put("(");
        put(st.inside());
    }
    void close_paren(Styler &st) {
        put(st.inside());
        put(")");
    }

    // A keyword with the separation before and after it.
    void spaced(Styler &st, Kw kw) {
        put(st.gap());
        put(st.keyword(kw));
        put(st.gap());
    }
    // A keyword and the separation after it.
    void word(Styler &st, Kw kw) {
        put(st.keyword(kw));
        put(st.gap());
    }

    // The operand of a predicate, NOT when it is negated, and its keyword.
    void predicate(Styler &st, const Node &n, Kw kw, const Select *owner) {
        node(n.args[0], owner);
        put(st.gap());
        if (n.negated) {
            word(st, Kw::not_);
        }
        put(st.keyword(kw));
    }

    // 'count' elements written by 'one', separated by commas.
    template <typename One>
    void list(Styler &st, std::size_t count, One one) {
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) {
                put(",");
                put(st.after_comma());
            }
            one(i);
        }
    }

    void subquery(Styler &st, const Query &q) {
        open_paren(st);
        Writer inner(habits_);
        inner.query(q);
        put(std::move(inner).text());
        close_paren(st);
    }

    // 'owner' is the member whose items item_name and item_number refer to.
    void node(const Node &n, const Select *owner) {
        Styler st(habits_, n.style);
        switch (n.kind) {
        case NodeKind::column:
            if (n.qualified) {
                const std::string owner = st.name(n.owner);
                put(owner + "." + st.name(n.word));
            } else {
                put(st.name(n.word));
            }
            break;
        case NodeKind::item_name:
            put(st.name(owner->items[static_cast<std::size_t>(n.item)].alias));
            break;
        case NodeKind::item_number:
            put(std::to_string(n.item + 1));
            break;
        case NodeKind::literal:
            put(n.word);
            break;
        case NodeKind::variable:  // a form property is written as it is, a memory variable with m.
            if (n.word.find('.') != std::string::npos) put(st.name(n.word));
            else {
                const std::string m = st.name("m.");
                put(m + st.name(n.word));
            }
            break;
        case NodeKind::parameter:
            put("?" + st.name(n.word));
            break;
        case NodeKind::call:
            put(st.function(n.word));
            open_paren(st);
            if (n.star) put("*");
            if (n.distinct) {
                word(st, Kw::distinct);
            }
            list(st, n.args.size(), [&](std::size_t i) { node(n.args[i], owner); });
            close_paren(st);
            break;
        case NodeKind::cast:
            put(st.function("CAST"));
            open_paren(st);
            node(n.args[0], owner);
            spaced(st, Kw::as);
            put(st.name(n.word));
            close_paren(st);
            break;
        case NodeKind::unary:
            if (n.word == "NOT") {
                word(st, Kw::not_);
            } else if (n.word == ".NOT.") {
                put(st.keyword_text(".NOT."));
                put(st.around());
            } else {
                put(n.word);
                if (n.word == "!") put(st.chance(20) ? " " : "");
            }
            node(n.args[0], owner);
            break;
        case NodeKind::binary: {
            node(n.args[0], owner);
            const bool word_op = n.word == "AND" || n.word == "OR";
            if (word_op) {
                put(st.gap());
                put(st.keyword(n.word == "AND" ? Kw::and_ : Kw::or_));
                put(st.gap());
            } else if (n.word.front() == '.') {  // .AND. .OR.
                put(st.around());
                put(st.keyword_text(n.word));
                put(st.around());
            } else {
                put(st.around());
                put(n.word);
                put(st.around());
            }
            node(n.args[1], owner);
            break;
        }
        case NodeKind::is_null:
            node(n.args[0], owner);
            spaced(st, Kw::is);
            if (n.negated) {
                word(st, Kw::not_);
            }
            put(st.keyword(Kw::null));
            break;
        case NodeKind::between:
            predicate(st, n, Kw::between, owner);
            put(st.gap());
            node(n.args[1], owner);
            spaced(st, Kw::and_);
            node(n.args[2], owner);
            break;
        case NodeKind::in_list:
            predicate(st, n, Kw::in, owner);
            put(st.chance(20) ? "" : st.gap());
            open_paren(st);
            list(st, n.args.size() - 1, [&](std::size_t i) { node(n.args[i + 1], owner); });
            close_paren(st);
            break;
        case NodeKind::like:
            predicate(st, n, Kw::like, owner);
            put(st.gap());
            node(n.args[1], owner);
            break;
        case NodeKind::in_query:
            predicate(st, n, Kw::in, owner);
            put(st.chance(20) ? "" : st.gap());
            subquery(st, n.query[0]);
            break;
        case NodeKind::exists:
            if (n.negated) {
                word(st, Kw::not_);
            }
            put(st.keyword(Kw::exists));
            put(st.chance(40) ? "" : st.gap());
            subquery(st, n.query[0]);
            break;
        case NodeKind::compare_query:
            node(n.args[0], owner);
            put(st.around());
            put(n.word);
            put(st.around());
            if (!n.quantifier.empty()) {
                put(st.keyword_text(n.quantifier));
                put(st.chance(30) ? "" : st.gap());
            }
            subquery(st, n.query[0]);
            break;
        case NodeKind::scalar_query:
            subquery(st, n.query[0]);
            break;
        case NodeKind::paren:
            open_paren(st);
            node(n.args[0], owner);
            close_paren(st);
            break;
        }
    }

    const Habits &habits_;
    std::string out_;
};

}  // namespace

std::string render(const Query &query) {
    Writer writer(query.habits);
    writer.query(query);
    return std::move(writer).text();
}

}  // namespace foxgen
