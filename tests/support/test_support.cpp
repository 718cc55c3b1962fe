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

#include <cstring>

VertRec Rec(const char *name, uint32_t flags) {
    VertRec rec;
    std::memset(&rec, 0, sizeof rec);
    std::memcpy(rec.name, name, strnlen(name, sizeof rec.name));
    rec.flags = flags;
    return rec;
}

void GraphFixture::SetUp() {
    BlockLeakCheck::SetUp();
    ASSERT_EQ(NewGraph(&graph, 0), 0);
}

void GraphFixture::TearDown() {
    DelGraph(graph);
    BlockLeakCheck::TearDown();
}

Vert *GraphFixture::Add(const char *name, uint32_t flags) {
    VertRec rec = Rec(name, flags);
    Vert *v = nullptr;
    EXPECT_EQ(NewVert(&v, &rec, graph), 0) << name;
    return v;
}

namespace {
int32_t BRDAPI CollectName(Graph *, Vert *v, intptr_t user) {
    VertRec rec;
    GetVert(v, &rec);
    reinterpret_cast<std::vector<std::string> *>(user)->push_back(rec.name);
    return 0;
}
} // namespace

std::vector<std::string> GraphFixture::Names(int32_t mode, Vert *from) {
    std::vector<std::string> names;
    EnumVerts(graph, mode, from, CollectName, reinterpret_cast<intptr_t>(&names));
    return names;
}

std::vector<std::string> Successors(Vert *v) {
    std::vector<std::string> names;
    Graph *g = reinterpret_cast<Graph *>(YacVert(v, 0, 0));
    EnumVerts(g, 0x10, v, CollectName, reinterpret_cast<intptr_t>(&names));
    return names;
}

std::vector<std::string> Predecessors(Vert *v) {
    std::vector<std::string> names;
    Graph *g = reinterpret_cast<Graph *>(YacVert(v, 0, 0));
    EnumVerts(g, 0x11, v, CollectName, reinterpret_cast<intptr_t>(&names));
    return names;
}
