// wendlesrc: writes the event source's key with its message file and the
// event types it reports.
#include "wendle_regist.h"

#include <cstring>

#include "version_record.h"
#include "wendle_event.h"
#include "wendle_messages.h"

extern const VersionRecord WendleRegistVersion;
VERSION_RECORD_KEEP const VersionRecord WendleRegistVersion = {
    "VRKVER",
    "K-REED WENDLE",
    "V2.9.C.0",
    "",
    "console log recorder - all rights reserved",
    "SRC/WENDLE/wendle_regist.cpp",
    __DATE__,
    __TIME__,
};

namespace {

constexpr int SUCCEEDED = 1, FAILED = 0;

void Say(FILE *out, const char *format, int code) {
    fprintf(out, format, code);
    fflush(out);
}

// The directory, or false. A value of more than 255 characters is no
// directory: cut, it would register a message file that is not there.
bool Directory(int argc, const char *const *argv, char (&dir)[WENDLE_DIR_MAX + 1]) {
    DWORD n = GetEnvironmentVariableA("WENDLE_PATH", dir, sizeof dir);
    bool found = n >= 1 && n <= DWORD(WENDLE_DIR_MAX);
    if (!found) dir[0] = '\0';
    if (argc > 1 && argv[1] && argv[1][0]) {
        // The command line wins; one too long is refused, not replaced by
        // the environment, so that no other directory is registered than
        // the one asked for.
        if (strlen(argv[1]) > size_t(WENDLE_DIR_MAX)) return false;
        strcpy(dir, argv[1]);
        found = true;
    }
    return found;
}

} // namespace

int WendleRegistMain(int argc, const char *const *argv, FILE *out, HKEY root) {
    char dir[WENDLE_DIR_MAX + 1];
    if (!Directory(argc, argv, dir)) {
        fputs(wdl::WDL201E, out);
        fflush(out);
        return FAILED;
    }
    // No separator is added or removed: the path is the directory as given.
    char file[WENDLE_DIR_MAX + sizeof "\\wendle.dll"];
    snprintf(file, sizeof file, "%s\\wendle.dll", dir);
    char key[sizeof WENDLE_EVENTLOG_KEY + sizeof WENDLE_EVENT_SOURCE + 1];
    snprintf(key, sizeof key, "%s\\%s", WENDLE_EVENTLOG_KEY, WENDLE_EVENT_SOURCE);

    HKEY h = nullptr;
    LONG r = RegCreateKeyExA(root, key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                             nullptr, &h, nullptr);
    if (r != ERROR_SUCCESS) {
        fprintf(out, wdl::WDL202E, key, int(r));
        fflush(out);
        return FAILED;
    }
    r = RegSetValueExA(h, "EventMessageFile", 0, REG_EXPAND_SZ,
                       reinterpret_cast<const BYTE *>(file), DWORD(strlen(file) + 1));
    if (r != ERROR_SUCCESS) {
        Say(out, wdl::WDL203E, int(r));
        RegCloseKey(h);
        return FAILED;
    }
    const DWORD types = WENDLE_TYPES_SUPPORTED;
    r = RegSetValueExA(h, "TypesSupported", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&types),
                       sizeof types);
    if (r != ERROR_SUCCESS) {
        Say(out, wdl::WDL204E, int(r));
        RegCloseKey(h);
        return FAILED;
    }
    RegCloseKey(h);
    fprintf(out, wdl::WDL200I, key);
    fflush(out);
    return SUCCEEDED;
}
