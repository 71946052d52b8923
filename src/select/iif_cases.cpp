// The CASEs the IIF rewrite opened: which CASE words at such a CASE's level are its own. The
// rewrite put THEN, ELSE and END in the place of the call's commas and ")"; any other CASE word
// read at that level was written by the user as a name (IIF(else = 'a', n, 0)).
#include "select/scanner.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/scan.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tarnvel::select {

namespace {

constexpr std::array<std::string_view, 3> iif_words{"THEN", "ELSE", "END"};
constexpr std::array<char, 3> iif_marks{'t', 'e', 'n'};  // the marks the keyword rows give them

// Words that end an operand: met at CASE's level before any WHEN, they show CASE to be a name.
constexpr std::array<std::string_view, 20> operand_ends{
    "FROM", "WHERE", "AS",   "IS",   "IN",  "BETWEEN", "LIKE",  "AND",   "OR",    "NOT",
    "THEN", "ELSE",  "END",  "INTO", "ORDER", "GROUP", "HAVING", "UNION", "ESCAPE", "ON"};

}  // namespace

// At the starts of the three words, read after all three edits (each later edit lies beyond the
// earlier words); the CASE itself is the top of the stack.
void Scanner::push_iif_case(std::size_t then_at, std::size_t else_at, std::size_t end_at) {
    const std::size_t length = work_.length();
    iif_cases_.push_back({cases_.size() - 1, {length - then_at, length - else_at, length - end_at}, 0});
}

// The innermost open CASE is one the IIF rewrite opened.
bool Scanner::at_iif_level() {
    while (!iif_cases_.empty() && iif_cases_.back().level >= cases_.size()) iif_cases_.pop_back();
    return !iif_cases_.empty() && iif_cases_.back().level + 1 == cases_.size();
}

// 'word' starts at 'distance' from the end of the text, as a word of its own.
bool Scanner::word_at_distance(std::size_t distance, std::string_view word) const {
    const std::size_t length = work_.length();
    if (distance > length || length - distance < work_.base() + 1 || distance < word.size()) return false;
    const std::size_t at = length - distance;
    if (lex::is_item_char(session_.letters, work_.at(at - 1))) return false;
    if (!session_.letters.is_upper_word(work_.slice(at, word.size()), word)) return false;
    return distance == word.size() || !lex::is_item_char(session_.letters, work_.at(at + word.size()));
}

// A CASE word ('c' CASE, 'w' WHEN, 't' THEN, 'e' ELSE, 'n' END) at the level of an IIF's CASE: kept
// where it is the word the CASE waits for, quoted elsewhere. Pass: the usual rule decides (a CASE
// the user opened inside the IIF; or an edit beyond the awaited word moved it, which leaves this
// CASE to the usual rules from here on).
Scanner::Verdict Scanner::iif_case_word(char mark) {
    IifCase &open = iif_cases_.back();
    const std::size_t awaited = open.words[open.next];
    if (mark == iif_marks[open.next] && work_.length() - (pos_ - length_) == awaited) {
        if (mark == 'n') {
            cases_.truncate(cases_.size() - 1);
            iif_cases_.pop_back();
        } else {
            cases_.set(cases_.size() - 1, mark);
            case_word_at_ = pos_ - length_;
            ++open.next;
        }
        bound_ends();
        return Verdict::keep;
    }
    if (!word_at_distance(awaited, iif_words[open.next])) {
        iif_cases_.pop_back();
        return Verdict::pass;
    }
    if (mark != 'c') return Verdict::quote;
    std::size_t after = pos_;  // CASE right before the awaited word opens nothing
    while (after < work_.length() && lex::is_blank(work_.at(after))) ++after;
    return work_.length() - after == awaited ? Verdict::quote : Verdict::pass;
}

// CASE opens an expression: a WHEN follows at its level before a comma, the ")" of its group or
// a word that ends an operand (SELECT case FROM t, WHERE case IS NULL name a field). The first word
// after it may be such a name: CASE else WHEN 1 ... tests a field called ELSE.
bool Scanner::case_opens() const {
    const std::string_view t = text();
    const lex::Alphabet &letters = session_.letters;
    lex::Cursor cursor(t, pos_ - work_.base(), session_.source);
    bool first = true;
    while (!cursor.done() && cursor.depth() >= 0) {
        const std::size_t at = cursor.at();
        if (cursor.depth() > 0 || !lex::is_item_char(letters, t[at])) {
            if (cursor.depth() == 0 && t[at] == ',') return false;
            cursor.step();
            continue;
        }
        std::size_t end = at;
        while (end < t.size() && lex::is_item_char(letters, t[end])) ++end;
        const std::string_view word = t.substr(at, end - at);
        if (letters.is_upper_word(word, "WHEN")) return true;
        const bool ends = std::ranges::any_of(operand_ends, [&](std::string_view w) { return letters.is_upper_word(word, w); });
        if (ends && !std::exchange(first, false)) return false;
        first = false;
        cursor.skip_to(end);
    }
    return false;
}

// The word before this one (blanks and "(" between) is a CASE, WHEN, THEN or ELSE kept as a CASE's word.
bool Scanner::after_case_word() const {
    if (case_word_at_ == static_cast<std::size_t>(-1)) return false;
    std::size_t at = pos_ - length_;
    while (at > work_.base() && (lex::is_blank(work_.at(at - 1)) || work_.at(at - 1) == '(')) --at;  // WHEN (else ...
    while (at > work_.base() && lex::is_item_char(session_.letters, work_.at(at - 1))) --at;
    return at == case_word_at_;
}

}  // namespace tarnvel::select
