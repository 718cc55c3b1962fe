// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// The layout driver: builds the working records, explores every component,
// lays each one out through its phases, then orders, packs and publishes.
#include <cstddef>

#include "block_memory.h"
#include "brindle.h"
#include "literal/layout.h"
#include "ring_table.h"
#include "vert.h"

namespace literal {

namespace {

struct Work {
    Graph *graph;
    LocVert *verts = nullptr;
    LocLink *links = nullptr;
    uint32_t vertCount = 0;
    ItemPool partPool;
    Ring sourceList;
    Ring partList;
};

void *ZeroBlock(uint32_t count, size_t size) {
    if (count > SIZE_MAX / size) return nullptr;
    return BlockAlloc(size * count);
}

// The working record of a graph link, through its scratch pointer.
LocLink *Fwd(Link *original) {
    return original ? static_cast<LocLink *>(original->scratch) : nullptr;
}

// One LocVert per vertex and one LocLink per link, in vertex-ring order and
// then outgoing order, with the graph's lists copied exactly.
int32_t BuildRecords(Work *w) {
    Graph *graph = w->graph;
    w->vertCount = PoolCount(&graph->vertPool);
    uint32_t linkCount = PoolCount(&graph->linkPool);
    w->verts = static_cast<LocVert *>(ZeroBlock(w->vertCount, sizeof(LocVert)));
    if (linkCount) w->links = static_cast<LocLink *>(ZeroBlock(linkCount, sizeof(LocLink)));
    if (!w->verts || (linkCount && !w->links)) return E_MEMORY;
    LocVert *lv = w->verts;
    LocLink *ll = w->links;
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next, ++lv) {
        Vert *v = VertOfOrder(r);
        lv->vert = v;
        lv->level = lv->row = kNoCell;
        lv->childBound = lv->parentBound = kNoBound;
        v->scratch = lv;
        for (Link *l = v->outFirst; l; l = l->outNext, ++ll) {
            ll->link = l;
            l->scratch = ll;
        }
    }
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        lv = static_cast<LocVert *>(v->scratch);
        for (Link *l = v->outFirst; l; l = l->outNext) {
            ll = static_cast<LocLink *>(l->scratch);
            ll->outNext = Fwd(l->outNext);
            ll->inNext = Fwd(l->inNext);
            ll->outPrev = Fwd(l->outPrev);
            ll->inPrev = Fwd(l->inPrev);
            ll->source = lv;
            ll->target = static_cast<LocVert *>(l->target->scratch);
        }
        lv->outFirst = Fwd(v->outFirst);
        lv->inFirst = Fwd(v->inFirst);
        if (!v->inFirst) RingAppend(&lv->partLink, &w->sourceList);
    }
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        v->scratch = nullptr;
        for (Link *l = v->outFirst; l; l = l->outNext) l->scratch = nullptr;
    }
    return 0;
}

// Explores every component from the first of its sources; -13 when a walk
// meets a cycle or when vertices are left that no source reaches.
int32_t ExploreAll(Work *w) {
    uint32_t found = 0;
    while (Ring *r = RingPop(&w->sourceList)) {
        auto *part = static_cast<LocPart *>(PoolAlloc(&w->partPool));
        if (!part) return E_MEMORY;
        RingInit(&part->fwdQueue);
        RingInit(&part->backQueue);
        RingInit(&part->sources);
        RingInit(&part->sinks);
        RingInit(&part->straights);
        RingAppend(&part->partLink, &w->partList);
        int32_t status = Explore(part, LocVertOf(r));
        if (status < 0) {
            if (status == E_CYCLE && part->current) {
                w->graph->cycleFrom = part->current->source->vert;
                w->graph->cycleTo = part->current->target->vert;
            }
            return status;
        }
        found += uint32_t(part->vertCount);
    }
    if (found != w->vertCount) return E_CYCLE;
    if (LocLink *closing = FindCycleLink(w->verts, w->vertCount)) {
        w->graph->cycleFrom = closing->source->vert;
        w->graph->cycleTo = closing->target->vert;
        return E_CYCLE;
    }
    return 0;
}

int32_t AssignLevels(LocPart *part) {
    for (;;) {
        bool ran = false;
        int32_t status = 0;
        if (!RingEmpty(&part->fwdQueue)) {
            ran = true;
            if ((status = RelaxFwd(part)) < 0) return status;
        }
        if (!RingEmpty(&part->backQueue)) {
            ran = true;
            if ((status = RelaxBack(part)) < 0) return status;
        }
        if (!ran) return 0;
    }
}

int32_t PlaceRows(LocPart *part) {
    if (int32_t status = PickStart(part)) return status;
    // Right after the start is chosen both queues are empty: one forward
    // and one backward sweep always run before they are tested.
    do {
        int32_t status = SweepFwd(part);
        if (status == 0) status = SweepBack(part);
        if (status < 0) return status;
    } while (!RingEmpty(&part->fwdQueue) || !RingEmpty(&part->backQueue));
    return 0;
}

int32_t LayOutPart(LocPart *part) {
    if (LevelStart(part) == 1) return 0; // a single vertex
    int32_t status = AssignLevels(part);
    if (status == 0 && uint32_t(part->levelEnd) - uint32_t(part->levelFirst) > kMaxSpan)
        status = E_LEVELS;
    if (status == 0) {
        if (RingTableSet(uint32_t(part->levelEnd - part->levelFirst), &part->levelRings, 1) != 0)
            status = E_MEMORY;
        part->ringBase = part->levelFirst;
        part->ringEnd = part->levelEnd;
    }
    if (status == 0) status = Extents(part);
    if (status == 0) status = PlaceRows(part);
    if (status == 0 && uint32_t(part->rowEnd) - uint32_t(part->rowFirst) > kMaxSpan)
        status = E_ROWS;
    if (status == 0) StackLevels(part);
    EmptyQueue(&part->backQueue);
    EmptyQueue(&part->fwdQueue);
    if (status < 0) Unwind(part, nullptr);
    RingTableSet(0, &part->levelRings, 0);
    part->ringBase = part->ringEnd = 0;
    return status;
}

int32_t LayOutAll(Work *w) {
    for (Ring *r = w->partList.next; r != &w->partList;) {
        Ring *next = r->next; // sorting moves the component only towards the head
        LocPart *part = LocPartOf(r);
        if (int32_t status = LayOutPart(part)) return status;
        SortPart(&w->partList, part);
        r = next;
    }
    if (int32_t status = PackParts(&w->partList)) return status;
    return Publish(w->graph, &w->partList);
}

int32_t Layout(Graph *graph) {
    Work w;
    w.graph = graph;
    PoolInit(&w.partPool, 0, sizeof(LocPart));
    RingInit(&w.sourceList);
    RingInit(&w.partList);
    graph->cycleFrom = graph->cycleTo = nullptr;
    if (PoolCount(&graph->vertPool) == 0) {
        graph->placedCount = 0;
        return 0;
    }
    int32_t status = BuildRecords(&w);
    if (status == 0) status = ExploreAll(&w);
    if (status == 0) status = LayOutAll(&w);
    if (status == 0) graph->placedCount = w.vertCount;
    PoolFreeAll(&w.partPool);
    BlockFree(w.links);
    BlockFree(w.verts);
    return status;
}

} // namespace

int32_t LocVerts(Graph *graph) {
    if (!graph) return E_ARG;
    int32_t status = Layout(graph);
    if (status >= 0) RefreshPanes(graph);
    return status;
}

} // namespace literal
