// Row placement: greedy and depth-first. From the start vertex each newly
// placed vertex dives along its first link whose other end is unplaced and
// queues the rest; each vertex takes the lowest row its level, its placed
// neighbours, the levels its unplaced links span and the straight long links
// allow.
#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "block_memory.h"
#include "brindle.h"
#include "layout.h"

namespace {

// The level table holds the rings and, after them, a tree of maxima over the
// levels: entry count + i is level ringBase + i, holding its last row + 1
// (0: no vertex yet); entry k < count holds the larger of entries 2k, 2k + 1.
uint32_t LevelCount(const LocPart *part) { return uint32_t(part->ringEnd - part->ringBase); }

uint32_t *TopRows(LocPart *part) {
    return reinterpret_cast<uint32_t *>(part->levelRings + LevelCount(part));
}

void RaiseTop(LocPart *part, int32_t level, int32_t row) {
    uint32_t *top = TopRows(part), value = uint32_t(row) + 1;
    for (uint32_t k = LevelCount(part) + uint32_t(level - part->ringBase); k >= 1 && top[k] < value;
         k /= 2)
        top[k] = value;
}

// The last row + 1 over the levels first..last (0: none placed there).
uint32_t TopBetween(LocPart *part, int32_t first, int32_t last) {
    const uint32_t *top = TopRows(part);
    uint32_t count = LevelCount(part), best = 0;
    uint32_t lo = count + uint32_t(first - part->ringBase);
    uint32_t hi = count + uint32_t(last - part->ringBase) + 1;
    for (; lo < hi; lo /= 2, hi /= 2) {
        if (lo & 1) best = std::max(best, top[lo++]);
        if (hi & 1) best = std::max(best, top[--hi]);
    }
    return best;
}

int32_t LastRow(Ring *ring) { return LocVertOf(ring->prev)->row; }

void Lower(int32_t *bound, int32_t c) {
    if (c < *bound) *bound = c;
}

// The lowest row the neighbourhood allows: past the last vertex of v's
// level, not below a placed neighbour, and past every vertex placed on the
// levels that v's unplaced links span (those levels form one range).
int32_t Candidate(LocPart *part, LocVert *v) {
    bool has = false;
    int32_t c = 0;
    Ring *own = LevelRing(part, v->level);
    if (!RingEmpty(own)) {
        int32_t r = LastRow(own);
        if (r >= kGridLimit) return kNoCell;
        c = r + 1;
        has = true;
    }
    for (int32_t bound : {v->childBound, v->parentBound}) {
        if (bound < kNoBound && (!has || bound > c)) {
            c = bound;
            has = true;
        }
    }
    int32_t first = v->level, last = v->level;
    if (part->dir == 0) {
        for (LocLink *e = v->outFirst; e; e = e->outNext) last = std::max(last, e->target->level);
        ++first;
    } else {
        for (LocLink *e = v->inFirst; e; e = e->inNext) first = std::min(first, e->source->level);
        --last;
    }
    uint32_t top = first <= last ? TopBetween(part, first, last) : 0;
    if (top) {
        int32_t r = int32_t(top - 1);
        if (r >= kGridLimit) return kNoCell;
        if (!has || r >= c) {
            c = r + 1;
            has = true;
        }
    }
    return has ? c : part->rowFirst;
}

// The placed vertex of row c with the lowest level above `level`; the one
// with the highest level below it. Null when there is none.
LocVert *RowAfter(LocPart *part, int32_t c, int32_t level) {
    LocVert *found = nullptr;
    for (LocVert *x = part->index->rowTrees[c]; x;) {
        if (x->level > level) {
            found = x;
            x = x->rowNode.treeLeft;
        } else {
            x = x->rowNode.treeRight;
        }
    }
    return found;
}

LocVert *RowBefore(LocPart *part, int32_t c, int32_t level) {
    LocVert *found = nullptr;
    for (LocVert *x = part->index->rowTrees[c]; x;) {
        if (x->level < level) {
            found = x;
            x = x->rowNode.treeRight;
        } else {
            x = x->rowNode.treeLeft;
        }
    }
    return found;
}

// A placed vertex in row c on a level strictly between from and to.
bool RowTaken(LocPart *part, int32_t from, int32_t to, int32_t c) {
    LocVert *next = RowAfter(part, c, from);
    return next && next->level < to;
}

// Whether a straight long link runs through row c on v's level. The cell of
// a candidate row on v's level is empty, and no vertex ever lies under a
// straight link (its row is refused there), so such a link starts at the
// row's nearest vertex before v's level and ends beyond v's level.
bool StraightThrough(LocPart *part, const LocVert *v, int32_t c) {
    LocVert *before = RowBefore(part, c, v->level);
    return before && (before->flags & StraightOut);
}

// Whether row r, at or past the candidate c, is still to be tested for this
// placing: rows below c are never looked at, and a row marked once stays so.
bool Open(const uint32_t *refused, int32_t r, int32_t c, uint32_t placing) {
    return r >= c && refused[r] != placing;
}

// The rows from c on refused to v because a long link to a placed neighbour
// in that row would pass a vertex; marked with this placing's number.
void MarkRefused(LocPart *part, LocVert *v, int32_t c, uint32_t placing) {
    uint32_t *refused = part->index->rowRefused;
    for (LocLink *e = v->placedIn; e; e = e->inNext) {
        int32_t r = e->source->row;
        if (e->span > 1 && Open(refused, r, c, placing) &&
            RowTaken(part, e->source->level, v->level, r))
            refused[r] = placing;
    }
    for (LocLink *e = v->placedOut; e; e = e->outNext) {
        int32_t r = e->target->row;
        if (e->span > 1 && Open(refused, r, c, placing) &&
            RowTaken(part, v->level, e->target->level, r))
            refused[r] = placing;
    }
}

int32_t Place(LocPart *part, LocVert *v) {
    int32_t c = Candidate(part, v);
    if (c == kNoCell) return kNoCell;
    LocIndex *index = part->index;
    uint32_t placing = ++index->placing;
    MarkRefused(part, v, c, placing);
    // A row is refused only where a vertex already is, so c never passes the
    // rows in use and stays below the component's vertex count.
    while (index->rowRefused[c] == placing || StraightThrough(part, v, c))
        if (++c == kNoBound) return kNoCell;
    v->row = c;
    if (c >= part->rowEnd) part->rowEnd = c + 1;
    if (v->flags & InList) {
        RingUnlink(&v->partLink);
        v->flags &= ~InList;
    }
    RingAppend(&v->partLink, LevelRing(part, v->level));
    RaiseTop(part, v->level, c);
    TreeInsert(&index->rowTrees[c], v, [](LocVert *x) { return &x->rowNode; },
               [](const LocVert *a, const LocVert *b) { return a->level < b->level; });
    return c;
}

// e's target was placed in row c: e leaves its source's outgoing list for
// the front of the source's placedOut.
void TargetPlaced(LocLink *e, int32_t c) {
    LocVert *s = e->source;
    OutUnlink(e);
    e->outPrev = nullptr;
    e->outNext = s->placedOut;
    if (s->placedOut) s->placedOut->outPrev = e;
    s->placedOut = e;
    Lower(&s->childBound, c);
}

void SourcePlaced(LocLink *e, int32_t c) {
    LocVert *t = e->target;
    InUnlink(e);
    e->inPrev = nullptr;
    e->inNext = t->placedIn;
    if (t->placedIn) t->placedIn->inPrev = e;
    t->placedIn = e;
    Lower(&t->parentBound, c);
}

void NoteStraight(LocPart *part, LocLink *e, const LocVert *other, int32_t c) {
    if (e->span > 1 && other->row == c) {
        RingAppend(&e->straightLink, &part->straights);
        e->source->flags |= StraightOut;
    }
}

} // namespace

int32_t PickStart(LocPart *part) {
    EmptyQueue(&part->fwdQueue);
    EmptyQueue(&part->backQueue);
    part->dir = -1;
    LocVert *best = nullptr;
    for (Ring *r = part->sources.next; r != &part->sources; r = r->next) {
        LocVert *v = LocVertOf(r);
        if (!best || v->level < best->level ||
            (v->level == best->level && v->height > best->height))
            best = v;
    }
    if (!best) return E_INTERNAL; // a component without a source
    RingUnlink(&best->partLink);
    RingPrepend(&best->partLink, &part->sources);
    return 0;
}

int32_t SweepFwd(LocPart *part) {
    LocVert *v = part->dir == -1 ? LocVertOf(part->sources.next) : nullptr;
    part->dir = 0;
    for (;;) {
        if (!v) {
            LocLink *popped = PopQueue(&part->fwdQueue);
            if (!popped) return 0;
            v = popped->target;
        }
        int32_t c = Place(part, v);
        if (c == kNoCell) return E_ROWS;
        for (LocLink *e = v->placedIn; e; e = e->inNext) {
            RingUnlink(&e->queueLink);
            TargetPlaced(e, c);
            NoteStraight(part, e, e->source, c);
        }
        for (LocLink *e = v->inFirst; e; e = e->inNext) {
            TargetPlaced(e, c);
            RingAppend(&e->queueLink, &part->backQueue);
        }
        for (LocLink *e = v->placedOut; e; e = e->outNext) {
            RingUnlink(&e->queueLink);
            SourcePlaced(e, c);
            NoteStraight(part, e, e->target, c);
        }
        // The further links go ahead of everything queued before, in order.
        Ring *noted = part->fwdQueue.next;
        LocLink *first = v->outFirst;
        v = first ? first->target : nullptr;
        for (LocLink *e = first; e;) {
            LocLink *next = e->outNext;
            SourcePlaced(e, c);
            if (e != first) RingAppend(&e->queueLink, noted);
            e = next;
        }
    }
}

int32_t SweepBack(LocPart *part) {
    part->dir = 1;
    LocVert *u = nullptr;
    for (;;) {
        if (!u) {
            LocLink *popped = PopQueue(&part->backQueue);
            if (!popped) return 0;
            u = popped->source;
        }
        int32_t c = Place(part, u);
        if (c == kNoCell) return E_ROWS;
        for (LocLink *e = u->placedOut; e; e = e->outNext) {
            RingUnlink(&e->queueLink);
            SourcePlaced(e, c);
            NoteStraight(part, e, e->target, c);
        }
        for (LocLink *e = u->outFirst; e; e = e->outNext) {
            SourcePlaced(e, c);
            RingAppend(&e->queueLink, &part->fwdQueue);
        }
        for (LocLink *e = u->placedIn; e; e = e->inNext) {
            RingUnlink(&e->queueLink);
            TargetPlaced(e, c);
            NoteStraight(part, e, e->source, c);
        }
        Ring *noted = part->backQueue.next;
        LocLink *first = u->inFirst;
        u = first ? first->source : nullptr;
        for (LocLink *e = first; e;) {
            LocLink *next = e->inNext;
            TargetPlaced(e, c);
            if (e != first) RingAppend(&e->queueLink, noted);
            e = next;
        }
    }
}

int32_t LevelTableSet(LocPart *part) {
    uint32_t count = uint32_t(part->levelEnd - part->levelFirst);
    // Ring heads, then 2 * count entries of the tree of maxima.
    const size_t perLevel = sizeof(Ring) + 2 * sizeof(uint32_t);
    if (count > SIZE_MAX / perLevel) return E_MEMORY;
    auto *rings = static_cast<Ring *>(BlockAlloc(count * perLevel));
    if (!rings) return E_MEMORY;
    for (uint32_t i = 0; i < count; ++i) RingInit(&rings[i]);
    part->levelRings = rings;
    part->ringBase = part->levelFirst;
    part->ringEnd = part->levelEnd;
    return 0;
}

void LevelTableFree(LocPart *part) {
    BlockFree(part->levelRings);
    part->levelRings = nullptr;
    part->ringBase = part->ringEnd = 0;
}

void StackLevels(LocPart *part) {
    // The rows' trees are left empty for the next component.
    for (int32_t r = part->rowFirst; r < part->rowEnd; ++r) part->index->rowTrees[r] = nullptr;
    for (int32_t lv = part->levelEnd - 1; lv >= part->levelFirst; --lv) {
        Ring *ring = LevelRing(part, lv);
        if (RingEmpty(ring)) continue;
        LocVert *first = LocVertOf(ring->next);
        first->stackNext = part->stack;
        part->stack = first;
        RingDetach(ring); // the level's vertices stay a ring, without a head
    }
}
