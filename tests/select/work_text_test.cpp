// The work copy with its gap at the scan reads and edits exactly like a plain string edited in
// place, whatever the order of settles, edits and growths.
#include "select/work_text.h"

#include "host/raw_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace {

using tarnvel::select::WorkText;

using rawhost::inside_call;

std::string whole(const WorkText &work) {
    std::string text;
    for (std::size_t i = work.base(); i < work.length(); ++i) text += work.at(i);
    return text;
}

TEST(WorkText, EditsMatchAPlainStringEditedInPlace) {
    rawhost::Host host;
    inside_call(host, [] {
        std::mt19937 random(7);
        for (int round = 0; round < 200; ++round) {
            std::string start(random() % 40, 'x');
            for (char &c : start) c = static_cast<char>('a' + random() % 26);
            std::string plain = start + ' ';
            WorkText work = WorkText::copy_of(start, 2 * start.size() + 1);
            std::size_t settled = 0;
            for (int step = 0; step < 60; ++step) {
                ASSERT_EQ(work.length(), plain.size());
                ASSERT_EQ(work.view(), std::string_view(plain).substr(work.base()));
                std::size_t at = settled + (plain.size() > settled ? random() % (plain.size() - settled + 1) : 0);
                std::string part(random() % 12, 'Z');
                switch (random() % 4) {
                case 0:
                    settled = at;
                    work.settle(at);
                    break;
                case 1:
                    work.insert(at, part, "grow");
                    plain.insert(at, part);
                    break;
                case 2: {
                    std::size_t count = random() % 5;
                    work.erase(at, count);
                    if (at < plain.size()) plain.erase(at, count);
                    break;
                }
                default: {
                    std::size_t count = random() % 5;
                    work.replace(at, count, part, "grow");
                    plain.replace(std::min(at, plain.size()), count, part);
                    break;
                }
                }
            }
            EXPECT_EQ(whole(work), plain.substr(work.base()));
        }
    });
    EXPECT_EQ(host.handles_in_use(), 0u);
}

// A member short enough is worked on in the scanner's frame; an edit that needs more room than that
// holds, or a member too long for it, works in a handle. Either way the text reads as edited, a moved
// copy reads the same, and no handle is left behind.
TEST(WorkText, EditsReadTheSameInTheFrameAndInAHandle) {
    struct Row {
        std::size_t length, capacity, settle_at, insert_at, inserted;
    };
    const Row rows[] = {
        {10, 21, 0, 3, 5},         // fits where it is
        {10, 21, 4, 6, 30},        // grows out of the frame after a settle
        {0, 1, 0, 0, 40},          // an empty member
        {500, 1001, 100, 250, 600},   // a growth past the frame's room
        {1020, 1022, 0, 1020, 1},  // the frame's whole room, then one more
        {600, 1201, 50, 599, 900},    // too long for the frame from the start
    };
    rawhost::Host host;
    inside_call(host, [&] {
        for (const Row &row : rows) {
            std::string start(row.length, 'x');
            for (std::size_t i = 0; i < start.size(); ++i) start[i] = static_cast<char>('a' + i % 26);
            std::string plain = start + ' ';
            WorkText work = WorkText::copy_of(start, row.capacity);
            work.settle(row.settle_at);
            work.insert(row.insert_at, std::string(row.inserted, 'Z'), "grow");
            plain.insert(row.insert_at, std::string(row.inserted, 'Z'));
            const WorkText moved(std::move(work));
            EXPECT_EQ(moved.length(), plain.size()) << row.length << " +" << row.inserted;
            EXPECT_EQ(whole(moved), plain.substr(row.settle_at)) << row.length << " +" << row.inserted;
            EXPECT_EQ(moved.settled(), std::string_view(plain).substr(0, row.settle_at));
            const auto *source = reinterpret_cast<const char *>(&work);
            const char *read = moved.view().data();
            EXPECT_FALSE(read >= source && read < source + sizeof work) << "the copy reads its source's bytes";
        }
    });
    EXPECT_EQ(host.handles_in_use(), 0u);
}

TEST(WorkText, AGrowthThatFailsRaisesTheRowsMessage) {
    rawhost::Host host;
    const bool returned = inside_call(host, [&] {
        WorkText work = WorkText::copy_of("abc", 7);
        host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), 0);
        work.insert(1, std::string(50, 'x'), "Insufficient memory for TTOD");
    });
    host.send(TV_REQ_SET_BUDGET, static_cast<tv_word>(-1), static_cast<tv_word>(-1));
    EXPECT_FALSE(returned);
    EXPECT_EQ(host.requests.user_errors, std::vector<std::string>{"Insufficient memory for TTOD"});
    EXPECT_EQ(host.handles_in_use(), 0u);
}

}  // namespace
