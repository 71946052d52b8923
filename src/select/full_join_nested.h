// FoxPro's nested join form with a FULL JOIN in an operand (a LEFT JOIN b FULL JOIN c ON y ON x,
// a FULL JOIN b FULL JOIN c ON y ON x), for dialects that have no FULL JOIN: where the conditions
// show it to give the same rows, the form the FULL JOIN pass reads or one without FULL at all.
#pragma once

#include "lex/letters.h"
#include "lex/scan.h"

#include <string>
#include <string_view>

namespace tarnvel::select {

// The first ON from 'right' that belongs to the join whose right operand starts there: in the
// nested form every JOIN of the operand claims the next ON first. npos when a comma or the end
// comes first.
std::size_t own_on(std::string_view from, std::size_t right, const lex::LiteralRules &rules);

// The last JOIN at the top level of 'text' (the place of " JOIN ", npos when there is none), and the
// text before it without a closing " OUTER", which ends with the join's kind (" LEFT", " FULL", ...).
struct LastJoin {
    std::size_t at;
    std::string_view before;
};
LastJoin last_join(std::string_view text, const lex::LiteralRules &rules);

// Rewrites a FULL JOIN standing as the right operand of a LEFT or FULL JOIN in the nested form
// (P K JOIN b FULL JOIN c ON y ON x): under LEFT, a LEFT (RIGHT) JOIN where x, equalities of
// qualified columns joined by AND, names b (c) and not the other, so that the rows of the other
// alone never match; under FULL, the flat P FULL JOIN b ON x FULL JOIN c ON y where x names b and
// not c and y names only b and c, b in an equality (so that neither holds for a row without b).
// True with the FROM clause in 'out'; false, leaving it, for any other shape.
bool unnest_full_join(std::string_view from, const lex::Alphabet &letters, const lex::LiteralRules &rules,
                      std::string &out);

}  // namespace tarnvel::select
