// Registration of the recorder's event source "vrk" in the Application log,
// so that the event log resolves its events against wendle.dll.
#pragma once

#include <cstdio>
#include <windows.h>

constexpr int WENDLE_DIR_MAX = 255; // characters of the installation directory
constexpr const char WENDLE_EVENTLOG_KEY[] = "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application";
constexpr DWORD WENDLE_TYPES_SUPPORTED = 7; // error, warning and information

// Exit status: 1 when the key and both values were written, 0 on any
// failure. The directory comes from the first argument or WENDLE_PATH;
// root is HKEY_LOCAL_MACHINE but for tests.
int WendleRegistMain(int argc, const char *const *argv, FILE *out, HKEY root);
