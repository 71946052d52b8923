// PostgreSQL: double-quoted names, TOP as LIMIT after ORDER BY, dates as DATE '...' and
// TIMESTAMP '...' (the empty date NULL), FULL JOIN of its own, and logical values of its own: TRUE and
// FALSE stay values, and a bare logical operand is a condition by itself (a BOOLEAN column of the
// structure conversion), so it gets no "=1".
// A "\0" in an inserted fragment marks the next word as a type word that is written as it stands.
#include "lex/keywords.h"
#include "select/rows.h"

namespace tarnvel::select {
namespace {
using namespace rows;

using namespace std::string_view_literals;
constexpr FunctionRow at{"AT", "STRPOS", Edit::swap_first, {}, 4, 0, "Insufficient memory for AT", true};
constexpr FunctionRow dtor{"DTOR", "RADIANS", Edit::rename, {}, 4};
constexpr FunctionRow rtod{"RTOD", "DEGREES", Edit::rename, {}, 4};
constexpr FunctionRow len{"LEN", "LENGTH", Edit::rename, {}, 3};
constexpr FunctionRow val{"VAL", "CAST", Edit::around, {"%* \0AS \0NUMERIC"sv}, 4, 14,
                          "Insufficient memory for VAL", true};
constexpr FunctionRow nvl{"NVL", "COALESCE", Edit::rename, {}, 5};
constexpr FunctionRow int_{"INT", "TRUNC", Edit::rename, {}, 1};
constexpr FunctionRow ttod{"TTOD", "DATE", Edit::rename, {}, 0};
// The cast gives a parameter (DTOC(m.dFrom)) the type TO_CHAR needs to choose its form. The empty
// date is NULL here: FoxPro writes it as blanks between the separators.
constexpr FunctionRow dtoc{"DTOC", "COALESCE(TO_CHAR", Edit::around, {"CAST(%* \0AS \0DATE),'YYYY-MM-DD'),'    -  -  '"sv}, 13, 45,
                           "Insufficient memory for DTOC", true};
// PADL(n, 6, '0') pads a number's text in FoxPro; PostgreSQL's LPAD and RPAD take text only.
constexpr FunctionRow padl{"PADL", "LPAD", Edit::rebuild, {"CAST(%1 \0AS \0TEXT),%2"sv, "CAST(%1 \0AS \0TEXT),%2,%3"sv},
                           0, 0, "Insufficient memory for PADR", true};
constexpr FunctionRow padr{"PADR", "RPAD", Edit::rebuild, {"CAST(%1 \0AS \0TEXT),%2"sv, "CAST(%1 \0AS \0TEXT),%2,%3"sv},
                           0, 0, "Insufficient memory for PADR", true};
// EXTRACT gives a numeric, which MAKE_DATE, LPAD and date - n refuse: the parts FoxPro gives as whole
// numbers are cast to INTEGER (SEC stays: a timestamp's seconds may have a fraction). Its argument is
// cast too, so that a parameter has the type EXTRACT needs to choose its form. The empty date is NULL
// here, whose parts FoxPro gives as 0.
constexpr FunctionRow hour{"HOUR", "COALESCE", Edit::around,
                           {"CAST(EXTRACT(HOUR FROM CAST(%* \0AS \0TIMESTAMP)) \0AS \0INTEGER),0"sv}, 4, 66,
                           "Insufficient memory for a date part", true};
constexpr FunctionRow minute{"MINUTE", "COALESCE", Edit::around,
                             {"CAST(EXTRACT(MINUTE FROM CAST(%* \0AS \0TIMESTAMP)) \0AS \0INTEGER),0"sv}, 4, 68,
                             "Insufficient memory for a date part", true};
constexpr FunctionRow day{"DAY", "COALESCE", Edit::around,
                          {"CAST(EXTRACT(DAY FROM CAST(%* \0AS \0DATE)) \0AS \0INTEGER),0"sv}, 4, 62,
                          "Insufficient memory for a date part", true};
constexpr FunctionRow month{"MONTH", "COALESCE", Edit::around,
                            {"CAST(EXTRACT(MONTH FROM CAST(%* \0AS \0DATE)) \0AS \0INTEGER),0"sv}, 4, 64,
                            "Insufficient memory for a date part", true};
constexpr FunctionRow year{"YEAR", "COALESCE", Edit::around,
                           {"CAST(EXTRACT(YEAR FROM CAST(%* \0AS \0DATE)) \0AS \0INTEGER),0"sv}, 4, 62,
                           "Insufficient memory for a date part", true};

// The key words PostgreSQL reads as values: kept as they stand in plain SQL (in FoxPro syntax a
// bare one the user wrote is a name).
constexpr ChainRow values{Row::value_word, lex::pgsql_value_words.substr(1, lex::pgsql_value_words.size() - 2)};

// The key words that are no reserved words (those are quoted) but that a column label takes only
// after AS.
constexpr std::string_view label_as_words[] = {"CHAR",   "CHARACTER", "DAY",     "FILTER", "HOUR",
                                               "MINUTE", "MONTH",     "OVER",    "PRECISION", "SECOND",
                                               "VARYING", "WITHIN",   "WITHOUT", "YEAR"};

constexpr ChainRow chain[] = {
    convert, case_open, case_when, case_then, case_else, case_end, between, current_date,
    is_null, null_literal, values, partition, list_call, list_word, cross, escape, reserved,
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, group, having, inner, into, force,
    join, full_left_right, on, like, not_op, outer, select, top, where,
    fn(iif), fn(padr), fn(padl), fn(alltrim), fn(substr_same), fn(strtran_replace), fn(at),
    fn(asc_ascii), fn(dtor), fn(rtod), fn(len), fn(val), fn(nvl), fn(int_), fn(hour),
    fn(minute), fn(extract_second), fn(day), fn(month), fn(year), fn(ttod),
    fn(dtoc), fn(deleted),
};

}  // namespace

const Dialect &pgsql() {
    static const Dialect dialect = built({
        .id = Target::pgsql,
        .quote_open = '"',
        .quote_close = '"',
        .edges = lex::pgsql_edges,
        .reserved = lex::KeywordList::pgsql_reserved,
        .group_by_keywords = {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause},
        .double_quote_always = false,
        .brackets = Brackets::fox_nested,
        .backticks = false,
        .upper_everything = false,
        .force_hint = {},
        .join_as_inner = false,
        .table_alias_as = true,
        .full_join = true,
        .order_twin_names = false,
        .table_hint = false,
        .where_open = "WHERE ",
        .where_close = "",
        .top = TopPlace::order_limit,
        .row_limit = "LIMIT ",
        .percent_limit = "",
        .percent_rows = "LIMIT (SELECT CEIL(COUNT(*) * %n / 100.0) FROM (%m) AS PERCENT_ROWS)",
        .date = {"DATE '", "'", "-", "NULL", 0, "CAST(NULL AS DATE)"},
        .datetime = {"TIMESTAMP '", "'", "-", "NULL", 0, "CAST(NULL AS TIMESTAMP)"},
        .true_test = "",
        .bare_date_quoted = false,
        .empty_date_null = true,
        .string_alias_named = true,
        .null_sorts_last = true,
        .group_parameter_by_position = true,
        .outer_aggregates = true,
        .upper_beyond_ascii = false,
        .label_as_words = label_as_words,
        .chain = chain,
        .lexicon = {},
        .group_by_lexicon = {},
    });
    return dialect;
}

}  // namespace tarnvel::select
