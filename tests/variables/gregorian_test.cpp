// The Gregorian conversion of host day numbers, checked against the host's own calendar over the whole
// range of FoxPro dates.
#include "variables/literals.h"

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

namespace {

TEST(Gregorian, AgreesWithTheHostCalendarFromYear1ToYear9999) {
    const std::int64_t first = tarnvel::julian_day(1, 1, 1);
    const std::int64_t last = tarnvel::julian_day(9999, 12, 31);
    for (std::int64_t n = first; n <= last; n += 7) {
        int year = 0, month = 0, day = 0;
        tarnvel::gregorian_date(n, year, month, day);
        tarnvel::variables::CivilDate date = tarnvel::variables::gregorian(n);
        ASSERT_EQ(date.year, year) << n;
        ASSERT_EQ(date.month, month) << n;
        ASSERT_EQ(date.day, day) << n;
    }
}

TEST(Gregorian, KnownDays) {
    struct Row {
        std::int64_t n;
        std::int64_t year;
        int month, day;
    } rows[] = {{0, 0, 0, 0}, {2361331, 1753, 1, 1}, {2086303, 1000, 1, 1}, {5373484, 9999, 12, 31},
                {2455425, 2010, 8, 16}, {2451604, 2000, 2, 29}, {2299161, 1582, 10, 15}};
    for (const Row &row : rows) {
        auto date = tarnvel::variables::gregorian(row.n);
        EXPECT_EQ(date.year, row.year) << row.n;
        EXPECT_EQ(date.month, row.month) << row.n;
        EXPECT_EQ(date.day, row.day) << row.n;
    }
}

}  // namespace
