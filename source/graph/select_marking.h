// The marking half of the selection: temporary marks on vertices and links,
// and the two chains of reached items threaded through their scratch
// pointers. Nothing here allocates or recurses: a selection may cover a
// graph of any size.
#pragma once

#include <cstdint>

#include "vert.h"

// Vertex linkBits while a selection runs; clear outside it.
constexpr uint16_t VertWalked = 0x10;   // reached by WalkComponent
constexpr uint16_t VertSearched = 0x20; // reached by MarkForward or MarkBackward
constexpr uint16_t VertMarked = 0x40;
constexpr uint16_t kVertSelectBits = VertWalked | VertSearched | VertMarked;

// Link flags while a selection runs; clear outside it.
constexpr uint32_t kLinkWalkedForward = 0x1;  // WalkComponent went source -> target
constexpr uint32_t kLinkWalkedBackward = 0x2; // WalkComponent went target -> source
constexpr uint32_t kLinkSearchBit2 = 0x4;     // MarkForward: entered; MarkBackward: done
constexpr uint32_t kLinkSearchBit3 = 0x8;     // MarkForward: done; MarkBackward: entered
constexpr uint32_t LinkMarked = 0x80000000u;
constexpr uint32_t kLinkSelectBits = 0x0000000Fu | LinkMarked;

// Chains of the items reached, newest first. While marking they end in
// ChainEnd() rather than null, so that a chained item's scratch is never
// null and "scratch is null" means "not chained yet".
struct SelectChains {
    Vert *verts;
    Link *links;
};

inline void *ChainEnd() { return reinterpret_cast<void *>(~uintptr_t(0)); }

// Both chains empty.
void InitChains(SelectChains *chains);

// Takes an item's temporary marks and chain pointer away.
inline void Unmark(Vert *v) {
    v->linkBits &= uint16_t(~kVertSelectBits);
    v->scratch = nullptr;
}
inline void Unmark(Link *l) {
    l->flags &= ~kLinkSelectBits;
    l->scratch = nullptr;
}

// Unmarks every item of two chains that end in null.
void UnmarkChains(Vert *verts, Link *links);

// Pushes the item on its chain unless it is chained already.
void ChainVert(SelectChains *chains, Vert *v);
void ChainLink(SelectChains *chains, Link *l);

// Every vertex in creation order, each followed by its outgoing links:
// chained, and marked when mark is true.
void MarkAll(Graph *graph, SelectChains *chains, bool mark);

// Marks and chains the anchor and, with dir -1, its incoming links and their
// sources, with dir +1 its outgoing links and their targets.
void MarkNeighbours(SelectChains *chains, Vert *anchor, int dir);

// Marks the vertices on paths from the anchor to other (with no other: every
// vertex reachable from the anchor) and the links between them. True when
// the anchor ends up marked.
bool MarkForward(SelectChains *chains, Vert *anchor, Vert *other);

// The mirror image: paths from other to the anchor (with no other: every
// vertex from which the anchor is reachable).
bool MarkBackward(SelectChains *chains, Vert *anchor, Vert *other);

// Reaches every vertex and link of the anchor's connected component (links
// followed either way): chained, and marked when mark is true.
void WalkComponent(SelectChains *chains, Vert *anchor, bool mark);
