// The per-thread blocks: each thread that calls DispatchAPI gets one (zero-filled, from the process
// heap, kept in the thread-local slot and in a list guarded by the platform lock), and the process
// notices that create and free them.
#pragma once

#include "host/platform.h"

#include <tarnvel/wire.h>

#include <cstdint>
#include <limits>

namespace tarnvel::dispatch {

inline constexpr std::uintptr_t no_limit = std::numeric_limits<std::uintptr_t>::max();

// The per-thread block: 80 bytes on 32-bit builds. The last 64 bytes are where an unwind point
// would be kept; unwinding is an exception here, so they hold the dispatch depth and the memory
// budget of the substitute host instead.
struct ThreadState {
    std::uint32_t depth;               // DispatchAPI calls in progress on this thread
    std::uintptr_t budget_bytes;       // most bytes the handle blocks may hold; no_limit: none
    std::uintptr_t held_bytes;         // bytes the handle blocks hold now
    std::uintptr_t budget_operations;  // obtains and growths that may still succeed; no_limit: no limit
};

struct ThreadBlock {
    ThreadBlock *next;
    HostCallback callback;
    unsigned char *handle_table;
    unsigned char *pointer_table;
    union {
        unsigned char reserved[64];
        ThreadState state;
    };
};

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(ThreadBlock) == 80, "the per-thread block is 80 bytes");
#endif

// The calling thread's block, created on first use (attaching the library first when the system has
// not); nullptr only when the heap refuses.
ThreadBlock *thread_block();

// The calling thread's block when it has one, else nullptr; never creates one.
inline ThreadBlock *existing_thread_block() { return static_cast<ThreadBlock *>(platform::tls_get()); }

// The platform's process notices.
bool process_attach();
void process_detach();

}  // namespace tarnvel::dispatch
