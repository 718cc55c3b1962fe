// LocVerts on generated graphs: time per vertex and link, and the peak of
// the memory the layout holds. Each graph is built once and laid out again
// and again, so the time is the layout's alone.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>

#include "block_memory.h"
#include "graph_shapes.h"

// Every platform block the library takes or gives back passes through here
// (the link step wraps the two calls), so a layout's peak can be counted.
extern "C" void *__real__Z10BlockAllocm(size_t bytes);
extern "C" void __real__Z9BlockFreePv(void *block);

namespace {

bool counting = false;
long long liveBytes = 0, peakBytes = 0;

} // namespace

extern "C" void *__wrap__Z10BlockAllocm(size_t bytes) {
    void *block = __real__Z10BlockAllocm(bytes);
    if (block && counting) {
        liveBytes += (long long)malloc_usable_size(block);
        if (liveBytes > peakBytes) peakBytes = liveBytes;
    }
    return block;
}

extern "C" void __wrap__Z9BlockFreePv(void *block) {
    if (block && counting) liveBytes -= (long long)malloc_usable_size(block);
    __real__Z9BlockFreePv(block);
}

namespace {

struct Built {
    Shape shape;
    uint32_t n = 0, links = 0;
    Graph *graph = nullptr;
};

// The graph of the running benchmark; replaced when the shape or size changes.
Built &GraphFor(Shape shape, uint32_t n) {
    static Built built;
    if (built.graph && built.shape == shape && built.n == n) return built;
    if (built.graph) DelGraph(built.graph);
    built = Built{shape, n, 0, nullptr};
    NewGraph(&built.graph, 0);
    built.links = BuildShape(built.graph, shape, n, 12345, true);
    return built;
}

// Bytes of platform blocks the layout holds at most beyond what the graph
// held before the call.
long long LayoutPeak(Graph *graph) {
    liveBytes = peakBytes = 0;
    counting = true;
    LocVerts(graph);
    counting = false;
    return peakBytes;
}

void BM_LocVerts(benchmark::State &state, Shape shape) {
    Built &b = GraphFor(shape, uint32_t(state.range(0)));
    long long peak = LayoutPeak(b.graph);
    for (auto _ : state) {
        if (LocVerts(b.graph) != 0) {
            state.SkipWithError("layout failed");
            break;
        }
    }
    double elements = double(b.n) + b.links;
    state.counters["links"] = b.links;
    state.counters["ns_per_elem"] =
        benchmark::Counter(elements, benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
    state.counters["peak_MB"] = double(peak) / 1e6;
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

// The direct build must give the graph the exports give.
bool DirectBuildMatches() {
    const Shape shapes[] = {Shape::Chain,     Shape::RandomSparse, Shape::FanOutIn,
                            Shape::LongLinks, Shape::LayeredGrid,  Shape::SmallParts};
    for (Shape shape : shapes) {
        Graph *direct = nullptr, *exported = nullptr;
        NewGraph(&direct, 0);
        NewGraph(&exported, 0);
        bool same = BuildShape(direct, shape, 1000, 12345, true) ==
                        BuildShape(exported, shape, 1000, 12345, false) &&
                    SameGraph(direct, exported);
        DelGraph(direct);
        DelGraph(exported);
        if (!same) {
            std::fprintf(stderr, "direct build of %s differs from the exports\n", ShapeName(shape));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv) {
    if (!DirectBuildMatches()) return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
