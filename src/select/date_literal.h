// FoxPro date literals in a SELECT: {^2010-08-16}, {^2010-08-16 13:45[:00]} and the empty date {}
// or {//}, written in the dialect's literal form.
#pragma once

#include "host/text.h"
#include "select/dialect.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnvel::select {

struct DateLiteral {
    enum Kind { none, verbatim, empty, date, datetime } kind = none;
    std::size_t length = 0;  // characters from the "{" through the "}"
    bool clock = false;      // an empty literal with a colon, {:} or {/:}: the empty datetime
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// A time of day as FoxPro writes it in a literal: hh[:mm[:ss]], then, blanks allowed before it, A or
// P with or without M in either case (10:00p, 10:30 PM, 9a). Reads from 'at' and moves it past the
// time; false when the text names no time of day.
struct Clock {
    int hour = 0, minute = 0, second = 0;
};
bool read_clock(std::string_view text, std::size_t &at, Clock &clock);

// Reads the literal that starts with the "{" at the beginning of 'text'. A "{^" that holds no
// valid date is 'verbatim' and runs through its "}" (or to the end).
DateLiteral read_date_literal(std::string_view text);
// The dialect's literal (at most a few dozen characters).
std::string date_literal_text(const DateLiteral &literal, const DateForm &date, const DateForm &datetime);

}  // namespace tarnvel::select
