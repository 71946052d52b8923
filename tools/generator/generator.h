// A generator of valid FoxPro SELECT commands over the small database of schema.h: FoxPro's
// abbreviations and clause orders, joins of every kind, subqueries, UNION, GROUP BY and HAVING,
// FoxPro's operators, literals and functions, memory variables and parameters, database!table,
// destinations, and random letter case, blanks, tabs and line breaks. Every expression has the
// type its place needs. A seed names its statement: the same seed gives the same statement on
// every platform.
#pragma once

#include "tree.h"

#include <cstdint>
#include <string>

namespace foxgen {

// The statement of one seed, as a tree.
Query generate(std::uint64_t seed);

// The statement 'number' of the run 'run_seed', as FoxPro text.
std::string statement(std::uint64_t run_seed, std::uint64_t number);

}  // namespace foxgen
