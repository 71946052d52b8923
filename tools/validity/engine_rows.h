// The rows the engine comparison fills the generator's tables with, on MariaDB and PostgreSQL alike.
#pragma once

#include <string>
#include <vector>

namespace validity {

// INSERT statements for the trial tables (customer, orders, product, item), written as FoxPro keeps
// its data: empty values as the structure conversion stores them, blanks at the end of texts, mixed
// case, zero and negative numbers, dates at month and year ends, a customer without orders, an order
// without items, an order of an unknown customer, repeated values. 'empty_date' and
// 'empty_datetime' are the server's empty values ('0000-00-00' on MariaDB, NULL on PostgreSQL).
std::vector<std::string> trial_rows(const std::string &empty_date, const std::string &empty_datetime);

}  // namespace validity
