// Removing FoxPro's destinations and options from a SELECT before it goes to a server.
#include <tarnvel/residue.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    const char *foxpro;
    const char *sent;
    std::vector<std::string> removed;
};

TEST(StripDestinations, RemovesWhatOnlyFoxProActsOn) {
    const Case cases[] = {
        {"SELECT * FROM t INTO CURSOR c", "SELECT * FROM t ", {"INTO CURSOR c"}},
        {"SELECT a FROM t INTO CURSOR c READWRITE ORDER BY a", "SELECT a FROM t  ORDER BY a",
         {"INTO CURSOR c READWRITE"}},
        {"sele a from t into curs c nofi", "sele a from t ", {"into curs c nofi"}},
        {"SELECT a FROM t INTO TABLE F:\\ALDO\\CERTI\\CSOP WHERE x = 1", "SELECT a FROM t  WHERE x = 1",
         {"INTO TABLE F:\\ALDO\\CERTI\\CSOP"}},
        {"select a from t into tabl (thisForm.loc_path + \"tjyb\")", "select a from t ",
         {"into tabl (thisForm.loc_path + \"tjyb\")"}},
        {"SELECT a FROM t INTO TABLE 'pobkont' GROUP BY a", "SELECT a FROM t  GROUP BY a", {"INTO TABLE 'pobkont'"}},
        {"SELECT a FROM t INTO DBF x DATABASE d NAME longname", "SELECT a FROM t ", {"INTO DBF x DATABASE d NAME longname"}},
        {"SELECT a FROM t INTO ARRAY laX", "SELECT a FROM t ", {"INTO ARRAY laX"}},
        {"SELECT a FROM t INTO ARRA laX", "SELECT a FROM t ", {"INTO ARRA laX"}},
        {"SELECT a FROM t INTO CURSO c READW", "SELECT a FROM t ", {"INTO CURSO c READW"}},
        {"SELECT a FROM t INTO DB x", "SELECT a FROM t INTO DB x", {}},
        {"SELECT a FROM t INTO CURSOR", "SELECT a FROM t ", {"INTO CURSOR"}},
        {"SELECT * FROM t TO FILE x.txt ADDITIVE NOCONSOLE PLAIN", "SELECT * FROM t   ",
         {"TO FILE x.txt ADDITIVE", "NOCONSOLE", "PLAIN"}},
        {"SELECT * FROM t TO PRINTER PROMPT NOCO", "SELECT * FROM t  ", {"TO PRINTER PROMPT", "NOCO"}},
        {"SELECT * FROM t TO SCREEN", "SELECT * FROM t ", {"TO SCREEN"}},
        {"SELECT * FROM t ORDER BY 1 ASC INTO CURSOR c READWRITE TO FILE x.txt", "SELECT * FROM t ORDER BY 1 ASC  ",
         {"INTO CURSOR c READWRITE", "TO FILE x.txt"}},
        {"SELECT * FROM q INTO DBF c:\\q1 WHERE DELETED() = .F. NOCONSOLE NOWAIT", "SELECT * FROM q  WHERE DELETED() = .F.  ",
         {"INTO DBF c:\\q1", "NOCONSOLE", "NOWAIT"}},
        {"Select Count(*) From t Into Array aCnt NoWait NoFilter", "Select Count(*) From t   ",
         {"Into Array aCnt", "NoWait", "NoFilter"}},
        {"SELECT a FROM t ORDER BY a DESC PREFERENCE myPref NOCONSOLE", "SELECT a FROM t ORDER BY a DESC  ",
         {"PREFERENCE myPref", "NOCONSOLE"}},
        {"SELECT a FROM t UNION SELECT a FROM u INTO CURSOR c ORDER BY 1", "SELECT a FROM t UNION SELECT a FROM u  ORDER BY 1",
         {"INTO CURSOR c"}},
        {"SELECT a FROM t WHERE x = la[1] INTO ARRAY la", "SELECT a FROM t WHERE x = la[1] ", {"INTO ARRAY la"}},
        {"SELECT a FROM t INTO CURSOR c)WHERE x = 1", "SELECT a FROM t )WHERE x = 1", {"INTO CURSOR c"}},
        {"SELECT a FROM t INTO CURSOR c READWRITE(", "SELECT a FROM t (", {"INTO CURSOR c READWRITE"}},
    };
    for (const Case &c : cases) {
        const tarnvel::ServerStatement stripped = tarnvel::strip_destinations(c.foxpro);
        EXPECT_EQ(stripped.text, c.sent) << c.foxpro;
        EXPECT_EQ(stripped.removed, c.removed) << c.foxpro;
    }
}

TEST(StripDestinations, LeavesLiteralsSubqueriesAndNamesAlone) {
    const char *kept[] = {
        "SELECT 'INTO CURSOR x' AS a, \"TO FILE y\" AS b, [NOCONSOLE] AS c FROM t",
        "SELECT a FROM t WHERE b IN (SELECT b FROM u INTO CURSOR z)",
        "SELECT plain, read, nowait FROM t ORDER BY plain",
        "SELECT a FROM t WHERE x = plain OR y = readwrite",
        "SELECT a INTO x FROM t",
        "SELECT a FROM t WHERE c = 'it''s INTO CURSOR'",
        "",
    };
    for (const char *text : kept) {
        const tarnvel::ServerStatement stripped = tarnvel::strip_destinations(text);
        EXPECT_EQ(stripped.text, text);
        EXPECT_TRUE(stripped.removed.empty()) << text;
    }
}

}  // namespace
