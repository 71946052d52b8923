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

// True when the word (upper case, bare or already enclosed in commas) is an entry of the list.
bool keyword_in_list(KeywordList list, std::string_view word);

// The stored strings of a list (part 0, and part 1 for the Access reserved words; empty otherwise).
std::string_view keyword_list_text(KeywordList list, int part = 0);

}  // namespace tarnvel::lex
