// Link extents and link order: a backward pass from the sinks measures how
// far each vertex reaches down, a forward pass from the sources how far it
// reaches up, and each vertex's outgoing and incoming links are re-sorted so
// that row placement follows the longest links and deepest branches first.
#include <initializer_list>

#include "brindle.h"
#include "layout.h"

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

// The two link lists a vertex sorts: outgoing by span and downReach,
// incoming by span and upReach.
struct OutLinks {
    static int32_t Reach(const LocLink *e) { return e->reach.downReach; }
    static LocLink *&First(LocVert *v) { return v->outFirst; }
    static void Unlink(LocLink *e) { OutUnlink(e); }
    static void Raise(LocVert *v, const LocLink *e) {
        if (e->reach.downReach > v->height) v->height = e->reach.downReach;
    }
    static void Chain(LocLink *prev, LocLink *e) {
        e->outPrev = prev;
        e->outNext = nullptr;
        if (prev) prev->outNext = e;
    }
};

struct InLinks {
    static int32_t Reach(const LocLink *e) { return e->reach.upReach; }
    static LocLink *&First(LocVert *v) { return v->inFirst; }
    static void Unlink(LocLink *e) { InUnlink(e); }
    static void Raise(LocVert *v, const LocLink *e) {
        if (e->reach.upReach > v->depth) v->depth = e->reach.upReach;
    }
    static void Chain(LocLink *prev, LocLink *e) {
        e->inPrev = prev;
        e->inNext = nullptr;
        if (prev) prev->inNext = e;
    }
};

// The pending links of a vertex form a tree in list order, balanced by fixed
// pseudo-random priorities, each node knowing the least span and reach below
// it. The insertion walk along the list (past larger spans; on an equal span
// on past every link of at least the same reach) becomes two descents.

LocLink *Leftmost(LocLink *x) {
    while (x->sort.left) x = x->sort.left;
    return x;
}

LocLink *Rightmost(LocLink *x) {
    while (x->sort.right) x = x->sort.right;
    return x;
}

// The first link in list order of the subtree with span at most `span`.
LocLink *FirstSpanAtMost(LocLink *x, int32_t span) {
    while (x) {
        if (x->sort.left && x->sort.left->sort.minSpan <= span) x = x->sort.left;
        else if (x->span <= span) return x;
        else x = x->sort.right;
    }
    return nullptr;
}

template <typename L> LocLink *FirstReachBelow(LocLink *x, int32_t reach) {
    while (x) {
        if (x->sort.left && x->sort.left->sort.minReach < reach) x = x->sort.left;
        else if (L::Reach(x) < reach) return x;
        else x = x->sort.right;
    }
    return nullptr;
}

// The first link from x on, in list order, with a reach below `reach`.
template <typename L> LocLink *NextReachBelow(LocLink *x, int32_t reach) {
    if (L::Reach(x) < reach) return x;
    if (x->sort.right && x->sort.right->sort.minReach < reach)
        return FirstReachBelow<L>(x->sort.right, reach);
    for (LocLink *up = x->sort.up; up; x = up, up = up->sort.up) {
        if (up->sort.left != x) continue; // came up from the right: up lies before
        if (L::Reach(up) < reach) return up;
        if (up->sort.right && up->sort.right->sort.minReach < reach)
            return FirstReachBelow<L>(up->sort.right, reach);
    }
    return nullptr;
}

// The link that e goes in front of (null: the end).
template <typename L> LocLink *InsertBefore(LocLink *root, const LocLink *e) {
    LocLink *p = FirstSpanAtMost(root, e->span);
    if (!p || p->span < e->span) return p;
    return NextReachBelow<L>(p, L::Reach(e));
}

template <typename L> void Gather(LocLink *x) {
    int32_t span = x->span, reach = L::Reach(x);
    for (LocLink *child : {x->sort.left, x->sort.right}) {
        if (!child) continue;
        if (child->sort.minSpan < span) span = child->sort.minSpan;
        if (child->sort.minReach < reach) reach = child->sort.minReach;
    }
    x->sort.minSpan = span;
    x->sort.minReach = reach;
}

// Turns x above its parent, keeping list order.
template <typename L> void RotateUp(LocLink **root, LocLink *x) {
    LocLink *p = x->sort.up, *g = p->sort.up;
    if (p->sort.left == x) {
        p->sort.left = x->sort.right;
        if (x->sort.right) x->sort.right->sort.up = p;
        x->sort.right = p;
    } else {
        p->sort.right = x->sort.left;
        if (x->sort.left) x->sort.left->sort.up = p;
        x->sort.left = p;
    }
    p->sort.up = x;
    x->sort.up = g;
    if (!g) *root = x;
    else if (g->sort.left == p) g->sort.left = x;
    else g->sort.right = x;
    Gather<L>(p);
    Gather<L>(x);
}

template <typename L> void Insert(LocLink **root, LocLink *e) {
    LocLink *before = *root ? InsertBefore<L>(*root, e) : nullptr;
    e->sort = SortNode{nullptr, nullptr, nullptr, e->span, L::Reach(e)};
    if (!*root) {
        *root = e;
        return;
    }
    // As a leaf right in front of `before`, or after the last link.
    LocLink *parent;
    if (!before) {
        parent = Rightmost(*root);
        parent->sort.right = e;
    } else if (!before->sort.left) {
        parent = before;
        parent->sort.left = e;
    } else {
        parent = Rightmost(before->sort.left);
        parent->sort.right = e;
    }
    e->sort.up = parent;
    for (LocLink *a = parent; a; a = a->sort.up) {
        if (e->span < a->sort.minSpan) a->sort.minSpan = e->span;
        if (L::Reach(e) < a->sort.minReach) a->sort.minReach = L::Reach(e);
    }
    while (e->sort.up && TreePriority(e) > TreePriority(e->sort.up)) RotateUp<L>(root, e);
}

// The tree, in order, as the vertex's list.
template <typename L> void Install(LocVert *v, LocLink *root) {
    LocLink *prev = nullptr;
    for (LocLink *x = Leftmost(root); x;) {
        L::Chain(prev, x);
        if (!prev) L::First(v) = x;
        prev = x;
        if (x->sort.right) {
            x = Leftmost(x->sort.right);
        } else {
            LocLink *up = x->sort.up;
            while (up && up->sort.right == x) {
                x = up;
                up = up->sort.up;
            }
            x = up;
        }
    }
}

// A vertex with few pending links keeps them as a plain list through
// sort.right and places each by the insertion walk itself; the tree pays
// only from about this many links on.
constexpr uint32_t kTreeFrom = 8;

// The insertion walk on the plain list: past every link of larger span; on
// meeting an equal span, on past every link whose reach is at least e's,
// from there on without looking at span.
template <typename L> void ListInsert(LocLink **head, LocLink *e) {
    LocLink **at = head, *p = *head;
    while (p && p->span > e->span) {
        at = &p->sort.right;
        p = p->sort.right;
    }
    if (p && p->span == e->span) {
        while (p && L::Reach(p) >= L::Reach(e)) {
            at = &p->sort.right;
            p = p->sort.right;
        }
    }
    e->sort.right = p;
    *at = e;
}

// The plain list of pending links as a balanced tree in the same order: each
// link joins at the right end, lifted above the links of lower priority on
// the right spine; a link's subtree is complete, and its least span and
// reach can be gathered, when it leaves the spine.
template <typename L> LocLink *ListToTree(LocLink *head) {
    LocLink *last = nullptr;
    for (LocLink *x = head; x;) {
        LocLink *next = x->sort.right, *child = nullptr, *p = last;
        while (p && TreePriority(p) < TreePriority(x)) {
            Gather<L>(p);
            child = p;
            p = p->sort.up;
        }
        x->sort.left = child;
        x->sort.right = nullptr;
        if (child) child->sort.up = x;
        x->sort.up = p;
        if (p) p->sort.right = x;
        last = x;
        x = next;
    }
    LocLink *root = last;
    for (LocLink *x = last; x; x = x->sort.up) {
        Gather<L>(x);
        root = x;
    }
    return root;
}

// The plain list as the vertex's list.
template <typename L> void InstallList(LocVert *v, LocLink *head) {
    LocLink *prev = nullptr;
    for (LocLink *x = head; x; x = x->sort.right) {
        L::Chain(prev, x);
        if (!prev) L::First(v) = x;
        prev = x;
    }
}

// Moves e from v's list into v's pending links; 1 while v has links left,
// 0 once the pending links have become v's list.
template <typename L> int32_t Sort(LocLink *e, LocVert *v) {
    L::Unlink(e);
    L::Raise(v, e);
    if (!v->pending) v->pendingCount = 0;
    if (++v->pendingCount <= kTreeFrom) {
        ListInsert<L>(&v->pending, e);
        if (v->pendingCount == kTreeFrom) v->pending = ListToTree<L>(v->pending);
    } else {
        Insert<L>(&v->pending, e);
    }
    if (L::First(v)) return 1;
    if (v->pendingCount < kTreeFrom) InstallList<L>(v, v->pending);
    else Install<L>(v, v->pending);
    v->pending = nullptr;
    return 0;
}

} // namespace

int32_t SortOut(LocLink *e, LocVert *u) { return Sort<OutLinks>(e, u); }

int32_t SortIn(LocLink *e, LocVert *t) { return Sort<InLinks>(e, t); }

int32_t Extents(LocPart *part) {
    SeedBackward(part);
    while (LocLink *e = PopQueue(&part->backQueue)) {
        for (;;) {
            LocVert *t = e->target;
            // Every link is measured here once: a vertex the relaxations left
            // without a level must not reach the level rings.
            if (t->level == kNoCell || e->source->level == kNoCell) return E_INTERNAL;
            e->span = t->level - e->source->level;
            e->reach.downReach = t->height + e->span;
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
            e->reach.upReach = e->source->depth + e->span;
            LocVert *t = e->target;
            if (SortIn(e, t) == 1 || !t->outFirst) break;
            for (LocLink *more = t->outFirst->outNext; more; more = more->outNext)
                RingAppend(&more->queueLink, &part->fwdQueue);
            e = t->outFirst;
        }
    }
    return 0;
}
