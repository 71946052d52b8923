// Entry wrappers of the variables functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_SQL_FIND_VARIABLES(ParamBlk *) { entry::not_available("ZQ_SQL_FIND_VARIABLES"); }
void TV_FASTCALL ZQ_ORACLE_FIND_VARIABLES(ParamBlk *) { entry::not_available("ZQ_ORACLE_FIND_VARIABLES"); }
void TV_FASTCALL ZQ_MYSQL_FIND_VARIABLES(ParamBlk *) { entry::not_available("ZQ_MYSQL_FIND_VARIABLES"); }

}  // namespace tarnvel::entries
