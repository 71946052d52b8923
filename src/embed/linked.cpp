// The library linked into this program: its DispatchAPI, called directly.
#include <tarnvel/host.hpp>

namespace tarnvel {

Library Library::linked() { return Library(&DispatchAPI); }

}  // namespace tarnvel
