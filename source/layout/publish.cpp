// Component order, packing and publication: components are sorted by size,
// stacked along the rows without gaps, shifted to start at level 0, and the
// whole drawing is written into the graph.
#include "brindle.h"
#include "layout.h"
#include "ring_table.h"

namespace {

int32_t Levels(const LocPart *p) { return p->levelEnd - p->levelFirst; }
int32_t Rows(const LocPart *p) { return p->rowEnd - p->rowFirst; }

bool Smaller(const LocPart *a, const LocPart *b) {
    return Levels(a) < Levels(b) || (Levels(a) == Levels(b) && Rows(a) < Rows(b));
}

// The LocVerts of a level ring hand their places, moved by the component's
// shifts, to their graph vertices.
void LevelToVerts(Ring *head, const LocPart *part) {
    for (Ring *r = head->next; r != head;) {
        Ring *next = r->next;
        LocVert *lv = LocVertOf(r);
        Vert *v = lv->vert;
        v->level = lv->level + part->levelShift;
        v->row = lv->row + part->rowShift;
        v->rec.flags |= VertPlaced;
        for (Link *l = v->outFirst; l; l = l->outNext) l->flags |= LinkPlaced;
        v->levelLink.next = r->next;
        v->levelLink.prev = r->prev;
        r->prev->next = &v->levelLink;
        r->next->prev = &v->levelLink;
        r = next;
    }
}

} // namespace

// The components laid out so far stand at the front of partList, sorted;
// the walk back from the newest past every smaller one therefore stops at
// the last one that is not smaller, which a tree of them in list order finds
// at once.
void SortPart(Ring *partList, LocPart *part) {
    LocPart **tree = &part->index->partTree;
    Ring *stop = partList;
    for (LocPart *x = *tree; x;) {
        if (Smaller(x, part)) {
            x = x->treeLeft;
        } else {
            stop = &x->partLink;
            x = x->treeRight;
        }
    }
    TreeInsert(tree, part, [](LocPart *p) { return p; },
               [](const LocPart *a, const LocPart *b) { return Smaller(b, a); });
    if (stop == part->partLink.prev) return;
    RingUnlink(&part->partLink);
    RingPrepend(&part->partLink, stop);
}

int32_t PackParts(Ring *partList) {
    uint32_t offset = 0;
    for (Ring *r = partList->next; r != partList; r = r->next) {
        LocPart *part = LocPartOf(r);
        uint32_t height = uint32_t(part->rowEnd) - uint32_t(part->rowFirst);
        if (height > kMaxSpan - offset) return E_ROWS;
        part->rowOffset = int32_t(offset);
        offset += height;
        // The vertices take the shifts when they are published: one pass
        // over them fewer.
        part->levelShift = -part->levelFirst;
        part->rowShift = part->rowOffset - part->rowFirst;
        part->levelFirst = 0;
        part->levelEnd += part->levelShift;
        part->rowFirst = part->rowOffset;
        part->rowEnd += part->rowShift;
    }
    return 0;
}

int32_t Publish(Graph *graph, Ring *partList) {
    LocPart *first = LocPartOf(partList->next), *last = LocPartOf(partList->prev);
    int32_t levelFirst = first->levelFirst, levelEnd = first->levelEnd;
    int32_t rowFirst = first->rowFirst, rowEnd = last->rowEnd;
    Ring *rings = nullptr;
    if (levelEnd > levelFirst &&
        RingTableSet(uint32_t(levelEnd - levelFirst), &rings, 1) != 0)
        return E_MEMORY;
    graph->partCount = 0;
    for (Ring *r = partList->next; r != partList; r = r->next) {
        LocPart *part = LocPartOf(r);
        ++graph->partCount;
        while (LocVert *entry = part->stack) {
            part->stack = entry->stackNext;
            entry->stackNext = nullptr;
            int32_t level = entry->level + part->levelShift;
            Ring head;
            RingAppend(&head, &entry->partLink); // a temporary head before the level's first
            LevelToVerts(&head, part);
            Ring *firstVert = head.next;
            RingUnlink(&head);
            RingSplice(&rings[level - levelFirst], firstVert);
        }
    }
    RingTableSet(0, &graph->levelRings, 0);
    graph->ringEnd = graph->levelEnd = levelEnd;
    graph->ringBase = graph->levelFirst = levelFirst;
    graph->rowEnd = rowEnd;
    graph->levelRings = rings;
    graph->rowFirst = rowFirst;
    return 0;
}
