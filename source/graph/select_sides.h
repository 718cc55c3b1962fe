// The two sides of a vertex's links, so that one walk can be written once
// for both directions: a side names a vertex's list of links on that side
// and, for a link on it, the vertex at its far end.
#pragma once

#include "vert.h"

struct OutSide {
    static Link *First(const Vert *v) { return v->outFirst; }
    static Link *Next(const Link *l) { return l->outNext; }
    static Vert *Far(const Link *l) { return l->target; }
};

struct InSide {
    static Link *First(const Vert *v) { return v->inFirst; }
    static Link *Next(const Link *l) { return l->inNext; }
    static Vert *Far(const Link *l) { return l->source; }
};

// The first link of the side's list from `from` on that has none of `bits`.
template <class Side> Link *FirstWithout(Link *from, uint32_t bits) {
    Link *l = from;
    while (l && (l->flags & bits)) l = Side::Next(l);
    return l;
}

// The first link of the side's list from `from` on whose bits among `bits`
// are exactly `want`.
template <class Side> Link *FirstWith(Link *from, uint32_t bits, uint32_t want) {
    Link *l = from;
    while (l && (l->flags & bits) != want) l = Side::Next(l);
    return l;
}
