// The FoxPro-to-SQL map: the FoxPro-only constructs of a SELECT (operators, literals, names,
// clauses, functions) and what each becomes in every target dialect. One row per construct with
// one form per dialect; the rows drive the FoxPro-syntax pass (rewrite.h), and their ids are the
// stable names by which tests, the residue check and the migration report refer to a construct.
//
// A form is a template. In function rows {1} to {9} stand for the converted arguments and {2+}
// for the arguments from the second on, joined by ", "; a slot past the call's last argument is the
// row's left_out (DATETIME(y, m, d) has hours, minutes and seconds 0). Operator rows give the
// operator's text, literal rows the value's text. An empty form leaves the construct as written in
// that dialect: the target has it, or the dialect's own function rows convert it later.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include <tarnvel/dialects.hpp>

namespace tarnvel::select {
struct Dialect;
}

namespace tarnvel::select::fox {

// A column of the map is a dialect of the registry, in its order.
enum Column : std::uint8_t {
    sqlserver = static_cast<std::uint8_t>(Target::sqlserver),
    oracle = static_cast<std::uint8_t>(Target::oracle),
    mysql = static_cast<std::uint8_t>(Target::mysql),
    access = static_cast<std::uint8_t>(Target::access),
    pgsql = static_cast<std::uint8_t>(Target::pgsql),
};
inline constexpr std::size_t column_count = dialect_count;

constexpr std::string_view column_title(Column column) { return target_title(static_cast<Target>(column)); }

// The column of a SELECT dialect.
Column column_of(const Dialect &dialect);

enum class Kind : std::uint8_t {
    operator_,  // ==, #, !=, !, $
    literal,    // .T., .F., .NULL., dates
    name,       // memory variables and object references, database!table, file paths
    clause,     // WITH (BUFFERING = ...)
    function,   // a FoxPro function this map rewrites
    dialect,    // a FoxPro construct the dialects' own rows convert (listed for the document)
};

// How a function row is written.
enum class Form : std::uint8_t {
    text,       // the template, from the converted arguments
    foxpro,     // FoxPro text built from the arguments as written, then converted like the rest
    icase,      // ICASE(c1, v1, ..., [e]) as the dialect's multi-way choice (case_forms)
    cast,       // CAST(x AS type) with a FoxPro type (cast_types)
    ctod,       // CTOD of a literal, of blanks, or of DTOC(x)
    ctot,       // CTOT of a literal or of blanks (any other argument: as written)
    transform,  // TRANSFORM(x) and TRANSFORM(x, "@L 99...")
    like,       // LIKE(pattern, x) with FoxPro's wildcards
    inlist,     // INLIST(x, a, ...): the template; an empty text among the values, the dialect's test of it
    chrtran,    // CHRTRAN(s, from, to): the row's form, or one REPLACE a character (chrtran_steps)
    str,        // STR(n[, w[, d]]): w defaults to 10, d must be written as a number
    numbered,   // f(x, n) with n written as a number: the form of that number (numbered_forms); the
                // arguments after the row's first 'values' ones, written as numbers, are the number
    trim,       // ALLTRIM(s[, nFlags], c, ...), LTRIM, RTRIM, TRIM: parse strings trimmed instead of blanks
    weekday,    // DOW(d, nFirstDay), WEEK(d, nFirstWeek[, nFirstDay]): numbers written, {d} the first day
    delimiters, // GETWORDNUM(s, n, cDelimiters), GETWORDCOUNT(s, cDelimiters): the delimiters a literal of
                // characters a class of a regular expression lists as they are; the last argument,
                // {2} or {3}, is those characters
    recno,      // RECNO() in the select list of a read of one whole table: the form as it stands (other
                // reads of one table: select/record_numbers.h)
    mask,       // BITAND(a, b), BITOR, BITXOR: the template; where the dialect has no bit operator
                // (bits_by_arithmetic), one operand a mask written as a whole number: {1} the other
                // operand, {2} its bits the mask has, {3} the mask
    extreme,    // MAX(a, b, c, ...): a form with {1+} calls the dialect's function of every value; any
                // other form compares two values, {1} and {2}, and the call becomes the dialect's
                // multi-way choice (case_form) of the value that compares so with every other one
};

// Where the document's example of a row stands: in the select list, in WHERE, as a FROM item, or
// a whole statement.
enum class Place : std::uint8_t { select, where, from, statement };

// What a function or operator gives: a value, or a condition (which SQL Server and Oracle cannot use
// as a value: there it becomes CASE WHEN ... THEN 1 ELSE 0 END outside conditions).
enum class Shape : std::uint8_t { value, predicate };

struct Construct {
    std::string_view id;
    Kind kind = Kind::function;
    std::string_view fox;      // the construct as the document shows it
    std::string_view example;  // a FoxPro expression that shows it (converted for the document)
    Place place = Place::where;
    std::string_view words{};  // functions: the accepted names and abbreviations, upper case
    std::uint8_t min_args = 0, max_args = 0;
    Shape shape = Shape::value;
    Form form = Form::text;
    std::array<std::string_view, column_count> target{};
    std::string_view note{};
    std::string_view left_out{};  // Form::text: what an argument the call leaves out stands for
    std::uint8_t values = 1;      // Form::numbered: the arguments converted as values, before the number
};

// Every row, in the order of the document.
std::span<const Construct> constructs();
// The row with the id (which must exist).
const Construct &construct(std::string_view id);
// The function row that accepts the name (in any letter case), or none. A name may have several
// rows, told apart by their counts of arguments: this is the first of them.
const Construct *function_named(std::string_view name);
// The row of the same name as 'row' (itself included) that takes 'count' arguments, or none.
const Construct *other_taking(const Construct &row, std::size_t count);
bool has_siblings(const Construct &row);  // other rows of the same names (AT(a, s), AT(a, s, n))
// A call the row passes by in the dialect: the dialect's own rows convert it, or it stays as written.
inline bool left_to_dialect(const Construct &row, Column column) {
    return (row.form == Form::text || row.form == Form::trim) && row.target[column].empty();
}
inline const Construct *taking(const Construct &row, std::size_t count) {
    return count >= row.min_args && count <= row.max_args ? &row : other_taking(row, count);
}
// The full name of a FoxPro function that the word shortens to four or more letters (any letter
// case), or an empty view when it shortens none (a full name itself shortens none).
std::string_view full_function_name(std::string_view word);

// A FoxPro function that works on the application's own state or that some targets lack, which
// the application can work out when every argument is a host value (host_calls.cpp): the fewest
// arguments that make it one, what its first names, the dialects that lack it.
struct HostFunction {
    enum class First : std::uint8_t { value, array, alias };
    std::string_view name;
    std::uint8_t least_args;
    First first;
    std::uint8_t lacking;  // one bit per Column
};
const HostFunction *host_function(std::string_view name);
bool host_function_lacking(std::string_view name, Column column);
// One of FoxPro's system variables (_TALLY, _PAGENO, _DIARYDATE...), in any letter case: a value of
// the application, passed to the server as the host parameter ?name.
bool system_variable(std::string_view name);

// ICASE(c1, v1, c2, v2, ..., [e]) in a dialect: open c1 then v1 next c2 then v2 ... (else e | no_else)
// close, where close is repeated once per pair when per_pair is set (nested calls).
struct CaseForm {
    std::string_view open, then, next, else_, no_else, close;
    bool per_pair;
};
const CaseForm &case_form(Column column);

// A FoxPro type of CAST(x AS type): its letter, the long names FoxPro also accepts, and the form per
// dialect with {1} for the expression, {w} for the width (or precision) and {d} for the decimals.
struct CastType {
    char letter;
    std::string_view names;  // upper case, comma-separated, the letter included
    bool sized;              // a width is written, as in C(10) or N(12,2)
    std::array<std::string_view, column_count> target;
    // the cast of a null value where 'target' would type it otherwise (Oracle's TRUNC(NULL) is a
    // number); empty: 'target' with NULL
    std::array<std::string_view, column_count> null_target{};
    // a sized type written without a width (CAST(x AS N), AS C): FoxPro takes its default width, the
    // value's own for text, and no decimals for a number; empty for a type that takes no width
    std::array<std::string_view, column_count> widthless{};
};
std::span<const CastType> cast_types();

// The form of a numbered row (Form::numbered) for the number its second argument is written as, per
// dialect, {1} the converted first argument; a number the table lacks leaves the call as written.
struct NumberedForm {
    std::string_view row;  // the row's id
    std::string_view number;
    std::array<std::string_view, column_count> target;
};
std::span<const NumberedForm> numbered_forms();
// The form for the row, number and dialect, or an empty view.
std::string_view numbered_form(std::string_view row, std::string_view number, Column column);

// Whether the dialect's trim of other characters than blanks (Form::trim) takes a set of characters
// (Oracle's and PostgreSQL's LTRIM, RTRIM, BTRIM), not one string trimmed as often as it stands at
// the end (MySQL's TRIM(BOTH s FROM x), as FoxPro trims its parse strings).
constexpr bool trims_characters(Column column) { return column == oracle || column == pgsql; }
// The dialect's replacement of a pattern by nothing, {1} the text and {2} the pattern's literal, for
// the trims of parse strings its own trims cannot take (several, or of several characters); empty
// where it has none (SQL Server, Access).
constexpr std::string_view trim_pattern_form(Column column) {
    constexpr std::array<std::string_view, column_count> forms = {
        "", "REGEXP_REPLACE({1}, {2})", "REGEXP_REPLACE({1}, {2}, '')", "", "REGEXP_REPLACE({1}, {2}, '', 'g')"};
    return forms[column];
}
// Whether the dialect's trim finds the first character of no parse string by a pattern (SQL Server's
// PATINDEX): {2} the pattern, {3} a character of no parse string that ends the text.
constexpr bool trims_by_pattern(Column column) { return column == sqlserver; }
// The pattern of LIKE(p, x) that is no literal, {1} the converted pattern: FoxPro's * and ? made % and
// _ by REPLACE; Access's REPLACE refuses a NULL, which stays NULL there (no row is like it).
constexpr std::string_view like_pattern_form(Column column) {
    constexpr std::array<std::string_view, column_count> forms = {
        "REPLACE(REPLACE({1}, '*', '%'), '?', '_')", "REPLACE(REPLACE({1}, '*', '%'), '?', '_')",
        "REPLACE(REPLACE({1}, '*', '%'), '?', '_')",
        "IIF({1} IS NULL, NULL, REPLACE(REPLACE({1} & '', '*', '%'), '?', '_'))",
        "REPLACE(REPLACE({1}, '*', '%'), '?', '_')"};
    return forms[column];
}
// Whether the dialect trims one parse string by swapping it with the blank (Access, which has no trim
// of other characters): the blanks made CHR(1), the parse string blanks, the blanks trimmed, and both
// put back. Only one parse string, a literal with no blank that no run of it can be found across.
constexpr bool trims_by_swap(Column column) { return column == access; }

// How a dialect with no regular expressions marks the delimiters of GETWORDNUM and GETWORDCOUNT
// (Form::delimiters) in the text instead of listing them (SQL Server, Access): the form's last slot is
// then the text, {1} in `text`, each delimiter c replaced as REPLACE(text, 'c'`mark`. SQL Server reads
// Unicode text of any length by its code points (CHAR(1) and CHAR(2), the marks, have no weight in
// every collation); Access's REPLACE finds c by its code (compare 0) in a text that is never NULL,
// which its REPLACE refuses. Empty where the dialect lists the delimiters in a class.
struct DelimiterMarks {
    std::string_view text;
    std::string_view mark;
};
constexpr DelimiterMarks delimiter_marks(Column column) {
    if (column == sqlserver) return {"CAST({1} AS NVARCHAR(MAX)) COLLATE Latin1_General_BIN2", "', CHAR(1))"};
    if (column == access) return {"{1} & ''", "', CHR(1), 1, -1, 0)"};
    return {};
}
constexpr bool delimiters_replaced(Column column) { return !delimiter_marks(column).text.empty(); }

// Whether the dialect has no bit operator, so that its bits are read with whole-number arithmetic.
constexpr bool bits_by_arithmetic(Column column) { return column == access; }

// The value of a logical literal in a condition, where the dialect wants a comparison.
inline constexpr std::string_view true_condition = "(1=1)";
inline constexpr std::string_view false_condition = "(1=0)";
inline constexpr std::string_view unknown_condition = "(NULL=1)";  // .NULL. as a condition: neither true nor false

// A condition used where a value is wanted: {1} is the condition.
std::string_view predicate_as_value(Column column);

}  // namespace tarnvel::select::fox
