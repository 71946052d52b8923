// The MySQL and PostgreSQL column lists of a field list, for the engine tests of the structure
// conversion.
#pragma once

#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace engine {

inline std::string columns_by(const char *function, const std::string &fields) {
    tarnvel::Host host;
    tarnvel::Result result = host.call(function, {fields});
    const auto *columns = std::get_if<std::string>(&result);
    EXPECT_NE(columns, nullptr) << fields;
    return columns ? *columns : std::string();
}

inline std::string mysql_columns(const std::string &fields) { return columns_by("ZQ_MYSQL_CREATE_STRU_CONVERT", fields); }
inline std::string pgsql_columns(const std::string &fields) { return columns_by("ZQ_PGSQL_CREATE_STRU_CONVERT", fields); }

}  // namespace engine
