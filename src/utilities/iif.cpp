#include "utilities/iif.h"

#include "lex/classes.h"
#include "lex/cursor.h"
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
    lex::Cursor cursor(upper, static_cast<std::size_t>(from), strings, lex::Levels::ignored);
    for (std::size_t i = cursor.find("IIF"); i != lex::Cursor::npos; i = cursor.find("IIF")) {
        cursor.skip_to(i + 1);
        if (i > 0 && (lex::is_name_char(abc, upper[i - 1]) || upper[i - 1] == '?')) continue;
        std::size_t p = i + 3;
        while (p < upper.size() && lex::is_blank(upper[p])) ++p;
        if (p < upper.size() && upper[p] == '(') return Call{static_cast<Pos>(i), static_cast<Pos>(p)};
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
