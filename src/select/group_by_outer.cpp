#include "select/group_by_outer.h"

#include "lex/classes.h"
#include "lex/cursor.h"
#include "lex/scan.h"
#include "select/literals.h"

#include <string>
#include <span>
#include <string_view>

namespace tarnvel::select {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// The aggregates FoxPro works out over the subquery's rows, and what they are where the argument,
// read only from the outer row, is one value for all of them (%a): COUNT(*), which has no argument,
// counts the subquery's rows. A DISTINCT argument counts one value at most.
struct Form {
    std::string_view name, plain, distinct;
};
constexpr Form forms[] = {
    {"MAX", "CASE WHEN COUNT(*) > 0 THEN %a END", "CASE WHEN COUNT(*) > 0 THEN %a END"},
    {"MIN", "CASE WHEN COUNT(*) > 0 THEN %a END", "CASE WHEN COUNT(*) > 0 THEN %a END"},
    {"AVG", "CASE WHEN COUNT(*) > 0 THEN %a END", "CASE WHEN COUNT(*) > 0 THEN %a END"},
    {"SUM", "CASE WHEN COUNT(*) > 0 THEN (%a) * COUNT(*) END", "CASE WHEN COUNT(*) > 0 THEN %a END"},
    {"COUNT", "CASE WHEN %a IS NULL THEN 0 ELSE COUNT(*) END", "CASE WHEN COUNT(*) = 0 OR %a IS NULL THEN 0 ELSE 1 END"},
};

// The words after a table of FROM where no alias follows it.
constexpr std::string_view joining[] = {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "NATURAL", "ON", "WHERE"};

// Words that give a value by themselves in an argument.
constexpr std::string_view values[] = {"NULL", "TRUE", "FALSE", "CURRENT_DATE", "CURRENT_TIMESTAMP", "LOCALTIMESTAMP",
                                       "INTERVAL", "DATE", "TIMESTAMP", "SECOND", "MINUTE", "HOUR", "DAY", "MONTH", "YEAR"};

struct Reader {
    const lex::Alphabet &letters;
    const Dialect &dialect;
    lex::LiteralRules rules;

    bool name_char(char c) const { return lex::is_name_char(letters, c); }

    std::size_t word_end(std::string_view text, std::size_t at) const {
        while (at < text.size() && name_char(text[at])) ++at;
        return at;
    }

    // Whether FROM names the table or alias 'name' (a whole word, no qualifier's "." after it): a
    // table's own name counts only without an alias, which hides it (product.x in a subquery over
    // product p reads the outer query's product).
    bool declares(std::string_view from, std::string_view name) const {
        for (std::size_t at = from.find(name); at != npos; at = from.find(name, at + 1)) {
            std::size_t end = at + name.size();
            if (at > 0 && (name_char(from[at - 1]) || from[at - 1] == '.')) continue;
            if (end < from.size() && (name_char(from[end]) || from[end] == '.')) continue;
            while (end < from.size() && from[end] == ' ') ++end;
            const std::string_view next = from.substr(end, word_end(from, end) - end);
            if (next.empty() || among(next, joining)) return true;
        }
        return false;
    }

    // Whether the argument qualifies a column by a name FROM does not declare, and reads no column
    // of FROM's (qualified by a name it declares, or bare, which may be either's). A host parameter
    // (?m.name), a keyword and the type of a CAST are no columns.
    bool reads_outer_only(std::string_view argument, std::string_view from) const {
        bool outer = false, type = false;
        for (lex::Cursor cursor(argument, 0, rules, lex::Levels::ignored); !cursor.done();) {
            const std::size_t at = cursor.at();
            const char before = at == 0 ? ' ' : argument[at - 1];
            type = type && argument[at] != ')' && argument[at] != ',';
            if (!letters.letter(argument[at]) || name_char(before) || before == '.' || before == '?') {
                cursor.step();
                continue;
            }
            const std::size_t end = word_end(argument, at);
            cursor.skip_to(end);
            const std::string_view word = argument.substr(at, end - at);
            if (end + 1 < argument.size() && argument[end] == '.' && name_char(argument[end + 1])) {
                if (declares(from, word)) return false;
                outer = true;
            } else if (!type && !keyword(word) && !lex::followed_by_open_paren(argument, static_cast<lex::Pos>(end))) {
                return false;  // a bare name
            }
            type = type || letters.is_upper_word(word, "AS");
        }
        return outer;
    }

    bool keyword(std::string_view word) const {
        return dialect.group_by_lexicon.find_upper(word, letters) != nullptr || among(word, values);
    }

    bool among(std::string_view word, std::span<const std::string_view> words) const {
        for (std::string_view w : words) {
            if (letters.is_upper_word(word, w)) return true;
        }
        return false;
    }

    // The form of the aggregate named at 'at' and the "(" after its name, else nullptr.
    const Form *aggregate_at(std::string_view text, std::size_t at, std::size_t &open) const {
        const std::size_t end = word_end(text, at);
        open = end < text.size() && text[end] == ' ' ? end + 1 : end;
        if (open >= text.size() || text[open] != '(') return nullptr;
        for (const Form &form : forms) {
            if (letters.is_upper_word(text.substr(at, end - at), form.name)) return &form;
        }
        return nullptr;
    }
};

// The argument (DISTINCT or ALL before it passed over) written into the form.
void write_form(const Reader &reader, const Form &form, std::string_view argument, std::string &out) {
    argument = lex::trimmed(argument);
    std::string_view pattern = form.plain;
    for (std::string_view word : {std::string_view("DISTINCT "), std::string_view("ALL ")}) {
        if (argument.size() <= word.size() || !reader.letters.is_upper_word(argument.substr(0, word.size()), word)) continue;
        argument = lex::trimmed(argument.substr(word.size()));
        if (word.front() == 'D') pattern = form.distinct;
    }
    const std::size_t slot = pattern.find("%a");
    out.append(pattern.substr(0, slot));
    out.append(argument);
    out.append(pattern.substr(slot + 2));
}

// The text with every aggregate call that reads outer columns only written in its form; empty
// when there is none.
std::string rewritten(const Reader &reader, std::string_view text, std::string_view from) {
    std::string out;
    std::size_t copied = 0;
    for (lex::Cursor cursor(text, 0, reader.rules, lex::Levels::ignored); !cursor.done();) {
        const std::size_t at = cursor.at();
        if (!reader.letters.letter(text[at]) || (at > 0 && (reader.name_char(text[at - 1]) || text[at - 1] == '.'))) {
            cursor.step();
            continue;
        }
        std::size_t open = 0;
        const Form *form = reader.aggregate_at(text, at, open);
        const std::size_t close = form ? lex::Cursor(text, open + 1, reader.rules).group_end() : npos;
        if (close == npos) {
            cursor.skip_to(reader.word_end(text, at));
            continue;
        }
        cursor.skip_to(close + 1);
        std::string_view after = text.substr(close + 1, 8);
        if (after.starts_with(' ')) after.remove_prefix(1);
        const bool windowed = reader.letters.is_upper_word(after.substr(0, 4), "OVER") ||
                              reader.letters.is_upper_word(after.substr(0, 6), "FILTER");
        const std::string_view argument = text.substr(open + 1, close - open - 1);
        if (windowed || !reader.reads_outer_only(argument, from)) continue;
        out.append(text.substr(copied, at - copied));
        write_form(reader, *form, argument, out);
        copied = close + 1;
    }
    if (copied == 0) return {};
    out.append(text.substr(copied));
    return out;
}

}  // namespace

void outer_aggregate_pass(Session &session, Clauses &clauses) {
    const std::string_view from = clauses.from().view();
    const Reader reader{session.letters, session.dialect, clause_literals(session.dialect)};
    for (Text *clause : {&clauses.select(), &clauses.group(), &clauses.order()}) {
        if (!*clause || clause->view().find('.') == npos) continue;
        const std::string text = rewritten(reader, clause->view(), from);
        if (text.empty()) continue;
        Text out = Text::obtain(text.size() + 1, "Insufficient memory for clause");
        out.append(text);
        *clause = std::move(out);
    }
}

}  // namespace tarnvel::select
