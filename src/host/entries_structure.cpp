// Entry wrappers of the structure functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_SQL_CREATE_STRU_CONVERT(ParamBlk *) { entry::not_available("ZQ_SQL_CREATE_STRU_CONVERT"); }
void TV_FASTCALL ZQ_ORACLE_CREATE_STRU_CONVERT(ParamBlk *) { entry::not_available("ZQ_ORACLE_CREATE_STRU_CONVERT"); }
void TV_FASTCALL ZQ_MYSQL_CREATE_STRU_CONVERT(ParamBlk *) { entry::not_available("ZQ_MYSQL_CREATE_STRU_CONVERT"); }
void TV_FASTCALL ZQ_ACCESS_CREATE_STRU_CONVERT(ParamBlk *) { entry::not_available("ZQ_ACCESS_CREATE_STRU_CONVERT"); }

}  // namespace tarnvel::entries
