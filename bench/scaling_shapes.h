// Statement shapes that grow in one direction only: many IIFs, deeply nested IIFs, many JOINs, long
// GROUP BY lists, long IN lists, many UNION members, many subqueries, long chains of + of text,
// many ~ references, long CREATE TABLE field lists, many IIF items, ORDER BY by many aliases, long
// chains of AND, many host calls on literals. Each shape builds its text from an item count;
// the scaling benchmark doubles the count and watches how the conversion's time grows.
#pragma once

#include <tarnvel/dialects.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// Which library function a shape goes through.
enum class Through { select, iif, variables, structure };

struct Shape {
    std::string_view name;
    Through through;
    std::string (*build)(std::size_t n);
};

namespace shapes {

inline std::string numbered(std::string_view word, std::size_t i) {
    std::string out(word);
    out += std::to_string(i);
    return out;
}

inline std::string iif_chain(std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) {
        if (i) out += " + ";
        out += "IIF(" + numbered("a", i) + " > 1, 'x', 'y')";
    }
    return out;
}

inline std::string iif_nested(std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += "IIF(" + numbered("a", i) + " > 1, 'x', ";
    out += "'z'";
    out.append(n, ')');
    return out;
}

inline std::string select_iif_nested(std::size_t n) { return "SELECT " + iif_nested(n) + " AS c FROM t"; }

inline std::string joins(std::size_t n) {
    std::string out = "SELECT a0.id FROM t0 a0";
    for (std::size_t i = 1; i < n; ++i)
        out += " JOIN " + numbered("t", i) + " " + numbered("a", i) + " ON " + numbered("a", i) + ".id = " +
               numbered("a", i - 1) + ".id";
    return out;
}

inline std::string group_by(std::size_t n) {
    std::string fields;
    for (std::size_t i = 0; i < n; ++i) fields += numbered("f", i) + ", ";
    std::string out = "SELECT " + fields + "COUNT(*) AS n FROM t GROUP BY ";
    fields.resize(fields.size() - 2);
    return out + fields;
}

inline std::string in_list(std::size_t n) {
    std::string out = "SELECT a FROM t WHERE b IN (";
    for (std::size_t i = 0; i < n; ++i) out += (i ? ", " : "") + std::to_string(i);
    return out + ")";
}

inline std::string unions(std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += (i ? " UNION SELECT a FROM " : "SELECT a FROM ") + numbered("t", i);
    return out;
}

inline std::string subqueries(std::size_t n) {
    std::string out = "SELECT a FROM t WHERE a > 0";
    for (std::size_t i = 0; i < n; ++i) out += " AND b IN (SELECT b FROM " + numbered("u", i) + " WHERE c = 1)";
    return out;
}

inline std::string concat(std::size_t n) {
    std::string out = "SELECT ";
    for (std::size_t i = 0; i < n; ++i) out += (i ? " + " : "") + numbered("c", i) + " + 'x'";
    return out + " AS s FROM t";
}

inline std::string variables(std::size_t n) {
    std::string out = "SELECT a FROM t WHERE a = 1";
    for (std::size_t i = 0; i < n; ++i) out += " AND b = ~nValue";
    return out;
}

inline std::string fields(std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += (i ? ", " : "") + numbered("F", i) + " N(10,2)";
    return out;
}

inline std::string select_iif_chain(std::size_t n) {
    std::string out = "SELECT ";
    for (std::size_t i = 0; i < n; ++i) out += (i ? ", IIF(" : "IIF(") + numbered("a", i) + " > 1, 'x', 'y') AS " + numbered("c", i);
    return out + " FROM t";
}

inline std::string order_by_aliases(std::size_t n) {
    std::string select = "SELECT ", order = " ORDER BY ";
    for (std::size_t i = 0; i < n; ++i) {
        select += (i ? ", UPPER(" : "UPPER(") + numbered("f", i) + ") AS " + numbered("u", i);
        order += (i ? ", " : "") + numbered("u", i);
    }
    return select + " FROM t" + order;
}

inline std::string where_chain(std::size_t n) {
    std::string out = "SELECT a FROM t WHERE a = 1";
    for (std::size_t i = 0; i < n; ++i) out += " AND ALLTRIM(" + numbered("c", i) + ") == 'v'";
    return out;
}

inline std::string host_calls(std::size_t n) {
    std::string out = "SELECT a";
    for (std::size_t i = 0; i < n; ++i) out += ", RECCOUNT('" + numbered("cur", i) + "') AS " + numbered("n", i);
    return out + " FROM t";
}

// IIF(IIF(a0 > 1, 'x', 'y') = 'x', 'v1', 'y'): each IIF in the condition of the next.
inline std::string iif_in_condition(std::size_t n) {
    std::string out = "IIF(a0 > 1, 'x', 'y')";
    for (std::size_t i = 1; i < n; ++i) out = "IIF(" + out + " = 'x', " + numbered("'v", i) + "', 'y')";
    return out;
}

inline std::string select_iif_in_condition(std::size_t n) { return "SELECT " + iif_in_condition(n) + " AS c FROM t"; }

inline std::string where_iif_in_condition(std::size_t n) {
    return "SELECT a FROM t WHERE " + iif_in_condition(n) + " = 'x'";
}

// ICASE(ICASE(a0 > 1, 'x', 'y') = 'x', 'x', a1 > 2, 'z', 'y'): each ICASE in the first condition of the next.
inline std::string select_icase_in_condition(std::size_t n) {
    std::string out = "ICASE(a0 > 1, 'x', 'y')";
    for (std::size_t i = 1; i < n; ++i)
        out = "ICASE(" + out + " = 'x', 'x', " + numbered("a", i) + " > 2, 'z', 'y')";
    return "SELECT " + out + " AS c FROM t";
}

// INLIST(INLIST(a0, 1, 2), .T., .F.): each INLIST the value of the next.
inline std::string where_inlist_nested(std::size_t n) {
    std::string out = "INLIST(a0, 1, 2)";
    for (std::size_t i = 1; i < n; ++i) out = "INLIST(" + out + ", .T., " + numbered("b", i) + ")";
    return "SELECT a FROM t WHERE " + out;
}

// EMPTY(EMPTY(a0)) = .F. and so on, in a WHERE and in the select list.
inline std::string empty_nested(std::size_t n) {
    std::string out = "EMPTY(a0)";
    for (std::size_t i = 1; i < n; ++i) out = "EMPTY(" + out + ")";
    return out;
}

inline std::string where_empty_nested(std::size_t n) { return "SELECT a FROM t WHERE " + empty_nested(n); }

inline std::string select_empty_nested(std::size_t n) { return "SELECT " + empty_nested(n) + " AS c FROM t"; }

}  // namespace shapes

// Every shape; the counts of the scaling benchmark make each about 10 KB at its smallest.
inline const std::vector<Shape> scaling_shapes = {
    {"iif_chain", Through::iif, shapes::iif_chain},
    {"iif_nested", Through::iif, shapes::iif_nested},
    {"select_iif_nested", Through::select, shapes::select_iif_nested},
    {"joins", Through::select, shapes::joins},
    {"group_by", Through::select, shapes::group_by},
    {"in_list", Through::select, shapes::in_list},
    {"unions", Through::select, shapes::unions},
    {"subqueries", Through::select, shapes::subqueries},
    {"concat", Through::select, shapes::concat},
    {"select_iif_chain", Through::select, shapes::select_iif_chain},
    {"order_by_aliases", Through::select, shapes::order_by_aliases},
    {"where_chain", Through::select, shapes::where_chain},
    {"host_calls", Through::select, shapes::host_calls},
    {"variables", Through::variables, shapes::variables},
    {"fields", Through::structure, shapes::fields},
    {"iif_in_condition", Through::iif, shapes::iif_in_condition},
    {"select_iif_in_condition", Through::select, shapes::select_iif_in_condition},
    {"where_iif_in_condition", Through::select, shapes::where_iif_in_condition},
    {"select_icase_in_condition", Through::select, shapes::select_icase_in_condition},
    {"where_inlist_nested", Through::select, shapes::where_inlist_nested},
    {"where_empty_nested", Through::select, shapes::where_empty_nested},
    {"select_empty_nested", Through::select, shapes::select_empty_nested},
};

// The item count that makes a shape about 'bytes' long.
inline std::size_t items_for(const Shape &shape, std::size_t bytes) {
    const std::size_t per_item = shape.build(64).size() / 64 + 1;
    return bytes / per_item + 1;
}

}  // namespace bench
