// The FoxPro conditions and expressions the engine tests run on each server, with what FoxPro gives
// on the table of the tests (fox_meaning_test.cpp shows it): the keys of the rows a condition
// selects, the values of an expression in rows 1 to 5.
#pragma once

namespace engine {

struct Case {
    const char *foxpro;    // a WHERE condition (rows: the keys), or a select-list expression (values)
    const char *expected;  // what FoxPro gives on the table of the tests
};

// Conditions: the keys of the rows FoxPro returns.
inline constexpr Case conditions[] = {
    {"EMPTY(c)", "1 3"},
    {"!EMPTY(c)", "2 4 5"},
    {"EMPTY(n)", "1 3"},
    {"EMPTY(d)", "1 3"},
    {"EMPTY(t)", "1 4"},
    {"EMPTY(l)", "1 3 5"},
    {"EMPTY(m)", "1 3"},
    {"NOT EMPTY(d) AND EMPTY(t)", "4"},
    {"INLIST(c, 'abc', '0')", "2 4"},
    {"INLIST(n, 12.5, 0.01, 7)", "2 4"},
    {"INLIST(d, {^2020-02-29}, {})", "1 2 3"},
    {"!INLIST(k, 1, 2)", "3 4 5"},
    {"BETWEEN(n, 0, 1)", "1 3 4"},
    {"BETWEEN(d, {^2000-01-01}, {^2020-12-31})", "2 5"},
    {"BETWEEN(c, 'a', 'b')", "2"},
    {"'b' $ c", "2"},
    {"c $ 'abc,0'", "2 4"},
    {"!'y' $ c", "1 2 3 4"},
    {"'x' $ c .OR. 'x' $ m", "2 5"},
    {"c == 'abc'", "2"},
    {"c # 'abc'", "1 3 4 5"},
    {"n != 0", "2 4 5"},
    {"l", "2 4"},
    {"!l", "1 3 5"},
    {"l = .T.", "2 4"},
    {"l == .F.", "1 3 5"},
    {".T.", "1 2 3 4 5"},
    {".F.", ""},
    {"l .AND. .T.", "2 4"},
    {"!(n > 0)", "1 3 5"},
    {"d = {}", "1 3"},
    {"t = {}", "1 4"},
    {"d = CTOD('')", "1 3"},
    {"d = CTOD(\"  /  /    \")", "1 3"},
    {"d > {12/31/1999}", "2 5"},
    {"d = {02/29/2020}", "2"},
    {"t >= {^2016-01-05 13:45}", "2 3"},
    {"DTOS(d) = '20200229'", "2"},
    {"DTOS(d) < '2000'", "1 3 4"},
    {"DTOC(d, 1) > '2016'", "2 5"},
    {"ISNULL(c)", ""},
    {"!ISNULL(c)", "1 2 3 4 5"},
    {"!DELETED()", "1 2 3 4 5"},
    {"DOW(d) = 7 OR DOW(d) = 3", "2 5"},
    {"GOMONTH(d, 1) = {^2020-03-29} OR GOMONTH(d, 2) = {^2000-02-29}", "2 4"},
    {"QUARTER(d) = 1", "2 5"},
    {"OCCURS(',', c) = 1", "5"},
    {"ISDIGIT(c)", "4"},
    {"m LIKE '%' + 'emo' + '%' OR ALLTRIM(c) + 'z' == 'x,yz'", "2 5"},
    {"DTOS(DATE() - 30) < DTOS(DATE()) AND d > DATE() - 36500", "2 4 5"},
    {"t > DATETIME() - 3153600000", "2 3 5"},
    {"TTOC(t, 1) = '20200229103000' OR TTOC(t, 3) = '2016-01-05T13:45:00'", "2 3"},
    {"STRCONV(c, 11) == 'abc'", "2"},
    {"ISALPHA(c) AND !ISDIGIT(c)", "2 5"},
    {"DELETED()", ""},
    {"n < 0 AND!l", "5"},
    {"ICASE(n > 10, .T., n < 0, .T., .F.)", "2 5"},
    {"EVL(c, 'none') = 'none'", "1 3"},
    {"TRIM(c) == 'abc'", "2"},
    {"MAX(n, 1) = 1", "1 3 4 5"},
    {"MIN(k, 3) = 3", "3 4 5"},
    {"CDOW(d) = 'Saturday' .AND. CMONTH(d) = 'February'", "2"},
    {"STUFF(c, 2, 1, 'X') == 'aXc'", "2"},
    {"LIKE('a*', c) .OR. LIKE('?,?', c)", "2 5"},
    {"!LIKE('*b*', c)", "1 3 4 5"},
    {"d = DATE(2020, 2, 29)", "2"},
    {"STR(n, 8, 2) == '   12.50' .OR. STR(n, 6, 1) == '  -3.0'", "2 5"},
    {"STR(n) == '        13' .OR. STR(k, 3) == '  4'", "2 4"},
    {"VAL(c) = 0 AND VAL('12.5x') = 12.5 AND VAL(' -3.25 ') = -3.25", "1 2 3 4 5"},
};

// Expressions in the select list: their value in rows 1 to 5 (logical values as 1 and 0).
inline constexpr Case values[] = {
    {"EMPTY(c)", "1 0 1 0 0"},
    {"EMPTY(d)", "1 0 1 0 0"},
    {"INLIST(k, 2, 4)", "0 1 0 1 0"},
    {"'a' $ c", "0 1 0 0 0"},
    {"ICASE(n > 10, 'big', n > 0, 'small', 'none')", "none big none small none"},
    {"ICASE(k = 1, 'one')", "one NULL NULL NULL NULL"},
    {"EVL(c, 'none')", "none abc none 0 x,y"},
    {"EVL(n, -1)", "-1.00 12.50 -1.00 0.01 -3.00"},
    {"IIF(EMPTY(m), 'no memo', m)", "no memo memo text no memo 0 x"},
    {"TRANSFORM(k, '@L 999')", "001 002 003 004 005"},
    {"DTOS(d)", "00000000 20200229 00000000 19991231 20160105"},
    {"CAST(n AS N(5,1))", "0.0 12.5 0.0 0.0 -3.0"},
    {"MAX(n, 1)", "1.00 12.50 1.00 1.00 1.00"},
    {".T.", "1 1 1 1 1"},
    {"INT(n * 1.5)", "0 18 0 0 -4"},
    {"RGB(k, 0, 1)", "65537 65538 65539 65540 65541"},
    {"NTOM(n)", "0.0000 12.5000 0.0000 0.0100 -3.0000"},
};

}  // namespace engine
