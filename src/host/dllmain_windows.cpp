// The library file's load and unload notices from Windows. A program that links the library in
// instead gets no notices: its first request attaches (thread_block), and the process's end frees
// what is left.
#include "host/platform.h"
#include "host/threads.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    using namespace tarnvel;
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        // No per-thread notices: a thread gets its block at its first request.
        DisableThreadLibraryCalls(instance);
        // No thread-local slot makes the attach fail; Windows then sends the detach below.
        return dispatch::process_attach() ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
        dispatch::process_detach();
        platform::tls_destroy();
        platform::lock_destroy();
        break;
    default:
        break;
    }
    return TRUE;
}
