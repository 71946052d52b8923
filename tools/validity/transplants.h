// The expressions of the corpus statements put into other clauses as a statement source: each
// select item (without its alias) and each WHERE, HAVING and ON condition (whole, and each of its
// top-level AND / OR terms) of every SELECT of a statement is written into the templates of
// transplant_templates() that fit it, over the FROM clause of the SELECT it came from; so are each
// SELECT's FROM clause (under other heads and tails), its GROUP BY and ORDER BY lists (with its
// select list, under other tails) and the whole statement (in a derived table, a UNION ALL with
// itself, IN and EXISTS). Each is named
// "transplants:selects.jsonl:12/iif/3" (the third fragment of line 12 in the IIF template). A
// transplant should fare as its original does; the ones that fare worse show a fault of the
// converters with an expression of real code in a place that code did not put it.
#pragma once

#include "measure.h"
#include "report.h"
#include "sources.h"
#include "variants.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace validity {

struct Fragment {
    // grouping: a GROUP BY list, ordering: an ORDER BY list, statement: the whole command without
    // its destinations (and without an ORDER BY that has no TOP, which FoxPro refuses in a subquery)
    enum class Kind { condition, item, from, grouping, ordering, statement };
    Kind kind = Kind::condition;
    std::string text;
    std::string items;         // the select list of its SELECT (without DISTINCT and TOP n); empty when unknown
    std::string group;         // " GROUP BY ... HAVING ..." of its SELECT, for an ORDER BY list; else empty
    bool listed_order = false; // ordering: every term a column number or one of the select list (as DISTINCT needs)
    bool union_ = false;       // statement: a UNION at its top level
    bool top = false;          // statement: TOP n (and so an ORDER BY, which no UNION member may have)
    std::string item;          // statement: its only item when it is one without aggregates or subqueries
    bool aggregate = false;    // an aggregate call (COUNT, SUM, STD, ...; MAX and MIN of one argument) outside subqueries
    bool bare_names = false;   // a name (column or variable) outside aggregate calls and subqueries; m.x is none
    bool subquery = false;     // holds a SELECT
    bool qualified = false;    // names a table: alias.field (not m.var)
    std::vector<std::string> qualifiers;  // those tables' names as written, upper case (outside subqueries)
    std::string from;          // the FROM clause of its SELECT; empty when it cannot be written again
    std::string first_table;   // the FROM clause's first table (db!table as written); empty for a derived one
    bool comma_from = false;   // the FROM clause lists tables with commas
};

// Every fragment of the statement, in the order of the text, each text once per SELECT; none from a
// statement with a macro, nor a fragment whose SELECT reads a name expression it would need.
std::vector<Fragment> fragments(std::string_view statement);

struct Template {
    std::string_view name;  // the origin's middle part: "transplants:selects.jsonl:12/iif/3"
    Fragment::Kind kind;
    bool (*fits)(const Fragment &);
    // <x> is the fragment, <from> the FROM clause (t without one), <table> its first table, <items>
    // the select list, <group> the GROUP BY and HAVING clauses, <item> a statement's only item
    std::string_view text;
};

const std::vector<Template> &transplant_templates();
const Template *transplant_template(std::string_view name);

// The template written with the fragment; nullopt when it does not fit.
std::optional<std::string> transplant(const Template &place, const Fragment &fragment);

class TransplantsSource : public StatementSource {
public:
    explicit TransplantsSource(const std::string &selects);  // a selects.jsonl file
    const std::string &name() const override { return name_; }
    tarnvel::ConvertedText kind() const override { return tarnvel::ConvertedText::select; }
    std::optional<Statement> next() override;

private:
    std::string name_ = "transplants";
    JsonLinesSource originals_;
    std::string origin_;
    std::vector<Fragment> fragments_;
    std::size_t fragment_ = 0, template_ = 0;
};

// "transplants:selects.jsonl:12/iif/3" -> "selects.jsonl:12"; nullopt for any other origin.
std::optional<std::string> transplant_original(const std::string &origin);

}  // namespace validity
