#include "embed/errors.hpp"

#include <iterator>

namespace tarnvel::embed {
namespace {

struct Message {
    int number;
    const char *text;
};

const Message messages[] = {
    {syntax_error, "Syntax error"},
    {invalid_argument, "Function argument value, type, or count is invalid"},
    {variable_not_found, "Variable is not found"},
    {invalid_subscript, "Invalid subscript reference"},
    {numeric_overflow, "Numeric overflow"},
    {type_mismatch, "Operator/operand type mismatch"},
    {insufficient_memory, "Insufficient memory"},
    {not_an_array, "Variable is not an array"},
    {too_few_arguments, "Too few arguments"},
    {too_many_arguments, "Too many arguments"},
    {division_by_zero, "Division by zero"},
    {not_implemented, "Function is not implemented"},
};

}  // namespace

std::string error_message(int number) {
    for (const Message &m : messages)
        if (m.number == number) return m.text;
    return "Error " + std::to_string(number);
}

}  // namespace tarnvel::embed
