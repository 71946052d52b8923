// Field lists with clauses and expressions where the case files cannot reach: every refused
// buffer on the way through the expression conversion, and lists pieced together at random.
#include <tarnvel/host.hpp>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>

namespace {

using tarnvel::Error;
using tarnvel::Host;

constexpr const char *functions[] = {"ZQ_SQL_CREATE_STRU_CONVERT", "ZQ_ORACLE_CREATE_STRU_CONVERT",
                                     "ZQ_MYSQL_CREATE_STRU_CONVERT", "ZQ_ACCESS_CREATE_STRU_CONVERT"};

const std::string with_expressions =
    "id I AUTOINC NEXTVALUE 5 STEP 2 PRIMARY KEY, name C(20) NOT NULL DEFAULT [none], "
    "born D DEFAULT DATE(), qty N(10,2) CHECK qty >= 0 AND LEN(ALLTRIM(name)) > 0 ERROR 'bad', "
    "rate N(6,3) DEFAULT 1.5 * 2, UNIQUE name+born TAG nb, CHECK qty < 1000";

// Every obtain and growth refused in turn: the call gives the whole result or fails with 182 or an
// "Insufficient memory for ..." message, and leaves no handle behind.
TEST(StructureClauses, EveryRefusedBufferOnTheExpressionPathFailsCleanly) {
    for (const char *function : functions) {
        Host host;
        tarnvel::Result whole = host.call(function, {with_expressions});
        const std::string *expected = std::get_if<std::string>(&whole);
        ASSERT_NE(expected, nullptr) << function;
        bool succeeded = false;
        for (std::size_t allowed = 0; allowed < 200 && !succeeded; ++allowed) {
            host.set_budget(std::nullopt, allowed);
            try {
                tarnvel::Result result = host.call(function, {with_expressions});
                if (const auto *text = std::get_if<std::string>(&result)) {
                    EXPECT_EQ(*text, *expected) << function;
                    succeeded = true;
                }
            } catch (const Error &e) {
                if (e.number() != 182) {
                    EXPECT_EQ(e.message().rfind("Insufficient memory for ", 0), 0u) << function << ": " << e.message();
                }
            }
            EXPECT_EQ(host.handles_in_use(), 0u) << function << " after " << allowed << " obtains and growths";
        }
        EXPECT_TRUE(succeeded) << function;
        host.set_budget(std::nullopt, std::nullopt);
    }
}

// Pieces of field lists in random order: every list gives a column list or a user error that
// names what it could not read, never anything else, and no handle stays in use.
TEST(StructureClauses, RandomListsGiveColumnsOrAClearError) {
    const char *pieces[] = {
        "a", "b1", " ", "\t", ",", "(", ")", "'", "\"", "[", "]", "{", "}", "C", "N", "Char", "Numeric",
        "(10,2)", "( 5 )", "NULL", "NOT", "DEFAULT", "DEFA", "CHECK", "ERROR", "AUTOINC", "NEXTVALUE",
        "STEP", "1", "-3", "PRIMARY", "KEY", "UNIQUE", "FOREIGN", "REFERENCES", "TAG", "NOCPTRANS",
        ".T.", ".NULL.", "DATE()", "x > 0", "+", "==", "!", "$", "COLLATE", "NODUP",
    };
    std::mt19937 random(14);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1), length(1, 24);
    Host host;
    for (int round = 0; round < 1500; ++round) {
        std::string list;
        for (std::size_t n = length(random); n > 0; --n) {
            list += pieces[pick(random)];
            if (random() % 2) list += ' ';
        }
        for (const char *function : functions) {
            try {
                tarnvel::Result result = host.call(function, {list});
                EXPECT_TRUE(std::holds_alternative<std::string>(result)) << function << ": " << list;
            } catch (const Error &e) {
                const std::string &m = e.message();
                bool named = m.find(" for field ") != std::string::npos || m.find(" for constraint ") != std::string::npos ||
                             m.find(" of field ") != std::string::npos || m.find(" of constraint ") != std::string::npos;
                EXPECT_TRUE(named) << function << ": " << list << " -> " << m;
            }
            ASSERT_EQ(host.handles_in_use(), 0u) << function << ": " << list;
        }
    }
}

}  // namespace
