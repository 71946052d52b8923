// Entry wrappers of the strings functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"

namespace tarnvel::entries {

void TV_FASTCALL ZQ_EDITOR_COPY(ParamBlk *) { entry::not_available("ZQ_EDITOR_COPY"); }
void TV_FASTCALL ZQ_EDITOR_PASTE(ParamBlk *) { entry::not_available("ZQ_EDITOR_PASTE"); }
void TV_FASTCALL ZQ_WONTOP(ParamBlk *) { entry::not_available("ZQ_WONTOP"); }
void TV_FASTCALL ZQV_SETLOC(ParamBlk *) { entry::not_available("ZQV_SETLOC"); }
void TV_FASTCALL ZQV_GETLOC(ParamBlk *) { entry::not_available("ZQV_GETLOC"); }
void TV_FASTCALL ZQV_ISALPHA(ParamBlk *) { entry::not_available("ZQV_ISALPHA"); }
void TV_FASTCALL ZQV_AT(ParamBlk *) { entry::not_available("ZQV_AT"); }
void TV_FASTCALL ZQV_STRTRAN(ParamBlk *) { entry::not_available("ZQV_STRTRAN"); }
void TV_FASTCALL ZQV_SETFROMFOX(ParamBlk *) { entry::not_available("ZQV_SETFROMFOX"); }

}  // namespace tarnvel::entries
