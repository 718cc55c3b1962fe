// The graph record and the graph-wide operations other parts of the library
// call: clearing a graph and telling its panes to refresh.
#pragma once

#include <cstddef>
#include <cstdint>

#include "brindle.h"
#include "item_pool.h"
#include "ring.h"

struct Vert;
struct Link;

constexpr int kNameBuckets = 101;

struct Graph {
    // Result block: written by the layout, read by panes and control calls.
    int32_t levelFirst;
    int32_t levelEnd;    // the drawing is empty when levelFirst >= levelEnd
    int32_t rowFirst;
    int32_t rowEnd;
    int32_t ringBase;    // level of levelRings[0]
    int32_t ringEnd;
    Ring *levelRings;    // a RingTable, one ring per level, rows ascending
    Vert *cycleFrom;     // after -13: start of the link that closed a cycle
    Vert *cycleTo;
    int32_t partCount;
    uint32_t placedCount;

    Ring nameBuckets[kNameBuckets];
    Ring vertRing;       // every vertex in creation order
    Ring paneRing;       // the panes, in the order they were attached
    ItemPool vertPool;
    ItemPool linkPool;
    ItemPool panePool;
    uintptr_t hostWord;  // kept for the host, never interpreted
    uint32_t flags;      // GraphPaneOwned only
};

#if !defined(_WIN64) && !defined(__x86_64__)
static_assert(sizeof(Graph) == 960, "Graph record");
static_assert(offsetof(Graph, levelRings) == 24 && offsetof(Graph, cycleFrom) == 28 &&
                  offsetof(Graph, partCount) == 36 && offsetof(Graph, placedCount) == 40 &&
                  offsetof(Graph, nameBuckets) == 44 && offsetof(Graph, vertRing) == 852 &&
                  offsetof(Graph, paneRing) == 860 && offsetof(Graph, vertPool) == 868 &&
                  offsetof(Graph, linkPool) == 896 && offsetof(Graph, panePool) == 924 &&
                  offsetof(Graph, hostWord) == 952 && offsetof(Graph, flags) == 956,
              "Graph fields");
static_assert(sizeof(GraphInfo) == 52 && offsetof(GraphInfo, cycleFrom) == 28 &&
                  offsetof(GraphInfo, cycleTo) == 32 && offsetof(GraphInfo, left) == 36 &&
                  offsetof(GraphInfo, bottom) == 48,
              "GraphInfo record");
#endif

// Discards every vertex, link and the layout result; panes, panePool,
// hostWord and flags are untouched and nothing is repainted.
void ResetGraph(Graph *graph, int keepRings);

// Zeroes the result block; unless keepRings, first releases levelRings.
void ResetResult(Graph *graph, int keepRings);

// Makes every pane show the drawing afresh from its first cell.
void RefreshPanes(Graph *graph);

// Has every pane paint its pending invalid area now, in paneRing order.
void UpdatePanes(Graph *graph);

// Asks every pane, in paneRing order, to repaint the chain of changed
// vertices and the chain of changed links.
void RepaintChangedPanes(Graph *graph, Vert *verts, Link *links, int force);
