// The JSON-lines protocol of tarnvel batch: reading a request line and writing its answer.
//
// Strings carry bytes: each byte is the code point U+0000 to U+00FF, both ways. A code point above
// U+00FF in a request is a request error.
#pragma once

#include <tarnvel/host.hpp>

#include <nlohmann/json.hpp>

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tarnvel::cli {

// A request line that cannot be carried out as written.
struct RequestError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct BatchRequest {
    std::string function;
    std::vector<Arg> args;
    std::vector<std::pair<std::string, HostValue>> variables;
    std::vector<std::pair<std::string, std::vector<HostValue>>> arrays;
    int session = 1;
    tv_word window = 0;
    std::optional<bool> from_fox;
};

// Bytes as code points (JSON strings are UTF-8).
std::string bytes_to_json_string(std::string_view bytes);
// Code points back to bytes; RequestError for one above U+00FF. 'what' names the place.
std::string json_string_to_bytes(const std::string &utf8, const std::string &what);

// Throws RequestError for a request that is not as the protocol says.
BatchRequest read_request(const nlohmann::ordered_json &line);

// Runs 'request' on 'host' (its variables, arrays, session and window replace the earlier ones; the
// FoxPro-syntax switch is set when the request gives it) and answers as result_answer or
// error_answer, with the host actions added.
nlohmann::ordered_json run_request(Host &host, const BatchRequest &request);

nlohmann::ordered_json result_answer(const Result &result);
nlohmann::ordered_json error_answer(const Error &error);
// Adds "host": [...] when the library asked the host for anything.
void add_actions(nlohmann::ordered_json &answer, const std::vector<HostAction> &actions);

// The keys of 'expected' that 'actual' does not match (objects compare only the keys given).
std::vector<std::string> mismatches(const nlohmann::ordered_json &expected, const nlohmann::ordered_json &actual);

}  // namespace tarnvel::cli
