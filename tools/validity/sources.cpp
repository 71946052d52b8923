#include "sources.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <stdexcept>

namespace validity {

JsonLinesSource::JsonLinesSource(std::string name, tarnvel::ConvertedText kind, const std::string &path,
                                 std::string key)
    : name_(std::move(name)), kind_(kind), file_(std::filesystem::path(path).filename().string()),
      key_(std::move(key)), in_(path) {
    if (!in_) throw std::runtime_error("cannot read " + path);
}

std::optional<Statement> JsonLinesSource::next() {
    std::string line;
    while (std::getline(in_, line)) {
        ++line_;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        const std::string origin = file_ + ":" + std::to_string(line_);
        nlohmann::json record = nlohmann::json::parse(line, nullptr, false);
        if (record.is_discarded() || !record.is_object() || !record.contains(key_) || !record[key_].is_string())
            throw std::runtime_error(origin + ": not a JSON object with a string \"" + key_ + "\"");
        return Statement{origin, record[key_].get<std::string>()};
    }
    return std::nullopt;
}

std::optional<Statement> SampledSource::next() {
    std::optional<Statement> kept = all_->next();
    for (std::size_t skipped = 1; kept && skipped < every_; ++skipped) {
        if (!all_->next()) break;
    }
    return kept;
}

}  // namespace validity
