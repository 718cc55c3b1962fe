// Log writing and rotation. The log file is never held open between
// operations, so that other recorders and outside tools may move or delete
// it between lines.
#pragma once

#include <cstdio>
#include <string>

#include "wendle_settings.h"

constexpr int WENDLE_LINE_MAX = 1024;   // characters of one input piece
constexpr int WENDLE_PREFIX_FIELD = 31; // at most 30 characters and the terminator
constexpr int WENDLE_RECORD_FIELD = 1056;

// Seconds since 1970-01-01 00:00 UTC; -1 when the clock cannot be read.
using WendleTime = long long;

struct WendleShared;

// State that lives across lines.
struct WendleLog {
    const WendleSettings *settings;
    FILE *out; // messages
    WendleTime lastRotation;
    WendleShared *shared; // null: this recorder's rotation time is its own
};

// "YYYY/MM/DD HH:MM:SS PPPPPPPP " in local time. A process number of more
// than nine digits keeps its lowest nine, so the prefix never exceeds its
// field. False when no prefix can be formed (the record is then the line).
bool FormPrefix(char (&prefix)[WENDLE_PREFIX_FIELD], WendleTime now, unsigned long processId);

// path_g, the name of generation g (path_0 only during a rotation).
std::string GenerationPath(const char *path, int g);

// Both run under the lock: the check first adopts a time another recorder
// published, a rotation publishes its own.
bool RotationDue(WendleLog &log, WendleTime now);
bool Rotate(WendleLog &log, WendleTime now);
bool AppendRecord(WendleLog &log, const char *record);
