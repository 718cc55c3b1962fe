#include "wendle_in_process.h"

#include <cstdio>

#include "wendle_main.h"

namespace {

struct EnvContext {
    const EnvVars *vars;
    int reads;
};

bool MapEnv(void *ctx, const char *name, std::string &value) {
    EnvContext &e = *static_cast<EnvContext *>(ctx);
    ++e.reads;
    auto it = e.vars->find(name);
    if (it == e.vars->end()) return false;
    value = it->second;
    return true;
}

struct ClockContext {
    WendleTime start, later;
    int reads;
};

WendleTime TestClock(void *ctx) {
    ClockContext &c = *static_cast<ClockContext *>(ctx);
    return c.reads++ == 0 ? c.start : c.later;
}

bool Keep(void *ctx, unsigned short type, unsigned short category, unsigned long id,
          const char *line, unsigned long *error) {
    EventCapture &c = *static_cast<EventCapture *>(ctx);
    if (c.error) {
        *error = c.error;
        return false;
    }
    c.events.push_back(CapturedEvent{type, category, id, line});
    return true;
}

} // namespace

WendleEventSink EventCapture::sink() { return WendleEventSink{Keep, this}; }

InProcessRun RunInProcess(const TempDir &dir, const std::vector<std::string> &args,
                          const EnvVars &env, const std::string &input, WendleTime clock,
                          unsigned long processId, WendleTime clockAfterStart,
                          unsigned long eventError) {
    InProcessRun run;
    const std::string inPath = dir / "stdin.txt", outPath = dir / "stdout.txt";
    WriteBytes(inPath, input);
    FILE *in = fopen(inPath.c_str(), "r");
    FILE *out = fopen(outPath.c_str(), "w");
    std::vector<const char *> argv{"wendle"};
    for (const std::string &a : args) argv.push_back(a.c_str());
    EnvContext e{&env, 0};
    ClockContext c{clock, clockAfterStart == -2 ? clock : clockAfterStart, 0};
    EventCapture events;
    events.error = eventError;
    WendleHost host{in, out, MapEnv, &e, TestClock, &c, processId, events.sink()};
    run.exitCode = WendleMain(int(argv.size()), argv.data(), host);
    run.events = events.events;
    fclose(in);
    fclose(out);
    run.output = ReadBytes(outPath);
    run.envReads = e.reads;
    return run;
}
