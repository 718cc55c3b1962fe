// The cross-process lock and the shared time of the last rotation. Recorders
// given the same non-zero lock key share one named mutex, which serialises
// their rotation checks, rotations and appends, and one named 8-byte block
// holding the last rotation time, so that a log is rotated once per age
// period and not once per recorder. With key 0 nothing is created and every
// operation does nothing.
#pragma once

#include <cstdint>
#include <cstdio>

#include "wendle_log.h"

constexpr int WENDLE_OBJECT_NAME_FIELD = 32; // "Global\VRKWENDLEXXXXXXXX.lck" and terminator

// Handles are kept as plain pointers so that this header needs no system header.
struct WendleShared {
    void *mutex;   // null: no lock (key 0, or not set up)
    void *section; // the shared block's section
    void *view;    // the mapped block: last rotation time, low word first
};

// "Global\VRKWENDLE%08X" followed by suffix (".lck" or ".shm").
void SharedObjectName(char (&name)[WENDLE_OBJECT_NAME_FIELD], uint32_t key, const char *suffix);

// Creates or opens the mutex and the shared block, under the lock, and sets
// lastRotation to now or to the time another recorder with the same key
// published. False after WDL018E or WDL021E; the caller releases and exits.
bool SharedSetUp(WendleShared &shared, uint32_t key, WendleTime (*clock)(void *), void *clockContext,
                 WendleTime &lastRotation, FILE *out);

// Waits without time-out. An abandoned mutex counts as taken. False after WDL019E.
bool SharedLock(WendleShared &shared, FILE *out);
// False after WDL020E.
bool SharedUnlock(WendleShared &shared, FILE *out);

// The block is read and written only while the lock is held.
void SharedPublish(WendleShared &shared, WendleTime lastRotation);
// Takes the published time over when it differs; true when it did.
bool SharedAdopt(WendleShared &shared, WendleTime &lastRotation);

void SharedRelease(WendleShared &shared);
