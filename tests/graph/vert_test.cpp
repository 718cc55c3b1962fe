#include <cstring>
#include <string>

#include "test_support.h"
#include "vert.h"

namespace {

using VertTest = GraphFixture;

TEST(NameHashTest, HashAndValidity) {
    const struct {
        const char *name;
        int32_t hash;
    } cases[] = {
        {"abc", 0x0F5A}, {"A", 0x4141}, {"", -1},
        {"fifteen-bytes-x", -2 /* valid: any hash */},
    };
    for (const auto &c : cases) {
        char field[16] = {};
        std::memcpy(field, c.name, std::strlen(c.name));
        if (c.hash == -2) EXPECT_GE(NameHash(field), 0) << c.name;
        else EXPECT_EQ(NameHash(field), c.hash) << c.name;
    }
    char noNul[17];
    std::memset(noNul, 'x', 16);
    noNul[16] = 0; // the NUL after the field does not count
    EXPECT_EQ(NameHash(noNul), -1);
}

TEST_F(VertTest, NewVertNames) {
    const struct {
        const char *name;
        int32_t status;
    } cases[] = {
        {"A", 0}, {"abc", 0}, {"", E_ARG}, {"123456789012345", 0}, {"1234567890123456", E_ARG},
    };
    for (const auto &c : cases) {
        VertRec rec = Rec(c.name);
        Vert *v = reinterpret_cast<Vert *>(uintptr_t(1));
        EXPECT_EQ(NewVert(&v, &rec, graph), c.status) << c.name;
        EXPECT_EQ(v != nullptr, c.status == 0) << c.name;
    }
    EXPECT_EQ(YacGraph(graph, 10, 0), 3);
}

TEST_F(VertTest, NewVertExistingNameGivesItsHandle) {
    Vert *first = Add("abc");
    VertRec rec = Rec("abc", 0x1000);
    Vert *v = nullptr;
    EXPECT_EQ(NewVert(&v, &rec, graph), E_EXISTS);
    EXPECT_EQ(v, first);
    EXPECT_EQ(YacVert(first, 2, 0), 0) << "the existing vertex is not changed";
    // Names are compared byte for byte.
    EXPECT_NE(Add("ABC"), nullptr);
}

TEST_F(VertTest, NewVertBadArguments) {
    VertRec rec = Rec("a");
    Vert *v = reinterpret_cast<Vert *>(uintptr_t(1));
    EXPECT_EQ(NewVert(&v, nullptr, graph), E_ARG);
    EXPECT_EQ(v, nullptr);
    EXPECT_EQ(NewVert(&v, &rec, nullptr), E_ARG);
    EXPECT_EQ(NewVert(nullptr, &rec, graph), 0) << "the out-pointer may be null";
}

TEST_F(VertTest, OutOfMemoryMakesNothing) {
    VertRec rec = Rec("a");
    Vert *v = nullptr;
    BlockFailAt(1);
    EXPECT_EQ(NewVert(&v, &rec, graph), E_MEMORY);
    EXPECT_EQ(v, nullptr);
    EXPECT_EQ(FindVert(graph, &rec), nullptr);
    Vert *a = Add("a"), *b = Add("b");
    BlockFailAt(1);
    EXPECT_EQ(ConVert(a, b, 1), E_MEMORY);
    EXPECT_EQ(ConVert(a, b, 0), 0);
    EXPECT_EQ(YacVert(a, 16, 0), 0);
    EXPECT_EQ(YacGraph(graph, 11, 0), 0);
}

TEST_F(VertTest, HostCannotSetPlacedOrUpperBits) {
    Vert *v = Add("v", 0xFFFFFFFFu);
    VertRec rec;
    ASSERT_EQ(GetVert(v, &rec), 0);
    EXPECT_EQ(rec.flags, 0x7FFFu);
    EXPECT_STREQ(rec.name, "v");
}

TEST_F(VertTest, GetSetVert) {
    Vert *v = Add("v", 0x1005);
    VertRec rec = Rec("other", 0x3005);
    rec.image = 11;
    rec.mask = 12;
    rec.user1 = 13;
    rec.user2 = 14;
    EXPECT_EQ(SetVert(v, &rec), 0);
    VertRec got;
    ASSERT_EQ(GetVert(v, &got), 0);
    EXPECT_STREQ(got.name, "v") << "SetVert never renames";
    EXPECT_EQ(got.flags, 0x10053005u);
    EXPECT_EQ(got.image, 11u);
    EXPECT_EQ(got.mask, 12u);
    EXPECT_EQ(got.user1, 13u);
    EXPECT_EQ(got.user2, 14u);
    // Same flags but a new picture: forced, the previous state equals the current.
    rec.image = 21;
    EXPECT_EQ(SetVert(v, &rec), 0);
    EXPECT_EQ(YacVert(v, 2, 0), 0x30053005);
    EXPECT_EQ(GetVert(nullptr, &got), E_ARG);
    EXPECT_EQ(GetVert(v, nullptr), E_ARG);
    EXPECT_EQ(SetVert(nullptr, &rec), E_ARG);
    EXPECT_EQ(SetVert(v, nullptr), E_ARG);
}

TEST_F(VertTest, ConVertLinks) {
    Vert *a = Add("a"), *b = Add("b");
    EXPECT_EQ(ConVert(a, b, 1), 1);
    EXPECT_EQ(ConVert(a, b, 5), 0) << "a second link a->b is not made";
    EXPECT_EQ(ConVert(b, a, 1), 1) << "the opposite direction is another link";
    EXPECT_EQ(YacGraph(graph, 11, 0), 2);
    EXPECT_EQ(ConVert(nullptr, b, 1), E_ARG);
    EXPECT_EQ(ConVert(a, nullptr, 1), E_ARG);

    EXPECT_EQ(ConVert(a, a, 1), E_CYCLE);
    GraphInfo info;
    ASSERT_EQ(IncGraph(graph, &info), 0);
    EXPECT_EQ(info.cycleFrom, a);
    EXPECT_EQ(info.cycleTo, a);

    Graph *other = nullptr;
    ASSERT_EQ(NewGraph(&other, 0), 0);
    VertRec rec = Rec("c");
    Vert *c = nullptr;
    ASSERT_EQ(NewVert(&c, &rec, other), 0);
    EXPECT_EQ(ConVert(a, c, 1), E_GRAPHS);
    EXPECT_EQ(ConVert(c, a, 1), E_GRAPHS);
    DelGraph(other);
}

TEST_F(VertTest, ConVertProbe) {
    Vert *a = Add("a"), *b = Add("b"), *lone = Add("lone");
    ASSERT_EQ(ConVert(a, b, 1), 1);
    const struct {
        Vert *from, *to;
        int32_t result;
    } cases[] = {
        {a, b, 1}, {b, a, 0}, {a, nullptr, 1}, {nullptr, b, 1},
        {nullptr, a, 0}, {b, nullptr, 0}, {nullptr, nullptr, 0}, {lone, nullptr, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(ConVert(c.from, c.to, 0), c.result);
    EXPECT_EQ(YacVert(a, 16, 0), 1);
    EXPECT_EQ(YacVert(b, 16, 0), 2);
}

TEST_F(VertTest, ConVertUnlinks) {
    Vert *a = Add("a"), *b = Add("b"), *c = Add("c"), *d = Add("d");
    for (Vert *to : {b, c, d}) ASSERT_EQ(ConVert(a, to, 1), 1);
    ASSERT_EQ(ConVert(d, b, 1), 1);
    EXPECT_EQ(ConVert(a, c, -1), 1);
    EXPECT_EQ(Successors(a), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(ConVert(a, c, -1), 0);
    EXPECT_EQ(ConVert(a, a, -1), 0);
    EXPECT_EQ(ConVert(nullptr, b, -1), 1) << "every incoming link of b";
    EXPECT_EQ(Predecessors(b), std::vector<std::string>{});
    EXPECT_EQ(Successors(d), std::vector<std::string>{});
    EXPECT_EQ(ConVert(a, nullptr, -1), 1);
    EXPECT_EQ(ConVert(a, nullptr, -1), 0);
    EXPECT_EQ(YacVert(a, 16, 0), 0);
    EXPECT_EQ(YacVert(d, 16, 0), 0);
    EXPECT_EQ(YacGraph(graph, 11, 0), 0);
}

TEST_F(VertTest, AppVertsSuccessorsThenRepeat) {
    VertRec recs[] = {Rec("p", 0x1001), Rec("s1"), Rec("s2")};
    recs[0].image = 5;
    recs[0].user1 = 6;
    EXPECT_EQ(AppVerts(graph, recs, 3), 1);
    Vert *p = FindVert(graph, &recs[0]);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Successors(p), (std::vector<std::string>{"s1", "s2"}));
    EXPECT_EQ(Names(0), (std::vector<std::string>{"p", "s1", "s2"}));

    VertRec again[] = {Rec("p", 0x1003), Rec("s1", 0x1FFF), Rec("s2")};
    again[0].image = 7;
    again[0].user1 = 8;
    EXPECT_EQ(AppVerts(graph, again, 3), 0);
    VertRec got;
    GetVert(p, &got);
    EXPECT_EQ(got.flags & 0xFFFF, 0x1003u);
    EXPECT_EQ(got.image, 7u);
    EXPECT_EQ(got.user1, 8u);
    Vert *s1 = FindVert(graph, &again[1]);
    EXPECT_EQ(YacVert(s1, 2, 0), 0) << "an existing neighbour is unchanged";
    EXPECT_EQ(YacGraph(graph, 11, 0), 2);
}

TEST_F(VertTest, AppVertsPredecessors) {
    VertRec recs[] = {Rec("p"), Rec("s1"), Rec("s2"), Rec("s1")};
    EXPECT_EQ(AppVerts(graph, recs, -4), 1);
    Vert *p = FindVert(graph, &recs[0]);
    EXPECT_EQ(Predecessors(p), (std::vector<std::string>{"s1", "s2"}));
    EXPECT_EQ(Successors(p), std::vector<std::string>{});
    EXPECT_EQ(YacGraph(graph, 11, 0), 2) << "a neighbour named twice gets one link";
}

TEST_F(VertTest, AppVertsStopsAtTheFailingRecord) {
    VertRec recs[] = {Rec("p"), Rec("s1"), Rec("p"), Rec("s3")};
    EXPECT_EQ(AppVerts(graph, recs, 4), E_CYCLE);
    Vert *p = FindVert(graph, &recs[0]);
    EXPECT_EQ(Successors(p), std::vector<std::string>{"s1"});
    EXPECT_EQ(Names(0), (std::vector<std::string>{"p", "s1"}));
    GraphInfo info;
    IncGraph(graph, &info);
    EXPECT_EQ(info.cycleFrom, p);
    EXPECT_EQ(info.cycleTo, p);

    VertRec bad[] = {Rec("q"), Rec("t1"), Rec("")};
    EXPECT_EQ(AppVerts(graph, bad, -3), E_ARG);
    EXPECT_EQ(Names(0), (std::vector<std::string>{"p", "s1", "q", "t1"}));
    VertRec badPrincipal[] = {Rec("")};
    EXPECT_EQ(AppVerts(graph, badPrincipal, 1), E_ARG);
}

TEST_F(VertTest, AppVertsArguments) {
    VertRec recs[] = {Rec("p")};
    EXPECT_EQ(AppVerts(nullptr, nullptr, 0), 0);
    EXPECT_EQ(AppVerts(nullptr, recs, 1), E_ARG);
    EXPECT_EQ(AppVerts(graph, nullptr, -1), E_ARG);
    EXPECT_EQ(AppVerts(graph, recs, 1), 1);
    EXPECT_EQ(AppVerts(graph, recs, -1), 0);
}

TEST_F(VertTest, AppVertsOutOfMemoryKeepsWhatWasMade) {
    // Fill the first vertex block so that the next vertex needs a new one.
    VertRec recs[] = {Rec("p"), Rec("s1"), Rec("s2")};
    char name[16];
    for (unsigned i = 0; i + 2 < graph->vertPool.perBlock; ++i) {
        std::snprintf(name, sizeof name, "f%u", i);
        Add(name);
    }
    // p and its first link fit; s2 needs a new vertex block, which fails.
    BlockFailAt(2); // 1: the first link block, 2: the second vertex block
    EXPECT_EQ(AppVerts(graph, recs, 3), E_MEMORY);
    Vert *p = FindVert(graph, &recs[0]);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(Successors(p), std::vector<std::string>{"s1"});
    EXPECT_EQ(FindVert(graph, &recs[2]), nullptr);
}

int32_t BRDAPI DeleteIt(Graph *, Vert *v, intptr_t user) {
    VertRec rec;
    GetVert(v, &rec);
    reinterpret_cast<std::vector<std::string> *>(user)->push_back(rec.name);
    DelVert(v);
    return 0;
}

int32_t BRDAPI StopAtC(Graph *, Vert *v, intptr_t) {
    VertRec rec;
    GetVert(v, &rec);
    return rec.name[0] == 'c' ? 42 : 0;
}

TEST_F(VertTest, EnumVertsWalks) {
    // a -> b, a -> c, d -> b; e alone
    Vert *a = Add("a"), *b = Add("b"), *c = Add("c"), *d = Add("d");
    Add("e");
    ConVert(a, b, 1);
    ConVert(a, c, 1);
    ConVert(d, b, 1);
    using N = std::vector<std::string>;
    EXPECT_EQ(Names(0x00), (N{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Names(0x00, b), (N{"c", "d", "e"}));
    EXPECT_EQ(Names(0x01), (N{"e", "d", "c", "b", "a"}));
    EXPECT_EQ(Names(0x01, c), (N{"b", "a"}));
    EXPECT_EQ(Names(0x10, a), (N{"b", "c"}));
    EXPECT_EQ(Names(0x11, b), (N{"a", "d"}));
    EXPECT_EQ(Names(0x10), (N{"a", "d", "e"})) << "sources";
    EXPECT_EQ(Names(0x11), (N{"b", "c", "e"})) << "sinks";
    EXPECT_EQ(Names(0x0F), (N{"e", "d", "c", "b", "a"})) << "bits 1-3 are ignored";
    EXPECT_EQ(Names(0x0E), (N{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(Names(0x7F10), (N{"a", "d", "e"})) << "only the low byte counts";
    EXPECT_EQ(Names(0x20), N{});
    EXPECT_EQ(EnumVerts(graph, 0, nullptr, StopAtC, 0), 42);
    EXPECT_EQ(EnumVerts(graph, 0, nullptr, nullptr, 0), 0);
    EXPECT_EQ(EnumVerts(nullptr, 0, nullptr, StopAtC, 0), 0);
    (void)d;
}

TEST_F(VertTest, EnumVertsCallbackMayDeleteItsVertex) {
    Vert *a = Add("a"), *b = Add("b"), *c = Add("c");
    Add("d");
    ConVert(a, b, 1);
    ConVert(a, c, 1);
    std::vector<std::string> seen;
    EXPECT_EQ(EnumVerts(graph, 0x10, a, DeleteIt, reinterpret_cast<intptr_t>(&seen)), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"b", "c"}));
    seen.clear();
    EXPECT_EQ(EnumVerts(graph, 0x10, nullptr, DeleteIt, reinterpret_cast<intptr_t>(&seen)), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "d"}));
    EXPECT_EQ(YacGraph(graph, 10, 0), 0);
    // The next source is found before the callback runs: deleting a does
    // not turn b into a source of this walk.
    Vert *x = Add("x"), *y = Add("y");
    ConVert(x, y, 1);
    seen.clear();
    EXPECT_EQ(EnumVerts(graph, 0x10, nullptr, DeleteIt, reinterpret_cast<intptr_t>(&seen)), 0);
    EXPECT_EQ(seen, std::vector<std::string>{"x"});
}

TEST_F(VertTest, FindVert) {
    Vert *v = Add("known", 0x1002);
    VertRec rec = Rec("unknown", 0x55);
    EXPECT_EQ(FindVert(graph, &rec), nullptr);
    EXPECT_STREQ(rec.name, "unknown");
    EXPECT_EQ(rec.flags, 0x55u) << "the caller's record is untouched";
    rec = Rec("known");
    EXPECT_EQ(FindVert(graph, &rec), v);
    EXPECT_EQ(rec.flags, 0x1002u);
    EXPECT_EQ(FindVert(nullptr, &rec), nullptr);
    EXPECT_EQ(FindVert(graph, nullptr), nullptr);
    rec = Rec("");
    EXPECT_EQ(FindVert(graph, &rec), nullptr);
}

TEST_F(VertTest, DelVertOfAPlacedVertex) {
    Vert *a = Add("a"), *b = Add("b"), *c = Add("c");
    ConVert(a, b, 1);
    ConVert(b, c, 1);
    ConVert(a, c, 1);
    // As the layout leaves it.
    b->rec.flags |= VertPlaced;
    graph->placedCount = 3;
    graph->cycleFrom = b;
    EXPECT_EQ(DelVert(b), 0);
    GraphInfo info;
    IncGraph(graph, &info);
    EXPECT_EQ(info.placed, 2u);
    EXPECT_EQ(info.vertices, 2u);
    EXPECT_EQ(info.links, 1u);
    EXPECT_EQ(info.cycleFrom, nullptr);
    EXPECT_EQ(Successors(a), std::vector<std::string>{"c"});
    EXPECT_EQ(Predecessors(c), std::vector<std::string>{"a"});
    VertRec rec = Rec("b");
    EXPECT_EQ(FindVert(graph, &rec), nullptr);
    EXPECT_EQ(DelVert(nullptr), E_ARG);
    EXPECT_EQ(DelVert(a), 0);
    EXPECT_EQ(ConVert(nullptr, c, 0), 0);
    EXPECT_EQ(YacVert(c, 16, 0), 0);
}

TEST_F(VertTest, ByteCountsAndZap) {
    Vert *a = Add("a");
    GraphInfo info;
    IncGraph(graph, &info);
    EXPECT_EQ(info.bytes, sizeof(Graph) + graph->vertPool.blockBytes);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(info.bytes, 17260u);
    }
    ConVert(a, Add("b"), 1);
    IncGraph(graph, &info);
    if (sizeof(void *) == 4) {
        EXPECT_EQ(info.bytes, 33640u);
    }
    graph->hostWord = 9;
    EXPECT_EQ(ZapVerts(graph), 0);
    IncGraph(graph, &info);
    EXPECT_EQ(info.bytes, sizeof(Graph));
    EXPECT_EQ(info.vertices + info.links + info.placed, 0u);
    EXPECT_EQ(graph->hostWord, 9u);
    EXPECT_EQ(ZapVerts(nullptr), E_ARG);
    EXPECT_NE(Add("a"), nullptr) << "names are free again";
}

} // namespace
