#include "variant_rules.h"

#include "variant_grammar.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace validity {

std::size_t previous(const Tokens &t, std::size_t i) {
    while (i > 0 && i != none) {
        --i;
        if (t[i].kind != Piece::blank) return i;
    }
    return none;
}

std::size_t following(const Tokens &t, std::size_t i) {
    if (i == none) return none;
    for (++i; i < t.size(); ++i) {
        if (t[i].kind != Piece::blank) return i;
    }
    return none;
}

bool is_op(const Tokens &t, std::size_t i, std::string_view text) {
    return i < t.size() && t[i].kind == Piece::op && t[i].text == text;
}

// The words after which a ! is FoxPro's NOT, not the database's mark (WHERE!EMPTY(x), AND!paid).
bool before_not(const Token &word) {
    static constexpr std::array<std::string_view, 8> words = {"WHERE", "AND", "OR", "NOT", "ON", "HAVING", "WHEN", "THEN"};
    const std::string upper_word = upper(word.text);
    return std::find(words.begin(), words.end(), upper_word) != words.end();
}

// A word joined to another by . ! or -> (alias.field, m.var, db!table, thisform.x) is part of a name.
bool in_name(const Tokens &t, std::size_t i) {
    auto word_at = [&](std::size_t j) { return j < t.size() && t[j].kind == Piece::word; };
    auto joins = [&](std::size_t j, std::size_t left, std::size_t right) {
        if (is_op(t, j, ".") || is_op(t, j, "->")) return true;
        return is_op(t, j, "!") && word_at(left) && word_at(right) && !before_not(t[left]);
    };
    return (i > 0 && joins(i - 1, i - 2, i)) || joins(i + 1, i, i + 2);
}

// A keyword, written whole or by its first four letters or more (DIST, DISTINC), as FoxPro reads it;
// not a word of a name.
bool keyword(const Tokens &t, std::size_t i, std::initializer_list<std::string_view> words) {
    if (i >= t.size() || t[i].kind != Piece::word || in_name(t, i)) return false;
    const std::string word = upper(t[i].text);
    return std::any_of(words.begin(), words.end(), [&](std::string_view k) {
        return word == k || (word.size() >= 4 && word.size() < k.size() && k.substr(0, word.size()) == word);
    });
}

bool dotted(const Tokens &t, std::size_t i, std::string_view inner) {
    return i < t.size() && t[i].kind == Piece::dotted && upper(t[i].text) == "." + std::string(inner) + ".";
}

bool is_macro(const Token &t) { return t.kind == Piece::fixed && t.text[0] == '&'; }

namespace {

// A word the rule inserts, in lower case when the statement's first word is.
std::string like(std::string_view word, const Tokens &t) {
    std::string out(word);
    auto first = std::find_if(t.begin(), t.end(), [](const Token &token) { return token.kind == Piece::word; });
    const bool lower = first != t.end() && std::none_of(first->text.begin(), first->text.end(),
                                                        [](char c) { return c >= 'A' && c <= 'Z'; });
    if (lower) {
        for (char &c : out) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return out;
}

Token blank() { return {Piece::blank, " ", 0}; }
Token word(std::string text) { return {Piece::word, std::move(text), 0}; }

std::optional<std::string> changed(std::string_view before, const Tokens &t) {
    std::string after = join(t);
    if (after == before) return std::nullopt;
    return after;
}

// ---- letter case

template <char (*convert)(char, bool first)>
std::optional<std::string> recase(std::string_view command) {
    Tokens t = tokenize(command);
    for (Token &token : t) {
        if (token.kind != Piece::word && token.kind != Piece::dotted) continue;
        bool first = true;
        for (char &c : token.text) {
            if (c == '.') continue;
            c = convert(c, first);
            first = false;
        }
    }
    return changed(command, t);
}

char to_lower(char c, bool) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char to_upper(char c, bool) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char to_mixed(char c, bool first) { return first ? to_upper(c, true) : to_lower(c, false); }

// ---- abbreviations

// The keywords FoxPro reads by their first four letters, each where it stands as that keyword:
// after the word 'after' or before one of 'before' (none: anywhere but before a parenthesis).
struct KeywordRow {
    std::string_view word;
    std::string_view after;
    std::string_view before = {}, or_before = {};
};
const KeywordRow keyword_rows[] = {
    {"SELECT", ""},             {"DISTINCT", "SELECT"},     {"WHERE", ""},
    {"GROUP", "", "BY"},        {"ORDER", "", "BY"},      {"HAVING", ""},
    {"UNION", ""},              {"CURSOR", "INTO"},         {"TABLE", "INTO"},
    {"ARRAY", "INTO"},      {"INNER", "", "JOIN"},      {"OUTER", "", "JOIN"},
    {"RIGHT", "", "JOIN", "OUTER"}, {"NOCONSOLE", ""}, {"PRINTER", "TO"},
};

// How much of a word an abbreviation keeps: four letters, or all but the last where that leaves
// five or more (DISTINC, SUBST: FoxPro reads any start of four letters or more).
template <bool four>
bool cut(std::string &word) {
    const std::size_t size = four ? 4 : word.size() - 1;
    if (word.size() <= size || size < (four ? 4u : 5u)) return false;
    word.resize(size);
    return true;
}

template <bool four>
std::optional<std::string> abbreviate_keywords(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = 0; i < t.size(); ++i) {
        for (const KeywordRow &row : keyword_rows) {
            if (!keyword(t, i, {row.word})) continue;
            const std::size_t next = following(t, i);
            if (!row.after.empty() && !keyword(t, previous(t, i), {row.after})) continue;
            if (!row.before.empty() && !keyword(t, next, {row.before, row.or_before})) continue;
            if (row.before.empty() && is_op(t, next, "(")) continue;
            if (upper(t[i].text) == row.word) cut<four>(t[i].text);
        }
    }
    return changed(command, t);
}

// Shortened names that are words of their own (SECOND is the SQL function of a time's seconds):
// a reader would not take them for the FoxPro function.
constexpr std::string_view own_words[] = {"SECOND", "DELETE"};

// FoxPro functions whose first four letters name them alone and are no function of their own.
constexpr std::string_view abbreviated_functions[] = {
    "ALLTRIM", "SUBSTR",  "TRANSFORM", "REPLICATE", "UPPER",  "LOWER",   "EMPTY",   "INLIST",
    "STRTRAN", "BETWEEN", "ISNULL",    "ISBLANK",   "RECCOUNT", "RECNO", "DELETED", "ROUND",
    "MONTH",   "CEILING", "FLOOR",     "SPACE",     "LTRIM",  "RTRIM",   "OCCURS",  "PROPER",
    "EVALUATE", "CMONTH", "GOMONTH",   "STUFF",     "ALIAS",  "VARTYPE", "SECONDS", "RIGHT",
};

template <bool four>
std::optional<std::string> abbreviate_functions(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (t[i].kind != Piece::word || !is_op(t, i + 1, "(") || (i > 0 && in_name(t, i))) continue;
        const std::string name = upper(t[i].text);
        if (std::find(std::begin(abbreviated_functions), std::end(abbreviated_functions), name) !=
            std::end(abbreviated_functions)) {
            std::string shortened = t[i].text;
            if (cut<four>(shortened) && std::find(std::begin(own_words), std::end(own_words), upper(shortened)) ==
                                            std::end(own_words))
                t[i].text = shortened;
        }
    }
    return changed(command, t);
}

// FoxPro functions whose calls the rule writes with a blank before the parenthesis, as "EMPTY (x)".
constexpr std::string_view short_functions[] = {"LEFT", "STR",  "VAL",  "DTOC", "DTOS", "CTOD", "IIF", "NVL", "LEN",
                                                 "TRIM", "YEAR", "DATE", "DAY",  "INT",  "ABS",  "AT",  "PADL",
                                                 "PADR", "CHR",  "TTOD", "TTOC"};

std::optional<std::string> call_blank(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size() - (t.empty() ? 0 : 1); i-- > 0;) {
        if (t[i].kind != Piece::word || !is_op(t, i + 1, "(") || in_name(t, i)) continue;
        const std::string name = upper(t[i].text);
        const bool known = std::find(std::begin(abbreviated_functions), std::end(abbreviated_functions), name) !=
                               std::end(abbreviated_functions) ||
                           std::find(std::begin(short_functions), std::end(short_functions), name) !=
                               std::end(short_functions);
        if (known) t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), blank());
    }
    return changed(command, t);
}

// ---- logical operators

// The AND of "x BETWEEN a AND b" is the operator's, not a conjunction.
bool between_and(const Tokens &t, std::size_t i) {
    const int depth = t[i].depth;
    int subscripts = 0;  // the commas of laDates[1, 2] are no list's
    for (std::size_t j = i; j-- > 0;) {
        if (t[j].depth < depth) return false;
        if (t[j].depth > depth) continue;
        subscripts += is_op(t, j, "]") ? 1 : is_op(t, j, "[") && subscripts > 0 ? -1 : 0;
        if (subscripts > 0) continue;
        if (keyword(t, j, {"BETWEEN"})) return !is_op(t, following(t, j), "(");
        if (keyword(t, j, {"AND", "OR", "WHERE", "HAVING", "ON"}) || dotted(t, j, "AND") || dotted(t, j, "OR") ||
            is_op(t, j, ","))
            return false;
    }
    return false;
}

}  // namespace

bool conjunction(const Tokens &t, std::size_t i) { return keyword(t, i, {"AND", "OR"}) && !between_and(t, i); }

namespace {

// NOT before an operand (not the NOT of NOT IN, NOT LIKE, IS NOT NULL, nor NOT EXISTS).
bool prefix_not(const Tokens &t, std::size_t i) {
    if (!keyword(t, i, {"NOT"}) && !dotted(t, i, "NOT")) return false;
    const std::size_t before = previous(t, i);
    const bool operand_starts = before == none || is_op(t, before, "(") || is_op(t, before, ",") ||
                                keyword(t, before, {"WHERE", "HAVING", "AND", "OR", "ON", "NOT"}) ||
                                dotted(t, before, "AND") || dotted(t, before, "OR") || dotted(t, before, "NOT");
    const std::size_t after = following(t, i);
    return operand_starts && after != none && !keyword(t, after, {"EXISTS"}) && !is_op(t, after, "=");
}

std::optional<std::string> dotted_logic(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Piece::word) continue;
        if (conjunction(t, i) || (keyword(t, i, {"NOT"}) && prefix_not(t, i)))
            t[i] = {Piece::dotted, "." + t[i].text + ".", t[i].depth};
    }
    return changed(command, t);
}

std::optional<std::string> plain_logic(std::string_view command) {
    Tokens t = tokenize(command);
    Tokens out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const bool logic = dotted(t, i, "AND") || dotted(t, i, "OR") || dotted(t, i, "NOT");
        if (!logic) {
            out.push_back(t[i]);
            continue;
        }
        if (!out.empty() && out.back().kind != Piece::blank && !is_op(out, out.size() - 1, "(")) out.push_back(blank());
        out.push_back(word(t[i].text.substr(1, t[i].text.size() - 2)));
        if (i + 1 < t.size() && t[i + 1].kind != Piece::blank) out.push_back(blank());
    }
    return changed(command, out);
}

std::optional<std::string> bang_not(std::string_view command) {
    Tokens t = tokenize(command);
    Tokens out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!prefix_not(t, i)) {
            out.push_back(t[i]);
            continue;
        }
        out.push_back({Piece::op, "!", t[i].depth});
        while (i + 1 < t.size() && t[i + 1].kind == Piece::blank) ++i;  // !EMPTY(x), as it is written
    }
    return changed(command, out);
}

std::optional<std::string> word_not(std::string_view command) {
    Tokens t = tokenize(command);
    Tokens out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const bool prefix = is_op(t, i, "!") && (i == 0 || t[i - 1].kind == Piece::blank ||
                                                 (t[i - 1].kind == Piece::op && t[i - 1].text != ")" && t[i - 1].text != "]"));
        if (!prefix || i + 1 >= t.size() || is_op(t, i + 1, "=")) {
            out.push_back(t[i]);
            continue;
        }
        if (!out.empty() && out.back().kind != Piece::blank && !is_op(out, out.size() - 1, "(")) out.push_back(blank());
        out.push_back(word("NOT"));
        if (t[i + 1].kind != Piece::blank) out.push_back(blank());
    }
    return changed(command, out);
}

// ---- not equal

template <const char *form>
std::optional<std::string> not_equal(std::string_view command) {
    Tokens t = tokenize(command);
    for (Token &token : t) {
        if (token.kind == Piece::op && (token.text == "<>" || token.text == "!=" || token.text == "#")) token.text = form;
    }
    return changed(command, t);
}
constexpr char hash_form[] = "#";
constexpr char bang_form[] = "!=";
constexpr char angle_form[] = "<>";

// ---- string delimiters

template <char open>
std::optional<std::string> delimit(std::string_view command) {
    const char close = open == '[' ? ']' : open;
    Tokens t = tokenize(command);
    for (std::size_t i = 0; i < t.size(); ++i) {
        Token &token = t[i];
        if (token.kind != Piece::literal) continue;
        const char own_close = token.text[0] == '[' ? ']' : token.text[0];
        if (token.text.size() < 2 || token.text.back() != own_close) return std::nullopt;  // unterminated
        const std::string content = token.text.substr(1, token.text.size() - 2);
        if (content.find(close) != std::string::npos) continue;
        // a [ right after a name, ) or ] would be read as a subscript
        if (open == '[' && i > 0 && t[i - 1].kind != Piece::blank && t[i - 1].kind != Piece::op) continue;
        if (open == '[' && i > 0 && (is_op(t, i - 1, ")") || is_op(t, i - 1, "]"))) continue;
        token.text = std::string(1, open) + content + close;
    }
    return changed(command, t);
}

// ---- blanks

std::optional<std::string> tabs(std::string_view command) {
    Tokens t = tokenize(command);
    for (Token &token : t) {
        if (token.kind == Piece::blank && token.text == " ") token.text = "\t";
    }
    return changed(command, t);
}

std::optional<std::string> double_blanks(std::string_view command) {
    Tokens t = tokenize(command);
    for (Token &token : t) {
        if (token.kind == Piece::blank) token.text += token.text;
    }
    return changed(command, t);
}

// Blanks around = and , and inside ( ) go; never a blank that keeps two operators apart (< =).
std::optional<std::string> tight(std::string_view command) {
    Tokens t = tokenize(command);
    Tokens out;
    auto joins = [&](std::size_t j) { return is_op(t, j, "=") || is_op(t, j, ","); };
    auto operator_char = [&](std::size_t j) {
        return j < t.size() && t[j].kind == Piece::op && t[j].text != "(" && t[j].text != ")" && t[j].text != ",";
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind == Piece::blank && i > 0 && i + 1 < t.size()) {
            const bool around = joins(i - 1) || joins(i + 1) || is_op(t, i - 1, "(") || is_op(t, i + 1, ")");
            const bool two_operators = operator_char(i - 1) && operator_char(i + 1);
            if (around && !two_operators) continue;
        }
        out.push_back(t[i]);
    }
    return changed(command, out);
}

// FoxPro ends a word at a parenthesis, a literal or a dotted constant, so code often leaves no blank
// before the keyword that follows one: COUNT(*)AS n, x = 'A'AND y = 1, d = {}OR .T.AND.
std::optional<std::string> glued(std::string_view command) {
    Tokens t = tokenize(command);
    Tokens out;
    auto ends_operand = [&](std::size_t j) {
        const Token &k = t[j];
        const bool constant = k.kind == Piece::dotted && !dotted(t, j, "AND") && !dotted(t, j, "OR") &&
                              !dotted(t, j, "NOT");
        return is_op(t, j, ")") || k.kind == Piece::literal || constant || (k.kind == Piece::fixed && k.text.front() == '{');
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        const bool drop = t[i].kind == Piece::blank && t[i].text == " " && i > 0 && ends_operand(i - 1) &&
                          keyword(t, i + 1, {"AND", "OR", "AS", "FROM", "WHERE", "INTO", "ORDER", "GROUP", "HAVING"});
        if (!drop) out.push_back(t[i]);
    }
    return changed(command, out);
}

// ---- select list and FROM

}  // namespace

// The select lists: for each SELECT, the token ranges of its items (from after ALL, DISTINCT,
// TOP n [PERCENT] to FROM, or to INTO where it comes first, cut at the commas of its depth).
std::vector<std::pair<std::size_t, std::size_t>> select_items(const Tokens &t) {
    std::vector<std::pair<std::size_t, std::size_t>> items;
    for (std::size_t s = 0; s < t.size(); ++s) {
        if (!keyword(t, s, {"SELECT"})) continue;
        const int depth = t[s].depth;
        std::size_t i = following(t, s);
        while (keyword(t, i, {"ALL", "DISTINCT"})) i = following(t, i);
        if (keyword(t, i, {"TOP"})) {
            i = following(t, following(t, i));
            if (keyword(t, i, {"PERCENT"})) i = following(t, i);
        }
        std::size_t start = i;
        for (; i < t.size() && t[i].depth >= depth; ++i) {
            if (t[i].depth != depth) continue;
            if (keyword(t, i, {"FROM", "INTO"}) || is_op(t, i, ",")) {
                items.emplace_back(start, i);
                start = i + 1;
                if (!is_op(t, i, ",")) break;
            }
        }
        if (i >= t.size() || t[i].depth < depth) return {};  // no FROM: not a list to rewrite
    }
    return items;
}

namespace {

std::optional<std::string> drop_as(std::string_view command) {
    Tokens t = tokenize(command);
    std::vector<std::size_t> dropped;
    for (auto [start, end] : select_items(t)) {
        const std::size_t last = previous(t, end);
        const std::size_t as = previous(t, last);
        if (last == none || last < start || as == none || as <= start || !keyword(t, as, {"AS"})) continue;
        if (t[last].kind != Piece::word || in_name(t, last) || t[as].depth != t[last].depth) continue;
        if (previous(t, as) == none || previous(t, as) < start) continue;
        dropped.push_back(as);
    }
    std::sort(dropped.begin(), dropped.end());  // from the back, so that no index moves before its turn
    for (auto a = dropped.rbegin(); a != dropped.rend(); ++a) {
        const std::size_t as = *a;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(as), t.begin() + static_cast<std::ptrdiff_t>(as + 1));
        if (as > 0 && t[as - 1].kind == Piece::blank && t[as].kind == Piece::blank)
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(as - 1));
    }
    return changed(command, t);
}

// Words that end no expression, or are no column name.
bool reserved(const Tokens &t, std::size_t i) {
    return keyword(t, i, {"AS", "AND", "OR", "NOT", "IS", "LIKE", "IN", "BETWEEN", "DISTINCT", "ALL", "TOP",
                          "PERCENT", "SELECT", "FROM", "NULL", "ESCAPE", "EXISTS", "ANY", "SOME", "WHERE"});
}

std::optional<std::string> add_as(std::string_view command) {
    Tokens t = tokenize(command);
    std::vector<std::size_t> named;
    for (auto [start, end] : select_items(t)) {
        if (std::any_of(t.begin() + static_cast<std::ptrdiff_t>(start), t.begin() + static_cast<std::ptrdiff_t>(end),
                        is_macro))
            continue;
        const std::size_t last = previous(t, end);
        const std::size_t before = previous(t, last);
        if (last == none || before == none || before < start || last >= end) continue;
        if (t[last].kind != Piece::word || in_name(t, last) || reserved(t, last)) continue;
        if (t[before].depth != t[last].depth || reserved(t, before)) continue;
        const bool ends_expression =
            t[before].kind == Piece::word || t[before].kind == Piece::number || t[before].kind == Piece::literal ||
            (t[before].kind == Piece::fixed && t[before].text[0] == '{') || is_op(t, before, ")") ||
            is_op(t, before, "]") || dotted(t, before, "T") || dotted(t, before, "F") || dotted(t, before, "NULL");
        if (ends_expression) named.push_back(last);
    }
    std::sort(named.begin(), named.end());  // from the back, so that no index moves before its turn
    for (auto n = named.rbegin(); n != named.rend(); ++n) {
        const Token as = word(like("AS", t));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(*n), {as, blank()});
    }
    return changed(command, t);
}

// Words that end a table reference of a FROM clause.
bool after_table(const Tokens &t, std::size_t i) {
    return keyword(t, i, {"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS", "ON", "WHERE", "GROUP", "ORDER",
                          "HAVING", "INTO", "UNION", "TO", "NOCONSOLE", "PLAIN", "NOWAIT", "AS", "WITH", "FORCE",
                          "NOFILTER", "READWRITE", "PREFERENCE"});
}

std::optional<std::string> from_as(std::string_view command) {
    Tokens t = tokenize(command);
    std::vector<std::size_t> aliases;
    for (std::size_t f = 0; f < t.size(); ++f) {
        if (!keyword(t, f, {"FROM"})) continue;
        const int depth = t[f].depth;
        if (keyword(t, following(t, f), {"FORCE"})) return std::nullopt;
        bool table_next = true;
        for (std::size_t i = following(t, f); i != none && t[i].depth >= depth; i = following(t, i)) {
            if (t[i].depth != depth) continue;
            if (keyword(t, i, {"WHERE", "GROUP", "ORDER", "HAVING", "INTO", "UNION", "TO", "NOCONSOLE", "PLAIN",
                               "NOWAIT"}))
                break;
            if (is_op(t, i, ",") || keyword(t, i, {"JOIN"})) {
                table_next = true;
                continue;
            }
            if (!table_next) continue;
            table_next = false;
            if (t[i].kind != Piece::word || after_table(t, i)) continue;
            while (i + 2 < t.size() && (is_op(t, i + 1, "!") || is_op(t, i + 1, ".")) && t[i + 2].kind == Piece::word)
                i += 2;
            const std::size_t alias = following(t, i);
            if (alias == none || alias != i + 2 || t[alias].kind != Piece::word || in_name(t, alias) ||
                after_table(t, alias) || is_op(t, alias + 1, "("))
                continue;
            aliases.push_back(alias);
        }
    }
    std::sort(aliases.begin(), aliases.end());  // from the back, so that no index moves before its turn
    for (auto a = aliases.rbegin(); a != aliases.rend(); ++a) {
        const Token as = word(like("AS", t));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(*a), {as, blank()});
    }
    return changed(command, t);
}

// ---- joins

std::optional<std::string> inner_join(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size(); i-- > 0;) {
        if (!keyword(t, i, {"JOIN"}) || keyword(t, previous(t, i), {"INNER", "LEFT", "RIGHT", "FULL", "OUTER", "CROSS"}))
            continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i), {word(like("INNER", t)), blank()});
    }
    return changed(command, t);
}

std::optional<std::string> plain_join(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size(); i-- > 0;) {
        const std::size_t join_word = following(t, i);
        if (!keyword(t, i, {"INNER"}) || !keyword(t, join_word, {"JOIN"})) continue;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(i), t.begin() + static_cast<std::ptrdiff_t>(join_word));
    }
    return changed(command, t);
}

std::optional<std::string> outer_join(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size(); i-- > 0;) {
        if (!keyword(t, i, {"LEFT", "RIGHT", "FULL"}) || !keyword(t, following(t, i), {"JOIN"})) continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), {blank(), word(like("OUTER", t))});
    }
    return changed(command, t);
}

std::optional<std::string> no_outer_join(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size(); i-- > 0;) {
        const std::size_t side = previous(t, i);
        if (!keyword(t, i, {"OUTER"}) || !keyword(t, side, {"LEFT", "RIGHT", "FULL"}) ||
            !keyword(t, following(t, i), {"JOIN"}))
            continue;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(side + 1), t.begin() + static_cast<std::ptrdiff_t>(i + 1));
    }
    return changed(command, t);
}

// ---- clause order and SELECT ALL

// The INTO clause of the outer SELECT moved before its WHERE: FoxPro reads the clauses in either order.
std::optional<std::string> into_before_where(std::string_view command) {
    Tokens t = tokenize(command);
    std::size_t into = none, where = none;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].depth != 0) continue;
        if (keyword(t, i, {"UNION"})) return std::nullopt;
        if (keyword(t, i, {"WHERE"}) && where == none) where = i;
        if (keyword(t, i, {"INTO"}) && into == none) into = i;
    }
    if (into == none || where == none || into < where) return std::nullopt;
    if (!keyword(t, following(t, into), {"CURSOR", "TABLE", "DBF", "ARRAY"})) return std::nullopt;
    std::size_t end = following(t, into);
    for (; end < t.size(); ++end) {
        if (t[end].depth != 0) continue;
        if (keyword(t, end, {"ORDER", "GROUP"}) && keyword(t, following(t, end), {"BY"})) break;
        if (keyword(t, end, {"HAVING", "UNION", "TO", "NOCONSOLE", "PLAIN", "NOWAIT", "PREFERENCE", "WHERE"})) break;
    }
    std::size_t last = previous(t, end);  // the clause without the blanks after it
    Tokens clause(t.begin() + static_cast<std::ptrdiff_t>(into), t.begin() + static_cast<std::ptrdiff_t>(last + 1));
    std::size_t from = into;
    if (from > 0 && t[from - 1].kind == Piece::blank) --from;
    if (end >= t.size()) last = t.size() - 1;  // trailing blanks go with the clause at the end
    t.erase(t.begin() + static_cast<std::ptrdiff_t>(from), t.begin() + static_cast<std::ptrdiff_t>(last + 1));
    clause.push_back(blank());
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(where), clause.begin(), clause.end());
    return changed(command, t);
}

// Where a clause of the outer SELECT ends: at the next clause's keyword (FoxPro takes them in any
// order: WHERE before FROM, TOP after ORDER BY, NOFILTER alone) or at the end.
std::size_t clause_end(const Tokens &t, std::size_t from) {
    std::size_t i = from;
    for (; i < t.size(); ++i) {
        if (t[i].depth != 0) continue;
        if (keyword(t, i, {"ORDER", "GROUP"}) && keyword(t, following(t, i), {"BY"})) break;
        if (keyword(t, i, {"HAVING", "UNION", "INTO", "TO", "NOCONSOLE", "PLAIN", "NOWAIT", "PREFERENCE", "WHERE", "FROM",
                           "TOP", "NOFILTER", "READWRITE", "WITH"}))
            break;
    }
    return i;
}

// The WHERE condition of each SELECT of the outer level between parentheses.
std::optional<std::string> where_parens(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t w = t.size(); w-- > 0;) {
        if (t[w].depth != 0 || !keyword(t, w, {"WHERE"})) continue;
        const std::size_t first = following(t, w);
        const std::size_t last = previous(t, clause_end(t, first));
        if (first == none || last == none || last < first) continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(last + 1), {Piece::op, ")", 0});
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(first), {Piece::op, "(", 0});
    }
    return changed(command, t);
}

// ASC after each ORDER BY item that has no direction.
std::optional<std::string> order_asc(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t o = t.size(); o-- > 0;) {
        if (t[o].depth != 0 || !keyword(t, o, {"ORDER"}) || !keyword(t, following(t, o), {"BY"})) continue;
        const std::size_t first = following(t, following(t, o));
        const std::size_t end = clause_end(t, first);
        std::vector<std::size_t> item_ends;
        for (std::size_t i = first; i <= end && first != none; ++i) {
            if (i == end || (t[i].depth == 0 && is_op(t, i, ","))) item_ends.push_back(previous(t, i));
        }
        for (auto e = item_ends.rbegin(); e != item_ends.rend(); ++e) {
            if (*e == none || keyword(t, *e, {"ASC", "DESC"}) || is_macro(t[*e])) continue;
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(*e + 1), {blank(), word(like("ASC", t))});
        }
    }
    return changed(command, t);
}

std::optional<std::string> select_all(std::string_view command) {
    Tokens t = tokenize(command);
    for (std::size_t i = t.size(); i-- > 0;) {
        if (!keyword(t, i, {"SELECT"}) || keyword(t, following(t, i), {"ALL", "DISTINCT"}) || i + 1 >= t.size() ||
            t[i + 1].kind != Piece::blank)
            continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 2), {word(like("ALL", t)), blank()});
    }
    return changed(command, t);
}

}  // namespace

const std::vector<VariantRule> &variant_rules() {
    static const std::vector<VariantRule> rules = {
        {"lower", "every keyword, name and function in lower case", recase<to_lower>},
        {"upper", "every keyword, name and function in upper case", recase<to_upper>},
        {"mixed", "every word with its first letter in upper case, the rest in lower case", recase<to_mixed>},
        {"keywords4", "SELECT, WHERE, ORDER, INTO CURSOR, ... by their first four letters", abbreviate_keywords<true>},
        {"functions4", "ALLTRIM, SUBSTR, UPPER, ... by their first four letters", abbreviate_functions<true>},
        {"keywords-short", "SELECT, DISTINCT, ... without their last letter (SELEC, DISTINC)", abbreviate_keywords<false>},
        {"functions-short", "ALLTRIM, SUBSTR, ... without their last letter (ALLTRI, SUBST)", abbreviate_functions<false>},
        {"call-blank", "a blank between a function's name and its parenthesis: EMPTY (x)", call_blank},
        {"dotted-logic", "AND, OR and NOT as .AND., .OR. and .NOT.", dotted_logic},
        {"plain-logic", ".AND., .OR. and .NOT. as AND, OR and NOT", plain_logic},
        {"bang-not", "NOT and .NOT. before an operand as !", bang_not},
        {"word-not", "! before an operand as NOT", word_not},
        {"ne-hash", "<> and != as #", not_equal<hash_form>},
        {"ne-bang", "<> and # as !=", not_equal<bang_form>},
        {"ne-angle", "# and != as <>", not_equal<angle_form>},
        {"double-quotes", "string literals between \"...\" where they hold no \"", delimit<'"'>},
        {"single-quotes", "string literals between '...' where they hold no '", delimit<'\''>},
        {"brackets", "string literals between [...] where they hold no ] and follow no name", delimit<'['>},
        {"tabs", "a tab for every single blank", tabs},
        {"tight", "no blanks around = and , nor inside ( )", tight},
        {"double-blanks", "every run of blanks doubled", double_blanks},
        {"glued", "no blank between ), a literal or .T. and the keyword after it: COUNT(*)AS n, 'A'AND", glued},
        {"drop-as", "expr AS name in the select list as expr name", drop_as},
        {"add-as", "expr name in the select list as expr AS name", add_as},
        {"from-as", "FROM t a as FROM t AS a", from_as},
        {"inner-join", "JOIN as INNER JOIN", inner_join},
        {"plain-join", "INNER JOIN as JOIN", plain_join},
        {"outer-join", "LEFT, RIGHT and FULL JOIN with OUTER", outer_join},
        {"no-outer-join", "LEFT, RIGHT and FULL OUTER JOIN without OUTER", no_outer_join},
        {"into-before-where", "the INTO clause before WHERE", into_before_where},
        {"select-all", "SELECT as SELECT ALL", select_all},
        {"where-parens", "the WHERE condition between parentheses", where_parens},
        {"order-asc", "ASC after each ORDER BY item without a direction", order_asc},
    };
    return rules;
}

const VariantRule *variant_rule(std::string_view name) {
    for (const VariantRule &rule : variant_rules()) {
        if (rule.name == name) return &rule;
    }
    return nullptr;
}

}  // namespace validity
