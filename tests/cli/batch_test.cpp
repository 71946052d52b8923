// tarnvel batch: the JSON-lines protocol as a case file or a pipe sees it.
#include "cli/run_cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using clitest::answers;
using nlohmann::json;

// Code points U+0000 to U+00FF as UTF-8: the form in which --encoding latin1 carries bytes.
std::string as_code_points(const std::string &bytes) {
    std::string out;
    for (unsigned char b : bytes) {
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
        } else {
            out.push_back(static_cast<char>(0xC0 | (b >> 6)));
            out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        }
    }
    return out;
}

TEST(Batch, EveryByteValueSurvivesBothWays) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    all.push_back('\0');
    // an unknown function name comes back inside the error message, byte for byte
    json request{{"fn", as_code_points(all)}};
    auto r = clitest::run("batch --encoding latin1", request.dump() + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    auto got = answers(r.out);
    ASSERT_EQ(got.size(), 1u);
    std::string message = got[0]["error"]["message"];
    EXPECT_NE(message.find(as_code_points(all)), std::string::npos);
}

TEST(Batch, ACodePointAboveFFIsARequestErrorInLatin1AndTheBatchGoesOn) {
    std::string input = "{\"fn\": \"ZQV_SETLOC\", \"args\": [\"\\u0100\"]}\n"
                        "not json at all\n"
                        "\n"
                        "[1, 2]\n"
                        "{\"args\": []}\n"
                        "{\"fn\": \"ZQ_WONTOP\", \"window\": 12}\n";
    auto r = clitest::run("batch --encoding latin1", input);
    ASSERT_EQ(r.status, 0) << r.err;
    auto got = answers(r.out);
    ASSERT_EQ(got.size(), 5u);  // the blank line gets no answer
    EXPECT_NE(got[0]["error"]["message"].get<std::string>().find("U+0100"), std::string::npos);
    EXPECT_NE(got[1]["error"]["message"].get<std::string>().find("malformed request"), std::string::npos);
    EXPECT_TRUE(got[2].contains("error"));
    EXPECT_NE(got[3]["error"]["message"].get<std::string>().find("\"fn\""), std::string::npos);
    EXPECT_EQ(got[4], json::parse(R"({"result": 12})"));
}

TEST(Batch, MalformedVariablesAreRequestErrors) {
    const char *bad[] = {
        R"({"type": "D", "value": "2010-02-30"})", R"({"type": "T", "value": "2010-08-16 24:00:00"})",
        R"({"type": "N", "value": "12"})",         R"({"type": "I", "value": 3000000000})",
        R"({"type": "Z", "value": 1})",            R"({"type": "array", "value": []})",
        R"({"value": 1})",                         R"([1, 2])",
        R"({"type": "Y", "value": "abc"})",        R"({"type": "N", "value": 1, "decimals": -1})",
    };
    std::string input;
    for (const char *value : bad) input += std::string(R"({"fn": "ZQ_WONTOP", "vars": {"v": )") + value + "}}\n";
    auto r = clitest::run("batch", input);
    auto got = answers(r.out);
    ASSERT_EQ(got.size(), std::size(bad));
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_NE(got[i]["error"]["message"].get<std::string>().find("request error: vars.v"), std::string::npos) << bad[i];
}

TEST(Batch, CheckComparesOnlyTheKeysGivenAndReportsLineNumbers) {
    std::string cases = R"({"fn": "ZQ_WONTOP", "window": 3, "expect": {"result": 3}, "why": "passes"}
{"fn": "ZQ_WONTOP", "window": 3, "expect": {"result": 4}}

{"fn": "ZQV_SETFROMFOX", "args": [1], "expect": {"error": {"number": 11}}}
{"fn": "ZQV_SETFROMFOX", "args": [1], "expect": {"error": {"message": "something else"}}}
{"fn": "ZQ_EDITOR_COPY", "window": 2, "expect": {"host": [{"kind": "editor", "detail": "copy", "window": 2}]}}
{"fn": "ZQ_EDITOR_COPY", "expect": {"host": []}}
{"fn": "ZQ_WONTOP"}
broken
)";
    std::string path = clitest::write_temp("check.jsonl", cases);
    auto r = clitest::run("batch --check '" + path + "'");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "line 2: result: expected 4, got 3\n"
                     "line 5: error: expected {\"message\":\"something else\"}, got "
                     "{\"number\":11,\"message\":\"Function argument value, type, or count is invalid\"}\n"
                     "line 9: malformed request: syntax error at byte 1\n"
                     "4 passed, 3 failed\n");
    auto passing = clitest::run("batch --check -", "{\"fn\": \"ZQ_WONTOP\", \"expect\": {\"result\": 0}}\n");
    EXPECT_EQ(passing.status, 0);
    EXPECT_EQ(passing.out, "1 passed, 0 failed\n");
    std::remove(path.c_str());
}

TEST(Batch, ALibraryFileIsLoadedWithLibrary) {
    auto r = clitest::run(std::string("--library '") + TARNVEL_LIBRARY_FILE + "' batch",
                          "{\"fn\": \"ZQ_WONTOP\", \"window\": 8}\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "{\"result\":8}\n");
    auto missing = clitest::run("--library /nonexistent.so batch", "");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("tarnvel: cannot load the library /nonexistent.so", 0), 0u) << missing.err;
}

}  // namespace
