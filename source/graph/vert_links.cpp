// Directed links between vertices: making, removing and testing them.
#include "repaint.h"
#include "vert.h"

namespace {

Link *LastOut(Link *l) {
    while (l->outNext) l = l->outNext;
    return l;
}

Link *LastIn(Link *l) {
    while (l->inNext) l = l->inNext;
    return l;
}

Link *FindLink(const Vert *from, const Vert *to) {
    for (Link *l = from->outFirst; l; l = l->outNext)
        if (l->target == to) return l;
    return nullptr;
}

// Takes l out of its lists. A link a pane may show goes on the changed chain
// and is freed after the panes repainted; any other is freed at once.
void RemoveLink(Link *l, Link **changed, int *removed) {
    UnlinkLink(l, 0);
    ++*removed;
    if ((l->flags & (LinkPlaced | LinkShown)) == (LinkPlaced | LinkShown)) {
        *changed = StageLink(l, *changed);
        l->flags &= ~LinkShown;
    } else {
        PoolFree(l);
    }
}

} // namespace

int32_t ConnectVerts(Graph *graph, Vert *from, Vert *to) {
    if (!from || !to) return E_ARG;
    if (!graph) {
        graph = GraphOfVert(from);
        if (GraphOfVert(to) != graph) return E_GRAPHS;
    }
    if (from == to) {
        graph->cycleFrom = graph->cycleTo = from;
        return E_CYCLE;
    }
    if (FindLink(from, to)) return 0;
    auto *l = static_cast<Link *>(PoolAlloc(&graph->linkPool));
    if (!l) return E_MEMORY;
    l->flags = LinkShown;
    l->target = to;
    l->source = from;
    if (to->inFirst) {
        Link *last = LastIn(to->inFirst);
        last->inNext = l;
        l->inPrev = last;
    } else {
        to->inFirst = l;
        to->linkBits |= VertHasIn;
    }
    if (from->outFirst) {
        Link *last = LastOut(from->outFirst);
        last->outNext = l;
        l->outPrev = last;
    } else {
        from->outFirst = l;
        from->linkBits |= VertHasOut;
    }
    // No repaint: the link has no place until the next layout.
    return 1;
}

void UnlinkLink(Link *l, int side) {
    if (side >= 0) {
        Vert *source = l->source;
        if (l->outPrev) l->outPrev->outNext = l->outNext;
        else {
            source->outFirst = l->outNext;
            if (!source->outFirst) source->linkBits &= ~VertHasOut;
        }
        if (l->outNext) l->outNext->outPrev = l->outPrev;
        l->outNext = l->outPrev = nullptr;
    }
    if (side <= 0) {
        Vert *target = l->target;
        if (l->inPrev) l->inPrev->inNext = l->inNext;
        else {
            target->inFirst = l->inNext;
            if (!target->inFirst) target->linkBits &= ~VertHasIn;
        }
        if (l->inNext) l->inNext->inPrev = l->inPrev;
        l->inNext = l->inPrev = nullptr;
    }
}

Link *StageLink(Link *l, Link *chain) {
    l->flags &= ~(LinkWasShown | LinkWasHilite);
    if (l->flags & LinkShown) l->flags |= LinkWasShown;
    if (l->flags & LinkHilite) l->flags |= LinkWasHilite;
    l->scratch = chain;
    return l;
}

int32_t DisconnectVerts(Vert *from, Vert *to) {
    if (from == to) return 0;
    Link *changed = nullptr;
    int removed = 0;
    Graph *graph = GraphOfVert(from ? from : to);
    if (from && to) {
        Link *l = FindLink(from, to);
        if (!l) return 0;
        RemoveLink(l, &changed, &removed);
    } else if (from) {
        while (from->outFirst) RemoveLink(from->outFirst, &changed, &removed);
    } else {
        while (to->inFirst) RemoveLink(to->inFirst, &changed, &removed);
    }
    if (!removed) return 0;
    for (Ring *r = graph->paneRing.next, *next; r != &graph->paneRing; r = next) {
        next = r->next;
        RepaintLinksChanged(reinterpret_cast<Pane *>(r), changed);
    }
    while (changed) {
        Link *next = static_cast<Link *>(changed->scratch);
        PoolFree(changed);
        changed = next;
    }
    return 1;
}

int32_t ProbeLink(const Vert *from, const Vert *to) {
    if (from && to) return FindLink(from, to) ? 1 : 0;
    if (from) return from->outFirst ? 1 : 0;
    if (to) return to->inFirst ? 1 : 0;
    return 0;
}
