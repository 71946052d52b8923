// Days and seconds added to values that give a date or a datetime though they are no lone field (IIF,
// ICASE, NVL, CAST, a subquery), numbers with a fraction of a day, names compared with numbers and
// signed counts: the converted statements must give FoxPro's values on both servers, where MariaDB
// would add to a date's digits and PostgreSQL refuses a date plus a NUMERIC.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char *foxpro;    // a statement over dx
    const char *expected;  // the first column of its rows, joined by blanks, as FoxPro gives them
};

// k  d           t                    n (N(5))
// 1  2020-01-31  2020-01-31 10:00:00  30
// 2  2020-02-28  2020-02-29 23:59:30  2
constexpr Case operands[] = {
    {"SELECT IIF(k = 1, {^2020-01-31}, {^2020-02-28}) + 30 AS v FROM dx ORDER BY k", "2020-03-01 2020-03-29"},
    {"SELECT IIF(k = 1, d, {^2021-01-01}) + n AS v FROM dx ORDER BY k", "2020-03-01 2021-01-03"},
    {"SELECT ICASE(k = 1, {^2020-12-31}, {^2021-02-27}) + n AS v FROM dx ORDER BY k", "2021-01-30 2021-03-01"},
    {"SELECT NVL(d, {^2000-01-01}) - n AS v FROM dx WHERE YEAR(d) > 0 AND n >= 1 ORDER BY k", "2020-01-01 2020-02-26"},
    {"SELECT CAST(d AS T) + 3600 AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-01-31 01:00:00 2020-02-28 01:00:00"},
    {"SELECT (SELECT MAX(d) FROM dx WHERE YEAR(d) > 0) + 1 AS v FROM dx WHERE k = 1", "2020-02-29"},
    {"SELECT TTOD(t) - ROUND(n, 0) AS v FROM dx WHERE HOUR(t) >= 0 ORDER BY k", "2020-01-01 2020-02-27"},
    {"SELECT {^2020-03-01 00:00:00} - IIF(k = 1, 60, n) AS v FROM dx ORDER BY k", "2020-02-29 23:59:00 2020-02-29 23:59:58"},
    {"SELECT {^2020-02-28} + n + 1 AS v FROM dx ORDER BY k", "2020-03-30 2020-03-02"},
};

// A number with a fraction of a day: FoxPro shows and stores the whole days of the sum.
constexpr Case fractions[] = {
    {"SELECT d + 1.5 AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-02-01 2020-02-29"},
    {"SELECT d - 0.5 AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-01-30 2020-02-27"},
    {"SELECT {^2020-02-28} + 1.25 AS v FROM dx WHERE k = 1", "2020-02-29"},
    // a value with a fraction: the servers would round its days
    {"SELECT d + n / 4 AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-02-07 2020-02-28"},
    {"SELECT d - n / 4 AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-01-23 2020-02-27"},
    {"SELECT {^2020-02-28} + n * 1.5 AS v FROM dx ORDER BY k", "2020-04-13 2020-03-02"},
};

// A name compared with a number is a number: d - n takes n days from d.
constexpr Case numbers[] = {
    {"SELECT d - n AS v FROM dx WHERE d > {^2000-01-01} AND n > 0 ORDER BY k", "2020-01-01 2020-02-26"},
    {"SELECT {^2020-03-31} - n AS v FROM dx WHERE n BETWEEN 1 AND 99 ORDER BY k", "2020-03-01 2020-03-29"},
    {"SELECT t - n AS v FROM dx WHERE HOUR(t) >= 0 AND n < 100 ORDER BY k", "2020-01-31 09:59:30 2020-02-29 23:59:28"},
    {"SELECT d - -n AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-03-01 2020-03-01"},
};

// Numbers and then a value added to a date: PostgreSQL adds the numbers to the date itself, and the
// value after them must still be a whole count of days.
constexpr Case chained[] = {
    {"SELECT {^2020-01-01} + 1 + n AS v FROM dx ORDER BY k", "2020-02-01 2020-01-04"},
    {"SELECT {^2020-01-01} - 1 + 2 + n AS v FROM dx ORDER BY k", "2020-02-01 2020-01-04"},
    {"SELECT d + 1 + n AS v FROM dx WHERE YEAR(d) > 0 ORDER BY k", "2020-03-02 2020-03-02"},
    {"SELECT {^2020-01-01} + 1 + n / 4 AS v FROM dx ORDER BY k", "2020-01-09 2020-01-02"},
    {"SELECT k FROM dx WHERE DATE() + 1 + n > DATE() + 29 ORDER BY k", "1"},
};

template <class Server> class DateOperands : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string into = "INSERT INTO dx (K, D, T, N) VALUES ";
        engine::make_table<Server>(db, "dx", "K I, D D, T T, N N(5)",
                                   {into + "(1, '2020-01-31', '2020-01-31 10:00:00', 30)",
                                    into + "(2, '2020-02-28', '2020-02-29 23:59:30', 2)"});
    }

    std::string run(const std::string &foxpro) { return engine::first_values<Server>(db, foxpro); }

    typename Server::Client db;
};
TYPED_TEST_SUITE(DateOperands, engine::Servers, engine::ServerName);

TYPED_TEST(DateOperands, ValuesThatGiveDatesTakeDaysAndSeconds) {
    for (const Case &c : operands) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(DateOperands, AFractionOfADayLeavesTheWholeDays) {
    for (const Case &c : fractions) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(DateOperands, NamesComparedWithNumbersAreCounts) {
    for (const Case &c : numbers) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(DateOperands, NumbersThenAValueAddWholeDays) {
    for (const Case &c : chained) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

}  // namespace
