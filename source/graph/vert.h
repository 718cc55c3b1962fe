// Internal operations on vertices and links that the exports, the control
// calls, the layout and the copy share.
#pragma once

#include <cstdint>

#include "graph.h"
#include "vert_link.h"

// linkBits of a vertex.
constexpr uint16_t VertHasOut = 0x0001;
constexpr uint16_t VertHasIn = 0x0002;

// Host-controlled bits of the flag word, and where the previous state goes.
constexpr uint32_t kVertStateBits = 0x7FFF;
constexpr int kVertPrevShift = 16;

// The graph that holds a vertex or link: the record embedding its pool.
inline Graph *GraphOfVert(const Vert *v) {
    return reinterpret_cast<Graph *>(reinterpret_cast<char *>(PoolOwner(v)) -
                                     offsetof(Graph, vertPool));
}
inline Graph *GraphOfLink(const Link *l) {
    return reinterpret_cast<Graph *>(reinterpret_cast<char *>(PoolOwner(l)) -
                                     offsetof(Graph, linkPool));
}

inline Vert *VertOfOrder(Ring *link) { return RING_OWNER(Vert, orderLink, link); }
inline Vert *VertOfBucket(Ring *link) { return RING_OWNER(Vert, bucketLink, link); }
inline Vert *VertOfLevel(Ring *link) { return RING_OWNER(Vert, levelLink, link); }

// 16-bit hash of a name (low byte: the bucket), or -1 for an invalid name:
// empty, or no NUL within 16 bytes.
int32_t NameHash(const char *name);

// The vertex of that name, newest first within its bucket; stores the
// name's hash (or -1) through hashOut when it is not null.
Vert *LookupVert(Graph *graph, const char *name, int32_t *hashOut);

// A new vertex from the host's record, at the end of vertRing; no repaint.
Vert *CreateVert(Graph *graph, const VertRec *rec, int32_t hash);

// 0 unchanged, 1 forced repaint, 2 changed; panes repaint on 1 and 2.
int32_t SetVertFlags(Vert *v, uint32_t flags, int force);

// A link from -> to: 1 made, 0 already there, -3, -4 (different graphs,
// only checked when graph is null), -7, -13 (self-link).
int32_t ConnectVerts(Graph *graph, Vert *from, Vert *to);

// Removes links as ConVert with a negative mode: 1 when any was removed.
int32_t DisconnectVerts(Vert *from, Vert *to);

// ConVert with mode 0.
int32_t ProbeLink(const Vert *from, const Vert *to);

// Takes a link out of its lists: side 0 both, 1 the source's outgoing list
// only, -1 the target's incoming list only.
void UnlinkLink(Link *l, int side);

// Notes the link's shown and highlighted state for the repaint and pushes
// it on the chain.
Link *StageLink(Link *l, Link *chain);

// The vertex after (forward) or before the given one in vertRing, or the
// first (last) when none is given; null at the end.
Vert *StepVert(Graph *graph, Vert *v, int forward);
