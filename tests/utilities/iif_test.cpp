// IIF to CASE: well-formed, nested and malformed calls, strings, growth.
#include "utilities/library_calls.h"

#include <string>

namespace {

std::string iif(tarnvel::Host &host, const std::string &command) { return testcalls::text(host, "ZQ_SQL_IIF", {command}); }

TEST(IifConversion, CallsBecomeCaseExpressions) {
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"SELECT iif(qty > 0, qty, 0) AS n FROM t", "SELECT  CASE WHEN qty > 0 THEN  qty ELSE  0 END  AS n FROM t"},
        {"IIF(a, IIF(b, 1, 2), 3)", " CASE WHEN a THEN   CASE WHEN b THEN  1 ELSE  2 END  ELSE  3 END "},
        {"IIF(IIF(a, b, c), 1, 2)", " CASE WHEN  CASE WHEN a THEN  b ELSE  c END  THEN  1 ELSE  2 END "},
        {"IIF (a, b, c)", " CASE WHEN a THEN  b ELSE  c END "},
        {"IIF\t(a, b, c)", " CASE WHEN a THEN  b ELSE  c END "},
        {"IIF(a, f(x, y), c)", " CASE WHEN a THEN  f(x, y) ELSE  c END "},
        {"iif(Abc, 'x', 'Y')", " CASE WHEN Abc THEN  'x' ELSE  'Y' END "},
        {"(iif(a,b,c))", "( CASE WHEN a THEN b ELSE c END )"},
        {"'x'iif(a,b,c)", "'x' CASE WHEN a THEN b ELSE c END "},
    };
    tarnvel::Host host;
    for (const Case &c : cases) EXPECT_EQ(iif(host, c.command), c.expected) << c.command;
}

TEST(IifConversion, OnlyCallsAreConverted) {
    const std::string unchanged[] = {
        "SELECT myiif(x) FROM t", "?iif(a,b,c)", "~iif(a,b,c)", "_iif(a,b,c)", "#iif(a,b,c)", "1iif(a,b,c)",
        "x IIF", "SELECT iif AS x, f(y) FROM t",  // no "(" right after the blanks: not a call
        "SELECT iifx(a) FROM t",
    };
    tarnvel::Host host;
    for (const std::string &command : unchanged) EXPECT_EQ(iif(host, command), command);
}

TEST(IifConversion, StringsAreLeftAlone) {
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"SELECT 'iif(a,b,c)' FROM t", "SELECT 'iif(a,b,c)' FROM t"},
        {"SELECT \"iif(a,b,c)\" FROM t", "SELECT \"iif(a,b,c)\" FROM t"},
        {"iif(x = 'a,b)', 1, 2)", " CASE WHEN x = 'a,b)' THEN  1 ELSE  2 END "},
        {"iif(x = \"(,\", f(')'), 2)", " CASE WHEN x = \"(,\" THEN  f(')') ELSE  2 END "},
        {"iif(a, \"it's\", 'say \"x\"')", " CASE WHEN a THEN  \"it's\" ELSE  'say \"x\"' END "},
    };
    tarnvel::Host host;
    for (const Case &c : cases) EXPECT_EQ(iif(host, c.command), c.expected) << c.command;
}

TEST(IifConversion, MalformedCallsStopAfterTheLastPartPlaced) {
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"IIF(a)", " CASE WHEN a)"},
        {"IIF(a, b) x", " CASE WHEN a THEN  b) x"},
        {"IIF(a, b, c", " CASE WHEN a THEN  b ELSE  c END "},         // END at the very end
        {"IIF(a, b, 'c", " CASE WHEN a THEN  b ELSE  'c END "},       // an open string runs to the end
        {"IIF(a, b, f(c", " CASE WHEN a THEN  b ELSE  f(c"},          // an open nested group: no END
        {"IIF(a, b, f(c) IIF(d, e, g)", " CASE WHEN a THEN  b ELSE  f(c)  CASE WHEN d THEN  e ELSE  g END  END "},
    };
    tarnvel::Host host;
    for (const Case &c : cases) EXPECT_EQ(iif(host, c.command), c.expected) << c.command;
}

TEST(IifConversion, CopiesGrowOrReportInsufficientMemoryForCase) {
    std::string command, expected;
    for (int i = 0; i < 50; ++i) {
        command += "iif(a,b,c)";
        expected += " CASE WHEN a THEN b ELSE c END ";
    }
    tarnvel::Host host;
    EXPECT_EQ(iif(host, command), expected);
    EXPECT_GT(testcalls::under_budgets(host, "ZQ_SQL_IIF", {command}, expected, "Insufficient memory for CASE"), 0);
}

}  // namespace
