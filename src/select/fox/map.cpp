#include "select/fox/map.h"

#include <array>
#include <optional>

#include "select/dialect.h"
#include "select/fox/text.h"

namespace tarnvel::select::fox {
namespace {

using T = std::array<std::string_view, column_count>;
constexpr T all(std::string_view form) {
    return {form, form, form, form, form};
}

// A double-byte variant of a string function (LEFTC, AT_C): a server counts characters, not bytes,
// so the call is written with the name of the single-byte function, whose row converts it further.
// The accepted name is the one 'fox' shows.
// A row whose word another row reads (LIKEC, a condition as LIKE is) has 'words' empty.
constexpr Construct double_byte(std::string_view id, std::string_view fox, std::string_view example,
                                std::uint8_t min_args, std::uint8_t max_args, std::string_view form,
                                std::optional<std::string_view> words = std::nullopt) {
    return {.id = id,
            .fox = fox,
            .example = example,
            .place = Place::select,
            .words = words.value_or(fox.substr(0, fox.find('('))),
            .min_args = min_args,
            .max_args = max_args,
            .form = Form::foxpro,
            .target = all(form),
            .note = "Characters, not bytes, on a server: the single-byte function."};
}

// The rows, in the order of the document. Ids are stable: never reuse or rename one.
// PROPER(s) where the dialect has no INITCAP: the letters a to z after a blank in upper case, one REPLACE
// each, over the text in lower case, and the first character in upper case.
constexpr std::string_view proper_mysql =
    "CONCAT(UPPER(LEFT({1}, 1)), SUBSTRING(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLAC"
    "E(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(RE"
    "PLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(LOWER({1}), ' a', ' A'), ' b', ' B'), ' c', ' C'), ' d"
    "', ' D'), ' e', ' E'), ' f', ' F'), ' g', ' G'), ' h', ' H'), ' i', ' I'), ' j', ' J'), ' k', ' K'),"
    " ' l', ' L'), ' m', ' M'), ' n', ' N'), ' o', ' O'), ' p', ' P'), ' q', ' Q'), ' r', ' R'), ' s', ' "
    "S'), ' t', ' T'), ' u', ' U'), ' v', ' V'), ' w', ' W'), ' x', ' X'), ' y', ' Y'), ' z', ' Z'), 2))";
constexpr std::string_view proper_sqlserver =
    "UPPER(LEFT({1}, 1)) + SUBSTRING(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPL"
    "ACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE("
    "REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(LOWER({1}), ' a', ' A'), ' b', ' B'), ' c', ' C'), ' d', ' D"
    "'), ' e', ' E'), ' f', ' F'), ' g', ' G'), ' h', ' H'), ' i', ' I'), ' j', ' J'), ' k', ' K'), ' l',"
    " ' L'), ' m', ' M'), ' n', ' N'), ' o', ' O'), ' p', ' P'), ' q', ' Q'), ' r', ' R'), ' s', ' S'), '"
    " t', ' T'), ' u', ' U'), ' v', ' V'), ' w', ' W'), ' x', ' X'), ' y', ' Y'), ' z', ' Z'), 2, 2147483"
    "647)";

// Access: + keeps a NULL text NULL; REPLACE refuses NULL, hence the empty text joined to the lower case.
constexpr std::string_view proper_access =
    "UCASE(LEFT({1}, 1)) + MID(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(RE"
    "PLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLACE(REPLAC"
    "E(REPLACE(REPLACE(REPLACE(REPLACE(LCASE({1}) & '', ' a', ' A'), ' b', ' B'), ' c', ' C'), ' d', ' D'"
    "), ' e', ' E'), ' f', ' F'), ' g', ' G'), ' h', ' H'), ' i', ' I'), ' j', ' J'), ' k', ' K'), ' l', "
    "' L'), ' m', ' M'), ' n', ' N'), ' o', ' O'), ' p', ' P'), ' q', ' Q'), ' r', ' R'), ' s', ' S'), ' "
    "t', ' T'), ' u', ' U'), ' v', ' V'), ' w', ' W'), ' x', ' X'), ' y', ' Y'), ' z', ' Z'), 2)";

// STREXTRACT(s, begin, end): the text between the first begin and the first end after it.
constexpr T strextract_first = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({3}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) > 0 "
    "THEN SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, CHARINDEX({3}, {1}, CHARINDEX({2}, {1}) + "
    "LEN({2} + '.') - 1) - CHARINDEX({2}, {1}) - LEN({2} + '.') + 1) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 AND INSTR({1}, {3}, INSTR({1}, {2}) + LENGTH({2})) > 0 THEN SUBSTR({1}, "
    "INSTR({1}, {2}) + LENGTH({2}), INSTR({1}, {3}, INSTR({1}, {2}) + LENGTH({2})) - INSTR({1}, {2}) - "
    "LENGTH({2})) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 AND LOCATE({3}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 THEN "
    "SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}), LOCATE({3}, {1}, LOCATE({2}, {1}) + "
    "CHAR_LENGTH({2})) - LOCATE({2}, {1}) - CHAR_LENGTH({2})) ELSE '' END",
    "IIF(INSTR({1}, {2}) > 0 AND INSTR(INSTR({1}, {2}) + LEN({2}), {1}, {3}) > 0, MID({1}, INSTR({1}, {2}) + "
    "LEN({2}), INSTR(INSTR({1}, {2}) + LEN({2}), {1}, {3}) - INSTR({1}, {2}) - LEN({2})), '')",
    "CASE WHEN STRPOS({1}, {2}) > 0 AND STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {3}) > 0 THEN "
    "LEFT(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), "
    "{3}) - 1) ELSE '' END"};

// GETWORDNUM and GETWORDCOUNT on SQL Server, which has no regular expressions: the text with its
// delimiters marked by CHAR(1), put between two marks, each run of marks made one (every mark
// followed by a CHAR(2), every CHAR(2) before a mark dropped, then every CHAR(2)): the words then
// stand between single marks. The count is the marks less one; the n-th word is found by making each
// mark as long as the text (LEN of it with three more characters), so that the n-th stretch of that
// length holds the n-th word and marks only.
constexpr std::string_view word_sqlserver =
    "REPLACE(SUBSTRING(REPLACE(REPLACE(REPLACE(REPLACE(CHAR(1) + REPLACE(REPLACE(REPLACE(REPLACE(CAST({1}"
    " AS NVARCHAR(MAX)) COLLATE Latin1_General_BIN2, ' ', CHAR(1)), CHAR(9), CHAR(1)), CHAR(13), CHAR(1))"
    ", CHAR(10), CHAR(1)) + CHAR(1), CHAR(1), CHAR(1) + CHAR(2)), CHAR(2) + CHAR(1), ''), CHAR(2), ''), C"
    "HAR(1), REPLICATE(CAST(CHAR(1) AS NVARCHAR(MAX)), LEN({1} + '...'))), ({2}) * LEN({1} + '...') + 1, "
    "LEN({1} + '...')), CHAR(1), '') COLLATE DATABASE_DEFAULT";
constexpr std::string_view word_marked_sqlserver =
    "REPLACE(SUBSTRING(REPLACE(REPLACE(REPLACE(REPLACE(CHAR(1) + {3} + CHAR(1), CHAR(1), CHAR(1) + CHAR(2"
    ")), CHAR(2) + CHAR(1), ''), CHAR(2), ''), CHAR(1), REPLICATE(CAST(CHAR(1) AS NVARCHAR(MAX)), LEN({1}"
    " + '...'))), ({2}) * LEN({1} + '...') + 1, LEN({1} + '...')), CHAR(1), '') COLLATE DATABASE_DEFAULT";
constexpr std::string_view word_count_marked_sqlserver =
    "(LEN(REPLACE(REPLACE(REPLACE(CHAR(1) + {2} + CHAR(1), CHAR(1), CHAR(1) + CHAR(2)), CHAR(2) + CHAR(1)"
    ", ''), CHAR(2), '')) - LEN(REPLACE(REPLACE(REPLACE(REPLACE(CHAR(1) + {2} + CHAR(1), CHAR(1), CHAR(1)"
    " + CHAR(2)), CHAR(2) + CHAR(1), ''), CHAR(2), ''), CHAR(1), '') + '.'))";
// GETWORDCOUNT and GETWORDNUM on Access, as on SQL Server (no regular expressions there either): the
// count from the runs of blanks, each made a blank and a tab; the n-th word from the marked text.
constexpr std::string_view word_count_access =
    "(LEN(REPLACE(REPLACE(' ' & REPLACE(REPLACE(REPLACE({1} & '', CHR(9), ' '), CHR(13), ' '), CHR(10), '"
    " ') & ' ', ' ', ' ' & CHR(9)), CHR(9) & ' ', '')) - LEN(REPLACE(REPLACE(REPLACE(' ' & REPLACE(REPLAC"
    "E(REPLACE({1} & '', CHR(9), ' '), CHR(13), ' '), CHR(10), ' ') & ' ', ' ', ' ' & CHR(9)), CHR(9) & '"
    " ', ''), CHR(9), '')) - 1)";
constexpr std::string_view word_access =
    "REPLACE(MID(REPLACE(REPLACE(REPLACE(REPLACE(CHR(1) & REPLACE(REPLACE(REPLACE(REPLACE({1} & '', ' ', "
    "CHR(1)), CHR(9), CHR(1)), CHR(13), CHR(1)), CHR(10), CHR(1)) & CHR(1), CHR(1), CHR(1) & CHR(2)), CHR"
    "(2) & CHR(1), ''), CHR(2), ''), CHR(1), STRING(LEN({1} & '') + 3, CHR(1))), ({2}) * (LEN({1} & '') +"
    " 3) + 1, (LEN({1} & '') + 3)), CHR(1), '')";
constexpr std::string_view word_count_marked_access =
    "(LEN(REPLACE(REPLACE(REPLACE(CHR(1) & {2} & CHR(1), CHR(1), CHR(1) & CHR(2)), CHR(2) & CHR(1), ''), "
    "CHR(2), '')) - LEN(REPLACE(REPLACE(REPLACE(REPLACE(CHR(1) & {2} & CHR(1), CHR(1), CHR(1) & CHR(2)), "
    "CHR(2) & CHR(1), ''), CHR(2), ''), CHR(1), '')) - 1)";
constexpr std::string_view word_marked_access =
    "REPLACE(MID(REPLACE(REPLACE(REPLACE(REPLACE(CHR(1) & {3} & CHR(1), CHR(1), CHR(1) & CHR(2)), CHR(2) "
    "& CHR(1), ''), CHR(2), ''), CHR(1), STRING(LEN({1} & '') + 3, CHR(1))), ({2}) * (LEN({1} & '') + 3) "
    "+ 1, (LEN({1} & '') + 3)), CHR(1), '')";

constexpr Construct rows[] = {
    // --- operators
    {.id = "op.exact_equal",
     .kind = Kind::operator_,
     .fox = "a == b",
     .example = "a == 'x'",
     .target = all("="),
     .note = "The servers compare text without its trailing blanks, as FoxPro's == compares trimmed values; "
             "FoxPro also compares the blanks of a fixed-width field, the servers do not. FoxPro's plain = on "
             "text in a SELECT, under SET ANSI OFF (its default), also holds where the shorter text is the start "
             "of the longer ('Germany' = 'Ger'); = stays the servers' equality, which pads the shorter as SET "
             "ANSI ON does (a prefix search there is LIKE 'Ger%')."},
    {.id = "op.hash_not_equal",
     .kind = Kind::operator_,
     .fox = "a # b",
     .example = "a # 1",
     .target = all("<>"),
     .note = "A # that follows FROM, JOIN, INTO or a comma of the table list starts a temporary table's name."},
    {.id = "op.bang_not_equal",
     .kind = Kind::operator_,
     .fox = "a != b",
     .example = "a != 1",
     .target = {"", "", "", "<>", ""}},
    {.id = "op.not",
     .kind = Kind::operator_,
     .fox = "!a",
     .example = "!(a = 1)",
     .target = all("NOT"),
     .note = ".NOT. loses its dots in every dialect."},
    {.id = "op.contained",
     .kind = Kind::operator_,
     .fox = "a $ b",
     .example = "'x' $ b",
     .shape = Shape::predicate,
     .target = {"(CHARINDEX({1}, {2}) > 0)", "(INSTR({2}, {1}) > 0)", "(LOCATE({1}, {2}) > 0 AND CHAR_LENGTH({1}) > 0)",
                "(INSTR({2}, {1}) > 0 AND {1} <> '')", "(STRPOS({2}, {1}) > 0 AND {1} <> '')"},
     .note = "FoxPro finds no empty string, so MySQL and Access test for it (MySQL by its length: its = and <> "
             "ignore trailing blanks, so a blank would count as empty). The operands reach as far as "
             "FoxPro's precedence gives them: across + and -, up to a comparison, AND, OR, a comma or a "
             "parenthesis. A fixed-width field is compared as the server stores it (MySQL drops its trailing "
             "blanks)."},

    {.id = "op.power",
     .kind = Kind::operator_,
     .fox = "a ^ b, a ** b",
     .example = "(1 + r) ^ n",
     .place = Place::select,
     .target = {"POWER({1}, {2})", "POWER({1}, {2})", "POWER({1}, {2})", "{1} ^^^ {2}", "POWER({1}, {2})"},
     .note = "The operands are what stands right beside the operator (a name, a number, a call, a group in "
             "parentheses, with a sign after the operator); a ^ b ^ c is (a ^ b) ^ c, as FoxPro reads it. SQL Server "
             "and MySQL read ^ as exclusive or; Access has ^ itself (written ^^^ for the clause converter, which "
             "reads a lone ^ as the start of a text it copies unread)."},
    {.id = "op.modulo",
     .kind = Kind::operator_,
     .fox = "a % b",
     .example = "n % 7",
     .place = Place::select,
     .target = {"", "MOD({1}, {2})", "MOD(MOD({1}, {2}) + {2}, {2})", "MOD({1}, {2})",
                "MOD(MOD(CAST({1} AS NUMERIC), {2}) + {2}, {2})"},
     .note = "Oracle and Access have no %; there it is MOD, which FoxPro's % is. % has the precedence of * and "
             "/, read left to right: a * b % c is (a * b) % c, a % b * c is (a % b) * c. With a negative operand the remainder takes "
             "the divisor's sign in FoxPro and Access, the dividend's in SQL Server and Oracle; MySQL and PostgreSQL "
             "add the divisor to that remainder and take it again, which gives the divisor's sign (as for MOD). "
             "PostgreSQL's MOD takes no DOUBLE PRECISION (a power, a FLOAT field: a ^ 3 % 2): the dividend is "
             "made a NUMERIC there."},
    {.id = "op.divide",
     .kind = Kind::operator_,
     .fox = "a / b",
     .example = "k / 2",
     .place = Place::select,
     .target = {"", "", "", "", "{1} / CAST({2} AS NUMERIC)"},
     .note = "FoxPro's quotient keeps its fraction (5 / 2 is 2.5); PostgreSQL divides two integers as whole "
             "numbers, so the divisor is made a NUMERIC there, where the quotient is a select item or compared, "
             "and in the arguments of calls that take a decimal (ROUND(k / 2, 0), CEILING, FLOOR, ABS, ...) "
             "when every call around them does too, and in a CAST to a type with decimals (N, F, B, Y). Elsewhere in a call's arguments it stays as written, since "
             "LEFT, SUBSTR, REPEAT and LPAD refuse a NUMERIC: there two integers are still divided as whole "
             "numbers (LEFT(s, MAX(k / 2, 1))). SQL Server divides two INT values so too, which the converter "
             "cannot tell from others."},
    {.id = "op.whole_division",
     .kind = Kind::operator_,
     .fox = "a / b (a or b a call that gives a whole number: COUNT, MONTH, LEN, ...)",
     .example = "COUNT(*) / 12",
     .target = {"{1} * 1.0 / {2}", "", "", "", "{1} * 1.0 / {2}"},
     .note = "FoxPro's / divides with decimals. SQL Server and PostgreSQL divide two whole numbers as whole "
             "numbers (7 / 2 is 3), so where one side is a call that gives one (COUNT, CNT, DAY, DOW, MONTH, "
             "YEAR, WEEK, HOUR, MINUTE, SEC, LEN: MONTH(d) / 3, 100 * SUM(IIF(paid, 1, 0)) / COUNT(*)), or where "
             "both sides are whole numbers written out (7 / 2, -7 / 2, (1 + 2) / 4), the "
             "dividend is made a decimal first. The dividend is every factor before the /, as * and / read "
             "left to right. A whole number field (I) the converters cannot see is divided as written. "
             "PostgreSQL writes every quotient outside calls, and in calls that take a decimal, as op.divide; "
             "inside other calls this applies only where the innermost function takes a decimal (CEILING, "
             "ROUND, ABS, IIF, ...), since LEFT, SUBSTR, REPEAT and LPAD refuse a NUMERIC there."},

    // --- literals
    {.id = "lit.true",
     .kind = Kind::literal,
     .fox = ".T. (.Y.)",
     .example = "a = .T.",
     .target = {"1", "1", "1", "-1", "TRUE"},
     .note = "(1=1) where it stands alone as a condition; SQL Server writes CAST (1 AS BIT) before AS, as the "
             "variable finder does; Access's true is -1. PostgreSQL has logical values of its own: TRUE and FALSE, "
             "and a logical column of our structure conversion (BOOLEAN) is a condition itself, with no =1."},
    {.id = "lit.false",
     .kind = Kind::literal,
     .fox = ".F. (.N.)",
     .example = "a = .F.",
     .target = {"0", "0", "0", "0", "FALSE"},
     .note = "(1=0) where it stands alone as a condition; SQL Server writes CAST (0 AS BIT) before AS."},
    {.id = "lit.null", .kind = Kind::literal, .fox = ".NULL.", .example = "a = .NULL.", .target = all("NULL")},
    {.id = "lit.null_cast",
     .kind = Kind::literal,
     .fox = "CAST(NULL AS type)",
     .example = "SELECT CAST(NULL AS D) AS d FROM t",
     .place = Place::statement,
     .target = {"", "", "", "NULL", ""},
     .note = "A column of nulls. Access's conversion functions (CDATE, CSTR, ...) refuse a null: the null "
             "itself; the other dialects cast it, Oracle a date with CAST(NULL AS DATE), where the TRUNC of its "
             "date cast would type the null as a number (and a UNION beside a date column fail)."},
    {.id = "lit.date_loose",
     .kind = Kind::literal,
     .fox = "{mm/dd/yyyy}",
     .example = "d > {08/09/2007}",
     .target = all("{^yyyy-mm-dd}"),
     .note = "Read as {^...}. Day first when the date style the application sets (___TARNVEL_Set_DToC_Style) "
             "is 3, 4, 5, 6, 13, 103, 104, 105, 106 or 113, else month first; numbers that name a date only in "
             "the other order ({31.12.2020}) are read in that one. A year of one or two digits is 19yy "
             "(FoxPro's SET CENTURY TO 19 ROLLOVER 0). The separator may be /, - or ., a time may follow."},
    {.id = "lit.backslash",
     .kind = Kind::literal,
     .fox = "'a\\b'",
     .example = "a = 'c:\\data\\'",
     .target = {"", "", "\\\\", "", ""},
     .note = "FoxPro strings know no escapes; MySQL reads a backslash as one, so it is doubled. In a LIKE "
             "pattern MySQL reads the remaining backslash as LIKE's own escape."},
    {.id = "lit.date",
     .kind = Kind::dialect,
     .fox = "{^yyyy-mm-dd}",
     .example = "d > {^2016-01-05}",
     .note = "Oracle writes typed literals (DATE '...', a datetime as TO_DATE('...', 'YYYY-MM-DD HH24:MI:SS'), "
             "which stays a DATE): a quoted date is read by the session's NLS_DATE_FORMAT, DD-MON-RR unless "
             "the application sets it. The variable finder's ~ references keep their quoted form."},
    {.id = "lit.datetime",
     .kind = Kind::dialect,
     .fox = "{^yyyy-mm-dd hh:mm:ss}",
     .example = "t > {^2016-01-05 13:45}"},
    {.id = "lit.empty_date",
     .kind = Kind::dialect,
     .fox = "{}, {//}, {  /  /  }, {/:}",
     .example = "d = {}",
     .note = "The empty date as the structure conversion stores it: Access, Oracle (whose DEFAULT '' is NULL) "
             "and PostgreSQL store no value, so they write = {} as IS NULL and <> {} as IS NOT NULL (= NULL "
             "finds no row). Comparisons with a date: op.empty_date_below, op.empty_date_above, "
             "op.empty_date_outside. The empty date is a value, not .NULL.: ISNULL({}) and {} IS NULL are "
             "written (1=0), {} IS NOT NULL (1=1). A condition of date literals alone with an empty one ({} < {^date}, "
             "{^date} BETWEEN {} AND {^date}, INLIST({^date}, {})) is FoxPro's constant there, (1=1) or (1=0); "
             "{} op d is written as d op {} with the operator mirrored ({} = d, {} >= d and d <= {} as d IS NULL, "
             "{} < d and {} <> d as d IS NOT NULL). Aggregates keep the server's reading of NULL there: MIN(d) "
             "of a column holding empty dates gives the least date that is set (FoxPro: the empty date), "
             "COUNT(DISTINCT d) leaves it out. These are left as written: the statement does not show d to be a "
             "date, and FoxPro reads a column of numbers that allows .NULL. as the servers do. ORDER BY puts the "
             "empty date first, as FoxPro does (clause.order_nulls). GROUP BY d groups the empty dates "
             "together, as FoxPro does. MySQL's '0000-00-00' needs a sql_mode without NO_ZERO_DATE (MariaDB's "
             "default): under MySQL's default strict mode the structure conversion's DEFAULT '0000-00-00' is "
             "refused, while the statements still find the rows that hold it."},
    {.id = "lit.empty_date_item",
     .kind = Kind::literal,
     .fox = "{} as a select item",
     .example = "SELECT a, {} AS d FROM t",
     .place = Place::statement,
     .target = {"CAST('' AS DATETIME)", "CAST(NULL AS DATE)", "CAST('0000-00-00' AS DATE)", "", "CAST(NULL AS DATE)"},
     .note = "A column of empty dates, as FoxPro code makes one to fill later: typed, so that the result "
             "is a date column and not text (SQL Server's '' and MySQL's '0000-00-00' alone are text, a "
             "bare NULL has no type), holding the empty date as the structure conversion stores it. "
             "Access's NULL has no typed form."},
    {.id = "lit.empty_date_argument",
     .kind = Kind::literal,
     .fox = "{} as a whole argument of a rewritten call",
     .example = "EMPTY(IIF(k = 1, {}, d))",
     .place = Place::statement,
     .target = {"", "", "CAST('0000-00-00' AS DATE)", "", ""},
     .note = "MySQL's '0000-00-00' alone is text: EMPTY of it compared text with '' (false, where FoxPro's "
             "EMPTY({}) is true), and a CASE with it in one branch and a date in another gives text. Typed, "
             "it is the zero date the structure conversion stores, which EMPTY finds. The other targets' "
             "empty date is read as a date where it stands."},
    {.id = "lit.empty_datetime_item",
     .kind = Kind::literal,
     .fox = "{:}, {/:} as a select item",
     .example = "SELECT a, {:} AS t FROM t",
     .place = Place::statement,
     .target = {"CAST('' AS DATETIME)", "CAST(NULL AS DATE)", "CAST('0000-00-00 00:00:00' AS DATETIME)", "",
                "CAST(NULL AS TIMESTAMP)"},
     .note = "As {} for a datetime column; Oracle's datetime is a DATE, as in the structure conversion."},
    {.id = "lit.currency",
     .kind = Kind::literal,
     .fox = "$123.45",
     .example = "price > $1000",
     .target = {"$", "", "", "", ""},
     .note = "FoxPro's currency constant: SQL Server's money literal is written so; the others read the number."},
    {.id = "lit.binary",
     .kind = Kind::literal,
     .fox = "0h0A0B, 0h",
     .example = "b = 0h0A0B",
     .target = {"0x{1}", "HEXTORAW('{1}')", "X'{1}'", "", "DECODE('{1}', 'hex')"},
     .note = "FoxPro's binary literal (Varbinary, Blob), {1} its hexadecimal digits; 0h alone is the empty one "
             "(SQL Server 0x, MySQL X'', PostgreSQL an empty BYTEA; Oracle's empty RAW is NULL, as its empty "
             "text is). An odd count of digits reads as if a 0 led them (0hA is the byte 0A), as every target "
             "reads its own hexadecimal literals; FoxPro documents no reading of its own. PostgreSQL decodes "
             "a text, which reads the same whatever standard_conforming_strings says. Access SQL has no binary "
             "literal: left as written, for the residue check to report. Only outside literals, as a whole "
             "token (x0h1, a.0h1 and 10h are none)."},
    {.id = "lit.hex_number",
     .kind = Kind::literal,
     .fox = "0x1F",
     .example = "flags = 0x1F",
     .target = all("{1}"),
     .note = "FoxPro's hexadecimal number, {1} its value in decimal: SQL Server reads 0x1F as a binary value and "
             "MySQL as a binary string where a text may stand (SELECT 0x41 gives 'A', FoxPro 65), and Oracle, "
             "Access and PostgreSQL before 16 read no 0x at all. More than 16 digits: left as written. Outside "
             "the FoxPro syntax a 0x1F or X'1F' is kept as written (not upper-cased), for the targets that read it."},
    {.id = "lit.string", .kind = Kind::dialect, .fox = "\"...\", [...]", .example = "a = \"it's\""},

    // --- names
    {.id = "name.memory_variable",
     .kind = Kind::name,
     .fox = "m.name",
     .example = "a = m.cName",
     .target = all("?m.name"),
     .note = "A host parameter, which SQL pass-through binds. Not inside a ~ reference, after ?, in INTO, or "
             "as a table: FROM (m.alias) is the application's to resolve and stays as written."},
    {.id = "name.object",
     .kind = Kind::name,
     .fox = "THIS.x, THISFORM.x, THISFORMSET.x",
     .example = "a = thisform.txtName.Value",
     .target = all("?THISFORM.x"),
     .note = "As m.name; a reference followed by ( becomes ?(...). So is any name.x whose name the statement "
             "never writes alone (as a table or an alias): an object's property (goApp.cUser) or the field of a "
             "cursor the statement does not read (curHead.id); A to J, the work areas, stay as written."},
    {.id = "name.array_element",
     .kind = Kind::name,
     .fox = "name[i]",
     .example = "a = laCodes[2]",
     .target = all("?(name[i])"),
     .note = "FoxPro reads [ right after a name as a subscript of a memory array; laX(1), gaX(2, 1) and paX(1) "
             "(la, ga or pa and a capital, whole numbers in the parentheses) are taken as elements too."},
    {.id = "name.host_call",
     .kind = Kind::name,
     .fox = "GETENV('USER'), ADDBS(m.cDir), ASCAN(laX, m.v)",
     .example = "a = JUSTFNAME(m.cFile)",
     .target = all("?(f(...))"),
     .note = "A FoxPro function that no target has (file names, SYS, GETENV, VARTYPE, ALEN, ASCAN, MLINE, DMY...) "
             "or that one lacks (PROPER, SOUNDEX...), called on host values only (literals, m.name, object "
             "references, host parameters and calls of those; the first argument of ALEN and ASCAN names a "
             "memory array), is one host expression: FoxPro works it out before the statement is sent. A call on "
             "a field stays for the function's own row. RECCOUNT('t'), RECNO('t') and the like stay when the "
             "statement reads t: it is the server's table. EVALUATE and TYPE stay: their text may name a field."},
    {.id = "name.database_table",
     .kind = Kind::name,
     .fox = "database!table",
     .example = "data!orders o",
     .place = Place::from,
     .target = all("table"),
     .note = "The table of a database container keeps its own name on the server."},
    {.id = "name.file_table",
     .kind = Kind::name,
     .fox = "path\\file.dbf",
     .example = "d:\\data\\orders.dbf o",
     .place = Place::from,
     .target = all("file"),
     .note = "A free table named by its file: the name an upsized table gets."},
    {.id = "name.file_expression",
     .kind = Kind::name,
     .fox = "ADDBS(m.cDir) + 'data\\orders', (gcPath + 'dbf\\orders.dbf'), m.gcDataPath + 'orders'",
     .example = "ADDBS(m.cDir) + 'data\\orders' o",
     .place = Place::from,
     .target = all("file"),
     .note = "A table named by a sum whose last piece, a literal, holds the file's name after a path separator (or "
             "after ADDBS(), or after a name that says it holds a folder: its last word has PATH, DIR, FOLDER, RUTA, "
             "CARPETA or PFAD in it, as m.pub_lpath or gcDataDir): the file's base name, as for a path. Any other "
             "name expression, (m.alias) or (m.cPrefix + 'orders'), which may name a table by a prefix, is the "
             "application's to resolve and stays as written."},

    // --- clauses
    {.id = "clause.buffering",
     .kind = Kind::clause,
     .fox = "WITH (BUFFERING = ...)",
     .example = "orders WITH (BUFFERING = .T.)",
     .place = Place::from,
     .target = all(""),
     .note = "Dropped: a FoxPro cursor option."},
    {.id = "kw.between",
     .kind = Kind::clause,
     .fox = "x BETW a AND b",
     .example = "x BETW 1 AND 9",
     .target = all("BETWEEN"),
     .note = "BETW, BETWE and BETWEE, FoxPro's abbreviations."},
    {.id = "op.is_null",
     .kind = Kind::dialect,
     .fox = "x IS NULL",
     .example = "SELECT order_id FROM orders o LEFT JOIN item i ON i.order_id = o.order_id WHERE o.shipped IS NULL",
     .place = Place::statement,
     .note = "MySQL and MariaDB find the zero date of a NOT NULL date column, FoxPro's empty date, by "
             "x IS NULL in WHERE and ON (for old ODBC clients), even on the outer side of a join: the "
             "null-safe x <=> NULL finds only NULL, as FoxPro's IS NULL does, whatever the type of x (as "
             "fn.isnull). x IS NOT NULL needs nothing. Plain SQL input keeps IS NULL."},
    {.id = "clause.star",
     .kind = Kind::clause,
     .fox = "SELECT a, * FROM t",
     .example = "SELECT a, * FROM t",
     .place = Place::statement,
     .target = {"", "t.*", "t.*", "", ""},
     .note = "Oracle and MySQL take * only alone: beside other items it becomes each table's own t.* (by "
             "its alias), in the order of the table list."},
    {.id = "clause.call_blank",
     .kind = Kind::clause,
     .fox = "COUNT (*)",
     .example = "COUNT (*) > 1",
     .target = {"", "", "(", "", ""},
     .note = "MySQL takes a built-in function only with its \"(\" right after the name: the blanks between go."},
    {.id = "clause.logical_name",
     .kind = Kind::clause,
     .fox = "WHERE (lField), lField.AND.x",
     .example = "SELECT a FROM t WHERE (t.lactive) OR NOT(lx) OR ly.AND.x = 1",
     .place = Place::statement,
     .target = {"=1", "=1", "", "", ""},
     .note = "A name standing alone where a condition stands is a logical field. SQL Server and Oracle take no "
             "name as a condition: it is compared with 1 (the true value the structure conversion stores) "
             "also alone in parentheses and before .AND. or .OR., where the dialects' own rule, which looks "
             "at the name's neighbours in WHERE, a join condition and HAVING, does not reach."},
    {.id = "clause.and_or_not", .kind = Kind::dialect, .fox = ".AND., .OR., .NOT.", .example = "a = 1 .AND. .NOT. b"},
    {.id = "clause.top",
     .kind = Kind::dialect,
     .fox = "TOP n",
     .example = "SELECT TOP 5 a FROM t ORDER BY a",
     .place = Place::statement},
    {.id = "clause.order_nulls",
     .kind = Kind::dialect,
     .fox = "ORDER BY key [ASC | DESC]",
     .example = "SELECT a, d FROM t ORDER BY d, a DESC",
     .place = Place::statement,
     .note = "FoxPro sorts .NULL. before every value and the empty date before every date, as SQL Server, MySQL "
             "and Access sort NULL. Oracle and PostgreSQL sort NULL last in ascending order, and store the "
             "empty date (Oracle the empty text too) as NULL: every key gets NULLS FIRST, after DESC NULLS LAST, "
             "under FoxPro syntax, in subqueries and a UNION's ORDER BY as well, so that TOP n takes FoxPro's "
             "rows. A plain index on the key then gives no ordered read on PostgreSQL (one created with NULLS "
             "FIRST does). A key that has its NULLS option keeps it."},
    {.id = "clause.top_percent",
     .kind = Kind::dialect,
     .fox = "TOP n PERCENT",
     .example = "SELECT TOP 5 PERCENT a FROM t ORDER BY a",
     .place = Place::statement,
     .note = "Oracle's FETCH FIRST needs Oracle 12c or later. PostgreSQL has no percentage limit: its LIMIT "
             "counts the rows of the statement (written again, without ORDER BY) and keeps n percent of them, "
             "rounded up. MySQL takes only a constant in LIMIT: the statement becomes a derived table whose rows "
             "are numbered in its order and counted (window functions, MySQL 8 or MariaDB 10.2), and the outer "
             "query keeps the first n percent, naming the statement's columns again so that the result holds no "
             "other; an expression without alias takes the name FoxPro gives its column, EXP_ and its position, "
             "and columns of one name FoxPro's names for them (ID_A, ID_B). A statement that selects * or t.* "
             "keeps, on MySQL, the rows that fewer than n percent of the rows sort before on ORDER BY's columns "
             "(a subquery counts them), so a tie at the boundary is kept as in FoxPro. Where a column has no "
             "name to repeat (a quoted name twice), ORDER BY names what the result lacks (or, with *, is no "
             "column's name), or TOP stands in a UNION member, TOP n PERCENT stays as written "
             "and the residue check reports it. Elsewhere, as with TOP n, PostgreSQL and MySQL add no tie at the "
             "boundary."},
    {.id = "clause.join_words",
     .kind = Kind::dialect,
     .fox = "LEFT OUTE JOIN, UNIO",
     .example = "SELECT a FROM t LEFT OUTE JOIN u ON t.k = u.k UNIO SELECT b FROM v",
     .place = Place::statement,
     .note = "FoxPro's abbreviations of the join words and of UNION, also with tabs between the words."},
    {.id = "clause.full_join",
     .kind = Kind::dialect,
     .fox = "a FULL [OUTER] JOIN b ON c",
     .example = "SELECT x.a, y.b FROM x FULL JOIN y ON x.k = y.k ORDER BY y.b",
     .place = Place::statement,
     .note = "MySQL and Access have no FULL JOIN: the rows of the LEFT JOIN, UNION ALL (UNION after DISTINCT) "
             "those of the RIGHT JOIN that no row of the left side matches (NOT EXISTS with the join "
             "condition), ordered by the positions or names of the ordered items in the result. A member that "
             "groups, aggregates, has TOP or orders by something its result does not hold reads the join's "
             "rows as a derived table (FJ), which carries every column its field list, GROUP BY and HAVING "
             "name (table.column renamed table_column, a column without its table keeps its name; WHERE stays "
             "in both halves) and the table.column ORDER BY names (its bare names are the result's columns, or "
             "in a UNION member the union's, and stay). Two FULL JOINs, "
             "(a FULL JOIN b ON x) FULL JOIN c ON y: the halves of the first, each LEFT JOIN c, and the c "
             "rows that no row of the first matches (NOT EXISTS over each of its halves). Joins before a FULL "
             "JOIN make its left side; LEFT, INNER and CROSS joins after it join each half. A bare name in HAVING "
             "is a memory variable and stays as written (a column there is reported unknown by the server; "
             "not in a subquery, where it could find a column of the query around). Left as "
             "written, for the residue check to report, when such a member names *, table.* or a subquery "
             "there (or, in a subquery, a column without its table, which could be the outer query's), a RIGHT JOIN follows the FULL JOIN (its unmatched rows "
             "would come once for each half), the right side nests its ON conditions, or the member holds more "
             "than two FULL JOINs."},
    {.id = "clause.table_alias_as",
     .kind = Kind::dialect,
     .fox = "FROM t AS a",
     .example = "SELECT a.x FROM orders AS a JOIN items AS i ON i.k = a.k",
     .place = Place::statement,
     .note = "Oracle takes a table's alias only without AS."},
    {.id = "clause.condition_item",
     .kind = Kind::dialect,
     .fox = "SELECT a = b AS x (a logical value)",
     .example = "SELECT a = b AS x, c LIKE 'x%' AS y, d > 0 FROM t",
     .place = Place::statement,
     .note = "SQL Server and Oracle take a condition as a value only in CASE WHEN ... THEN 1 ELSE 0 END. SQL "
             "Server's own name = expression, with no alias after it, names the item and stays. A subquery's "
             "select item made a condition by LIKE, BETWEEN, IS or IN is written so only when the statement "
             "holds another FoxPro construct."},
    {.id = "fn.shortened",
     .kind = Kind::dialect,
     .fox = "UPPE(s), TRAN(x), REPLICA(s, n)",
     .example = "SELECT UPPE(a), TRAN(n), REPLICA('-', 3) FROM t",
     .place = Place::statement,
     .note = "FoxPro reads any four or more leading letters of a function's name: the shortened name is "
             "written in full (DATE stays DATE, a function of its own)."},

    // --- functions rewritten here
    {.id = "fn.empty",
     .fox = "EMPTY(x)",
     .example = "EMPTY(x)",
     .words = "EMPTY,EMPT,ISBLANK",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"({1} = '')", "(TRIM({1}) IS NULL)", "COALESCE({1} = '', 0)", "((TRIM({1}) & '') = '')", "COALESCE(JSONB_PATH_EXISTS(TO_JSONB(COALESCE({1}, NULL)), "
                "'$ ? (@ == 0 || @ == false || @ like_regex \"^ *$\")'), TRUE)"},
     .note = "Right for text everywhere. Access joins NULL with '' as '', so x is written once. MySQL: right for every type the structure conversion stores (blank "
             "text, 0, the zero date and datetime, false), and NULL is not empty, as in FoxPro. SQL Server: "
             "right for text, dates, integers, bits, money and float; a NUMERIC column fails at run time and a "
             "TEXT column is refused (write x = 0, DATALENGTH(x) = 0). Oracle and Access: a number or logical "
             "is never empty (write x = 0); the empty text and date are NULL there. PostgreSQL: the value "
             "keeps its own type in JSON, whose path test finds blank text, 0, FALSE and NULL (the empty date "
             "there) as the row runs, and the text '0' stays a filled text; x is written once, so that EMPTY "
             "inside EVL or IIF does not grow the statement (COALESCE gives a literal or parameter of no type a type). "
             "A field of the outer side of an outer join that found no row is NULL: EMPTY() of it is not true on "
             "SQL Server and MySQL, as FoxPro's EMPTY(.NULL.), and true where the empty date and text are "
             "NULL (Oracle, Access, PostgreSQL), which cannot tell the two apart. MySQL writes the empty date "
             "as the text '0000-00-00', which EMPTY() does not find empty where it stands as a value of its "
             "own (EMPTY({}), EMPTY(IIF(c, {}, d))); a column of dates is found."},
    {.id = "fn.isnull",
     .fox = "ISNULL(x)",
     .example = "ISNULL(x)",
     .words = "ISNULL,ISNUL,ISNU",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"({1} IS NULL)", "({1} IS NULL)", "({1} <=> NULL)", "({1} IS NULL)", "({1} IS NULL)"},
     .note = "A call with two arguments (SQL Server's own ISNULL) is left as written. MySQL and MariaDB find "
             "the zero date of a NOT NULL date column, FoxPro's empty date, by x IS NULL in WHERE and ON "
             "(for old ODBC clients), even on the outer side of a join, where NOT (x IS NULL) does not: the "
             "null-safe x <=> NULL finds only NULL, as FoxPro's ISNULL does, whatever the type of x."},
    {.id = "fn.between",
     .fox = "BETWEEN(x, a, b)",
     .example = "BETWEEN(x, 1, 9)",
     .words = "BETWEEN,BETWEE,BETWE,BETW",
     .min_args = 3,
     .max_args = 3,
     .shape = Shape::predicate,
     .target = all("({1} BETWEEN {2} AND {3})"),
     .note = "x BETWEEN (a) AND (b), the predicate, is no call and stays."},
    {.id = "fn.between_dates",
     .fox = "NOT BETWEEN(d, {^date}, {^date}), !BETWEEN(d, m.dFrom, m.dTo)",
     .example = "!BETWEEN(d, {^2020-01-01}, {^2020-12-31})",
     .min_args = 3,
     .max_args = 3,
     .shape = Shape::predicate,
     .target = {"", "({1} BETWEEN {2} AND {3} AND {1} IS NOT NULL)", "",
                "({1} BETWEEN {2} AND {3} AND {1} IS NOT NULL)", "({1} BETWEEN {2} AND {3} AND {1} IS NOT NULL)"},
     .note = "A field between date literals or variables FoxPro's naming makes dates (m.dFrom, ?ldTo), the "
             "call negated, where the dialect stores FoxPro's empty date as NULL (see op.empty_date_below): "
             "FoxPro's empty date lies outside every range of dates, so !BETWEEN is true for it; the server's "
             "NOT (NULL BETWEEN ...) is not. The test of NULL makes the call false there, and its negation "
             "true."},
    {.id = "fn.inlist",
     .fox = "INLIST(x, a, ...)",
     .example = "INLIST(x, 1, 2, 3)",
     .words = "INLIST,INLIS,INLI",
     .min_args = 2,
     .max_args = 255,
     .shape = Shape::predicate,
     .form = Form::inlist,
     .target = all("({1} IN ({2+}))"),
     .note = "An empty text among the values, where the dialect stores it as NULL (Oracle), is the test of "
             "blank text x = '' makes there: ((X IN ('A')) OR (TRIM(X) IS NULL)); an empty text in a list "
             "is a NULL that equals nothing, and NOT IN a list that holds one finds no row."},
    {.id = "fn.inlist_dates",
     .fox = "INLIST(d, {^date}, ...), INLIST(d, m.dFrom, ...)",
     .example = "INLIST(d, {^2020-01-31}, {^2020-02-29})",
     .shape = Shape::predicate,
     .form = Form::inlist,
     .target = {"", "({1} IN ({2+}) AND {1} IS NOT NULL)", "", "({1} IN ({2+}) AND {1} IS NOT NULL)",
                "({1} IN ({2+}) AND {1} IS NOT NULL)"},
     .note = "A name among date literals or variables FoxPro's naming makes dates, where the dialect stores FoxPro's empty date as NULL (see "
             "op.empty_date_below): FoxPro's empty date is in no list of dates, so INLIST is false for it "
             "and !INLIST true; the server's NULL IN (...) is neither, and NOT of it finds no row. "
             "The test of NULL makes the call false there."},
    {.id = "fn.icase",
     .fox = "ICASE(c1, v1, ..., [e])",
     .example = "ICASE(a = 1, 'x', a = 2, 'y', 'z')",
     .place = Place::select,
     .words = "ICASE,ICAS",
     .min_args = 2,
     .max_args = 255,
     .form = Form::icase,
     .target = {"CASE WHEN c1 THEN v1 ... ELSE e END", "CASE WHEN c1 THEN v1 ... ELSE e END",
                "CASE WHEN c1 THEN v1 ... ELSE e END", "IIF(c1, v1, IIF(..., e))", "CASE WHEN c1 THEN v1 ... ELSE e END"},
     .note = "Without e the value is NULL, as in FoxPro."},
    {.id = "fn.empty_condition",
     .fox = "EMPTY(c) (c a condition: it compares, negates or joins conditions)",
     .example = "EMPTY(a > b)",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = all("(NOT ({1}))"),
     .note = "A logical is empty when false, so EMPTY of a condition is its negation, which every target "
             "reads (SQL Server and Oracle refuse a condition compared with '' or trimmed; EVL(a > b, x) "
             "tests it so). NULL is not empty in FoxPro, and NOT of NULL selects no row."},
    {.id = "fn.empty_text",
     .fox = "EMPTY(f(s)) (f a function that gives a text of a text: SUBSTR, LEFT, RIGHT, UPPER, LOWER, "
            "PROPER, ALLTRIM, TRIM, LTRIM, RTRIM, PADL, PADR, PADC)",
     .example = "EMPTY(SUBSTR(p.code, 3, 5))",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"", "", "", "", "COALESCE(RTRIM({1}) = '', FALSE)"},
     .note = "PostgreSQL: the call's value is a text, blank or not, or NULL where its text is NULL (a "
             "field of the outer side of an outer join that found no row); the test of blank text finds "
             "no NULL, as FoxPro's EMPTY(.NULL.), where the test of every type takes NULL for the empty "
             "date. The other dialects write EMPTY as above."},
    {.id = "fn.empty_name",
     .fox = "EMPTY(f) (f a field or variable: one name)",
     .example = "EMPTY(c.notes)",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"", "", "", "",
                "COALESCE(JSONB_PATH_EXISTS(TO_JSONB(COALESCE({1}, NULL)), '$ ? (@ == 0 || @ == false || "
                "@ like_regex \"^ *$\")'), CAST(PG_TYPEOF(COALESCE({1}, NULL)) AS TEXT) ~ '^(date|timestamp)')"},
     .note = "PostgreSQL: as EMPTY above, but NULL is empty only where the field is a date or datetime (the "
             "empty date, stored as NULL there): a text, number or logical field of the outer side of an "
             "outer join that found no row is NULL, and FoxPro's EMPTY(.NULL.) is false. The name is "
             "written twice, which a name affords. A date field there still cannot be told from the empty "
             "date. The other dialects write EMPTY as above."},
    {.id = "fn.empty_number",
     .fox = "EMPTY(v) (v a variable FoxPro's naming makes a number, or a call that gives one)",
     .example = "EMPTY(m.nTotal)",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = all("({1} = 0)"),
     .note = "A memory variable or parameter named as a number (m.nTotal, tnCustomer, ?m.nLimit: a type letter "
             "n, i, y or b, after an optional scope letter l, p, g or t, then a capital) is empty when 0, "
             "tested so, as every target reads it: the test of text finds no 0 in Oracle, Access and "
             "PostgreSQL, and SQL Server refuses a NUMERIC compared with ''. NULL is not empty, as in FoxPro. So is "
             "a call that gives a number of any values (AT, ATC, RAT, OCCURS, LEN, ASC, VAL, INT, ROUND, MOD, "
             "CEILING, FLOOR, ABS, SIGN, GETWORDCOUNT: EMPTY(AT(' ', s))); a part of a date (MONTH(d), ...) keeps "
             "the test of text, which takes the NULL of an empty date in Oracle, Access and PostgreSQL for empty."},
    {.id = "fn.evl",
     .fox = "EVL(a, b)",
     .example = "EVL(a, 'none')",
     .place = Place::select,
     .words = "EVL",
     .min_args = 2,
     .max_args = 2,
     .form = Form::foxpro,
     .target = all("IIF(EMPTY({1}), {2}, {1})"),
     .note = "EMPTY as above."},
    {.id = "fn.evl_number",
     .fox = "EVL(a, number)",
     .example = "EVL(total, 0.01)",
     .place = Place::select,
     .min_args = 2,
     .max_args = 2,
     .form = Form::foxpro,
     .target = all("IIF({1} = 0, {2}, {1})"),
     .note = "A number as the value instead shows a to be a number, whose empty value is 0: tested so, as "
             "every target reads it (SQL Server refuses a NUMERIC compared with '', and Oracle's and "
             "PostgreSQL's test of text finds no 0). NULL is not empty, as in FoxPro."},
    {.id = "fn.trim",
     .fox = "TRIM(x)",
     .example = "TRIM(x)",
     .place = Place::select,
     .words = "TRIM",
     .min_args = 1,
     .max_args = 1,
     .target = all("RTRIM({1})"),
     .note = "FoxPro's TRIM drops trailing blanks only; the targets' TRIM drops both."},
    {.id = "fn.alltrim_chars",
     .fox = "ALLTRIM(s[, nFlags], c1[, c2, ...])",
     .example = "ALLTRIM(code, '-')",
     .place = Place::select,
     .words = "ALLTRIM,ALLTRI,ALLTR,ALLT",
     .min_args = 2,
     .max_args = 255,
     .form = Form::trim,
     .target = {"SUBSTRING(LEFT({1}, LEN({1} + {3}) - PATINDEX({2}, REVERSE({1}) + {3})), PATINDEX({2}, {1} + {3}), "
                "LEN({1} + {3}))",
                "LTRIM(RTRIM({1}, {2}), {2})", "TRIM(BOTH {2} FROM {1})",
                "IIF({1} IS NULL, NULL, REPLACE(REPLACE(TRIM(REPLACE(REPLACE({1} & '', ' ', CHR(1)), {2}, ' ', 1, -1, 0)), ' ', {2}), CHR(1), ' '))",
                "BTRIM({1}, {2})"},
     .note = "The parse strings trimmed from both ends instead of blanks, as often as they stand there; "
             "a parse string written more than once is one (ALLTRIM(s, '-', '-') is ALLTRIM(s, '-')). "
             "MySQL's TRIM trims one string, any text: one parse string, written after the text; several, "
             "each a literal of one character, are the class of a REGEXP_REPLACE anchored at the ends trimmed, "
             "(?-i) before it where they hold a letter (MySQL's patterns follow the collation, often blind to "
             "case). Oracle and "
             "PostgreSQL trim a set of characters: parse strings that are literals of one character each, "
             "joined into one set. Oracle, PostgreSQL and MySQL (every other literal but the empty one and those "
             "holding ], ^ or a backslash) trim "
             "parse strings of several characters by REGEXP_REPLACE of a pattern of the strings one after "
             "the other, anchored at the ends trimmed: each whole string as often as it stands there (where "
             "one string's end is another's start the pattern may take more than FoxPro's first match). nFlags "
             "written as 0 changes nothing; as 1 (blind to case) each letter of A to Z is listed in both cases, "
             "in the set, the class or the pattern ([Aa][Bb]), and a letter beyond ASCII leaves the call. SQL Server (whose TRIM(c FROM s) is 2017's, the other rows need 2012) "
             "finds the first character that is none of the parse strings with PATINDEX('%[^...]%'), from the "
             "start and, on the text REVERSEd, from the end: parse strings that are literals of one character "
             "each, but ] and the quote, or CHR of an ASCII code written as a number (CHR(13)); a character none of them is ('x') put after the text ends every "
             "search, and LEN counts it with the trailing blanks before it, which FoxPro keeps unless a blank "
             "is trimmed. nFlags 1 lists a letter of A to Z in both cases (a letter beyond ASCII leaves the call); "
             "otherwise letters are compared by the column's collation, which may be blind to case (as "
             "REPLACE compares for STRTRAN). Other literals of printable ASCII (several characters, the "
             "quote), no two sharing a character and none beginning with its own end (which could be found "
             "across the end of a run), are each replaced by as many marks, NCHAR(1), in the text cast to "
             "NVARCHAR(MAX) under Latin1_General_BIN2 (so found in their own letter case, as FoxPro finds "
             "them; nFlags 1 only where none holds a letter), and in the text REVERSEd, each reversed, for the "
             "end: the text keeps its length, and PATINDEX finds the first character that is no mark. Any "
             "other call is left as written. Access (no PATINDEX, no trim of other characters than blanks): one "
             "parse string, a literal none of whose runs can be found across its end, is swapped with the "
             "blank (the blanks made CHR(1) first, and so each blank of the string, which is found by its "
             "codes: REPLACE's compare 0), the blanks trimmed, and both put back; a text holding CHR(1) itself "
             "is misread, and a NULL stays NULL. Several parse strings of one character each (but the quote) "
             "are each made a blank in the text (its blanks CHR(1) first, unless the blank is one of them), "
             "and the blanks LTRIM and RTRIM drop from it are the characters MID and LEFT drop from the "
             "text. Several parse strings one of which has several characters, an expression and nFlags 1 "
             "with a letter are left as written there."},
    {.id = "fn.ltrim_chars",
     .fox = "LTRIM(s[, nFlags], c1[, c2, ...])",
     .example = "LTRIM(code, '0')",
     .place = Place::select,
     .words = "LTRIM",
     .min_args = 2,
     .max_args = 255,
     .form = Form::trim,
     .target = {"SUBSTRING({1}, PATINDEX({2}, {1} + {3}), LEN({1} + {3}))", "LTRIM({1}, {2})", "TRIM(LEADING {2} FROM {1})",
                "IIF({1} IS NULL, NULL, REPLACE(REPLACE(LTRIM(REPLACE(REPLACE({1} & '', ' ', CHR(1)), {2}, ' ', 1, -1, 0)), ' ', {2}), CHR(1), ' '))",
                "LTRIM({1}, {2})"},
     .note = "As ALLTRIM, from the start only."},
    {.id = "fn.rtrim_chars",
     .fox = "RTRIM(s[, nFlags], c1[, c2, ...]), TRIM(...)",
     .example = "RTRIM(code, '.')",
     .place = Place::select,
     .words = "RTRIM",
     .min_args = 2,
     .max_args = 255,
     .form = Form::trim,
     .target = {"LEFT({1}, LEN({1} + {3}) - PATINDEX({2}, REVERSE({1}) + {3}))", "RTRIM({1}, {2})", "TRIM(TRAILING {2} FROM {1})",
                "IIF({1} IS NULL, NULL, REPLACE(REPLACE(RTRIM(REPLACE(REPLACE({1} & '', ' ', CHR(1)), {2}, ' ', 1, -1, 0)), ' ', {2}), CHR(1), ' '))",
                "RTRIM({1}, {2})"},
     .note = "As ALLTRIM, from the end only; TRIM is RTRIM."},
    {.id = "fn.trim_chars",
     .fox = "TRIM(s[, nFlags], c1[, c2, ...])",
     .example = "TRIM(code, '.')",
     .place = Place::select,
     .words = "TRIM",
     .min_args = 2,
     .max_args = 255,
     .form = Form::trim,
     .target = {"LEFT({1}, LEN({1} + {3}) - PATINDEX({2}, REVERSE({1}) + {3}))", "RTRIM({1}, {2})", "TRIM(TRAILING {2} FROM {1})",
                "IIF({1} IS NULL, NULL, REPLACE(REPLACE(RTRIM(REPLACE(REPLACE({1} & '', ' ', CHR(1)), {2}, ' ', 1, -1, 0)), ' ', {2}), CHR(1), ' '))",
                "RTRIM({1}, {2})"},
     .note = "As RTRIM."},
    {.id = "fn.space",
     .fox = "SPACE(n)",
     .example = "SPACE(5)",
     .place = Place::select,
     .words = "SPACE,SPAC",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "RPAD(' ', {1})", "", "", "REPEAT(' ', {1})"}},
    {.id = "fn.replicate",
     .fox = "REPLICATE(s, n)",
     .example = "REPLICATE('-', 5)",
     .place = Place::select,
     .words = "REPLICATE,REPLICAT,REPLICA,REPLIC,REPLI,REPL",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "RPAD({1}, {2} * LENGTH({1}), {1})", "REPEAT({1}, {2})", "STRING({2}, {1})", "REPEAT({1}, {2})"},
     .note = "Access repeats the first character only."},
    {.id = "fn.left",
     .fox = "LEFT(s, n)",
     .example = "LEFT(s, 3)",
     .place = Place::select,
     .words = "LEFT",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "SUBSTR({1}, 1, {2})", "", "", "LEFT({1}, GREATEST({2}, 0))"},
     .note = "PostgreSQL: LEFT(s, -1) would cut the last character off, where FoxPro gives no text; a count "
             "written as a whole number stays as written."},
    {.id = "fn.right",
     .fox = "RIGHT(s, n)",
     .example = "RIGHT(s, 3)",
     .place = Place::select,
     .words = "RIGHT,RIGH",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "SUBSTR({1}, -LEAST({2}, LENGTH({1})))", "", "", "RIGHT({1}, GREATEST({2}, 0))"},
     .note = "Oracle: RIGHT(s, 0) gives the whole of s. PostgreSQL: RIGHT(s, -1) would cut the first "
             "character off, where FoxPro gives no text; a count written as a whole number stays as written."},
    {.id = "fn.dtos",
     .fox = "DTOS(d)",
     .example = "DTOS(d)",
     .place = Place::select,
     .words = "DTOS",
     .min_args = 1,
     .max_args = 1,
     .target = {"REPLACE(CONVERT(CHAR(8), {1}, 112), '19000101', '        ')",
                "COALESCE(TO_CHAR({1}, 'YYYYMMDD'), '        ')", "REPLACE(DATE_FORMAT({1}, '%Y%m%d'), '00000000', '        ')",
                "IIF({1} IS NULL, '        ', FORMAT({1}, 'yyyymmdd'))",
                "COALESCE(TO_CHAR(CAST({1} AS DATE), 'YYYYMMDD'), '        ')"},
     .note = "The empty date gives eight blanks, as in FoxPro (they sort before every date's digits): MySQL's zero "
             "date and SQL Server's empty 1900-01-01 write digits that are replaced, so the argument is written once; "
             "Oracle, Access and PostgreSQL store the empty date as NULL. A NULL there cannot be told from the empty "
             "date: our structure conversion writes a D or T field without NULL as NULL-able there (the empty date "
             "is its NULL), so NULL gives the blanks; MySQL and SQL Server store the empty date as a value of its "
             "own in a field NOT NULL, and a NULL field (D NULL, FoxPro's .NULL.) keeps NULL. The same holds for "
             "every function that reads a date: DTOC, TTOC, CDOW, CMONTH, DOW, QUARTER, WEEK and the parts of a "
             "date or time give FoxPro's value of the empty date (blanks, the empty text, 0). PostgreSQL casts the "
             "argument to DATE, so that TO_CHAR knows the type of a parameter (DTOS(m.dFrom)), as for DTOC."},
    {.id = "fn.datetime",
     .fox = "DATETIME()",
     .example = "DATETIME()",
     .place = Place::select,
     .target = {"GETDATE()", "LOCALTIMESTAMP", "NOW()", "NOW()", "LOCALTIMESTAMP"}},
    {.id = "op.concat",
     .kind = Kind::operator_,
     .fox = "a + b (text)",
     .example = "x LIKE '%' + ALLTRIM(m.y) + '%'",
     .target = {"", "{1} || {2}", "CONCAT({1+})", "", "{1} || {2}"},
     .note = "A chain of + with a string literal or a call that gives text among its terms. MySQL reads + as a "
             "sum of numbers, Oracle refuses it for text. Names alone are of unknown type: a + b stays as "
             "written, unless it is compared with text (a + b = c + 'x', a + b LIKE 'x%'), stands where a "
             "function takes text only (UPPER(a + b), LEFT(a + b, 3), AT('x', a + b)), or the statement as "
             "written reads a or b as text elsewhere: as such a function's argument (UPPER(a)) or compared "
             "with a string (a = 'x', b LIKE 'A%'; a date or an EMPTY test shows nothing). A chain beside -, "
             "*, / or % stays as written. FoxPro keeps the trailing blanks of a fixed-width field in a + b (a key "
             "built as code + branch); MySQL and PostgreSQL read a CHAR value without them, so such a key is "
             "shorter there (MariaDB and MySQL keep them under the session's sql_mode PAD_CHAR_TO_FULL_LENGTH)."},
    {.id = "op.pad_compared",
     .kind = Kind::operator_,
     .fox = "x = PADR(s, n), PADL, PADC",
     .example = "city == PADR(m.x, 20)",
     .target = {"", "", "", "", "CAST({1} AS CHAR({2}))"},
     .note = "A padding call with its width written as a number, alone on one side of a comparison. PostgreSQL's "
             "RPAD and LPAD give text, and a fixed-width field compared with text drops its trailing blanks: "
             "city = RPAD(x, 20) would never hold. As a CHAR(n) value the padded text compares as FoxPro's "
             "does, trailing blanks ignored on both sides. Elsewhere (a + b) the padding stays text and keeps "
             "its blanks."},
    {.id = "op.empty_text_equal",
     .kind = Kind::operator_,
     .fox = "x = '', x == ''",
     .example = "ALLTRIM(name) == ''",
     .target = {"", "(TRIM({1}) IS NULL)", "", "", ""},
     .note = "Oracle stores the empty text as NULL, and x = '' is never true there: the test of blank text "
             "EMPTY() makes. The others compare with the empty text, blanks ignored."},
    {.id = "op.empty_text_not_equal",
     .kind = Kind::operator_,
     .fox = "x <> '', x # '', x != ''",
     .example = "name <> ''",
     .target = {"", "(TRIM({1}) IS NOT NULL)", "", "", ""},
     .note = "As = ''."},
    {.id = "op.empty_date_below",
     .kind = Kind::operator_,
     .fox = "d < {^date}, d <= {^date}, d <> {^date}, d # {^date}, d != {^date}, d < m.dTo, d <> ?ldTo, d <= DATE() - 30, "
            "d < DATE(2000, 1, 1), d + 30 < DATE()",
     .example = "d < {^2020-01-01}",
     .target = {"", "({1} {2} {3} OR {1} IS NULL)", "", "({1} {2} {3} OR {1} IS NULL)", "({1} {2} {3} OR {1} IS NULL)"},
     .note = "FoxPro's empty date is a value below every date: {} < {^2020-01-01} and {} <> {^2020-01-01} "
             "hold. Oracle, Access and PostgreSQL store it as NULL (see lit.empty_date), for which no "
             "comparison holds, so a name compared with a date literal by <, <=, <>, # or != finds the empty "
             "dates too. SQL Server (1900-01-01) and MySQL (0000-00-00) store a date below the others. Only "
             "for a name alone on the left (or with a count of days written out added or taken off, d + 30: "
             "FoxPro's empty date plus days stays empty, the server's NULL stays NULL) and a literal that ends "
             "the comparison, or a parameter or memory "
             "variable FoxPro's naming makes a date or a datetime (m.dTo, ?ldTo, m.tStamp), or today (DATE(), "
             "DATETIME(), with days or seconds added or taken off), or a filled date written as a call of "
             "numbers (DATE(2000, 1, 1), DATETIME(2020, 5, 1, 8, 0, 0)), which holds the "
             "filled date the application binds (bound to the empty date, which the server reads as NULL, "
             "the comparison finds the empty dates, where FoxPro's {} < {} and {} <> {} do not hold); for the "
             "literal on the left "
             "see op.empty_date_above. Two names compared (shipped < order_date, a.d = b.d, both possibly "
             "empty: FoxPro's {} = {} holds) are written by op.shown_dates_equal where the statement shows "
             "both to be dates, and left as written otherwise: the same rewrite of a comparison of numbers "
             "or texts would find NULLs FoxPro leaves out."},
    {.id = "op.empty_date_above",
     .kind = Kind::operator_,
     .fox = "{^date} > d, {^date} >= d, {^date} <> d, {^date} # d, {^date} != d, m.dTo > d, ?ldFrom >= d",
     .example = "{^2020-01-01} > d",
     .target = {"", "({3} {2} {1} OR {1} IS NULL)", "", "({3} {2} {1} OR {1} IS NULL)", "({3} {2} {1} OR {1} IS NULL)"},
     .note = "As op.empty_date_below with the date on the left: only for a literal alone there (not the "
             "empty one) or a parameter or memory variable FoxPro's naming makes a date or a datetime "
             "(m.dTo, ?ldFrom, m.tStamp), and a name alone on the right that ends the comparison."},
    {.id = "op.empty_date_outside",
     .kind = Kind::operator_,
     .fox = "d NOT BETWEEN {^date} AND {^date}, d NOT IN ({^date}, ...)",
     .example = "d NOT IN ({^2020-01-01}, {^2020-02-01})",
     .target = {"", "({1} {2} OR {1} IS NULL)", "", "({1} {2} OR {1} IS NULL)", "({1} {2} OR {1} IS NULL)"},
     .note = "As op.empty_date_below: FoxPro's empty date lies outside every range of dates and differs "
             "from every date of a list, where the NULL that stands for it is neither. Only for a name alone "
             "before NOT and filled date literals that end the condition; for NOT BETWEEN(d, ...) and "
             "NOT INLIST(d, ...) see fn.between_dates and fn.inlist_dates."},
    {.id = "op.shown_dates_equal",
     .kind = Kind::operator_,
     .fox = "d1 = d2, d1 == d2 (both shown to be dates, or both datetimes, by the statement)",
     .example = "SELECT * FROM orders WHERE order_date = ship_date AND YEAR(order_date) = 2020 AND ship_date < DATE()",
     .place = Place::statement,
     .target = {"", "({1} = {2} OR {1} IS NULL AND {2} IS NULL)", "", "({1} = {2} OR {1} IS NULL AND {2} IS NULL)",
                "({1} = {2} OR {1} IS NULL AND {2} IS NULL)"},
     .note = "Two fields the statement shows to be dates (or both datetimes, as op.shown_date_days reads the "
             "evidence) compared with each other, where the dialect stores FoxPro's empty date as NULL (see "
             "op.empty_date_below): FoxPro's {} = {} holds, the server's NULL = NULL does not. The rows below "
             "do the same for the other operators: the empty date is below every date, so d1 < d2 holds when "
             "d1 is empty and d2 is not, d1 <= d2 whenever d1 is empty, and d1 <> d2 when one of them is. "
             "d1 > d2 and d1 >= d2 are written as d2 < d1 and d2 <= d1. Only for two names alone (not m.x "
             "or a parameter, which hold what the application binds) and in a statement with no outer join: "
             "a field of the outer side of an outer join that found no row is NULL, FoxPro's .NULL., for which "
             "no comparison holds, and a field that allows .NULL. is read so too (the servers cannot tell it "
             "from the empty date). A name compared with itself (d = d) holds for the empty date as in FoxPro."},
    {.id = "op.shown_dates_unequal",
     .kind = Kind::operator_,
     .fox = "d1 <> d2, d1 # d2, d1 != d2 (shown to be dates)",
     .example = "SELECT * FROM orders WHERE order_date <> ship_date AND YEAR(order_date) = 2020 AND ship_date < DATE()",
     .place = Place::statement,
     .target = {"", "({1} <> {2} OR {1} IS NULL AND {2} IS NOT NULL OR {2} IS NULL AND {1} IS NOT NULL)", "",
                "({1} <> {2} OR {1} IS NULL AND {2} IS NOT NULL OR {2} IS NULL AND {1} IS NOT NULL)",
                "({1} <> {2} OR {1} IS NULL AND {2} IS NOT NULL OR {2} IS NULL AND {1} IS NOT NULL)"},
     .note = "As op.shown_dates_equal: the empty date differs from every date that is set."},
    {.id = "op.shown_dates_below",
     .kind = Kind::operator_,
     .fox = "d1 < d2, d2 > d1 (shown to be dates)",
     .example = "SELECT * FROM orders WHERE order_date < ship_date AND YEAR(order_date) = 2020 AND ship_date < DATE()",
     .place = Place::statement,
     .target = {"", "({1} < {2} OR {1} IS NULL AND {2} IS NOT NULL)", "", "({1} < {2} OR {1} IS NULL AND {2} IS NOT NULL)",
                "({1} < {2} OR {1} IS NULL AND {2} IS NOT NULL)"},
     .note = "As op.shown_dates_equal: the empty date is below every date that is set."},
    {.id = "op.shown_dates_below_or_equal",
     .kind = Kind::operator_,
     .fox = "d1 <= d2, d2 >= d1 (shown to be dates)",
     .example = "SELECT * FROM orders WHERE order_date <= ship_date AND YEAR(order_date) = 2020 AND ship_date < DATE()",
     .place = Place::statement,
     .target = {"", "({1} <= {2} OR {1} IS NULL)", "", "({1} <= {2} OR {1} IS NULL)", "({1} <= {2} OR {1} IS NULL)"},
     .note = "As op.shown_dates_equal: the empty date is at or below every date, the empty one included."},
    {.id = "fn.min_shown_date",
     .fox = "MIN(d) (d shown to be a date, or a datetime, by the statement)",
     .example = "SELECT cust_id, MIN(order_date) FROM orders WHERE order_date < DATE() GROUP BY cust_id",
     .place = Place::statement,
     .min_args = 1,
     .max_args = 1,
     .target = {"", "CASE WHEN COUNT(*) = COUNT({1}) THEN MIN({1}) END", "",
                "IIF(COUNT(*) = COUNT({1}), MIN({1}), NULL)", "CASE WHEN COUNT(*) = COUNT({1}) THEN MIN({1}) END"},
     .note = "The least of a field the statement shows to be a date or a datetime (as op.shown_dates_equal reads "
             "the evidence), where the dialect stores FoxPro's empty date as NULL (see op.empty_date_below): "
             "FoxPro's empty date is below every date, so MIN is the empty date where a row of the group holds "
             "one; the server's MIN passes NULL by and gives the least date that is set. Written so for a field "
             "alone, where MIN stands as a value (beside an operator, MAX(d) - MIN(d), MIN(d) + 30, "
             "MIN(d) < {^2020-01-01}, it stays as written: NULL would neither count days nor compare as the "
             "empty date), in a statement with no outer join (whose NULLs are FoxPro's .NULL., which MIN passes by "
             "too). A field that allows .NULL. is read as holding the empty date where it holds .NULL.: the "
             "server cannot tell the two apart. MAX needs nothing: it is the empty date only where every row "
             "holds it, and NULL stands for it then."},
    {.id = "fn.count_shown_date",
     .fox = "COUNT(d), CNT(d) (d shown to be a date, or a datetime, by the statement)",
     .example = "SELECT cust_id, COUNT(order_date) FROM orders WHERE order_date < DATE() GROUP BY cust_id",
     .place = Place::statement,
     .min_args = 1,
     .max_args = 1,
     .target = {"", "COUNT(*)", "", "COUNT(*)", "COUNT(*)"},
     .note = "As fn.min_shown_date: FoxPro counts the empty date, a value, where the server passes its NULL by. "
             "With no outer join every row holds the field, so the count is the rows'. A field that allows "
             ".NULL. is counted where it holds .NULL. too."},
    {.id = "fn.count_distinct_shown_date",
     .fox = "COUNT(DISTINCT d) (d shown to be a date, or a datetime, by the statement)",
     .example = "SELECT cust_id, COUNT(DISTINCT order_date) FROM orders WHERE order_date < DATE() GROUP BY cust_id",
     .place = Place::statement,
     .min_args = 1,
     .max_args = 1,
     .target = {"", "(COUNT(DISTINCT {1}) + CASE WHEN COUNT({1}) < COUNT(*) THEN 1 ELSE 0 END)", "", "",
                "(COUNT(DISTINCT {1}) + CASE WHEN COUNT({1}) < COUNT(*) THEN 1 ELSE 0 END)"},
     .note = "As fn.count_shown_date: the empty date is one value more where a row holds it. Access has no "
             "COUNT(DISTINCT)."},
    {.id = "fn.isnull_shown_date",
     .fox = "ISNULL(d) (d shown to be a date, or a datetime, by the statement)",
     .example = "SELECT order_id FROM orders WHERE !ISNULL(shipped) AND HOUR(shipped) < 12",
     .place = Place::statement,
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"", "", "", "", ""},
     .note = "Not written: ISNULL of a date is fn.isnull on every dialect (MySQL's null-safe form included). "
             "Where the empty date is stored as NULL (Oracle, Access, PostgreSQL) it also finds the empty "
             "date: a statement that tests a field for .NULL. shows that the field allows .NULL., and the "
             ".NULL.s it looks for weigh more than empty dates beside them."},
    {.id = "fn.nvl_shown_date",
     .fox = "NVL(d, x) (d shown to be a date, or a datetime, by the statement)",
     .example = "SELECT DTOC(NVL(order_date, DATE())) FROM orders WHERE YEAR(order_date) > 2000",
     .place = Place::statement,
     .min_args = 2,
     .max_args = 2,
     .target = {"", "", "", "", ""},
     .note = "Not written: NVL of a date stays fn.nvl on every dialect. Where the empty date is stored as "
             "NULL (Oracle, Access, PostgreSQL), NVL gives x for the empty date too: a statement that "
             "replaces a field's .NULL. shows that the field allows .NULL., and its .NULL.s weigh more than "
             "empty dates beside them."},
    {.id = "op.date_days",
     .kind = Kind::operator_,
     .fox = "DATE() + n, DATE() - n",
     .example = "DATE() - 30",
     .target = {"", "", "ADDDATE(DATE(), {1})", "", ""},
     .note = "n written as a number: days. MySQL reads a date plus a number as a number (20261207 - 30), "
             "the others as a date. A date minus a name is left as written: the name may be a date, and "
             "the difference of two dates is a number of days in FoxPro."},
    {.id = "op.datetime_seconds",
     .kind = Kind::operator_,
     .fox = "DATETIME() + n, DATETIME() - n",
     .example = "DATETIME() - 3600",
     .place = Place::select,
     .target = {"DATEADD(SECOND, {1}, GETDATE())", "(LOCALTIMESTAMP + NUMTODSINTERVAL({1}, 'SECOND'))",
                "TIMESTAMPADD(SECOND, {1}, NOW())", "DATEADD('s', {1}, NOW())", "(LOCALTIMESTAMP + ({1}) * INTERVAL '1 second')"},
     .note = "n written as a number: seconds, where the servers would add days (or, in MySQL, a number)."},
    {.id = "op.literal_days",
     .kind = Kind::operator_,
     .fox = "{^date} + n, {^date} - n",
     .example = "{^2020-01-31} + 30",
     .place = Place::select,
     .target = {"DATEADD(DAY, {2}, {1})", "({1} + {2})", "ADDDATE({1}, {2})", "", ""},
     .note = "n written as a number: days. SQL Server reads the quoted date plus a number as text plus a "
             "number, MySQL as a number; Oracle, Access and PostgreSQL add days to their date literals."},
    {.id = "op.literal_seconds",
     .kind = Kind::operator_,
     .fox = "{^datetime} + n, {^datetime} - n",
     .example = "{^2020-01-31 10:30} + 3600",
     .place = Place::select,
     .target = {"DATEADD(SECOND, {2}, {1})", "({1} + NUMTODSINTERVAL({2}, 'SECOND'))",
                "TIMESTAMPADD(SECOND, {2}, {1})", "DATEADD('s', {2}, {1})", "({1} + ({2}) * INTERVAL '1 second')"},
     .note = "n written as a number: seconds, as FoxPro adds them to a datetime."},
    {.id = "op.date_value_days",
     .kind = Kind::operator_,
     .fox = "GOMONTH(d, m) + n, CTOD(s) + n, DATE(y, m, d) + n (and - n)",
     .example = "GOMONTH(d, 1) - 1",
     .place = Place::select,
     .target = {"DATEADD(DAY, {2}, {1})", "", "ADDDATE({1}, {2})", "", ""},
     .note = "n written as a number: days. SQL Server's DATE takes no number added, MySQL reads a date plus "
             "a number as a number; the other dialects add days to their dates. A memory variable or parameter "
             "that FoxPro's naming makes a date or a datetime (m.dTo, ?ldStart, m.tStamp: a type letter d or t, "
             "after an optional scope letter l, p, g or t, then a capital) is one too: m.dTo + 1, m.dTo - "
             "m.dFrom, DATE() - m.dBorn."},
    {.id = "op.datetime_value_seconds",
     .kind = Kind::operator_,
     .fox = "DTOT(d) + n, CTOT(s) + n, DATETIME(y, m, d, ...) + n (and - n)",
     .example = "DTOT(d) + 3600",
     .place = Place::select,
     .target = {"DATEADD(SECOND, {2}, {1})", "({1} + NUMTODSINTERVAL({2}, 'SECOND'))", "TIMESTAMPADD(SECOND, {2}, {1})",
                "DATEADD('s', {2}, {1})", "({1} + ({2}) * INTERVAL '1 second')"},
     .note = "n written as a number: seconds, as FoxPro adds them to a datetime."},
    {.id = "op.days_value",
     .kind = Kind::operator_,
     .fox = "d + x, d - x (x a value: a name, a call, a product)",
     .example = "DATE() + nDays",
     .target = {"", "", "", "", "({1} + CAST({2} AS INTEGER))"},
     .note = "Days added that are not written as a number. FoxPro adds no two dates: after + any value is a "
             "count of days (or of seconds, for a datetime); after - only a value that surely is a number "
             "(a product or quotient, INT, ROUND, VAL, LEN, MOD, CEILING, FLOOR, ABS, or a part of a date or time: "
             "DAY, DOW, MONTH, YEAR, WEEK, HOUR, MINUTE, SEC, as in DATE() - DAY(DATE()) + 1, the first of the "
             "month), or a variable FoxPro's naming makes a number (m.nDays, lnDays, ?pnDays)), since d - x of "
             "another name x may be a difference of dates. The dialects add it as they add a number of days (the rows "
             "above: MySQL ADDDATE, SQL Server DATEADD after a call that gives a date); PostgreSQL adds only an "
             "INTEGER to a date, and a NUMERIC field (N(5)) is cast. A name d plus or minus a name x, where the "
             "sum is compared with a date or datetime literal or a call that gives one (d + nDays = "
             "{^2020-03-02}, t - nSecs < DATETIME()), is such a sum too: compared with a date, d - x takes no "
             "date from d. So is d + n or d + x alone on its side after such a date (TTOD(t) > d + 3, "
             "DATE() <= d + nDays), as FoxPro compares no date with a number."},
    {.id = "op.date_argument_days",
     .kind = Kind::operator_,
     .fox = "DTOT(v + n), GOMONTH(v - n, m) (v a name or parameter, n a number)",
     .example = "DTOT(m.dto + 1)",
     .target = {"", "", "IF({1} = 0, {1}, ADDDATE({1}, {2}))", "", "(CAST({1} AS DATE) + {2})"},
     .note = "The argument of a call that takes a date is a date, so a name or parameter plus a number there "
             "counts days, whatever the name says: MySQL would read it as a number, and PostgreSQL takes the "
             "parameter for an integer. The other dialects add days to their dates."},
    {.id = "op.date_part_argument_days",
     .kind = Kind::operator_,
     .fox = "YEAR(v + n), MONTH(v + n), DAY(v - n), DTOC(v + n), DTOS(v - n), CDOW(v + n), CMONTH(v + n)",
     .example = "MONTH(d + 1) <> MONTH(d)",
     .target = {"", "", "IF({1} = 0, {1}, ADDDATE({1}, {2}))", "", "(CAST({1} AS DATE) + {2})"},
     .note = "The argument of a call that reads a date is a date, so a name or parameter plus a number there "
             "counts days, as for DTOT and GOMONTH above (MONTH(d + 1) <> MONTH(d): the last day of a month). "
             "MySQL would add the number to the date's digits (20200131 + 1), and PostgreSQL takes a parameter "
             "for an integer and adds no number to a TIMESTAMP; the other dialects add days to a date "
             "themselves. A datetime field gets a day there where FoxPro adds a second."},
    {.id = "op.date_difference",
     .kind = Kind::operator_,
     .fox = "DATE() - d, d - DATE()",
     .example = "(DATE() - d) / 365",
     .target = {"CAST(DATEDIFF(DAY, {2}, {1}) AS NUMERIC(10))", "", "DATEDIFF({1}, {2})", "", "CAST({1} - {2} AS NUMERIC)"},
     .note = "The days between two dates, a number. SQL Server's difference of two datetimes is a datetime, MySQL's "
             "of two dates the difference of their digits (20261208 - 20261130 = 78). d - DATE() is always the "
             "difference; DATE() - d only where d gives a date (CTOD(s), a date literal), where the difference "
             "is used as a number (divided or multiplied in parentheses, (DATE() - d) / 365, or compared with a "
             "number, DATE() - d > 30), or where it stands alone as a select item and d is a field or the MAX or MIN "
             "of one in a subquery (DATE() - since "
             "AS days: FoxPro code adds a count of days kept in a field to a date, it does not take it from "
             "today). Elsewhere d may be a count of days (WHERE d > DATE() - nDays), and DATE() - d stays as "
             "written. A call that gives a date minus another (CTOD(s) - CTOD(e), GOMONTH(d, 1) - DATE()) is "
             "the difference too, unless the call follows an operator (1 + CTOD(s) - CTOD(e)). "
             "A name minus a date literal (d - {^2016-01-05}) is the difference too, as FoxPro takes no date "
             "from a number; a literal minus a name ({^2020-03-01} - d) is as DATE() - d, except alone as a select "
             "item, where it may be a date some days earlier. TTOD(t) - d is where DATE() - d is (compared with a "
             "number, or a select item alone). "
             "SQL Server and PostgreSQL give a decimal, so that / divides as FoxPro does, not as whole numbers. "
             "DATE() + x is always a count of days added (FoxPro adds no two dates): MySQL writes ADDDATE."},
    {.id = "op.datetime_difference",
     .kind = Kind::operator_,
     .fox = "DATETIME() - t, t - DATETIME()",
     .example = "(DATETIME() - t) / 3600",
     .target = {"ROUND((CAST(CAST({1} AS DATETIME) AS FLOAT) - CAST(CAST({2} AS DATETIME) AS FLOAT)) * 86400, 0)",
                "ROUND((({1} + 0) - ({2} + 0)) * 86400)", "TIMESTAMPDIFF(SECOND, {2}, {1})",
                "ROUND(({1} - {2}) * 86400, 0)", "EXTRACT(EPOCH FROM ({1} - {2}))"},
     .note = "The seconds between two datetimes, taken as for dates. SQL Server's DATEDIFF of seconds overflows "
             "past 68 years, as from the empty datetime the structure conversion stores (1900-01-01): the "
             "datetimes are read as days, which needs a DATETIME (not a DATETIME2 or a quoted literal, which "
             "FLOAT refuses) there. Oracle's TIMESTAMP "
             "plus 0 is a DATE, whose difference is in days. DATETIME() + x is always a count of seconds added."},
    {.id = "op.shown_date_days",
     .kind = Kind::operator_,
     .fox = "d + n, d - n (d shown to be a date by the statement)",
     .example = "SELECT order_date + 30 AS due FROM orders WHERE YEAR(order_date) = 2020",
     .place = Place::statement,
     .target = {"", "", "IF({1} = 0, {1}, ADDDATE({1}, {2}))", "", ""},
     .note = "A name (a field, alias.field, a parameter ?m.x or m.x) that the statement shows to be a date "
             "is one everywhere in it, its subqueries and UNION members included, where it is spelled the same: "
             "compared (=, ==, <>, #, !=, <, >, <=, >=, BETWEEN, BETWEEN()) with a date literal, DATE(), "
             "CTOD(...), GOMONTH(...), a variable FoxPro's naming makes a date (m.dFrom, ?ldTo) or another such "
             "name, alone or with days written as a number added or taken (d + 30 < {^2020-03-01}: FoxPro "
             "compares no number with a date), or the argument of a function that reads a date "
             "(DTOS, DTOC, YEAR, MONTH, DAY, CDOW, CMONTH, DOW, GOMONTH, QUARTER, WEEK, DMY, MDY, DTOT). Days added "
             "to it or taken from it are written as the rows above write them: MySQL would read the date as "
             "the number of its digits (2020-03-31 + 30 gives 20200361); the other dialects add days to a date, "
             "and PostgreSQL casts a count that is not written as a number to INTEGER. A name compared with a "
             "datetime literal, DATETIME(), DTOT(...) or CTOT(...), or read by TTOD, TTOC, HOUR, MINUTE or SEC, "
             "is a datetime, to which FoxPro adds seconds (op.datetime_value_seconds). A name shown only by a "
             "function that reads datetimes too (YEAR, DTOS, ...) is taken for a date: a datetime field there "
             "gets days where FoxPro adds seconds. A name with no such evidence stays as written, whatever it "
             "is called (update_count + 1). The empty date plus days stays empty, as in FoxPro: MySQL's ADDDATE "
             "would make NULL of its zero date, which is kept (IF(d = 0, d, ...)); the NULL of the others stays "
             "NULL; SQL Server's 1900-01-01 becomes a date."},
    {.id = "op.shown_date_difference",
     .kind = Kind::operator_,
     .fox = "d1 - d2 (d2 shown to be a date by the statement)",
     .example = "SELECT fvence - fecha AS days FROM invoices WHERE fecha >= {^2020-01-01} AND DTOS(fvence) > '2020'",
     .place = Place::statement,
     .target = {"CAST(DATEDIFF(DAY, {2}, {1}) AS NUMERIC(10))", "", "DATEDIFF({1}, {2})", "", "CAST({1} - {2} AS NUMERIC)"},
     .note = "The days between two dates, as op.date_difference writes them, where the name taken away is "
             "shown to be a date as above (FoxPro takes no date from a number): SQL Server's difference of two "
             "DATETIMEs is a DATETIME (1900-01-31), MySQL's of two dates the difference of their digits; "
             "PostgreSQL's DATE - DATE is a whole number, made a decimal so that / divides as FoxPro does. "
             "A name minus another without evidence stays as written. Two datetimes give seconds "
             "(op.datetime_difference)."},
    {.id = "op.date_fraction_days",
     .kind = Kind::operator_,
     .fox = "d + n, d - n (d a date, n written with a fraction: 1.5)",
     .example = "DATE() + 1.5",
     .place = Place::select,
     .target = {"DATEADD(DAY, {2}, {1})", "({1} + {2})", "ADDDATE({1}, {2})", "({1} + {2})", "({1} + {2})"},
     .note = "A FoxPro date plus a number with a fraction keeps the fraction unseen and shows, compares by day "
             "and stores in a date field the whole days of the sum: {^2020-01-31} + 1.5 is 2020-02-01, and "
             "- 0.5 the day before. The number is written as those whole days (1, -1), by the rows above where "
             "they write the sum and by this row where the dialect's own sum would take the number as it "
             "stands: PostgreSQL refuses a date plus a NUMERIC, Oracle and Access would give a date with a "
             "time of day, MySQL rounds the days of an interval. A count that is a value (total / 100) is "
             "left to the rows above."},
    {.id = "op.days_value_fraction",
     .kind = Kind::operator_,
     .fox = "d + x, d - x (d a date, x a value that may have a fraction: a quotient, a product with 1.5)",
     .example = "SELECT order_date + total / 100 AS due FROM orders",
     .place = Place::select,
     .target = {"", "", "FLOOR({1})", "", "FLOOR({1})"},
     .note = "FoxPro shows the whole days of a date plus a value with a fraction, as for a number written "
             "with one (op.date_fraction_days): {^2024-01-31} + 7 / 2 is 2024-02-03. Where the count is added "
             "by op.days_value or op.date_value_days, MySQL's ADDDATE and PostgreSQL's CAST to INTEGER would "
             "round it (2024-02-04), so a quotient or a product with a number written with a fraction is "
             "floored first. SQL Server, Oracle and Access add the value as it stands: the sum keeps the "
             "fraction as a time of day there (a limit)."},
    {.id = "op.variable_date_days",
     .kind = Kind::operator_,
     .fox = "?m.dFrom + n, m.dTo - n (a variable FoxPro's naming makes a date, n a number)",
     .example = "SELECT order_id FROM orders WHERE order_date >= ?m.dFrom - 30",
     .place = Place::statement,
     .target = {"", "", "", "", "(CAST({1} AS DATE) + {2})"},
     .note = "Days added to a date variable, which the statement sends as a parameter: PostgreSQL takes a "
             "parameter beside a number for a number ($1 - 30 compared with a date is refused), so the "
             "parameter is cast to DATE. The other dialects write it as op.date_value_days does."},
    {.id = "op.variable_datetime_seconds",
     .kind = Kind::operator_,
     .fox = "?m.tFrom + n, m.tStamp - n (a variable FoxPro's naming makes a datetime, n a number)",
     .example = "SELECT order_id FROM orders WHERE shipped > m.tFrom - 3600",
     .place = Place::statement,
     .target = {"", "", "", "", "(CAST({1} AS TIMESTAMP) + ({2}) * INTERVAL '1 second')"},
     .note = "Seconds added to a datetime variable: PostgreSQL would take the parameter beside an INTERVAL for "
             "an INTERVAL, so it is cast to TIMESTAMP. The other dialects write it as "
             "op.datetime_value_seconds does."},
    {.id = "fn.seconds",
     .fox = "SECONDS()",
     .example = "SECONDS()",
     .place = Place::select,
     .words = "SECONDS",
     .min_args = 0,
     .max_args = 0,
     .target = {"(DATEDIFF(MILLISECOND, CAST(GETDATE() AS DATE), GETDATE()) / 1000.0)",
                "(TO_NUMBER(TO_CHAR(LOCALTIMESTAMP, 'SSSSS')) + TO_NUMBER(TO_CHAR(LOCALTIMESTAMP, 'FF3')) / 1000)",
                "ROUND(TIME_TO_SEC(CURTIME()) + MICROSECOND(CURTIME(3)) / 1000000, 3)", "DATEDIFF('s', DATE(), NOW())",
                "ROUND(CAST(EXTRACT(EPOCH FROM LOCALTIME) AS NUMERIC), 3)"},
     .note = "The seconds since midnight with their milliseconds, by the server's clock. Access's clock has "
             "whole seconds."},
    {.id = "fn.time",
     .fox = "TIME()",
     .example = "TIME()",
     .place = Place::select,
     .words = "TIME",
     .min_args = 0,
     .max_args = 0,
     .target = {"CONVERT(CHAR(8), GETDATE(), 108)", "TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS')",
                "DATE_FORMAT(NOW(), '%H:%i:%s')", "FORMAT(NOW(), 'hh:nn:ss')", "TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS')"},
     .note = "hh:mm:ss on a 24-hour clock, as FoxPro writes it."},
    {.id = "fn.cdow",
     .fox = "CDOW(d)",
     .example = "CDOW(d)",
     .place = Place::select,
     .words = "CDOW",
     .min_args = 1,
     .max_args = 1,
     .target = {"(CASE WHEN {1} = '' THEN '' ELSE DATENAME(WEEKDAY, {1}) END)", "TRIM(TO_CHAR({1}, 'Day'))",
                "IF({1} IS NULL, NULL, COALESCE(DAYNAME({1}), ''))", "IIF({1} IS NULL, '', FORMAT({1}, 'dddd'))", "COALESCE(TRIM(TO_CHAR({1}, 'Day')), '')"},
     .note = "The names in the server's language, as FoxPro's are in its own. The empty date has no name: the empty text, "
             "where MySQL's zero date and PostgreSQL's NULL would give NULL (on PostgreSQL NULL too gives the empty text), SQL "
             "Server the name of its empty 1900-01-01 and Access NULL. Oracle's empty text is NULL."},
    {.id = "fn.cmonth",
     .fox = "CMONTH(d)",
     .example = "CMONTH(d)",
     .place = Place::select,
     .words = "CMONTH,CMONT,CMON",
     .min_args = 1,
     .max_args = 1,
     .target = {"(CASE WHEN {1} = '' THEN '' ELSE DATENAME(MONTH, {1}) END)", "TRIM(TO_CHAR({1}, 'Month'))",
                "IF({1} IS NULL, NULL, COALESCE(MONTHNAME({1}), ''))", "IIF({1} IS NULL, '', FORMAT({1}, 'mmmm'))", "COALESCE(TRIM(TO_CHAR({1}, 'Month')), '')"},
     .note = "The empty date has no month: the empty text, as for CDOW."},
    {.id = "fn.gomonth",
     .fox = "GOMONTH(d, n)",
     .example = "GOMONTH(d, 1)",
     .place = Place::select,
     .words = "GOMONTH,GOMONT,GOMON,GOMO",
     .min_args = 2,
     .max_args = 2,
     .target = {"COALESCE(DATEADD(MONTH, {2}, NULLIF({1}, '')), {1})", "ADD_MONTHS({1}, {2})", "COALESCE(DATE_ADD({1}, INTERVAL ({2}) MONTH), {1})",
                "DATEADD('m', {2}, {1})", "CAST(CAST({1} AS DATE) + ({2}) * INTERVAL '1 month' AS DATE)"},
     .note = "A day past the end of the new month becomes its last day, as in FoxPro; Oracle also moves the "
             "last day of a month to the last day of the new one (GOMONTH({^2020-02-29}, 1) is March 31 there, "
             "March 29 in FoxPro). The empty date stays empty, as in FoxPro, where it is NULL (Oracle, Access, "
             "PostgreSQL) and in MySQL, whose DATE_ADD makes NULL of the zero date: the zero date itself then; "
             "SQL Server's empty date (1900-01-01) is kept as it is, as MySQL's (NULLIF makes NULL of it). PostgreSQL "
             "casts d to a date first: "
             "it would take a parameter there for an interval."},
    {.id = "fn.dow",
     .fox = "DOW(d)",
     .example = "DOW(d)",
     .place = Place::select,
     .words = "DOW",
     .min_args = 1,
     .max_args = 1,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (DATEPART(WEEKDAY, {1}) + @@DATEFIRST - 1) % 7 + 1 END)",
                "COALESCE(MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 1, 7) + 1, 0)", "IF({1} = 0, 0, DAYOFWEEK({1}))",
                "IIF({1} IS NULL, 0, WEEKDAY({1}))", "COALESCE(CAST(TO_CHAR(CAST({1} AS DATE), 'D') AS INTEGER), 0)"},
     .note = "Sunday is 1 and Saturday 7, as FoxPro's default, whatever the server's first day of the week; the "
             "empty date gives 0 (MySQL: its zero date has no day of the week, and a NULL field stays NULL). "
             "PostgreSQL casts d to a date first: a parameter there would leave TO_CHAR without a type."},
    {.id = "fn.quarter",
     .fox = "QUARTER(d)",
     .example = "QUARTER(d)",
     .place = Place::select,
     .words = "QUARTER,QUARTE,QUART,QUAR",
     .min_args = 1,
     .max_args = 1,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE DATEPART(QUARTER, {1}) END)", "COALESCE(TO_NUMBER(TO_CHAR({1}, 'Q')), 0)", "",
                "IIF({1} IS NULL, 0, DATEPART('q', {1}))", "COALESCE(CAST(TO_CHAR(CAST({1} AS DATE), 'Q') AS INTEGER), 0)"},
     .note = "The empty date has no quarter: 0, as in FoxPro. MySQL's QUARTER gives 0 for its zero date itself."},
    {.id = "fn.quarter_fiscal",
     .fox = "QUARTER(d, nMonth)",
     .example = "QUARTER(d, 4)",
     .place = Place::select,
     .words = "QUARTER,QUARTE,QUART,QUAR",
     .min_args = 2,
     .max_args = 2,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (MONTH({1}) - ({2}) + 12) % 12 / 3 + 1 END)",
                "COALESCE(TRUNC(MOD(EXTRACT(MONTH FROM {1}) - ({2}) + 12, 12) / 3) + 1, 0)",
                "IF({1} = 0, 0, FLOOR(MOD(MONTH({1}) - ({2}) + 12, 12) / 3) + 1)",
                "IIF({1} IS NULL, 0, (MONTH({1}) - ({2}) + 12) MOD 12 \\ 3 + 1)",
                "COALESCE(MOD(CAST(EXTRACT(MONTH FROM {1}) AS INTEGER) - ({2}) + 12, 12) / 3 + 1, 0)"},
     .note = "The quarter of a fiscal year that starts in month nMonth (1 to 12): the months since its start, "
             "divided by 3 and cut to a whole number."},
    {.id = "fn.week",
     .fox = "WEEK(d)",
     .example = "WEEK(d)",
     .place = Place::select,
     .words = "WEEK",
     .min_args = 1,
     .max_args = 1,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (DATEPART(DAYOFYEAR, {1}) - (DATEPART(WEEKDAY, {1}) + @@DATEFIRST - 1) % 7 + 12) / 7 END)",
                "COALESCE(FLOOR((TRUNC({1}) - TRUNC({1}, 'YYYY') - MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 1, 7) + 13) / 7), 0)",
                "IF({1} = 0, 0, FLOOR((DAYOFYEAR({1}) - DAYOFWEEK({1}) + 13) / 7))", "IIF({1} IS NULL, 0, DATEPART('ww', {1}))",
                "COALESCE((CAST(TO_CHAR(CAST({1} AS DATE), 'DDD') AS INTEGER) - CAST(TO_CHAR(CAST({1} AS DATE), 'D') AS INTEGER) + 13) / 7, 0)"},
     .note = "FoxPro's default: week 1 holds January 1 and a week begins on Sunday, whatever the server's first "
             "day of the week. From the day of the year and the day of the week: the Sunday that begins d's week "
             "falls 7 days later per week. MySQL's own WEEK(d) counts the days before the first Sunday as "
             "week 0. WEEK(d, nFirstWeek[, nFirstDayOfWeek]) is the next rows. The empty date is in week 0, as in FoxPro."},
    {.id = "fn.dow_first",
     .fox = "DOW(d, nFirstDay)",
     .example = "DOW(d, 2)",
     .place = Place::select,
     .words = "DOW",
     .min_args = 2,
     .max_args = 2,
     .form = Form::weekday,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (DATEPART(WEEKDAY, {1}) + @@DATEFIRST + 7 - {d}) % 7 + 1 END)",
                "COALESCE(MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 9 - {d}, 7) + 1, 0)", "IF({1} = 0, 0, MOD(DAYOFWEEK({1}) + 7 - {d}, 7) + 1)",
                "IIF({1} IS NULL, 0, WEEKDAY({1}, {d}))", "COALESCE(MOD(CAST(TO_CHAR(CAST({1} AS DATE), 'D') AS INTEGER) + 7 - {d}, 7) + 1, 0)"},
     .note = "The day of the week counted from nFirstDay (1 Sunday to 7 Saturday), written as a number; 0, "
             "the application's SET FDOW, or a day not written out leaves the call as written."},
    {.id = "fn.week_first",
     .fox = "WEEK(d, nFirstWeek[, nFirstDay])",
     .example = "WEEK(d, 1, 2)",
     .place = Place::select,
     .words = "WEEK",
     .min_args = 2,
     .max_args = 3,
     .form = Form::weekday,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (DATEPART(DAYOFYEAR, {1}) - (DATEPART(WEEKDAY, {1}) + @@DATEFIRST + 7 - {d}) % 7 + 12) / 7 END)",
                "COALESCE(FLOOR((TRUNC({1}) - TRUNC({1}, 'YYYY') - MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 9 - {d}, 7) + 13) / 7), 0)",
                "IF({1} = 0, 0, FLOOR((DAYOFYEAR({1}) - MOD(DAYOFWEEK({1}) + 7 - {d}, 7) + 12) / 7))",
                "IIF({1} IS NULL, 0, DATEPART('ww', {1}, {d}, 1))",
                "COALESCE((CAST(TO_CHAR(CAST({1} AS DATE), 'DDD') AS INTEGER) - MOD(CAST(TO_CHAR(CAST({1} AS DATE), 'D') AS "
                "INTEGER) + 7 - {d}, 7) + 12) / 7, 0)"},
     .note = "nFirstWeek 0 or 1 (week 1 holds January 1), written as a number, with the week beginning on "
             "nFirstDay (1 Sunday, the default, to 7 Saturday): as WEEK(d), counted from that day. nFirstDay 0 "
             "(SET FDOW) or not written out leaves the call as written; nFirstWeek 2 and 3 are the next row."},
    {.id = "fn.week_rule",
     .fox = "WEEK(d, 2 or 3[, nFirstDay])",
     .example = "WEEK(d, 2, 2)",
     .place = Place::select,
     .form = Form::weekday,
     .target = {"(CASE WHEN {1} = '' THEN 0 ELSE (DATEPART(DAYOFYEAR, DATEADD(DAY, (3 - {w}) * 3 - (DATEPART(WEEKDAY, "
                "{1}) + @@DATEFIRST + 7 - {d}) % 7, {1})) + 6) / 7 END)",
                "COALESCE(FLOOR((TRUNC({1}) - MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 9 - {d}, 7) + (3 - {w}) * 3 - "
                "TRUNC(TRUNC({1}) - MOD(TRUNC({1}) - TRUNC({1}, 'IW') + 9 - {d}, 7) + (3 - {w}) * 3, 'YYYY')) / 7) + 1, 0)",
                "IF({1} = 0, 0, FLOOR((DAYOFYEAR(DATE_ADD({1}, INTERVAL (3 - {w}) * 3 - MOD(DAYOFWEEK({1}) + 7 - {d}, 7) "
                "DAY)) + 6) / 7))",
                "IIF({1} IS NULL, 0, DATEPART('ww', {1}, {d}, {w}))",
                "COALESCE((CAST(TO_CHAR(CAST({1} AS DATE) - MOD(CAST(TO_CHAR(CAST({1} AS DATE), 'D') AS INTEGER) + 7 - {d}, "
                "7) + (3 - {w}) * 3, 'DDD') AS INTEGER) + 6) / 7, 0)"},
     .note = "Week 1 the first with four days of the new year (2) or the first whole week (3): Access's DATEPART "
             "takes the same numbers. The servers count from the day that begins d's week (nFirstDay), or from "
             "the fourth day of that week under rule 2: the week belongs to the year that day falls in, and is "
             "its day of the year, less 1, divided by 7, plus 1 - so the days of early January before week 1 "
             "are in the last week of the year before (52 or 53), and those of late December after the last "
             "one in week 1."},
    {.id = "fn.date_of",
     .fox = "DATE(y, m, d)",
     .example = "DATE(YEAR(d), m, 31)",
     .place = Place::select,
     .words = "DATE",
     .min_args = 3,
     .max_args = 3,
     .target = {"DATETIMEFROMPARTS({1}, {2}, {3}, 0, 0, 0, 0)", "TO_DATE({1} || '-' || {2} || '-' || {3}, 'YYYY-MM-DD')",
                "STR_TO_DATE(CONCAT({1}, '-', {2}, '-', {3}), '%Y-%m-%d')", "DATESERIAL({1}, {2}, {3})",
                "MAKE_DATE({1}, {2}, {3})"},
     .note = "DATE() without arguments is the dialects' own row. A year outside 1 to 9999 (100 to 9999 on "
             "Access, whose dates begin there), a month outside 1 to 12 or a day the month lacks (DATE(0, 0, 1), DATE(2021, 2, 29), DATE(YEAR(d), MONTH(d), 1) of an empty "
             "d, whose parts are 0) make no date, which FoxPro gives as the empty date; each dialect gives its own "
             "empty date there. Unguarded, SQL Server's DATEFROMPARTS, Oracle's TO_DATE and PostgreSQL's MAKE_DATE "
             "stopped the statement with an error, MySQL's STR_TO_DATE gave a date no calendar holds (2020-00-01, "
             "2021-02-29) and Access's DATESERIAL rolled over into the next month or year. The day is tested "
             "against the month's last day only once the parts are known to be in range, so that the test "
             "itself stops nothing; a NULL part gives NULL. Only the tests a part can fail are written: parts "
             "written out as numbers are judged when converting (the call, or the empty date), a year, month or "
             "day written out in range needs no test of its range, a day of 1 to 28 none of the month's last "
             "day, and YEAR(x), MONTH(x), DAY(x) need no test where the parts of the dialect's empty date are "
             "in range (SQL Server's 1900-01-01): DATE(YEAR(d), MONTH(d), 1) is the call alone there. Access's "
             "empty date is NULL, whose parts DATESERIAL refuses: they are tested, as the 0 of the others. "
             "SQL Server's date is a DATETIME, as the structure conversion makes it, so that days added to it "
             "or taken from it (DATE(y, m, 1) - m.n, a DATE less a sum) are arithmetic the server takes, where a "
             "DATE refuses an int; a year before 1753, which DATETIME does not hold, gives the empty date."},
    {.id = "fn.int",
     .fox = "INT(n)",
     .example = "INT(n)",
     .place = Place::select,
     .words = "INT",
     .min_args = 1,
     .max_args = 1,
     .target = {"ROUND({1}, 0, 1)", "TRUNC({1})", "TRUNCATE({1}, 0)", "FIX({1})", "TRUNC({1})"},
     .note = "FoxPro's INT drops the fraction: INT(-2.5) is -2, where FLOOR gives -3."},
    {.id = "fn.like",
     .fox = "LIKE(p, x)",
     .example = "LIKE('R*', x)",
     .words = "LIKE,LIKEC",
     .min_args = 2,
     .max_args = 2,
     .shape = Shape::predicate,
     .form = Form::like,
     .target = {"({2} LIKE {1})", "({2} LIKE {1})", "({2} LIKE {1})", "({2} LIKE {1})", "(RTRIM({2}) LIKE {1})"},
     .note = "FoxPro's * and ? become % and _ (in a literal pattern; otherwise through REPLACE), the "
             "wildcards Access too reads for a client of ODBC or OLE DB (Access's REPLACE refuses a NULL: "
             "a NULL pattern is kept NULL by IIF there). The predicate x LIKE p stays as it is, but for a [ in "
             "a literal pattern on SQL Server and Access, written [[]: FoxPro reads it as itself, their LIKE "
             "as the start of a class of characters (not where an ESCAPE clause follows). FoxPro matches a "
             "fixed-width field without its trailing blanks (LIKE('Berlin', city) holds for a C(20) city); "
             "PostgreSQL's CHAR(n) keeps them in LIKE, so there the text is trimmed at the right (RTRIM "
             "keeps NULL NULL and makes a blank field '', which '%' still matches)."},
    {.id = "fn.dtot",
     .fox = "DTOT(d)",
     .example = "DTOT(d)",
     .place = Place::select,
     .words = "DTOT",
     .min_args = 1,
     .max_args = 1,
     .target = {"{1}", "{1}", "TIMESTAMP({1})", "{1}", "CAST({1} AS TIMESTAMP)"},
     .note = "SQL Server, Oracle and Access keep dates with a time of day already."},
    {.id = "fn.ctod",
     .fox = "CTOD(s)",
     .example = "CTOD('')",
     .place = Place::select,
     .words = "CTOD",
     .min_args = 1,
     .max_args = 1,
     .form = Form::ctod,
     .target = all("{} / {^...} / TTOD(x)"),
     .note = "CTOD of blanks, of \"\" or of SPACE(n) is the empty date; of a literal date, that date (read as "
             "{mm/dd/yyyy} is: CTOD('31.12.2020') is {^2020-12-31}); CTOD(DTOC(x)) is TTOD(x); of any other expression, as below."},
    {.id = "fn.ctot",
     .fox = "CTOT(s)",
     .example = "CTOT('01/31/2020 10:30')",
     .place = Place::select,
     .words = "CTOT",
     .min_args = 1,
     .max_args = 1,
     .form = Form::ctot,
     .target = all("{} / {^...}"),
     .note = "CTOT of a literal is the date and time it names (read as {mm/dd/yyyy hh:mm:ss}), of blanks the "
             "empty date; of any other expression, as below."},
    {.id = "fn.ctot_expression",
     .fox = "CTOT(expression)",
     .example = "CTOT(cStamp)",
     .place = Place::select,
     .form = Form::ctot,
     .target = {"CONVERT(DATETIME, {1}, {s})", "TO_DATE({1}, '{or} HH24:MI:SS')", "STR_TO_DATE({1}, '{my} %H:%i:%s')",
                "CDATE({1})", "CAST(TO_TIMESTAMP({1}, '{or} HH24:MI:SS') AS TIMESTAMP)"},
     .note = "The date is read as CTOD(expression) reads it, then the time on the 24-hour clock; a text that "
             "ends after the date or the minutes is read with the rest 0. A time with AM or PM (SET HOURS TO "
             "12) is read only by SQL Server and Access."},
    {.id = "fn.ctod_expression",
     .fox = "CTOD(expression)",
     .example = "CTOD(cDate)",
     .place = Place::select,
     .form = Form::ctod,
     .target = {"CONVERT(DATETIME, {1}, {s})", "TO_DATE({1}, '{or}')", "STR_TO_DATE({1}, '{my}')", "CDATE({1})",
                "TO_DATE(NULLIF(BTRIM({1}, ' -./'), ''), '{or}')"},
     .note = "Read in the order and with the separator of the date style the application sets "
             "(___TARNVEL_Set_DToC_Style; 102, yyyy.mm.dd, when it sets none); MySQL takes any punctuation "
             "between the parts (%.), as FoxPro does; Access reads it as Windows does. PostgreSQL: a text "
             "of blanks and separators only (DTOC of the empty date) is FoxPro's empty date, NULL there, "
             "where TO_DATE would stop the statement with an error."},
    {.id = "fn.cast",
     .fox = "CAST(x AS type)",
     .example = "CAST(a AS N(5,2))",
     .place = Place::select,
     .words = "CAST",
     .min_args = 1,
     .max_args = 1,
     .form = Form::cast,
     .target = all("see the CAST types"),
     .note = "A type the list below does not hold is left as written. D drops the time of a datetime, as "
             "FoxPro's does (SQL Server's CONVERT(DATETIME) and Access's CDATE would keep it)."},
    {.id = "fn.transform",
     .fox = "TRANSFORM(x)",
     .example = "TRANSFORM(n)",
     .place = Place::select,
     .words = "TRANSFORM,TRANSFOR,TRANSFO,TRANSF",
     .min_args = 1,
     .max_args = 2,
     .form = Form::transform,
     .target = {"CONVERT(VARCHAR(8000), {1})", "TO_CHAR({1})", "CONCAT({1})", "CSTR({1})", "CAST({1} AS TEXT)"},
     .note = "A picture of digits (\"999\", \"99.99\") is STR with the picture's width and decimals, "
             "\"@!\" is UPPER, \"@T\" ALLTRIM of the value's text (\"@!T\" both); \"@Z \" before such a "
             "picture (or one with thousands commas) gives blanks as wide "
             "as the picture where the value is 0, \"@B \" its text moved to the left; \"@R 99-99999999-9\" puts the "
             "value's characters in the picture's places (9 # X A N; ! in upper case) with the picture's other "
             "characters between them, taken from the left as of a text: a number fills it as FoxPro does "
             "when it has as many digits as the picture has places. Any other picture than those, \"@L 99...\" "
             "and digits with thousands commas or blanks is left as written."},
    {.id = "fn.transform_zeros",
     .fox = "TRANSFORM(x, \"@L 999\")",
     .example = "TRANSFORM(n, '@L 999')",
     .place = Place::select,
     .form = Form::transform,
     .target = {"RIGHT(REPLICATE('0', {w}) + CONVERT(VARCHAR(40), {1}), {w})", "LPAD({1}, {w}, '0')",
                "LPAD({1}, {w}, '0')", "FORMAT({1}, '{z}')", "LPAD(CAST({1} AS TEXT), {w}, '0')"},
     .note = "{w} is the number of 9s; {z} as many zeros."},
    {.id = "fn.transform_grouped",
     .fox = "TRANSFORM(x, \"999,999.99\")",
     .example = "TRANSFORM(n, '99,999.99')",
     .place = Place::select,
     .form = Form::transform,
     .target = {"RIGHT(SPACE({w}) + FORMAT({1}, '{3}'), {w})", "LPAD(TO_CHAR({1}, 'FM{2}'), {w})",
                "LPAD(FORMAT({1}, {d}), {w}, ' ')", "RIGHT(SPACE({w}) & FORMAT({1}, '{3}'), {w})",
                "LPAD(TO_CHAR({1}, 'FM{2}'), {w})"},
     .note = "Digits with thousands commas: the number rounded to the picture's decimals, with commas between "
             "the thousands, right-aligned in the picture's width. The servers write the separators of their "
             "language settings (SQL Server's FORMAT, MySQL's FORMAT: the comma and the point of English); a "
             "number too wide for the picture is cut on the left, where FoxPro writes asterisks."},
    {.id = "fn.transform_spaced",
     .fox = "TRANSFORM(x, \"999 999.99\")",
     .example = "TRANSFORM(n, '9 999 999.99')",
     .place = Place::select,
     .form = Form::transform,
     .target = {"REPLACE({1}, ',', ' ')", "REPLACE({1}, ',', ' ')", "REPLACE({1}, ',', ' ')", "REPLACE({1}, ',', ' ')",
                "REPLACE({1}, ',', ' ')"},
     .note = "Thousands set apart by blanks, in groups of three: {1} is the picture with commas for the blanks "
             "as above, its commas then blanks (Access's REPLACE as for OCCURS: the text it is given is never "
             "NULL there, blanks put before the number)."},
    {.id = "fn.at",
     .fox = "AT(a, s)",
     .example = "AT(m.cFind, name)",
     .place = Place::select,
     .words = "AT",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "", "INSTR({2}, {1}) * SIGN(CHAR_LENGTH({1}))", "INSTR({2}, {1}) * SGN(LEN({1}))",
                "STRPOS({2}, {1}) * SIGN(CHAR_LENGTH({1}))"},
     .note = "FoxPro finds the empty text nowhere (AT('', s) is 0, so AT(ALLTRIM(m.cFind), name) > 0 selects "
             "nothing when nothing was typed); MySQL's INSTR, Access's InStr and PostgreSQL's STRPOS find it "
             "at 1. SQL Server's CHARINDEX gives 0, Oracle's INSTR NULL: their own rows convert it. A text "
             "written out that is not empty is searched as it stands (AT('x', s))."},
    {.id = "fn.at_occurrence",
     .fox = "AT(a, s, n)",
     .example = "AT('x', s, 2)",
     .place = Place::select,
     .words = "AT",
     .min_args = 3,
     .max_args = 3,
     .form = Form::numbered,
     .target = {"", "INSTR({2}, {1}, 1, {3})",
                "CASE WHEN CHAR_LENGTH({1}) > 0 AND CHAR_LENGTH(SUBSTRING_INDEX({2}, {1}, {3})) < CHAR_LENGTH({2}) "
                "THEN CHAR_LENGTH(SUBSTRING_INDEX({2}, {1}, {3})) + 1 ELSE 0 END",
                "",
                "CASE WHEN CHAR_LENGTH({1}) > 0 AND CARDINALITY(STRING_TO_ARRAY({2}, {1})) > ({3}) THEN "
                "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({2}, {1}), "
                "CARDINALITY(STRING_TO_ARRAY({2}, {1})) - ({3})), {1})) + 1 ELSE 0 END"},
     .note = "The n-th occurrence: Oracle's INSTR counts occurrences. On MySQL the text before it "
             "(SUBSTRING_INDEX) is shorter than the whole text when there is one, and its length plus 1 is "
             "the place; on PostgreSQL (14 or later) the text cut at each occurrence has more than n pieces "
             "then, and the place follows the first n joined again. SQL Server's and Access's third "
             "argument is where the search starts: an n of 1, 2 or 3 written out searches again from "
             "the place after the last occurrence found (nothing found stays 0, and Access finds the "
             "empty text nowhere, as FoxPro); any other n leaves the call as written there.",
     .values = 2},
    {.id = "fn.strextract",
     .fox = "STREXTRACT(s, begin, end)",
     .example = "STREXTRACT(notes, '<tel>', '</tel>')",
     .place = Place::select,
     .words = "STREXTRACT",
     .min_args = 3,
     .max_args = 3,
     .target = strextract_first,
     .note = "The text between the first begin and the first end after it; the empty text when either is "
             "missing. SQL Server's CHARINDEX finds an empty begin nowhere, where FoxPro starts at the first "
             "character. With an occurrence or flags, the next row."},
    {.id = "fn.strextract_options",
     .fox = "STREXTRACT(s, begin, end, nOccurrence[, nFlags])",
     .example = "STREXTRACT(notes, '<tel>', '</tel>', 1, 0)",
     .place = Place::select,
     .words = "STREXTRACT",
     .min_args = 4,
     .max_args = 5,
     .form = Form::numbered,
     .note = "nOccurrence written as 1 and nFlags as 0 (or left out): STREXTRACT(s, begin, end); 2 or 3, the "
             "text after the second or third begin (each found from the end of the one before) up to the "
             "first end after it. nFlags 2 (no end needed) takes the rest of the text where no end follows; "
             "nFlags 1 (blind to case) where begin and end are literals holding no letter changes nothing and "
             "is read as 0 (3 as 2); else begin and end are found in the text made upper case (UPPER, which "
             "keeps a text's length but for a few letters such as the German sharp s on some servers). Any "
             "other occurrence, the flag keeping the delimiters (4), or numbers not written out leave the "
             "call as written. Access finds each with INSTR from a start (the one after the end of the one "
             "before, past the text's end where there was none: a start of 0 is refused) and compares by "
             "its compare argument: 0 (binary) as FoxPro, 1 (text) blind to case, in the text joined with "
             "the empty text (a NULL gives the empty text).",
     .values = 3},
    {.id = "fn.strtran_remove",
     .fox = "STRTRAN(s, a)",
     .example = "STRTRAN(phone, '-')",
     .place = Place::select,
     .words = "STRTRAN,STRTRA,STRTR,STRT",
     .min_args = 2,
     .max_args = 2,
     .target = {"REPLACE({1}, {2}, '')", "REPLACE({1}, {2}, '')", "REPLACE({1}, {2}, '')",
                "IIF({1} IS NULL, NULL, REPLACE({1} & '', {2}, '', 1, -1, 0))", "REPLACE({1}, {2}, '')"},
     .note = "Without a replacement FoxPro removes a; the servers' REPLACE (but Oracle's) needs the third "
             "argument. Access's REPLACE refuses a NULL text, kept NULL by IIF, and finds a by its "
             "compare argument 0 (binary), as FoxPro does; so does STRTRAN(s, a, b) there."},
    {.id = "fn.strtran_occurrences",
     .fox = "STRTRAN(s, a, b, nStart[, nCount[, nFlags]])",
     .example = "STRTRAN(s, 'a', 'b', 1, 1)",
     .place = Place::select,
     .words = "STRTRAN,STRTRA,STRTR,STRT",
     .min_args = 4,
     .max_args = 6,
     .form = Form::numbered,
     .note = "nStart 1 (or -1, the default) with no nCount or an nCount of -1 replaces every occurrence, as "
             "STRTRAN(s, a, b); nStart 1 and nCount 1, the first occurrence only; nStart 2, every occurrence "
             "after the first (nCount -1 or none) or the second only (nCount 1); nStart 1 and nCount 2, the "
             "first two; nStart 2 and nCount 2, the second and third; nStart 3, every occurrence from the third "
             "on, the third only or the third and fourth (on Oracle the n-th match of a's pattern, on PostgreSQL "
             "the text cut at every a and joined again). nFlags 1, 2 or 3 where a is a literal holding no "
             "letter change nothing (no letter to find in either case, no case of the found text to follow): "
             "such a call is read as nFlags 0; where b is a literal holding no letter, nFlags 2 changes nothing "
             "either (3 is read as 1, 2 as 0). nFlags 2 where a is a literal of ASCII holding letters, found in its own "
             "case, knows the case of the text found: b, a literal of printable ASCII, is written in small letters "
             "where a's letters are all small, in capitals where they are two or more capitals and none small, and "
             "as written where a's first letter is small and another a capital; the call is then read as nFlags 0 "
             "(a single capital, which is also a proper case, keeps the call). nFlags may be written as 0, or as 1 (a found blind to case) with every occurrence or "
             "the first only (nStart 1 or -1, nCount -1 or 1) on PostgreSQL and Oracle (a pattern of a with its "
             "punctuation escaped, flag i) and on SQL Server (a under the collation Latin1_General_CI_AS, "
             "whose code page 1252 VARCHAR text of another code page is read in) and on Access (REPLACE with "
             "its compare argument 1, blind to case; NULL kept NULL); MySQL leaves the call as written. "
             "Access finds the second and third occurrences with INSTR from the end of the one before "
             "(compare 0: case kept apart, as FoxPro finds a) and replaces from there with REPLACE, which "
             "gives the text from its start, so the text before it is put back with LEFT. "
             "Any other numbers, or numbers not written out, leave the call as written. SQL Server and MySQL "
             "find a by the column's collation, which may be blind to case.",
     .values = 3},
    {.id = "fn.dtoc_ansi",
     .fox = "DTOC(d, 1)",
     .example = "DTOC(d, 1)",
     .place = Place::select,
     .words = "DTOC",
     .min_args = 2,
     .max_args = 2,
     .form = Form::foxpro,
     .target = all("DTOS({1})"),
     .note = "yyyymmdd, as DTOS; DTOC(d) is the dialects' own row. A flag held in a variable or written as an "
             "expression is read by the server: IIF(flag = 1, DTOS(d), DTOC(d))."},
    {.id = "fn.min_of",
     .fox = "MIN(a, b)",
     .example = "MIN(a, b)",
     .place = Place::select,
     .words = "MIN",
     .min_args = 2,
     .max_args = 2,
     .target = {"(CASE WHEN {1} <= {2} THEN {1} ELSE {2} END)", "LEAST({1}, {2})", "LEAST({1}, {2})",
                "IIF({1} <= {2}, {1}, {2})", "LEAST({1}, {2})"},
     .note = "FoxPro's MIN and MAX of several values (MIN(x) is the aggregate). With a NULL, SQL Server and "
             "Access give the other value, FoxPro, MySQL and Oracle NULL."},
    {.id = "fn.min_logical",
     .fox = "MIN(l) where a condition stands (l a logical field)",
     .example = "MIN(l)",
     .place = Place::where,
     .words = "MIN",
     .min_args = 1,
     .max_args = 1,
     .target = {"(MIN(CAST({1} AS INT)) = 1)", "(MIN({1}) = 1)", "", "(MAX({1}) <> 0)", "BOOL_AND({1})"},
     .note = "The aggregate of a name alone where a condition stands (HAVING MIN(l), MIN(l) OR ...): the name "
             "is a logical field, and the group's least value is true when every row's is. SQL Server takes no "
             "BIT in MIN, PostgreSQL no BOOLEAN (BOOL_AND); Access stores true as -1, below false, so its "
             "greatest value is the least logical. Elsewhere MIN(x) is the dialect's own aggregate."},
    {.id = "fn.max_logical",
     .fox = "MAX(l) where a condition stands (l a logical field)",
     .example = "MAX(l)",
     .place = Place::where,
     .words = "MAX",
     .min_args = 1,
     .max_args = 1,
     .target = {"(MAX(CAST({1} AS INT)) = 1)", "(MAX({1}) = 1)", "", "(MIN({1}) <> 0)", "BOOL_OR({1})"},
     .note = "As MIN: true when any row's is (PostgreSQL BOOL_OR)."},
    {.id = "fn.max_of",
     .fox = "MAX(a, b)",
     .example = "MAX(a, b)",
     .place = Place::select,
     .words = "MAX",
     .min_args = 2,
     .max_args = 2,
     .target = {"(CASE WHEN {1} >= {2} THEN {1} ELSE {2} END)", "GREATEST({1}, {2})", "GREATEST({1}, {2})",
                "IIF({1} >= {2}, {1}, {2})", "GREATEST({1}, {2})"}},
    {.id = "fn.min_list",
     .fox = "MIN(a, b, c, ...)",
     .example = "MIN(a, b, c)",
     .place = Place::select,
     .words = "MIN",
     .min_args = 3,
     .max_args = 255,
     .form = Form::extreme,
     .target = {"{1} <= {2}", "LEAST({1+})", "LEAST({1+})", "{1} <= {2}", "LEAST({1+})"},
     .note = "SQL Server and Access choose the value that is no greater than any other, comparing every pair, "
             "so that a NULL among the values gives NULL, as in FoxPro (and in MySQL and Oracle); PostgreSQL's "
             "LEAST and GREATEST pass over NULL. A choice of more than 16 values, or of a value longer than "
             "512 characters, is left as written."},
    {.id = "fn.max_list",
     .fox = "MAX(a, b, c, ...)",
     .example = "MAX(a, b, c)",
     .place = Place::select,
     .words = "MAX",
     .min_args = 3,
     .max_args = 255,
     .form = Form::extreme,
     .target = {"{1} >= {2}", "GREATEST({1+})", "GREATEST({1+})", "{1} >= {2}", "GREATEST({1+})"},
     .note = "As MIN."},
    {.id = "fn.rand",
     .fox = "RAND()",
     .example = "RAND()",
     .place = Place::select,
     .words = "RAND",
     .target = {"RAND(CHECKSUM(NEWID()))", "DBMS_RANDOM.VALUE", "", "RND()", "RANDOM()"},
     .note = "A number from 0 up to 1, a new one for every row. SQL Server's RAND() draws one number for the "
             "whole statement, so it is given a seed of its own per row; Access draws one number per statement "
             "for RND() where FoxPro draws one per row. RAND(nSeed) is left as written: the servers that take "
             "a seed (SQL Server, MySQL) have RAND themselves."},
    {.id = "fn.rand_seeded",
     .fox = "RAND(-1)",
     .example = "RAND(-1)",
     .place = Place::select,
     .words = "RAND",
     .min_args = 1,
     .max_args = 1,
     .form = Form::numbered,
     .note = "A seed of -1 seeds from the clock, a number no one can tell beforehand, as RAND() draws one: "
             "written as RAND() is. SQL Server and MySQL take -1 as a fixed seed, the same numbers every "
             "time. Any other seed stays as written (Oracle, Access and PostgreSQL seed in a statement of "
             "their own).",
     .values = 0},
    {.id = "fn.recno",
     .fox = "RECNO()",
     .example = "SELECT RECNO() AS line, a FROM t",
     .place = Place::statement,
     .words = "RECNO,RECN",
     .min_args = 0,
     .max_args = 0,
     .form = Form::recno,
     .target = {"ROW_NUMBER() OVER (ORDER BY (SELECT NULL))", "ROW_NUMBER() OVER (ORDER BY NULL)",
                "ROW_NUMBER() OVER ()", "", "ROW_NUMBER() OVER ()"},
     .note = "In the select list of a statement that reads one table whole (no join, second table, WHERE, "
             "GROUP BY or HAVING) the record number numbers the rows 1, 2, 3, ... in the table's order: the "
             "row's number in the order the server reads the table (MySQL 8 and MariaDB 10.2 have "
             "ROW_NUMBER). In any other statement that reads one table (WHERE RECNO() = n, a filtered or grouped "
             "read) the table is read as a derived table of its rows numbered so, under its own name or alias, "
             "and RECNO() is that number (RECNO_N), taken before WHERE filters the rows as FoxPro's record "
             "number is. The server's order is the order the rows were stored in where the table was filled in "
             "record order, as upsizing does; no server promises it. Left as written beside a join or a second "
             "table, beside * (the number would be one more column of the result), and as RECNO(alias). Access "
             "has no row number. RECNO() = 0 alone in a condition holds for no row (records are numbered from 1) and "
             "is written 1 = 0 on every target, the idiom's empty result with the table's columns."},
    {.id = "fn.ceiling",
     .fox = "CEILING(x)",
     .example = "CEILING(x)",
     .place = Place::select,
     .words = "CEILING,CEILIN,CEILI",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "CEIL({1})", "", "(-INT(-({1})))", ""}},
    {.id = "fn.sign",
     .fox = "SIGN(x)",
     .example = "SIGN(x)",
     .place = Place::select,
     .words = "SIGN",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "SGN({1})", ""},
     .note = "Access names it SGN; the other dialects have SIGN."},
    {.id = "fn.bitand",
     .fox = "BITAND(a, b)",
     .example = "BITAND(flags, 4)",
     .place = Place::select,
     .words = "BITAND",
     .min_args = 2,
     .max_args = 2,
     .form = Form::mask,
     .target = {"({1} & {2})", "", "CAST({1} & {2} AS SIGNED)", "{2}", "(CAST({1} AS INTEGER) & CAST({2} AS INTEGER))"},
     .note = "Oracle has BITAND; SQL Server, MySQL and PostgreSQL the operator &, which SQL Server reads at the "
             "level of + and -, left to right: an operand other than a name, number or call is written in "
             "parentheses (BITAND(f, 1 + 2) is f & (1 + 2)). Jet SQL has no bit operator: "
             "where one operand is a mask written as a whole number (1 to 2147483647) of four runs of bits at "
             "most, each run of the other operand is read with INT, which rounds down: bits lo to hi of n are "
             "INT(n / 2^lo) - 2^(hi - lo + 1) * INT(n / 2^(hi + 1)), times 2^lo (a negative n read as 32 bits "
             "with a sign, as FoxPro reads it; a fraction is dropped downwards, where FoxPro drops it towards "
             "0). Any other call is left as written there: the Jet drivers read AND, OR and XOR of numbers "
             "as logical (KB 194206, Jet drivers do not support bitwise operators), and BAND, BOR and BXOR "
             "belong to the ANSI-92 mode of OLE DB alone, which an ODBC client does not get. MySQL computes with 64 bits and no sign: the result is read back with a "
             "sign, as FoxPro gives it. PostgreSQL's & takes integers, not the NUMERIC of an N field."},
    {.id = "fn.bitor",
     .fox = "BITOR(a, b)",
     .example = "BITOR(flags, 4)",
     .place = Place::select,
     .words = "BITOR",
     .min_args = 2,
     .max_args = 2,
     .form = Form::mask,
     .target = {"({1} | {2})", "({1} + {2} - BITAND({1}, {2}))", "CAST({1} | {2} AS SIGNED)", "({1} + {3} - {2})",
                "(CAST({1} AS INTEGER) | CAST({2} AS INTEGER))"},
     .note = "Oracle has BITAND alone: the sum less the bits both have; Access so too, with a mask written as "
             "a whole number, its bits read as for BITAND (any other call left as written there). MySQL's result is read back with a sign, PostgreSQL's operands made integers, as "
             "for BITAND."},
    {.id = "fn.bitxor",
     .fox = "BITXOR(a, b)",
     .example = "BITXOR(flags, 4)",
     .place = Place::select,
     .words = "BITXOR",
     .min_args = 2,
     .max_args = 2,
     .form = Form::mask,
     .target = {"(({1} | {2}) - ({1} & {2}))", "({1} + {2} - 2 * BITAND({1}, {2}))", "CAST(({1} | {2}) - ({1} & {2}) AS SIGNED)",
                "({1} + {3} - 2 * {2})", "((CAST({1} AS INTEGER) | CAST({2} AS INTEGER)) - (CAST({1} AS INTEGER) & CAST({2} AS INTEGER)))"},
     .note = "The bits either has less the bits both have (SQL Server's and MySQL's ^ would start a text the "
             "clause converter copies unread); Oracle: the sum less twice the bits both have. MySQL computes "
             "with 64 bits and no sign: the "
             "answer is read back with a sign, which gives FoxPro's for values of 32 bits. PostgreSQL's bit "
             "operators take whole numbers, not a NUMERIC field: the 32-bit INTEGER, FoxPro's own (its # is "
             "FoxPro's not-equal to the residue check). Access: the sum less twice the bits both have, with a mask "
             "written as a whole number, read as for BITAND (any other call left as written)."},
    {.id = "fn.bitnot",
     .fox = "BITNOT(n)",
     .example = "BITNOT(flags)",
     .place = Place::select,
     .words = "BITNOT",
     .min_args = 1,
     .max_args = 1,
     .target = all("(-({1}) - 1)"),
     .note = "Every bit turned over in 32 bits with a sign is -n - 1, which every target computes (MySQL's ~ "
             "would give a number of 64 bits without a sign). A fraction is kept, where FoxPro drops it first."},
    {.id = "fn.bitlshift",
     .fox = "BITLSHIFT(n, k)",
     .example = "BITLSHIFT(flags, 2)",
     .place = Place::select,
     .words = "BITLSHIFT",
     .min_args = 2,
     .max_args = 2,
     .target = {"(({1}) * POWER(2, {2}))", "(({1}) * POWER(2, {2}))", "CAST({1} << {2} AS SIGNED)", "(({1}) * 2 ^^^ ({2}))",
                "(CAST({1} AS INTEGER) << CAST({2} AS INTEGER))"},
     .note = "n times 2 to the k. PostgreSQL shifts an INTEGER in 32 bits, as FoxPro does; elsewhere a bit "
             "shifted past the 32nd gives a larger number (SQL Server: an overflow of INT), where FoxPro's "
             "wraps round to a negative one."},
    {.id = "fn.bitrshift",
     .fox = "BITRSHIFT(n, k)",
     .example = "BITRSHIFT(flags, 2)",
     .place = Place::select,
     .words = "BITRSHIFT",
     .min_args = 2,
     .max_args = 2,
     .target = {"FLOOR(({1}) / POWER(2.0, {2}))", "FLOOR(({1}) / POWER(2, {2}))", "FLOOR(({1}) / POWER(2, {2}))",
                "INT(({1}) / 2 ^^^ ({2}))", "(CAST({1} AS INTEGER) >> CAST({2} AS INTEGER))"},
     .note = "n divided by 2 to the k, rounded down: right for every n of no sign; a negative n keeps its "
             "sign (an arithmetic shift)."},
    {.id = "fn.bittest",
     .fox = "BITTEST(n, k)",
     .example = "BITTEST(flags, 2)",
     .words = "BITTEST",
     .min_args = 2,
     .max_args = 2,
     .shape = Shape::predicate,
     .target = {"(({1} & POWER(2, {2})) <> 0)", "(BITAND({1}, POWER(2, {2})) <> 0)", "(({1} >> {2}) & 1 = 1)",
                "(INT(({1}) / 2 ^^^ ({2})) - 2 * INT(({1}) / 2 ^^^ (({2}) + 1)) = 1)",
                "((CAST({1} AS INTEGER) >> CAST({2} AS INTEGER)) & 1 = 1)"},
     .note = "Whether bit k (0 the lowest) is set: a condition, which SQL Server and Oracle write as a CASE in "
             "the select list. Access has no bit operator: n divided by 2 to the k and rounded down (INT), less "
             "twice the same for k + 1, is the bit, as 32 bits with a sign hold it (a negative n too)."},
    {.id = "fn.bitset",
     .fox = "BITSET(n, k)",
     .example = "BITSET(flags, 2)",
     .place = Place::select,
     .words = "BITSET",
     .min_args = 2,
     .max_args = 2,
     .target = {"({1} | POWER(2, {2}))", "({1} + POWER(2, {2}) - BITAND({1}, POWER(2, {2})))",
                "CAST({1} | (1 << {2}) AS SIGNED)", "(({1}) + (1 - (INT(({1}) / 2 ^^^ ({2})) - 2 * INT(({1}) / 2 ^^^ (({2}) + 1)))) * 2 ^^^ ({2}))",
                "(CAST({1} AS INTEGER) | (1 << CAST({2} AS INTEGER)))"},
     .note = "Bit k set. Oracle adds the bit where n lacks it; Access too, the bit read as for BITTEST. Setting "
             "bit 31 gives 2147483648 there, where FoxPro's 32 bits give -2147483648."},
    {.id = "fn.bitclear",
     .fox = "BITCLEAR(n, k)",
     .example = "BITCLEAR(flags, 2)",
     .place = Place::select,
     .words = "BITCLEAR",
     .min_args = 2,
     .max_args = 2,
     .target = {"({1} & ~POWER(2, {2}))", "({1} - BITAND({1}, POWER(2, {2})))", "CAST({1} & ~(1 << {2}) AS SIGNED)",
                "(({1}) - (INT(({1}) / 2 ^^^ ({2})) - 2 * INT(({1}) / 2 ^^^ (({2}) + 1))) * 2 ^^^ ({2}))", "(CAST({1} AS INTEGER) & ~(1 << CAST({2} AS INTEGER)))"},
     .note = "Bit k cleared. Oracle takes the bit away where n has it; Access too, the bit read as for "
             "BITTEST. Clearing bit 31 of a negative n gives a number below -2147483648 there, where FoxPro's "
             "32 bits give a positive one."},
    {.id = "fn.sqrt",
     .fox = "SQRT(x)",
     .example = "SQRT(x)",
     .place = Place::select,
     .words = "SQRT",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "SQR({1})", ""},
     .note = "Access names it SQR; the other dialects have SQRT."},
    {.id = "fn.ntom",
     .fox = "NTOM(n), MTON(m)",
     .example = "NTOM(n)",
     .place = Place::select,
     .words = "NTOM",
     .min_args = 1,
     .max_args = 1,
     .target = {"CAST({1} AS MONEY)", "CAST({1} AS NUMBER(19,4))", "CAST({1} AS DECIMAL(19,4))", "CCUR({1})", "CAST({1} AS NUMERIC(19,4))"},
     .note = "Currency as the type the structure conversion gives a currency field."},
    {.id = "fn.mton",
     .fox = "MTON(m)",
     .example = "MTON(m)",
     .place = Place::select,
     .words = "MTON",
     .min_args = 1,
     .max_args = 1,
     .target = {"CAST({1} AS NUMERIC(19,4))", "CAST({1} AS NUMBER(19,4))", "CAST({1} AS DECIMAL(19,4))",
                "CDBL({1})", "CAST({1} AS NUMERIC(19,4))"}},
    {.id = "fn.rgb",
     .fox = "RGB(r, g, b)",
     .example = "RGB(255, 0, g)",
     .place = Place::select,
     .words = "RGB",
     .min_args = 3,
     .max_args = 3,
     .target = all("(({1}) + ({2}) * 256 + ({3}) * 65536)"),
     .note = "The colour number FoxPro gives."},
    {.id = "fn.stuff",
     .fox = "STUFF(s, i, n, r)",
     .example = "STUFF(s, 2, 3, 'xy')",
     .place = Place::select,
     .words = "STUFF",
     .min_args = 4,
     .max_args = 4,
     .target = {"", "(SUBSTR({1}, 1, {2} - 1) || {4} || SUBSTR({1}, {2} + {3}))", "CONCAT(LEFT({1}, {2} - 1), {4}, SUBSTRING({1}, {2} + {3}))",
                "(LEFT({1}, {2} - 1) & {4} & MID({1}, {2} + {3}))", "(SUBSTR({1}, 1, {2} - 1) || {4} || SUBSTR({1}, {2} + {3}))"},
     .note = "Not MySQL's INSERT, which returns the text unchanged when the position is past its end (a blank "
             "CHAR field reads back empty there): FoxPro puts the replacement at the end."},
    {.id = "fn.padc",
     .fox = "PADC(s, n[, c])",
     .example = "PADC(s, 10)",
     .place = Place::select,
     .words = "PADC",
     .min_args = 2,
     .max_args = 3,
     .target = {"LEFT(ISNULL(REPLICATE({3}, ({2} - LEN({1} + '.') + 1) / 2), '') + {1} + REPLICATE({3}, {2}), {2})",
                "NVL(RPAD(LPAD({1}, TRUNC(({2} + LENGTH({1})) / 2), {3}), {2}, {3}), RPAD({3}, {2}, {3}))",
                "RPAD(LPAD({1}, FLOOR(({2} + CHAR_LENGTH({1})) / 2), {3}), {2}, {3})",
                "LEFT(STRING(IIF(LEN({1}) < {2}, INT(({2} - LEN({1})) / 2), 0), {3}) + {1} + STRING({2}, {3}), {2})",
                "RPAD(LPAD({1}, ({2} + LENGTH({1})) / 2, {3}), {2}, {3})"},
     .note = "s in the middle of n characters of c (a blank when it is left out), the odd one on the right; a "
             "longer s is cut to its first n characters. SQL Server counts the trailing blanks of s (LEN of s "
             "and a dot), as Oracle's LENGTH does; MySQL and PostgreSQL read a fixed-width field without them. "
             "Oracle's empty text is NULL, which its LPAD and RPAD give back: n characters of c stand in for it.",
     .left_out = "' '"},
    {.id = "fn.occurs",
     .fox = "OCCURS(a, s)",
     .example = "OCCURS('x', s)",
     .place = Place::select,
     .words = "OCCURS,OCCUR,OCCU",
     .min_args = 2,
     .max_args = 2,
     .target = {"COALESCE((DATALENGTH({2}) - DATALENGTH(REPLACE({2}, {1}, ''))) / NULLIF(DATALENGTH({1}), 0), 0)",
                "NVL((LENGTH({2}) - NVL(LENGTH(REPLACE({2}, {1})), 0)) / LENGTH({1}), 0)",
                "COALESCE(FLOOR((CHAR_LENGTH({2}) - CHAR_LENGTH(REPLACE({2}, {1}, ''))) / CHAR_LENGTH({1})), 0)",
                "INT((LEN({2} & '') - LEN(REPLACE({2} & '', {1} & '', '', 1, -1, 0))) / IIF(LEN({1} & '') = 0, 1, LEN({1} & "
                "'')))",
                "COALESCE((LENGTH({2}) - LENGTH(REPLACE({2}, {1}, ''))) / NULLIF(LENGTH({1}), 0), 0)"},
     .note = "SQL Server compares by the column's collation, so a case-insensitive one counts 'A' for 'a'. "
             "Jet runs the functions of the VBA library for a client of ODBC or OLE DB too, all but those its "
             "sandbox blocks there (files, the shell, settings: the list in Access 2003's help, About Microsoft "
             "Jet Expression Service sandbox mode, and KB 294698, sandbox mode on for every program but Access); "
             "REPLACE, INSTRREV, MID, STRING and CHR are not among them. VBA's Replace (learn.microsoft.com/"
             "office/vba/Language/Reference/User-Interface-Help/replace-function) takes a start, a count and a "
             "compare argument, returns the text from the start on, and refuses a NULL text. "
             "Access: REPLACE with its compare argument 0 (binary: case kept apart, as FoxPro counts), from "
             "the first character (1), every occurrence (-1); REPLACE refuses a NULL, so the texts are "
             "joined with the empty text (& ''), and NULL counts 0, as on the other servers; an empty a "
             "leaves the text as it is and divides by 1."},
    {.id = "fn.getwordcount",
     .fox = "GETWORDCOUNT(s)",
     .example = "GETWORDCOUNT(s)",
     .place = Place::select,
     .words = "GETWORDCOUNT",
     .min_args = 1,
     .max_args = 1,
     .target = {"(LEN(REPLACE(REPLACE(' ' + REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), ' '), CHAR(10), ' ') "
                "+ ' ', ' ', ' ' + CHAR(9)), CHAR(9) + ' ', '')) - LEN(REPLACE(REPLACE(REPLACE(' ' + "
                "REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), ' '), CHAR(10), ' ') + ' ', ' ', ' ' + CHAR(9)), "
                "CHAR(9) + ' ', ''), CHAR(9), '')) - 2)",
                "NVL(REGEXP_COUNT({1}, '[^ ' || CHR(9) || CHR(10) || CHR(13) || ']+'), 0)",
                "(CHAR_LENGTH(REGEXP_REPLACE({1}, '[^ \\\\t\\\\n\\\\r]+', 'x')) - CHAR_LENGTH(REGEXP_REPLACE({1}, '[^ \\\\t\\\\n\\\\r]+', '')))",
                word_count_access,
                "(LENGTH(REGEXP_REPLACE({1}, '[^ \\t\\n\\r]+', 'x', 'g')) - LENGTH(REGEXP_REPLACE({1}, '[^ \\t\\n\\r]+', '', 'g')))"},
     .note = "The words between blanks, tabs, carriage returns and line feeds (FoxPro's delimiters), a run of "
             "them one delimiter: each word made one character, the length less the length without the words (Oracle counts them). MySQL's literal "
             "doubles the backslash, which its regular expression reads. SQL Server has no regular "
             "expressions: tabs, carriage returns and line feeds become blanks, the text is put between two "
             "blanks, and each run of blanks becomes a blank and a tab (every blank followed by a tab, then "
             "every tab followed by a blank dropped); the tabs less the two runs at the ends are the words. "
             "Access as SQL Server, with CHR and &; its LEN counts the trailing blanks, so the tabs are the "
             "length less the length without them, less the run at the start (REPLACE refuses a NULL, so "
             "the text is joined with the empty text: a NULL text has no words there). A call with "
             "delimiters of its own: left as written on Access."},
    {.id = "fn.getwordcount_delimiters",
     .fox = "GETWORDCOUNT(s, cDelimiters)",
     .example = "GETWORDCOUNT(s, ',;')",
     .place = Place::select,
     .words = "GETWORDCOUNT",
     .min_args = 2,
     .max_args = 2,
     .form = Form::delimiters,
     .target = {word_count_marked_sqlserver, "NVL(REGEXP_COUNT({1}, '[^{2}]+'), 0)",
                "(CHAR_LENGTH(REGEXP_REPLACE({1}, '[^{2}]+', 'x')) - CHAR_LENGTH(REGEXP_REPLACE({1}, '[^{2}]+', '')))",
                word_count_marked_access,
                "(LENGTH(REGEXP_REPLACE({1}, '[^{2}]+', 'x', 'g')) - LENGTH(REGEXP_REPLACE({1}, '[^{2}]+', '', 'g')))"},
     .note = "The words between the characters of cDelimiters, a run of them one delimiter, as GETWORDCOUNT(s) "
             "counts them: the delimiters a literal of characters that stand for themselves in a class of a "
             "regular expression (no letter, quote, bracket, backslash or caret; a dash is listed last). SQL Server (no regular "
             "expressions) replaces each delimiter of a literal of ASCII characters but the quote by CHAR(1) in "
             "the text read as NVARCHAR(MAX) under a binary collation, makes each run of marks one and counts "
             "them (a text holding CHAR(1) or CHAR(2) itself is misread). Access (no regular expressions) so "
             "too, with CHR(1) and REPLACE finding each delimiter by its code (compare 0) in the text joined "
             "with the empty text (REPLACE refuses a NULL: no words there). Any other list is left as written."},
    {.id = "fn.getwordnum",
     .fox = "GETWORDNUM(s, n)",
     .example = "GETWORDNUM(s, 2)",
     .place = Place::select,
     .words = "GETWORDNUM",
     .min_args = 2,
     .max_args = 2,
     .form = Form::numbered,
     .target = {word_sqlserver, "REGEXP_SUBSTR({1}, '[^ ' || CHR(9) || CHR(10) || CHR(13) || ']+', 1, {2})",
                "SUBSTRING_INDEX(SUBSTRING_INDEX(CONCAT(TRIM(REGEXP_REPLACE({1}, '[ \\\\t\\\\n\\\\r]+', ' ')), REPEAT(' ', {2})), ' ', "
                "{2}), ' ', -1)",
                word_access, "SPLIT_PART(BTRIM(REGEXP_REPLACE({1}, '[ \\t\\n\\r]+', ' ', 'g')), ' ', {2})"},
     .note = "The n-th word, the empty text past the last. MySQL and PostgreSQL make each run of delimiters one "
             "blank and take the n-th piece (MariaDB's REGEXP_SUBSTR takes no occurrence); MySQL adds n blanks, "
             "so that a count past the last word gives an empty piece. SQL Server, for n written as 1 or 2: tabs, "
             "carriage returns and line feeds become blanks, the leading blanks are dropped (LTRIM) and the "
             "first word is the text before the next blank; the second is the first of what follows that "
             "blank. Any other n on SQL Server: the delimiters made CHAR(1) in the text read as NVARCHAR(MAX) "
             "under a binary collation, each run of them one, each then made as long as the text with three "
             "more characters: the n-th stretch of that length holds the n-th word and marks only (the "
             "result NVARCHAR under the database's collation; its size grows with the square of the text's). "
             "Access as SQL Server for any n, with CHR(1) and CHR(2) for the marks, STRING for the long ones "
             "and MID (a text holding those characters itself is misread; a NULL text gives the empty one)."},
    {.id = "fn.getwordnum_delimiters",
     .fox = "GETWORDNUM(s, n, cDelimiters)",
     .example = "GETWORDNUM(s, 2, ',;')",
     .place = Place::select,
     .words = "GETWORDNUM",
     .min_args = 3,
     .max_args = 3,
     .form = Form::delimiters,
     .target = {word_marked_sqlserver, "REGEXP_SUBSTR({1}, '[^{3}]+', 1, {2})",
                "SUBSTRING_INDEX(SUBSTRING_INDEX(CONCAT(TRIM(BOTH LEFT('{3}', 1) FROM REGEXP_REPLACE({1}, '[{3}]+', "
                "LEFT('{3}', 1))), REPEAT(LEFT('{3}', 1), {2})), LEFT('{3}', 1), {2}), LEFT('{3}', 1), -1)",
                word_marked_access,
                "SPLIT_PART(BTRIM(REGEXP_REPLACE({1}, '[{3}]+', CHR(1), 'g'), CHR(1)), CHR(1), {2})"},
     .note = "The n-th word between the characters of cDelimiters, a run of them one delimiter, the empty text "
             "past the last: the delimiters a literal as GETWORDCOUNT(s, cDelimiters) takes. MySQL and "
             "PostgreSQL make each run of delimiters one character (MySQL the first delimiter, PostgreSQL the "
             "character of code 1), drop it at the ends and take the n-th piece; MySQL adds n of them, so "
             "that a count past the last word gives an empty piece. SQL Server marks the delimiters as "
             "GETWORDCOUNT(s, cDelimiters) does there and takes the word as GETWORDNUM(s, n) does; so does "
             "Access, with its marks as for GETWORDCOUNT(s, cDelimiters) and its word as for GETWORDNUM(s, n)."},
    {.id = "fn.strconv",
     .fox = "STRCONV(s, n)",
     .example = "STRCONV(s, 11)",
     .place = Place::select,
     .words = "STRCONV",
     .min_args = 2,
     .max_args = 2,
     .form = Form::numbered,
     .note = "The conversions between UTF-8, Unicode and the code page (9 to 12) are the client's on a server, "
             "whose text columns hold characters, not bytes of a code page: the text itself. The other "
             "conversions (single- and double-width characters, Base64, hexadecimal) are left as written."},
    {.id = "fn.ttoc",
     .fox = "TTOC(t), TTOC(t, 1), TTOC(t, 2), TTOC(t, 3)",
     .example = "TTOC(t, 1)",
     .place = Place::select,
     .words = "TTOC",
     .min_args = 1,
     .max_args = 2,
     .form = Form::numbered,
     .note = "1 gives yyyymmddhhmmss and 3 the ISO form yyyy-mm-ddThh:mm:ss. TTOC(t) is the date as DTOC(t) "
             "writes it, a blank and the time; 2 the time alone. The time is hh:mm:ss on the 24-hour clock, "
             "as TIME() writes it (FoxPro's SET HOURS TO 24); an application on the 12-hour clock gets no AM "
             "or PM. The empty datetime is blanks between the separators (TTOC(t)) or 14 blanks (TTOC(t, 1)); "
             "2 and 3, and TTOC(t) on SQL Server and Access, write what the server stores."},
    {.id = "fn.chrtran",
     .fox = "CHRTRAN(s, from, to)",
     .example = "CHRTRAN(s, 'ab', 'x')",
     .place = Place::select,
     .words = "CHRTRAN,CHRTRA,CHRTR,CHRT",
     .min_args = 3,
     .max_args = 3,
     .form = Form::chrtran,
     .target = {"", "TRANSLATE({1}, CHR(1) || {2}, CHR(1) || {3})", "", "", "TRANSLATE({1}, {2}, {3})"},
     .note = "Oracle's TRANSLATE drops the characters of 'from' that 'to' has no counterpart for, as FoxPro "
             "does. SQL Server's TRANSLATE refuses lists of different lengths, and MySQL and Access have "
             "none: SQL Server, MySQL and Access take the next row's REPLACE, one character after the other, "
             "where the lists allow it."},
    {.id = "fn.chrtran_steps",
     .fox = "CHRTRAN(s, 'ab', 'x')",
     .example = "CHRTRAN(s, '*!', '')",
     .place = Place::select,
     .form = Form::chrtran,
     .target = {"REPLACE({1}, {2}, {3})", "", "REPLACE({1}, {2}, {3})", "REPLACE({1} & '', {2}, {3}, 1, -1, 0)", ""},
     .note = "With both lists literals (16 characters at most, no double quote, bracket or backslash; a quote "
             "written doubled) the replacements nest, one per character of 'from' ('' where 'to' is shorter), "
             "a step that takes a character out before any step that puts it in; where the steps put in one "
             "another's characters in a circle ('ab' to 'ba') the call is left as written. A "
             "list that is UTF-8 is read by its characters (CHRTRAN(s, 'áé', 'ae')), any other byte by "
             "byte. SQL Server's REPLACE follows the collation, by default blind to case: there lists that "
             "hold a letter or a character beyond ASCII take the next row's form. Access: REPLACE with its "
             "compare argument 0 (binary, as FoxPro compares), every occurrence from the first character; "
             "REPLACE refuses a NULL, so each step's text is joined with the empty text (& ''): a NULL text "
             "gives the empty text there."},
    {.id = "fn.chrtran_exact",
     .fox = "CHRTRAN(s, 'aé', 'AE')",
     .example = "CHRTRAN(s, 'aé', 'AE')",
     .place = Place::select,
     .form = Form::chrtran,
     .target = {"REPLACE({1}, {2} COLLATE Latin1_General_BIN2, {3})", "", "", "", ""},
     .note = "SQL Server: the character searched for under a binary collation, which tells case and "
             "accents apart as FoxPro does; the collation's code page (1252) is the one the text is "
             "read in there: VARCHAR text of another code page may lose the characters 1252 lacks (NVARCHAR keeps them)."},
    {.id = "fn.proper",
     .fox = "PROPER(s)",
     .example = "PROPER(s)",
     .place = Place::select,
     .words = "PROPER,PROPE,PROP",
     .min_args = 1,
     .max_args = 1,
     .target = {proper_sqlserver, "INITCAP({1})", proper_mysql, proper_access, "INITCAP({1})"},
     .note = "Oracle and PostgreSQL have INITCAP, which also takes a letter after a character that is no letter "
             "or digit for the start of a word (x,y gives X,Y; FoxPro gives X,y). SQL Server and MySQL: the "
             "text in lower case, each letter a to z after a blank in upper case (REPLACE, 26 times), and the "
             "first character in upper case; a letter beyond ASCII after a blank stays in lower case, and SQL "
             "Server's REPLACE follows the collation (an accent-blind one would take a for a). Access as SQL "
             "Server (UCASE, LCASE, MID), joined with +, which keeps a NULL text NULL; its REPLACE refuses a "
             "NULL, so the empty text is joined to the lower case first (& ''). Access's own StrConv(s, 3) "
             "also takes a tab or a line's end for the start of a word."},
    {.id = "fn.rat",
     .fox = "RAT(a, s)",
     .example = "RAT('x', s)",
     .place = Place::select,
     .words = "RAT",
     .min_args = 2,
     .max_args = 2,
     .target = {"(CASE WHEN CHARINDEX({1}, {2}) = 0 THEN 0 ELSE LEN({2} + '.') - CHARINDEX(REVERSE({1}), REVERSE({2})) "
                "- LEN({1} + '.') + 2 END)",
                "INSTR({2}, {1}, -1)",
                "(CASE WHEN LOCATE({1}, {2}) = 0 THEN 0 ELSE CHAR_LENGTH({2}) - LOCATE(REVERSE({1}), REVERSE({2})) "
                "- CHAR_LENGTH({1}) + 2 END)",
                "INSTRREV({2}, {1})",
                "(CASE WHEN STRPOS({2}, {1}) = 0 THEN 0 ELSE LENGTH({2}) - STRPOS(REVERSE({2}), REVERSE({1})) "
                "- LENGTH({1}) + 2 END)"},
     .note = "The last occurrence, 0 when there is none: where the server searches only from the left, the "
             "first occurrence in the reversed texts, counted back from the end (SQL Server's LEN drops "
             "trailing blanks, hence the '.'). SQL Server and MySQL compare by the column's collation, so a "
             "case-insensitive one finds 'A' for 'a'. RAT(a, s, n) is the next row."},
    {.id = "fn.rat_occurrence",
     .fox = "RAT(a, s, n)",
     .example = "RAT('x', s, 2)",
     .place = Place::select,
     .words = "RAT",
     .min_args = 3,
     .max_args = 3,
     .form = Form::numbered,
     .target = {"", "INSTR({2}, {1}, -1, {3})",
                "CASE WHEN CHAR_LENGTH({1}) > 0 AND CHAR_LENGTH(SUBSTRING_INDEX({2}, {1}, -({3}))) < CHAR_LENGTH({2}) "
                "THEN CHAR_LENGTH({2}) - CHAR_LENGTH(SUBSTRING_INDEX({2}, {1}, -({3}))) - CHAR_LENGTH({1}) + 1 ELSE 0 END",
                "",
                "CASE WHEN CHAR_LENGTH({1}) > 0 AND CARDINALITY(STRING_TO_ARRAY({2}, {1})) > ({3}) THEN "
                "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({2}, {1}), {3}), {1})) + 1 ELSE 0 END"},
     .note = "The n-th occurrence from the right: Oracle's INSTR counts occurrences back from the end. On MySQL "
             "the text after it (SUBSTRING_INDEX with -n) is shorter than the whole text when there is one, and "
             "the place is counted back from the end; on PostgreSQL the text cut at each occurrence has more "
             "than n pieces then, and the place follows all but the last n joined again. An n of 1 written out "
             "is RAT(a, s) on SQL Server and Access; on SQL Server an n of 2 or 3 written out is found in the "
             "reversed texts, each occurrence searched from the place after the one before, and counted back "
             "from the end; any other n leaves the call as written there. Access, for n of 2 or 3 written "
             "out: INSTRREV again, from the place just before the one found, 0 where that is before the "
             "first character (a start of 0 is refused); an a whose end is also its start (aa) may be "
             "found overlapping the one before on SQL Server, not here; the text joined with the empty text (INSTRREV gives "
             "NULL for a NULL text, which no start takes), times SGN(LEN(a)), so that the empty a is "
             "found nowhere.",
     .values = 2},
    // File names kept in a column. A name is read without the trailing blanks of a CHAR value; its
    // separators are \ and / between folders and the : of a drive; the extension is what follows the
    // last '.' of the file name.
    {.id = "fn.justfname",
     .fox = "JUSTFNAME(s)",
     .example = "JUSTFNAME(s)",
     .place = Place::select,
     .words = "JUSTFNAME,JUSTFNAM,JUSTFNA,JUSTFN,JUSTF",
     .min_args = 1,
     .max_args = 1,
     .target = {R"(RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1))",
                R"(REGEXP_SUBSTR(RTRIM({1}), '[^\\/:]*$'))",
                R"(SUBSTRING_INDEX(SUBSTRING_INDEX(SUBSTRING_INDEX(RTRIM({1}), '\\', -1), '/', -1), ':', -1))",
                R"(MID(RTRIM({1}), INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', '\'), '\') + 1))",
                R"(SUBSTRING(RTRIM({1}) FROM '[^\\/:]*$'))"},
     .note = "What follows the last \\, / or : (c:\\docs\\a.txt gives a.txt), without the trailing blanks of a CHAR "
             "value; the whole name where it has none. Access has no search for one of several characters: there "
             "/ and : are replaced by \\ (REPLACE keeps the length: one character for one), and INSTRREV finds "
             "the last \\ (0 where there is none, so MID takes the whole name); REPLACE refuses a NULL, so the "
             "name is joined with the empty text there (& ''), and MID of a NULL name gives NULL."},
    {.id = "fn.justext",
     .fox = "JUSTEXT(s)",
     .example = "JUSTEXT(s)",
     .place = Place::select,
     .words = "JUSTEXT,JUSTEX,JUSTE",
     .min_args = 1,
     .max_args = 1,
     .target = {R"((CASE WHEN SUBSTRING(REVERSE(RTRIM({1})) + '/', PATINDEX('%[.\/:]%', REVERSE(RTRIM({1})) + '/'), 1) = '.' )"
                R"(THEN RIGHT(RTRIM({1}), PATINDEX('%[.\/:]%', REVERSE(RTRIM({1})) + '/') - 1) ELSE '' END))",
                R"(REGEXP_SUBSTR(RTRIM({1}), '\.([^.\\/:]*)$', 1, 1, NULL, 1))",
                R"(REGEXP_REPLACE(SUBSTRING_INDEX(SUBSTRING_INDEX(SUBSTRING_INDEX(RTRIM({1}), '\\', -1), '/', -1), ':', -1), '^.*[.]|^[^.]*$', ''))",
                R"(IIF(INSTRREV(RTRIM({1}) & '', '.') > INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', ')"
                R"(\'), '\'), MID(RTRIM({1}), INSTRREV(RTRIM({1}) & '', '.') + 1), ''))",
                R"(RTRIM(COALESCE(SUBSTRING(RTRIM({1}) FROM '\.([^.\\/:]*)$'), '')))"},
     .note = "What follows the last '.' of the file name (a.b.txt gives txt; a dot in a folder's name, "
             "c:\\v1.2\\readme, gives none: the empty text), without the trailing blanks of a CHAR value. "
             "Access: the text after the last '.' where that stands after the last separator (found as for "
             "JUSTFNAME), else the empty text (a NULL name too, as on PostgreSQL)."},
    {.id = "fn.juststem",
     .fox = "JUSTSTEM(s)",
     .example = "JUSTSTEM(s)",
     .place = Place::select,
     .words = "JUSTSTEM,JUSTSTE,JUSTST,JUSTS",
     .min_args = 1,
     .max_args = 1,
     .target = {R"((CASE WHEN CHARINDEX('.', RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1)) >)"
                R"( 0 THEN LEFT(RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1),)"
                R"( LEN(RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1)) - CHARINDEX('.',)"
                R"( REVERSE(RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1)))) ELSE)"
                R"( RIGHT(RTRIM({1}), PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + '\') - 1) END))",
                R"(REGEXP_REPLACE(REGEXP_SUBSTR(RTRIM({1}), '[^\\/:]*$'), '\.[^.]*$'))",
                R"(REGEXP_REPLACE(SUBSTRING_INDEX(SUBSTRING_INDEX(SUBSTRING_INDEX(RTRIM({1}), '\\', -1), '/', -1), ':', -1), '[.][^.]*$', ''))",
                R"(MID(RTRIM({1}), INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', '\'), '\') + 1, IIF(IN)"
                R"(STRREV(RTRIM({1}) & '', '.') > INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', '\'), ')"
                R"(\'), INSTRREV(RTRIM({1}) & '', '.') - INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', )"
                R"('\'), '\') - 1, LEN(RTRIM({1}) & ''))))",
                R"(REGEXP_REPLACE(SUBSTRING(RTRIM({1}) FROM '[^\\/:]*$'), '\.[^.]*$', ''))"},
     .note = "The file name without its last '.' and what follows (a.b.txt gives a.b). SQL Server: the file "
             "name as JUSTFNAME, cut before the first '.' of it reversed. Access: MID from after the last "
             "separator (as JUSTFNAME), up to the last '.' where that stands after it."},
    {.id = "fn.justpath",
     .fox = "JUSTPATH(s)",
     .example = "JUSTPATH(s)",
     .place = Place::select,
     .words = "JUSTPATH,JUSTPAT,JUSTPA,JUSTP",
     .min_args = 1,
     .max_args = 1,
     .target = {R"(LEFT(RTRIM({1}), LEN(RTRIM({1})) - PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + ':') + CASE WHEN)"
                R"( SUBSTRING(REVERSE(RTRIM({1})) + ':', PATINDEX('%[\/:]%', REVERSE(RTRIM({1})) + ':'), 1) = ':' THEN)"
                R"( 1 ELSE 0 END))",
                R"(REGEXP_REPLACE(RTRIM({1}), '[\\/]?[^\\/:]*$'))",
                R"(REGEXP_REPLACE(RTRIM({1}), '[\\\\/]?[^\\\\/:]*$', ''))",
                R"(LEFT(RTRIM({1}), INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', '\'), '\') - IIF(MID()"
                R"(':' & RTRIM({1}), INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', '/', '\'), ':', '\'), '\') + 1, 1) =)"
                R"( ':', 0, 1)))",
                R"(REGEXP_REPLACE(RTRIM({1}), '[\\/]?[^\\/:]*$', ''))"},
     .note = "What precedes the file name, without the \\ or / that ends it (c:\\docs\\a.txt gives c:\\docs), "
             "the drive's : kept (c:a.txt gives c:); the empty text for a name alone. SQL Server: the last "
             "separator found in the name reversed (a ':' put after it stands for none, and is kept as a "
             "drive's is, so the length is 0). Access: LEFT up to the last separator (as JUSTFNAME), "
             "without it but for a drive's : (read in the name after a ':' put before it, which a name "
             "without a separator also finds, at 0)."},
    {.id = "fn.justdrive",
     .fox = "JUSTDRIVE(s)",
     .example = "JUSTDRIVE(s)",
     .place = Place::select,
     .words = "JUSTDRIVE,JUSTDRIV,JUSTDRI,JUSTDR,JUSTD",
     .min_args = 1,
     .max_args = 1,
     .target = {"LEFT({1}, CHARINDEX(':', {1}))", "SUBSTR({1}, 1, INSTR({1}, ':'))", "LEFT({1}, LOCATE(':', {1}))",
                "LEFT({1}, INSTR({1}, ':'))", "LEFT({1}, STRPOS({1}, ':'))"},
     .note = "The name up to its first : (c:\\docs\\a.txt gives c:), the empty text where it has none (a "
             "network name, \\\\server\\share)."},
    {.id = "fn.addbs",
     .fox = "ADDBS(s)",
     .example = "ADDBS(s)",
     .place = Place::select,
     .words = "ADDBS",
     .min_args = 1,
     .max_args = 1,
     .target = {R"(RTRIM(CASE WHEN RTRIM({1}) = '' OR RIGHT(RTRIM({1}), 1) = '\' THEN RTRIM({1}) ELSE RTRIM({1}) + '\' END))",
                R"(RTRIM(CASE WHEN RTRIM({1}) IS NULL OR SUBSTR(RTRIM({1}), -1) = '\' THEN RTRIM({1}) ELSE RTRIM({1}) || '\' END))",
                R"(RTRIM(IF(RTRIM({1}) = '' OR RIGHT(RTRIM({1}), 1) = '\\', RTRIM({1}), CONCAT(RTRIM({1}), '\\'))))",
                R"(RTRIM(IIF(RTRIM({1}) = '' OR RIGHT(RTRIM({1}), 1) = '\', RTRIM({1}), RTRIM({1}) & '\')))",
                R"(RTRIM(CASE WHEN RTRIM({1}) = '' OR RIGHT(RTRIM({1}), 1) = '\' THEN RTRIM({1}) ELSE RTRIM({1}) || '\' END))"},
     .note = "The name without the trailing blanks of a CHAR value, and a \\ after it unless it ends in one (c:\\docs "
             "gives c:\\docs\\). As FoxPro's, a name ending in / gets a \\ too, and the empty text stays empty (NULL on "
             "Oracle, whose empty text it is)."},
    {.id = "fn.forceext",
     .fox = "FORCEEXT(s, e)",
     .example = "FORCEEXT(s, 'pdf')",
     .place = Place::select,
     .words = "FORCEEXT,FORCEEX,FORCEE",
     .min_args = 2,
     .max_args = 2,
     .target = {R"((CASE WHEN SUBSTRING(REVERSE(RTRIM({1})) + '/', PATINDEX('%[.\/:]%', REVERSE(RTRIM({1})) + '/'), 1))"
                R"( = '.' THEN LEFT(RTRIM({1}), LEN(RTRIM({1})) - PATINDEX('%[.\/:]%', REVERSE(RTRIM({1})) + '/')))"
                R"( ELSE RTRIM({1}) END + '.' + {2}))",
                R"(REGEXP_REPLACE(RTRIM({1}), '\.[^.\\/:]*$') || '.' || {2})",
                R"(CONCAT(REGEXP_REPLACE(RTRIM({1}), '[.][^.\\\\/:]*$', ''), '.', {2}))",
                R"(LEFT(RTRIM({1}), IIF(INSTRREV(RTRIM({1}) & '', '.') > INSTRREV(REPLACE(REPLACE(RTRIM({1}) & '', )"
                R"('/', '\'), ':', '\'), '\'), INSTRREV(RTRIM({1}) & '', '.') - 1, LEN(RTRIM({1}) & ''))) + '.' + {)"
                R"(2})",
                R"(REGEXP_REPLACE(RTRIM({1}), '\.[^.\\/:]*$', '') || '.' || {2})"},
     .note = "The name without its extension, then '.' and e, written without its period (FORCEEXT(s, "
             "'pdf')): e is taken as it stands. SQL Server cuts the name before its last '.' where the "
             "name reversed has one before any separator. Access: LEFT up to before the last '.' where that "
             "stands after the last separator (as JUSTEXT), joined with + (a NULL name stays NULL)."},
    {.id = "fn.defaultext",
     .fox = "DEFAULTEXT(s, e)",
     .example = "DEFAULTEXT(s, 'txt')",
     .place = Place::select,
     .words = "DEFAULTEXT,DEFAULTEX,DEFAULTE",
     .min_args = 2,
     .max_args = 2,
     .target = {"",
                R"(RTRIM(CASE WHEN REGEXP_LIKE(RTRIM({1}), '\.[^.\\/:]+$') THEN RTRIM({1}) ELSE RTRIM({1}) || '.' || {2} END))",
                R"(RTRIM(IF(REGEXP_SUBSTR(RTRIM({1}), '[.][^.\\\\/:]+$') <> '', RTRIM({1}), CONCAT(RTRIM({1}), '.', {2}))))", "",
                R"(REGEXP_REPLACE(RTRIM({1}), '^([^.]*|.*[\\/:][^.\\/:]*)$', '\1.' || {2}))"},
     .note = "The name as it is where it has an extension, else the name, '.' and e. A name ending in '.' "
             "keeps it and gets no e on PostgreSQL, e after a second '.' on Oracle and MySQL. SQL Server and "
             "Access: left as written."},
    {.id = "fn.forcepath",
     .fox = "FORCEPATH(s, p)",
     .example = "FORCEPATH(s, 'c:\\docs')",
     .place = Place::select,
     .words = "FORCEPATH,FORCEPAT,FORCEPA,FORCEP",
     .min_args = 2,
     .max_args = 2,
     .target = {"",
                R"(RTRIM(CASE WHEN SUBSTR(RTRIM({2}), -1) IN ('\', '/') THEN RTRIM({2}) ELSE RTRIM({2}) || '\' END) || REGEXP_SUBSTR(RTRIM({1}), '[^\\/:]*$'))",
                R"(CONCAT(IF(RIGHT(RTRIM({2}), 1) IN ('\\', '/'), RTRIM({2}), CONCAT(RTRIM({2}), '\\')), SUBSTRING_INDEX(SUBSTRING_INDEX(SUBSTRING_INDEX(RTRIM({1}), '\\', -1), '/', -1), ':', -1)))",
                "",
                R"(RTRIM(CASE WHEN RIGHT(RTRIM({2}), 1) IN ('\', '/') THEN RTRIM({2}) ELSE RTRIM({2}) || '\' END) || SUBSTRING(RTRIM({1}) FROM '[^\\/:]*$'))"},
     .note = "ADDBS(p) + JUSTFNAME(s). SQL Server and Access: left as written, as JUSTFNAME on Access."},
    // A date as report text, the month's name in the server's language: SET CENTURY ON (four digits of
    // the year), the day in two digits.
    {.id = "fn.dmy",
     .fox = "DMY(d)",
     .example = "DMY(d)",
     .place = Place::select,
     .words = "DMY",
     .min_args = 1,
     .max_args = 1,
     .target = {"(RIGHT('0' + DATENAME(DAY, {1}), 2) + ' ' + DATENAME(MONTH, {1}) + ' ' + DATENAME(YEAR, {1}))",
                "TO_CHAR({1}, 'DD FMMonth YYYY')",
                "RTRIM(IF(MONTH({1}) = 0, '', DATE_FORMAT({1}, '%d %M %Y')))",
                "FORMAT({1}, 'dd mmmm yyyy')", "RTRIM(COALESCE(TO_CHAR(CAST({1} AS DATE), 'DD FMMonth YYYY'), ''))"},
     .note = "05 January 2020: the year in four digits, as with SET CENTURY ON (OFF would write 20). The "
             "empty date gives the empty text, as CDOW's."},
    {.id = "fn.mdy",
     .fox = "MDY(d)",
     .example = "MDY(d)",
     .place = Place::select,
     .words = "MDY",
     .min_args = 1,
     .max_args = 1,
     .target = {"(DATENAME(MONTH, {1}) + ' ' + RIGHT('0' + DATENAME(DAY, {1}), 2) + ', ' + DATENAME(YEAR, {1}))",
                "TO_CHAR({1}, 'FMMonth FMDD, YYYY')",
                "RTRIM(IF(MONTH({1}) = 0, '', DATE_FORMAT({1}, '%M %d, %Y')))",
                "FORMAT({1}, 'mmmm dd, yyyy')", "RTRIM(COALESCE(TO_CHAR(CAST({1} AS DATE), 'FMMonth DD, YYYY'), ''))"},
     .note = "January 05, 2020, as DMY (SET CENTURY ON)."},
    double_byte("fn.leftc", "LEFTC(s, n)", "LEFTC(s, 3)", 2, 2, "LEFT({1+})"),
    double_byte("fn.rightc", "RIGHTC(s, n)", "RIGHTC(s, 3)", 2, 2, "RIGHT({1+})"),
    double_byte("fn.lenc", "LENC(s)", "LENC(s)", 1, 1, "LEN({1})"),
    double_byte("fn.substrc", "SUBSTRC(s, i[, n])", "SUBSTRC(s, 2, 3)", 2, 3, "SUBSTR({1+})"),
    double_byte("fn.at_c", "AT_C(a, s[, n])", "AT_C('x', s)", 2, 3, "AT({1+})"),
    double_byte("fn.atcc", "ATCC(a, s)", "ATCC('x', s)", 2, 2, "ATC({1+})"),
    double_byte("fn.ratc", "RATC(a, s)", "RATC('x', s)", 2, 2, "RAT({1+})"),
    double_byte("fn.stuffc", "STUFFC(s, i, n, r)", "STUFFC(s, 2, 3, 'xy')", 4, 4, "STUFF({1+})"),
    double_byte("fn.chrtranc", "CHRTRANC(s, from, to)", "CHRTRANC(s, 'ab', 'x')", 3, 3, "CHRTRAN({1+})"),
    double_byte("fn.likec", "LIKEC(p, x)", "LIKEC('R*', x)", 2, 2, "LIKE({1+})", ""),
    {.id = "fn.floor",
     .fox = "FLOOR(x)",
     .example = "FLOOR(x)",
     .place = Place::select,
     .words = "FLOOR",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "INT({1})", ""},
     .note = "Access's INT rounds down, as FLOOR does; the other dialects have FLOOR."},
    {.id = "fn.pi",
     .fox = "PI()",
     .example = "PI()",
     .place = Place::select,
     .words = "PI",
     .target = {"", "ACOS(-1)", "", "(4 * ATN(1))", ""},
     .note = "Oracle and Access have no PI: its value from their arc cosine and arc tangent."},
    {.id = "fn.log",
     .fox = "LOG(x)",
     .example = "LOG(x)",
     .place = Place::select,
     .words = "LOG",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "LN({1})", "", "", "LN({1})"},
     .note = "FoxPro's LOG is the natural logarithm; Oracle's LOG takes a base, PostgreSQL's is of base 10."},
    {.id = "fn.log10",
     .fox = "LOG10(x)",
     .example = "LOG10(x)",
     .place = Place::select,
     .words = "LOG10",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "LOG(10, {1})", "", "(LOG({1}) / LOG(10))", ""},
     .note = "Oracle's LOG takes the base first; Access has only the natural logarithm."},
    {.id = "fn.atan",
     .fox = "ATAN(x)",
     .example = "ATAN(x)",
     .place = Place::select,
     .words = "ATAN",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "ATN({1})", ""},
     .note = "Access names it ATN; the other dialects have ATAN."},
    {.id = "fn.asin",
     .fox = "ASIN(x)",
     .example = "ASIN(x)",
     .place = Place::select,
     .words = "ASIN",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "IIF(ABS({1}) = 1, SGN({1}) * 2 * ATN(1), ATN(({1}) / SQR(1 - ({1}) * ({1}))))", ""},
     .note = "Access has ATN alone: the arc sine is the arc tangent of x / SQR(1 - x * x), and pi / 2 with x's "
             "sign at 1 and -1, where that divides by 0."},
    {.id = "fn.acos",
     .fox = "ACOS(x)",
     .example = "ACOS(x)",
     .place = Place::select,
     .words = "ACOS",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "", "", "IIF(ABS({1}) = 1, (1 - SGN({1})) * 2 * ATN(1), 2 * ATN(1) - ATN(({1}) / SQR(1 - ({1}) * ({1}))))", ""},
     .note = "Access has ATN alone: the arc cosine is pi / 2 less the arc sine (as for ASIN), 0 at 1 and pi at -1."},
    {.id = "fn.time_hundredths",
     .fox = "TIME(n)",
     .example = "TIME(1)",
     .place = Place::select,
     .words = "TIME",
     .min_args = 1,
     .max_args = 1,
     .target = {"FORMAT(GETDATE(), 'HH:mm:ss.ff')", "TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS.FF2')",
                "LEFT(DATE_FORMAT(NOW(2), '%H:%i:%s.%f'), 11)", "FORMAT(NOW(), 'hh:nn:ss') & '.00'",
                "TO_CHAR(LOCALTIMESTAMP, 'HH24:MI:SS.FF2')"},
     .note = "TIME() with any argument: hh:mm:ss.ss, with the hundredths of the server's clock; the argument itself "
             "is not read. Access's clock has whole seconds: .00."},
    {.id = "fn.atn2",
     .fox = "ATN2(y, x)",
     .example = "ATN2(y, x)",
     .place = Place::select,
     .words = "ATN2",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "ATAN2({1}, {2})", "ATAN2({1}, {2})",
                "IIF({2} > 0, ATN(({1}) / ({2})), IIF({2} < 0, ATN(({1}) / ({2})) + IIF({1} < 0, -4, 4) * ATN(1), "
                "IIF({2} = 0, SGN({1}) * 2 * ATN(1), NULL)))",
                "ATAN2({1}, {2})"},
     .note = "The angle of the point (x, y), from -pi to pi. SQL Server has ATN2. Access has ATN alone: the "
             "angle of y / x, turned by pi (4 * ATN(1)) into the left half-plane, towards y's side (pi on the "
             "negative x axis itself); on the y axis pi / 2 with y's sign, 0 at the origin. x is divided by "
             "only where it is not 0, and a NULL x or y gives NULL."},
    {.id = "fn.fv",
     .fox = "FV(nPayment, nRate, nPeriods)",
     .example = "FV(500, 0.01, 12)",
     .place = Place::select,
     .words = "FV",
     .min_args = 3,
     .max_args = 3,
     .target = {"(({1}) * (POWER(CAST(1 + {2} AS FLOAT), {3}) - 1) / ({2}))", "(({1}) * (POWER(1 + {2}, {3}) - 1) / ({2}))",
                "(({1}) * (POWER(1 + {2}, {3}) - 1) / ({2}))", "(({1}) * ((1 + {2}) ^^^ ({3}) - 1) / ({2}))",
                "(({1}) * (POWER(1 + {2}, {3}) - 1) / ({2}))"},
     .note = "The future value of equal payments at a rate per period. SQL Server's POWER keeps the scale of a "
             "decimal, hence the FLOAT. A rate of 0 is a division by 0. Access's own FV counts payments as "
             "money paid out (negative): the formula instead."},
    {.id = "fn.pv",
     .fox = "PV(nPayment, nRate, nPeriods)",
     .example = "PV(500, 0.01, 12)",
     .place = Place::select,
     .words = "PV",
     .min_args = 3,
     .max_args = 3,
     .target = {"(({1}) * (1 - POWER(CAST(1 + {2} AS FLOAT), -({3}))) / ({2}))", "(({1}) * (1 - POWER(1 + {2}, -({3}))) / ({2}))",
                "(({1}) * (1 - POWER(1 + {2}, -({3}))) / ({2}))", "(({1}) * (1 - (1 + {2}) ^^^ -({3})) / ({2}))",
                "(({1}) * (1 - POWER(1 + {2}, -({3}))) / ({2}))"},
     .note = "The present value of equal payments, as FV."},
    {.id = "fn.payment",
     .fox = "PAYMENT(nPrincipal, nRate, nPeriods)",
     .example = "PAYMENT(10000, 0.01, 36)",
     .place = Place::select,
     .words = "PAYMENT",
     .min_args = 3,
     .max_args = 3,
     .target = {"(({1}) * ({2}) / (1 - POWER(CAST(1 + {2} AS FLOAT), -({3}))))", "(({1}) * ({2}) / (1 - POWER(1 + {2}, -({3}))))",
                "(({1}) * ({2}) / (1 - POWER(1 + {2}, -({3}))))", "(({1}) * ({2}) / (1 - (1 + {2}) ^^^ -({3})))",
                "(({1}) * ({2}) / (1 - POWER(1 + {2}, -({3}))))"},
     .note = "The payment per period that pays a loan back, as FV."},
    {.id = "fn.datetime_of",
     .fox = "DATETIME(y, m, d[, h[, mi[, s]]])",
     .example = "DATETIME(2020, 2, 29, 10, 30)",
     .place = Place::select,
     .words = "DATETIME,DATETIM,DATETI,DATET",
     .min_args = 3,
     .max_args = 6,
     .target = {"DATETIMEFROMPARTS({1}, {2}, {3}, {4}, {5}, {6}, 0)",
                "TO_DATE({1} || '-' || {2} || '-' || {3} || ' ' || {4} || ':' || {5} || ':' || {6}, 'YYYY-MM-DD HH24:MI:SS')",
                "STR_TO_DATE(CONCAT_WS('-', {1}, {2}, {3}, {4}, {5}, {6}), '%Y-%m-%d-%H-%i-%s')",
                "(DATESERIAL({1}, {2}, {3}) + TIMESERIAL({4}, {5}, {6}))", "MAKE_TIMESTAMP({1}, {2}, {3}, {4}, {5}, {6})"},
     .note = "The parts left out are 0. DATETIME() without arguments is the row above.",
     .left_out = "0"},
    {.id = "fn.isblank",
     .fox = "ISBLANK(x)",
     .example = "ISBLANK(x)",
     .min_args = 1,
     .max_args = 1,
     .form = Form::foxpro,
     .target = all("EMPTY({1})"),
     .note = "As EMPTY, which is right for text, where FoxPro's ISBLANK and EMPTY agree. For other types "
             "FoxPro tells a blank field from an empty value (ISBLANK(0) is false, EMPTY(0) true), which a "
             "server does not. The word is read by fn.empty's row, so that ISBLANK is a condition wherever "
             "EMPTY is one."},
    {.id = "fn.isdigit",
     .fox = "ISDIGIT(s)",
     .example = "ISDIGIT(s)",
     .words = "ISDIGIT,ISDIGI,ISDIG,ISDI",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"(PATINDEX('[0-9]%', {1}) = 1)", "REGEXP_LIKE({1}, '^[0-9]')", "(LEFT({1}, 1) BETWEEN '0' AND '9')",
                "(ASC(LEFT({1}, 1) & ' ') BETWEEN 48 AND 57)", "(LEFT({1}, 1) BETWEEN '0' AND '9')"},
     .note = "Whether the first character is a digit. Not by LIKE on SQL Server and Access: a FoxPro LIKE "
             "pattern's [ is written [[] there."},
    {.id = "fn.isalpha",
     .fox = "ISALPHA(s)",
     .example = "ISALPHA(s)",
     .words = "ISALPHA,ISALPH,ISALP,ISAL",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"(PATINDEX('[A-Za-z]%', {1}) = 1)", "REGEXP_LIKE({1}, '^[A-Za-z]')", "(UPPER(LEFT({1}, 1)) BETWEEN 'A' AND 'Z')",
                "(ASC(UCASE(LEFT({1}, 1)) & ' ') BETWEEN 65 AND 90)", "(UPPER(LEFT({1}, 1)) BETWEEN 'A' AND 'Z')"},
     .note = "Whether the first character is a letter of A to Z; FoxPro also takes the letters of the "
             "current code page (accented letters), which these patterns do not."},
    {.id = "fn.isupper",
     .fox = "ISUPPER(s)",
     .example = "ISUPPER(s)",
     .words = "ISUPPER,ISUPPE,ISUPP,ISUP",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"(UNICODE({1}) BETWEEN 65 AND 90)", "(ASCII({1}) BETWEEN 65 AND 90)", "(ASCII({1}) BETWEEN 65 AND 90)",
                "(ASC(LEFT({1}, 1) & ' ') BETWEEN 65 AND 90)", "(ASCII({1}) BETWEEN 65 AND 90)"},
     .note = "Whether the first character is a capital A to Z: its code, which no collation blind to case "
             "reads as the small letter's (a LIKE or BETWEEN of letters would). FoxPro also takes the capitals "
             "of the current code page (accented letters), which these codes do not. Access's ASC refuses the "
             "empty text and NULL, hence the blank after the first character."},
    {.id = "fn.islower",
     .fox = "ISLOWER(s)",
     .example = "ISLOWER(s)",
     .words = "ISLOWER,ISLOWE,ISLOW,ISLO",
     .min_args = 1,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = {"(UNICODE({1}) BETWEEN 97 AND 122)", "(ASCII({1}) BETWEEN 97 AND 122)", "(ASCII({1}) BETWEEN 97 AND 122)",
                "(ASC(LEFT({1}, 1) & ' ') BETWEEN 97 AND 122)", "(ASCII({1}) BETWEEN 97 AND 122)"},
     .note = "As ISUPPER, with the small letters a to z."},
    {.id = "fn.atc",
     .fox = "ATC(a, b)",
     .example = "ATC('x', s)",
     .place = Place::select,
     .words = "ATC",
     .min_args = 2,
     .max_args = 2,
     .form = Form::foxpro,
     .target = all("AT(UPPER({1}), UPPER({2}))")},
    {.id = "fn.atc_occurrence",
     .fox = "ATC(a, s, n)",
     .example = "ATC('x', s, 2)",
     .place = Place::select,
     .words = "ATC",
     .min_args = 3,
     .max_args = 3,
     .form = Form::foxpro,
     .target = all("AT(UPPER({1}), UPPER({2}), {3})"),
     .note = "The n-th occurrence, blind to case: AT(a, s, n) of the upper-cased texts (see AT(a, s, n))."},
    {.id = "fn.cnt",
     .fox = "CNT(x)",
     .example = "CNT(*)",
     .place = Place::select,
     .words = "CNT",
     .min_args = 1,
     .max_args = 1,
     .target = all("COUNT({1})")},

    // --- functions the dialects' own rows convert
    {.id = "fn.iif",
     .kind = Kind::dialect,
     .fox = "IIF(c, a, b)",
     .example = "IIF(a > 1, 'x', 'y')",
     .place = Place::select},
    {.id = "fn.alltrim", .kind = Kind::dialect, .fox = "ALLTRIM(s)", .example = "ALLTRIM(s)", .place = Place::select},
    {.id = "fn.substr_rest",
     .fox = "SUBSTR(s, i)",
     .example = "SUBSTR(s, 5)",
     .place = Place::select,
     .words = "SUBSTR,SUBST,SUBS",
     .min_args = 2,
     .max_args = 2,
     .target = {"SUBSTRING({1}, {2}, DATALENGTH({1}))", "", "", "", ""},
     .note = "The rest of the text from position i: SQL Server's SUBSTRING needs a length, and the length in "
             "bytes is never less than what is left, trailing blanks included."},
    {.id = "fn.substr",
     .kind = Kind::dialect,
     .fox = "SUBSTR(s, i, n)",
     .example = "SUBSTR(s, 2, 3)",
     .place = Place::select},
    {.id = "fn.strtran",
     .kind = Kind::dialect,
     .fox = "STRTRAN(s, a, b)",
     .example = "STRTRAN(s, 'a', 'b')",
     .place = Place::select},
    {.id = "fn.padr",
     .kind = Kind::dialect,
     .fox = "PADR(s, n)",
     .example = "PADR(s, 10)",
     .place = Place::select,
     .note = "Oracle's empty text is NULL, and RPAD of NULL is NULL where FoxPro gives n blanks (PADR(ALLTRIM(x), "
             "5) of a blank x): the fill padded alone stands in for a NULL result, NVL(RPAD(s, n), RPAD(' ', n))."},
    {.id = "fn.padl",
     .kind = Kind::dialect,
     .fox = "PADL(s, n)",
     .example = "PADL(s, 10)",
     .place = Place::select,
     .note = "FoxPro pads the text of any value (PADL(nro, 8, '0')); PostgreSQL's LPAD and RPAD take text only, so "
             "the value is cast to TEXT there, which drops a CHAR field's trailing blanks as LPAD itself would. On "
             "Oracle, as PADR, the fill padded alone stands in for the NULL of an empty text."},
    {.id = "fn.upper",
     .kind = Kind::dialect,
     .fox = "UPPER(s), LOWER(s)",
     .example = "UPPER(s)",
     .place = Place::select},
    {.id = "fn.len",
     .kind = Kind::dialect,
     .fox = "LEN(s)",
     .example = "LEN(s)",
     .place = Place::select,
     .note = "Oracle stores the empty text as NULL, whose LENGTH is NULL: 0 there, as FoxPro's LEN('') is, so "
             "that LEN(ALLTRIM(x)) = 0 finds the blank values."},
    {.id = "fn.asc",
     .kind = Kind::dialect,
     .fox = "ASC(s), CHR(n)",
     .example = "CHR(65)",
     .place = Place::select,
     .note = "ASC('') is 0 in FoxPro; Oracle's ASCII of its empty text, NULL, is NULL: NVL(ASCII(s), 0) there."},
    {.id = "fn.str",
     .fox = "STR(n[, w])",
     .example = "STR(n, 8)",
     .place = Place::select,
     .words = "STR",
     .min_args = 1,
     .max_args = 3,
     .form = Form::str,
     .target = {"", "LPAD(TO_CHAR(ROUND({1})), {2})", "LPAD(CAST(ROUND({1}) AS DECIMAL(40,0)), {2}, ' ')",
                "RIGHT(SPACE({2}) & FORMAT({1}, '0'), {2})", "LPAD(CAST(ROUND(CAST({1} AS NUMERIC)) AS TEXT), {2})"},
     .note = "Right-aligned in w characters (10 when w is left out), rounded as FoxPro rounds. SQL Server's "
             "own STR does the same. A number wider than w: FoxPro writes asterisks, the targets cut it."},
    {.id = "fn.str_decimals",
     .fox = "STR(n, w, d)",
     .example = "STR(n, 8, 2)",
     .place = Place::select,
     .form = Form::str,
     .target = {"", "LPAD(TO_CHAR(ROUND({1}, {d}), 'FM99999999999999999999999999990.{z}'), {2})",
                "LPAD(CAST(ROUND({1}, {d}) AS DECIMAL(40,{d})), {2}, ' ')",
                "RIGHT(SPACE({2}) & FORMAT({1}, '0.{z}'), {2})", "LPAD(CAST(ROUND(CAST({1} AS NUMERIC), {d}) AS TEXT), {2})"},
     .note = "d must be written as a number; without decimals, as STR(n, w). MySQL's FORMAT would add "
             "thousands separators, Oracle's TO_CHAR(n, w, d) is no call it has."},
    {.id = "fn.val",
     .fox = "VAL(s)",
     .example = "VAL(s)",
     .place = Place::select,
     .words = "VAL",
     .min_args = 1,
     .max_args = 1,
     .target = {"", "NVL(TO_NUMBER(REGEXP_SUBSTR({1}, '^\\s*[-' || CHR(43) || ']?(\\d{1,}\\.?\\d*|\\.\\d{1,})([eE][-' || CHR(43) || ']?\\d{1,})?')), 0)", "", "",
                "CAST(REGEXP_REPLACE(REGEXP_REPLACE({1}, '^\\s*([-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]+)?)?.*$', '\\1'), '^$', '0') AS NUMERIC)"},
     .note = "The number at the start of the text, 0 when there is none, as in FoxPro; Oracle and PostgreSQL "
             "refuse to convert other text to a number (VAL('12 kg'), VAL('')), so they take the number out "
             "first (Oracle's pattern names the plus sign CHR(43), so that no + in it sends the statement through "
             "the joining of text). Both take the exponent too (VAL('1.5E3') is 1500, as in FoxPro). VAL(.NULL.) is "
             ".NULL.: PostgreSQL's text without a number becomes '0' by a second REGEXP_REPLACE (of '^$'), "
             "which leaves a NULL as it is. The other dialects' own rows convert it."},
    {.id = "fn.mod",
     .fox = "MOD(a, b)",
     .example = "MOD(a, -7)",
     .place = Place::select,
     .words = "MOD",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "", "MOD(MOD({1}, {2}) + {2}, {2})", "", "MOD(MOD({1}, {2}) + {2}, {2})"},
     .note = "FoxPro's remainder takes the divisor's sign (MOD(-3, 2) is 1, MOD(3, -2) is -1); the servers' MOD "
             "the dividend's: MySQL and PostgreSQL add the divisor to it and take the remainder again. SQL Server "
             "and Oracle keep their own (the dividend's sign)."},
    {.id = "fn.avg",
     .fox = "AVG(x)",
     .example = "AVG(qty)",
     .place = Place::select,
     .words = "AVG",
     .min_args = 1,
     .max_args = 1,
     .target = {"AVG({1} * 1.0)", "", "", "", ""},
     .note = "The mean with its fraction, as FoxPro gives it: SQL Server's AVG of an integer column is an "
             "integer (the mean of 1 and 2 is 1). The other servers give a decimal."},
    {.id = "fn.round",
     .fox = "ROUND(n, d)",
     .example = "ROUND(SQRT(a), 2)",
     .place = Place::select,
     .words = "ROUND",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "", "", "(SGN({1}) * INT(ABS({1}) * 10 ^^^ ({2}) + 0.5) / 10 ^^^ ({2}))", "ROUND(CAST({1} AS NUMERIC), {2})"},
     .note = "Half away from zero, on negative numbers too, as FoxPro rounds. Access's ROUND rounds half to "
             "even (ROUND(2.5, 0) is 2, FoxPro's 3): there the number's size is rounded up from half by INT "
             "and its sign put back. PostgreSQL rounds a DOUBLE "
             "PRECISION (SQRT, EXP, LN of an integer, a B field) to no digits only, half to even: there the "
             "number is made a NUMERIC first. MySQL rounds a DOUBLE half to even (ROUND(SQRT(6.25), 0) is 2, "
             "FoxPro's 3), which the converter cannot tell from a decimal."},
    {.id = "fn.nvl",
     .fox = "NVL(a, b)",
     .example = "NVL(a, 0)",
     .place = Place::select,
     .words = "NVL",
     .min_args = 2,
     .max_args = 2,
     .target = {"", "", "", "IIF(ISNULL({1}), {2}, {1})", ""},
     .note = "Access's Nz() exists only inside Access itself, not for a client reaching the database through "
             "ODBC or OLE DB; the other dialects' own rows write ISNULL and COALESCE, Oracle has NVL."},
    {.id = "fn.date",
     .fox = "DATE()",
     .example = "d = DATE()",
     .target = {"DATEADD(DAY, DATEDIFF(DAY, 0, GETDATE()), 0)", "TRUNC(CURRENT_DATE)", "", "", "CURRENT_DATE"},
     .note = "Today at midnight: GETDATE() and Oracle's CURRENT_DATE hold the time of day, so d = DATE() found no "
             "row. Plain SQL input keeps the dialects' own GETDATE() and CURRENT_DATE."},
    {.id = "fn.dtoc",
     .kind = Kind::dialect,
     .fox = "DTOC(d)",
     .example = "DTOC(d)",
     .place = Place::select,
     .note = "The date alone, also of a datetime (DTOC(DATETIME())): the text of a datetime (Access CSTR, "
             "MySQL CONVERT) would hold its time. Access writes the locale's short date. The empty date is blanks "
             "between the separators (    -  -  ) on PostgreSQL, Oracle and MySQL (whose zero date is replaced); "
             "SQL Server and Access give the text of what they store."},
    {.id = "fn.ttod",
     .kind = Kind::dialect,
     .fox = "TTOD(t)",
     .example = "TTOD(t)",
     .place = Place::select,
     .note = "Access: DATEVALUE of the datetime; the first characters of its text (CSTR) may hold part of the "
             "time in a locale whose short date is shorter than ten characters (1/5/2016 1:45:00 PM). Oracle: TRUNC "
             "of the value cast to DATE, since TRUNC(NULL) is a number there (a UNION beside a date column fails)."},
    {.id = "fn.year",
     .kind = Kind::dialect,
     .fox = "YEAR(d), MONTH(d), DAY(d)",
     .example = "YEAR(d)",
     .place = Place::select,
     .note = "PostgreSQL's EXTRACT gives a numeric, which MAKE_DATE, LPAD and date - n refuse: YEAR, MONTH, DAY, "
             "HOUR and MINUTE are cast to INTEGER, the whole numbers FoxPro gives. The empty date's parts are 0: MySQL's "
             "zero date has them, Oracle and PostgreSQL give 0 for NULL (COALESCE, NVL); SQL Server would give 1900 and "
             "Access NULL, left as written. PostgreSQL's HOUR and MINUTE of the empty datetime are 0 too."},
    {.id = "fn.hour",
     .kind = Kind::dialect,
     .fox = "HOUR(t), MINUTE(t), SEC(t)",
     .example = "HOUR(t)",
     .place = Place::select,
     .note = "Oracle's EXTRACT reads no time from a DATE, the type our structure conversion gives a datetime "
             "there: the hour, minute or whole second as TO_CHAR writes it, which reads a DATE and a TIMESTAMP "
             "alike. The empty datetime (NULL on Oracle and PostgreSQL) gives 0, as in FoxPro."},
    {.id = "fn.dtor", .kind = Kind::dialect, .fox = "DTOR(x), RTOD(x)", .example = "DTOR(x)", .place = Place::select},
    {.id = "fn.deleted",
     .fox = "DELETED([alias])",
     .example = "!DELETED()",
     .words = "DELETED,DELET,DELE",
     .min_args = 0,
     .max_args = 1,
     .shape = Shape::predicate,
     .target = all("(1=0)"),
     .note = "No row of a server table is marked deleted, so DELETED() is false and !DELETED() keeps every "
             "row. Plain SQL input keeps the dialects' own (1=1)."},
    {.id = "op.text_minus",
     .kind = Kind::operator_,
     .fox = "a - b (text)",
     .example = "RTRIM(name) - ', ' - city",
     .target = {"{1} + SPACE(LEN({2} + 'x') - LEN({1} + 'x'))", "RPAD({1}, LENGTH({2}))", "RPAD({1}, CHAR_LENGTH({2}), ' ')",
                "{1} + SPACE(LEN({2}) - LEN({1}))", "RPAD({1}, LENGTH({2}))"},
     .note = "FoxPro's - of text joins its sides and moves the left side's trailing blanks to the end ('ab  ' - "
             "'cd' is 'abcd  '); no target takes - for text (MySQL gives a number). A chain of + and - read as text "
             "as op.concat reads it ({1}: the chain with the part before each - trimmed by RTRIM, joined as "
             "op.concat joins; {2}: all its terms joined) is padded with blanks to the length of the whole. MySQL "
             "and PostgreSQL read a fixed-width field without its trailing blanks there too (see op.concat). A "
             "chain whose terms are too long to be written twice stays as written."},
    {.id = "op.like_trimmed",
     .kind = Kind::operator_,
     .fox = "x LIKE 'pattern'",
     .example = "code LIKE 'A_00'",
     .target = {"", "RTRIM({1})", "", "", "RTRIM({1})"},
     .note = "FoxPro matches a fixed-width field without its trailing blanks (code LIKE 'A_00' holds for 'A100' "
             "in a C(10) field), as SQL Server does and as MySQL's CHAR, read without them, does. Oracle's CHAR and "
             "PostgreSQL's CHAR(n) keep them in LIKE: there the left side is trimmed at the right, when the "
             "pattern is one literal whose last character is neither % (which takes the blanks) nor a blank "
             "(which asks for them). After NOT as well (x NOT LIKE 'B_')."},
};

constexpr CaseForm sql_case{"CASE WHEN ", " THEN ", " WHEN ", " ELSE ", "", " END", false};
constexpr CaseForm iif_case{"IIF(", ", ", ", IIF(", ", ", ", NULL", ")", true};

constexpr CastType casts[] = {
    {'C',
     "C,CHAR,CHARACTER",
     true,
     {"CONVERT(CHAR({w}), {1})", "CAST({1} AS CHAR({w}))", "CAST({1} AS CHAR({w}))", "LEFT(CSTR({1}), {w})", "CAST({1} AS CHAR({w}))"},
     {},
     {"CONVERT(VARCHAR(MAX), {1})", "TO_CHAR({1})", "CAST({1} AS CHAR)", "CSTR({1})", "CAST({1} AS TEXT)"}},
    {'V',
     "V,VARCHAR",
     true,
     {"CONVERT(VARCHAR({w}), {1})", "CAST({1} AS VARCHAR2({w}))", "CAST({1} AS CHAR({w}))", "LEFT(CSTR({1}), {w})", "CAST({1} AS VARCHAR({w}))"},
     {},
     {"CONVERT(VARCHAR(MAX), {1})", "TO_CHAR({1})", "CAST({1} AS CHAR)", "CSTR({1})", "CAST({1} AS TEXT)"}},
    {'M', "M,MEMO", false, {"CONVERT(VARCHAR(MAX), {1})", "TO_CLOB({1})", "CONCAT({1})", "CSTR({1})", "CAST({1} AS TEXT)"}},
    {'N',
     "N,NUMERIC",
     true,
     {"CONVERT(NUMERIC({w},{d}), {1})", "CAST({1} AS NUMBER({w},{d}))", "CAST({1} AS DECIMAL({w},{d}))", "CDBL({1})", "CAST({1} AS NUMERIC({w},{d}))"},
     {},
     {"CONVERT(NUMERIC(20,0), {1})", "CAST({1} AS NUMBER(20,0))", "CAST({1} AS DECIMAL(20,0))", "CDBL({1})", "CAST({1} AS NUMERIC(20,0))"}},
    {'F', "F,FLOAT", false, {"CONVERT(FLOAT, {1})", "TO_BINARY_DOUBLE({1})", "({1} + 0E0)", "CDBL({1})", "CAST({1} AS DOUBLE PRECISION)"}},
    {'B', "B,DOUBLE", false, {"CONVERT(FLOAT, {1})", "TO_BINARY_DOUBLE({1})", "({1} + 0E0)", "CDBL({1})", "CAST({1} AS DOUBLE PRECISION)"}},
    {'I',
     "I,INT,INTEGER",
     false,
     {"CONVERT(INT, {1})", "CAST({1} AS NUMBER(10))", "CAST({1} AS DECIMAL(10,0))", "CLNG({1})", "CAST({1} AS INTEGER)"}},
    {'Y',
     "Y,CURRENCY,MONEY",
     false,
     {"CONVERT(MONEY, {1})", "CAST({1} AS NUMBER(19,4))", "CAST({1} AS DECIMAL(19,4))", "CCUR({1})", "CAST({1} AS NUMERIC(19,4))"}},
    {'D',
     "D,DATE",
     false,
     {"CONVERT(DATETIME, CONVERT(DATE, {1}))", "TRUNC({1})", "DATE({1})", "DATEVALUE({1})", "CAST({1} AS DATE)"},
     {"", "CAST(NULL AS DATE)", "", "", ""}},
    {'T', "T,DATETIME", false, {"CONVERT(DATETIME, {1})", "CAST({1} AS TIMESTAMP)", "TIMESTAMP({1})", "CDATE({1})", "CAST({1} AS TIMESTAMP)"}},
    {'L', "L,LOGICAL", false, {"CONVERT(BIT, {1})", "CAST({1} AS NUMBER(1))", "({1} <> 0)", "CBOOL({1})", "CAST({1} AS BOOLEAN)"}},
    {'Q',
     "Q,VARBINARY",
     true,
     {"CONVERT(VARBINARY({w}), {1})", "CAST({1} AS RAW({w}))", "CAST({1} AS BINARY({w}))", "{1}", "CAST({1} AS BYTEA)"},
     {},
     {"CONVERT(VARBINARY(MAX), {1})", "UTL_RAW.CAST_TO_RAW({1})", "CAST({1} AS BINARY)", "{1}", "CAST({1} AS BYTEA)"}},
    // a general field (an OLE object) holds bytes, as a blob does
    {'G',
     "G,GENERAL",
     false,
     {"CONVERT(VARBINARY(MAX), {1})", "TO_BLOB(UTL_RAW.CAST_TO_RAW({1}))", "CAST({1} AS BINARY)", "{1}", "CAST({1} AS BYTEA)"}},
    {'W',
     "W,BLOB",
     false,
     {"CONVERT(VARBINARY(MAX), {1})", "TO_BLOB(UTL_RAW.CAST_TO_RAW({1}))", "CAST({1} AS BINARY)", "{1}", "CAST({1} AS BYTEA)"}},
};

// The accepted function names, to their rows.
constexpr std::size_t row_count = sizeof rows / sizeof rows[0];
static_assert(row_count < 255);

constexpr auto name_table() {
    WordTable<1024> table;  // room enough that a lookup rarely probes past its slot
    for (std::size_t i = 0; i < row_count; ++i) {
        std::string_view words = rows[i].words;
        while (!words.empty()) {
            std::size_t comma = words.find(',');
            const std::string_view word = words.substr(0, comma);
            if (table.find(word) < 0) table.add(word, static_cast<std::uint8_t>(i));  // a name's first row
            words = comma == std::string_view::npos ? std::string_view{} : words.substr(comma + 1);
        }
    }
    return table;
}

constexpr auto names = name_table();

// FoxPro functions that FoxPro also reads from their first four or more letters (DATE shortens
// nothing: it is a name of its own).
constexpr std::string_view full_names[] = {
    "ABS",      "ALLTRIM",   "ASC",     "BETWEEN", "CEILING", "CHRTRAN", "CMONTH",   "COUNT",  "CTOD",   "CTOT", "DATE",
    "DATETIME", "DELETED",   "DTOC",    "DTOS",    "DTOT",    "EMPTY",   "FLOOR",    "GOMONTH", "ICASE",
    "INLIST",   "ISBLANK",   "ISNULL",  "LOWER",   "LTRIM",   "MINUTE",  "MONTH",    "OCCURS", "PADC",
    "PADL",     "PADR",      "PROPER",  "RECCOUNT", "RECNO",  "REPLICATE", "RIGHT",  "ROUND",  "RTRIM",
    "SPACE",    "STRCONV",   "STRTRAN", "SUBSTR",  "TRANSFORM", "TTOC",  "TTOD",     "UPPER",
    "BITAND",   "BITCLEAR",  "BITLSHIFT", "BITNOT", "BITOR",   "BITRSHIFT", "BITSET", "BITTEST", "BITXOR",
    "GETWORDCOUNT", "GETWORDNUM", "PAYMENT", "QUARTER", "SECONDS", "STUFF",
};
constexpr std::size_t full_name_count = sizeof full_names / sizeof full_names[0];

constexpr bool starts_with_upper(std::string_view name, std::string_view prefix) {
    if (prefix.size() > name.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (name[i] != prefix[i]) return false;
    }
    return true;
}

// Every shortening of four or more letters that one full name alone begins with, to that name.
constexpr auto shortening_table() {
    WordTable<256> table;
    for (std::size_t i = 0; i < full_name_count; ++i) {
        const std::string_view name = full_names[i];
        for (std::size_t length = 4; length < name.size(); ++length) {
            const std::string_view prefix = name.substr(0, length);
            bool shared = false;
            for (std::size_t j = 0; j < full_name_count; ++j) {
                shared = shared || (j != i && starts_with_upper(full_names[j], prefix));
            }
            if (!shared) table.add(prefix, static_cast<std::uint8_t>(i));
        }
    }
    return table;
}

constexpr auto shortenings = shortening_table();

}  // namespace

std::string_view full_function_name(std::string_view word) {
    if (word.size() < 4) return {};
    const int i = shortenings.find(word);
    return i < 0 ? std::string_view{} : full_names[i];
}

Column column_of(const Dialect &dialect) { return static_cast<Column>(dialect.id); }

std::span<const Construct> constructs() {
    return rows;
}

const Construct &construct(std::string_view id) {
    for (const Construct &row : rows) {
        if (row.id == id) return row;
    }
    return rows[0];  // unreachable for the ids the pass names (a wrong one shows in the map document)
}

const Construct *function_named(std::string_view name) {
    const int row = names.find(name);
    return row < 0 ? nullptr : &rows[row];
}

// Each row's next row of the same names (MAX(a, b) and MAX(a, b, c)), or none.
constexpr auto sibling_table() {
    std::array<std::uint8_t, row_count> next{};
    for (std::size_t i = 0; i < row_count; ++i) {
        next[i] = 255;
        for (std::size_t j = i + 1; j < row_count && !rows[i].words.empty(); ++j) {
            if (rows[j].words == rows[i].words) {
                next[i] = static_cast<std::uint8_t>(j);
                break;
            }
        }
    }
    return next;
}
constexpr auto siblings = sibling_table();

bool has_siblings(const Construct &row) { return siblings[static_cast<std::size_t>(&row - rows)] < row_count; }

const Construct *other_taking(const Construct &row, std::size_t count) {
    for (std::size_t i = siblings[static_cast<std::size_t>(&row - rows)]; i < row_count; i = siblings[i]) {
        if (count >= rows[i].min_args && count <= rows[i].max_args) return &rows[i];
    }
    return nullptr;
}

// STRTRAN(s, a, b, ...) of every occurrence, and of the first one only (0 when there is none: the text).
constexpr T replace_every = {"REPLACE({1}, {2}, {3})", "REPLACE({1}, {2}, {3})", "REPLACE({1}, {2}, {3})",
                             "IIF({1} IS NULL, NULL, REPLACE({1} & '', {2}, {3}, 1, -1, 0))", "REPLACE({1}, {2}, {3})"};
constexpr T replace_first = {
    "COALESCE(STUFF({1}, CHARINDEX({2}, {1}), LEN({2} + '.') - 1, {3}), {1})",
    "CASE WHEN INSTR({1}, {2}) > 0 THEN SUBSTR({1}, 1, INSTR({1}, {2}) - 1) || {3} || SUBSTR({1}, INSTR({1}, {2}) + "
    "LENGTH({2})) ELSE {1} END",
    "IF(LOCATE({2}, {1}) > 0, INSERT({1}, LOCATE({2}, {1}), CHAR_LENGTH({2}), {3}), {1})",
    "IIF(INSTR({1}, {2}) > 0, LEFT({1}, INSTR({1}, {2}) - 1) & {3} & MID({1}, INSTR({1}, {2}) + LEN({2})), {1})",
    "CASE WHEN STRPOS({1}, {2}) > 0 THEN LEFT({1}, STRPOS({1}, {2}) - 1) || {3} || SUBSTR({1}, STRPOS({1}, {2}) + "
    "LENGTH({2})) ELSE {1} END"};

// STRTRAN(s, a, b, 2[, ...]): the text up to the end of the first occurrence as it is, then every
// occurrence after it replaced, or the next one only.
constexpr T replace_after_first = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 THEN LEFT({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 2) + "
    "REPLACE(SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.')), {2}, {3}) ELSE {1} END",
    "CASE WHEN INSTR({1}, {2}) > 0 THEN SUBSTR({1}, 1, INSTR({1}, {2}) + LENGTH({2}) - 1) || REPLACE(SUBSTR({1}, "
    "INSTR({1}, {2}) + LENGTH({2})), {2}, {3}) ELSE {1} END",
    "IF(LOCATE({2}, {1}) > 0, CONCAT(LEFT({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}) - 1), REPLACE(SUBSTRING({1}, "
    "LOCATE({2}, {1}) + CHAR_LENGTH({2})), {2}, {3})), {1})",
    "IIF(INSTR({1}, {2}) > 0, LEFT({1}, INSTR({1}, {2}) + LEN({2}) - 1) & REPLACE(MID({1}, INSTR({1}, {2}) + "
    "LEN({2})), {2}, {3}), {1})",
    "CASE WHEN STRPOS({1}, {2}) > 0 THEN LEFT({1}, STRPOS({1}, {2}) + LENGTH({2}) - 1) || REPLACE(SUBSTR({1}, "
    "STRPOS({1}, {2}) + LENGTH({2})), {2}, {3}) ELSE {1} END",
};
constexpr T replace_second = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 THEN LEFT({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 2) + "
    "COALESCE(STUFF(SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.')), CHARINDEX({2}, "
    "SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.'))), LEN({2} + '.') - 1, {3}), "
    "SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.'))) ELSE {1} END",
    "CASE WHEN INSTR({1}, {2}) > 0 THEN SUBSTR({1}, 1, INSTR({1}, {2}) + LENGTH({2}) - 1) || CASE WHEN "
    "INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) > 0 THEN SUBSTR(SUBSTR({1}, INSTR({1}, {2}) + "
    "LENGTH({2})), 1, INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) - 1) || {3} || SUBSTR(SUBSTR({1}, "
    "INSTR({1}, {2}) + LENGTH({2})), INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) + LENGTH({2})) ELSE "
    "SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})) END ELSE {1} END",
    "IF(LOCATE({2}, {1}) > 0, CONCAT(LEFT({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}) - 1), IF(LOCATE({2}, "
    "SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}))) > 0, INSERT(SUBSTRING({1}, LOCATE({2}, {1}) + "
    "CHAR_LENGTH({2})), LOCATE({2}, SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}))), CHAR_LENGTH({2}), "
    "{3}), SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})))), {1})",
    "IIF(INSTR({1}, {2}) > 0, LEFT({1}, INSTR({1}, {2}) + LEN({2}) - 1) & IIF(INSTR(MID({1}, INSTR({1}, {2}) + "
    "LEN({2})), {2}) > 0, LEFT(MID({1}, INSTR({1}, {2}) + LEN({2})), INSTR(MID({1}, INSTR({1}, {2}) + LEN({2})), "
    "{2}) - 1) & {3} & MID(MID({1}, INSTR({1}, {2}) + LEN({2})), INSTR(MID({1}, INSTR({1}, {2}) + LEN({2})), "
    "{2}) + LEN({2})), MID({1}, INSTR({1}, {2}) + LEN({2}))), {1})",
    "CASE WHEN STRPOS({1}, {2}) > 0 THEN LEFT({1}, STRPOS({1}, {2}) + LENGTH({2}) - 1) || CASE WHEN "
    "STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {2}) > 0 THEN LEFT(SUBSTR({1}, STRPOS({1}, {2}) + "
    "LENGTH({2})), STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {2}) - 1) || {3} || SUBSTR(SUBSTR({1}, "
    "STRPOS({1}, {2}) + LENGTH({2})), STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {2}) + LENGTH({2})) "
    "ELSE SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})) END ELSE {1} END",
};

// STRTRAN(s, a, b, 1, 2): the first occurrence replaced where it is, then the first of the text after it.
constexpr T replace_first_two = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 THEN LEFT({1}, CHARINDEX({2}, {1}) - 1) + {3} + "
    "COALESCE(STUFF(SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.')), CHARINDEX({2}, "
    "SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.'))), LEN({2} + '.') - 1, {3}), "
    "SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, LEN({1} + '.'))) ELSE {1} END",
    "CASE WHEN INSTR({1}, {2}) > 0 THEN SUBSTR({1}, 1, INSTR({1}, {2}) - 1) || {3} || CASE WHEN "
    "INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) > 0 THEN SUBSTR(SUBSTR({1}, INSTR({1}, {2}) + "
    "LENGTH({2})), 1, INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) - 1) || {3} || SUBSTR(SUBSTR({1}, "
    "INSTR({1}, {2}) + LENGTH({2})), INSTR(SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})), {2}) + LENGTH({2})) ELSE "
    "SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2})) END ELSE {1} END",
    "IF(LOCATE({2}, {1}) > 0, CONCAT(LEFT({1}, LOCATE({2}, {1}) - 1), {3}, IF(LOCATE({2}, SUBSTRING({1}, "
    "LOCATE({2}, {1}) + CHAR_LENGTH({2}))) > 0, INSERT(SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})), "
    "LOCATE({2}, SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}))), CHAR_LENGTH({2}), {3}), SUBSTRING({1}, "
    "LOCATE({2}, {1}) + CHAR_LENGTH({2})))), {1})",
    "IIF(INSTR({1}, {2}) > 0, LEFT({1}, INSTR({1}, {2}) - 1) & {3} & IIF(INSTR(MID({1}, INSTR({1}, {2}) + "
    "LEN({2})), {2}) > 0, LEFT(MID({1}, INSTR({1}, {2}) + LEN({2})), INSTR(MID({1}, INSTR({1}, {2}) + LEN({2})), "
    "{2}) - 1) & {3} & MID(MID({1}, INSTR({1}, {2}) + LEN({2})), INSTR(MID({1}, INSTR({1}, {2}) + LEN({2})), "
    "{2}) + LEN({2})), MID({1}, INSTR({1}, {2}) + LEN({2}))), {1})",
    "CASE WHEN STRPOS({1}, {2}) > 0 THEN LEFT({1}, STRPOS({1}, {2}) - 1) || {3} || CASE WHEN STRPOS(SUBSTR({1}, "
    "STRPOS({1}, {2}) + LENGTH({2})), {2}) > 0 THEN LEFT(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), "
    "STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {2}) - 1) || {3} || SUBSTR(SUBSTR({1}, STRPOS({1}, {2}) "
    "+ LENGTH({2})), STRPOS(SUBSTR({1}, STRPOS({1}, {2}) + LENGTH({2})), {2}) + LENGTH({2})) ELSE SUBSTR({1}, "
    "STRPOS({1}, {2}) + LENGTH({2})) END ELSE {1} END",
};

// STRTRAN(s, a, b, 1, -1, 1) and (s, a, b, 1, 1, 1): a found blind to case. On SQL Server a searched
// under a collation blind to case (and not to accents, as FoxPro). On Oracle and PostgreSQL by a
// pattern whose characters other than letters, digits and blanks are escaped, the replacement's
// backslashes doubled (its \1 and \& read no group). The empty a is found nowhere, as in FoxPro; a
// NULL a gives NULL (on Oracle, whose empty text is NULL, the text).
constexpr T replace_every_blind = {
    "REPLACE({1}, {2} COLLATE Latin1_General_CI_AS, {3})",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
    R"(REPLACE({3}, '\', '\\'), 1, 0, 'i') ELSE {1} || {2} END)",
    "",
    "IIF({1} IS NULL, NULL, REPLACE({1} & '', {2} & '', {3} & '', 1, -1, 1))",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1', 'g'), )"
    R"(REPLACE({3}, '\', '\\'), 'gi') ELSE {1} || {2} END)"};
constexpr T replace_first_blind = {
    "COALESCE(STUFF({1}, CHARINDEX({2} COLLATE Latin1_General_CI_AS, {1}), LEN({2} + '.') - 1, {3}), {1})",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
    R"(REPLACE({3}, '\', '\\'), 1, 1, 'i') ELSE {1} || {2} END)",
    "",
    "IIF({1} IS NULL, NULL, REPLACE({1} & '', {2} & '', {3} & '', 1, 1, 1))",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1', 'g'), )"
    R"(REPLACE({3}, '\', '\\'), 'i') ELSE {1} || {2} END)"};

// STRTRAN(s, a, b, 2, 2) and (s, a, b, 3[, ...]): the occurrences from the n-th on, or the n-th and
// the next. SQL Server and MySQL find each occurrence from the end of the one before (CHARINDEX and
// LOCATE with a start) and put b in its place (STUFF, INSERT), the later one first so that the
// earlier one's place holds; Oracle replaces the n-th match of a's pattern (escaped as above);
// PostgreSQL cuts the text at every a and joins the pieces again, with b at the occurrences replaced.
constexpr T replace_second_two = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN STUFF(STUFF({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + "
     "LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}), CHARINDEX({2}, {1}, "
     "CHARINDEX({2}, {1}) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}) WHEN CHARINDEX({2}, {1}) > 0 "
     "AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) > 0 THEN STUFF({1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}) ELSE {1} END",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE(REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] )"
     R"(])', '\\\1'), REPLACE({3}, '\', '\\'), 1, 3), REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
     R"(REPLACE({3}, '\', '\\'), 1, 2) ELSE {1} || {2} END)",
    "IF(CHAR_LENGTH({2}) > 0 AND LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) > 0, INSERT(INSERT({1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), IF(CHAR_LENGTH({2}) > 0 AND LOCATE({2}, {1}) > 0 AND "
     "LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0, INSERT({1}, LOCATE({2}, {1}, LOCATE({2}, "
     "{1}) + CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), {1}))",
    "IIF(LEN({2} & '') > 0 AND INSTR(1, {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0, LEFT({1} & '', INSTR(INSTR(1, {1} & '', {2} & '', 0"
     ") + LEN({2} & ''), {1} & '', {2} & '', 0) - 1) & REPLACE({1} & '', {2} & '', {3} & '', INSTR(INSTR(1, {1}"
     " & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0), 2, 0), {1})",
    R"(CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 2 THEN ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY()"
     R"({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, {2})) - 2), {2}) || {3} || REGEXP_REPLACE(SUBSTR({1}, )"
     R"(CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, )"
     R"({2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1', 'g'), )"
     R"(REPLACE({3}, '\', '\\')) ELSE {1} END)"
};
constexpr T replace_third = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN STUFF({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + "
     "LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}) ELSE {1} END",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
     R"(REPLACE({3}, '\', '\\'), 1, 3) ELSE {1} || {2} END)",
    "IF(CHAR_LENGTH({2}) > 0 AND LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) > 0, INSERT({1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), {1})",
    "IIF(LEN({2} & '') > 0 AND INSTR(1, {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LE"
     "N({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0, LEFT({1} & '', INST"
     "R(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1}"
     " & '', {2} & '', 0) - 1) & REPLACE({1} & '', {2} & '', {3} & '', INSTR(INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0), 1, 0), {1})",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 3 THEN ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY("
     "{1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, {2})) - 3), {2}) || {3} || SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1) ELSE {1} END"
};
constexpr T replace_third_two = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) "
     "+ LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) > 0 THEN STUFF(STUFF({1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - "
     "1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}), CHARINDEX({2}, {1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({2} + '.') "
     "- 1, {3}) WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') "
     "- 1) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + "
     "LEN({2} + '.') - 1) > 0 THEN STUFF({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) "
     "+ LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({2} + '.') - 1, {3}) ELSE {1} END",
    R"(CASE WHEN LENGTH({2}) > 0 THEN REGEXP_REPLACE(REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] )"
     R"(])', '\\\1'), REPLACE({3}, '\', '\\'), 1, 4), REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
     R"(REPLACE({3}, '\', '\\'), 1, 3) ELSE {1} || {2} END)",
    "IF(CHAR_LENGTH({2}) > 0 AND LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0, INSERT(INSERT({1}, LOCATE({2}, {1}, "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({2}), {3}), IF(CHAR_LENGTH({2}) > 0 AND "
     "LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 AND LOCATE({2}, "
     "{1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0, INSERT({1}, "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})), "
     "CHAR_LENGTH({2}), {3}), {1}))",
    "IIF(LEN({2} & '') > 0 AND INSTR(1, {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LE"
     "N({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0, LEFT({1} & '', INST"
     "R(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1}"
     " & '', {2} & '', 0) - 1) & REPLACE({1} & '', {2} & '', {3} & '', INSTR(INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0), 2, 0), {1})",
    R"(CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 3 THEN ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY()"
     R"({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, {2})) - 3), {2}) || {3} || REGEXP_REPLACE(SUBSTR({1}, )"
     R"(CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, )"
     R"({2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1', 'g'), )"
     R"(REPLACE({3}, '\', '\\')) ELSE {1} END)"
};
constexpr T replace_from_third = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN LEFT({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + "
     "LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - 1) + REPLACE(SUBSTRING({1}, CHARINDEX({2}, {1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1), LEN({1} + "
     "'.')), {2}, {3}) ELSE {1} END",
    R"(CASE WHEN LENGTH({2}) > 0 THEN CASE WHEN REGEXP_INSTR({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', )"
     R"('\\\1'), 1, 3) > 0 THEN REGEXP_REPLACE({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), )"
     R"(REPLACE({3}, '\', '\\'), REGEXP_INSTR({1}, REGEXP_REPLACE({2}, '([^[:alnum:] ])', '\\\1'), 1, 3)) )"
     R"(ELSE {1} END ELSE {1} || {2} END)",
    "IF(CHAR_LENGTH({2}) > 0 AND LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) > 0, CONCAT(LEFT({1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - 1), REPLACE(SUBSTRING({1}, LOCATE({2}, {1}, LOCATE({2}, "
     "{1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}))), {2}, {3})), {1})",
    "IIF(LEN({2} & '') > 0 AND INSTR(1, {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0 AND INSTR(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LE"
     "N({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) > 0, LEFT({1} & '', INST"
     "R(INSTR(INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1}"
     " & '', {2} & '', 0) - 1) & REPLACE({1} & '', {2} & '', {3} & '', INSTR(INSTR(INSTR(1, {1} & '', {2} & '',"
     " 0) + LEN({2} & ''), {1} & '', {2} & '', 0) + LEN({2} & ''), {1} & '', {2} & '', 0), -1, 0), {1})",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 3 THEN ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY("
     "{1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, {2})) - 3), {2}) || {3} || REPLACE(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), {2}, {3}) ELSE {1} END"
};

// STREXTRACT(s, begin, end, n[, 2]): the text after the n-th begin, each begin found from the end of
// the one before (on PostgreSQL the text cut at every begin, its first n pieces joined again), up to
// the first end after it; with nFlags 2, the rest of the text where no end follows.
constexpr T extract_second = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN SUBSTRING({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + "
     "LEN({2} + '.') - 1, CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - "
     "1) + LEN({2} + '.') - 1) - (CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1)) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 AND INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) > 0 AND INSTR({1}, "
     "{3}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR({1}, "
     "{2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2}), INSTR({1}, {3}, INSTR({1}, {2}, INSTR({1}, {2}) "
     "+ LENGTH({2})) + LENGTH({2})) - (INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2}))) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 AND "
     "LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), "
     "LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - "
     "(LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0"
     ") + LEN({2} & '')), {1} & '', {2} & '', 0) > 0 AND INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', "
     "0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) "
     "= 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {"
     "1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} & '',"
     " 0) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1"
     ", {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF("
     "INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & "
     "'')), {1} & '', {2} & '', 0) + LEN({2} & '')), INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) ="
     " 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0,"
     " LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} &"
     " '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} & '', 0) "
     "- (IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & ''"
     ", 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {"
     "2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} "
     "& '', 0) + LEN({2} & '')))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 2 AND STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), {3}) > 0 THEN LEFT(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), {3}) - 1) ELSE '' END"
};
constexpr T extract_third = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 AND CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) "
     "+ LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) > 0 THEN SUBSTRING({1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') "
     "- 1) + LEN({2} + '.') - 1, CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, "
     "CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - "
     "(CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') "
     "- 1) + LEN({2} + '.') - 1)) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 AND INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) > 0 AND INSTR({1}, "
     "{2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) > 0 AND INSTR({1}, {3}, "
     "INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) + LENGTH({2})) > 0 "
     "THEN SUBSTR({1}, INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) + "
     "LENGTH({2}), INSTR({1}, {3}, INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + "
     "LENGTH({2})) + LENGTH({2})) - (INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + "
     "LENGTH({2})) + LENGTH({2}))) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 AND "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 AND "
     "LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN SUBSTRING({1}, LOCATE({2}, {1}, LOCATE({2}, {1}, "
     "LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), LOCATE({3}, {1}, "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) - (LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '"
     "', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) > 0 AND INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR"
     "(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')),"
     " {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({"
     "1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '"
     "')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '',"
     " 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0)"
     " = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, "
     "{1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & ''"
     ", 0) + LEN({2} & '')), {1} & '', {3} & '', 0) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1"
     "} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} &"
     " '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '"
     "') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {"
     "1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = "
     "0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, "
     "LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & "
     "'', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) +"
     " LEN({2} & '')), INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + "
     "1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, "
     "INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + "
     "LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') +"
     " 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '"
     "', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} & '', 0) - "
     "(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1}"
     " & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & "
     "'', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(II"
     "F(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} "
     "& '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0"
     ", LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN("
     "{2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 3 AND STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), {3}) > 0 THEN LEFT(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), {3}) - 1) ELSE '' END"
};
constexpr T extract_first_loose = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 THEN SUBSTRING({1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1, "
     "CASE WHEN CHARINDEX({3}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) > 0 THEN CHARINDEX({3}, "
     "{1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) - (CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) ELSE "
     "LEN({1} + '.') END) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 THEN SUBSTR({1}, INSTR({1}, {2}) + LENGTH({2}), CASE WHEN INSTR({1}, "
     "{3}, INSTR({1}, {2}) + LENGTH({2})) > 0 THEN INSTR({1}, {3}, INSTR({1}, {2}) + LENGTH({2})) - "
     "(INSTR({1}, {2}) + LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 THEN SUBSTRING({1}, LOCATE({2}, {1}) + CHAR_LENGTH({2}), "
     "IF(LOCATE({3}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0, LOCATE({3}, {1}, LOCATE({2}, {1}) + "
     "CHAR_LENGTH({2})) - (LOCATE({2}, {1}) + CHAR_LENGTH({2})), CHAR_LENGTH({1}))) ELSE '' END",
    "IIF(INSTR(1, {1} & '', {2} & '', 0) > 0, MID({1} & '', IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN("
     "{1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), IIF(INSTR(IIF(INSTR(1, {1} & '', {2"
     "} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} &"
     " '', 0) > 0, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2"
     "} & '', 0) + LEN({2} & '')), {1} & '', {3} & '', 0) - (IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN("
     "{1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 1 THEN CASE WHEN STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 1), {2})) + CHAR_LENGTH({2}) + 1), {3}) > 0 THEN LEFT(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 1), {2})) + CHAR_LENGTH({2}) + 1), STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 1), {2})) + CHAR_LENGTH({2}) + 1), {3}) - 1) ELSE SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 1), {2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};
constexpr T extract_second_loose = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 THEN SUBSTRING({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + "
     "'.') - 1, CASE WHEN CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - "
     "1) + LEN({2} + '.') - 1) > 0 THEN CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + "
     "LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - (CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + "
     "'.') - 1) + LEN({2} + '.') - 1) ELSE LEN({1} + '.') END) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 AND INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) > 0 THEN "
     "SUBSTR({1}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2}), CASE WHEN INSTR({1}, {3}, "
     "INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) > 0 THEN INSTR({1}, {3}, INSTR({1}, "
     "{2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) - (INSTR({1}, {2}, INSTR({1}, {2}) + "
     "LENGTH({2})) + LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), "
     "IF(LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0, "
     "LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - "
     "(LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({1}))) ELSE "
     "'' END",
    "IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0"
     ") + LEN({2} & '')), {1} & '', {2} & '', 0) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(1, {1} & '', {2} &"
     " '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & ''"
     ", 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR"
     "(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), IIF(INSTR(IIF("
     "INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + "
     "LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & ''"
     ", 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0"
     ") + LEN({2} & '')), {1} & '', {3} & '', 0) > 0, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) "
     "= 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0"
     ", LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} "
     "& '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} & '', 0)"
     " - (IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '"
     "', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', "
     "{2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2}"
     " & '', 0) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 2 THEN CASE WHEN STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), {3}) > 0 THEN LEFT(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1), {3}) - 1) ELSE SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 2), {2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};
constexpr T extract_third_loose = {
    "CASE WHEN CHARINDEX({2}, {1}) > 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) "
     "> 0 AND CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN SUBSTRING({1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + "
     "LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1, CASE WHEN CHARINDEX({3}, {1}, "
     "CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') "
     "- 1) + LEN({2} + '.') - 1) > 0 THEN CHARINDEX({3}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, "
     "CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - "
     "(CHARINDEX({2}, {1}, CHARINDEX({2}, {1}, CHARINDEX({2}, {1}) + LEN({2} + '.') - 1) + LEN({2} + '.') "
     "- 1) + LEN({2} + '.') - 1) ELSE LEN({1} + '.') END) ELSE '' END",
    "CASE WHEN INSTR({1}, {2}) > 0 AND INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) > 0 AND INSTR({1}, "
     "{2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR({1}, "
     "{2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) + LENGTH({2}), CASE WHEN "
     "INSTR({1}, {3}, INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + LENGTH({2})) + LENGTH({2})) + "
     "LENGTH({2})) > 0 THEN INSTR({1}, {3}, INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + "
     "LENGTH({2})) + LENGTH({2})) + LENGTH({2})) - (INSTR({1}, {2}, INSTR({1}, {2}, INSTR({1}, {2}) + "
     "LENGTH({2})) + LENGTH({2})) + LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE({2}, {1}) > 0 AND LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) > 0 AND "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2}), IF(LOCATE({3}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}, "
     "LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0, LOCATE({3}, {1}, "
     "LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) - (LOCATE({2}, {1}, LOCATE({2}, {1}, LOCATE({2}, {1}) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({1}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '"
     "', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(IIF("
     "INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & "
     "'')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, "
     "LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2"
     "} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} "
     "& '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '"
     "', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INST"
     "R(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2}"
     " & '', 0) + LEN({2} & '')), IIF(INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, L"
     "EN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN("
     "{1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, "
     "LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR"
     "(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(II"
     "F(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} "
     "& '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', "
     "{3} & '', 0) > 0, INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') +"
     " 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1,"
     " INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) +"
     " LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') "
     "+ 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1}"
     " & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & "
     "'', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {3} & '', 0) -"
     " (IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '',"
     " {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1"
     "} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} &"
     " '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(I"
     "IF(INSTR(1, {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2}"
     " & '')), {1} & '', {2} & '', 0) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 0) = "
     "0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 0) + LEN({2} & '')), {1} & '', {2} & '', 0) + LEN"
     "({2} & '')), {1} & '', {2} & '', 0) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY({1}, {2})) > 3 THEN CASE WHEN STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), {3}) > 0 THEN LEFT(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), STRPOS(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1), {3}) - 1) ELSE SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY({1}, {2}), CARDINALITY(STRING_TO_ARRAY({1}, "
     "{2})) - 3), {2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};

// STREXTRACT(s, begin, end, n, 1 or 3): the same, begin and end found blind to case in the text and
// delimiters made upper case (the text taken from the text as written).
constexpr T extract_first_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 AND CHARINDEX(UPPER({3}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) > 0 THEN SUBSTRING({1}, "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1, CHARINDEX(UPPER({3}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1})) + "
     "LEN({2} + '.') - 1)) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 AND INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), UPPER({2})) + LENGTH({2}), "
     "INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) - (INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2}))) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 AND LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) > 0 THEN SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1})) + "
     "CHAR_LENGTH({2}), LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) "
     "- (LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2}))) ELSE '' END",
    "IIF(INSTR(1, {1} & '', {2} & '', 1) > 0 AND INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} &"
     " '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) > 0, MID({1} & ''"
     ", IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN("
     "{2} & '')), INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2}"
     " & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) - (IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({"
     "1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 1 AND STRPOS(UPPER(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), UPPER({2})), "
     "CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + CHAR_LENGTH({2}) + 1)), "
     "UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1"
     "}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE '' END"
};
constexpr T extract_second_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) > 0 AND CHARINDEX(UPPER({3}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN SUBSTRING({1}, CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1, CHARINDEX(UPPER({3}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') "
     "- 1) + LEN({2} + '.') - 1)) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) > 0 AND INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2}), "
     "INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), "
     "UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2}), INSTR(UPPER({1}), "
     "UPPER({3}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + "
     "LENGTH({2})) - (INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + "
     "LENGTH({2}))) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) > 0 AND LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2}), LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - (LOCATE(UPPER({2}), UPPER({1}), "
     "LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1"
     ") + LEN({2} & '')), {1} & '', {2} & '', 1) > 0 AND INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', "
     "1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) "
     "= 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {"
     "1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '',"
     " 1) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1"
     ", {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF("
     "INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & "
     "'')), {1} & '', {2} & '', 1) + LEN({2} & '')), INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) ="
     " 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0,"
     " LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} &"
     " '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) "
     "- (IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & ''"
     ", 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {"
     "2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} "
     "& '', 1) + LEN({2} & '')))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 2 AND STRPOS(UPPER(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), UPPER({2})), "
     "CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + CHAR_LENGTH({2}) + 1)), "
     "UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1"
     "}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE '' END"
};
constexpr T extract_third_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 AND CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) + LEN({2} + '.') - 1) > 0 THEN SUBSTRING({1}, CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) + LEN({2} + '.') - 1, CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - "
     "1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) + LEN({2} + '.') - 1)) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2}), "
     "INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) > 0 AND INSTR(UPPER({1}), UPPER({3}), "
     "INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + "
     "LENGTH({2})) + LENGTH({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), UPPER({2}), "
     "INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) + "
     "LENGTH({2}), INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) + LENGTH({2})) - "
     "(INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + "
     "LENGTH({2})) + LENGTH({2})) + LENGTH({2}))) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 AND "
     "LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), "
     "LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), LOCATE(UPPER({3}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - (LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '"
     "', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) > 0 AND INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR"
     "(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')),"
     " {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({"
     "1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '"
     "')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '',"
     " 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1)"
     " = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, "
     "{1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & ''"
     ", 1) + LEN({2} & '')), {1} & '', {3} & '', 1) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1"
     "} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} &"
     " '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '"
     "') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {"
     "1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = "
     "0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, "
     "LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & "
     "'', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) +"
     " LEN({2} & '')), INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + "
     "1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, "
     "INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + "
     "LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') +"
     " 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '"
     "', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) - "
     "(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1}"
     " & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & "
     "'', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(II"
     "F(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} "
     "& '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0"
     ", LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN("
     "{2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 3 AND STRPOS(UPPER(SUBSTR({1}, "
     "CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), UPPER({2})), "
     "CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + CHAR_LENGTH({2}) + 1)), "
     "UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1"
     "}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE '' END"
};
constexpr T extract_first_loose_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 THEN SUBSTRING({1}, CHARINDEX(UPPER({2}), "
     "UPPER({1})) + LEN({2} + '.') - 1, CASE WHEN CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1})) + LEN({2} + '.') - 1) > 0 THEN CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1})) + LEN({2} + '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) ELSE "
     "LEN({1} + '.') END) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), UPPER({2})) + "
     "LENGTH({2}), CASE WHEN INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) > "
     "0 THEN INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) - "
     "(INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 THEN SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1})) + "
     "CHAR_LENGTH({2}), IF(LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + "
     "CHAR_LENGTH({2})) > 0, LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + "
     "CHAR_LENGTH({2})) - (LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})), CHAR_LENGTH({1}))) ELSE '' "
     "END",
    "IIF(INSTR(1, {1} & '', {2} & '', 1) > 0, MID({1} & '', IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN("
     "{1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), IIF(INSTR(IIF(INSTR(1, {1} & '', {2"
     "} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} &"
     " '', 1) > 0, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2"
     "} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) - (IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN("
     "{1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 1 THEN CASE WHEN "
     "STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), "
     "UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + CHAR_LENGTH({2}) + "
     "1)), UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPP"
     "ER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRI"
     "NG_TO_ARRAY(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 1), "
     "{2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};
constexpr T extract_second_loose_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) > 0 THEN SUBSTRING({1}, "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1, CASE WHEN CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) > 0 THEN "
     "CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) ELSE LEN({1} + '.') "
     "END) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) + LENGTH({2}), CASE WHEN INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), "
     "UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) > 0 THEN INSTR(UPPER({1}), "
     "UPPER({3}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + "
     "LENGTH({2})) - (INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + "
     "LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) > 0 THEN SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1}), "
     "LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), IF(LOCATE(UPPER({3}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) > 0, LOCATE(UPPER({3}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), "
     "LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - (LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})), "
     "CHAR_LENGTH({1}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1"
     ") + LEN({2} & '')), {1} & '', {2} & '', 1) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(1, {1} & '', {2} &"
     " '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & ''"
     ", 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR"
     "(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), IIF(INSTR(IIF("
     "INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + "
     "LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & ''"
     ", 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1"
     ") + LEN({2} & '')), {1} & '', {3} & '', 1) > 0, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) "
     "= 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0"
     ", LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} "
     "& '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1)"
     " - (IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '"
     "', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', "
     "{2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2}"
     " & '', 1) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 2 THEN CASE WHEN "
     "STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), "
     "UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + CHAR_LENGTH({2}) + "
     "1)), UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPP"
     "ER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRI"
     "NG_TO_ARRAY(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 2), "
     "{2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};
constexpr T extract_third_loose_blind = {
    "CASE WHEN CHARINDEX(UPPER({2}), UPPER({1})) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) > 0 AND CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) > 0 THEN SUBSTRING({1}, CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1, CASE WHEN CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) + LEN({2} + '.') - 1) > 0 THEN CHARINDEX(UPPER({3}), UPPER({1}), CHARINDEX(UPPER({2}), "
     "UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - "
     "1) + LEN({2} + '.') - 1) + LEN({2} + '.') - 1) - (CHARINDEX(UPPER({2}), UPPER({1}), "
     "CHARINDEX(UPPER({2}), UPPER({1}), CHARINDEX(UPPER({2}), UPPER({1})) + LEN({2} + '.') - 1) + LEN({2} "
     "+ '.') - 1) + LEN({2} + '.') - 1) ELSE LEN({1} + '.') END) ELSE '' END",
    "CASE WHEN INSTR(UPPER({1}), UPPER({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2})) + LENGTH({2})) > 0 AND INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2}), "
     "INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) > 0 THEN SUBSTR({1}, INSTR(UPPER({1}), "
     "UPPER({2}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + "
     "LENGTH({2})) + LENGTH({2}), CASE WHEN INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2}), "
     "INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) + "
     "LENGTH({2})) > 0 THEN INSTR(UPPER({1}), UPPER({3}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), "
     "UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + LENGTH({2})) + LENGTH({2})) + LENGTH({2})) - "
     "(INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2}), INSTR(UPPER({1}), UPPER({2})) + "
     "LENGTH({2})) + LENGTH({2})) + LENGTH({2})) ELSE LENGTH({1}) END) END",
    "CASE WHEN LOCATE(UPPER({2}), UPPER({1})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) > 0 AND LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0 THEN "
     "SUBSTRING({1}, LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2}), IF(LOCATE(UPPER({3}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) > 0, LOCATE(UPPER({3}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), "
     "UPPER({1})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) + CHAR_LENGTH({2})) - (LOCATE(UPPER({2}), "
     "UPPER({1}), LOCATE(UPPER({2}), UPPER({1}), LOCATE(UPPER({2}), UPPER({1})) + CHAR_LENGTH({2})) + "
     "CHAR_LENGTH({2})) + CHAR_LENGTH({2})), CHAR_LENGTH({1}))) ELSE '' END",
    "IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {"
     "2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} "
     "& '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '"
     "', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) > 0, MID({1} & '', IIF(INSTR(IIF(INSTR(IIF("
     "INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & "
     "'')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, "
     "LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2"
     "} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} "
     "& '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '"
     "', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INST"
     "R(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2}"
     " & '', 1) + LEN({2} & '')), IIF(INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, L"
     "EN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN("
     "{1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, "
     "LEN({1} & '') + 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR"
     "(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(II"
     "F(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} "
     "& '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', "
     "{3} & '', 1) > 0, INSTR(IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') +"
     " 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1,"
     " INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) +"
     " LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') "
     "+ 1, INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', "
     "{2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1}"
     " & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & "
     "'', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {3} & '', 1) -"
     " (IIF(INSTR(IIF(INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '',"
     " {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1"
     "} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} &"
     " '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(I"
     "IF(INSTR(1, {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2}"
     " & '')), {1} & '', {2} & '', 1) = 0, LEN({1} & '') + 1, INSTR(IIF(INSTR(1, {1} & '', {2} & '', 1) = "
     "0, LEN({1} & '') + 1, INSTR(1, {1} & '', {2} & '', 1) + LEN({2} & '')), {1} & '', {2} & '', 1) + LEN"
     "({2} & '')), {1} & '', {2} & '', 1) + LEN({2} & ''))), LEN({1} & ''))), '')",
    "CASE WHEN CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) > 3 THEN CASE WHEN "
     "STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPPER({1}), "
     "UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + CHAR_LENGTH({2}) + "
     "1)), UPPER({3})) > 0 THEN LEFT(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRAY(UPP"
     "ER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + "
     "CHAR_LENGTH({2}) + 1), STRPOS(UPPER(SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRING_TO_ARRA"
     "Y(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), {2})) + "
     "CHAR_LENGTH({2}) + 1)), UPPER({3})) - 1) ELSE SUBSTR({1}, CHAR_LENGTH(ARRAY_TO_STRING(TRIM_ARRAY(STRI"
     "NG_TO_ARRAY(UPPER({1}), UPPER({2})), CARDINALITY(STRING_TO_ARRAY(UPPER({1}), UPPER({2}))) - 3), "
     "{2})) + CHAR_LENGTH({2}) + 1) END ELSE '' END"
};

constexpr NumberedForm numbered[] = {
    // STRTRAN's nStart, nCount and nFlags as written, blanks left out (-1: the default)
    {"fn.strtran_occurrences", "1", replace_every},
    {"fn.strtran_occurrences", "-1", replace_every},
    {"fn.strtran_occurrences", "1,-1", replace_every},
    {"fn.strtran_occurrences", "-1,-1", replace_every},
    {"fn.strtran_occurrences", "1,-1,0", replace_every},
    {"fn.strtran_occurrences", "-1,-1,0", replace_every},
    {"fn.strtran_occurrences", "1,-1,1", replace_every_blind},
    {"fn.strtran_occurrences", "-1,-1,1", replace_every_blind},
    {"fn.strtran_occurrences", "1,1,1", replace_first_blind},
    {"fn.strtran_occurrences", "-1,1,1", replace_first_blind},
    {"fn.strtran_occurrences", "1,1", replace_first},
    {"fn.strtran_occurrences", "-1,1", replace_first},
    {"fn.strtran_occurrences", "1,1,0", replace_first},
    {"fn.strtran_occurrences", "-1,1,0", replace_first},
    {"fn.strtran_occurrences", "1,2", replace_first_two},
    {"fn.strtran_occurrences", "-1,2", replace_first_two},
    {"fn.strtran_occurrences", "1,2,0", replace_first_two},
    {"fn.strtran_occurrences", "-1,2,0", replace_first_two},
    {"fn.strtran_occurrences", "2", replace_after_first},
    {"fn.strtran_occurrences", "2,-1", replace_after_first},
    {"fn.strtran_occurrences", "2,-1,0", replace_after_first},
    {"fn.strtran_occurrences", "2,1", replace_second},
    {"fn.strtran_occurrences", "2,1,0", replace_second},
    {"fn.strtran_occurrences", "2,2", replace_second_two},
    {"fn.strtran_occurrences", "2,2,0", replace_second_two},
    {"fn.strtran_occurrences", "3", replace_from_third},
    {"fn.strtran_occurrences", "3,-1", replace_from_third},
    {"fn.strtran_occurrences", "3,-1,0", replace_from_third},
    {"fn.strtran_occurrences", "3,1", replace_third},
    {"fn.strtran_occurrences", "3,1,0", replace_third},
    {"fn.strtran_occurrences", "3,2", replace_third_two},
    {"fn.strtran_occurrences", "3,2,0", replace_third_two},
    // GETWORDNUM(s, n): the first and second words on SQL Server; the other dialects' forms take any n
    {"fn.getwordnum", "1",
     {"LEFT(LTRIM(REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), ' '), "
      "CHAR(10), ' ')), CHARINDEX(' ', LTRIM(REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), "
      "' '), CHAR(10), ' ')) + ' ') - 1)",
      "", "", "", ""}},
    {"fn.getwordnum", "2",
     {"LEFT(LTRIM(STUFF(LTRIM(REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), "
      "CHAR(13), ' '), CHAR(10), ' ')) + ' ', 1, CHARINDEX(' ', LTRIM(REPLACE(REPLACE(REPLACE({1}, "
      "CHAR(9), ' '), CHAR(13), ' '), CHAR(10), ' ')) + ' '), '')), CHARINDEX(' ', "
      "LTRIM(STUFF(LTRIM(REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), ' '), CHAR(10), "
      "' ')) + ' ', 1, CHARINDEX(' ', LTRIM(REPLACE(REPLACE(REPLACE({1}, CHAR(9), ' '), CHAR(13), "
      "' '), CHAR(10), ' ')) + ' '), '')) + ' ') - 1)",
      "", "", "", ""}},
    // AT(a, s, n) on SQL Server and Access, whose third argument is where the search starts: each
    // occurrence after n - 1, searched from the place after the one before (0 stays 0)
    // RAND(-1): a seed from the clock, a number drawn as RAND() draws one
    {"fn.rand_seeded", "-1", {"RAND(CHECKSUM(NEWID()))", "DBMS_RANDOM.VALUE", "RAND()", "RND()", "RANDOM()"}},
    {"fn.at_occurrence", "1", {"CHARINDEX({1}, {2})", "", "", "INSTR({2}, {1}) * SGN(LEN({1}))", ""}},
    {"fn.at_occurrence", "2",
     {"(CASE WHEN CHARINDEX({1}, {2}) = 0 THEN 0 ELSE CHARINDEX({1}, {2}, CHARINDEX({1}, {2}) + 1) END)", "", "",
      "(IIF(INSTR({2}, {1}) = 0, 0, INSTR(INSTR({2}, {1}) + 1, {2}, {1})) * SGN(LEN({1})))", ""}},
    {"fn.at_occurrence", "3",
     {"(CASE WHEN CHARINDEX({1}, {2}) = 0 THEN 0 WHEN CHARINDEX({1}, {2}, CHARINDEX({1}, {2}) + 1) = 0 THEN 0 "
      "ELSE CHARINDEX({1}, {2}, CHARINDEX({1}, {2}, CHARINDEX({1}, {2}) + 1) + 1) END)",
      "", "",
      "(IIF(INSTR({2}, {1}) = 0, 0, IIF(INSTR(INSTR({2}, {1}) + 1, {2}, {1}) = 0, 0, "
      "INSTR(INSTR(INSTR({2}, {1}) + 1, {2}, {1}) + 1, {2}, {1}))) * SGN(LEN({1})))",
      ""}},
    // STREXTRACT's first occurrence, without flags
    {"fn.strextract_options", "1", strextract_first},
    {"fn.strextract_options", "1,0", strextract_first},
    {"fn.strextract_options", "1,2", extract_first_loose},
    {"fn.strextract_options", "2", extract_second},
    {"fn.strextract_options", "2,0", extract_second},
    {"fn.strextract_options", "2,2", extract_second_loose},
    {"fn.strextract_options", "3", extract_third},
    {"fn.strextract_options", "3,0", extract_third},
    {"fn.strextract_options", "3,2", extract_third_loose},
    {"fn.strextract_options", "1,1", extract_first_blind},
    {"fn.strextract_options", "1,3", extract_first_loose_blind},
    {"fn.strextract_options", "2,1", extract_second_blind},
    {"fn.strextract_options", "2,3", extract_second_loose_blind},
    {"fn.strextract_options", "3,1", extract_third_blind},
    {"fn.strextract_options", "3,3", extract_third_loose_blind},
    // RAT(a, s, 1) on SQL Server and Access: the last occurrence, as RAT(a, s)
    {"fn.rat_occurrence", "1",
     {"(CASE WHEN CHARINDEX({1}, {2}) = 0 THEN 0 ELSE LEN({2} + '.') - CHARINDEX(REVERSE({1}), REVERSE({2})) "
      "- LEN({1} + '.') + 2 END)",
      "", "", "INSTRREV({2}, {1})", ""}},
    // RAT(a, s, 2) and (a, s, 3) on SQL Server: the second and third occurrences of the reversed a in
    // the reversed text, each searched from the place after the one before, counted back from the end
    {"fn.rat_occurrence", "2",
     {"(CASE WHEN CHARINDEX(REVERSE({1}), REVERSE({2})) = 0 THEN 0 WHEN CHARINDEX(REVERSE({1}), "
      "REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2})) + 1) = 0 THEN 0 ELSE LEN({2} + '.') - "
      "CHARINDEX(REVERSE({1}), REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2})) + 1) - LEN({1} + '.') + "
      "2 END)",
      "", "",
      "(IIF(INSTRREV({2} & '', {1} & '') < 2, 0, INSTRREV({2} & '', {1} & '', INSTRREV({2} & '', {1} & '') "
      "- 1)) * SGN(LEN({1} & '')))",
      ""}},
    {"fn.rat_occurrence", "3",
     {"(CASE WHEN CHARINDEX(REVERSE({1}), REVERSE({2})) = 0 THEN 0 WHEN CHARINDEX(REVERSE({1}), "
      "REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2})) + 1) = 0 THEN 0 WHEN CHARINDEX(REVERSE({1}), "
      "REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2})) + 1) + 1) "
      "= 0 THEN 0 ELSE LEN({2} + '.') - CHARINDEX(REVERSE({1}), REVERSE({2}), CHARINDEX(REVERSE({1}), "
      "REVERSE({2}), CHARINDEX(REVERSE({1}), REVERSE({2})) + 1) + 1) - LEN({1} + '.') + 2 END)",
      "", "",
      "(IIF(IIF(INSTRREV({2} & '', {1} & '') < 2, 0, INSTRREV({2} & '', {1} & '', INSTRREV({2} & '', {1} & "
      "'') - 1)) < 2, 0, INSTRREV({2} & '', {1} & '', IIF(INSTRREV({2} & '', {1} & '') < 2, 0, INSTRREV({2}"
      " & '', {1} & '', INSTRREV({2} & '', {1} & '') - 1)) - 1)) * SGN(LEN({1} & '')))",
      ""}},
    {"fn.strconv", "9", all("{1}")},
    {"fn.strconv", "10", all("{1}")},
    {"fn.strconv", "11", all("{1}")},
    {"fn.strconv", "12", all("{1}")},
    // PostgreSQL's TO_CHAR has a form for each type: the CAST tells it a parameter's (a date's too).
    {"fn.ttoc",
     "1",
     {"REPLACE(REPLACE(REPLACE(REPLACE(CONVERT(CHAR(19), {1}, 120), '-', ''), ' ', ''), ':', ''), '19000101000000', '              ')",
      "COALESCE(TO_CHAR({1}, 'YYYYMMDDHH24MISS'), '              ')",
      "REPLACE(DATE_FORMAT({1}, '%Y%m%d%H%i%s'), '00000000000000', '              ')",
      "IIF({1} IS NULL, '              ', FORMAT({1}, 'yyyymmddhhnnss'))",
      "COALESCE(TO_CHAR(CAST({1} AS TIMESTAMP), 'YYYYMMDDHH24MISS'), '              ')"}},
    {"fn.ttoc",
     "",  // TTOC(t): {s} is the date style DTOC writes
     {"CONVERT(VARCHAR(10), {1}, {s}) + ' ' + CONVERT(CHAR(8), {1}, 108)",
      "COALESCE(TO_CHAR({1}, 'YYYY-MM-DD HH24:MI:SS'), '    -  -     :  :  ')",
      "REPLACE(DATE_FORMAT({1}, '%Y-%m-%d %H:%i:%s'), '0000-00-00 00:00:00', '    -  -     :  :  ')", "FORMAT({1}, 'ddddd hh:nn:ss')",
      "COALESCE(TO_CHAR(CAST({1} AS TIMESTAMP), 'YYYY-MM-DD HH24:MI:SS'), '    -  -     :  :  ')"}},
    {"fn.ttoc",
     "2",
     {"CONVERT(CHAR(8), {1}, 108)", "TO_CHAR({1}, 'HH24:MI:SS')", "DATE_FORMAT({1}, '%H:%i:%s')",
      "FORMAT({1}, 'hh:nn:ss')",
      "TO_CHAR(CAST({1} AS TIMESTAMP), 'HH24:MI:SS')"}},
    {"fn.ttoc",
     "3",
     {"CONVERT(CHAR(19), {1}, 126)", "TO_CHAR({1}, 'YYYY-MM-DD\"T\"HH24:MI:SS')", "DATE_FORMAT({1}, '%Y-%m-%dT%H:%i:%s')",
      "FORMAT({1}, 'yyyy-mm-dd\\Thh:nn:ss')",
      "TO_CHAR(CAST({1} AS TIMESTAMP), 'YYYY-MM-DD\"T\"HH24:MI:SS')"}},
};

std::span<const NumberedForm> numbered_forms() {
    return numbered;
}

std::string_view numbered_form(std::string_view row, std::string_view number, Column column) {
    for (const NumberedForm &f : numbered) {
        if (f.row == row && f.number == number) return f.target[column];
    }
    return {};
}

const CaseForm &case_form(Column column) {
    return column == access ? iif_case : sql_case;
}

std::span<const CastType> cast_types() {
    return casts;
}

std::string_view predicate_as_value(Column column) {
    return column == sqlserver || column == oracle ? "CASE WHEN {1} THEN 1 ELSE 0 END" : "{1}";
}

}  // namespace tarnvel::select::fox
