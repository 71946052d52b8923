// The loadable library file: everything of the library, with DispatchAPI its only export (the
// version script hides every other symbol).
#include <tarnvel/wire.h>

namespace {
[[maybe_unused]] const DispatchFunction exported_entry = &DispatchAPI;
}
