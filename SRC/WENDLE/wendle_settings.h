// The recorder's settings: built-in defaults, then WENDLE_ environment
// variables, then NAME=value arguments. Nothing changes them after start-up.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "wendle_forward.h"

constexpr int WENDLE_PATH_MAX = 1023;     // longer path values are cut, never rejected
constexpr int WENDLE_ENV_VALUE_MAX = 1024; // longer environment values are skipped

constexpr const char WENDLE_DEFAULT_LOGFILE[] = ".\\VRKcons.log";
constexpr int32_t WENDLE_DEFAULT_LOGSIZE_MB = 10;
constexpr int32_t WENDLE_DEFAULT_LOGTIME = 1440;
constexpr int32_t WENDLE_DEFAULT_ROTATE = 1;

// Exit codes of the program.
constexpr int WENDLE_EXIT_OK = 0;
constexpr int WENDLE_EXIT_ARGV = 4;
constexpr int WENDLE_EXIT_FAILED = 12;

struct WendleSettings {
    char logFile[WENDLE_PATH_MAX + 1];
    int32_t logSize;  // bytes: whole megabytes shifted left by 20
    int32_t logTime;  // minutes
    int32_t rotate;   // generations kept, 1-9
    uint32_t lockKey; // 0: no lock and no shared state
    bool stdTime;     // echo with prefix; the log always gets the prefix
    char eLogFil[WENDLE_PATH_MAX + 1]; // forwarding list file; empty: no forwarding
    ForwardList eLogList;              // its patterns, loaded as soon as it is named
};

// Reads one environment variable; false when it is not set. The value is
// returned whole: the length rule is applied by the settings code.
using WendleGetEnv = bool (*)(void *ctx, const char *name, std::string &value);

// How a string of decimal digits converts. Values that do not fit 32 bits
// must never wrap around into a value that passes a range check.
enum class Digits { Invalid, Value };
struct DecimalValue {
    Digits kind;
    uint64_t value; // saturated at UINT32_MAX + 1 when the digits exceed 32 bits
};
DecimalValue ParseDecimal(const char *text);

// The lock key only names named objects; a key beyond 32 bits is held as
// the largest 32-bit key so that it still asks for a lock.
uint32_t LockKeyOf(uint64_t value);

// The settings own the loaded list: FreeSettings gives it back.
void LoadDefaults(WendleSettings &s);
void FreeSettings(WendleSettings &s);
void PrintHelp(FILE *out, const char *programName);
bool IsHelpRequest(const char *arg);

// Environment errors are warnings: each bad variable prints its own, the
// setting keeps what it had.
void ReadEnvironment(WendleSettings &s, WendleGetEnv getEnv, void *ctx, FILE *out);

// The first bad argument prints its message and ends the scan: returns false
// (the caller prints the help text and exits with 4).
bool ReadArguments(WendleSettings &s, int argc, const char *const *argv, FILE *out);
