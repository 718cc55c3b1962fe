// The named mutex and shared block of recorders with one lock key.
#include "wendle_lock.h"

#include <cstring>
#include <windows.h>

#include "wendle_messages.h"

namespace {

constexpr DWORD SHARED_BLOCK_SIZE = 8;

// The objects are open to everyone (a present but null access list): recorders
// of other logon sessions, services among them, must be able to open them.
struct OpenToAll {
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes;
};
#ifndef _WIN64
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "security attributes record");
#endif

bool MakeOpenToAll(OpenToAll &o) {
    if (!InitializeSecurityDescriptor(&o.descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&o.descriptor, TRUE, nullptr, FALSE))
        return false;
    o.attributes.nLength = sizeof o.attributes;
    o.attributes.lpSecurityDescriptor = &o.descriptor;
    o.attributes.bInheritHandle = FALSE;
    return true;
}

void Report(FILE *out, const char *format, DWORD error) {
    fprintf(out, format, int(error));
    fflush(out);
}

// Two 32-bit words, low word first, each least significant byte first.
WendleTime ReadBlock(const void *view) {
    const unsigned char *b = static_cast<const unsigned char *>(view);
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | b[i];
    return WendleTime(v);
}

void WriteBlock(void *view, WendleTime t) {
    unsigned char *b = static_cast<unsigned char *>(view);
    uint64_t v = uint64_t(t);
    for (int i = 0; i < 8; ++i, v >>= 8) b[i] = static_cast<unsigned char>(v);
}

// Steps under the lock: the local time, then the block created, or opened
// and its time adopted.
bool SetUpBlock(WendleShared &shared, uint32_t key, OpenToAll &open, WendleTime now,
                WendleTime &lastRotation, FILE *out) {
    lastRotation = now;
    char name[WENDLE_OBJECT_NAME_FIELD];
    SharedObjectName(name, key, ".shm");
    HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, &open.attributes,
                                        PAGE_READWRITE | SEC_COMMIT, 0, SHARED_BLOCK_SIZE, name);
    DWORD created = GetLastError();
    if (!section) {
        Report(out, wdl::WDL021E, created);
        return false;
    }
    shared.section = section;
    shared.view = MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, SHARED_BLOCK_SIZE);
    if (!shared.view) {
        Report(out, wdl::WDL021E, GetLastError());
        return false;
    }
    if (created == ERROR_ALREADY_EXISTS)
        lastRotation = ReadBlock(shared.view);
    else
        WriteBlock(shared.view, lastRotation);
    return true;
}

} // namespace

void SharedObjectName(char (&name)[WENDLE_OBJECT_NAME_FIELD], uint32_t key, const char *suffix) {
    snprintf(name, sizeof name, "Global\\VRKWENDLE%08X%s", unsigned(key), suffix);
}

bool SharedSetUp(WendleShared &shared, uint32_t key, WendleTime (*clock)(void *), void *clockContext,
                 WendleTime &lastRotation, FILE *out) {
    shared = WendleShared{nullptr, nullptr, nullptr};
    if (key == 0) {
        lastRotation = clock(clockContext);
        return true;
    }
    OpenToAll open;
    if (!MakeOpenToAll(open)) {
        Report(out, wdl::WDL018E, GetLastError());
        return false;
    }
    char name[WENDLE_OBJECT_NAME_FIELD];
    SharedObjectName(name, key, ".lck");
    shared.mutex = CreateMutexA(&open.attributes, FALSE, name);
    if (!shared.mutex) {
        Report(out, wdl::WDL018E, GetLastError());
        return false;
    }
    // The block's creation and first time are not to be interleaved with
    // another recorder's.
    bool locked = SharedLock(shared, out);
    bool ok = SetUpBlock(shared, key, open, clock(clockContext), lastRotation, out);
    if (locked) SharedUnlock(shared, out);
    return ok;
}

bool SharedLock(WendleShared &shared, FILE *out) {
    if (!shared.mutex) return true;
    // A recorder that ended while holding the lock left the log as whole
    // as its last append: its abandoned mutex is taken like a free one.
    DWORD r = WaitForSingleObject(shared.mutex, INFINITE);
    if (r == WAIT_OBJECT_0 || r == WAIT_ABANDONED) return true;
    Report(out, wdl::WDL019E, GetLastError());
    return false;
}

bool SharedUnlock(WendleShared &shared, FILE *out) {
    if (!shared.mutex) return true;
    if (ReleaseMutex(shared.mutex)) return true;
    Report(out, wdl::WDL020E, GetLastError());
    return false;
}

void SharedPublish(WendleShared &shared, WendleTime lastRotation) {
    if (shared.view) WriteBlock(shared.view, lastRotation);
}

bool SharedAdopt(WendleShared &shared, WendleTime &lastRotation) {
    if (!shared.view) return false;
    WendleTime published = ReadBlock(shared.view);
    if (published == lastRotation) return false;
    lastRotation = published;
    return true;
}

void SharedRelease(WendleShared &shared) {
    if (shared.mutex) CloseHandle(shared.mutex);
    if (shared.view) UnmapViewOfFile(shared.view);
    if (shared.section) CloseHandle(shared.section);
    shared = WendleShared{nullptr, nullptr, nullptr};
}
