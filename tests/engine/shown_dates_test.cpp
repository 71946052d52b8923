// Days added to a field, taken from it, and the days between two fields, where only the statement
// shows the fields to be dates: the converted statements must give FoxPro's values on both servers.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char *foxpro;    // a statement over sd
    const char *expected;  // the first column of its rows, joined by blanks, as FoxPro gives them
};

// k  d1          d2          n   t                    d3 (allows .NULL.)
// 1  2020-03-31  2020-01-31  30  2020-03-31 10:00:00  2020-01-01
// 2  2020-12-15  2021-01-04  7   2020-12-31 23:59:30  .NULL.
// 3  (empty)     2019-02-28  1   (empty)              .NULL.
constexpr Case cases[] = {
    {"SELECT d1 + 30 AS v FROM sd WHERE YEAR(d1) > 0 ORDER BY k", "2020-04-30 2021-01-14"},
    {"SELECT d1 - 30 AS v FROM sd WHERE !EMPTY(d1) AND DTOS(d1) > '2' ORDER BY k", "2020-03-01 2020-11-15"},
    {"SELECT d1 + n AS v FROM sd WHERE d1 > {^2000-01-01} ORDER BY k", "2020-04-30 2020-12-22"},
    {"SELECT d1 - d2 AS v FROM sd WHERE d2 >= {^2000-01-01} AND !EMPTY(d1) ORDER BY k", "60 -20"},
    {"SELECT INT((d1 - d2) / 7) AS v FROM sd WHERE BETWEEN(d2, {^2000-01-01}, DATE()) AND !EMPTY(d1) ORDER BY k", "8 -2"},
    {"SELECT k FROM sd WHERE d1 - d2 > 30 AND d2 < DATE() ORDER BY k", "1"},
    {"SELECT k FROM sd WHERE !EMPTY(d1) AND d1 + 20 > {^2021-01-01} AND MONTH(d1) > 0 ORDER BY k", "2"},
    // the evidence in a subquery, the arithmetic outside it, and the other way round
    {"SELECT d1 + 1 AS v FROM sd WHERE k IN (SELECT k FROM sd WHERE d1 > {^2020-06-01})", "2020-12-16"},
    {"SELECT k FROM sd WHERE k IN (SELECT k FROM sd WHERE INT((d1 - d2) / 10) = 6) AND d2 BETWEEN {^2000-01-01} AND DATE()",
     "1"},
    // a datetime: seconds
    {"SELECT t + 3600 AS v FROM sd WHERE HOUR(t) > 0 ORDER BY k", "2020-03-31 11:00:00 2021-01-01 00:59:30"},
    // the greatest and least of a field shown to be a date are dates
    {"SELECT MAX(d1) - MIN(d1) AS v FROM sd WHERE YEAR(d1) > 0", "259"},
    {"SELECT MAX(d2) + 30 AS v FROM sd WHERE d2 > {^2000-01-01}", "2021-02-03"},
    {"SELECT COUNT(*) AS v FROM sd WHERE HOUR(t) > 0 HAVING MAX(t) - MIN(t) = 23810370", "2"},
    // a difference with today or a date, before or after the days added
    {"SELECT d1 + 30 AS v, d1 - {^2020-01-01} AS w FROM sd WHERE k < 3 ORDER BY k", "2020-04-30 2021-01-14"},
    {"SELECT d2 - 1 AS v, DATE() - d2 AS w FROM sd ORDER BY k", "2020-01-30 2021-01-03 2019-02-27"},
    {"SELECT d2 + 1 AS v FROM sd WHERE DATE() - d2 > 30 ORDER BY k", "2020-02-01 2021-01-05 2019-03-01"},
    {"SELECT t + 60 AS v, DATETIME() - t AS w FROM sd WHERE k = 1", "2020-03-31 10:01:00"},
    // a date made of the parts of the empty date is the empty date
    {"SELECT DTOS(DATE(YEAR(d1), MONTH(d1), 1)) + '|' AS v FROM sd ORDER BY k", "20200301| 20201201|         |"},
    {"SELECT k FROM sd WHERE EMPTY(DATE(YEAR(d1), MONTH(d1), 1)) ORDER BY k", "3"},
    // parts that make no date (a month or day of 0, a day the month lacks, a month past 12) make
    // the empty date; the last day of a month, February 29 of a leap year, a real date
    {"SELECT DTOS(DATE(YEAR(d1), MONTH(d1), 31)) + '|' AS v FROM sd ORDER BY k", "20200331| 20201231|         |"},
    {"SELECT DTOS(DATE(2019 + k, 2, 29)) + '|' AS v FROM sd ORDER BY k", "20200229|         |         |"},
    {"SELECT DTOS(DATE(2020, MONTH(d1) + 1, 31)) + '|' AS v FROM sd ORDER BY k", "        |         | 20200131|"},
    {"SELECT DTOS(DATE(2020, k * 6, 1)) + '|' AS v FROM sd ORDER BY k", "20200601| 20201201|         |"},
    {"SELECT DTOS(DATE(2020, 1, k - 2)) + '|' AS v FROM sd ORDER BY k", "        |         | 20200101|"},
    {"SELECT k FROM sd WHERE EMPTY(DATE(0, 0, 1)) AND EMPTY(DATE(YEAR(d2), 4, 31)) ORDER BY k", "1 2 3"},
    // parts written out are judged when converting; a part of a date is in range but for the empty
    // date; a day of 1 to 28 fits every month, a later one is tested against the month's last day
    {"SELECT DTOS(DATE(2021, 2, 29)) + DTOS(DATE(2020, 13, 1)) + DTOS(DATE(2020, 4, 31)) + '|' AS v FROM sd WHERE k = 1",
     "                        |"},
    {"SELECT DTOS(DATE(2024, 2, 29)) + DTOS(DATE(2020, 12, 31)) AS v FROM sd WHERE k = 1", "2024022920201231"},
    {"SELECT k FROM sd WHERE EMPTY(DATE(2020, 2, 30)) AND !EMPTY(DATE(2020, 2, 28) + k) ORDER BY k", "1 2 3"},
    {"SELECT DTOS(DATE(YEAR(d1), 2, 29)) + '|' AS v FROM sd ORDER BY k", "20200229| 20200229|         |"},
    {"SELECT DTOS(DATE(YEAR(d2), MONTH(d2), 1)) + '|' AS v FROM sd ORDER BY k", "20200101| 20210101| 20190201|"},
    {"SELECT DTOS(DATE(2021, 2, DAY(d2))) + '|' AS v FROM sd ORDER BY k", "        | 20210204| 20210228|"},
    {"SELECT DTOS(DATE(2020, 1, MONTH(d2))) + DTOS(DATE(2020, MONTH(d1), 31)) + '|' AS v FROM sd ORDER BY k",
     "2020010120200331| 2020010120201231| 20200102        |"},
};

// Two fields shown to be dates compared with each other: the empty date equals itself and is below
// every date that is set, on PostgreSQL whose NULL stands for it too.
constexpr Case compared[] = {
    {"SELECT a.k FROM sd a, sd b WHERE a.d1 = b.d1 AND YEAR(a.d1) >= 0 ORDER BY 1", "1 2 3"},
    {"SELECT k FROM sd WHERE d1 < d2 AND YEAR(d1) >= 0 AND YEAR(d2) > 0 ORDER BY k", "2 3"},
    {"SELECT k FROM sd WHERE d2 > d1 AND YEAR(d1) >= 0 AND YEAR(d2) > 0 ORDER BY k", "2 3"},
    {"SELECT k FROM sd WHERE d1 >= d2 AND YEAR(d1) >= 0 AND YEAR(d2) > 0 ORDER BY k", "1"},
    {"SELECT k FROM sd WHERE d1 <= d1 AND DTOS(d1) >= ' ' ORDER BY k", "1 2 3"},
    {"SELECT k FROM sd WHERE d1 <> d2 AND d2 > {^2000-01-01} AND MONTH(d1) >= 0 ORDER BY k", "1 2 3"},
    {"SELECT b.k FROM sd a, sd b WHERE a.k = 3 AND a.d1 # b.d1 AND YEAR(a.d1) >= 0 ORDER BY 1", "1 2"},
    {"SELECT b.k FROM sd a, sd b WHERE a.k = 3 AND a.t < b.t AND HOUR(a.t) >= 0 ORDER BY 1", "1 2"},
    {"SELECT a.k FROM sd a, sd b WHERE b.k = 3 AND a.t >= b.t AND HOUR(a.t) >= 0 ORDER BY 1", "1 2 3"},
    // a call that gives a date (empty where its argument is) compared with such a field
    {"SELECT k FROM sd WHERE TTOD(t) = d1 AND YEAR(d1) >= 0 ORDER BY k", "1 3"},
    {"SELECT k FROM sd WHERE TTOD(t) < d2 AND YEAR(d2) > 0 ORDER BY k", "2 3"},
    {"SELECT a.k FROM sd a JOIN sd b ON GOMONTH(a.d1, 1) >= b.d1 WHERE b.k = 3 AND YEAR(b.d1) >= 0 ORDER BY 1", "1 2 3"},
    {"SELECT k FROM sd WHERE DATE(YEAR(d1), MONTH(d1), 1) <> d1 AND YEAR(d1) >= 0 ORDER BY k", "1 2"},
    {"SELECT k FROM sd WHERE GOMONTH(d1, 1) > d1 AND YEAR(d1) >= 0 ORDER BY k", "1 2"},
    {"SELECT k FROM sd WHERE CTOD('') = d1 AND YEAR(d1) >= 0 ORDER BY k", "3"},
    {"SELECT k FROM sd WHERE DATE(0, 0, 1) = d1 AND DATE(2020, 12, 15) <= d1 + 0 AND YEAR(d1) >= 0 ORDER BY k", ""},
    {"SELECT k FROM sd WHERE DATE(0, 0, 1) = d1 OR DATE(2020, 12, 15) <= d1 AND YEAR(d1) >= 0 ORDER BY k", "2 3"},
    // the call on the right of the field
    {"SELECT k FROM sd WHERE d2 > TTOD(t) AND YEAR(d2) > 0 ORDER BY k", "2 3"},
    {"SELECT k FROM sd WHERE d1 = TTOD(t) AND YEAR(d1) >= 0 ORDER BY k", "1 3"},
    {"SELECT k FROM sd WHERE d1 >= TTOD(t) AND YEAR(d1) >= 0 ORDER BY k", "1 3"},
    {"SELECT b.k FROM sd a JOIN sd b ON b.d1 <= GOMONTH(a.d1, 1) WHERE a.k = 3 AND YEAR(b.d1) >= 0 ORDER BY 1", "3"},
    {"SELECT k FROM sd WHERE d1 <> DATE(YEAR(d1), MONTH(d1), 1) AND YEAR(d1) >= 0 ORDER BY k", "1 2"},
    {"SELECT k FROM sd WHERE d1 < GOMONTH(d1, 1) AND YEAR(d1) >= 0 ORDER BY k", "1 2"},
    {"SELECT k FROM sd WHERE d1 >= CTOD('01/01/2020') AND YEAR(d1) >= 0 ORDER BY k", "1 2"},
    // a call that gives a datetime (empty where its argument is) compared with a datetime field
    {"SELECT k FROM sd WHERE t >= DTOT(d1) AND HOUR(t) >= 0 AND YEAR(d1) >= 0 ORDER BY k", "1 2 3"},
    {"SELECT k FROM sd WHERE DTOT(d2) > t AND HOUR(t) >= 0 ORDER BY k", "2 3"},
    {"SELECT k FROM sd WHERE t < DTOT(d1) AND HOUR(t) >= 0 ORDER BY k", ""},
    {"SELECT k FROM sd WHERE DTOT(d1) = t OR k = 1 AND HOUR(t) >= 0 ORDER BY k", "1 3"},
    // days added to the field on the right: the empty date plus days stays empty
    {"SELECT k FROM sd WHERE TTOD(t) = d1 + 0 AND YEAR(d1) >= 0 ORDER BY k", "1 3"},
    {"SELECT k FROM sd WHERE d1 < d2 - 30 AND YEAR(d1) >= 0 AND YEAR(d2) > 0 ORDER BY k", "3"},
    {"SELECT k FROM sd WHERE d1 <= d2 + 1 AND d2 + 1 > d1 AND YEAR(d1) >= 0 AND YEAR(d2) > 0 ORDER BY k", "2 3"},
};

// MIN and COUNT of a field shown to be a date: FoxPro's MIN is the empty date where a row holds one,
// and COUNT counts it; on PostgreSQL, whose NULL stands for it, too.
constexpr Case aggregates[] = {
    {"SELECT COUNT(d1) AS v FROM sd WHERE YEAR(d1) >= 0", "3"},
    {"SELECT COUNT(DISTINCT d1) * 10 + CNT(t) AS v FROM sd WHERE YEAR(d1) >= 0 AND HOUR(t) >= 0", "33"},
    {"SELECT DTOS(MIN(d1)) + '|' AS v FROM sd WHERE YEAR(d1) >= 0", "        |"},
    {"SELECT DTOS(MIN(d1)) + '|' AS v FROM sd WHERE d1 < {^2020-12-01} GROUP BY n ORDER BY n", "        | 20200331|"},
    {"SELECT TTOC(MIN(t), 1) + '|' AS v FROM sd WHERE HOUR(t) >= 0", "              |"},
    {"SELECT COUNT(*) AS v FROM sd WHERE YEAR(d1) > 0 HAVING MIN(d1) > {^2020-01-01}", "2"},
};

// The empty date written out where nothing else gives it a type: an aggregate's argument, a UNION's
// item, a CASE's branches, a sum.
constexpr Case empty_literals[] = {
    {"SELECT 0 AS k, MAX({}) AS e FROM sd UNION SELECT k, d1 FROM sd WHERE k = 2 ORDER BY 1", "0 2"},
    {"SELECT DTOS(MIN(CTOD(SPACE(8)))) + '|' AS v FROM sd", "        |"},
    {"SELECT DTOS(MAX({  /  /  })) + '|' AS v FROM sd WHERE k = 1", "        |"},
    {"SELECT DTOS(IIF(k = 1, {}, {})) + '|' AS v FROM sd ORDER BY k", "        |         |         |"},
};

// ISNULL and NVL of a field shown to be a date find its .NULL. where the field allows .NULL. (d3: set,
// .NULL., .NULL.); on MySQL ISNULL finds no empty date of a NOT NULL field (d1), which d IS NULL would.
constexpr Case nulls[] = {
    {"SELECT k FROM sd WHERE ISNULL(d3) OR d3 > {^2030-01-01} ORDER BY k", "2 3"},
    {"SELECT k FROM sd WHERE !ISNULL(d3) AND d3 < {^2030-01-01} ORDER BY k", "1"},
    {"SELECT DTOS(NVL(d3, {^1999-01-01})) AS v FROM sd WHERE k > 0 OR d3 > {^2000-01-01} ORDER BY k",
     "20200101 19990101 19990101"},
};
// MySQL's d IS NULL finds the zero date of a NOT NULL column in WHERE and ON, even on the outer side of a
// join; FoxPro's ISNULL and IS NULL find no empty date.
constexpr Case zero_dates[] = {
    {"SELECT k FROM sd WHERE !ISNULL(t) AND HOUR(t) >= 0 ORDER BY k", "1 2 3"},
    {"SELECT k FROM sd WHERE ISNULL(d1) OR k = 1 ORDER BY k", "1"},
    {"SELECT a.k FROM sd a LEFT JOIN sd b ON b.k = a.k AND ISNULL(b.d1) WHERE ISNULL(b.k) ORDER BY 1", "1 2 3"},
    {"SELECT a.k FROM sd a LEFT JOIN sd b ON b.k = a.k WHERE ISNULL(b.d1) ORDER BY 1", ""},
    {"SELECT a.k FROM sd a LEFT JOIN sd b ON b.k = a.k WHERE b.d1 IS NULL ORDER BY 1", ""},
    {"SELECT k FROM sd WHERE t IS NULL OR k = 2 ORDER BY k", "2"},
};

template <class Server> class ShownDates : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string into = "INSERT INTO sd (K, D1, D2, N, T, D3) VALUES ";
        engine::make_table<Server>(
            db, "sd", "K I, D1 D, D2 D, N N(5), T T, D3 D NULL",
            {into + "(1, '2020-03-31', '2020-01-31', 30, '2020-03-31 10:00:00', '2020-01-01')",
             into + "(2, '2020-12-15', '2021-01-04', 7, '2020-12-31 23:59:30', NULL)",
             into + "(3, " + Server::empty_date + ", '2019-02-28', 1, " + Server::empty_datetime + ", NULL)"});
    }

    std::string run(const std::string &foxpro) { return engine::first_values<Server>(db, foxpro); }

    typename Server::Client db;
};
TYPED_TEST_SUITE(ShownDates, engine::Servers, engine::ServerName);

TYPED_TEST(ShownDates, DaysAndDifferencesAreFoxPros) {
    for (const Case &c : cases) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(ShownDates, TheEmptyDateComparesWithDatesAsInFoxPro) {
    for (const Case &c : compared) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(ShownDates, AggregatesCountAndFindTheEmptyDate) {
    for (const Case &c : aggregates) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(ShownDates, TheEmptyDateWrittenOutIsADate) {
    for (const Case &c : empty_literals) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
}

TYPED_TEST(ShownDates, NullTestsFindTheNullsOfAFieldThatAllowsThem) {
    for (const Case &c : nulls) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
    if constexpr (TypeParam::target == tarnvel::Target::mysql) {
        for (const Case &c : zero_dates) EXPECT_EQ(this->run(c.foxpro), c.expected) << c.foxpro;
    }
}

}  // namespace
