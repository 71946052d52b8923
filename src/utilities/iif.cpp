#include "utilities/iif.h"

#include "lex/letters.h"
#include "lex/scan.h"

#include <cstddef>
#include <string_view>

namespace tarnvel::utilities {
namespace {

using Pos = std::ptrdiff_t;

// The searches skip strings in single and in double quotes: a comma or parenthesis inside a string
// never ends an argument or a call.
constexpr lex::LiteralRules strings{.double_quotes = true};

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
        if (const Pos end = lex::run_end(upper, i, strings); end != i) {
            i = end;  // an open string runs to the end
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
void edit(Text &search, Text &out, Pos pos, std::size_t count, std::string_view with) {
    search.replace(static_cast<std::size_t>(pos), count, with);
    out.replace(static_cast<std::size_t>(pos), count, with);
}

}  // namespace

bool convert_iif(Text &command, Text &out) {
    command.set_message(case_memory_message);
    out.set_message(case_memory_message);
    out.clear();
    out.append(command.view());
    const lex::Alphabet &abc = lex::Alphabet::current();
    abc.upper_in_place(command.data(), command.size());

    Pos from = 0;
    for (;;) {
        const Call call = next_call(command.view(), from, abc);
        if (call.start < 0) break;
        const Pos at = call.start;
        edit(command, out, at, static_cast<std::size_t>(call.paren - at + 1), " CASE WHEN ");
        if (Pos comma = lex::find_next_comma(command.view(), at, strings); comma >= 0) {
            edit(command, out, comma, 1, " THEN ");
            if (comma = lex::find_next_comma(command.view(), at, strings); comma >= 0) {
                edit(command, out, comma, 1, " ELSE ");
                if (Pos close = lex::find_close_paren(command.view(), at, strings); close >= 0) edit(command, out, close, 1, " END ");
            }
        }
        from = at + 3;  // inside " CASE WHEN ", which holds no IIF and no quote
    }
    return true;
}

}  // namespace tarnvel::utilities
