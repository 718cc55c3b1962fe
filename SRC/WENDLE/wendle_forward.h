// Event-log forwarding: the list of message-identifier patterns, matching a
// recorded line against it, and reporting the line as an event.
#pragma once

#include <cstdio>

#include "wendle_event.h"

constexpr int WENDLE_PATTERN_MAX = 8;
constexpr int WENDLE_FORWARD_GROWTH = 100; // entries added each time the list is full
constexpr int WENDLE_LIST_PIECE = 1023;    // characters of a list line read at once

using WendlePattern = char[WENDLE_PATTERN_MAX + 1];

struct ForwardList {
    WendlePattern *entries; // null: no list, nothing is forwarded
    int count;
    int capacity;
};

// Reads the list file and replaces list with it. On failure (WDL015E or
// WDL016E printed) list is left empty.
bool ForwardLoad(ForwardList &list, const char *path, FILE *out);
void ForwardFree(ForwardList &list);

// Tests only: the nth allocation of the list from now on fails (0: none).
void ForwardFailAt(int nth);

// The line's message identifier: its first 8 characters, or 7 when the 8th
// is a blank, a line feed or the end of the line; a shorter line whole.
int IdentifierLength(const char *line);

// "?" takes one character, "*" any run, others only themselves.
bool PatternMatches(const char *pattern, const char *identifier);

bool ForwardMatches(const ForwardList &list, const char *line);

// Reports the line when its identifier has digits in their place: false
// after WDL022E. A line that is not reportable is passed over silently.
bool ForwardReport(const char *line, const WendleEventSink &sink, FILE *out);
