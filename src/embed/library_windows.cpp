// Loading a built library file on Windows: LoadLibrary, and DispatchAPI found with GetProcAddress.
// The library is reached only through that one export, as FoxPro reaches it. A bare file name
// ("tarnvel.fll") is looked for beside this program, never along the search path.
#include <tarnvel/host.hpp>

#include <windows.h>

#include <string>

namespace tarnvel {
namespace {

std::string system_message(DWORD code) {
    char *text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) message.pop_back();
    return message;
}

// The folder of this program, with its closing separator; empty when it cannot be had.
std::string program_folder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut short: try a larger buffer
    }
    std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string resolve(const std::string &path) {
    if (path.find_first_of("\\/:") != std::string::npos) return path;
    return program_folder() + path;
}

}  // namespace

Library Library::load(const std::string &path) {
    const std::string file = resolve(path);
    HMODULE module = LoadLibraryA(file.c_str());
    if (module == nullptr) {
        throw Error(std::nullopt, "cannot load the library " + file + ": " + system_message(GetLastError()));
    }
    std::shared_ptr<void> owner(module, [](void *m) { FreeLibrary(static_cast<HMODULE>(m)); });
    FARPROC entry = GetProcAddress(module, "DispatchAPI");
    if (entry == nullptr) throw Error(std::nullopt, "the library " + file + " exports no DispatchAPI");
    return Library(reinterpret_cast<DispatchFunction>(reinterpret_cast<void *>(entry)), std::move(owner));
}

}  // namespace tarnvel
