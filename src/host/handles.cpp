#include "host/handles.h"

#include "host/tables.h"
#include "host/threads.h"

#include <limits>

namespace tarnvel::dispatch {
namespace {

// The block of a valid handle of the calling thread's table, or nullptr.
platform::Block block_of(ThreadBlock *tb, MHANDLE handle, HandleTable *table_out = nullptr) {
    if (!tb || !tb->handle_table || handle == 0) return nullptr;
    HandleTable table{tb->handle_table};
    if (handle >= table.capacity()) return nullptr;
    if (table_out) *table_out = table;
    return table.slot(handle);
}

// The memory budget: may this thread's blocks grow by 'extra' bytes?
bool budget_allows(ThreadBlock *tb, std::size_t extra) {
    auto &s = tb->state;
    if (s.budget_operations != no_limit) {
        if (s.budget_operations == 0) return false;
    }
    if (s.budget_bytes != no_limit && (extra > s.budget_bytes || s.held_bytes > s.budget_bytes - extra)) return false;
    if (s.budget_operations != no_limit) --s.budget_operations;
    return true;
}
void budget_held(ThreadBlock *tb, std::size_t before, std::size_t after) {
    auto &s = tb->state;
    if (after >= before) {
        s.held_bytes += after - before;
    } else {
        std::size_t less = before - after;
        s.held_bytes = s.held_bytes > less ? s.held_bytes - less : 0;
    }
}

// Frees the block of a valid handle (unlocking it first when asked) and empties its slot.
void release(MHANDLE handle, bool unlock) {
    ThreadBlock *tb = existing_thread_block();
    HandleTable table{nullptr};
    platform::Block block = block_of(tb, handle, &table);
    if (!block) return;
    if (unlock) platform::block_unlock(block);
    budget_held(tb, platform::block_size(block), 0);
    platform::block_free(block);
    table.set_slot(handle, nullptr);
    if (handle < table.next_free()) table.set_next_free(static_cast<std::uint16_t>(handle));
}

// A new block for a free slot of the thread's table, its first two bytes the tag, left locked
// once: the handle (0 when none), the block, and in 'bytes' the block's bytes after the tag.
MHANDLE obtain_locked(std::size_t size, std::uint16_t tag, platform::Block &block, char *&bytes, bool cleared = true) {
    ThreadBlock *tb = existing_thread_block();
    if (!tb || !tb->handle_table) return 0;
    if (size > std::numeric_limits<std::size_t>::max() / 2) return 0;
    HandleTable table{tb->handle_table};
    std::size_t i = table.next_free();
    if (i == 0) i = 1;  // index 0 means "none" to every caller
    while (i < table.capacity() && table.slot(i) != nullptr) ++i;
    if (i >= table.capacity()) return 0;
    if (!budget_allows(tb, size + 2)) return 0;
    block = platform::block_alloc(size + 2, cleared);
    if (!block) return 0;
    budget_held(tb, 0, size + 2);
    auto *tagged = static_cast<unsigned char *>(platform::block_lock(block));
    write16(tagged, tag);
    bytes = reinterpret_cast<char *>(tagged) + 2;
    table.set_slot(i, block);
    table.set_next_free(static_cast<std::uint16_t>(i));
    return static_cast<MHANDLE>(i);
}

}  // namespace

MHANDLE handle_obtain(std::size_t size, std::uint16_t tag) {
    platform::Block block = nullptr;
    char *bytes = nullptr;
    const MHANDLE handle = obtain_locked(size, tag, block, bytes);
    if (handle != 0) platform::block_unlock(block);
    return handle;
}

void handle_release(MHANDLE handle) { release(handle, false); }

MHANDLE handle_obtain_locked(std::size_t size, std::uint16_t tag, char *&address, bool cleared) {
    platform::Block block = nullptr;
    address = nullptr;
    return obtain_locked(size, tag, block, address, cleared);
}

void handle_unlock_release(MHANDLE handle) { release(handle, true); }

char *handle_address(MHANDLE handle) {
    platform::Block block = block_of(existing_thread_block(), handle);
    if (!block) return nullptr;
    auto *bytes = static_cast<char *>(platform::block_lock(block));
    platform::block_unlock(block);
    return bytes + 2;
}

void handle_lock(MHANDLE handle) {
    platform::Block block = block_of(existing_thread_block(), handle);
    if (block) platform::block_lock(block);
}

void handle_unlock(MHANDLE handle) {
    platform::Block block = block_of(existing_thread_block(), handle);
    if (block) platform::block_unlock(block);
}

std::size_t handle_size(MHANDLE handle) {
    platform::Block block = block_of(existing_thread_block(), handle);
    return block ? platform::block_size(block) - 2 : 0;
}

bool handle_resize(MHANDLE handle, std::size_t size) {
    ThreadBlock *tb = existing_thread_block();
    HandleTable table{nullptr};
    platform::Block block = block_of(tb, handle, &table);
    if (!block || size > std::numeric_limits<std::size_t>::max() / 2) return false;
    std::size_t before = platform::block_size(block);
    if (size + 2 > before && !budget_allows(tb, size + 2 - before)) return false;
    platform::Block moved = platform::block_realloc(block, size + 2);
    if (!moved) return false;
    budget_held(tb, before, size + 2);
    table.set_slot(handle, moved);
    return true;
}

}  // namespace tarnvel::dispatch
