// The recorder: settles its settings, then records its standard input line
// by line until it ends.
#include "wendle_main.h"

#include <cstring>

#include "version_record.h"
#include "wendle_forward.h"
#include "wendle_lock.h"

extern const VersionRecord WendleVersion;
VERSION_RECORD_KEEP const VersionRecord WendleVersion = {
    "VRKVER",
    "K-REED WENDLE",
    "V2.9.C.0",
    "",
    "console log recorder - all rights reserved",
    "SRC/WENDLE/wendle_main.cpp",
    __DATE__,
    __TIME__,
};

namespace {

// Reads one piece of at most WENDLE_LINE_MAX characters; a longer line
// arrives as several pieces, and only the last carries the line end.
bool ReadPiece(FILE *in, char (&line)[WENDLE_LINE_MAX + 1]) {
    memset(line, 0, sizeof line);
    return fgets(line, sizeof line, in) != nullptr;
}

// Returns the success of the last append.
bool RecordLines(const WendleHost &host, WendleLog &log) {
    const WendleSettings &settings = *log.settings;
    const WendleEventSink events = host.events.report ? host.events : SystemEventLog();
    FILE *out = log.out;
    bool lastResult = true;
    char line[WENDLE_LINE_MAX + 1];
    char record[WENDLE_RECORD_FIELD];
    while (ReadPiece(host.in, line)) {
        // fgets stops at a line feed only: a piece that starts with NUL has
        // nothing that could be shown.
        if (line[0] == '\0') continue;
        memset(record, 0, sizeof record);
        char prefix[WENDLE_PREFIX_FIELD];
        if (FormPrefix(prefix, host.clock(host.clockContext), host.processId))
            snprintf(record, sizeof record, "%s%s", prefix, line);
        else
            snprintf(record, sizeof record, "%s", line);

        // The event log may be slow: never while holding the lock.
        if (ForwardMatches(settings.eLogList, line)) ForwardReport(line, events, out);

        fputs(settings.stdTime ? record : line, out);
        fflush(out);

        // A failed wait still handles the line, without the lock; only a
        // lock taken is released.
        bool locked = SharedLock(*log.shared, out);
        if (RotationDue(log, host.clock(host.clockContext)))
            Rotate(log, host.clock(host.clockContext));
        lastResult = AppendRecord(log, record);
        if (locked) SharedUnlock(*log.shared, out);
    }
    return lastResult;
}

} // namespace

int WendleMain(int argc, const char *const *argv, const WendleHost &host) {
    FILE *out = host.out;
    const char *programName = argc > 0 && argv[0] ? argv[0] : "";

    // Help comes before anything is read or checked, the environment included.
    for (int i = 1; i < argc; ++i)
        if (IsHelpRequest(argv[i])) {
            PrintHelp(out, programName);
            return WENDLE_EXIT_OK;
        }

    WendleSettings settings;
    LoadDefaults(settings);
    ReadEnvironment(settings, host.getEnv, host.envContext, out);
    if (!ReadArguments(settings, argc, argv, out)) {
        FreeSettings(settings);
        PrintHelp(out, programName);
        return WENDLE_EXIT_ARGV;
    }

    // Without a lock key each recorder keeps its own rotation time, counted
    // from its start; with one, recorders of that key share it.
    WendleShared shared;
    WendleLog log{&settings, out, 0, &shared};
    bool lastResult = SharedSetUp(shared, settings.lockKey, host.clock, host.clockContext,
                                  log.lastRotation, out);
    if (lastResult) lastResult = RecordLines(host, log);
    SharedRelease(shared);
    FreeSettings(settings);
    fflush(out);
    return lastResult ? WENDLE_EXIT_OK : WENDLE_EXIT_FAILED;
}
