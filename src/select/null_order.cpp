#include "select/null_order.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/literals.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Words that join or test operands inside one key: a word after an operand that is none of these
// ends the key (NULL and the like after IS, NOT, a joining word start an operand).
constexpr std::string_view expression_words[] = {"AND", "OR", "IS", "LIKE", "IN", "NOT", "BETWEEN", "COLLATE", "ESCAPE", "OVER"};

bool among(const lex::Alphabet &letters, std::string_view word, std::span<const std::string_view> words) {
    for (std::string_view w : words) {
        if (letters.is_upper_word(word, w)) return true;
    }
    return false;
}

// One key: where its NULLS option goes (npos: it takes none), which, and where the next key starts
// (npos: the list ends).
struct Key {
    std::size_t at = npos;
    bool descending = false;
    std::size_t next = npos;
};

// Reads one key of the ORDER BY text, a token at a time at depth zero (a parenthesised group and a
// quoted run are one operand; CASE ... END one part of the key).
class KeyReader {
public:
    KeyReader(const lex::Alphabet &letters, std::string_view text, lex::LiteralRules rules)
        : letters_(letters), text_(text), rules_(rules) {}

    Key read(std::size_t from) {
        for (std::size_t i = from; i < text_.size() && !ended_;) {
            const char c = text_[i];
            if (lex::is_blank(c)) {
                blank_ = true;
                ++i;
            } else if (c == ',' && case_depth_ == 0) {
                key_.next = i + 1;
                break;
            } else {
                i = token(i);
            }
        }
        if (nulls_) key_.at = npos;
        return key_;
    }

private:
    std::size_t after(std::size_t next, bool operand) {
        operand_ = operand;
        blank_ = false;
        return next;
    }
    // One token from i: a group, a quoted run, a word or a number, an operator character.
    std::size_t token(std::size_t i) {
        const char c = text_[i];
        if (c == '(') {
            lex::Cursor cursor(text_, i + 1, rules_);
            const std::size_t close = cursor.group_end();
            return operand_end(close == npos ? text_.size() : close + 1);
        }
        const lex::Pos run = lex::run_end(text_, static_cast<lex::Pos>(i), rules_);
        if (static_cast<std::size_t>(run) != i) {
            if (word_ends_key()) return stop();
            return operand_end(static_cast<std::size_t>(run) + 1 < text_.size() ? static_cast<std::size_t>(run) + 1 : text_.size());
        }
        if (!lex::is_item_char(letters_, c)) return after(i + 1, false);
        std::size_t end = i + 1;
        while (end < text_.size() && lex::is_item_char(letters_, text_[end])) ++end;
        return word(i, end);
    }
    std::size_t word(std::size_t i, std::size_t end) {
        const std::string_view w = text_.substr(i, end - i);
        if (letters_.is_upper_word(w, "CASE")) ++case_depth_;
        if (case_depth_ > 0) {
            if (letters_.is_upper_word(w, "END")) --case_depth_;
            return case_depth_ == 0 ? operand_end(end) : after(end, false);
        }
        if (among(letters_, w, expression_words)) return after(end, false);
        if (!word_ends_key()) return operand_end(end);
        if (!closed_ && letters_.is_upper_word(w, "NULLS")) {  // written already: FIRST or LAST follows
            nulls_ = closed_ = true;
            return after(end, false);
        }
        if (closed_ || (!letters_.is_upper_word(w, "ASC") && !letters_.is_upper_word(w, "DESC"))) return stop();
        key_.at = end;
        key_.descending = letters_.is_upper_word(w, "DESC");
        closed_ = true;
        return after(end, true);
    }
    // A word or a quoted run after an operand and a blank, outside CASE, that joins nothing.
    bool word_ends_key() const { return operand_ && blank_ && case_depth_ == 0; }
    std::size_t operand_end(std::size_t end) {
        if (!closed_) key_.at = end;
        return after(end, true);
    }
    // The list ends before this word: a row limit, a FoxPro destination.
    std::size_t stop() {
        ended_ = true;
        return text_.size();
    }

    const lex::Alphabet &letters_;
    std::string_view text_;
    lex::LiteralRules rules_;
    Key key_;
    int case_depth_ = 0;
    bool operand_ = false, blank_ = false, closed_ = false, nulls_ = false, ended_ = false;
};

std::size_t blanks_from(std::string_view text, std::size_t i) {
    while (i < text.size() && lex::is_blank(text[i])) ++i;
    return i;
}

// Most keys are a name (quoted names too) or a position, with ASC or DESC after it: read without
// the reader. 'plain' false when the key is anything else.
Key plain_key(const lex::Alphabet &letters, std::string_view text, std::size_t from, char quote, bool &plain) {
    const auto item_end = [&](std::size_t i) {
        for (; i < text.size(); ++i) {
            if (text[i] == quote) i = std::min(text.find(quote, i + 1), text.size() - 1);
            else if (!lex::is_item_char(letters, text[i])) break;
        }
        return i;
    };
    Key key;
    const std::size_t start = blanks_from(text, from);
    key.at = item_end(start);
    if (key.at == start) return key;
    std::size_t next = blanks_from(text, key.at);
    if (const std::size_t word_end = item_end(next); word_end > next) {  // ASC or DESC, else no plain key
        const std::string_view word = text.substr(next, word_end - next);
        key.descending = letters.is_upper_word(word, "DESC");
        if (!key.descending && !letters.is_upper_word(word, "ASC")) return key;
        key.at = word_end;
        next = blanks_from(text, word_end);
    }
    if (next < text.size() && text[next] != ',') return key;
    plain = true;
    key.next = next < text.size() ? next + 1 : npos;
    return key;
}

}  // namespace

void null_order_pass(Session &session, Clauses &clauses) {
    Text &order = clauses.order();
    constexpr std::string_view head = "ORDER BY ";
    if (!order || !order.view().starts_with(head)) return;
    order.set_message("Insufficient memory for ORDER BY");
    for (std::size_t from = head.size(); from != npos;) {
        bool plain = false;
        Key key = plain_key(session.letters, order.view(), from, session.dialect.quote_close, plain);
        if (!plain) key = KeyReader(session.letters, order.view(), clause_literals(session.dialect)).read(from);
        from = key.next;
        if (key.at == npos) continue;
        const std::string_view option = key.descending ? " NULLS LAST" : " NULLS FIRST";
        order.insert(key.at, option);
        if (from != npos) from += option.size();
    }
}

}  // namespace tarnvel::select
