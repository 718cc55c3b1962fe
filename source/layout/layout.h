// The layout's working records and phases. Everything here lives for one
// LocVerts call; only publication writes into the graph.
#pragma once

#include <cstdint>

#include "graph.h"
#include "item_pool.h"
#include "ring.h"
#include "vert_link.h"

struct LocLink;
struct LocVert;

// Bounds of the grid: levels and rows stay within +-2000000000; a bound of
// 2000000001 means none.
constexpr int32_t kGridLimit = 2000000000;
constexpr int32_t kNoBound = 2000000001;
constexpr uint32_t kMaxSpan = 2000000001u;

// LocVert flags.
constexpr uint16_t InList = 0x0001;
constexpr uint16_t StraightOut = 0x0002; // a straight long link starts here

// LocLink flags.
constexpr uint16_t FwdMark = 0x0001;
constexpr uint16_t BackMark = 0x0002;
constexpr uint16_t FwdQueued = 0x0004;
constexpr uint16_t BackQueued = 0x0008;
constexpr uint16_t kQueued = FwdQueued | BackQueued;
constexpr uint16_t kMarks = FwdMark | BackMark;

// What the last level relaxation through a vertex's incoming links (forward)
// or outgoing links (backward) learnt: the links before position `end` need
// not be looked at again, and `best` is the level they gave. A change to one
// of those links, or to the level at its other end, sets `end` back to 0.
struct ScanMemo {
    LocLink *resume; // the link at position end (null: the list's end)
    uint32_t end;
    int32_t best;    // kNoCell: none yet
};

// The row tree a placed vertex belongs to: the vertices of its row, by level.
struct RowNode {
    LocVert *treeLeft;
    LocVert *treeRight;
};

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
    // Each phase's own fields share the room: a component's levels are
    // settled before its links are sorted, and those before its rows are
    // placed.
    union {
        struct {
            ScanMemo fwdScan;  // incoming links, for the forward relaxation
            ScanMemo backScan; // outgoing links, for the backward one
        } scan;
        uint32_t pendingCount; // while links are sorted: how many are pending
        RowNode rowNode;
    };
};

// A link's node in the tree that orders a vertex's pending links (link
// extents and order): list order in the tree, the least span and reach of
// each subtree kept in its root.
struct SortNode {
    LocLink *left;
    LocLink *right;
    LocLink *up;
    int32_t minSpan;
    int32_t minReach;
};

// A link's positions in its two lists as built, for the level relaxation.
struct ListPos {
    uint32_t outPos;
    uint32_t inPos;
};

// How far a link reaches, measured once the levels are settled.
struct Reach {
    int32_t downReach;  // span + target height
    int32_t upReach;    // source depth + span
};

struct LocLink {
    LocLink *outNext;
    LocLink *inNext;
    LocVert *target;
    LocVert *source;
    LocLink *outPrev;
    LocLink *inPrev;
    Ring queueLink;     // fwdQueue or backQueue
    // One field per phase, sharing the room: the sort tree for link order,
    // straights for row placement.
    union {
        SortNode sort;      // while pending: its place among the pending links
        Ring straightLink;  // straights
    };
    uint16_t flags;
    int32_t span;       // target level - source level
    // The list positions serve the level relaxation only; the reaches are
    // measured after it has ended.
    union {
        ListPos pos;
        Reach reach;
    };
};

struct LocPart;

// Indexes shared by all components of one layout, in the two working blocks
// (each array has one entry per vertex: no component has more branch
// vertices or rows than vertices).
struct LocIndex {
    uint32_t *branchWalks;  // walk numbers of the branch stack, bottom first
    uint32_t branchDepth;
    LocVert **rowTrees;     // per row: its placed vertices, by level
    uint32_t *rowRefused;   // per row: the placing that refused it
    uint32_t placing;       // number of the current placing
    LocPart *partTree;      // the components laid out so far, in list order
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
    LocIndex *index;
    LocPart *treeLeft;  // the tree of the components laid out so far
    LocPart *treeRight;
    int32_t levelShift; // from packing, applied as the vertices are published
    int32_t rowShift;
};

#if !defined(_WIN64) && !defined(__x86_64__)
static_assert(sizeof(LocPart) == 120, "component record");
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

// Takes a link out of its source's outgoing list / its target's incoming
// list; its own next and previous pointers are left as they were.
inline void OutUnlink(LocLink *e) {
    if (e->outPrev) e->outPrev->outNext = e->outNext;
    else e->source->outFirst = e->outNext;
    if (e->outNext) e->outNext->outPrev = e->outPrev;
}
inline void InUnlink(LocLink *e) {
    if (e->inPrev) e->inPrev->inNext = e->inNext;
    else e->target->inFirst = e->inNext;
    if (e->inNext) e->inNext->inPrev = e->inPrev;
}

// A fixed pseudo-random priority per record, for the balanced trees.
inline uint32_t TreePriority(const void *record) {
    uint32_t x = uint32_t(reinterpret_cast<uintptr_t>(record) >> 3) * 0x9E3779B1u;
    return x ^ (x >> 15);
}

// Inserts x into a tree of records linked through the treeLeft/treeRight of
// node(record), in the order that before(a, b) defines, balanced by
// TreePriority. Top-down, so neither recursion nor parent links are needed.
template <typename T, typename Node, typename Before>
void TreeInsert(T **root, T *x, Node node, Before before) {
    uint32_t priority = TreePriority(x);
    T **at = root;
    while (*at && TreePriority(*at) >= priority)
        at = before(x, *at) ? &node(*at)->treeLeft : &node(*at)->treeRight;
    T *rest = *at, **left = &node(x)->treeLeft, **right = &node(x)->treeRight;
    while (rest) {
        if (before(x, rest)) {
            *right = rest;
            right = &node(rest)->treeLeft;
            rest = node(rest)->treeLeft;
        } else {
            *left = rest;
            left = &node(rest)->treeRight;
            rest = node(rest)->treeRight;
        }
    }
    *left = *right = nullptr;
    *at = x;
}

// The component's ring of a level.
inline Ring *LevelRing(LocPart *part, int32_t level) {
    return &part->levelRings[level - part->ringBase];
}

// Exploration and cycle test.
int32_t Explore(LocPart *part, LocVert *start);
// Pops the stack down to stop (null: empties it); the number popped.
uint32_t Unwind(LocPart *part, LocVert *stop);

// A link on a directed cycle that the exploration's walks let pass, or null.
// Expects each vertex's height to hold its number of incoming links (set when
// the records are built); leaves every height and depth 0.
LocLink *FindCycleLink(LocVert *verts, uint32_t count);

// Level assignment.
int32_t LevelStart(LocPart *part);
int32_t RelaxFwd(LocPart *part);
int32_t RelaxBack(LocPart *part);

// Link extents and link order; -1 when a vertex has no level.
int32_t Extents(LocPart *part);
int32_t SortOut(LocLink *e, LocVert *u);
int32_t SortIn(LocLink *e, LocVert *t);

// Row placement. The component's level table: its level rings, followed by
// a tree of the highest row taken on each level.
int32_t LevelTableSet(LocPart *part);
void LevelTableFree(LocPart *part);
int32_t PickStart(LocPart *part);
int32_t SweepFwd(LocPart *part);
int32_t SweepBack(LocPart *part);
void StackLevels(LocPart *part);

// Component order, packing and publication.
void SortPart(Ring *partList, LocPart *part);
int32_t PackParts(Ring *partList);
int32_t Publish(Graph *graph, Ring *partList);
