// LocVerts on generated graphs: time per vertex and link, and memory held.
#include <benchmark/benchmark.h>

#include "graph_shapes.h"

namespace {

void BM_LocVerts(benchmark::State &state, Shape shape) {
    uint32_t n = uint32_t(state.range(0));
    Graph *graph = nullptr;
    NewGraph(&graph, 0);
    uint32_t links = BuildShape(graph, shape, n, 12345);
    for (auto _ : state) {
        int32_t status = LocVerts(graph);
        if (status != 0) {
            state.SkipWithError("layout failed");
            break;
        }
    }
    GraphInfo info;
    IncGraph(graph, &info);
    double elements = double(n) + links;
    state.counters["links"] = links;
    state.counters["ns_per_elem"] =
        benchmark::Counter(elements, benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
    state.counters["graph_MB"] = info.bytes / 1e6;
    // Working records live only during the call: one per vertex and link.
    state.counters["work_MB"] = (n * 64.0 + links * 80.0) / 1e6;
    DelGraph(graph);
}

void Sizes(benchmark::internal::Benchmark *b) {
    for (int64_t n : {1000, 10000, 100000, 1000000}) b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(BM_LocVerts, chain, Shape::Chain)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LocVerts, random_sparse, Shape::RandomSparse)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LocVerts, fan_out_in, Shape::FanOutIn)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LocVerts, long_links, Shape::LongLinks)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LocVerts, layered_grid, Shape::LayeredGrid)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_LocVerts, small_parts, Shape::SmallParts)->Apply(Sizes);

} // namespace

BENCHMARK_MAIN();
