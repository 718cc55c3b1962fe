// Runs the recorder's whole start-up and loop inside the test program, with
// real files standing in for the standard streams. The clock reads `clock`
// at start-up and `clockAfterStart` (when given) at every later reading.
// Events are kept in the run; with `eventError` the event sink fails.
#pragma once

#include <string>
#include <vector>

#include "wendle_event.h"
#include "wendle_log.h"
#include "wendle_test_support.h"

// An event as the recorder handed it to its event sink.
struct CapturedEvent {
    unsigned short type, category;
    unsigned long id;
    std::string line;
    bool operator==(const CapturedEvent &o) const {
        return type == o.type && category == o.category && id == o.id && line == o.line;
    }
};

// Keeps every event; fails with `error` when it is not 0.
struct EventCapture {
    std::vector<CapturedEvent> events;
    unsigned long error = 0;
    WendleEventSink sink();
};

struct InProcessRun {
    int exitCode = -1;
    std::vector<CapturedEvent> events;
    std::string output; // as stored by the text-mode stream: CR LF
    int envReads = 0;   // environment variables asked for
};

InProcessRun RunInProcess(const TempDir &dir, const std::vector<std::string> &args,
                          const EnvVars &env, const std::string &input,
                          WendleTime clock = 1365141000, unsigned long processId = 1234,
                          WendleTime clockAfterStart = -2, unsigned long eventError = 0);
