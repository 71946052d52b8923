#include "utilities/reserved.h"

#include "host/state.h"
#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/keywords.h"
#include "lex/letters.h"
#include "lex/scan.h"

#include <tarnvel/dialects.hpp>

#include <array>
#include <cstddef>

namespace tarnvel::utilities {
namespace {

using lex::Pos;

// What differs between the dialects: the two lists searched, the quotes written, the members of
// the operand tests, and a further quote whose names are left alone (MySQL's backquote).
struct QuotingDialect {
    lex::KeywordList reserved;
    lex::KeywordList clause;
    char open;
    char close;
    const lex::EdgeQuotes *edges;
    char name_quote;  // 0 for none
    std::string_view more;  // the further words the dialect's SELECT conversion quotes, where no call follows
    bool upper;  // quoted names are case-sensitive: written upper case, as the field lists and SELECTs write them
};

// In the order of the registry rows' reserved_number.
constexpr auto dialects = std::to_array<QuotingDialect>({
    {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause, '[', ']', &lex::sqlserver_edges, 0,
     lex::sqlserver_more_quoted, false},
    {lex::KeywordList::oracle_reserved, lex::KeywordList::oracle_clause, '"', '"', &lex::oracle_edges, 0,
     lex::oracle_more_quoted, true},
    {lex::KeywordList::mysql_reserved, lex::KeywordList::mysql_clause, '`', '`', &lex::mysql_edges, '`',
     lex::mysql_more_quoted, false},
    {lex::KeywordList::access_reserved, lex::KeywordList::access_clause, '[', ']', &lex::access_edges, 0,
     lex::access_more_quoted, false},
    {lex::KeywordList::pgsql_reserved, lex::KeywordList::pgsql_clause, '"', '"', &lex::pgsql_edges, 0,
     lex::pgsql_more_quoted, true},
});
static_assert(dialects.size() == dialect_count, "a quoting row for every dialect");

struct Span {
    Pos begin = 0;
    Pos end = 0;
};

struct Scan {
    std::string_view text;     // the text without its terminator
    std::string_view bounded;  // the same with its NUL: the end of the text ends the bounds of the tests after a word
    const QuotingDialect &dialect;
    const lex::Alphabet &abc;
    char clause;  // the clause in which the last SELECT conversion ended

    char at(Pos i) const { return i >= 0 && i < static_cast<Pos>(text.size()) ? text[static_cast<std::size_t>(i)] : '\0'; }
    bool word_char(char c) const { return lex::is_name_char(abc, c); }
    const lex::EdgeQuotes &edges() const { return *dialect.edges; }

    bool is(Span w, std::string_view upper_word) const {
        if (w.end - w.begin != static_cast<Pos>(upper_word.size())) return false;
        for (std::size_t k = 0; k < upper_word.size(); ++k)
            if (abc.upper(text[static_cast<std::size_t>(w.begin) + k]) != upper_word[k]) return false;
        return true;
    }
    // The word after 'pos' behind blanks and tabs (empty when something else stands there).
    Span word_after(Pos pos) const {
        while (lex::is_blank(at(pos))) ++pos;
        Span w{pos, pos};
        while (w.end < static_cast<Pos>(text.size()) && word_char(at(w.end))) ++w.end;
        return w;
    }
    // The last character before 'pos' that is not a blank or tab (-1 when there is none).
    Pos before_blanks(Pos pos) const {
        --pos;
        while (pos >= 0 && lex::is_blank(at(pos))) --pos;
        return pos;
    }
    // The word that ends at 'last' (inclusive).
    Span word_ending_at(Pos last) const {
        Span w{last + 1, last + 1};
        while (w.begin > 0 && word_char(at(w.begin - 1))) --w.begin;
        return w;
    }
    Span word_before(Pos pos) const { return word_ending_at(before_blanks(pos)); }

    bool preceded_by_operand(Span w, bool dot) const {
        // 's': the host's letter of the select list
        const lex::Star star = clause == 's' ? lex::Star::operand : lex::Star::product;
        return lex::preceded_by_operand(text, w.end, w.end - w.begin, edges(), dot, star);
    }
    bool followed_by_operand(Span w, bool dot) const { return lex::followed_by_operand(bounded, w.end, edges(), dot); }
    bool between_dots(Span w) const { return at(w.begin - 1) == '.' && at(w.end) == '.'; }
};

// The operator and predicate words, and where they stand as operators (then they stay bare).
bool joins_operands(const Scan &s, Span w) {  // AND, OR
    return s.between_dots(w) || (s.preceded_by_operand(w, true) && s.followed_by_operand(w, true));
}
bool negates(const Scan &s, Span w) {  // NOT
    return s.between_dots(w) || s.preceded_by_operand(w, false) || s.followed_by_operand(w, false);
}
bool compares(const Scan &s, Span w) {  // LIKE, BETWEEN
    return s.preceded_by_operand(w, false) && s.followed_by_operand(w, false);
}
bool tests_null(const Scan &s, Span w) {  // IS NULL, IS NOT NULL
    Span next = s.word_after(w.end);
    if (s.is(next, "NOT")) next = s.word_after(next.end);
    return s.is(next, "NULL");
}
bool is_null_value(const Scan &s, Span w) {  // NULL after IS, IS NOT, "=" or "<>"
    Pos last = s.before_blanks(w.begin);
    if (last < 0) return false;
    if (s.at(last) == '=' || (s.at(last) == '>' && s.at(last - 1) == '<')) return true;
    Span previous = s.word_ending_at(last);
    if (s.is(previous, "NOT")) previous = s.word_before(previous.begin);
    return s.is(previous, "IS");
}
bool opens_list(const Scan &s, Span w) {  // IN
    return lex::followed_by_open_paren(s.bounded, w.end) && s.preceded_by_operand(w, false);
}
bool opens_subquery(const Scan &s, Span w) {  // EXISTS
    return lex::followed_by_open_paren(s.bounded, w.end);
}

struct OperatorWord {
    std::string_view word;
    bool (*stands_as_operator)(const Scan &, Span);
};

constexpr std::array<OperatorWord, 9> operator_words{{
    {"AND", joins_operands},
    {"OR", joins_operands},
    {"NOT", negates},
    {"LIKE", compares},
    {"BETWEEN", compares},
    {"IS", tests_null},
    {"NULL", is_null_value},
    {"IN", opens_list},
    {"EXISTS", opens_subquery},
}};

bool stands_as_operator(const Scan &s, Span w, std::string_view upper_word) {
    for (const OperatorWord &op : operator_words)
        if (op.word == upper_word) return op.stands_as_operator(s, w);
    return false;
}

bool needs_quotes(const Scan &s, Span w) {
    auto length = static_cast<std::size_t>(w.end - w.begin);
    if (length > longest_keyword) return false;
    std::array<char, longest_keyword> upper{};
    for (std::size_t k = 0; k < length; ++k) upper[k] = s.abc.upper(s.text[static_cast<std::size_t>(w.begin) + k]);
    std::string_view word(upper.data(), length);
    if (stands_as_operator(s, w, word)) return false;
    return lex::keyword_in_list(s.dialect.reserved, word) || lex::keyword_in_list(s.dialect.clause, word) ||
           (lex::comma_list_has(s.dialect.more, word) && !lex::followed_by_open_paren(s.bounded, w.end));
}

// The output: the text copied up to each word that needs quotes, then the word in quotes.
struct Quoter {
    const Scan &s;
    Text &out;
    Pos copied = 0;  // the text before this index is in 'out'

    void word(Span w) {
        if (!needs_quotes(s, w)) return;
        out.append(s.text.substr(static_cast<std::size_t>(copied), static_cast<std::size_t>(w.begin - copied)));
        out.push(s.dialect.open);
        for (Pos k = w.begin; k < w.end; ++k) {
            const char c = s.text[static_cast<std::size_t>(k)];
            out.push(s.dialect.upper ? s.abc.upper(c) : c);
        }
        out.push(s.dialect.close);
        copied = w.end;
    }
    void finish() { out.append(s.text.substr(static_cast<std::size_t>(copied))); }
};

}  // namespace

void quote_reserved(const Text &text, int code, Text &out) {
    std::string_view all = text.view();
    if (code < 0 || code >= static_cast<int>(dialects.size())) {
        out.append(all);
        return;
    }
    const Scan s{all, std::string_view(text.c_str(), all.size() + 1), dialects[static_cast<std::size_t>(code)],
                 lex::Alphabet::current(), state::last_clause()};
    Quoter quoter{s, out};
    // Strings, bracketed names (to the first "]") and the dialect's own name quote are passed whole.
    const lex::LiteralRules runs{.double_quotes = true, .brackets = lex::BracketRuns::first,
                                 .backticks = s.dialect.name_quote == '`'};
    lex::Cursor cursor(all, 0, runs, lex::Levels::ignored);
    Pos word = -1;  // start of the open word, -1 for none
    const auto n = static_cast<Pos>(all.size());
    while (!cursor.done()) {
        const auto i = static_cast<Pos>(cursor.at());
        const char c = all[cursor.at()];
        const bool run = cursor.step();
        if (!run && c == ']') continue;  // neither ends nor continues a word
        if (!run && s.word_char(c)) {
            if (word < 0) word = i;
            continue;
        }
        if (word >= 0) {
            quoter.word(Span{word, i});
            word = -1;
        }
    }
    if (word >= 0) quoter.word(Span{word, n});
    quoter.finish();
}

}  // namespace tarnvel::utilities
