#include "structure/expression.h"

#include "host/state.h"
#include "lex/classes.h"
#include "select/driver.h"
#include "select/fox/map.h"
#include "select/fox/rewrite.h"
#include "structure/characters.h"

namespace tarnvel::structure {

namespace {

constexpr auto npos = std::string_view::npos;
constexpr std::string_view grow_message = "Insufficient memory for column list";

// Whether the word is one of the forms of a comma-separated list ("ALLTRIM,ALLT"; an enclosing
// comma at either end is allowed).
bool in_forms(std::string_view forms, std::string_view word) {
    std::size_t start = 0;
    while (start <= forms.size()) {
        std::size_t end = forms.find(',', start);
        if (end == npos) end = forms.size();
        if (end > start && same_upper(word, forms.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

// A function the SELECT conversion of the dialect rewrites (its FoxPro-syntax pass, when the switch
// is on, or its own rows), or one the target shares with FoxPro. The FoxPro-syntax pass writes a
// shortened name out in full before the dialect's rows see it (SPAC(20) as SPACE(20), MONT as
// MONTH), so with the switch on a shortening is known as its full name is.
bool known_function(std::string_view name, const Dialect &dialect) {
    const std::string_view full = select::fox::full_function_name(name);
    const std::string_view called = !full.empty() && state::from_fox() ? full : name;
    if (in_forms(dialect.shared_functions, called)) return true;
    const select::fox::Construct *fox = select::fox::function_named(full.empty() ? name : full);
    if (fox && state::from_fox() && !fox->target[select::fox::column_of(dialect.expressions())].empty()) return true;
    for (const select::ChainRow &row : dialect.expressions().chain) {
        if (row.row == select::Row::function && row.function && in_forms(row.function->words, called)) return true;
        if (row.row == select::Row::current_date && in_forms(row.words, called)) return true;
    }
    return false;
}

// The end of the name or number that starts at expression[i].
std::size_t word_end(std::string_view expression, std::size_t i) {
    while (i < expression.size() && word_char(expression[i])) ++i;
    return i;
}

// Whether a "(" follows the word that ends at 'end', after blanks; 'open' is moved to it.
bool call_follows(std::string_view expression, std::size_t end, std::size_t &open) {
    open = end;
    while (open < expression.size() && blank(expression[open])) ++open;
    return open < expression.size() && expression[open] == '(';
}

// Visits the words (names and numbers) of the expression outside its literals, from the left, until
// 'found' holds for one (given its start and end): whether one did. An unclosed literal ends the visit.
template <class Found> bool any_word(std::string_view expression, Found found) {
    for (std::size_t i = 0; i < expression.size();) {
        const std::size_t literal = literal_end(expression, i);
        if (literal == npos) return false;
        if (literal != i) {
            i = literal;
            continue;
        }
        if (!word_char(expression[i])) {
            ++i;
            continue;
        }
        const std::size_t end = word_end(expression, i);
        if (found(i, end)) return true;
        i = end;
    }
    return false;
}

// Whether every function the expression calls is known in the target (a FoxPro UDF is not).
bool calls_known_functions(std::string_view expression, const Dialect &dialect) {
    return !any_word(expression, [&](std::size_t i, std::size_t end) {
        std::size_t open = 0;
        const bool after_dot = i > 0 && expression[i - 1] == '.';
        return !after_dot && call_follows(expression, end, open) && !known_function(expression.substr(i, end - i), dialect);
    });
}

// Whether the expression reads a value by its name: a memory variable (m.user, gcUser) or a field,
// which the host reads when it adds a row and a server cannot have in a column default. Function
// names, numbers, .T. and the like and the operators AND, OR and NOT are no such names.
bool names_a_value(std::string_view expression) {
    return any_word(expression, [&](std::size_t i, std::size_t end) {
        const std::string_view word = expression.substr(i, end - i);
        std::size_t open = 0;
        const bool dotted = i > 0 && expression[i - 1] == '.' && (i < 2 || !word_char(expression[i - 2])) &&
                            end < expression.size() && expression[end] == '.';  // .T., .AND.
        const bool operator_word = same_upper(word, "AND") || same_upper(word, "OR") || same_upper(word, "NOT");
        return !digit(word.front()) && !dotted && !operator_word && !call_follows(expression, end, open);
    });
}

// The functions that read the clock when called without arguments (DATE(2020, 1, 1) does not).
constexpr std::string_view clock_functions[] = {"DATE", "DATETIME", "TIME", "SECONDS"};

// Whether the condition reads the current date or time, which some servers refuse in a CHECK.
bool reads_clock(std::string_view condition) {
    return any_word(condition, [&](std::size_t i, std::size_t end) {
        std::size_t open = 0;
        if (!call_follows(condition, end, open) || !trim(condition.substr(open + 1)).starts_with(')')) return false;
        for (std::string_view clock : clock_functions)
            if (same_upper(condition.substr(i, end - i), clock)) return true;
        return false;
    });
}

// A binary literal standing alone: 0h and hexadecimal digits (0h00FF; 0h alone is empty).
bool binary_literal(std::string_view text) {
    if (text.size() < 2 || text[0] != '0' || (text[1] != 'h' && text[1] != 'H')) return false;
    for (char c : text.substr(2))
        if (!lex::is_hex_digit(c)) return false;
    return true;
}

// The binary literal in the target's form; false when the target has none. An odd count of digits
// is the same value as with a leading 0.
bool write_binary(Text &out, std::string_view literal, const Dialect &dialect) {
    if (dialect.hex_open.empty()) return false;
    std::string_view digits = literal.substr(2);
    out.append(dialect.hex_open);
    if (digits.size() % 2 != 0) out.push('0');
    out.append(digits);
    out.append(dialect.hex_close);
    return true;
}

// Whether converted text still holds FoxPro syntax that no server reads (==, #, $, a lone !,
// .T., .AND., {...}) or an operator quoted as a name: the SELECT conversion did not make it into
// the target's syntax, and the expression does not convert.
bool foxpro_residue(std::string_view text, const Dialect &dialect) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == '\'') {
            std::size_t end = text.find('\'', i + 1);
            if (end == npos) return true;
            i = end;
        } else if (c == '#' && dialect.hash_dates && digit(next)) {
            std::size_t end = text.find('#', i + 1);
            if (end == npos) return true;
            i = end;
        } else if ((c == '=' && next == '=') || c == '#' || c == '$' || c == '{' || (c == '!' && next != '=')) {
            return true;
        } else if (c == dialect.quote_open) {  // an operator the conversion took for a name: [AND]
            std::size_t end = text.find(dialect.quote_close, i + 1);
            if (end == npos) return true;
            std::string_view quoted = text.substr(i + 1, end - i - 1);
            if (same_upper(quoted, "AND") || same_upper(quoted, "OR") || same_upper(quoted, "NOT")) return true;
            i = end;
        } else if (c == '.' && (next == 'T' || next == 'F' || next == 'A' || next == 'O' || next == 'N' ||
                                next == 't' || next == 'f' || next == 'a' || next == 'o' || next == 'n')) {
            std::size_t end = i + 1;
            while (end < text.size() && word_char(text[end])) ++end;
            if (end < text.size() && text[end] == '.' && (i == 0 || !word_char(text[i - 1]))) return true;
        }
    }
    return false;
}

// A number as FoxPro writes it: digits with an optional sign and decimal point.
bool number(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool digits = false, point = false;
    for (; i < text.size(); ++i) {
        if (digit(text[i])) digits = true;
        else if (text[i] == '.' && !point) point = true;
        else return false;
    }
    return digits;
}

// A string literal standing alone: '...', "..." or [...] with nothing after its close.
bool string_literal(std::string_view text) {
    return text.size() >= 2 && text.front() != '{' && literal_end(text, 0) == text.size() &&
           text.back() == (text.front() == '[' ? ']' : text.front());
}

// A date or datetime literal standing alone: {^2020-01-02}, {} and the like.
bool date_literal(std::string_view text) {
    return text.size() >= 2 && text.front() == '{' && literal_end(text, 0) == text.size() && text.back() == '}';
}

// The string between its delimiters as the target's string literal: in single quotes, a quote
// inside doubled, and a backslash doubled where the target reads it as an escape.
void write_string(Text &out, std::string_view literal, const Dialect &dialect) {
    std::string_view inside = literal.substr(1, literal.size() - 2);
    out.push('\'');
    for (char c : inside) {
        if (c == '\'' || (c == '\\' && dialect.backslash_escapes)) out.push(c);
        out.push(c);
    }
    out.push('\'');
}

// Runs the text through the SELECT conversion as the select list of a statement ("SELECT x
// FROM T") or as its WHERE condition, and appends what the conversion made of it; false, with
// nothing appended, when the converted statement does not have the expected shape.
bool convert_through_select(Text &out, std::string_view expression, const Dialect &dialect, bool condition) {
    constexpr std::string_view head = "SELECT ";
    constexpr std::string_view from = " FROM T";
    constexpr std::string_view where = " WHERE ";
    Text statement = Text::obtain(head.size() + expression.size() + from.size() + where.size() + 1, grow_message);
    statement.append(head);
    statement.append(condition ? std::string_view("*") : expression);
    statement.append(from);
    if (condition) {
        statement.append(where);
        statement.append(expression);
    }
    const select::Dialect &target = dialect.expressions();
    // In FoxPro syntax the FoxPro-only constructs (BETWEEN(), INLIST(), EMPTY()...) become the
    // target's own first, as for a SELECT command.
    Text fox;
    if (state::from_fox()) fox = select::fox::rewrite(target, statement.view(), true, false);
    Text converted = select::convert_select(target, fox ? fox.view() : statement.view());
    std::string_view text = converted.view();
    std::string_view part;
    if (condition) {
        std::size_t at = text.find(target.where_open);
        if (at == npos) return false;
        part = trim(text.substr(at + target.where_open.size()));
        std::string_view close = trim(target.where_close);
        if (!close.empty() && part.ends_with(close)) part = trim(part.substr(0, part.size() - close.size()));
    } else {
        constexpr std::string_view select_word = "SELECT";
        std::size_t select_at = text.find(select_word);
        std::size_t from_at = text.rfind("FROM");
        if (select_at == npos || from_at == npos || from_at < select_at + select_word.size()) return false;
        part = trim(text.substr(select_at + select_word.size(), from_at - select_at - select_word.size()));
    }
    if (part.empty() || foxpro_residue(part, dialect)) return false;
    out.append(part);
    return true;
}

// A call of the function without arguments, blanks allowed before and inside its parentheses:
// DATE(), DATE (), DATETIME( ).
bool empty_call(std::string_view expression, std::string_view function) {
    if (expression.size() <= function.size() || !same_upper(expression.substr(0, function.size()), function)) return false;
    std::size_t open = 0;
    return call_follows(expression, function.size(), open) && trim(expression.substr(open + 1)) == ")";
}

}  // namespace

bool write_default(Text &out, std::string_view expression, const Dialect &dialect) {
    expression = trim(expression);
    if (same_upper(expression, ".T.") || same_upper(expression, ".Y.")) out.append(dialect.true_value);
    else if (same_upper(expression, ".F.") || same_upper(expression, ".N.")) out.append(dialect.false_value);
    else if (same_upper(expression, ".NULL.") || same_upper(expression, "NULL")) out.append("NULL");
    else if (empty_call(expression, "DATE")) out.append(dialect.today);
    else if (empty_call(expression, "DATETIME")) out.append(dialect.now);
    else if (number(expression)) out.append(expression[0] == '+' ? expression.substr(1) : expression);
    else if (expression[0] == '$' && number(expression.substr(1))) out.append(expression.substr(1));  // currency
    else if (string_literal(expression)) write_string(out, expression, dialect);
    else if (binary_literal(expression)) return write_binary(out, expression, dialect);
    else if (names_a_value(expression) || !calls_known_functions(expression, dialect)) return false;
    else if (date_literal(expression)) return convert_through_select(out, expression, dialect, false);
    else {
        // Servers want an expression default in parentheses.
        std::size_t before = out.size();
        out.push('(');
        if (!convert_through_select(out, expression, dialect, false)) {
            out.truncate(before);
            return false;
        }
        out.push(')');
    }
    return true;
}

bool write_condition(Text &out, std::string_view condition, const Dialect &dialect) {
    condition = trim(condition);
    if (!dialect.clock_in_check && reads_clock(condition)) return false;
    return calls_known_functions(condition, dialect) && convert_through_select(out, condition, dialect, true);
}

}  // namespace tarnvel::structure
