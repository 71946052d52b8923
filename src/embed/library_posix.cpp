// Loading a built library file on POSIX systems: dlopen, and DispatchAPI found with dlsym. The
// library is reached only through that one export, as FoxPro reaches it. (library_windows.cpp is
// the twin with LoadLibrary and GetProcAddress; the build takes the one for its system.)
#include <tarnvel/host.hpp>

#include <dlfcn.h>

namespace tarnvel {

Library Library::load(const std::string &path) {
    void *module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        const char *why = dlerror();
        throw Error(std::nullopt, "cannot load the library " + path + ": " + (why ? why : "unknown reason"));
    }
    std::shared_ptr<void> owner(module, [](void *m) { dlclose(m); });
    void *entry = dlsym(module, "DispatchAPI");
    if (entry == nullptr) throw Error(std::nullopt, "the library " + path + " exports no DispatchAPI");
    return Library(reinterpret_cast<DispatchFunction>(entry), std::move(owner));
}

}  // namespace tarnvel
