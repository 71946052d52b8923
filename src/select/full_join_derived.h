// The FULL JOIN of a member that groups, aggregates or keeps its first rows, for dialects that have
// none: the rows of the join (the union of its halves) become a derived table, and the member's
// field list, GROUP BY, HAVING and ORDER BY read the columns they name from it.
#pragma once

#include "select/clauses.h"

#include <span>
#include <string>
#include <string_view>

namespace tarnvel::select {

// One member of the union that stands for the join: its FROM (as written, not yet nested) and the
// test that keeps only the rows the members before it do not hold (empty: none).
struct JoinHalf {
    std::string from;
    std::string unmatched;
};

// Writes the member over the derived table of the halves' rows, WHERE (its body) in every half and
// the destination (a FoxPro INTO written after WHERE) after FROM. False, with the clauses as they
// were, when the clauses name something the derived table cannot carry: a column without its table,
// a table that is not one of FROM's, *, a name expression, a subquery.
bool write_derived(Session &session, Clauses &clauses, std::span<const JoinHalf> halves, std::string_view where_body,
                   std::string_view destination);

}  // namespace tarnvel::select
