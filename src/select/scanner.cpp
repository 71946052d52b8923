// The character loop of the clause converter: literal states, word collection, blank collapsing,
// host variables and the end of the member.
#include "select/scanner.h"

#include "select/date_literal.h"
#include "host/state.h"

#include <cctype>

namespace tarnvel::select {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// The characters that a literal, a region, a host variable, a date or the blank rule may concern.
constexpr std::string_view special_characters{"\0\"'`[]^~(){?\t ", 15};
struct SpecialTable {
    bool table[256] = {};
    constexpr SpecialTable() {
        for (char c : special_characters) table[static_cast<unsigned char>(c)] = true;
    }
};
constexpr SpecialTable specials;
bool special(char c) { return specials.table[static_cast<unsigned char>(c)]; }

}  // namespace

void convert_clauses(Session &session, Clauses &clauses, bool &force_order, std::string_view member) {
    Scanner scanner(session, clauses, force_order, member);
    scanner.run();
}

Scanner::Scanner(Session &session, Clauses &clauses, bool &force_order, std::string_view member)
    : session_(session),
      dialect_(session.dialect),
      clauses_(clauses),
      force_order_(force_order),
      work_(WorkText::copy_of(member, 2 * member.size() + 1)),
      member_length_(member.size()) {}

void Scanner::emit(char c) {
    if (Sink *sink = clauses_.current_sink()) sink->push(c);
}

void Scanner::emit(std::string_view text) {
    if (Sink *sink = clauses_.current_sink()) sink->append(text);
}

void Scanner::copy_current() {
    emit(work_.at(pos_));
    ++pos_;
}

void Scanner::run() {
    while (pos_ < work_.length() && is_blank(work_.at(pos_))) ++pos_;
    while (pos_ < work_.length()) {
        char c = work_.at(pos_);
        if (!special(c)) {  // the common case: no literal, region or blank rule applies to c
            if (!outside()) {
                copy_current();
                continue;
            }
            if (session_.letters.letter(c) || c == '_') {
                if (!collecting_) {
                    collecting_ = true;
                    word_start_ = pos_;
                }
                ++pos_;
                continue;
            }
            if (collecting_ && is_digit(c)) {
                ++pos_;
                continue;
            }
            if (!finish_word()) copy_current();
            continue;
        }
        if (c == '\0') {  // a row marked the next word as a type word it inserted
            anchor();
            work_.erase(pos_, 1);
            type_word_ = true;
            continue;
        }
        if (step_literal(c)) continue;
        if (!outside()) {
            // inside a literal or region: copied unchanged; a single quote inside a converted
            // "..." or [...] string is doubled
            copy_current();
            if (c == '\'' && session_.from_fox && (double_ || (bracket_ && dialect_.brackets != Brackets::names_nested))) {
                emit('\'');
            }
            continue;
        }
        if (collecting_ && (c == ']' || c == '~')) {  // part of the word
            ++pos_;
            continue;
        }
        if (c == '?' && !collecting_) {
            host_variable();
            continue;
        }
        if (c == ']' || c == '~') {
            copy_current();
            continue;
        }
        if (step_date(c)) continue;
        // any other character ends the word being collected
        if (c == '\t') work_.set(pos_, ' ');
        if (work_.at(pos_) == ' ') collapse_blanks();
        if (!finish_word()) copy_current();
    }
    finish_word();  // cannot be needed: the work copy ends with a blank
    end_member();
}

// The word being collected ends at the position: it is decided and written. True when its row
// moved the position (the character there is then read afresh rather than copied).
bool Scanner::finish_word() {
    if (!collecting_) return false;
    collecting_ = false;
    process_word(word_start_);
    return moved_;
}

// The literal and region states. True when the character was handled.
bool Scanner::step_literal(char c) {
    if (tick_) {
        if (c == '`') tick_ = false;
        copy_current();
        return true;
    }
    bool others_clear = !single_ && !bracket_ && !caret_ && !tilde_;
    if (c == '"' && (outside() || (double_ && others_clear))) {
        if (!double_ && finish_word()) return true;
        double_ = !double_;
        if (dialect_.double_quote_always || session_.from_fox) work_.set(pos_, '\'');
        copy_current();
        return true;
    }
    if (c == '\'' && (outside() || (single_ && !double_ && !bracket_ && !caret_ && !tilde_))) {
        if (!single_ && finish_word()) return true;
        single_ = !single_;
        copy_current();
        return true;
    }
    if (c == '`' && dialect_.backticks && outside()) {
        if (finish_word()) return true;
        tick_ = true;
        copy_current();
        return true;
    }
    bool brackets_on = dialect_.brackets != Brackets::fox_nested || session_.from_fox;
    bool convert_brackets = session_.from_fox && dialect_.brackets != Brackets::names_nested;
    if (c == '[' && brackets_on) {
        if (outside()) {
            if (finish_word()) return true;
            bracket_ = true;
            bracket_depth_ = 0;
            if (convert_brackets) work_.set(pos_, '\'');
            copy_current();
            return true;
        }
        if (bracket_ && dialect_.brackets != Brackets::flat) ++bracket_depth_;
        return false;
    }
    if (c == ']' && bracket_) {
        bool closes = dialect_.brackets == Brackets::flat ? pos_ + 1 >= work_.length() || work_.at(pos_ + 1) != ']'
                                                          : bracket_depth_ == 0;
        if (!closes) {
            if (dialect_.brackets != Brackets::flat) --bracket_depth_;
            return false;
        }
        bracket_ = false;
        if (convert_brackets) work_.set(pos_, '\'');
        copy_current();
        return true;
    }
    if (c == '^' && (outside() || (caret_ && !single_ && !double_ && !bracket_ && !tilde_))) {
        if (!caret_ && finish_word()) return true;
        caret_ = !caret_;
        ++pos_;  // the caret itself is not copied; the character after it is copied unread
        if (pos_ < work_.length()) copy_current();
        return true;
    }
    if (c == '~' && outside()) {
        bool paren = (pos_ + 1 < work_.length() && work_.at(pos_ + 1) == '(') ||
                     (pos_ + 2 < work_.length() && work_.at(pos_ + 2) == '(');
        if (!paren) return false;
        if (finish_word()) return true;
        tilde_ = true;
        tilde_depth_ = -1;
        copy_current();
        return true;
    }
    if (tilde_ && c == '(') {
        ++tilde_depth_;
        copy_current();
        return true;
    }
    if (tilde_ && c == ')') {
        if (tilde_depth_ <= 0) tilde_ = false;
        else --tilde_depth_;
        copy_current();
        return true;
    }
    return false;
}

// A FoxPro date literal {^yyyy-mm-dd [hh:mm[:ss]]} or the empty date {} written as the dialect's
// literal; any other {^...} is copied unchanged through its "}".
bool Scanner::step_date(char c) {
    if (c != '{') return false;
    std::string_view rest = work_.slice(pos_, work_.length() - pos_);
    DateLiteral literal = read_date_literal(rest);
    if (literal.kind == DateLiteral::none) return false;
    if (collecting_) {
        if (finish_word()) return true;
        rest = work_.slice(pos_, work_.length() - pos_);
        literal = read_date_literal(rest);
    }
    if (literal.kind == DateLiteral::verbatim) {
        emit('{');
        emit(rest.substr(2, literal.length - 2));  // the caret is dropped
        pos_ += literal.length;
        return true;
    }
    // The literal replaces the date in the work copy too, so that the tests of the next word see it.
    std::string text = date_literal_text(literal, dialect_.date, dialect_.datetime);
    anchor();
    work_.replace(pos_, literal.length, text, "Insufficient memory for clause");
    emit(text);
    pos_ += text.size();
    return true;
}

// Removes every blank and tab after the blank at the position, so that one blank remains.
void Scanner::collapse_blanks() {
    std::size_t end = pos_ + 1;
    while (end < work_.length() && is_blank(work_.at(end))) ++end;
    if (end == pos_ + 1) return;
    anchor();
    work_.erase(pos_ + 1, end - pos_ - 1);
}

// ?name or ?(expression): written as it stands, never quoted, never given "=1".
void Scanner::host_variable() {
    std::size_t start = pos_;
    std::size_t end = pos_ + 1;
    while (end < work_.length() && is_blank(work_.at(end))) ++end;
    if (end > pos_ + 1) {
        anchor();
        work_.erase(pos_ + 1, end - pos_ - 1);
    }
    end = pos_ + 1;
    if (end < work_.length() && work_.at(end) == '(') {
        std::ptrdiff_t close = close_of(end);
        end = close < 0 ? work_.length() : static_cast<std::size_t>(close) + 1;
    } else {
        while (end < work_.length()) {
            char c = work_.at(end);
            if (!(session_.letters.letter(c) || is_digit(c) || c == '_' || c == '.')) break;
            ++end;
        }
    }
    std::string_view run = work_.slice(start, end - start);
    if (session_.from_fox && !dialect_.upper_everything) {
        Sink &word = session_.word;
        word.clear();
        word.append(run);
        session_.letters.upper_in_place(word.data(), word.size());
        emit(word.view());
    } else {
        emit(run);
    }
    remember_previous("?");
    pos_ = end;
}

// The end of the member: WHERE closed, the row limit placed.
void Scanner::end_member() {
    Sink &where = clauses_.where();
    if (where && !dialect_.where_close.empty()) {
        where.set_message("Insufficient memory for WHERE");
        where.append(dialect_.where_close);
    }
    if (!row_limit_ || row_limit_.empty()) return;
    if (dialect_.top == TopPlace::where_limit) {
        if (clauses_.order()) {  // the limit applies after the ordering: the member is wrapped
            clauses_.wrap = std::move(row_limit_);
        } else if (where) {
            where.set_message("Insufficient memory for WHERE");
            where.append(" AND ");
            where.append(row_limit_.view());
        } else {
            where = Sink::obtain(6 + row_limit_.size(), "Insufficient memory for WHERE");
            where.append("WHERE ");
            where.append(row_limit_.view());
            clauses_.make_current('w');
        }
    } else if (dialect_.top == TopPlace::order_limit && clauses_.order()) {
        Sink &order = clauses_.order();
        order.set_message("Insufficient memory for Order By");
        order.push(' ');
        order.append(row_limit_.view());
    }
}

}  // namespace tarnvel::select
