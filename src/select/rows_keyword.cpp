// The keyword rows of the decision chain: clause keywords, predicates, CASE words, TOP.
#include "select/scanner.h"

namespace tarnvel::select {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool Scanner::operand_before(bool dot) const {
    return lex::operand_before(text(), here(), wlen(), edges_, dot, clauses_.current);
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

// Conditions stand in the select list, WHERE, the HAVING part and the join conditions of FROM.
bool Scanner::cond_clause() const {
    char c = clauses_.current;
    return c == 's' || c == 'w' || (c == 'g' && in_having_) || (c == 'f' && in_on_);
}

bool Scanner::case_clause() const {
    char c = clauses_.current;
    return c == 's' || c == 'w' || c == 'g' || c == 'o' || (c == 'f' && in_on_);
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
    Sink *sink = clauses_.current_sink();
    if (sink && sink->back() == '.') sink->set(sink->size() - 1, ' ');
}

// The word opens the argument list of an aggregate: COUNT(DISTINCT x), SUM (ALL x), COUNT(DIST(x)).
bool Scanner::in_call() const {
    std::string_view t = text();
    if (!lex::preceded_by_open_paren(t, here(), wlen())) return false;
    lex::Pos open = here() - wlen() - 1;
    if (open >= 0 && t[static_cast<std::size_t>(open)] != '(') --open;  // one blank stood between
    lex::Pos end = open;  // of the name: COUNT (DISTINCT x) has a blank before its "("
    while (end > 0 && (t[static_cast<std::size_t>(end - 1)] == ' ' || t[static_cast<std::size_t>(end - 1)] == '\t')) --end;
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
        while (!list.empty() && is_digit(list.front())) list.remove_prefix(1);
    }
    return list.find_first_not_of(' ') == std::string_view::npos;
}

void Scanner::open_clause(char letter) {
    int i = Clauses::index(letter);
    std::size_t capacity = std::max<std::size_t>(333, 2 * (member_length_ + 1) + 1);
    clauses_.buffers[i] = Sink::obtain(capacity, "Insufficient memory for clause");
    clauses_.make_current(letter);
    between_ = 0;
    in_on_ = false;
    in_destination_ = false;
}

void Scanner::push_case() {
    if (!cases_) cases_ = Sink::obtain(16, "Insufficient memory for CASE");
    cases_.push('w');
}

Scanner::Verdict Scanner::keyword_row(Row row) {
    const char clause = clauses_.current;
    const std::string_view word = keyword_;
    Sink &select = clauses_.select();
    switch (row) {
    case Row::call_or_quote:
        return paren_follows() ? Verdict::keep : Verdict::quote;
    case Row::with_hint:  // a table hint after a table name or a name expression
        return clause == 'f' && operand_before() && paren_follows() ? Verdict::keep : Verdict::quote;
    case Row::case_open:
        if (!case_clause() || !operand_after()) return Verdict::quote;
        push_case();
        return Verdict::keep;
    case Row::case_when:
    case Row::case_then:
    case Row::case_else:
        if (cases_.empty() || !case_clause() || !operand_neighbours()) return Verdict::quote;
        cases_.set(cases_.size() - 1, row == Row::case_when ? 'w' : row == Row::case_then ? 't' : 'e');
        return Verdict::keep;
    case Row::case_end:
        if (cases_.empty() || !case_clause() || !operand_before()) return Verdict::quote;
        cases_.truncate(cases_.size() - 1);
        return Verdict::keep;
    case Row::between:
        if (!cond_clause() || !operand_neighbours()) return Verdict::quote;
        between_ += 2;
        name_ = "BETWEEN";
        return Verdict::keep;
    case Row::current_date:
        return date_row();
    case Row::is_null:
        return words_follow(pos_, {"NULL"}) || words_follow(pos_, {"NOT", "NULL"}) ? Verdict::keep : Verdict::pass;
    case Row::null_literal: {
        std::string_view t = text();
        bool clause_ok = clause == 's' || clause == 'w';
        if (dotted() || (clause_ok && ((clause == 's' && lex::followed_by_as(t, here(), true)) ||
                                       lex::preceded_by_equals(t, here(), wlen(), true) ||
                                       lex::followed_by_equals(t, here(), true)))) {
            dot_fix();
        }
        return Verdict::keep;
    }
    case Row::value_word:
        return Verdict::keep;
    case Row::reserved:
        return paren_follows() ? Verdict::pass : Verdict::quote;
    case Row::all:
        if (paren_follows() || in_call()) return Verdict::keep;  // x > ALL (...), SUM(ALL x)
        if (clause != 's' || !modifier_place()) return Verdict::quote;
        select.insert(7, "ALL ");
        return Verdict::drop;
    case Row::and_or:
        if (dotted() || (clause != 'o' && clause != 'i' && clause != 0 && operand_before(true) && operand_after(true))) {
            dot_fix();
            if (between_ > 0) --between_;
            return Verdict::keep;
        }
        return Verdict::quote;
    case Row::as: {  // before a name, a quoted name or a string written as the alias
        char next = pos_ + 1 < work_.length() && work_.at(pos_) == ' ' ? work_.at(pos_ + 1) : '\0';
        bool alias = lex::followed_by_name_start(text(), here(), edges_) || next == '\'' || next == '"' ||
                     next == '[' || next == '`';
        if (!operand_before() || !alias) return Verdict::quote;
        // a table's alias: Oracle takes it without AS
        return clause == 'f' && !in_on_ && !dialect_.table_alias_as && session_.from_fox ? Verdict::drop : Verdict::keep;
    }
    case Row::order:
        if (clauses_.order() || !follows(" ") || !follows(" BY ")) return Verdict::quote;
        open_clause('o');
        name_ = "ORDER";
        return Verdict::keep;
    case Row::asc:
        if (paren_follows()) return Verdict::pass;
        return clause == 'o' ? Verdict::keep : Verdict::quote;
    case Row::desc:
        return clause == 'o' ? Verdict::keep : Verdict::quote;
    case Row::by:
        return (clause == 'o' && clauses_.order().view() == "ORDER ") ||
                       (clause == 'g' && clauses_.group().view() == "GROUP ")
                   ? Verdict::keep : Verdict::quote;
    case Row::cursor:
        return clause == 'i' && !clauses_.buffers[1].contains(" CURSOR ") ? Verdict::drop : Verdict::quote;
    case Row::distinct:
        if (in_call()) {  // COUNT(DISTINCT x)
            name_ = "DISTINCT";
            return Verdict::keep;
        }
        // Only right after SELECT (and TOP n) is it the modifier; elsewhere the word DISTINCT is
        // misplaced and an abbreviation is a name (a column "dist").
        if (clause != 's' || !modifier_place()) return word == "DISTINCT" ? Verdict::quote : Verdict::pass;
        select.insert(7, "DISTINCT ");
        return Verdict::drop;
    case Row::exists:  // the predicate wherever a "(" follows it
        if (paren_follows()) {
            name_ = "EXISTS";
            return Verdict::keep;
        }
        return Verdict::quote;
    case Row::in:
        return cond_clause() && operand_before() && paren_follows() ? Verdict::keep : Verdict::quote;
    case Row::from:
        if (clauses_.from() || !operand_before()) return Verdict::quote;
        open_clause('f');
        return Verdict::keep;
    case Row::force:
        if (clause == 'f' && clauses_.from().view() == "FROM ") {
            if (!dialect_.force_hint.hint.empty()) force_order_ = true;
            return Verdict::drop;
        }
        return lex::keyword_in_list(dialect_.reserved, word) ? Verdict::pass : Verdict::keep;
    case Row::group:
        if (clauses_.group() || !follows(" BY ")) return Verdict::quote;
        open_clause('g');
        name_ = "GROUP";
        return Verdict::keep;
    case Row::having:
        // Without a GROUP BY the HAVING part stands alone in the group clause (FoxPro reads it as a
        // filter of the result; the GROUP BY pass decides where it goes).
        if (in_having_ || !operand_before() || !operand_after()) return Verdict::quote;
        if (clauses_.group()) clauses_.make_current('g');
        else open_clause('g');
        between_ = 0;
        in_having_ = true;
        in_destination_ = false;
        name_ = "HAVING";
        return Verdict::keep;
    case Row::inner:
        if (clause != 'f' || !words_follow(pos_, {"JOIN"})) return Verdict::quote;
        in_on_ = false;
        name_ = "INNER";
        return Verdict::keep;
    case Row::into:
        if (cond_clause() && (follows(" CURS") || follows(" ARRA") || follows(" DBF ") || follows(" TABL"))) {
            in_destination_ = true;  // its words are no operands of the condition before it
        }
        if (clauses_.buffers[1]) return Verdict::quote;
        if (follows(" CURSOR ")) return Verdict::keep;
        if (!follows(" TABLE ")) return Verdict::quote;
        open_clause('i');
        return Verdict::keep;
    case Row::join:
        if (clause != 'f') return Verdict::quote;
        in_on_ = false;
        if (dialect_.join_as_inner && !previous_is("INNER") && !previous_is("OUTER") && !previous_is("LEFT") &&
            !previous_is("RIGHT")) {
            reserve_room(7);
            name_ = "INNER JOIN";
        }
        return Verdict::keep;
    case Row::left:  // a join in FROM, else the functions LEFT() and RIGHT() (join conditions too)
        if (clause == 'f' && join_follows()) {
            in_on_ = false;
        } else if (!paren_follows()) {
            return Verdict::quote;
        }
        if (word == "RIGH") name_ = "RIGHT";
        return Verdict::keep;
    case Row::on:
        if (clause != 'f' || !operand_before() || !operand_after()) return Verdict::quote;
        in_on_ = true;
        return Verdict::keep;
    case Row::like:
        return cond_clause() && operand_before() && operand_after() ? Verdict::keep : Verdict::quote;
    case Row::not_op:
        if (dotted() || (cond_clause() && operand_neighbours())) {
            dot_fix();
            return Verdict::keep;
        }
        return Verdict::quote;
    case Row::outer:
        if (clause != 'f' || !words_follow(pos_, {"JOIN"})) return Verdict::quote;
        name_ = "OUTER";
        return Verdict::keep;
    case Row::select:
        if (select) return Verdict::quote;
        open_clause('s');
        name_ = "SELECT";
        return Verdict::keep;
    case Row::top:
        return top_row();
    case Row::where:
        if (clauses_.where()) return Verdict::quote;
        open_clause('w');
        name_ = dialect_.where_open;
        return Verdict::keep;
    case Row::function:
        break;
    }
    return Verdict::pass;
}

// TOP n [PERCENT]: into the select list, or kept as the member's row limit.
Scanner::Verdict Scanner::top_row() {
    Sink &select = clauses_.select();
    // FoxPro also takes TOP n written after the field list (ORDER BY a DESC TOP 1).
    bool placed = clauses_.current == 's' || (select && operand_before());
    if (!placed || select.contains(" TOP ") || pos_ + 1 >= work_.length() || !is_digit(work_.at(pos_ + 1))) {
        return Verdict::quote;
    }
    std::size_t end = pos_ + 1;
    while (end < work_.length() && is_digit(work_.at(end))) ++end;
    std::string_view digits = work_.slice(pos_ + 1, end - pos_ - 1);
    const bool percent = words_follow(end, {"PERCENT"});
    if (percent) {
        while (work_.at(end) == ' ' || work_.at(end) == '\t') ++end;
        end += 7;
    }
    if (dialect_.top == TopPlace::select_list || (percent && dialect_.percent_limit.empty())) {
        std::size_t at = select.view().starts_with("SELECT DISTINCT ") ? 16 : select.view().starts_with("SELECT ALL ") ? 11 : 7;
        if (clauses_.current != 's') select.insert(at, " ");  // the field list is written already
        if (percent) select.insert(at, " PERCENT");
        select.insert(at, digits);
        select.insert(at, "TOP ");
    } else {
        std::string_view head = percent ? dialect_.percent_limit : dialect_.row_limit;
        if (!row_limit_) row_limit_ = Sink::obtain(head.size() + digits.size() + 18, "Insufficient memory for TOP");
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
    if (!paren_follows()) return dialect_.bare_date_quoted ? Verdict::quote : Verdict::pass;
    std::size_t open = open_paren();
    std::ptrdiff_t close = close_of(open);
    if (close < 0) return Verdict::keep;
    for (std::size_t i = open + 1; i < static_cast<std::size_t>(close); ++i) {
        if (work_.at(i) != ' ' && work_.at(i) != '\t') return Verdict::keep;
    }
    anchor();
    // A word right after the ")" stays a word of its own: the call gives way to a blank.
    const std::size_t after = static_cast<std::size_t>(close) + 1;
    const bool word_follows = after < work_.length() &&
                              (session_.letters.letter(work_.at(after)) || is_digit(work_.at(after)) || work_.at(after) == '_');
    if (word_follows) work_.replace(pos_, after - pos_, " ", "Insufficient memory for clause");
    else work_.erase(pos_, after - pos_);
    reserve_room(7);
    name_ = "CURRENT_DATE";
    moved_ = true;
    return Verdict::keep;
}

}  // namespace tarnvel::select
