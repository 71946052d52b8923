// The date style of DTOC and the table-hint switch, read from the application's variables inside a
// library call made through DispatchAPI by the bare test host.
#include "select/host_variables.h"

#include "host/variable_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

using rawhost::inside_call;
using rawhost::numeric;
using rawhost::VariableHost;

std::string style(VariableHost &h, int default_style) {
    std::string result;
    inside_call(h.host, [&] {
        std::array<char, 4> style = tarnvel::select::read_dtoc_style(default_style);
        EXPECT_EQ(style[3], '\0');
        result.assign(style.data(), 3);
    });
    return result;
}

TEST(DtocStyle, ReadsTheNumericVariableAsThreeCharacters) {
    struct Case {
        std::optional<double> value;  // nullopt: no such variable
        int default_style;
        std::string expected;
    };
    const Case cases[] = {
        {std::nullopt, 102, "102"}, {std::nullopt, 5, "5  "}, {1, 102, "1  "}, {12, 102, "12 "}, {102, 1, "102"},
        {0, 102, "0  "},
        {12.9, 102, "12 "},  // truncated toward zero
        {-1.5, 102, "-1 "}, {-99, 102, "-99"}, {999, 102, "999"},
        {1000, 102, "102"},  // four characters do not fit: the default
        {-100, 102, "102"}, {1e300, 102, "102"}, {std::nan(""), 102, "102"}, {INFINITY, 102, "102"},
    };
    for (const Case &c : cases) {
        VariableHost h;
        if (c.value) h.variable = numeric(*c.value);
        EXPECT_EQ(style(h, c.default_style), c.expected) << (c.value ? *c.value : -12345);
        EXPECT_EQ(h.names_asked, std::vector<std::string>{"___TARNVEL_Set_DToC_Style"});
        EXPECT_TRUE(h.host.requests.errors.empty());
        EXPECT_EQ(h.host.handles_in_use(), 0u);
    }
}

TEST(DtocStyle, OtherTypesAndUnfindableVariablesGiveTheDefault) {
    {
        VariableHost h;
        h.variable = h.text('C', "1");
        EXPECT_EQ(style(h, 102), "102");
        EXPECT_EQ(h.host.handles_in_use(), 0u);  // the character value's handle was released
    }
    {
        VariableHost h;
        h.variable = rawhost::logical(true);
        EXPECT_EQ(style(h, 102), "102");
    }
    {
        VariableHost h;
        h.variable = numeric(1);
        h.findable = false;
        EXPECT_EQ(style(h, 102), "102");
    }
}

TEST(TableHintSwitch, IsOnWhileTheVariableHoldsATrueValue) {
    enum class Kind { absent, unfindable, truth, text };
    struct Case {
        const char *name;
        Kind kind;
        bool truth;
        const char *text;
        bool on;
    };
    const Case cases[] = {
        {"no such name", Kind::absent, false, "", false},
        {"name known, variable not found", Kind::unfindable, true, "", false},
        {".T.", Kind::truth, true, "", true},
        {".F.", Kind::truth, false, "", false},
        {"a non-empty text", Kind::text, false, "x", true},
        {"an empty text", Kind::text, false, "", false},
    };
    for (const Case &c : cases) {
        VariableHost h;
        if (c.kind == Kind::unfindable || c.kind == Kind::truth) h.variable = rawhost::logical(c.truth);
        if (c.kind == Kind::unfindable) h.findable = false;
        if (c.kind == Kind::text) h.variable = h.text('C', c.text);
        bool on = !c.on;
        inside_call(h.host, [&] { on = tarnvel::select::table_hint_switched_on(); });
        EXPECT_EQ(on, c.on) << c.name;
        EXPECT_EQ(h.names_asked, std::vector<std::string>{"SETLOCSYS_SQL_Server_Select_NoLock"}) << c.name;
        EXPECT_TRUE(h.host.requests.errors.empty()) << c.name;
        EXPECT_EQ(h.host.handles_in_use(), 0u) << c.name;
    }
}

}  // namespace
