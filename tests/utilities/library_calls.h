// Calling a library function through the substitute host in tests: the result of the expected
// kind, or the error, with the handle table checked after every call; and long texts made of parts.
#pragma once

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testcalls {

inline std::string repeat(const std::string &part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

// The error 'call' ends in, or nothing when it returns.
template <typename Call>
std::optional<tarnvel::Error> error_of(Call &&call) {
    try {
        call();
    } catch (const tarnvel::Error &e) {
        return e;
    }
    return std::nullopt;
}

inline std::string text(tarnvel::Host &host, std::string_view fn, const std::vector<tarnvel::Arg> &args) {
    tarnvel::Result r = host.call(fn, args);
    EXPECT_EQ(host.handles_in_use(), 0u) << fn;
    const std::string *s = std::get_if<std::string>(&r);
    EXPECT_NE(s, nullptr) << fn << " returned no text";
    return s ? *s : std::string();
}

inline double number(tarnvel::Host &host, std::string_view fn, const std::vector<tarnvel::Arg> &args) {
    tarnvel::Result r = host.call(fn, args);
    EXPECT_EQ(host.handles_in_use(), 0u) << fn;
    const double *d = std::get_if<double>(&r);
    EXPECT_NE(d, nullptr) << fn << " returned no number";
    return d ? *d : -1;
}

// Calls 'fn' under every operation budget from 0 up to the first that lets it finish. Each call
// either succeeds with 'expected' or fails with host error 182 or 'message'; nothing leaks. Returns
// how many calls failed with 'message'.
inline int under_budgets(tarnvel::Host &host, std::string_view fn, const std::vector<tarnvel::Arg> &args,
                         const std::string &expected, std::string_view message) {
    int with_message = 0;
    for (std::size_t operations = 0; operations < 1000; ++operations) {
        host.set_budget(std::nullopt, operations);
        try {
            tarnvel::Result r = host.call(fn, args);
            EXPECT_EQ(host.handles_in_use(), 0u) << "budget " << operations;
            if (const std::string *s = std::get_if<std::string>(&r)) {
                EXPECT_EQ(*s, expected) << "budget " << operations;
                break;
            }
            // No result: the returned value's own handle could not be had, which drops it silently.
        } catch (const tarnvel::Error &e) {
            EXPECT_EQ(host.handles_in_use(), 0u) << "budget " << operations;
            if (e.message() == message) {
                ++with_message;
            } else {
                EXPECT_EQ(e.number(), 182) << e.message();
            }
        }
    }
    host.set_budget(std::nullopt, std::nullopt);
    return with_message;
}

}  // namespace testcalls
