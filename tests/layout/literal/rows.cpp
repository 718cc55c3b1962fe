// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// Row placement: greedy and depth-first. From the start vertex each newly
// placed vertex dives along its first link whose other end is unplaced and
// queues the rest; each vertex takes the lowest row its level, its placed
// neighbours, the levels its unplaced links span and the straight long links
// allow.
#include <initializer_list>

#include "brindle.h"
#include "literal/layout.h"

namespace literal {

namespace {

int32_t LastRow(Ring *ring) { return LocVertOf(ring->prev)->row; }

// Raises c past the last vertex of a level; false when that vertex already
// sits at the limit.
bool PassLevel(Ring *ring, bool *has, int32_t *c) {
    if (RingEmpty(ring)) return true;
    int32_t r = LastRow(ring);
    if (r >= kGridLimit) return false;
    if (!*has || r >= *c) {
        *c = r + 1;
        *has = true;
    }
    return true;
}

void Lower(int32_t *bound, int32_t c) {
    if (c < *bound) *bound = c;
}

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
    if (part->dir == 0) {
        for (LocLink *e = v->outFirst; e; e = e->outNext)
            for (int32_t lv = v->level + 1; lv <= e->target->level; ++lv)
                if (!PassLevel(LevelRing(part, lv), &has, &c)) return kNoCell;
    } else {
        for (LocLink *e = v->inFirst; e; e = e->inNext)
            for (int32_t lv = v->level - 1; lv >= e->source->level; --lv)
                if (!PassLevel(LevelRing(part, lv), &has, &c)) return kNoCell;
    }
    return has ? c : part->rowFirst;
}

// A placed vertex in row c on a level strictly between from and to.
bool RowTaken(LocPart *part, int32_t from, int32_t to, int32_t c) {
    for (int32_t lv = from + 1; lv < to; ++lv) {
        Ring *ring = LevelRing(part, lv);
        for (Ring *r = ring->next; r != ring; r = r->next) {
            int32_t row = LocVertOf(r)->row;
            if (row > c) break;
            if (row == c) return true;
        }
    }
    return false;
}

bool CellFree(LocPart *part, LocVert *v, int32_t c) {
    for (LocLink *e = v->placedIn; e; e = e->inNext)
        if (e->source->row == c && e->span > 1 && RowTaken(part, e->source->level, v->level, c))
            return false;
    for (LocLink *e = v->placedOut; e; e = e->outNext)
        if (e->target->row == c && e->span > 1 && RowTaken(part, v->level, e->target->level, c))
            return false;
    for (Ring *r = part->straights.next; r != &part->straights; r = r->next) {
        LocLink *e = StraightLink(r);
        if (e->source->level < v->level && e->target->level > v->level && e->target->row == c)
            return false;
    }
    return true;
}

int32_t Place(LocPart *part, LocVert *v) {
    int32_t c = Candidate(part, v);
    if (c == kNoCell) return kNoCell;
    while (!CellFree(part, v, c))
        if (++c == kNoBound) return kNoCell;
    if (c >= kNoBound) return kNoCell;
    v->row = c;
    if (c >= part->rowEnd) part->rowEnd = c + 1;
    if (v->flags & InList) {
        RingUnlink(&v->partLink);
        v->flags &= ~InList;
    }
    RingAppend(&v->partLink, LevelRing(part, v->level));
    return c;
}

// e's target was placed in row c: e leaves its source's outgoing list for
// the front of the source's placedOut.
void TargetPlaced(LocLink *e, int32_t c) {
    LocVert *s = e->source;
    if (e->outPrev) e->outPrev->outNext = e->outNext;
    else s->outFirst = e->outNext;
    if (e->outNext) e->outNext->outPrev = e->outPrev;
    e->outPrev = nullptr;
    e->outNext = s->placedOut;
    if (s->placedOut) s->placedOut->outPrev = e;
    s->placedOut = e;
    Lower(&s->childBound, c);
}

void SourcePlaced(LocLink *e, int32_t c) {
    LocVert *t = e->target;
    if (e->inPrev) e->inPrev->inNext = e->inNext;
    else t->inFirst = e->inNext;
    if (e->inNext) e->inNext->inPrev = e->inPrev;
    e->inPrev = nullptr;
    e->inNext = t->placedIn;
    if (t->placedIn) t->placedIn->inPrev = e;
    t->placedIn = e;
    Lower(&t->parentBound, c);
}

void NoteStraight(LocPart *part, LocLink *e, const LocVert *other, int32_t c) {
    if (e->span > 1 && other->row == c) RingAppend(&e->straightLink, &part->straights);
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

void StackLevels(LocPart *part) {
    for (int32_t lv = part->levelEnd - 1; lv >= part->levelFirst; --lv) {
        Ring *ring = LevelRing(part, lv);
        if (RingEmpty(ring)) continue;
        LocVert *first = LocVertOf(ring->next);
        first->stackNext = part->stack;
        part->stack = first;
        RingDetach(ring); // the level's vertices stay a ring, without a head
    }
}

} // namespace literal
