// Access (Jet): bracketed names (strings under FoxPro syntax), everything upper-cased, a shorter chain
// without CASE rows, a bare JOIN as INNER JOIN, and padding and MOD rebuilt from Jet functions.
#include "select/rows.h"

namespace tarnvel::select {
namespace {
using namespace rows;

// PADR(a, n) as IIF(Len(a)>n,Left(a,n),a&Space(n-Len(a))), PADL mirrored; a fill character pads with
// String. The padding is joined with &, which writes a number's text, as FoxPro pads it (PADL(n, 2, '0')):
// + would add the number to a fill of digits ('0' + 5 is 5). MOD(a, b) as ((a)-(b)*INT((a)/(b))), FoxPro's remainder: the word itself becomes nothing.
constexpr FunctionRow padr{"PADR", "IIF", Edit::rebuild,
                           {"Len(%1)>%2,Left(%1,%2),%1&Space(%2-Len(%1))",
                            "Len(%1)>%2,Left(%1,%2),%1&String(%2-Len(%1),%3)"},
                           0, 0, "Insufficient memory for PADR", true};
constexpr FunctionRow padl{"PADL", "IIF", Edit::rebuild,
                           {"Len(%1)>%2,Right(%1,%2),Space(%2-Len(%1))&%1",
                            "Len(%1)>%2,Right(%1,%2),String(%2-Len(%1),%3)&%1"},
                           0, 0, "Insufficient memory for PADR", true};
constexpr FunctionRow mod{"MOD", "", Edit::rebuild, {"(%1)-(%2)*INT((%1)/(%2))"}, 0, 5, "Insufficient memory for MOD",
                          true};
// STRTRAN(s, a, b) as Jet's REPLACE, which refuses a NULL text (kept NULL here) and compares by its
// last argument: 0, binary, as FoxPro finds a.
constexpr FunctionRow strtran{"STRTRAN,STRTRA,STRTR,STRT", "IIF", Edit::rebuild,
                              {"%1 IS NULL,NULL,REPLACE(%1&'',%2,'',1,-1,0)",
                               "%1 IS NULL,NULL,REPLACE(%1&'',%2,%3,1,-1,0)"},
                              0, 0, "Insufficient memory for STRTRAN", true, 3};
constexpr FunctionRow alltrim{"ALLTRIM,ALLTRI,ALLTR,ALLT", "TRIM", Edit::rename, {}, 0, 0, {}, false, 1};
constexpr FunctionRow substr{"SUBSTR,SUBST,SUBS", "MID", Edit::rename, {}, 0};
constexpr FunctionRow upper{"UPPER,UPPE", "UCASE", Edit::rename, {}, 0};
constexpr FunctionRow lower{"LOWER,LOWE", "LCASE", Edit::rename, {}, 0};
constexpr FunctionRow nvl{"NVL", "NZ", Edit::rename, {}, 0};
// Jet names the interval with text: a bare h would be read as a parameter.
constexpr FunctionRow hours{"HOURS", "DATEDIFF", Edit::around, {"'h',%*"}, 5, 7, "Insufficient memory for HOURS"};
constexpr FunctionRow sec{"SEC", "SECOND", Edit::rename, {}, 3};
// DateValue of a date drops its time; the text of a date (CStr) is written in the locale's short form,
// whose first ten characters may hold part of the time (1/5/2016 1:45:00 PM).
constexpr FunctionRow ttod{"TTOD", "DATEVALUE", Edit::rename, {}, 5};
// The date alone in the locale's short form: CStr of a datetime writes its time too.
constexpr FunctionRow dtoc{"DTOC", "FORMAT", Edit::around, {"%*, 'ddddd'"}, 11, 15, "Insufficient memory for DTOC",
                           true};

constexpr ChainRow chain[] = {
    between, is_null, null_literal, partition, list_call, list_word, cross, escape, reserved,
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, force, group, having, inner, into,
    join, full_left_right, on, like, not_op, outer, select, top, where,
    fn(padr), fn(padl), fn(mod), fn(alltrim), fn(substr), fn(upper), fn(lower), fn(strtran), fn(instr),
    fn(dtor_factor), fn(rtod_factor), fn(nvl), fn(hours), fn(sec), fn(ttod), fn(dtoc), fn(deleted),
};

}  // namespace

const Dialect &access() {
    static const Dialect dialect = built({
        .id = Target::access,
        .quote_open = '[',
        .quote_close = ']',
        .edges = lex::access_edges,
        .reserved = lex::KeywordList::access_reserved,
        .group_by_keywords = {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause},
        .double_quote_always = true,
        .brackets = Brackets::names_nested,
        .backticks = false,
        .upper_everything = true,
        .force_hint = {},
        .join_as_inner = true,
        .table_alias_as = true,
        .full_join = false,
        .nested_joins = true,
        .cross_join = false,
        .count_distinct = false,
        .order_by_alias = false,
        .table_hint = false,
        .where_open = "WHERE",
        .where_close = "",
        .top = TopPlace::select_list,
        .row_limit = "",
        .percent_limit = "",
        .date = {"#", "#", "-", "NULL"},
        .datetime = {"#", "#", "-", "NULL"},
        .true_test = "<>0",  // Jet's true is -1
        .empty_date_null = true,  // the structure conversion stores no value for an empty date
        .string_alias_named = true,
        .like_classes = true,
        .group_subquery = false,
        .chain = chain,
        .lexicon = {},
        .group_by_lexicon = {},
    });
    return dialect;
}

}  // namespace tarnvel::select
