// Selection on many seeded random graphs, against plain reachability
// computed here with ordinary containers.
#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "select_test_support.h"
#include "vert.h"

namespace {

using VertSet = std::set<Vert *>;
using LinkSet = std::set<std::string>;

VertSet Reachable(Vert *from, bool forward) {
    VertSet seen{from};
    std::vector<Vert *> work{from};
    while (!work.empty()) {
        Vert *v = work.back();
        work.pop_back();
        for (Link *l = forward ? v->outFirst : v->inFirst; l; l = forward ? l->outNext : l->inNext) {
            Vert *far = forward ? l->target : l->source;
            if (seen.insert(far).second) work.push_back(far);
        }
    }
    return seen;
}

VertSet Component(Vert *from) {
    VertSet seen{from};
    std::vector<Vert *> work{from};
    while (!work.empty()) {
        Vert *v = work.back();
        work.pop_back();
        for (Link *l = v->outFirst; l; l = l->outNext)
            if (seen.insert(l->target).second) work.push_back(l->target);
        for (Link *l = v->inFirst; l; l = l->inNext)
            if (seen.insert(l->source).second) work.push_back(l->source);
    }
    return seen;
}

VertSet Intersect(const VertSet &a, const VertSet &b) {
    VertSet both;
    for (Vert *v : a)
        if (b.count(v)) both.insert(v);
    return both;
}

// The vertices on paths from `from` to `to`; empty when there is none.
VertSet Paths(Vert *from, Vert *to) { return Intersect(Reachable(from, true), Reachable(to, false)); }

// The links that pass the test given their source and target, as "a>b".
LinkSet LinksWhere(const std::vector<Vert *> &verts, const std::function<bool(Vert *, Vert *)> &in) {
    LinkSet links;
    for (Vert *v : verts)
        for (Link *l = v->outFirst; l; l = l->outNext)
            if (in(v, l->target)) links.insert(NameOf(v) + ">" + NameOf(l->target));
    return links;
}

// Depth-first order of first reach along one side's links, in list order.
std::vector<Vert *> FirstReach(Vert *from, bool forward) {
    std::vector<Vert *> order;
    VertSet seen;
    std::function<void(Vert *)> visit = [&](Vert *v) {
        if (!seen.insert(v).second) return;
        order.push_back(v);
        for (Link *l = forward ? v->outFirst : v->inFirst; l; l = forward ? l->outNext : l->inNext)
            visit(forward ? l->target : l->source);
    };
    visit(from);
    return order;
}

// The component walk exactly as described, one list scan per step, with its
// marks kept here: the vertices in order of first reach.
std::vector<Vert *> LiteralWalkOrder(Vert *anchor) {
    std::map<Link *, unsigned> walked; // bit 0 forward, bit 1 backward
    VertSet reached{anchor};
    std::vector<Vert *> order{anchor};
    auto pick = [&](Link *first, bool in) -> Link * {
        unsigned arrival = in ? 1 : 2;
        for (unsigned want : {0u, arrival})
            for (Link *l = first; l; l = in ? l->inNext : l->outNext)
                if (walked[l] == want) return l;
        return nullptr;
    };
    bool forward = anchor->outFirst != nullptr;
    Link *l = forward ? anchor->outFirst : anchor->inFirst;
    while (l) {
        walked[l] |= forward ? 1 : 2;
        Vert *u = forward ? l->target : l->source;
        if (walked[l] == 3) {
            forward = !forward;
        } else if (reached.count(u)) {
            forward = !forward;
            continue;
        } else {
            reached.insert(u);
            order.push_back(u);
        }
        l = forward ? pick(u->outFirst, false) : pick(u->inFirst, true);
        if (!l) {
            forward = !forward;
            l = forward ? pick(u->outFirst, false) : pick(u->inFirst, true);
        }
    }
    return order;
}

std::set<std::string> NameSet(const VertSet &verts) {
    std::set<std::string> names;
    for (Vert *v : verts) names.insert(NameOf(v));
    return names;
}

struct SelectRandom : GraphFixture {
    std::mt19937 rng{20261211};
    std::vector<Vert *> verts;

    // A random graph of up to 40 vertices whose links run from lower to
    // higher places in a shuffled order: no directed cycle.
    void MakeDag() {
        ZapVerts(graph);
        verts.clear();
        int n = 1 + int(rng() % 40);
        char name[16];
        for (int i = 0; i < n; ++i) {
            std::snprintf(name, sizeof name, "v%d", i);
            verts.push_back(Add(name));
        }
        std::vector<int> place(n);
        for (int i = 0; i < n; ++i) place[i] = i;
        std::shuffle(place.begin(), place.end(), rng);
        int links = int(rng() % (2 * n + 1));
        for (int k = 0; k < links; ++k) {
            int a = int(rng() % n), b = int(rng() % n);
            if (a == b) continue;
            if (place[a] > place[b]) std::swap(a, b);
            ConVert(verts[a], verts[b], 1);
        }
        ASSERT_EQ(LocVerts(graph), 0);
    }
    Vert *Any() { return verts[rng() % verts.size()]; }

    // Runs the selection with highlighting rules and checks that it selected
    // exactly `expected` and the links between them, left the anchor's
    // highlight to its own rule and left no mark behind.
    Selection Check(uint32_t scope, Vert *anchor, Vert *other, const VertSet &expected) {
        ClearHilites(graph);
        Selection s = Select(graph, scope | kHiliteSelected, anchor, other);
        EXPECT_EQ(s.count, intptr_t(expected.size()));
        EXPECT_EQ(VertSet(s.out.begin(), s.out.end()), expected);
        VertSet hilited = expected;
        hilited.insert(anchor);
        EXPECT_EQ(HilitedVerts(graph), NameSet(hilited));
        EXPECT_EQ(HilitedLinks(graph), LinksWhere(verts, [&](Vert *from, Vert *to) {
                      return expected.count(from) && expected.count(to);
                  }));
        ExpectNoSelectMarks(graph);
        return s;
    }
};

TEST_F(SelectRandom, SearchesMarkExactlyThePathsAndTheComponent) {
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MakeDag();
        Vert *x = Any(), *o = Any();
        SCOPED_TRACE("anchor " + NameOf(x) + " other " + NameOf(o));

        Selection down = Check(SelDownAll, x, nullptr, Reachable(x, true));
        std::vector<Vert *> order = FirstReach(x, true);
        EXPECT_EQ(down.out, std::vector<Vert *>(order.rbegin(), order.rend()));
        Selection up = Check(SelUpAll, x, nullptr, Reachable(x, false));
        order = FirstReach(x, false);
        EXPECT_EQ(up.out, std::vector<Vert *>(order.rbegin(), order.rend()));

        VertSet toOther = Paths(x, o), fromOther = Paths(o, x);
        VertSet withAnchor = toOther;
        withAnchor.insert(x);
        Check(SelDownToOther, x, o, withAnchor);
        withAnchor = fromOther;
        withAnchor.insert(x);
        Check(SelUpFromOther, x, o, withAnchor);
        Check(SelComponent, x, o, o == x ? VertSet{x} : !toOther.empty() ? toOther : fromOther);
        Selection part = Check(SelComponent, x, nullptr, Component(x));
        order = LiteralWalkOrder(x);
        EXPECT_EQ(part.out, std::vector<Vert *>(order.rbegin(), order.rend()));
        if (HasFailure()) return;
    }
}

TEST_F(SelectRandom, TouchAllReachesTheComponentOrTheGraph) {
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MakeDag();
        Vert *x = Any();
        VertSet down = Reachable(x, true), part = Component(x);
        VertSet all(verts.begin(), verts.end());
        for (bool whole : {false, true}) {
            VertSet expected;
            for (Vert *v : whole ? all : part)
                if (!down.count(v)) expected.insert(v);
            ClearHilites(graph);
            uint32_t mode = SelDownAll | SelInvert | SelRule(SelRuleSet, SelVertHilite) |
                            SelRule(SelRuleSet, SelLinkHilite) | (whole ? SelWholeGraph : 0);
            Selection s = Select(graph, mode, x);
            EXPECT_EQ(s.count, intptr_t(expected.size())) << "whole graph " << whole;
            EXPECT_EQ(HilitedVerts(graph), NameSet(expected));
            // Every link leaving a vertex downstream is marked.
            EXPECT_EQ(HilitedLinks(graph), LinksWhere(verts, [&](Vert *from, Vert *) {
                          return (whole || part.count(from)) && !down.count(from);
                      }));
            ExpectNoSelectMarks(graph);
        }
        if (HasFailure()) return;
    }
}

// Links made after the layout may close cycles; the call is then outside
// what it promises to mark but must still end, stay within what the anchor
// reaches and clean up.
TEST_F(SelectRandom, CyclesMadeAfterTheLayoutStillEndClean) {
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        MakeDag();
        for (int k = 0; k < 1 + int(verts.size() / 4); ++k) ConVert(Any(), Any(), 1);
        Vert *x = Any(), *o = Any();
        for (uint32_t scope : {SelDownAll, SelUpAll, SelDownToOther, SelUpFromOther, SelComponent,
                               SelUpAll | SelDownAll}) {
            ClearHilites(graph);
            Selection s = Select(graph, scope | kHiliteSelected, x, o);
            VertSet reach = scope == SelComponent ? Component(x)
                            : scope & SelDownAll  ? Reachable(x, true)
                                                  : Reachable(x, false);
            if (scope == (SelUpAll | SelDownAll))
                for (Vert *v : Reachable(x, false)) reach.insert(v);
            for (Vert *v : s.out) EXPECT_TRUE(reach.count(v)) << NameOf(v) << " scope " << scope;
            EXPECT_EQ(size_t(s.count), s.out.size());
            ExpectNoSelectMarks(graph);
        }
        ClearHilites(graph);
        Selection part = Check(SelComponent, x, nullptr, Component(x));
        std::vector<Vert *> order = LiteralWalkOrder(x);
        EXPECT_EQ(part.out, std::vector<Vert *>(order.rbegin(), order.rend()));
        if (HasFailure()) return;
    }
}

} // namespace
