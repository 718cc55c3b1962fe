// The system's event log as the sink of forwarded lines.
#include "wendle_event.h"

#include <windows.h>

namespace {

bool ReportToEventLog(void *, unsigned short type, unsigned short category,
                      unsigned long eventId, const char *line, unsigned long *error) {
    // Opened anew for every line: a recorder runs for months, and the source
    // may be registered or the log service restarted meanwhile.
    HANDLE source = RegisterEventSourceA(nullptr, WENDLE_EVENT_SOURCE);
    if (!source) {
        *error = GetLastError();
        return false;
    }
    const char *strings[] = {line};
    bool ok = ReportEventA(source, type, category, eventId, nullptr, 1, 0, strings, nullptr);
    if (!ok) *error = GetLastError();
    DeregisterEventSource(source);
    return ok;
}

} // namespace

WendleEventSink SystemEventLog() { return WendleEventSink{ReportToEventLog, nullptr}; }
