// What is left of FoxPro in converted SQL, and the steps an application takes before it sends a
// FoxPro SELECT to a server.
//
// find_residue() reads the text a converter wrote for a target (a SELECT command, or the column list
// of a CREATE TABLE) and reports every FoxPro-only construct that the target cannot run or would
// read with another meaning: FoxPro operators (==, #, !, $), logical and date literals, memory
// variables and form references, database!table names, file paths used as tables, FoxPro functions
// the target does not have, FoxPro type words and clauses. Nothing inside the target's string
// literals or quoted names is reported. The constructs are rows of data: residue_constructs() lists
// them with what each is and how it is recognised.
//
// strip_destinations() removes what only FoxPro itself acts on (INTO CURSOR/TABLE/DBF/ARRAY, TO
// FILE/PRINTER/SCREEN, NOCONSOLE, PLAIN, NOWAIT, READWRITE, NOFILTER, PREFERENCE) from a FoxPro
// SELECT, in any position FoxPro accepts them and with FoxPro's abbreviations.
// bind_parameters() turns the host parameters of converted text (?name, ?m.name) into the "?"
// markers a server's prepared statements take.
//
// Standard library only; link tarnvel_residue.
#pragma once

#include <tarnvel/dialects.hpp>

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel {

// What a converted text is: a SELECT command, or the column list of a CREATE TABLE.
enum class ConvertedText { select, structure };

// One kind of FoxPro residue.
struct ResidueConstruct {
    std::string_view id;          // short and stable, e.g. "exact-equality"
    std::string_view what;        // what it is, for a person migrating an application
    std::string_view recognised;  // how the check recognises it
};

// One place where FoxPro is left.
struct ResidueFinding {
    std::string_view construct;  // the id of its ResidueConstruct
    std::size_t offset = 0;      // byte offset in the checked text
    std::string text;            // the offending text as it stands there
    std::string message;         // what is wrong, in a sentence
};

// Every construct the check knows, in a fixed order.
std::span<const ResidueConstruct> residue_constructs();

// The FoxPro residue in 'converted', written by a converter for 'target'; in text order.
std::vector<ResidueFinding> find_residue(Target target, ConvertedText kind, std::string_view converted);
// What a FoxPro text as written (a SELECT command, or the field list of a CREATE TABLE) takes from
// the running FoxPro application, which its conversion passes on without showing it as residue:
// object references (THISFORM.txtCust.Value, which the conversion makes a host parameter that
// only the form's own code can supply), file paths used as tables (d:\data\orders.dbf, which the
// conversion names by the bare table name), and, where the application's own routines are known
// ('user_functions': the PROCEDUREs and FUNCTIONs its code defines and its programs, letter case
// aside), calls of them ("user-function": the server cannot call them). Offsets are in
// 'foxpro_text'; FoxPro's string literals ('...', "...", [...]) are passed over.
std::vector<ResidueFinding> find_application_ties(Target target, ConvertedText kind, std::string_view foxpro_text,
                                                  std::span<const std::string> user_functions = {});

// A FoxPro SELECT without its FoxPro destinations and options, and what was removed (each piece
// as written, in text order). Everything else is kept byte for byte (a blank is put where a removed
// piece stood between two non-blanks). String literals ('...', "...", [...]) and parentheses
// (subqueries, name expressions) are passed over. An option word (PLAIN, READWRITE ...) counts only
// where a clause may end: after an operand and before the end, a clause or another option.
struct ServerStatement {
    std::string text;
    std::vector<std::string> removed;
};
ServerStatement strip_destinations(std::string_view foxpro_select);

// Converted text with each host parameter (?name, ?m.name, ?obj.prop) replaced by "?" (PostgreSQL's
// numbered $1, $2, ... there), outside
// the target's literals and quoted names; the parameters as written (without the "?"), in order.
struct BoundStatement {
    std::string text;
    std::vector<std::string> parameters;
};
BoundStatement bind_parameters(Target target, std::string_view converted);

}  // namespace tarnvel
