// The corpus statements written the other ways FoxPro reads the same (variant_rules.h) as a
// statement source: one variant per statement and rule that applies to it, named
// "variants:selects.jsonl:12/lower". A variant must fare exactly as its original does; the ones
// that fare worse show a fault of the converters near real code.
#pragma once

#include "measure.h"
#include "report.h"
#include "sources.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace validity {

class VariantsSource : public StatementSource {
public:
    explicit VariantsSource(const std::string &selects);  // a selects.jsonl file
    const std::string &name() const override { return name_; }
    tarnvel::ConvertedText kind() const override { return tarnvel::ConvertedText::select; }
    std::optional<Statement> next() override;

private:
    std::string name_ = "variants";
    JsonLinesSource originals_;
    std::optional<Statement> original_;
    std::size_t rule_ = 0;
};

// "variants:selects.jsonl:12/lower" -> "selects.jsonl:12"; nullopt for any other origin.
std::optional<std::string> variant_original(const std::string &origin);

// A variant that fares worse than its original: what it lost, one line each.
struct WorseVariant {
    const Outcome *variant;
    const Outcome *original;
    std::vector<std::string> losses;  // "mysql rejected 1064: near ...", "oracle residue: function EMPTY"
};

std::vector<WorseVariant> worse_variants(const std::vector<Outcome> &variants, const std::vector<Outcome> &originals);

// "variants as good as their originals N/M": the variants that lose nothing.
Figure as_good_figure(const std::vector<Outcome> &variants, const std::vector<WorseVariant> &worse);

// One line per loss; with 'details' the FoxPro and converted texts of the original and the variant.
void print_worse(std::ostream &out, const std::vector<WorseVariant> &worse, bool details);

}  // namespace validity
