// The host services: the one small API through which every worker reaches the host. Memory
// handles live in the calling thread's handle table; every other service is a request to the
// host's callback. Nothing else in the library talks to the host.
#pragma once

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvel::host {

// Thrown after a host error has been reported (requests 83 and 84, or an error the host raised while
// answering a request). Only DispatchAPI catches it; everything on the way is released by its owner.
struct Unwind {};

// --- Memory handles (0 means none) ---
MHANDLE alloc_hand(std::size_t size);               // a new zero-filled handle, or 0
void free_hand(MHANDLE handle);                     // 0 and unknown handles are ignored
void hlock(MHANDLE handle);
void hunlock(MHANDLE handle);
char *hand_to_ptr(MHANDLE handle);                  // valid while the handle is locked
std::size_t get_hand_size(MHANDLE handle);          // 0 for an unknown handle
bool set_hand_size(MHANDLE handle, std::size_t size);  // unlock first; content kept, bytes may move
// alloc_hand, hlock and hand_to_ptr in one; the bytes are left as they are when not 'cleared'
MHANDLE alloc_locked(std::size_t size, char *&address, bool cleared = true);
void unlock_free(MHANDLE handle);                   // hunlock and free_hand in one

// --- Results ---
void ret_val(const Value &value);
void ret_char(std::string_view text);               // host error 182 when no handle can be had
void ret_handle(MHANDLE handle, std::size_t length);  // the host takes the (unlocked) handle over
void ret_int(std::int32_t number, int width = 10);
void ret_logical(bool truth);

// --- Errors: these never return ---
[[noreturn]] void error(int number);                // request 83; 182 is insufficient memory
[[noreturn]] void user_error(std::string_view message);  // request 84
[[noreturn]] inline void no_memory() { error(TV_ERROR_NO_MEMORY); }

// --- Variables and expressions ---
int name_table_index(const char *name);             // -1 when the host knows no such name
bool find_var(int name_index, int where, Locator &locator);
void load(Locator &locator, Value &value);          // a character value's handle is the caller's; an error of the host unwinds
void evaluate(Value &value, const char *expression);  // an error of the host's own unwinds
void execute(const char *command);
void switch_request(int argument);                  // request 28

// --- Windows and the editor ---
tv_word top_window();
void editor_command(tv_word window, int command);   // 0 copy, 2 paste
std::int32_t window_number(tv_word window);

// The bytes of a character value the host gave (handle locked while copying); releases the handle
// when 'release' is set.
std::string value_text(const Value &value, bool release);

}  // namespace tarnvel::host
