// Entry wrappers of the utilities functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_SQL_RESERVED(ParamBlk *) { entry::not_available("ZQ_SQL_RESERVED"); }
void TV_FASTCALL ZQ_ORACLE_RESERVED(ParamBlk *) { entry::not_available("ZQ_ORACLE_RESERVED"); }
void TV_FASTCALL ZQ_MYSQL_RESERVED(ParamBlk *) { entry::not_available("ZQ_MYSQL_RESERVED"); }
void TV_FASTCALL ZQ_ACCESS_RESERVED(ParamBlk *) { entry::not_available("ZQ_ACCESS_RESERVED"); }
void TV_FASTCALL ZQ_SQL_REMOVE_DIRECTIVES(ParamBlk *) { entry::not_available("ZQ_SQL_REMOVE_DIRECTIVES"); }
void TV_FASTCALL ZQ_SQL_IIF(ParamBlk *) { entry::not_available("ZQ_SQL_IIF"); }

}  // namespace tarnvel::entries
