// The typed-value syntax of --var and --array: FoxPro literals, or text as written.
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

namespace {

using tarnvel::Error;
using tarnvel::HostValue;

TEST(TypedValues, VariablesTakeFoxProLiteralsOrTextAsWritten) {
    struct Case {
        const char *assignment;
        const char *name;
        HostValue value;
    } cases[] = {
        {"cName='O''Neil'", "cName", HostValue::character("'O''Neil'")},  // no literal: text as written
        {"cName=O'Neil", "cName", HostValue::character("O'Neil")}, {"c=\"text\"", "c", HostValue::character("text")},
        {"c=[a, b]", "c", HostValue::character("a, b")}, {"c=", "c", HostValue::character("")},
        {"c=hello world", "c", HostValue::character("hello world")}, {"c=12abc", "c", HostValue::character("12abc")},
        {"c='unterminated", "c", HostValue::character("'unterminated")}, {"c=x=y", "c", HostValue::character("x=y")},
        {"n=12.50", "n", HostValue::numeric(12.5, 2)}, {"n=5", "n", HostValue::numeric(5, 0)},
        {"n=-3.5", "n", HostValue::numeric(-3.5, 1)}, {"n= 7 ", "n", HostValue::numeric(7, 0)},
        {"l=.T.", "l", HostValue::boolean(true)}, {"l=.f.", "l", HostValue::boolean(false)},
        {"x=.NULL.", "x", HostValue::null()}, {"d={^2010-08-16}", "d", HostValue::date(2010, 8, 16)},
        {"t={^2010-08-16 13:45:00}", "t", HostValue::datetime(2010, 8, 16, 13, 45, 0)},
        {"d={}", "d", HostValue::empty_date()}, {"y=$1.05", "y", HostValue::money(10500)},
        {"y=-$0.05", "y", HostValue::money(-500)}, {"m.nId=5", "m.nId", HostValue::numeric(5, 0)},
        {" \tn\t =+4", "n", HostValue::numeric(4, 0)}, {"y=+$2", "y", HostValue::money(20000)},
        {"l=-.T.", "l", HostValue::character("-.T.")},  // a sign makes no literal of a logical or a date
        {"d=-{^2010-08-16}", "d", HostValue::character("-{^2010-08-16}")},
    };
    for (const Case &c : cases) {
        auto [name, value] = tarnvel::parse_variable(c.assignment);
        EXPECT_EQ(name, c.name) << c.assignment;
        EXPECT_EQ(value, c.value) << c.assignment;
    }
}

TEST(TypedValues, MalformedAssignmentsAreErrors) {
    for (const char *bad : {"noequals", "=5", "1x=5", "a b=5", "d={^2010-13-01}", "d={tomorrow}", "d={^2010-08-16", "=", " \t=1"})
        EXPECT_THROW(tarnvel::parse_variable(bad), Error) << bad;
}

TEST(TypedValues, ArraysSplitAtCommasOutsideDelimiters) {
    auto [name, elements] = tarnvel::parse_array("A__orders_1=[dbo.Orders, 'a, b', [x,y], {^2010-08-16}, 5, .T.]");
    EXPECT_EQ(name, "A__orders_1");
    std::vector<HostValue> expected = {HostValue::character("dbo.Orders"), HostValue::character("a, b"),
                                       HostValue::character("x,y"),        HostValue::date(2010, 8, 16),
                                       HostValue::numeric(5, 0),           HostValue::boolean(true)};
    EXPECT_EQ(elements, expected);
    EXPECT_EQ(tarnvel::parse_array("a=[,]").second, (std::vector<HostValue>{HostValue::character(""), HostValue::character("")}));
    EXPECT_EQ(tarnvel::parse_array("a=\t[ 1 ,\t'x, y' , {^2010-08-16}\t]\t").second,
              (std::vector<HostValue>{HostValue::numeric(1, 0), HostValue::character("x, y"), HostValue::date(2010, 8, 16)}));
    EXPECT_EQ(tarnvel::parse_array("a=['x, y]").second,  // an unterminated quote ends at the comma
              (std::vector<HostValue>{HostValue::character("'x"), HostValue::character("y")}));
    for (const char *bad : {"a=[]", "a=[ \t]", "a=1,2", "a=[1,2", "[1]", "a=]"}) EXPECT_THROW(tarnvel::parse_array(bad), Error) << bad;
}

TEST(TypedValues, LiteralsAreRecognisedWhole) {
    EXPECT_EQ(tarnvel::parse_literal(" 'a' "), HostValue::character("a"));
    EXPECT_EQ(tarnvel::parse_literal("'a' + 'b'"), std::nullopt);
    EXPECT_EQ(tarnvel::parse_literal("-.T."), std::nullopt);
    EXPECT_EQ(tarnvel::parse_literal("nA"), std::nullopt);
    EXPECT_EQ(tarnvel::parse_literal("1.2.3"), std::nullopt);
    EXPECT_EQ(tarnvel::parse_literal("+5"), HostValue::numeric(5, 0));
    EXPECT_EQ(tarnvel::parse_literal(" -$1 "), HostValue::money(-10000));
    EXPECT_EQ(tarnvel::parse_literal("+'a'"), std::nullopt);
}

}  // namespace
