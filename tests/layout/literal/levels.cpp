// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// Level assignment: the start vertex gets level 0, and levels spread by a
// forward relaxation (one more than the highest predecessor) and a backward
// one (one less than the lowest successor). The exploration's marks decide
// which relaxation a link feeds: FwdMark alone forward only, BackMark alone
// backward only, both neither, none both.
#include "brindle.h"
#include "literal/layout.h"

namespace literal {

namespace {

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
            LocLink *popped = PopQueue(&part->fwdQueue);
            if (!popped) return 0;
            v = popped->target;
        }
        bool found = false, waiting = false;
        int32_t best = 0;
        for (LocLink *e = v->inFirst; e && !waiting; e = e->inNext) {
            uint16_t marks = e->flags & kMarks;
            if (marks == FwdMark) {
                RingUnlink(&e->queueLink);
                e->flags &= ~FwdMark;
            } else if (marks == BackMark) {
                if (!InQueue(e)) RingAppend(&e->queueLink, &part->backQueue);
                continue;
            } else if (marks == kMarks) {
                continue;
            }
            int32_t from = e->source->level;
            if (from == kNoCell) waiting = true; // given up on v for now
            else if (from >= kGridLimit) return E_LEVELS;
            else if (!found || from >= best) {
                best = from + 1;
                found = true;
            }
        }
        if (waiting || !found) {
            v = nullptr;
            continue;
        }
        v->level = best;
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
            LocLink *popped = PopQueue(&part->backQueue);
            if (!popped) return 0;
            u = popped->source;
        }
        bool found = false, waiting = false;
        int32_t best = 0;
        for (LocLink *e = u->outFirst; e && !waiting; e = e->outNext) {
            uint16_t marks = e->flags & kMarks;
            if (marks == FwdMark) {
                if (!InQueue(e)) RingAppend(&e->queueLink, &part->fwdQueue);
                continue;
            } else if (marks == BackMark) {
                RingUnlink(&e->queueLink);
                e->flags &= ~BackMark;
            } else if (marks == kMarks) {
                continue;
            }
            int32_t to = e->target->level;
            if (to == kNoCell) waiting = true;
            else if (to <= -kGridLimit) return E_LEVELS;
            else if (!found || to <= best) {
                best = to - 1;
                found = true;
            }
        }
        if (waiting || !found) {
            u = nullptr;
            continue;
        }
        u->level = best;
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

} // namespace literal
