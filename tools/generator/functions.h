// The wider function set of the second family of generated statements: each function one row
// (its name, its arguments, how many of them may be left off, its result and where it may stand),
// so that a function is added by adding a row. The arguments that FoxPro reads in a special way
// (a set of characters to trim or translate, an occurrence, a picture, a first day of the week)
// are argument kinds of their own, drawn from the values applications write there.
#pragma once

#include "schema.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace foxgen {

enum class Arg : std::uint8_t {
    none,
    text,           // an expression of each kind
    number,
    date,
    datetime,
    condition,
    whole,          // an integer field or a whole literal (the bit functions)
    positive,       // a number not below 0: ABS(n)
    text_literal,   // a string of the shared contents
    needle,         // a short string to look for
    position,       // 1 to 12
    count,          // 0 to 5
    occurrence,     // 1 to 3
    char_code,      // 32 to 126
    bit,            // 0 to 7
    chars,          // the characters to trim or translate: '-', ' .', '*!', ...
    chars_to,       // what CHRTRAN puts in their place: '', 'x', 'AE', ...
    pad_char,       // one character to pad with
    delimiters,     // word delimiters: ',', ' ;', ...
    trim_flags,     // 0 or 1 (1: the characters in any letter case)
    strtran_start,  // -1, 1, 2, 3
    strtran_count,  // -1, 1, 2
    strtran_flags,  // 0 to 3
    picture,        // a TRANSFORM picture of a number
    first_day,      // 1 to 7
    first_week,     // 0 to 3
    fiscal_month,   // 1 to 12
    months,         // -24 to 24
    year,           // 1995 to 2030
    month,          // 1 to 12
    day,            // 1 to 28
    hour,           // 0 to 23
    minute,         // 0 to 59
    ttoc_mode,      // 1 to 3
    rate,           // 0.005 to 0.1
    like_pattern,   // a LIKE() pattern with * and ?
    datetime_text,  // a datetime as CTOT reads it
};

// Where a function may stand: as a value of its type, and (logical results) as a condition.
enum Place : std::uint8_t {
    value = 1,
    condition_place = 2,
};

struct FunctionRow {
    std::string_view name;
    Type result;
    std::array<Arg, 6> args;
    int optional = 0;  // how many of the last arguments may be left off (from the end)
    std::uint8_t place = value;
    int weight = 1;
};

std::span<const FunctionRow> wide_functions();

// The values an argument kind of literals is drawn from: the texts (quoted or numbers as written),
// or, with no texts, a whole number from low to high (an empty text stands first only, as the
// texts end at the next empty one). Null for the kinds that are expressions.
struct ArgValues {
    Arg arg;
    bool quoted = false;
    int low = 0, high = 0;
    std::array<std::string_view, 10> texts{};
};
const ArgValues *arg_values(Arg arg);

// Object references and other values an application holds, for the wider statements.
struct WideVariable {
    std::string_view name;
    Type type;
};
std::span<const WideVariable> wide_variables();

// Date literals of the other forms FoxPro reads.
std::span<const std::string_view> wide_dates();

}  // namespace foxgen
