// Ways of writing a FoxPro CREATE TABLE / CREATE CURSOR field list that FoxPro reads as the same
// list: letter case, a type's letter or its word (C, CHAR, CHARACTER), blanks in and around the
// width, N(10) or N(10,0), tabs, blanks after the commas, the string delimiters of DEFAULT and
// CHECK, the clause words by their first four letters. Each rule is a row of
// field_variant_rules(), written as the SELECT rules are (variant_rules.h); a rule declines an
// item it cannot rewrite without doubt (a table constraint, a type written another way).
#pragma once

#include "variant_rules.h"

#include <string_view>
#include <vector>

namespace validity {

const std::vector<VariantRule> &field_variant_rules();

// The rule of that name, or nullptr.
const VariantRule *field_variant_rule(std::string_view name);

}  // namespace validity
