// Level assignment: the start vertex gets level 0, and levels spread by a
// forward relaxation (one more than the highest predecessor) and a backward
// one (one less than the lowest successor). The exploration's marks decide
// which relaxation a link feeds: FwdMark alone forward only, BackMark alone
// backward only, both neither, none both.
//
// A vertex is reached again and again while its neighbours get their levels
// (a vertex with many predecessors is given up at the first one without a
// level, each time one more is ready). Each vertex therefore remembers how
// far its last relaxation got (ScanMemo): a second look at the same links
// would change nothing and give the same level, unless one of them was
// re-marked, left a queue, or its other end changed level since, and each of
// those events forgets what was remembered.
#include "brindle.h"
#include "layout.h"

namespace {

void Forget(ScanMemo *memo) {
    memo->end = 0;
    memo->best = kNoCell;
}

// A link's marks or queue changed: what its two ends remember about it is
// stale.
void Touched(LocLink *e) {
    if (e->pos.inPos < e->target->scan.fwdScan.end) Forget(&e->target->scan.fwdScan);
    if (e->pos.outPos < e->source->scan.backScan.end) Forget(&e->source->scan.backScan);
}

// v's level changed: its neighbours' memories of it are stale.
void LevelChanged(LocVert *v) {
    for (LocLink *e = v->outFirst; e; e = e->outNext)
        if (e->pos.inPos < e->target->scan.fwdScan.end) Forget(&e->target->scan.fwdScan);
    for (LocLink *e = v->inFirst; e; e = e->inNext)
        if (e->pos.outPos < e->source->scan.backScan.end) Forget(&e->source->scan.backScan);
}

void SetLevel(LocVert *v, int32_t level) {
    if (v->level == level) return;
    v->level = level;
    LevelChanged(v);
}

// A link that lacks the mark joins the queue. A link waits in fwdQueue only
// with FwdMark and in backQueue only with BackMark, so the one case of a
// link already queued is a BackMark-only link in backQueue re-marked here
// (or the mirror case): it moves over, since a link waits in one queue at a
// time, and with both marks it then feeds neither relaxation.
void Requeue(LocLink *e, uint16_t mark, Ring *queue) {
    if (e->flags & mark) return;
    e->flags |= mark;
    RingUnlink(&e->queueLink);
    RingAppend(&e->queueLink, queue);
    Touched(e);
}

LocLink *PopTouched(Ring *queue) {
    LocLink *e = PopQueue(queue);
    if (e) Touched(e);
    return e;
}

void Remember(ScanMemo *memo, LocLink *resume, uint32_t end, bool found, int32_t best) {
    *memo = ScanMemo{resume, end, found ? best : kNoCell};
}

} // namespace

int32_t LevelStart(LocPart *part) {
    Unwind(part, nullptr);
    LocVert *s = LocVertOf(part->sources.next);
    part->rowFirst = part->rowEnd = part->levelFirst = s->level = 0;
    part->levelEnd = 1;
    if (!s->outFirst) {
        // The component is s alone: its only level, as row placement would
        // leave it.
        s->row = part->rowFirst;
        part->rowEnd = 1;
        RingDetach(&s->partLink);
        s->stackNext = part->stack;
        part->stack = s;
        return 1;
    }
    for (LocLink *e = s->outFirst; e; e = e->outNext) {
        e->flags |= FwdMark;
        RingAppend(&e->queueLink, &part->fwdQueue);
    }
    return 0;
}

int32_t RelaxFwd(LocPart *part) {
    part->dir = 0;
    LocVert *v = nullptr;
    for (;;) {
        if (!v) {
            LocLink *popped = PopTouched(&part->fwdQueue);
            if (!popped) return 0;
            v = popped->target;
        }
        ScanMemo *memo = &v->scan.fwdScan;
        bool found = memo->best != kNoCell, waiting = false;
        int32_t best = memo->best;
        LocLink *e = memo->end ? memo->resume : v->inFirst;
        for (; e && !waiting; e = e->inNext) {
            uint16_t marks = e->flags & kMarks;
            if (marks == FwdMark) {
                RingUnlink(&e->queueLink);
                e->flags &= ~FwdMark;
                Touched(e);
            } else if (marks == BackMark) {
                if (!InQueue(e)) RingAppend(&e->queueLink, &part->backQueue);
                continue;
            } else if (marks == kMarks) {
                continue;
            }
            int32_t from = e->source->level;
            if (from == kNoCell) {
                Remember(memo, e, e->pos.inPos, found, best);
                waiting = true; // given up on v for now
            } else if (from >= kGridLimit) {
                return E_LEVELS;
            } else if (!found || from >= best) {
                best = from + 1;
                found = true;
            }
        }
        if (waiting) {
            v = nullptr;
            continue;
        }
        Remember(memo, nullptr, UINT32_MAX, found, best);
        if (!found) {
            v = nullptr;
            continue;
        }
        SetLevel(v, best);
        if (best >= part->levelEnd) part->levelEnd = best + 1;
        if (!v->outFirst) {
            v = nullptr;
        } else if (!v->outFirst->outNext) {
            v = v->outFirst->target;
        } else {
            for (LocLink *e = v->outFirst; e; e = e->outNext) Requeue(e, FwdMark, &part->fwdQueue);
            v = nullptr;
        }
    }
}

int32_t RelaxBack(LocPart *part) {
    part->dir = 1;
    LocVert *u = nullptr;
    for (;;) {
        if (!u) {
            LocLink *popped = PopTouched(&part->backQueue);
            if (!popped) return 0;
            u = popped->source;
        }
        ScanMemo *memo = &u->scan.backScan;
        bool found = memo->best != kNoCell, waiting = false;
        int32_t best = memo->best;
        LocLink *e = memo->end ? memo->resume : u->outFirst;
        for (; e && !waiting; e = e->outNext) {
            uint16_t marks = e->flags & kMarks;
            if (marks == FwdMark) {
                if (!InQueue(e)) RingAppend(&e->queueLink, &part->fwdQueue);
                continue;
            } else if (marks == BackMark) {
                RingUnlink(&e->queueLink);
                e->flags &= ~BackMark;
                Touched(e);
            } else if (marks == kMarks) {
                continue;
            }
            int32_t to = e->target->level;
            if (to == kNoCell) {
                Remember(memo, e, e->pos.outPos, found, best);
                waiting = true;
            } else if (to <= -kGridLimit) {
                return E_LEVELS;
            } else if (!found || to <= best) {
                best = to - 1;
                found = true;
            }
        }
        if (waiting) {
            u = nullptr;
            continue;
        }
        Remember(memo, nullptr, UINT32_MAX, found, best);
        if (!found) {
            u = nullptr;
            continue;
        }
        SetLevel(u, best);
        if (best < part->levelFirst) part->levelFirst = best;
        if (!u->inFirst) {
            u = nullptr;
        } else if (!u->inFirst->inNext) {
            u = u->inFirst->source;
        } else {
            for (LocLink *e = u->inFirst; e; e = e->inNext) Requeue(e, BackMark, &part->backQueue);
            u = nullptr;
        }
    }
}
