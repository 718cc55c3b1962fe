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
        (outgoing ? e.reach.downReach : e.reach.upReach) = inserted[i].reach;
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
    int32_t highest = 0;
    for (const Measured &m : inserted) highest = m.reach > highest ? m.reach : highest;
    EXPECT_EQ(outgoing ? v.height : v.depth, highest);
    std::vector<Measured> order;
    for (LocLink *e = outgoing ? v.outFirst : v.inFirst; e; e = outgoing ? e->outNext : e->inNext)
        order.push_back({e->span, outgoing ? e->reach.downReach : e->reach.upReach});
    return order;
}

// The insertion walk on a plain vector: past larger spans; from an equal
// span on, past every reach at least the new one's.
std::vector<Measured> Walked(const std::vector<Measured> &inserted) {
    std::vector<Measured> list;
    for (const Measured &m : inserted) {
        size_t at = 0;
        while (at < list.size() && list[at].span > m.span) ++at;
        if (at < list.size() && list[at].span == m.span)
            while (at < list.size() && list[at].reach >= m.reach) ++at;
        list.insert(list.begin() + std::ptrdiff_t(at), m);
    }
    return list;
}

void ExpectOrder(const std::vector<Measured> &order, const std::vector<Measured> &expected) {
    ASSERT_EQ(order.size(), expected.size());
    for (size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i].span, expected[i].span) << i;
        EXPECT_EQ(order[i].reach, expected[i].reach) << i;
    }
}

TEST(LinkOrder, TieWalkCarriesALinkPastSmallerSpans) {
    const std::vector<Measured> inserted = {{3, 3}, {2, 2}, {1, 5}, {2, 1}};
    for (bool outgoing : {true, false}) {
        ExpectOrder(Sorted(inserted, outgoing), {{3, 3}, {2, 2}, {1, 5}, {2, 1}});
    }
    ExpectOrder(Walked(inserted), {{3, 3}, {2, 2}, {1, 5}, {2, 1}});
}

TEST(LinkOrder, EqualSpanByFallingReachLaterEqualsAfter) {
    const std::vector<Measured> inserted = {{1, 2}, {1, 5}, {2, 0}, {1, 2}};
    std::vector<Measured> order = Sorted(inserted, true);
    // (2,0) first by span; then reach 5, then the two reach-2 links in
    // insertion order.
    const int32_t reaches[] = {0, 5, 2, 2};
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i].reach, reaches[i]) << i;
}

// Few links are placed by the walk itself, more through a tree built from
// them: every count around the switch, with many ties, gives the walk's order.
TEST(LinkOrder, ManyLinksKeepTheWalksOrder) {
    uint32_t seed = 7;
    for (size_t count : {7, 8, 9, 16, 40, 200}) {
        std::vector<Measured> inserted;
        for (size_t i = 0; i < count; ++i) {
            seed = seed * 1103515245u + 12345u;
            inserted.push_back({int32_t(seed >> 28) % 4, int32_t(seed >> 20) % 5});
        }
        for (bool outgoing : {true, false}) {
            SCOPED_TRACE(count);
            ExpectOrder(Sorted(inserted, outgoing), Walked(inserted));
        }
    }
}

} // namespace
