// A sum of two calls of FoxPro functions that give text, with nothing else beside them, is their
// concatenation wherever the target's + adds numbers: what the calls become (CASE, IF, REGEXP_REPLACE,
// TO_CHAR...) is known to be text, and the pair is joined as the dialect joins text.
#include "select/harness.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Target {
    const char *function;  // the SELECT converter
    const char *open, *between, *close;  // how the dialect joins two texts
};

constexpr Target targets[] = {
    {"ZQ_MYSQL_SELECT_CONVERT", "CONCAT(", ", ", ")"},
    {"ZQ_PGSQL_SELECT_CONVERT", "", " || ", ""},
    {"ZQ_ORACLE_SELECT_CONVERT", "", " || ", ""},
};

// Calls over the fields s, t (text), n (a number) and d (a date), each giving text.
constexpr const char *calls[] = {
    "STRTRAN(s, 'a', 'b', 1, 1)",
    "STRTRAN(s, 'a', 'b', 2)",
    "STRTRAN(s, 'a', 'b', 1, 2)",
    "STRTRAN(s, 'a', 'b', 2, 1)",
    "STRTRAN(s, 'a', 'b', 1, -1, 1)",
    "STRTRAN(s, 'a', 'b', 1, 1, 1)",
    "STRTRAN(s, '-')",
    "CHRTRAN(s, 'ab', 'x')",
    "PADL(s, 10)",
    "PADR(s, 10, '*')",
    "PADC(s, 10)",
    "ALLTRIM(s)",
    "ALLTRIM(s, '-')",
    "LEFT(s, 2)",
    "RIGHT(s, 2)",
    "SUBSTR(s, 2, 3)",
    "UPPER(s)",
    "PROPER(s)",
    "TRANSFORM(n)",
    "TRANSFORM(n, '@L 999')",
    "DTOC(d)",
    "DTOS(d)",
    "TTOC(d, 1)",
    "STR(n, 8, 2)",
    "GETWORDNUM(s, 2)",
    "JUSTSTEM(s)",
    "JUSTEXT(s)",
    "FORCEEXT(s, 'txt')",
    "STREXTRACT(s, '<', '>')",
    "REPLICATE(s, 2)",
};

std::string item(const Target &target, const std::string &expression) {
    const selecttest::Outcome out = selecttest::convert(target.function, "SELECT " + expression + " AS v FROM x");
    EXPECT_FALSE(out.error) << expression << ": " << out.text;
    const std::size_t from = out.text.find("SELECT ") + 7, to = out.text.rfind(" AS V");
    return from < to && to != std::string::npos ? out.text.substr(from, to - from) : out.text;
}

TEST(TextSums, TwoCallsGivingTextAreJoinedAsText) {
    for (const Target &target : targets) {
        for (const char *call : calls) {
            const std::string one = item(target, call), other = item(target, std::string(call) + " + t");
            const std::string both = item(target, std::string(call) + " + " + call);
            EXPECT_EQ(both, target.open + one + target.between + one + target.close) << target.function << ": " << call;
            // with a name after it, too, which alone would be of unknown type
            EXPECT_EQ(other, target.open + one + target.between + "T" + target.close) << target.function << ": " << call;
        }
    }
}

}  // namespace
