// Chains of reached items, and the marking steps that need no search:
// everything, the anchor's neighbours, the anchor's connected component.
#include "select_marking.h"

#include "select_sides.h"

void InitChains(SelectChains *chains) {
    chains->verts = static_cast<Vert *>(ChainEnd());
    chains->links = static_cast<Link *>(ChainEnd());
}

void ChainVert(SelectChains *chains, Vert *v) {
    if (v->scratch) return;
    v->scratch = chains->verts;
    chains->verts = v;
}

void ChainLink(SelectChains *chains, Link *l) {
    if (l->scratch) return;
    l->scratch = chains->links;
    chains->links = l;
}

void MarkAll(Graph *graph, SelectChains *chains, bool mark) {
    for (Ring *r = graph->vertRing.next; r != &graph->vertRing; r = r->next) {
        Vert *v = VertOfOrder(r);
        if (mark) v->linkBits |= VertMarked;
        ChainVert(chains, v);
        for (Link *l = v->outFirst; l; l = l->outNext) {
            if (mark) l->flags |= LinkMarked;
            ChainLink(chains, l);
        }
    }
}

namespace {

template <class Side> void MarkSide(SelectChains *chains, Vert *anchor) {
    for (Link *l = Side::First(anchor); l; l = Side::Next(l)) {
        l->flags |= LinkMarked;
        ChainLink(chains, l);
        Vert *far = Side::Far(l);
        far->linkBits |= VertMarked;
        ChainVert(chains, far);
    }
}

} // namespace

void MarkNeighbours(SelectChains *chains, Vert *anchor, int dir) {
    anchor->linkBits |= VertMarked;
    ChainVert(chains, anchor);
    if (dir < 0) MarkSide<InSide>(chains, anchor);
    if (dir > 0) MarkSide<OutSide>(chains, anchor);
}

namespace {

constexpr uint32_t kWalked = kLinkWalkedForward | kLinkWalkedBackward;

void Reach(SelectChains *chains, Vert *v, bool mark) {
    v->linkBits |= mark ? uint16_t(VertWalked | VertMarked) : VertWalked;
    ChainVert(chains, v);
}

// The next link on one side of u: the first one not walked either way, else
// the one that brought the walk to u over that side (walked only by
// `arrival`). Links not walked are taken in list order, so after returning
// to u over `resume` (taken from u earlier) the search for one starts
// behind it: every link before it is walked already, and u's lists are not
// scanned again for each link, which keeps the walk linear.
template <class Side> Link *Pick(Vert *u, Link *resume, uint32_t arrival) {
    Link *l = FirstWithout<Side>(resume ? Side::Next(resume) : Side::First(u), kWalked);
    return l ? l : FirstWith<Side>(Side::First(u), kWalked, arrival);
}

Link *PickIn(Vert *u, Link *resume) { return Pick<InSide>(u, resume, kLinkWalkedForward); }
Link *PickOut(Vert *u, Link *resume) { return Pick<OutSide>(u, resume, kLinkWalkedBackward); }

// The link to take at u going in the given direction, turning to the other
// side when this one has none; null when u has nothing left.
Link *NextLink(Vert *u, Link *resume, bool *forward) {
    Link *l = *forward ? PickOut(u, resume) : PickIn(u, resume);
    if (l) return l;
    *forward = !*forward;
    return *forward ? PickOut(u, nullptr) : PickIn(u, nullptr);
}

} // namespace

void WalkComponent(SelectChains *chains, Vert *anchor, bool mark) {
    Reach(chains, anchor, mark);
    bool forward = anchor->outFirst != nullptr;
    Link *l = forward ? anchor->outFirst : anchor->inFirst;
    while (l) {
        if (mark) l->flags |= LinkMarked;
        ChainLink(chains, l);
        l->flags |= forward ? kLinkWalkedForward : kLinkWalkedBackward;
        Vert *u = forward ? l->target : l->source;
        Link *resume = nullptr;
        if ((l->flags & kWalked) == kWalked) {
            // Back over a link walked both ways: u took it earlier and goes
            // on with its next link on that side.
            forward = !forward;
            resume = l;
        } else if (u->linkBits & VertWalked) {
            // u was reached before: return over the same link at once.
            forward = !forward;
            continue;
        } else {
            Reach(chains, u, mark);
        }
        l = NextLink(u, resume, &forward);
    }
}

void UnmarkChains(Vert *verts, Link *links) {
    for (Link *l = links, *next; l; l = next) {
        next = static_cast<Link *>(l->scratch);
        Unmark(l);
    }
    for (Vert *v = verts, *next; v; v = next) {
        next = static_cast<Vert *>(v->scratch);
        Unmark(v);
    }
}
