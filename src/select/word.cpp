// Deciding a word: its keyword form, the decision chain, how it is written, and the "=1" rule.
#include "select/scanner.h"

#include "host/text.h"
#include "lex/classes.h"
#include "lex/keywords.h"

#include <algorithm>
#include <array>
#include <span>
#include <utility>
#include <cstring>

namespace tarnvel::select {
namespace {

// How far before the item run that holds a word the tests may look: a blank and a FoxPro literal
// such as .NULL. in front of it.
constexpr std::size_t look_back = 8;

// Word sequences after an operand that make it the left side of a predicate, or go on with it
// (a COLLATE x LIKE 'A%'): no "=1" for it.
struct Predicate {
    std::array<std::string_view, 3> words;
    std::size_t count;
};
constexpr Predicate predicates[] = {
    {{"IN"}, 1},   {{"NOT"}, 1},    {{"LIKE"}, 1},         {{"BETW"}, 1},
    {{"BETWE"}, 1}, {{"BETWEE"}, 1}, {{"BETWEEN"}, 1},     {{"IS", "NULL"}, 2},
    {{"IS", "NOT", "NULL"}, 3}, {{"COLLATE"}, 1},
};

// The word just written, the last 'count' bytes of the clause, upper-cased again as the alphabet
// reads names: in UTF-8 its letters of two bytes too, so a name comes out alike in whatever case it
// was written (servers that keep the case of a name tell ABC from Abc).
[[gnu::noinline]] void upper_written_tail(Text &sink, std::size_t count, const lex::Alphabet &letters) {
    count = std::min(count, sink.size());
    letters.upper_in_place(sink.data() + sink.size() - count, count);
}

// How a name spelled as a keyword (the member t.not, t.where, o.key, or the alias x AS key) is
// written, by the rows that read the word, in chain order: the rows that read it only in their own
// place (a call, FORCE, CROSS JOIN) leave it to the next, DATE is quoted where the target quotes it
// but after AS, and any other row quotes it, as it quotes the word out of place: a value word too
// (t.true on PostgreSQL names the column the field list made "TRUE").
enum class MemberRow : std::uint8_t { next, date };
constexpr std::pair<Row, MemberRow> member_rows[] = {
    {Row::current_date, MemberRow::date}, {Row::function, MemberRow::next},
    {Row::list_call, MemberRow::next},   {Row::list_word, MemberRow::next},    {Row::force, MemberRow::next},
    {Row::partition, MemberRow::next},   {Row::cross, MemberRow::next},        {Row::own_value, MemberRow::next},
    {Row::with_hint, MemberRow::next},
};

bool quoted_member(const Dialect &dialect, const RowSet &rows, bool after_as) {
    for (std::uint8_t i = 0; i < rows.count; ++i) {
        const Row row = dialect.chain[rows.rows[i]].row;
        const auto *found = std::ranges::find(member_rows, row, &std::pair<Row, MemberRow>::first);
        if (found == std::end(member_rows)) return true;
        if (found->second == MemberRow::date && dialect.bare_date_quoted && !after_as) return true;
    }
    return false;
}

}  // namespace

// Settles the work copy up to a few characters before the item run that holds the word (or the
// position), the farthest back any test can look from here on. Every edit of the work copy comes
// after it: a call list the scan has left is forgotten, as the edit may grow the text ahead.
void Scanner::anchor() {
    if (call_list_tail_ != 0 && !in_call_list()) call_list_tail_ = 0;
    std::size_t at = collecting_ || length_ > 0 ? std::min(word_start_, pos_) : pos_;
    while (at > work_.base() && lex::is_item_char(session_.letters, work_.at(at - 1))) --at;
    at = at >= look_back ? at - look_back : 0;
    if (at > work_.base()) work_.settle(at);
}

bool Scanner::view_is_whole() const {
    if (work_.base() == 0) return true;
    std::size_t at = pos_ - length_;
    if (at < work_.base()) return false;
    while (at > work_.base() && lex::is_item_char(session_.letters, work_.at(at - 1))) --at;
    return at >= work_.base() + 2;
}

void Scanner::remember_previous(std::string_view keyword) {
    previous_length_ = keyword.size();
    copy_bytes(previous_.data(), keyword.data(), std::min(keyword.size(), previous_.size()));
}

// Kept as written: previous_is reads it in upper case, only when the lengths match (most words
// are never compared).
void Scanner::remember_previous_upper(std::string_view written) {
    previous_length_ = written.size();
    copy_bytes(previous_.data(), written.data(), std::min(written.size(), previous_.size()));
}

bool Scanner::previous_is(std::string_view keyword) const {
    return previous_length_ == keyword.size() && keyword.size() <= previous_.size() &&
           session_.letters.is_upper_word(std::string_view(previous_.data(), keyword.size()), keyword);
}

// The word as a row named it, else upper-cased, else (names and quoted words without the
// FoxPro-syntax switch) as written. 'lexicon_word': keyword_ holds the word upper-cased.
inline void Scanner::write_word(bool lexicon_word) {
    const std::string_view written = work_.slice(word_start_, length_);
    const std::string_view keyword = name_.data() ? name_ : lexicon_word ? keyword_ : std::string_view{};
    // the pattern of LIKE, a type or an alias after AS (CAST(x AS DATE)) are no conditions: no "=1"
    const bool condition = equals_one_possible() && !previous_is("LIKE") && !previous_is("AS");
    if (keyword.data()) remember_previous(keyword);
    else remember_previous_upper(written);
    if (drop_) return;
    bool written_case = !session_.from_fox && !dialect_.upper_everything && (!matched_ || quote_);
    if (Text *sink = clauses_.current_sink()) {
        if (quote_) sink->push(dialect_.quote_open);
        if (written_case) {
            sink->append(written);
        } else if (keyword.data()) {
            sink->append(keyword);
        } else {
            const lex::Alphabet &letters = session_.letters;
            unsigned char high = 0;
            sink->append_mapped(written, [&letters, &high](char c) {
                high |= static_cast<unsigned char>(c);
                return letters.upper(c);
            });
            if (high >= 0x80 && dialect_.upper_beyond_ascii) upper_written_tail(*sink, written.size(), letters);
        }
        if (quote_) sink->push(dialect_.quote_close);
        if (condition) {
            equals_one();
        } else if (renamed_call_ && !quote_ && condition_operand_possible()) {
            renamed_call_test();  // NVL(a, b) alone as a condition, renamed ISNULL(a, b)
        }
    }
}

// The word is looked up as written, upper-cased on the fly; a word of the dialect's lexicon is read
// by its rows in the lexicon's own upper-case copy, so no word is copied. Any other word (most of
// them: names) goes straight to the clause.
void Scanner::process_word(std::size_t start) {
    word_start_ = start;
    length_ = pos_ - start;
    matched_ = quote_ = drop_ = moved_ = renamed_call_ = false;
    name_ = {};
    std::size_t end = pos_;  // rows may move the position; the tests after them look from here
    bool lexicon_word = false;
    if (type_word_) {  // inserted by a row: written as it stands
        type_word_ = false;
        matched_ = true;
    } else if (const Lexicon::Entry entry = dialect_.lexicon.entry_upper(work_.slice(start, length_), session_.letters);
               entry.rows) {
        keyword_ = entry.word;  // the lexicon's own upper-case copy: the word is not upper-cased again
        lexicon_word = true;
        if (const bool alias = alias_here(); alias || member_here()) {  // x AS key, t.not: a name
            matched_ = quote_ = quoted_member(dialect_, *entry.rows, alias);
        } else {
            run_chain(*entry.rows);
        }
        // TO FILE, TO PRINTER, TO SCREEN: a FoxPro destination, whose words are no operands
        if (keyword_ == "TO" && (follows(" FILE") || follows(" PRIN") || follows(" SCRE"))) {
            note_destination();
            if (cond_clause()) in_destination_ = true;
        }
    }
    std::size_t resume = pos_;
    pos_ = end;
    write_word(lexicon_word);
    if (hold_ > 0 && (pos_ >= work_.length() || work_.at(pos_) != '.')) --hold_;
    pos_ = resume;
    length_ = 0;
}

void Scanner::run_chain(const RowSet &rows) {
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

// A join condition (and after ON, AND, OR or NOT: see equals_one) or HAVING, outside THEN and ELSE;
// a CASE's WHEN in them, in GROUP BY or in ORDER BY.
bool Scanner::other_condition() const {
    const bool when = !cases_.empty() && cases_.back() == 'w';
    switch (clause()) {
    case Clause::from: return in_on_ && (cases_.empty() || when);
    case Clause::group: return when || (in_having_ && cases_.empty());  // GROUP BY CASE WHEN l ..., HAVING
    case Clause::order: return when;                                    // ORDER BY CASE WHEN l ...
    default: return false;
    }
}

// Where the blanks and tabs before 'at' begin (never before the view: nothing there may be read).
std::size_t Scanner::blanks_before(std::size_t at) const {
    const std::size_t first = work_.base();
    while (at > first && lex::is_blank(work_.at(at - 1))) --at;
    return at;
}

// The word (with the qualifiers before it: t.x) follows ON, AND, OR or NOT, with "(" between or not.
bool Scanner::after_connector() const {
    const std::size_t first = work_.base();  // nothing before it may be read
    std::size_t at = word_start_;
    while (at > first && (work_.at(at - 1) == '.' || lex::is_item_char(session_.letters, work_.at(at - 1)))) --at;
    at = blanks_before(at);
    while (at > first && work_.at(at - 1) == '(') at = blanks_before(at - 1);  // ON (lx OR ...)
    std::size_t from = at;
    while (from > first && lex::is_item_char(session_.letters, work_.at(from - 1)) && work_.at(from - 1) != '.') --from;
    if (at - from < 2 || at - from > 3) return false;
    const std::string_view w = work_.slice(from, at - from);
    const lex::Alphabet &letters = session_.letters;
    return letters.is_upper_word(w, "ON") || letters.is_upper_word(w, "AND") || letters.is_upper_word(w, "OR") ||
           letters.is_upper_word(w, "NOT");
}

// The word is the member of a qualified name (not a call by its owner's name: dbo.LEFT(x, 2)).
bool Scanner::member_here() const {
    // most keywords stand after no dot: the test is asked of those that do
    return word_start_ > work_.base() && work_.at(word_start_ - 1) == '.' &&
           lex::member_word(text(), here(), wlen(), edges_) && !paren_follows();
}

// The word is the alias after AS (x AS key), no CAST's type (CAST(x AS DATE), CAST(x AS CHAR(8))).
// An AS that is itself a member (t.as FROM t) is a name, no keyword.
bool Scanner::alias_here() const {
    if (!previous_is("AS")) return false;
    const std::size_t at = blanks_before(word_start_);  // AS right before it: x AS 'a' FROM t has none
    if (at == word_start_ || at < work_.base() + 2 || !session_.letters.is_upper_word(work_.slice(at - 2, 2), "AS")) {
        return false;
    }
    if (at >= work_.base() + 3 && work_.at(at - 3) == '.') return false;
    return !paren_follows() && !cast_type();
}

// The word stands where a name is read: after a qualifier's ".", or where an item of a list starts
// (after a comma or BY).
bool Scanner::item_name_here() const {
    const std::size_t first = work_.base();
    if (word_start_ > first && work_.at(word_start_ - 1) == '.') return true;
    const std::size_t at = blanks_before(word_start_);
    if (at > first && work_.at(at - 1) == ',') return true;
    return at - first >= 3 && lex::is_blank(work_.at(at - 3)) && session_.letters.upper(work_.at(at - 2)) == 'B' &&
           session_.letters.upper(work_.at(at - 1)) == 'Y';
}

namespace {
// The words a condition's operand may stand after (IIF: the scanner's own IIF row leaves the name
// before its condition in the text it reads), and those that end the condition after it.
constexpr std::string_view condition_openers[] = {"WHERE", "AND", "OR", "NOT", "ON", "WHEN", "HAVING", "IIF"};
constexpr std::string_view condition_enders[] = {"AND", "OR", "THEN", "ORDER", "GROUP", "HAVING", "UNION", "INTO",
                                                 "WHERE", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "JOIN"};
// The words after which a group opens a condition ((l) there is no list's item): the openers but
// IIF, whose "(" is its call's.
constexpr std::span<const std::string_view> group_openers{condition_openers, std::size(condition_openers) - 1};
// The targets' own predicates written as calls: conditions as they stand.
constexpr std::string_view predicate_calls[] = {"CONTAINS", "FREETEXT", "REGEXP_LIKE", "LNNVL", "XMLEXISTS"};

// The word is one of the list, or FoxPro's abbreviation of one to four letters or more (WHER, ORDE).
bool word_among(const lex::Alphabet &letters, std::string_view word, std::span<const std::string_view> list) {
    for (std::string_view w : list) {
        if ((word.size() == w.size() || (word.size() >= 4 && word.size() < w.size())) &&
            letters.is_upper_word(word, w.substr(0, word.size()))) {
            return true;
        }
    }
    return false;
}
}  // namespace

// FoxPro's call alone as a condition (WHERE x = 1 AND f_Empty(cCode), IIF(lOk(id), ...)) returns a
// logical, which the target takes only compared (Dialect::call_needs_test): the dialect's test goes
// after its ")", as after a logical field. Only right after a word that opens a condition (or after
// "(" that open groups there), and only when the condition ends after the ")" and the groups' ")":
// f(a) = 2, (f(a)) + 1 > 2 and f(a) IN (...) are operands. The call's ")", or -1 when the word is no
// such call.
std::ptrdiff_t Scanner::condition_call_close() const {
    // right after a word, with blanks and "(" between: x=f(a), NOT -f(a) are no such calls
    std::size_t groups = 0;
    if (!opener_before(word_start_, condition_openers, groups)) return -1;
    if (word_among(session_.letters, work_.slice(word_start_, length_), predicate_calls)) return -1;
    const std::ptrdiff_t close = close_of(open_paren());
    if (close < 0) return -1;
    return groups_open_at_end(static_cast<std::size_t>(close) + 1, groups) < 0 ? -1 : close;
}

// The word that ends before 'start', past blanks and the "(" of groups that open there, is one of
// 'openers' (or FoxPro's abbreviation of one); 'groups' counts those "(". The text before the view is
// not read: false then.
bool Scanner::opener_before(std::size_t start, std::span<const std::string_view> openers, std::size_t &groups) const {
    groups = 0;
    std::size_t before = blanks_before(start);
    while (before > work_.base() && work_.at(before - 1) == '(') {
        ++groups;
        before = blanks_before(before - 1);
    }
    if (before == start) return false;
    std::size_t from = before;
    while (from > work_.base() && lex::is_item_char(session_.letters, work_.at(from - 1)) && work_.at(from - 1) != '.') --from;
    if (from == work_.base() && from > 0) return false;
    return word_among(session_.letters, work_.slice(from, before - from), openers);
}

// From 'after', past blanks and the ")" of up to 'groups' groups, the condition ends (the text's end,
// an outer group's ")" or a word that ends a condition, .AND. and .OR. too): the groups left open
// there; -1 where an operand goes on ((d) = 1, f(a) + 1 > 2).
long Scanner::groups_open_at_end(std::size_t after, std::size_t groups) const {
    for (;; ++after) {
        while (after < work_.length() && lex::is_blank(work_.at(after))) ++after;
        if (groups == 0 || after >= work_.length() || work_.at(after) != ')') break;
        --groups;
    }
    if (after < work_.length() && work_.at(after) != ')') {
        if (work_.at(after) == '.') ++after;  // .AND., .OR.
        std::size_t end = after;
        while (end < work_.length() && lex::is_item_char(session_.letters, work_.at(end)) && work_.at(end) != '.') ++end;
        if (end == after || !word_among(session_.letters, work_.slice(after, end - after), condition_enders)) return -1;
    }
    return static_cast<long>(groups);
}

// "=1" (Access "<>0") after a bare logical operand in a condition, or after a call standing alone as
// one (condition_call_close).
void Scanner::equals_one() {
    std::string_view t = text();
    if (lex::followed_by_operator(t, here())) {
        call_test();
        return;
    }
    // in a join condition only right after ON, AND, OR or NOT (or in a CASE's WHEN there): not a table
    // after a comma, nor FULL JOIN's FULL
    if (clause() == Clause::from && cases_.empty() && !after_connector()) return;
    if (lex::list_item(t, here(), wlen(), edges_) && !alone_in_condition_group()) return;
    if (predicate_follows()) return;
    if (lex::preceded_by_operator(t, here(), wlen(), edges_)) return;
    // an argument of TRIM(LEADING x FROM s), no condition; but a WHEN of a CASE inside it holds one
    if (in_call_list() && cases_.size() <= call_list_cases_) return;
    if (output_option()) {  // WHERE x > 0 NOCONSOLE: the condition has ended, a FoxPro option follows it
        in_destination_ = true;
        return;
    }
    if (hex_string_prefix()) return;  // X'1F' = b: a literal, no name
    clauses_.current_sink()->append(dialect_.true_test);
}

// The word stands alone in groups that open right after a word that opens a condition (WHERE
// ((lPaid)), x = 1 AND (l)): a condition of its own, where "(" before it and ")" after it would
// otherwise make it a list's item. The text before the view is not read.
bool Scanner::alone_in_condition_group() const {
    if (!session_.from_fox || !dialect_.call_needs_test) return false;  // where a value is no condition
    std::size_t start = word_start_;  // p.lPaid: from the alias on
    while (start > work_.base() && lex::is_item_char(session_.letters, work_.at(start - 1))) --start;
    std::size_t groups = 0;
    // the groups close, and the condition ends there: (d) = 1 and (q) ^ 2 > 1 are operands
    return opener_before(start, group_openers, groups) && groups > 0 && groups_open_at_end(pos_, groups) == 0;
}

// f(a) (the name and its "(" together, as calls are written) alone as a condition: the dialect's
// test after its ")".
void Scanner::call_test() {
    const auto open = static_cast<std::size_t>(here());
    if (open >= text().size() || text()[open] != '(' || !dialect_.call_needs_test || !session_.from_fox) return;
    const std::ptrdiff_t close = condition_call_close();
    if (close < 0) return;
    anchor();
    work_.insert(static_cast<std::size_t>(close) + 1, dialect_.true_test, "Insufficient memory for clause");
}

// A call a row renamed (NVL as ISNULL) is read as the target writes it; alone as a condition it is
// FoxPro's logical all the same, and gets the test as a call left as written does.
[[gnu::noinline]] void Scanner::renamed_call_test() {
    if (lex::followed_by_operator(text(), here())) call_test();
}

// The word is one of FoxPro's output options (NOCONSOLE, PLAIN, NOWAIT, PREFERENCE name), written
// right after an operand: no operand of the condition before it.
bool Scanner::output_option() const {
    const std::string_view word = work_.slice(word_start_, length_);
    if (word.size() < 5 || word.size() > 10) return false;
    const char first = session_.letters.upper(word[0]);
    if (first != 'N' && first != 'P') return false;
    for (std::string_view option : {"NOCONSOLE", "PLAIN", "NOWAIT", "PREFERENCE"}) {
        if (word.size() != option.size() || !session_.letters.is_upper_word(word, option)) continue;
        if (!operand_before()) return false;
        // the word before it is no keyword that opens a condition (WHERE plain: a field)
        const std::size_t base = work_.base();
        const std::size_t end = blanks_before(word_start_);
        std::size_t from = end;
        while (from > base && lex::is_item_char(session_.letters, work_.at(from - 1)) && work_.at(from - 1) != '.') --from;
        const std::string_view before = work_.slice(from, end - from);
        for (std::string_view opener : {"WHERE", "HAVING", "AND", "OR", "NOT", "ON"}) {
            if (before.size() == opener.size() && session_.letters.is_upper_word(before, opener)) return false;
        }
        return true;
    }
    return false;
}

// IN, NOT, LIKE, BETWEEN (and its FoxPro forms), IS [NOT] NULL follow the word.
bool Scanner::predicate_follows() const {
    std::size_t at = pos_;
    while (at < work_.length() && lex::is_blank(work_.at(at))) ++at;
    if (at == pos_ || at >= work_.length()) return false;
    char first = session_.letters.upper(work_.at(at));
    if (first != 'I' && first != 'N' && first != 'L' && first != 'B' && first != 'C') return false;  // IN, IS, NOT, LIKE, BETW..., COLLATE
    // A predicate's first word ends where the run of item characters (dots aside) ends: only the
    // words of the run's length are tried (one BETW... form of four, say).
    std::size_t end = at;
    while (end < work_.length() && work_.at(end) != '.' && lex::is_item_char(session_.letters, work_.at(end))) ++end;
    const std::size_t run = end - at;
    for (const Predicate &p : predicates) {
        if (p.words[0].size() == run && p.words[0][0] == first && words_follow(pos_, std::span(p.words.data(), p.count))) {
            return true;
        }
    }
    return false;
}

// Nothing of the item goes on at 'at': the end, a character that belongs to no name, or a FoxPro
// operator written with dots (x IS NULL.OR. y).
bool Scanner::item_ends(std::size_t at) const {
    if (at >= work_.length() || !lex::is_item_char(session_.letters, work_.at(at))) return true;
    if (work_.at(at) != '.') return false;
    for (std::string_view op : {"AND.", "OR.", "NOT."}) {
        std::size_t i = 0;
        while (i < op.size() && at + 1 + i < work_.length() && session_.letters.upper(work_.at(at + 1 + i)) == op[i]) ++i;
        if (i == op.size()) return true;
    }
    return false;
}

// The words follow the position, each after blanks or tabs, compared in upper case, the last one
// ending the item.
bool Scanner::words_follow(std::size_t at, std::span<const std::string_view> words) const {
    for (std::string_view w : words) {
        if (at >= work_.length() || !lex::is_blank(work_.at(at))) return false;
        while (at < work_.length() && lex::is_blank(work_.at(at))) ++at;
        for (char letter : w) {
            if (at >= work_.length() || session_.letters.upper(work_.at(at)) != letter) return false;
            ++at;
        }
    }
    return item_ends(at);
}

}  // namespace tarnvel::select
