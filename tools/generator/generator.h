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

// The first family draws from a narrow set of functions; the wide one from the rows of
// functions.h as well (their optional arguments and special forms), object references and other
// date literals. A seed names other statements in each family.
enum class Family { first, wide };

// The statement of one seed, as a tree.
Query generate(std::uint64_t seed, Family family = Family::first);

// The statement 'number' of the run 'run_seed', as FoxPro text.
std::string statement(std::uint64_t run_seed, std::uint64_t number, Family family = Family::first);

}  // namespace foxgen
