#include "select/item_alias.h"

#include "lex/keywords.h"
#include "lex/scan.h"

#include <string>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Keywords that are values: an operand ends with them, so a word behind them is an alias.
constexpr std::string_view value_words[] = {"END",          "NULL",         "TRUE",
                                            "FALSE",        "CURRENT_DATE", "CURRENT_TIME",
                                            "CURRENT_TIMESTAMP", "LOCALTIME", "LOCALTIMESTAMP"};

// Words that stand bare in converted clauses besides the dialects' keywords: those of the clauses,
// the operators, the units of date arithmetic and the types of CAST and CONVERT.
constexpr std::string_view bare_words[] = {
    "GROUP", "BY",   "HAVING", "ORDER",   "ASC",     "DESC",  "LIMIT", "OFFSET", "DISTINCT", "ALL",    "TOP",
    "PERCENT", "AND", "OR",    "NOT",     "XOR",     "IS",    "NULL",  "IN",     "LIKE",     "ESCAPE", "BETWEEN",
    "CASE",  "WHEN", "THEN",   "ELSE",    "END",     "TRUE",  "FALSE", "MOD",    "DIV",      "FROM",   "YEAR",
    "QUARTER", "MONTH", "WEEK", "DAY",    "HOUR",    "MINUTE", "SECOND", "CHAR", "SIGNED",   "UNSIGNED",
    "DECIMAL", "DATE", "DATETIME", "TIME", "INTEGER", "INTERVAL"};

}  // namespace

bool clause_keyword(const Dialect &dialect, const lex::Alphabet &letters, std::string_view word) {
    if (word.size() > 64) return false;
    std::string w(word);
    letters.upper_in_place(w.data(), w.size());
    for (std::string_view bare : bare_words) {
        if (w == bare) return true;
    }
    return lex::keyword_in_list(dialect.reserved, w) || lex::keyword_in_list(dialect.group_by_keywords[0], w) ||
           lex::keyword_in_list(dialect.group_by_keywords[1], w);
}

std::string_view bare_alias(std::string_view item, const Dialect &dialect, const lex::Alphabet &letters) {
    std::size_t start = item.size();
    if (item.size() >= 2 && item.back() == dialect.quote_close) {
        start = item.rfind(dialect.quote_open, item.size() - 2);
        if (start == npos) return {};
    } else {
        while (start > 0 && lex::is_name_char(letters, item[start - 1])) --start;
        if (start == item.size() || lex::is_digit(item[start]) || clause_keyword(dialect, letters, item.substr(start))) {
            return {};
        }
    }
    if (start == 0 || !lex::is_blank(item[start - 1])) return {};
    return operand_ends(lex::trimmed(item.substr(0, start)), dialect, letters) ? item.substr(start) : std::string_view{};
}

bool operand_ends(std::string_view before, const Dialect &dialect, const lex::Alphabet &letters) {
    if (before.empty()) return false;
    const char last = before.back();
    if (last == ')' || last == '\'' || last == '"' || last == dialect.quote_close) return true;
    if (!lex::is_name_char(letters, last)) return false;
    std::size_t word = before.size();
    while (word > 0 && lex::is_name_char(letters, before[word - 1])) --word;
    const std::string_view name = before.substr(word);
    if (lex::is_digit(name.front()) || (word > 0 && before[word - 1] == '.')) return true;
    for (std::string_view value : value_words) {
        if (letters.is_upper_word(name, value)) return true;
    }
    return !clause_keyword(dialect, letters, name);
}

}  // namespace tarnvel::select
