// The host of one run of the command, speaking the user's text: character arguments, variable
// names and values go to the library through the chosen encoding, and what comes back (results,
// error messages) is turned back into UTF-8 text. With UTF-8, the default, bytes pass as they come.
#pragma once

#include "encoding.hpp"

#include <tarnvel/host.hpp>

#include <string>
#include <vector>

namespace tarnvel::cli {

class Session {
public:
    Session(Library library, const Encoding &encoding) : host_(std::move(library)), encoding_(encoding) {}

    // As Host::call. A character argument that does not fit the code page, or a result that is not
    // text in it, throws EncodingError; an Error from the library carries its message as text.
    Result call(std::string_view name, std::vector<Arg> args);

    void set_variable(const std::string &name, HostValue value);
    void set_array(const std::string &name, std::vector<HostValue> elements);
    void set_session(int session) { host_.set_session(session); }
    void set_window(tv_word window) { host_.set_window(window); }

    // What the library asked the host to do during the last call (details as the library sent them).
    const std::vector<HostAction> &actions() const { return host_.actions(); }
    const Encoding &encoding() const { return encoding_; }
    Host &host() { return host_; }

private:
    Host host_;
    const Encoding &encoding_;
};

// A value whose text is converted to the library's bytes ('what' names it in an error).
HostValue to_library(const Encoding &encoding, HostValue value, const std::string &what);

}  // namespace tarnvel::cli
