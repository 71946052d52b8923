// DispatchAPI: the one entry point through which the host reaches the library.
#include "host/dispatch.h"

#include "host/api.h"
#include "host/functions.h"
#include "host/platform.h"
#include "lex/letters.h"

#include <cstring>
#include <limits>
#include <mutex>
#include <new>

namespace tarnvel::dispatch {
namespace {

constexpr std::uintptr_t no_limit = std::numeric_limits<std::uintptr_t>::max();

ThreadBlock *list_head = nullptr;  // every per-thread block, guarded by the platform lock

// --- Table access: the tables are packed host memory, read and written through memcpy. ---

std::uint16_t read16(const unsigned char *at) {
    std::uint16_t v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
void write16(unsigned char *at, std::uint16_t v) { std::memcpy(at, &v, sizeof v); }
tv_word read_word(const unsigned char *at) {
    tv_word v;
    std::memcpy(&v, at, sizeof v);
    return v;
}
void write_word(unsigned char *at, tv_word v) { std::memcpy(at, &v, sizeof v); }

struct HandleTable {
    unsigned char *base;
    std::uint16_t next_free() const { return read16(base); }
    void set_next_free(std::uint16_t i) { write16(base, i); }
    std::uint16_t capacity() const { return read16(base + 2); }
    unsigned char *slot_at(std::size_t i) const { return base + TV_HANDLE_TABLE_HEADER + i * sizeof(tv_word); }
    platform::Block slot(std::size_t i) const { return reinterpret_cast<platform::Block>(read_word(slot_at(i))); }
    void set_slot(std::size_t i, platform::Block b) { write_word(slot_at(i), reinterpret_cast<tv_word>(b)); }
};

struct PointerTable {
    unsigned char *base;
    std::uint16_t next_free() const { return read16(base); }
    void set_next_free(std::uint16_t i) { write16(base, i); }
    std::uint16_t used() const { return read16(base + 2); }
    void set_used(std::uint16_t n) { write16(base + 2, n); }
    std::uint16_t capacity() const { return read16(base + 4); }
    unsigned char *slot_at(std::size_t i) const { return base + TV_POINTER_TABLE_HEADER + i * sizeof(tv_word); }
    tv_word slot(std::size_t i) const { return read_word(slot_at(i)); }
    void set_slot(std::size_t i, tv_word v) { write_word(slot_at(i), v); }
};

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

// --- Requests from the host ---

void register_pointer(ThreadBlock *tb, RequestBlock *r) {
    if (!tb->pointer_table) {
        r->arg0 = 0;
        return;
    }
    PointerTable table{tb->pointer_table};
    std::uint16_t i = table.next_free();
    if (i == 0) i = 1;  // index 0 means "none" to every caller
    while (i < table.capacity() && table.slot(i) != 0) ++i;
    if (i >= table.capacity()) {
        r->arg0 = 0;
        return;
    }
    table.set_next_free(i);
    table.set_used(static_cast<std::uint16_t>(table.used() + 1));
    table.set_slot(i, r->arg0);
    r->arg0 = i;
}

void release_pointer(ThreadBlock *tb, tv_word index) {
    if (!tb->pointer_table) return;
    PointerTable table{tb->pointer_table};
    if (index == 0 || index >= table.capacity() || table.slot(index) == 0) return;
    table.set_used(static_cast<std::uint16_t>(table.used() - 1));
    table.set_slot(index, 0);
    if (index < table.next_free()) table.set_next_free(static_cast<std::uint16_t>(index));
}

tv_word lookup_pointer(ThreadBlock *tb, tv_word index) {
    if (!tb->pointer_table) return 0;
    PointerTable table{tb->pointer_table};
    if (index == 0 || index >= table.capacity()) return 0;
    return table.slot(index);
}

void perform(ThreadBlock *tb, RequestBlock *r) {
    switch (r->code) {
    case TV_REQ_INIT:
        tb->callback = reinterpret_cast<HostCallback>(r->function);
        tb->handle_table = reinterpret_cast<unsigned char *>(r->arg0);
        tb->pointer_table = reinterpret_cast<unsigned char *>(r->arg1);
        r->arg1 = TV_LIBRARY_VERSION;
        r->arg0 = reinterpret_cast<tv_word>(function_table());
        break;
    case TV_REQ_TABLE:
        r->arg1 = TV_LIBRARY_VERSION;
        r->arg0 = reinterpret_cast<tv_word>(function_table());
        break;
    case TV_REQ_CALL:
        reinterpret_cast<FoxFunction>(r->function)(TV_REQUEST_PARAMS(r));
        break;
    case TV_REQ_CALL_TWO:
        reinterpret_cast<void(TV_FASTCALL *)(tv_word, tv_word)>(r->function)(r->arg0, r->arg1);
        break;
    case TV_REQ_CALL_WITH_PARAMS:
        r->arg0 = reinterpret_cast<tv_word(TV_FASTCALL *)(tv_word, void *)>(r->function)(r->arg0, TV_REQUEST_PARAMS(r));
        break;
    case TV_REQ_ALLOC:
        r->arg0 = handle_obtain(r->arg0, static_cast<std::uint16_t>(r->arg1));
        break;
    case TV_REQ_FREE:
        handle_release(static_cast<MHANDLE>(r->arg0));
        break;
    case TV_REQ_ADDRESS:
        r->arg0 = reinterpret_cast<tv_word>(handle_address(static_cast<MHANDLE>(r->arg0)));
        break;
    case TV_REQ_POINTER_REGISTER:
        register_pointer(tb, r);
        break;
    case TV_REQ_POINTER_RELEASE:
        release_pointer(tb, r->arg0);
        break;
    case TV_REQ_POINTER_LOOKUP:
        r->arg0 = lookup_pointer(tb, r->arg0);
        break;
    case TV_REQ_SET_BUDGET:
        tb->state.budget_bytes = r->arg0;
        tb->state.budget_operations = r->arg1;
        break;
    default:
        break;
    }
}

// Reports an error to the host without unwinding (the dispatcher is already unwinding).
void report_quietly(tv_word code, tv_word arg) {
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
    if (tb && tb->callback) {
        CallbackBlock block{};
        block.arg0 = arg;
        block.code = code;
        tb->callback(&block);
    }
}

// The library attaches at its first request unless the system has attached it already (DllMain
// on Windows; attaching twice changes nothing).
std::once_flag attach_once;

#if !defined(_WIN32)
// On POSIX the library detaches when the process ends; on Windows DllMain does it at unload.
struct ProcessNotices {
    ~ProcessNotices() { process_detach(); }
} process_notices;
#endif

}  // namespace

namespace {
ThreadBlock *own_thread_block() {
    auto *tb = static_cast<ThreadBlock *>(platform::tls_get());
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

ThreadBlock *thread_block() {
    std::call_once(attach_once, [] { process_attach(); });
    return own_thread_block();
}

bool process_attach() {
    platform::lock_create();
    if (!platform::tls_create()) return false;
    own_thread_block();
    return true;
}

void process_detach() {
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
    lex::release_alphabets();
}

MHANDLE handle_obtain(std::size_t size, std::uint16_t tag) {
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
    if (!tb || !tb->handle_table) return 0;
    if (size > std::numeric_limits<std::size_t>::max() / 2) return 0;
    HandleTable table{tb->handle_table};
    std::size_t i = table.next_free();
    if (i == 0) i = 1;  // index 0 means "none" to every caller
    while (i < table.capacity() && table.slot(i) != nullptr) ++i;
    if (i >= table.capacity()) return 0;
    if (!budget_allows(tb, size + 2)) return 0;
    platform::Block block = platform::block_alloc(size + 2);
    if (!block) return 0;
    budget_held(tb, 0, size + 2);
    auto *bytes = static_cast<unsigned char *>(platform::block_lock(block));
    write16(bytes, tag);
    platform::block_unlock(block);
    table.set_slot(i, block);
    table.set_next_free(static_cast<std::uint16_t>(i));
    return static_cast<MHANDLE>(i);
}

void handle_release(MHANDLE handle) {
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
    HandleTable table{nullptr};
    platform::Block block = block_of(tb, handle, &table);
    if (!block) return;
    budget_held(tb, platform::block_size(block), 0);
    platform::block_free(block);
    table.set_slot(handle, nullptr);
    if (handle < table.next_free()) table.set_next_free(static_cast<std::uint16_t>(handle));
}

MHANDLE handle_obtain_locked(std::size_t size, std::uint16_t tag, char *&address) {
    address = nullptr;
    MHANDLE handle = handle_obtain(size, tag);
    if (handle == 0) return 0;
    platform::Block block = block_of(static_cast<ThreadBlock *>(platform::tls_get()), handle);
    address = static_cast<char *>(platform::block_lock(block)) + 2;
    return handle;
}

void handle_unlock_release(MHANDLE handle) {
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
    HandleTable table{nullptr};
    platform::Block block = block_of(tb, handle, &table);
    if (!block) return;
    platform::block_unlock(block);
    budget_held(tb, platform::block_size(block), 0);
    platform::block_free(block);
    table.set_slot(handle, nullptr);
    if (handle < table.next_free()) table.set_next_free(static_cast<std::uint16_t>(handle));
}

char *handle_address(MHANDLE handle) {
    platform::Block block = block_of(static_cast<ThreadBlock *>(platform::tls_get()), handle);
    if (!block) return nullptr;
    auto *bytes = static_cast<char *>(platform::block_lock(block));
    platform::block_unlock(block);
    return bytes + 2;
}

void handle_lock(MHANDLE handle) {
    platform::Block block = block_of(static_cast<ThreadBlock *>(platform::tls_get()), handle);
    if (block) platform::block_lock(block);
}

void handle_unlock(MHANDLE handle) {
    platform::Block block = block_of(static_cast<ThreadBlock *>(platform::tls_get()), handle);
    if (block) platform::block_unlock(block);
}

std::size_t handle_size(MHANDLE handle) {
    platform::Block block = block_of(static_cast<ThreadBlock *>(platform::tls_get()), handle);
    return block ? platform::block_size(block) - 2 : 0;
}

bool handle_resize(MHANDLE handle, std::size_t size) {
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
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

tv_word send(tv_word code, tv_word arg0, tv_word arg1, tv_word arg2, tv_word *status) {
    if (status) *status = 0;
    ThreadBlock *tb = static_cast<ThreadBlock *>(platform::tls_get());
    if (!tb || !tb->callback) return 0;
    CallbackBlock block{};
    block.arg0 = arg0;
    block.arg1 = arg1;
    block.arg2 = arg2;
    block.code = code;
    block.status = 0;
    tb->callback(&block);
    if (status) *status = block.status;
    return block.arg0;
}

}  // namespace tarnvel::dispatch

using namespace tarnvel;

extern "C" TV_EXPORT int TV_FASTCALL DispatchAPI(RequestBlock *request) {
    dispatch::ThreadBlock *tb = dispatch::thread_block();
    if (!tb || !request) return 0;  // no block can be had: the request is not performed
    ++tb->state.depth;
    try {
        dispatch::perform(tb, request);
    } catch (const host::Unwind &) {
        // A host error ended the library function; the host has been told already.
    } catch (const std::bad_alloc &) {
        dispatch::report_quietly(TV_HOST_ERROR, TV_ERROR_NO_MEMORY);
    } catch (...) {
        dispatch::report_quietly(TV_HOST_USER_ERROR, reinterpret_cast<tv_word>("Internal error in the library"));
    }
    --tb->state.depth;
    return 0;
}
