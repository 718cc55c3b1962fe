// Reference copy for the tests: the layout as first written, step for step,
// without the indexes that make the library's layout fast. Never built into
// the library.
// Component order, packing and publication: components are sorted by size,
// stacked along the rows without gaps, shifted to start at level 0, and the
// whole drawing is written into the graph.
#include "brindle.h"
#include "literal/layout.h"
#include "ring_table.h"

namespace literal {

namespace {

int32_t Levels(const LocPart *p) { return p->levelEnd - p->levelFirst; }
int32_t Rows(const LocPart *p) { return p->rowEnd - p->rowFirst; }

bool Smaller(const LocPart *a, const LocPart *b) {
    return Levels(a) < Levels(b) || (Levels(a) == Levels(b) && Rows(a) < Rows(b));
}

// Every vertex of a component's finished levels: rings without a head, one
// per stack entry.
template <typename Fn> void EachPlaced(LocPart *part, Fn fn) {
    for (LocVert *entry = part->stack; entry; entry = entry->stackNext) {
        Ring *r = &entry->partLink;
        do {
            fn(LocVertOf(r));
            r = r->next;
        } while (r != &entry->partLink);
    }
}

// The LocVerts of a level ring hand their places to their graph vertices.
void LevelToVerts(Ring *head) {
    for (Ring *r = head->next; r != head;) {
        Ring *next = r->next;
        LocVert *lv = LocVertOf(r);
        Vert *v = lv->vert;
        v->level = lv->level;
        v->row = lv->row;
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

void SortPart(Ring *partList, LocPart *part) {
    Ring *stop = part->partLink.prev;
    while (stop != partList && Smaller(LocPartOf(stop), part)) stop = stop->prev;
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
        int32_t levelShift = -part->levelFirst;
        int32_t rowShift = part->rowOffset - part->rowFirst;
        part->levelFirst = 0;
        part->levelEnd += levelShift;
        part->rowFirst = part->rowOffset;
        part->rowEnd += rowShift;
        if (levelShift || rowShift)
            EachPlaced(part, [&](LocVert *v) {
                v->level += levelShift;
                v->row += rowShift;
            });
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
            int32_t level = entry->level;
            Ring head;
            RingAppend(&head, &entry->partLink); // a temporary head before the level's first
            LevelToVerts(&head);
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

} // namespace literal
