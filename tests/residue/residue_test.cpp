// The residue check on converted text: what it reports, and what it must leave alone (literals,
// quoted names, the targets' own forms).
#include <tarnvel/residue.hpp>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using tarnvel::ConvertedText;
using tarnvel::Target;

constexpr Target sqlserver = Target::sqlserver;
constexpr Target oracle = Target::oracle;
constexpr Target mysql = Target::mysql;
constexpr Target access = Target::access;
constexpr Target pgsql = Target::pgsql;

struct Case {
    Target target;
    const char *text;
    std::vector<std::string> expected;  // "construct text" per finding, in text order
};

std::vector<std::string> found(Target target, ConvertedText kind, const std::string &text) {
    std::vector<std::string> out;
    for (const tarnvel::ResidueFinding &f : tarnvel::find_residue(target, kind, text)) {
        EXPECT_EQ(text.substr(f.offset, f.text.size()), f.text) << "offset of " << f.construct;
        out.push_back(std::string(f.construct) + " " + f.text);
    }
    return out;
}

void run(ConvertedText kind, const std::vector<Case> &cases) {
    for (const Case &c : cases)
        EXPECT_EQ(found(c.target, kind, c.text), c.expected)
            << tarnvel::target_name(c.target) << ": " << c.text;
}

TEST(Residue, OperatorsAndLiterals) {
    run(ConvertedText::select, {
        {sqlserver, "SELECT A FROM T WHERE X == 1", {"exact-equality =="}},
        {sqlserver, "SELECT A FROM T WHERE X # 1", {"not-equal-hash #"}},
        {mysql, "SELECT A FROM T WHERE X#1", {"not-equal-hash #"}},
        {sqlserver, "SELECT * FROM #TMP T WHERE T.X = 1", {}},
        {oracle, "SELECT * FROM #TMP", {"not-equal-hash #"}},
        {access, "SELECT * FROM T WHERE D > #1/31/2020# AND X # 1", {"not-equal-hash #"}},
        {sqlserver, "SELECT * FROM T WHERE !DELETED()", {"not-bang !", "function DELETED"}},
        {sqlserver, "SELECT * FROM T WHERE A = 1 AND!B", {"not-bang !"}},
        {sqlserver, "SELECT * FROM T WHERE X != 1", {}},
        {access, "SELECT * FROM T WHERE X != 1", {"not-equal-bang !="}},
        {mysql, "SELECT * FROM DATOS!CLIENTES C", {"database-table DATOS!CLIENTES"}},
        {sqlserver, "SELECT * FROM T WHERE 'A' $ NAME", {"contained-in $"}},
        {sqlserver, "SELECT $1.05, -$2 FROM T", {}},
        {oracle, "SELECT $1.05 FROM T", {"contained-in $"}},
        {mysql, "SELECT * FROM T WHERE A = .T. OR B = .f. OR C IS .NULL.",
         {"logical-literal .T.", "logical-literal .f.", "null-literal .NULL."}},
        {sqlserver, "SELECT * FROM T WHERE A = 1 .AND. B = 2 .or. .NOT. C",
         {"logical-operator .AND.", "logical-operator .or.", "logical-operator .NOT."}},
        {sqlserver, "SELECT DBO.T.COL, X.F.Y FROM DBO.T", {}},
        {oracle, "SELECT * FROM T WHERE D > {^2020-01-02} AND E > {01/02/2020} AND F = {} AND G = {  /  /  } AND H = {:}",
         {"strict-date {^2020-01-02}", "date-literal {01/02/2020}", "empty-date {}", "empty-date {  /  /  }",
          "empty-date {:}"}},
        {mysql, "SELECT {fn UCASE(A)} FROM T WHERE D > {d '2020-01-02'} AND E < {ts '2020-01-02 10:00:00'}", {}},
        {sqlserver, "SELECT * FROM T WHERE X = &LCVAR", {"macro &LCVAR"}},
        // FoxPro's comment, alias->field, binary literal and system variables.
        {mysql, "SELECT A FROM T WHERE X > 0 && not the closed ones", {"inline-comment &&"}},
        {pgsql, "SELECT A FROM T O WHERE O->X = 1 AND O -> Y = 2 AND J->'k' = 3 AND J -> 2 = 4",
         {"arrow-field O->X", "arrow-field O -> Y"}},
        {sqlserver, "SELECT 0h0A0b, 0H, 0x0A, 10H, A0H1, 0HOUR FROM T", {"binary-literal 0h0A0b", "binary-literal 0H"}},
        {oracle, "SELECT _TALLY, ?_TALLY, _X, T._PAGENO FROM T WHERE _DIARYDATE > D", {"system-variable _TALLY",
                                                                                   "system-variable _DIARYDATE"}},
        // Joins, row limits and keyword abbreviations a target does not read.
        {mysql, "SELECT A FROM T FULL OUTER JOIN U ON T.K = U.K", {"full-join FULL OUTER JOIN"}},
        {access, "SELECT A FROM T [FULL] INNER JOIN U ON T.K = U.K", {"full-join [FULL] INNER JOIN"}},
        {sqlserver, "SELECT A FROM T FULL JOIN U ON T.K = U.K", {}},
        {mysql, "SELECT A, FULL FROM T WHERE FULL = 1", {}},
        {mysql, "SELECT TOP 9 PERCENT A FROM T ORDER BY 1", {"top-limit TOP 9"}},
        {oracle, "SELECT TOP 3 A FROM T ORDER BY 1", {"top-limit TOP 3"}},
        {sqlserver, "SELECT TOP 9 PERCENT A FROM T ORDER BY 1", {}},
        {mysql, "SELECT TOP FROM T", {}},
        {oracle, "SELECT A AS B FROM T AS X, (SELECT 1 AS N FROM DUAL) AS Y JOIN U AS Z ON CAST(X.K AS INT) = 1",
         {"table-alias-as AS", "table-alias-as AS", "table-alias-as AS"}},
        {mysql, "SELECT A FROM T AS X", {}},
        {oracle,
         "SELECT A = B AS X, C LIKE 'x%', CASE WHEN D > 1 THEN 1 END, F(G < 1), (SELECT H FROM U WHERE K = 1) "
         "FROM T WHERE E = 1",
         {"condition-item =", "condition-item LIKE"}},
        {sqlserver, "SELECT N = A + 1, M <> 2, EXISTS (SELECT 1 FROM U) FROM T", {"condition-item <>", "condition-item EXISTS"}},
        {sqlserver,
         "SELECT A FROM T WHERE B = 1 AND (CASE WHEN C = 1 THEN D ELSE E END) OR CASE WHEN F THEN 1 END = 1 "
         "AND NOT (CASE WHEN G THEN 1 ELSE 0 END) IN (1)",
         {"case-condition CASE WHEN C = 1 THEN D ELSE E END"}},
        {sqlserver,  // the AND of a BETWEEN joins no conditions; a CASE inside the first bound hides its own AND
         "SELECT A FROM T WHERE D BETWEEN CASE WHEN P = '' THEN 1 ELSE P END AND CASE WHEN Q = '' THEN 2 ELSE Q END "
         "AND E BETWEEN (CASE WHEN F AND G THEN 1 END) AND CASE WHEN H = 1 THEN 3 END AND CASE WHEN K THEN 1 END",
         {"case-condition CASE WHEN K THEN 1 END"}},
        {oracle, "SELECT A FROM T WHERE B BETWEEN 1 AND 2 AND CASE WHEN C THEN 1 END", {"case-condition CASE WHEN C THEN 1 END"}},
        {mysql, "SELECT A = B FROM T", {}},
        {access, "SELECT A FROM T LEFT OUTE JOIN U ON 1=1 UNIO ALL SELECT B FROM V",
         {"keyword-abbreviation OUTE JOIN", "keyword-abbreviation UNIO ALL"}},
        {mysql, "SELECT * FROM T WHERE A && B OR C & 1 = 1", {"inline-comment &&"}},  // FoxPro's, not MySQL's AND
        {oracle, "SELECT A != B, C >= 1, D <= 2, E <> 3 FROM T",
         {"condition-item !=", "condition-item >=", "condition-item <=", "condition-item <>"}},
        {sqlserver, "SELECT $-1.05, $+2, A-$3 FROM T", {}},  // money after an operator
        {mysql, "SELECT * FROM T WHERE D > {t '10:00:00'} OR E IN ({call P}) OR A LIKE 'x' {escape '!'}", {}},
        {mysql, "SELECT * FROM {oj T LEFT OUTER JOIN U ON T.K = U.K}", {}},
    });
}

TEST(Residue, NothingInsideLiteralsAndQuotedNames) {
    const char *inside = "SELECT 'a == b # c ! d $ .T. {^2020-01-01} m.x EMPTY(x)', 'it''s == x' FROM T";
    for (const tarnvel::DialectRow &row : tarnvel::dialects())
        EXPECT_EQ(found(row.id, ConvertedText::select, inside), std::vector<std::string>{}) << inside;
    run(ConvertedText::select, {
        {sqlserver, "SELECT [A==B], [x]]#y] FROM T", {}},
        {access, "SELECT [A==B] FROM T WHERE X = \"a # b\"", {}},
        {oracle, "SELECT \"A==B\", \"x\"\"#\" FROM T", {}},
        {mysql, "SELECT `a#b`, \"c == d\" FROM T", {}},
        // Quotes the target has not: FoxPro strings left as they were.
        {oracle, "SELECT * FROM T WHERE X = [a # b]", {"bracket-text [a # b]"}},
        {mysql, "SELECT * FROM T WHERE X = [abc]", {"bracket-text [abc]"}},
        {sqlserver, "SELECT * FROM T WHERE X = \"abc\"", {"double-quoted \"abc\""}},
        // An array element where brackets quote names: read as a name.
        {access, "SELECT [A], DBO.[B], [C].[D], ?(LAX[2]) FROM T WHERE X = LAX[M.I]", {"array-element LAX[M.I]"}},
        {mysql, "SELECT * FROM T WHERE P = 'C:\\TEMP\\' OR Q = 'a'", {"backslash-escape 'C:\\TEMP\\'"}},
        {sqlserver, "SELECT * FROM T WHERE P = 'C:\\TEMP\\'", {}},
        {mysql, "SELECT * FROM T WHERE P = 'C:\\\\TEMP\\\\' AND Q = 'a\\\\'", {}},  // escaped backslashes
        // What a host parameter ?(expression) holds is the host's to evaluate.
        {mysql, "SELECT ?(THIS.GETNAME()), ?(laList[2]) FROM T WHERE ?(m.a + 1) = B", {}},
        {pgsql, "SELECT ~(THISFORM.X), ~D(EMPTY(m.d)) FROM T WHERE ~nId = A AND ~m.x = B AND ~C = 1", {}},
        {sqlserver, "SELECT ?(ADDBS(ALLTRIM(M.CDIR)) + SYS(2003)), ?(M.A == .T.) FROM T WHERE ADDBS(C) = ?(\"x\")",
         {"function ADDBS"}},
        // An unclosed literal runs to the end.
        {sqlserver, "SELECT * FROM T WHERE X = 'a == b", {}},
        // Names in UTF-8 or a code page are names.
        {mysql, "SELECT 日期, x AS 名 FROM T WHERE 名 == 1", {"exact-equality =="}},
    });
}

TEST(Residue, VariablesReferencesAndTables) {
    run(ConvertedText::select, {
        {sqlserver, "SELECT * FROM T WHERE X = M.NAME AND Y = m.a.b", {"memory-variable M.NAME", "memory-variable m.a.b"}},
        {sqlserver, "SELECT * FROM T WHERE X = ?M.NAME AND Y = ~m.b", {}},
        {sqlserver, "SELECT M.ID FROM ORDERS M WHERE M.ID = 1", {}},
        {mysql, "SELECT M.ID FROM ORDERS AS M", {}},
        {sqlserver, "SELECT * FROM T WHERE X = THISFORM.TXT.VALUE OR Y = this.cX",
         {"object-reference THISFORM.TXT.VALUE", "object-reference this.cX"}},
        {sqlserver, "SELECT * FROM T WHERE X = ?THISFORM.TXT.VALUE", {}},
        {oracle, "SELECT * FROM (M.CALIAS) A, (THIS.CTABLE) B, (SELECT X FROM U) C", {"name-expression (M.CALIAS)",
                                                                                      "name-expression (THIS.CTABLE)"}},
        {mysql, "SELECT * FROM A LEFT JOIN (LCALIAS) B ON A.X = B.X", {"name-expression (LCALIAS)"}},
        {sqlserver, "SELECT * FROM (M.CALIAS", {"name-expression (M.CALIAS"}},  // unclosed: to the end
        {sqlserver, "SELECT * FROM (A INNER JOIN B ON A.X = B.X)", {}},
        {oracle, "SELECT EXTRACT(DAY FROM (D + 1)) FROM T WHERE X IN (SELECT Y FROM (M.CALIAS))",
         {"name-expression (M.CALIAS)"}},  // a call's FROM names no table
        {sqlserver, "SELECT * FROM D:\\DATA\\ORDERS.DBF O WHERE O.X = 1", {"file-path D:\\DATA\\ORDERS.DBF"}},
        {mysql, "SELECT * FROM ORDERS.DBF, .\\TEMP\\X", {"file-path ORDERS.DBF", "file-path .\\TEMP\\X"}},
        {access, "SELECT (MONTH(D) - 4 + 12) MOD 12 \\ 3 + 1 FROM T", {}},  // whole-number division
        {sqlserver, "SELECT * FROM T WITH (BUFFERING = .T.)",
         {"buffering WITH (BUFFERING = .T.)", "logical-literal .T."}},
        {sqlserver, "SELECT * FROM T WITH (NOLOCK)", {}},
        {sqlserver, "SELECT A FROM T INTO [CURSOR] X READWRITE", {"destination INTO [CURSOR] X READWRITE"}},
        {mysql, "SELECT A FROM T INTO `TABLE` C:\\X", {"destination INTO `TABLE` C:\\X", "file-path C:\\X"}},
        {mysql, "SELECT A INTO @v FROM T", {}},
    });
}

TEST(Residue, FunctionsTheTargetLacks) {
    run(ConvertedText::select, {
        {sqlserver, "SELECT EMPTY(X), Empt (Y), dbo.PADR(Z,2) FROM T", {"function EMPTY", "function Empt"}},
        {oracle, "SELECT CEIL(X), NVL(A,B), SUBSTR(C,1,2), LOG(10, X) FROM T", {}},
        {sqlserver, "SELECT CEIL(X), NVL(A,B), SUBSTR(C,1,2), LEFT(C,2), LEFTC(C,2) FROM T",
         {"function CEIL", "function NVL", "function SUBSTR", "function LEFTC"}},
        {oracle, "SELECT LEFT(C,2), SPACE(3) FROM T", {"function LEFT", "function SPACE"}},
        {mysql, "SELECT ISNULL(X), DATE(D), CEIL(X), SECOND(T) FROM T WHERE A LIKE ('x%')", {}},
        {sqlserver, "SELECT ISNULL(X), ISNULL(X, 0) FROM T", {"function ISNULL"}},
        {mysql, "SELECT DATE(), DATE(Y, M, D) FROM T", {"function DATE", "function DATE"}},
        {access, "SELECT DATE(), STR(X), STR(X, 4), CAST(X AS INT) FROM T", {"function STR", "function CAST"}},
        {sqlserver, "SELECT * FROM T WHERE X BETWEEN (1) AND (2) OR BETWEEN(X, 1, 2)", {"function BETWEEN"}},
        {sqlserver, "SELECT CAST(X AS DATE), CAST(Y AS DATETIME) FROM T", {}},
        {mysql, "SELECT INLIST(X, 1, 2), ICASE(A, 1, 2), EVL(A, B), CNT(*) FROM T",
         {"function INLIST", "function ICASE", "function EVL", "function CNT"}},
        {oracle, "SELECT MAX(A), MIN(B), MAX(A, B), MIN(A, B, C) FROM T", {"function MAX", "function MIN"}},
        // The arc sine and cosine Access lacks; TIME(n) and QUARTER(d, n), whose arguments are FoxPro's.
        {access, "SELECT ASIN(X), ACOS(Y), ATN(Z) FROM T", {"function ASIN", "function ACOS"}},
        {mysql, "SELECT ASIN(X), TIME(D), TIME(), QUARTER(D), QUARTER(D, 4) FROM T", {"function TIME", "function TIME", "function QUARTER"}},
        // The session, the application and the machine, which no server sees.
        {pgsql, "SELECT ORDER(), KEY(), FILTER(), HOME(), PCOUNT(), TXNLEVEL(), CURSORGETPROP('Buffering') FROM T",
         {"function ORDER", "function KEY", "function FILTER", "function HOME", "function PCOUNT", "function TXNLEVEL",
          "function CURSORGETPROP"}},
        {pgsql, "SELECT COUNT(*) FILTER (WHERE A > 1), LAST(X) FROM T", {"function LAST"}},
        {access, "SELECT LAST(X), FIRST(Y) FROM T", {}},
        // The VBA functions Jet runs for a client, which Access's forms of FoxPro's string functions are
        // written with; FoxPro's trims of parse strings and its word functions with delimiters stay FoxPro's.
        {access,
         "SELECT MID(RTRIM(F), INSTRREV(REPLACE(RTRIM(F) & '', '/', '\\'), '\\') + 1), REPLACE(S & '', 'a', '', 1, -1, "
         "0), STRING(LEN(S & '') + 3, CHR(1)), UCASE(LEFT(S, 1)) + LCASE(S) FROM T",
         {}},
        {access, "SELECT TRIM(X), TRIM(X, '*'), ALLTRIM(X, '-', '.'), LTRIM(X, '00'), GETWORDCOUNT(X, ';') FROM T",
         {"function TRIM", "function ALLTRIM", "function LTRIM", "function GETWORDCOUNT"}},
        {mysql, "SELECT DEFAULT(X), TEXTMERGE(N), FILETOSTR(P), RATLINE('x', N) FROM T",
         {"function TEXTMERGE", "function FILETOSTR", "function RATLINE"}},
        // A keyword a converter quoted as a name, called: FoxPro's SELECT(), ORDER().
        {sqlserver, "SELECT [SELECT](0), [ORDER](), dbo.[F](1), [A] FROM T", {"function [SELECT]", "function [ORDER]"}},
        {pgsql, "SELECT \"SELECT\"(0), \"A\" FROM T WHERE \"B\" IN (1)", {"function \"SELECT\""}},
        {mysql, "SELECT `ORDER` (1) FROM T", {"function `ORDER`"}},
    });
}

TEST(Residue, TypesInCast) {
    run(ConvertedText::select, {
        {mysql, "SELECT CAST(X AS C(10)), CAST(Y AS NUMERIC(10,2)), CAST(Z AS DECIMAL(10,2)) FROM T",
         {"foxpro-type C(10)", "foxpro-type NUMERIC(10,2)"}},
        {sqlserver, "SELECT CAST(X AS NUMERIC(10,2)), CAST(Y AS CHAR(3)), CAST(Z AS Y) FROM T", {"foxpro-type Y"}},
        {oracle, "SELECT CAST(LEFT(X, 2) AS N(5,0)) FROM T", {"function LEFT", "foxpro-type N(5,0)"}},
    });
}

TEST(Residue, ColumnTypesWidthsAndClauses) {
    run(ConvertedText::structure, {
        {sqlserver, "NAME CHAR(20) DEFAULT '' NOT NULL,PRICE NUMERIC(10,2) DEFAULT 0 NOT NULL,[ORDER] DATETIME", {}},
        {mysql, "date DATE NOT NULL DEFAULT '0000-00-00',x INT(4),y DOUBLE,z DATETIME(6)", {}},
        {sqlserver, "ID INT(4) DEFAULT 0 NOT NULL,D DATETIME(8)", {"type-width INT(4)", "type-width DATETIME(8)"}},
        {sqlserver, "X DOUBLE, Y DOUBLE PRECISION", {"foxpro-type DOUBLE"}},
        {oracle, "A C(10), B VARCHAR2(10), C NUMBER(12, 2)", {"foxpro-type C(10)"}},
        {access, "TABLA CHARHAR(50),B MEMO(4),C COUNTER(1,1)", {"unknown-type CHARHAR(50)", "type-width MEMO(4)"}},
        {oracle, "SECURE NUMBER(1)  (1) DEFAULT 0", {"type-width (1)"}},
        {sqlserver, "NAME", {"unknown-type NAME"}},
        {sqlserver, "FECHA DATETIME DEFAULT DATETIME(), OK BIT DEFAULT .F.",
         {"function DATETIME", "logical-literal .F."}},
        {access, "FILEDAT MEMO NOCPTRANS, ID INTEGER AUTOINC NEXTVALUE 1 STEP 1",
         {"foxpro-clause NOCPTRANS", "foxpro-clause AUTOINC", "foxpro-clause NEXTVALUE", "foxpro-clause STEP"}},
        {mysql, "X INT REFERENCES T TAG K, Y INT CHECK (Y > 0) ERROR 'no'", {"foxpro-clause TAG", "foxpro-clause ERROR"}},
        {sqlserver, "ID INT, PRIMARY KEY (ID), UNIQUE (ID)", {}},
        {sqlserver, "ID INT, PRIMARY KEY ID TAG ID", {"foxpro-clause TAG"}},
        {mysql, "STEP INT, TAG CHAR(3), ERROR INT", {}},
    });
}

TEST(Residue, MessagesReadForAPersonMigrating) {
    const auto findings = tarnvel::find_residue(sqlserver, ConvertedText::select, "SELECT A FROM T WHERE X == ALLT(Y)");
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findings[0].offset, 24u);
    EXPECT_EQ(findings[0].message, "== is FoxPro's exact comparison; SQL Server compares with =");
    EXPECT_EQ(findings[1].message, "ALLT() is a FoxPro function that SQL Server does not have (FoxPro's abbreviation "
                                   "of ALLTRIM()); use LTRIM(RTRIM(x))");
    const auto hash = tarnvel::find_residue(mysql, ConvertedText::select, "SELECT A FROM T WHERE X # 1");
    ASSERT_EQ(hash.size(), 1u);
    EXPECT_NE(hash[0].message.find("comment"), std::string::npos) << hash[0].message;
}

// Every prefix of texts full of constructs cut at every byte: each finding lies inside the text
// (the sanitizer build checks that nothing outside it is read).
TEST(Residue, EveryPrefixIsReadWithinItsBounds) {
    const std::string texts[] = {
        "SELECT M.X, THISFORM.A.B, 'it''s' FROM DB!T, (M.CALIAS) A, C:\\D\\E.DBF WITH (BUFFERING = .T.) "
        "WHERE X == 1 AND Y # 2 AND !Z AND 'a' $ B AND D > {^2020-01-01} AND E = {} AND F = {d '2020-01-01'} "
        "AND CAST(G AS N(5,2)) > EMPTY(H) AND I = [J] AND K = \"L\" AND `M` = #1/2/2020# AND N = &O INTO CURSOR P",
        "A C(10) NOT NULL DEFAULT .F., [B] DOUBLE PRECISION, \"C\" NUMBER(1)  (1) TAG X, PRIMARY KEY (A) ERROR 'e', D",
    };
    for (const std::string &text : texts) {
        for (std::size_t length = 0; length <= text.size(); ++length) {
            const std::string prefix = text.substr(0, length);
            for (const tarnvel::DialectRow &row : tarnvel::dialects()) {
                const Target target = row.id;
                for (ConvertedText kind : {ConvertedText::select, ConvertedText::structure}) {
                    for (const tarnvel::ResidueFinding &f : tarnvel::find_residue(target, kind, prefix))
                        ASSERT_LE(f.offset + f.text.size(), prefix.size()) << f.construct << " in " << prefix;
                }
                const tarnvel::BoundStatement bound = tarnvel::bind_parameters(target, prefix);
                ASSERT_LE(bound.text.size(), prefix.size());
            }
            ASSERT_LE(tarnvel::strip_destinations(prefix).text.size(), prefix.size() + 1);
        }
    }
}

TEST(Residue, CallsOfTheApplicationsOwnFunctionsWhereTheyAreKnown) {
    const std::vector<std::string> routines{"NetPrice", "Upper", "Calc"};
    auto calls = [&](Target target, const std::string &text) {
        std::vector<std::string> out;
        for (const auto &f : tarnvel::find_application_ties(target, ConvertedText::select, text, routines))
            if (f.construct == "user-function") out.push_back(f.text);
        return out;
    };
    // letter case aside; a FoxPro function of the same name is FoxPro's; a qualified name, a
    // parameter, a type after AS and a literal are no calls of the routine
    EXPECT_EQ(calls(mysql, "SELECT NetPrice(P), netprice (Q) FROM T"), (std::vector<std::string>{"NetPrice", "netprice"}));
    EXPECT_EQ(calls(sqlserver, "SELECT UPPER(A), DBO.CALC(B), ?CALC(1), CAST(A AS CALC(2)), 'CALC(3)', [CALC(4)] FROM T"),
              std::vector<std::string>{});
    EXPECT_EQ(calls(oracle, "SELECT CALC FROM T"), std::vector<std::string>{});
    EXPECT_EQ(tarnvel::find_application_ties(mysql, ConvertedText::select, "SELECT NETPRICE(P) FROM T").size(), 0u)
        << "no routines known: no user-function";
    EXPECT_EQ(tarnvel::find_residue(mysql, ConvertedText::select, "SELECT NETPRICE(P) FROM T").size(), 0u);
    // a field list's default
    EXPECT_EQ(tarnvel::find_application_ties(mysql, ConvertedText::structure, "ID INT DEFAULT CALC(1)", routines).size(), 1u);
}

TEST(Residue, TiesOfAFoxProSelectToTheRunningApplication) {
    const std::vector<Case> cases{
        {mysql, "SELECT * FROM ORDERS WHERE CUST = thisform.txtCust.Value AND D > _screen.dDate",
         {"object-reference thisform.txtCust.Value", "object-reference _screen.dDate"}},
        {sqlserver, "SELECT * FROM d:\\data\\orders.dbf O, items.dbf I", {"file-path d:\\data\\orders.dbf", "file-path items.dbf"}},
        // FoxPro's three string literals, parameters and name expressions are passed over, for
        // every target; other FoxPro syntax is left to the converter
        {sqlserver, "SELECT * FROM T WHERE A = 'this.x' OR B = \"c:\\x.dbf\" OR C = [thisform.y] OR D = ?thisform.z",
         {}},
        {oracle, "SELECT * FROM (thisform.cTable) WHERE A == .T. AND m.x = 1", {}},
    };
    for (const Case &c : cases) {
        std::vector<std::string> out;
        for (const auto &f : tarnvel::find_application_ties(c.target, ConvertedText::select, c.text)) {
            EXPECT_EQ(std::string(c.text).substr(f.offset, f.text.size()), f.text);
            out.push_back(std::string(f.construct) + " " + f.text);
        }
        EXPECT_EQ(out, c.expected) << c.text;
    }
}

// The registry names each dialect once: names, titles, codes and numbers are unique, each name leads
// back to its row, and the library function names are spelled from the row's word.
TEST(Residue, DialectRegistryNamesEachDialectOnce) {
    std::set<std::string_view> names, titles, words;
    std::set<int> reserved_numbers, variables_codes;
    for (const tarnvel::DialectRow &row : tarnvel::dialects()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        EXPECT_TRUE(titles.insert(row.title).second) << row.title;
        EXPECT_TRUE(words.insert(row.word).second) << row.word;
        EXPECT_TRUE(reserved_numbers.insert(row.reserved_number).second) << row.name;
        EXPECT_TRUE(variables_codes.insert(row.variables_code).second) << row.name;
        EXPECT_EQ(tarnvel::target_named(row.name), row.id);
        EXPECT_EQ(&tarnvel::dialect(row.id), &row);
        const std::string prefix = "ZQ_" + std::string(row.word) + "_";
        EXPECT_EQ(row.select_function, prefix + "SELECT_CONVERT");
        EXPECT_EQ(row.structure_function, prefix + "CREATE_STRU_CONVERT");
        EXPECT_EQ(row.reserved_function, prefix + "RESERVED");
        if (!row.variables_function.empty()) {
            EXPECT_EQ(row.variables_function, prefix + "FIND_VARIABLES");
        }
    }
    EXPECT_EQ(tarnvel::target_title(access), "Access");
    EXPECT_FALSE(tarnvel::target_named("db2"));
    EXPECT_FALSE(tarnvel::target_named("SQLSERVER"));
}

TEST(BindParameters, HostParametersBecomeMarkersOutsideLiterals) {
    struct Bind {
        Target target;
        const char *text;
        const char *bound;
        std::vector<std::string> parameters;
    };
    const Bind cases[] = {
        {mysql, "SELECT * FROM T WHERE A = ?M.NAME AND B = ?x", "SELECT * FROM T WHERE A = ? AND B = ?", {"M.NAME", "x"}},
        {mysql, "SELECT * FROM T WHERE A = '?x' AND B = ?", "SELECT * FROM T WHERE A = '?x' AND B = ?", {}},
        {sqlserver, "SELECT [?x] FROM T WHERE B=?thisform.t.value)", "SELECT [?x] FROM T WHERE B=?)",
         {"thisform.t.value"}},
        {mysql, "SELECT ?(THIS.GETNAME()) FROM T WHERE A = ?(LALIST[2]) + ?(m.a + 1)",
         "SELECT ? FROM T WHERE A = ? + ?", {"(THIS.GETNAME())", "(LALIST[2])", "(m.a + 1)"}},
    };
    for (const Bind &c : cases) {
        const tarnvel::BoundStatement bound = tarnvel::bind_parameters(c.target, c.text);
        EXPECT_EQ(bound.text, c.bound);
        EXPECT_EQ(bound.parameters, c.parameters) << c.text;
    }
}

}  // namespace
