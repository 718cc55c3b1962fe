// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// The layout's working records and phases. Everything here lives for one
// LocVerts call; only publication writes into the graph.
#pragma once

#include <cstdint>

#include "graph.h"
#include "item_pool.h"
#include "ring.h"
#include "vert_link.h"

namespace literal {

struct LocLink;

// Bounds of the grid: levels and rows stay within +-2000000000; a bound of
// 2000000001 means none.
constexpr int32_t kGridLimit = 2000000000;
constexpr int32_t kNoBound = 2000000001;
constexpr uint32_t kMaxSpan = 2000000001u;

// LocVert flags.
constexpr uint16_t InList = 0x0001;

// LocLink flags.
constexpr uint16_t FwdMark = 0x0001;
constexpr uint16_t BackMark = 0x0002;
constexpr uint16_t FwdQueued = 0x0004;
constexpr uint16_t BackQueued = 0x0008;
constexpr uint16_t kQueued = FwdQueued | BackQueued;
constexpr uint16_t kMarks = FwdMark | BackMark;

struct LocVert {
    Ring partLink;      // sourceList, a component's sources/sinks, or a level ring
    LocLink *outFirst;
    LocLink *inFirst;
    LocLink *placedOut; // outgoing links whose target is placed
    LocLink *placedIn;  // incoming links whose source is placed
    union {
        LocVert *stackNext; // next entry of a component's stack
        LocLink *pending;   // while links are sorted: the sorted list so far
    };
    uint32_t walkNo;    // 0: not visited
    int32_t height;     // longest distance in levels to a sink
    int32_t depth;      // longest distance in levels from a source
    int32_t level;
    int32_t row;
    int32_t childBound; // smallest row of a placed successor
    int32_t parentBound;// smallest row of a placed predecessor
    uint16_t flags;
    Vert *vert;
};

struct LocLink {
    LocLink *outNext;
    LocLink *inNext;
    LocVert *target;
    LocVert *source;
    LocLink *outPrev;
    LocLink *inPrev;
    Ring queueLink;     // fwdQueue or backQueue
    Ring straightLink;  // straights
    uint16_t flags;
    int32_t span;       // target level - source level
    int32_t downReach;  // span + target height
    int32_t upReach;    // source depth + span
    Link *link;
};

struct LocPart {
    Ring partLink;      // the driver's component list
    int16_t dir;        // 0 forward, 1 backward, -1 start placement
    int32_t rowOffset;
    int32_t levelFirst;
    int32_t levelEnd;
    int32_t rowFirst;
    int32_t rowEnd;
    int32_t ringBase;
    int32_t ringEnd;
    Ring *levelRings;   // the component's own level rings
    uint32_t walkCount;
    int32_t vertCount;
    LocLink *current;   // the link being walked
    LocVert *stack;     // through LocVert.stackNext
    Ring fwdQueue;
    Ring backQueue;
    Ring sources;
    Ring sinks;
    Ring straights;
};

#if !defined(_WIN64) && !defined(__x86_64__)
static_assert(sizeof(LocPart) == 100, "component record");
#endif

inline LocVert *LocVertOf(Ring *r) { return RING_OWNER(LocVert, partLink, r); }
inline LocLink *QueuedLink(Ring *r) { return RING_OWNER(LocLink, queueLink, r); }
inline LocLink *StraightLink(Ring *r) { return RING_OWNER(LocLink, straightLink, r); }
inline LocPart *LocPartOf(Ring *r) { return RING_OWNER(LocPart, partLink, r); }
inline bool InQueue(const LocLink *e) { return e->queueLink.next != nullptr; }

// Pops the front link of a queue, or null.
inline LocLink *PopQueue(Ring *queue) {
    Ring *r = RingPop(queue);
    return r ? QueuedLink(r) : nullptr;
}
inline void EmptyQueue(Ring *queue) {
    while (RingPop(queue)) {
    }
}

// The component's ring of a level.
inline Ring *LevelRing(LocPart *part, int32_t level) {
    return &part->levelRings[level - part->ringBase];
}

// Exploration and cycle test.
int32_t Explore(LocPart *part, LocVert *start);
void Unwind(LocPart *part, LocVert *stop);

// A link on a directed cycle that the exploration's walks let pass, or null.
LocLink *FindCycleLink(LocVert *verts, uint32_t count);

// Level assignment.
int32_t LevelStart(LocPart *part);
int32_t RelaxFwd(LocPart *part);
int32_t RelaxBack(LocPart *part);

// Link extents and link order; -1 when a vertex has no level.
int32_t Extents(LocPart *part);
int32_t SortOut(LocLink *e, LocVert *u);
int32_t SortIn(LocLink *e, LocVert *t);

// Row placement.
int32_t PickStart(LocPart *part);
int32_t SweepFwd(LocPart *part);
int32_t SweepBack(LocPart *part);
void StackLevels(LocPart *part);

// Component order, packing and publication.
void SortPart(Ring *partList, LocPart *part);
int32_t PackParts(Ring *partList);
int32_t Publish(Graph *graph, Ring *partList);

// The whole layout of a graph, as LocVerts runs it before refreshing panes.
int32_t LocVerts(Graph *graph);

} // namespace literal
