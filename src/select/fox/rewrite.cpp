// The FoxPro-syntax pass. One left-to-right scan of the statement keeps, per parenthesis level, the
// clause it is in (the table list, a condition, a value), the start of the operand being read and
// what stood before it; a FoxPro-only construct is replaced in the output as the map's row for the
// dialect says. Arguments of a rewritten call are converted by a scan of their own (recursively),
// so constructs nest. The output is built only from the first change on: a statement without
// FoxPro-only constructs costs one scan and no copy.
#include "select/fox/rewrite.h"

#include "lex/scan.h"
#include "select/dialect.h"
#include "select/literals.h"
#include "select/fox/forms.h"
#include "select/fox/map.h"
#include "select/fox/text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tarnvel::select::fox {
namespace {

constexpr std::string_view grow_message = "Insufficient memory for SELECT";
constexpr int deepest_call = 32;     // rewritten calls inside rewritten calls: deeper ones stay as written
constexpr std::size_t tracked_levels = 16;  // parenthesis levels with a state of their own

// --- keywords

enum class Kw : std::uint8_t {
    none, select, from, where, group, having, order, into, union_, join, on, when, then, else_, end, case_,
    logic,     // AND, OR, NOT
    value,     // NULL
    callable,  // LEFT, RIGHT, BETWEEN: a keyword, or a call when "(" follows
    with,
    other,
};

struct Keyword {
    std::string_view word;
    Kw kw;
};

constexpr Keyword keyword_list[] = {
    {"ADDITIVE", Kw::other}, {"ALL", Kw::other}, {"AND", Kw::logic}, {"ANY", Kw::other}, {"ARRAY", Kw::other},
    {"AS", Kw::other}, {"ASC", Kw::other}, {"BETW", Kw::callable}, {"BETWE", Kw::callable},
    {"BETWEE", Kw::callable}, {"BETWEEN", Kw::callable}, {"BY", Kw::other}, {"CASE", Kw::case_},
    {"CROSS", Kw::other}, {"CURS", Kw::other}, {"CURSO", Kw::other}, {"CURSOR", Kw::other}, {"DBF", Kw::other},
    {"DESC", Kw::other}, {"DIST", Kw::other}, {"DISTI", Kw::other}, {"DISTIN", Kw::other},
    {"DISTINC", Kw::other}, {"DISTINCT", Kw::other}, {"ELSE", Kw::else_}, {"END", Kw::end},
    {"ESCAPE", Kw::other}, {"EXIS", Kw::other}, {"EXIST", Kw::other}, {"EXISTS", Kw::other},
    {"FILE", Kw::other}, {"FORC", Kw::other}, {"FORCE", Kw::other}, {"FROM", Kw::from}, {"FULL", Kw::other},
    {"GROU", Kw::group}, {"GROUP", Kw::group}, {"HAVI", Kw::having}, {"HAVIN", Kw::having},
    {"HAVING", Kw::having}, {"IN", Kw::other}, {"INNE", Kw::other}, {"INNER", Kw::other}, {"INTO", Kw::into},
    {"IS", Kw::other}, {"JOIN", Kw::join}, {"LEFT", Kw::callable}, {"LIKE", Kw::callable},
    {"NOCONSOLE", Kw::other}, {"NOFILTER", Kw::other}, {"NOT", Kw::logic}, {"NOWAIT", Kw::other},
    {"NULL", Kw::value}, {"ON", Kw::on}, {"OR", Kw::logic}, {"ORDE", Kw::order}, {"ORDER", Kw::order},
    {"OUTE", Kw::other}, {"OUTER", Kw::other}, {"PLAIN", Kw::other}, {"PRINTER", Kw::other},
    {"READWRITE", Kw::other}, {"RIGH", Kw::callable}, {"RIGHT", Kw::callable}, {"SELE", Kw::select},
    {"SELEC", Kw::select}, {"SELECT", Kw::select}, {"SOME", Kw::other}, {"THEN", Kw::then}, {"TO", Kw::into},
    {"TOP", Kw::other}, {"UNIO", Kw::union_}, {"UNION", Kw::union_}, {"WHEN", Kw::when},
    {"WHER", Kw::where}, {"WHERE", Kw::where}, {"WITH", Kw::with},
};

constexpr auto keyword_table() {
    WordTable<256> table;
    for (const Keyword &k : keyword_list) table.add(k.word, static_cast<std::uint8_t>(k.kw));
    return table;
}
constexpr auto keywords = keyword_table();

// The keyword the word is (in any letter case), or none.
Kw keyword_of(std::string_view word) {
    const int kw = keywords.find(word);
    return kw < 0 ? Kw::none : static_cast<Kw>(kw);
}

bool object_word(std::string_view w) {
    if (w.size() == 1) return upper(w[0]) == 'M';
    return (w.size() == 4 || w.size() == 8 || w.size() == 11) &&
           (same_word(w, "THIS") || same_word(w, "THISFORM") || same_word(w, "THISFORMSET"));
}

// The rows the pass names, looked up once.
struct NamedRows {
    const Construct &fn_ctod_expression = construct("fn.ctod_expression");
    const Construct &fn_str = construct("fn.str");
    const Construct &fn_str_decimals = construct("fn.str_decimals");
    const Construct &clause_call_blank = construct("clause.call_blank");
    const Construct &clause_star = construct("clause.star");
    const Construct &fn_transform = construct("fn.transform");
    const Construct &fn_transform_zeros = construct("fn.transform_zeros");
    const Construct &kw_between = construct("kw.between");
    const Construct &lit_backslash = construct("lit.backslash");
    const Construct &lit_false = construct("lit.false");
    const Construct &lit_null = construct("lit.null");
    const Construct &lit_true = construct("lit.true");
    const Construct &op_bang_not_equal = construct("op.bang_not_equal");
    const Construct &op_contained = construct("op.contained");
    const Construct &op_exact_equal = construct("op.exact_equal");
    const Construct &op_hash_not_equal = construct("op.hash_not_equal");
    const Construct &op_not = construct("op.not");
};
const NamedRows &named() {
    static const NamedRows rows;
    return rows;
}

// --- the parse state

enum class Clause : std::uint8_t { none, select, from, where, group, having, order, into };

struct Level {
    enum Kind : std::uint8_t { statement, group, call };
    Kind kind = statement;
    Clause clause = Clause::none;
    bool condition = false;     // group: conditions stand in it
    bool iif = false;           // call: IIF, whose first argument is a condition
    bool when = false;          // between WHEN and THEN
    bool on = false;            // FROM: in a join condition
    bool table_next = false;    // FROM: a table comes next
    bool operand_open = true;   // the next token begins an operand
    bool connector = true;      // what stands before the operand joins conditions
    std::uint16_t arg = 0;      // call: the argument being read
    std::size_t operand = 0;    // output offset where the operand being read began
};

bool condition_here(const Level &l) {
    if (l.when) return true;
    switch (l.kind) {
    case Level::statement:
        return l.clause == Clause::where || l.clause == Clause::having || (l.clause == Clause::from && l.on);
    case Level::group:
        return l.condition;
    case Level::call:
        return l.iif && l.arg == 0;
    }
    return false;
}

enum class Prev : std::uint8_t { start, operand, connector, comparison, arithmetic, comma, keyword };

// What all scans of one statement share.
struct Pass {
    Column column;
    lex::LiteralRules rules;  // the quoted runs the clause converter reads as literals
    std::string_view statement;
    bool double_backslashes = false;  // in strings (MySQL reads \ as an escape)
    int depth = 0;
    int style = -1;    // the date style, read when a date is first met
    int m_alias = -1;  // whether the statement names a table M (then m.x is that table's field)

    bool m_is_alias() {
        if (m_alias < 0) m_alias = names_alias_m(statement, rules) ? 1 : 0;
        return m_alias == 1;
    }

    int date_style() {
        if (style < 0) {
            std::array<char, 4> text = lex::read_dtoc_style(102);
            style = 0;
            for (char c : text) {
                if (c >= '0' && c <= '9') style = style * 10 + (c - '0');
            }
        }
        return style;
    }
    bool day_first() {
        switch (date_style()) {
        case 3: case 4: case 5: case 6: case 13: case 103: case 104: case 105: case 106: case 113: return true;
        default: return false;
        }
    }
};

bool worth_a_pass(const Pass &pass, std::string_view text);

// The output of a scan: the source as it stands until the first change, then a sink holding the
// converted text up to 'pending', the source position from which nothing has been copied yet.
class Emitter {
public:
    Emitter(std::string_view source, std::size_t start) : source_(source), start_(start), pending_(start) {}

    std::size_t pending() const { return pending_; }
    bool changed() const { return static_cast<bool>(sink_); }
    // The output offset that stands for the source position 'at' (at or after 'pending').
    std::size_t offset(std::size_t at) const { return (sink_ ? sink_.size() : 0) + (at - pending_); }
    void copy_to(std::size_t at) {
        if (!sink_) sink_ = Sink::obtain(source_.size() - start_ + 32, grow_message);
        sink_.append(source_.substr(pending_, at - pending_));
        pending_ = at;
    }
    void replace(std::size_t from, std::size_t to, std::string_view text) {
        copy_to(from);
        sink_.append(text);
        pending_ = to;
    }
    // Moves the output from offset 'out' up to the source position 'at' into 'into'.
    void take(std::size_t out, std::size_t at, Text &into) {
        copy_to(at);
        into.append(sink_.view().substr(out));
        sink_.truncate(out);
    }
    // The whole output up to the source position 'end'.
    std::string_view text(std::size_t end) {
        if (!sink_) return source_.substr(start_, end - start_);
        copy_to(end);
        return sink_.view();
    }
    Sink release(std::size_t end) {
        copy_to(end);
        return std::move(sink_);
    }

private:
    std::string_view source_;
    std::size_t start_, pending_;
    Sink sink_;
};

// A converted piece of the statement: a view of the source when nothing in it changed.
struct Piece {
    Sink sink;
    std::string_view text;
};

std::string_view trimmed(std::string_view t) {
    while (!t.empty() && is_blank(t.front())) t.remove_prefix(1);
    while (!t.empty() && is_blank(t.back())) t.remove_suffix(1);
    return t;
}

class Scan {
public:
    Scan(Pass &pass, std::string_view source, std::size_t from, std::size_t to, const Level &base)
        : pass_(pass), src_(source), pos_(from), end_(to), out_(source, from) {
        push(base);
    }
    void run();
    Emitter &out() { return out_; }

private:
    // levels
    Level &top() { return levels_[depth_ - 1]; }
    void push(const Level &l) {
        if (depth_ < tracked_levels) levels_[depth_++] = l;
        else ++overflow_;
    }
    void pop() {
        if (overflow_ > 0) --overflow_;
        else if (depth_ > 1) --depth_;
    }
    void begin_token(std::size_t at) {
        Level &t = top();
        if (!t.operand_open) return;
        t.operand = out_.offset(at);
        t.operand_open = false;
    }
    void boundary(bool connector, Prev prev) {
        Level &t = top();
        t.operand_open = true;
        t.connector = connector;
        prev_ = prev;
    }
    bool in_from_list() { return top().kind == Level::statement && top().clause == Clause::from; }
    bool starts_condition() { return (prev_ == Prev::start || prev_ == Prev::connector) && condition_here(top()); }

    // tokens
    void word();
    void keyword(Kw kw, std::string_view word, std::size_t after);
    void table_item();
    void open();
    void close();
    void comma();
    bool star();
    bool from_qualifiers(std::size_t from, Text &out) const;
    void comparison(std::size_t length, std::string_view replacement);
    void hash();
    void bang();
    void dot();
    void brace();
    void dollar();
    void reference(std::size_t w0, std::size_t w1);
    bool drop_buffering(std::size_t w0, std::size_t open);
    void logical(std::size_t length, const Construct &row, bool truth);
    void string_literal();
    void array_element(std::size_t w0, std::size_t open);

    // rewritten calls
    bool call(const Construct &row, std::size_t w0, std::size_t open);
    enum class Built { none, rewritten, kept };
    Built build(const Construct &row, std::size_t w0, std::size_t open, std::size_t close, std::size_t count,
                Text &built);
    Piece convert(std::size_t from, std::size_t to, bool condition);
    void convert_into(Args &args, std::size_t from, std::size_t to, bool condition);
    bool foxpro(std::string_view form, std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool cast(std::size_t from, std::size_t to, Text &built);
    bool ctod(std::size_t from, std::size_t to, Text &built);
    bool ctod_expression(std::size_t from, std::size_t to, Text &built);
    bool transform(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool icase(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool like(const Construct &row, std::size_t open, std::size_t close, Text &built);
    bool str(std::size_t open, std::size_t close, std::size_t count, Text &built);
    bool strict_date(std::string_view inside, StrictDate &date) {
        LooseDate loose;
        return read_loose_date(inside, loose) && date.set(loose, pass_.day_first());
    }

    std::size_t skip_blanks(std::size_t at) const {
        while (at < end_ && is_blank(src_[at])) ++at;
        return at;
    }
    bool operator_follows(std::size_t at) const {
        at = skip_blanks(at);
        return at < end_ && std::strchr("=<>#!$+-*/%^", src_[at]) != nullptr && src_[at] != '\0';
    }
    std::size_t literal_end(std::size_t at) const { return fox::literal_end(src_, at, end_, pass_.rules); }
    bool quote_at(std::size_t at) const { return literal_end(at) != at; }
    std::size_t close_paren(std::size_t open) const { return fox::close_paren(src_, open, end_, pass_.rules); }
    std::size_t operand_end(std::size_t from) const;

    Pass &pass_;
    std::string_view src_;
    std::size_t pos_, end_;
    Emitter out_;
    std::array<Level, tracked_levels> levels_{};
    std::size_t depth_ = 0;
    std::size_t overflow_ = 0;
    Prev prev_ = Prev::start;
};

void Scan::run() {
    while (pos_ < end_) {
        const char c = src_[pos_];
        if (is_blank(c)) {
            ++pos_;
            continue;
        }
        if (top().table_next && in_from_list() && c != '(') {
            table_item();
            continue;
        }
        if (name_start(c)) {
            word();
            continue;
        }
        if (is_digit(c)) {
            begin_token(pos_);
            pos_ = number_end(src_, pos_, end_);
            prev_ = Prev::operand;
            continue;
        }
        switch (c) {
        case '\'': case '"': case '[':
            string_literal();
            break;
        case '`':
            if (pass_.rules.backticks) {
                begin_token(pos_);
                pos_ = literal_end(pos_);
                prev_ = Prev::operand;
            } else {
                ++pos_;
            }
            break;
        case '(': open(); break;
        case ')': close(); break;
        case ',': comma(); break;
        case '=':
            if (pos_ + 1 < end_ && src_[pos_ + 1] == '=') comparison(2, named().op_exact_equal.target[pass_.column]);
            else comparison(1, {});
            break;
        case '<': case '>':
            comparison(pos_ + 1 < end_ && (src_[pos_ + 1] == '=' || src_[pos_ + 1] == '>') ? 2 : 1, {});
            break;
        case '#': hash(); break;
        case '!': bang(); break;
        case '$': dollar(); break;
        case '.': dot(); break;
        case '{': brace(); break;
        case '~':
            begin_token(pos_);
            pos_ = reference_end(src_, pos_, end_, pass_.rules);
            prev_ = Prev::operand;
            break;
        case '?':
            begin_token(pos_);
            pos_ = parameter_end(src_, pos_, end_, pass_.rules);
            prev_ = Prev::operand;
            break;
        case '*':
            if (star()) break;
            [[fallthrough]];
        case '+': case '-': case '/': case '%': case '^':
            ++pos_;
            prev_ = Prev::arithmetic;
            break;
        default:
            ++pos_;
            break;
        }
    }
}

void Scan::word() {
    const std::size_t w0 = pos_;
    std::size_t w1 = w0 + 1;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::string_view word = src_.substr(w0, w1 - w0);
    const char next = w1 < end_ ? src_[w1] : '\0';
    Level &t = top();

    if (next == '.' || next == '[' || next == '!') {
        // m.name, THIS.x, THISFORM.x, THISFORMSET.x: host parameters (not in INTO, not after a ".",
        // and m.x not when the statement names a table M)
        if (next == '.' && w1 + 1 < end_ && name_start(src_[w1 + 1]) && object_word(word) &&
            (w0 == 0 || src_[w0 - 1] != '.' || prev_ == Prev::connector) && t.clause != Clause::into &&
            !(word.size() == 1 && pass_.m_is_alias())) {
            reference(w0, w1);
            return;
        }
        // name[i]: an element of a memory array
        if (next == '[' && t.clause != Clause::into) {
            array_element(w0, w1);
            return;
        }
        // database!table outside the table list: the table's own name
        if (next == '!' && w1 + 1 < end_ && src_[w1 + 1] != '=' && name_start(src_[w1 + 1])) {
            begin_token(w0);
            out_.replace(w0, w1 + 1, {});
            pos_ = w1 + 1;
            return;
        }
    }
    const std::size_t after = next == ' ' || next == '\t' ? skip_blanks(w1) : w1;
    const bool paren = after < end_ && src_[after] == '(';
    const Kw kw = keyword_of(word);
    // a call; a keyword that can be a call (LEFT, BETWEEN, LIKE) is the keyword after an operand
    if (paren && (kw == Kw::none || (kw == Kw::callable && prev_ != Prev::operand))) {
        if (const Construct *row = function_named(word)) {
            if (call(*row, w0, after)) return;
        }
        begin_token(w0);
        // MySQL reads a name followed by a blank and "(" as no call of its built-in functions
        if (after > w1 && !named().clause_call_blank.target[pass_.column].empty()) out_.replace(w1, after, {});
        Level call;
        call.kind = Level::call;
        call.clause = t.clause;
        call.iif = same_word(word, "IIF");
        call.connector = call.iif;
        push(call);
        prev_ = Prev::start;
        pos_ = after + 1;
        return;
    }
    if (kw == Kw::none) {
        begin_token(w0);
        prev_ = Prev::operand;
        pos_ = w1;
        return;
    }
    if (kw == Kw::with && paren && in_from_list() && drop_buffering(w0, after)) return;
    if (kw == Kw::callable && word.size() < 7 && upper(word[0]) == 'B') {  // BETW, BETWE, BETWEE
        out_.replace(w0, w1, named().kw_between.target[pass_.column]);
    }
    pos_ = w1;
    keyword(kw, word, after);
}

void Scan::keyword(Kw kw, std::string_view word, std::size_t after) {
    Level &t = top();
    const bool statement = t.kind == Level::statement;
    switch (kw) {
    case Kw::select:
        if (statement) t.clause = Clause::select;
        boundary(false, Prev::keyword);
        return;
    case Kw::from:
        if (statement) {
            t.clause = Clause::from;
            t.table_next = true;
            t.on = false;
        }
        boundary(false, Prev::keyword);
        return;
    case Kw::join:
        if (statement && t.clause == Clause::from) {
            t.table_next = true;
            t.on = false;
        }
        boundary(false, Prev::keyword);
        return;
    case Kw::on:
        if (statement && t.clause == Clause::from) t.on = true;
        boundary(true, Prev::connector);
        return;
    case Kw::where:
    case Kw::having:
        if (statement) t.clause = kw == Kw::where ? Clause::where : Clause::having;
        boundary(true, Prev::connector);
        return;
    case Kw::group:
    case Kw::order:
        if (statement && after < end_ && (src_[after] == 'B' || src_[after] == 'b')) {
            t.clause = kw == Kw::group ? Clause::group : Clause::order;
        }
        boundary(false, Prev::keyword);
        return;
    case Kw::into:
        if (statement) t.clause = Clause::into;
        boundary(false, Prev::keyword);
        return;
    case Kw::union_:
        if (statement) t.clause = Clause::none;
        boundary(false, Prev::keyword);
        return;
    case Kw::when:
        t.when = true;
        boundary(true, Prev::connector);
        return;
    case Kw::then:
    case Kw::else_:
        t.when = false;
        boundary(false, Prev::keyword);
        return;
    case Kw::end:
    case Kw::value:
        if (kw == Kw::end) t.when = false;
        begin_token(pos_ - word.size());
        prev_ = Prev::operand;
        return;
    case Kw::logic:
        boundary(true, Prev::connector);
        return;
    default:
        boundary(false, Prev::keyword);
        return;
    }
}

// An item of the table list: database!table and file paths become the table's own name; FORCE
// and a name expression in parentheses (see open()) stay as written.
void Scan::table_item() {
    const std::size_t from = pos_;
    std::size_t to = from;
    const char first = src_[from];
    if (quote_at(from)) {
        to = literal_end(from);
    } else {
        while (to < end_ && !is_blank(src_[to]) && src_[to] != ',' && src_[to] != '(' && src_[to] != ')') ++to;
    }
    if (to == from) {
        ++pos_;
        return;
    }
    std::string_view item = src_.substr(from, to - from);
    if (name_start(first)) {
        std::size_t w1 = from;
        while (w1 < end_ && name_char(src_[w1])) ++w1;
        const std::string_view word = src_.substr(from, w1 - from);
        Kw kw = keyword_of(word);
        if (kw != Kw::none) {  // FORCE, or a keyword where a table was due: the list goes on after it
            pos_ = w1;
            keyword(kw, word, skip_blanks(w1));
            return;
        }
    }
    begin_token(from);
    std::string_view name = table_name(item);
    if (name.data() != item.data() || name.size() != item.size()) out_.replace(from, to, name);
    top().table_next = false;
    prev_ = Prev::operand;
    pos_ = to;
}

void Scan::open() {
    Level &t = top();
    const std::size_t open = pos_;
    begin_token(pos_);
    const bool subquery = sele_follows(src_, pos_, end_);
    if (t.table_next && in_from_list()) {
        t.table_next = false;
        if (!subquery) {  // a name expression: the application's to resolve, left as written
            std::size_t close = close_paren(pos_);
            pos_ = close == std::string_view::npos ? end_ : close + 1;
            prev_ = Prev::operand;
            if (close == std::string_view::npos) return;
            // ... unless it is a file named by a literal: ("c:\data\orders.dbf")
            const std::string_view inside = trimmed(src_.substr(open + 1, close - open - 1));
            const std::size_t at = static_cast<std::size_t>(inside.data() - src_.data());
            if (!inside.empty() && (inside[0] == '\'' || inside[0] == '"') && literal_end(at) == at + inside.size()) {
                const std::string_view name = table_name(inside);
                if (name.data() != inside.data()) out_.replace(open, close + 1, name);
            }
            return;
        }
    }
    Level next;
    if (subquery) {
        next.kind = Level::statement;
    } else {
        next.kind = Level::group;
        next.clause = t.clause;
        next.condition = condition_here(t);
    }
    push(next);
    prev_ = Prev::start;
    ++pos_;
}

// SELECT a, * FROM t: MySQL and Oracle take * alone only, so beside other items it becomes the
// tables' own t.*, in the order of the table list.
bool Scan::star() {
    Level &t = top();
    if (named().clause_star.target[pass_.column].empty() || t.kind != Level::statement || t.clause != Clause::select) {
        return false;
    }
    std::size_t before = pos_;
    while (before > 0 && is_blank(src_[before - 1])) --before;
    const std::size_t after = skip_blanks(pos_ + 1);
    const bool comma_before = before > 0 && src_[before - 1] == ',';
    const bool comma_after = after < end_ && src_[after] == ',';
    const bool item_before = comma_before || prev_ == Prev::keyword;
    const bool item_after = comma_after || (after < end_ && keyword_of(src_.substr(after, name_chain_end(src_, after, end_) - after)) == Kw::from);
    if (!(item_before && item_after && (comma_before || comma_after))) return false;
    Text qualified;
    if (!from_qualifiers(after, qualified)) return false;
    begin_token(pos_);
    out_.replace(pos_, pos_ + 1, qualified.view());
    ++pos_;
    prev_ = Prev::operand;
    return true;
}

// The qualifiers of the tables of the FROM list that follows 'from' at this level, each written
// "q.*" and joined by ", "; false when the list cannot be read.
bool Scan::from_qualifiers(std::size_t from, Text &out) const {
    std::size_t at = from;
    // the FROM of this level
    for (;;) {
        at = skip_blanks(at);
        if (at >= end_ || src_[at] == ')') return false;
        const char c = src_[at];
        if (quote_at(at)) {
            at = literal_end(at);
        } else if (c == '(') {
            const std::size_t close = close_paren(at);
            if (close == none) return false;
            at = close + 1;
        } else if (name_start(c)) {
            std::size_t w1 = at;
            while (w1 < end_ && name_char(src_[w1])) ++w1;
            const Kw kw = keyword_of(src_.substr(at, w1 - at));
            at = w1;
            if (kw == Kw::from) break;
            if (kw == Kw::where || kw == Kw::group || kw == Kw::order || kw == Kw::union_ || kw == Kw::into) return false;
        } else {
            ++at;
        }
    }
    // its items: name [AS] [alias] or (subquery) [AS] alias, separated by commas and joins
    bool expect_table = true;
    std::size_t tables = 0;
    for (;;) {
        at = skip_blanks(at);
        if (at >= end_ || src_[at] == ')') break;
        const char c = src_[at];
        if (c == ',' ) {
            expect_table = true;
            ++at;
            continue;
        }
        if (c == '(') {
            const std::size_t close = close_paren(at);
            if (close == none) return false;
            const std::string_view inside = trimmed(src_.substr(at + 1, close - at - 1));
            at = close + 1;
            if (!expect_table) continue;  // a group of the join condition
            std::size_t w0 = skip_blanks(at);
            const std::size_t literal_at = static_cast<std::size_t>(inside.data() - src_.data());
            if (!inside.empty() && (inside[0] == '\'' || inside[0] == '"') &&
                literal_end(literal_at) == literal_at + inside.size()) {  // a file named by a literal
                if (w0 < end_ && name_start(src_[w0]) && keyword_of(src_.substr(w0, name_chain_end(src_, w0, end_) - w0)) == Kw::none) {
                    continue;  // an alias follows: it is read next and names the table
                }
                const std::string_view name = table_name(inside);
                if (name.data() == inside.data()) return false;
                if (tables++ > 0) out.append(", ");
                out.append(name);
                out.append(".*");
                expect_table = false;
                continue;
            }
            // a derived table: its alias names it
            std::size_t w1 = w0;
            while (w1 < end_ && name_char(src_[w1])) ++w1;
            if (w1 > w0 && same_word(src_.substr(w0, w1 - w0), "AS")) {
                w0 = skip_blanks(w1);
                w1 = w0;
                while (w1 < end_ && name_char(src_[w1])) ++w1;
            }
            if (w1 == w0 || keyword_of(src_.substr(w0, w1 - w0)) != Kw::none) return false;
            if (tables++ > 0) out.append(", ");
            out.append(src_.substr(w0, w1 - w0));
            out.append(".*");
            at = w1;
            expect_table = false;
            continue;
        }
        if (quote_at(at)) {
            if (expect_table) return false;
            at = literal_end(at);
            continue;
        }
        if (!name_start(c) && c != '#' && c != '.' && c != '\\') {
            ++at;
            continue;
        }
        std::size_t w1 = at;
        while (w1 < end_ && !is_blank(src_[w1]) && src_[w1] != ',' && src_[w1] != '(' && src_[w1] != ')') ++w1;
        const std::string_view token = src_.substr(at, w1 - at);
        const Kw kw = name_start(c) ? keyword_of(src_.substr(at, name_chain_end(src_, at, end_) - at)) : Kw::none;
        if (kw == Kw::where || kw == Kw::group || kw == Kw::order || kw == Kw::having || kw == Kw::union_ ||
            kw == Kw::into) {
            break;
        }
        if (kw == Kw::join) {
            expect_table = true;
            at = w1;
            continue;
        }
        if (kw != Kw::none || !expect_table) {  // join words, ON and its condition, FORCE
            at = w1;
            continue;
        }
        // a table, and its alias when one follows
        std::string_view qualifier = table_name(token);
        std::size_t a0 = skip_blanks(w1);
        std::size_t a1 = a0;
        while (a1 < end_ && name_char(src_[a1])) ++a1;
        if (a1 > a0 && same_word(src_.substr(a0, a1 - a0), "AS")) {
            a0 = skip_blanks(a1);
            a1 = a0;
            while (a1 < end_ && name_char(src_[a1])) ++a1;
        }
        if (a1 > a0 && keyword_of(src_.substr(a0, a1 - a0)) == Kw::none) {
            qualifier = src_.substr(a0, a1 - a0);
            w1 = a1;
        }
        if (qualifier.empty() || qualifier.front() == '"' || qualifier.front() == '\'') return false;
        if (tables++ > 0) out.append(", ");
        out.append(qualifier);
        out.append(".*");
        at = w1;
        expect_table = false;
    }
    return tables > 0;
}

void Scan::close() {
    pop();
    prev_ = Prev::operand;
    ++pos_;
}

void Scan::comma() {
    Level &t = top();
    if (t.kind == Level::call) {
        ++t.arg;
    } else if (t.kind == Level::statement && t.clause == Clause::from) {
        t.table_next = true;
        t.on = false;
    }
    boundary(false, Prev::comma);
    ++pos_;
}

void Scan::comparison(std::size_t length, std::string_view replacement) {
    if (!replacement.empty()) out_.replace(pos_, pos_ + length, replacement);
    boundary(false, Prev::comparison);
    pos_ += length;
}

// a # b is "not equal" after an operand; anywhere else # begins a temporary table's name.
void Scan::hash() {
    if (prev_ == Prev::operand) {
        comparison(1, named().op_hash_not_equal.target[pass_.column]);
        return;
    }
    begin_token(pos_);
    std::size_t to = pos_ + 1;
    while (to < end_ && name_char(src_[to])) ++to;
    pos_ = to;
    prev_ = Prev::operand;
}

// != (Access: <>), and ! as NOT.
void Scan::bang() {
    if (pos_ + 1 < end_ && src_[pos_ + 1] == '=') {
        comparison(2, named().op_bang_not_equal.target[pass_.column]);
        return;
    }
    std::string_view word = named().op_not.target[pass_.column];
    const bool blank_before = pos_ > 0 && (name_char(src_[pos_ - 1]) || src_[pos_ - 1] == ')' ||
                                           src_[pos_ - 1] == '\'' || src_[pos_ - 1] == '"' || src_[pos_ - 1] == ']');
    const bool blank_after = pos_ + 1 < end_ && !is_blank(src_[pos_ + 1]);
    if (blank_before) out_.replace(pos_, pos_, " ");
    out_.replace(pos_, pos_ + 1, word);
    if (blank_after) out_.replace(pos_ + 1, pos_ + 1, " ");
    boundary(true, Prev::connector);
    ++pos_;
}

void Scan::dot() {
    if (pos_ + 1 < end_ && src_[pos_ + 1] == '.') {  // ..table and ..#table: the table finder's markers
        begin_token(pos_);
        std::size_t to = pos_ + 2;
        if (to < end_ && src_[to] == '#') ++to;
        while (to < end_ && name_char(src_[to])) ++to;
        pos_ = to;
        prev_ = Prev::operand;
        return;
    }
    const bool after_name = pos_ > 0 && (name_char(src_[pos_ - 1]) || src_[pos_ - 1] == ']' || src_[pos_ - 1] == '`');
    if (!after_name && pos_ + 2 < end_ && src_[pos_ + 2] == '.') {
        switch (upper(src_[pos_ + 1])) {
        case 'T': case 'Y': logical(3, named().lit_true, true); return;
        case 'F': case 'N': logical(3, named().lit_false, false); return;
        default: break;
        }
    }
    if (!after_name && word_at(src_, pos_ + 1, end_, "NULL") && pos_ + 5 < end_ && src_[pos_ + 5] == '.') {
        begin_token(pos_);
        out_.replace(pos_, pos_ + 6, named().lit_null.target[pass_.column]);
        pos_ += 6;
        prev_ = Prev::operand;
        return;
    }
    const char first = pos_ + 1 < end_ ? upper(src_[pos_ + 1]) : '\0';
    if (first == 'A' || first == 'O' || first == 'N') {  // .AND., .OR., .NOT.
        for (std::string_view op : {std::string_view("AND"), std::string_view("OR"), std::string_view("NOT")}) {
            if (word_at(src_, pos_ + 1, end_, op) && pos_ + 1 + op.size() < end_ && src_[pos_ + 1 + op.size()] == '.') {
                boundary(true, Prev::connector);
                pos_ += op.size() + 2;
                return;
            }
        }
    }
    ++pos_;
}

void Scan::logical(std::size_t length, const Construct &row, bool truth) {
    const std::size_t after = pos_ + length;
    const bool condition = starts_condition() && !operator_follows(after);
    std::string_view text = row.target[pass_.column];
    if (condition) {
        text = truth ? true_condition : false_condition;
    } else if (pass_.column == sqlserver && word_at(src_, skip_blanks(after), end_, "AS")) {
        text = truth ? "CAST (1 AS BIT)" : "CAST (0 AS BIT)";
    }
    begin_token(pos_);
    out_.replace(pos_, after, text);
    pos_ = after;
    prev_ = Prev::operand;
}

// {mm/dd/yyyy} as {^yyyy-mm-dd}; {^...} and the empty date {} are the clause converter's.
void Scan::brace() {
    begin_token(pos_);
    std::size_t close = src_.find('}', pos_);
    if (close == std::string_view::npos || close >= end_) {
        ++pos_;
        return;
    }
    std::string_view inside = src_.substr(pos_ + 1, close - pos_ - 1);
    StrictDate date;
    if (!inside.empty() && inside[0] != '^' && strict_date(inside, date)) {
        out_.replace(pos_, close + 1, date.text());
    }
    pos_ = close + 1;
    prev_ = Prev::operand;
}

// a $ b: the left operand is what the scan read since the last boundary (FoxPro's precedence puts
// $ with the comparisons), the right one reaches to the next comparison, keyword, comma or ")".
void Scan::dollar() {
    Level &t = top();
    const std::size_t right_from = skip_blanks(pos_ + 1);
    const std::size_t right_to = operand_end(right_from);
    if (t.operand_open || right_to == right_from || pass_.depth >= deepest_call) {
        ++pos_;
        boundary(false, Prev::comparison);
        return;
    }
    const bool condition = t.connector && condition_here(t) && !operator_follows(right_to);
    const std::size_t operand = t.operand;
    Text left;
    out_.take(operand, pos_, left);
    Args args;
    args.add(trimmed(left.view()));
    convert_into(args, right_from, right_to, false);
    const Construct &row = named().op_contained;
    if (repeats_long_argument(row.target[pass_.column], args)) {  // a $ b as written, its operands converted
        Text kept;
        kept.append(trimmed(left.view()));
        kept.append(" $ ");
        kept.append(args[1]);
        out_.replace(pos_, right_to, kept.view());
        t.operand_open = false;
        t.operand = operand;
        pos_ = right_to;
        prev_ = Prev::operand;
        return;
    }
    Text built;
    fill(built, row.target[pass_.column], args);
    if (!condition) wrap_as_value(built, pass_.column);
    out_.replace(pos_, right_to, built.view());
    // the operand goes on from where the left one began (its output offset is unchanged)
    t.operand_open = false;
    t.operand = operand;
    pos_ = right_to;
    prev_ = Prev::operand;
}

std::size_t Scan::operand_end(std::size_t at) const {
    std::size_t last = at;
    bool primary = true;
    while (true) {
        at = skip_blanks(at);
        if (at >= end_) break;
        const char c = src_[at];
        if (!primary) {
            if (std::strchr("+-*/%^", c) == nullptr || c == '\0') break;
            ++at;
            primary = true;
            continue;
        }
        if (quote_at(at)) {
            at = literal_end(at);
        } else if (c == '(') {
            std::size_t close = close_paren(at);
            at = close == std::string_view::npos ? end_ : close + 1;
        } else if (name_start(c)) {
            std::size_t w1 = name_chain_end(src_, at, end_);
            Kw kw = keyword_of(src_.substr(at, w1 - at));
            std::size_t after = skip_blanks(w1);
            bool paren = after < end_ && src_[after] == '(';
            if (kw != Kw::none && kw != Kw::value && !(kw == Kw::callable && paren)) break;
            at = w1;
            if (paren) {
                std::size_t close = close_paren(after);
                at = close == std::string_view::npos ? end_ : close + 1;
            }
        } else if (is_digit(c)) {
            at = number_end(src_, at, end_);
        } else if (c == '?') {
            at = parameter_end(src_, at, end_, pass_.rules);
        } else if (c == '~') {
            at = reference_end(src_, at, end_, pass_.rules);
        } else if (c == '{') {
            std::size_t close = src_.find('}', at);
            at = close == std::string_view::npos || close >= end_ ? end_ : close + 1;
        } else if (c == '.' && at + 2 < end_ && src_[at + 2] == '.' && std::strchr("TtFfYyNn", src_[at + 1])) {
            at += 3;
        } else if (c == '+' || c == '-') {  // a sign
            ++at;
            continue;
        } else {
            break;
        }
        last = at;
        primary = false;
    }
    return last;
}

// m.name and object references as ?name; a reference followed by "(" or "[" as ?(...).
void Scan::reference(std::size_t w0, std::size_t w1) {
    std::size_t to = name_chain_end(src_, w1, end_);
    begin_token(w0);
    if (to < end_ && (src_[to] == '(' || src_[to] == '[')) {
        std::size_t close = src_[to] == '(' ? close_paren(to) : src_.find(']', to);
        if (close == std::string_view::npos || close >= end_) close = end_ - 1;
        Text text;
        text.append("?(");
        text.append(src_.substr(w0, close + 1 - w0));
        text.push(')');
        out_.replace(w0, close + 1, text.view());
        to = close + 1;
    } else {
        out_.replace(w0, w0, "?");
        // a parameter name runs over dots: .AND. and the like must not join it
        if (to < end_ && src_[to] == '.') out_.replace(to, to, " ");
    }
    pos_ = to;
    prev_ = Prev::operand;
}

// A string: copied, with its backslashes doubled where the dialect reads them as escapes.
void Scan::string_literal() {
    begin_token(pos_);
    const std::size_t from = pos_;
    pos_ = literal_end(pos_);
    prev_ = Prev::operand;
    if (!pass_.double_backslashes) return;
    std::string_view literal = src_.substr(from, pos_ - from);
    if (literal.find('\\') == std::string_view::npos) return;
    Text text;
    for (char c : literal) {
        text.push(c);
        if (c == '\\') text.push(c);
    }
    out_.replace(from, pos_, text.view());
}

// name[i] as ?(name[i]): FoxPro reads [ right after a name as a subscript, not a string.
void Scan::array_element(std::size_t w0, std::size_t open) {
    std::size_t close = src_.find(']', open);
    if (close == std::string_view::npos || close >= end_) close = end_ - 1;
    begin_token(w0);
    Text text;
    text.append("?(");
    text.append(src_.substr(w0, close + 1 - w0));
    text.push(')');
    out_.replace(w0, close + 1, text.view());
    pos_ = close + 1;
    prev_ = Prev::operand;
}

// WITH (BUFFERING = ...) after a table: dropped with the blank before it.
bool Scan::drop_buffering(std::size_t w0, std::size_t open) {
    if (!word_at(src_, skip_blanks(open + 1), end_, "BUFFERING")) return false;
    std::size_t close = close_paren(open);
    if (close == std::string_view::npos) return false;
    std::size_t from = w0;
    while (from > out_.pending() && is_blank(src_[from - 1])) --from;
    out_.replace(from, close + 1, {});
    pos_ = close + 1;
    return true;
}

// --- rewritten calls

bool Scan::call(const Construct &row, std::size_t w0, std::size_t open) {
    if (pass_.depth >= deepest_call) return false;
    const std::size_t close = close_paren(open);
    if (close == std::string_view::npos) return false;
    const std::size_t count = argument_count(src_, open, close, pass_.rules);
    if (count < row.min_args || count > row.max_args) return false;
    const bool condition = starts_condition() && !operator_follows(close + 1);
    Text built;
    const Built outcome = build(row, w0, open, close, count, built);
    if (outcome == Built::none) return false;
    if (outcome == Built::rewritten && row.shape == Shape::predicate && !condition) wrap_as_value(built, pass_.column);
    begin_token(w0);
    out_.replace(w0, close + 1, built.view());
    pos_ = close + 1;
    prev_ = Prev::operand;
    return true;
}

Scan::Built Scan::build(const Construct &row, std::size_t w0, std::size_t open, std::size_t close, std::size_t count,
                        Text &built) {
    const std::string_view form = row.target[pass_.column];
    auto done = [](bool rewritten) { return rewritten ? Built::rewritten : Built::none; };
    switch (row.form) {
    case Form::text: {
        if (form.empty()) return Built::none;
        Args args;
        for_each_argument(src_, open, close, pass_.rules,
                          [&](std::size_t from, std::size_t to) { convert_into(args, from, to, false); });
        if (repeats_long_argument(form, args)) {  // the call as written, with its arguments converted
            built.append(src_.substr(w0, open + 1 - w0));
            fill(built, "{1+})", args);
            return Built::kept;
        }
        fill(built, form, args);
        return Built::rewritten;
    }
    case Form::foxpro:
        return done(foxpro(form, open, close, count, built));
    case Form::icase:
        return done(icase(open, close, count, built));
    case Form::cast:
        return done(cast(open + 1, close, built));
    case Form::ctod:
        return done(ctod(open + 1, close, built) || ctod_expression(open + 1, close, built));
    case Form::transform:
        return done(transform(open, close, count, built));
    case Form::like:
        return done(like(row, open, close, built));
    case Form::str:
        return done(str(open, close, count, built));
    }
    return Built::none;
}

Piece Scan::convert(std::size_t from, std::size_t to, bool condition) {
    std::string_view part = trimmed(src_.substr(from, to - from));
    if (!worth_a_pass(pass_, part)) return Piece{Sink(), part};  // most arguments: nothing to rewrite
    from = static_cast<std::size_t>(part.data() - src_.data());
    to = from + part.size();
    Level base;
    base.kind = Level::group;
    base.clause = top().clause;
    base.condition = condition;
    ++pass_.depth;
    Scan scan(pass_, src_, from, to, base);
    scan.run();
    --pass_.depth;
    Piece piece;
    if (scan.out().changed()) {
        piece.sink = scan.out().release(to);
        piece.text = piece.sink.view();
    } else {
        piece.text = part;
    }
    return piece;
}

void Scan::convert_into(Args &args, std::size_t from, std::size_t to, bool condition) {
    Piece piece = convert(from, to, condition);
    args.add(piece.text);
}

// A row written in FoxPro: its template filled with the arguments as written, then converted.
bool Scan::foxpro(std::string_view form, std::size_t open, std::size_t close, std::size_t, Text &built) {
    Args raw;
    for_each_argument(src_, open, close, pass_.rules,
                      [&](std::size_t from, std::size_t to) { raw.add(trimmed(src_.substr(from, to - from))); });
    if (repeats_long_argument(form, raw)) return false;
    Text text;
    fill(text, form, raw);
    Level base;
    base.kind = Level::group;
    base.clause = top().clause;
    base.condition = starts_condition();
    ++pass_.depth;
    Scan scan(pass_, text.view(), 0, text.size(), base);
    scan.run();
    --pass_.depth;
    built.append(scan.out().text(text.size()));
    return true;
}

bool Scan::icase(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    const CaseForm &form = case_form(pass_.column);
    const std::size_t pairs = count / 2;
    const bool otherwise = count % 2 == 1;
    std::size_t index = 0;
    built.append(form.open);
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        const bool last_else = otherwise && index == count - 1;
        const bool condition = !last_else && index % 2 == 0;
        if (last_else) built.append(form.else_);
        else if (condition && index > 0) built.append(form.next);
        else if (!condition) built.append(form.then);
        Piece piece = convert(from, to, condition);
        built.append(piece.text);
        ++index;
    });
    if (!otherwise) built.append(form.no_else);
    for (std::size_t i = 0; i < (form.per_pair ? pairs : 1); ++i) built.append(form.close);
    return true;
}

// CAST(x AS type) with a FoxPro type letter or long type name.
bool Scan::cast(std::size_t from, std::size_t to, Text &built) {
    const std::size_t as = last_top_level_word(src_, from, to, "AS", pass_.rules);
    if (as == std::string_view::npos) return false;
    CastSpec spec;
    if (!read_cast_type(trimmed(src_.substr(as + 2, to - as - 2)), spec)) return false;
    Args args;
    convert_into(args, from, as, false);
    fill(built, spec.type->target[pass_.column], args, spec.width, spec.decimals);
    return true;
}

bool Scan::ctod(std::size_t from, std::size_t to, Text &built) {
    std::string_view arg = trimmed(src_.substr(from, to - from));
    if (arg.empty()) return false;
    const char q = arg.front();
    if ((q == '\'' || q == '"' || q == '[') && arg.size() >= 2 && arg.back() == (q == '[' ? ']' : q)) {
        std::string_view inside = arg.substr(1, arg.size() - 2);
        if (inside.find_first_not_of(" /.-") == std::string_view::npos) {
            built.append("{}");
            return true;
        }
        StrictDate date;
        if (!strict_date(inside, date)) return false;
        built.append(date.text());
        return true;
    }
    std::size_t name_end = 0;
    while (name_end < arg.size() && name_char(arg[name_end])) ++name_end;
    const std::string_view name = arg.substr(0, name_end);
    std::size_t open = name_end;
    while (open < arg.size() && is_blank(arg[open])) ++open;
    if (open >= arg.size() || arg[open] != '(' || arg.back() != ')') return false;
    const std::size_t base = static_cast<std::size_t>(arg.data() - src_.data());
    if (close_paren(base + open) != base + arg.size() - 1) return false;  // one call, the whole argument
    if (same_word(name, "SPACE") || same_word(name, "SPAC")) {
        built.append("{}");
        return true;
    }
    if (same_word(name, "DTOC")) return foxpro("TTOD({1})", base + open, base + arg.size() - 1, 1, built);
    return false;
}

// CTOD of an expression: read in the order and with the separator of the application's date style.
bool Scan::ctod_expression(std::size_t from, std::size_t to, Text &built) {
    const DateReading reading = date_reading(pass_.date_style());
    Args args;
    convert_into(args, from, to, false);
    fill_date_reading(built, named().fn_ctod_expression.target[pass_.column], args, reading);
    return true;
}

// LIKE(pattern, x): FoxPro's * and ? as SQL's % and _, in the literal itself when it is one.
bool Scan::like(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    Args args;
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        std::string_view arg = trimmed(src_.substr(from, to - from));
        const char q = arg.empty() ? '\0' : arg.front();
        const std::size_t at = static_cast<std::size_t>(arg.data() - src_.data());
        const bool literal = (q == '\'' || q == '"' || q == '[') && literal_end(at) == at + arg.size();
        if (index++ > 0 || pass_.column == access) {
            convert_into(args, from, to, false);
        } else if (literal) {
            Text pattern;
            for (char c : arg) pattern.push(c == '*' ? '%' : c == '?' ? '_' : c);
            args.add(pattern.view());
        } else {
            Piece piece = convert(from, to, false);
            Text pattern;
            pattern.append("REPLACE(REPLACE(");
            pattern.append(piece.text);
            pattern.append(", '*', '%'), '?', '_')");
            args.add(pattern.view());
        }
    });
    fill(built, row.target[pass_.column], args);
    return true;
}

// STR(n[, w[, d]]): the width defaults to 10; the decimals must be a number written as such.
bool Scan::str(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    const Construct &row = count == 3 ? named().fn_str_decimals : named().fn_str;
    const std::string_view form = row.target[pass_.column];
    if (form.empty()) return false;
    Args args;
    std::size_t index = 0, decimals = 0;
    bool literal_decimals = true;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index++ < 2) {
            convert_into(args, from, to, false);
            return;
        }
        const std::string_view d = trimmed(src_.substr(from, to - from));
        literal_decimals = !d.empty() && d.size() <= 2 && d.find_first_not_of("0123456789") == std::string_view::npos;
        for (char c : d) decimals = decimals * 10 + static_cast<std::size_t>(c - '0');
    });
    if (!literal_decimals) return false;
    if (count == 1) args.add("10");
    if (repeats_long_argument(form, args)) return false;
    if (count == 3 && decimals == 0) {
        fill(built, named().fn_str.target[pass_.column], args);
        return true;
    }
    fill(built, form, args, decimals, decimals);
    return true;
}

bool Scan::transform(std::size_t open, std::size_t close, std::size_t count, Text &built) {
    std::size_t index = 0;
    std::size_t first_from = 0, first_to = 0, picture_from = 0, picture_to = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index == 0) first_from = from, first_to = to;
        else picture_from = from, picture_to = to;
        ++index;
    });
    Args args;
    if (count == 1) {
        convert_into(args, first_from, first_to, false);
        fill(built, named().fn_transform.target[pass_.column], args);
        return true;
    }
    const std::size_t digits = zero_picture(trimmed(src_.substr(picture_from, picture_to - picture_from)));
    if (digits == 0) return false;
    convert_into(args, first_from, first_to, false);
    fill(built, named().fn_transform_zeros.target[pass_.column], args, digits, 0);
    return true;
}

// The characters the quick look stops at; every other character (most letters, digits, blanks and
// punctuation) costs it a table lookup.
enum Clue : std::uint8_t {
    no_clue, quote_clue, open_clue, close_clue, dot_clue, star_clue, equals_clue, always_clue, brace_clue, slash_clue, skip_clue, b_clue,
    bracket_clue,
};
struct Clues {
    Clue of[256] = {};
    constexpr Clues() {
        of[static_cast<unsigned char>('\'')] = of[static_cast<unsigned char>('"')] = quote_clue;
        of[static_cast<unsigned char>('`')] = quote_clue;
        of[static_cast<unsigned char>('[')] = bracket_clue;
        of[static_cast<unsigned char>('(')] = open_clue;
        of[static_cast<unsigned char>(')')] = close_clue;
        of[static_cast<unsigned char>('.')] = dot_clue;
        of[static_cast<unsigned char>('*')] = star_clue;
        of[static_cast<unsigned char>('=')] = equals_clue;
        for (char c : std::string_view("#!$\\:")) of[static_cast<unsigned char>(c)] = always_clue;
        of[static_cast<unsigned char>('{')] = brace_clue;
        of[static_cast<unsigned char>('/')] = slash_clue;
        of[static_cast<unsigned char>('~')] = of[static_cast<unsigned char>('?')] = skip_clue;
        of[static_cast<unsigned char>('B')] = of[static_cast<unsigned char>('b')] = b_clue;
    }
};
constexpr Clues clues;

// The word that ends right before 'at' (blanks between allowed), or an empty view.
std::string_view word_before(std::string_view text, std::size_t at) {
    while (at > 0 && is_blank(text[at - 1])) --at;
    std::size_t from = at;
    while (from > 0 && name_char(text[from - 1])) --from;
    return text.substr(from, at - from);
}

// Whether the position stands in a table list: the nearest clause keyword before it, read backwards
// as plain words, is FROM or JOIN.
bool in_table_list(std::string_view text, std::size_t at) {
    while (at > 0) {
        std::string_view word = word_before(text, at);
        if (word.empty()) {
            --at;
            continue;
        }
        switch (keyword_of(word)) {
        case Kw::from: case Kw::join: case Kw::on: return true;  // a comma after a join condition: a table
        case Kw::select: case Kw::where: case Kw::group: case Kw::having: case Kw::order: case Kw::union_:
        case Kw::into:
            return false;
        default: break;
        }
        at = static_cast<std::size_t>(word.data() - text.data());
    }
    return false;
}

// Whether the statement may hold a construct the pass rewrites: a quick look for the characters and
// words that begin one (never false where the pass would change something; the tests hold it to
// that). Most statements have none, and they cost this look only.
bool worth_a_pass(const Pass &pass, std::string_view text) {
    const std::size_t n = text.size();
    int table_checks = 0;
    // Whether each open parenthesis (up to 64 deep) is a call's: no table list stands in one.
    // The open parentheses (up to 64 deep): no table list stands in a call's.
    std::array<std::size_t, 64> opens;
    std::size_t depth = 0;
    auto in_call = [&] {
        if (depth == 0 || depth > opens.size()) return false;
        const std::string_view word = word_before(text, opens[depth - 1]);
        return !word.empty() && keyword_of(word) == Kw::none;
    };
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text.data());
    for (std::size_t i = 0; i < n; ++i) {
        // the common case: on to the next clue, four characters at a time
        while (n - i >= 4 && (clues.of[bytes[i]] | clues.of[bytes[i + 1]] | clues.of[bytes[i + 2]] |
                              clues.of[bytes[i + 3]]) == no_clue) {
            i += 4;
        }
        while (i < n && clues.of[bytes[i]] == no_clue) ++i;
        if (i == n) return false;
        const Clue clue = clues.of[bytes[i]];
        const char c = text[i];
        switch (clue) {
        case bracket_clue:
            if (i > 0 && name_char(text[i - 1])) return true;  // an array element
            [[fallthrough]];
        case quote_clue: {
            const std::size_t end = literal_end(text, i, n, pass.rules);
            if (end == i) break;
            if (pass.double_backslashes && text.substr(i, end - i).find('\\') != std::string_view::npos) return true;
            // a quoted table name: after FROM or JOIN, or after a comma of the table list
            std::size_t before = i;
            while (before > 0 && is_blank(text[before - 1])) --before;
            if (before > 0 && text[before - 1] == ',') {
                if (!in_call() && (++table_checks > 16 || in_table_list(text, before - 1))) return true;
            } else if (before > 0 && text[before - 1] == '(') {  // FROM ('file.dbf'), a, ('file.dbf')
                std::size_t open = before - 1;
                while (open > 0 && is_blank(text[open - 1])) --open;
                if (open > 0 && text[open - 1] == ',') {
                    if (++table_checks > 16 || in_table_list(text, open - 1)) return true;
                } else {
                    const Kw kw = keyword_of(word_before(text, before - 1));
                    if (kw == Kw::from || kw == Kw::join) return true;
                }
            } else {
                const Kw kw = keyword_of(word_before(text, i));
                if (kw == Kw::from || kw == Kw::join) return true;
            }
            i = end - 1;
            break;
        }
        case close_clue:
            if (depth > 0) --depth;
            break;
        case open_clue: {
            if (depth < opens.size()) opens[depth] = i;
            ++depth;
            const std::string_view word = word_before(text, i);
            if (word.empty()) break;
            if (word.size() == 4 && upper(word[0]) == 'W' && keyword_of(word) == Kw::with) return true;
            if (is_blank(text[i - 1]) && !named().clause_call_blank.target[pass.column].empty()) {
                const Kw kw = keyword_of(word);
                if (kw == Kw::none || kw == Kw::callable) return true;  // COUNT (*)
            }
            if (word.size() < 3 || word.size() > 9) break;  // the names of the function rows
            if (const Construct *row = function_named(word)) {
                if (row->form != Form::text || !row->target[pass.column].empty()) {
                    const std::size_t close = fox::close_paren(text, i, n, pass.rules);
                    const std::size_t count = close == none ? 0 : argument_count(text, i, close, pass.rules);
                    if (close != none && count >= row->min_args && count <= row->max_args) return true;
                }
            }
            break;
        }
        case dot_clue: {
            if (i + 1 >= n) break;
            const char after = upper(text[i + 1]);
            if (i + 2 < n && text[i + 2] == '.' && (after == 'T' || after == 'F' || after == 'Y' || after == 'N')) return true;
            if ((after == 'N' || after == 'D') && (word_at(text, i + 1, n, "NULL") || word_at(text, i + 1, n, "DBF"))) {
                return true;
            }
            const char last = i > 0 ? upper(text[i - 1]) : '\0';
            if (last == 'M' || last == 'S' || last == 'T') {  // m.x, this.x, thisform.x, thisformset.x
                std::size_t from = i - 1;
                while (from > 0 && name_char(text[from - 1])) --from;
                if (object_word(text.substr(from, i - from)) && name_start(text[i + 1])) return true;
            }
            break;
        }
        case equals_clue:
            if (i + 1 < n && text[i + 1] == '=') return true;
            break;
        case always_clue:
            return true;
        case brace_clue: {
            std::size_t at = i + 1;
            while (at < n && is_blank(text[at])) ++at;
            if (at < n && is_digit(text[at])) return true;  // {mm/dd/yyyy}
            const std::size_t close = text.find('}', i);
            if (close == std::string_view::npos) return false;
            i = close;
            break;
        }
        case star_clue: {  // * beside other items of a select list
            if (named().clause_star.target[pass.column].empty()) break;
            std::size_t before = i, after = i + 1;
            while (before > 0 && is_blank(text[before - 1])) --before;
            while (after < n && is_blank(text[after])) ++after;
            if ((before > 0 && text[before - 1] == ',') || (after < n && text[after] == ',')) return true;
            break;
        }
        case slash_clue:
            if (i > 0 && i + 1 < n && name_char(text[i - 1]) && name_char(text[i + 1])) return true;  // a path
            break;
        case skip_clue:
            i = (c == '~' ? reference_end(text, i, n, pass.rules) : parameter_end(text, i, n, pass.rules)) - 1;
            break;
        case b_clue:
            if (i == 0 || !name_char(text[i - 1])) {  // BETW, BETWE, BETWEE
                std::size_t w1 = i + 1;
                while (w1 < n && name_char(text[w1])) ++w1;
                if (w1 - i >= 4 && w1 - i <= 6 && keyword_of(text.substr(i, w1 - i)) == Kw::callable) return true;
                i = w1 - 1;
            }
            break;
        case no_clue:
            break;
        }
    }
    return false;
}

}  // namespace

Sink rewrite(const Dialect &dialect, std::string_view statement, bool look_first) {
    Pass pass{column_of(dialect), source_literals(dialect, true), statement};
    pass.double_backslashes = named().lit_backslash.target[pass.column] == "\\\\";
    if (look_first && !worth_a_pass(pass, statement)) return Sink();
    Scan scan(pass, statement, 0, statement.size(), Level{});
    scan.run();
    if (!scan.out().changed()) return Sink();
    return scan.out().release(statement.size());
}

}  // namespace tarnvel::select::fox
