// Finding vertices of a laid-out graph by cell and in reading order (by
// row, then by level). A cell is packed as the level in the low 16 bits and
// the row in the high 16 bits.
#pragma once

#include <cstdint>

struct Graph;
struct Vert;

Vert *VertAtCell(Graph *graph, uint32_t cell);
Vert *NextInReadingOrder(Graph *graph, uint32_t cell);
Vert *PrevInReadingOrder(Graph *graph, uint32_t cell);
