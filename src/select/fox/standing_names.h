// The names a statement names alone, gathered in one reading so that many questions about it cost a
// lookup each rather than a reading each (a statement of thousands of aliases asks thousands).
#pragma once

#include "lex/cursor.h"

#include <string_view>
#include <vector>

namespace tarnvel::select::fox {

class StandingNames {
public:
    // Every name of the text that is neither a member (m.x, ?x.y, ~x) nor a qualifier (x.y, but
    // x.DBF is a file), and every literal's file name, outside literals.
    StandingNames(std::string_view text, const lex::LiteralRules &rules);
    // Whether the text names 'word' (any letter case): the opposite of names_no_table(text, word, rules).
    bool has(std::string_view word) const;
    // Whether it names 'word' other than by the literal 'literal' as written (RECCOUNT('x') asks
    // whether x is read besides in its own argument): the opposite of names_no_table(text, word,
    // rules, literal).
    bool has_besides(std::string_view word, std::string_view literal) const;

    struct File {
        std::string_view name, literal;  // a literal's file base name, and the literal as written
    };

private:
    std::vector<std::string_view> names_;  // sorted without regard to letter case
    std::vector<File> files_;              // by name without regard to letter case, then by literal; each once
};

}  // namespace tarnvel::select::fox
