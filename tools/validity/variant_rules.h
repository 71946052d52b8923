// Ways of writing a FoxPro SELECT command that FoxPro reads as the same command: letter case,
// abbreviated keywords and functions, .AND. or AND, # or <> or !=, the string delimiters, blanks,
// AS or none, the words of a join, the place of INTO. Each rule is a row of variant_rules(); it
// rewrites every place it applies to outside string literals, dates, macros and names, and declines
// a command it cannot rewrite without doubt.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace validity {

struct VariantRule {
    std::string_view name;  // the origin's last part: "variants:selects.jsonl:12/lower"
    std::string_view what;
    // The command rewritten, or nullopt when the rule does not apply (or would change nothing).
    std::optional<std::string> (*rewrite)(std::string_view command);
};

const std::vector<VariantRule> &variant_rules();

// The rule of that name, or nullptr.
const VariantRule *variant_rule(std::string_view name);

}  // namespace validity
