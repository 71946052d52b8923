// The rules that write a field list the other ways FoxPro reads the same
// (tools/validity/field_variant_rules.h): what each makes of a list, and the items none may touch
// (table constraints, types written another way, width parts that are no numbers, literals).
#include "field_variant_rules.h"

#include "rule_cases.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using rule_cases::Case;

void check(const Case &c) { rule_cases::check(validity::field_variant_rule(c.rule), c); }

TEST(FieldVariantRules, Rewrites) {
    const Case cases[] = {
        {"lower", "Name C(20) NOT NULL DEFAULT 'ABC'", "name c(20) not null default 'ABC'"},
        {"mixed", "cod c(5), ok l default .t.", "Cod C(5), Ok L Default .T."},
        {"type-words", "a C(10), b n(10,2), c Int, d T, e Y, f q(8), g W",
         "a CHARACTER(10), b numeric(10,2), c Integer, d DATETIME, e CURRENCY, f varbinary(8), g BLOB"},
        {"type-letters", "a Character(8), b NUM(6), c int, d Datetime, e Nume(4,1)", "a C(8), b N(6), c i, d T, e N(4,1)"},
        {"type-short-words", "a C(10), b Numeric(9,2), c I, d D", "a CHAR(10), b Num(9,2), c INT, d D"},
        {"type-words4", "a Numeric(9,2), b I, c Currency, d DateTime, e l, f Memo",
         "a Nume(9,2), b INTE, c Curr, d DateTime, e logi, f Memo"},
        {"width-blank", "a C(10), b N( 10, 2), c D", "a C (10), b N (10,2), c D"},
        {"width-spaced", "a C(10), b N(10,2)", "a C( 10 ), b N( 10 , 2 )"},
        {"width-tight", "a C (10), b N( 10 , 2 )", "a C(10), b N(10,2)"},
        {"width-comma-blank", "a C(10), b N(10,2)", "a C(10), b N(10, 2)"},
        {"zero-decimals", "a N(10), b F(8), c C(5), d B(2), e N(6,2)", "a N(10,0), b F(8,0), c C(5), d B(2), e N(6,2)"},
        {"no-zero-decimals", "a N(10,0), b N( 6 , 0 ), c N(6,2)", "a N(10), b N( 6), c N(6,2)"},
        {"not-null-blanks", "a C(1) NOT NULL, b I NULL", "a C(1) NOT  NULL, b I NULL"},
        {"ignored-width", "a D, b I NOT NULL, c L, d C(1), e Y(8), f M", "a D(8), b I(4) NOT NULL, c L(1), d C(1), e Y(8), f M(4)"},
        {"no-ignored-width", "a D (8), b i(10), c N(4), d T(8) NULL", "a D, b i, c N(4), d T NULL"},
        {"clauses4", "id I PRIMARY KEY, c C(3) DEFAULT 'x' CHECK c # '' ERROR 'no' UNIQUE, p I REFERENCES t",
         "id I PRIM KEY, c C(3) DEFA 'x' CHEC c # '' ERRO 'no' UNIQ, p I REFE t"},
        {"comma-blank", "a C(1),b N(5,2), c D", "a C(1), b N(5,2), c D"},
        {"comma-tight", "a C(1), b N(5, 2),  c D", "a C(1),b N(5, 2),c D"},
        {"blank-before-comma", "a C(1), b N(5,2)", "a C(1) , b N(5,2)"},
        {"tabs", "a C(1) NOT NULL", "a\tC(1)\tNOT\tNULL"},
        {"brackets", "a C(3) DEFAULT 'x'", "a C(3) DEFAULT [x]"},
        {"type-words-cut", "a C(5), b Numeric(4,1), c t, d F(6,2), e M", "a CHARACTE(5), b Numeri(4,1), c datetim, d F(6,2), e M"},
        {"clauses-cut", "k I PRIMARY KEY, c C(3) DEFAULT 'x' CHECK c # '' ERROR 'no'", "k I PRIMAR KEY, c C(3) DEFAUL 'x' CHECK c # '' ERRO 'no'"},
        {"line-breaks", "a C(1), b N(5,2),c D", "a C(1),\r\n b N(5,2),\r\nc D"},
        {"logical-yn", "a L DEFAULT .T., b L DEFAULT .f., c C(3) DEFAULT '.T.'", "a L DEFAULT .Y., b L DEFAULT .n., c C(3) DEFAULT '.T.'"},
        {"date-slashes", "d D DEFAULT {^2024-12-31}, t T DEFAULT {^2024-01-01 08:30:00}",
         "d D DEFAULT {^2024/12/31}, t T DEFAULT {^2024/01/01 08:30:00}"},
        {"datetime-comma", "d D DEFAULT {^2024-12-31}, t T DEFAULT {^2024-01-01 08:30:00}",
         "d D DEFAULT {^2024-12-31}, t T DEFAULT {^2024-01-01, 08:30:00}"},
        {"call-blank", "d D DEFAULT DATE(), n N(4) DEFAULT YEAR(DATE())", "d D DEFAULT DATE (), n N(4) DEFAULT YEAR (DATE ())"},
    };
    for (const Case &c : cases) check(c);
}

// Table constraints, unknown spellings and width parts of another kind stay as they are; a list
// with a subscript, whose commas are no separators, is left alone.
TEST(FieldVariantRules, ItemsNoRuleTouches) {
    const Case cases[] = {
        {"type-words", "a DECIMAL(10,2), b Money, PRIMARY KEY a TAG a, UNIQUE b TAG b, CHECK a > 0", nullptr},
        {"type-letters", "a C(10), FOREIGN KEY a TAG a REFERENCES Character", nullptr},
        {"width-tight", "a C(m.n), b N(x + 1)", nullptr},
        {"zero-decimals", "a N(n), b I", nullptr},
        {"clauses4", "a C(3) DEFAULT default(1) CHECK m.check, PRIMARY KEY a TAG a", "a C(3) DEFA default(1) CHEC m.check, PRIMARY KEY a TAG a"},
        {"comma-blank", "a C(3) DEFAULT arr[1,2],b I", nullptr},
        {"lower", "a C(3) DEFAULT 'ABC' CHECK a # [X]", "a c(3) default 'ABC' check a # [X]"},
        {"not-null-blanks", "a C(3) DEFAULT 'NOT NULL'", nullptr},
        {"date-dots", "d D DEFAULT {}, e D DEFAULT {/ /}, f D DEFAULT {^2024-12-31", nullptr},
    };
    for (const Case &c : cases) check(c);
}

}  // namespace
