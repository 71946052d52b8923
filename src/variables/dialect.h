// What the variable finder needs to know about a target dialect. One finder serves all four; the
// differences are these rows.
#pragma once

#include <tarnvel/dialects.hpp>

#include <cstdint>
#include <limits>
#include <string_view>

namespace tarnvel::variables {

// A quoted string (or quoted name) the finder steps over: a "~" inside it is no marker.
struct SkippedString {
    char open;
    char close;
    bool doubled_close_stays;  // a doubled closing character stands for itself inside the string
};

struct DateLiterals {
    std::string_view open, close;                    // around a date: "'" or "#", or Oracle's DATE '...'
    std::string_view datetime_open, datetime_close;  // around a date and time
    std::string_view date_sep;  // between year, month and day: "" or "-"
    // Day numbers below this one are written as the two texts below instead.
    std::int64_t first_day;
    std::string_view date_before;
    std::string_view datetime_before;
};

struct Dialect {
    Target id;  // its row in the dialect registry
    SkippedString strings[2];
    int string_count;
    // Parameter mode: whether the reference is fetched at all (Oracle and Access only put "?"),
    // and the day numbers a parameter may hold; a date outside them is written as a literal.
    bool fetch_parameters;
    std::int64_t parameter_first_day;
    std::int64_t parameter_last_day;
    DateLiterals dates;
    std::string_view currency_prefix;  // "$" for SQL Server's money literal
    bool bit_cast;                     // a logical before AS becomes "cast (1 as bit)"
    std::string_view true_literal = "1", false_literal = "0";  // a logical value
};

inline constexpr std::int64_t no_day_limit_low = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t no_day_limit_high = std::numeric_limits<std::int64_t>::max();

// One per dialect, named by its id.
#define TARNVEL_DIALECT_FINDER(id, word, ...) extern const Dialect id;
TARNVEL_DIALECTS(TARNVEL_DIALECT_FINDER)
#undef TARNVEL_DIALECT_FINDER

}  // namespace tarnvel::variables
