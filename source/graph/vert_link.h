// The vertex and link records: items of a graph's vertPool and linkPool.
// A vertex handle is the address of its Vert; links have no handle.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brindle.h"
#include "ring.h"

struct Link;

struct Vert {
    Ring levelLink;    // in its level's ring of the graph's levelRings
    Ring bucketLink;   // in nameBuckets[nameHash & 0xFF]
    Ring orderLink;    // in vertRing, creation order
    Link *outFirst;    // first outgoing link
    Link *inFirst;     // first incoming link
    int32_t level;     // from the layout; kNoCell when none
    int32_t row;       // from the layout; kNoCell when none
    uint16_t nameHash;
    uint16_t linkBits;
    VertRec rec;
    void *scratch;     // work pointer of one call; null between calls
};

struct Link {
    Link *outNext;
    Link *inNext;
    Vert *target;
    Vert *source;
    Link *outPrev;
    Link *inPrev;
    Link *paintNext;
    uint32_t flags;
    void *scratch;
};

// No level or row.
constexpr int32_t kNoCell = INT32_MIN;

#if !defined(_WIN64) && !defined(__x86_64__)
static_assert(sizeof(VertRec) == 36 && offsetof(VertRec, flags) == 16 &&
                  offsetof(VertRec, image) == 20 && offsetof(VertRec, mask) == 24 &&
                  offsetof(VertRec, user1) == 28 && offsetof(VertRec, user2) == 32,
              "VertRec layout");
static_assert(sizeof(Vert) == 84, "Vert record");
static_assert(offsetof(Vert, outFirst) == 24 && offsetof(Vert, level) == 32 &&
                  offsetof(Vert, nameHash) == 40 && offsetof(Vert, linkBits) == 42 &&
                  offsetof(Vert, rec) == 44 && offsetof(Vert, scratch) == 80,
              "Vert fields");
static_assert(sizeof(Link) == 36 && offsetof(Link, flags) == 28 && offsetof(Link, scratch) == 32,
              "Link record");
#endif
