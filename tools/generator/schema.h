// The small database the generated statements read: tables with typed columns (as FoxPro field
// lists, so that a test can create them with the structure conversion), the key pairs that join
// them, and the memory variables and form properties a statement may compare with.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace foxgen {

// FoxPro's types as far as a statement tells them apart.
enum class Type { character, number, integer, currency, date, datetime, logical, memo };

// Numbers of any kind: N, I and Y mix freely in FoxPro arithmetic and comparisons.
constexpr bool numeric(Type t) { return t == Type::number || t == Type::integer || t == Type::currency; }
// Types a comparison, MAX/MIN, GROUP BY, DISTINCT or UNION may use.
constexpr bool comparable(Type t) { return t != Type::memo; }

struct Column {
    std::string_view name;
    Type type;
    std::string_view foxpro;  // the field's FoxPro type with its width: "C(30)", "N(12,2)", "I"
};

struct Table {
    std::string_view name;
    std::span<const Column> columns;
};

// Two columns that join two tables (the same table on both sides for a self join).
struct JoinKey {
    std::string_view left_table;
    std::string_view left_column;
    std::string_view right_table;
    std::string_view right_column;
};

// A value the application holds: a memory variable (m.name, ?name) or a form property
// (thisform.txtcity.value), which FoxPro reads while it runs the statement.
struct Variable {
    std::string_view name;  // without m.
    Type type;
    bool property = false;  // a form property rather than a memory variable
};

// The database container the tables belong to (written database!table).
inline constexpr std::string_view database_name = "sales";

std::span<const Table> tables();
std::span<const JoinKey> join_keys();
std::span<const Variable> variables();
const Table *table_named(std::string_view name);

// The table's FoxPro field list, "CUST_ID I, CUST_NAME C(30), ...".
std::string field_list(const Table &table);

}  // namespace foxgen
