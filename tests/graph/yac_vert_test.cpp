#include <cstring>

#include "test_support.h"
#include "vert.h"

namespace {

using YacVertTest = GraphFixture;

TEST_F(YacVertTest, FlagSnapshotAndHighlight) {
    Vert *v = Add("v", 0x1005);
    EXPECT_EQ(YacVert(v, 2, 0), 0x1005);
    EXPECT_EQ(YacVert(v, 3, 0x3005), 0x1005);
    EXPECT_EQ(YacVert(v, 2, 0), 0x10053005);
    EXPECT_EQ(YacVert(v, 3, 0xFFFF3005u), 0x10053005) << "no change: nothing written";
    EXPECT_EQ(YacVert(v, 2, 0), 0x10053005);

    Vert *h = Add("h");
    EXPECT_EQ(YacVert(h, 13, 3), 0);
    EXPECT_EQ(YacVert(h, 13, 3), 0x2000);
    EXPECT_EQ(YacVert(h, 2, 0) & 0xFFFF, 0);
    EXPECT_EQ(YacVert(h, 13, 2), 0);
    EXPECT_EQ(YacVert(h, 13, 4), 0x2000) << "any other argument changes nothing";
    EXPECT_EQ(YacVert(h, 13, 1), 0x2000);
    EXPECT_EQ(YacVert(h, 13, 0), 0);
}

TEST_F(YacVertTest, BitmapsAndHostWords) {
    Vert *v = Add("v", 0x1001);
    EXPECT_EQ(YacVert(v, 5, 0), 0) << "equal image: nothing happens";
    EXPECT_EQ(YacVert(v, 2, 0), 0x1001) << "no snapshot without a change";
    EXPECT_EQ(YacVert(v, 5, 77), 0);
    EXPECT_EQ(YacVert(v, 4, 0), 77);
    EXPECT_EQ(YacVert(v, 2, 0), 0x10011001) << "a new picture snapshots the flags";
    EXPECT_EQ(YacVert(v, 7, 88), 0);
    EXPECT_EQ(YacVert(v, 7, 88), 88);
    EXPECT_EQ(YacVert(v, 6, 0), 88);
    EXPECT_EQ(YacVert(v, 9, 5), 0);
    EXPECT_EQ(YacVert(v, 9, 5), 5);
    EXPECT_EQ(YacVert(v, 8, 0), 5);
    EXPECT_EQ(YacVert(v, 11, 6), 0);
    EXPECT_EQ(YacVert(v, 10, 0), 6);
    VertRec rec;
    GetVert(v, &rec);
    EXPECT_EQ(rec.image, 77u);
    EXPECT_EQ(rec.mask, 88u);
    EXPECT_EQ(rec.user1, 5u);
    EXPECT_EQ(rec.user2, 6u);
}

TEST_F(YacVertTest, GraphNameCellLinkBitsAndUnknownCodes) {
    Vert *a = Add("abc"), *b = Add("b");
    EXPECT_EQ(YacVert(a, 0, 0), reinterpret_cast<intptr_t>(graph));
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(YacVert(a, 1, reinterpret_cast<intptr_t>(buf)), reinterpret_cast<intptr_t>(buf));
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(buf[4], 'x') << "only the name and its NUL are written";
    EXPECT_EQ(YacVert(a, 1, 0), 0);
    EXPECT_EQ(YacVert(a, 12, 0), 0) << "no cell before a layout";
    // As a layout leaves a vertex at level 2, row 5.
    a->level = 2;
    a->row = 5;
    a->rec.flags |= VertPlaced;
    EXPECT_EQ(YacVert(a, 12, 0), 0x00050002);
    a->level = -1;
    EXPECT_EQ(YacVert(a, 12, 0), 0x0005FFFF);
    ConVert(a, b, 1);
    EXPECT_EQ(YacVert(a, 16, 0), 1);
    EXPECT_EQ(YacVert(b, 16, 0), 2);
    for (int32_t code : {17, 100, -1}) EXPECT_EQ(YacVert(a, code, 5), 0) << code;
    EXPECT_EQ(YacVert(nullptr, 1, reinterpret_cast<intptr_t>(buf)), 0);
    EXPECT_EQ(YacVert(nullptr, 0, 0), 0);
}

TEST_F(YacVertTest, StepThroughCreationOrder) {
    Vert *a = Add("a"), *b = Add("b"), *c = Add("c");
    auto step = [](Vert *v, int32_t code, intptr_t arg) {
        return reinterpret_cast<Vert *>(YacVert(v, code, arg));
    };
    EXPECT_EQ(step(c, 14, 0), a) << "0: the first vertex whatever v is";
    EXPECT_EQ(step(a, 14, 1), b);
    EXPECT_EQ(step(c, 14, 1), nullptr);
    EXPECT_EQ(step(a, 15, 0), c);
    EXPECT_EQ(step(b, 15, 1), a);
    EXPECT_EQ(step(a, 15, 1), nullptr);
    EXPECT_EQ(StepVert(graph, nullptr, 1), a);
    EXPECT_EQ(StepVert(graph, nullptr, 0), c);
}

} // namespace
