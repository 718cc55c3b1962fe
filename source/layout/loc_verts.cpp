// The layout driver: builds the working records, explores every component,
// lays each one out through its phases, then orders, packs and publishes.
#include <cstddef>

#include "block_memory.h"
#include "brindle.h"
#include "layout.h"
#include "vert.h"

namespace {

struct Work {
    Graph *graph;
    LocVert *verts = nullptr;
    LocLink *links = nullptr;
    uint32_t vertCount = 0;
    ItemPool partPool;
    Ring sourceList;
    Ring partList;
    LocIndex index = {};
};

void *ZeroBlock(uint32_t count, size_t size) {
    if (count > SIZE_MAX / size) return nullptr;
    return BlockAlloc(size * count);
}

// The vertex block: the LocVerts, then the per-vertex arrays of the index
// (sizes are multiples of the pointer size, so every array stays aligned).
constexpr size_t kVertBytes = sizeof(LocVert) + sizeof(LocVert *) + 2 * sizeof(uint32_t);
static_assert(sizeof(LocVert) % sizeof(LocVert *) == 0, "arrays after the LocVerts stay aligned");

void PlaceIndex(Work *w) {
    uint32_t n = w->vertCount;
    w->index.rowTrees = reinterpret_cast<LocVert **>(w->verts + n);
    w->index.branchWalks = reinterpret_cast<uint32_t *>(w->index.rowTrees + n);
    w->index.rowRefused = w->index.branchWalks + n;
}

// One LocVert per vertex and one LocLink per link, in vertex-ring order and
// then outgoing order, with the graph's lists copied exactly. A vertex's
// outgoing links are neighbours in the link block, so only the incoming
// lists need the links' scratch pointers: set in the first pass, read and
// cleared in the second, where every link is met once in its target's list.
int32_t BuildRecords(Work *w) {
    Graph *graph = w->graph;
    w->vertCount = PoolCount(&graph->vertPool);
    uint32_t linkCount = PoolCount(&graph->linkPool);
    w->verts = static_cast<LocVert *>(ZeroBlock(w->vertCount, kVertBytes));
    if (linkCount) w->links = static_cast<LocLink *>(ZeroBlock(linkCount, sizeof(LocLink)));
    if (!w->verts || (linkCount && !w->links)) return E_MEMORY;
    PlaceIndex(w);
    LocVert *lv = w->verts;
    LocLink *ll = w->links;
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next, ++lv) {
        Vert *v = VertOfOrder(r);
        lv->vert = v;
        lv->level = lv->row = kNoCell;
        lv->scan.fwdScan.best = lv->scan.backScan.best = kNoCell;
        lv->childBound = lv->parentBound = kNoBound;
        uint32_t pos = 0;
        for (Link *l = v->outFirst; l; l = l->outNext, ++ll) {
            ll->source = lv;
            ll->pos.outPos = pos;
            if (pos++ == 0) {
                lv->outFirst = ll;
            } else {
                ll->outPrev = ll - 1;
                ll[-1].outNext = ll;
            }
            l->scratch = ll;
        }
    }
    lv = w->verts;
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next, ++lv) {
        Vert *v = VertOfOrder(r);
        LocLink *prev = nullptr;
        uint32_t pos = 0;
        for (Link *l = v->inFirst; l; l = l->inNext) {
            ll = static_cast<LocLink *>(l->scratch);
            l->scratch = nullptr;
            ll->target = lv;
            ll->pos.inPos = pos++;
            ll->inPrev = prev;
            if (prev) prev->inNext = ll;
            else lv->inFirst = ll;
            prev = ll;
        }
        lv->height = int32_t(pos); // for the cycle check, which resets it
        if (!v->inFirst) RingAppend(&lv->partLink, &w->sourceList);
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
        part->index = &w->index;
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
    if (status == 0) status = LevelTableSet(part);
    if (status == 0) status = Extents(part);
    if (status == 0) status = PlaceRows(part);
    if (status == 0 && uint32_t(part->rowEnd) - uint32_t(part->rowFirst) > kMaxSpan)
        status = E_ROWS;
    if (status == 0) StackLevels(part);
    EmptyQueue(&part->backQueue);
    EmptyQueue(&part->fwdQueue);
    if (status < 0) Unwind(part, nullptr);
    LevelTableFree(part);
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

extern "C" BRD_EXPORT int32_t BRDAPI LocVerts(Graph *graph) {
    if (!graph) return E_ARG;
    int32_t status = Layout(graph);
    if (status >= 0) RefreshPanes(graph);
    return status;
}
