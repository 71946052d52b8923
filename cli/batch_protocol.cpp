#include "batch_protocol.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarnvel::cli {

using json = nlohmann::ordered_json;

std::string bytes_to_json_string(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

std::string json_string_to_bytes(const std::string &utf8, const std::string &what) {
    // nlohmann has checked the UTF-8; only the code points matter here
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        std::uint32_t point = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        if (point > 0xFF) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(point));
            throw RequestError(what + " holds the code point " + hex + ", above U+00FF: strings carry bytes");
        }
        out.push_back(static_cast<char>(point));
        i += length;
    }
    return out;
}

namespace {

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

const json &typed_value_field(const json &object, const std::string &what) {
    auto found = object.find("value");
    if (found == object.end()) throw RequestError(what + " has no \"value\"");
    return *found;
}

HostValue typed_scalar(const json &object, const std::string &type, const std::string &what) {
    const json &value = typed_value_field(object, what);
    auto need = [&](bool ok, const char *form) {
        if (!ok) throw RequestError(what + ": a value of type " + type + " is " + form);
    };
    if (type.size() != 1) throw RequestError(what + ": unknown type \"" + type + "\"");
    switch (type[0]) {
    case 'C': case 'G': case 'Q': case 'V': case 'W':
        need(value.is_string(), "a string");
        return HostValue::character(json_string_to_bytes(value.get<std::string>(), what), type[0]);
    case 'N': {
        need(value.is_number(), "a number");
        double number = value.get<double>();
        int decimals = value.is_number_float() ? shortest_decimals(number) : 0;
        if (auto d = object.find("decimals"); d != object.end()) {
            if (!d->is_number_integer() || d->get<long long>() < 0 || d->get<long long>() > 18)
                throw RequestError(what + ": \"decimals\" is a whole number from 0 to 18");
            decimals = d->get<int>();
        }
        return HostValue::numeric(number, decimals);
    }
    case 'I':
        need(value.is_number_integer() && value.get<long long>() >= INT32_MIN && value.get<long long>() <= INT32_MAX,
             "a whole number of 32 bits");
        return HostValue::whole(value.get<std::int32_t>());
    case 'L':
        need(value.is_boolean(), "true or false");
        return HostValue::boolean(value.get<bool>());
    case 'D':
    case 'T': {
        need(value.is_string(), type[0] == 'D' ? "\"YYYY-MM-DD\" or \"\"" : "\"YYYY-MM-DD HH:MM:SS\" or \"\"");
        std::string text = value.get<std::string>();
        if (text.empty()) return HostValue::empty_date(type[0]);
        return literal_of("{^" + text + "}", type[0], what);
    }
    case 'Y': {
        need(value.is_string() || value.is_number(), "a decimal string such as \"1.05\"");
        std::string text = value.is_string() ? value.get<std::string>() : value.dump();
        return literal_of("$" + text, 'Y', what);
    }
    case '0': return HostValue::null();
    default: throw RequestError(what + ": unknown type \"" + type + "\"");
    }
}

HostValue plain_value(const json &value, const std::string &what) {
    switch (value.type()) {
    case json::value_t::string: return HostValue::character(json_string_to_bytes(value.get<std::string>(), what));
    case json::value_t::number_integer:
    case json::value_t::number_unsigned: return HostValue::numeric(value.get<double>(), 0);
    case json::value_t::number_float: return HostValue::numeric(value.get<double>(), shortest_decimals(value.get<double>()));
    case json::value_t::boolean: return HostValue::boolean(value.get<bool>());
    case json::value_t::null: return HostValue::null();
    case json::value_t::object: {
        auto type = value.find("type");
        if (type == value.end() || !type->is_string()) throw RequestError(what + " has no \"type\"");
        return typed_scalar(value, type->get<std::string>(), what);
    }
    default: throw RequestError(what + " is not a value (an array is {\"type\": \"array\", \"value\": [...]})");
    }
}

void read_variables(const json &vars, BatchRequest &request) {
    if (!vars.is_object()) throw RequestError("\"vars\" is not an object");
    for (const auto &[name, value] : vars.items()) {
        std::string what = "vars." + name;
        if (value.is_object() && value.value("type", json()) == "array") {
            const json &elements = typed_value_field(value, what);
            if (!elements.is_array() || elements.empty()) throw RequestError(what + ": an array's \"value\" is a list of at least one element");
            std::vector<HostValue> out;
            for (std::size_t i = 0; i < elements.size(); ++i)
                out.push_back(plain_value(elements[i], what + "[" + std::to_string(i + 1) + "]"));
            request.arrays.emplace_back(name, std::move(out));
        } else {
            request.variables.emplace_back(name, plain_value(value, what));
        }
    }
}

}  // namespace

BatchRequest read_request(const json &line) {
    if (!line.is_object()) throw RequestError("a request is a JSON object");
    BatchRequest request;
    auto fn = line.find("fn");
    if (fn == line.end() || !fn->is_string()) throw RequestError("the request has no \"fn\" string");
    request.function = json_string_to_bytes(fn->get<std::string>(), "fn");
    if (auto args = line.find("args"); args != line.end()) {
        if (!args->is_array()) throw RequestError("\"args\" is not a list");
        for (std::size_t i = 0; i < args->size(); ++i) {
            const json &arg = (*args)[i];
            std::string what = "args[" + std::to_string(i) + "]";
            if (arg.is_string()) request.args.emplace_back(json_string_to_bytes(arg.get<std::string>(), what));
            else if (arg.is_boolean()) request.args.emplace_back(arg.get<bool>());
            else if (arg.is_number()) request.args.emplace_back(arg.get<double>());
            else throw RequestError(what + " is not a string, a number or true/false");
        }
    }
    if (auto vars = line.find("vars"); vars != line.end()) read_variables(*vars, request);
    if (auto session = line.find("session"); session != line.end()) {
        if (!session->is_number_integer() || session->get<long long>() < INT32_MIN || session->get<long long>() > INT32_MAX)
            throw RequestError("\"session\" is not a whole number");
        request.session = session->get<int>();
    }
    if (auto window = line.find("window"); window != line.end()) {
        if (!window->is_number_integer() || window->get<long long>() < 0) throw RequestError("\"window\" is not a whole number of 0 or more");
        request.window = static_cast<tv_word>(window->get<unsigned long long>());
    }
    if (auto from_fox = line.find("from_fox"); from_fox != line.end()) {
        if (!from_fox->is_boolean()) throw RequestError("\"from_fox\" is not true or false");
        request.from_fox = from_fox->get<bool>();
    }
    return request;
}

json run_request(Host &host, const BatchRequest &request) {
    host.clear_variables();
    for (const auto &[name, value] : request.variables) host.set_variable(name, value);
    for (const auto &[name, elements] : request.arrays) host.set_array(name, elements);
    host.set_session(request.session);
    host.set_window(request.window);
    try {
        if (request.from_fox) host.call("ZQV_SETFROMFOX", {*request.from_fox});
        json answer = result_answer(host.call(request.function, request.args));
        add_actions(answer, host.actions());
        return answer;
    } catch (const Error &e) {
        json answer = error_answer(e);
        add_actions(answer, host.actions());
        return answer;
    }
}

json result_answer(const Result &result) {
    json value;
    if (const auto *text = std::get_if<std::string>(&result)) {
        value = bytes_to_json_string(*text);
    } else if (const auto *truth = std::get_if<bool>(&result)) {
        value = *truth;
    } else if (const auto *number = std::get_if<double>(&result)) {
        if (std::trunc(*number) == *number && std::fabs(*number) < 9e15) value = static_cast<long long>(*number);
        else value = *number;
    }
    return json{{"result", value}};
}

json error_answer(const Error &error) {
    json number = error.number() ? json(*error.number()) : json(nullptr);
    return json{{"error", {{"number", number}, {"message", bytes_to_json_string(error.message())}}}};
}

void add_actions(json &answer, const std::vector<HostAction> &actions) {
    if (actions.empty()) return;
    json list = json::array();
    for (const HostAction &action : actions) {
        json item{{"kind", action.kind}, {"detail", bytes_to_json_string(action.detail)}};
        if (action.kind == "editor") item["window"] = static_cast<unsigned long long>(action.window);
        list.push_back(std::move(item));
    }
    answer["host"] = std::move(list);
}

namespace {

bool matches(const json &expected, const json &actual) {
    if (expected.is_object()) {
        if (!actual.is_object()) return false;
        for (const auto &[key, value] : expected.items()) {
            auto found = actual.find(key);
            if (found == actual.end() || !matches(value, *found)) return false;
        }
        return true;
    }
    if (expected.is_array()) {
        if (!actual.is_array() || actual.size() != expected.size()) return false;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (!matches(expected[i], actual[i])) return false;
        return true;
    }
    return expected == actual;
}

}  // namespace

std::vector<std::string> mismatches(const json &expected, const json &actual) {
    std::vector<std::string> out;
    for (const auto &[key, value] : expected.items()) {
        auto found = actual.find(key);
        if (found == actual.end() && key == "host") {  // no "host" in an answer: the host was asked nothing
            if (!matches(value, json::array())) out.push_back(key + ": expected " + value.dump() + ", got nothing");
        } else if (found == actual.end()) {
            out.push_back(key + ": expected " + value.dump() + ", got " + actual.dump());
        } else if (!matches(value, *found)) {
            out.push_back(key + ": expected " + value.dump() + ", got " + found->dump());
        }
    }
    return out;
}

}  // namespace tarnvel::cli
