#include "batch_protocol.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <type_traits>

namespace tarnvel::cli {

namespace json = boost::json;

namespace {

// A JSON string as the library's bytes. 'name' names it in an error: a string, or something that
// makes one (only when the text is converted).
template <class Name>
std::string library_text(std::string_view text, const Encoding &encoding, const Name &name) {
    if (encoding.passes_bytes()) return std::string(text);
    try {
        if constexpr (std::is_invocable_v<Name>) return encoding.to_library(text, name());
        else return encoding.to_library(text, name);
    } catch (const EncodingError &e) {
        throw RequestError(e.what());
    }
}

// A whole number within [low, high], or nullopt.
std::optional<long long> whole_in(const json::value &value, long long low, long long high) {
    if (value.is_int64() && value.get_int64() >= low && value.get_int64() <= high) return value.get_int64();
    if (value.is_uint64() && high >= 0 && value.get_uint64() <= static_cast<unsigned long long>(high) &&
        static_cast<long long>(value.get_uint64()) >= low)
        return static_cast<long long>(value.get_uint64());
    return std::nullopt;
}

// The shortest decimal form of a number: 1.05, 12, -3.5 (null for no number).
std::string number_text(const json::value &value) {
    char text[64];
    if (value.is_double() && !std::isfinite(value.get_double())) return "null";
    auto written = value.is_double() ? std::to_chars(text, text + sizeof text, value.get_double())
                   : value.is_int64() ? std::to_chars(text, text + sizeof text, value.get_int64())
                                      : std::to_chars(text, text + sizeof text, value.get_uint64());
    return std::string(text, written.ptr);
}

int shortest_decimals(double value) {
    char text[512];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (ec != std::errc()) return 0;
    std::string_view written(text, static_cast<std::size_t>(end - text));
    std::size_t point = written.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(written.size() - point - 1);
}

// A literal read through the facade's literal syntax, which must give the wanted type.
HostValue literal_of(const std::string &text, char type, const std::string &what) {
    std::optional<HostValue> value;
    try {
        value = parse_literal(text);
    } catch (const Error &e) {
        throw RequestError(what + ": " + e.message());
    }
    if (!value || value->type != type) throw RequestError(what + ": '" + text + "' is not a valid value of type " + type);
    return *value;
}

const json::value &typed_value_field(const json::object &object, const std::string &what) {
    const json::value *found = object.if_contains("value");
    if (!found) throw RequestError(what + " has no \"value\"");
    return *found;
}

HostValue typed_scalar(const json::object &object, std::string_view type, const Encoding &encoding, const std::string &what) {
    const json::value &value = typed_value_field(object, what);
    auto need = [&](bool ok, const char *form) {
        if (!ok) throw RequestError(what + ": a value of type " + std::string(type) + " is " + form);
    };
    if (type.size() != 1) throw RequestError(what + ": unknown type \"" + std::string(type) + "\"");
    switch (type[0]) {
    case 'C': case 'G': case 'Q': case 'V': case 'W':
        need(value.is_string(), "a string");
        return HostValue::character(library_text(value.get_string(), encoding, what), type[0]);
    case 'N': {
        need(value.is_number(), "a number");
        double number = value.to_number<double>();
        int decimals = value.is_double() ? shortest_decimals(number) : 0;
        if (const json::value *d = object.if_contains("decimals")) {
            auto count = whole_in(*d, 0, 18);
            if (!count) throw RequestError(what + ": \"decimals\" is a whole number from 0 to 18");
            decimals = static_cast<int>(*count);
        }
        return HostValue::numeric(number, decimals);
    }
    case 'I': {
        auto number = whole_in(value, INT32_MIN, INT32_MAX);
        need(number.has_value(), "a whole number of 32 bits");
        return HostValue::whole(static_cast<std::int32_t>(*number));
    }
    case 'L':
        need(value.is_bool(), "true or false");
        return HostValue::boolean(value.get_bool());
    case 'D':
    case 'T': {
        need(value.is_string(), type[0] == 'D' ? "\"YYYY-MM-DD\" or \"\"" : "\"YYYY-MM-DD HH:MM:SS\" or \"\"");
        std::string text(value.get_string());
        if (text.empty()) return HostValue::empty_date(type[0]);
        return literal_of("{^" + text + "}", type[0], what);
    }
    case 'Y': {
        need(value.is_string() || value.is_number(), "a decimal string such as \"1.05\"");
        std::string text = value.is_string() ? std::string(value.get_string()) : number_text(value);
        return literal_of("$" + text, 'Y', what);
    }
    case '0': return HostValue::null();
    default: throw RequestError(what + ": unknown type \"" + std::string(type) + "\"");
    }
}

HostValue plain_value(const json::value &value, const Encoding &encoding, const std::string &what) {
    switch (value.kind()) {
    case json::kind::string: return HostValue::character(library_text(value.get_string(), encoding, what));
    case json::kind::int64:
    case json::kind::uint64: return HostValue::numeric(value.to_number<double>(), 0);
    case json::kind::double_: return HostValue::numeric(value.get_double(), shortest_decimals(value.get_double()));
    case json::kind::bool_: return HostValue::boolean(value.get_bool());
    case json::kind::null: return HostValue::null();
    case json::kind::object: {
        const json::value *type = value.get_object().if_contains("type");
        if (!type || !type->is_string()) throw RequestError(what + " has no \"type\"");
        return typed_scalar(value.get_object(), type->get_string(), encoding, what);
    }
    default: throw RequestError(what + " is not a value (an array is {\"type\": \"array\", \"value\": [...]})");
    }
}

void read_variables(const json::value &vars, const Encoding &encoding, BatchRequest &request) {
    if (!vars.is_object()) throw RequestError("\"vars\" is not an object");
    for (const auto &[key, value] : vars.get_object()) {
        std::string what = "vars." + std::string(key);
        std::string name = library_text(key, encoding, what);
        const json::value *type = value.is_object() ? value.get_object().if_contains("type") : nullptr;
        if (type && type->is_string() && type->get_string() == "array") {
            const json::value &elements = typed_value_field(value.get_object(), what);
            if (!elements.is_array() || elements.get_array().empty())
                throw RequestError(what + ": an array's \"value\" is a list of at least one element");
            std::vector<HostValue> out;
            for (std::size_t i = 0; i < elements.get_array().size(); ++i)
                out.push_back(plain_value(elements.get_array()[i], encoding, what + "[" + std::to_string(i + 1) + "]"));
            request.arrays.emplace_back(std::move(name), std::move(out));
        } else {
            request.variables.emplace_back(std::move(name), plain_value(value, encoding, what));
        }
    }
}

}  // namespace

BatchRequest read_request(const json::value &line, const Encoding &encoding) {
    if (!line.is_object()) throw RequestError("a request is a JSON object");
    BatchRequest request;
    bool has_function = false;
    for (const json::key_value_pair &member : line.get_object()) {  // one pass; other keys are not the call's
        std::string_view key = member.key();
        const json::value &value = member.value();
        if (key == "fn") {
            if (!value.is_string()) throw RequestError("the request has no \"fn\" string");
            request.function = library_text(value.get_string(), encoding, "fn");
            has_function = true;
        } else if (key == "args") {
            if (!value.is_array()) throw RequestError("\"args\" is not a list");
            const json::array &list = value.get_array();
            request.args.reserve(list.size());
            for (std::size_t i = 0; i < list.size(); ++i) {
                const json::value &arg = list[i];
                auto name = [i] { return "args[" + std::to_string(i) + "]"; };
                if (arg.is_string()) request.args.emplace_back(library_text(arg.get_string(), encoding, name));
                else if (arg.is_bool()) request.args.emplace_back(arg.get_bool());
                else if (arg.is_number()) request.args.emplace_back(arg.to_number<double>());
                else throw RequestError(name() + " is not a string, a number or true/false");
            }
        } else if (key == "vars") {
            read_variables(value, encoding, request);
        } else if (key == "session") {
            auto number = whole_in(value, INT32_MIN, INT32_MAX);
            if (!number) throw RequestError("\"session\" is not a whole number");
            request.session = static_cast<int>(*number);
        } else if (key == "window") {
            if (!(value.is_uint64() || (value.is_int64() && value.get_int64() >= 0)))
                throw RequestError("\"window\" is not a whole number of 0 or more");
            request.window = static_cast<tv_word>(value.to_number<std::uint64_t>());
        } else if (key == "from_fox") {
            if (!value.is_bool()) throw RequestError("\"from_fox\" is not true or false");
            request.from_fox = value.get_bool();
        }
    }
    if (!has_function) throw RequestError("the request has no \"fn\" string");
    return request;
}

namespace {

// A JSON string, escaped by the JSON library.
void write_string(std::string &out, std::string_view utf8) {
    json::serializer serializer;
    serializer.reset(json::string_view(utf8.data(), utf8.size()));
    char block[4096];
    while (!serializer.done()) {
        json::string_view part = serializer.read(block, sizeof block);
        out.append(part.data(), part.size());
    }
}

void write_actions(std::string &out, const std::vector<HostAction> &actions, const Encoding &encoding) {
    if (actions.empty()) return;
    out += ",\"host\":[";
    for (std::size_t i = 0; i < actions.size(); ++i) {
        out += i == 0 ? "{\"kind\":" : ",{\"kind\":";
        write_string(out, actions[i].kind);
        out += ",\"detail\":";
        write_string(out, encoding.readable(actions[i].detail));
        if (actions[i].kind == "editor") out += ",\"window\":" + std::to_string(actions[i].window);
        out += '}';
    }
    out += ']';
}

}  // namespace

void write_result(std::string &out, const Result &result, const std::vector<HostAction> &actions, const Encoding &encoding) {
    std::size_t start = out.size();
    out += "{\"result\":";
    if (const auto *text = std::get_if<std::string>(&result)) {
        try {
            if (encoding.passes_bytes()) write_string(out, encoding.checked(*text, "the result"));
            else write_string(out, encoding.from_library(*text, "the result"));
        } catch (const EncodingError &e) {
            out.resize(start);
            write_request_error(out, e.what());
            return;
        }
    } else if (const auto *truth = std::get_if<bool>(&result)) {
        out += *truth ? "true" : "false";
    } else if (const auto *number = std::get_if<double>(&result)) {
        if (std::trunc(*number) == *number && std::fabs(*number) < 9e15) out += std::to_string(static_cast<std::int64_t>(*number));
        else out += number_text(json::value(*number));
    } else {
        out += "null";
    }
    write_actions(out, actions, encoding);
    out += '}';
}

void write_error(std::string &out, const Error &error, const std::vector<HostAction> &actions, const Encoding &encoding) {
    out += "{\"error\":{\"number\":";
    out += error.number() ? std::to_string(*error.number()) : "null";
    out += ",\"message\":";
    write_string(out, encoding.readable(error.message()));
    out += '}';
    write_actions(out, actions, encoding);
    out += '}';
}

void write_request_error(std::string &out, std::string_view message) {
    out += "{\"error\":{\"number\":null,\"message\":";
    write_string(out, message);
    out += "}}";
}

void run_request(Host &host, const BatchRequest &request, const Encoding &encoding, std::string &out) {
    host.clear_variables();
    for (const auto &[name, value] : request.variables) host.set_variable(name, value);
    for (const auto &[name, elements] : request.arrays) host.set_array(name, elements);
    host.set_session(request.session);
    host.set_window(request.window);
    try {
        if (request.from_fox) host.call("ZQV_SETFROMFOX", {*request.from_fox});
        write_result(out, host.call(request.function, request.args), host.actions(), encoding);
    } catch (const Error &e) {
        write_error(out, e, host.actions(), encoding);
    }
}

namespace {

bool matches(const json::value &expected, const json::value &actual) {
    if (expected.is_object()) {
        if (!actual.is_object()) return false;
        for (const auto &[key, value] : expected.get_object()) {
            const json::value *found = actual.get_object().if_contains(key);
            if (!found || !matches(value, *found)) return false;
        }
        return true;
    }
    if (expected.is_array()) {
        if (!actual.is_array() || actual.get_array().size() != expected.get_array().size()) return false;
        for (std::size_t i = 0; i < expected.get_array().size(); ++i)
            if (!matches(expected.get_array()[i], actual.get_array()[i])) return false;
        return true;
    }
    if (expected.is_number() && actual.is_number())  // 2 and 2.0 are the same number
        return expected.to_number<double>() == actual.to_number<double>();
    return expected == actual;
}

}  // namespace

std::vector<std::string> mismatches(const json::value &expected, const json::value &actual) {
    std::vector<std::string> out;
    if (!expected.is_object() || !actual.is_object()) return {"expected " + json::serialize(expected) + ", got " + json::serialize(actual)};
    for (const auto &[key, value] : expected.get_object()) {
        const json::value *found = actual.get_object().if_contains(key);
        std::string name(key);
        if (!found && key == "host") {  // no "host" in an answer: the host was asked nothing
            if (!matches(value, json::array())) out.push_back(name + ": expected " + json::serialize(value) + ", got nothing");
        } else if (!found) {
            out.push_back(name + ": expected " + json::serialize(value) + ", got " + json::serialize(actual));
        } else if (!matches(value, *found)) {
            out.push_back(name + ": expected " + json::serialize(value) + ", got " + json::serialize(*found));
        }
    }
    return out;
}

}  // namespace tarnvel::cli
