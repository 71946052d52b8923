// The residue check's working state and the rows of its constructs.
#pragma once

#include "residue/text.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvel::residue {

// One column definition or table constraint of a structure text (the column list of CREATE TABLE).
struct ColumnItem {
    Span whole;                   // the item without the separating commas
    Span name;                    // the column's name (empty for a table constraint)
    Span type;                    // its type word (empty when there is none)
    std::size_t widths = npos;    // the "(" after the type, when there is one
    std::size_t clauses = 0;      // where the clauses after the type (and widths) start
    bool constraint = false;      // PRIMARY KEY, UNIQUE, FOREIGN KEY, CHECK or CONSTRAINT item
};
std::vector<ColumnItem> column_items(Target target, std::string_view masked);

// The tables given as FoxPro name expressions, FROM (m.cAlias) or JOIN (thisform.cTable): a
// parenthesis where a table is named that holds no subquery.
std::vector<Span> name_expressions(std::string_view masked);
// The host parameters written with an expression, ?(thisform.GetValue()) or ?(laList[2]): the host
// evaluates them, so what they hold is FoxPro's and no residue.
std::vector<Span> parameter_expressions(std::string_view masked);

struct ConstructRow;

class Check {
public:
    // 'reading' says whose literals and quoted names the text has (the target's by default).
    Check(Target target, ConvertedText kind, std::string_view converted, std::optional<Target> reading = std::nullopt);

    // Records a finding.
    void add(const ConstructRow &row, std::size_t begin, std::size_t end, std::string message);
    // Records a finding of an expression matcher, unless it starts on a column's name or type (a
    // structure text's column "date" is no call of DATE()); with the row's message by default.
    void report(const ConstructRow &row, std::size_t begin, std::size_t end);
    void report(const ConstructRow &row, std::size_t begin, std::size_t end, std::string message);
    // The row's message with {target} and {text} filled in.
    std::string say(const ConstructRow &row, std::string_view found) const;
    std::string_view original(std::size_t begin, std::size_t end) const {
        return text.original.substr(begin, end - begin);
    }

    Target target;
    ConvertedText kind;
    TargetText text;
    std::vector<ColumnItem> items;   // structure texts only
    std::vector<Span> names_and_types;  // structure texts: not read as expressions
    std::vector<Span> name_expressions; // SELECT texts: FROM (expression), resolved by the application
    std::vector<Span> parameters;       // SELECT texts: ?(expression), evaluated by the host
    std::span<const std::string> user_functions;  // the application's own routines, when known
    std::vector<ResidueFinding> findings;
};

using Matcher = void (*)(Check &check, const ConstructRow &row);

struct ConstructRow {
    ResidueConstruct construct;
    Targets targets;             // the targets the construct is residue in
    bool in_select;              // checked in SELECT texts
    bool in_structure;           // checked in structure texts
    Matcher match;
    std::string_view parameter;  // what the matcher looks for, when it serves several rows
    std::string_view message;    // {target} and {text} are filled in
};

std::span<const ConstructRow> construct_rows();

// The matchers (expression_matchers.cpp, structure_matchers.cpp).
namespace match {
void sequence(Check &, const ConstructRow &);
void hash(Check &, const ConstructRow &);
void bang(Check &, const ConstructRow &);
void database_table(Check &, const ConstructRow &);
void dollar(Check &, const ConstructRow &);
void dotted(Check &, const ConstructRow &);
void braces(Check &, const ConstructRow &);
void memory_variable(Check &, const ConstructRow &);
void object_reference(Check &, const ConstructRow &);
void file_path(Check &, const ConstructRow &);
void buffering(Check &, const ConstructRow &);
void name_expression(Check &, const ConstructRow &);
void destination(Check &, const ConstructRow &);
void function(Check &, const ConstructRow &);
void user_function(Check &, const ConstructRow &);
void macro(Check &, const ConstructRow &);
void arrow(Check &, const ConstructRow &);
void binary_literal(Check &, const ConstructRow &);
void system_variable(Check &, const ConstructRow &);
void subscript(Check &, const ConstructRow &);
void foreign_quotes(Check &, const ConstructRow &);
void backslash_escape(Check &, const ConstructRow &);
void foxpro_type(Check &, const ConstructRow &);
void unknown_type(Check &, const ConstructRow &);
void type_width(Check &, const ConstructRow &);
void column_clause(Check &, const ConstructRow &);
void words(Check &, const ConstructRow &);
void table_alias_as(Check &, const ConstructRow &);
void condition_item(Check &, const ConstructRow &);
void case_condition(Check &, const ConstructRow &);
}  // namespace match

}  // namespace tarnvel::residue
