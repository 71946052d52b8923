// What the generated statements show, sorted by cause: each failure is given a cause - FoxPro
// residue of a construct in a target ("residue function EMPTY"), a rejection by the server of
// MySQL output that holds no residue ("rejected 1064 near `AS`"), an unknown field or table in
// such output (the statements' tables exist on the server), a converter error - and the
// statements are counted per cause and target; the shortest statement of each cause is reduced
// (tools/generator/reduce.h) to a short one that still shows it.
#pragma once

#include "measure.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

namespace validity {

struct Cause {
    std::string name;    // "residue function EMPTY", "rejected 1064 near `AS`", "converter error: ..."
    std::size_t target;  // the index in 'targets' where it is seen
};

// The causes of an outcome's failures, each once.
std::vector<Cause> failure_causes(const Outcome &outcome);

struct Finding {
    std::string cause;
    std::array<std::size_t, tarnvel::dialect_count> statements{};  // how many statements show it, per target
    std::string example;                      // the origin of the statement that was reduced
    Outcome reduced;                          // the reduced statement, measured
    std::size_t total() const;
};

// The causes of the outcomes (generated statements), the most frequent first, each with its
// reduced statement.
std::vector<Finding> findings(Measure &measure, const std::vector<Outcome> &outcomes);

void print_findings(std::ostream &out, Measure &measure, const std::vector<Outcome> &outcomes);

}  // namespace validity
