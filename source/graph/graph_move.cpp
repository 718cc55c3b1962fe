#include "graph_move.h"

#include <cstring>

#include "brindle.h"
#include "graph.h"
#include "ring_table.h"
#include "vert.h"

void MoveResult(Graph *source, Graph *target) {
    target->levelFirst = source->levelFirst;
    target->levelEnd = source->levelEnd;
    target->rowFirst = source->rowFirst;
    target->rowEnd = source->rowEnd;
    target->ringBase = source->ringBase;
    target->ringEnd = source->ringEnd;
    target->levelRings = source->levelRings;
    target->cycleFrom = source->cycleFrom;
    target->cycleTo = source->cycleTo;
    target->partCount = source->partCount;
    target->placedCount = source->placedCount;
    ResetResult(source, 1);
}

int32_t NewLevelRings(Graph *graph, int32_t low, int32_t high) {
    Ring *table = nullptr;
    if (high > low && RingTableSet(uint32_t(high) - uint32_t(low), &table, 1) != 0) return -1;
    RingTableSet(0, &graph->levelRings, 0);
    graph->ringBase = low;
    graph->ringEnd = high;
    graph->levelRings = table;
    return 0;
}

int32_t MoveGraph(Graph *source, Graph *target) {
    if (!source || !target) return E_ARG;
    if (source == target) return 1;
    ResetGraph(target, 0);
    MoveResult(source, target);
    for (int i = 0; i < kNameBuckets; ++i)
        RingTake(&source->nameBuckets[i], &target->nameBuckets[i]);
    RingTake(&source->vertRing, &target->vertRing);
    PoolMove(&source->linkPool, &target->linkPool);
    PoolMove(&source->vertPool, &target->vertPool);
    target->hostWord = source->hostWord;
    target->flags = source->flags;
    return 0;
}

namespace {

template <typename T> T *Forward(T *original) {
    return original ? static_cast<T *>(original->scratch) : nullptr;
}

// Copies every vertex and its outgoing links into tmp, leaving forwarding
// pointers in the source's scratch fields. False when memory runs out.
bool CopyItems(Graph *source, Graph *tmp) {
    for (Ring *r = source->vertRing.next; r != &source->vertRing; r = r->next) {
        Vert *s = VertOfOrder(r);
        auto *d = static_cast<Vert *>(PoolAlloc(&tmp->vertPool));
        if (!d) return false;
        std::memcpy(d, s, sizeof(Vert));
        d->scratch = nullptr;
        // Only the copied level rings may hold the copy, never the source's.
        d->levelLink.next = d->levelLink.prev = nullptr;
        RingAppend(&d->orderLink, &tmp->vertRing);
        RingAppend(&d->bucketLink, &tmp->nameBuckets[d->nameHash & 0xFF]);
        s->scratch = d;
        Link *previousCopy = nullptr;
        for (Link *sl = s->outFirst; sl; sl = sl->outNext) {
            auto *dl = static_cast<Link *>(PoolAlloc(&tmp->linkPool));
            if (!dl) return false;
            std::memcpy(dl, sl, sizeof(Link));
            dl->scratch = nullptr;
            if (previousCopy) previousCopy->outNext = dl;
            else d->outFirst = dl;
            dl->source = d;
            sl->scratch = dl;
            previousCopy = dl;
        }
    }
    return true;
}

// Points every copied vertex and link at copies instead of originals.
void ForwardPointers(Graph *tmp) {
    for (Ring *r = tmp->vertRing.next; r != &tmp->vertRing; r = r->next) {
        Vert *d = VertOfOrder(r);
        d->inFirst = Forward(d->inFirst);
        for (Link *dl = d->outFirst; dl; dl = dl->outNext) {
            dl->target = Forward(dl->target);
            dl->inNext = Forward(dl->inNext);
            dl->outPrev = Forward(dl->outPrev);
            dl->inPrev = Forward(dl->inPrev);
            dl->paintNext = Forward(dl->paintNext);
        }
    }
}

void CopyLevelRings(Graph *source, Graph *tmp) {
    for (int32_t level = source->levelFirst; level < source->levelEnd; ++level) {
        Ring *from = &source->levelRings[level - source->ringBase];
        Ring *to = &tmp->levelRings[level - source->ringBase];
        for (Ring *r = from->next; r != from; r = r->next)
            RingAppend(&Forward(VertOfLevel(r))->levelLink, to);
    }
}

// Clears the forwarding pointers, of as many vertices and links as got one.
void ClearForwarding(Graph *source) {
    for (Ring *r = source->vertRing.next; r != &source->vertRing; r = r->next) {
        Vert *s = VertOfOrder(r);
        s->scratch = nullptr;
        for (Link *sl = s->outFirst; sl; sl = sl->outNext) sl->scratch = nullptr;
    }
}

} // namespace

int32_t CopyGraph(Graph *source, Graph *target) {
    if (!source || !target) return E_ARG;
    if (source == target) return 1;
    // The copy is built aside and moved in whole: a failure leaves the target
    // as it was.
    Graph *tmp = nullptr;
    if (NewGraph(&tmp, 0) != 0) return E_MEMORY;
    tmp->levelFirst = source->levelFirst;
    tmp->levelEnd = source->levelEnd;
    tmp->rowFirst = source->rowFirst;
    tmp->rowEnd = source->rowEnd;
    tmp->partCount = source->partCount;
    tmp->placedCount = source->placedCount;
    tmp->hostWord = source->hostWord;
    tmp->flags = source->flags;
    if (NewLevelRings(tmp, source->ringBase, source->ringEnd) != 0 || !CopyItems(source, tmp)) {
        ClearForwarding(source);
        DelGraph(tmp);
        return E_MEMORY;
    }
    ForwardPointers(tmp);
    CopyLevelRings(source, tmp);
    tmp->cycleFrom = Forward(source->cycleFrom);
    tmp->cycleTo = Forward(source->cycleTo);
    ClearForwarding(source);
    MoveGraph(tmp, target);
    DelGraph(tmp);
    return 0;
}
