// SQL Server's trim of parse strings that its PATINDEX class cannot list (strings of several
// characters, the quote): each string replaced by as many marks (NCHAR(1)) as it has characters, so
// that the text keeps its length, and the first character that is no mark found with PATINDEX - from
// the start in the text, from the end in the text reversed, where each string is reversed too.
#include "select/fox/forms.h"

#include <cstddef>

namespace tarnvel::select::fox {
namespace {

// The form of each trim row, {1} the text, {2} the pattern of a character that is no mark, {3} a
// character that is none, {4} the text marked, {5} the text reversed and marked.
struct MarkedForm {
    std::string_view row;
    bool leading, trailing;
    std::string_view form;
};
constexpr std::string_view marked_end = "LEFT({1}, LEN({1} + {3}) - PATINDEX({2}, {5} + {3}))";
constexpr MarkedForm marked_forms[] = {
    {"fn.alltrim_chars", true, true,
     "SUBSTRING(LEFT({1}, LEN({1} + {3}) - PATINDEX({2}, {5} + {3})), PATINDEX({2}, {4} + {3}), LEN({1} + {3}))"},
    {"fn.ltrim_chars", true, false, "SUBSTRING({1}, PATINDEX({2}, {4} + {3}), LEN({1} + {3}))"},
    {"fn.rtrim_chars", false, true, marked_end},
    {"fn.trim_chars", false, true, marked_end},
};
constexpr std::string_view no_mark = "'%[^' + NCHAR(1) + ']%'";
constexpr std::string_view not_a_mark = "'x'";
// The text the marks are put in: Unicode, compared by code points (so that a string is found in its
// own letter case only, as FoxPro finds it, and the mark, which has no weight in other collations,
// is a character of its own), as it stands or reversed.
constexpr std::string_view marked_text = "CAST({1} AS NVARCHAR(MAX)) COLLATE Latin1_General_BIN2";
constexpr std::string_view reversed_text = "REVERSE(CAST({1} AS NVARCHAR(MAX))) COLLATE Latin1_General_BIN2";
// More strings than this write too long a nest of REPLACE calls: the call stays.
constexpr std::size_t most_strings = 8;

bool printable(char c) { return c >= ' ' && c <= '~'; }

bool shares_character(std::string_view a, std::string_view b) {
    return a.find_first_of(b) != std::string_view::npos;
}

// The parse strings trimmed, each once: printable ASCII, none bordered, no two sharing a character,
// so that at any place at most one of them begins and the marks of one never make another.
bool distinct_strings(std::span<const std::string_view> strings, bool blind, std::string_view (&kept)[most_strings],
                      std::size_t &count) {
    count = 0;
    for (const std::string_view s : strings) {
        bool repeated = false;
        for (std::size_t i = 0; i < count; ++i) repeated = repeated || kept[i] == s;
        if (repeated) continue;
        if (s.empty() || count == most_strings || bordered(s)) return false;
        for (const char c : s) {
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            if (!printable(c) || (blind && letter)) return false;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (shares_character(kept[i], s)) return false;
        }
        kept[count++] = s;
    }
    return count > 0;
}

// REPLACE(...REPLACE(base, 's1', REPLICATE(NCHAR(1), n1))..., 'sk', ...), each string reversed where
// the base is the text reversed.
void write_marked(std::string_view base, std::string_view text, const std::string_view (&kept)[most_strings],
                  std::size_t count, bool reversed, Text &out) {
    for (std::size_t i = 0; i < count; ++i) out.append("REPLACE(");
    Args one;
    one.add(text);
    fill(out, base, one);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view s = kept[i];
        out.append(", '");
        for (std::size_t k = 0; k < s.size(); ++k) {
            const char c = reversed ? s[s.size() - 1 - k] : s[k];
            out.push(c);
            if (c == '\'') out.push('\'');
        }
        out.append("', REPLICATE(NCHAR(1), ");
        append_decimal(out, s.size());
        out.append("))");
    }
}

}  // namespace

bool bordered(std::string_view s) {
    for (std::size_t n = 1; n < s.size(); ++n) {
        if (s.substr(0, n) == s.substr(s.size() - n)) return true;
    }
    return false;
}

bool marked_trim(std::string_view row, std::string_view text, std::span<const std::string_view> strings, bool blind,
                 Text &built) {
    const MarkedForm *chosen = nullptr;
    for (const MarkedForm &f : marked_forms) {
        if (f.row == row) chosen = &f;
    }
    std::string_view kept[most_strings];
    std::size_t count = 0;
    // The text is written five times at most (thrice in the form, once in each marked text): four copies.
    const bool too_long = text.size() > longest_repeated_argument && 4 * text.size() > repeated_growth_budget;
    if (chosen == nullptr || too_long || !distinct_strings(strings, blind, kept, count)) {
        return false;
    }
    Text leading, trailing;
    if (chosen->leading) write_marked(marked_text, text, kept, count, false, leading);
    if (chosen->trailing) write_marked(reversed_text, text, kept, count, true, trailing);
    Args args;
    args.add(text);
    args.add(no_mark);
    args.add(not_a_mark);
    args.add(leading.view());
    args.add(trailing.view());
    fill(built, chosen->form, args);
    return true;
}

}  // namespace tarnvel::select::fox
