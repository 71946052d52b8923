// The generated statements as the validity tool reads them: their names ("generated:3#417"),
// which repeat a statement, and how a run's count is shared among its seeds.
#include "generated.h"
#include "generator.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(GeneratedSource, NamesOfStatements) {
    struct Case {
        const char *text;
        bool valid;
        std::uint64_t seed, number;
        foxgen::Family family = foxgen::Family::first;
    };
    const Case cases[] = {
        {"generated:3#417", true, 3, 417},      {"3#417", true, 3, 417},
        {"generated2:3#417", true, 3, 417, foxgen::Family::wide}, {"generated2:3-417", false, 0, 0},
        {"generated:18446744073709551615#0", true, 18446744073709551615ULL, 0},
        {"generated:3#", false, 0, 0},          {"#417", false, 0, 0},
        {"generated:x#1", false, 0, 0},         {"generated:3#4a", false, 0, 0},
        {"selects.jsonl:12", false, 0, 0},      {"generated:3-417", false, 0, 0},
        {"generated:18446744073709551616#1", false, 0, 0},
    };
    for (const Case &c : cases) {
        const std::optional<validity::GeneratedPlace> place = validity::generated_place(c.text);
        ASSERT_EQ(place.has_value(), c.valid) << c.text;
        if (!place) continue;
        EXPECT_EQ(place->seed, c.seed) << c.text;
        EXPECT_EQ(place->number, c.number) << c.text;
        EXPECT_EQ(place->family, c.family) << c.text;
        if (std::string(c.text).rfind("generated", 0) == 0) {
            EXPECT_EQ(validity::generated_origin(*place), c.text);
        }
    }
}

TEST(GeneratedSource, TheCountIsSharedAmongTheSeeds) {
    validity::GeneratedSource source({7, 8, 9}, 8);  // 3 + 3 + 2
    std::vector<std::string> origins;
    while (std::optional<validity::Statement> s = source.next()) {
        const std::optional<validity::GeneratedPlace> place = validity::generated_place(s->origin);
        ASSERT_TRUE(place);
        EXPECT_EQ(s->text, foxgen::statement(place->seed, place->number));
        origins.push_back(s->origin);
    }
    const std::vector<std::string> expected = {"generated:7#0", "generated:7#1", "generated:7#2", "generated:8#0",
                                               "generated:8#1", "generated:8#2", "generated:9#0", "generated:9#1"};
    EXPECT_EQ(origins, expected);
    EXPECT_EQ(source.tables().size(), foxgen::tables().size());
    EXPECT_EQ(source.tables()[0].fields, "CUST_ID I, CUST_NAME C(30), CITY C(20), COUNTRY C(15), BALANCE N(12,2), "
                                         "SINCE D, ACTIVE L, NOTES M");
}

}  // namespace
