#include "structure/scanner.h"
#include "structure/structure.h"

#include <cstring>

namespace tarnvel::structure {

namespace {
constexpr std::string_view grow_message = "Insufficient memory for column list";
}

bool convert_structure(const char *fields, const Dialect &dialect, bool defaults) {
    std::string_view list = fields ? std::string_view(fields, std::strlen(fields)) : std::string_view();
    // Room for the usual expansion; the output grows past it when the types and defaults need more.
    Text out = Text::obtain(5 * list.size() + 1, grow_message);
    write_columns(out, list, dialect, defaults);
    host::ret_char(out.view());
    return true;
}

}  // namespace tarnvel::structure
