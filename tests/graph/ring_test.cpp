#include <vector>

#include "ring.h"
#include "ring_table.h"
#include "test_support.h"

namespace {

std::vector<Ring *> Walk(Ring *from) {
    std::vector<Ring *> seen;
    for (Ring *r = from->next; r != from; r = r->next) seen.push_back(r);
    return seen;
}

// The ring read backwards must be the same list reversed.
void ExpectConsistent(Ring *head) {
    std::vector<Ring *> forward = Walk(head), backward;
    for (Ring *r = head->prev; r != head; r = r->prev) backward.insert(backward.begin(), r);
    EXPECT_EQ(forward, backward);
}

struct RingTest : ::testing::Test {
    Ring head, a, b, c;
    void SetUp() override { RingInit(&head); }
};

TEST_F(RingTest, AppendGoesToTheBackPrependToTheFront) {
    RingAppend(&b, &head);
    RingAppend(&c, &head);
    RingPrepend(&a, &head);
    EXPECT_EQ(Walk(&head), (std::vector<Ring *>{&a, &b, &c}));
    ExpectConsistent(&head);
}

TEST_F(RingTest, UnlinkNullsTheLinkAndTwiceIsHarmless) {
    RingAppend(&a, &head);
    RingAppend(&b, &head);
    RingUnlink(&a);
    EXPECT_EQ(a.next, nullptr);
    EXPECT_EQ(a.prev, nullptr);
    RingUnlink(&a);
    EXPECT_EQ(Walk(&head), (std::vector<Ring *>{&b}));
    c.next = nullptr;
    c.prev = &head;
    RingUnlink(&c);
    EXPECT_EQ(c.prev, &head) << "a link with a null next is left as it is";
    ExpectConsistent(&head);
}

TEST_F(RingTest, DetachLeavesTheLinkPointingToItself) {
    RingAppend(&a, &head);
    RingDetach(&a);
    EXPECT_EQ(a.next, &a);
    EXPECT_EQ(a.prev, &a);
    EXPECT_TRUE(RingEmpty(&head));
}

TEST_F(RingTest, PopTakesTheFirstAndGivesNullWhenEmpty) {
    EXPECT_EQ(RingPop(&head), nullptr);
    RingAppend(&a, &head);
    RingAppend(&b, &head);
    EXPECT_EQ(RingPop(&head), &a);
    EXPECT_EQ(a.next, nullptr);
    EXPECT_EQ(Walk(&head), (std::vector<Ring *>{&b}));
}

TEST_F(RingTest, SpliceRunsThroughBothRingsWithTheSecondHeadAsMember) {
    Ring a1, a2, bHead, b1;
    RingInit(&bHead);
    RingAppend(&a1, &head);
    RingAppend(&a2, &head);
    RingAppend(&b1, &bHead);
    RingSplice(&head, &bHead);
    EXPECT_EQ(Walk(&head), (std::vector<Ring *>{&a1, &a2, &bHead, &b1}));
    ExpectConsistent(&head);
}

TEST_F(RingTest, TakeMovesTheElementsAndReturnsTheSource) {
    Ring dst;
    RingAppend(&a, &head);
    RingAppend(&b, &head);
    EXPECT_EQ(RingTake(&head, &dst), &head);
    EXPECT_TRUE(RingEmpty(&head));
    EXPECT_EQ(Walk(&dst), (std::vector<Ring *>{&a, &b}));
    ExpectConsistent(&dst);
}

TEST_F(RingTest, TakeFromEmptyOrNullLeavesTheDestinationEmpty) {
    Ring dst{&a, &b};
    EXPECT_EQ(RingTake(&head, &dst), &dst);
    EXPECT_TRUE(RingEmpty(&dst));
    Ring dst2{&a, &b};
    EXPECT_EQ(RingTake(nullptr, &dst2), &dst2);
    EXPECT_TRUE(RingEmpty(&dst2));
}

using RingTableTest = BlockLeakCheck;

TEST_F(RingTableTest, MakesEmptyRingsAndReleasesThem) {
    Ring *table = nullptr;
    ASSERT_EQ(RingTableSet(3, &table, 1), 0);
    ASSERT_NE(table, nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(RingEmpty(&table[i]));
    EXPECT_EQ(RingTableSet(0, &table, 0), 0);
    EXPECT_EQ(table, nullptr);
}

TEST_F(RingTableTest, UninitialisedTableIsZeroFilled) {
    Ring *table = nullptr;
    ASSERT_EQ(RingTableSet(2, &table, 0), 0);
    EXPECT_EQ(table[1].next, nullptr);
    EXPECT_EQ(table[1].prev, nullptr);
    RingTableSet(0, &table, 0);
}

TEST_F(RingTableTest, FailedAllocationGivesMinusOneAndLeavesTheTable) {
    Ring *table = nullptr;
    BlockFailAt(1);
    EXPECT_EQ(RingTableSet(4, &table, 1), -1);
    EXPECT_EQ(table, nullptr);
}

} // namespace
