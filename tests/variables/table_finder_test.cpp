// The table finder through DispatchAPI and the substitute host: the memory budget and long rewrites.
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace {

using tarnvel::Host;
using tarnvel::HostValue;

std::optional<std::string> find_tables(Host &host, const std::string &command, std::string *error = nullptr) {
    std::optional<std::string> result;
    try {
        auto r = host.call("ZQ_SQL_FIND_TABLES", {command, std::string("MS_SQL"), std::string("DIRECT")});
        if (auto *text = std::get_if<std::string>(&r)) result = *text;
    } catch (const tarnvel::Error &e) {
        if (error) *error = e.message();
    }
    EXPECT_EQ(host.handles_in_use(), 0u) << command;
    return result;
}

TEST(TableFinder, ManyReferencesGrowingAndShrinking) {
    Host host;
    host.set_array("A__a_1", {HostValue::character(std::string(40, 'L'))});
    host.set_array("A__b_1", {HostValue::character("s")});
    std::string command, expected;
    for (int i = 0; i < 2000; ++i) {
        command += i % 2 ? " ..a" : " ..bbb";
        expected += i % 2 ? " " + std::string(40, 'L') : " bbb";
    }
    // "..bbb" has no array of its own: the name as written.
    EXPECT_EQ(find_tables(host, command), expected);
}

TEST(TableFinder, GrowthFailuresAreReportedAndNothingLeaks) {
    Host host;
    host.set_array("A__orders_1", {HostValue::character(std::string(1000, 'n'))});
    std::set<std::string> messages;
    bool succeeded = false;
    for (std::size_t operations = 0; operations < 30 && !succeeded; ++operations) {
        host.set_budget(std::nullopt, operations);
        std::string error;
        auto result = find_tables(host, "SELECT * FROM ..orders", &error);
        host.set_budget(std::nullopt, std::nullopt);
        if (!error.empty()) messages.insert(error);
        if (result) {
            EXPECT_EQ(*result, "SELECT * FROM " + std::string(1000, 'n'));
            succeeded = true;
        }
    }
    EXPECT_TRUE(succeeded);
    EXPECT_TRUE(messages.count("Insufficient memory for table name"));
}

}  // namespace
