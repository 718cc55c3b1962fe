// A directed cycle that the exploration's walks let pass (a walk may start
// at a branch vertex already unwound from the stack) is found here, in
// linear time, before any component is laid out.
//
// Which link is reported: strip every vertex that has no predecessor left,
// then every vertex that has no successor left; what remains lies on or
// between cycles, and every remaining vertex has a remaining successor.
// From the first remaining vertex in creation order, follow each vertex's
// first outgoing link to a remaining vertex; the first link that returns to
// a vertex already on this path closes a cycle and is the one reported.
#include "layout.h"

namespace {

void Push(LocVert **stack, LocVert *v) {
    v->stackNext = *stack;
    *stack = v;
}

LocVert *Pop(LocVert **stack) {
    LocVert *v = *stack;
    if (v) {
        *stack = v->stackNext;
        v->stackNext = nullptr;
    }
    return v;
}

// height counts a vertex's predecessors still left (it starts as the count
// of incoming links), depth its successors. Returns how many were stripped.
uint32_t StripSources(LocVert *verts, uint32_t count) {
    LocVert *work = nullptr;
    uint32_t stripped = 0;
    for (uint32_t i = 0; i < count; ++i)
        if (verts[i].height == 0) Push(&work, &verts[i]);
    while (LocVert *v = Pop(&work)) {
        ++stripped;
        for (LocLink *e = v->outFirst; e; e = e->outNext)
            if (--e->target->height == 0) Push(&work, e->target);
    }
    return stripped;
}

void StripSinks(LocVert *verts, uint32_t count) {
    LocVert *work = nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        LocVert *v = &verts[i];
        if (v->height == 0) continue;
        for (LocLink *e = v->outFirst; e; e = e->outNext) v->depth += e->target->height > 0;
        if (v->depth == 0) Push(&work, v);
    }
    while (LocVert *v = Pop(&work)) {
        v->height = 0; // no longer left
        for (LocLink *e = v->inFirst; e; e = e->inNext)
            if (e->source->height > 0 && --e->source->depth == 0) Push(&work, e->source);
    }
}

LocLink *ClosingLink(LocVert *verts, uint32_t count) {
    LocVert *v = nullptr;
    for (uint32_t i = 0; i < count && !v; ++i)
        if (verts[i].height > 0) v = &verts[i];
    if (!v) return nullptr;
    for (uint32_t step = 1;; ++step) {
        v->walkNo = step; // on the path
        LocLink *e = v->outFirst;
        while (e->target->height == 0) e = e->outNext;
        if (e->target->walkNo != 0) return e;
        v = e->target;
    }
}

} // namespace

LocLink *FindCycleLink(LocVert *verts, uint32_t count) {
    // Without a cycle every vertex is stripped: each height has counted down
    // to 0 and no depth was touched, so nothing is left to reset.
    if (StripSources(verts, count) == count) return nullptr;
    // The walk numbers of the exploration are not needed any more.
    for (uint32_t i = 0; i < count; ++i) verts[i].walkNo = 0;
    StripSinks(verts, count);
    LocLink *closing = ClosingLink(verts, count);
    for (uint32_t i = 0; i < count; ++i) verts[i].height = verts[i].depth = 0;
    return closing;
}
