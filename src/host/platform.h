// The platform layer under the entry layer: movable zero-filled memory blocks, the process heap,
// one thread-local slot and one lock. POSIX and Windows each have a file of their own.
#pragma once

#include <cstddef>

namespace tarnvel::platform {

using Block = void *;  // a movable memory block; nullptr means none

Block block_alloc(std::size_t bytes, bool cleared = true);  // zero-filled unless not 'cleared'; nullptr on failure
void block_free(Block block);
#if defined(_WIN32)
void *block_lock(Block block);                    // the system keeps a lock count
void block_unlock(Block block);
std::size_t block_size(Block block);
#else
// A block is one allocation: this header, then the bytes. Every handle operation reads it, so the
// three reads below are inline.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t size;      // the bytes in use
    std::size_t capacity;  // the bytes allocated after the header
    int locks;
};
inline void *block_lock(Block block) {  // a lock count is kept
    auto *header = static_cast<BlockHeader *>(block);
    ++header->locks;
    return header + 1;
}
inline void block_unlock(Block block) {
    auto *header = static_cast<BlockHeader *>(block);
    if (header->locks > 0) --header->locks;
}
inline std::size_t block_size(Block block) { return static_cast<BlockHeader *>(block)->size; }
#endif
// Resizes, new bytes zero-filled. A locked block never moves: when it cannot grow in place the
// resize fails. Answers the (possibly new) block, or nullptr on failure (the old block stays).
Block block_realloc(Block block, std::size_t bytes);

void *heap_alloc_zeroed(std::size_t bytes);       // the process heap
void heap_free(void *memory);

bool tls_create();                                // false when no slot can be had
void tls_destroy();
#if defined(_WIN32)
void *tls_get();
#else
// Read on every handle operation: inline where the slot is a thread_local of our own.
struct tls_slot {
    static constinit thread_local void *value;
    static bool created;
};
inline void *tls_get() { return tls_slot::created ? tls_slot::value : nullptr; }
#endif
void tls_set(void *value);

void lock_create();
void lock_destroy();
void lock_enter();
void lock_leave();

}  // namespace tarnvel::platform
