// The substitute host's expression evaluator (request 55) and its variable store.
#include "utilities/library_calls.h"

#include <cstdint>

namespace {

using tarnvel::Error;
using tarnvel::Host;
using tarnvel::HostValue;

class Evaluator : public ::testing::Test {
protected:
    Evaluator() {
        host.set_variable("nA", HostValue::numeric(1.25, 2));
        host.set_variable("nB", HostValue::numeric(2, 0));
        host.set_variable("iCount", HostValue::whole(7));
        host.set_variable("cFirst", HostValue::character("Ann  "));
        host.set_variable("cLast", HostValue::character("Lee"));
        host.set_variable("dDay", HostValue::date(2010, 8, 16));
        host.set_variable("tMoment", HostValue::datetime(2010, 8, 16, 13, 45, 0));
        host.set_variable("yPrice", HostValue::money(10500));
        host.set_variable("lYes", HostValue::boolean(true));
        host.set_variable("xNothing", HostValue::null());
        host.set_array("aTables", {HostValue::character("dbo.Orders"), HostValue::numeric(5, 0)});
        host.set_variable("iLowest", HostValue::whole(INT32_MIN));
        host.set_variable("nHuge", HostValue::numeric(1e200, 0));
        host.set_variable("mNote", HostValue::character("memo", 'M'));
        host.set_variable("vName", HostValue::character("v", 'V'));
        host.set_variable("qBin", HostValue::character("ab  ", 'Q'));
        HostValue rate = HostValue::numeric(2.5, 1);
        rate.type = 'B';
        host.set_variable("bRate", rate);
        rate.type = 'F';
        host.set_variable("fRate", rate);
        host.set_session(4);
    }
    Host host;
};

TEST_F(Evaluator, ValuesAndTheirTypes) {
    struct Case {
        const char *expression;
        HostValue expected;
    } cases[] = {
        // literals
        {"12.50", HostValue::numeric(12.5, 2)},
        {"5", HostValue::numeric(5, 0)},
        {".5", HostValue::numeric(0.5, 1)},
        {"\"dq\"", HostValue::character("dq")},
        {"[sq 'x']", HostValue::character("sq 'x'")},
        {".T.", HostValue::boolean(true)},
        {".f.", HostValue::boolean(false)},
        {".NULL.", HostValue::null()},
        {"{^2010-08-16}", HostValue::date(2010, 8, 16)},
        {"{^2010-08-16 13:45:00}", HostValue::datetime(2010, 8, 16, 13, 45, 0)},
        {"{^2010/08/16 1:45pm}", HostValue::datetime(2010, 8, 16, 13, 45, 0)},
        {"{}", HostValue::empty_date()},
        {"{/:}", HostValue::empty_date('T')},
        {"$1.05", HostValue::money(10500)},
        {"$-0.05", HostValue::money(-500)},
        {"5.", HostValue::numeric(5, 0)},
        {".Y.", HostValue::boolean(true)},
        {"{^2000-02-29}", HostValue::date(2000, 2, 29)},  // leap by the rule of 400
        {"{ ^2010-08-16\t}", HostValue::date(2010, 8, 16)},
        {"{^2010-08-16T13}", HostValue::datetime(2010, 8, 16, 13, 0, 0)},
        {"{^2010-08-16,13:45:30}", HostValue::datetime(2010, 8, 16, 13, 45, 30)},
        {"{^2010-08-16 12:30am}", HostValue::datetime(2010, 8, 16, 0, 30, 0)},
        {"{^2010-08-16 1:45 P}", HostValue::datetime(2010, 8, 16, 13, 45, 0)},
        // variables, the m. prefix, array elements
        {"nA", HostValue::numeric(1.25, 2)},
        {"m.NA", HostValue::numeric(1.25, 2)},
        {"aTables(1)", HostValue::character("dbo.Orders")},
        {"aTables[1 + 1]", HostValue::numeric(5, 0)},
        {"aTables", HostValue::character("dbo.Orders")},
        {"aTables(1.9)", HostValue::character("dbo.Orders")},  // the subscript is truncated
        // arithmetic: decimals follow the operands
        {"nA + nB", HostValue::numeric(3.25, 2)},
        {"m.nB - 0.5", HostValue::numeric(1.5, 1)},
        {"nA * 2.5", HostValue::numeric(3.125, 3)},
        {"nB / 4", HostValue::numeric(0.5, 2)},
        {"-(nB + 1) * 2", HostValue::numeric(-6, 0)},
        {"1 + 2 * 3", HostValue::numeric(7, 0)},
        {"iCount + 1", HostValue::numeric(8, 0)},
        {"-iCount", HostValue::whole(-7)},
        {"yPrice * 2", HostValue::money(21000)},
        {"1 + yPrice", HostValue::money(20500)},
        {"yPrice / 2", HostValue::money(5250)},
        {"+nA", HostValue::numeric(1.25, 2)},
        {"- -nB", HostValue::numeric(2, 0)},
        {"-iLowest", HostValue::numeric(2147483648.0, 0)},  // no 32-bit integer holds it
        {"bRate * 2", HostValue::numeric(5, 1)},
        {"-fRate", HostValue::numeric(-2.5, 1)},
        // text
        {"cFirst + cLast", HostValue::character("Ann  Lee")},
        {"cFirst - cLast", HostValue::character("AnnLee  ")},
        {"'a' + \"b\" + [c]", HostValue::character("abc")},
        {"mNote + mNote", HostValue::character("memomemo", 'M')},  // the type stays when both agree
        {"vName + mNote", HostValue::character("vmemo")},
        {"qBin - 'x'", HostValue::character("abx  ")},
        {"'   ' - 'x'", HostValue::character("x   ")},
        // dates
        {"dDay + 1", HostValue::date(2010, 8, 17)},
        {"dDay - {^2010-08-01}", HostValue::numeric(15, 0)},
        {"tMoment + 60", HostValue::datetime(2010, 8, 16, 13, 46, 0)},
        {"{} + 5", HostValue::empty_date()},
        {"dDay - 1.5", HostValue::date(2010, 8, 15)},  // whole days
        {"tMoment - {^2010-08-16 13:00:00}", HostValue::numeric(2700, 0)},  // seconds
        // null spreads
        {"xNothing + 1", HostValue::null()},
        {"2 / xNothing", HostValue::null()},
        {"-xNothing", HostValue::null()},
        // Set('DataSession'), in any case and with any delimiters
        {"Set('DataSession')", HostValue::numeric(4, 0)},
        {"set(\"DATASESSION\") + 1", HostValue::numeric(5, 0)},
    };
    for (const Case &c : cases) {
        try {
            HostValue got = host.evaluate(c.expression);
            EXPECT_EQ(got.type, c.expected.type) << c.expression;
            EXPECT_EQ(got.text, c.expected.text) << c.expression;
            EXPECT_NEAR(got.number, c.expected.number, 1e-9) << c.expression;
            EXPECT_EQ(got.decimals, c.expected.decimals) << c.expression;
            EXPECT_EQ(got.integer, c.expected.integer) << c.expression;
            EXPECT_EQ(got.currency, c.expected.currency) << c.expression;
            EXPECT_EQ(got.logical, c.expected.logical) << c.expression;
        } catch (const Error &e) {
            ADD_FAILURE() << c.expression << ": " << e.message();
        }
    }
}

TEST_F(Evaluator, WhatItCannotEvaluateIsAHostErrorWithAClearMessage) {
    struct Case {
        const char *expression;
        int number;
        const char *message_part;
    } cases[] = {
        {"nMissing + 1", 12, "Variable 'nMissing' is not found"},
        {"", 10, "empty"},
        {"1 +", 10, "unexpected end"},
        {"(1 + 2", 10, "unexpected end"},
        {"1 + 2)", 10, "unexpected ')'"},
        {"nA = 1", 10, "unexpected '='"},
        {"2 ** 3", 10, "**"},
        {"'open", 10, "unterminated"},
        {"'it''s'", 10, "unexpected '''"},  // no doubled-quote escape in FoxPro: two strings
        {"{^2010-02-30}", 10, "invalid date literal"},
        {"{^2010-08-16 25:00}", 10, "invalid date literal"},
        {"{2010}", 10, "invalid date literal"},
        {"Upper('x')", 1999, "Upper() is not supported"},
        {"Set('Exact')", 1999, "only Set('DataSession')"},
        {"nA(1)", 1999, "nA() is not supported"},
        {"cLast[1]", 232, "not an array"},
        {"aTables(3)", 31, "Invalid subscript"},
        {"aTables(1, 2)", 10, "two-dimensional"},
        {"'a' + 1", 107, "mismatch"},
        {"lYes * 2", 107, "mismatch"},
        {"-'a'", 107, "mismatch"},
        {"dDay - tMoment", 107, "mismatch"},
        {"nA / 0", 1307, "Division by zero"},
        {"dDay + tMoment", 107, "mismatch"},
        {"dDay + dDay", 107, "mismatch"},
        {"'a' * 2", 107, "mismatch"},
        {"2 * 'a'", 107, "mismatch"},
        {"+'a'", 107, "mismatch"},
        {"aTables('1')", 107, "mismatch"},
        {"Set(5)", 107, "mismatch"},
        {"aTables(0)", 31, "Invalid subscript"},
        {"nHuge * nHuge", 39, "Numeric overflow"},
        {"yPrice * 1000000000000000", 39, "Numeric overflow"},
        {"$1000000000000000", 10, "currency value out of range"},
        {"$", 10, "unexpected '$'"},
        {"m.Set('DataSession')", 1999, "Set() is not supported"},
        {"Set('DataSession', 1)", 10, "two arguments"},
        {"{^1900-02-29}", 10, "invalid date literal"},  // no leap year: divisible by 100
        {"{^0000-01-01}", 10, "invalid date literal"},
        {"{^2010-00-01}", 10, "invalid date literal"},
        {"{^2010-08-00}", 10, "invalid date literal"},
        {"{^2010}", 10, "invalid date literal"},
        {"{^2010-08}", 10, "invalid date literal"},
        {"{^2010-08-16x}", 10, "invalid date literal"},
        {"{^2010-08-16 :}", 10, "invalid date literal"},
        {"{^2010-08-16 13:}", 10, "invalid date literal"},
        {"{^2010-08-16 13:45:}", 10, "invalid date literal"},
        {"{^2010-08-16 13pm}", 10, "invalid date literal"},
        {"{^2010-08-16 0am}", 10, "invalid date literal"},
        {"{^2010-08-16 1:45 xm}", 10, "invalid date literal"},
        {"{^2010-08-16 10:60}", 10, "invalid date literal"},
        {"{^2010-08-16", 10, "invalid date literal {^2010-08-16"},
        {"1 / (nB - 2)", 1307, "Division by zero"},
    };
    for (const Case &c : cases) {
        const std::optional<Error> e = testcalls::error_of([&] { host.evaluate(c.expression); });
        ASSERT_TRUE(e) << c.expression << " evaluated";
        EXPECT_EQ(e->number(), c.number) << c.expression << ": " << e->message();
        EXPECT_NE(e->message().find(c.message_part), std::string::npos) << c.expression << ": " << e->message();
    }
}

TEST_F(Evaluator, DeepNestingIsAnErrorNotACrash) {
    std::string deep(100000, '(');
    EXPECT_THROW(host.evaluate(deep + "1"), Error);
    EXPECT_THROW(host.evaluate(std::string(100000, '-') + "1"), Error);
    EXPECT_EQ(host.evaluate(std::string(50, '(') + "1" + std::string(50, ')')).number, 1);
}

TEST(VariableStore, NamesIgnoreCaseAndThePrefixAndMustBeNames) {
    Host host;
    host.set_variable("m.Total", HostValue::numeric(1, 0));
    EXPECT_EQ(host.evaluate("TOTAL").number, 1);
    host.set_variable("total", HostValue::numeric(2, 0));  // the same variable
    EXPECT_EQ(host.evaluate("m.total").number, 2);
    host.remove_variable("M.TOTAL");
    EXPECT_THROW(host.evaluate("total"), Error);
    for (const char *bad : {"", "m.", "1abc", "a b", "a-b"}) EXPECT_THROW(host.set_variable(bad, HostValue::null()), Error) << bad;
    EXPECT_THROW(host.set_array("aEmpty", {}), Error);
    host.set_variable("x", HostValue::null());
    host.clear_variables();
    EXPECT_THROW(host.evaluate("x"), Error);
}

TEST(Dates, JulianDayNumbersRoundTrip) {
    EXPECT_EQ(tarnvel::julian_day(2000, 1, 1), 2451545);
    EXPECT_EQ(tarnvel::julian_day(1753, 1, 1), 2361331);
    EXPECT_EQ(tarnvel::julian_day(1000, 1, 1), 2086303);
    EXPECT_EQ(tarnvel::julian_day(9999, 12, 31), 5373484);
    for (std::int64_t day = 1721426; day < 5373485; day += 997) {  // 0001-01-01 to 9999-12-31
        int y, m, d;
        tarnvel::gregorian_date(day, y, m, d);
        ASSERT_EQ(tarnvel::julian_day(y, m, d), day);
    }
    int y = 1, m = 1, d = 1;
    tarnvel::gregorian_date(0, y, m, d);
    EXPECT_EQ(y + m + d, 0);
}

}  // namespace
