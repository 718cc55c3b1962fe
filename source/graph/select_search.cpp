// MarkForward and MarkBackward: a depth-first search that keeps no stack.
// The way back from a vertex is its link that the search entered but has
// not yet left (one per vertex on the current path); links leave a vertex
// in list order.
#include "select_marking.h"
#include "select_sides.h"

namespace {

// Ahead: the side the search follows; Behind: the side it backs up over.
template <class Ahead, class Behind, uint32_t kEntered, uint32_t kDone>
bool Search(SelectChains *chains, Vert *anchor, Vert *other) {
    constexpr uint32_t kTaken = kEntered | kDone;
    Vert *v = anchor;
    Link *arrivedBy = nullptr;   // the link just taken to v
    Link *backedOver = nullptr;  // the link just backed up over into v
    for (;;) {
        Link *take = nullptr;
        if (arrivedBy && (v->linkBits & VertSearched)) {
            // A second arrival: v is searched already.
        } else if (v == other) {
            v->linkBits |= VertMarked; // the search does not go beyond other
        } else if (!Ahead::First(v)) {
            if (!other) v->linkBits |= VertMarked; // an end of the region
        } else {
            // Links leave v in list order: after backing up over one, the
            // next candidate is behind it, so v's list is scanned only once.
            take = FirstWithout<Ahead>(backedOver ? Ahead::Next(backedOver) : Ahead::First(v),
                                       kTaken);
        }
        v->linkBits |= VertSearched;
        ChainVert(chains, v);
        if (take) {
            take->flags |= kEntered;
            ChainLink(chains, take);
            v = Ahead::Far(take);
            arrivedBy = take;
            backedOver = nullptr;
            continue;
        }
        // Back up. A vertex that took no link on arrival goes back over the
        // link it came by; one that is done with its links looks for the
        // link it was first entered by (it is entered once per search).
        Link *l = arrivedBy;
        if (!l) {
            if (v == anchor) break;
            l = FirstWith<Behind>(Behind::First(v), kTaken, kEntered);
            if (!l) break;
        }
        Vert *from = Behind::Far(l);
        l->flags |= kDone;
        if (v->linkBits & VertMarked) {
            l->flags |= LinkMarked;
            from->linkBits |= VertMarked;
        }
        v = from;
        arrivedBy = nullptr;
        backedOver = l;
    }
    // A second search of the same call may start here again.
    anchor->linkBits &= uint16_t(~VertSearched);
    return (anchor->linkBits & VertMarked) != 0;
}

} // namespace

bool MarkForward(SelectChains *chains, Vert *anchor, Vert *other) {
    return Search<OutSide, InSide, kLinkSearchBit2, kLinkSearchBit3>(chains, anchor, other);
}

bool MarkBackward(SelectChains *chains, Vert *anchor, Vert *other) {
    return Search<InSide, OutSide, kLinkSearchBit3, kLinkSearchBit2>(chains, anchor, other);
}
