// The rules that write a corpus statement the other ways FoxPro reads the same
// (tools/validity/variant_rules.h): what each makes of a statement, and the places none may touch
// (string literals, subscripts, dates, macros, names that hold or are keywords).
#include "variant_rules.h"
#include "variant_tokens.h"

#include "rule_cases.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using rule_cases::Case;

void check(const Case &c) { rule_cases::check(validity::variant_rule(c.rule), c); }

TEST(VariantRules, Rewrites) {
    const Case cases[] = {
        {"lower", "SELECT Name FROM T WHERE ok = .T.", "select name from t where ok = .t."},
        {"upper", "select a.b from t into cursor c", "SELECT A.B FROM T INTO CURSOR C"},
        {"mixed", "select a.cname from t where x = .null.", "Select A.Cname From T Where X = .Null."},
        {"keywords4", "SELECT DISTINCT a FROM t WHERE b=1 GROUP BY a HAVING COUNT(*)>1 ORDER BY a INTO CURSOR c",
         "SELE DIST a FROM t WHER b=1 GROU BY a HAVI COUNT(*)>1 ORDE BY a INTO CURS c"},
        {"keywords4", "select * from a inner join b on a.k=b.k right outer join c on c.k=a.k union select * from d",
         "sele * from a inne join b on a.k=b.k righ oute join c on c.k=a.k unio sele * from d"},
        {"from-as", "select a from c x left join (select k from o ox) t on t.k = x.k join p y on y.k = x.k",
         "select a from c as x left join (select k from o as ox) t on t.k = x.k join p as y on y.k = x.k"},
        {"keywords-short", "SELECT DISTINCT a FROM t INTO CURSOR c NOCONSOLE", "SELEC DISTINC a FROM t INTO CURSO c NOCONSOL"},
        {"functions4", "SELECT ALLTRIM(SUBSTR(a,1,2)), TRANSFORM(n), UPPER(b) FROM t WHERE !EMPTY(c) AND INLIST(d,1,2)",
         "SELECT ALLT(SUBS(a,1,2)), TRAN(n), UPPE(b) FROM t WHERE !EMPT(c) AND INLI(d,1,2)"},
        {"functions-short", "SELECT ALLTRIM(a), SECONDS() FROM t", "SELECT ALLTRI(a), SECONDS() FROM t"},
        {"call-blank", "SELECT * FROM t WHERE EMPTY(a) AND LEFT(b,1)='x'", "SELECT * FROM t WHERE EMPTY (a) AND LEFT (b,1)='x'"},
        {"dotted-logic", "SELECT * FROM t WHERE NOT a AND (b OR c)", "SELECT * FROM t WHERE .NOT. a .AND. (b .OR. c)"},
        {"plain-logic", "SELECT * FROM t WHERE a .AND..NOT.b .OR. c", "SELECT * FROM t WHERE a AND NOT b OR c"},
        {"bang-not", "SELECT * FROM t WHERE NOT EMPTY(a) AND .NOT. b", "SELECT * FROM t WHERE !EMPTY(a) AND !b"},
        {"word-not", "SELECT * FROM t WHERE !EMPTY(a) AND (!b)", "SELECT * FROM t WHERE NOT EMPTY(a) AND (NOT b)"},
        {"ne-hash", "SELECT * FROM t WHERE a <> 1 AND b != 2", "SELECT * FROM t WHERE a # 1 AND b # 2"},
        {"ne-bang", "SELECT * FROM t WHERE a # 1 AND b <> 2", "SELECT * FROM t WHERE a != 1 AND b != 2"},
        {"ne-angle", "SELECT * FROM t WHERE a # 1 AND b != 2", "SELECT * FROM t WHERE a <> 1 AND b <> 2"},
        {"double-quotes", "SELECT * FROM t WHERE a='x' AND b=[y] AND c='it\"s'",
         "SELECT * FROM t WHERE a=\"x\" AND b=\"y\" AND c='it\"s'"},
        {"single-quotes", "SELECT * FROM t WHERE a=\"x\" AND b=\"it's\"", "SELECT * FROM t WHERE a='x' AND b=\"it's\""},
        {"brackets", "SELECT * FROM t WHERE a='x' AND b=\"[y]\"", "SELECT * FROM t WHERE a=[x] AND b=\"[y]\""},
        {"tabs", "SELECT a,  b FROM t", "SELECT\ta,  b\tFROM\tt"},
        {"tight", "SELECT a , b FROM t WHERE x = ( 1 ) AND y = -2", "SELECT a,b FROM t WHERE x=(1) AND y= -2"},
        {"double-blanks", "SELECT a FROM t", "SELECT  a  FROM  t"},
        {"drop-as", "SELECT a AS x, SUM(b) AS y, CAST(c AS int) FROM t", "SELECT a x, SUM(b) y, CAST(c AS int) FROM t"},
        {"add-as", "SELECT a x, SUM(b) y, c, d.e f FROM t", "SELECT a AS x, SUM(b) AS y, c, d.e AS f FROM t"},
        {"add-as", "sele distinc a x into cursor c from t", "sele distinc a as x into cursor c from t"},
        {"from-as", "SELECT * FROM t a, db!u b JOIN v ON a.k=v.k WHERE 1=1", "SELECT * FROM t AS a, db!u AS b JOIN v ON a.k=v.k WHERE 1=1"},
        {"inner-join", "SELECT * FROM a JOIN b ON a.k=b.k LEFT JOIN c ON 1=1", "SELECT * FROM a INNER JOIN b ON a.k=b.k LEFT JOIN c ON 1=1"},
        {"plain-join", "select * from a inner join b on a.k=b.k", "select * from a join b on a.k=b.k"},
        {"outer-join", "select * from a left join b on 1=1 full join c on 1=1", "select * from a left outer join b on 1=1 full outer join c on 1=1"},
        {"no-outer-join", "SELECT * FROM a RIGHT OUTER JOIN b ON 1=1", "SELECT * FROM a RIGHT JOIN b ON 1=1"},
        {"into-before-where", "SELECT * FROM t WHERE a=1 INTO CURSOR c READWRITE ORDER BY a",
         "SELECT * FROM t INTO CURSOR c READWRITE WHERE a=1 ORDER BY a"},
        {"into-before-where", "SELECT * FROM t WHERE a=1 INTO TABLE x", "SELECT * FROM t INTO TABLE x WHERE a=1"},
        {"select-all", "SELECT a FROM t WHERE b IN (SELECT b FROM u)", "SELECT ALL a FROM t WHERE b IN (SELECT ALL b FROM u)"},
        {"where-parens", "SELECT * FROM t WHERE a=1 OR b=2 ORDER BY a", "SELECT * FROM t WHERE (a=1 OR b=2) ORDER BY a"},
        {"where-parens", "SELECT a WHERE b=1 FROM t", "SELECT a WHERE (b=1) FROM t"},
        {"order-asc", "SELECT * FROM t ORDER BY a, b DESC, c TOP 5 INTO CURSOR x", "SELECT * FROM t ORDER BY a ASC, b DESC, c ASC TOP 5 INTO CURSOR x"},
    };
    for (const Case &c : cases) check(c);
}

// Literals, subscripts, dates, macros and names stay as they are; a rule that cannot rewrite a
// statement without doubt leaves it alone.
TEST(VariantRules, PlacesNoRuleTouches) {
    const Case cases[] = {
        {"lower", "SELECT * FROM t WHERE a='ABC' AND b=[DEF] AND c=\"GHI\" AND d={^2020-01-01} AND &Mac",
         "select * from t where a='ABC' and b=[DEF] and c=\"GHI\" and d={^2020-01-01} and &Mac"},
        {"lower", "select a[1] from t", nullptr},
        {"double-quotes", "SELECT aArr[1] FROM t WHERE x=f(1)[2]", nullptr},
        {"brackets", "SELECT * FROM t WHERE a=b'x'", nullptr},  // a [ after a name would be a subscript
        {"keywords4", "SELECT t.order, where_x FROM t", "SELE t.order, where_x FROM t"},
        {"keywords4", "SELECT orders.cursor FROM orders WHERE selected", "SELE orders.cursor FROM orders WHER selected"},
        {"functions4", "SELECT thisform.Upper(x), upper_x(1), DATETIME() FROM t", nullptr},
        {"dotted-logic", "SELECT * FROM t WHERE a BETWEEN 1 AND 2 AND b NOT IN (1) AND c IS NOT NULL AND NOT EXISTS (SELECT 1 FROM u)",
         "SELECT * FROM t WHERE a BETWEEN 1 AND 2 .AND. b NOT IN (1) .AND. c IS NOT NULL .AND. NOT EXISTS (SELECT 1 FROM u)"},
        {"dotted-logic", "SELECT * FROM t WHERE 'AND'=land OR m.and", "SELECT * FROM t WHERE 'AND'=land .OR. m.and"},
        {"word-not", "SELECT * FROM db!t WHERE a != 1", nullptr},
        {"ne-hash", "SELECT * FROM t WHERE a='<>' AND b=\"!=\"", nullptr},
        {"tabs", "SELECT * FROM t WHERE a='x y'", "SELECT\t*\tFROM\tt\tWHERE\ta='x y'"},
        {"tight", "SELECT * FROM t WHERE a IN (1) AND b = 'x , y'", "SELECT * FROM t WHERE a IN (1) AND b='x , y'"},
        {"drop-as", "SELECT a AS, b FROM t", nullptr},
        {"add-as", "SELECT a, b IS NULL, NOT c, &fields x FROM t", nullptr},
        {"from-as", "SELECT * FROM t WHERE a=1", nullptr},
        {"from-as", "SELECT * FROM FORCE t a JOIN u b ON 1=1", nullptr},
        {"from-as", "SELECT * FROM (SELECT * FROM t) x, &tbl y", nullptr},
        {"into-before-where", "SELECT * FROM t WHERE a=1 UNION SELECT * FROM u INTO CURSOR c", nullptr},
        {"into-before-where", "SELECT * FROM t INTO CURSOR c WHERE a=1", nullptr},
        {"select-all", "SELECT DISTINCT a FROM t", nullptr},
        {"select-all", "SELE DIST a FROM t", nullptr},
        {"order-asc", "SELECT * FROM t ORDER BY a DESC", nullptr},
    };
    for (const Case &c : cases) check(c);
}

TEST(VariantRules, TokensJoinBackToTheStatement) {
    for (const char *text : {"SELECT a[1], 'x''y', [z] FROM t WHERE .NOT.b.AND.c # 1 &&note",
                             "sele {^2020-01-01 10:00} &m. \t x->y, \"unterminated"}) {
        EXPECT_EQ(validity::join(validity::tokenize(text)), text);
    }
}

// A ; that ends a line continues the command on the next one: read as a blank, so that a rule's
// text put after it leaves no ; that no line break follows. Any other ; stays.
TEST(VariantRules, JoinedLinesReadAsOneCommand) {
    const struct {
        const char *written, *joined;
    } cases[] = {
        {"SELECT a ;\n  FROM t", "SELECT a  \n  FROM t"},
        {"SELECT a;\r\nFROM t ;\t\n WHERE b = 1", "SELECT a \r\nFROM t  \t\n WHERE b = 1"},
        {"SELECT a FROM t WHERE b = 'x;\n' ;\nAND c = 2", "SELECT a FROM t WHERE b = 'x;\n'  \nAND c = 2"},
        {"SELECT a; FROM t", "SELECT a; FROM t"},  // no line break after it
        {"SELECT a FROM t ;", "SELECT a FROM t ;"},
    };
    for (const auto &c : cases) EXPECT_EQ(validity::joined_lines(c.written), c.joined) << c.written;
}

}  // namespace
