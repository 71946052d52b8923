// Which columns of a statement's result give its order: the keys of its own ORDER BY, where each is
// a position in the select list (ORDER BY 2, 1 DESC). The engine comparison holds two servers' rows
// to the same order of those columns' values; rows with equal keys may come in any order.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace validity {

// The columns (from 0) of the last ORDER BY at the statement's own level (not in a subquery), in
// key order. Empty when there is none, or when a key is a name or an expression, whose column the
// comparison cannot tell from the text.
std::vector<std::size_t> order_positions(std::string_view foxpro);

}  // namespace validity
