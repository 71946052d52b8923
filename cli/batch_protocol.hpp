// The JSON-lines protocol of tarnvel batch: reading a request line and writing its answer.
//
// JSON strings are Unicode text; the chosen encoding turns them into the library's bytes and the
// library's bytes back into text (with latin1 each byte is the code point U+0000 to U+00FF, both
// ways). Text that does not fit the code page is a request error.
#pragma once

#include "encoding.hpp"

#include <tarnvel/host.hpp>

#include <boost/json.hpp>

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

// Throws RequestError for a request that is not as the protocol says, or whose text does not fit
// the encoding.
BatchRequest read_request(const boost::json::value &line, const Encoding &encoding);
// The answer to a call as one line of JSON text, appended to 'out':
//   {"result": VALUE} or {"error": {"number": N|null, "message": TEXT}},
// with "host": [...] when the library asked the host for anything. A text result that is not text
// in the encoding is answered as an error.
void write_result(std::string &out, const Result &result, const std::vector<HostAction> &actions, const Encoding &encoding);
void write_error(std::string &out, const Error &error, const std::vector<HostAction> &actions, const Encoding &encoding);
// An error of the command itself (a malformed request, text the code page cannot hold): its
// message is already UTF-8 text.
void write_request_error(std::string &out, std::string_view message);

// Runs 'request' on 'host' (its variables, arrays, session and window replace the earlier ones; the
// FoxPro-syntax switch is set when the request gives it) and appends its answer to 'out' as
// write_result or write_error do.
void run_request(Host &host, const BatchRequest &request, const Encoding &encoding, std::string &out);

// The keys of 'expected' that 'actual' does not match (objects compare only the keys given).
std::vector<std::string> mismatches(const boost::json::value &expected, const boost::json::value &actual);

}  // namespace tarnvel::cli
