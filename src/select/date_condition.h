// Conditions around FoxPro's empty date that a dialect storing it as NULL must write otherwise: a
// condition of date literals alone, and the empty date on the left of a comparison with a name.
#pragma once

#include "lex/classes.h"
#include "select/date_literal.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvel::select {

// A condition of date literals alone from the "{" at the start of 'text', at least one literal the
// empty date: {} < {^2020-01-01}, {^2020-01-01} BETWEEN {} AND {^2021-01-01},
// {^2020-01-01} NOT IN ({//}, {^2020-02-01}), {} IS NULL. FoxPro's answer is a constant (the empty date
// lies below every date, equals itself only and is no .NULL.), which goes to 'holds'; the server's NULL
// is no answer. The characters the condition spans, 0 when none stands there or an operator binds its
// last literal closer. 'first' is the literal already read there.
std::size_t date_literal_condition(std::string_view text, const DateLiteral &first, const lex::Alphabet &letters,
                                   bool &holds);

// {} op name from the "{" at the start of 'text', where the name (the alphabet's word characters and
// dots) alone ends the comparison: the same comparison with the operands swapped and the operator
// mirrored ({} < d as d > {}), so that it is written as a name compared with the empty date is;
// 'length' gets the characters it replaces. Empty when no such comparison stands there.
std::string mirrored_empty_date_comparison(std::string_view text, const lex::Alphabet &letters, std::size_t &length);

}  // namespace tarnvel::select
