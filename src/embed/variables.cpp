#include "embed/variables.hpp"

#include <cstdint>

namespace tarnvel::embed {
namespace {

bool name_start(unsigned char c) { return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80; }
bool name_char(unsigned char c) { return name_start(c) || (c >= '0' && c <= '9'); }

// Name-table indexes travel in a 16-bit field of the Locator.
constexpr std::size_t max_names = INT16_MAX;

}  // namespace

std::string VariableStore::normalise(std::string_view name) {
    if (name.size() > 2 && (name[0] == 'm' || name[0] == 'M') && name[1] == '.') name.remove_prefix(2);
    if (name.empty() || !name_start(static_cast<unsigned char>(name[0]))) return {};
    std::string stored;
    stored.reserve(name.size());
    for (char c : name) {
        if (!name_char(static_cast<unsigned char>(c))) return {};
        stored.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    return stored;
}

int VariableStore::intern(std::string_view name) {
    std::string stored = normalise(name);
    if (stored.empty()) throw Error(std::nullopt, "invalid variable name '" + std::string(name) + "'");
    auto found = index_.find(stored);
    if (found != index_.end()) return found->second;
    if (slots_.size() >= max_names) throw Error(std::nullopt, "too many variable names");
    int index = static_cast<int>(slots_.size());
    slots_.emplace_back();
    index_.emplace(std::move(stored), index);
    return index;
}

void VariableStore::set(std::string_view name, HostValue value) {
    int index = intern(name);
    slots_[static_cast<std::size_t>(index)] = Variable{false, {std::move(value)}};
}

void VariableStore::set_array(std::string_view name, std::vector<HostValue> elements) {
    if (elements.empty()) throw Error(std::nullopt, "array '" + std::string(name) + "' has no element");
    int index = intern(name);
    slots_[static_cast<std::size_t>(index)] = Variable{true, std::move(elements)};
}

void VariableStore::remove(std::string_view name) {
    auto found = index_.find(normalise(name));
    if (found != index_.end()) slots_[static_cast<std::size_t>(found->second)].reset();
}

void VariableStore::clear() {
    index_.clear();
    slots_.clear();
}

int VariableStore::index_of(std::string_view name) const {
    if (index_.empty()) return -1;  // no name was ever defined: nothing to normalise and look up
    auto found = index_.find(normalise(name));
    if (found == index_.end() || !slots_[static_cast<std::size_t>(found->second)]) return -1;
    return found->second;
}

const Variable *VariableStore::at(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= slots_.size()) return nullptr;
    const auto &slot = slots_[static_cast<std::size_t>(index)];
    return slot ? &*slot : nullptr;
}

}  // namespace tarnvel::embed
