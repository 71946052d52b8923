// Reading a host variable by name: what is found, what a value says, and that the handle of a
// character value never outlives the reading; and the two switches read that way, the date style of
// DTOC and the table hint.
#include "host/variable.h"
#include "select/host_variables.h"

#include "host/variable_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

using rawhost::inside_call;
using rawhost::logical;
using rawhost::numeric;
using rawhost::VariableHost;

struct Reading {
    bool found = false;
    std::optional<double> number;
    bool set = false;
};

Reading read(VariableHost &h) {
    Reading reading;
    inside_call(h.host, [&] {
        const tarnvel::host::Variable variable("SOME_Variable");
        reading = {variable.found(), variable.number(), variable.set()};
    });
    return reading;
}

TEST(HostVariable, ReadsWhatTheValueSays) {
    enum class Kind { absent, unfindable, number, truth, text };
    struct Case {
        const char *name;
        Kind kind;
        double number;
        char type;  // for text
        Reading expected;
    };
    const Case cases[] = {
        {"no such name", Kind::absent, 0, 0, {false, std::nullopt, false}},
        {"name known, variable not found", Kind::unfindable, 0, 0, {false, std::nullopt, false}},
        {"numeric", Kind::number, 12.5, 0, {true, 12.5, false}},
        {"true", Kind::truth, 1, 0, {true, std::nullopt, true}},
        {"false", Kind::truth, 0, 0, {true, std::nullopt, false}},
        {"character", Kind::text, 0, 'C', {true, std::nullopt, true}},
        {"binary", Kind::text, 0, 'Q', {true, std::nullopt, true}},
        {"varchar", Kind::text, 0, 'V', {true, std::nullopt, true}},
        {"blob", Kind::text, 0, 'W', {true, std::nullopt, true}},
        {"general", Kind::text, 0, 'G', {true, std::nullopt, true}},
    };
    for (const Case &c : cases) {
        VariableHost h;
        switch (c.kind) {
        case Kind::absent: break;
        case Kind::unfindable:
            h.variable = numeric(1);
            h.findable = false;
            break;
        case Kind::number: h.variable = numeric(c.number); break;
        case Kind::truth: h.variable = logical(c.number != 0); break;
        case Kind::text: h.variable = h.text(c.type, "abc"); break;
        }
        const Reading r = read(h);
        EXPECT_EQ(r.found, c.expected.found) << c.name;
        EXPECT_EQ(r.number, c.expected.number) << c.name;
        EXPECT_EQ(r.set, c.expected.set) << c.name;
        EXPECT_EQ(h.names_asked, std::vector<std::string>{"SOME_Variable"}) << c.name;
        EXPECT_EQ(h.loads, c.expected.found ? 1 : 0) << c.name;  // never loaded through an empty locator
        EXPECT_TRUE(h.host.requests.errors.empty()) << c.name;
        EXPECT_EQ(h.host.handles_in_use(), 0u) << c.name;  // a character value's handle released
    }
}

TEST(HostVariable, OnlyCharacterAndBinaryValuesCarryAHandle) {
    for (char type : std::string_view("CGQVW")) EXPECT_TRUE(tarnvel::host::carries_text(type)) << type;
    for (char type : std::string_view("NILDTYBFM0H")) EXPECT_FALSE(tarnvel::host::carries_text(type)) << type;
    EXPECT_FALSE(tarnvel::host::carries_text('\0'));
}

TEST(HostVariable, AnErrorWhileLoadingEndsTheCall) {
    VariableHost h;
    h.variable = numeric(1);
    h.load_error = 12;
    EXPECT_FALSE(inside_call(h.host, [] { const tarnvel::host::Variable variable("SOME_Variable"); }));
    EXPECT_TRUE(h.host.requests.errors.empty());  // the host reported it already
    EXPECT_EQ(h.host.handles_in_use(), 0u);
}

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

// A character or logical value, or a variable that cannot be found: the default.
TEST(DtocStyle, OtherTypesAndUnfindableVariablesGiveTheDefault) {
    for (int kind = 0; kind < 3; ++kind) {
        VariableHost h;
        h.variable = kind == 0 ? h.text('C', "1") : kind == 1 ? logical(true) : numeric(1);
        h.findable = kind != 2;
        EXPECT_EQ(style(h, 102), "102") << kind;
        EXPECT_EQ(h.host.handles_in_use(), 0u) << kind;  // the character value's handle was released
    }
}

// The switch is the variable's truth as HostVariable reads it above; here, the name it is read by.
TEST(TableHintSwitch, IsOnWhileTheVariableHoldsATrueValue) {
    for (bool truth : {true, false}) {
        VariableHost h;
        h.variable = logical(truth);
        bool on = !truth;
        inside_call(h.host, [&] { on = tarnvel::select::table_hint_switched_on(); });
        EXPECT_EQ(on, truth);
        EXPECT_EQ(h.names_asked, std::vector<std::string>{"SETLOCSYS_SQL_Server_Select_NoLock"});
    }
}

}  // namespace
