#include "select/date_condition.h"

#include "lex/classes.h"

namespace tarnvel::select {
namespace {

enum class Op { eq, ne, lt, le, gt, ge };

struct Operator {
    std::string_view text;
    Op op;
    std::string_view mirrored;  // the operator with the operands swapped
};
// Two-character forms first. FoxPro's # is "not equal", == the exact "equal".
constexpr Operator operators[] = {
    {"==", Op::eq, "=="}, {"<=", Op::le, ">="}, {">=", Op::ge, "<="}, {"<>", Op::ne, "<>"}, {"!=", Op::ne, "!="},
    {"=", Op::eq, "="},   {"#", Op::ne, "#"},   {"<", Op::lt, ">"},   {">", Op::gt, "<"},
};

// Words after a name that continue its operand or make another test of it: the name does not end
// the comparison there.
constexpr std::string_view continuing_words[] = {"IS", "LIKE", "IN", "BETWEEN", "NOT", "COLLATE", "ESCAPE"};
// Words that stand where a name would and are no field: the comparison is left as written.
constexpr std::string_view value_words[] = {"NULL", "ALL", "ANY", "SOME", "SELECT", "NOT", "EXISTS",
                                            "CASE", "TRUE", "FALSE", "DATE", "TIMESTAMP"};

// Characters of an operator that would bind a literal or a name closer than the comparison.
constexpr std::string_view binding = "+-*/%^=<>!#$|(.[";

std::size_t blanks_from(std::string_view text, std::size_t at) {
    while (at < text.size() && lex::is_blank(text[at])) ++at;
    return at;
}

template <std::size_t N>
bool listed(const lex::Alphabet &letters, std::string_view word, const std::string_view (&words)[N]) {
    for (const std::string_view w : words) {
        if (letters.is_upper_word(word, w)) return true;
    }
    return false;
}

// The word 'w' at 'at' (any case, not followed by a letter, digit or _): moves 'at' past it.
bool take_word(const lex::Alphabet &letters, std::string_view text, std::size_t &at, std::string_view w) {
    const std::size_t end = at + w.size();
    if (end > text.size() || !letters.is_upper_word(text.substr(at, w.size()), w)) return false;
    if (end < text.size() && lex::has_class(text[end], lex::CharClass::ascii_letter | lex::CharClass::digit | lex::CharClass::word)) {
        return false;
    }
    at = blanks_from(text, end);
    return true;
}

const Operator *operator_at(std::string_view text, std::size_t at) {
    for (const Operator &o : operators) {
        if (text.substr(at, o.text.size()) == o.text) return &o;
    }
    return nullptr;
}

// A date literal's place among dates: the empty date below every day, a day at its midnight.
struct Moment {
    bool read = false;
    bool empty = false;
    long long value = -1;
};

// The literal 'd' read at 'at', which moves past it and its blanks.
Moment moment_of(const DateLiteral &d, std::string_view text, std::size_t &at) {
    if (d.kind != DateLiteral::empty && d.kind != DateLiteral::date && d.kind != DateLiteral::datetime) return {};
    at = blanks_from(text, at + d.length);
    if (d.kind == DateLiteral::empty) return {true, true, -1};
    const long long day = (d.year * 100LL + d.month) * 100 + d.day;
    return {true, false, ((day * 100 + d.hour) * 100 + d.minute) * 100 + d.second};
}

// The literal at 'at', which moves past it and its blanks.
Moment moment_at(std::string_view text, std::size_t &at) {
    if (at >= text.size() || text[at] != '{') return {};
    return moment_of(read_date_literal(text.substr(at)), text, at);
}

bool compared(Op op, long long a, long long b) {
    switch (op) {
    case Op::eq: return a == b;
    case Op::ne: return a != b;
    case Op::lt: return a < b;
    case Op::le: return a <= b;
    case Op::gt: return a > b;
    case Op::ge: return a >= b;
    }
    return false;
}

// BETWEEN low AND high, or IN (a, b, ...) from 'at' (past the tested literal and any NOT): whether
// 'tested' lies in the range or the list, and whether an empty date stands among them.
bool range_holds(const lex::Alphabet &letters, std::string_view text, std::size_t &at, const Moment &tested,
                 bool &any_empty, bool &read) {
    read = false;
    if (take_word(letters, text, at, "BETWEEN")) {
        const Moment low = moment_at(text, at);
        if (!low.read || !take_word(letters, text, at, "AND")) return false;
        const Moment high = moment_at(text, at);
        read = high.read;
        any_empty = low.empty || high.empty;
        return low.value <= tested.value && tested.value <= high.value;
    }
    if (!take_word(letters, text, at, "IN") || at >= text.size() || text[at] != '(') return false;
    at = blanks_from(text, at + 1);
    bool found = false;
    for (Moment m = moment_at(text, at); m.read; m = moment_at(text, at)) {
        any_empty = any_empty || m.empty;
        found = found || m.value == tested.value;
        if (at < text.size() && text[at] == ')') {
            at = blanks_from(text, at + 1);
            read = true;
            return found;
        }
        if (at >= text.size() || text[at] != ',') return false;
        at = blanks_from(text, at + 1);
    }
    return false;
}

}  // namespace

std::size_t date_literal_condition(std::string_view text, const DateLiteral &first, const lex::Alphabet &letters,
                                   bool &holds) {
    std::size_t at = 0;
    const Moment left = moment_of(first, text, at);
    if (!left.read || at >= text.size()) return 0;
    bool any_empty = left.empty, read = false;
    if (const Operator *o = operator_at(text, at)) {
        at = blanks_from(text, at + o->text.size());
        const Moment right = moment_at(text, at);
        read = right.read;
        any_empty = any_empty || right.empty;
        holds = compared(o->op, left.value, right.value);
    } else if (take_word(letters, text, at, "IS")) {  // a date literal is no .NULL.
        holds = take_word(letters, text, at, "NOT");
        read = take_word(letters, text, at, "NULL");
    } else {
        const bool negated = take_word(letters, text, at, "NOT");
        holds = range_holds(letters, text, at, left, any_empty, read) != negated;
    }
    if (!read || !any_empty || (at < text.size() && binding.find(text[at]) != std::string_view::npos)) return 0;
    while (lex::is_blank(text[at - 1])) --at;
    return at;
}

std::string mirrored_empty_date_comparison(std::string_view text, const lex::Alphabet &letters, std::size_t &length) {
    const auto word_char = [&letters](char c) { return lex::is_word_char(letters, c); };
    std::size_t at = 0;
    if (!moment_at(text, at).empty || at >= text.size()) return {};
    const Operator *o = operator_at(text, at);
    if (o == nullptr) return {};
    const std::size_t name = blanks_from(text, at + o->text.size());
    std::size_t end = name;
    while (end < text.size() && (word_char(text[end]) || text[end] == '.')) ++end;
    if (end == name || lex::is_digit(text[name]) || text[end - 1] == '.' || listed(letters, text.substr(name, end - name), value_words)) return {};
    const std::size_t next = blanks_from(text, end);
    if (next < text.size() && binding.find(text[next]) != std::string_view::npos) return {};
    std::size_t word_end = next;
    while (word_end < text.size() && word_char(text[word_end])) ++word_end;
    if (listed(letters, text.substr(next, word_end - next), continuing_words)) return {};
    std::string swapped(text.substr(name, end - name));
    swapped.append(" ").append(o->mirrored).append(" ").append(text.substr(0, text.find('}') + 1));
    length = end;
    return swapped;
}

}  // namespace tarnvel::select
