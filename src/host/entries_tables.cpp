// Entry wrappers of the tables functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_SQL_FIND_TABLES(ParamBlk *) { entry::not_available("ZQ_SQL_FIND_TABLES"); }

}  // namespace tarnvel::entries
