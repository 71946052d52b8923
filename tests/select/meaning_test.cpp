// Random FoxPro SELECTs through the four converters, for a bounded time, checked for meaning (see
// fuzz/properties.h): nothing of the statement lost, the same answer after another request and on
// another thread, and the right error with a balanced handle table when any obtain or growth fails.
// The seed is printed; TARNVEL_MEANING_SEED=N repeats a run, TARNVEL_MEANING_SECONDS=N runs longer.
#include "properties.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using tarnvel::fuzz::Target;

class Statements {
public:
    explicit Statements(unsigned seed) : random_(seed) {}

    std::string select(int depth = 0) {
        std::string s = pick({"SELECT ", "select ", "SELE ", "Select "});
        if (chance(15)) s += pick({"DISTINCT ", "DIST ", "ALL "});
        if (chance(10)) s += "TOP " + std::to_string(number(1, 99)) + " ";
        std::vector<std::string> fields;
        for (int n = number(1, 4); n > 0; --n) fields.push_back(field(depth));
        s += join(fields, ", ");
        s += " FROM " + table();
        if (chance(30)) s += pick({" JOIN ", " LEFT JOIN ", " INNER JOIN "}) + table() + " ON " + condition(depth);
        else if (chance(20)) s += ", " + table();
        if (chance(60)) s += pick({" WHERE ", " WHER ", " where "}) + condition(depth);
        if (chance(20)) {
            s += " GROUP BY " + (chance(50) ? std::to_string(number(1, static_cast<int>(fields.size()))) : name());
            if (chance(30)) s += " HAVING " + name() + " > " + std::to_string(number(0, 9));
        }
        if (chance(30)) s += pick({" ORDER BY ", " ORDE BY "}) + std::to_string(number(1, static_cast<int>(fields.size()))) + pick({"", " DESC"});
        if (depth == 0 && chance(30)) s += pick({" INTO CURSOR ", " INTO TABLE "}) + name();
        if (depth == 0 && chance(10)) s += " UNION " + pick({"", "ALL "}) + select(depth + 1);
        return s;
    }

private:
    bool chance(int percent) { return number(1, 100) <= percent; }
    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::string pick(std::initializer_list<const char *> options) {
        auto it = options.begin();
        std::advance(it, number(0, static_cast<int>(options.size()) - 1));
        return *it;
    }
    static std::string join(const std::vector<std::string> &parts, const std::string &with) {
        std::string out;
        for (const std::string &p : parts) out += (out.empty() ? "" : with) + p;
        return out;
    }
    std::string name() {
        if (chance(15)) return pick({"date", "user", "key", "name", "level", "value", "year", "text", "status"});
        static const char letters[] = "abcdefghijklmnopqrstuvwxyz_";
        std::string n(1, letters[number(0, 25)]);
        for (int k = number(0, 7); k > 0; --k) n += chance(80) ? letters[number(0, 26)] : static_cast<char>('0' + number(0, 9));
        return chance(20) ? upper(n) : n;
    }
    static std::string upper(std::string s) { return tarnvel::fuzz::upper(s); }
    std::string table() { return name() + (chance(20) ? " " + name() : ""); }
    std::string text() {
        static const char chars[] = "abc XYZ%_-,.;()'\"[]#$!=<>*/+019";
        std::string t;
        for (int k = number(0, 10); k > 0; --k) t += chars[number(0, sizeof chars - 2)];
        return t;
    }
    std::string literal() {
        std::string t = text();
        switch (number(0, 2)) {
            case 0: std::erase(t, '\''); return "'" + t + "'";
            case 1: std::erase(t, '"'); return "\"" + t + "\"";
            default: std::erase_if(t, [](char c) { return c == '[' || c == ']'; }); return "[" + t + "]";
        }
    }
    std::string operand(int depth) {
        switch (number(0, 9)) {
            case 0: return literal();
            case 1: return std::to_string(number(0, 999));
            case 2: return name() + "." + name();
            case 3: return pick({".T.", ".F.", ".NULL."});
            case 4: return call(depth);
            case 5: return "m." + name();
            default: return name();
        }
    }
    std::string call(int depth) {
        if (depth > 2) return name();
        ++depth;
        switch (number(0, 13)) {
            case 0: return pick({"ALLTRIM(", "ALLT(", "UPPER(", "LOWER(", "LEN(", "VAL(", "TTOD(", "DTOC("}) + operand(depth) + ")";
            case 1: return pick({"SUBSTR(", "SUBS("}) + operand(depth) + ", " + std::to_string(number(1, 9)) + ", " + std::to_string(number(1, 9)) + ")";
            case 2: return "IIF(" + condition(depth) + ", " + operand(depth) + ", " + operand(depth) + ")";
            case 3: return pick({"PADR(", "PADL("}) + operand(depth) + ", " + std::to_string(number(1, 20)) + ")";
            case 4: return "STR(" + operand(depth) + pick({"", ", 10", ", 10, 2"}) + ")";
            case 5: return "NVL(" + operand(depth) + ", " + operand(depth) + ")";
            case 6: return "AT(" + operand(depth) + ", " + operand(depth) + ")";
            case 7: return pick({"SUM(", "COUNT(", "MAX(", "MIN(", "AVG("}) + operand(depth) + ")";
            case 8: return "MOD(" + operand(depth) + ", " + std::to_string(number(1, 9)) + ")";
            case 9: return pick({"DATE()", "DELETED()", "COUNT(*)"});
            case 10: return pick({"HOUR(", "MINUTE(", "SEC(", "DTOR(", "RTOD("}) + operand(depth) + ")";
            case 11: return "(" + select(depth + 1) + ")";
            default: return "(" + operand(depth) + " " + pick({"+", "-", "*", "/"}) + " " + operand(depth) + ")";
        }
    }
    std::string field(int depth) {
        std::string f = chance(10) ? "*" : operand(depth);
        if (f != "*" && chance(30)) f += " AS " + name();
        return f;
    }
    std::string condition(int depth) {
        std::string c;
        switch (number(0, 6)) {
            case 0: c = operand(depth) + " LIKE " + literal(); break;
            case 1: c = operand(depth) + " BETWEEN " + operand(depth) + " AND " + operand(depth); break;
            case 2: c = operand(depth) + " IN (" + (depth < 2 ? select(depth + 1) : operand(depth)) + ")"; break;
            case 3: c = "NOT " + operand(depth) + " IS NULL"; break;
            case 4: c = name(); break;
            default: c = operand(depth) + " " + pick({"=", "==", "<>", "#", "!=", ">=", "<", "$"}) + " " + operand(depth); break;
        }
        if (depth < 2 && chance(30)) c += pick({" AND ", " OR ", " .AND. ", " .OR. "}) + condition(depth + 1);
        return c;
    }

    std::mt19937 random_;
};

unsigned seed_of_run() {
    if (const char *s = std::getenv("TARNVEL_MEANING_SEED")) return static_cast<unsigned>(std::strtoul(s, nullptr, 10));
    return std::random_device{}();
}

double seconds_of_run() {
    if (const char *s = std::getenv("TARNVEL_MEANING_SECONDS")) return std::strtod(s, nullptr);
    return 5;
}

TEST(Meaning, RandomStatementsKeepTheirMeaning) {
    const unsigned seed = seed_of_run();
    std::printf("seed %u (TARNVEL_MEANING_SEED=%u repeats this run)\n", seed, seed);
    Statements statements(seed);
    tarnvel::Host host;
    tarnvel::fuzz::OtherThread other([](tarnvel::Host &) {});
    const auto stop = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds_of_run());
    std::string previous = "SELECT x FROM y";
    int count = 0, failures = 0;
    while (std::chrono::steady_clock::now() < stop && failures < 10) {
        const std::string sql = statements.select();
        for (const Target &target : tarnvel::fuzz::targets) {
            const std::vector<tarnvel::Arg> args{sql};
            const std::string answer = tarnvel::fuzz::settled_outcome(host, target.function, args);
            std::string wrong;
            if (answer.starts_with("text:")) wrong = tarnvel::fuzz::lost(target, sql, std::string_view(answer).substr(5));
            if (wrong.empty()) {
                wrong = tarnvel::fuzz::deterministic(host, other, target.function, args, answer, [&](tarnvel::Host &h) {
                    tarnvel::fuzz::outcome(h, "ZQ_MYSQL_SELECT_CONVERT", {previous});
                });
            }
            if (wrong.empty() && count % 8 == 0) wrong = tarnvel::fuzz::within_budgets(host, target.function, args, answer);
            if (!wrong.empty()) {
                ++failures;
                ADD_FAILURE() << target.function << "(\"" << sql << "\"): " << wrong << "\n  answer: " << answer;
            }
        }
        previous = sql;
        ++count;
    }
    std::printf("%d statements, each through 4 converters\n", count);
    EXPECT_GT(count, 0);
}

}  // namespace
