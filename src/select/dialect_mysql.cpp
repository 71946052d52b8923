// MySQL: backquoted names, TOP as LIMIT after ORDER BY, CONVERT and FORMAT forms.
// A "\0" in an inserted fragment marks the next word as a type word that is written as it stands.
#include "select/rows.h"

namespace tarnvel::select {
namespace {
using namespace rows;

using namespace std::string_view_literals;
constexpr FunctionRow chr{"CHR", "CHAR", Edit::rename, {}, 2};
// PADR(a, n) as RPAD(a, n, ' '), PADL as LPAD: MySQL takes them only with the fill text.
constexpr FunctionRow padr{"PADR", "RPAD", Edit::rebuild, {"%1,%2,' '", "%1,%2,%3"}, 0, 0, "Insufficient memory for PADR",
                           true};
constexpr FunctionRow padl{"PADL", "LPAD", Edit::rebuild, {"%1,%2,' '", "%1,%2,%3"}, 0, 0, "Insufficient memory for PADR",
                           true};
// STR(x, n, d) as LPAD(TRIM(FORMAT(x,d)),n,' '), 10 and 0 when n and d are missing.
constexpr FunctionRow str{"STR", "LPAD", Edit::rebuild_call,
                          {.text = "TRIM(FORMAT(%1,%3)),%2,' '", .defaults = {{"", "10", "0"}}},
                          30, 0, "Insufficient memory for STR"};
constexpr FunctionRow dtor{"DTOR", "RADIANS", Edit::rename, {}, 4};
constexpr FunctionRow rtod{"RTOD", "DEGREES", Edit::rename, {}, 4};
constexpr FunctionRow len{"LEN", "CHAR_LENGTH", Edit::rename, {}, 9};
constexpr FunctionRow val{"VAL", "CONVERT", Edit::around, {"%*,\0DECIMAL(38,10)"sv}, 2, 10,
                          "Insufficient memory for VAL", true};
constexpr FunctionRow nvl{"NVL", "COALESCE", Edit::rename, {}, 5};
constexpr FunctionRow ttod{"TTOD", "DATE", Edit::rename, {}, 0};
// The date alone: the text of a datetime holds its time too. The zero date, the empty one, is
// written as FoxPro writes it: blanks between the separators.
constexpr FunctionRow dtoc{"DTOC", "REPLACE(CONVERT(DATE", Edit::around, {"%*),\0CHAR),'0000-00-00','    -  -  '"sv}, 17, 38,
                           "Insufficient memory for DTOC", true};

// FORCE stands before the reserved row: FORCE right after FROM is dropped, elsewhere it is quoted.
// MySQL's values written as key words: reserved, but what plain SQL input writes them for is the
// server's own value.
constexpr ChainRow own_values{Row::own_value, "CURRENT_DATE,CURRENT_TIME,CURRENT_TIMESTAMP,CURRENT_USER,LOCALTIME,"
                                              "LOCALTIMESTAMP,UTC_DATE,UTC_TIME,UTC_TIMESTAMP,TRUE,FALSE"};

constexpr ChainRow chain[] = {
    convert, case_open, case_when, case_then, case_else, case_end, between, current_date,
    is_null, null_literal, force, own_values, partition, list_call, list_word, cross, escape, reserved,
    all, and_or, as, order, asc, desc, by, cursor, distinct, exists, in, from, group, having, inner, into,
    join, left_right, on, like, not_op, outer, select, top, where,
    fn(iif), fn(padr), fn(padl), fn(alltrim), fn(substr_same), fn(strtran_replace), fn(instr),
    fn(asc_ascii), fn(chr), fn(str), fn(dtor), fn(rtod), fn(len), fn(val), fn(nvl), fn(int_floor),
    fn(extract_hour), fn(extract_minute), fn(extract_second), fn(extract_day), fn(extract_month),
    fn(extract_year), fn(ttod), fn(dtoc), fn(deleted),
};

}  // namespace

const Dialect &mysql() {
    static const Dialect dialect = built({
        .id = Target::mysql,
        .quote_open = '`',
        .quote_close = '`',
        .edges = lex::mysql_edges,
        .reserved = lex::KeywordList::mysql_reserved,
        .group_by_keywords = {lex::KeywordList::sqlserver_reserved, lex::KeywordList::sqlserver_clause},
        .double_quote_always = false,
        .brackets = Brackets::fox_nested,
        .backticks = true,
        .upper_everything = false,
        .force_hint = {},
        .join_as_inner = false,
        .table_alias_as = true,
        .full_join = false,
        .table_hint = false,
        .where_open = "WHERE ",
        .where_close = "",
        .top = TopPlace::order_limit,
        .row_limit = "LIMIT ",
        .percent_limit = "",
        .percent_member = "SELECT %o FROM (SELECT PERCENT_ROWS.*, ROW_NUMBER() OVER (ORDER BY %r) AS PERCENT_ROW, "
                          "COUNT(*) OVER () AS PERCENT_COUNT FROM (%m) AS PERCENT_ROWS) AS PERCENT_TOP "
                          "WHERE PERCENT_ROW <= CEIL(PERCENT_COUNT * %n / 100.0) ORDER BY PERCENT_ROW",
        .date = {"'", "'", "-", "'0000-00-00'"},
        .datetime = {"'", "'", "-", "'0000-00-00 00:00:00'"},
        .true_test = "=1",
        .null_test = "<=>",
        .limit_in_derived_table = true,
        .outer_aggregates = true,
        .having_reads_alias = true,
        .having_keys_by_name = true,
        .chain = chain,
        .lexicon = {},
        .group_by_lexicon = {},
    });
    return dialect;
}

}  // namespace tarnvel::select
