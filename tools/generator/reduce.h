// Reducing a generated statement to a short one that still shows a failure: parts are left out
// (a UNION member, a join, a clause, a select item, a list element), expressions are replaced by
// a part of themselves or by a field of their type, and writing habits go back to the plain
// writing, one step at a time, keeping each step after which the failure is still seen. Every step
// keeps the statement valid FoxPro: it only leaves out what nothing else names.
#pragma once

#include "tree.h"

#include <cstddef>
#include <functional>
#include <string>

namespace foxgen {

// True when the statement (as FoxPro text) still shows what is being reduced.
using Keeps = std::function<bool(const std::string &foxpro)>;

// The smallest statement reached from 'query' (which must show it) in at most 'tries' trials.
Query reduce(Query query, const Keeps &keeps, std::size_t tries = 4000);

// Each step the reduction may take from 'query', as the statements they give (for tests).
std::vector<Query> reduction_steps(const Query &query);

}  // namespace foxgen
