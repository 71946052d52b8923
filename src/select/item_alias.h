// Reading the items of a converted field list: the words that stand bare in converted clauses, and
// the alias an item has without AS.
#pragma once

#include "lex/classes.h"
#include "select/dialect.h"

#include <string_view>

namespace tarnvel::select {

// The word is one that stands bare in converted clauses: the dialect's reserved words and those of
// its GROUP BY pass, the clauses' own, the operators, the units of date arithmetic and the types of
// CAST and CONVERT (any letter case).
bool clause_keyword(const Dialect &dialect, const lex::Alphabet &letters, std::string_view word);

// The alias an item has without AS ("0000 t_week", "a.name nm", "SUM(x) total"): a name, or a
// quoted name, after a blank behind the end of an operand (operand_ends);
// neither the alias nor the word before the blank is a keyword (x IS NULL). Empty when none.
std::string_view bare_alias(std::string_view item, const Dialect &dialect, const lex::Alphabet &letters);

// The text ends with the end of an operand: a closing parenthesis, a literal or a quoted name, a
// number, a qualified name, a keyword that is a value (CASE's END, NULL, TRUE...), or a name that is
// no keyword; a word behind it is then an alias.
bool operand_ends(std::string_view before, const Dialect &dialect, const lex::Alphabet &letters);

}  // namespace tarnvel::select
