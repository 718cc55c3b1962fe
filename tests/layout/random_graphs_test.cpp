// Layout properties on many seeded random graphs.
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <random>
#include <vector>

#include "layout_support.h"
#include "vert.h"

namespace {

struct RandomGraphs : GraphFixture {
    std::vector<Vert *> verts;

    void MakeVerts(int n) {
        verts.clear();
        ZapVerts(graph);
        char name[16];
        for (int i = 0; i < n; ++i) {
            std::snprintf(name, sizeof name, "v%d", i);
            verts.push_back(Add(name));
        }
    }
};

// True when the graph has a directed cycle (repeatedly remove sources).
bool HasCycle(const std::vector<Vert *> &verts) {
    std::vector<int> indegree(verts.size());
    std::vector<size_t> ready;
    std::map<Vert *, size_t> index;
    for (size_t i = 0; i < verts.size(); ++i) index[verts[i]] = i;
    for (Vert *v : verts)
        for (Link *l = v->outFirst; l; l = l->outNext) ++indegree[index[l->target]];
    for (size_t i = 0; i < verts.size(); ++i)
        if (indegree[i] == 0) ready.push_back(i);
    size_t removed = 0;
    while (!ready.empty()) {
        size_t i = ready.back();
        ready.pop_back();
        ++removed;
        for (Link *l = verts[i]->outFirst; l; l = l->outNext)
            if (--indegree[index[l->target]] == 0) ready.push_back(index[l->target]);
    }
    return removed != verts.size();
}

bool Reaches(Vert *from, Vert *to) {
    std::vector<Vert *> work{from};
    std::set<Vert *> seen{from};
    while (!work.empty()) {
        Vert *v = work.back();
        work.pop_back();
        if (v == to) return true;
        for (Link *l = v->outFirst; l; l = l->outNext)
            if (seen.insert(l->target).second) work.push_back(l->target);
    }
    return false;
}

TEST_F(RandomGraphs, DagsKeepEveryLayoutInvariant) {
    std::mt19937 rng(20261211);
    for (int round = 0; round < 1500; ++round) {
        int n = 1 + int(rng() % 40);
        MakeVerts(n);
        // Links from lower to higher index in a random order of indices.
        std::vector<int> order(n);
        for (int i = 0; i < n; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), rng);
        int links = int(rng() % (3 * n + 1));
        for (int k = 0; k < links; ++k) {
            int a = int(rng() % n), b = int(rng() % n);
            if (a == b) continue;
            if (order[a] > order[b]) std::swap(a, b);
            ConVert(verts[a], verts[b], 1);
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_EQ(LocVerts(graph), 0);
        ExpectLayoutInvariants(graph);
        if (HasFatalFailure()) return;
    }
}

TEST_F(RandomGraphs, EveryCycleGivesMinus13) {
    std::mt19937 rng(7);
    int cyclic = 0;
    for (int round = 0; round < 1500; ++round) {
        int n = 2 + int(rng() % 12);
        MakeVerts(n);
        int links = int(rng() % (2 * n + 1));
        for (int k = 0; k < links; ++k) {
            int a = int(rng() % n), b = int(rng() % n);
            if (a != b) ConVert(verts[a], verts[b], 1);
        }
        bool expectCycle = HasCycle(verts);
        cyclic += expectCycle;
        SCOPED_TRACE("round " + std::to_string(round));
        int32_t status = LocVerts(graph);
        if (expectCycle) {
            ASSERT_EQ(status, E_CYCLE);
            GraphInfo info;
            IncGraph(graph, &info);
            if (info.cycleFrom) {
                // The named link lies on a cycle: it exists and its target
                // leads back to its source.
                ASSERT_EQ(ConVert(info.cycleFrom, info.cycleTo, 0), 1);
                ASSERT_TRUE(Reaches(info.cycleTo, info.cycleFrom));
            }
        } else {
            ASSERT_EQ(status, 0);
            ExpectLayoutInvariants(graph);
        }
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(cyclic, 300) << "the rounds must exercise cycles";
}

} // namespace
