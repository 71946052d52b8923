#include "rejections.h"

#include <algorithm>
#include <cctype>

namespace validity {
namespace {

std::string upper_trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    std::string out(text);
    for (char &c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// "O.CUST_ID" and "\"o\".\"cust_id\"" give CUST_ID; the quotes around a part go.
std::string column_part(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos) name.remove_prefix(dot + 1);
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '`') && name.back() == name.front())
        name = name.substr(1, name.size() - 2);
    return upper_trimmed(name);
}

constexpr unsigned mariadb_unknown_column = 1054;
constexpr std::string_view pg_undefined_column = "42703";

}  // namespace

std::vector<std::string> field_names(std::string_view fields) {
    std::vector<std::string> out;
    int depth = 0;
    bool at_name = true;
    std::string name;
    for (const char c : fields) {
        if (c == '(') ++depth;
        else if (c == ')') depth = std::max(0, depth - 1);
        if (depth == 0 && c == ',') {
            if (!name.empty()) out.push_back(upper_trimmed(name));
            name.clear();
            at_name = true;
            continue;
        }
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (at_name && blank && !name.empty()) at_name = false;
        else if (at_name && !blank) name += c;
    }
    if (!name.empty()) out.push_back(upper_trimmed(name));
    return out;
}

std::string unknown_column(unsigned code, std::string_view state, std::string_view message) {
    if (code == mariadb_unknown_column) {
        const std::size_t first = message.find('\'');
        const std::size_t second = first == std::string_view::npos ? first : message.find('\'', first + 1);
        if (second == std::string_view::npos) return {};
        return column_part(message.substr(first + 1, second - first - 1));
    }
    constexpr std::string_view lead = "column ", tail = " does not exist";
    if (state != pg_undefined_column || !message.starts_with(lead)) return {};
    const std::size_t end = message.find(tail);
    if (end == std::string_view::npos || end <= lead.size()) return {};
    return column_part(message.substr(lead.size(), end - lead.size()));
}

bool refuses_known_column(unsigned code, std::string_view state, std::string_view message,
                          const std::vector<std::string> &columns) {
    const std::string column = unknown_column(code, state, message);
    return !column.empty() && std::find(columns.begin(), columns.end(), column) != columns.end();
}

bool undefined_qualifier(std::string_view state, std::string_view message) {
    return state == "42P01" && message.find("missing FROM-clause entry") != std::string_view::npos;
}

}  // namespace validity
