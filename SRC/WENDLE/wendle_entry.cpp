// The program's entry: the real standard streams, environment, clock and
// process number.
#include <ctime>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

#include "wendle_main.h"

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

int main(int argc, char **argv) {
    // Text mode whatever the starting host set up: CR LF arrives as a line
    // feed, and the echo stores line feeds as CR LF.
    _setmode(_fileno(stdin), _O_TEXT);
    _setmode(_fileno(stdout), _O_TEXT);
    WendleHost host{stdin,       stdout,  ProcessEnv,           nullptr, SystemClock,
                    nullptr,     GetCurrentProcessId(), SystemEventLog()};
    return WendleMain(argc, argv, host);
}
