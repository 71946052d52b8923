// DispatchAPI's side of the protocol: the requests the host makes of the library are performed in
// dispatch.cpp; send() is the one way back, a request to the host's callback. Used by the host
// services (api.cpp).
#pragma once

#include <tarnvel/wire.h>

namespace tarnvel::dispatch {

// A request to the host's callback; answers what the host left at offset 0 (0 when the thread has
// no callback). 'status', when given, receives what the host left at offset 20.
tv_word send(tv_word code, tv_word arg0 = 0, tv_word arg1 = 0, tv_word arg2 = 0, tv_word *status = nullptr);

}  // namespace tarnvel::dispatch
