// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// Component exploration and cycle test: forward and backward walks find the
// whole component from one source, stamp each vertex with a walk number, and
// leave the marks that tell level assignment which way each link feeds.
#include "brindle.h"
#include "literal/layout.h"

namespace literal {

namespace {

void Push(LocPart *part, LocVert *v) {
    v->stackNext = part->stack;
    part->stack = v;
}

// Increments the walk counter; false when it wraps.
bool NextWalk(LocPart *part) { return ++part->walkCount != 0; }

LocLink *PopFwd(LocPart *part) {
    LocLink *e = PopQueue(&part->fwdQueue);
    if (e) e->flags |= kQueued; // taken
    return e;
}

LocLink *PopBack(LocPart *part) {
    LocLink *e = PopQueue(&part->backQueue);
    if (e) e->flags |= kQueued;
    return e;
}

void MarkQueue(Ring *queue, uint16_t bit) {
    for (Ring *r = queue->next; r != queue; r = r->next) QueuedLink(r)->flags |= bit;
}

// -1 nothing chosen, 1 chosen with others deferred, 0 chosen alone.
int32_t ScanResult(LocPart *part, LocLink *chosen, bool deferred) {
    part->current = chosen;
    if (!chosen) return -1;
    return deferred ? 1 : 0;
}

int32_t ScanOut(LocPart *part) {
    bool forward = part->dir == 0;
    LocVert *v = forward ? (part->current ? part->current->target
                                          : LocVertOf(part->sources.next))
                         : part->current->source;
    LocLink *chosen = nullptr;
    bool deferred = false;
    for (LocLink *e = v->outFirst; e; e = e->outNext) {
        if (e->flags & kQueued) {
            // A forward walk takes over a link deferred backwards.
            if (!forward || (e->flags & kQueued) != BackQueued) continue;
            RingUnlink(&e->queueLink);
            e->flags &= ~BackQueued;
        }
        if (forward && !chosen) {
            e->flags |= kQueued;
            chosen = e;
        } else {
            e->flags |= FwdQueued;
            RingAppend(&e->queueLink, &part->fwdQueue);
            deferred = true;
        }
    }
    return forward ? ScanResult(part, chosen, deferred) : 0;
}

int32_t ScanIn(LocPart *part) {
    bool backward = part->dir == 1;
    LocVert *v = backward ? part->current->source : part->current->target;
    LocLink *chosen = nullptr;
    bool deferred = false;
    for (LocLink *e = v->inFirst; e; e = e->inNext) {
        if (e->flags & kQueued) {
            if (!backward || (e->flags & kQueued) != FwdQueued) continue;
            RingUnlink(&e->queueLink);
            e->flags &= ~FwdQueued;
        }
        if (backward && !chosen) {
            e->flags |= kQueued;
            chosen = e;
        } else {
            e->flags |= BackQueued;
            RingAppend(&e->queueLink, &part->backQueue);
            deferred = true;
        }
    }
    return backward ? ScanResult(part, chosen, deferred) : 0;
}

bool StackHolds(const LocPart *part, uint32_t walkNo) {
    for (const LocVert *v = part->stack; v; v = v->stackNext)
        if (v->walkNo == walkNo) return true;
    return false;
}

// A vertex met again: a cycle when it was stamped since this walk began or
// carries the stamp of a branch vertex still on the stack.
int32_t MetAgain(const LocPart *part, const LocVert *v, uint32_t walkStart) {
    return (v->walkNo >= walkStart || StackHolds(part, v->walkNo)) ? E_CYCLE : 0;
}

void StartPart(LocPart *part, LocVert *s) {
    part->dir = 0;
    part->walkCount = 0;
    part->current = nullptr;
    part->stack = nullptr;
    RingInit(&part->fwdQueue);
    RingInit(&part->backQueue);
    RingInit(&part->sources);
    RingInit(&part->sinks);
    s->flags |= InList;
    RingAppend(&s->partLink, &part->sources);
    s->walkNo = 1;
    part->vertCount = 1;
    if (ScanOut(part) == 1) {
        ++part->walkCount;
        Push(part, s);
    }
}

int32_t WalkFwd(LocPart *part) {
    Unwind(part, part->current->source);
    if (!NextWalk(part)) return E_WALKS;
    uint32_t walkStart = part->walkCount;
    for (;;) {
        LocVert *t = part->current->target;
        if (!t->outFirst && !(t->flags & InList)) {
            t->flags |= InList;
            RingAppend(&t->partLink, &part->sinks);
        }
        if (t->walkNo != 0) return MetAgain(part, t, walkStart);
        t->walkNo = part->walkCount;
        ++part->vertCount;
        ScanIn(part);
        int32_t scan = ScanOut(part);
        if (scan == -1) return 0;
        if (scan == 1) {
            if (!NextWalk(part)) return E_WALKS;
            Push(part, t);
        }
    }
}

int32_t WalkBack(LocPart *part) {
    Unwind(part, part->current->target);
    if (!NextWalk(part)) return E_WALKS;
    uint32_t walkStart = part->walkCount;
    for (;;) {
        LocVert *u = part->current->source;
        if (!u->inFirst && !(u->flags & InList)) {
            RingUnlink(&u->partLink); // out of the driver's source list
            u->flags |= InList;
            RingAppend(&u->partLink, &part->sources);
        }
        if (u->walkNo != 0) return MetAgain(part, u, walkStart);
        u->walkNo = part->walkCount;
        ++part->vertCount;
        ScanOut(part);
        int32_t scan = ScanIn(part);
        if (scan == -1) return 0;
        if (scan == 1) {
            if (!NextWalk(part)) return E_WALKS;
            Push(part, u);
        }
    }
}

} // namespace

void Unwind(LocPart *part, LocVert *stop) {
    while (part->stack && part->stack != stop) {
        LocVert *top = part->stack;
        part->stack = top->stackNext;
        top->stackNext = nullptr;
    }
}

int32_t Explore(LocPart *part, LocVert *start) {
    int32_t result = 0;
    StartPart(part, start);
    while (part->current) {
        part->dir = 0;
        part->current->flags |= FwdMark;
        MarkQueue(&part->fwdQueue, FwdMark);
        do {
            if ((result = WalkFwd(part)) < 0) goto done;
            part->current = PopFwd(part);
        } while (part->current);
        Unwind(part, nullptr);
        part->dir = 1;
        MarkQueue(&part->backQueue, BackMark);
        for (part->current = PopBack(part); part->current; part->current = PopBack(part))
            if ((result = WalkBack(part)) < 0) goto done;
        Unwind(part, nullptr);
        part->current = PopFwd(part);
    }
done:
    // On failure current stays on the link that closed the cycle.
    EmptyQueue(&part->backQueue);
    EmptyQueue(&part->fwdQueue);
    Unwind(part, nullptr);
    return result;
}

} // namespace literal
