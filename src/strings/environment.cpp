#include "strings/environment.h"

#include "host/api.h"

#include <clocale>

namespace tarnvel::strings {

void set_locale(const char *name) { std::setlocale(LC_ALL, name); }

std::string locale_name() {
    const char *name = std::setlocale(LC_CTYPE, nullptr);
    return name ? name : "";
}

void editor_command_on_top(int command) {
    tv_word window = host::top_window();
    if (window != 0) host::editor_command(window, command);
}

std::int32_t window_on_top_number() { return host::window_number(host::top_window()); }

}  // namespace tarnvel::strings
