// The entry layer: per-thread blocks, the handle and pointer tables the host supplies, and the
// requests to the host's callback. Used by the host services (api.cpp) and the platform's load and
// unload notices.
#pragma once

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>

namespace tarnvel::dispatch {

// The per-thread block: 80 bytes on 32-bit builds. The last 64 bytes are where an unwind point
// would be kept; unwinding is an exception here, so they hold the dispatch depth and the memory
// budget of the substitute host instead.
struct ThreadState {
    std::uint32_t depth;               // DispatchAPI calls in progress on this thread
    std::uintptr_t budget_bytes;       // most bytes the handle blocks may hold; ~0: no limit
    std::uintptr_t held_bytes;         // bytes the handle blocks hold now
    std::uintptr_t budget_operations;  // obtains and growths that may still succeed; ~0: no limit
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

// The calling thread's block, created on first use; nullptr only when the heap refuses.
ThreadBlock *thread_block();

// Handle operations on the calling thread's table; each answers 0 / does nothing for an invalid
// handle (0, not below the capacity, or an empty slot).
MHANDLE handle_obtain(std::size_t size, std::uint16_t tag);
void handle_release(MHANDLE handle);
char *handle_address(MHANDLE handle);
void handle_lock(MHANDLE handle);
void handle_unlock(MHANDLE handle);
std::size_t handle_size(MHANDLE handle);
bool handle_resize(MHANDLE handle, std::size_t size);
// Obtain and lock in one step: the handle (0 when none) and, in 'address', its bytes. Unlock and
// release in one step. (What the three or two separate operations do, without finding the
// thread's table again for each.)
MHANDLE handle_obtain_locked(std::size_t size, std::uint16_t tag, char *&address);
void handle_unlock_release(MHANDLE handle);

// A request to the host's callback; answers what the host left at offset 0 (0 when the thread has
// no callback). 'status', when given, receives what the host left at offset 20.
tv_word send(tv_word code, tv_word arg0 = 0, tv_word arg1 = 0, tv_word arg2 = 0, tv_word *status = nullptr);

// The platform's process notices.
bool process_attach();
void process_detach();

// The tag of blocks the library obtains for itself.
inline constexpr std::uint16_t library_tag = 16;

}  // namespace tarnvel::dispatch
