// Entry wrappers of the strings functions: parameters, work buffers, defaults, results.
#include "library/entry.h"
#include "library/functions.h"
#include "host/state.h"
#include "lex/letters.h"
#include "strings/environment.h"
#include "strings/search.h"

#include <utility>

namespace tarnvel::entries {

void TV_FASTCALL ZQ_EDITOR_COPY(ParamBlk *) { strings::editor_command_on_top(0); }
void TV_FASTCALL ZQ_EDITOR_PASTE(ParamBlk *) { strings::editor_command_on_top(2); }
void TV_FASTCALL ZQ_WONTOP(ParamBlk *) { host::ret_int(strings::window_on_top_number(), 10); }
void TV_FASTCALL ZQV_SETLOC(ParamBlk *params) {
    entry::Params p(params);
    Buffer name = p.work_buffer(1, 2 * p.length(1));
    strings::set_locale(name.data());
}
void TV_FASTCALL ZQV_GETLOC(ParamBlk *) { host::ret_char(strings::locale_name()); }
void TV_FASTCALL ZQV_ISALPHA(ParamBlk *params) {
    // The first byte of the argument is read directly; an empty argument is no letter.
    int first = entry::Params(params).first_byte(1);
    host::ret_logical(first >= 0 && lex::is_letter(static_cast<unsigned char>(first)));
}
void TV_FASTCALL ZQV_AT(ParamBlk *params) {
    entry::Params p(params);
    Buffer needle = p.work_buffer(1, 2 * p.length(1));
    Buffer text = p.work_buffer(2, 2 * p.length(2));
    // Parameter 5 is accepted and has no effect.
    host::ret_int(strings::find_occurrence({needle.data(), p.length(1)}, {text.data(), p.length(2)}, p.integer(3, 1),
                                           p.logical(4, false)),
                  10);
}
void TV_FASTCALL ZQV_STRTRAN(ParamBlk *params) {
    entry::Params p(params);
    Buffer text = p.work_buffer(1, 2 * p.length(1));
    Buffer needle = p.work_buffer(2, 2 * p.length(2));
    Buffer replacement = p.work_buffer(3, 2 * p.length(3));
    // Parameters 5 and 6 are accepted and have no effect.
    Buffer room = Buffer::try_obtain(p.length(1) + 1);
    if (!room) host::user_error(strings::strtran_memory_message);
    Text result(std::move(room), strings::strtran_memory_message);
    strings::replace_all({text.data(), p.length(1)}, {needle.data(), p.length(2)}, {replacement.data(), p.length(3)},
                         p.logical(4, false), result);
    host::ret_char(result.view());
}
void TV_FASTCALL ZQV_SETFROMFOX(ParamBlk *params) {
    entry::Params p(params);
    state::set_from_fox(p.logical(1, true));
}

}  // namespace tarnvel::entries
