// The FoxPro constructs the residue check reports, one row each.
#include "residue/check.h"

#include <iterator>

namespace tarnvel::residue {
namespace {

constexpr bool yes = true;
constexpr bool no = false;

constexpr ConstructRow rows[] = {
    {{"exact-equality", "FoxPro's exact comparison ==", "\"==\" outside literals"},
     every_target, yes, yes, match::sequence, "==",
     "{text} is FoxPro's exact comparison; {target} compares with ="},
    {{"not-equal-hash", "FoxPro's not-equal operator #",
      "\"#\" outside literals, except a SQL Server temporary table (#name where no operand precedes) and an "
      "Access date literal (#1/31/2020#)"},
     every_target, yes, yes, match::hash, "",
     "{text} is FoxPro's not-equal operator; {target} writes <>"},
    {{"not-bang", "FoxPro's NOT written as !", "\"!\" not followed by \"=\" and not joining two names"},
     every_target, yes, yes, match::bang, "",
     "{text} is FoxPro's NOT; {target} writes NOT"},
    {{"not-equal-bang", "the not-equal operator != where the target lacks it", "\"!=\" outside literals"},
     access, yes, yes, match::sequence, "!=",
     "{text} is not an operator in {target}; write <>"},
    {{"contained-in", "FoxPro's substring test a $ b",
      "\"$\" outside literals, except a SQL Server money literal ($ before a digit where no operand precedes)"},
     every_target, yes, yes, match::dollar, "",
     "{text} is FoxPro's substring test (a $ b); {target} has no such operator"},
    {{"logical-literal", "FoxPro's logical literals .T. .F. .Y. .N.",
      "a dot, T, F, Y or N, a dot; not a part of a three-part name such as db.t.col"},
     every_target, yes, yes, match::dotted, "T,F,Y,N",
     "{text} is FoxPro's logical literal; {target} does not read it"},
    {{"null-literal", "FoxPro's null literal .NULL.", "\".NULL.\" outside literals"},
     every_target, yes, yes, match::dotted, "NULL",
     "{text} is FoxPro's null literal; {target} writes NULL"},
    {{"logical-operator", "FoxPro's operators .AND. .OR. .NOT.", "a dot, AND, OR or NOT, a dot"},
     every_target, yes, yes, match::dotted, "AND,OR,NOT",
     "{text} is FoxPro's spelling of a logical operator; {target} writes AND, OR, NOT"},
    {{"strict-date", "FoxPro's date and datetime literal {^yyyy-mm-dd}", "braces whose content starts with ^"},
     every_target, yes, yes, match::braces, "^",
     "{text} is FoxPro's date literal; {target} does not read braces"},
    {{"date-literal", "FoxPro's date literal read by SET DATE, {mm/dd/yyyy}",
      "braces holding a digit, not an ODBC escape ({d '...'}, {ts '...'}, {fn ...})"},
     every_target, yes, yes, match::braces, "0",
     "{text} is FoxPro's date literal, read by the SET DATE setting; {target} does not read braces"},
    {{"empty-date", "FoxPro's empty date or datetime {}, {//}, {  /  /  }, {:}",
      "braces holding nothing but blanks, / : . -"},
     every_target, yes, yes, match::braces, "",
     "{text} is FoxPro's empty date; {target} has no empty date"},
    {{"database-table", "a table named with its FoxPro database, database!table",
      "a name, \"!\" and a name with no blank between them"},
     every_target, yes, yes, match::database_table, "",
     "{text} names the table with its FoxPro database; {target} does not read \"!\" in a name"},
    {{"memory-variable", "a FoxPro memory variable m.name",
      "the word M, a dot and a name; not after ? or ~, not in a name expression, and not where the statement "
      "names a table M"},
     every_target, yes, yes, match::memory_variable, "",
     "{text} is a FoxPro memory variable, which the server cannot see; pass it as the parameter ?{text}"},
    {{"object-reference", "a FoxPro object reference THIS. THISFORM. THISFORMSET. _SCREEN. _VFP.",
      "one of those words and a dot; not after ? or ~ and not in a name expression"},
     every_target, yes, yes, match::object_reference, "",
     "{text} is a FoxPro object reference, which the server cannot see; pass it as the parameter ?{text}"},
    {{"file-path", "a file path used as a table (d:\\data\\orders.dbf)",
      "a backslash outside literals, or a name ending in .dbf"},
     every_target, yes, yes, match::file_path, "",
     "{text} is a file path; {target} knows tables by name only"},
    {{"name-expression", "a table named by a FoxPro expression, FROM (m.cAlias)",
      "a parenthesis after FROM, JOIN or a comma of the FROM list that holds no subquery"},
     every_target, yes, no, match::name_expression, "",
     "{text} names the table with a FoxPro expression; the application must put the table's name there"},
    {{"buffering", "FoxPro's table clause WITH (BUFFERING = ...)", "WITH, \"(\" and BUFFERING"},
     every_target, yes, no, match::buffering, "",
     "{text} is FoxPro's buffering clause; {target} has no such table option"},
    {{"destination", "a FoxPro destination or output option (INTO CURSOR/TABLE/DBF/ARRAY, TO FILE/PRINTER/SCREEN, "
                     "NOCONSOLE, PLAIN, NOWAIT, READWRITE, NOFILTER, PREFERENCE)",
      "FoxPro's destination clauses and options, with their abbreviations, also where a converter quoted a keyword"},
     every_target, yes, no, match::destination, "",
     "{text} is a FoxPro destination, which only FoxPro acts on; remove it before the statement goes to {target}"},
    {{"function", "a FoxPro function the target does not have, or FoxPro's abbreviation of a function",
      "a name and \"(\" naming a FoxPro function that the target lacks for that number of arguments, or FoxPro's "
      "abbreviation (four letters or more) of a function; not after a dot (dbo.PADR), ?, ~ or AS"},
     every_target, yes, yes, match::function, "",
     "{text}() is a FoxPro function that {target} does not have"},
    {{"macro", "FoxPro macro substitution &name", "\"&\" before a name where no operand precedes"},
     every_target, yes, yes, match::macro, "",
     "{text} is FoxPro macro substitution; expand it before the statement goes to {target}"},
    {{"bracket-text", "a FoxPro string [text] or array element where the target has no square brackets",
      "square brackets outside literals"},
     oracle | mysql, yes, yes, match::foreign_quotes, "[",
     "{text} is a FoxPro string or array element; {target} has no square brackets (strings are written '...')"},
    {{"double-quoted", "a FoxPro string \"text\" where the target reads double quotes as a name",
      "double quotes outside literals"},
     sqlserver, yes, yes, match::foreign_quotes, "\"",
     "{text} is a FoxPro string; {target} reads double quotes as a name (strings are written '...')"},
    {{"backslash-escape", "a backslash in a string literal where the target reads it as an escape",
      "\"\\\" inside '...'"},
     mysql, yes, yes, match::backslash_escape, "",
     "{target} reads the backslash in {text} as an escape character: the string changes or does not end"},
    {{"foxpro-type", "a FoxPro type word the target does not have",
      "the type of a column, or the type after AS in CAST(...): a FoxPro type letter, name or abbreviation that "
      "is no type of the target"},
     every_target, yes, yes, match::foxpro_type, "",
     "{text} is a FoxPro type; {target} has no such type"},
    {{"unknown-type", "a column type the target does not know",
      "the word after a column's name that is neither a type of the target nor a FoxPro type"},
     every_target, no, yes, match::unknown_type, "",
     "{text} is not a column type of {target}"},
    {{"type-width", "a width or decimals on a type that takes fewer",
      "parentheses after a column's type holding more numbers than the type takes, or a second pair"},
     every_target, no, yes, match::type_width, "",
     "{text}: {target} does not take this width here"},
    {{"foxpro-clause", "a FoxPro column clause the target does not have (NOCPTRANS, AUTOINC, NEXTVALUE, STEP, "
                       "TAG, ERROR)",
      "one of those words after a column's type or in a table constraint"},
     every_target, no, yes, match::column_clause, "NOCPTRANS,AUTOINC,NEXTVALUE,STEP,TAG,ERROR",
     "{text} is a FoxPro clause; {target} has no such clause"},
};

}  // namespace

std::span<const ConstructRow> construct_rows() { return rows; }

}  // namespace tarnvel::residue
