// The vertex exports: NewVert, DelVert, GetVert, SetVert, ConVert, FindVert,
// EnumVerts, AppVerts, ZapVerts.
#include <cstring>

#include "repaint.h"
#include "vert.h"

namespace {

void EachPaneRepaintLinks(Graph *graph, Link *chain) {
    for (Ring *r = graph->paneRing.next, *next; r != &graph->paneRing; r = next) {
        next = r->next;
        RepaintLinksChanged(reinterpret_cast<Pane *>(r), chain);
    }
}

// Clears LinkShown on every link of v and has the panes erase those they show.
void EraseLinks(Graph *graph, Vert *v) {
    Link *chain = nullptr;
    auto stage = [&chain](Link *l) {
        if ((l->flags & (LinkPlaced | LinkShown)) == (LinkPlaced | LinkShown))
            chain = StageLink(l, chain);
        l->flags &= ~LinkShown;
    };
    for (Link *l = v->inFirst; l; l = l->inNext) stage(l);
    for (Link *l = v->outFirst; l; l = l->outNext) stage(l);
    if (!chain) return;
    EachPaneRepaintLinks(graph, chain);
    while (chain) {
        Link *next = static_cast<Link *>(chain->scratch);
        chain->scratch = nullptr;
        chain = next;
    }
}

// The vertex of the record's name, made when it does not exist. Sets *made
// when it was made; the status is 0, -3 (invalid name) or -7.
int32_t FindOrCreate(Graph *graph, const VertRec *rec, Vert **out, bool *made) {
    int32_t hash;
    *out = LookupVert(graph, rec->name, &hash);
    if (*out) return 0;
    if (hash < 0) return E_ARG;
    *out = CreateVert(graph, rec, hash);
    if (!*out) return E_MEMORY;
    *made = true;
    return 0;
}

// The next source (sinks: the next sink) after v in creation order.
Vert *NextEnd(Graph *graph, Vert *v, int sinks) {
    do v = StepVert(graph, v, 1);
    while (v && (sinks ? v->outFirst : v->inFirst));
    return v;
}

} // namespace

extern "C" {

BRD_EXPORT int32_t BRDAPI NewVert(Vert **out, const VertRec *rec, Graph *graph) {
    if (out) *out = nullptr;
    if (!rec || !graph) return E_ARG;
    int32_t hash;
    Vert *v = LookupVert(graph, rec->name, &hash);
    if (v) {
        if (out) *out = v;
        return E_EXISTS;
    }
    if (hash < 0) return E_ARG;
    v = CreateVert(graph, rec, hash);
    if (!v) return E_MEMORY;
    if (out) *out = v;
    return 0;
}

BRD_EXPORT int32_t BRDAPI DelVert(Vert *v) {
    if (!v) return E_ARG;
    Graph *graph = GraphOfVert(v);
    SetVertFlags(v, v->rec.flags & ~VertShown, 0); // erased from every pane
    EraseLinks(graph, v);
    if (graph->cycleFrom == v) graph->cycleFrom = nullptr;
    if (graph->cycleTo == v) graph->cycleTo = nullptr;
    if ((v->rec.flags & VertPlaced) && graph->placedCount > 0) --graph->placedCount;
    for (Link *l = v->inFirst; l; l = l->inNext) UnlinkLink(l, 1);
    for (Link *l = v->outFirst; l; l = l->outNext) UnlinkLink(l, -1);
    for (Link *l = v->inFirst; l;) {
        Link *next = l->inNext;
        PoolFree(l);
        l = next;
    }
    for (Link *l = v->outFirst; l;) {
        Link *next = l->outNext;
        PoolFree(l);
        l = next;
    }
    RingUnlink(&v->levelLink);
    RingUnlink(&v->bucketLink);
    RingUnlink(&v->orderLink);
    PoolFree(v);
    return 0;
}

BRD_EXPORT int32_t BRDAPI GetVert(Vert *v, VertRec *rec) {
    if (!v || !rec) return E_ARG;
    std::memcpy(rec, &v->rec, sizeof(VertRec));
    return 0;
}

BRD_EXPORT int32_t BRDAPI SetVert(Vert *v, const VertRec *rec) {
    if (!v || !rec) return E_ARG;
    v->rec.user1 = rec->user1;
    v->rec.user2 = rec->user2;
    int changed = rec->image != v->rec.image || rec->mask != v->rec.mask;
    v->rec.image = rec->image;
    v->rec.mask = rec->mask;
    SetVertFlags(v, rec->flags, changed);
    return 0;
}

BRD_EXPORT int32_t BRDAPI ConVert(Vert *from, Vert *to, int32_t mode) {
    if (mode > 0) return ConnectVerts(nullptr, from, to);
    if (mode < 0) return DisconnectVerts(from, to);
    return ProbeLink(from, to);
}

BRD_EXPORT Vert *BRDAPI FindVert(Graph *graph, VertRec *rec) {
    if (!graph || !rec) return nullptr;
    Vert *v = LookupVert(graph, rec->name, nullptr);
    if (v) std::memcpy(rec, &v->rec, sizeof(VertRec));
    return v;
}

BRD_EXPORT int32_t BRDAPI EnumVerts(Graph *graph, int32_t mode, Vert *v, EnumVertsProc callback,
                                    intptr_t user) {
    if (!graph || !callback) return 0;
    int backward = mode & 1;
    switch (mode & 0xF0) {
    case EnumCreation:
        // Each walk takes its next element before the callback may delete
        // the one it was given.
        for (Vert *cur = StepVert(graph, v, !backward); cur;) {
            Vert *next = StepVert(graph, cur, !backward);
            if (int32_t r = callback(graph, cur, user)) return r;
            cur = next;
        }
        return 0;
    case EnumNeighbours:
        if (v && !backward) {
            for (Link *l = v->outFirst; l;) {
                Link *next = l->outNext;
                if (int32_t r = callback(graph, l->target, user)) return r;
                l = next;
            }
        } else if (v) {
            for (Link *l = v->inFirst; l;) {
                Link *next = l->inNext;
                if (int32_t r = callback(graph, l->source, user)) return r;
                l = next;
            }
        } else {
            // Sources (no incoming links) or sinks (no outgoing links); the
            // next one is found before the callback sees the current one.
            for (Vert *cur = NextEnd(graph, nullptr, backward); cur;) {
                Vert *next = NextEnd(graph, cur, backward);
                if (int32_t r = callback(graph, cur, user)) return r;
                cur = next;
            }
        }
        return 0;
    default:
        return 0;
    }
}

BRD_EXPORT int32_t BRDAPI AppVerts(Graph *graph, const VertRec *recs, int32_t count) {
    if (count == 0) return 0;
    if (!graph || !recs) return E_ARG;
    bool made = false;
    Vert *principal;
    if (int32_t status = FindOrCreate(graph, &recs[0], &principal, &made)) return status;
    // An existing principal takes the record's flags, bitmaps and host words.
    if (!made) SetVert(principal, &recs[0]);
    // |count| as unsigned: the most negative count has no positive int32.
    uint32_t n = count > 0 ? uint32_t(count) : 0u - uint32_t(count);
    for (uint32_t i = 1; i < n; ++i) {
        Vert *neighbour;
        if (int32_t status = FindOrCreate(graph, &recs[i], &neighbour, &made)) return status;
        int32_t linked = count > 0 ? ConnectVerts(graph, principal, neighbour)
                                   : ConnectVerts(graph, neighbour, principal);
        if (linked < 0) return linked;
        if (linked == 1) made = true;
    }
    return made ? 1 : 0;
}

BRD_EXPORT int32_t BRDAPI ZapVerts(Graph *graph) {
    if (!graph) return E_ARG;
    ResetGraph(graph, 0);
    RefreshPanes(graph);
    return 0;
}

} // extern "C"

