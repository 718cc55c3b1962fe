// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// Link extents and link order: a backward pass from the sinks measures how
// far each vertex reaches down, a forward pass from the sources how far it
// reaches up, and each vertex's outgoing and incoming links are re-sorted so
// that row placement follows the longest links and deepest branches first.
#include "brindle.h"
#include "literal/layout.h"

namespace literal {

namespace {

void SeedBackward(LocPart *part) {
    EmptyQueue(&part->backQueue);
    for (Ring *r = part->sinks.next; r != &part->sinks; r = r->next)
        for (LocLink *e = LocVertOf(r)->inFirst; e; e = e->inNext)
            RingAppend(&e->queueLink, &part->backQueue);
}

void SeedForward(LocPart *part) {
    EmptyQueue(&part->fwdQueue);
    for (Ring *r = part->sources.next; r != &part->sources; r = r->next)
        for (LocLink *e = LocVertOf(r)->outFirst; e; e = e->outNext)
            RingAppend(&e->queueLink, &part->fwdQueue);
}

// The walk that places a link in a pending list: past every link of larger
// span; on meeting an equal span, on past every link whose reach is at least
// its own, from there on without looking at span. Returns the link to
// insert after (null: at the head).
template <typename Next, typename Reach>
LocLink *InsertAfter(LocLink *head, const LocLink *e, Next next, Reach reach) {
    LocLink *prev = nullptr, *p = head;
    while (p && p->span > e->span) {
        prev = p;
        p = next(p);
    }
    if (p && p->span == e->span) {
        while (p && reach(p) >= reach(e)) {
            prev = p;
            p = next(p);
        }
    }
    return prev;
}

} // namespace

int32_t SortOut(LocLink *e, LocVert *u) {
    // Out of the outgoing list.
    if (e->outPrev) e->outPrev->outNext = e->outNext;
    else u->outFirst = e->outNext;
    if (e->outNext) e->outNext->outPrev = e->outPrev;
    if (e->downReach > u->height) u->height = e->downReach;
    // Into the pending list.
    LocLink *prev = InsertAfter(
        u->pending, e, [](LocLink *l) { return l->outNext; },
        [](const LocLink *l) { return l->downReach; });
    LocLink *next = prev ? prev->outNext : u->pending;
    e->outPrev = prev;
    e->outNext = next;
    if (next) next->outPrev = e;
    if (prev) prev->outNext = e;
    else u->pending = e;
    if (u->outFirst) return 1;
    u->outFirst = u->pending;
    u->pending = nullptr;
    return 0;
}

int32_t SortIn(LocLink *e, LocVert *t) {
    if (e->inPrev) e->inPrev->inNext = e->inNext;
    else t->inFirst = e->inNext;
    if (e->inNext) e->inNext->inPrev = e->inPrev;
    if (e->upReach > t->depth) t->depth = e->upReach;
    LocLink *prev = InsertAfter(
        t->pending, e, [](LocLink *l) { return l->inNext; },
        [](const LocLink *l) { return l->upReach; });
    LocLink *next = prev ? prev->inNext : t->pending;
    e->inPrev = prev;
    e->inNext = next;
    if (next) next->inPrev = e;
    if (prev) prev->inNext = e;
    else t->pending = e;
    if (t->inFirst) return 1;
    t->inFirst = t->pending;
    t->pending = nullptr;
    return 0;
}

int32_t Extents(LocPart *part) {
    SeedBackward(part);
    while (LocLink *e = PopQueue(&part->backQueue)) {
        for (;;) {
            LocVert *t = e->target;
            // Every link is measured here once: a vertex the relaxations left
            // without a level must not reach the level rings.
            if (t->level == kNoCell || e->source->level == kNoCell) return E_INTERNAL;
            e->span = t->level - e->source->level;
            e->downReach = t->height + e->span;
            LocVert *u = e->source;
            if (SortOut(e, u) == 1 || !u->inFirst) break;
            // u is complete: go on up through its first incoming link.
            for (LocLink *more = u->inFirst->inNext; more; more = more->inNext)
                RingAppend(&more->queueLink, &part->backQueue);
            e = u->inFirst;
        }
    }
    SeedForward(part);
    while (LocLink *e = PopQueue(&part->fwdQueue)) {
        for (;;) {
            e->upReach = e->source->depth + e->span;
            LocVert *t = e->target;
            if (SortIn(e, t) == 1 || !t->outFirst) break;
            for (LocLink *more = t->outFirst->outNext; more; more = more->outNext)
                RingAppend(&more->queueLink, &part->fwdQueue);
            e = t->outFirst;
        }
    }
    return 0;
}

} // namespace literal
