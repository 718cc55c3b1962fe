#include "graph_shapes.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

std::vector<Vert *> MakeVerts(Graph *graph, uint32_t n) {
    std::vector<Vert *> verts(n);
    VertRec rec = {};
    for (uint32_t i = 0; i < n; ++i) {
        std::snprintf(rec.name, sizeof rec.name, "v%u", i);
        NewVert(&verts[i], &rec, graph);
    }
    return verts;
}

uint32_t Link(Vert *a, Vert *b) { return ConVert(a, b, 1) == 1 ? 1 : 0; }

} // namespace

const char *ShapeName(Shape shape) {
    switch (shape) {
    case Shape::Chain: return "chain";
    case Shape::RandomSparse: return "random_sparse";
    case Shape::FanOutIn: return "fan_out_in";
    case Shape::LongLinks: return "long_links";
    case Shape::LayeredGrid: return "layered_grid";
    case Shape::SmallParts: return "small_parts";
    }
    return "?";
}

uint32_t BuildShape(Graph *graph, Shape shape, uint32_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<Vert *> v = MakeVerts(graph, n);
    uint32_t links = 0;
    switch (shape) {
    case Shape::Chain:
        for (uint32_t i = 0; i + 1 < n; ++i) links += Link(v[i], v[i + 1]);
        break;
    case Shape::RandomSparse:
        // About three links per vertex, each to a later vertex not far ahead.
        for (uint32_t i = 0; i + 1 < n; ++i)
            for (int k = 0; k < 3; ++k) {
                uint32_t j = i + 1 + rng() % std::min<uint32_t>(n - i - 1, 1000);
                links += Link(v[i], v[j]);
            }
        break;
    case Shape::FanOutIn: {
        // One hub feeding up to 10^5 vertices, which all feed one sink; the
        // rest are chained behind the sink.
        uint32_t wide = std::min<uint32_t>(n - 2, 100000);
        for (uint32_t i = 1; i <= wide; ++i) links += Link(v[0], v[i]) + Link(v[i], v[wide + 1]);
        for (uint32_t i = wide + 1; i + 1 < n; ++i) links += Link(v[i], v[i + 1]);
        break;
    }
    case Shape::LongLinks:
        // A chain with links that skip hundreds of levels.
        for (uint32_t i = 0; i + 1 < n; ++i) {
            links += Link(v[i], v[i + 1]);
            if (i % 4 == 0) links += Link(v[i], v[std::min<uint32_t>(n - 1, i + 100 + uint32_t(rng() % 400))]);
        }
        break;
    case Shape::LayeredGrid: {
        // Square-ish grid: each vertex links right and down-right.
        uint32_t width = 1;
        while (width * width < n) ++width;
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t level = i / width, row = i % width;
            if (level + 1 < (n + width - 1) / width) {
                if (i + width < n) links += Link(v[i], v[i + width]);
                if (row + 1 < width && i + width + 1 < n) links += Link(v[i], v[i + width + 1]);
            }
        }
        break;
    }
    case Shape::SmallParts:
        // Components of four: a diamond.
        for (uint32_t i = 0; i + 3 < n; i += 4)
            links += Link(v[i], v[i + 1]) + Link(v[i], v[i + 2]) + Link(v[i + 1], v[i + 3]) +
                     Link(v[i + 2], v[i + 3]);
        break;
    }
    return links;
}
