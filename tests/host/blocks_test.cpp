// The POSIX platform's blocks: whatever a thread kept of the blocks it freed, a new block is
// zero-filled and of its own size, and a block freed by another thread is as good as any.
#include "host/platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

namespace platform = tarnvel::platform;

bool zero_filled(platform::Block block, std::size_t size) {
    const auto *bytes = static_cast<const unsigned char *>(platform::block_lock(block));
    const bool zero = std::all_of(bytes, bytes + size, [](unsigned char b) { return b == 0; });
    platform::block_unlock(block);
    return zero;
}

platform::Block dirty_block(std::size_t size) {
    platform::Block block = platform::block_alloc(size);
    if (block) {
        std::memset(platform::block_lock(block), 0xA5, size);
        platform::block_unlock(block);
    }
    return block;
}

TEST(Blocks, AReusedBlockIsZeroFilledAndOfItsNewSize) {
    // sizes around the classes a thread keeps (64 ... 1024) and beyond them
    for (std::size_t size : {0u, 1u, 63u, 64u, 65u, 127u, 128u, 600u, 1000u, 1001u, 1024u, 1025u, 5000u}) {
        SCOPED_TRACE(size);
        std::vector<platform::Block> freed;
        for (int i = 0; i < 12; ++i) freed.push_back(dirty_block(size == 0 ? 1 : size));
        for (platform::Block b : freed) platform::block_free(b);
        for (std::size_t again : {size, size / 2 + 1}) {
            platform::Block block = platform::block_alloc(again);
            ASSERT_NE(block, nullptr);
            EXPECT_EQ(platform::block_size(block), again);
            EXPECT_TRUE(zero_filled(block, again));
            platform::block_free(block);
        }
    }
}

TEST(Blocks, GrowthOfAReusedBlockIsZeroFilled) {
    platform::block_free(dirty_block(200));
    platform::Block block = platform::block_alloc(10);
    std::memset(platform::block_lock(block), 'x', 10);
    platform::block_unlock(block);
    block = platform::block_realloc(block, 250);
    ASSERT_NE(block, nullptr);
    const auto *bytes = static_cast<const unsigned char *>(platform::block_lock(block));
    EXPECT_EQ(std::count(bytes, bytes + 10, 'x'), 10);
    EXPECT_TRUE(std::all_of(bytes + 10, bytes + 250, [](unsigned char b) { return b == 0; }));
    platform::block_unlock(block);
    platform::block_free(block);
}

TEST(Blocks, ABlockFreedByAnotherThreadServesThatThread) {
    std::vector<platform::Block> blocks;
    for (int i = 0; i < 20; ++i) blocks.push_back(dirty_block(100));
    std::thread other([&] {
        for (platform::Block b : blocks) platform::block_free(b);
        platform::Block block = platform::block_alloc(100);
        EXPECT_TRUE(zero_filled(block, 100));
        platform::block_free(block);
    });
    other.join();
}

}  // namespace
