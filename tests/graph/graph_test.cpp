#include <cstring>

#include "brindle.h"
#include "graph.h"
#include "ring_table.h"
#include "test_support.h"

namespace {

using GraphTest = BlockLeakCheck;

GraphInfo Info(Graph *graph) {
    GraphInfo info;
    std::memset(&info, 0xCD, sizeof info);
    EXPECT_EQ(IncGraph(graph, &info), 0);
    return info;
}

void ExpectEmptyResult(const GraphInfo &info) {
    EXPECT_EQ(info.reserved, 0u);
    EXPECT_EQ(info.vertices, 0u);
    EXPECT_EQ(info.placed, 0u);
    EXPECT_EQ(info.links, 0u);
    EXPECT_EQ(info.partCount, 0);
    EXPECT_EQ(info.cycleFrom, nullptr);
    EXPECT_EQ(info.cycleTo, nullptr);
    EXPECT_EQ(info.left, 0);
    EXPECT_EQ(info.top, 0);
    EXPECT_EQ(info.right, 0);
    EXPECT_EQ(info.bottom, 0);
}

TEST_F(GraphTest, NewGraphIsEmpty) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    ASSERT_NE(graph, nullptr);
    GraphInfo info = Info(graph);
    ExpectEmptyResult(info);
    EXPECT_EQ(info.bytes, sizeof(Graph));
    if (sizeof(void *) == 4) {
        EXPECT_EQ(info.bytes, 960u);
    }
    EXPECT_EQ(info.panes, 0u);
    uint32_t flags = 0xFFFF;
    EXPECT_EQ(GetGraph(graph, &flags), 0);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(DelGraph(graph), 0);
}

TEST_F(GraphTest, ReservedArgumentIsNotRead) {
    Graph *a = nullptr, *b = nullptr;
    ASSERT_EQ(NewGraph(&a, 0), 0);
    ASSERT_EQ(NewGraph(&b, 0x7777), 0);
    GraphInfo ia = Info(a), ib = Info(b);
    EXPECT_EQ(std::memcmp(&ia, &ib, sizeof ia), 0);
    DelGraph(a);
    DelGraph(b);
}

TEST_F(GraphTest, NewGraphOutOfMemoryStoresNull) {
    Graph *graph = reinterpret_cast<Graph *>(uintptr_t(0x1234));
    BlockFailAt(1);
    EXPECT_EQ(NewGraph(&graph, 0), E_MEMORY);
    EXPECT_EQ(graph, nullptr);
}

TEST_F(GraphTest, NewGraphWithoutOutPointerMakesNothing) {
    uint32_t before = BlockLiveCount();
    EXPECT_EQ(NewGraph(nullptr, 0), E_ARG);
    EXPECT_EQ(BlockLiveCount(), before);
}

TEST_F(GraphTest, NullArguments) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    uint32_t word = 1;
    GraphInfo info;
    EXPECT_EQ(GetGraph(nullptr, &word), E_ARG);
    EXPECT_EQ(GetGraph(graph, nullptr), E_ARG);
    EXPECT_EQ(SetGraph(nullptr, &word), E_ARG);
    EXPECT_EQ(SetGraph(graph, nullptr), E_ARG);
    EXPECT_EQ(IncGraph(nullptr, &info), E_ARG);
    EXPECT_EQ(IncGraph(graph, nullptr), E_ARG);
    EXPECT_EQ(DelGraph(nullptr), 0);
    EXPECT_EQ(GetGraph(graph, &word), 0);
    EXPECT_EQ(word, 0u) << "a failed SetGraph changed the flags";
    DelGraph(graph);
}

TEST_F(GraphTest, SetGraphCopiesBitZeroOnly) {
    const struct {
        uint32_t before, written, after;
    } cases[] = {
        {0, 0xFFFFFFFFu, 1}, {1, 0, 0}, {0, 0xFFFFFFFEu, 0}, {1, 1, 1}, {0x80000000u, 1, 0x80000001u},
    };
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    for (const auto &c : cases) {
        graph->flags = c.before;
        EXPECT_EQ(SetGraph(graph, &c.written), 0);
        uint32_t got = 0;
        EXPECT_EQ(GetGraph(graph, &got), 0);
        EXPECT_EQ(got, c.after) << std::hex << c.before << " <- " << c.written;
    }
    DelGraph(graph);
}

TEST_F(GraphTest, BytesCountPoolBlocksAndLevelRings) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    PoolAlloc(&graph->vertPool);
    EXPECT_EQ(Info(graph).bytes, sizeof(Graph) + graph->vertPool.blockBytes);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(Info(graph).bytes, 17260u);
    }
    PoolAlloc(&graph->vertPool);
    PoolAlloc(&graph->linkPool);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(Info(graph).bytes, 33640u);
    }
    EXPECT_EQ(Info(graph).vertices, 2u);
    EXPECT_EQ(Info(graph).links, 1u);
    uint32_t withoutRings = Info(graph).bytes;
    ASSERT_EQ(RingTableSet(5, &graph->levelRings, 1), 0);
    graph->ringBase = -2;
    graph->ringEnd = 3;
    EXPECT_EQ(Info(graph).bytes, withoutRings + 5 * sizeof(Ring));
    // DelGraph releases the rings, the pools and the record.
    DelGraph(graph);
}

TEST_F(GraphTest, ResultBlockReachesGraphInfo) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    Vert *from = reinterpret_cast<Vert *>(PoolAlloc(&graph->vertPool));
    Vert *to = reinterpret_cast<Vert *>(PoolAlloc(&graph->vertPool));
    graph->levelFirst = -1;
    graph->levelEnd = 4;
    graph->rowFirst = 2;
    graph->rowEnd = 9;
    graph->cycleFrom = from;
    graph->cycleTo = to;
    graph->partCount = 3;
    graph->placedCount = 7;
    GraphInfo info = Info(graph);
    EXPECT_EQ(info.left, -1);
    EXPECT_EQ(info.top, 2);
    EXPECT_EQ(info.right, 4);
    EXPECT_EQ(info.bottom, 9);
    EXPECT_EQ(info.cycleFrom, from);
    EXPECT_EQ(info.cycleTo, to);
    EXPECT_EQ(info.partCount, 3);
    EXPECT_EQ(info.placed, 7u);
    DelGraph(graph);
}

// Clearing keeps what belongs to the panes and the host.
TEST_F(GraphTest, ResetKeepsPanesHostWordAndFlags) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    void *pane = PoolAlloc(&graph->panePool);
    RingAppend(static_cast<Ring *>(pane), &graph->paneRing);
    for (int i = 0; i < 300; ++i) PoolAlloc(&graph->vertPool);
    PoolAlloc(&graph->linkPool);
    ASSERT_EQ(RingTableSet(4, &graph->levelRings, 1), 0);
    graph->ringEnd = 4;
    graph->levelEnd = graph->rowEnd = 4;
    graph->partCount = 2;
    graph->placedCount = 300;
    graph->hostWord = 0xFEED;
    graph->flags = GraphPaneOwned;

    ResetGraph(graph, 0);
    GraphInfo info = Info(graph);
    ExpectEmptyResult(info);
    EXPECT_EQ(info.bytes, sizeof(Graph) + graph->panePool.blockBytes);
    EXPECT_EQ(info.panes, 1u);
    EXPECT_EQ(graph->levelRings, nullptr);
    EXPECT_EQ(graph->hostWord, 0xFEEDu);
    EXPECT_EQ(graph->flags, GraphPaneOwned);
    EXPECT_EQ(graph->paneRing.next, static_cast<Ring *>(pane));
    for (const Ring &bucket : graph->nameBuckets) EXPECT_TRUE(RingEmpty(&bucket));
    EXPECT_TRUE(RingEmpty(&graph->vertRing));
    DelGraph(graph);
}

TEST_F(GraphTest, ResetResultCanKeepTheLevelRings) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    Ring *rings = nullptr;
    ASSERT_EQ(RingTableSet(2, &rings, 1), 0);
    graph->levelRings = rings;
    graph->ringEnd = 2;
    ResetResult(graph, 1);
    EXPECT_EQ(graph->levelRings, nullptr);
    EXPECT_EQ(graph->ringEnd, 0);
    RingTableSet(0, &rings, 0); // still ours to release
    DelGraph(graph);
}

TEST_F(GraphTest, DelGraphDestroysEveryPane) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    for (int i = 0; i < 3; ++i)
        RingAppend(static_cast<Ring *>(PoolAlloc(&graph->panePool)), &graph->paneRing);
    graph->flags = GraphPaneOwned;
    EXPECT_EQ(Info(graph).panes, 3u);
    EXPECT_EQ(DelGraph(graph), 0); // the leak check sees every pane block back
}

TEST_F(GraphTest, RefreshAndUpdateWithoutPanesDoNothing) {
    Graph *graph = nullptr;
    ASSERT_EQ(NewGraph(&graph, 0), 0);
    RefreshPanes(graph);
    UpdatePanes(graph);
    RefreshPanes(nullptr);
    UpdatePanes(nullptr);
    ExpectEmptyResult(Info(graph));
    DelGraph(graph);
}

} // namespace
