#include "host/api.h"

#include "host/dispatch.h"
#include "host/handles.h"

#include <cstring>

namespace tarnvel::host {
namespace {

tv_word word(const void *pointer) { return reinterpret_cast<tv_word>(pointer); }
tv_word word(int number) { return static_cast<tv_word>(static_cast<std::intptr_t>(number)); }
int as_int(tv_word answer) { return static_cast<int>(static_cast<std::intptr_t>(answer)); }

}  // namespace

MHANDLE alloc_hand(std::size_t size) { return dispatch::handle_obtain(size, dispatch::library_tag); }
void free_hand(MHANDLE handle) { dispatch::handle_release(handle); }
void hlock(MHANDLE handle) { dispatch::handle_lock(handle); }
void hunlock(MHANDLE handle) { dispatch::handle_unlock(handle); }
char *hand_to_ptr(MHANDLE handle) { return dispatch::handle_address(handle); }
std::size_t get_hand_size(MHANDLE handle) { return dispatch::handle_size(handle); }
bool set_hand_size(MHANDLE handle, std::size_t size) { return dispatch::handle_resize(handle, size); }
MHANDLE alloc_locked(std::size_t size, char *&address, bool cleared) {
    return dispatch::handle_obtain_locked(size, dispatch::library_tag, address, cleared);
}
void unlock_free(MHANDLE handle) { dispatch::handle_unlock_release(handle); }

void ret_val(const Value &value) { dispatch::send(TV_HOST_RET_VAL, word(&value)); }

void ret_char(std::string_view text) {
    // A result that cannot be handed over is an error, not a silent success with no value.
    MHANDLE handle = alloc_hand(text.size() + 1);
    if (handle == 0) no_memory();
    hlock(handle);
    char *bytes = hand_to_ptr(handle);
    if (!text.empty()) std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    hunlock(handle);
    ret_handle(handle, text.size());
}

void ret_handle(MHANDLE handle, std::size_t length) {
    Value value{};
    value.type = 'H';
    value.width = 0;
    value.length = static_cast<std::uint32_t>(length);
    value.handle = handle;
    ret_val(value);
}

void ret_int(std::int32_t number, int width) {
    Value value{};
    value.type = 'I';
    value.width = static_cast<std::int16_t>(width);
    value.integer = number;
    ret_val(value);
}

void ret_logical(bool truth) {
    Value value{};
    value.type = 'L';
    value.length = truth ? 1 : 0;
    ret_val(value);
}

void error(int number) {
    dispatch::send(TV_HOST_ERROR, word(number));
    throw Unwind{};
}

void user_error(std::string_view message) {
    std::string text(message);  // the host reads a NUL-terminated text
    dispatch::send(TV_HOST_USER_ERROR, word(text.c_str()));
    throw Unwind{};
}

int name_table_index(const char *name) { return as_int(dispatch::send(TV_HOST_NAME_TABLE_INDEX, word(name))); }

bool find_var(int name_index, int where, Locator &locator) {
    return dispatch::send(TV_HOST_FIND_VAR, word(name_index), word(where), word(&locator)) != 0;
}

// A request the host may fail with an error of its own: it has reported the error already and sets
// the status; the call ends without reporting it again.
void send_failable(tv_word code, tv_word arg0, tv_word arg1 = 0) {
    tv_word status = 0;
    dispatch::send(code, arg0, arg1, 0, &status);
    if (status != 0) throw Unwind{};
}

void load(Locator &locator, Value &value) { send_failable(TV_HOST_LOAD, word(&locator), word(&value)); }

void evaluate(Value &value, const char *expression) { send_failable(TV_HOST_EVALUATE, word(&value), word(expression)); }

void execute(const char *command) { send_failable(TV_HOST_EXECUTE, word(command)); }

void switch_request(int argument) { dispatch::send(TV_HOST_SWITCH, word(argument)); }

tv_word top_window() { return dispatch::send(TV_HOST_TOP_WINDOW, 0); }

void editor_command(tv_word window, int command) { dispatch::send(TV_HOST_EDITOR_COMMAND, window, word(command)); }

std::int32_t window_number(tv_word window) {
    return static_cast<std::int32_t>(static_cast<std::intptr_t>(dispatch::send(TV_HOST_WINDOW_NUMBER, window)));
}

std::string value_text(const Value &value, bool release) {
    std::string text;
    if (value.handle != 0) {
        std::size_t length = value.length;
        std::size_t size = get_hand_size(value.handle);
        if (length > size) length = size;  // never read past the handle
        hlock(value.handle);
        const char *bytes = hand_to_ptr(value.handle);
        if (bytes) text.assign(bytes, length);
        hunlock(value.handle);
        if (release) free_hand(value.handle);
    }
    return text;
}

}  // namespace tarnvel::host
