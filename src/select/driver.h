// The statement driver shared by every dialect: subqueries are cut out behind placeholders and
// converted first, the rest is split into UNION members, each member goes through the clause
// converter, the GROUP BY pass and (SQL Server) the table hint, and the clauses are reassembled.
#pragma once

#include "host/text.h"
#include "select/clauses.h"

#include <string_view>

namespace tarnvel::select {

// Converts a SELECT statement; the result is the statement's output buffer, a host handle that
// ZQ_SQL_IIF's conversion can share. 'record_number': where the FoxPro pass left a RECNO() that only
// the clauses can write (select/record_numbers.h), the dialect's row number.
Text convert_select(const Dialect &dialect, std::string_view statement, std::string_view record_number = {});

// The levels of the conversion, for the tests.
Text extract_subqueries(Session &session, std::string_view text);
Text convert_statement(Session &session, std::string_view text);

// Line breaks outside literals become blanks, before anything else reads the statement; in FoxPro
// syntax so does a "&&" comment, to the end of its line.
void blank_line_breaks(const Dialect &dialect, bool from_fox, char *text, std::size_t length);

}  // namespace tarnvel::select
