#include "field_variant_rules.h"

#include "variant_tokens.h"

#include <algorithm>
#include <array>
#include <optional>

namespace validity {
namespace {

using Tokens = std::vector<Token>;
constexpr std::size_t none = static_cast<std::size_t>(-1);

// A field type's spellings that FoxPro's CREATE TABLE and CREATE CURSOR take: its letter, its word,
// the shorter word where there is one, and the word by its first four letters where those name the
// type alone (DATE, MEMO and BLOB are four letters long; DATETIME cut to four is DATE). Other
// spellings (DECIMAL, MONEY, BOOLEAN, Chara) are left alone.
struct TypeRow {
    char letter;
    std::string_view word;
    std::string_view short_word;  // CHAR, NUM, INT; empty when none
    std::string_view four;        // empty when the word cannot be cut to four letters
    bool decimals;                // a width with decimals, which are 0 where not written (N, F)
    std::string_view fixed_width;  // the width of a type whose written width FoxPro ignores; else empty
};
constexpr std::array<TypeRow, 14> type_rows = {{
    {'C', "CHARACTER", "CHAR", "CHAR", false, ""},
    {'V', "VARCHAR", "", "VARC", false, ""},
    {'N', "NUMERIC", "NUM", "NUME", true, ""},
    {'F', "FLOAT", "", "FLOA", true, ""},
    {'I', "INTEGER", "INT", "INTE", false, "4"},
    {'B', "DOUBLE", "", "DOUB", false, ""},  // B(d): the one number is the decimals
    {'Y', "CURRENCY", "", "CURR", false, "8"},
    {'D', "DATE", "", "", false, "8"},
    {'T', "DATETIME", "", "", false, "8"},
    {'L', "LOGICAL", "", "LOGI", false, "1"},
    {'M', "MEMO", "", "", false, "4"},
    {'G', "GENERAL", "", "GENE", false, "4"},
    {'Q', "VARBINARY", "", "VARB", false, ""},
    {'W', "BLOB", "", "", false, "4"},
}};

const TypeRow *type_row(std::string_view spelling) {
    const std::string u = upper(spelling);
    for (const TypeRow &row : type_rows) {
        if (u == std::string_view(&row.letter, 1) || u == row.word || (!row.short_word.empty() && u == row.short_word) ||
            (!row.four.empty() && u == row.four))
            return &row;
    }
    return nullptr;
}

// The words that open a table constraint (PRIMARY KEY, FOREIGN KEY, UNIQUE, CHECK), written whole
// or by four letters or more: such an item is left as it is.
bool constraint_word(std::string_view text) {
    const std::string u = upper(text);
    for (std::string_view word : {"PRIMARY", "FOREIGN", "UNIQUE", "CHECK"}) {
        if (u.size() >= 4 && u.size() <= word.size() && word.substr(0, u.size()) == u) return true;
    }
    return false;
}

bool is_op(const Tokens &t, std::size_t i, std::string_view text) {
    return i < t.size() && t[i].kind == Piece::op && t[i].text == text;
}

std::size_t solid(const Tokens &t, std::size_t i, std::size_t end) {
    while (i < end && t[i].kind == Piece::blank) ++i;
    return i;
}

// The items of the list: the token ranges between the commas outside parentheses.
std::vector<std::pair<std::size_t, std::size_t>> items(const Tokens &t) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= t.size(); ++i) {
        if (i == t.size() || (t[i].depth == 0 && is_op(t, i, ","))) {
            out.emplace_back(start, i);
            start = i + 1;
        }
    }
    return out;
}

// A field of a known type: where its type word and its width part are.
struct Field {
    std::size_t type;
    const TypeRow *row;
    std::size_t open = none, close = none;  // "(" and ")" of the width part
    std::size_t width = none, decimals = none;
};

// The fields of the list, last first (so that a rewrite moves no field still to come); nullopt
// when the list holds a subscript, whose commas are no separators.
std::optional<std::vector<Field>> fields(const Tokens &t) {
    if (std::any_of(t.begin(), t.end(), [](const Token &token) { return token.kind == Piece::op && token.text == "["; }))
        return std::nullopt;
    std::vector<Field> out;
    for (auto [begin, end] : items(t)) {
        const std::size_t name = solid(t, begin, end);
        if (name >= end || t[name].kind != Piece::word || constraint_word(t[name].text)) continue;
        const std::size_t type = solid(t, name + 1, end);
        if (type >= end || t[type].kind != Piece::word) continue;
        Field field{type, type_row(t[type].text)};
        if (!field.row) continue;
        const std::size_t open = solid(t, type + 1, end);
        if (is_op(t, open, "(")) {
            std::vector<std::size_t> inside;
            std::size_t close = open + 1;
            for (; close < end && !is_op(t, close, ")"); ++close) {
                if (t[close].kind != Piece::blank) inside.push_back(close);
            }
            const bool one = inside.size() == 1 && t[inside[0]].kind == Piece::number;
            const bool two = inside.size() == 3 && t[inside[0]].kind == Piece::number && is_op(t, inside[1], ",") &&
                             t[inside[2]].kind == Piece::number;
            if (close >= end || !(one || two)) continue;  // a width part of another kind
            field.open = open;
            field.close = close;
            field.width = inside[0];
            if (two) field.decimals = inside[2];
        }
        out.push_back(field);
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::optional<std::string> changed(std::string_view before, const Tokens &t) {
    std::string after = join(t);
    if (after == before) return std::nullopt;
    return after;
}

// A word the rule writes, in the letter case of the one it replaces: lower, Capitalised or upper.
std::string styled(std::string_view word, std::string_view like) {
    auto is_lower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto is_upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    const bool lower = std::none_of(like.begin(), like.end(), is_upper);
    const bool capital = like.size() > 1 && is_upper(like[0]) && std::any_of(like.begin() + 1, like.end(), is_lower);
    std::string out(word);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if ((lower || (capital && i > 0)) && is_upper(out[i])) out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
    return out;
}

// ---- the type

template <std::string_view (*form)(const TypeRow &)>
std::optional<std::string> type_spelling(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        const std::string_view spelling = form(*field.row);
        if (!spelling.empty()) t[field.type].text = styled(spelling, t[field.type].text);
    }
    return changed(list, t);
}

std::string_view letter_form(const TypeRow &row) { return {&row.letter, 1}; }
std::string_view word_form(const TypeRow &row) { return row.word; }
std::string_view short_form(const TypeRow &row) { return row.short_word; }
std::string_view four_form(const TypeRow &row) { return row.four; }

// ---- the width part

// The width part written again as "(" width "," decimals ")", with the blanks given: before the
// parenthesis, inside it, and after the comma.
template <const char *before, const char *inside, const char *comma_blank, bool decimals_only>
std::optional<std::string> width_layout(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        if (field.open == none || (decimals_only && field.decimals == none)) continue;
        Tokens part;
        auto blank = [&](std::string_view text) {
            if (!text.empty()) part.push_back({Piece::blank, std::string(text), 0});
        };
        blank(before);
        part.push_back({Piece::op, "(", 0});
        blank(inside);
        part.push_back(t[field.width]);
        if (field.decimals != none) {
            blank(*inside ? inside : "");
            part.push_back({Piece::op, ",", 1});
            blank(*inside ? inside : comma_blank);
            part.push_back(t[field.decimals]);
        }
        blank(inside);
        part.push_back({Piece::op, ")", 0});
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(field.type + 1), t.begin() + static_cast<std::ptrdiff_t>(field.close + 1));
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(field.type + 1), part.begin(), part.end());
    }
    return changed(list, t);
}
constexpr char no_blank[] = "";
constexpr char one_blank[] = " ";

// N(10) as N(10,0), and back: FoxPro gives N and F no decimals where none are written.
std::optional<std::string> zero_decimals(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        if (!field.row->decimals || field.open == none || field.decimals != none) continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(field.width + 1), {{Piece::op, ",", 1}, {Piece::number, "0", 1}});
    }
    return changed(list, t);
}

std::optional<std::string> no_zero_decimals(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        if (!field.row->decimals || field.decimals == none || t[field.decimals].text != "0") continue;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(field.width + 1), t.begin() + static_cast<std::ptrdiff_t>(field.close));
    }
    return changed(list, t);
}

// The width FoxPro ignores (D, T, I, Y, L, M, G, W) written as it stores it, D(8), I(4), L(1), or
// left out where it is written.
std::optional<std::string> ignored_width(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        if (field.row->fixed_width.empty() || field.open != none) continue;
        t.insert(t.begin() + static_cast<std::ptrdiff_t>(field.type + 1),
                 {{Piece::op, "(", 0}, {Piece::number, std::string(field.row->fixed_width), 1}, {Piece::op, ")", 0}});
    }
    return changed(list, t);
}

std::optional<std::string> no_ignored_width(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        if (field.row->fixed_width.empty() || field.open == none) continue;
        t.erase(t.begin() + static_cast<std::ptrdiff_t>(field.type + 1), t.begin() + static_cast<std::ptrdiff_t>(field.close + 1));
    }
    return changed(list, t);
}

// Blanks before the first field and after the last.
std::optional<std::string> outer_blanks(std::string_view list) {
    if (list.empty()) return std::nullopt;
    return " " + std::string(list) + " ";
}

// ---- clauses

// NOT NULL with two blanks between its words.
std::optional<std::string> not_null_blanks(std::string_view list) {
    Tokens t = tokenize(list);
    for (std::size_t i = 0; i + 2 < t.size(); ++i) {
        if (t[i].kind == Piece::word && upper(t[i].text) == "NOT" && t[i + 1].kind == Piece::blank &&
            t[i + 2].kind == Piece::word && upper(t[i + 2].text) == "NULL")
            t[i + 1].text += " ";
    }
    return changed(list, t);
}

// The clause words of a field after its type, written whole, by their first four letters: DEFA,
// CHEC, ERRO, PRIM, UNIQ, REFE (NOT, NULL and KEY are short already; AUTOINC, NEXTVALUE and
// NOCPTRANS are read whole only). A word after "." or before "(" is a name or a function.
// The clause words of 'words' in each field's clauses, each shortened by 'shorten'.
template <std::size_t N, class Shorten>
std::optional<std::string> clause_words(std::string_view list, const std::array<std::string_view, N> &words,
                                        Shorten shorten) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    const auto ranges = items(t);
    for (const Field &field : *found) {
        const std::size_t end = std::find_if(ranges.begin(), ranges.end(), [&](const auto &r) {
                                    return r.first <= field.type && field.type < r.second;
                                })->second;
        for (std::size_t i = (field.close == none ? field.type : field.close) + 1; i < end; ++i) {
            if (t[i].kind != Piece::word || t[i].depth != 0 || is_op(t, i + 1, "(") || (i > 0 && is_op(t, i - 1, ".")))
                continue;
            if (std::find(words.begin(), words.end(), upper(t[i].text)) != words.end()) shorten(t[i].text);
        }
    }
    return changed(list, t);
}

std::optional<std::string> clauses4(std::string_view list) {
    static constexpr std::array<std::string_view, 6> words = {"DEFAULT", "CHECK", "ERROR", "PRIMARY", "UNIQUE",
                                                              "REFERENCES"};
    return clause_words(list, words, [](std::string &word) { word.resize(4); });
}

// ---- the commas between the items

enum class CommaBlank { after, none_after, before };

template <CommaBlank where>
std::optional<std::string> comma_blanks(std::string_view list) {
    Tokens t = tokenize(list);
    if (!fields(t)) return std::nullopt;
    for (std::size_t i = t.size(); i-- > 0;) {
        if (t[i].depth != 0 || !is_op(t, i, ",")) continue;
        const bool blank_after = i + 1 < t.size() && t[i + 1].kind == Piece::blank;
        if (where == CommaBlank::after && !blank_after && i + 1 < t.size())
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), {Piece::blank, " ", 0});
        if (where == CommaBlank::none_after && blank_after && t[i + 1].text.find_first_of("\r\n") == std::string::npos)
            t.erase(t.begin() + static_cast<std::ptrdiff_t>(i + 1));
        if (where == CommaBlank::before && i > 0 && t[i - 1].kind != Piece::blank)
            t.insert(t.begin() + static_cast<std::ptrdiff_t>(i), {Piece::blank, " ", 0});
    }
    return changed(list, t);
}

// ---- words cut short, lines, constants

// The type's word without its last letter, where five letters or more are left: CHARACTE, NUMERI,
// INTEGE, DATETIM (FoxPro reads a word by any start of four letters or more).
std::optional<std::string> type_words_cut(std::string_view list) {
    Tokens t = tokenize(list);
    const std::optional<std::vector<Field>> found = fields(t);
    if (!found) return std::nullopt;
    for (const Field &field : *found) {
        const std::string_view word = field.row->word;
        if (word.size() >= 6) t[field.type].text = styled(word.substr(0, word.size() - 1), t[field.type].text);
    }
    return changed(list, t);
}

// The clause words of a field without their last letter: DEFAUL, PRIMAR, UNIQU, REFERENCE, ERRO.
std::optional<std::string> clauses_cut(std::string_view list) {
    static constexpr std::array<std::string_view, 5> words = {"DEFAULT", "ERROR", "PRIMARY", "UNIQUE", "REFERENCES"};
    return clause_words(list, words, [](std::string &word) { word.pop_back(); });
}

// One field a line: a line break after each comma between the fields, as a list kept in a text
// block is written.
std::optional<std::string> line_breaks(std::string_view list) {
    Tokens t = tokenize(list);
    if (!fields(t)) return std::nullopt;
    for (std::size_t i = t.size(); i-- > 0;) {
        if (t[i].depth == 0 && is_op(t, i, ",")) t.insert(t.begin() + static_cast<std::ptrdiff_t>(i + 1), {Piece::blank, "\r\n", 0});
    }
    return changed(list, t);
}

// .T. and .F. as .Y. and .N., FoxPro's other logical constants.
std::optional<std::string> logical_yn(std::string_view list) {
    Tokens t = tokenize(list);
    for (Token &token : t) {
        if (token.kind != Piece::dotted) continue;
        const std::string u = upper(token.text);
        if (u == ".T." || u == ".F.") token.text[1] = static_cast<char>(token.text[1] + (u == ".T." ? 'Y' - 'T' : 'N' - 'F'));
    }
    return changed(list, t);
}

// A strict date {^2024-12-31} with another of the separators FoxPro takes ({^2024/12/31},
// {^2024.12.31}), or its time after a comma ({^2024-01-01, 08:30:00}).
template <char separator>
std::optional<std::string> date_layout(std::string_view list) {
    Tokens t = tokenize(list);
    for (Token &token : t) {
        if (token.kind != Piece::fixed || token.text.rfind("{^", 0) != 0 || token.text.back() != '}') continue;
        std::size_t end = 2;
        while (end < token.text.size() && (token.text[end] == '-' || (token.text[end] >= '0' && token.text[end] <= '9')))
            ++end;
        if (separator != ',') {
            std::replace(token.text.begin() + 2, token.text.begin() + static_cast<std::ptrdiff_t>(end), '-', separator);
        } else if (token.text[end] == ' ' && end + 1 < token.text.size() && token.text[end + 1] >= '0' &&
                   token.text[end + 1] <= '9') {
            token.text.insert(end, ",");
        }
    }
    return changed(list, t);
}

// A rule of the SELECT commands that rewrites a field list as well (variant_rules.cpp).
VariantRule shared(std::string_view name, std::string_view what) {
    const VariantRule *rule = variant_rule(name);
    return {name, what, rule ? rule->rewrite : nullptr};
}

}  // namespace

const std::vector<VariantRule> &field_variant_rules() {
    static const std::vector<VariantRule> rules = {
        shared("lower", "every name, type and clause word in lower case"),
        shared("upper", "every name, type and clause word in upper case"),
        shared("mixed", "every word with its first letter in upper case, the rest in lower case"),
        {"type-words", "the type by its word: C CHARACTER, N NUMERIC, I INTEGER, T DATETIME, Q VARBINARY, W BLOB, ...",
         type_spelling<word_form>},
        {"type-letters", "the type by its letter: CHARACTER and CHAR C, NUMERIC and NUM N, INTEGER and INT I, ...",
         type_spelling<letter_form>},
        {"type-short-words", "C and CHARACTER as CHAR, N and NUMERIC as NUM, I and INTEGER as INT",
         type_spelling<short_form>},
        {"type-words4", "the type's word by its first four letters where they name it alone: NUME, INTE, CURR, LOGI, "
                        "VARC, VARB, ... (not DATETIME, whose four are DATE)",
         type_spelling<four_form>},
        {"width-blank", "a blank between the type and its width: C (10), N (10,2)",
         width_layout<one_blank, no_blank, no_blank, false>},
        {"width-spaced", "blanks inside the width: C( 10 ), N( 10 , 2 )", width_layout<no_blank, one_blank, no_blank, false>},
        {"width-tight", "no blank in or before the width: C(10), N(10,2)", width_layout<no_blank, no_blank, no_blank, false>},
        {"width-comma-blank", "a blank after the width's comma: N(10, 2)", width_layout<no_blank, no_blank, one_blank, true>},
        {"zero-decimals", "N(10) and F(8) as N(10,0) and F(8,0): no decimals written are none", zero_decimals},
        {"no-zero-decimals", "N(10,0) and F(8,0) as N(10) and F(8)", no_zero_decimals},
        {"ignored-width", "the width FoxPro ignores written as it stores it: D(8), T(8), I(4), Y(8), L(1), M(4), G(4), "
                          "W(4)",
         ignored_width},
        {"no-ignored-width", "the width of D, T, I, Y, L, M, G and W left out: I(10) as I", no_ignored_width},
        {"outer-blanks", "a blank before the first field and after the last", outer_blanks},
        {"not-null-blanks", "NOT  NULL with two blanks", not_null_blanks},
        {"clauses4", "DEFAULT, CHECK, ERROR, PRIMARY, UNIQUE, REFERENCES of a field by their first four letters",
         clauses4},
        {"comma-blank", "a blank after each comma between the fields", comma_blanks<CommaBlank::after>},
        {"comma-tight", "no blank after the commas between the fields", comma_blanks<CommaBlank::none_after>},
        {"blank-before-comma", "a blank before each comma between the fields", comma_blanks<CommaBlank::before>},
        {"type-words-cut", "the type's word without its last letter where five letters are left: CHARACTE, NUMERI, "
                           "INTEGE, DATETIM, VARBINAR",
         type_words_cut},
        {"clauses-cut", "DEFAULT, ERROR, PRIMARY, UNIQUE, REFERENCES of a field without their last letter", clauses_cut},
        {"line-breaks", "a line break after each comma between the fields", line_breaks},
        {"logical-yn", ".T. and .F. as .Y. and .N.", logical_yn},
        {"date-slashes", "{^2024-12-31} as {^2024/12/31}", date_layout<'/'>},
        {"date-dots", "{^2024-12-31} as {^2024.12.31}", date_layout<'.'>},
        {"datetime-comma", "{^2024-01-01 08:30} as {^2024-01-01, 08:30}", date_layout<','>},
        shared("tabs", "a tab for every single blank"),
        shared("double-blanks", "every run of blanks doubled"),
        shared("tight", "no blanks around = and , nor inside ( ): a C(1),b N(5,2) DEFAULT 0"),
        shared("call-blank", "a blank between a function's name and its parenthesis: DEFAULT DATE ()"),
        shared("functions4", "ALLTRIM, SUBSTR, UPPER, ... of DEFAULT and CHECK by their first four letters"),
        shared("functions-short", "ALLTRIM, SUBSTR, ... of DEFAULT and CHECK without their last letter"),
        shared("dotted-logic", "AND, OR and NOT of CHECK as .AND., .OR. and .NOT."),
        shared("plain-logic", ".AND., .OR. and .NOT. as AND, OR and NOT"),
        shared("bang-not", "NOT and .NOT. before an operand as !"),
        shared("word-not", "! before an operand as NOT"),
        shared("ne-hash", "<> and != as #"),
        shared("ne-bang", "<> and # as !="),
        shared("ne-angle", "# and != as <>"),
        shared("double-quotes", "string literals of DEFAULT, CHECK and ERROR between \"...\" where they hold no \""),
        shared("single-quotes", "string literals between '...' where they hold no '"),
        shared("brackets", "string literals between [...] where they hold no ] and follow no name"),
    };
    return rules;
}

const VariantRule *field_variant_rule(std::string_view name) {
    for (const VariantRule &rule : field_variant_rules()) {
        if (rule.name == name) return &rule;
    }
    return nullptr;
}

}  // namespace validity
