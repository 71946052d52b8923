// What the measure prints: the figures, the floors they are held to, the list of rejected
// statements and residue, the residue counted by construct, and a JSON record per text.
#pragma once

#include "measure.h"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace validity {

struct Figure {
    std::string name;  // "selects mysql accepted", "fieldlists oracle residue-free"
    std::size_t passed = 0;
    std::size_t total = 0;
    double percent() const { return total ? 100.0 * static_cast<double>(passed) / static_cast<double>(total) : 100.0; }
    std::string line() const;  // "selects mysql accepted 243/259 (93.8%)"
};

// The figures of one source: MariaDB's acceptance of the MySQL output (with a server), and the
// share of residue-free output per target.
std::vector<Figure> figures(const std::string &source, const std::vector<Outcome> &outcomes, bool with_server);

// One compact line per rejection, converter error and target with residue; with 'details' the
// FoxPro text and the converted text follow each line.
void print_listing(std::ostream &out, const std::vector<Outcome> &outcomes, bool details);

// The residue counted per construct (and per function and type word) and target, in statements,
// with the first two places of each; then the server's rejections by error number.
void print_categories(std::ostream &out, const std::string &source, const std::vector<Outcome> &outcomes);

nlohmann::json to_json(const std::string &source, const std::vector<Outcome> &outcomes);

// The name a residue finding is counted under: its construct, and for functions and types the word
// ("function EMPTY").
std::string residue_category(const tarnvel::ResidueFinding &finding);
// MariaDB's message without its fixed words ("near '`AS` X FROM T'"), the quoted text cut short.
std::string compact_message(unsigned code, const std::string &message);

// The floors file: "figure name  percent" lines; "#" starts a comment. Throws std::runtime_error
// when it cannot be read or a line is not such a line.
std::map<std::string, double> read_floors(const std::string &path);
// Prints each figure below its floor; answers how many there are.
int below_floors(std::ostream &out, const std::vector<Figure> &figures, const std::map<std::string, double> &floors);
// Rewrites the floors file with every floor raised to its figure where the figure is higher (to
// one decimal, rounded down), keeping its comments; figures without a floor are added.
void raise_floors(const std::string &path, const std::vector<Figure> &figures);

}  // namespace validity
