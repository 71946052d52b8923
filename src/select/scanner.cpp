// The character loop of the clause converter: literal states, word collection, blank collapsing,
// host variables and the end of the member.
#include "select/scanner.h"

#include "select/date_condition.h"
#include "select/date_literal.h"
#include "host/state.h"
#include "lex/classes.h"

#include <cctype>

namespace tarnvel::select {
namespace {

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
      edges_(lex::with_high_names(session.dialect.edges)),
      clauses_(clauses),
      force_order_(force_order),
      work_(WorkText::copy_of(member, 2 * member.size() + 1)),
      member_length_(member.size()) {}


// The run of characters from the position for which 'in_run' holds (the first one included), as
// an offset into the live text: the position moves past it.
template <typename InRun>
std::string_view Scanner::take_run(InRun in_run) {
    std::string_view live = work_.view();
    std::size_t from = pos_ - work_.base();
    std::size_t end = from + 1;
    while (end < live.size() && in_run(live[end])) ++end;
    pos_ = work_.base() + end;
    return live.substr(from, end - from);
}

template <typename InRun>
void Scanner::copy_run(InRun in_run) {
    emit(take_run(in_run));
}

template <typename InRun>
void Scanner::skip_run(InRun in_run) {
    take_run(in_run);
}

void Scanner::run() {
    while (pos_ < work_.length() && lex::is_blank(work_.at(pos_))) ++pos_;
    while (pos_ < work_.length()) {
        char c = work_.at(pos_);
        if (!special(c)) step_plain(c);  // the common case: no literal, region or blank rule applies to c
        else step_special(c);
    }
    finish_word();  // cannot be needed: the work copy ends with a blank
    if (clauses_.current == Clause::none) keep_lead(work_.length());
    end_member();
}

// A character no literal, region or blank rule concerns: inside a literal or region the run up to
// the next special is copied; outside, words are collected and the rest copied.
void Scanner::step_plain(char c) {
    if (!outside()) {
        copy_run([](char x) { return !special(x); });
        return;
    }
    const lex::Alphabet &letters = session_.letters;
    if (letters.letter(c) || c == '_' || (collecting_ && lex::is_digit(c))) {
        if (!collecting_) {
            collecting_ = true;
            word_start_ = pos_;
        }
        skip_run([&letters](char x) { return lex::is_word_char(letters, x); });
        // most words end at a blank: it is read here, as the loop's next step would read it
        if (pos_ < work_.length() && work_.at(pos_) == ' ') end_word_at_delimiter(' ');
        return;
    }
    if (collecting_) {
        if (!finish_word()) copy_current();
        return;
    }
    if (clause() == Clause::from && lex::is_digit(c)) [[unlikely]] {
        if (numbered_table()) return;
    }
    // no word is being collected: the run up to the next letter, "_" or special is copied
    const std::string_view run = take_run([&letters](char x) { return !special(x) && !letters.letter(x) && x != '_'; });
    emit(run);
    if (!run.empty() && run.back() == '0' && pos_ < work_.length() && (work_.at(pos_) == 'x' || work_.at(pos_) == 'X')) [[unlikely]] {
        hex_digits_after(run);
    }
}

// The x of 0x1F after the run that ends with its 0: the digits are copied as they stand (0X1F is no
// number to MySQL, and x1F would be read as a name).
void Scanner::hex_digits_after(std::string_view run) {
    if (run.size() > 1 && (lex::is_word_char(session_.letters, run[run.size() - 2]) || run[run.size() - 2] == '.')) return;
    copy_run([](char x) { return lex::is_hex_digit(x); });
}

// The word is the X of X'1F', a hexadecimal literal.
bool Scanner::hex_string_prefix() const {
    return length_ == 1 && (work_.at(word_start_) == 'x' || work_.at(word_start_) == 'X') && pos_ < work_.length() &&
           work_.at(pos_) == '\'';
}

// A table is named here: right after FROM or JOIN, or after a comma of the table list.
bool Scanner::table_name_here() const {
    if (in_on_) return false;
    const std::size_t at = blanks_before(pos_);
    if (at == work_.base() || at == pos_) return false;
    const char before = work_.at(at - 1);
    return before == ',' || (session_.letters.letter(before) && (previous_is("FROM") || previous_is("JOIN")));
}

// A table named by a number (FROM 32021, the file 32021.dbf) is a name only in the dialect's name
// quotes.
bool Scanner::numbered_table() {
    if (!table_name_here()) return false;
    std::size_t end = pos_;
    while (end < work_.length() && lex::is_word_char(session_.letters, work_.at(end))) ++end;
    Text *sink = clauses_.current_sink();
    if (sink) {
        sink->push(dialect_.quote_open);
        sink->append(work_.slice(pos_, end - pos_));
        sink->push(dialect_.quote_close);
    }
    remember_previous("?");
    pos_ = end;
    return true;
}

// A character that ends the word being collected: a tab is read as a blank, blanks collapse to one.
void Scanner::end_word_at_delimiter(char c) {
    if (c == '\t') work_.set(pos_, ' ');
    if (work_.at(pos_) == ' ') collapse_blanks();
    if (!finish_word()) copy_current();
}

// A character a literal, a region, a host variable, a date or the blank rule may concern.
void Scanner::step_special(char c) {
    if ((c == ' ' || c == '\t' || c == '(' || c == ')') && outside()) return end_word_at_delimiter(c);
    if (c == '\0') {  // a row marked the next word as a type word it inserted
        anchor();
        work_.erase(pos_, 1);
        type_word_ = true;
        return;
    }
    if (step_literal(c)) return;
    if (!outside()) {
        // inside a literal or region: copied unchanged; a single quote inside a converted
        // "..." or [...] string is doubled (not in an alias written as a name)
        if (c == '[' && like_pattern_) {
            emit("[[]");
            ++pos_;
            return;
        }
        copy_current();
        if (c == '\'' && session_.from_fox && !alias_name_ && (in_.double_quoted || in_.bracket)) emit('\'');
        return;
    }
    if ((c == ']' || c == '~') && !(c == '~' && select_before_tilde())) {  // part of the word being collected, else copied
        if (collecting_) ++pos_;
        else copy_current();
        return;
    }
    if (c == '?' && !collecting_) return host_variable();
    if (step_date(c)) return;
    end_word_at_delimiter(c);  // any other character ends the word being collected
}

// SELECT~x: the member's SELECT ends at the "~", which would otherwise make one word of it and
// the reference, and the select list would be lost with it.
bool Scanner::select_before_tilde() const {
    const std::size_t length = pos_ - word_start_;
    if (!collecting_ || clauses_.select() || length < 4 || length > 6) return false;  // SELE, SELEC, SELECT
    const std::string_view word = work_.slice(word_start_, length);
    for (std::size_t i = 0; i < length; ++i) {
        if (session_.letters.upper(word[i]) != "SELECT"[i]) return false;
    }
    return true;
}

// The word being collected ends at the position: it is decided and written. True when its row
// moved the position (the character there is then read afresh rather than copied).
bool Scanner::finish_word() {
    if (!collecting_) return false;
    collecting_ = false;
    process_word(word_start_);
    return moved_;
}

// No literal or region is open but perhaps the given one.
bool Scanner::outside_but(bool Regions::*region) const {
    Regions others = in_;
    others.*region = false;
    std::uint64_t any = 0;
    std::memcpy(&any, &others, sizeof others);
    return any == 0;
}

// The literal or region opens or closes at the position. False when the word that ended at its
// opening moved the position (the character there is then read afresh).
bool Scanner::toggle(bool &region) {
    if (!region && finish_word()) return false;
    region = !region;
    return true;
}

// The literal and region states. True when the character was handled.
bool Scanner::step_literal(char c) {
    if (in_.tick) {
        if (c == '`') in_.tick = false;
        copy_current();
        return true;
    }
    switch (c) {
    case '"': return step_double_quote();
    case '\'': return step_single_quote();
    case '`': return step_backtick();
    case '[': return step_open_bracket();
    case ']': return step_close_bracket();
    case '^': return step_caret();
    case '~': return step_tilde();
    case '(':
    case ')': return step_tilde_paren(c);
    default: return false;
    }
}

bool Scanner::step_double_quote() {
    if (!outside_but(&Regions::double_quoted)) return false;
    if (!toggle(in_.double_quoted)) return true;
    note_like_pattern(in_.double_quoted, '"');
    if (!alias_quote(in_.double_quoted) && (dialect_.double_quote_always || session_.from_fox)) work_.set(pos_, '\'');
    copy_current();
    return true;
}

bool Scanner::step_single_quote() {
    if (!outside_but(&Regions::single)) return false;
    if (!toggle(in_.single)) return true;
    note_like_pattern(in_.single, '\'');
    alias_quote(in_.single);
    copy_current();
    return true;
}

// A FoxPro LIKE pattern written as a literal reads "[" as itself; where the target's LIKE reads
// [...] as a class of characters, each "[" of the pattern is written "[[]". Only a literal right after
// the word LIKE, and not when an ESCAPE clause follows: its character may stand before the "[" already.
void Scanner::note_like_pattern(bool opening, char close) {
    like_pattern_ = opening && dialect_.like_classes && session_.from_fox && previous_is("LIKE") &&
                    written_ends_with("LIKE") && !escape_after(close);
}

// The text written so far into the current clause ends with the word (upper case) and perhaps blanks.
bool Scanner::written_ends_with(std::string_view word) const {
    const Text *sink = clauses_.current_sink();
    std::string_view written = sink ? sink->view() : "";
    while (!written.empty() && lex::is_blank(written.back())) written.remove_suffix(1);
    const std::size_t n = written.size(), w = word.size();
    if (n < w || !session_.letters.is_upper_word(written.substr(n - w), word)) return false;
    return n == w || !lex::is_word_char(session_.letters, written[n - w - 1]);
}

// The literal opening at the position ends with the given character, and the word ESCAPE follows it.
bool Scanner::escape_after(char close) const {
    const std::string_view rest = work_.slice(pos_ + 1, work_.length() - pos_ - 1);
    std::size_t at = rest.find(close);
    if (at == std::string_view::npos) return false;
    ++at;
    while (at < rest.size() && lex::is_blank(rest[at])) ++at;
    return rest.size() - at >= 6 && session_.letters.is_upper_word(rest.substr(at, 6), "ESCAPE");
}

// A string right after AS in the select list (SELECT x AS 'Name') is the item's name: written in the
// dialect's name quotes where the target takes no string there. True when the quote was so written.
bool Scanner::alias_quote(bool opening) {
    if (opening) {  // the select list written so far ends with the word AS (also SUM(x)AS 'Total')
        alias_name_ = dialect_.string_alias_named && clauses_.current == Clause::select && written_ends_with("AS");
    }
    if (!alias_name_) return false;
    work_.set(pos_, opening ? dialect_.quote_open : dialect_.quote_close);
    if (!opening) alias_name_ = false;
    return true;
}

bool Scanner::step_backtick() {
    if (!dialect_.backticks || !outside()) return false;
    if (toggle(in_.tick)) copy_current();
    return true;
}

// FoxPro has no bracketed names: under its syntax [...] is a string in every dialect, and it ends at
// its first "]" (no "[" inside it is counted).
bool Scanner::step_open_bracket() {
    if (dialect_.brackets == Brackets::fox_nested && !session_.from_fox) return false;
    if (!outside()) {
        if (in_.bracket && dialect_.brackets != Brackets::flat && !session_.from_fox) ++bracket_depth_;
        return false;
    }
    if (!toggle(in_.bracket)) return true;
    note_like_pattern(true, ']');
    bracket_depth_ = 0;
    if (session_.from_fox && !alias_quote(true)) work_.set(pos_, '\'');
    copy_current();
    return true;
}

bool Scanner::step_close_bracket() {
    if (!in_.bracket) return false;
    bool closes = dialect_.brackets == Brackets::flat ? pos_ + 1 >= work_.length() || work_.at(pos_ + 1) != ']'
                                                      : bracket_depth_ == 0;
    if (!closes) {
        if (dialect_.brackets != Brackets::flat) --bracket_depth_;
        return false;
    }
    in_.bracket = false;
    like_pattern_ = false;
    if (session_.from_fox && !alias_quote(false)) work_.set(pos_, '\'');
    copy_current();
    return true;
}

bool Scanner::step_caret() {
    if (!outside_but(&Regions::caret)) return false;
    if (!toggle(in_.caret)) return true;
    ++pos_;  // the caret itself is not copied; the character after it is copied unread
    if (pos_ < work_.length()) copy_current();
    return true;
}

// ~(...) and ~ (...): a region copied unread to its closing parenthesis.
bool Scanner::step_tilde() {
    if (!outside()) return false;
    bool paren = (pos_ + 1 < work_.length() && work_.at(pos_ + 1) == '(') ||
                 (pos_ + 2 < work_.length() && work_.at(pos_ + 2) == '(');
    if (!paren) return false;
    if (!toggle(in_.tilde)) return true;
    tilde_depth_ = -1;
    copy_current();
    return true;
}

bool Scanner::step_tilde_paren(char c) {
    if (!in_.tilde) return false;
    if (c == '(') ++tilde_depth_;
    else if (tilde_depth_ <= 0) in_.tilde = false;
    else --tilde_depth_;
    copy_current();
    return true;
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
        const std::size_t caret = rest.find('^');  // after the brace and any blanks
        emit('{');
        emit(rest.substr(caret + 1, literal.length - caret - 1));  // the caret is dropped
        pos_ += literal.length;
        return true;
    }
    // The literal replaces the date in the work copy too, so that the tests of the next word see it.
    std::string text;
    if (dialect_.empty_date_null && compared_literal(literal) && empty_date_rewritten(literal, text)) return true;
    if (text.empty()) text = date_literal_text(literal, dialect_.date, dialect_.datetime);
    if (dialect_.empty_date_null && text == "NULL" && !compare_with_null() && literal.kind == DateLiteral::empty) {
        // not d = {} (IS NULL): where it stands a bare NULL may take no type or the wrong one
        // (in a sum it keeps it: the server adds no number but an integer to a date, none to a timestamp)
        const std::string_view typed = (literal.clock ? dialect_.datetime : dialect_.date).typed_empty;
        if (!typed.empty() && !in_sum(literal)) text = typed;
    }
    // FoxPro ends a word at the brace (SELECT{}, {}AND); the literal written keeps the words apart.
    const auto word = [this](char x) { return lex::is_word_char(session_.letters, x); };
    const std::size_t after = pos_ + literal.length;
    if (pos_ > 0 && word(work_.at(pos_ - 1)) && word(text.front())) text.insert(0, 1, ' ');
    if (after < work_.length() && word(work_.at(after))) text.push_back(' ');
    anchor();
    work_.replace(pos_, literal.length, text, "Insufficient memory for clause");
    emit(text);
    pos_ += text.size();
    return true;
}

// Where the empty date is NULL in the target, a condition of date literals alone with an empty one
// ({} < {^2020-01-01}, {^2020-01-01} BETWEEN {} AND {^2021-01-01}, {} IS NULL) has FoxPro's constant answer
// written to 'text' and its length taken into the literal's; {} op name is swapped in the work copy
// into name op' {}, which the scan reads next (true: nothing is written now). Not where an operator
// before the literal takes it as its operand.
bool Scanner::empty_date_rewritten(DateLiteral &literal, std::string &text) {
    const std::string_view rest = work_.slice(pos_, work_.length() - pos_);
    bool holds = false;
    if (const std::size_t length = date_literal_condition(rest, literal, session_.letters, holds); length != 0) {
        if (operand_of_operator()) return false;
        literal.length = length;
        text = holds ? "(1=1)" : "(1=0)";
        return false;
    }
    if (literal.kind != DateLiteral::empty) return false;
    std::size_t length = 0;
    const std::string swapped = mirrored_empty_date_comparison(rest, session_.letters, length);
    if (swapped.empty() || operand_of_operator()) return false;
    anchor();
    work_.replace(pos_, length, swapped, "Insufficient memory for clause");
    return true;
}

// The cheap test before empty_date_rewritten: a comparison operator, NOT, BETWEEN, IN or IS follows the
// literal at the scan.
bool Scanner::compared_literal(const DateLiteral &literal) const {
    std::size_t at = pos_ + literal.length;
    while (at < work_.length() && lex::is_blank(work_.at(at))) ++at;
    if (at >= work_.length()) return false;
    const char c = work_.at(at);
    return c == '<' || c == '>' || c == '=' || c == '!' || c == '#' || (c & ~0x20) == 'N' || (c & ~0x20) == 'B' ||
           (c & ~0x20) == 'I';
}

// The literal at the scan is added to or taken from, or what it is added to: {:} + 5, n + {:}.
bool Scanner::in_sum(const DateLiteral &literal) {
    std::size_t at = pos_ + literal.length;
    while (at < work_.length() && lex::is_blank(work_.at(at))) ++at;
    if (at < work_.length() && (work_.at(at) == '+' || work_.at(at) == '-')) return true;
    const Text *sink = clauses_.current_sink();
    const std::string_view written = sink == nullptr ? std::string_view{} : lex::trimmed(sink->view());
    return !written.empty() && (written.back() == '+' || written.back() == '-');
}

// The clause written so far ends with an operator (d = {}, x + {}): the literal at the scan is its operand.
bool Scanner::operand_of_operator() {
    const Text *sink = clauses_.current_sink();
    if (sink == nullptr) return false;
    const std::string_view written = lex::trimmed(sink->view());
    return !written.empty() && std::string_view("=<>!#+-*/%^").find(written.back()) != std::string_view::npos;
}

// The empty date is NULL in the target: "= NULL" or "<= NULL" written before it becomes "IS NULL", and
// "<>", "!=" or ">" "IS NOT", so that d = {} and d <= {} find the empty dates as in FoxPro and d > {}
// the others. False where no comparison's operator stands before it.
bool Scanner::compare_with_null() {
    Text *sink = clauses_.current_sink();
    if (!sink) return false;
    std::size_t end = sink->size();
    while (end > 0 && lex::is_blank((*sink)[end - 1])) --end;
    if (end == 0) return false;
    const char last = (*sink)[end - 1];
    const char before = end > 1 ? (*sink)[end - 2] : '\0';
    std::string_view test;
    std::size_t length = 0;
    if (last == '=' && before != '<' && before != '>' && before != '!') test = "IS", length = 1;
    else if (last == '=' && before == '<') test = "IS", length = 2;  // d <= {} holds for the empty date only
    else if ((last == '>' && before == '<') || (last == '=' && before == '!')) test = "IS NOT", length = 2;
    else if (last == '>') test = "IS NOT", length = 1;
    if (test.empty()) return std::string_view("=<>#").find(last) != std::string_view::npos;  // d < {}: as written
    const bool blank_before = end - length > 0 && lex::is_blank((*sink)[end - length - 1]);
    const bool blank_after = end < sink->size();
    std::string written = blank_before ? "" : " ";
    written.append(test);
    if (!blank_after) written.push_back(' ');
    sink->replace(end - length, length, written);
    return true;
}

// Removes every blank and tab after the blank at the position, so that one blank remains.
void Scanner::collapse_blanks() {
    std::size_t end = pos_ + 1;
    while (end < work_.length() && lex::is_blank(work_.at(end))) ++end;
    if (end == pos_ + 1) return;
    anchor();
    work_.erase(pos_ + 1, end - pos_ - 1);
}

// ?name or ?(expression): written as it stands, never quoted; in FoxPro syntax alone as a condition
// it is a logical variable and gets "=1" (see equals_one).
void Scanner::host_variable() {
    std::size_t start = pos_;
    std::size_t end = pos_ + 1;
    while (end < work_.length() && lex::is_blank(work_.at(end))) ++end;
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
            if (!lex::is_word_char(session_.letters, c) && c != '.') break;
            ++end;
        }
    }
    std::string_view run = work_.slice(start, end - start);
    if (session_.from_fox && !dialect_.upper_everything) {
        const lex::Alphabet &letters = session_.letters;
        // names in upper case; the strings of an expression ?(m.x + 'abc') as written
        char quote = 0, before = 0;
        auto upper_outside_strings = [&letters, &quote, &before](char c) {
            char out = c;
            if (quote != 0) {
                if (c == quote) quote = 0;
            } else if (c == '\'' || c == '"') {
                quote = c;
            } else if (c == '[' && !lex::is_word_char(letters, before) && before != ')' && before != ']') {
                quote = ']';  // laX[1] is a subscript, [abc] a string
            } else {
                out = letters.upper(c);
            }
            before = c;
            return out;
        };
        if (Text *sink = clauses_.current_sink()) sink->append_mapped(run, upper_outside_strings);
    } else {
        emit(run);
    }
    pos_ = end;
    // FoxPro's logical variable alone as a condition (WHERE m.lAll OR x = 1) is compared with true,
    // as a logical field is
    if (session_.from_fox && !previous_is("LIKE") && condition_operand_possible() && clauses_.current_sink()) {
        word_start_ = start;
        length_ = end - start;
        equals_one();
    }
    remember_previous("?");
}

// The text before the member's first clause, up to 'end', is no part of any clause: unless it is
// only blanks (the parentheses of a member read again), it is kept as written, to stand in front of
// the clauses (INSERT INTO t SELECT ..., text that is no SELECT at all), not dropped.
void Scanner::keep_lead(std::size_t end) {
    const std::string_view settled = work_.settled();
    const std::string_view live = work_.slice(work_.base(), end - work_.base());
    if (lex::trimmed(settled).empty() && lex::trimmed(live).empty()) return;
    clauses_.lead = Text::obtain(settled.size() + live.size(), "Insufficient memory for SELECT");
    clauses_.lead.append(settled);
    clauses_.lead.append(live);
    while (!clauses_.lead.empty() && lex::is_blank(clauses_.lead.back())) clauses_.lead.truncate(clauses_.lead.size() - 1);
}

// The end of the member: WHERE closed, the row limit placed.
void Scanner::end_member() {
    if (held_having_) {
        Text &group = clauses_.group();
        group.set_message("Insufficient memory for GROUP BY");
        if (held_at_ < group.size()) {
            group.insert(held_at_, held_having_.view());
            if (held_having_.back() != ' ') group.insert(held_at_ + held_having_.size(), " ");
        } else {
            if (group.back() != ' ') group.push(' ');
            group.append(held_having_.view());
        }
        held_having_.release();
        held_at_ = static_cast<std::size_t>(-1);
    }
    Text &where = clauses_.where();
    if (where && !dialect_.where_close.empty()) {
        where.set_message("Insufficient memory for WHERE");
        where.append(dialect_.where_close);
    }
    if (!row_limit_ || row_limit_.empty()) return;
    if (percent_) {  // FETCH FIRST n PERCENT ROWS ONLY ends the member
        int last = 5;
        while (last > 0 && (last == 1 || !clauses_.buffers[last])) --last;
        Text &tail = clauses_.buffers[last];
        tail.set_message("Insufficient memory for Order By");
        tail.push(' ');
        tail.append(row_limit_.view());
    } else if (dialect_.top == TopPlace::where_limit) {
        if (clauses_.order()) {  // the limit applies after the ordering: the member is wrapped
            clauses_.wrap = std::move(row_limit_);
        } else if (where) {
            where.set_message("Insufficient memory for WHERE");
            where.append(" AND ");
            where.append(row_limit_.view());
        } else {
            where = Text::obtain(6 + row_limit_.size(), "Insufficient memory for WHERE");
            where.append("WHERE ");
            where.append(row_limit_.view());
            clauses_.make_current(Clause::where);
        }
    } else if (dialect_.top == TopPlace::order_limit && clauses_.order()) {
        Text &order = clauses_.order();
        order.set_message("Insufficient memory for Order By");
        order.push(' ');
        order.append(row_limit_.view());
    }
}

}  // namespace tarnvel::select
