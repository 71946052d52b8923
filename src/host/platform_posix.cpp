// The platform layer on POSIX systems: movable blocks on the C heap, a pthread key, a mutex.
#include "host/platform.h"

#include <pthread.h>

#include <cstdlib>
#include <cstring>

namespace tarnvel::platform {
namespace {

struct MovableBlock {
    std::size_t size;
    int locks;
    unsigned char *bytes;
};

MovableBlock *as_block(Block block) { return static_cast<MovableBlock *>(block); }

pthread_key_t slot_key;
bool slot_created = false;
pthread_mutex_t list_lock = PTHREAD_MUTEX_INITIALIZER;

}  // namespace

Block block_alloc(std::size_t bytes) {
    auto *block = static_cast<MovableBlock *>(std::calloc(1, sizeof(MovableBlock)));
    if (!block) return nullptr;
    block->bytes = static_cast<unsigned char *>(std::calloc(bytes == 0 ? 1 : bytes, 1));
    if (!block->bytes) {
        std::free(block);
        return nullptr;
    }
    block->size = bytes;
    return block;
}

void block_free(Block block) {
    if (!block) return;
    std::free(as_block(block)->bytes);
    std::free(block);
}

void *block_lock(Block block) {
    ++as_block(block)->locks;
    return as_block(block)->bytes;
}

void block_unlock(Block block) {
    if (as_block(block)->locks > 0) --as_block(block)->locks;
}

std::size_t block_size(Block block) { return as_block(block)->size; }

Block block_realloc(Block block, std::size_t bytes) {
    MovableBlock *b = as_block(block);
    if (b->locks > 0) {
        // A locked block must not move: it can only shrink in place.
        if (bytes > b->size) return nullptr;
        b->size = bytes;
        return block;
    }
    // An unlocked block always moves, so that a pointer kept across a resize is caught at once.
    auto *fresh = static_cast<unsigned char *>(std::calloc(bytes == 0 ? 1 : bytes, 1));
    if (!fresh) return nullptr;
    std::memcpy(fresh, b->bytes, b->size < bytes ? b->size : bytes);
    std::free(b->bytes);
    b->bytes = fresh;
    b->size = bytes;
    return block;
}

void *heap_alloc_zeroed(std::size_t bytes) { return std::calloc(1, bytes); }
void heap_free(void *memory) { std::free(memory); }

bool tls_create() {
    if (!slot_created) slot_created = pthread_key_create(&slot_key, nullptr) == 0;
    return slot_created;
}
void tls_destroy() {
    if (slot_created) pthread_key_delete(slot_key);
    slot_created = false;
}
void *tls_get() { return slot_created ? pthread_getspecific(slot_key) : nullptr; }
void tls_set(void *value) {
    if (slot_created) pthread_setspecific(slot_key, value);
}

void lock_create() {}
void lock_destroy() {}
void lock_enter() { pthread_mutex_lock(&list_lock); }
void lock_leave() { pthread_mutex_unlock(&list_lock); }

}  // namespace tarnvel::platform
