// Entry wrappers of the select functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_SQL_SELECT_CONVERT(ParamBlk *) { entry::not_available("ZQ_SQL_SELECT_CONVERT"); }
void TV_FASTCALL ZQ_ORACLE_SELECT_CONVERT(ParamBlk *) { entry::not_available("ZQ_ORACLE_SELECT_CONVERT"); }
void TV_FASTCALL ZQ_MYSQL_SELECT_CONVERT(ParamBlk *) { entry::not_available("ZQ_MYSQL_SELECT_CONVERT"); }
void TV_FASTCALL ZQ_ACCESS_SELECT_CONVERT(ParamBlk *) { entry::not_available("ZQ_ACCESS_SELECT_CONVERT"); }

}  // namespace tarnvel::entries
