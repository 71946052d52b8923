// Entry wrappers of the structure functions: parameters, work buffers, defaults, results.
#include "library/dialects.h"
#include "library/entry.h"
#include "library/functions.h"
#include "structure/structure.h"

namespace tarnvel::entries {

namespace {

// The field list in a work buffer of 2n+1 bytes; the worker returns the result itself. Defaults
// are converted unless the dialect's function takes lNoDefaults and it is true.
void convert(ParamBlk *params, Target id) {
    entry::Params p(params);
    const bool defaults = !(dialect(id).no_defaults && p.logical(2, false));
    Buffer fields = p.work_buffer(1, 2 * p.length(1) + 1);
    structure::convert_structure(fields.data(), library::tables(id).structure(), defaults);
}

}  // namespace

TARNVEL_DIALECTS(TARNVEL_DIALECT_ENTRY, CREATE_STRU_CONVERT, convert)

}  // namespace tarnvel::entries
