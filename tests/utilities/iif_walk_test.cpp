// IIF to CASE in one walk gives what converting the calls one at a time gives, for whole calls and
// for every other command (which the walk hands on): nested calls, strings holding parentheses and
// commas, calls short of a comma or a ")", stray parentheses, names ending in IIF, ?IIF.
#include "host/raw_host.h"

#include "host/text.h"
#include "lex/letters.h"
#include "utilities/iif.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

std::string walked(const std::string &command, bool one_at_a_time) {
    tarnvel::Text work = tarnvel::Text::obtain(command.size() + 1, "Insufficient memory for test");
    work.append(command);
    tarnvel::Text out = tarnvel::Text::obtain(command.size() + 1, "Insufficient memory for test");
    if (!one_at_a_time) {
        EXPECT_TRUE(tarnvel::utilities::convert_iif(work, out));
        return std::string(out.view());
    }
    out.append(command);
    tarnvel::lex::Alphabet::current().upper_in_place(work.data(), work.size());
    EXPECT_TRUE(tarnvel::utilities::convert_iif_one_at_a_time(work, out));
    return std::string(out.view());
}

constexpr const char *iif_commands[] = {
    "IIF(a, b, c)",
    "iif (a > 1, IIF(b, 'x,)', \"(y\"), IIF(c, 1, 2)) + IIF(d, e, f)",
    "IIF(IIF(a, b, c), IIF(d, e, f), IIF(g, h, i))",
    "IIF(a, b, c, d)",               // a fourth argument
    "IIF(a, b) + f(c, d)",           // a comma short: the search runs past the call
    "IIF(a) , b, c",
    "IIF(a, b, c",                   // never closed
    "IIF(a, (b, c)",
    "f(x)) + IIF(a, b, c) + (g",     // stray parentheses around a whole call
    "xIIF(a, b, c) ?IIF(a, b, c) IIF_2(a, b, c) IIF  (a, b, c)",
    "SELECT IIF(a = 'it''s', 1, 2) FROM t WHERE 'IIF(' = b",
    "IIF(a, 'unclosed, b, c)",
    "",
};

TEST(IifWalk, AgreesWithOneCallAtATime) {
    rawhost::Host host;
    for (const char *command : iif_commands) EXPECT_EQ(walked(command, false), walked(command, true)) << command;
}

// Commands made of the pieces the two ways could tell apart, in any order and nesting.
TEST(IifWalk, AgreesOnGeneratedCommands) {
    rawhost::Host host;
    static constexpr const char *pieces[] = {"IIF(", "iif (", "(", ")", ", ", "a", "'x,('", "\"y)\"", " + ", "?IIF(", "b1"};
    std::mt19937 random(11);
    for (int run = 0; run < 3000; ++run) {
        std::string command;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, 24)(random);
        for (std::size_t k = 0; k < length; ++k)
            command += pieces[std::uniform_int_distribution<std::size_t>(0, std::size(pieces) - 1)(random)];
        EXPECT_EQ(walked(command, false), walked(command, true)) << command;
    }
}

// A large nested command converts as its small pattern repeated: each level's commas and ")" are
// its own, however deep.
TEST(IifWalk, DeepNestingKeepsEachLevelsPlaces) {
    rawhost::Host host;
    std::string command, expected;
    for (int k = 0; k < 3000; ++k) {
        command += "IIF(a, 'x', ";
        expected += " CASE WHEN a THEN  'x' ELSE  ";
    }
    command += "'z'";
    expected += "'z'";
    for (int k = 0; k < 3000; ++k) {
        command += ")";
        expected += " END ";
    }
    EXPECT_EQ(walked(command, false), expected);
}

}  // namespace
