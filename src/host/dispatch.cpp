// DispatchAPI: the one entry point through which the host reaches the library.
#include "host/dispatch.h"

#include "host/api.h"
#include "host/function_table.h"
#include "host/handles.h"
#include "host/tables.h"
#include "host/threads.h"

#include <new>

namespace tarnvel::dispatch {
namespace {

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
    ThreadBlock *tb = existing_thread_block();
    if (tb && tb->callback) {
        CallbackBlock block{};
        block.arg0 = arg;
        block.code = code;
        tb->callback(&block);
    }
}

}  // namespace

tv_word send(tv_word code, tv_word arg0, tv_word arg1, tv_word arg2, tv_word *status) {
    if (status) *status = 0;
    ThreadBlock *tb = existing_thread_block();
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
