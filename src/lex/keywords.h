// The ten keyword lists of the five dialects: for each, the reserved words and the words of a
// SELECT command. The lists are stored exactly as the dialects' vocabulary is kept (upper case,
// comma before and after every entry, empty entries included) and searched as such.
#pragma once

#include <string_view>

namespace tarnvel::lex {

enum class KeywordList {
    sqlserver_reserved,
    sqlserver_clause,
    oracle_reserved,
    oracle_clause,
    mysql_reserved,
    mysql_clause,
    access_reserved,  // two stored strings, searched one after the other
    access_clause,
    pgsql_reserved,
    pgsql_clause,
};

// The words each dialect's SELECT conversion quotes as names beyond its two lists (its rows for
// CASE, ESCAPE, BY, TOP and the like quote the word where it is no keyword). The field lists and the
// reserved-word quoting quote them too, so that a name is written alike everywhere: on Oracle and
// PostgreSQL a quoted name is case-sensitive and must match the column the field list made.
// Entries are enclosed in commas.
inline constexpr std::string_view sqlserver_more_quoted = ",BY,";
inline constexpr std::string_view oracle_more_quoted = ",CASE,CONVERT,CURSOR,END,ESCAPE,WHEN,";
inline constexpr std::string_view mysql_more_quoted = ",BY,";
inline constexpr std::string_view access_more_quoted = "";
inline constexpr std::string_view pgsql_more_quoted = ",BETWEEN,BY,CONVERT,CURSOR,ESCAPE,EXISTS,TOP,";

// The words each dialect reads as values where they stand bare (none beyond its literals for the
// others: SQL Server, MySQL and Access quote theirs as reserved words). A FoxPro name spelled so (its
// own literals are .T. and .F., its dates DATE() and DATETIME()) is written as the quoted name.
// Entries are enclosed in commas.
inline constexpr std::string_view pgsql_value_words =
    ",TRUE,FALSE,CURRENT_DATE,CURRENT_TIME,CURRENT_TIMESTAMP,LOCALTIME,LOCALTIMESTAMP,";

// True when the word, in any ASCII letter case, is an entry of a list whose entries are enclosed in
// commas (the further quoted words and the value words above).
bool comma_list_has(std::string_view list, std::string_view word);

// True when the word (upper case, bare or already enclosed in commas) is an entry of the list.
bool keyword_in_list(KeywordList list, std::string_view word);

// The stored strings of a list (part 0, and part 1 for the Access reserved words; empty otherwise).
std::string_view keyword_list_text(KeywordList list, int part = 0);

}  // namespace tarnvel::lex
