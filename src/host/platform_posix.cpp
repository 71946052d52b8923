// The platform layer on POSIX systems: movable blocks on the C heap, a thread-local slot, a mutex.
#include "host/platform.h"

#include <pthread.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace tarnvel::platform {
namespace {

// A block is one allocation: this header, then the bytes. A block that moves is a new allocation,
// so the Block itself changes (the handle table keeps whatever block_realloc answers).
struct alignas(std::max_align_t) Header {
    std::size_t size;  // the bytes in use
    int locks;
};

Header *as_block(Block block) { return static_cast<Header *>(block); }
unsigned char *bytes_of(Header *block) { return reinterpret_cast<unsigned char *>(block + 1); }

// Blocks up to this size (most of a call's buffers) come from malloc and are cleared here: the C
// library serves them from a per-thread cache that calloc passes by. Larger ones come from calloc,
// which knows when pages are fresh and need no clearing.
constexpr std::size_t small_block = 1000;

// A new block of 'bytes' bytes, of which the first 'keep' are left for the caller to fill and the
// rest are zeroed.
Header *new_block(std::size_t bytes, std::size_t keep) {
    if (bytes > static_cast<std::size_t>(-1) / 2) return nullptr;
    const std::size_t total = sizeof(Header) + (bytes == 0 ? 1 : bytes);
    Header *block = nullptr;
    if (keep == 0 && bytes > small_block) {
        block = static_cast<Header *>(std::calloc(1, total));
        if (block) keep = bytes;
    } else {
        block = static_cast<Header *>(std::malloc(total));
    }
    if (!block) return nullptr;
    block->size = bytes;
    block->locks = 0;
    if (bytes > keep) std::memset(bytes_of(block) + keep, 0, bytes - keep);
    return block;
}

void free_block(Header *block) { std::free(block); }

// The slot: a thread-local pointer, usable once tls_create() has run.
thread_local void *slot_value = nullptr;
bool slot_created = false;
pthread_mutex_t list_lock = PTHREAD_MUTEX_INITIALIZER;

}  // namespace

Block block_alloc(std::size_t bytes) { return new_block(bytes, 0); }

void block_free(Block block) {
    if (block) free_block(as_block(block));
}

void *block_lock(Block block) {
    ++as_block(block)->locks;
    return bytes_of(as_block(block));
}

void block_unlock(Block block) {
    if (as_block(block)->locks > 0) --as_block(block)->locks;
}

std::size_t block_size(Block block) { return as_block(block)->size; }

Block block_realloc(Block block, std::size_t bytes) {
    Header *b = as_block(block);
    if (b->locks > 0) {
        // A locked block must not move: it can only shrink in place.
        if (bytes > b->size) return nullptr;
        b->size = bytes;
        return block;
    }
    // An unlocked block always moves, so that a pointer kept across a resize is caught at once.
    std::size_t keep = b->size < bytes ? b->size : bytes;
    Header *fresh = new_block(bytes, keep);
    if (!fresh) return nullptr;
    std::memcpy(bytes_of(fresh), bytes_of(b), keep);
    free_block(b);
    return fresh;
}

void *heap_alloc_zeroed(std::size_t bytes) { return std::calloc(1, bytes); }
void heap_free(void *memory) { std::free(memory); }

bool tls_create() {
    slot_created = true;
    return true;
}
void tls_destroy() { slot_created = false; }
void *tls_get() { return slot_created ? slot_value : nullptr; }
void tls_set(void *value) {
    if (slot_created) slot_value = value;
}

void lock_create() {}
void lock_destroy() {}
void lock_enter() { pthread_mutex_lock(&list_lock); }
void lock_leave() { pthread_mutex_unlock(&list_lock); }

}  // namespace tarnvel::platform
