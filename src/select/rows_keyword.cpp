// The keyword rows of the decision chain: clause keywords, predicates, CASE words, TOP.
#include "select/scanner.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/kind_table.h"

#include <algorithm>
#include <array>

namespace tarnvel::select {

bool Scanner::operand_before(bool dot) const {
    const lex::Star star = clause() == Clause::select ? lex::Star::operand : lex::Star::product;
    return lex::operand_before(text(), here(), wlen(), edges_, dot, star);
}

bool Scanner::operand_after(bool dot) const { return lex::operand_after(text(), here(), edges_, dot); }

std::ptrdiff_t Scanner::close_of(std::size_t open) const {
    lex::Pos close = lex::find_close_paren(text(), rel(open), session_.source);
    if (close < 0 || static_cast<std::size_t>(close) >= text().size()) return -1;
    return static_cast<std::ptrdiff_t>(work_.base()) + close;
}

std::ptrdiff_t Scanner::comma_after(std::size_t at) const {
    lex::Pos comma = lex::find_next_comma(text(), rel(at), session_.source);
    return comma < 0 ? -1 : static_cast<std::ptrdiff_t>(work_.base()) + comma;
}

// Where the AND or OR being read stands against the last BETWEEN: above 0 in a group or a CASE
// that a bound opened (x BETWEEN (a OR b) AND c), below 0 past the ")" of a group that held the
// whole BETWEEN ((y BETWEEN 1 AND 2) AND c), 0 at its level.
long Scanner::between_level() const {
    if (cases_.size() > between_cases_) return 1;
    const std::size_t length = work_.length();
    const std::size_t word = pos_ - length_;
    if (between_at_ > length || length - between_at_ < work_.base() || length - between_at_ > word) return 0;
    lex::Cursor cursor(text(), length - between_at_ - work_.base(), session_.source);
    while (cursor.at() + work_.base() < word && !cursor.done()) cursor.step();
    return cursor.depth();
}

// Conditions stand in the select list, WHERE, the HAVING part and the join conditions of FROM.
bool Scanner::cond_clause() const {
    const Clause c = clause();
    return c == Clause::select || c == Clause::where || (c == Clause::group && in_having_) || (c == Clause::from && in_on_);
}

bool Scanner::case_clause() const {
    const Clause c = clause();
    return c == Clause::select || c == Clause::where || c == Clause::group || c == Clause::order ||
           (c == Clause::from && in_on_);
}

// The characters from the delimiter read 'text' (upper case; a tab counts as a final blank).
bool Scanner::follows(std::string_view expected) const {
    if (pos_ + expected.size() > work_.length()) return false;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        char c = session_.letters.upper(work_.at(pos_ + i));
        if (c == expected[i]) continue;
        if (i + 1 == expected.size() && expected[i] == ' ' && c == '\t') continue;
        return false;
    }
    return true;
}

// JOIN, OUTER JOIN or OUTE JOIN follows the word (blanks or tabs between).
bool Scanner::join_follows() const {
    return words_follow(pos_, {"JOIN"}) || words_follow(pos_, {"OUTER", "JOIN"}) || words_follow(pos_, {"OUTE", "JOIN"});
}

// The word stands between two dots: a FoxPro operator such as .AND.
bool Scanner::dotted() const {
    return word_start_ >= 1 && work_.at(word_start_ - 1) == '.' && work_.at(pos_) == '.';
}

void Scanner::dot_fix() {
    if (work_.at(pos_) == '.') work_.set(pos_, ' ');
    Text *sink = clauses_.current_sink();
    if (sink && sink->back() == '.') sink->set(sink->size() - 1, ' ');
}

// The word is the type of CAST(x AS type): AS stands before it, inside the parentheses of CAST or
// TRY_CAST.
bool Scanner::cast_type() const {
    if (!previous_is("AS")) return false;
    std::string_view t = text();
    std::size_t next = static_cast<std::size_t>(here());
    while (next < t.size() && lex::is_blank(t[next])) ++next;
    if (next >= t.size() || t[next] != ')') return false;  // an alias, before a comma or a clause
    lex::Pos at = here() - wlen();
    for (int depth = 0; --at >= 0;) {
        const char c = t[static_cast<std::size_t>(at)];
        if (c == ')') ++depth;
        else if (c == '(' && depth-- == 0) break;
    }
    if (at <= 0) return false;
    lex::Pos end = at;
    while (end > 0 && lex::is_blank(t[static_cast<std::size_t>(end - 1)])) --end;
    lex::Pos start = end;
    const auto name_char = [&](lex::Pos i) {
        const char c = t[static_cast<std::size_t>(i)];
        return session_.letters.letter(c) || c == '_';
    };
    while (start > 0 && name_char(start - 1)) --start;
    const std::string_view name = t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    return session_.letters.is_upper_word(name, "CAST") || session_.letters.is_upper_word(name, "TRY_CAST");
}

// The word opens the argument list of an aggregate: COUNT(DISTINCT x), SUM (ALL x), COUNT(DIST(x)).
bool Scanner::in_call() const {
    std::string_view t = text();
    if (!lex::preceded_by_open_paren(t, here(), wlen())) return false;
    lex::Pos open = here() - wlen() - 1;
    if (open >= 0 && t[static_cast<std::size_t>(open)] != '(') --open;  // one blank stood between
    lex::Pos end = open;  // of the name: COUNT (DISTINCT x) has a blank before its "("
    while (end > 0 && lex::is_blank(t[static_cast<std::size_t>(end - 1)])) --end;
    lex::Pos start = end;
    while (start > 0 && session_.letters.letter(t[static_cast<std::size_t>(start - 1)])) --start;
    if (end - start < 3) return false;
    std::string_view name = t.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
    bool aggregate = false;
    for (std::string_view a : {"COUNT", "SUM", "AVG", "MIN", "MAX", "CNT"}) {
        if (name.size() != a.size()) continue;
        std::size_t i = 0;
        while (i < a.size() && session_.letters.upper(name[i]) == a[i]) ++i;
        aggregate = aggregate || i == a.size();
    }
    return aggregate && (lex::followed_by_name_start(t, here(), edges_) || paren_follows());
}

// Nothing of the field list has been written yet (but TOP n): where ALL and DISTINCT modify SELECT.
bool Scanner::modifier_place() {
    std::string_view list = clauses_.select().view();
    if (list.find(" ALL ") != std::string_view::npos || list.find(" DISTINCT ") != std::string_view::npos) return false;
    list.remove_prefix(list.size() < 7 ? list.size() : 7);
    if (list.starts_with("TOP ")) {
        list.remove_prefix(4);
        while (!list.empty() && lex::is_digit(list.front())) list.remove_prefix(1);
    }
    return list.find_first_not_of(' ') == std::string_view::npos;
}

void Scanner::open_clause(Clause clause) {
    if (clauses_.current == Clause::none && (word_start_ != 0 || work_.base() != 0)) [[unlikely]] keep_lead(word_start_);
    int i = Clauses::index(clause);
    std::size_t capacity = clause == Clause::select && clauses_.output_room != 0
                               ? clauses_.output_room
                               : std::max<std::size_t>(333, 2 * (member_length_ + 1) + 1);
    clauses_.buffers[i] = Text::obtain(capacity, "Insufficient memory for clause");
    clauses_.make_current(clause);
    between_ = 0;
    in_on_ = false;
    in_destination_ = false;
}

void Scanner::push_case(char mark) {
    if (!cases_) cases_ = Text::obtain(16, "Insufficient memory for CASE");
    cases_.push(mark);
}

// One handler a row kind: each decides the word (keyword_) at the position for its row.
struct Scanner::KeywordRows {
    using Handler = Verdict (*)(Scanner &);

    static Verdict call_or_quote(Scanner &s) { return s.paren_follows() ? Verdict::keep : Verdict::quote; }

    static Verdict with_hint(Scanner &s) {  // a table hint after a table name or a name expression
        return s.clause() == Clause::from && s.operand_before() && s.paren_follows() ? Verdict::keep : Verdict::quote;
    }

    // At the level of an IIF's CASE, its own rule first (iif_cases.cpp); pass leaves the word to the
    // usual rule.
    static Verdict iif_level(Scanner &s, char mark) {
        return s.case_clause() && s.at_iif_level() ? s.iif_case_word(mark) : Verdict::pass;
    }

    static Verdict case_open(Scanner &s) {
        if (const Verdict v = iif_level(s, 'c'); v != Verdict::pass) return v;
        const bool operand_of_case = s.after_case_word() && s.previous_is("CASE");  // CASE case WHEN 1 ...
        if (!s.case_clause() || !s.operand_after() || operand_of_case || !s.case_opens()) return Verdict::quote;
        s.push_case('c');  // the operand of CASE x WHEN 1 ... is a value, no condition
        s.case_word_at_ = s.pos_ - s.length_;  // CASE else WHEN ...: the operand may be such a name
        return Verdict::keep;
    }

    // WHEN, THEN and ELSE mark the innermost open CASE with their letter.
    template <char Mark>
    static Verdict case_part(Scanner &s) {
        if (const Verdict v = iif_level(s, Mark); v != Verdict::pass) return v;
        const bool name_place = s.after_case_word() && !(Mark == 'w' && s.previous_is("CASE"));
        // an operand (or CASE) stands before each: MAX(a, then) written as CASE WHEN a >= then THEN ...
        if (s.cases_.empty() || !s.case_clause() || !s.operand_before() || name_place) return Verdict::quote;
        s.cases_.set(s.cases_.size() - 1, Mark);
        s.case_word_at_ = s.pos_ - s.length_;
        s.bound_ends();
        return Verdict::keep;
    }

    static Verdict case_end(Scanner &s) {
        if (const Verdict v = iif_level(s, 'n'); v != Verdict::pass) return v;
        if (s.cases_.empty() || !s.case_clause() || !s.operand_before() || s.after_case_word()) return Verdict::quote;
        s.cases_.truncate(s.cases_.size() - 1);
        s.bound_ends();
        return Verdict::keep;
    }

    static Verdict between(Scanner &s) {
        if (!s.cond_clause() || !s.operand_neighbours()) return Verdict::quote;
        s.between_ += 2;
        s.between_at_ = s.work_.length() - s.pos_;
        s.between_cases_ = s.cases_.size();
        s.name_ = "BETWEEN";
        return Verdict::keep;
    }

    static Verdict current_date(Scanner &s) { return s.date_row(); }

    // x IS NULL, x IS NOT NULL; under FoxPro syntax x IS NULL as the dialect's exact test of NULL.
    static Verdict is_null(Scanner &s) {
        if (s.words_follow(s.pos_, {"NULL"})) {
            if (s.session_.from_fox) s.name_ = s.dialect_.null_test;
            return Verdict::keep;
        }
        return s.words_follow(s.pos_, {"NOT", "NULL"}) ? Verdict::keep : Verdict::pass;
    }

    static Verdict null_literal(Scanner &s) {
        const Clause clause = s.clause();
        std::string_view t = s.text();
        bool clause_ok = clause == Clause::select || clause == Clause::where;
        if (s.dotted() || (clause_ok && ((clause == Clause::select && lex::followed_by_as(t, s.here(), true)) ||
                                         lex::preceded_by_equals(t, s.here(), s.wlen(), true) ||
                                         lex::followed_by_equals(t, s.here(), true)))) {
            s.dot_fix();
        }
        return Verdict::keep;
    }

    // TRUE, CURRENT_DATE: values. In FoxPro syntax the FoxPro pass wrote its own values in capitals
    // and the user's bare word, a name there, in small letters: that one goes on to be quoted.
    static Verdict value_word(Scanner &s) {
        if (!s.session_.from_fox) return Verdict::keep;
        const std::string_view written = s.work_.slice(s.word_start_, s.length_);
        return std::ranges::any_of(written, [](char c) { return c >= 'A' && c <= 'Z'; }) ? Verdict::keep : Verdict::pass;
    }
    static Verdict own_value(Scanner &s) { return s.session_.from_fox ? Verdict::pass : Verdict::keep; }

    // A reserved word is quoted as a name; as the type of CAST(x AS DATE) it is the type. FULL before
    // JOIN in FROM goes on to the join rows, where a target without FULL JOIN reads it plainly as the
    // join it cannot run.
    static Verdict reserved(Scanner &s) {
        if (s.paren_follows() || (s.clause() == Clause::from && s.keyword_ == "FULL" && s.join_follows())) {
            return Verdict::pass;
        }
        return s.cast_type() ? Verdict::keep : Verdict::quote;
    }

    // ALL and DISTINCT right after SELECT (and TOP n) modify it: moved to the head of the list.
    static Verdict select_modifier(Scanner &s, std::string_view modifier) {
        s.clauses_.select().insert(7, modifier);
        return Verdict::drop;
    }

    static Verdict all(Scanner &s) {
        if (s.paren_follows()) return Verdict::keep;  // x > ALL (...)
        if (s.in_call()) {  // SUM(ALL x): the operand is the aggregate's, no condition (no "=1")
            s.hold_ = 2;
            return Verdict::keep;
        }
        if (s.clause() != Clause::select || !s.modifier_place()) return Verdict::quote;
        return select_modifier(s, "ALL ");
    }

    // AND and OR between two operands of a clause that holds conditions.
    static bool operator_place(Scanner &s) {
        const Clause clause = s.clause();
        return clause != Clause::order && clause != Clause::into && clause != Clause::none && s.operand_before(true) &&
               s.operand_after(true);
    }

    static Verdict and_or(Scanner &s) {
        if (!s.dotted() && !operator_place(s)) return Verdict::quote;
        s.dot_fix();
        const long level = s.between_ > 0 ? s.between_level() : 0;
        if (level < 0) s.bound_ends();
        if (s.between_ > 0 && level <= 0) --s.between_;
        return Verdict::keep;
    }

    static Verdict as(Scanner &s) {  // before a name, a quoted name or a string written as the alias
        const WorkText &work = s.work_;
        char next = s.pos_ + 1 < work.length() && work.at(s.pos_) == ' ' ? work.at(s.pos_ + 1) : '\0';
        bool alias = lex::followed_by_name_start(s.text(), s.here(), s.edges_) || next == '\'' || next == '"' ||
                     next == '[' || next == '`';
        if (!s.operand_before() || !alias) return Verdict::quote;
        // a table's alias: Oracle takes it without AS
        bool bare_table_alias = s.clause() == Clause::from && !s.in_on_ && !s.dialect_.table_alias_as && s.session_.from_fox;
        if (bare_table_alias) return Verdict::drop;
        // FoxPro reads SUM(x)AS n and 'x'AS n as two words: so do the passes that look for " AS "
        const Text *sink = s.clauses_.current_sink();
        if (sink && sink->size() > 0 && ((*sink)[sink->size() - 1] == ')' || (*sink)[sink->size() - 1] == '\'')) s.emit(' ');
        return Verdict::keep;
    }

    // ORDER BY, GROUP BY, FROM, SELECT, WHERE: the clause opens once, named as the row says.
    static Verdict opens(Scanner &s, Clause clause) {
        s.open_clause(clause);
        return Verdict::keep;
    }

    static Verdict opens(Scanner &s, Clause clause, std::string_view name) {
        s.name_ = name;
        return opens(s, clause);
    }

    static Verdict order(Scanner &s) {
        if (!s.follows(" BY ")) return Verdict::quote;
        if (s.call_list_here()) {  // OVER (ORDER BY x), GROUP_CONCAT(x ORDER BY y)
            s.list_by_ = true;
            s.name_ = "ORDER";
            return Verdict::keep;
        }
        if (s.clauses_.order()) return Verdict::quote;
        return opens(s, Clause::order, "ORDER");
    }

    static Verdict partition(Scanner &s) {  // OVER (PARTITION BY a); elsewhere a name
        if (!s.follows(" BY ") || !s.call_list_here()) return Verdict::pass;
        s.list_by_ = true;
        return Verdict::keep;
    }

    // SUBSTRING( and TRIM( open a list that runs to their ")" (inside a list already, the outer one
    // holds); the word itself is decided by the rows after this one.
    static Verdict list_call(Scanner &s) {
        if (s.in_call_list() || !s.paren_follows()) return Verdict::pass;
        const std::ptrdiff_t close = s.close_of(s.open_paren());
        if (close >= 0) {
            s.call_list_tail_ = s.work_.length() - static_cast<std::size_t>(close);
            s.call_list_cases_ = s.cases_.size();
        }
        return Verdict::pass;
    }

    static Verdict list_word(Scanner &s) { return s.in_call_list() ? Verdict::keep : Verdict::pass; }

    static Verdict asc(Scanner &s) {
        if (s.paren_follows()) return Verdict::pass;
        return desc(s);
    }

    // ASC and DESC order an item of ORDER BY; where an item starts (after BY or a comma) or after a
    // qualifier's "." the word is a column's name (ORDER BY t.desc)
    static Verdict desc(Scanner &s) {
        return (s.clause() == Clause::order || s.in_call_list()) && !s.item_name_here() ? Verdict::keep : Verdict::quote;
    }

    static Verdict by(Scanner &s) {
        if (s.list_by_) {
            s.list_by_ = false;
            return Verdict::keep;
        }
        const Clause clause = s.clause();
        Clauses &clauses = s.clauses_;
        return (clause == Clause::order && clauses.order().view() == "ORDER ") ||
                       (clause == Clause::group && clauses.group().view() == "GROUP ")
                   ? Verdict::keep : Verdict::quote;
    }

    static Verdict cursor(Scanner &s) {
        return s.clause() == Clause::into && !s.clauses_.buffers[1].contains(" CURSOR ") ? Verdict::drop : Verdict::quote;
    }

    static Verdict distinct(Scanner &s) {
        if (s.in_call()) {  // COUNT(DISTINCT x): the operand is the aggregate's, no condition (no "=1")
            s.name_ = "DISTINCT";
            s.hold_ = 2;  // DISTINCT itself, then its operand
            return Verdict::keep;
        }
        // Only right after SELECT (and TOP n) is it the modifier; elsewhere the word DISTINCT is
        // misplaced and an abbreviation is a name (a column "dist").
        if (s.clause() != Clause::select || !s.modifier_place()) return s.keyword_ == "DISTINCT" ? Verdict::quote : Verdict::pass;
        return select_modifier(s, "DISTINCT ");
    }

    static Verdict exists(Scanner &s) {  // the predicate wherever a "(" follows it
        if (!s.paren_follows()) return Verdict::quote;
        s.name_ = "EXISTS";
        return Verdict::keep;
    }

    static Verdict in(Scanner &s) {
        return s.cond_clause() && s.operand_before() && s.paren_follows() ? Verdict::keep : Verdict::quote;
    }

    // FROM inside EXTRACT(YEAR FROM d) belongs to the call: a ")" after it closes a group opened
    // before it. The operand after it is the call's, no condition: it gets no "=1". Looked for only
    // after a date part, so that the usual FROM costs a few comparisons. Inside the list of
    // SUBSTRING(s FROM 2) or TRIM(BOTH ' ' FROM s) it is the call's too.
    static Verdict from(Scanner &s) {
        if (s.in_call_list()) {
            s.hold_ = 2;
            return Verdict::keep;
        }
        if (date_part_before(s)) {
            lex::Cursor after(s.text(), static_cast<std::size_t>(s.here()), s.session_.source);
            if (after.group_end() != lex::Cursor::npos) {
                s.hold_ = 2;  // FROM itself, then its operand
                return Verdict::keep;
            }
        }
        if (s.clauses_.from() || !s.operand_before()) return Verdict::quote;
        return opens(s, Clause::from);
    }

    static bool date_part_before(const Scanner &s) {
        const std::size_t n = s.previous_length_;
        if (n < 3 || n > 7 || n > s.previous_.size()) return false;
        switch (s.session_.letters.upper(s.previous_[0])) {  // the usual word before FROM, a select item's, is no date part
        case 'Y': case 'M': case 'D': case 'H': case 'S': case 'Q': case 'W': case 'E': break;
        default: return false;
        }
        char upper[8];
        for (std::size_t i = 0; i < n; ++i) upper[i] = s.session_.letters.upper(s.previous_[i]);
        const std::string_view word(upper, n);
        for (std::string_view part : {"YEAR", "MONTH", "DAY", "HOUR", "MINUTE", "SECOND", "QUARTER", "WEEK", "DOW", "DOY",
                                      "EPOCH"}) {
            if (word == part) return true;
        }
        return false;
    }

    static Verdict force(Scanner &s) {
        if (s.clause() == Clause::from && s.clauses_.from().view() == "FROM ") {
            if (!s.dialect_.force_hint.hint.empty()) s.force_order_ = true;
            return Verdict::drop;
        }
        return lex::keyword_in_list(s.dialect_.reserved, s.keyword_) ? Verdict::pass : Verdict::keep;
    }

    // FoxPro takes HAVING before GROUP BY too: the HAVING part written so far waits aside and follows
    // the grouping's entries when the member ends.
    static Verdict group(Scanner &s) {
        if (!s.follows(" BY ")) return Verdict::quote;
        Text &group = s.clauses_.group();
        if (group && s.in_having_ && !s.held_having_ && group.view().starts_with("HAVING")) {
            s.held_having_ = std::move(group);
            s.in_having_ = false;
        } else if (group) {
            return Verdict::quote;
        }
        return opens(s, Clause::group, "GROUP");
    }

    static Verdict having(Scanner &s) {
        // Without a GROUP BY the HAVING part stands alone in the group clause (FoxPro reads it as a
        // filter of the result; the GROUP BY pass decides where it goes).
        if (s.in_having_ || !s.operand_before() || !s.operand_after(true)) return Verdict::quote;  // also HAVING.NOT.x
        if (s.clauses_.group()) s.clauses_.make_current(Clause::group);
        else s.open_clause(Clause::group);
        s.between_ = 0;
        s.in_having_ = true;
        s.in_destination_ = false;
        s.name_ = "HAVING";
        return Verdict::keep;
    }

    // INNER and OUTER before JOIN in FROM.
    static Verdict join_word(Scanner &s, std::string_view name) {
        if (s.clause() != Clause::from || !s.words_follow(s.pos_, {"JOIN"})) return Verdict::quote;
        s.name_ = name;
        return Verdict::keep;
    }

    static Verdict inner(Scanner &s) {
        Verdict verdict = join_word(s, "INNER");
        if (verdict == Verdict::keep) s.in_on_ = false;
        return verdict;
    }

    static Verdict outer(Scanner &s) { return join_word(s, "OUTER"); }

    // CROSS JOIN in FROM; where the target has none (Access) the two tables are a comma list: the
    // word is written as the comma, right after the table before it, and JOIN is left out (the
    // scan reads on where it stood).
    static Verdict cross(Scanner &s) {
        if (s.clause() != Clause::from || !s.words_follow(s.pos_, {"JOIN"})) return Verdict::pass;
        s.in_on_ = false;
        if (s.dialect_.cross_join) return Verdict::keep;
        std::size_t join = s.pos_;
        while (lex::is_blank(s.work_.at(join))) ++join;
        s.anchor();
        s.work_.erase(s.pos_, join + 4 - s.pos_);
        s.moved_ = true;
        Text &from = s.clauses_.from();
        if (lex::is_blank(from.back())) from.truncate(from.size() - 1);
        s.name_ = ",";
        return Verdict::keep;
    }

    static Verdict into(Scanner &s) {
        s.note_destination();
        if (s.cond_clause() && (s.follows(" CURS") || s.follows(" ARRA") || s.follows(" DBF ") || s.follows(" TABL"))) {
            s.in_destination_ = true;  // its words are no operands of the condition before it
        }
        if (s.clauses_.buffers[1]) return Verdict::quote;
        if (s.follows(" CURSOR ")) return Verdict::keep;
        if (!s.follows(" TABLE ")) return Verdict::quote;
        return opens(s, Clause::into);
    }

    static Verdict join(Scanner &s) {
        if (s.clause() != Clause::from) return Verdict::quote;
        s.in_on_ = false;
        if (s.clauses_.joins < 255) ++s.clauses_.joins;
        if (s.dialect_.join_as_inner && !s.previous_is("INNER") && !s.previous_is("OUTER") && !s.previous_is("LEFT") &&
            !s.previous_is("RIGHT") && !s.previous_is("CROSS") && !s.previous_is("FULL")) {
            s.reserve_room(7);
            s.name_ = "INNER JOIN";
        }
        return Verdict::keep;
    }

    static Verdict left(Scanner &s) {  // a join in FROM, else the functions LEFT() and RIGHT() (join conditions too)
        if (s.clause() == Clause::from && s.join_follows()) {
            s.in_on_ = false;
        } else if (!s.paren_follows()) {
            return Verdict::quote;
        }
        if (s.keyword_ == "RIGH") s.name_ = "RIGHT";
        return Verdict::keep;
    }

    static Verdict on(Scanner &s) {
        if (s.clause() != Clause::from || !s.operand_before() || !s.operand_after()) return Verdict::quote;
        s.in_on_ = true;
        s.between_ = 0;  // a join's own condition
        return Verdict::keep;
    }

    // The word right before this one is WHERE, HAVING, AND or OR: an operand starts here.
    static bool after_condition_start(const Scanner &s) {
        const std::size_t at = s.blanks_before(s.word_start_);
        std::size_t from = at;
        while (from > s.work_.base() && lex::is_item_char(s.session_.letters, s.work_.at(from - 1))) --from;
        const std::string_view w = s.work_.slice(from, at - from);
        constexpr std::array<std::string_view, 4> starts{"WHERE", "HAVING", "AND", "OR"};
        return std::ranges::any_of(starts, [&](std::string_view start) { return s.session_.letters.is_upper_word(w, start); });
    }

    static Verdict like(Scanner &s) {
        const bool list_head = s.clause() == Clause::select && s.modifier_place();  // SELECT escape FROM t
        // right after WHERE, HAVING, AND or OR it is an operand: WHERE escape IN ('a') (x NOT LIKE 'a' stays)
        const bool operand_place = s.after_case_word() || after_condition_start(s);
        return !list_head && s.cond_clause() && s.operand_before() && !operand_place && s.operand_after()
                   ? Verdict::keep
                   : Verdict::quote;
    }

    // the collation's name after it is no logical operand of a condition (no "=1")
    static Verdict collate(Scanner &s) {
        const bool list_head = s.clause() == Clause::select && s.modifier_place();  // SELECT collate FROM t
        if (list_head || !s.operand_before() || !s.operand_after()) return Verdict::quote;
        s.hold_ = 2;  // COLLATE itself, then the name
        return Verdict::keep;
    }

    static Verdict not_op(Scanner &s) {
        if (!s.dotted() && !(s.cond_clause() && s.operand_neighbours())) return Verdict::quote;
        s.dot_fix();
        return Verdict::keep;
    }

    // SELECT'x' (FoxPro reads a literal glued to the keyword as the first item): written with a blank
    // between, as every pass after it that reads the list from "SELECT " expects
    static Verdict select(Scanner &s) {
        if (s.clauses_.select()) return Verdict::quote;
        const char next = s.pos_ < s.work_.length() ? s.work_.at(s.pos_) : '\0';
        const bool glued = next == '\'' || next == '"' || next == '[' || next == '`';
        return opens(s, Clause::select, glued ? "SELECT " : "SELECT");
    }

    static Verdict top(Scanner &s) { return s.top_row(); }

    static Verdict where(Scanner &s) {
        if (s.clauses_.where()) return Verdict::quote;
        return opens(s, Clause::where, s.dialect_.where_open);
    }

    static Verdict function(Scanner &) { return Verdict::pass; }  // decided by function_row

    static constexpr KindTable<Row, Handler, static_cast<std::size_t>(Row::function) + 1> table{
        {Row::call_or_quote, call_or_quote},
        {Row::with_hint, with_hint},
        {Row::case_open, case_open},
        {Row::case_when, case_part<'w'>},
        {Row::case_then, case_part<'t'>},
        {Row::case_else, case_part<'e'>},
        {Row::case_end, case_end},
        {Row::between, between},
        {Row::current_date, current_date},
        {Row::is_null, is_null},
        {Row::null_literal, null_literal},
        {Row::value_word, value_word},
        {Row::own_value, own_value},
        {Row::reserved, reserved},
        {Row::all, all},
        {Row::and_or, and_or},
        {Row::as, as},
        {Row::order, order},
        {Row::asc, asc},
        {Row::desc, desc},
        {Row::by, by},
        {Row::cursor, cursor},
        {Row::distinct, distinct},
        {Row::exists, exists},
        {Row::in, in},
        {Row::from, from},
        {Row::force, force},
        {Row::group, group},
        {Row::having, having},
        {Row::inner, inner},
        {Row::into, into},
        {Row::join, join},
        {Row::left, left},
        {Row::on, on},
        {Row::like, like},
        {Row::not_op, not_op},
        {Row::outer, outer},
        {Row::partition, partition},
        {Row::list_call, list_call},
        {Row::list_word, list_word},
        {Row::cross, cross},
        {Row::collate, collate},
        {Row::select, select},
        {Row::top, top},
        {Row::where, where},
        {Row::function, function},
    };
    static_assert(table.complete(), "every row kind has one handler");
};

Scanner::Verdict Scanner::keyword_row(Row row) { return KeywordRows::table[row](*this); }

// ORDER BY or PARTITION BY inside parentheses belongs to a call (the driver has cut the subqueries
// out): its list runs to the ")" that closes a group opened before the word. Looked for only at
// these words, and only when a ")" follows at all (the statement's own ORDER BY seldom has one
// after it); inside a list known already, nothing is read.
bool Scanner::call_list_here() {
    if (in_call_list()) return true;
    if (text().find(')', static_cast<std::size_t>(here())) == std::string_view::npos) return false;
    lex::Cursor after(text(), static_cast<std::size_t>(here()), session_.source);
    const std::size_t close = after.group_end();
    if (close == lex::Cursor::npos) return false;
    call_list_tail_ = text().size() - close;
    call_list_cases_ = cases_.size();
    return true;
}

// TOP n [PERCENT]: into the select list, or kept as the member's row limit.
namespace {
// The number the digits write, 100 when it is 100 or more.
int percentage(std::string_view digits) {
    int value = 0;
    for (char d : digits) {
        value = value * 10 + (d - '0');
        if (value >= 100) return 100;
    }
    return value;
}
}  // namespace

Scanner::Verdict Scanner::top_row() {
    Text &select = clauses_.select();
    // FoxPro also takes TOP n written after the field list (ORDER BY a DESC TOP 1).
    bool placed = clause() == Clause::select || (select && operand_before());
    if (!placed || select.contains(" TOP ") || pos_ + 1 >= work_.length() || !lex::is_digit(work_.at(pos_ + 1))) {
        return Verdict::quote;
    }
    std::size_t end = pos_ + 1;
    while (end < work_.length() && lex::is_digit(work_.at(end))) ++end;
    std::string_view digits = work_.slice(pos_ + 1, end - pos_ - 1);
    const bool percent = words_follow(end, {"PERCENT"});
    if (percent) {
        while (lex::is_blank(work_.at(end))) ++end;
        end += 7;
    }
    if (percent && dialect_.percent_limit.empty() && dialect_.top != TopPlace::select_list && percentage(digits) == 100) {
        pos_ = end;  // TOP 100 PERCENT: every row, no limit to write where the dialect has no percent
        moved_ = true;
        return Verdict::drop;
    }
    if (percent && dialect_.percent_limit.empty() && (!dialect_.percent_rows.empty() || !dialect_.percent_member.empty())) {
        clauses_.percent = percentage(digits);  // written once the member is whole (the percent passes)
    } else if (dialect_.top == TopPlace::select_list || (percent && dialect_.percent_limit.empty())) {
        std::size_t at = select.view().starts_with("SELECT DISTINCT ") ? 16 : select.view().starts_with("SELECT ALL ") ? 11 : 7;
        // the field list, or a part of it (UPPER(TOP 5 ...), is written already
        if (select.view().find_first_not_of(' ', at) != std::string_view::npos) select.insert(at, " ");
        if (percent) select.insert(at, " PERCENT");
        select.insert(at, digits);
        select.insert(at, "TOP ");
    } else {
        std::string_view head = percent ? dialect_.percent_limit : dialect_.row_limit;
        if (!row_limit_) row_limit_ = Text::obtain(head.size() + digits.size() + 18, "Insufficient memory for TOP");
        row_limit_.clear();
        row_limit_.append(head);
        row_limit_.append(digits);
        if (percent) row_limit_.append(" PERCENT ROWS ONLY");
        percent_ = percent;
    }
    pos_ = end;
    moved_ = true;
    return Verdict::drop;
}

// DATE() and DATE () as CURRENT_DATE; a DATE with arguments stays a call; a bare DATE is quoted.
Scanner::Verdict Scanner::date_row() {
    if (!paren_follows()) return dialect_.bare_date_quoted && !previous_is("AS") ? Verdict::quote : Verdict::pass;  // CAST(x AS DATE)
    std::size_t open = open_paren();
    std::ptrdiff_t close = close_of(open);
    if (close < 0) return Verdict::keep;
    for (std::size_t i = open + 1; i < static_cast<std::size_t>(close); ++i) {
        if (!lex::is_blank(work_.at(i))) return Verdict::keep;
    }
    anchor();
    // A word right after the ")" stays a word of its own: the call gives way to a blank.
    const std::size_t after = static_cast<std::size_t>(close) + 1;
    const bool word_follows = after < work_.length() && lex::is_word_char(session_.letters, work_.at(after));
    if (word_follows) work_.replace(pos_, after - pos_, " ", "Insufficient memory for clause");
    else work_.erase(pos_, after - pos_);
    reserve_room(7);
    name_ = "CURRENT_DATE";
    moved_ = true;
    return Verdict::keep;
}

}  // namespace tarnvel::select
