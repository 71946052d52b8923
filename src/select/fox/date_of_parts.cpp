// DATE(y, m, d): the dialect's call of the three parts, guarded only where a part can make no date.
// FoxPro gives the empty date for parts that make none (month 0 or 13, April 31, the parts of the
// empty date), where the servers stop the statement or roll over. A part written out is judged when
// converting; YEAR(x), MONTH(x) and DAY(x) are in range but for the empty date, whose parts only
// SQL Server's 1900-01-01 keeps in range; a day of 1 to 28 fits every month. Only the checks a part can fail are written.
#include "select/fox/scan.h"

#include <algorithm>
#include <array>

namespace tarnvel::select::fox {

namespace {

// The checks of one dialect. 'range' tests a part against its limits, 'last_day' the day against the
// month's last day (written after the range tests, which keep it from stopping the statement). Where
// 'holds', the tests say that the parts make a date and are joined by AND into IIF(tests, call,
// empty); otherwise they say that they make none and each group becomes a WHEN of a CASE. A range
// left empty is covered by the last-day test.
struct PartChecks {
    std::array<std::string_view, 3> range;
    std::string_view last_day;
    std::string_view empty;       // the empty date where the CASE gives it
    std::string_view alone;       // the empty date as the whole value, typed
    long first_year = 1;          // the dialect's first year
    // YEAR(x), MONTH(x), DAY(x) of the empty date fall outside the range: 0, or Access's NULL, which
    // DATESERIAL refuses
    bool parts_of_empty_tested = false;
    bool holds = false;
};

constexpr std::array<PartChecks, column_count> checks = [] {
    std::array<PartChecks, column_count> c{};
    // SQL Server's dates are DATETIME (1753 to 9999), as the structure conversion makes them: a DATE
    // would refuse the days added to or taken from it (date - int is an operand type clash)
    c[sqlserver] = {{"{1} NOT BETWEEN 1753 AND 9999", "{2} NOT BETWEEN 1 AND 12", "{3} NOT BETWEEN 1 AND 31"},
                    "{3} > DAY(EOMONTH(DATEFROMPARTS({1}, {2}, 1)))", "CAST('' AS DATETIME)", "CAST('' AS DATETIME)",
                    1753, false, false};
    c[oracle] = {{"{1} NOT BETWEEN 1 AND 9999", "{2} NOT BETWEEN 1 AND 12", "{3} NOT BETWEEN 1 AND 31"},
                 "{3} > EXTRACT(DAY FROM LAST_DAY(TO_DATE({1} || '-' || {2} || '-1', 'YYYY-MM-DD')))", "NULL",
                 "CAST(NULL AS DATE)", 1, true, false};
    c[mysql] = {{"{1} NOT BETWEEN 1 AND 9999", "{2} NOT BETWEEN 1 AND 12", "{3} NOT BETWEEN 1 AND 31"},
                "{3} > DAYOFMONTH(LAST_DAY(STR_TO_DATE(CONCAT({1}, '-', {2}, '-1'), '%Y-%m-%d')))",
                "CAST('0000-00-00' AS DATE)", "CAST('0000-00-00' AS DATE)", 1, true, false};
    c[access] = {{"{1} BETWEEN 100 AND 9999", "{2} BETWEEN 1 AND 12", ""},
                 "MONTH(DATESERIAL({1}, {2}, {3})) = {2} AND DAY(DATESERIAL({1}, {2}, {3})) = {3}", "NULL", "NULL",
                 100, true, true};
    c[pgsql] = {{"{1} NOT BETWEEN 1 AND 9999", "{2} NOT BETWEEN 1 AND 12", "{3} NOT BETWEEN 1 AND 31"},
                "{3} > EXTRACT(DAY FROM MAKE_DATE({1}, {2}, 1) + INTERVAL '1 month - 1 day')", "NULL",
                "CAST(NULL AS DATE)", 1, true, false};
    return c;
}();

}  // namespace

// What a part is known to hold: a number written out, a range (a part of a date: YEAR, MONTH, DAY,
// which may also be 0), or nothing.
struct DatePart {
    enum class Known : unsigned char { value, bounded, nothing } known = Known::nothing;
    long low = 0, high = 0;
    bool may_be_zero = false;
};

namespace {

struct PartOf {
    std::string_view word;
    long low, high;
};
// The year of a date lies within the dialect's own dates, which begin at the year 100 or earlier.
constexpr PartOf parts_of_dates[] = {{"YEAR", 100, 9999}, {"MONTH", 1, 12}, {"DAY", 1, 31}};

constexpr bool i_year(const PartOf &p) { return &p == &parts_of_dates[0]; }

constexpr long part_limits[3][2] = {{1, 9999}, {1, 12}, {1, 31}};

constexpr bool leap(long year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// The days of the month; February's 29 only in a year known to be a leap year ('year' 0: unknown).
constexpr long days_in(long month, long year) {
    constexpr long days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && year != 0 && leap(year) ? 29 : days[month - 1];
}

}  // namespace

// The part between 'from' and 'to' (blanks around it): a whole number of up to six digits, or a
// call of YEAR, MONTH or DAY that is the whole part.
DatePart Scan::date_part(std::size_t from, std::size_t to) const {
    while (from < to && is_blank(src_[from])) ++from;
    while (to > from && is_blank(src_[to - 1])) --to;
    const std::string_view text = src_.substr(from, to - from);
    if (!text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string_view::npos) {
        long value = 0;
        for (const char c : text) value = value * 10 + (c - '0');
        return {DatePart::Known::value, value, value, false};
    }
    for (const PartOf &p : parts_of_dates) {
        const std::size_t open = skip_blanks(from + p.word.size());
        if (!word_at(src_, from, to, p.word) || open >= to || src_[open] != '(') continue;
        if (call_extent(open).close != to - 1) continue;
        const long low = i_year(p) ? std::max(p.low, checks[pass_.column].first_year) : p.low;  // the dialect's dates
        return {DatePart::Known::bounded, low, p.high, true};
    }
    return {};
}

bool Scan::date_of_parts(const Construct &row, std::size_t open, std::size_t close, Text &built) {
    const PartChecks &c = checks[pass_.column];
    Args args;
    std::array<DatePart, 3> parts{};
    std::size_t index = 0;
    for_each_argument(src_, open, close, pass_.rules, [&](std::size_t from, std::size_t to) {
        if (index < parts.size()) parts[index] = date_part(from, to);
        ++index;
        convert_into(args, from, to, false);
    });
    if (args.size() != 3) return false;
    std::array<bool, 3> check{};
    for (std::size_t i = 0; i < 3; ++i) {
        const DatePart &p = parts[i];
        const long first = i == 0 ? c.first_year : part_limits[i][0];
        if (p.known == DatePart::Known::value && (p.low < first || p.low > part_limits[i][1])) {
            built.append(c.alone);  // a part written out of range: no date
            return true;
        }
        check[i] = p.known == DatePart::Known::nothing ||
                   (p.known == DatePart::Known::bounded &&
                    ((p.may_be_zero && c.parts_of_empty_tested) || p.low < first || p.high > part_limits[i][1]));
    }
    const long year = parts[0].known == DatePart::Known::value ? parts[0].low : 0;
    const long fits = parts[1].known == DatePart::Known::value ? days_in(parts[1].low, year) : 28;
    if (parts[2].known == DatePart::Known::value && parts[1].known == DatePart::Known::value &&
        parts[2].low > days_in(parts[1].low, year == 0 ? 4 : year)) {
        built.append(c.alone);  // a day the month never has (February 30), or February 29 of a common year
        return true;
    }
    bool last = parts[2].known == DatePart::Known::nothing || parts[2].high > fits;
    for (std::size_t i = 1; i < 3; ++i) last = last || (check[i] && c.range[i].empty());
    date_of_checked(row.target[pass_.column], check, last, args, built);
    return true;
}

// The call, in the CASE or IIF of the checks that remain.
void Scan::date_of_checked(std::string_view call, const std::array<bool, 3> &check, bool last, const Args &args,
                           Text &built) const {
    const PartChecks &c = checks[pass_.column];
    const std::string_view joiner = c.holds ? " AND " : " OR ";
    Text ranges;
    for (std::size_t i = 0; i < 3; ++i) {
        if (!check[i] || c.range[i].empty()) continue;
        if (c.holds && last && i == 1) continue;  // the test of the calendar compares the month too
        if (!ranges.view().empty()) ranges.append(joiner);
        fill(ranges, c.range[i], args);
    }
    if (ranges.view().empty() && !last) {
        fill(built, call, args);
        return;
    }
    if (c.holds) {
        built.append("IIF(");
        built.append(ranges.view());
        if (last && !ranges.view().empty()) built.append(joiner);
        if (last) fill(built, c.last_day, args);
        built.append(", ");
    } else {
        built.append("CASE");
        for (const bool range : {true, false}) {
            if (range ? ranges.view().empty() : !last) continue;
            built.append(" WHEN ");
            if (range) built.append(ranges.view());
            else fill(built, c.last_day, args);
            built.append(" THEN ");
            built.append(c.empty);
        }
        built.append(" ELSE ");
    }
    fill(built, call, args);
    if (!c.holds) {
        built.append(" END");
        return;
    }
    built.append(", ");
    built.append(c.empty);
    built.append(")");
}

}  // namespace tarnvel::select::fox
