// The typed-value syntax of the command line and the tests: FoxPro literals, and NAME=VALUE
// assignments of variables and arrays.
#include <tarnvel/host.hpp>

#include "embed/errors.hpp"
#include "embed/literals.hpp"
#include "embed/variables.hpp"

namespace tarnvel {

using embed::Cursor;

std::optional<HostValue> parse_literal(std::string_view text) {
    Cursor cursor{text, 0};
    cursor.skip_blanks();
    bool negative = false, signed_ = false;
    if (cursor.peek() == '-' || cursor.peek() == '+') {
        negative = cursor.peek() == '-';
        signed_ = true;
        ++cursor.pos;
    }
    HostValue value;
    try {
        if (!embed::read_literal(cursor, value)) return std::nullopt;
    } catch (const embed::HostError &e) {
        if (cursor.peek() == '{') throw Error(std::nullopt, e.message);
        return std::nullopt;  // an unterminated string is plain text
    }
    cursor.skip_blanks();
    if (!cursor.at_end()) return std::nullopt;
    if (signed_) {
        if (value.type == 'N') {
            if (negative) value.number = -value.number;
        } else if (value.type == 'Y') {
            if (negative) value.currency = -value.currency;
        } else {
            return std::nullopt;
        }
    }
    return value;
}

namespace {

// Splits NAME=VALUE and checks the name.
std::pair<std::string, std::string_view> split_assignment(std::string_view assignment) {
    std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos)
        throw Error(std::nullopt, "expected NAME=VALUE, got '" + std::string(assignment) + "'");
    std::string_view name = assignment.substr(0, equals);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
    while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
    if (embed::VariableStore::normalise(name).empty())
        throw Error(std::nullopt, "'" + std::string(name) + "' is not a valid variable name");
    return {std::string(name), assignment.substr(equals + 1)};
}

HostValue typed_value(std::string_view text) {
    std::optional<HostValue> literal = parse_literal(text);
    return literal ? *literal : HostValue::character(std::string(text));
}

// The end of the array element that starts at 'pos': the next comma outside quotes, brackets
// and braces, or the end.
std::size_t element_end(std::string_view list, std::size_t pos) {
    while (pos < list.size() && list[pos] != ',') {
        char c = list[pos];
        char close = c == '\'' ? '\'' : c == '"' ? '"' : c == '[' ? ']' : c == '{' ? '}' : '\0';
        if (close) {
            std::size_t end = list.find(close, pos + 1);
            if (end != std::string_view::npos) pos = end;
        }
        ++pos;
    }
    return pos;
}

}  // namespace

std::pair<std::string, HostValue> parse_variable(std::string_view assignment) {
    auto [name, text] = split_assignment(assignment);
    return {name, typed_value(text)};
}

std::pair<std::string, std::vector<HostValue>> parse_array(std::string_view assignment) {
    auto [name, text] = split_assignment(assignment);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']')
        throw Error(std::nullopt, "expected " + name + "=[element, element, ...], got '" + std::string(assignment) + "'");
    std::string_view list = text.substr(1, text.size() - 2);
    std::vector<HostValue> elements;
    if (list.find_first_not_of(" \t") == std::string_view::npos)
        throw Error(std::nullopt, "array " + name + " has no element");
    for (std::size_t pos = 0;;) {
        std::size_t end = element_end(list, pos);
        std::string_view element = list.substr(pos, end - pos);
        while (!element.empty() && (element.front() == ' ' || element.front() == '\t')) element.remove_prefix(1);
        while (!element.empty() && (element.back() == ' ' || element.back() == '\t')) element.remove_suffix(1);
        elements.push_back(typed_value(element));
        if (end >= list.size()) break;
        pos = end + 1;
    }
    return {name, std::move(elements)};
}

}  // namespace tarnvel
