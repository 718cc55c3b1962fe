// Runs the recorder's whole start-up and loop inside the test program, with
// real files standing in for the standard streams. The clock reads `clock`
// at start-up and `clockAfterStart` (when given) at every later reading.
#pragma once

#include <string>
#include <vector>

#include "wendle_log.h"
#include "wendle_test_support.h"

struct InProcessRun {
    int exitCode = -1;
    std::string output; // as stored by the text-mode stream: CR LF
    int envReads = 0;   // environment variables asked for
};

InProcessRun RunInProcess(const TempDir &dir, const std::vector<std::string> &args,
                          const EnvVars &env, const std::string &input,
                          WendleTime clock = 1365141000, unsigned long processId = 1234,
                          WendleTime clockAfterStart = -2);
