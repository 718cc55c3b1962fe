#include "test_support.h"
#include "vert.h"

namespace {

using YacGraphTest = GraphFixture;

TEST_F(YacGraphTest, HostWordCountsAndUnknownCodes) {
    EXPECT_EQ(YacGraph(graph, 0, 0), reinterpret_cast<intptr_t>(graph));
    EXPECT_EQ(YacGraph(graph, 1, 9), 0);
    EXPECT_EQ(YacGraph(graph, 3, 7), 0);
    EXPECT_EQ(YacGraph(graph, 2, 0), 7);
    EXPECT_EQ(YacGraph(graph, 3, 8), 7);
    Vert *a = Add("a"), *b = Add("b");
    ConVert(a, b, 1);
    GraphInfo info;
    IncGraph(graph, &info);
    EXPECT_EQ(YacGraph(graph, 10, 0), intptr_t(info.vertices));
    EXPECT_EQ(YacGraph(graph, 11, 0), intptr_t(info.links));
    EXPECT_EQ(YacGraph(graph, 12, 0), intptr_t(info.panes));
    for (int32_t code : {4, 5, 6, 7}) EXPECT_EQ(YacGraph(graph, code, 0x10001), 0) << code;
    EXPECT_EQ(YacGraph(graph, 14, 0), 0) << "no pane";
    EXPECT_EQ(YacGraph(graph, 15, 0), 0);
    for (int32_t code : {24, 1000, -1}) EXPECT_EQ(YacGraph(graph, code, 1), 0) << code;
    EXPECT_EQ(YacGraph(nullptr, 2, 0), 0);
    EXPECT_EQ(YacGraph(nullptr, 0, 0), 0);
    EXPECT_EQ(YacGraph(graph, 2, 0), 8);
}

TEST_F(YacGraphTest, Extent) {
    int32_t rect[4] = {9, 9, 9, 9};
    EXPECT_EQ(YacGraph(graph, 13, reinterpret_cast<intptr_t>(rect)), 0);
    EXPECT_EQ(rect[0] | rect[1] | rect[2] | rect[3], 0);
    graph->levelFirst = 0;
    graph->levelEnd = 3;
    graph->rowFirst = 1;
    graph->rowEnd = 2;
    EXPECT_EQ(YacGraph(graph, 13, reinterpret_cast<intptr_t>(rect)), 1);
    EXPECT_EQ(rect[0], 0);
    EXPECT_EQ(rect[1], 1);
    EXPECT_EQ(rect[2], 3);
    EXPECT_EQ(rect[3], 2);
    EXPECT_EQ(YacGraph(graph, 13, 0), 1);
}

TEST_F(YacGraphTest, HighlightOverAllVertices) {
    Vert *a = Add("a"), *b = Add("b");
    Add("c");
    YacVert(b, 13, 2);
    EXPECT_EQ(YacGraph(graph, 9, 0), 1);
    EXPECT_EQ(YacGraph(graph, 9, 3), 3);
    EXPECT_EQ(YacGraph(graph, 9, 0), 2) << "the ones not highlighted before";
    EXPECT_EQ(YacGraph(graph, 9, 2), 1);
    EXPECT_EQ(YacGraph(graph, 9, 1), 3);
    EXPECT_EQ(YacGraph(graph, 9, 1), 0);
    EXPECT_EQ(YacGraph(graph, 9, 4), 0);
    EXPECT_EQ(YacVert(a, 2, 0), 0x20000000) << "the previous state was highlighted";
}

TEST_F(YacGraphTest, StepVertices) {
    Vert *a = Add("a"), *b = Add("b");
    EXPECT_EQ(YacGraph(graph, 16, 0), reinterpret_cast<intptr_t>(a));
    EXPECT_EQ(YacGraph(graph, 16, reinterpret_cast<intptr_t>(a)), reinterpret_cast<intptr_t>(b));
    EXPECT_EQ(YacGraph(graph, 16, reinterpret_cast<intptr_t>(b)), 0);
    EXPECT_EQ(YacGraph(graph, 17, 0), reinterpret_cast<intptr_t>(b));
    EXPECT_EQ(YacGraph(graph, 17, reinterpret_cast<intptr_t>(a)), 0);
}

} // namespace
