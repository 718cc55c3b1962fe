#include "graph_shapes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "vert.h"

namespace {

using Emit = std::function<void(uint32_t, uint32_t)>;

// Every link of a shape, each pair once and never a vertex to itself.
void Generate(Shape shape, uint32_t n, uint32_t seed, const Emit &link) {
    std::mt19937 rng(seed);
    switch (shape) {
    case Shape::Chain:
        for (uint32_t i = 0; i + 1 < n; ++i) link(i, i + 1);
        break;
    case Shape::RandomSparse:
        // About three links per vertex, each to a later vertex not far ahead.
        for (uint32_t i = 0; i + 1 < n; ++i) {
            uint32_t ahead = std::min<uint32_t>(n - i - 1, 1000), picked[3];
            for (uint32_t k = 0; k < 3 && k < ahead; ++k) {
                uint32_t j;
                do j = i + 1 + rng() % ahead;
                while (std::find(picked, picked + k, j) != picked + k);
                picked[k] = j;
                link(i, j);
            }
        }
        break;
    case Shape::FanOutIn: {
        // One hub feeding up to 10^5 vertices, which all feed one sink; the
        // rest are chained behind the sink.
        uint32_t wide = std::min<uint32_t>(n - 2, 100000);
        for (uint32_t i = 1; i <= wide; ++i) {
            link(0, i);
            link(i, wide + 1);
        }
        for (uint32_t i = wide + 1; i + 1 < n; ++i) link(i, i + 1);
        break;
    }
    case Shape::LongLinks:
        // A chain with links that skip hundreds of levels.
        for (uint32_t i = 0; i + 1 < n; ++i) {
            link(i, i + 1);
            uint32_t far = std::min<uint32_t>(n - 1, i + 100 + uint32_t(rng() % 400));
            if (i % 4 == 0 && far > i + 1) link(i, far);
        }
        break;
    case Shape::LayeredGrid: {
        // Square-ish grid: each vertex links right and down-right.
        uint32_t width = 1;
        while (width * width < n) ++width;
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t level = i / width, row = i % width;
            if (level + 1 < (n + width - 1) / width) {
                if (i + width < n) link(i, i + width);
                if (row + 1 < width && i + width + 1 < n) link(i, i + width + 1);
            }
        }
        break;
    }
    case Shape::SmallParts:
        // Components of four: a diamond.
        for (uint32_t i = 0; i + 3 < n; i += 4) {
            link(i, i + 1);
            link(i, i + 2);
            link(i + 1, i + 3);
            link(i + 2, i + 3);
        }
        break;
    }
}

VertRec Named(uint32_t i) {
    VertRec rec = {};
    std::snprintf(rec.name, sizeof rec.name, "v%u", i);
    return rec;
}

// A link appended at the end of both lists, as ConVert appends it.
void Append(Graph *graph, Vert *from, Vert *to, Link **lastOut, Link **lastIn) {
    auto *l = static_cast<Link *>(PoolAlloc(&graph->linkPool));
    l->flags = LinkShown;
    l->source = from;
    l->target = to;
    if (*lastIn) {
        (*lastIn)->inNext = l;
        l->inPrev = *lastIn;
    } else {
        to->inFirst = l;
        to->linkBits |= VertHasIn;
    }
    *lastIn = l;
    if (*lastOut) {
        (*lastOut)->outNext = l;
        l->outPrev = *lastOut;
    } else {
        from->outFirst = l;
        from->linkBits |= VertHasOut;
    }
    *lastOut = l;
}

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

uint32_t BuildShape(Graph *graph, Shape shape, uint32_t n, uint32_t seed, bool direct) {
    std::vector<Vert *> v(n);
    for (uint32_t i = 0; i < n; ++i) {
        VertRec rec = Named(i);
        if (direct) v[i] = CreateVert(graph, &rec, NameHash(rec.name));
        else NewVert(&v[i], &rec, graph);
    }
    uint32_t links = 0;
    if (direct) {
        std::vector<Link *> lastOut(n), lastIn(n);
        Generate(shape, n, seed, [&](uint32_t a, uint32_t b) {
            Append(graph, v[a], v[b], &lastOut[a], &lastIn[b]);
            ++links;
        });
    } else {
        Generate(shape, n, seed, [&](uint32_t a, uint32_t b) {
            links += ConVert(v[a], v[b], 1) == 1 ? 1 : 0;
        });
    }
    return links;
}

bool SameGraph(Graph *a, Graph *b) {
    Ring *ra = a->vertRing.next, *rb = b->vertRing.next;
    for (; ra != &a->vertRing && rb != &b->vertRing; ra = ra->next, rb = rb->next) {
        Vert *va = VertOfOrder(ra), *vb = VertOfOrder(rb);
        if (std::strcmp(va->rec.name, vb->rec.name) != 0 || va->linkBits != vb->linkBits ||
            va->nameHash != vb->nameHash)
            return false;
        Link *la = va->outFirst, *lb = vb->outFirst;
        for (; la && lb; la = la->outNext, lb = lb->outNext)
            if (std::strcmp(la->target->rec.name, lb->target->rec.name) != 0 ||
                la->flags != lb->flags)
                return false;
        if (la || lb) return false;
        la = va->inFirst;
        lb = vb->inFirst;
        for (; la && lb; la = la->inNext, lb = lb->inNext)
            if (std::strcmp(la->source->rec.name, lb->source->rec.name) != 0) return false;
        if (la || lb) return false;
    }
    return ra == &a->vertRing && rb == &b->vertRing &&
           PoolCount(&a->linkPool) == PoolCount(&b->linkPool);
}
