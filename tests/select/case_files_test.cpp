// Runs the select case files through DispatchAPI until the command line's batch runner can.
#include "select/harness.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

TEST(SelectCaseFiles, AllHold) {
    for (const auto &entry : std::filesystem::directory_iterator(TARNVEL_CASES_DIR)) {
        std::string name = entry.path().filename().string();
        if (!name.starts_with("select_")) continue;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            if (line.empty()) continue;
            nlohmann::json request = nlohmann::json::parse(line);
            if (request.contains("vars")) continue;
            auto r = selecttest::convert(request["fn"].get<std::string>(), request["args"][0].get<std::string>(),
                                         request.value("from_fox", true));
            const auto &expect = request["expect"];
            if (expect.contains("result")) {
                EXPECT_FALSE(r.error) << name << ":" << number << " " << r.text;
                EXPECT_EQ(r.text, expect["result"].get<std::string>()) << name << ":" << number;
            } else {
                EXPECT_TRUE(r.error) << name << ":" << number;
                EXPECT_EQ(r.text, expect["error"]["message"].get<std::string>()) << name << ":" << number;
            }
        }
    }
}
