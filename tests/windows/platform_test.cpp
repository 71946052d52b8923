// The Windows platform layer: movable global blocks (zero-filled, lock count, a locked block never
// moves on resize, a failed resize keeps the block), the zero-filled heap, the thread-local slot and
// the lock.
#include "host/platform.h"

#include "thread.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

namespace platform = tarnvel::platform;

bool all_zero(const void *bytes, std::size_t from, std::size_t to) {
    const auto *b = static_cast<const unsigned char *>(bytes);
    for (std::size_t i = from; i < to; ++i) {
        if (b[i] != 0) return false;
    }
    return true;
}

TEST(Platform, BlocksAreZeroFilledAndKeepTheirSize) {
    for (std::size_t size : {1u, 2u, 37u, 4096u, 100000u}) {
        SCOPED_TRACE(size);
        platform::Block block = platform::block_alloc(size);
        ASSERT_NE(block, nullptr);
        EXPECT_GE(platform::block_size(block), size);
        void *bytes = platform::block_lock(block);
        ASSERT_NE(bytes, nullptr);
        EXPECT_TRUE(all_zero(bytes, 0, size));
        platform::block_unlock(block);
        platform::block_free(block);
    }
}

TEST(Platform, ResizeKeepsTheBytesAndZeroFillsTheGrowth) {
    platform::Block block = platform::block_alloc(10);
    ASSERT_NE(block, nullptr);
    std::memcpy(platform::block_lock(block), "abcdefghij", 10);
    platform::block_unlock(block);

    platform::Block grown = platform::block_realloc(block, 5000);  // unlocked: it may move
    ASSERT_NE(grown, nullptr);
    EXPECT_GE(platform::block_size(grown), 5000u);
    void *bytes = platform::block_lock(grown);
    EXPECT_EQ(std::memcmp(bytes, "abcdefghij", 10), 0);
    EXPECT_TRUE(all_zero(bytes, 10, 5000));
    platform::block_unlock(grown);

    platform::Block shrunk = platform::block_realloc(grown, 4);
    ASSERT_NE(shrunk, nullptr);
    EXPECT_EQ(std::memcmp(platform::block_lock(shrunk), "abcd", 4), 0);
    platform::block_unlock(shrunk);
    platform::block_free(shrunk);
}

TEST(Platform, ALockedBlockNeverMovesOnResize) {
    // Grow a locked block step by step: each step either succeeds in place or fails with the block
    // untouched; the address taken under the lock stays good throughout.
    platform::Block block = platform::block_alloc(64);
    ASSERT_NE(block, nullptr);
    auto *locked = static_cast<unsigned char *>(platform::block_lock(block));
    std::memset(locked, 'x', 64);
    std::size_t size = 64;
    for (std::size_t want : {80u, 200u, 4096u, 65536u, 1u << 20}) {
        SCOPED_TRACE(want);
        platform::Block resized = platform::block_realloc(block, want);
        if (resized == nullptr) {
            EXPECT_GE(platform::block_size(block), size);  // the old block stays as it was
        } else {
            block = resized;
            size = want;
            EXPECT_EQ(platform::block_lock(block), locked);  // same bytes, same place
            platform::block_unlock(block);
            EXPECT_TRUE(all_zero(locked, 64, size));
        }
        EXPECT_EQ(locked[0], 'x');
        EXPECT_EQ(locked[63], 'x');
    }
    platform::block_unlock(block);
    platform::block_free(block);
}

TEST(Platform, ARefusedResizeLeavesTheBlockAlone) {
    platform::Block block = platform::block_alloc(16);
    ASSERT_NE(block, nullptr);
    std::memcpy(platform::block_lock(block), "0123456789abcdef", 16);
    platform::block_unlock(block);
    const std::size_t too_big = std::numeric_limits<std::size_t>::max() - 4096;
    EXPECT_EQ(platform::block_realloc(block, too_big), nullptr);
    EXPECT_EQ(platform::block_alloc(too_big), nullptr);
    EXPECT_EQ(std::memcmp(platform::block_lock(block), "0123456789abcdef", 16), 0);
    platform::block_unlock(block);
    platform::block_free(block);
}

TEST(Platform, HeapBlocksAreZeroFilled) {
    void *memory = platform::heap_alloc_zeroed(80);
    ASSERT_NE(memory, nullptr);
    EXPECT_TRUE(all_zero(memory, 0, 80));
    platform::heap_free(memory);
    platform::heap_free(nullptr);  // nothing to do
}

TEST(Platform, EachThreadHasItsOwnSlotValue) {
    ASSERT_TRUE(platform::tls_create());
    ASSERT_TRUE(platform::tls_create());  // a second create keeps the slot
    int mine = 1;
    int theirs = 2;
    platform::tls_set(&mine);
    void *seen_by_other = &mine;
    void *other_after_set = nullptr;
    wintest::Thread other([&] {
        seen_by_other = platform::tls_get();
        platform::tls_set(&theirs);
        other_after_set = platform::tls_get();
    });
    other.join();
    EXPECT_EQ(seen_by_other, nullptr);
    EXPECT_EQ(other_after_set, &theirs);
    EXPECT_EQ(platform::tls_get(), &mine);
    platform::tls_destroy();
    EXPECT_EQ(platform::tls_get(), nullptr);
    platform::tls_set(&mine);  // no slot: ignored
    EXPECT_EQ(platform::tls_get(), nullptr);
}

TEST(Platform, TheLockKeepsThreadsApart) {
    platform::lock_create();
    platform::lock_create();  // a second create keeps the lock
    volatile long counter = 0;
    auto work = [&] {
        for (int i = 0; i < 50000; ++i) {
            platform::lock_enter();
            counter = counter + 1;
            platform::lock_leave();
        }
    };
    wintest::Thread a(work), b(work);
    a.join();
    b.join();
    EXPECT_EQ(counter, 100000);
    platform::lock_destroy();
    platform::lock_enter();  // after the unload: does nothing, and does not crash
    platform::lock_leave();
}

}  // namespace
