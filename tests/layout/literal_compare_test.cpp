// The library's layout against the literal method (a reference copy kept
// with the tests) on many seeded random graphs of several shapes: every
// observable result must be the same.
#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <vector>

#include "layout_support.h"
#include "literal/layout.h"
#include "vert.h"

namespace {

// Everything a layout leaves in the graph, with vertices as creation indexes.
struct Outcome {
    int32_t status;
    std::vector<int64_t> block;               // the result block, cycle pair as indexes
    std::vector<int64_t> verts;               // level, row, flags per vertex
    std::vector<uint32_t> linkFlags;          // outgoing order of every vertex
    std::vector<std::vector<int64_t>> rings;  // level rings, as indexes
    bool operator==(const Outcome &o) const {
        return status == o.status && block == o.block && verts == o.verts &&
               linkFlags == o.linkFlags && rings == o.rings;
    }
};

Outcome Observe(Graph *g, int32_t status) {
    std::map<Vert *, int64_t> index{{nullptr, -1}};
    for (Ring *r = g->vertRing.next; r != &g->vertRing; r = r->next)
        index.emplace(VertOfOrder(r), int64_t(index.size()) - 1);
    Outcome o{status, {g->levelFirst, g->levelEnd, g->rowFirst, g->rowEnd, g->ringBase, g->ringEnd,
                       g->levelRings != nullptr, index.at(g->cycleFrom), index.at(g->cycleTo),
                       g->partCount, g->placedCount},
              {}, {}, {}};
    for (Ring *r = g->vertRing.next; r != &g->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        o.verts.insert(o.verts.end(), {v->level, v->row, v->rec.flags});
        for (Link *l = v->outFirst; l; l = l->outNext) o.linkFlags.push_back(l->flags);
    }
    for (int32_t lv = g->ringBase; g->levelRings && lv < g->ringEnd; ++lv) {
        Ring *ring = &g->levelRings[lv - g->ringBase];
        o.rings.emplace_back();
        for (Ring *r = ring->next; r != ring; r = r->next) o.rings.back().push_back(index.at(VertOfLevel(r)));
    }
    return o;
}

enum class Kind { Sparse, Hubs, LongLinks, ManyParts, Cycles, Dense };

struct Pair {
    int a, b;
};

// The links of one random graph of n vertices; acyclic unless kind is Cycles.
std::vector<Pair> RandomLinks(Kind kind, int n, std::mt19937 &rng) {
    std::vector<int> order(n); // links run from lower to higher order
    for (int i = 0; i < n; ++i) order[i] = i;
    std::shuffle(order.begin(), order.end(), rng);
    std::vector<Pair> links;
    auto add = [&](int a, int b) {
        if (a == b) return;
        if (kind != Kind::Cycles && order[a] > order[b]) std::swap(a, b);
        links.push_back({a, b});
    };
    auto any = [&] { return int(rng() % n); };
    switch (kind) {
    case Kind::Sparse:
        for (int k = int(rng() % (2 * n + 1)); k > 0; --k) add(any(), any());
        break;
    case Kind::Hubs:
        for (int h = 0; h < 1 + n / 20; ++h) {
            int hub = any();
            for (int k = int(rng() % n); k > 0; --k) add(hub, any());
        }
        for (int k = int(rng() % (n + 1)); k > 0; --k) add(any(), any());
        break;
    case Kind::LongLinks: {
        // A path through all vertices in order, and links far along it.
        std::vector<int> byOrder(n);
        for (int i = 0; i < n; ++i) byOrder[order[i]] = i;
        for (int i = 0; i + 1 < n; ++i)
            if (rng() % 8) add(byOrder[i], byOrder[i + 1]);
        for (int k = int(rng() % (n / 2 + 1)); k > 0; --k) {
            int from = int(rng() % n), span = 2 + int(rng() % std::max(1, n / 2));
            if (from + span < n) add(byOrder[from], byOrder[from + span]);
        }
        break;
    }
    case Kind::ManyParts: {
        // Small random parts side by side, of different sizes.
        for (int first = 0; first < n;) {
            int size = std::min(n - first, 1 + int(rng() % 7));
            for (int k = int(rng() % (2 * size)); k > 0; --k)
                add(first + int(rng() % size), first + int(rng() % size));
            first += size;
        }
        break;
    }
    case Kind::Cycles:
        for (int k = int(rng() % (2 * n + 1)); k > 0; --k) add(any(), any());
        break;
    case Kind::Dense:
        for (int k = int(rng() % (n * n / 3 + 1)); k > 0; --k) add(any(), any());
        break;
    }
    return links;
}

struct Twin {
    Graph *graph = nullptr;
    std::vector<Vert *> verts;
};

void Make(Twin *t, int n) {
    char name[16];
    for (int i = 0; i < n; ++i) {
        std::snprintf(name, sizeof name, "v%d", i);
        VertRec rec = Rec(name);
        Vert *v = nullptr;
        NewVert(&v, &rec, t->graph);
        t->verts.push_back(v);
    }
}

struct LiteralCompare : BlockLeakCheck {
    Twin fast, literal;
    void SetUp() override {
        BlockLeakCheck::SetUp();
        NewGraph(&fast.graph, 0);
        NewGraph(&literal.graph, 0);
    }
    void TearDown() override {
        DelGraph(fast.graph);
        DelGraph(literal.graph);
        BlockLeakCheck::TearDown();
    }
    void Link(int a, int b) {
        ConVert(fast.verts[a], fast.verts[b], 1);
        ConVert(literal.verts[a], literal.verts[b], 1);
    }
    // Lays out both graphs and compares; counts the failed layouts.
    void Compare(int *failures) {
        int32_t fastStatus = LocVerts(fast.graph);
        int32_t literalStatus = literal::LocVerts(literal.graph);
        Outcome f = Observe(fast.graph, fastStatus), l = Observe(literal.graph, literalStatus);
        ASSERT_TRUE(f == l) << "status " << fastStatus << " (literal " << literalStatus << ")";
        *failures += fastStatus != 0;
    }
};

TEST_F(LiteralCompare, EveryResultAsTheLiteralMethodGives) {
    const struct {
        Kind kind;
        const char *name;
        int rounds, maxVerts;
    } kinds[] = {
        {Kind::Sparse, "sparse", 1500, 60},     {Kind::Hubs, "hubs", 500, 120},
        {Kind::LongLinks, "long links", 800, 150}, {Kind::ManyParts, "many parts", 500, 80},
        {Kind::Cycles, "cycles", 1500, 14},      {Kind::Dense, "dense", 500, 25},
    };
    std::mt19937 rng(4242);
    int failed = 0;
    for (const auto &k : kinds) {
        for (int round = 0; round < k.rounds; ++round) {
            SCOPED_TRACE(std::string(k.name) + " round " + std::to_string(round));
            ZapVerts(fast.graph);
            ZapVerts(literal.graph);
            fast.verts.clear();
            literal.verts.clear();
            int n = 1 + int(rng() % k.maxVerts);
            Make(&fast, n);
            Make(&literal, n);
            for (const Pair &p : RandomLinks(k.kind, n, rng)) Link(p.a, p.b);
            ASSERT_NO_FATAL_FAILURE(Compare(&failed));
            // Once more after a change: a new link may close a cycle, and
            // a failure must then keep the same previous drawing.
            if (n > 1) Link(int(rng() % n), int(rng() % n));
            ASSERT_NO_FATAL_FAILURE(Compare(&failed));
        }
    }
    EXPECT_GT(failed, 300) << "the rounds must exercise cycles";
}

} // namespace
