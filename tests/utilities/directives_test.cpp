// Directive removal: markers blanked outside strings, one blank appended.
#include "utilities/library_calls.h"

#include <string>

namespace {

TEST(DirectiveRemoval, MarkersBecomeBlanksOutsideStrings) {
    struct Case {
        std::string command, expected;
    };
    const Case cases[] = {
        {"SELECT * FROM ..orders WHERE id = ~m.nId", "SELECT * FROM   orders WHERE id =  m.nId "},
        {"SELECT * FROM ..#tmp", "SELECT * FROM    tmp "},
        {"WHERE a = '~x'", "WHERE a = '~x' "},
        {"", " "},
        {"a ? b %|% c", "a   b     c "},
        {"[~a] \"?b\" ~c", "[~a] \"?b\"  c "},
        {"x >>abc d", "x       d "},
        {">>ab", "     "},    // the appended blank is the fifth character
        {">>a", ">>a "},      // too short to blank
        {">>'x' ~y", "       y "},  // blanked quotes open no string
        {"'a\"b' ~c", "'a\"b'  c "},
        {"[a'b] ~c", "[a'b]  c "},
        {"x..", "x   "},
        {"%|", "%| "},
    };
    tarnvel::Host host;
    for (const Case &c : cases)
        EXPECT_EQ(testcalls::text(host, "ZQ_SQL_REMOVE_DIRECTIVES", {c.command}), c.expected) << c.command;
}

TEST(DirectiveRemoval, ZeroBytesStayPartOfTheCommand) {
    tarnvel::Host host;
    EXPECT_EQ(testcalls::text(host, "ZQ_SQL_REMOVE_DIRECTIVES", {std::string("a\0~b", 4)}), std::string("a\0 b ", 5));
}

}  // namespace
