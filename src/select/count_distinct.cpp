#include "select/count_distinct.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "select/literals.h"

#include <string>
#include <string_view>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view value_column = "DISTINCT_VALUE";  // the derived table's one column
constexpr std::string_view count_column = "DISTINCT_COUNT";  // the count beside other aggregates
constexpr std::string_view counts_table = "DISTINCT_COUNTS";  // its table, numbered

std::size_t skip_blanks(std::string_view text, std::size_t at) {
    while (at < text.size() && lex::is_blank(text[at])) ++at;
    return at;
}

// One past the word 'upper_word' (in any letter case) written whole at 'at' (blanks before it
// passed over), else npos.
std::size_t word_at(const lex::Alphabet &letters, std::string_view text, std::size_t at, std::string_view upper_word) {
    if (at == npos) return npos;
    at = skip_blanks(text, at);
    const std::size_t end = at + upper_word.size();
    if (end > text.size() || !letters.is_upper_word(text.substr(at, upper_word.size()), upper_word)) return npos;
    if (end < text.size() && lex::is_item_char(letters, text[end])) return npos;
    return end;
}

// Whether INTO stands in the text as a word of its own (in name quotes too): FoxPro's destination,
// kept at the end of the member for the caller, which the derived table must not take in.
bool holds_word(const lex::Alphabet &letters, std::string_view text, std::string_view word) {
    const std::size_t n = word.size();
    for (std::size_t at = 0; at + n <= text.size(); ++at) {
        if (letters.is_upper_word(text.substr(at, n), word) && (at == 0 || !lex::is_item_char(letters, text[at - 1])) &&
            (at + n == text.size() || !lex::is_item_char(letters, text[at + n]))) {
            return true;
        }
    }
    return false;
}

bool holds_into(const lex::Alphabet &letters, std::string_view text) { return holds_word(letters, text, "INTO"); }

}  // namespace

// The count alone in the select list: true when the member was rewritten.
static bool count_alone(Session &session, Clauses &clauses) {
    Text &select = clauses.select();
    Text &from = clauses.from();
    const std::string_view list = select.view();
    const std::size_t first = skip_blanks(list, 6);  // most lists start with no C after SELECT: one look
    if (first >= list.size() || (list[first] != 'C' && list[first] != 'c')) return false;
    const lex::Alphabet &letters = session.letters;
    std::size_t at = word_at(letters, list, word_at(letters, list, 0, "SELECT"), "COUNT");
    if (at == npos) return false;
    at = skip_blanks(list, at);
    if (at >= list.size() || list[at] != '(') return false;
    const lex::LiteralRules rules = clause_literals(session.dialect);
    const std::size_t close = lex::Cursor(list, at + 1, rules).group_end();
    const std::size_t value_at = word_at(letters, list, at + 1, "DISTINCT");
    if (close == npos || value_at == npos || value_at > close) return false;
    const std::string_view value = lex::trimmed(list.substr(value_at, close - value_at));
    const std::string_view alias = list.substr(close + 1);  // more items than the count: count_beside
    if (value.empty() || lex::Cursor(alias, 0, rules).find(lex::comma) != npos) return false;
    const std::string_view table = lex::trimmed(from.view());
    Text &where = clauses.where();
    const std::string_view condition = where ? lex::trimmed(where.view()) : std::string_view{};
    if (holds_into(letters, condition) || holds_into(letters, table)) return true;

    // COUNT(DISTINCT x) passes over NULL: the derived table's NULL row is not counted either.
    Text counted = Text::obtain(16 + value_column.size() + alias.size(), "Insufficient memory for SELECT");
    counted.append("SELECT COUNT(");
    counted.append(value_column);
    counted.push(')');
    counted.append(alias);
    Text derived = Text::obtain(32 + value.size() + value_column.size() + table.size() + condition.size(),
                                "Insufficient memory for SELECT");
    derived.append("FROM (SELECT DISTINCT ");
    derived.append(value);
    derived.append(" AS ");
    derived.append(value_column);
    derived.push(' ');
    derived.append(table);
    if (!condition.empty()) {
        derived.push(' ');
        derived.append(condition);
    }
    derived.push(')');
    select = std::move(counted);
    from = std::move(derived);
    where.release();
    return true;
}

// The derived table of the k-th count beside other aggregates: one row, the count of the distinct
// values of the member's rows.
static void add_counted_table(Text &out, std::string_view value, std::string_view tables, std::string_view condition,
                              int k) {
    const std::string number = std::to_string(k);
    out.append(", (SELECT COUNT(");
    out.append(value_column);
    out.append(") AS ");
    out.append(count_column);
    out.append(" FROM (SELECT DISTINCT ");
    out.append(value);
    out.append(" AS ");
    out.append(value_column);
    out.push(' ');
    out.append(tables);
    if (!condition.empty()) {
        out.push(' ');
        out.append(condition);
    }
    out.append(")) AS ");
    out.append(counts_table);
    out.append(number);
}

// COUNT(DISTINCT x) beside other aggregates in an ungrouped member over tables without joins: each
// count reads the one row of a derived table joined to the member's rows (which it does not
// multiply), IIF(COUNT(*) = 0, 0, MAX(DISTINCT_COUNTS1.DISTINCT_COUNT)); where the member has no row,
// the count is 0.
static void count_beside(Session &session, Clauses &clauses) {
    const lex::Alphabet &letters = session.letters;
    const lex::LiteralRules rules = clause_literals(session.dialect);
    const std::string_view list = clauses.select().view();
    const std::string_view tables = lex::trimmed(clauses.from().view());
    const std::string_view condition = clauses.where() ? lex::trimmed(clauses.where().view()) : std::string_view{};
    if (holds_word(letters, tables, "JOIN") || holds_word(letters, condition, "INTO") || holds_word(letters, tables, "INTO"))
        return;
    Text select, from;  // obtained at the first count
    std::size_t copied = 0;
    int k = 0;
    for (lex::Cursor cursor(list, 0, rules, lex::Levels::ignored); !cursor.done();) {
        const std::size_t at = cursor.at();
        std::size_t open = letters.letter(list[at]) ? word_at(letters, list, at, "COUNT") : npos;
        if (open == npos || (at > 0 && lex::is_item_char(letters, list[at - 1]))) {
            cursor.step();
            continue;
        }
        open = skip_blanks(list, open);
        const std::size_t value_at = open < list.size() && list[open] == '(' ? word_at(letters, list, open + 1, "DISTINCT") : npos;
        const std::size_t close = value_at == npos ? npos : lex::Cursor(list, open + 1, rules).group_end();
        if (close == npos) {
            cursor.skip_to(open);
            continue;
        }
        cursor.skip_to(close + 1);
        if (k == 0) {
            select = Text::grown(list.size() + 64, "Insufficient memory for SELECT");
            from = Text::grown(2 * tables.size() + condition.size() + 96, "Insufficient memory for FROM");
            from.append(tables);
        }
        add_counted_table(from, lex::trimmed(list.substr(value_at, close - value_at)), tables, condition, ++k);
        select.append(list.substr(copied, at - copied));
        select.append("IIF(COUNT(*) = 0, 0, MAX(");
        select.append(counts_table);
        select.append(std::to_string(k));
        select.push('.');
        select.append(count_column);
        select.append("))");
        copied = close + 1;
    }
    if (k == 0) return;
    select.append(list.substr(copied));
    clauses.select() = std::move(select);
    clauses.from() = std::move(from);
}

void count_distinct_pass(Session &session, Clauses &clauses) {
    if (!clauses.select() || !clauses.from() || clauses.group()) return;
    if (count_alone(session, clauses)) return;
    const std::string_view list = clauses.select().view();
    const std::size_t distinct = list.find("DISTINCT");  // most lists: none, or SELECT DISTINCT's alone
    if (distinct != npos && list.find("DISTINCT", distinct + 8) == npos && distinct < 9) return;
    if (distinct != npos || list.find("distinct") != npos) count_beside(session, clauses);
}

}  // namespace tarnvel::select
