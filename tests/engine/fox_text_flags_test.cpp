// FoxPro's text functions with flags, checked on PostgreSQL, the server that has their forms (and,
// for the replacement in the case of the text found, on MariaDB too):
// STRTRAN with nFlags 1 finds the searched text blind to case, and takes it for text, not for a
// pattern (its punctuation, the replacement's backslashes and '&' stand for themselves).
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// c is read trimmed: FoxPro pads a C(10) field with blanks, PostgreSQL's text of it has none
constexpr engine::Table tables[] = {
    {"ft", "K I, C C(10) NULL", "INSERT INTO ft (K, C) VALUES (1, ''), (2, 'Banana'), (3, NULL), (4, 'a_B%b.A')"},
};

// select-list expressions over ft
constexpr engine::Case cases[] = {
    {"STRTRAN(ALLTRIM(c), 'AN', 'x', 1, -1, 1) + '|'", "| Bxxa| NULL a_B%b.A|"},
    {"STRTRAN(ALLTRIM(c), 'an', 'x', -1, 1, 1) + '|'", "| Bxana| NULL a_B%b.A|"},
    {"STRTRAN(ALLTRIM(c), 'b', '', -1, -1, 1) + '|'", "| anana| NULL a_%.A|"},
    // punctuation found as itself: '.' is no wildcard, '_' and '%' no pattern of LIKE
    {"STRTRAN(ALLTRIM(c), '.a', '+', 1, -1, 1) + STRTRAN(ALLTRIM(c), '_b%', '-', 1, 1, 1) + '|'", "| BananaBanana| NULL a_B%b+a-b.A|"},
    {"STRTRAN(ALLTRIM(c), 'N', '(x)', 1, -1, 1) + STRTRAN(ALLTRIM(c), '[ab]', '?', 1, -1, 1) + '|'",
     "| Ba(x)a(x)aBanana| NULL a_B%b.Aa_B%b.A|"},
    // the replacement's backslashes and '&' are text
    {"STRTRAN(ALLTRIM(c), 'A', '\\1&', 1, -1, 1) + '|'", "| B\\1&n\\1&n\\1&| NULL \\1&_B%b.\\1&|"},
    // the empty text is found nowhere
    {"STRTRAN(ALLTRIM(c), '', 'x', 1, -1, 1) + STRTRAN('ab', ALLTRIM(c), 'x', 1, 1, 1) + '|'", "ab| Bananaab| NULL a_B%b.Aab|"},
    // a NULL searched for gives NULL, as in FoxPro
    {"STRTRAN('ab', IIF(k = 3, .NULL., 'B'), 'x', 1, -1, 1)", "ax ax NULL ax"},
    // a number of occurrences found blind to case, with the first only
    {"STRTRAN(REPLICATE('aB', k), 'Ab', 'c', 1, 1, 1) + '|' + STRTRAN(REPLICATE('aB', k), 'AB', 'c', -1, -1, 1)",
     "c|c caB|cc caBaB|ccc caBaBaB|cccc"},
};

// nFlags 2: the replacement takes the case of the text found, which, found in its own case, is the
// searched literal's: all small letters give a replacement in small letters, all capitals one in
// capitals, a small letter first and a capital after it the replacement as written
constexpr engine::Case case_followed[] = {
    {"STRTRAN(ALLTRIM(c), 'an', 'Xy', 1, -1, 2) + '|'", "| Bxyxya| NULL a_B%b.A|"},
    {"STRTRAN(UPPER(ALLTRIM(c)), 'B%B', 'xY', -1, 1, 2) + STRTRAN(UPPER(ALLTRIM(c)), 'AN', 'Xy', 2, 1, 2) + '|'",
     "| BANANABANXYA| NULL A_XY.AA_B%B.A|"},
    {"STRTRAN(ALLTRIM(c), 'a_B', 'Q q', 1, 1, 2) + '|'", "| Banana| NULL Q q%b.A|"},
};

using PostgresTextFlags = engine::OverTables<engine::OnPostgres, tables>;
using MariaDbTextFlags = engine::OverTables<engine::OnMariaDb, tables>;

TEST_F(PostgresTextFlags, StrtranBlindToCaseGivesFoxProsText) {
    engine::expect_cases<engine::OnPostgres>(db, cases, "SELECT ", " AS v FROM ft ORDER BY k");
}

TEST_F(PostgresTextFlags, StrtranFollowingTheFoundCaseGivesFoxProsText) {
    engine::expect_cases<engine::OnPostgres>(db, case_followed, "SELECT ", " AS v FROM ft ORDER BY k");
}

TEST_F(MariaDbTextFlags, StrtranFollowingTheFoundCaseGivesFoxProsText) {
    engine::expect_cases<engine::OnMariaDb>(db, case_followed, "SELECT ", " AS v FROM ft ORDER BY k");
}

}  // namespace
