// Sums of calls that give text, run on MariaDB and PostgreSQL, whose + adds numbers: the converted
// calls (CASE, IF, REGEXP_REPLACE, nested REPLACE...) joined beside one another give FoxPro's text,
// not a number (MariaDB) nor a refusal (PostgreSQL's text + text).
#include "servers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr engine::Table tables[] = {{"ts", "K I, C C(10)", "INSERT INTO ts (K, C) VALUES (1, 'banana'), (2, 'a.b-a')"}};

// select-list expressions over ts
constexpr engine::Case cases[] = {
    {"STRTRAN(ALLTRIM(c), 'a', 'o', 1, 1) + STRTRAN(ALLTRIM(c), 'n', 'm', 1, 1)", "bonanabamana o.b-aa.b-a"},
    {"STRTRAN(ALLTRIM(c), 'a', 'o', 2) + STRTRAN(ALLTRIM(c), 'a', '', 1, 2)", "banonobnna a.b-o.b-"},
    {"STRTRAN(ALLTRIM(c), 'a', 'o', 2, 1) + STRTRAN(ALLTRIM(c), '-', '+')", "banonabanana a.b-oa.b+a"},
    {"CHRTRAN(ALLTRIM(c), 'ab', 'AB') + STRTRAN(ALLTRIM(c), '.', '', 1, 1)", "BAnAnAbanana A.B-Aab-a"},
    {"PADL(ALLTRIM(c), 8, '*') + PADR(LEFT(c, 2), 4, '_')", "**bananaba__ ***a.b-aa.__"},
    {"UPPER(RIGHT(ALLTRIM(c), 2)) + SUBSTR(c, 2, 2) + LOWER(LEFT(c, 1))", "NAanb -A.ba"},
    {"JUSTSTEM(ALLTRIM(c)) + JUSTEXT(ALLTRIM(c))", "banana ab-a"},
    {"STREXTRACT(c, 'a', 'a') + STRTRAN(ALLTRIM(c), 'a', 'A', 1, 1)", "nbAnana .b-A.b-a"},
    {"STR(k, 2) + TRANSFORM(k) + DTOS(DATE(2024, 1, k))", " 1120240101  2220240102"},
};

// PostgreSQL only: MariaDB leaves the call as written
constexpr engine::Case postgres_cases[] = {
    {"STRTRAN(ALLTRIM(c), 'A', 'x', 1, 1, 1) + STRTRAN(ALLTRIM(c), 'N', 'y', 1, -1, 1)", "bxnanabayaya x.b-aa.b-a"},
};

template <class Server> using TextSums = engine::OverTables<Server, tables>;
TYPED_TEST_SUITE(TextSums, engine::Servers, engine::ServerName);

TYPED_TEST(TextSums, ConvertedTextCallsAreJoinedAsText) {
    constexpr const char *frame = " AS v FROM ts ORDER BY k";
    engine::expect_cases<TypeParam>(this->db, cases, "SELECT ", frame);
    if (TypeParam::target == tarnvel::Target::pgsql) engine::expect_cases<TypeParam>(this->db, postgres_cases, "SELECT ", frame);
}

}  // namespace
