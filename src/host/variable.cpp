#include "host/variable.h"

#include <string_view>

namespace tarnvel::host {

bool carries_text(char type) {
    constexpr std::string_view text_types = "CGQVW";
    return type != '\0' && text_types.find(type) != std::string_view::npos;
}

Variable::Variable(const char *name) {
    const int index = name_table_index(name);
    if (index == -1) return;
    Locator locator{};
    if (!find_var(index, -1, locator)) return;
    load(locator, value_);
    if (carries_text(value_.type)) text_ = Buffer::adopt_handle(value_.handle);
    found_ = true;
}

std::optional<double> Variable::number() const {
    if (!found_ || value_.type != 'N') return std::nullopt;
    return value_.real;
}

}  // namespace tarnvel::host
