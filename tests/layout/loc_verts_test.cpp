#include <sstream>

#include "graph_move.h"
#include "layout.h"
#include "layout_support.h"
#include "vert.h"

namespace {

struct LocVertsTest : GraphFixture {
    std::map<std::string, Vert *> v;
    void Make(const std::string &names, const std::string &links) {
        v = Build(graph, names, links);
    }
    GraphInfo Info() {
        GraphInfo info;
        IncGraph(graph, &info);
        return info;
    }
};

// Each case: vertices in creation order, links, expected (level,row) per
// vertex in that order, and the extent.
struct Case {
    const char *what, *names, *links;
    std::vector<CellOf> cells;
    int32_t levelEnd, rowEnd, parts;
};

TEST_F(LocVertsTest, PlacesTheSmallCases) {
    const Case cases[] = {
        {"single vertex", "s", "", {{0, 0}}, 1, 1, 1},
        {"two isolated vertices", "a b", "", {{0, 0}, {0, 1}}, 1, 2, 2},
        {"chain", "s a b", "s>a a>b", {{0, 0}, {1, 0}, {2, 0}}, 3, 1, 1},
        {"fan out", "s a b", "s>a s>b", {{0, 0}, {1, 0}, {1, 1}}, 2, 2, 1},
        {"paths that join", "s a b c", "s>a s>b a>c b>c",
         {{0, 0}, {1, 0}, {1, 1}, {2, 0}}, 3, 2, 1},
        {"two sources", "s t c", "s>c t>c", {{0, 0}, {0, 1}, {1, 0}}, 2, 2, 1},
        {"level below the start shifted to 0", "s c t u", "s>c t>c u>t",
         {{1, 1}, {2, 0}, {1, 0}, {0, 0}}, 3, 2, 1},
        {"straight long link pushes a down", "s a b", "s>a a>b s>b",
         {{0, 0}, {1, 1}, {2, 0}}, 3, 2, 1},
        // 3x2, 1x1 and 3x4 components, explored in that order.
        {"components sorted by size", "x0 x1 x2 y one p0 p1 p2 q r w",
         "x0>x1 x1>x2 x0>y p0>p1 p1>p2 p0>q p0>r p0>w",
         {{0, 4}, {1, 4}, {2, 4}, {1, 5}, {0, 6}, {0, 0}, {1, 0}, {2, 0}, {1, 1}, {1, 2}, {1, 3}},
         3, 7, 3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ZapVerts(graph);
        Make(c.names, c.links);
        ASSERT_EQ(LocVerts(graph), 0);
        std::istringstream in(c.names);
        size_t i = 0;
        for (std::string name; in >> name; ++i) EXPECT_EQ(Cell(v[name]), c.cells.at(i)) << name;
        GraphInfo info = Info();
        EXPECT_EQ(info.right, c.levelEnd);
        EXPECT_EQ(info.bottom, c.rowEnd);
        EXPECT_EQ(info.partCount, c.parts);
        EXPECT_EQ(info.placed, i);
        ExpectLayoutInvariants(graph);
    }
}

TEST_F(LocVertsTest, NullAndEmptyGraphs) {
    EXPECT_EQ(LocVerts(nullptr), E_ARG);
    EXPECT_EQ(LocVerts(graph), 0);
    EXPECT_EQ(Info().placed, 0u);
    Make("a", "");
    ASSERT_EQ(LocVerts(graph), 0);
    DelVert(v["a"]);
    // An empty graph keeps its previous extent and part count.
    EXPECT_EQ(LocVerts(graph), 0);
    GraphInfo info = Info();
    EXPECT_EQ(info.placed, 0u);
    EXPECT_EQ(info.right, 1);
    EXPECT_EQ(info.bottom, 1);
    EXPECT_EQ(info.partCount, 1);
}

struct CycleCase {
    const char *what, *names, *links, *from, *to;
};

TEST_F(LocVertsTest, EveryCycleFailsWithItsPair) {
    const CycleCase cases[] = {
        {"ring without a source", "a b c", "a>b b>c c>a", nullptr, nullptr},
        {"caught by the walk", "s a b", "s>a a>b b>a", "b", "a"},
        // The walk test lets this one pass: n2>n1 is walked from n0's
        // deferred link after n0 has left the stack.
        {"missed by the walk", "n0 n1 n2 n3", "n0>n2 n2>n1 n0>n3 n1>n3 n1>n2", "n2", "n1"},
        {"behind a cycle-free part", "a b c d e", "a>b b>c c>d d>e e>c a>e", nullptr, nullptr},
    };
    for (const CycleCase &c : cases) {
        SCOPED_TRACE(c.what);
        ZapVerts(graph);
        Make(c.names, c.links);
        ASSERT_EQ(LocVerts(graph), E_CYCLE);
        GraphInfo info = Info();
        if (c.from) {
            EXPECT_EQ(info.cycleFrom, v[c.from]);
            EXPECT_EQ(info.cycleTo, v[c.to]);
        } else if (info.cycleFrom) {
            // Whatever pair is named must be a link on a cycle.
            EXPECT_EQ(ConVert(info.cycleFrom, info.cycleTo, 0), 1);
        }
        EXPECT_EQ(info.placed, 0u);
    }
}

TEST_F(LocVertsTest, FailureKeepsThePreviousDrawing) {
    Make("s a b", "s>a a>b");
    ASSERT_EQ(LocVerts(graph), 0);
    Ring *rings = graph->levelRings;
    ASSERT_EQ(ConVert(v["b"], v["s"], 1), 1);
    EXPECT_EQ(LocVerts(graph), E_CYCLE);
    GraphInfo info = Info();
    EXPECT_EQ(info.right, 3);
    EXPECT_EQ(info.bottom, 1);
    EXPECT_EQ(graph->levelRings, rings);
    EXPECT_EQ(Cell(v["b"]), (CellOf{2, 0}));
    EXPECT_EQ(info.cycleFrom, nullptr) << "no source left: no walk met the cycle";
    // Success after failure replaces the whole result.
    ConVert(v["b"], v["s"], -1);
    ASSERT_EQ(LocVerts(graph), 0);
    info = Info();
    EXPECT_EQ(info.cycleFrom, nullptr);
    EXPECT_EQ(info.cycleTo, nullptr);
    ExpectLayoutInvariants(graph);
}

TEST_F(LocVertsTest, OutOfMemoryAtEveryAllocationKeepsTheDrawing) {
    Make("a b c d e f", "a>b b>c a>d e>f");
    ASSERT_EQ(LocVerts(graph), 0);
    VertRec rec = Rec("g");
    ASSERT_EQ(NewVert(&v["g"], &rec, graph), 0);
    ConVert(v["d"], v["g"], 1);
    int failures = 0;
    for (uint32_t nth = 1;; ++nth) {
        uint32_t live = BlockLiveCount();
        BlockFailAt(nth);
        int32_t status = LocVerts(graph);
        BlockFailAt(0);
        if (status == 0) break;
        ++failures;
        ASSERT_EQ(status, E_MEMORY) << nth;
        ASSERT_EQ(BlockLiveCount(), live) << "working memory freed";
        EXPECT_EQ(Cell(v["g"]), (CellOf{kNoCell, kNoCell}));
        EXPECT_EQ(Info().placed, 6u);
    }
    // Vertex and link records, the component block, the level rings of
    // both components, the published rings.
    EXPECT_EQ(failures, 6);
    ExpectLayoutInvariants(graph);
}

TEST_F(LocVertsTest, CellQueriesOnALaidOutGraph) {
    // (0,0), (1,0), (0,1), (2,1): a>b is one component; c>x>d another.
    Make("a b c x d", "a>b c>x x>d");
    ASSERT_EQ(LocVerts(graph), 0);
    // c>x>d has three levels and sorts first: rows 0; a>b goes to row 1.
    ASSERT_EQ(Cell(v["c"]), (CellOf{0, 0}));
    ASSERT_EQ(Cell(v["a"]), (CellOf{0, 1}));
    auto at = [&](int32_t code, int32_t level, int32_t row) {
        return reinterpret_cast<Vert *>(YacGraph(graph, code, (row << 16) | level));
    };
    for (auto &[name, vert] : v) {
        EXPECT_EQ(at(19, vert->level, vert->row), vert) << name;
        EXPECT_EQ(YacVert(vert, 12, 0), (vert->row << 16) | vert->level);
    }
    EXPECT_EQ(at(19, 2, 1), nullptr) << "an empty cell";
    EXPECT_EQ(at(19, 3, 0), nullptr) << "outside";
}

TEST_F(LocVertsTest, ReadingOrder) {
    // Vertices at (0,0), (1,0), (0,1), (2,1) of a drawing of 3 levels x 2 rows.
    Make("a b c d", "");
    graph->levelEnd = graph->ringEnd = 3;
    graph->rowEnd = 2;
    ASSERT_EQ(NewLevelRings(graph, 0, 3), 0);
    graph->levelEnd = 3;
    graph->rowEnd = 2;
    const struct {
        const char *name;
        int32_t level, row;
    } cells[] = {{"a", 0, 0}, {"c", 0, 1}, {"b", 1, 0}, {"d", 2, 1}};
    for (const auto &c : cells) {
        Vert *x = v[c.name];
        x->level = c.level;
        x->row = c.row;
        x->rec.flags |= VertPlaced;
        RingAppend(&x->levelLink, &graph->levelRings[c.level]);
    }
    auto step = [&](int32_t code, int32_t level, int32_t row) -> std::string {
        auto *x = reinterpret_cast<Vert *>(YacGraph(graph, code, (row << 16) | level));
        return x ? x->rec.name : "0";
    };
    const struct {
        int32_t code, level, row;
        const char *expected;
    } cases[] = {
        {20, 0, 0, "b"}, {20, 1, 0, "c"}, {20, 2, 1, "0"}, {20, 5, 0, "c"}, {20, 0, 65535, "0"},
        {20, 2, 0, "c"}, {20, 0, 1, "d"}, {21, 0, 1, "b"}, {21, 0, 0, "0"}, {21, 0, 9, "d"},
        {21, 2, 1, "c"}, {21, 5, 1, "d"}, {21, 5, 0, "b"}, {19, 1, 1, "0"}, {19, 2, 1, "d"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(step(c.code, c.level, c.row), c.expected)
            << "code " << c.code << " from (" << c.level << "," << c.row << ")";
}

} // namespace
