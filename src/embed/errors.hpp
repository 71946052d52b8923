// The host's error numbers and their messages. The substitute host raises these while answering a
// request (an expression it cannot evaluate, a variable it cannot load) and names the library's
// own error numbers with them.
#pragma once

#include <string>

namespace tarnvel::embed {

enum ErrorNumber {
    // the expression's text and its operands
    syntax_error = 10, invalid_argument = 11, type_mismatch = 107,
    too_few_arguments = 1229, too_many_arguments = 1230,
    // its variables
    variable_not_found = 12, invalid_subscript = 31, not_an_array = 232,
    // its arithmetic
    numeric_overflow = 39, division_by_zero = 1307,
    // the host itself
    insufficient_memory = 182, not_implemented = 1999,
};

// An error of the host's own, raised while it answers a request.
struct HostError {
    int number;
    std::string message;
};

// The host's message for an error number the library raised with request 83.
std::string error_message(int number);

}  // namespace tarnvel::embed
