// The version record every deliverable carries in its static data. No code
// reads it; outside tools find it in the binary by its marker. Every field
// is a NUL-padded text of fixed width.
#pragma once

#include <cstddef>

struct VersionRecord {
    char marker[16];   // "VRKVER"
    char product[32];
    char version[16];
    char version2[16]; // may be empty
    char notice[48];
    char source[256];  // relative path of the module that defines the record
    char date[48];     // as "Dec 11 2013"
    char time[48];     // as "14:46:00"
};

static_assert(sizeof(VersionRecord) == 480, "version record");
static_assert(offsetof(VersionRecord, product) == 16 && offsetof(VersionRecord, version) == 48 &&
                  offsetof(VersionRecord, version2) == 64 &&
                  offsetof(VersionRecord, notice) == 80 &&
                  offsetof(VersionRecord, source) == 128 && offsetof(VersionRecord, date) == 384 &&
                  offsetof(VersionRecord, time) == 432,
              "version record fields");

// Kept in the binary although nothing refers to it.
#if defined(__GNUC__)
#define VERSION_RECORD_KEEP __attribute__((used))
#else
#define VERSION_RECORD_KEEP
#endif
