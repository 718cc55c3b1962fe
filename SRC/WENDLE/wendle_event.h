// Where forwarded lines go: the system's event log, or in tests a sink that
// keeps what it is given.
#pragma once

constexpr const char WENDLE_EVENT_SOURCE[] = "vrk";
constexpr unsigned short WENDLE_EVENT_CATEGORY = 3800;

// Event types as the event log numbers them.
constexpr unsigned short WENDLE_EVENT_ERROR = 1;
constexpr unsigned short WENDLE_EVENT_WARNING = 2;
constexpr unsigned short WENDLE_EVENT_INFORMATION = 4;

struct WendleEventSink {
    // Writes one event with the line as its one insertion string. Returns
    // false with the system's error code in *error when it could not.
    bool (*report)(void *context, unsigned short type, unsigned short category,
                   unsigned long eventId, const char *line, unsigned long *error);
    void *context;
};

// The Application log of the local computer under the source "vrk", opened
// and closed again for every event.
WendleEventSink SystemEventLog();
