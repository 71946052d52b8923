// Entry wrappers of the select functions: parameters, work buffers, defaults, results.
#include "library/dialects.h"
#include "library/entry.h"
#include "library/functions.h"
#include "host/state.h"
#include "select/driver.h"
#include "select/fox/rewrite.h"

#include <cstring>
#include <string_view>

namespace tarnvel::entries {
namespace {

// The character parameter's handle, locked for as long as its bytes are read in place.
class LockedParameter {
public:
    explicit LockedParameter(const entry::Params &params, int i) : length_(params.length(i)) {
        if (length_ == 0) return;
        handle_ = params.value(i).handle;
        host::hlock(handle_);
        bytes_ = std::string_view(host::hand_to_ptr(handle_), length_);
        bytes_ = bytes_.substr(0, bytes_.find('\0'));  // the statement ends at a NUL, as in a copy
    }
    ~LockedParameter() {
        if (handle_) host::hunlock(handle_);
    }
    LockedParameter(const LockedParameter &) = delete;
    LockedParameter &operator=(const LockedParameter &) = delete;
    std::string_view bytes() const { return bytes_; }
    // The parameter's length as the host gave it (the bytes end at a NUL before it, if any).
    std::size_t length() const { return length_; }

private:
    std::size_t length_ = 0;
    MHANDLE handle_ = 0;
    std::string_view bytes_{""};
};

void select_convert(ParamBlk *block, Target id) {
    const select::Dialect &dialect = library::tables(id).select();
    entry::Params params(block);
    // The statement is only read, so it is read where the host keeps it; only line breaks, which
    // must become blanks first, call for a work buffer of its own.
    LockedParameter statement(params, 1);
    std::string_view text = statement.bytes();
    Buffer work;
    if (text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos) {
        work = params.work_buffer(1, 2 * statement.length());
        std::size_t length = std::strlen(work.data());
        select::blank_line_breaks(dialect, state::from_fox(), work.data(), length);
        text = std::string_view(work.data(), length);
    }
    // In FoxPro syntax, the FoxPro-only constructs become the target's own first.
    Text fox;
    std::string_view record_number;
    if (state::from_fox()) fox = select::fox::rewrite(dialect, text, true, true, &record_number);
    Text out = select::convert_select(dialect, fox ? fox.view() : text, record_number);
    // the result goes to the host in the text's own handle, not copied into a new one
    const std::size_t length = out.size();
    if (!out) return host::ret_char({});
    host::ret_handle(out.hand_over(), length);
}

}  // namespace

TARNVEL_DIALECTS(TARNVEL_DIALECT_ENTRY, SELECT_CONVERT, select_convert)

}  // namespace tarnvel::entries
