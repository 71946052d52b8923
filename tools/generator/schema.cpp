#include "schema.h"

#include <algorithm>
#include <iterator>

namespace foxgen {
namespace {

using enum Type;

constexpr Column customer[] = {
    {"cust_id", integer, "I"},   {"cust_name", character, "C(30)"}, {"city", character, "C(20)"},
    {"country", character, "C(15)"}, {"balance", number, "N(12,2)"}, {"since", date, "D"},
    {"active", logical, "L"},    {"notes", memo, "M"},
};
constexpr Column orders[] = {
    {"order_id", integer, "I"}, {"cust_id", integer, "I"}, {"order_date", date, "D"}, {"shipped", datetime, "T"},
    {"total", currency, "Y"},   {"status", character, "C(1)"}, {"paid", logical, "L"}, {"qty", number, "N(5)"},
};
constexpr Column product[] = {
    {"prod_code", character, "C(10)"}, {"descr", character, "C(40)"}, {"price", number, "N(10,2)"},
    {"stock", integer, "I"},           {"changed", datetime, "T"},    {"discont", logical, "L"},
};
constexpr Column item[] = {
    {"order_id", integer, "I"},        {"prod_code", character, "C(10)"}, {"line_qty", number, "N(5)"},
    {"line_price", number, "N(10,2)"}, {"discount", number, "N(5,2)"},
};

constexpr Table all_tables[] = {
    {"customer", customer},
    {"orders", orders},
    {"product", product},
    {"item", item},
};

constexpr JoinKey keys[] = {
    {"customer", "cust_id", "orders", "cust_id"},  {"orders", "order_id", "item", "order_id"},
    {"product", "prod_code", "item", "prod_code"}, {"customer", "city", "customer", "city"},
    {"customer", "country", "customer", "country"},
};

constexpr Variable all_variables[] = {
    {"ccity", character},      {"cname", character},     {"cpattern", character}, {"cstatus", character},
    {"nlimit", number},        {"nid", integer},         {"nrate", number},       {"dfrom", date},
    {"dto", date},             {"tfrom", datetime},      {"lactive", logical},
    {"thisform.txtcity.value", character, true}, {"thisform.spnmax.value", number, true},
    {"thisform.dtpfrom.value", date, true},
};

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    return out;
}

}  // namespace

std::span<const Table> tables() { return all_tables; }
std::span<const JoinKey> join_keys() { return keys; }
std::span<const Variable> variables() { return all_variables; }

const Table *table_named(std::string_view name) {
    auto it = std::find_if(std::begin(all_tables), std::end(all_tables),
                           [&](const Table &t) { return t.name == name; });
    return it == std::end(all_tables) ? nullptr : &*it;
}

std::string field_list(const Table &table) {
    std::string out;
    for (const Column &column : table.columns) {
        if (!out.empty()) out += ", ";
        out += upper(column.name) + " " + std::string(column.foxpro);
    }
    return out;
}

}  // namespace foxgen
