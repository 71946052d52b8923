#include "utilities/iif.h"

#include "lex/letters.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::utilities {
namespace {

using Pos = std::ptrdiff_t;

bool quote(char c) { return c == '\'' || c == '"'; }

// The searches below skip strings in single and in double quotes: a comma or parenthesis inside
// a string never ends an argument or a call.

// Index of the quote that closes the string opened at 'open', or -1.
Pos string_end(std::string_view text, Pos open) {
    std::size_t close = text.find(text[static_cast<std::size_t>(open)], static_cast<std::size_t>(open) + 1);
    return close == std::string_view::npos ? -1 : static_cast<Pos>(close);
}

// The next comma at nesting level zero or below after 'pos', or -1.
Pos next_comma(std::string_view text, Pos pos) {
    const auto n = static_cast<Pos>(text.size());
    long depth = 0;
    for (Pos i = pos + 1; i < n; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (quote(c)) {
            i = string_end(text, i);
            if (i < 0) return -1;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (c == ',' && depth <= 0) {
            return i;
        }
    }
    return -1;
}

// The parenthesis that closes the group open at 'pos': its index; the end of the text when the
// text ends first; -1 when a nested group is left open.
Pos close_paren(std::string_view text, Pos pos) {
    const auto n = static_cast<Pos>(text.size());
    for (Pos i = pos + 1; i < n; ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c == ')') return i;
        if (quote(c)) {
            i = string_end(text, i);
            if (i < 0) return n;
        } else if (c == '(') {
            long depth = 1;
            while (depth > 0) {
                if (++i >= n) return -1;
                const char d = text[static_cast<std::size_t>(i)];
                if (quote(d)) {
                    i = string_end(text, i);
                    if (i < 0) return -1;
                } else if (d == '(') {
                    ++depth;
                } else if (d == ')') {
                    --depth;
                }
            }
        }
    }
    return n;
}

struct Call {
    Pos start = -1;  // the "I" of IIF
    Pos paren = -1;  // its "("
};

// The next IIF call at or after 'from', outside strings: IIF not preceded by a name character,
// then only blanks and tabs up to its "(".
Call next_call(std::string_view upper, Pos from, const lex::Alphabet &abc) {
    const auto n = static_cast<Pos>(upper.size());
    auto name_char = [&](char c) {
        return abc.letter(c) || (c >= '0' && c <= '9') || c == '_' || c == '~' || c == '#' || c == '?';
    };
    for (Pos i = from; i + 3 <= n; ++i) {
        const char c = upper[static_cast<std::size_t>(i)];
        if (quote(c)) {
            i = string_end(upper, i);
            if (i < 0) break;
            continue;
        }
        if (upper.compare(static_cast<std::size_t>(i), 3, "IIF") != 0) continue;
        if (i > 0 && name_char(upper[static_cast<std::size_t>(i - 1)])) continue;
        Pos p = i + 3;
        while (p < n && (upper[static_cast<std::size_t>(p)] == ' ' || upper[static_cast<std::size_t>(p)] == '\t')) ++p;
        if (p < n && upper[static_cast<std::size_t>(p)] == '(') return Call{i, p};
    }
    return Call{};
}

// One edit, made at the same offset in both copies.
void edit(Text &search, select::Sink &out, Pos pos, std::size_t count, std::string_view with) {
    search.replace(static_cast<std::size_t>(pos), count, with);
    out.replace(static_cast<std::size_t>(pos), count, with);
}

}  // namespace

bool convert_iif(Text &command, select::Sink &out) {
    command.set_message(case_memory_message);
    out.set_message(case_memory_message);
    out.clear();
    out.append(command.view());
    const lex::Alphabet &abc = lex::Alphabet::current();
    abc.upper_in_place(command.data(), command.length());

    Pos from = 0;
    for (;;) {
        const Call call = next_call(command.view(), from, abc);
        if (call.start < 0) break;
        const Pos at = call.start;
        edit(command, out, at, static_cast<std::size_t>(call.paren - at + 1), " CASE WHEN ");
        if (Pos comma = next_comma(command.view(), at); comma >= 0) {
            edit(command, out, comma, 1, " THEN ");
            if (comma = next_comma(command.view(), at); comma >= 0) {
                edit(command, out, comma, 1, " ELSE ");
                if (Pos close = close_paren(command.view(), at); close >= 0) edit(command, out, close, 1, " END ");
            }
        }
        from = at + 3;  // inside " CASE WHEN ", which holds no IIF and no quote
    }
    return true;
}

}  // namespace tarnvel::utilities
