#include "host/threads.h"

#include <atomic>
#include <mutex>

namespace tarnvel::dispatch {
namespace {

ThreadBlock *list_head = nullptr;  // every per-thread block, guarded by the platform lock

// The library attaches at its first request unless the system has attached it already (DllMain
// on Windows; attaching twice changes nothing).
std::once_flag attach_once;
// Set once the thread-local slot exists: read without the once-flag by thread_block's fast path, so
// that what the attach wrote is seen by a thread that has not passed the flag itself.
std::atomic<bool> attached{false};

#if !defined(_WIN32)
// On POSIX the library detaches when the process ends; on Windows DllMain does it at unload.
struct ProcessNotices {
    ~ProcessNotices() { process_detach(); }
} process_notices;
#endif

ThreadBlock *own_thread_block() {
    auto *tb = existing_thread_block();
    if (tb) return tb;
    tb = static_cast<ThreadBlock *>(platform::heap_alloc_zeroed(sizeof(ThreadBlock)));
    if (!tb) return nullptr;
    tb->state.budget_bytes = no_limit;
    tb->state.budget_operations = no_limit;
    platform::tls_set(tb);
    platform::lock_enter();
    tb->next = list_head;
    list_head = tb;
    platform::lock_leave();
    return tb;
}

}  // namespace

namespace {
// The attach (once) and the thread's first block: a call of its own, out of the common path.
[[gnu::noinline]] ThreadBlock *first_thread_block() {
    std::call_once(attach_once, [] { process_attach(); });
    return own_thread_block();
}
}  // namespace

ThreadBlock *thread_block() {
    // A thread with a block of its own is past the attach (only an attached library has the slot
    // that holds the block): most requests end here.
    if (attached.load(std::memory_order_acquire)) {
        if (ThreadBlock *tb = existing_thread_block()) return tb;
    }
    return first_thread_block();
}

bool process_attach() {
    platform::lock_create();
    if (!platform::tls_create()) return false;
    attached.store(true, std::memory_order_release);
    own_thread_block();
    return true;
}

void process_detach() {
    attached.store(false, std::memory_order_release);
    platform::lock_enter();
    ThreadBlock *tb = list_head;
    list_head = nullptr;
    platform::lock_leave();
    while (tb) {
        ThreadBlock *next = tb->next;
        platform::heap_free(tb);
        tb = next;
    }
    platform::tls_set(nullptr);
}

}  // namespace tarnvel::dispatch
