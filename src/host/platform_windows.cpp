// The platform layer on Windows: movable zero-filled global memory blocks, the process heap, one
// thread-local storage slot and one critical section.
#include "host/platform.h"

#include <windows.h>

namespace tarnvel::platform {
namespace {

HGLOBAL as_global(Block block) { return static_cast<HGLOBAL>(block); }

DWORD slot = TLS_OUT_OF_INDEXES;
CRITICAL_SECTION list_lock;
bool lock_created = false;

}  // namespace

Block block_alloc(std::size_t bytes, bool cleared) {
    return GlobalAlloc(GMEM_MOVEABLE | (cleared ? GMEM_ZEROINIT : 0u), bytes);
}

void block_free(Block block) {
    if (block) GlobalFree(as_global(block));
}

void *block_lock(Block block) { return GlobalLock(as_global(block)); }

void block_unlock(Block block) { GlobalUnlock(as_global(block)); }

std::size_t block_size(Block block) { return GlobalSize(as_global(block)); }

Block block_realloc(Block block, std::size_t bytes) {
    // Without GMEM_MOVEABLE a locked movable block is only resized in place (or not at all), so an
    // address taken under the lock stays good; an unlocked block may move.
    const UINT locks = GlobalFlags(as_global(block)) & GMEM_LOCKCOUNT;
    const UINT flags = GMEM_ZEROINIT | (locks == 0 ? GMEM_MOVEABLE : 0u);
    return GlobalReAlloc(as_global(block), bytes, flags);
}

void *heap_alloc_zeroed(std::size_t bytes) { return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, bytes); }

void heap_free(void *memory) {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}

bool tls_create() {
    if (slot == TLS_OUT_OF_INDEXES) slot = TlsAlloc();
    return slot != TLS_OUT_OF_INDEXES;
}

void tls_destroy() {
    if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
    slot = TLS_OUT_OF_INDEXES;
}

void *tls_get() { return slot != TLS_OUT_OF_INDEXES ? TlsGetValue(slot) : nullptr; }

void tls_set(void *value) {
    if (slot != TLS_OUT_OF_INDEXES) TlsSetValue(slot, value);
}

// The lock is created at process attach (DllMain, or the first request of a program that links the
// library in) and deleted at unload; before and after, entering it does nothing.
void lock_create() {
    if (lock_created) return;
    InitializeCriticalSection(&list_lock);
    lock_created = true;
}

void lock_destroy() {
    if (!lock_created) return;
    DeleteCriticalSection(&list_lock);
    lock_created = false;
}

void lock_enter() {
    if (lock_created) EnterCriticalSection(&list_lock);
}

void lock_leave() {
    if (lock_created) LeaveCriticalSection(&list_lock);
}

}  // namespace tarnvel::platform
