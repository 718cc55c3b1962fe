// makeGraph driven through a stand-in JVM, so that every target, the 32-bit
// one included, runs the bridge's own code. Every call is checked by the
// stand-in (see World::MakeGraph): references, strings, the graph and the
// calls allowed while an exception is pending.
#include <map>
#include <random>
#include <string>
#include <vector>

#include "block_memory.h"
#include "fake_jvm.h"
#include "layout_support.h"
#include "test_support.h"
#include "vert_link.h"

namespace {

using fakejvm::JObj;
using fakejvm::kUnset;
using fakejvm::World;

// The cells LocVerts gives the graph of these nodes built through the C
// calls: each node, then its predecessors in order, as makeGraph does.
std::map<std::string, CellOf> ReferenceCells(const std::vector<JObj *> &nodes) {
    Graph *graph = nullptr;
    EXPECT_EQ(NewGraph(&graph, 0), 0);
    std::map<std::string, Vert *> verts;
    auto vert = [&](const std::string &name) {
        VertRec rec = Rec(name.c_str());
        Vert *v = nullptr;
        int32_t status = NewVert(&v, &rec, graph);
        EXPECT_TRUE(status == 0 || status == E_EXISTS) << name;
        return verts[name] = v;
    };
    for (JObj *n : nodes) {
        Vert *to = vert(n->text);
        for (JObj *p : n->items) EXPECT_GE(ConVert(vert(p->text), to, 1), 0);
    }
    EXPECT_EQ(LocVerts(graph), 0);
    std::map<std::string, CellOf> cells;
    for (auto &entry : verts) cells[entry.first] = Cell(entry.second);
    DelGraph(graph);
    return cells;
}

CellOf CellOfObj(const JObj *n) { return CellOf{n->x, n->y}; }

struct MakeGraphTest : BlockLeakCheck {
    World w;

    // Every object reachable from the nodes got the cell of its name.
    void ExpectReferenceCells(const std::vector<JObj *> &nodes) {
        std::map<std::string, CellOf> want = ReferenceCells(nodes);
        for (JObj *n : nodes) {
            EXPECT_EQ(CellOfObj(n), want.at(n->text)) << n->text;
            for (JObj *p : n->items) EXPECT_EQ(CellOfObj(p), want.at(p->text)) << p->text;
            for (JObj *s : n->succ) EXPECT_EQ(CellOfObj(s), want.at(s->text)) << s->text;
        }
    }

    // The nodes of the graph that the real-JVM test also lays out.
    std::vector<JObj *> SharedGraph() {
        JObj *s = w.Node("s"), *a = w.Node("a"), *b = w.Node("b"), *c = w.Node("c");
        JObj *t = w.Node("t"), *d = w.Node("d"), *e = w.Node("e");
        World::Link(s, a);
        World::Link(s, b);
        World::Link(a, c);
        World::Link(b, c);
        World::Link(t, d);
        World::Link(c, d);
        World::Link(a, e);
        return {s, a, b, c, t, d, e};
    }
};

TEST_F(MakeGraphTest, SharedGraphGetsTheCellsOfTheCCalls) {
    std::vector<JObj *> nodes = SharedGraph();
    ASSERT_EQ(w.MakeGraph(w.List(nodes)), 0);
    const CellOf cells[] = {{0, 0}, {1, 0}, {1, 1}, {2, 0}, {2, 2}, {3, 0}, {2, 1}};
    for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(CellOfObj(nodes[i]), cells[i]) << nodes[i]->text;
    ExpectReferenceCells(nodes);
    EXPECT_LE(w.maxLive, size_t(kMakeGraphLocalRefs));
}

// Random DAGs whose nodes name up to 40 predecessors, some of them never
// list elements: the batches of 16 give exactly the one-call graph.
TEST_F(MakeGraphTest, RandomGraphsGetTheCellsOfTheCCalls) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        World world;
        std::vector<JObj *> nodes, outsiders;
        int count = 5 + int(random() % 60);
        for (int i = 0; i < count; ++i) {
            JObj *n = world.Node("n" + std::to_string(i));
            int preds = int(random() % 41);
            for (int k = 0; k < preds && i > 0; ++k) {
                JObj *p = nodes[random() % nodes.size()];
                if (random() % 4 == 0) {
                    outsiders.push_back(world.Node("o" + std::to_string(outsiders.size())));
                    p = outsiders.back();
                }
                World::Link(p, n);
            }
            nodes.push_back(n);
        }
        ASSERT_EQ(world.MakeGraph(world.List(nodes)), 0);
        std::map<std::string, CellOf> want = ReferenceCells(nodes);
        for (JObj *n : nodes) {
            EXPECT_EQ(CellOfObj(n), want.at(n->text)) << n->text;
            for (JObj *p : n->items) EXPECT_EQ(CellOfObj(p), want.at(p->text)) << p->text;
        }
    }
}

TEST_F(MakeGraphTest, PredecessorCountsAroundTheBatchSize) {
    for (int preds : {0, 1, 15, 16, 17, 32, 33, 40}) {
        SCOPED_TRACE(preds);
        World world;
        JObj *hub = world.Node("hub");
        // The last predecessor is the hub's own successor: -13 shows that
        // its link, the last one, was made.
        JObj *below = world.Node("below");
        World::Link(hub, below);
        for (int k = 0; k + 1 < preds; ++k) World::Link(world.Node("p" + std::to_string(k)), hub);
        if (preds > 0) World::Link(below, hub);
        std::vector<JObj *> nodes = {hub, below};
        ASSERT_EQ(world.MakeGraph(world.List(nodes)), preds > 0 ? E_CYCLE : 0);
        if (preds == 0) continue;
        // Without the closing link every link is made, batch by batch.
        hub->items.pop_back();
        below->succ.pop_back();
        ASSERT_EQ(world.MakeGraph(world.List(nodes)), 0);
        std::map<std::string, CellOf> want = ReferenceCells(nodes);
        for (JObj *p : hub->items) EXPECT_EQ(CellOfObj(p), want.at(p->text)) << p->text;
        EXPECT_EQ(hub->x, preds > 1 ? 1 : 0);
    }
}

TEST_F(MakeGraphTest, Statuses) {
    struct Case {
        const char *what;
        std::vector<std::string> ids; // one node each, the nodes chained
        int32_t status;
    };
    const Case cases[] = {
        {"empty list", {}, 0},
        {"15 bytes", {"fifteen-bytes!!"}, 0},
        {"16 bytes", {"sixteen-bytes!!!"}, E_ARG},
        {"36 bytes", {"thirty-six-bytes-thirty-six-bytes!!!"}, E_ARG},
        {"300 bytes", {std::string(300, 'x')}, E_ARG},
        {"empty identifier", {""}, E_ARG},
        {"long identifier of a predecessor", {"a", std::string(40, 'p'), "c"}, E_ARG},
        {"two-byte characters, 14 bytes", {std::string(7, '\xC3') + std::string(7, '\xA9')}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        World world;
        std::vector<JObj *> nodes;
        for (const std::string &id : c.ids) {
            nodes.push_back(world.Node(id));
            if (nodes.size() > 1) World::Link(nodes[nodes.size() - 2], nodes.back());
        }
        EXPECT_EQ(world.MakeGraph(world.List(nodes)), c.status);
        if (c.status < 0) {
            for (JObj *n : nodes) EXPECT_EQ(CellOfObj(n), (CellOf{kUnset, kUnset})) << "position written";
        }
    }
    EXPECT_EQ(w.MakeGraph(nullptr), E_ARG);
}

TEST_F(MakeGraphTest, CycleWritesNoPosition) {
    JObj *a = w.Node("a"), *b = w.Node("b"), *s = w.Node("s");
    World::Link(s, a);
    World::Link(a, b);
    World::Link(b, a);
    EXPECT_EQ(w.MakeGraph(w.List({s, a, b})), E_CYCLE);
    for (JObj *n : {a, b, s}) EXPECT_EQ(CellOfObj(n), (CellOf{kUnset, kUnset}));
}

TEST_F(MakeGraphTest, NamelessAndUnknownObjects) {
    // A node without identifier cannot become a vertex.
    JObj *nameless = w.Node("");
    nameless->hasId = false;
    EXPECT_EQ(w.MakeGraph(w.List({nameless})), E_ARG);
    JObj *withNullValue = w.Node("v");
    withNullValue->items.push_back(nullptr);
    EXPECT_EQ(w.MakeGraph(w.List({withNullValue})), E_ARG);
    EXPECT_EQ(w.MakeGraph(w.List({nullptr})), E_ARG);

    // Successor values that name no vertex, or nothing, are left alone.
    JObj *a = w.Node("a"), *b = w.Node("b"), *ghost = w.Node("ghost"), *noId = w.Node("");
    noId->hasId = false;
    World::Link(a, b);
    b->succ = {ghost, noId, nullptr};
    ASSERT_EQ(w.MakeGraph(w.List({a, b})), 0);
    EXPECT_EQ(CellOfObj(b), (CellOf{1, 0}));
    EXPECT_EQ(CellOfObj(ghost), (CellOf{kUnset, kUnset}));
    EXPECT_EQ(CellOfObj(noId), (CellOf{kUnset, kUnset}));
}

TEST_F(MakeGraphTest, ObjectsSharingAnIdentifierShareTheCell) {
    JObj *s = w.Node("s"), *first = w.Node("twice"), *second = w.Node("twice");
    World::Link(s, first);
    World::Link(s, second);
    JObj *outsider = w.Node("p"), *n = w.Node("n");
    World::Link(outsider, n);
    std::vector<JObj *> nodes = {s, first, second, n};
    ASSERT_EQ(w.MakeGraph(w.List(nodes)), 0);
    EXPECT_EQ(CellOfObj(first), (CellOf{1, 0}));
    EXPECT_EQ(CellOfObj(second), CellOfObj(first));
    EXPECT_FALSE(CellOfObj(outsider) == (CellOf{kUnset, kUnset})) << "outside the list, yet placed";
    ExpectReferenceCells(nodes);
}

// A host method that throws ends the call with -3 and the exception left
// pending; nothing but releases follows it.
TEST_F(MakeGraphTest, HostExceptionStopsTheCall) {
    struct Case {
        const char *method;
        int at;
    };
    const Case cases[] = {
        {"size", 1},    {"size", 2},    {"get", 1},      {"get", 3},      {"getId", 1},
        {"getId", 2},   {"getPrev", 2}, {"entrySet", 1}, {"iterator", 2}, {"hasNext", 3},
        {"next", 2},    {"getValue", 1}, {"getId", 12},  {"getNext", 1},  {"getNext", 4},
        {"getValue", 9}, {"hasNext", 20}, {"size", 9},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.method) + " #" + std::to_string(c.at));
        World world;
        std::vector<JObj *> nodes;
        for (const char *id : {"s", "a", "b", "c"}) nodes.push_back(world.Node(id));
        World::Link(nodes[0], nodes[1]);
        World::Link(nodes[0], nodes[2]);
        World::Link(nodes[1], nodes[3]);
        World::Link(nodes[2], nodes[3]);
        world.throwMethod = c.method;
        world.throwAt = c.at;
        EXPECT_EQ(world.MakeGraph(world.List(nodes)), E_ARG);
        EXPECT_TRUE(world.pending);
        EXPECT_EQ(world.calls[c.method], c.at) << "called again after throwing";
    }
}

// A lookup that fails is no failure of the call: a missing method yields
// nothing, a missing field is skipped, and the lookup's error is cleared.
TEST_F(MakeGraphTest, FailedLookups) {
    JObj *bare = w.Node("bare");
    bare->bare = true; // no getPrev, getNext or y
    JObj *p = w.Node("p");
    World::Link(p, bare);
    ASSERT_EQ(w.MakeGraph(w.List({bare})), 0);
    EXPECT_FALSE(w.pending);
    EXPECT_EQ(bare->x, 0) << "no predecessor was read";
    EXPECT_EQ(bare->y, kUnset);
    EXPECT_EQ(w.calls["getPrev"], 0);

    struct Case {
        const char *missing;
        CellOf cell; // of the node c, whose predecessor is s
    };
    const Case cases[] = {
        {"java/util/List.size", {kUnset, kUnset}},       // zero elements
        {"java/util/Iterator.hasNext", {0, 1}},          // no entries: two lone nodes
        {"java/util/Iterator.next", {0, 1}},             // null entries: -3 below
        {"Entry.getValue", {0, 1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.missing);
        World world;
        JObj *s = world.Node("s"), *n = world.Node("c");
        World::Link(s, n);
        world.missing = {c.missing};
        int32_t status = world.MakeGraph(world.List({s, n}));
        EXPECT_FALSE(world.pending);
        if (std::string(c.missing) == "java/util/Iterator.next" ||
            std::string(c.missing) == "Entry.getValue") {
            EXPECT_EQ(status, E_ARG) << "a predecessor without identifier";
            continue;
        }
        EXPECT_EQ(status, 0);
        EXPECT_EQ(CellOfObj(n), c.cell);
    }
}

TEST_F(MakeGraphTest, CapacityIsReservedFirstAndRefusalStops) {
    std::vector<JObj *> nodes = SharedGraph();
    ASSERT_EQ(w.MakeGraph(w.List(nodes)), 0);
    EXPECT_EQ(w.capacity, kMakeGraphLocalRefs);
    EXPECT_GT(w.maxLive, 16u) << "the walk needs more than the JVM guarantees";

    World refusing;
    refusing.refuseCapacity = true;
    JObj *a = refusing.Node("a");
    EXPECT_EQ(refusing.MakeGraph(refusing.List({a})), E_MEMORY);
    EXPECT_TRUE(refusing.pending);
    EXPECT_TRUE(refusing.calls.empty());
}

// Every allocation of the call fails once in turn: -7, with every reference
// released and the graph destroyed, until the call gets through.
TEST_F(MakeGraphTest, MemoryFailureAtEveryAllocation) {
    std::vector<JObj *> nodes = SharedGraph();
    uint32_t nth = 1;
    for (;; ++nth) {
        SCOPED_TRACE(nth);
        World world;
        std::vector<JObj *> copy;
        std::map<JObj *, JObj *> twin;
        for (JObj *n : nodes) copy.push_back(twin[n] = world.Node(n->text));
        for (JObj *n : nodes)
            for (JObj *p : n->items) World::Link(twin[p], twin[n]);
        BlockFailAt(nth);
        int32_t status = world.MakeGraph(world.List(copy));
        BlockFailAt(0);
        if (status == 0) break;
        ASSERT_EQ(status, E_MEMORY);
        for (JObj *n : copy) EXPECT_EQ(CellOfObj(n), (CellOf{kUnset, kUnset}));
        ASSERT_LT(nth, 50u);
    }
    EXPECT_GE(nth, 4u) << "graph, vertices, links and the layout all allocate";
}

} // namespace
