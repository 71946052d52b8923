// The library function table handed to the host at requests 0 and 14. The dispatcher only hands it
// over; the entry layer above the workers (src/library) defines it.
#pragma once

#include <tarnvel/wire.h>

namespace tarnvel {

const FoxTable *function_table();

}  // namespace tarnvel
