// The quoted runs the SELECT conversion steps over when it searches a text for parentheses, commas,
// arguments, subquery ends or list items: the same runs its scanner reads as literals.
#pragma once

#include "lex/scan.h"
#include "select/dialect.h"

namespace tarnvel::select {

// A statement or member as written: '...' and "..." always (converted or kept, the scanner reads
// them as one run), [...] as the dialect reads brackets, `...` where backquotes quote names. A FoxPro
// [...] string ends at its first "]": FoxPro counts no "[" inside it ([a[b] is the text a[b).
inline lex::LiteralRules source_literals(const Dialect &dialect, bool from_fox) {
    lex::LiteralRules rules;
    rules.double_quotes = true;
    switch (dialect.brackets) {
    case Brackets::flat:
        rules.brackets = lex::BracketRuns::flat;
        break;
    case Brackets::fox_nested:
        rules.brackets = from_fox ? lex::BracketRuns::first : lex::BracketRuns::none;
        break;
    case Brackets::names_nested:
        rules.brackets = from_fox ? lex::BracketRuns::first : lex::BracketRuns::nested;
        break;
    }
    rules.backticks = dialect.backticks;
    return rules;
}

// A converted clause: '...' strings and the dialect's quoted names (and "..." that a dialect keeps
// without the FoxPro-syntax switch).
inline lex::LiteralRules clause_literals(const Dialect &dialect) {
    lex::LiteralRules rules;
    rules.double_quotes = true;
    if (dialect.quote_open == '[') {
        rules.brackets = dialect.brackets == Brackets::flat ? lex::BracketRuns::flat : lex::BracketRuns::nested;
    }
    rules.backticks = dialect.backticks;
    return rules;
}

}  // namespace tarnvel::select
