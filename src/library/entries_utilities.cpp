// Entry wrappers of the utilities functions: parameters, work buffers, defaults, results.
#include "library/entry.h"
#include "library/functions.h"
#include "utilities/directives.h"
#include "utilities/iif.h"
#include "utilities/reserved.h"

#include <tarnvel/dialects.hpp>

namespace tarnvel::entries {
namespace {

// The work buffer of character parameter 1 as a Text of exactly its bytes (a NUL among them
// stays part of the text).
Text parameter_text(const entry::Params &p, std::size_t size, std::string_view grow_message) {
    Text text(p.work_buffer(1, size), grow_message);
    text.set_length(p.length(1));
    return text;
}

void quote_reserved(ParamBlk *params, Target id) {
    entry::Params p(params);
    const std::size_t n = p.length(1);
    Text text = parameter_text(p, n + 1, "Insufficient memory for quoting");
    // Every quoted word has two characters at least, so twice the length always holds the result.
    Text quoted = Text::obtain(2 * n + 1, "Insufficient memory for quoting");
    utilities::quote_reserved(text, dialect(id).reserved_number, quoted);
    host::ret_char(quoted.view());
}

}  // namespace

TARNVEL_DIALECTS(TARNVEL_DIALECT_ENTRY, RESERVED, quote_reserved)

void TV_FASTCALL ZQ_SQL_REMOVE_DIRECTIVES(ParamBlk *params) {
    entry::Params p(params);
    Text command = parameter_text(p, p.length(1) + 5, "Insufficient memory for directives");
    utilities::remove_directives(command);
    host::ret_char(command.view());
}

void TV_FASTCALL ZQ_SQL_IIF(ParamBlk *params) {
    entry::Params p(params);
    Text command = parameter_text(p, p.length(1) + 1, utilities::case_memory_message);
    // An output buffer of the statement driver's kind, of the command buffer's size; released on
    // every path.
    Text out = Text::obtain(command.buffer().size() - 1, utilities::case_memory_message);
    if (utilities::convert_iif(command, out)) host::ret_char(out.view());
}

}  // namespace tarnvel::entries
