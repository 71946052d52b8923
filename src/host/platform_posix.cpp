// The platform layer on POSIX systems: movable blocks on the C heap, a thread-local slot, a mutex.
#include "host/platform.h"

#include <pthread.h>

#include <bit>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace tarnvel::platform {
namespace {

// A block is one allocation: its header (platform.h), then the bytes. A block that moves is a new
// allocation, so the Block itself changes (the handle table keeps whatever block_realloc answers).
using Header = BlockHeader;

Header *as_block(Block block) { return static_cast<Header *>(block); }
unsigned char *bytes_of(Header *block) { return reinterpret_cast<unsigned char *>(block + 1); }

// Blocks up to this size (most of a call's buffers) come from malloc and are cleared here: the C
// library serves them from a per-thread cache that calloc passes by. Larger ones come from calloc,
// which knows when pages are fresh and need no clearing.
constexpr std::size_t small_block = 1000;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define TARNVEL_KEEP_BLOCKS 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define TARNVEL_KEEP_BLOCKS 0
#endif
#endif
#ifndef TARNVEL_KEEP_BLOCKS
#define TARNVEL_KEEP_BLOCKS 1
#endif

// Small blocks freed by a thread, kept for its next ones: a call obtains and releases about ten
// buffers of a few sizes, more of one size than the C library's per-thread cache keeps. Sizes
// are rounded up to a class (64, 128, ... 1024 bytes); each class keeps a few blocks. Under the
// sanitizers nothing is kept, so that every block freed is seen freed and every block is fresh.
constexpr std::size_t first_class = 64, class_count = 5, kept_per_class = 8;

std::size_t class_of(std::size_t bytes) {
    return bytes <= first_class ? 0 : static_cast<std::size_t>(std::bit_width(bytes - 1)) - std::bit_width(first_class - 1);
}

// Plain data, so that reaching it costs no check for a constructor; the blocks it keeps are freed
// when the thread ends, by the destructor of a key set on the thread's first kept block.
struct KeptBlocks {
    Header *blocks[class_count][kept_per_class];
    std::size_t counts[class_count];
    bool registered;
};
thread_local KeptBlocks kept;
pthread_key_t kept_key;
pthread_once_t kept_key_once = PTHREAD_ONCE_INIT;
bool kept_key_made = false;

void free_kept(void *) {
    for (std::size_t c = 0; c < class_count; ++c) {
        for (std::size_t i = 0; i < kept.counts[c]; ++i) std::free(kept.blocks[c][i]);
        kept.counts[c] = 0;
    }
    kept.registered = false;
}

// At unload the key goes (no destructor of this library may run after it) and this thread's
// kept blocks are freed; those of threads still running are left to the process.
struct KeptKeyRelease {
    ~KeptKeyRelease() {
        if (kept_key_made) pthread_key_delete(kept_key);
        kept_key_made = false;
        free_kept(nullptr);
    }
} kept_key_release;

// Whether the thread's kept blocks will be freed when it ends.
bool kept_freed_at_exit() {
    if (kept.registered) return true;
    pthread_once(&kept_key_once, [] { kept_key_made = pthread_key_create(&kept_key, free_kept) == 0; });
    kept.registered = kept_key_made && pthread_setspecific(kept_key, &kept) == 0;
    return kept.registered;
}

// A new block of 'bytes' bytes, of which the first 'keep' are left for the caller to fill and the
// rest are zeroed.
Header *new_block(std::size_t bytes, std::size_t keep) {
    if (bytes > static_cast<std::size_t>(-1) / 2) return nullptr;
    std::size_t capacity = bytes == 0 ? 1 : bytes;
    Header *block = nullptr;
    if (keep == 0 && bytes > small_block) {
        block = static_cast<Header *>(std::calloc(1, sizeof(Header) + capacity));
        if (block) keep = bytes;
    } else if (TARNVEL_KEEP_BLOCKS && capacity <= first_class << (class_count - 1)) {
        const std::size_t c = class_of(capacity);
        capacity = first_class << c;
        block = kept.counts[c] > 0 ? kept.blocks[c][--kept.counts[c]]
                                   : static_cast<Header *>(std::malloc(sizeof(Header) + capacity));
    } else {
        block = static_cast<Header *>(std::malloc(sizeof(Header) + capacity));
    }
    if (!block) return nullptr;
    block->size = bytes;
    block->capacity = capacity;
    block->locks = 0;
    if (bytes > keep) std::memset(bytes_of(block) + keep, 0, bytes - keep);
    return block;
}

void free_block(Header *block) {
    const std::size_t c = class_of(block->capacity);
    if (TARNVEL_KEEP_BLOCKS && c < class_count && block->capacity == first_class << c &&
        kept.counts[c] < kept_per_class && kept_freed_at_exit()) {
        kept.blocks[c][kept.counts[c]++] = block;
        return;
    }
    std::free(block);
}

pthread_mutex_t list_lock = PTHREAD_MUTEX_INITIALIZER;

}  // namespace

// The slot: a thread-local pointer, usable once tls_create() has run (read inline: platform.h).
constinit thread_local void *tls_slot::value = nullptr;
bool tls_slot::created = false;

Block block_alloc(std::size_t bytes, bool cleared) { return new_block(bytes, cleared ? 0 : bytes); }

void block_free(Block block) {
    if (block) free_block(as_block(block));
}

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
    tls_slot::created = true;
    return true;
}
void tls_destroy() { tls_slot::created = false; }
void tls_set(void *value) {
    if (tls_slot::created) tls_slot::value = value;
}

void lock_create() {}
void lock_destroy() {}
void lock_enter() { pthread_mutex_lock(&list_lock); }
void lock_leave() { pthread_mutex_unlock(&list_lock); }

}  // namespace tarnvel::platform
