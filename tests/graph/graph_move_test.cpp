#include <cstdio>
#include <sstream>
#include <string>

#include "graph_move.h"
#include "test_support.h"
#include "vert.h"

namespace {

struct Placed {
    Vert *v;
    int32_t level, row;
};

// Leaves the graph as a layout would: cells, VertPlaced/LinkPlaced, level
// rings in row order and the result block. Rows must be given ascending per
// level.
void FakeLayout(Graph *graph, const std::vector<Placed> &cells, int32_t levels, int32_t rows) {
    ASSERT_EQ(NewLevelRings(graph, 0, levels), 0);
    for (const Placed &p : cells) {
        p.v->level = p.level;
        p.v->row = p.row;
        p.v->rec.flags |= VertPlaced;
        for (Link *l = p.v->outFirst; l; l = l->outNext) l->flags |= LinkPlaced;
        RingAppend(&p.v->levelLink, &graph->levelRings[p.level]);
    }
    graph->levelEnd = levels;
    graph->rowEnd = rows;
    graph->partCount = 1;
    graph->placedCount = uint32_t(cells.size());
}

std::string NameOf(const Vert *v) { return v ? v->rec.name : "-"; }

// Everything a host can tell about a graph's content, by names.
std::string Snapshot(Graph *g) {
    std::ostringstream out;
    out << "result " << g->levelFirst << ' ' << g->levelEnd << ' ' << g->rowFirst << ' '
        << g->rowEnd << ' ' << g->ringBase << ' ' << g->ringEnd << ' ' << NameOf(g->cycleFrom)
        << ' ' << NameOf(g->cycleTo) << ' ' << g->partCount << ' ' << g->placedCount << " host "
        << g->hostWord << " flags " << g->flags << " counts " << PoolCount(&g->vertPool) << ' '
        << PoolCount(&g->linkPool) << '\n';
    for (Ring *r = g->vertRing.next; r != &g->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        out << v->rec.name << ' ' << std::hex << v->rec.flags << std::dec << ' ' << v->rec.image
            << ' ' << v->rec.user1 << ' ' << v->level << ',' << v->row << ' ' << v->linkBits
            << " out";
        for (Link *l = v->outFirst; l; l = l->outNext)
            out << ' ' << NameOf(l->target) << ':' << std::hex << l->flags << std::dec;
        out << " in";
        for (Link *l = v->inFirst; l; l = l->inNext) out << ' ' << NameOf(l->source);
        EXPECT_EQ(v->scratch, nullptr);
        out << '\n';
    }
    for (int32_t i = 0; i < g->ringEnd - g->ringBase; ++i) {
        out << "level " << i + g->ringBase << ':';
        for (Ring *r = g->levelRings[i].next; r != &g->levelRings[i]; r = r->next)
            out << ' ' << VertOfLevel(r)->rec.name;
        out << '\n';
    }
    return out.str();
}

struct GraphMoveTest : GraphFixture {
    Graph *target = nullptr;
    void SetUp() override {
        GraphFixture::SetUp();
        ASSERT_EQ(NewGraph(&target, 0), 0);
    }
    void TearDown() override {
        DelGraph(target);
        GraphFixture::TearDown();
    }
    // a -> b, a -> c, b -> c laid out on 2 levels.
    void MakeLaidOut() {
        Vert *a = Add("a", 0x1001), *b = Add("b", 0x3002), *c = Add("c");
        ConVert(a, b, 1);
        ConVert(a, c, 1);
        ConVert(b, c, 1);
        YacVert(b, 5, 99);
        FakeLayout(graph, {{a, 0, 0}, {b, 1, 0}, {c, 1, 1}}, 2, 2);
        graph->hostWord = 4;
        graph->flags = GraphPaneOwned;
    }
};

TEST_F(GraphMoveTest, SameGraphOrNull) {
    MakeLaidOut();
    std::string before = Snapshot(graph);
    for (int32_t code : {8, 23}) {
        EXPECT_EQ(YacGraph(graph, code, reinterpret_cast<intptr_t>(graph)), 1);
        EXPECT_EQ(YacGraph(graph, code, 0), E_ARG);
        EXPECT_EQ(Snapshot(graph), before);
    }
    EXPECT_EQ(MoveGraph(nullptr, graph), E_ARG);
    EXPECT_EQ(CopyGraph(nullptr, graph), E_ARG);
}

TEST_F(GraphMoveTest, MoveKeepsHandles) {
    MakeLaidOut();
    std::string before = Snapshot(graph);
    VertRec rec = Rec("old");
    Vert *old = nullptr;
    ASSERT_EQ(NewVert(&old, &rec, target), 0);
    rec = Rec("a");
    Vert *a = FindVert(graph, &rec);

    EXPECT_EQ(YacGraph(graph, 8, reinterpret_cast<intptr_t>(target)), 0);
    EXPECT_EQ(Snapshot(target), before);
    EXPECT_EQ(FindVert(target, &rec), a) << "the same handle";
    EXPECT_EQ(YacVert(a, 0, 0), reinterpret_cast<intptr_t>(target));
    rec = Rec("old");
    EXPECT_EQ(FindVert(target, &rec), nullptr);

    GraphInfo info;
    IncGraph(graph, &info);
    EXPECT_EQ(info.vertices + info.links + info.placed, 0u);
    EXPECT_EQ(info.bytes, sizeof(Graph));
    EXPECT_EQ(info.left | info.top | info.right | info.bottom, 0);
    EXPECT_EQ(graph->hostWord, 4u) << "the source keeps its host word and flags";
    EXPECT_EQ(graph->flags, GraphPaneOwned);
    // Both stay usable.
    EXPECT_EQ(DelVert(a), 0);
    EXPECT_NE(Add("a"), nullptr);
}

TEST_F(GraphMoveTest, CopyIsIndependentWithNewHandles) {
    MakeLaidOut();
    std::string before = Snapshot(graph);
    Add("x"); // not laid out: in no level ring
    before = Snapshot(graph);
    EXPECT_EQ(YacGraph(graph, 23, reinterpret_cast<intptr_t>(target)), 0);
    EXPECT_EQ(Snapshot(graph), before) << "the source is not changed";
    EXPECT_EQ(Snapshot(target), before);
    VertRec rec = Rec("b");
    Vert *original = FindVert(graph, &rec), *copy = FindVert(target, &rec);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, original);
    EXPECT_EQ(YacVert(copy, 0, 0), reinterpret_cast<intptr_t>(target));
    // Deleting in one leaves the other whole.
    EXPECT_EQ(DelVert(copy), 0);
    EXPECT_EQ(Snapshot(graph), before);
    rec = Rec("x");
    EXPECT_EQ(DelVert(FindVert(target, &rec)), 0);
    EXPECT_EQ(Snapshot(graph), before);
}

TEST_F(GraphMoveTest, CopyKeepsTheCyclePair) {
    Vert *a = Add("a");
    Add("b");
    EXPECT_EQ(ConVert(a, a, 1), E_CYCLE);
    EXPECT_EQ(CopyGraph(graph, target), 0);
    VertRec rec = Rec("a");
    Vert *copy = FindVert(target, &rec);
    EXPECT_EQ(target->cycleFrom, copy);
    EXPECT_EQ(target->cycleTo, copy);
    EXPECT_EQ(graph->cycleFrom, a);
}

TEST_F(GraphMoveTest, CopyOutOfMemoryChangesNothing) {
    // Enough for two vertex blocks and two link blocks.
    char name[16];
    Vert *prev = nullptr;
    std::vector<Placed> cells;
    for (int i = 0; i < 450; ++i) {
        std::snprintf(name, sizeof name, "v%d", i);
        Vert *v = Add(name);
        if (prev) ConVert(prev, v, 1);
        prev = v;
        cells.push_back({v, i, 0});
    }
    FakeLayout(graph, cells, 450, 1);
    Add("loose");
    VertRec rec = Rec("keep");
    ASSERT_EQ(NewVert(nullptr, &rec, target), 0);
    target->hostWord = 3;
    const std::string source = Snapshot(graph), kept = Snapshot(target);
    int failures = 0;
    for (uint32_t nth = 1;; ++nth) {
        BlockFailAt(nth);
        int32_t status = CopyGraph(graph, target);
        BlockFailAt(0);
        if (status == 0) break;
        ASSERT_EQ(status, E_MEMORY) << "allocation " << nth;
        ++failures;
        ASSERT_EQ(Snapshot(graph), source) << "allocation " << nth;
        ASSERT_EQ(Snapshot(target), kept) << "allocation " << nth;
    }
    auto blocks = [](uint32_t items, const ItemPool &pool) {
        return int((items + pool.perBlock - 1) / pool.perBlock);
    };
    // The temporary graph, its level rings, then every vertex and link block.
    EXPECT_EQ(failures, 2 + blocks(451, graph->vertPool) + blocks(449, graph->linkPool));
    EXPECT_EQ(Snapshot(target), source);
}

} // namespace
