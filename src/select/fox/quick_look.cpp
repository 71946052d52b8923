// The quick look before the FoxPro-syntax pass: most statements hold no FoxPro-only construct and
// cost only this look.
#include "select/fox/scan.h"

#include <array>
#include <cstring>

namespace tarnvel::select::fox {
namespace {

// The characters the quick look stops at; every other character (most letters, digits, blanks and
// punctuation) costs it a table lookup.
enum Clue : std::uint8_t {
    no_clue, quote_clue, bracket_clue, open_clue, close_clue, dot_clue, star_clue, equals_clue, always_clue,
    brace_clue, slash_clue, skip_clue, b_clue,
};
struct Clues {
    Clue of[256] = {};
    constexpr Clues() {
        of[static_cast<unsigned char>('\'')] = of[static_cast<unsigned char>('"')] = quote_clue;
        of[static_cast<unsigned char>('`')] = quote_clue;
        of[static_cast<unsigned char>('[')] = bracket_clue;
        of[static_cast<unsigned char>('(')] = open_clue;
        of[static_cast<unsigned char>(')')] = close_clue;
        of[static_cast<unsigned char>('.')] = dot_clue;
        of[static_cast<unsigned char>('*')] = star_clue;
        of[static_cast<unsigned char>('=')] = of[static_cast<unsigned char>('<')] = equals_clue;
        of[static_cast<unsigned char>('>')] = equals_clue;
        for (char c : std::string_view("#!$\\:")) of[static_cast<unsigned char>(c)] = always_clue;
        of[static_cast<unsigned char>('{')] = brace_clue;
        of[static_cast<unsigned char>('/')] = slash_clue;
        of[static_cast<unsigned char>('~')] = of[static_cast<unsigned char>('?')] = skip_clue;
        of[static_cast<unsigned char>('B')] = of[static_cast<unsigned char>('b')] = b_clue;
    }
};
constexpr Clues clues;

// The word that ends right before 'at' (blanks between allowed), or an empty view.
std::string_view word_before(std::string_view text, std::size_t at) {
    while (at > 0 && is_blank(text[at - 1])) --at;
    std::size_t from = at;
    while (from > 0 && name_char(text[from - 1])) --from;
    return text.substr(from, at - from);
}

// Whether the position stands in a table list: the nearest clause keyword before it, read backwards
// as plain words, is FROM or JOIN.
bool in_table_list(std::string_view text, std::size_t at) {
    while (at > 0) {
        std::string_view word = word_before(text, at);
        if (word.empty()) {
            --at;
            continue;
        }
        switch (keyword_of(word)) {
        case Kw::from: case Kw::join: case Kw::on: return true;  // a comma after a join condition: a table
        case Kw::select: case Kw::where: case Kw::group: case Kw::having: case Kw::order: case Kw::union_:
        case Kw::into:
            return false;
        default: break;
        }
        at = static_cast<std::size_t>(word.data() - text.data());
    }
    return false;
}

// The answer for the last comparison asked about: a later one that reaches it reading backwards
// (over plain words, no group around it skipped) has the same nearest clause keyword.
struct SelectListAnswer {
    std::size_t at = 0;
    bool known = false, value = false;
};

// Whether the position stands in a select list: the nearest clause keyword before it is SELECT.
bool in_select_list(std::string_view text, std::size_t at, SelectListAnswer &last) {
    const std::size_t asked = at;
    bool skipped_past = false;
    auto answer = [&](bool value) {
        last = {asked, true, value};
        return value;
    };
    while (at > 0) {
        if (last.known && !skipped_past && at <= last.at) return answer(last.value);
        if (text[at - 1] == ')') {  // a group before it (a subquery's clauses are its own)
            const std::size_t before = at;
            std::size_t depth = 0;
            do {
                --at;
                if (text[at] == ')') ++depth;
                else if (text[at] == '(') --depth;
            } while (at > 0 && depth > 0);
            skipped_past = skipped_past || (last.known && before > last.at && at <= last.at);
            continue;
        }
        std::string_view word = word_before(text, at);
        if (word.empty()) {
            --at;
            continue;
        }
        switch (keyword_of(word)) {
        case Kw::select: return answer(true);
        case Kw::from: case Kw::join: case Kw::on: case Kw::where: case Kw::group: case Kw::having:
        case Kw::order: case Kw::union_: case Kw::into:
            return answer(false);
        default: break;
        }
        at = static_cast<std::size_t>(word.data() - text.data());
    }
    return answer(false);
}

// Whether the statement's own select list (up to its FROM) holds LIKE, BETWEEN, IS, IN, AND, OR or
// NOT: a condition as a select item.
bool select_list_predicate(std::string_view text, const lex::LiteralRules &rules) {
    const std::size_t n = text.size();
    int depth = 0;
    for (std::size_t i = 0; i < n;) {
        const char c = text[i];
        if (!name_start(c)) {
            if (c == '(') ++depth;
            else if (c == ')') --depth;
            const std::size_t end = c == '\'' || c == '"' || c == '[' || c == '`' ? literal_end(text, i, n, rules) : i;
            i = end == i ? i + 1 : end;
            continue;
        }
        std::size_t w1 = i + 1;
        while (w1 < n && name_char(text[w1])) ++w1;
        const std::string_view word = text.substr(i, w1 - i);
        i = w1;
        // only FROM, INTO, UNION (UNIO), LIKE, BETWEEN (BETW...), IS, IN, AND, OR and NOT matter
        const char first = upper(word[0]);
        if (depth != 0 || word.size() > 7) continue;
        if (first != 'F' && first != 'I' && first != 'U' && first != 'L' && first != 'B' && first != 'A' &&
            first != 'O' && first != 'N') {
            continue;
        }
        const Kw kw = keyword_of(word);
        if (kw == Kw::from || kw == Kw::into || kw == Kw::union_) return false;
        if (kw == Kw::logic) return true;
        const bool predicate = kw == Kw::callable ? first == 'B' || same_word(word, "LIKE")
                                                  : same_word(word, "IS") || same_word(word, "IN");
        if (predicate) return true;
    }
    return false;
}

}  // namespace

// Whether the statement may hold a construct the pass rewrites: a quick look for the characters and
// words that begin one (never false where the pass would change something; the tests hold it to
// that). Most statements have none, and they cost this look only.
bool worth_a_pass(const Pass &pass, std::string_view text) {
    const std::size_t n = text.size();
    int table_checks = 0;
    // Whether each open parenthesis (up to 64 deep) is a call's: no table list stands in one.
    // The open parentheses (up to 64 deep): no table list stands in a call's.
    std::array<std::size_t, 64> opens;
    std::size_t depth = 0;
    auto in_call = [&] {
        if (depth == 0 || depth > opens.size()) return false;
        const std::string_view word = word_before(text, opens[depth - 1]);
        return !word.empty() && keyword_of(word) == Kw::none;
    };
    const bool compared_items = predicate_as_value(pass.column) != "{1}";
    SelectListAnswer select_list;
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(text.data());
    for (std::size_t i = 0; i < n; ++i) {
        // the common case: on to the next clue, four characters at a time
        while (n - i >= 4 && (clues.of[bytes[i]] | clues.of[bytes[i + 1]] | clues.of[bytes[i + 2]] |
                              clues.of[bytes[i + 3]]) == no_clue) {
            i += 4;
        }
        while (i < n && clues.of[bytes[i]] == no_clue) ++i;
        if (i == n) break;
        const Clue clue = clues.of[bytes[i]];
        const char c = text[i];
        switch (clue) {
        case bracket_clue:
            if (i > 0 && name_char(text[i - 1])) return true;  // an array element
            [[fallthrough]];
        case quote_clue: {
            const std::size_t end = literal_end(text, i, n, pass.rules);
            if (end == i) break;
            if (pass.double_backslashes && text.substr(i, end - i).find('\\') != std::string_view::npos) return true;
            // a quoted table name: after FROM or JOIN, or after a comma of the table list
            std::size_t before = i;
            while (before > 0 && is_blank(text[before - 1])) --before;
            if (before > 0 && text[before - 1] == ',') {
                if (!in_call() && (++table_checks > 16 || in_table_list(text, before - 1))) return true;
            } else if (before > 0 && text[before - 1] == '(') {  // FROM ('file.dbf'), a, ('file.dbf')
                std::size_t open = before - 1;
                while (open > 0 && is_blank(text[open - 1])) --open;
                if (open > 0 && text[open - 1] == ',') {
                    if (++table_checks > 16 || in_table_list(text, open - 1)) return true;
                } else {
                    const Kw kw = keyword_of(word_before(text, before - 1));
                    if (kw == Kw::from || kw == Kw::join) return true;
                }
            } else {
                const Kw kw = keyword_of(word_before(text, i));
                if (kw == Kw::from || kw == Kw::join) return true;
            }
            i = end - 1;
            break;
        }
        case close_clue:
            if (depth > 0) --depth;
            break;
        case open_clue: {
            if (depth < opens.size()) opens[depth] = i;
            ++depth;
            const std::string_view word = word_before(text, i);
            if (word.empty()) break;
            if (word.size() == 4 && upper(word[0]) == 'W' && keyword_of(word) == Kw::with) return true;
            if (is_blank(text[i - 1]) && !named().clause_call_blank.target[pass.column].empty()) {
                const Kw kw = keyword_of(word);
                if (kw == Kw::none || kw == Kw::callable) return true;  // COUNT (*)
            }
            if (word.size() < 3 || word.size() > 9) break;  // the names of the function rows
            if (!full_function_name(word).empty()) return true;  // UPPE(x)
            if (same_word(word, "DATE")) {  // DATE(), DATE() - 30
                std::size_t at = i + 1;
                while (at < n && is_blank(text[at])) ++at;
                if (at < n && text[at] == ')') {
                    if (!named().fn_date.target[pass.column].empty()) return true;
                    do ++at;
                    while (at < n && is_blank(text[at]));
                    if (at < n && (text[at] == '+' || text[at] == '-') && !named().op_date_days.target[pass.column].empty()) {
                        return true;
                    }
                }
            }
            if (const Construct *row = function_named(word)) {
                if (row->form != Form::text || !row->target[pass.column].empty()) {
                    const auto [close, count] = call_extent(text, i, n, pass.rules);
                    if (close != none && count >= row->min_args && count <= row->max_args) return true;
                }
            }
            break;
        }
        case dot_clue: {
            if (i + 1 >= n) break;
            const char after = upper(text[i + 1]);
            const bool logical = after == 'T' || after == 'F' || after == 'Y' || after == 'N';
            if (logical && i + 2 < n && text[i + 2] == '.') return true;
            if ((after == 'N' || after == 'D') && (word_at(text, i + 1, n, "NULL") || word_at(text, i + 1, n, "DBF"))) {
                return true;
            }
            const char last = i > 0 ? upper(text[i - 1]) : '\0';
            if (last == 'M' || last == 'S' || last == 'T') {  // m.x, this.x, thisform.x, thisformset.x
                std::size_t from = i - 1;
                while (from > 0 && name_char(text[from - 1])) --from;
                if (object_word(text.substr(from, i - from)) && name_start(text[i + 1])) return true;
            }
            break;
        }
        case equals_clue:
            if (c == '=' && i + 1 < n && text[i + 1] == '=') return true;
            if (compared_items && in_select_list(text, i, select_list)) return true;  // a condition as an item
            break;
        case always_clue:
            return true;
        case brace_clue: {
            std::size_t at = i + 1;
            while (at < n && is_blank(text[at])) ++at;
            if (at < n && is_digit(text[at])) return true;  // {mm/dd/yyyy}
            const std::size_t close = text.find('}', i);
            if (close == std::string_view::npos) return compared_items && select_list_predicate(text, pass.rules);
            i = close;
            break;
        }
        case star_clue: {  // * beside other items of a select list
            if (named().clause_star.target[pass.column].empty()) break;
            std::size_t before = i, after = i + 1;
            while (before > 0 && is_blank(text[before - 1])) --before;
            while (after < n && is_blank(text[after])) ++after;
            if ((before > 0 && text[before - 1] == ',') || (after < n && text[after] == ',')) return true;
            break;
        }
        case slash_clue:
            if (i > 0 && i + 1 < n && name_char(text[i - 1]) && name_char(text[i + 1])) return true;  // a path
            break;
        case skip_clue:
            i = (c == '~' ? reference_end(text, i, n, pass.rules) : parameter_end(text, i, n, pass.rules)) - 1;
            break;
        case b_clue:
            if (i == 0 || !name_char(text[i - 1])) {  // BETW, BETWE, BETWEE
                std::size_t w1 = i + 1;
                while (w1 < n && name_char(text[w1])) ++w1;
                if (w1 - i >= 4 && w1 - i <= 6 && keyword_of(text.substr(i, w1 - i)) == Kw::callable) return true;
                i = w1 - 1;
            }
            break;
        case no_clue:
            break;
        }
    }
    return compared_items && select_list_predicate(text, pass.rules);
}

}  // namespace tarnvel::select::fox
