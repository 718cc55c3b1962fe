// Generated graphs for the layout benchmarks.
#pragma once

#include <cstdint>

#include "brindle.h"

enum class Shape { Chain, RandomSparse, FanOutIn, LongLinks, LayeredGrid, SmallParts };

const char *ShapeName(Shape shape);

// Builds a graph of n vertices of the shape into an empty graph and returns
// the number of links. Named vertices and ConVert cost time that grows with
// the graph (name buckets, link lists walked to their ends), so large graphs
// are built directly into the graph's records, in exactly the lists and
// orders that NewVert and ConVert would give; `direct` chooses the way.
uint32_t BuildShape(Graph *graph, Shape shape, uint32_t n, uint32_t seed, bool direct);

// True when two graphs hold the same vertex names in the same order with
// the same outgoing and incoming orders: the check that the direct build
// gives what the exports give.
bool SameGraph(Graph *a, Graph *b);
