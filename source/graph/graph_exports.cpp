// The graph exports: NewGraph, DelGraph, GetGraph, SetGraph, IncGraph.
#include "block_memory.h"
#include "brindle.h"
#include "graph.h"
#include "pane_calls.h"
#include "vert_link.h"

extern "C" {

BRD_EXPORT int32_t BRDAPI NewGraph(Graph **out, int32_t /*reserved: never read*/) {
    // A graph nobody could reach would be lost for good: without a place
    // to put the handle nothing is made.
    if (!out) return E_ARG;
    *out = nullptr;
    auto *graph = static_cast<Graph *>(BlockAlloc(sizeof(Graph)));
    if (!graph) return E_MEMORY;
    PoolInit(&graph->vertPool, 0, sizeof(Vert));
    PoolInit(&graph->linkPool, 0, sizeof(Link));
    PoolInit(&graph->panePool, 2, kPaneRecordBytes);
    RingInit(&graph->paneRing);
    ResetGraph(graph, 1);
    *out = graph;
    return 0;
}

BRD_EXPORT int32_t BRDAPI DelGraph(Graph *graph) {
    if (!graph) return 0;
    // Destroying the last pane must not destroy this graph a second time.
    graph->flags &= ~GraphPaneOwned;
    while (!RingEmpty(&graph->paneRing)) {
        Ring *first = graph->paneRing.next;
        // A record the pane code refuses must still leave the ring, or this
        // loop would never end.
        if (DelPane(reinterpret_cast<Pane *>(first)) < 0 && graph->paneRing.next == first) {
            RingUnlink(first);
            PoolFree(first);
        }
    }
    ResetGraph(graph, 0);
    BlockFree(graph);
    return 0;
}

BRD_EXPORT int32_t BRDAPI GetGraph(Graph *graph, uint32_t *flags) {
    if (!graph || !flags) return E_ARG;
    *flags = graph->flags;
    return 0;
}

BRD_EXPORT int32_t BRDAPI SetGraph(Graph *graph, const uint32_t *flags) {
    if (!graph || !flags) return E_ARG;
    graph->flags = (graph->flags & ~GraphPaneOwned) | (*flags & GraphPaneOwned);
    return 0;
}

BRD_EXPORT int32_t BRDAPI IncGraph(Graph *graph, GraphInfo *info) {
    if (!graph || !info) return E_ARG;
    uint32_t bytes = sizeof(Graph) + PoolBytes(&graph->vertPool) + PoolBytes(&graph->linkPool) +
                     PoolBytes(&graph->panePool);
    if (graph->ringBase < graph->ringEnd)
        bytes += uint32_t(sizeof(Ring)) * uint32_t(graph->ringEnd - graph->ringBase);
    info->reserved = 0;
    info->bytes = bytes;
    info->vertices = PoolCount(&graph->vertPool);
    info->placed = graph->placedCount;
    info->links = PoolCount(&graph->linkPool);
    info->panes = PoolCount(&graph->panePool);
    info->partCount = graph->partCount;
    info->cycleFrom = graph->cycleFrom;
    info->cycleTo = graph->cycleTo;
    info->left = graph->levelFirst;
    info->top = graph->rowFirst;
    info->right = graph->levelEnd;
    info->bottom = graph->rowEnd;
    return 0;
}

} // extern "C"
