// The validity measure's reading of a server's "unknown name": which refusals are the statement's
// own fault whatever the database holds.
#include "rejections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct FieldsCase {
    const char *fields;
    std::vector<std::string> names;
};

const FieldsCase fields_cases[] = {
    {"CUST_ID I, CUST_NAME C(30), BALANCE N(12,2)", {"CUST_ID", "CUST_NAME", "BALANCE"}},
    {"order_id i,total y", {"ORDER_ID", "TOTAL"}},
    {"  price N(10, 2) , stock I  ", {"PRICE", "STOCK"}},  // the comma inside the width
    {"", {}},
};

TEST(Rejections, FieldNames) {
    for (const FieldsCase &c : fields_cases) EXPECT_EQ(validity::field_names(c.fields), c.names) << c.fields;
}

struct ColumnCase {
    unsigned code;
    const char *state;
    const char *message;
    const char *column;  // the unknown column reported, "" for none
};

const ColumnCase column_cases[] = {
    // MariaDB: a qualified or a bare name, in any clause
    {1054, "42S22", "Unknown column 'O.CUST_ID' in 'where clause'", "CUST_ID"},
    {1054, "42S22", "Unknown column 'amount' in 'field list'", "AMOUNT"},
    {1054, "42S22", "Unknown column 'sales.orders.total' in 'order clause'", "TOTAL"},
    {1146, "42S02", "Table 'trial.clients' doesn't exist", ""},  // a table
    {1064, "42000", "You have an error in your SQL syntax near 'x'", ""},
    // PostgreSQL: 42703 qualified, quoted or bare
    {0, "42703", "column o.cust_id does not exist", "CUST_ID"},
    {0, "42703", "column \"CUST_ID\" does not exist", "CUST_ID"},
    {0, "42703", "column \"o\".\"total\" does not exist", "TOTAL"},
    {0, "42P01", "relation \"clients\" does not exist", ""},
    {0, "42883", "function alltrim(text) does not exist", ""},
    {0, "42703", "record has no field", ""},
};

TEST(Rejections, UnknownColumn) {
    for (const ColumnCase &c : column_cases)
        EXPECT_EQ(validity::unknown_column(c.code, c.state, c.message), c.column) << c.message;
}

TEST(Rejections, KnownColumnsOnly) {
    const std::vector<std::string> trial = validity::field_names("CUST_ID I, ORDER_ID I, TOTAL Y");
    EXPECT_TRUE(validity::refuses_known_column(1054, "42S22", "Unknown column 'O.CUST_ID' in 'where clause'", trial));
    EXPECT_TRUE(validity::refuses_known_column(0, "42703", "column o2.total does not exist", trial));
    // a name the trial tables lack may be the application's: no certain rejection
    EXPECT_FALSE(validity::refuses_known_column(1054, "42S22", "Unknown column 'NLIMIT' in 'where clause'", trial));
    EXPECT_FALSE(validity::refuses_known_column(1054, "42S22", "Unknown column 'O.CUST_ID' in 'where clause'", {}));
    EXPECT_FALSE(validity::refuses_known_column(1146, "42S02", "Table 'trial.total' doesn't exist", trial));
}

struct QualifierCase {
    const char *state;
    const char *message;
    bool undefined;
};

const QualifierCase qualifier_cases[] = {
    {"42P01", "missing FROM-clause entry for table \"o\"", true},
    {"42P01", "relation \"orders\" does not exist", false},  // a table the trial server lacks
    {"42703", "missing FROM-clause entry for table \"o\"", false},
    {"", "", false},
};

TEST(Rejections, UndefinedQualifier) {
    for (const QualifierCase &c : qualifier_cases)
        EXPECT_EQ(validity::undefined_qualifier(c.state, c.message), c.undefined) << c.message;
}

}  // namespace
