// Structure conversion through the substitute host: what the case files cannot say (memory
// budgets, very long names and items, large lists) and the parameter handling of the wrappers.
#include <tarnvel/dialects.hpp>
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace {

using tarnvel::Arg;
using tarnvel::Error;
using tarnvel::Host;

constexpr const char *sqlserver = "ZQ_SQL_CREATE_STRU_CONVERT";
constexpr const char *oracle = "ZQ_ORACLE_CREATE_STRU_CONVERT";
constexpr const char *mysql = "ZQ_MYSQL_CREATE_STRU_CONVERT";
constexpr const char *access = "ZQ_ACCESS_CREATE_STRU_CONVERT";

// Calls a structure function and checks that nothing is left in the handle table.
std::string convert(Host &host, const char *function, std::vector<Arg> args) {
    tarnvel::Result result = host.call(function, args);
    EXPECT_EQ(host.handles_in_use(), 0u);
    const std::string *text = std::get_if<std::string>(&result);
    EXPECT_NE(text, nullptr) << function << " returned no character value";
    return text ? *text : std::string();
}

TEST(StructureEntry, NoDefaultsFlagIsFalseWhenAbsent) {
    Host host;
    EXPECT_EQ(convert(host, sqlserver, {std::string("PAID L")}), "PAID BIT DEFAULT 0 NOT NULL");
    EXPECT_EQ(convert(host, sqlserver, {std::string("PAID L"), false}), "PAID BIT DEFAULT 0 NOT NULL");
    EXPECT_EQ(convert(host, sqlserver, {std::string("PAID L"), true}), "PAID BIT");
}

TEST(StructureEntry, ListEndsAtTheFirstZeroByte) {
    Host host;
    EXPECT_EQ(convert(host, mysql, {std::string("A I,\0B I", 7)}), "A INT NOT NULL DEFAULT 0,");
}

TEST(StructureLong, NamesAndItemsOfAnyLengthSurviveWhole) {
    Host host;
    const std::string name(5000, 'Q');
    const std::string digits(3000, '9');
    const std::string width = "(" + digits + ",2)";
    EXPECT_EQ(convert(host, sqlserver, {name + " N" + width + ", " + name + "2 c", true}),
              name + " NUMERIC" + width + "," + name + "2 CHAR");
    EXPECT_EQ(convert(host, oracle, {"  " + name + " v ( " + digits + " )"}), name + " VARCHAR2(" + digits + ") DEFAULT ''");
    EXPECT_EQ(convert(host, mysql, {name + " f" + width}), name + " DOUBLE" + width + " NOT NULL DEFAULT 0");
    EXPECT_EQ(convert(host, access, {name + " N" + width + "," + name}), name + " NUMERIC" + width + "," + name);
    EXPECT_EQ(convert(host, mysql, {name}), name);
}

TEST(StructureLong, NameIsLookedUpWhole) {
    Host host;
    const std::string blanks(400, ' ');
    const std::string longer = "ORDER" + std::string(300, 'S');
    EXPECT_EQ(convert(host, sqlserver, {blanks + "ORDER L," + blanks + longer + " L", true}), "[ORDER] BIT," + longer + " BIT");
}

TEST(StructureLong, LargeListsConvertCompletely) {
    Host host;
    std::string fields, expected;
    for (int i = 0; i < 20000; ++i) {
        std::string n = std::string("F").append(std::to_string(i));
        fields += (i ? ", " : "") + n + " N(10,2)";
        expected += (i ? "," : "") + n + " NUMERIC(10,2) DEFAULT 0 NOT NULL";
    }
    EXPECT_EQ(convert(host, sqlserver, {fields}), expected);
}

// The output outgrows its first room many times over: "A C," (4 bytes) becomes 27 bytes.
TEST(StructureLong, OutputGrowsPastFiveTimesTheInput) {
    Host host;
    std::string fields, expected;
    for (int i = 0; i < 1000; ++i) {
        fields += "A C,";
        expected += "A CHAR DEFAULT '' NOT NULL,";
    }
    EXPECT_EQ(convert(host, sqlserver, {fields}), expected);
}

// Every obtain and growth in turn is refused: the call either succeeds with the whole result or
// fails with 182 (a buffer that cannot be had) or the growth message, and never leaks. (When only
// the handle of the returned value is refused, the host layer returns nothing without an error.)
TEST(StructureMemory, EveryRefusedBufferFailsCleanly) {
    std::string fields, expected;
    for (int i = 0; i < 200; ++i) {  // 4 bytes in, 27 out: the output must grow
        fields += "A C,";
        expected += "A CHAR DEFAULT '' NOT NULL,";
    }
    Host host;
    bool saw_182 = false, saw_growth = false, succeeded = false;
    for (std::size_t allowed = 0; allowed < 40 && !succeeded; ++allowed) {
        host.set_budget(std::nullopt, allowed);
        try {
            tarnvel::Result result = host.call(sqlserver, {fields});
            if (const auto *text = std::get_if<std::string>(&result)) {
                EXPECT_EQ(*text, expected);
                succeeded = true;
            }
        } catch (const Error &e) {
            if (e.number() == 182) {
                saw_182 = true;
            } else {
                EXPECT_EQ(e.message(), "Insufficient memory for column list");
                saw_growth = true;
            }
        }
        EXPECT_EQ(host.handles_in_use(), 0u) << "after " << allowed << " obtains and growths";
    }
    EXPECT_TRUE(saw_182);
    EXPECT_TRUE(saw_growth);
    EXPECT_TRUE(succeeded);
}

TEST(StructureMemory, OutputThatCannotBeHadIsError182) {
    const std::string fields = "NAME C(20), PRICE N(10,2), ORDER D, NOTES M";
    for (const tarnvel::DialectRow &dialect : tarnvel::dialects()) {
        const std::string function(dialect.structure_function);
        Host host;
        // Room for the argument and the work buffer (2n+1), not for the output (5n+1).
        host.set_budget(4 * fields.size() + 8);
        try {
            host.call(function, {fields});
            ADD_FAILURE() << function << " succeeded without room for its output";
        } catch (const Error &e) {
            EXPECT_EQ(e.number(), 182) << function;
        }
        EXPECT_EQ(host.handles_in_use(), 0u) << function;
    }
}

}  // namespace
