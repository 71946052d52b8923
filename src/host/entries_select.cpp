// Entry wrappers of the select functions: parameters, work buffers, defaults, results.
#include "host/entry.h"
#include "host/functions.h"
#include "host/state.h"
#include "select/driver.h"

#include <cstring>

namespace tarnvel::entries {
namespace {

void select_convert(ParamBlk *block, const select::Dialect &dialect) {
    entry::Params params(block);
    Buffer work = params.work_buffer(1, 2 * params.length(1));
    std::size_t length = std::strlen(work.data());
    select::blank_line_breaks(dialect, state::from_fox(), work.data(), length);
    select::Sink out = select::convert_select(dialect, std::string_view(work.data(), length));
    host::ret_char(out.view());
}

}  // namespace

void TV_FASTCALL ZQ_SQL_SELECT_CONVERT(ParamBlk *params) { select_convert(params, select::sqlserver()); }
void TV_FASTCALL ZQ_ORACLE_SELECT_CONVERT(ParamBlk *params) { select_convert(params, select::oracle()); }
void TV_FASTCALL ZQ_MYSQL_SELECT_CONVERT(ParamBlk *params) { select_convert(params, select::mysql()); }
void TV_FASTCALL ZQ_ACCESS_SELECT_CONVERT(ParamBlk *params) { select_convert(params, select::access()); }

}  // namespace tarnvel::entries
