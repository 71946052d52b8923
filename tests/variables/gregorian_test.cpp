// The Gregorian conversion of host day numbers, checked against the host's own calendar over the whole
// range of FoxPro dates (the host's calendar is pinned to known days in embed/evaluator_test).
#include "variables/literals.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Gregorian, AgreesWithTheHostCalendarFromYear1ToYear9999) {
    const std::int64_t first = tarnvel::julian_day(1, 1, 1);
    const std::int64_t last = tarnvel::julian_day(9999, 12, 31);
    std::vector<std::int64_t> days = {0, 2299161, 2451604};  // no date, the first Gregorian day, 2000-02-29
    for (std::int64_t n = first; n <= last; n += 7) days.push_back(n);
    for (std::int64_t n : days) {
        int year = 0, month = 0, day = 0;
        tarnvel::gregorian_date(n, year, month, day);
        tarnvel::variables::CivilDate date = tarnvel::variables::gregorian(n);
        ASSERT_EQ(date.year, year) << n;
        ASSERT_EQ(date.month, month) << n;
        ASSERT_EQ(date.day, day) << n;
    }
}

}  // namespace
