// The substitute host's expression evaluator (request 55): variable names with an optional "m."
// prefix and array elements, literals, + - * / with parentheses and unary minus and plus, string
// concatenation, and Set('DataSession'). Anything else is a host error with a clear message.
//
// Types of the results:
//   text + text       concatenation; text - text moves the left side's trailing blanks to the end
//   number +- number  N with the larger count of decimals of the two (an I counts as 0 decimals)
//   number * number   N with the sum of the decimals (at most 18)
//   number / number   N with the larger count of decimals, and at least 2 (FoxPro's SET DECIMALS)
//   Y with a number   Y (currency arithmetic, rounded to ten-thousandths)
//   date +- number    D, whole days; datetime +- number: T, seconds; an empty date stays empty
//   date - date       N, days; datetime - datetime: N, seconds
//   .NULL. with any   .NULL.
#pragma once

#include "embed/variables.hpp"

#include <string_view>

namespace tarnvel::embed {

// Throws HostError when the expression cannot be evaluated.
HostValue evaluate_expression(std::string_view text, const VariableStore &variables, int session);

}  // namespace tarnvel::embed
