// When a server's "unknown name" is no unknown name. The measure counts a statement whose only fault
// is a table, column or function the trial server lacks as accepted: the application's database
// has them. Two refusals are the statement's own fault whatever the database holds, and count as
// rejections: a qualifier the statement reads but does not define where it reads it (PostgreSQL's
// "missing FROM-clause entry", an outer query's alias inside a derived table), and, where the
// statement runs over the trial tables, a column those tables do have.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace validity {

// The names of a FoxPro field list, upper case: "CUST_ID I, BALANCE N(12,2)" gives CUST_ID, BALANCE.
std::vector<std::string> field_names(std::string_view fields);

// The column a server reports unknown, without its qualifier, upper case: MariaDB's 1054
// "Unknown column 'O.CUST_ID' in 'where clause'", PostgreSQL's 42703 "column o.cust_id does not
// exist" (or "column \"cust_id\" does not exist") give CUST_ID. Empty for any other error.
std::string unknown_column(unsigned code, std::string_view state, std::string_view message);

// The server refused, as unknown, a column that one of 'columns' (upper case) names.
bool refuses_known_column(unsigned code, std::string_view state, std::string_view message,
                          const std::vector<std::string> &columns);

// PostgreSQL's 42P01 for a qualifier the statement reads where no FROM defines it.
bool undefined_qualifier(std::string_view state, std::string_view message);

}  // namespace validity
