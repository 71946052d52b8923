// Conditions and values where they stand in converted SQL.
//
// SQL Server and Oracle keep conditions (comparisons, IN, LIKE, BETWEEN, IS NULL, EXISTS, and NOT,
// AND, OR of conditions) apart from values (names, literals, calls, CASE ... END, arithmetic): a
// condition stands only in WHERE, ON, HAVING, CASE WHEN and under AND, OR and NOT there, and a value
// never stands alone in one of those places. MySQL, PostgreSQL and Access take a condition as a
// value (a boolean, or Access's -1 and 0), so nothing is reported for them.
//
// find_condition_misuse() reads a converted SELECT command for its target (string literals, quoted
// names and comments passed over; subqueries and UNION members read in their own right), classifies
// each expression by its top-level operators and keywords, and reports every condition that stands
// where a value is due and every value standing alone where a condition is due. A text it cannot
// read whole (a clause or form it does not know) is reported as unread, with no findings: a finding
// is always text the target refuses.
//
// Standard library only; link tarnvel_residue.
#pragma once

#include <tarnvel/dialects.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel {

// The two ways of getting it wrong.
enum class ConditionMisuse {
    condition_as_value,  // a comparison, IN, LIKE ... as a select item, argument, THEN, operand
    value_as_condition,  // WHERE L, x AND y = 1 with x a value, HAVING MAX(l), WHEN CASE ... END
};
std::string_view misuse_id(ConditionMisuse kind);  // "condition-as-value", "value-as-condition"

struct ConditionFinding {
    ConditionMisuse kind;
    std::size_t offset = 0;  // byte offset of the expression in the checked text
    std::string text;        // the expression as it stands there
    std::string message;     // what is wrong, in a sentence
};

struct ConditionCheck {
    bool read = true;  // false when the text held a form the check does not know (no findings then)
    std::size_t unread_at = 0;  // where the reading stopped then
    std::vector<ConditionFinding> findings;  // in text order
};

// True when the target takes a condition as a value (MySQL, PostgreSQL, Access).
bool conditions_are_values(Target target);

// Conditions and values out of place in 'converted', a SELECT command written for 'target'.
ConditionCheck find_condition_misuse(Target target, std::string_view converted);

}  // namespace tarnvel
