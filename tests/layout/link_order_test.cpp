// The insertion walk that orders a vertex's links by span, then reach.
#include <vector>

#include "layout.h"
#include "test_support.h"

namespace {

struct Measured {
    int32_t span, reach;
};

// Sorts links given in insertion order through SortOut (downReach) or SortIn
// (upReach) and returns the final list.
std::vector<Measured> Sorted(const std::vector<Measured> &inserted, bool outgoing) {
    std::vector<LocLink> links(inserted.size());
    LocVert v = {}, other = {};
    for (size_t i = 0; i < links.size(); ++i) {
        LocLink &e = links[i];
        e.span = inserted[i].span;
        (outgoing ? e.downReach : e.upReach) = inserted[i].reach;
        e.source = outgoing ? &v : &other;
        e.target = outgoing ? &other : &v;
        if (outgoing) {
            e.outPrev = i ? &links[i - 1] : nullptr;
            e.outNext = i + 1 < links.size() ? &links[i + 1] : nullptr;
        } else {
            e.inPrev = i ? &links[i - 1] : nullptr;
            e.inNext = i + 1 < links.size() ? &links[i + 1] : nullptr;
        }
    }
    (outgoing ? v.outFirst : v.inFirst) = &links[0];
    for (size_t i = 0; i < links.size(); ++i) {
        int32_t more = outgoing ? SortOut(&links[i], &v) : SortIn(&links[i], &v);
        EXPECT_EQ(more, i + 1 < links.size() ? 1 : 0);
    }
    std::vector<Measured> order;
    for (LocLink *e = outgoing ? v.outFirst : v.inFirst; e; e = outgoing ? e->outNext : e->inNext)
        order.push_back({e->span, outgoing ? e->downReach : e->upReach});
    EXPECT_EQ(outgoing ? v.height : v.depth, 5);
    return order;
}

TEST(LinkOrder, TieWalkCarriesALinkPastSmallerSpans) {
    const std::vector<Measured> inserted = {{3, 3}, {2, 2}, {1, 5}, {2, 1}};
    for (bool outgoing : {true, false}) {
        std::vector<Measured> order = Sorted(inserted, outgoing);
        const std::vector<Measured> expected = {{3, 3}, {2, 2}, {1, 5}, {2, 1}};
        ASSERT_EQ(order.size(), expected.size());
        for (size_t i = 0; i < order.size(); ++i) {
            EXPECT_EQ(order[i].span, expected[i].span) << i;
            EXPECT_EQ(order[i].reach, expected[i].reach) << i;
        }
    }
}

TEST(LinkOrder, EqualSpanByFallingReachLaterEqualsAfter) {
    const std::vector<Measured> inserted = {{1, 2}, {1, 5}, {2, 0}, {1, 2}};
    std::vector<Measured> order = Sorted(inserted, true);
    // (2,0) first by span; then reach 5, then the two reach-2 links in
    // insertion order.
    const int32_t reaches[] = {0, 5, 2, 2};
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i].reach, reaches[i]) << i;
}

} // namespace
