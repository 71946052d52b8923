// The keyword rows and the function rows that several dialects share, with their FoxPro forms.
// A dialect's chain lists these (and its own function rows) in the order it tries them.
#pragma once

#include "select/dialect.h"

namespace tarnvel::select::rows {

inline constexpr ChainRow convert{Row::call_or_quote, "CONVERT"};
inline constexpr ChainRow identity{Row::call_or_quote, "IDENTITY"};
inline constexpr ChainRow with{Row::with_hint, "WITH"};
inline constexpr ChainRow case_open{Row::case_open, "CASE"};
inline constexpr ChainRow case_when{Row::case_when, "WHEN"};
inline constexpr ChainRow case_then{Row::case_then, "THEN"};
inline constexpr ChainRow case_else{Row::case_else, "ELSE"};
inline constexpr ChainRow case_end{Row::case_end, "END"};
inline constexpr ChainRow between{Row::between, "BETWEEN,BETWEE,BETWE,BETW"};
inline constexpr ChainRow current_date{Row::current_date, "DATE"};
inline constexpr ChainRow is_null{Row::is_null, "IS"};
inline constexpr ChainRow null_literal{Row::null_literal, "NULL"};
inline constexpr ChainRow reserved{Row::reserved, ""};
inline constexpr ChainRow all{Row::all, "ALL"};
inline constexpr ChainRow and_or{Row::and_or, "AND,OR"};
inline constexpr ChainRow as{Row::as, "AS"};
inline constexpr ChainRow order{Row::order, "ORDER,ORDE"};
inline constexpr ChainRow asc{Row::asc, "ASC"};
inline constexpr ChainRow desc{Row::desc, "DESC"};
inline constexpr ChainRow by{Row::by, "BY"};
inline constexpr ChainRow cursor{Row::cursor, "CURSOR,CURSO,CURS"};
inline constexpr ChainRow distinct{Row::distinct, "DISTINCT,DISTINC,DISTIN,DISTI,DIST"};
inline constexpr ChainRow exists{Row::exists, "EXISTS,EXIST,EXIS"};
inline constexpr ChainRow in{Row::in, "IN"};
inline constexpr ChainRow from{Row::from, "FROM"};
inline constexpr ChainRow force{Row::force, "FORCE,FORC"};
inline constexpr ChainRow group{Row::group, "GROUP,GROU"};
inline constexpr ChainRow having{Row::having, "HAVING,HAVIN,HAVI"};
inline constexpr ChainRow inner{Row::inner, "INNER,INNE"};
inline constexpr ChainRow into{Row::into, "INTO"};
inline constexpr ChainRow join{Row::join, "JOIN"};
inline constexpr ChainRow full_left_right{Row::left, "FULL,LEFT,RIGHT,RIGH"};
inline constexpr ChainRow left_right{Row::left, "LEFT,RIGHT,RIGH"};
inline constexpr ChainRow on{Row::on, "ON"};
inline constexpr ChainRow like{Row::like, "LIKE"};
// x LIKE 'a!_%' ESCAPE '!': read as LIKE is, between two operands of a condition; before the
// reserved row in a dialect that reserves the word, which would otherwise quote it as a name
inline constexpr ChainRow escape{Row::like, "ESCAPE"};
// name COLLATE Latin1_General_BIN2: the collation of the operand before it, in any clause; before
// the reserved row in a dialect that reserves the word
inline constexpr ChainRow collate{Row::collate, "COLLATE"};
inline constexpr ChainRow not_op{Row::not_op, "NOT"};
inline constexpr ChainRow outer{Row::outer, "OUTER,OUTE"};
inline constexpr ChainRow partition{Row::partition, "PARTITION"};
inline constexpr ChainRow list_call{Row::list_call, "SUBSTRING,TRIM"};  // SUBSTRING(s FROM 2 FOR 3), TRIM(BOTH ' ' FROM s)
inline constexpr ChainRow list_word{Row::list_word, "FOR,BOTH,LEADING,TRAILING"};
inline constexpr ChainRow cross{Row::cross, "CROSS"};
inline constexpr ChainRow select{Row::select, "SELECT,SELEC,SELE"};
inline constexpr ChainRow top{Row::top, "TOP"};
inline constexpr ChainRow where{Row::where, "WHERE,WHER"};

// Function rows of more than one dialect.
inline constexpr FunctionRow iif{"IIF", "CASE WHEN", Edit::iif, {}, 6, 30, "Insufficient memory for CASE", true};
// ALLTRIM(s, '-') (parse strings) stays as written where the FoxPro-syntax pass left it
inline constexpr FunctionRow alltrim{"ALLTRIM,ALLTRI,ALLTR,ALLT", "LTRIM(RTRIM", Edit::around, {"%*)"}, 7, 1,
                                     "Insufficient memory for ALLTRIM", true, 1};
inline constexpr FunctionRow deleted{"DELETED,DELET,DELE,DELETE", "(1=1)", Edit::remove_arguments, {}, 0, 0, {}, true};
inline constexpr FunctionRow instr{"AT", "INSTR", Edit::swap_first, {}, 4, 0, "Insufficient memory for AT", true};
inline constexpr FunctionRow dtor_factor{"DTOR", "(0.017453293*", Edit::around, {"%*)"}, 10, 1, "Insufficient memory for DTOR", true};
inline constexpr FunctionRow rtod_factor{"RTOD", "(1/0.017453293*", Edit::around, {"%*)"}, 12, 1, "Insufficient memory for RTOD", true};
inline constexpr FunctionRow substr_same{"SUBSTR,SUBST,SUBS", "SUBSTR", Edit::rename, {}, 2};
// STRTRAN(s, a, b, nStart, nCount) stays as written where the FoxPro-syntax pass left it
inline constexpr FunctionRow strtran_replace{"STRTRAN,STRTRA,STRTR,STRT", "REPLACE", Edit::rename, {}, 3, 0, {}, false, 3};
inline constexpr FunctionRow asc_ascii{"ASC", "ASCII", Edit::rename, {}, 3};
inline constexpr FunctionRow int_floor{"INT", "FLOOR", Edit::rename, {}, 3};
inline constexpr FunctionRow extract_hour{"HOUR", "EXTRACT(HOUR FROM", Edit::extract, {}, 14, 0, {}, true};
inline constexpr FunctionRow extract_minute{"MINUTE", "EXTRACT(MINUTE FROM", Edit::extract, {}, 14, 0, {}, true};
inline constexpr FunctionRow extract_second{"SEC", "EXTRACT(SECOND FROM", Edit::extract, {}, 17, 0, {}, true};
inline constexpr FunctionRow extract_day{"DAY", "EXTRACT(DAY FROM", Edit::extract, {}, 14, 0, {}, true};
inline constexpr FunctionRow extract_month{"MONTH", "EXTRACT(MONTH FROM", Edit::extract, {}, 14, 0, {}, true};
inline constexpr FunctionRow extract_year{"YEAR", "EXTRACT(YEAR FROM", Edit::extract, {}, 14, 0, {}, true};

// A row whose template does not fit its edit stops the compilation of the dialect's table.
consteval ChainRow fn(const FunctionRow &row) {
    if (!well_formed(row)) throw "the function row's template does not fit its edit";
    return ChainRow{Row::function, {}, &row};
}

}  // namespace tarnvel::select::rows
