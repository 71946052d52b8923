// Grouped columns of one name in HAVING, for a dialect that looks a grouped column up in GROUP BY
// by its column name alone (MariaDB): with two GROUP BY entries A.CODE and B.CODE, a HAVING that
// reads A.CODE outside an aggregate is refused as an unknown column, unless the field list shows it.
#pragma once

#include "host/text.h"
#include "lex/classes.h"
#include "lex/scan.h"

#include <functional>
#include <string_view>

namespace tarnvel::select {

// Wraps each such qualified column of 'having' (the HAVING part, keyword and all) in MAX(): the
// column is one value over its group, so MAX() of it is that value (.NULL. for a group whose key is
// .NULL.), and MariaDB reads an aggregate's argument from the tables. 'entries' is the GROUP BY
// list; 'aggregate_call' tells whether a text ending in "(" opens an aggregate call, whose
// argument is left alone.
void wrap_shared_group_keys(const lex::Alphabet &letters, const lex::LiteralRules &rules, std::string_view entries,
                            Text &having, const std::function<bool(std::string_view)> &aggregate_call);

}  // namespace tarnvel::select
