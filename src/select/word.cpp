// Deciding a word: its keyword form, the decision chain, how it is written, and the "=1" rule.
#include "select/scanner.h"

#include <algorithm>
#include <cstring>

namespace tarnvel::select {
namespace {

bool item_char(const lex::Alphabet &letters, char c) {
    return c == '.' || c == '_' || c == '~' || c == '?' || c == '#' || letters.letter(c) || (c >= '0' && c <= '9');
}

}  // namespace

// Settles the work copy up to two characters before the item run that holds the word (or the
// position), the farthest back any test can look from here on.
void Scanner::anchor() {
    std::size_t at = collecting_ || length_ > 0 ? std::min(word_start_, pos_) : pos_;
    while (at > work_.base() && item_char(session_.letters, work_.at(at - 1))) --at;
    at = at >= 2 ? at - 2 : 0;
    if (at > work_.base()) work_.settle(at);
}

bool Scanner::view_is_whole() const {
    if (work_.base() == 0) return true;
    std::size_t at = pos_ - length_;
    if (at < work_.base()) return false;
    while (at > work_.base() && item_char(session_.letters, work_.at(at - 1))) --at;
    return at >= work_.base() + 2;
}

void Scanner::remember_previous(std::string_view keyword) {
    previous_length_ = keyword.size();
    std::memcpy(previous_.data(), keyword.data(), std::min(keyword.size(), previous_.size()));
}

bool Scanner::previous_is(std::string_view keyword) const {
    return previous_length_ == keyword.size() && keyword.size() <= previous_.size() &&
           std::memcmp(previous_.data(), keyword.data(), keyword.size()) == 0;
}

void Scanner::process_word(std::size_t start) {
    word_start_ = start;
    length_ = pos_ - start;
    matched_ = quote_ = drop_ = moved_ = false;
    name_ = {};
    std::size_t end = pos_;  // rows may move the position; the tests after them look from here
    Sink &word = session_.word;
    word.clear();
    word.append(work_.slice(start, length_));
    session_.letters.upper_in_place(word.data(), word.size());
    if (type_word_) {  // inserted by a row: written as it stands
        type_word_ = false;
        matched_ = true;
    } else {
        run_chain();
    }
    std::size_t resume = pos_;
    pos_ = end;
    write_word();
    if (hold_ > 0 && (pos_ >= work_.length() || work_.at(pos_) != '.')) --hold_;
    pos_ = resume;
    length_ = 0;
}

void Scanner::run_chain() {
    const RowSet *found = dialect_.lexicon.find(session_.word.view());
    if (!found) return;
    const RowSet &rows = *found;
    for (std::uint8_t i = 0; i < rows.count; ++i) {
        Verdict verdict = apply(dialect_.chain[rows.rows[i]]);
        if (verdict == Verdict::pass) continue;
        matched_ = true;
        quote_ = verdict == Verdict::quote;
        drop_ = verdict == Verdict::drop;
        return;
    }
}

Scanner::Verdict Scanner::apply(const ChainRow &row) {
    if (row.row == Row::function) return function_row(*row.function);
    return keyword_row(row.row);
}

void Scanner::write_word() {
    std::string_view keyword = name_.data() ? name_ : session_.word.view();
    remember_previous(keyword);
    if (drop_) return;
    bool written_case = !session_.from_fox && !dialect_.upper_everything && (!matched_ || quote_);
    std::string_view text = written_case ? work_.slice(word_start_, length_) : keyword;
    if (Sink *sink = clauses_.current_sink()) {
        if (quote_) sink->push(dialect_.quote_open);
        sink->append(text);
        if (quote_) sink->push(dialect_.quote_close);
        equals_one();
    }
}

// "=1" after a bare logical operand in a condition.
void Scanner::equals_one() {
    if (matched_ && !quote_) return;
    if (hold_ > 0 || between_ > 0) return;
    char clause = clauses_.current;
    char top = cases_.empty() ? ' ' : cases_.back();
    if (clause == 's') {
        if (cases_.empty() || top != 'w') return;
    } else if (clause == 'w') {
        if (!cases_.empty() && top != 'w') return;
    } else {
        return;
    }
    std::string_view t = text();
    if (lex::list_item(t, here(), wlen())) return;
    if (lex::followed_by_operator(t, here(), dialect_.edges)) return;
    if (lex::followed_by_predicate(t, here()) || words_follow(pos_, {"IS", "NOT", "NULL"})) return;
    if (lex::preceded_by_operator(t, here(), wlen(), dialect_.edges)) return;
    clauses_.current_sink()->append("=1");
}

// The words follow the position, each after blanks or tabs, compared in upper case, the last one
// ending the item.
bool Scanner::words_follow(std::size_t at, std::initializer_list<std::string_view> words) const {
    for (std::string_view w : words) {
        if (at >= work_.length() || !(work_.at(at) == ' ' || work_.at(at) == '\t')) return false;
        while (at < work_.length() && (work_.at(at) == ' ' || work_.at(at) == '\t')) ++at;
        for (char letter : w) {
            if (at >= work_.length() || session_.letters.upper(work_.at(at)) != letter) return false;
            ++at;
        }
    }
    return at >= work_.length() || !item_char(session_.letters, work_.at(at));
}

}  // namespace tarnvel::select
