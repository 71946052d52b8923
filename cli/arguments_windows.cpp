#include "arguments.hpp"

#include <windows.h>

#include <shellapi.h>

namespace tarnvel::cli {

std::vector<std::string> utf8_arguments(int argc, char **argv) {
    int count = 0;
    LPWSTR *wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
        if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        text.pop_back();  // the terminating NUL
        out.push_back(std::move(text));
    }
    LocalFree(wide);
    return out;
}

}  // namespace tarnvel::cli
