// Generated FoxPro SELECT commands as a statement source: 'count' statements spread over the run
// seeds, statement n of seed s coming out as "generated:s#n". The same seed and number give the
// same statement everywhere, so a failure seen once can be made again (--statement s#n). The
// second family (the generator's wide set of functions) is the source "generated2", its
// statements "generated2:s#n".
#pragma once

#include "generator.h"
#include "sources.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace validity {

// A generated statement's place: its run seed and its number.
struct GeneratedPlace {
    std::uint64_t seed = 0;
    std::uint64_t number = 0;
    foxgen::Family family = foxgen::Family::first;
};

// "generated:3#417" (or "generated2:3#417") and back; nullopt for any other origin ("s#n" is
// read as well, as the first family).
std::string generated_origin(GeneratedPlace place);
std::optional<GeneratedPlace> generated_place(const std::string &origin);

class GeneratedSource : public StatementSource {
public:
    // 'count' statements: each seed gives its share, in the order of 'seeds'.
    GeneratedSource(std::vector<std::uint64_t> seeds, std::size_t count,
                    foxgen::Family family = foxgen::Family::first);
    // Just the statements named.
    explicit GeneratedSource(std::vector<GeneratedPlace> places);

    const std::string &name() const override { return name_; }
    tarnvel::ConvertedText kind() const override { return tarnvel::ConvertedText::select; }
    std::optional<Statement> next() override;
    std::vector<TrialTable> tables() const override;

private:
    std::string name_ = "generated";
    std::vector<GeneratedPlace> places_;
    std::size_t next_ = 0;
};

// The fixed seeds that scripts/validity and CI measure, so that every run sees the same statements.
std::vector<std::uint64_t> fixed_seeds();

}  // namespace validity
