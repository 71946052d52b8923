// The tokens of the FoxPro-syntax pass: words and keywords, parentheses, operators, literals,
// memory variables and array elements.
#include "select/fox/scan.h"

namespace tarnvel::select::fox {
namespace {

// A keyword of more than four letters is also read by its first four letters or more: 'shortest'
// is the length of its shortest form (0: the whole word only).
struct Keyword {
    std::string_view word;
    Kw kw;
    std::size_t shortest = 0;
};

// In alphabetical order, the order the table is filled in.
constexpr Keyword keyword_list[] = {
    {"ADDITIVE", Kw::other}, {"ALL", Kw::other}, {"AND", Kw::logic}, {"ANY", Kw::other}, {"ARRAY", Kw::other},
    {"AS", Kw::other}, {"ASC", Kw::callable}, {"BETWEEN", Kw::callable, 4}, {"BY", Kw::other}, {"CASE", Kw::case_},
    {"CROSS", Kw::other}, {"CURSOR", Kw::other, 4}, {"DBF", Kw::other}, {"DESC", Kw::other},
    {"DISTINCT", Kw::other, 4}, {"ELSE", Kw::else_}, {"END", Kw::end}, {"ESCAPE", Kw::other},
    {"EXISTS", Kw::other, 4}, {"FILE", Kw::other}, {"FORCE", Kw::other, 4}, {"FROM", Kw::from},
    {"FULL", Kw::other}, {"GROUP", Kw::group, 4}, {"HAVING", Kw::having, 4}, {"IN", Kw::other},
    {"INNER", Kw::other, 4}, {"INTO", Kw::into}, {"IS", Kw::other}, {"JOIN", Kw::join}, {"LEFT", Kw::callable},
    {"LIKE", Kw::callable}, {"NOCONSOLE", Kw::other}, {"NOFILTER", Kw::other}, {"NOT", Kw::logic},
    {"NOWAIT", Kw::other}, {"NULL", Kw::value}, {"ON", Kw::on}, {"OR", Kw::logic}, {"ORDER", Kw::order, 4},
    {"OUTER", Kw::other, 4}, {"PLAIN", Kw::other}, {"PRINTER", Kw::other}, {"READWRITE", Kw::other},
    {"RIGHT", Kw::callable, 4}, {"SELECT", Kw::select, 4}, {"SOME", Kw::other}, {"THEN", Kw::then},
    {"TO", Kw::into}, {"TOP", Kw::other}, {"UNION", Kw::union_, 4}, {"WHEN", Kw::when},
    {"WHERE", Kw::where, 4}, {"WITH", Kw::with},
};

constexpr auto keyword_table() {
    WordTable<256> table;
    for (const Keyword &k : keyword_list) {
        for (std::size_t length = k.shortest == 0 ? k.word.size() : k.shortest; length <= k.word.size(); ++length) {
            table.add(k.word.substr(0, length), static_cast<std::uint8_t>(k.kw));
        }
    }
    return table;
}
constexpr auto keywords = keyword_table();

// How the pass reads the qualifier before a member: FoxPro quotes no names, every byte above 0x7F
// belongs to one.
constexpr lex::EdgeQuotes fox_names{'\0', '\0', '\0', '\0', true};


}  // namespace

Kw keyword_of(std::string_view word) {
    const int kw = keywords.find(word);
    return kw < 0 ? Kw::none : static_cast<Kw>(kw);
}

namespace {

// The word at 'w0' follows the keyword AS (x AS key); AS as a member (t.as FROM t) is a name.
bool after_as_keyword(std::string_view src, std::size_t w0) {
    const std::string_view before = word_before(src, w0);
    if (!same_word(before, "AS")) return false;
    const auto from = static_cast<std::size_t>(before.data() - src.data());
    return from == 0 || src[from - 1] != '.';
}

}  // namespace

namespace {
[[gnu::noinline]] const NamedRows &built_rows() {
    static const NamedRows rows;
    return rows;
}
}  // namespace

// Read tens of times a statement: the rows are built by a call of their own, so that the common
// path is a test of the guard and no more.
const NamedRows &named() {
    static const NamedRows &rows = built_rows();
    return rows;
}

void Scan::run() {
    while (pos_ < end_) {
        const char c = src_[pos_];
        if (is_blank(c)) {
            ++pos_;
        } else if (top().table_next && in_from_list() && c != '(') {
            table_item();
        } else if (name_start(c)) {
            word();
        } else if (is_digit(c)) {
            const std::size_t end = number_end(src_, pos_, end_);
            if (c != '0' || end - pos_ < 2 || !hex_literal(end)) operand_to(end);  // 0h0A0B, 0x1F
        } else {
            punctuation(c);
        }
    }
    if (depth_ == 1 && top().kind == Level::group && top().item_condition) end_item(end_, false);
}

// Anything but a blank, a word or a number.
inline void Scan::punctuation(char c) {
    switch (c) {
    case '\'': case '"': case '[': string_literal(); break;
    case '`':
        if (pass_.rules.backticks) operand_to(literal_end(pos_));
        else ++pos_;
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
    case '~': operand_to(reference_end(src_, pos_, end_, pass_.rules)); break;
    case '?': parameter(parameter_end(src_, pos_, end_, pass_.rules)); break;
    case '^': case '%': case '/': seldom_operator(c); break;
    case '*':
        if (pos_ + 1 < end_ && src_[pos_ + 1] == '*') {
            if (!power(2)) arithmetic(2);
        } else if (!star()) {
            arithmetic(1);
        }
        break;
    case '+': case '-':
        if (c == '-' && pos_ + 1 < end_ && src_[pos_ + 1] == '>' && arrow()) break;
        if (!date_arithmetic()) arithmetic(1);
        break;
    default:
        if (c == '&' && pos_ + 1 < end_ && src_[pos_ + 1] == '&') note();
        else if (c == '&') macro();
        else ++pos_;
        break;
    }
}

// WHEN, THEN, ELSE and END where no operand stands before them (CASE WHEN else = 1 THEN end ...):
// a field of that name, but the WHEN right after CASE.
bool Scan::case_word_as_name(Kw kw, std::size_t w0) const {
    if ((kw != Kw::when && kw != Kw::then && kw != Kw::else_ && kw != Kw::end) || prev_ == Prev::operand) return false;
    return kw != Kw::when || !same_word(word_before(src_, w0), "CASE");
}

// A nest deeper than the levels held in place: all of them move to a vector twice as large.
void Scan::grow_levels() {
    std::vector<Level> more(room_ * 2);
    std::copy(levels_, levels_ + depth_, more.begin());
    grown_levels_ = std::move(more);
    levels_ = grown_levels_.data();
    room_ = grown_levels_.size();
}

void Scan::word() {
    const std::size_t w0 = pos_;
    std::size_t w1 = w0 + 1;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::string_view word = src_.substr(w0, w1 - w0);
    const char next = w1 < end_ ? src_[w1] : '\0';
    Kw kw = keyword_of(word);
    // t.not, o.key: the alias's field, and x AS key the item's alias, whatever word they spell (a
    // call by its owner's name aside)
    if (kw != Kw::none && next != '(' && w0 > 0 &&
        (src_[w0 - 1] == '.' ? lex::member_word(src_, w1, w1 - w0, fox_names)
                             : is_blank(src_[w0 - 1]) && after_as_keyword(src_, w0))) {
        kw = Kw::none;
    }
    if (case_word_as_name(kw, w0)) kw = Kw::none;
    if ((next == '.' || next == '[' || next == '!') && joined_name(word, kw, w1)) return;
    const std::size_t after = next == ' ' || next == '\t' ? skip_blanks(w1) : w1;
    const bool paren = after < end_ && src_[after] == '(';
    // a call; a keyword that can be a call (LEFT, BETWEEN, LIKE, ASC) is the keyword after an operand
    if (paren && (kw == Kw::none || (kw == Kw::callable && prev_ != Prev::operand))) {
        call_word(word, after);
        return;
    }
    if (kw == Kw::none && word[0] == '_' && system_variable_word(w0, w1)) return;  // _TALLY as ?_TALLY
    if (kw == Kw::none) {
        // an alias, but not the member after a name's "." (t.a)
        if (prev_ == Prev::operand && top().item_condition && in_select_item() && (w0 == 0 || src_[w0 - 1] != '.')) {
            end_item(w0, true);
        }
        bool group_start = false, look = false, known = false;
        if (prev_ == Prev::start || prev_ == Prev::connector) {  // where a condition may start
            group_start = prev_ == Prev::start && top().kind == Level::group;
            known = condition_here(top());
            look = (group_start || (w1 < end_ && src_[w1] == '.')) && (known || group_start);
        }
        begin_token(w0);
        value_word_name(word, w0, w1);
        prev_ = Prev::operand;
        pos_ = look ? lone_logical(w1, group_start, known) : w1;
        return;
    }
    if (kw == Kw::with && paren && in_from_list() && drop_buffering(w0, after)) return;
    if (kw == Kw::callable && word.size() < 7 && upper(word[0]) == 'B') {  // BETW, BETWE, BETWEE
        out_.replace(w0, w1, named().kw_between.target[pass_.column]);
    }
    if (kw == Kw::logic && prev_ == Prev::operand && upper(word[0]) == 'N' && empty_date_outside(w0, w1)) return;
    if (kw == Kw::callable && word.size() == 4) like_trimmed(w0, w1);  // x LIKE 'A_00'
    pos_ = w1;
    keyword(kw, word, after);
}

bool value_word_in(const ValueWords &row, const lex::LiteralRules &rules, std::string_view text) {
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        if (!name_start(text[i])) {
            const std::size_t end = literal_end(text, i, n, rules);
            i = end == i ? i + 1 : end;
            continue;
        }
        std::size_t w1 = i + 1;
        while (w1 < n && name_char(text[w1])) ++w1;
        if (lex::comma_list_has(row.words, text.substr(i, w1 - i))) return true;
        i = w1;
    }
    return false;
}

// In FoxPro a bare word is a name (TRUE, CURRENT_DATE) where the dialect reads it as a value. The
// values this pass writes itself (.T. as TRUE, DATE() as CURRENT_DATE) are in capitals; the user's
// word is written in small letters, which the clauses read as the name (quoted as the field list
// quotes it: rows_keyword.cpp). Not in INTO, which names no column.
void Scan::value_word_name(std::string_view word, std::size_t w0, std::size_t w1) {
    const ValueWords *row = value_words_of(pass_.column);
    if (row == nullptr || top().clause == Clause::into || !lex::comma_list_has(row->words, word)) return;
    if (std::ranges::none_of(word, [](char c) { return c >= 'A' && c <= 'Z'; })) return;  // as it stands
    std::array<char, longest_value_word> name{};
    std::ranges::transform(word, name.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    out_.replace(w0, w1, std::string_view(name.data(), word.size()));
}

// A name that stands alone where a condition stands is a logical field, compared with true where the
// dialect takes no name as a condition; the dialects' own rule does so in WHERE, but not for a name
// alone in parentheses (WHERE (lActive), NOT(lx)) nor before .AND. or .OR. Where no condition is known
// to stand ('known' false: a select item read so far as a value), only AND or OR after the parentheses
// make the name one: SELECT ((lActive) OR x = 1) AS y. The scan goes on after the name and its members;
// at 'w1' when the name is none of these.
std::size_t Scan::lone_logical(std::size_t w1, bool group_start, bool known) {
    const std::string_view test = named().clause_logical_name.target[pass_.column];
    if (test.empty()) return w1;
    const std::size_t chain = name_chain_end(src_, w1, end_);  // past the members (t.a.b), up to .AND. or .OR.
    std::size_t after = chain;
    if (after < end_ && src_[after] == '.') {  // lx.AND. (with a blank between, the dialects' rule holds)
        if (!dotted_operator(src_, after, end_)) return w1;
    } else {
        if (!group_start) return w1;
        after = skip_blanks(chain);
        if (after >= end_ || src_[after] != ')') return w1;
        while (after < end_ && src_[after] == ')') after = skip_blanks(after + 1);  // not (a) = 1
        if (!known && !(top().leads && connector_follows(after))) return w1;
        if (after < end_ && src_[after] != ',') {  // IIF((lx), ...)
            const char c = src_[after];
            if (c == '.' ? !dotted_operator(src_, after, end_) : !name_start(c)) return w1;
            if (c != '.') {
                std::size_t a1 = after + 1;
                while (a1 < end_ && name_char(src_[a1])) ++a1;
                if (!ends_condition(src_.substr(after, a1 - after), skip_blanks(a1))) return w1;
            }
        }
    }
    out_.replace(chain, chain, test);
    return chain;
}

// The word after a condition's operand ends that condition: AND, OR, a clause, a join, THEN, the
// alias of a select item.
bool Scan::ends_condition(std::string_view word, std::size_t after) const {
    switch (keyword_of(word)) {
    case Kw::logic: return !same_word(word, "NOT");
    case Kw::group: case Kw::having: case Kw::order: case Kw::into: case Kw::union_: case Kw::then: case Kw::join:
    case Kw::where: case Kw::from:
        return true;
    case Kw::callable:  // LEFT JOIN, RIGHT OUTER JOIN, not a call
        return (same_word(word, "LEFT") || same_word(word, "RIGHT")) && (after >= end_ || src_[after] != '(');
    case Kw::other:
        return same_word(word, "INNER") || same_word(word, "FULL") || same_word(word, "CROSS") || same_word(word, "TO") ||
               same_word(word, "AS");
    default: return false;
    }
}

// A word joined to what follows by ".", "[" or "!": a host parameter, an array element, a table of
// a database; false when it is none of these.
inline bool Scan::joined_name(std::string_view word, Kw kw, std::size_t w1) {
    const std::size_t w0 = pos_;
    const char next = src_[w1];
    const Level &t = top();
    // m.name, THIS.x, THISFORM.x, THISFORMSET.x: host parameters (not in INTO, not after a ".",
    // and m.x not when the statement names a table M)
    if (next == '.' && w1 + 1 < end_ && name_start(src_[w1 + 1]) && object_word(word) &&
        (w0 == 0 || src_[w0 - 1] != '.' || prev_ == Prev::connector) && t.clause != Clause::into &&
        !(word.size() == 1 && pass_.m_is_alias())) {
        reference(w0, w1);
        return true;
    }
    // goApp.cUser, curHead.id: a qualifier the statement names nowhere as a table or alias
    if (next == '.' && kw == Kw::none && w1 + 1 < end_ && name_start(src_[w1 + 1]) && t.clause != Clause::into &&
        (w0 == 0 || (src_[w0 - 1] != '.' && src_[w0 - 1] != '!' && src_[w0 - 1] != '\\' && src_[w0 - 1] != ':')) &&
        !dotted_operator(src_, w1, end_, true) && pass_.host_qualifier(word)) {
        reference(w0, w1);
        return true;
    }
    // name[i]: an element of a memory array (SELECT[x] is a keyword and a string)
    if (next == '[' && t.clause != Clause::into && kw == Kw::none) {
        array_element(w0, w1);
        return true;
    }
    // database!table outside the table list: the table's own name (after a keyword, as in
    // WHERE!x or SELECT!a, the "!" is a negation)
    if (next == '!' && w1 + 1 < end_ && src_[w1 + 1] != '=' && name_start(src_[w1 + 1]) && kw == Kw::none) {
        begin_token(w0);
        out_.replace(w0, w1 + 1, {});
        pos_ = w1 + 1;
        return true;
    }
    return false;
}

// A call whose "(" is at 'open': rewritten when the map has a row for it, else read as a level of
// its own (its name written out in full when abbreviated).
inline void Scan::call_word(std::string_view word, std::size_t open) {
    const std::size_t w0 = pos_, w1 = w0 + word.size();
    const std::string_view full = full_function_name(word);  // UPPE( as UPPER(
    if (today(full.empty() ? word : full, w0, open)) return;
    if (word.size() == 3 && condition_form(word, w0, open)) return;
    if (word.size() == 5 && same_word(word, "ICASE") && icase_condition(w0, open)) return;
    if (host_call(full.empty() ? word : full, w0, open)) return;
    if (word.size() == 4 && pad_compared(word, w0, open)) return;
    if (word.size() >= 3 && word.size() <= 6 && shown_date_call(word, open)) return;  // MIN(d), COUNT(d), ISNULL(d)
    note_date_call(full.empty() ? word : full, w0, open);
    if (const Construct *row = function_named(full.empty() ? word : full)) {
        if (call(*row, w0, open)) return;
    }
    begin_token(w0);
    if (full.empty() && array_in_parentheses(word, src_.substr(0, end_), open)) {
        expression_parameter(w0, close_paren(open));
        return;
    }
    if (!full.empty()) out_.replace(w0, w1, full);
    // MySQL reads a name followed by a blank and "(" as no call of its built-in functions
    if (open > w1 && !named().clause_call_blank.target[pass_.column].empty()) out_.replace(w1, open, {});
    Level call;
    call.kind = Level::call;
    call.name_at = w0 <= UINT32_MAX ? static_cast<std::uint32_t>(w0) : 0;
    call.clause = top().clause;
    call.iif = same_word(word, "IIF");
    call.icase = word.size() == 5 && same_word(word, "ICASE");
    call.connector = call.iif;
    push(call);
    prev_ = Prev::start;
    pos_ = open + 1;
    date_part_argument(full.empty() ? word : full, open);  // MONTH(d + 1): days added to a date
}

// LIKE, IS, IN, BETWEEN (BETW...), EXISTS (EXIS...) before its subquery: the words that make a select
// item a condition, with NOT, AND, OR. BY (of a window's ORDER BY and PARTITION BY) is none.
inline bool Scan::predicate_word(Kw kw, std::string_view word) const {
    if (kw == Kw::callable || word.size() == 2) {
        return same_word(word, "LIKE") || same_word(word, "IS") || same_word(word, "IN") ||
               (kw == Kw::callable && upper(word[0]) == 'B');
    }
    return kw == Kw::other && word.size() >= 4 && upper(word[0]) == 'E' &&
           same_word(word, std::string_view("EXISTS").substr(0, word.size())) && group_follows();
}

void Scan::keyword(Kw kw, std::string_view word, std::size_t after) {
    const std::size_t w0 = pos_ - word.size();
    if (in_select_item()) {
        select_item_keyword(kw, word);
    } else if (top().kind != Level::statement && (kw == Kw::logic || predicate_word(kw, word))) {
        if (Level *item = value_level()) {  // (a IN (1, 2) OR b) AS x, NVL(NOT a, b)
            if (top().kind != Level::statement) begin_token(w0);
            item->item_condition = true;
        }
    }
    Level &t = top();
    if (t.kind == Level::statement) statement_clause(t, kw, after);
    switch (kw) {
    case Kw::when:
        t.when = true;
        break;
    case Kw::then:
    case Kw::else_:
        t.when = false;
        break;
    case Kw::end:
        t.when = false;
        [[fallthrough]];
    case Kw::value:
        begin_token(w0);
        prev_ = Prev::operand;
        return;
    case Kw::other:
        if (same_word(word, "TOP")) top_count();
        break;
    default:
        break;
    }
    if (kw == Kw::callable && upper(word[0]) == 'B') t.between = true;  // its AND joins no conditions
    bool connector = kw == Kw::on || kw == Kw::where || kw == Kw::having || kw == Kw::when || kw == Kw::logic;
    if (connector && t.between && same_word(word, "AND")) connector = t.between = false;
    boundary(connector, connector ? Prev::connector : Prev::keyword);
}

// LIKE, BETWEEN, IS and IN make the select item a condition; FROM, INTO, UNION, another clause and
// an alias's AS end it.
inline void Scan::select_item_keyword(Kw kw, std::string_view word) {
    Level &t = top();
    const std::size_t w0 = pos_ - word.size();
    if (predicate_word(kw, word)) {
        begin_token(w0);  // EXISTS (...) begins the item
        t.item_condition = true;
    }
    if (kw == Kw::logic) {  // NOT a, a AND b, a OR b
        begin_token(w0);
        t.item_condition = true;
    }
    // FoxPro takes the clauses in any order: WHERE, GROUP BY, HAVING or ORDER BY may follow the list
    if (t.item_condition && (kw == Kw::from || kw == Kw::into || kw == Kw::union_ || kw == Kw::where || kw == Kw::group ||
                             kw == Kw::having || kw == Kw::order || same_word(word, "AS"))) {
        end_item(w0, same_word(word, "AS"));
    }
}

// The clause a keyword begins at the statement's own level ('after': where the next word begins).
inline void Scan::statement_clause(Level &t, Kw kw, std::size_t after) {
    switch (kw) {
    case Kw::select:
        t.clause = Clause::select;
        t.item = no_item;
        t.item_condition = false;
        t.item_named = false;
        break;
    case Kw::from:
        t.clause = Clause::from;
        t.table_next = true;
        t.on = false;
        break;
    case Kw::join:
        if (t.clause == Clause::from) {
            t.table_next = true;
            t.on = false;
        }
        break;
    case Kw::on:
        if (t.clause == Clause::from) t.on = true;
        break;
    case Kw::where: t.clause = Clause::where; break;
    case Kw::having: t.clause = Clause::having; break;
    case Kw::group:
    case Kw::order:
        if (after < end_ && (src_[after] == 'B' || src_[after] == 'b')) {
            t.clause = kw == Kw::group ? Clause::group : Clause::order;
        }
        break;
    case Kw::into: t.clause = Clause::into; break;
    case Kw::union_:
        t.clause = Clause::none;
        t.later_member = true;
        break;
    default: break;
    }
}

// TOP's count (and PERCENT) belong to it, not to the first item.
void Scan::top_count() {
    std::size_t at = skip_blanks(pos_);
    if (at < end_ && is_digit(src_[at])) {
        while (at < end_ && is_digit(src_[at])) ++at;
        pos_ = word_at(src_, skip_blanks(at), end_, "PERCENT") ? skip_blanks(at) + 7 : at;
    }
}

void Scan::open() {
    Level &t = top();
    const std::size_t open = pos_;
    const bool leads = (in_select_item() && t.item == no_item) || (t.kind == Level::group && t.leads && prev_ == Prev::start);
    begin_token(pos_);
    const bool subquery = sele_follows(src_, pos_, end_);
    if (t.table_next && in_from_list()) {
        t.table_next = false;
        const std::size_t group_close = subquery ? std::string_view::npos : close_paren(pos_);
        if (group_close != std::string_view::npos &&
            last_top_level_word(src_, pos_ + 1, group_close, "JOIN", pass_.rules) != std::string_view::npos) {
            // (t JOIN u ON ...): joined tables in parentheses, read as a table list of their own
            Level joined;
            joined.clause = Clause::from;
            joined.table_next = true;
            push(joined);
            prev_ = Prev::start;
            ++pos_;
            return;
        }
        if (!subquery) {  // a name expression: the application's to resolve, left as written
            std::size_t close = group_close;
            pos_ = close == std::string_view::npos ? end_ : close + 1;
            prev_ = Prev::operand;
            if (close == std::string_view::npos) return;
            // ... unless it is a file named by a literal: ("c:\data\orders.dbf")
            const std::string_view inside = trimmed(src_.substr(open + 1, close - open - 1));
            const std::size_t at = static_cast<std::size_t>(inside.data() - src_.data());
            if (!inside.empty() && (inside[0] == '\'' || inside[0] == '"' || inside[0] == '[') && literal_end(at) == at + inside.size()) {
                const std::string_view name = table_name(inside);
                if (name.data() != inside.data()) out_.replace(open, close + 1, name);
            } else if (std::size_t sum_end = 0; !inside.empty()) {  // (gcPath + 'orders.dbf')
                const std::string_view file = file_expression(at, sum_end);
                if (!file.empty() && sum_end == at + inside.size()) out_.replace(open, close + 1, file);
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
        // not x IN (y); after AND, OR or NOT the group is a condition wherever it stands (a OR (lx))
        next.condition = prev_ == Prev::connector || (condition_here(t) && prev_ == Prev::start);
        next.compared = compared_group(pos_);
        next.leads = leads;
    }
    push(next);
    prev_ = Prev::start;
    ++pos_;
}

void Scan::close() {
    if (top().kind != Level::statement && top().item_condition) end_item(pos_, false);  // NVL(a, b = 1), l = (a > b)
    pop();
    prev_ = Prev::operand;
    ++pos_;
}

void Scan::comma() {
    Level &t = top();
    if (in_select_item()) {
        if (t.item_condition) end_item(pos_, false);
        t.item = no_item;
    }
    if (t.kind == Level::call) {
        if (t.item_condition) end_item(pos_, false);  // a condition as a call's value: NVL(a = 1, b)
        t.item = no_item;
        ++t.arg;
    } else if (t.kind == Level::statement && t.clause == Clause::from) {
        t.table_next = true;
        t.on = false;
    }
    boundary(false, Prev::comma);
    ++pos_;
}

// A select item that compares is a condition, which SQL Server and Oracle take as a value only
// in CASE WHEN ... THEN 1 ELSE 0 END: written so when the item ends (before its alias). SQL Server's
// name = expression without an alias after it is that dialect's naming of the item, left to it.
void Scan::end_item(std::size_t at, bool alias_follows) {
    Level &t = top();
    const bool wrap = t.item_condition && t.item != no_item && predicate_as_value(pass_.column) != "{1}" &&
                      (alias_follows || !t.item_named);
    t.item_condition = false;
    t.item_named = false;
    if (!wrap) return;
    std::size_t to = at;
    to = blanks_before(src_, to, out_.pending());  // the blanks before the alias stay
    Text built;
    out_.take(t.item, to, built);
    wrap_as_value(built, pass_.column);
    out_.replace(to, to, built.view());  // SELECT DISTINCT!a: no CASE glued to the keyword
    t.item = no_item;
}

// name = expression as a select item: SQL Server's own way of naming the item, left to it.
bool Scan::sqlserver_alias(std::size_t length) {
    const Level &t = top();
    if (pass_.column != sqlserver || length != 1 || src_[pos_] != '=' || t.item == no_item) return false;
    if (!items_named_here()) return false;
    const std::string_view item = trimmed(out_.text(pos_).substr(t.item));
    if (item.empty() || !name_start(item.front())) return false;
    for (char c : item) {
        if (!name_char(c)) return false;
    }
    return true;
}

// A select item's name is read in the first member of the statement or of a derived table; a later
// UNION member's, a scalar subquery's or an IN or EXISTS subquery's is read nowhere, so name = x
// there is FoxPro's comparison.
bool Scan::items_named_here() const {
    const Level &t = levels_[depth_ - 1];
    if (t.later_member) return false;
    return depth_ < 2 || levels_[depth_ - 2].clause == Clause::from;
}

// The group opened at 'open' is an operand of a comparison (l <> (a > b), (a > b) = (c > d)) where the
// dialect takes a condition as a value only in CASE: a condition in it is written as that value.
bool Scan::compared_group(std::size_t open) const {
    if (predicate_as_value(pass_.column) == "{1}") return false;
    if (prev_ == Prev::comparison) return true;
    if (prev_ != Prev::start && prev_ != Prev::connector && prev_ != Prev::keyword && prev_ != Prev::comma) return false;
    const std::size_t close = close_paren(open);
    if (close == none) return false;
    const std::size_t at = skip_blanks(close + 1);
    return at < end_ && (src_[at] == '=' || src_[at] == '<' || src_[at] == '>' || src_[at] == '#' ||
                         (src_[at] == '!' && at + 1 < end_ && src_[at + 1] == '='));
}

namespace {
// Words after an operand that test it: x IN (...), x BETWEEN a AND b, x IS NULL, x LIKE 'a%', and
// the same after NOT.
constexpr std::string_view predicate_words[] = {"IN", "BETWEEN", "IS", "LIKE"};

bool predicate_word_at(std::string_view src, std::size_t at, std::size_t end, bool negated) {
    for (std::string_view word : predicate_words) {
        if ((!negated || word != "IS") && word_at(src, at, end, word)) return true;
    }
    for (std::size_t size = 4; size < 7; ++size) {  // BETW, BETWE, BETWEE
        if (word_at(src, at, end, std::string_view("BETWEEN").substr(0, size))) return true;
    }
    return false;
}
}  // namespace

// A predicate's word follows at 'at' (a word starts there).
bool Scan::predicate_follows(std::size_t at) const {
    const char c = upper(src_[at]);
    if (c != 'I' && c != 'B' && c != 'L' && c != 'N') return false;
    if (c != 'N') return predicate_word_at(src_, at, end_, false);
    return word_at(src_, at, end_, "NOT") && predicate_word_at(src_, skip_blanks(at + 3), end_, true);
}

// AND or OR (.AND., .OR.) follows: what stands before it is an operand of conditions.
bool Scan::connector_follows(std::size_t at) const {
    at = skip_blanks(at);
    if (at >= end_) return false;
    if (src_[at] == '.') return dotted_operator(src_, at, end_);
    std::size_t w1 = at;
    while (w1 < end_ && name_char(src_[w1])) ++w1;
    const std::string_view word = src_.substr(at, w1 - at);
    return (same_word(word, "AND") && !levels_[depth_ - 1].between) || same_word(word, "OR");
}

void Scan::comparison(std::size_t length, std::string_view replacement) {
    if (Level *item = value_level()) {
        item->item_named = item->item_named || (item->kind == Level::statement && !item->item_condition &&
                                                sqlserver_alias(length));
        item->item_condition = true;
    }
    if (empty_text_compare(length) || negated_right(length) || empty_date_below(length) ||
        ((brace_before(pos_) || date_variable_before(pos_)) && empty_date_above(length))) {
        return;
    }
    if (!replacement.empty()) out_.replace(pos_, pos_ + length, replacement);
    boundary(false, Prev::comparison);
    pos_ += length;
}

// l = !l2 (NOT l2, .NOT. l2) as l <> l2, and l # !l2 as l = l2: no target takes a NOT after a
// comparison operator, and a logical equal to the other's negation differs from it (NULL alike).
// Only for an operand that ends where the NOT ends (a name, a call, a group, a parameter).
bool Scan::negated_right(std::size_t length) {
    const std::size_t at = skip_blanks(pos_ + length);
    if (at >= end_) return false;
    std::size_t operand = 0;
    if (src_[at] == '!') {
        if (at + 1 < end_ && src_[at + 1] == '=') return false;
        operand = at + 1;
    } else if (src_[at] == '.' || upper(src_[at]) == 'N') {
        const std::size_t w = src_[at] == '.' ? at + 1 : at;
        if (!word_at(src_, w, end_, "NOT")) return false;
        operand = w + 3;
        if (src_[at] == '.' ? operand >= end_ || src_[operand] != '.' : operand < end_ && name_char(src_[operand])) {
            return false;
        }
        if (src_[at] == '.') ++operand;
    } else {
        return false;
    }
    const char op = src_[pos_];
    const bool less_greater = op == '<' && length == 2 && src_[pos_ + 1] == '>';
    if ((op == '<' || op == '>') && !less_greater) return false;
    operand = skip_blanks(operand);
    if (operand >= end_ || src_[operand] == '+' || src_[operand] == '-' || src_[operand] == '!') return false;
    const std::size_t end = primary_end(operand);
    if (end == none || operator_follows(end, false)) return false;  // IS after it: the test below
    const std::size_t next = skip_blanks(end);
    if (next < end_ && name_start(src_[next])) {
        const std::string_view word = src_.substr(next, name_chain_end(src_, next, end_) - next);
        if (same_word(word, "IS")) return negated_null_test(op == '=', operand, next);
        if (keyword_of(word) == Kw::callable || same_word(word, "IN")) return false;
    }
    out_.replace(pos_, operand, op == '=' ? "<> " : "= ");
    if (Level *item = value_level()) item->item_named = false;  // x = !y is no SQL Server naming: a condition
    boundary(false, Prev::comparison);
    pos_ = operand;
    return true;
}

// l = NOT x IS NULL: FoxPro's NOT takes the test after it (IS binds tighter), so the comparison turned
// round takes the test as a value, l <> (x IS NULL), written as the dialect takes a condition there.
bool Scan::negated_null_test(bool equal, std::size_t operand, std::size_t is) {
    std::size_t at = skip_blanks(is + 2);
    if (word_at(src_, at, end_, "NOT")) at = skip_blanks(at + 3);
    if (!word_at(src_, at, end_, "NULL")) return false;
    const std::size_t after = at + 4;
    if (operator_follows(after)) return false;
    const Piece test = convert(operand, after, true);
    Text value;
    value.append(test.text);
    wrap_as_value(value, pass_.column);
    Text built;
    built.append(equal ? "<> (" : "= (");
    built.append(value.view());
    built.push(')');
    if (Level *item = value_level()) item->item_named = false;
    out_.replace(pos_, after, built.view());
    Level &t = top();
    t.operand_open = false;
    pos_ = after;
    prev_ = Prev::operand;
    return true;
}

// x = '' (==, <>, #, !=) where the dialect stores the empty text as NULL: the test of blank text.
bool Scan::empty_text_compare(std::size_t length) {
    const std::size_t right = skip_blanks(pos_ + length);
    if (right + 1 >= end_) return false;
    const char q = src_[right];  // the literal closes right away
    if ((q != '\'' && q != '"' && q != '[') || src_[right + 1] != (q == '[' ? ']' : q) || literal_end(right) != right + 2) {
        return false;
    }
    const char op = src_[pos_];
    const bool equal = op == '=';
    if (!equal && op != '#' && !(op == '<' && length == 2 && src_[pos_ + 1] == '>') && !(op == '!' && length == 2)) return false;
    const std::string_view form = (equal ? named().op_empty_text_equal : named().op_empty_text_not_equal).target[pass_.column];
    Level &t = top();
    if (form.empty() || t.operand_open || pass_.depth >= deepest_call) return false;
    const std::size_t after = right + 2;
    if (operator_follows(after) || (after < end_ && name_char(src_[after]))) return false;
    const std::size_t operand = t.operand;
    Text left;
    out_.take(operand, pos_, left);
    Args args;
    args.add(trimmed(left.view()));
    Text built;
    fill(built, form, args);
    comparison_written(operand, after, built.view());
    return true;
}

// The comparison from the operand that began at output offset 'operand' (taken out of the output by
// the caller) to 'after' in the source, written as 'built': one operand now, the scan after it.
void Scan::comparison_written(std::size_t operand, std::size_t after, std::string_view built) {
    out_.replace(pos_, after, built);
    Level &t = top();
    t.operand_open = false;
    t.operand = operand;
    pos_ = after;
    prev_ = Prev::operand;
}

// The comparison from the operand at output offset 'operand' to 'after' in the source written as
// 'form' filled with 'args'; false, and nothing written, where the form would repeat a long argument.
bool Scan::comparison_filled(std::string_view form, const Args &args, std::size_t operand, std::size_t after) {
    if (repeats_long_argument(form, args)) return false;
    Text built, left;
    fill(built, form, args);
    out_.take(operand, pos_, left);
    comparison_written(operand, after, built.view());
    return true;
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
    if (Level *item = value_level()) {  // !a as a select item is a condition
        begin_token(pos_);
        item->item_condition = true;
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
    // a name's member, but not a keyword's neighbour (SELECT.T., WHERE.NOT.x)
    const bool after_name = pos_ > 0 && (name_char(src_[pos_ - 1]) || src_[pos_ - 1] == ']' || src_[pos_ - 1] == '`') &&
                            prev_ != Prev::keyword && prev_ != Prev::connector;
    // a literal right after a keyword (AND.NULL.) stays a word of its own
    auto apart = [&] {
        if (pos_ > 0 && name_char(src_[pos_ - 1])) out_.replace(pos_, pos_, " ");
    };
    if (!after_name && pos_ + 2 < end_ && src_[pos_ + 2] == '.') {
        switch (upper(src_[pos_ + 1])) {
        case 'T': case 'Y': apart(); logical(3, named().lit_true, true); return;
        case 'F': case 'N': apart(); logical(3, named().lit_false, false); return;
        default: break;
        }
    }
    if (!after_name && word_at(src_, pos_ + 1, end_, "NULL") && pos_ + 5 < end_ && src_[pos_ + 5] == '.') {
        apart();
        begin_token(pos_);
        // alone where a condition stands, in a dialect that takes no value as one: the unknown condition
        // (after AND or OR in a select item too, which makes the item a condition)
        const bool joined = pos_ + 6 < end_ && name_char(src_[pos_ + 6]);  // .NULL.x: read as written
        const bool condition = predicate_as_value(pass_.column) != "{1}" && !joined && !operator_follows(pos_ + 6) &&
                               (starts_condition() || (prev_ == Prev::connector && value_level() != nullptr));
        out_.replace(pos_, pos_ + 6, condition ? unknown_condition : named().lit_null.target[pass_.column]);
        if (pos_ + 6 < end_ && name_char(src_[pos_ + 6])) out_.replace(pos_ + 6, pos_ + 6, " ");  // .NULL.x: x stays a word
        pos_ += 6;
        prev_ = Prev::operand;
        return;
    }
    const char first = pos_ + 1 < end_ ? upper(src_[pos_ + 1]) : '\0';
    if (first == 'A' || first == 'O' || first == 'N') {  // .AND., .OR., .NOT.
        for (std::string_view op : {std::string_view("AND"), std::string_view("OR"), std::string_view("NOT")}) {
            if (word_at(src_, pos_ + 1, end_, op) && pos_ + 1 + op.size() < end_ && src_[pos_ + 1 + op.size()] == '.') {
                if (Level *item = value_level()) {  // .NOT. a as a select item is a condition
                    begin_token(pos_);
                    item->item_condition = true;
                }
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
    if (after < end_ && name_char(src_[after]) && name_char(text.back())) out_.replace(after, after, " ");  // .T.x
    pos_ = after;
    prev_ = Prev::operand;
}

// {mm/dd/yyyy} as {^yyyy-mm-dd}; {^...} and the empty date {} are the clause converter's.
void Scan::brace() {
    const std::size_t w0 = pos_;
    begin_token(w0);
    std::size_t close = src_.find('}', w0);
    if (close == std::string_view::npos || close >= end_) {  // an open brace: the rest is left as written
        pos_ = end_;
        return;
    }
    std::string_view inside = src_.substr(w0 + 1, close - w0 - 1);
    std::string_view literal = src_.substr(w0, close + 1 - w0);
    StrictDate date;
    LooseDate loose;
    bool a_date = false;  // the literal names a date: {^2020-01-31}, {01/31/2020}
    if (!inside.empty() && inside[0] != '^' && strict_date(inside, date)) {
        literal = date.text();
        a_date = read_loose_date(inside, loose);
    } else if (!inside.empty() && inside[0] == '^') {
        a_date = read_loose_date(inside.substr(1), loose);
    }
    // {^2020-01-31} + 30: days, or seconds for a date with a time, where a server reads the literal
    // plus a number otherwise (text plus a number, or a number)
    Text sum;
    std::size_t end = a_date ? sum_of(!loose.time, true, literal, close + 1, sum) : 0;
    if (end != 0) end = more_counts(!loose.time, end, sum);  // {^2020-01-01} + qty + 1
    if (const std::size_t sign = skip_blanks(close + 1); a_date && end == 0 && sign < end_ && src_[sign] == '-') {
        end = literal_difference(!loose.time, literal, w0, close + 1, sum);  // {^2020-03-01} - d: days
    }
    const bool empty = inside.find_first_not_of(" /:") == std::string_view::npos;
    const std::size_t past = empty ? empty_date_sum_end(close + 1) : close + 1;  // {} + 30: {}
    if (end != 0) {
        out_.replace(w0, end, sum.view());
        pos_ = end;
    } else if (const std::string_view typed = empty_date_item(inside, past); !typed.empty()) {
        out_.replace(w0, past, typed);
        pos_ = past;
    } else if (past != close + 1) {
        out_.replace(w0, past, literal);
        pos_ = past;
    } else {
        if (literal.data() != src_.data() + w0) out_.replace(w0, close + 1, literal);
        pos_ = close + 1;
    }
    prev_ = Prev::operand;
}

// The typed empty date or datetime for {}, {//} or {:} standing alone as a select item, or the typed
// empty date where the dialect needs one as a rewritten call's whole argument; empty for any other
// literal or place.
std::string_view Scan::empty_date_item(std::string_view inside, std::size_t end) {
    if (inside.find_first_not_of(" /:") != std::string_view::npos) return {};
    if (inside.find(':') == std::string_view::npos && whole_argument(end)) {  // EMPTY({}), IIF(c, {}, d)
        return named().lit_empty_date_argument.target[pass_.column];
    }
    if (!pass_.typed_items || !in_select_item() || (prev_ != Prev::keyword && prev_ != Prev::comma) || !whole_item(end)) return {};
    const bool time = inside.find(':') != std::string_view::npos;
    return (time ? named().lit_empty_datetime_item : named().lit_empty_date_item).target[pass_.column];
}

// The operand that ends at 'end' is a call's whole argument: of a call the scan reads, or the whole
// text of a rewritten call's argument.
bool Scan::whole_argument(std::size_t end) {
    const std::size_t next = skip_blanks(end);
    if (top().kind == Level::call) {
        return (prev_ == Prev::start || prev_ == Prev::comma) && next < end_ && (src_[next] == ',' || src_[next] == ')');
    }
    return pass_.depth > 0 && depth_ == 1 && prev_ == Prev::start && next == end_;
}

// a $ b: the left operand is what the scan read since the last boundary (FoxPro's precedence puts
// $ with the comparisons), the right one reaches to the next comparison, keyword, comma or ")".
void Scan::dollar() {
    Level &t = top();
    if (prev_ != Prev::operand && pos_ + 1 < end_ && is_digit(src_[pos_ + 1])) {  // $1000: a currency constant
        begin_token(pos_);
        const std::size_t end = number_end(src_, pos_ + 1, end_);
        out_.replace(pos_, pos_ + 1, named().lit_currency.target[pass_.column]);
        pos_ = end;
        prev_ = Prev::operand;
        return;
    }
    const std::size_t right_from = skip_blanks(pos_ + 1);
    const std::size_t right_to = operand_end(right_from);
    if (t.operand_open || right_to == right_from || pass_.depth >= deepest_call) {
        ++pos_;
        boundary(false, Prev::comparison);
        return;
    }
    // a select item that holds a $ is a condition, written as a value once, around the whole item
    Level *item_level = value_level();
    const bool item = item_level != nullptr && predicate_as_value(pass_.column) != "{1}";
    if (item) item_level->item_condition = true;
    const bool condition = item || (t.connector && condition_here(t) && !operator_follows(right_to));
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

// a ^ b, a ** b: FoxPro's power of the primaries beside the operator.
bool Scan::power(std::size_t length) {
    if (prev_ != Prev::operand || top().operand_open || pass_.depth >= deepest_call) return false;
    const std::size_t right_to = primary_end(pos_ + length);
    if (right_to == none) return false;
    fold(named().op_power, 1, length, right_to);
    return true;
}

// a % b where the dialect has no %: % has the precedence of * and / (left to right), so its left
// operand is the factors before it and its right one the factor after it (with its powers).
bool Scan::modulo() {
    if (named().op_modulo.target[pass_.column].empty() || prev_ != Prev::operand || top().operand_open ||
        pass_.depth >= deepest_call) {
        return false;
    }
    const std::size_t right_to = operand_end(pos_ + 1, "^");
    if (right_to == pos_ + 1) return false;
    fold(named().op_modulo, 0, 1, right_to);
    return true;
}

// a / b where the dialect divides whole numbers as such: the factor after it (with its powers) is
// the divisor. In a call's arguments only where every call takes a decimal (CEILING(k / 2)): others
// may want a whole number (LEFT(s, LEN(s) / 2)).
bool Scan::divide() {
    if (named().op_divide.target[pass_.column].empty() || prev_ != Prev::operand || top().operand_open ||
        (in_call() && !only_decimal_calls())) {
        return false;
    }
    const std::size_t right_to = operand_end(pos_ + 1, "^");
    if (right_to == pos_ + 1) return false;
    fold(named().op_divide, 1, 1, right_to);
    return true;
}

namespace {

// The start of the primary that begins at 'start', taking in the name of a call written with blanks
// before its "(" (LEN (s), ASC (c)); a keyword before a group (AND (x), LIKE (p)) stays out of it.
std::size_t with_call_name(std::string_view written, std::size_t start, std::size_t floor) {
    if (start == none || written[start] != '(') return start;
    const std::size_t w1 = blanks_before(written, start, floor);
    if (w1 == start || w1 == floor || !name_char(written[w1 - 1])) return start;
    std::size_t w0 = w1;
    while (w0 > floor && name_char(written[w0 - 1])) --w0;
    if (!name_start(written[w0]) || (w0 > floor && (written[w0 - 1] == '.' || written[w0 - 1] == '?'))) return start;
    const std::string_view word = written.substr(w0, w1 - w0);
    const Kw kw = keyword_of(word);
    const bool call = kw == Kw::none || (kw == Kw::callable && upper(word[0]) != 'B' && !same_word(word, "LIKE"));
    return call ? w0 : start;
}

}  // namespace

// The operator at the position (of 'length' characters) as the row's form, with the operand that
// ends at 'right_to' and the one the output ends with: its last primary ('factors' 1), or all its
// primaries joined by * and / (0: as many as there are).
void Scan::fold(const Construct &row, std::size_t factors, std::size_t length, std::size_t right_to) {
    Level &t = top();
    const std::string_view written = out_.text(pos_);
    std::size_t left = written.size();
    for (std::size_t k = 0; factors == 0 || k < factors; ++k) {
        const std::size_t start = with_call_name(written, primary_start(written.substr(0, left), t.operand), t.operand);
        if (start == none) break;
        left = start;
        std::size_t before = blanks_before(written, left, t.operand);
        // a power left as an operator (Access's) binds before * and /: one factor with them
        if (before == t.operand || (written[before - 1] != '*' && written[before - 1] != '/' && written[before - 1] != '^')) break;
        left = before - 1;
        if (left > t.operand && written[left - 1] == '*') --left;  // a ** b
        while (left > t.operand && written[left - 1] == '^') --left;  // Access's power, ^^^ until written out
        left = blanks_before(written, left, t.operand);
    }
    while (left < written.size() && (is_blank(written[left]) || written[left] == '*' || written[left] == '/' || written[left] == '^')) ++left;
    if (left == written.size()) {  // no operand before it after all
        arithmetic(length);
        return;
    }
    Text taken;
    out_.take(left, pos_, taken);
    Args args;
    args.add(trimmed(taken.view()));
    convert_into(args, skip_blanks(pos_ + length), right_to, false);
    Text built;
    fill(built, row.target[pass_.column], args);
    out_.replace(pos_, right_to, built.view());
    pos_ = right_to;
    prev_ = Prev::operand;
}

// The end of the operand that begins at 'at': primaries joined by the operators in 'joins'; 'at'
// when none begins there.
std::size_t Scan::operand_end(std::size_t at, std::string_view joins) const {
    std::size_t last = at;
    while (true) {
        const std::size_t end = primary_end(at);
        if (end == none) break;
        last = end;
        at = skip_blanks(end);
        if (at >= end_) break;
        const bool stars = src_[at] == '*' && at + 1 < end_ && src_[at + 1] == '*';  // a ** b, a power
        const char op = stars ? '^' : src_[at];
        if (op == '\0' || joins.find(op) == std::string_view::npos) break;
        at += stars ? 2 : 1;
    }
    return last;
}

// The end of the primary that begins at 'at' after blanks and signs (a literal, a group, a name or
// call, a number, a parameter, a date, a logical literal), or none.
std::size_t Scan::primary_end(std::size_t at) const {
    at = skip_blanks(at);
    while (at < end_ && (src_[at] == '+' || src_[at] == '-')) at = skip_blanks(at + 1);
    if (at >= end_) return none;
    const char c = src_[at];
    if (quote_at(at)) return literal_end(at);
    if (c == '(') {
        const std::size_t close = close_paren(at);
        return close == none ? end_ : close + 1;
    }
    if (name_start(c)) {
        const std::size_t w1 = name_chain_end(src_, at, end_);
        const Kw kw = keyword_of(src_.substr(at, w1 - at));
        const std::size_t after = skip_blanks(w1);
        const bool paren = after < end_ && src_[after] == '(';
        if (kw != Kw::none && kw != Kw::value && !(kw == Kw::callable && paren)) return none;
        if (!paren) return w1;
        const std::size_t close = close_paren(after);
        return close == none ? end_ : close + 1;
    }
    if (is_digit(c)) return number_end(src_, at, end_);
    if (c == '?') return parameter_end(src_, at, end_, pass_.rules);
    if (c == '~') return reference_end(src_, at, end_, pass_.rules);
    if (c == '{') {
        const std::size_t close = src_.find('}', at);
        return close == none || close >= end_ ? end_ : close + 1;
    }
    if (c == '.' && at + 2 < end_ && src_[at + 2] == '.' && src_[at + 1] != '\0' && std::strchr("TtFfYyNn", src_[at + 1])) return at + 3;
    return none;
}

// m.name and object references as ?name; a reference followed by "(" or "[" as ?(...).
void Scan::reference(std::size_t w0, std::size_t w1) {
    const std::size_t to = name_chain_end(src_, w1, end_);
    const bool alone = parameter_may_stand_alone();
    begin_token(w0);
    if (to < end_ && (src_[to] == '(' || src_[to] == '[')) {
        expression_parameter(w0, src_[to] == '(' ? close_paren(to) : subscript_end(src_, to));
        return;
    }
    out_.replace(w0, w0, "?");
    // a parameter name runs over dots: .AND. and the like must not join it
    if (to < end_ && src_[to] == '.') out_.replace(to, to, " ");
    pos_ = to;
    prev_ = Prev::operand;
    variable_ = {w0, to};
    if (alone && (to >= end_ || src_[to] != '.')) pos_ = lone_logical(to, true, condition_here(top()));
}

// ?name: a logical variable alone in parentheses where a condition stands (WHERE (?lAll)) is
// compared with true, as a logical field is.
void Scan::parameter(std::size_t end) {
    const bool alone = parameter_may_stand_alone();
    variable_ = {pos_, end};
    operand_to(end);
    if (alone && (end >= end_ || src_[end] != '.')) pos_ = lone_logical(end, true, condition_here(top()));
}

// The source from 'w0' through 'close' (through the end when it is missing) as ?(...), an
// expression the host evaluates.
void Scan::expression_parameter(std::size_t w0, std::size_t close) {
    if (close == std::string_view::npos || close >= end_) close = end_ - 1;
    // the members and further calls after it belong to it: THISFORM.grd.Columns(1).Text1.Value
    while (close + 2 < end_ && src_[close + 1] == '.' && name_start(src_[close + 2]) &&
           !dotted_operator(src_, close + 1, end_, true)) {
        const std::size_t to = name_chain_end(src_, close + 1, end_);
        if (to < end_ && (src_[to] == '(' || src_[to] == '[')) {
            const std::size_t next = src_[to] == '(' ? close_paren(to) : subscript_end(src_, to);
            close = next == std::string_view::npos || next >= end_ ? end_ - 1 : next;
        } else {
            close = to - 1;
        }
    }
    Text text;
    text.append("?(");
    text.append(src_.substr(w0, close + 1 - w0));
    text.push(')');
    out_.replace(w0, close + 1, text.view());
    pos_ = close + 1;
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
    const std::size_t close = subscript_end(src_, open);
    begin_token(w0);
    expression_parameter(w0, close);
}

}  // namespace tarnvel::select::fox
