// The MySQL column list of a field list, for the engine tests of the structure conversion.
#pragma once

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace engine {

inline std::string mysql_columns(const std::string &fields) {
    tarnvel::Host host;
    tarnvel::Result result = host.call("ZQ_MYSQL_CREATE_STRU_CONVERT", {fields});
    const auto *columns = std::get_if<std::string>(&result);
    EXPECT_NE(columns, nullptr) << fields;
    return columns ? *columns : std::string();
}

}  // namespace engine
