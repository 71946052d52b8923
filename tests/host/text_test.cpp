// The texts every worker edits in host memory: any run of edits gives what the same edits give on a
// std::string, parts taken from the text itself included (a growth moves the bytes they point at),
// and a growth that the geometric step would overrun still gets the room it needs.
#include "raw_host.h"

#include "host/text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

TEST(Text, EditsAgreeWithAStdStringEvenWithPartsOfItself) {
    rawhost::Host host;
    std::mt19937 random(7);
    auto number = [&](std::size_t high) { return std::uniform_int_distribution<std::size_t>(0, high)(random); };
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    for (int run = 0; run < 200; ++run) {
        tarnvel::Text text = tarnvel::Text::obtain(number(3), "Insufficient memory for test");
        std::string model;
        for (int edit = 0; edit < 40; ++edit) {
            // A part from outside, or a slice of the text itself.
            std::string outside(number(12), static_cast<char>('a' + number(25)));
            std::size_t from = number(model.size()), count = number(model.size() - from);
            const bool own = number(1) == 0 && !model.empty();
            std::string_view part = own ? text.view().substr(from, count) : std::string_view(outside);
            const std::string expected_part(part);
            const std::size_t pos = number(model.size() + 2), span = number(6);  // may lie past the end
            switch (number(5)) {
            case 0:
                text.append(part);
                model += expected_part;
                break;
            case 4:
                text.push(expected_part.empty() ? '.' : expected_part.front());
                model += expected_part.empty() ? '.' : expected_part.front();
                break;
            case 5:
                text.append_mapped(part, upper);
                for (char c : expected_part) model += upper(c);
                break;
            case 1:
                text.insert(pos, part);
                model.insert(std::min(pos, model.size()), expected_part);
                break;
            case 2:
                text.erase(pos, span);
                if (pos < model.size()) model.erase(pos, span);
                break;
            default:
                text.replace(pos, span, part);
                model.replace(std::min(pos, model.size()), span, expected_part);
                break;
            }
            ASSERT_EQ(std::string(text.view()), model) << "run " << run << ", edit " << edit;
            ASSERT_EQ(std::string(text.c_str()), model) << "the NUL follows the text";
        }
    }
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// Growth asks for half the size again; when the host refuses that much it still grants the need.
TEST(Text, GrowthFallsBackToTheNeedWhenTheGeometricStepIsRefused) {
    rawhost::Host host;
    tarnvel::Text text = tarnvel::Text::obtain(1000, "Insufficient memory for test");
    text.append(std::string(1000, 'x'));
    const std::size_t held = text.buffer().size() + 2;  // with the block's tag
    // Room for the need plus 100, not for half the size again.
    host.send(TV_REQ_SET_BUDGET, held + 1100 - text.buffer().size() + 50, static_cast<tv_word>(-1));
    text.append("y");
    EXPECT_EQ(text.size(), 1001u);
    EXPECT_EQ(text.buffer().size(), 1101u);
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
}

// A text that cannot be had at all is host error 182, except one that takes the place of a text
// that had to grow; a growth that fails raises the text's own message. Nothing stays obtained.
void no_more_memory(rawhost::Host &host) { host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0); }
const std::string message = "Insufficient memory for test";

TEST(Text, AFailedObtainOrGrowthRaisesItsOwnError) {
    struct Row {
        const char *what;
        void (*act)(rawhost::Host &);
        std::vector<int> errors;
        std::vector<std::string> user_errors;
    };
    const Row rows[] = {
        {"obtain", [](rawhost::Host &host) { no_more_memory(host), tarnvel::Text::obtain(8, message); }, {182}, {}},
        {"grown", [](rawhost::Host &host) { no_more_memory(host), tarnvel::Text::grown(8, message); }, {}, {message}},
        {"push",
         [](rawhost::Host &host) {
             tarnvel::Text text = tarnvel::Text::obtain(1, message);
             no_more_memory(host);
             for (int i = 0; i < 3; ++i) text.push('x');
         },
         {},
         {message}},
        {"replace",
         [](rawhost::Host &host) {
             tarnvel::Text text = tarnvel::Text::obtain(4, message);
             text.append("abcd");
             no_more_memory(host);
             text.replace(1, 1, text.view());
         },
         {},
         {message}},
    };
    for (const Row &row : rows) {
        rawhost::Host host;
        const bool returned = rawhost::inside_call(host, [&] { row.act(host); });
        host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
        EXPECT_FALSE(returned) << row.what;
        EXPECT_EQ(host.requests.errors, row.errors) << row.what;
        EXPECT_EQ(host.requests.user_errors, row.user_errors) << row.what;
        EXPECT_EQ(host.handles_in_use(), 0u) << row.what;
    }
}

// A text's new block is not cleared: one that takes the block another text left full of bytes
// (the same size class, kept by the thread) still reads empty, and its first edits read as made.
TEST(Text, ANewTextInABlockThatHeldBytesReadsEmpty) {
    rawhost::Host host;
    for (std::size_t capacity : {0u, 1u, 40u, 300u, 900u, 5000u}) {
        {
            tarnvel::Text full = tarnvel::Text::obtain(capacity, "Insufficient memory for test");
            full.append(std::string(capacity, 'x'));
        }
        tarnvel::Text text = tarnvel::Text::obtain(capacity, "Insufficient memory for test");
        EXPECT_EQ(text.size(), 0u) << capacity;
        EXPECT_STREQ(text.c_str(), "") << capacity;
        text.push('a');
        text.append("bc");
        EXPECT_STREQ(text.c_str(), "abc") << capacity;
        tarnvel::Text grown = tarnvel::Text::grown(capacity, "Insufficient memory for test");
        EXPECT_STREQ(grown.c_str(), "") << capacity;
    }
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A text handed over to the host keeps its bytes and the NUL after them, unlocked, and is absent
// afterwards; a handle much larger than its text is cut down to it, a small spare room is kept.
TEST(Text, HandedOverKeepsItsBytesAndGivesBackMuchUnusedRoom) {
    struct Row {
        std::size_t capacity, length;
        bool cut;
    };
    const Row rows[] = {{0, 0, false}, {10, 10, false}, {5000, 100, true}, {200, 150, false}, {9000, 5000, false}};
    for (const Row &row : rows) {
        rawhost::Host host;
        tarnvel::Text text = tarnvel::Text::obtain(row.capacity, "Insufficient memory for test");
        std::string expected;
        for (std::size_t i = 0; i < row.length; ++i) expected += static_cast<char>('a' + i % 26);
        text.append(expected);
        const std::size_t before = text.buffer().size();
        const MHANDLE handle = text.hand_over();
        ASSERT_NE(handle, 0u) << row.capacity;
        EXPECT_FALSE(text) << row.capacity;
        EXPECT_EQ(text.size(), 0u) << row.capacity;
        const std::size_t size = tarnvel::host::get_hand_size(handle);
        EXPECT_EQ(size, row.cut ? row.length + 1 : before) << row.capacity;
        tarnvel::host::hlock(handle);  // taken over: locked once by its new owner, then released
        const char *bytes = tarnvel::host::hand_to_ptr(handle);
        EXPECT_EQ(std::string(bytes, row.length), expected) << row.capacity;
        EXPECT_EQ(bytes[row.length], '\0') << row.capacity;
        tarnvel::host::unlock_free(handle);
        EXPECT_EQ(host.handles_in_use(), 0u) << row.capacity;
    }
}

}  // namespace
