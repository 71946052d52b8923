// Calls the SELECT conversions through DispatchAPI for the select tests: one statement in, the
// converted text or the error out, and the handle table checked after every call.
#pragma once

#include "host/raw_host.h"

#include <gtest/gtest.h>

#include <string>

namespace selecttest {

struct Outcome {
    std::string text;     // the result, or the error message
    bool error = false;
    int number = 0;       // host error number (182), 0 for a user error
};

// 'operations': how many obtains and growths may succeed (the argument's own handle included).
inline Outcome convert(const std::string &function, const std::string &sql, bool from_fox = true,
                       tv_word operations = ~tv_word(0)) {
    rawhost::Host host;
    const FoxTable *table = host.init();
    host.call(*rawhost::find(table, "ZQV_SETFROMFOX"), {{'L', "", 0, from_fox}});
    host.send(TV_REQ_SET_BUDGET, ~tv_word(0), operations);
    host.call(*rawhost::find(table, function), {{'C', sql}});
    host.send(TV_REQ_SET_BUDGET, ~tv_word(0), ~tv_word(0));
    Outcome out;
    if (!host.requests.user_errors.empty()) {
        out.error = true;
        out.text = host.requests.user_errors.front();
    } else if (!host.requests.errors.empty()) {
        out.error = true;
        out.number = host.requests.errors.front();
    } else if (host.requests.has_returned) {
        out.text = host.take_text();
    } else {
        out.error = true;
        out.text = "(no result; requests:";
        for (auto c : host.requests.codes) {
            out.text += ' ';  // appended piece by piece: " " + to_string() trips GCC 12's -Wrestrict at -O3
            out.text += std::to_string(c);
        }
        out.text += ")";
    }
    EXPECT_EQ(host.handles_in_use(), 0u) << sql;
    host.call(*rawhost::find(table, "ZQV_SETFROMFOX"), {{'L', "", 0, true}});
    return out;
}

}  // namespace selecttest
