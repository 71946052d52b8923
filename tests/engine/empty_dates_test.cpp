// The empty date and datetime read by FoxPro's date functions: a table made with our structure
// conversion holds an empty and a filled date and datetime, and each function must give FoxPro's
// value for the empty one (blanks for the texts, 0 for the parts, the empty date for a date) on
// both servers. A field that allows .NULL. keeps NULL where MariaDB can tell it from the empty date.
#include "servers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char *foxpro;    // a select-list expression over ed
    const char *expected;  // its values in rows 1 and 2, joined by |, as FoxPro gives them
};

// k  d           t                      e (NULL allowed)
// 1  (empty)     (empty)                .NULL.
// 2  2020-02-29  2020-02-29 10:30:00    2021-01-01
// 2020-02-29 is a Saturday, in week 9 of a year that begins on a Wednesday.
constexpr Case values[] = {
    {"DTOS(d)", "        |20200229"},
    {"DTOC(d, 1)", "        |20200229"},
    {"TTOC(t)", "    -  -     :  :  |2020-02-29 10:30:00"},
    {"TTOC(t, 1)", "              |20200229103000"},
    {"LEN(DTOS(d)) * 100 + LEN(TTOC(t, 1))", "814|814"},  // the width stays
    {"DTOS(d) + '-' + STR(k, 1)", "        -1|20200229-2"},  // a key built from the date
    {"YEAR(d) * 10000 + MONTH(d) * 100 + DAY(d)", "0|20200229"},
    {"HOUR(t) * 100 + MINUTE(t)", "0|1030"},
    {"DOW(d) * 10 + DOW(d, 2)", "0|76"},
    {"CDOW(d) + '|' + CMONTH(d)", "||Saturday|February"},
    {"QUARTER(d) * 10 + QUARTER(d, 4)", "0|14"},
    {"WEEK(d) * 100 + WEEK(d, 1, 2)", "0|909"},
    {"DTOS(GOMONTH(d, 1))", "        |20200329"},
    {"DTOS(d + 1)", "        |20200301"},
    {"DTOS(TTOD(t))", "        |20200229"},
    {"TTOC(DTOT(d), 1)", "              |20200229000000"},
    // the empty date plus or minus a number is the empty date itself, a date beside others
    {"DTOS({} + 1.5) + DTOS(CTOD('') - 2) + '|'", "                ||                |"},
    {"DTOS(IIF(k = 1, {//} + 3, d))", "        |20200229"},
};

// The empty date stays empty when days are added to it (the statement shows d to be a date).
constexpr Case conditions[] = {
    {"EMPTY(d + 30) AND YEAR(d) = 0", "1"},
    {"EMPTY(GOMONTH(d, -1)) AND EMPTY(DTOT(d)) AND EMPTY(TTOD(t))", "1"},
    {"DTOS(d) < '2000' AND YEAR(d) < 2000", "1"},  // blanks come before every date's digits
    {"CTOD(LEFT(DTOC(d), 10)) = d OR k = 1", "1|2"},  // the text of the empty date read back, no error
    {"EMPTY({} + 2) AND EMPTY(CTOD('') - 1) AND {} + 1 < d", "2"},  // the empty date, below every date
};

// The empty date is below every date, outside every range and list of dates, in FoxPro: the rows
// each comparison finds (where PostgreSQL's NULL would be found by none).
constexpr Case below[] = {
    {"d < {^2020-03-01}", "1|2"},
    {"{^2020-01-01} > d", "1"},
    {"{^2020-03-01} >= ed.d", "1|2"},
    {"{^2020-02-29} <> d", "1"},
    {"{^2020-02-29} # d AND k > 0", "1"},
    {"{^2020-02-29 11:00} > t", "1|2"},
    {"d NOT BETWEEN {^2020-01-01} AND {^2020-12-31}", "1"},
    {"d NOT BETWEEN {^2020-01-01} AND {^2020-02-01} OR k = 2", "1|2"},
    {"d NOT IN ({^2020-02-29}, {^2021-01-01})", "1"},
    {"ed.d NOT IN ({^2020-03-01})", "1|2"},
    {"{^2020-01-01} < d", "2"},  // the empty date is after no date
    {"d BETWEEN {^2020-01-01} AND {^2020-12-31}", "2"},
    {"d < {03/01/2020}", "1|2"},  // the dates SET DATE reads compare as the strict ones do
    {"{01/01/2020} > d", "1"},
    {"{02/29/2020} <> d AND k > 0", "1"},
    {"{01/01/2020} < d", "2"},
    {"d < DATE(2020, 3, 1)", "1|2"},  // a filled date written as a call
    {"d <> DATE(2020, 2, 29) AND k > 0", "1"},
    {"d <= DATE(2020, 2, 1) + 28", "1|2"},
    {"t < DATETIME(2020, 2, 29, 11, 0, 0)", "1|2"},
    {"d < DATE(2020, 2, 29)", "1"},
    {"d + 30 < {^2020-03-01}", "1"},  // the empty date plus days stays empty, below every date
    {"d - 1 <= {^2020-02-28} AND k > 0", "1|2"},
    {"ed.d + 365 < DATE()", "1|2"},
};

// .NULL. stays .NULL. on MariaDB, whose empty date is a value of its own; PostgreSQL stores the empty
// date as NULL and gives FoxPro's empty value for every NULL.
struct NullCase {
    const char *foxpro;
    const char *mariadb;
    const char *postgres;
};
constexpr NullCase nulls[] = {
    {"DTOC(d)", "    -  -  |2020-02-29", "    -  -  |2020-02-29"},
    {"DTOS(e)", "NULL|20210101", "        |20210101"},
    {"YEAR(e)", "NULL|2021", "0|2021"},
    {"DOW(e)", "NULL|6", "0|6"},
    {"DTOC(e)", "NULL|2021-01-01", "    -  -  |2021-01-01"},
};

template <class Server> class EmptyDates : public ::testing::Test {
protected:
    void SetUp() override {
        engine::make_table<Server>(
            db, "ed", "K I, D D, T T, E D NULL",
            {"INSERT INTO ed (K) VALUES (1)",
             "INSERT INTO ed (K, D, T, E) VALUES (2, '2020-02-29', '2020-02-29 10:30:00', '2021-01-01')"});
    }

    // The first column of every row, joined by | (the empty values are blanks).
    std::string run(const std::string &foxpro) { return engine::first_values<Server>(db, foxpro, "|"); }

    typename Server::Client db;
};
TYPED_TEST_SUITE(EmptyDates, engine::Servers, engine::ServerName);

TYPED_TEST(EmptyDates, DateFunctionsGiveFoxProsValuesOfTheEmptyDate) {
    for (const Case &c : values) {
        EXPECT_EQ(this->run(std::string("SELECT ") + c.foxpro + " AS v FROM ed ORDER BY k"), c.expected) << c.foxpro;
    }
}

TYPED_TEST(EmptyDates, DaysAddedToTheEmptyDateLeaveItEmpty) {
    for (const Case &c : conditions) {
        EXPECT_EQ(this->run(std::string("SELECT k FROM ed WHERE ") + c.foxpro + " ORDER BY k"), c.expected) << c.foxpro;
    }
}

TYPED_TEST(EmptyDates, TheEmptyDateIsBelowEveryDate) {
    for (const Case &c : below) {
        EXPECT_EQ(this->run(std::string("SELECT k FROM ed WHERE ") + c.foxpro + " ORDER BY k"), c.expected) << c.foxpro;
    }
}

TYPED_TEST(EmptyDates, NullStaysNullWhereTheServerTellsItFromTheEmptyDate) {
    const bool pg = TypeParam::target == tarnvel::Target::pgsql;
    for (const NullCase &c : nulls) {
        EXPECT_EQ(this->run(std::string("SELECT ") + c.foxpro + " AS v FROM ed ORDER BY k"), pg ? c.postgres : c.mariadb)
            << c.foxpro;
    }
}

}  // namespace
