// One item of a host field list taken apart: a column (name, type, width and decimals, and the
// column clauses NULL, NOT NULL, DEFAULT, CHECK, AUTOINC, PRIMARY KEY, UNIQUE, REFERENCES,
// NOCPTRANS) or a table constraint (PRIMARY KEY, UNIQUE, FOREIGN KEY, CHECK). Nothing here writes
// output; the parts point into the item's text.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnvel::structure {

enum class Nullness : std::uint8_t { unsaid, null, not_null };

// The parenthesised part after the type. Numbers keep the digits as written, so no width is ever
// cut to fit an integer.
struct Size {
    std::string_view width;     // digits; empty when no width part was written
    std::string_view decimals;  // digits; empty when none
    std::string_view raw;       // a width part that is not one or two numbers, "(" to ")" as written
    bool given() const { return !width.empty() || !raw.empty(); }
};

struct Column {
    std::string_view name;
    std::string_view type;  // as written
    char letter = 0;        // the host's type letter
    Size size;
    Nullness nullness = Nullness::unsaid;
    std::string_view default_value;  // the FoxPro expression after DEFAULT; empty when none
    std::string_view check;          // the FoxPro condition after CHECK; empty when none
    bool autoinc = false;
    std::string_view next_value;  // AUTOINC NEXTVALUE, digits with a "-" kept and a "+" dropped
    std::string_view step;        // AUTOINC STEP, likewise
    bool primary_key = false;
    bool unique = false;
    std::string_view references;  // the parent table of REFERENCES; empty when none
};

enum class ConstraintKind : std::uint8_t { primary_key, unique, foreign_key, check };

struct TableConstraint {
    ConstraintKind kind = ConstraintKind::check;
    std::string_view expression;  // the index expression, or the CHECK condition
    std::string_view tag;         // the tag of the index; empty when none was written
    std::string_view references;  // FOREIGN KEY's parent table
};

enum class ItemKind : std::uint8_t {
    bare,        // no blank and no tab: written as it stands
    name_only,   // a name and nothing after it
    column,
    constraint,
};

// Why an item could not be read; 'what' is the offending text.
enum class Fault : std::uint8_t {
    none, unknown_type, unknown_clause, open_width, open_expression, missing_expression, missing_name, missing_number,
    missing_clause,
};

struct ParsedItem {
    ItemKind kind = ItemKind::bare;
    Column column;               // kind column (and the name of name_only and bare items)
    TableConstraint constraint;  // kind constraint
    Fault fault = Fault::none;
    std::string_view what;
};

// Reads one item (the text between two top-level commas of the list).
ParsedItem parse_item(std::string_view item);

// The text of the list up to the next comma that stands outside parentheses, braces and string
// literals ('...', "..." and [...]); npos when there is none. A ")" without its "(" is passed over.
std::size_t next_top_level_comma(std::string_view list, std::size_t from);

// Whether an index expression is a plain list of names joined by "+" (name+name+...), which a
// target can index as a column list; a function or a constant cannot be.
bool plain_index(std::string_view expression);

// The next name of a plain index expression from 'at' (moved past it); empty at the end.
std::string_view next_index_name(std::string_view expression, std::size_t &at);

}  // namespace tarnvel::structure
