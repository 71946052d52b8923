// The FoxPro-syntax pass of the SELECT conversion: before the clause converter reads a statement
// written in FoxPro syntax, the FoxPro-only constructs of the map (map.h) become the target's own
// (operators, logical and date literals, memory variables, database!table, file paths, FoxPro
// cursor options and functions without a counterpart). Strings, ~ references and ?parameters are
// passed over unread. The clause converter then converts the result as it converts any statement.
#pragma once

#include "host/text.h"

#include <string_view>

namespace tarnvel::select {
struct Dialect;
}

namespace tarnvel::select::fox {

// The statement with its FoxPro-only constructs rewritten for the dialect; no handle when there
// was nothing to rewrite (the statement is then converted as it stands). Run only when the
// statement comes in FoxPro syntax: in plain SQL, # may start a MySQL comment.
// 'look_first' off: no quick look for candidates first, for the statement or any part of it (the
// tests compare the two). 'typed_items'
// off: an empty date alone as a select item keeps the dialect's plain form (a column's DEFAULT carried
// as a select item, which the column's type reads). 'record_number', when given, receives the
// dialect's row number where a RECNO() was left for the statement driver (convert_select's
// 'record_number'), else an empty view.
tarnvel::Text rewrite(const Dialect &dialect, std::string_view statement, bool look_first = true,
                      bool typed_items = true, std::string_view *record_number = nullptr);

}  // namespace tarnvel::select::fox
