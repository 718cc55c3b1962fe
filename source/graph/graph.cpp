#include "graph.h"

#include "pane_calls.h"
#include "repaint.h"
#include "ring_table.h"

void ResetResult(Graph *graph, int keepRings) {
    if (!keepRings && graph->levelRings) RingTableSet(0, &graph->levelRings, 0);
    graph->levelFirst = graph->levelEnd = 0;
    graph->rowFirst = graph->rowEnd = 0;
    graph->ringBase = graph->ringEnd = 0;
    graph->levelRings = nullptr;
    graph->cycleFrom = graph->cycleTo = nullptr;
    graph->partCount = 0;
    graph->placedCount = 0;
}

void ResetGraph(Graph *graph, int keepRings) {
    ResetResult(graph, keepRings);
    for (Ring &bucket : graph->nameBuckets) RingInit(&bucket);
    RingInit(&graph->vertRing);
    // Vertices and links are not visited: their memory goes with the blocks.
    PoolFreeAll(&graph->linkPool);
    PoolFreeAll(&graph->vertPool);
}

namespace {
// A pane record begins with its ring link.
Pane *PaneOf(Ring *link) { return reinterpret_cast<Pane *>(link); }
} // namespace

void RefreshPanes(Graph *graph) {
    if (!graph) return;
    // The drawing's first cell: level in the low half, row in the high half.
    uint32_t pos = (uint32_t(graph->levelFirst) & 0xFFFF) | (uint32_t(graph->rowFirst) << 16);
    // Each pane's successor is read before the pane is asked anything.
    for (Ring *r = graph->paneRing.next, *next; r != &graph->paneRing; r = next) {
        next = r->next;
        Pane *pane = PaneOf(r);
        if (YacPane(pane, kPaneScrollToCell, intptr_t(pos)) < 0)
            YacPane(pane, kPaneRecompute, 0x10001);
    }
}

void UpdatePanes(Graph *graph) {
    if (!graph) return;
    for (Ring *r = graph->paneRing.next, *next; r != &graph->paneRing; r = next) {
        next = r->next;
        PaneUpdateWindow(PaneOf(r));
    }
}

void RepaintChangedPanes(Graph *graph, Vert *verts, Link *links, int force) {
    for (Ring *r = graph->paneRing.next, *next; r != &graph->paneRing; r = next) {
        next = r->next;
        RepaintChanged(PaneOf(r), verts, links, force);
    }
}
