// Selection on a large random graph: everything downstream of the first
// source, and the whole connected component. Reports time per vertex and
// link that the selection reached.
//
// The graph is built once per size and reused by every iteration; each
// iteration flips the highlight of what it selects, so every vertex and
// link reached is also changed and goes through the whole call.
//
// Building a million vertices through NewVert looks every name up in one of
// 101 buckets, and the layout of such a graph takes far longer than the
// selection; neither is measured here. The graph is therefore made with the
// library's internal operations (no name lookup) and not laid out: the
// selection reads nothing of the layout but the count of placed vertices,
// which is set to the number of vertices.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <vector>

#include "graph.h"
#include "vert.h"

namespace {

struct BenchGraph {
    Graph *graph = nullptr;
    std::vector<Vert *> verts;
    uint32_t links = 0;
};

// About three links per vertex, each to a later vertex at most 1000 ahead:
// no directed cycle, one component in practice.
BenchGraph MakeRandomDag(uint32_t n, uint32_t seed) {
    BenchGraph g;
    NewGraph(&g.graph, 0);
    std::mt19937 rng(seed);
    VertRec rec = {};
    g.verts.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
        std::snprintf(rec.name, sizeof rec.name, "v%u", i);
        g.verts[i] = CreateVert(g.graph, &rec, NameHash(rec.name));
    }
    for (uint32_t i = 0; i + 1 < n; ++i)
        for (int k = 0; k < 3; ++k) {
            uint32_t span = n - i - 1 < 1000 ? n - i - 1 : 1000;
            g.links += ConnectVerts(g.graph, g.verts[i], g.verts[i + 1 + rng() % span]) == 1;
        }
    g.graph->placedCount = PoolCount(&g.graph->vertPool);
    return g;
}

// One graph per size, kept for the whole run.
BenchGraph &GraphOfSize(uint32_t n) {
    static std::vector<std::pair<uint32_t, BenchGraph>> made;
    for (auto &m : made)
        if (m.first == n) return m.second;
    made.emplace_back(n, MakeRandomDag(n, 12345));
    return made.back().second;
}

Vert *FirstSource(Graph *graph) {
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next)
        if (!VertOfOrder(r)->inFirst) return VertOfOrder(r);
    return nullptr;
}

void BM_Select(benchmark::State &state, uint32_t scope) {
    BenchGraph &g = GraphOfSize(uint32_t(state.range(0)));
    std::vector<Vert *> out(g.verts.size());
    SelectRequest request = {scope | SelRule(SelRuleFlip, SelVertHilite) |
                                 SelRule(SelRuleFlip, SelAnchorHilite) |
                                 SelRule(SelRuleFlip, SelLinkHilite),
                             FirstSource(g.graph), nullptr, uint32_t(out.size()), out.data()};
    intptr_t selected = 0;
    for (auto _ : state) {
        selected = YacGraph(g.graph, 22, reinterpret_cast<intptr_t>(&request));
        if (selected < 0) {
            state.SkipWithError("selection failed");
            break;
        }
    }
    // The links reached: every outgoing link of a selected vertex.
    double links = 0;
    for (intptr_t i = 0; i < selected; ++i)
        for (Link *l = out[size_t(i)]->outFirst; l; l = l->outNext) ++links;
    state.counters["vertices"] = double(selected);
    state.counters["links"] = links;
    state.counters["ns_per_elem"] = benchmark::Counter(
        double(selected) + links,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Sizes(benchmark::internal::Benchmark *b) {
    for (int64_t n : {10000, 100000, 1000000}) b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_Select, downstream, uint32_t(SelDownAll))->Apply(Sizes);
BENCHMARK_CAPTURE(BM_Select, component, uint32_t(SelComponent))->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
