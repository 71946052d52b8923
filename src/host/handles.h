// The memory handles of the calling thread's handle table, within the thread's memory budget.
#pragma once

#include <tarnvel/wire.h>

#include <cstddef>
#include <cstdint>

namespace tarnvel::dispatch {

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
MHANDLE handle_obtain_locked(std::size_t size, std::uint16_t tag, char *&address, bool cleared = true);
void handle_unlock_release(MHANDLE handle);

// The tag of blocks the library obtains for itself.
inline constexpr std::uint16_t library_tag = 16;

}  // namespace tarnvel::dispatch
