#include "generated.h"

#include "generator.h"
#include "schema.h"

#include <charconv>

namespace validity {

std::string generated_origin(GeneratedPlace place) {
    const char *source = place.family == foxgen::Family::wide ? "generated2:" : "generated:";
    return source + std::to_string(place.seed) + "#" + std::to_string(place.number);
}

std::optional<GeneratedPlace> generated_place(const std::string &origin) {
    std::string_view text = origin;
    GeneratedPlace place;
    if (text.rfind("generated:", 0) == 0) text.remove_prefix(10);
    if (text.rfind("generated2:", 0) == 0) {
        text.remove_prefix(11);
        place.family = foxgen::Family::wide;
    }
    const std::size_t hash = text.find('#');
    if (hash == std::string_view::npos) return std::nullopt;
    const char *seed_end = text.data() + hash;
    const char *end = text.data() + text.size();
    auto [p1, e1] = std::from_chars(text.data(), seed_end, place.seed);
    auto [p2, e2] = std::from_chars(seed_end + 1, end, place.number);
    if (e1 != std::errc() || p1 != seed_end || e2 != std::errc() || p2 != end || hash == 0) return std::nullopt;
    return place;
}

GeneratedSource::GeneratedSource(std::vector<std::uint64_t> seeds, std::size_t count, foxgen::Family family) {
    if (family == foxgen::Family::wide) name_ = "generated2";
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        // the first seeds take the remainder
        const std::size_t share = count / seeds.size() + (i < count % seeds.size() ? 1 : 0);
        for (std::size_t n = 0; n < share; ++n) places_.push_back({seeds[i], n, family});
    }
}

GeneratedSource::GeneratedSource(std::vector<GeneratedPlace> places) : places_(std::move(places)) {
    if (!places_.empty() && places_.front().family == foxgen::Family::wide) name_ = "generated2";
}

std::optional<Statement> GeneratedSource::next() {
    if (next_ >= places_.size()) return std::nullopt;
    const GeneratedPlace place = places_[next_++];
    return Statement{generated_origin(place), foxgen::statement(place.seed, place.number, place.family)};
}

std::vector<TrialTable> GeneratedSource::tables() const {
    std::vector<TrialTable> out;
    for (const foxgen::Table &table : foxgen::tables())
        out.push_back({std::string(table.name), foxgen::field_list(table)});
    return out;
}

std::vector<std::uint64_t> fixed_seeds() { return {1, 2, 3, 4, 5}; }

}  // namespace validity
