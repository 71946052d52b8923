#include "session.hpp"

#include <cstring>

namespace tarnvel::cli {

HostValue to_library(const Encoding &encoding, HostValue value, const std::string &what) {
    if (!encoding.passes_bytes() && std::strchr("CGQVW", value.type) != nullptr)
        value.text = encoding.to_library(value.text, what);
    return value;
}

Result Session::call(std::string_view name, std::vector<Arg> args) {
    if (!encoding_.passes_bytes()) {
        for (std::size_t i = 0; i < args.size(); ++i)
            if (auto *text = std::get_if<std::string>(&args[i]))
                *text = encoding_.to_library(*text, "argument " + std::to_string(i + 1));
    }
    Result result;
    try {
        result = host_.call(name, args);
    } catch (const Error &e) {
        if (encoding_.passes_bytes()) throw;
        throw Error(e.number(), encoding_.readable(e.message()));
    }
    if (auto *text = std::get_if<std::string>(&result); text && !encoding_.passes_bytes())
        *text = encoding_.from_library(*text, "the result");
    return result;
}

void Session::set_variable(const std::string &name, HostValue value) {
    host_.set_variable(encoding_.to_library(name, "the name " + name), to_library(encoding_, std::move(value), name));
}

void Session::set_array(const std::string &name, std::vector<HostValue> elements) {
    for (std::size_t i = 0; i < elements.size(); ++i)
        elements[i] = to_library(encoding_, std::move(elements[i]), name + "[" + std::to_string(i + 1) + "]");
    host_.set_array(encoding_.to_library(name, "the name " + name), std::move(elements));
}

}  // namespace tarnvel::cli
