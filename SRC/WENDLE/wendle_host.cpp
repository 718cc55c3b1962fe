// The recorder's host when it runs as a program.
#include <ctime>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

#include "wendle_host.h"

namespace {

bool ProcessEnv(void *, const char *name, std::string &value) {
    char small[1025];
    DWORD n = GetEnvironmentVariableA(name, small, sizeof small);
    if (n == 0) {
        // Not set, or set and empty: both leave the setting alone.
        value.clear();
        return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
    }
    if (n < sizeof small) {
        value.assign(small, n);
        return true;
    }
    // Too long for the buffer: returned whole so the settings code skips it.
    std::string big(n, '\0');
    DWORD got = GetEnvironmentVariableA(name, &big[0], n);
    if (got == 0 || got >= n) return false;
    big.resize(got);
    value = big;
    return true;
}

WendleTime SystemClock(void *) {
    time_t now = time(nullptr);
    return now == time_t(-1) ? -1 : WendleTime(now);
}

} // namespace

WendleHost ProcessHost() {
    _setmode(_fileno(stdin), _O_TEXT);
    _setmode(_fileno(stdout), _O_TEXT);
    return WendleHost{stdin,   stdout,  ProcessEnv,           nullptr, SystemClock,
                      nullptr, GetCurrentProcessId(), SystemEventLog()};
}
