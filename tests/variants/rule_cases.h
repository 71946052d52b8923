// A rewriting rule of the validity tool's variants checked against one case: the text it makes of
// 'in', or that it does not apply (out nullptr).
#pragma once

#include "variant_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace rule_cases {

struct Case {
    const char *rule;
    const char *in;
    const char *out;  // nullptr: the rule does not apply
};

inline void check(const validity::VariantRule *rule, const Case &c) {
    ASSERT_NE(rule, nullptr) << c.rule;
    ASSERT_NE(rule->rewrite, nullptr) << c.rule;
    const std::optional<std::string> out = rule->rewrite(c.in);
    if (!c.out) {
        EXPECT_FALSE(out) << c.rule << ": " << c.in << "\n  gave " << out.value_or("");
    } else {
        EXPECT_EQ(out.value_or("(none)"), c.out) << c.rule << ": " << c.in;
    }
}

}  // namespace rule_cases
