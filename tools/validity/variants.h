// The corpus statements written the other ways FoxPro reads the same (variant_rules.h) as a
// statement source: one variant per statement and rule that applies to it, named
// "variants:selects.jsonl:12/lower"; and the corpus field lists so (field_variant_rules.h), the
// source "fieldvariants", named "variants:fieldlists.jsonl:3/type-words". A variant must fare
// exactly as its original does; the ones that fare worse show a fault of the converters near real
// code.
#pragma once

#include "measure.h"
#include "report.h"
#include "sources.h"
#include "variant_rules.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace validity {

class VariantsSource : public StatementSource {
public:
    explicit VariantsSource(const std::string &selects);  // a selects.jsonl file
    // a fieldlists.jsonl file with ConvertedText::structure
    VariantsSource(const std::string &path, tarnvel::ConvertedText kind);
    const std::string &name() const override { return name_; }
    tarnvel::ConvertedText kind() const override { return originals_.kind(); }
    std::optional<Statement> next() override;

private:
    std::string name_;
    JsonLinesSource originals_;
    const std::vector<VariantRule> &rules_;
    std::optional<Statement> original_;
    std::string joined_;  // the original's lines joined where a ; continues them: the rules' input
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

// 'original_of' names a text's original (variant_original, transplant_original). With 'clauses'
// (field lists) a variant whose output for a target holds fewer DEFAULT or CHECK clauses than its
// original's has lost what the caller gave, and fares worse too.
std::vector<WorseVariant> worse_variants(const std::vector<Outcome> &variants, const std::vector<Outcome> &originals,
                                         bool clauses = false,
                                         std::optional<std::string> (*original_of)(const std::string &) = variant_original);

// "variants as good as their originals N/M": the variants that lose nothing ('source' is the
// variants' source name: "variants", "fieldvariants", "transplants").
Figure as_good_figure(const std::string &source, const std::vector<Outcome> &variants,
                      const std::vector<WorseVariant> &worse);

// A source of texts made from others and the source of their originals: {"variants", "selects"}, ...
struct VariantsOf {
    const char *variants;
    const char *originals;
    bool clauses;  // worse_variants' 'clauses'
    std::optional<std::string> (*original_of)(const std::string &);
    const char *label;  // print_worse's
};

// One line per loss; with 'details' the FoxPro and converted texts of the original and the variant.
void print_worse(std::ostream &out, const std::vector<WorseVariant> &worse, bool details,
                 const char *label = "variant ");

}  // namespace validity
