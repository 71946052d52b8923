// The literals the variable finder writes for a host value: numbers, currency, dates and
// datetimes, quoted strings. Each appends to the literal text (a host memory handle), which grows as
// needed.
#pragma once

#include "host/text.h"
#include "variables/dialect.h"

#include <cstdint>
#include <string_view>

namespace tarnvel::variables {

struct CivilDate {
    std::int64_t year = 0;
    int month = 0;
    int day = 0;
};

// The Gregorian date of a host day number (a Julian day number); day number 0 gives 0-0-0.
CivilDate gregorian(std::int64_t day_number);

// The value rounded half away from zero to 'decimals' places, written without a decimal point when
// the rounded fraction is zero and with exactly 'decimals' digits when it is not; a minus sign only
// when the rounded value is below zero. A value that is not finite is written NULL.
void append_number(Text &out, double value, std::uint32_t decimals);

// A count of ten-thousandths as prefix, sign, integer part, "." and four decimals.
void append_currency(Text &out, std::int64_t ten_thousandths, std::string_view prefix);

// A date (or a datetime with its time of day to the second) in the dialect's form.
void append_date(Text &out, double day_number, bool with_time, const DateLiterals &form);

// The whole-day part of a host date, bounded so that any value the host sends is safe to use.
std::int64_t whole_day(double day_number);

// 'bytes' between single quotes, each quote doubled and each zero byte written '+Char(0)+'. The
// text's growth failures raise "Insufficient memory for next str", "... next '" and "... next zero
// character" by the step that needed the room.
void append_string(Text &out, std::string_view bytes);

}  // namespace tarnvel::variables
