// The recorder's whole run as one function: the program's entry passes the
// real standard streams, environment, clock and process number; tests pass
// their own files and values.
#pragma once

#include <cstdio>

#include "wendle_event.h"
#include "wendle_log.h"
#include "wendle_settings.h"

struct WendleHost {
    FILE *in;  // read in text mode: CR LF arrives as LF
    FILE *out; // messages and echo, text mode
    WendleGetEnv getEnv;
    void *envContext;
    WendleTime (*clock)(void *ctx);
    void *clockContext;
    unsigned long processId;
    WendleEventSink events; // where forwarded lines go; none: the system's event log
};

// Returns the exit code.
int WendleMain(int argc, const char *const *argv, const WendleHost &host);
