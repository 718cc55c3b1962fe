// Handing a graph's whole content to another graph: move or deep copy.
#pragma once

#include <cstdint>

struct Graph;

// 0 moved, 1 same graph, -3 null. Vertex handles stay valid in the target.
int32_t MoveGraph(Graph *source, Graph *target);

// 0 copied, 1 same graph, -3 null, -7 no memory (both graphs unchanged).
int32_t CopyGraph(Graph *source, Graph *target);

// The result block goes to the target; the source's is cleared without
// releasing its levelRings, which the target now holds.
void MoveResult(Graph *source, Graph *target);

// A fresh table of high - low empty level rings (none when equal); -1 and
// nothing changed when it cannot be allocated.
int32_t NewLevelRings(Graph *graph, int32_t low, int32_t high);
