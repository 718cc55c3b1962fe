#include "test_support.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

std::string BesideTestProgram(const char *fileName) {
    char buf[4096] = {};
#if defined(_WIN32)
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf - 1);
    std::string self(buf, n);
    std::string::size_type slash = self.find_last_of("\\/");
#else
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string self(buf, n > 0 ? size_t(n) : 0);
    std::string::size_type slash = self.find_last_of('/');
#endif
    return (slash == std::string::npos ? std::string() : self.substr(0, slash + 1)) + fileName;
}

#if defined(_WIN32)
LoadedLibrary::LoadedLibrary(const std::string &path)
    : handle_(reinterpret_cast<void *>(LoadLibraryA(path.c_str()))) {}
LoadedLibrary::~LoadedLibrary() {
    if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
}
void *LoadedLibrary::symbol(const char *name) const {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}
#else
LoadedLibrary::LoadedLibrary(const std::string &path)
    : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {}
LoadedLibrary::~LoadedLibrary() {
    if (handle_) dlclose(handle_);
}
void *LoadedLibrary::symbol(const char *name) const { return dlsym(handle_, name); }
#endif
