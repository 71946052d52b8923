// Entry wrappers of the structure functions: parameters, work buffers, defaults, results.
#include "library/dialects.h"
#include "library/entry.h"
#include "library/functions.h"
#include "structure/structure.h"

namespace tarnvel::entries {

namespace {

// The field list in a work buffer of 2n+1 bytes; the worker returns the result itself.
void convert(ParamBlk *params, Target id, bool defaults) {
    entry::Params p(params);
    Buffer fields = p.work_buffer(1, 2 * p.length(1) + 1);
    structure::convert_structure(fields.data(), library::tables(id).structure(), defaults);
}

}  // namespace

void TV_FASTCALL ZQ_SQL_CREATE_STRU_CONVERT(ParamBlk *params) {
    bool no_defaults = entry::Params(params).logical(2, false);
    convert(params, Target::sqlserver, !no_defaults);
}
void TV_FASTCALL ZQ_ORACLE_CREATE_STRU_CONVERT(ParamBlk *params) { convert(params, Target::oracle, true); }
void TV_FASTCALL ZQ_MYSQL_CREATE_STRU_CONVERT(ParamBlk *params) { convert(params, Target::mysql, true); }
void TV_FASTCALL ZQ_ACCESS_CREATE_STRU_CONVERT(ParamBlk *params) { convert(params, Target::access, true); }
void TV_FASTCALL ZQ_PGSQL_CREATE_STRU_CONVERT(ParamBlk *params) { convert(params, Target::pgsql, true); }

}  // namespace tarnvel::entries
