// FoxPro's - of text, run on MariaDB and PostgreSQL: the sides joined with the left side's trailing
// blanks moved to the end, in chains of - and + (no server takes - for text: MariaDB gives a number,
// PostgreSQL refuses it).
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr engine::Table tables[] = {
    {"ts", "K I, C C(10), V V(10), W V(10)",
     "INSERT INTO ts (K, C, V, W) VALUES (1, 'banana', 'ab  ', 'cd'), (2, 'a.b-a', '  x ', 'e')"},
};

constexpr engine::Case cases[] = {
    {"SELECT '<' + (PADR(ALLTRIM(c), 8) - '|') + '>' FROM ts ORDER BY k", "<banana|  > <a.b-a|   >"},
    {"SELECT '[' + (PADR(ALLTRIM(c), 7) - ', ' - PADR(LEFT(c, 1), 3)) + ']' FROM ts ORDER BY k",
     "[banana,b    ] [a.b-a,a     ]"},
    // blanks moved before a + stay before what it adds
    {"SELECT '<' + (PADR(ALLTRIM(c), 8) - '|' + '#') + '>' FROM ts ORDER BY k", "<banana|  #> <a.b-a|   #>"},
    {"SELECT '<' + (v - '.' + w - ';') + '>' FROM ts ORDER BY k", "<ab.  cd;> <  x. e;>"},
    {"SELECT '<' + (v - ALLTRIM(c)) + '>' FROM ts ORDER BY k", "<abbanana  > <  xa.b-a >"},
    // names alone, the statement showing them to be text
    {"SELECT v - w FROM ts WHERE w # 'z' ORDER BY k", "abcd     xe "},
    {"SELECT LEN(v - w) FROM ts WHERE w <> 'z' ORDER BY k", "6 5"},
    {"SELECT k FROM ts WHERE v - w == 'abcd  ' ORDER BY k", "1"},
};

template <class Server> using TextMinus = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(TextMinus, engine::Servers, engine::ServerName);

TYPED_TEST(TextMinus, JoinsWithTheLeftBlanksMovedToTheEnd) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
