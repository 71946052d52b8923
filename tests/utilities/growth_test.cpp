// Results many times longer than their text: the library's buffers grow, or under every smaller
// budget the call ends with its growth message or host error 182, and nothing leaks.
#include "utilities/library_calls.h"

#include <string>

namespace {

using testcalls::repeat;

TEST(Growth, ResultsGrowOrEndWithTheirMessage) {
    struct Row {
        const char *function;
        std::vector<tarnvel::Arg> args;
        std::string expected, message;  // message "(none)": no growth can fail, only obtains
    } rows[] = {
        {"ZQ_SQL_IIF", {repeat("iif(a,b,c)", 50)}, repeat(" CASE WHEN a THEN b ELSE c END ", 50), "Insufficient memory for CASE"},
        {"ZQV_STRTRAN", {std::string(3000, 'a'), std::string("a"), std::string("xyz")}, repeat("xyz", 3000),
         "Insufficient memory for ZQV_StrTran"},
        {"ZQ_SQL_CREATE_STRU_CONVERT", {repeat("A C,", 200)}, repeat("A CHAR DEFAULT '' NOT NULL,", 200),
         "Insufficient memory for column list"},
        {"ZQ_SQL_RESERVED", {std::string("order")}, "[order]", "(none)"},
    };
    tarnvel::Host host;
    for (const Row &row : rows) {
        EXPECT_EQ(testcalls::text(host, row.function, row.args), row.expected) << row.function;
        const int with_message = testcalls::under_budgets(host, row.function, row.args, row.expected, row.message);
        EXPECT_EQ(with_message > 0, row.message != "(none)") << row.function;
    }
}

}  // namespace
