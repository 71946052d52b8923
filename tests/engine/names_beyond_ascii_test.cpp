// Names in letters beyond ASCII (UTF-8), run on MariaDB and PostgreSQL over a table made by our own
// field-list conversion: the converted statement must find the columns the table was made with.
// PostgreSQL folds only the ASCII letters of a name, so a name whose other letters are written as
// in the field list must come out with those letters as written, and a name written in two
// spellings in one spelling; MariaDB ignores their case.
#include "servers.h"

#include <gtest/gtest.h>

namespace {

constexpr engine::Table tables[] = {
    {"skład", "nr I, materiał C(10), ilość N(10,2), Ścieżka C(5)",
     "INSERT INTO skład (nr, materiał, ilość, Ścieżka) VALUES (2, 'b', 2, 'x'), (1, 'a', 5, 'y'), (3, 'c', 1, 'x')"},
};

constexpr engine::Case cases[] = {
    {"SELECT nr FROM skład ORDER BY ilość", "3 2 1"},
    {"SELECT NR FROM SKłAD WHERE ILOść > 1 ORDER BY Materiał", "1 2"},
    {"SELECT s.nr FROM skład s WHERE s.ilość >= 2 AND s.Ścieżka = 'x'", "2"},
    {"SELECT SUM(ilość) AS razem, Ścieżka FROM skład GROUP BY Ścieżka ORDER BY Ścieżka", "3.00 5.00"},
    {"SELECT COUNT(*) AS ilu, Ścieżka AS ścieżka2 FROM skład GROUP BY ścieżka2 ORDER BY ścieżka2", "2 1"},
    {"SELECT nr, ilość * 2 AS podwójna FROM skład ORDER BY podwójna DESC", "1 2 3"},
    // one name in two spellings of its letters beyond ASCII: one name to FoxPro, and to the server
    {"SELECT ж.nr FROM skład Ж WHERE Ж.ilość > 1 ORDER BY ж.nr", "1 2"},
    {"SELECT COUNT(*) AS ilu, Ścieżka AS Śc FROM skład GROUP BY śc ORDER BY ŚC", "2 1"},
};

template <class Server> using NamesBeyondAscii = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(NamesBeyondAscii, engine::Servers, engine::ServerName);

TYPED_TEST(NamesBeyondAscii, FindTheirColumns) { engine::expect_cases<TypeParam>(this->db, cases); }

}  // namespace
