// Calls the SELECT conversions through DispatchAPI for the select tests: one statement in, the
// converted text or the error out, and the handle table checked after every call.
#pragma once

#include "host/raw_host.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace selecttest {

struct Outcome {
    std::string text;     // the result, or the error message
    bool error = false;
    int number = 0;       // host error number (182), 0 for a user error
};

// 'operations': how many obtains and growths may succeed (the argument's own handle included).
using Variables = std::map<std::string, Value>;

using rawhost::logical;
using rawhost::numeric;

// Answers the name-table, find and load requests for the given variables.
inline void answer_variables(rawhost::Host &host, const Variables &variables) {
    host.requests.extra = [&variables](CallbackBlock *block) {
        switch (block->code) {
        case TV_HOST_NAME_TABLE_INDEX: {
            std::string name(reinterpret_cast<const char *>(block->arg0));
            auto found = variables.find(name);
            block->arg0 = found == variables.end() ? static_cast<tv_word>(-1)
                                                   : static_cast<tv_word>(std::distance(variables.begin(), found) + 1);
            break;
        }
        case TV_HOST_FIND_VAR: {
            Locator *locator = reinterpret_cast<Locator *>(block->arg2);
            if (locator) locator->name_index = static_cast<int16_t>(block->arg0);
            block->arg0 = 1;
            break;
        }
        case TV_HOST_LOAD: {
            const Locator *locator = reinterpret_cast<const Locator *>(block->arg0);
            auto it = variables.begin();
            std::advance(it, locator->name_index - 1);
            std::memcpy(reinterpret_cast<void *>(block->arg1), &it->second, sizeof(Value));
            break;
        }
        default: break;
        }
    };
}

inline Outcome convert(const std::string &function, const std::string &sql, bool from_fox = true,
                       tv_word operations = ~tv_word(0), const Variables &variables = {}) {
    rawhost::Host host;
    const FoxTable *table = host.init();
    answer_variables(host, variables);
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
