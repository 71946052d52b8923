// IIF to CASE beyond the case files: both copies grow, or the call ends with its message.
#include "utilities/library_calls.h"

#include <string>

namespace {

TEST(IifConversion, CopiesGrowOrReportInsufficientMemoryForCase) {
    std::string command, expected;
    for (int i = 0; i < 50; ++i) {
        command += "iif(a,b,c)";
        expected += " CASE WHEN a THEN b ELSE c END ";
    }
    tarnvel::Host host;
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_IIF", {command}), expected);
    EXPECT_GT(testcalls::under_budgets(host, "ZQ_SQL_IIF", {command}, expected, "Insufficient memory for CASE"), 0);
}

}  // namespace
