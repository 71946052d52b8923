// Oracle: double-quoted names, WHERE ( ... ), TOP as a ROWNUM condition, EXTRACT and TO_CHAR forms.
#include "select/rows.h"

namespace tarnvel::select {
namespace {
using namespace rows;
using namespace std::string_view_literals;

constexpr FunctionRow str{"STR", "TO_CHAR", Edit::rename, {}, 5};
// The empty text is NULL here, whose LENGTH is NULL: LEN(ALLTRIM(x)) = 0 found no blank x.
constexpr FunctionRow len{"LEN", "NVL(LENGTH", Edit::around, {"%*), 0"}, 11, 15, "Insufficient memory for LEN", true};
// The empty text is NULL here, and RPAD, LPAD and ASCII of NULL are NULL: PADR('', n) gives n
// blanks in FoxPro, ASC('') gives 0. The padding of the fill alone stands in for a NULL result (a
// text of any type padded is text, so NVL compares like with like).
constexpr FunctionRow padr{"PADR", "NVL", Edit::rebuild, {"RPAD(%1,%2),RPAD(' ',%2)", "RPAD(%1,%2,%3),RPAD(%3,%2,%3)"},
                           0, 0, "Insufficient memory for PADR", true};
constexpr FunctionRow padl{"PADL", "NVL", Edit::rebuild, {"LPAD(%1,%2),LPAD(' ',%2)", "LPAD(%1,%2,%3),LPAD(%3,%2,%3)"},
                           0, 0, "Insufficient memory for PADR", true};
constexpr FunctionRow asc_zero{"ASC", "NVL(ASCII", Edit::around, {"%*), 0"}, 10, 15, "Insufficient memory for ASC", true};
constexpr FunctionRow val{"VAL", "TO_NUMBER", Edit::rename, {}, 7};
// TRUNC of a NULL written as such is a number to Oracle (a UNION beside a date column fails): the
// cast gives it the type DATE, and leaves a DATE or a TIMESTAMP the date and time it holds.
constexpr FunctionRow ttod{"TTOD", "TRUNC", Edit::around, {"CAST(%* \0AS \0DATE)"sv}, 1, 20,
                           "Insufficient memory for TTOD", true};
// The empty date is NULL here, whose text would be NULL, Oracle's empty text: FoxPro writes it as
// blanks between the separators. The cast gives a NULL written as such the type whose form TO_CHAR
// reads (of a number, 'YYYY-MM-DD' is no form).
constexpr FunctionRow dtoc{"DTOC", "NVL(TO_CHAR", Edit::around, {"CAST(%* \0AS \0DATE),'YYYY-MM-DD'),'    -  -  '"sv}, 8, 45,
                           "Insufficient memory for DTOC", true};
// EXTRACT reads no time from a DATE (a FoxPro datetime is one here): the time parts as TO_CHAR
// writes them, whole numbers. The parts of a date: the empty date is NULL here, whose parts FoxPro
// gives as 0.
constexpr FunctionRow hour{"HOUR", "NVL(TO_NUMBER", Edit::around, {"TO_CHAR(%*, 'HH24')), 0"}, 13, 21,
                           "Insufficient memory for time", true};
constexpr FunctionRow minute{"MINUTE", "NVL(TO_NUMBER", Edit::around, {"TO_CHAR(%*, 'MI')), 0"}, 13, 19,
                             "Insufficient memory for time", true};
constexpr FunctionRow second{"SEC", "NVL(TO_NUMBER", Edit::around, {"TO_CHAR(%*, 'SS')), 0"}, 13, 19,
                             "Insufficient memory for time", true};
constexpr FunctionRow day{"DAY", "NVL(EXTRACT", Edit::around, {"DAY FROM %*), 0"}, 11, 15,
                          "Insufficient memory for a date part", true};
constexpr FunctionRow month{"MONTH", "NVL(EXTRACT", Edit::around, {"MONTH FROM %*), 0"}, 11, 17,
                            "Insufficient memory for a date part", true};
constexpr FunctionRow year{"YEAR", "NVL(EXTRACT", Edit::around, {"YEAR FROM %*), 0"}, 11, 16,
                           "Insufficient memory for a date part", true};

// Oracle's pseudo-columns and the functions it calls without parentheses: reserved, but what plain
// SQL input writes them for is Oracle's own value.
constexpr ChainRow own_values{Row::own_value, "SYSDATE,ROWNUM,ROWID,USER,UID,LEVEL"};

constexpr ChainRow chain[] = {
    convert, case_open, case_when, case_then, case_else, case_end, between, current_date,
    is_null, null_literal, own_values, partition, list_call, list_word, cross, escape, reserved,
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, group, having, inner, into, force,
    join, left_right, on, like, not_op, outer, select, top, where,
    fn(iif), fn(padr), fn(padl), fn(alltrim), fn(substr_same), fn(strtran_replace), fn(instr),
    fn(asc_zero), fn(str), fn(dtor_factor), fn(rtod_factor), fn(len), fn(val), fn(int_floor), fn(hour),
    fn(minute), fn(second), fn(day), fn(month), fn(year), fn(ttod),
    fn(dtoc), fn(deleted),
};

}  // namespace

const Dialect &oracle() {
    static const Dialect dialect = built({
        .id = Target::oracle,
        .quote_open = '"',
        .quote_close = '"',
        .edges = lex::oracle_edges,
        .reserved = lex::KeywordList::oracle_reserved,
        .group_by_keywords = {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause},
        .double_quote_always = false,
        .brackets = Brackets::fox_nested,
        .backticks = false,
        .upper_everything = false,
        .force_hint = {},
        .join_as_inner = false,
        .table_alias_as = false,
        .full_join = true,
        .order_twin_names = false,
        .table_hint = false,
        .where_open = "WHERE (",
        .where_close = ")",
        .top = TopPlace::where_limit,
        .row_limit = "ROWNUM<=",
        .percent_limit = "FETCH FIRST ",
        // Typed literals: a quoted date is read by the session's NLS_DATE_FORMAT (DD-MON-RR unless set),
        // and a date minus quoted text is refused. A datetime stays a DATE, the type a datetime field has
        // here, so that the difference of two is still a number of days. An empty date is stored as no
        // value (DEFAULT '' is NULL).
        .date = {"DATE '", "'", "-", "NULL"},
        .datetime = {"TO_DATE('", "', 'YYYY-MM-DD HH24:MI:SS')", "-", "NULL"},
        .true_test = "=1",
        .call_needs_test = true,
        .empty_date_null = true,
        .string_alias_named = true,
        .null_sorts_last = true,
        .group_subquery = false,
        .chain = chain,
        .lexicon = {},
        .group_by_lexicon = {},
    });
    return dialect;
}

}  // namespace tarnvel::select
