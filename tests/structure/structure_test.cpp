// Structure conversion through the substitute host: what the case files cannot say (very long
// names and items, large lists, an output that cannot be had; its growth in utilities/growth_test).
#include "utilities/library_calls.h"

#include <tarnvel/dialects.hpp>

#include <string>

namespace {

using tarnvel::Arg;
using tarnvel::Error;
using tarnvel::Host;

constexpr const char *sqlserver = "ZQ_SQL_CREATE_STRU_CONVERT";
constexpr const char *oracle = "ZQ_ORACLE_CREATE_STRU_CONVERT";
constexpr const char *mysql = "ZQ_MYSQL_CREATE_STRU_CONVERT";
constexpr const char *access = "ZQ_ACCESS_CREATE_STRU_CONVERT";

TEST(StructureLong, NamesItemsAndListsOfAnyLengthConvertWhole) {
    const std::string name(5000, 'Q'), digits(3000, '9'), width = "(" + digits + ",2)";
    const std::string blanks(400, ' '), longer = "ORDER" + std::string(300, 'S');  // looked up whole
    std::string fields, expected;
    for (int i = 0; i < 20000; ++i) {
        std::string n = std::string("F").append(std::to_string(i));
        fields += (i ? ", " : "") + n + " N(10,2)";
        expected += (i ? "," : "") + n + " NUMERIC(10,2) DEFAULT 0 NOT NULL";
    }
    const struct {
        const char *function;
        std::vector<Arg> args;
        std::string expected;
    } cases[] = {
        {sqlserver, {name + " N" + width + ", " + name + "2 c", true}, name + " NUMERIC" + width + "," + name + "2 CHAR"},
        {oracle, {"  " + name + " v ( " + digits + " )"}, name + " VARCHAR2(" + digits + ") DEFAULT ''"},
        {mysql, {name + " f" + width}, name + " DOUBLE" + width + " NOT NULL DEFAULT 0"},
        {access, {name + " N" + width + "," + name}, name + " NUMERIC" + width + "," + name},
        {mysql, {name}, name},
        {sqlserver, {blanks + "ORDER L," + blanks + longer + " L", true}, "[ORDER] BIT," + longer + " BIT"},
        {sqlserver, {fields}, expected},
    };
    Host host;
    for (const auto &c : cases) EXPECT_EQ(testcalls::text(host, c.function, c.args), c.expected) << c.function;
}

TEST(StructureMemory, OutputThatCannotBeHadIsError182) {
    const std::string fields = "NAME C(20), PRICE N(10,2), ORDER D, NOTES M";
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.structure_function);
        Host host;
        // Room for the argument and the work buffer (2n+1), not for the output (5n+1).
        host.set_budget(4 * fields.size() + 8);
        const std::optional<Error> e = testcalls::error_of([&] { host.call(function, {fields}); });
        EXPECT_EQ(e ? e->number() : std::nullopt, 182) << function << " without room for its output";
        EXPECT_EQ(host.handles_in_use(), 0u) << function;
    }
}

}  // namespace
