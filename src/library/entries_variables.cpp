// Entry wrappers of the variables functions: parameters, work buffers, defaults, results.
#include "library/dialects.h"
#include "library/entry.h"
#include "library/functions.h"
#include "variables/finder.h"

#include <algorithm>

namespace tarnvel::entries {
namespace {

// The command goes into a work buffer of at least 333 bytes (or twice its length), which the finder
// grows as its literals need; the rewritten command is the result.
void find_variables(const entry::Params &p, const variables::Dialect &dialect) {
    std::size_t n = p.length(1);
    Text command(p.work_buffer(1, std::max<std::size_t>(2 * n, 333)), "Insufficient memory for next value");
    variables::find_variables(command, p.logical(2, false), dialect);
    host::ret_char(command.view());
}

}  // namespace

void TV_FASTCALL ZQ_SQL_FIND_VARIABLES(ParamBlk *params) {
    entry::Params p(params);
    find_variables(p, library::variables_by_code(p.integer(3, 0)));
}
void TV_FASTCALL ZQ_ORACLE_FIND_VARIABLES(ParamBlk *params) {
    find_variables(entry::Params(params), library::tables(Target::oracle).variables);
}
void TV_FASTCALL ZQ_MYSQL_FIND_VARIABLES(ParamBlk *params) {
    find_variables(entry::Params(params), library::tables(Target::mysql).variables);
}
void TV_FASTCALL ZQ_PGSQL_FIND_VARIABLES(ParamBlk *params) {
    find_variables(entry::Params(params), library::tables(Target::pgsql).variables);
}

}  // namespace tarnvel::entries
