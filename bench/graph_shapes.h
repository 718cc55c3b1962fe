// Generated graphs for the layout benchmarks.
#pragma once

#include <cstdint>
#include <string>

#include "brindle.h"

enum class Shape { Chain, RandomSparse, FanOutIn, LongLinks, LayeredGrid, SmallParts };

const char *ShapeName(Shape shape);

// Builds a graph of about n vertices of the shape into an empty graph;
// returns the number of links made.
uint32_t BuildShape(Graph *graph, Shape shape, uint32_t n, uint32_t seed);
