// ZQV_STRTRAN beyond the case files: its text grows, or the call ends with its message.
#include "utilities/library_calls.h"

#include <string>

namespace {

TEST(StrTran, GrowsItsTextOrReportsInsufficientMemory) {
    const std::string text(3000, 'a');
    std::string expected;
    for (int i = 0; i < 3000; ++i) expected += "xyz";
    const std::vector<tarnvel::Arg> args{text, std::string("a"), std::string("xyz")};
    tarnvel::Host host;
    EXPECT_EQ(testcalls::text(host, "ZQV_STRTRAN", args), expected);
    EXPECT_GT(testcalls::under_budgets(host, "ZQV_STRTRAN", args, expected, "Insufficient memory for ZQV_StrTran"), 0);
}

}  // namespace
