// What the variant rules (variant_rules.cpp) know of a tokenized FoxPro SELECT command, shared with
// the transplants (transplants.h), which cut the same commands into their expressions.
#pragma once

#include "variant_tokens.h"

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace validity {

using Tokens = std::vector<Token>;
constexpr std::size_t none = static_cast<std::size_t>(-1);

// The token before / after i that is no blank; none when there is none.
std::size_t previous(const Tokens &t, std::size_t i);
std::size_t following(const Tokens &t, std::size_t i);

bool is_op(const Tokens &t, std::size_t i, std::string_view text);
// A word joined to another by . ! or -> (alias.field, m.var, db!table) is part of a name.
bool in_name(const Tokens &t, std::size_t i);
// A keyword, whole or by its first four letters or more, that is no word of a name.
bool keyword(const Tokens &t, std::size_t i, std::initializer_list<std::string_view> words);
// .AND., .T., ... with 'inner' between the dots.
bool dotted(const Tokens &t, std::size_t i, std::string_view inner);
bool is_macro(const Token &t);

// AND or OR joining two conditions (not the AND of BETWEEN).
bool conjunction(const Tokens &t, std::size_t i);

// For each SELECT, the token ranges of its items (cut at the commas of its depth); empty when a
// SELECT has no FROM.
std::vector<std::pair<std::size_t, std::size_t>> select_items(const Tokens &t);

}  // namespace validity
