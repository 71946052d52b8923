// WEEK(d, nFirstWeek, nFirstDay) under FoxPro's rules 2 (week 1 the first with four days of the new
// year) and 3 (the first whole week), checked on MariaDB and PostgreSQL against the rule worked out
// here from its definition: the days before week 1 are in the last week of the year before, and
// those of late December after the last week in week 1 of the next year.
#include "servers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

namespace cr = std::chrono;

// The first day of week 1 of the year: the first day 'first' (1 Sunday to 7 Saturday) on or after
// January 1 (rule 3), or the one that begins the week holding January 4 (rule 2).
cr::sys_days week_one(int year, int rule, int first) {
    const cr::sys_days anchor{cr::year{year} / cr::January / (rule == 2 ? 4 : 1)};
    const cr::weekday begins{static_cast<unsigned>(first - 1)};
    if (rule == 2) return anchor - (cr::weekday{anchor} - begins);
    return anchor + (begins - cr::weekday{anchor});
}

int fox_week(cr::sys_days day, int rule, int first) {
    const int year = static_cast<int>(cr::year_month_day{day}.year());
    for (int y = year + 1; y >= year - 1; --y) {
        const cr::sys_days start = week_one(y, rule, first);
        if (start <= day) return static_cast<int>((day - start).count() / 7 + 1);
    }
    return -1;
}

// The days around the turn of several years, and a few in between.
std::vector<cr::sys_days> days() {
    std::vector<cr::sys_days> out;
    for (int year = 2015; year <= 2027; ++year) {
        const cr::sys_days turn{cr::year{year} / cr::January / 1};
        for (int d = -9; d <= 9; ++d) out.push_back(turn + cr::days{d});
        out.push_back(turn + cr::days{180});
    }
    return out;
}

std::string written(cr::sys_days day) {
    const cr::year_month_day ymd{day};
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()));
    return text;
}

template <class Server> class WeekRules : public ::testing::Test {};
TYPED_TEST_SUITE(WeekRules, engine::Servers, engine::ServerName);

TYPED_TEST(WeekRules, CountWeeksAsFoxProDoes) {
    typename TypeParam::Client db;
    std::vector<std::string> inserts;
    const std::vector<cr::sys_days> all = days();
    for (std::size_t k = 0; k < all.size(); ++k) {
        inserts.push_back("INSERT INTO wk (K, D) VALUES (" + std::to_string(k) + ", '" + written(all[k]) + "')");
    }
    engine::make_table<TypeParam>(db, "wk", "K I, D D", inserts);
    for (const int rule : {2, 3}) {
        for (int first = 1; first <= 7; ++first) {
            std::string expected;
            for (const cr::sys_days day : all) expected += (expected.empty() ? "" : " ") + std::to_string(fox_week(day, rule, first));
            const std::string call = "WEEK(d, " + std::to_string(rule) + ", " + std::to_string(first) + ")";
            EXPECT_EQ(engine::first_values<TypeParam>(db, "SELECT " + call + " AS w FROM wk ORDER BY k"), expected) << call;
        }
    }
    // the empty date is in week 0
    engine::make_table<TypeParam>(db, "wk", "K I, D D", {"INSERT INTO wk (K, D) VALUES (1, " + std::string(TypeParam::empty_date) + ")"});
    EXPECT_EQ(engine::first_values<TypeParam>(db, "SELECT WEEK(d, 2, 2) AS w FROM wk"), "0");
}

}  // namespace
