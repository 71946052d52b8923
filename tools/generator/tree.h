// A generated FoxPro SELECT as a tree: the statement is made as a tree, written out as text, and
// reduced as a tree (so that a smaller statement is still valid FoxPro). Every node carries a style
// number from which its writing (letter case, blanks, abbreviations) is drawn; a node keeps its
// writing when its neighbours change, and style 0 is the plain writing.
#pragma once

#include "schema.h"

#include <cstdint>
#include <string>
#include <vector>

namespace foxgen {

struct Query;

enum class NodeKind {
    column,         // a field: word is its name, owner the alias (or table) it belongs to
    item_name,      // the name of a select item (ORDER BY, HAVING): item is its index
    item_number,    // the number of a select item (ORDER BY 2, GROUP BY 1): item is its index
    literal,        // word as written: a string, number, date or logical literal
    variable,       // m.name or a form property: word is the name without m.
    parameter,      // ?name: word is the name as written after "?"
    call,           // word(args); COUNT(*) has no args and star set
    cast,           // CAST(args[0] AS word)
    unary,          // word args[0]: "-", "!", "NOT", ".NOT."
    binary,         // args[0] word args[1]: arithmetic, comparison, $, AND, OR
    is_null,        // args[0] IS [NOT] NULL
    between,        // args[0] [NOT] BETWEEN args[1] AND args[2]
    in_list,        // args[0] [NOT] IN (args[1], ...)
    like,           // args[0] [NOT] LIKE args[1]
    in_query,       // args[0] [NOT] IN (query)
    exists,         // [NOT] EXISTS (query)
    compare_query,  // args[0] word [quantifier] (query): word the comparison, quantifier ANY/ALL/SOME or none
    scalar_query,   // (query)
    paren,          // (args[0])
};

struct Node {
    NodeKind kind = NodeKind::literal;
    Type type = Type::logical;
    std::string word;
    std::string owner;        // column: the alias or table name it belongs to
    std::string quantifier;   // compare_query: ANY, ALL, SOME or empty
    bool qualified = false;   // column: written owner.name
    bool negated = false;     // NOT IN, NOT LIKE, NOT BETWEEN, IS NOT NULL, NOT EXISTS
    bool aggregate = false;   // an aggregate call: its arguments are read row by row
    bool star = false;        // COUNT(*)
    bool distinct = false;    // COUNT(DISTINCT x)
    bool pinned = false;      // stays whole in a reduction (the CAST that gives a UNION column its type)
    int item = -1;            // item_name, item_number, and a column that names a select item
    std::vector<Node> args;
    std::vector<Query> query;  // the subquery of the query kinds (one)
    std::vector<Node> simple;  // a node of the same type that may stand in this one's place (one or none)
    std::uint64_t style = 0;
};

struct TableRef {
    std::string table;          // the table's name; empty for a derived table
    bool database = false;      // written database!table
    std::string alias;          // empty when the table's own name qualifies its fields
    bool as_word = false;       // [AS] alias
    bool buffering = false;     // WITH (BUFFERING = .T.)
    std::vector<Query> derived;  // a derived table (one)
    std::uint64_t style = 0;
    const std::string &name() const { return alias.empty() ? table : alias; }
};

enum class JoinKind { comma, plain, inner, left, right, full };

struct Join {
    JoinKind kind = JoinKind::inner;
    bool outer_word = false;   // LEFT OUTER JOIN
    TableRef table;
    std::vector<Node> on;      // the join condition (none after a comma)
    std::uint64_t style = 0;
};

struct Item {
    std::vector<Node> expr;    // none for * and alias.*
    std::string star_owner;    // alias.* (with no expr); * when empty too
    std::string alias;         // the column's name, or empty
    bool as_word = true;       // expr AS name, or expr name
    std::uint64_t style = 0;
    bool star() const { return expr.empty(); }
};

struct OrderKey {
    Node key;                  // item_number, item_name or a column naming the item
    int direction = 0;         // 0 none, 1 ASC, 2 DESC
    std::uint64_t style = 0;
};

// The clauses that may follow FROM, in the order a member writes them.
enum class Clause { where, group_by, having, order_by, into, top };

struct Destination {
    enum Kind { none, cursor, table, dbf, array, file, screen } kind = none;
    std::string name;
    std::vector<std::string> options;  // READWRITE, NOFILTER, NOCONSOLE, PLAIN, NOWAIT, ADDITIVE
    std::uint64_t style = 0;
};

struct Select {
    bool distinct = false;
    bool all_word = false;     // SELECT ALL
    int top = 0;               // TOP n, 0 for none (needs an ORDER BY)
    bool top_percent = false;
    std::vector<Item> items;
    bool force = false;        // FROM FORCE
    TableRef from;
    std::vector<Join> joins;
    std::vector<Node> where;   // one condition or none
    std::vector<Node> group_by;
    std::vector<Node> having;
    bool where_first = false;  // WHERE written before FROM
    std::vector<Clause> clauses;  // where, group_by, having (and for the last member of the outer query
                                  // order_by, into, top) in the order they are written
    std::uint64_t style = 0;
};

// How a whole statement is written.
struct Habits {
    int letter_case = 0;   // 0 keywords upper and names lower, 1 all lower, 2 all upper, 3 capitalised,
                           // 4 each word its own of these, 5 each letter its own
    int blanks = 0;        // 0 single blanks, 1 some doubled blanks and tabs, 2 line breaks as well
    bool tight = false;    // operators and commas often without blanks
    bool abbreviates = false;  // keywords (and now and then functions) in FoxPro's short forms
    bool plain() const { return letter_case == 0 && blanks == 0 && !tight && !abbreviates; }
};

struct Query {
    std::vector<Select> members;         // UNION members
    std::vector<bool> union_all;         // between member k and k+1
    std::vector<OrderKey> order_by;      // of the whole query, written with the last member
    Destination into;                    // written with the last member
    Habits habits;                       // the outer query's only
    std::uint64_t style = 0;
};

}  // namespace foxgen
