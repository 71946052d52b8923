// Entry wrappers of the tables functions: parameters, work buffers, defaults, results.
#include "library/entry.h"
#include "library/functions.h"
#include "utilities/table_finder.h"

#include <algorithm>

namespace tarnvel::entries {

// The command goes into a work buffer of at least 333 bytes (or three times its length and one),
// which grows as the names need; the data-source kind and the access mode are read whole.
void TV_FASTCALL ZQ_SQL_FIND_TABLES(ParamBlk *params) {
    entry::Params p(params);
    std::size_t n = p.length(1);
    Text command(p.work_buffer(1, std::max<std::size_t>(3 * n + 1, 333)), "Insufficient memory for table name");
    Buffer source = p.work_buffer(2, 50);
    Buffer mode = p.work_buffer(3, 50);
    utilities::find_tables(command, std::string_view(source.data(), p.length(2)), std::string_view(mode.data(), p.length(3)));
    host::ret_char(command.view());
}

}  // namespace tarnvel::entries
