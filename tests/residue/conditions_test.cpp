// The condition check: conditions where values are due and values where conditions are due in
// SQL Server and Oracle text, and the sound forms it must leave alone.
#include <tarnvel/conditions.hpp>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tarnvel::Target;

constexpr Target sqlserver = Target::sqlserver;
constexpr Target oracle = Target::oracle;

struct Case {
    Target target;
    const char *text;
    std::vector<std::string> expected;  // "kind text" per finding, in text order
};

std::vector<std::string> found(Target target, const std::string &text) {
    const tarnvel::ConditionCheck check = tarnvel::find_condition_misuse(target, text);
    EXPECT_TRUE(check.read) << text;
    std::vector<std::string> out;
    for (const tarnvel::ConditionFinding &f : check.findings) {
        EXPECT_EQ(text.substr(f.offset, f.text.size()), f.text);
        out.push_back(std::string(tarnvel::misuse_id(f.kind)) + " " + f.text);
    }
    return out;
}

const std::string cav = "condition-as-value ";
const std::string vac = "value-as-condition ";

TEST(ConditionCheck, ReportsConditionsWhereValuesAreDue) {
    const std::vector<Case> cases = {
        {sqlserver, "SELECT a > b FROM t", {cav + "a > b"}},
        {oracle, "SELECT a = b AS x FROM t", {cav + "a = b"}},
        {sqlserver, "SELECT CASE WHEN a = 1 THEN b > 2 ELSE 0 END FROM t", {cav + "b > 2"}},
        {oracle, "SELECT * FROM t WHERE l <> (a > b)", {cav + "(a > b)"}},
        {sqlserver, "SELECT * FROM t WHERE (a > b) = (c > d)", {cav + "(a > b)", cav + "(c > d)"}},
        {sqlserver, "SELECT ISNULL(a IS NULL, 0) FROM t", {cav + "a IS NULL"}},
        {oracle, "SELECT NVL(a, 0) FROM t WHERE x IN (a > 1, 2)", {cav + "a > 1"}},
        {sqlserver, "SELECT x FROM t ORDER BY a LIKE 'x%'", {cav + "a LIKE 'x%'"}},
        {oracle, "SELECT (SELECT MAX(a) FROM u WHERE u.k = t.k) + (b BETWEEN 1 AND 2) FROM t",
         {cav + "(b BETWEEN 1 AND 2)"}},
        {oracle, "SELECT x = y FROM t", {cav + "x = y"}},
        {sqlserver, "SELECT * FROM t WHERE (CASE WHEN a > 1 THEN 1 ELSE 0 END = 1) NOT IN (1, 0)",
         {cav + "(CASE WHEN a > 1 THEN 1 ELSE 0 END = 1)"}},
        {oracle, "SELECT * FROM t WHERE (a = 1) LIKE 'x' ESCAPE '!'", {cav + "(a = 1)"}},  // SQL Server's alias = expression is none
    };
    for (const Case &c : cases) EXPECT_EQ(found(c.target, c.text), c.expected) << c.text;
}

TEST(ConditionCheck, ReportsValuesWhereConditionsAreDue) {
    const std::vector<Case> cases = {
        {sqlserver, "SELECT * FROM t WHERE l", {vac + "l"}},
        {oracle, "SELECT * FROM t WHERE t.l AND y = 1", {vac + "t.l"}},
        {sqlserver, "SELECT a FROM t GROUP BY a HAVING MAX(l)", {vac + "MAX(l)"}},
        {sqlserver, "SELECT * FROM t WHERE NOT l", {vac + "l"}},
        {oracle, "SELECT * FROM t WHERE CASE WHEN a = 1 THEN 1 ELSE 0 END", {vac + "CASE WHEN a = 1 THEN 1 ELSE 0 END"}},
        {sqlserver, "SELECT CASE WHEN l THEN 1 ELSE 0 END FROM t", {vac + "l"}},
        {oracle, "SELECT * FROM a JOIN b ON a.k = b.k AND b.active", {vac + "b.active"}},
        {sqlserver, "SELECT * FROM t WHERE ?lFlag OR x = 1", {vac + "?lFlag"}},
        {sqlserver, "SELECT * FROM t WHERE REGEXP_LIKE(c, 'x')", {vac + "REGEXP_LIKE(c, 'x')"}},  // Oracle's only
        {oracle, "SELECT a FROM t UNION SELECT a FROM u WHERE (l)", {vac + "(l)"}},
    };
    for (const Case &c : cases) EXPECT_EQ(found(c.target, c.text), c.expected) << c.text;
}

TEST(ConditionCheck, LeavesSoundFormsAlone) {
    const std::vector<Case> cases = {
        {sqlserver, "SELECT CASE WHEN a > b THEN 1 ELSE 0 END AS x FROM t WHERE l = 1", {}},
        {oracle, "SELECT * FROM t WHERE (a > b) AND NOT (c = 1 OR d IS NULL)", {}},
        {sqlserver, "SELECT * FROM t WHERE EXISTS (SELECT 1 FROM u WHERE u.k = t.k)", {}},
        {sqlserver, "SELECT IIF(a > b, 1, 0) FROM t", {}},
        {oracle, "SELECT * FROM t WHERE LNNVL(a > 1) AND NOT REGEXP_LIKE(c, '^[0-9]')", {}},
        {sqlserver, "SELECT total = a + b, [x > y] FROM t WHERE name LIKE '%a > b%'", {}},
        {oracle, "SELECT \"A = B\" FROM t WHERE x NOT BETWEEN 1 AND 2 AND y NOT IN (1, 2) /* a > b */", {}},
        {sqlserver, "SELECT TOP 10 CAST(a AS VARCHAR(10)), COUNT(*) FROM t WITH (NOLOCK) "
                    "LEFT OUTER JOIN u ON u.k = t.k GROUP BY a HAVING COUNT(*) > 1 ORDER BY 1 DESC", {}},
        {oracle, "SELECT a.x, ROW_NUMBER() OVER (PARTITION BY a.k ORDER BY a.d DESC) FROM a, b "
                 "WHERE a.k = b.k(+) AND a.d > DATE '2024-01-31' AND b.x = ANY (SELECT y FROM c)", {}},
        {sqlserver, "SELECT CASE a WHEN 1 THEN 'x' ELSE 'y' END FROM t WHERE l = 1 OR -x > 2", {}},
        {oracle, "SELECT * FROM t WHERE a LIKE ?p || '%' AND NOT (b = 1) OR c LIKE '%' ESCAPE '!' AND d = 2", {}},
    };
    for (const Case &c : cases) EXPECT_EQ(found(c.target, c.text), c.expected) << c.text;
}

TEST(ConditionCheck, TargetsThatTakeConditionsAsValuesReportNothing) {
    for (const Target target : {Target::mysql, Target::access, Target::pgsql}) {
        EXPECT_TRUE(tarnvel::conditions_are_values(target));
        EXPECT_TRUE(tarnvel::find_condition_misuse(target, "SELECT a > b, IIF(l, 1, 0) FROM t WHERE l").findings.empty());
    }
    EXPECT_FALSE(tarnvel::conditions_are_values(sqlserver));
    EXPECT_FALSE(tarnvel::conditions_are_values(oracle));
}

// A text the check cannot read whole gives no findings, not guesses.
TEST(ConditionCheck, UnknownFormsAreUnreadWithoutFindings) {
    for (const char *text : {"SELECT a > b FROM t CONNECT BY PRIOR k = p", "SELECT a > b FROM t WHERE", "SELECT (a > b FROM t"}) {
        const tarnvel::ConditionCheck check = tarnvel::find_condition_misuse(oracle, text);
        EXPECT_FALSE(check.read) << text;
        EXPECT_TRUE(check.findings.empty()) << text;
    }
}

}  // namespace
