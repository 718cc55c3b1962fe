// Creating vertices, changing their flags and walking them in creation order.
#include "vert.h"

#include <cstring>


Vert *CreateVert(Graph *graph, const VertRec *rec, int32_t hash) {
    auto *v = static_cast<Vert *>(PoolAlloc(&graph->vertPool));
    if (!v) return nullptr;
    std::memcpy(&v->rec, rec, sizeof(VertRec));
    v->rec.flags &= kVertStateBits;
    v->nameHash = uint16_t(hash);
    v->level = v->row = kNoCell;
    RingAppend(&v->orderLink, &graph->vertRing);
    RingAppend(&v->bucketLink, &graph->nameBuckets[hash & 0xFF]);
    // A new vertex has no cell: nothing to repaint.
    return v;
}

int32_t SetVertFlags(Vert *v, uint32_t flags, int force) {
    uint32_t old = v->rec.flags;
    uint32_t previous = (old & kVertStateBits) << kVertPrevShift;
    int32_t result;
    if ((flags & kVertStateBits) == (old & kVertStateBits)) {
        if (!force) return 0;
        v->rec.flags = (old & 0x8000FFFFu) | previous;
        result = 1;
    } else {
        // VertPlaced and bit 31 are the library's: the host cannot change them.
        v->rec.flags = previous | (old & 0x80008000u) | (flags & kVertStateBits);
        result = 2;
    }
    v->scratch = nullptr; // v alone is the chain of changed vertices
    RepaintChangedPanes(GraphOfVert(v), v, nullptr, force);
    return result;
}

Vert *StepVert(Graph *graph, Vert *v, int forward) {
    Ring *head = &graph->vertRing;
    Ring *from = v ? &v->orderLink : head;
    Ring *next = forward ? from->next : from->prev;
    return next == head ? nullptr : VertOfOrder(next);
}
