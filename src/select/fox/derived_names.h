// Columns of one name in a derived table: FoxPro names the columns of a subquery in FROM that share
// a name (FROM (SELECT c.id, o.id FROM c JOIN o ON ...) t) id_a and id_b, and the outer query reads
// them so (t.id_a). The servers refuse a derived table with two columns of one name (MySQL, SQL
// Server) or cannot tell them apart: the subquery's items get those names written as aliases.
#pragma once

#include "host/text.h"
#include "lex/scan.h"

#include <string_view>

namespace tarnvel::select::fox {

// The statement with FoxPro's names written for the columns of one name in each subquery that
// follows FROM, JOIN or a comma; no handle when there are none. Only plain columns (id, t.id) are
// named: an item with an alias keeps it, and a field list with * (whose columns the statement does
// not show) or more than 26 columns of one name is left as written, as is one where a new name is
// already taken. Quoted runs (by 'rules') are passed over.
tarnvel::Text name_derived_twins(std::string_view statement, const lex::LiteralRules &rules);

}  // namespace tarnvel::select::fox
