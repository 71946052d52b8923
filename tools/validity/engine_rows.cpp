#include "engine_rows.h"

#include <string_view>

namespace validity {
namespace {

struct TableRows {
    std::string_view insert;  // "INSERT INTO t (columns) VALUES "
    std::vector<std::string_view> rows;  // "{D}" stands for the empty date, "{T}" for the empty datetime
};

const TableRows &customer_rows() {
    static const TableRows rows{
        "INSERT INTO customer (cust_id, cust_name, city, country, balance, since, active, notes) VALUES ",
        {
            "(1, 'Anna Berg', 'Berlin', 'Germany', 120.50, '2020-01-31', TRUE, 'prefers mail')",
            "(2, 'anna berg', 'berlin', 'Germany', 0, {D}, FALSE, '')",
            "(3, 'Bernd Ott  ', 'Berlin', 'Germany', -45.25, '2019-12-31', TRUE, 'late payer  ')",
            "(4, 'Carla Diaz', 'Madrid', 'Spain', 1000, '2020-02-29', TRUE, 'VIP')",
            "(5, 'Dora Frei', 'Madrid ', 'Spain', 0.01, '2021-02-28', FALSE, '  ')",
            "(6, '', '', '', 0, {D}, FALSE, '')",
            "(7, 'Emil Gans', 'Zurich', 'Switzerland', 99.99, '2018-06-30', TRUE, 'no orders')",
            "(8, 'Fay Hill', 'London', 'UK', -0.50, '2020-12-31', TRUE, 'x')",
            "(9, 'Gus Ivy', 'london', 'UK', 250, '2022-01-01', FALSE, '')",
            "(10, 'Hana Jo', 'Berlin', 'Germany', 120.50, '2020-01-31', FALSE, 'prefers mail')",
            "(11, 'Ivo Kay', 'Paris', 'France', 3.33, '2016-01-05', TRUE, 'B')",
            "(12, 'Jan Lee', 'Ber', 'Germany', 7, '2000-02-29', TRUE, 'short city')",
            "(13, 'Kim Moe', 'Madrid', 'spain', 0, '1999-12-31', FALSE, '')",
            "(14, 'Lia Nut', 'Oslo', 'Norway', 12345.67, '2020-03-31', TRUE, 'big')",
            "(15, 'Max Orr', 'Berlin', 'Germany', -1000, '2019-06-30', TRUE, '')",
            "(16, 'Nia Pan', 'Rome', 'Italy', 50, '2021-12-31', FALSE, 'a  b')",
            "(17, 'olaf quist', 'Oslo', 'Norway', 0, {D}, TRUE, 'lowercase')",
            "(18, 'Pia Ray', 'Paris', 'France', 88.8, '2020-04-30', TRUE, '')",
        }};
    return rows;
}

const TableRows &orders_rows() {
    static const TableRows rows{
        "INSERT INTO orders (order_id, cust_id, order_date, shipped, total, status, paid, qty) VALUES ",
        {
            "(101, 1, '2020-01-31', '2020-02-01 09:15:00', 150, 'A', TRUE, 3)",
            "(102, 1, '2020-02-29', '2020-03-01 00:00:00', 20.5, 'S', TRUE, 1)",
            "(103, 2, '2020-03-31', {T}, 0, '', FALSE, 0)",
            "(104, 3, '2019-12-31', '2020-01-01 23:59:59', -10, 'a', FALSE, -1)",
            "(105, 3, '2020-12-31', '2021-01-04 12:00:00', 999.9999, 'S', TRUE, 10)",
            "(106, 4, '2021-02-28', '2021-03-01 08:00:00', 75.25, 'A', TRUE, 2)",
            "(107, 4, '2021-02-28', {T}, 75.25, 'A', FALSE, 2)",
            "(108, 5, '2020-06-30', '2020-07-01 10:30:00', 12.3456, 'X', FALSE, 5)",
            "(109, 6, {D}, {T}, 0, '', FALSE, 0)",
            "(110, 8, '2022-01-01', '2022-01-02 14:45:00', 300, 'S', TRUE, 4)",
            "(111, 9, '2020-01-31', '2020-01-31 18:00:00', 0.01, 's', TRUE, 1)",
            "(112, 10, '2020-02-29', '2020-03-02 07:30:00', 150, 'A', FALSE, 3)",
            "(113, 11, '2016-01-05', '2016-01-05 13:45:00', 33.33, 'C', TRUE, 7)",
            "(114, 12, '2000-02-29', '2000-03-01 00:00:01', 1, 'A', TRUE, 1)",
            "(115, 14, '2020-03-31', '2020-04-01 11:11:11', 5000, 'S', TRUE, 20)",
            "(116, 15, '2019-06-30', {T}, -250.5, 'C', FALSE, -2)",
            "(117, 16, '2021-12-31', '2022-01-03 09:00:00', 60, 'A', TRUE, 6)",
            "(118, 17, '2020-04-30', '2020-05-01 16:20:00', 0, 'A', FALSE, 0)",
            "(119, 18, '2020-04-30', '2020-05-01 16:20:00', 88.8, 'S', TRUE, 1)",
            "(120, 99, '2020-05-31', {T}, 10, 'A', FALSE, 1)",
            "(121, 1, '2020-12-31', '2021-01-02 10:00:00', 150, 'S', TRUE, 3)",
        }};
    return rows;
}

const TableRows &product_rows() {
    static const TableRows rows{
        "INSERT INTO product (prod_code, descr, price, stock, changed, discont) VALUES ",
        {
            "('A100', 'Apple juice', 2.50, 100, '2020-01-31 08:00:00', FALSE)",
            "('A200', 'apple pie', 4.75, 0, '2020-02-29 12:00:00', FALSE)",
            "('B100', 'Bread  ', 1.20, -5, {T}, TRUE)",
            "('B200', 'Butter', 2.50, 30, '2019-12-31 23:59:59', FALSE)",
            "('C100', 'Cheese', 12.99, 12, '2020-06-30 00:00:00', FALSE)",
            "('C200', '', 0, 0, {T}, FALSE)",
            "('D100', 'Donut', 0.99, 200, '2021-02-28 10:00:00', TRUE)",
            "('E100', 'Eggs (12)', 3.10, 48, '2020-12-31 18:30:00', FALSE)",
            "('F100', 'Flour', 1.05, 75, '2020-03-31 09:00:00', FALSE)",
            "('G100', 'Grapes', 5.00, 0, '2022-01-01 00:00:00', TRUE)",
            "('', 'no code', 1, 1, {T}, FALSE)",
            "('A1', 'Apple', 1.00, 10, '2020-01-01 00:00:00', FALSE)",
        }};
    return rows;
}

const TableRows &item_rows() {
    static const TableRows rows{
        "INSERT INTO item (order_id, prod_code, line_qty, line_price, discount) VALUES ",
        {
            "(101, 'A100', 2, 2.50, 0)",   "(101, 'C100', 1, 12.99, 10.00)", "(102, 'B100', 1, 1.20, 0)",
            "(103, 'A200', 0, 4.75, 0)",   "(104, 'D100', -1, 0.99, 0)",     "(105, 'A100', 4, 2.50, 5.50)",
            "(105, 'A100', 4, 2.50, 5.50)", "(105, 'E100', 2, 3.10, 0)",     "(106, 'B200', 3, 2.50, 0)",
            "(106, 'G100', 1, 5.00, 99.99)", "(107, 'F100', 2, 1.05, 0.01)", "(108, 'C100', 5, 12.99, 0)",
            "(108, 'X999', 1, 9.99, 0)",   "(109, '', 0, 0, 0)",             "(110, 'A1', 10, 1.00, 0)",
            "(110, 'D100', 12, 0.99, 12.50)", "(111, 'A200', 1, 4.75, 0)",   "(112, 'A100', 3, 2.50, 0)",
            "(113, 'E100', 7, 3.10, -1.00)", "(114, 'B100', 1, 1.20, 0)",    "(116, 'C100', -2, 12.99, 0)",
            "(117, 'G100', 6, 5.00, 0)",   "(118, 'A100', 0, 2.50, 0)",      "(119, 'B200', 1, 2.50, 0)",
            "(120, 'D100', 1, 0.99, 0)",   "(121, 'A100', 3, 2.50, 0)",      "(121, 'C100', 1, 12.99, 0)",
        }};
    return rows;
}

void replace_all(std::string &text, std::string_view from, const std::string &to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::vector<std::string> trial_rows(const std::string &empty_date, const std::string &empty_datetime) {
    std::vector<std::string> out;
    for (const TableRows *table : {&customer_rows(), &orders_rows(), &product_rows(), &item_rows()}) {
        std::string sql(table->insert);
        for (std::size_t i = 0; i < table->rows.size(); ++i) sql += (i ? ", " : "") + std::string(table->rows[i]);
        replace_all(sql, "{D}", empty_date);
        replace_all(sql, "{T}", empty_datetime);
        out.push_back(std::move(sql));
    }
    return out;
}

}  // namespace validity
