// The host's variable store: typed values and arrays under names that are not case-sensitive (an
// "m." prefix is ignored), each with a name-table index as FoxPro's own name table gives one.
#pragma once

#include <tarnvel/host.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnvel::embed {

struct Variable {
    bool array = false;
    std::vector<HostValue> elements;  // a scalar holds its value as the one element
};

class VariableStore {
public:
    // The stored form of a name: "m." dropped, ASCII letters upper-cased. Empty when 'name' is no
    // valid variable name (a letter or "_" first, then letters, digits and "_").
    static std::string normalise(std::string_view name);

    // Throw Error for an invalid name (or an empty array).
    void set(std::string_view name, HostValue value);
    void set_array(std::string_view name, std::vector<HostValue> elements);
    void remove(std::string_view name);
    void clear();

    // The name-table index of a defined variable, -1 when there is none.
    int index_of(std::string_view name) const;
    // The variable at a name-table index, nullptr when none is defined there.
    const Variable *at(int index) const;
    const Variable *find(std::string_view name) const { return at(index_of(name)); }

private:
    int intern(std::string_view name);

    std::unordered_map<std::string, int> index_;  // stored name -> name-table index
    std::vector<std::optional<Variable>> slots_;  // by name-table index
};

}  // namespace tarnvel::embed
