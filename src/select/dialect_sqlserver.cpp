// SQL Server: bracketed names, functions renamed or rebuilt for T-SQL, TOP in the select list,
// FROM FORCE as OPTION (FORCE ORDER), and the NOLOCK table hint.
#include "select/rows.h"

namespace tarnvel::select {
namespace {
using namespace rows;

constexpr FunctionRow padr{"PADR", "dbo.PADR", Edit::rename, {}, 4};
constexpr FunctionRow padl{"PADL", "dbo.PADL", Edit::rename, {}, 4};
constexpr FunctionRow mod{"MOD", "dbo.MOD", Edit::rename, {}, 4};
constexpr FunctionRow substr{"SUBSTR,SUBST,SUBS", "SUBSTRING", Edit::rename, {}, 5};
// CHARINDEX's third argument is where the search starts, AT's the occurrence: AT(a, b, n) is left.
constexpr FunctionRow at{"AT", "CHARINDEX", Edit::rename, {}, 7, 0, {}, false, 2};
constexpr FunctionRow chr{"CHR", "CHAR", Edit::rename, {}, 2};
constexpr FunctionRow dtor{"DTOR", "RADIANS", Edit::rename, {}, 4};
constexpr FunctionRow rtod{"RTOD", "DEGREES", Edit::rename, {}, 4};
constexpr FunctionRow date{"DATE", "GETDATE", Edit::rename, {}, 3};
constexpr FunctionRow val{"VAL", "dbo.VAL", Edit::rename, {}, 4};
constexpr FunctionRow nvl{"NVL", "ISNULL", Edit::rename, {}, 3};
constexpr FunctionRow int_{"INT", "FLOOR", Edit::rename, {}, 2};
constexpr FunctionRow hour{"HOUR", "DATEPART", Edit::around, {"hour,%*"}, 4, 5, "Insufficient memory for HOUR"};
constexpr FunctionRow hours{"HOURS", "DATEDIFF", Edit::around, {"hour,%*"}, 2, 5, "Insufficient memory for HOURS"};
constexpr FunctionRow minute{"MINUTE", "DATEPART", Edit::around, {"minute,%*"}, 4, 7, "Insufficient memory for MINUTE"};
constexpr FunctionRow sec{"SEC", "DATEPART", Edit::around, {"second,%*"}, 5, 7, "Insufficient memory for SEC"};
constexpr FunctionRow ttod{"TTOD", "CONVERT", Edit::around, {"datetime,floor(convert(float,%*))"}, 44, 44,
                           "Insufficient memory for TTOD", true};
constexpr FunctionRow dtoc{"DTOC", "CONVERT", Edit::around, {"char(10),%*,%s"}, 3, 14, "Insufficient memory for DTOC",
                           true};

// The functions SQL Server calls without parentheses: reserved, but what plain SQL input writes
// them for is the server's own value.
constexpr ChainRow own_values{Row::own_value, "CURRENT_TIMESTAMP,CURRENT_USER,SESSION_USER,SYSTEM_USER,USER"};

constexpr ChainRow chain[] = {
    convert, identity, with, case_open, case_when, case_then, case_else, case_end, between,
    is_null, null_literal, own_values, partition, list_call, list_word, cross, escape, collate, reserved,
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, force, group, having, inner,
    into, join, full_left_right, on, like, not_op, outer, select, top, where,
    fn(iif), fn(padr), fn(padl), fn(mod), fn(alltrim), fn(substr), fn(strtran_replace), fn(at), fn(asc_ascii),
    fn(chr), fn(dtor), fn(rtod), fn(date), fn(val), fn(nvl), fn(int_), fn(hour), fn(hours), fn(minute), fn(sec),
    fn(ttod), fn(dtoc), fn(deleted),
};

}  // namespace

const Dialect &sqlserver() {
    static const Dialect dialect = built({
            .id = Target::sqlserver,
            .quote_open = '[',
            .quote_close = ']',
            .edges = lex::sqlserver_edges,
            .reserved = lex::KeywordList::sqlserver_reserved,
            .group_by_keywords = {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause},
            .double_quote_always = true,
            .brackets = Brackets::flat,
            .backticks = false,
            .upper_everything = false,
            .force_hint = {"FORCE ORDER", "Insufficient memory for OPTION (FORCE ORDER)"},
            .join_as_inner = false,
            .table_alias_as = true,
            .full_join = true,
            .order_twin_names = false,
            .aggregate_subquery = false,
            .table_hint = true,
            .where_open = "WHERE",
            .where_close = "",
            .top = TopPlace::select_list,
            .row_limit = "",
            .percent_limit = "",
            .date = {"'", "'", "", "''", 17530101},  // DATETIME begins in 1753
            .datetime = {"'", "'", "", "''", 17530101},
            .true_test = "=1",
            .call_needs_test = true,
            .like_classes = true,
            .group_subquery = false,
            .outer_aggregates = true,
            .chain = chain,
            .lexicon = {},
            .group_by_lexicon = {},
    });
    return dialect;
}

}  // namespace tarnvel::select
