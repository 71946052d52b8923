// The statements the SELECT benchmarks convert: a set of typical statements, and one family of
// large pretty-printed statements (blank runs, tabs, line breaks, long IN lists, nested IIFs).
#pragma once

#include <tarnvel/dialects.hpp>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// The SELECT converter of every dialect, in the registry's order.
inline constexpr auto functions = [] {
    std::array<std::string_view, tarnvel::dialect_count> out{};
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = tarnvel::dialects()[i].select_function;
    return out;
}();

inline const std::vector<std::string> typical = {
    "SELECT o.id, o.date, c.name, ALLTRIM(c.city) AS city FROM orders o JOIN customers c ON o.cust = c.id "
    "WHERE o.total > 100 AND c.active ORDER BY o.date DESC",
    "SELECT TOP 10 name, SUBSTR(code, 2, 3) AS part, IIF(paid, 'yes', 'no') AS state FROM invoices "
    "WHERE due < DATE() AND NOT cancelled ORDER BY name",
    "SELECT region, SUM(amount) AS total, COUNT(*) AS n, city FROM sales WHERE year = 2010 GROUP BY region "
    "HAVING total > 1000 ORDER BY region",
    "SELECT a.id, b.value FROM alpha a LEFT OUTER JOIN beta b ON a.id = b.alpha_id "
    "WHERE a.kind IN (SELECT kind FROM kinds WHERE used) AND b.value BETWEEN 1 AND 10",
    "SELECT name FROM customers WHERE country = 'DE' UNION ALL SELECT name FROM suppliers WHERE country = 'DE' "
    "UNION SELECT name FROM partners",
    "SELECT PADR(name, 20) AS n, DTOC(created) AS d, HOUR(stamp) AS h, NVL(note, '') AS note FROM log "
    "WHERE !DELETED() AND stamp >= {^2010-08-16} AND ?nUser = owner",
    "SELECT DISTINCT k.code, STR(k.price, 10, 2), VAL(k.text), AT('x', k.name) FROM catalog k "
    "WHERE k.code LIKE 'A%' AND k.stock IS NOT NULL",
    "sele c.name, o.total from customer c, orders o wher c.id = o.cust_id .and. o.total > 0 order by 2",
};

inline std::size_t typical_bytes() {
    std::size_t bytes = 0;
    for (const std::string &s : typical) bytes += s.size();
    return bytes;
}

// One member, pretty-printed, of about 'size' bytes.
inline std::string large_statement(std::size_t size) {
    std::string select = "SELECT\n\t\tk.region,\n";
    std::string where = "\nWHERE\n\t\tk.active\n";
    for (int i = 0; select.size() + where.size() < size; ++i) {
        std::string n = std::to_string(i);
        select += "\t\tIIF(k.flag" + n + ", IIF(k.x" + n + " > 1, 'big', 'small'), 'none') AS c" + n + ",\n";
        select += "\t\tALLTRIM(k.name" + n + ")   AS   n" + n + ",   SUBSTR(k.code, 2, 3) AS s" + n + ",\n";
        where += "    AND   k.v" + n + " IN (1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20)\n";
        where += "\t\tOR   (k.w" + n + " = 'text " + n + "'   AND   k.z" + n + " BETWEEN 1 AND 99)\n";
    }
    select += "\t\tCOUNT(*) AS total\n";
    return select + "FROM\n\tkatalog k\n\tJOIN   region r   ON r.id = k.region" + where +
           "GROUP BY k.region\nORDER BY k.region";
}

}  // namespace bench
